#include "vt_pool/VtSession.h"
#include "vt_pool/VtChildList.h"
#include "vt_pool/VtDisplayInterface.h"
#include "vt_pool/VtObject.h"
#include "vt_pool/VtObjectWorkingSet.h"
#include "vt_pool/VtObjectSoftKeyMask.h"
#include "vt_pool/VtReader.h"
#include "vt_pool/VtSystemInterface.h"
#include "vt_pool/VtTransportHandler.h"
#include "vt_pool/createVtObject.h"
#include "vt_pool/model/VtLogger.h"
#include "vt_pool/model/VtObjectList.h"
#include "vt_pool/model/VtObjectRefList.h"
#include "vt_pool/model/VtSessionDump.h"

namespace {

constexpr uint32_t status_period_ms = 900;
constexpr uint32_t maintenance_timeout_ms = 5000;
// The pool parser lets the status through every so many records, so that
// the working set sees the VT busy rather than gone.
constexpr unsigned records_between_status = 100;
constexpr uint8_t global_address = 255;

template <class List>
void traceChilds(VtLogger& logger, const List& childs)
{
    logger.print("  Childs=%d\n", childs.count());
    for (uint32_t i = 0; i < childs.count(); ++i)
        logger.print("  %2u: OID=%d\n", i, childs.at(i)->oid);
}

}

VtSession::VtSession()
    : table(table_size), response(message_capacity, nullptr), event(message_capacity, nullptr)
{
}

VtSession::~VtSession()
{
    deleteAll();
}

void VtSession::insert(std::unique_ptr<VtObject> object)
{
    if (!object)
        return;
    std::unique_ptr<VtObject>& slot = table[object->getOid()];
    if (slot) {
        slot->getDisplayElements().closeAll();
        // The working set is replaced: only an object of type 0 takes over.
        if (slot.get() == working_set)
            working_set = nullptr;
        slot.reset();
    }
    slot = std::move(object);
    pending.append(*slot);
    if (slot->getType() == 0)
        working_set = slot.get();
}

VtObject* VtSession::lookup(uint16_t oid) const
{
    return oid < table.size() ? table[oid].get() : nullptr;
}

void VtSession::deleteAll()
{
    for (std::unique_ptr<VtObject>& slot : table) {
        if (!slot)
            continue;
        slot->getDisplayElements().closeAll();
        slot.reset();
    }
    working_set = nullptr;
}

void VtSession::parsePool(VtReader& reader)
{
    if (tracing())
        logger->print("Reading Object Pool ...\n");
    unsigned count = 0;
    while (reader.remaining() > 0) {
        if (++count > records_between_status) {
            periodicStatus();
            count = 0;
        }
        uint16_t oid = 0xFFFF;
        uint8_t type = 0xFF;
        const bool header = reader.readOid(oid, "oid") && reader.readByte(type, "type");
        if (!header)
            return;
        if (tracing())
            logger->print("Got oid=%d, type=%d (%s)\n", oid, type, VtObject::getTypeName(type));
        std::unique_ptr<VtObject> object = createVtObject(type, oid);
        if (!object) {
            if (logger)
                logger->print("Creation of VtObject failed - invalid data (oid=%d, t=%d)\n", oid, type);
            return;
        }
        const int result = object->read(reader);
        if (result != 0) {
            if (logger)
                logger->print("Setup of VtObject failed - invalid data (res=%d)\n", result);
            return;
        }
        if (tracing() && object->getMacroCount())
            logger->print("Oid %d: Macros=%d\n", oid, object->getMacroCount());
        VtObject& stored = *object;
        insert(std::move(object));
        if (!tracing())
            continue;
        const uint32_t kind = stored.getType();
        if (kind >= 1 && kind <= 3)
            traceChilds(*logger, *childListOf(stored));
        else if (kind == 4)
            traceChilds(*logger, static_cast<VtObjectSoftKeyMask&>(stored).getChilds());
    }
}

int VtSession::serialisePool(VtWriter& writer)
{
    for (const std::unique_ptr<VtObject>& object : table) {
        if (!object)
            continue;
        if (!writer.writeOid(object->getOid(), "oid") || !writer.writeByte(uint8_t(object->getType()), "type") ||
            object->write(writer) != 0)
            return 1;
    }
    return 0;
}

void VtSession::endOfObjectPool()
{
    if (logger)
        logger->print("commandEndOfObjectPool (di=%p, ws=%p)\n", static_cast<void*>(display),
                      static_cast<void*>(working_set));
    if (!display || !working_set)
        return;
    const uint16_t shown = display->getActiveMask();
    if (logger)
        logger->print("resolveObservers\n");
    for (const std::unique_ptr<VtObject>& object : table)
        if (object)
            object->resolveReferences(*this);
    if (logger)
        logger->print("createDisplayElements\n");
    while (VtObject* object = pending.first()) {
        pending.remove(*object);
        object->notifyChanged();
    }
    display->setActiveMask(shown);
    if (display->getActiveMask() == 0xFFFF) {
        const uint16_t mask = static_cast<VtObjectWorkingSet*>(working_set)->getActiveMask();
        if (logger)
            logger->print("CHANGE activeMask, %d\n", mask);
        display->setActiveMask(mask);
    }
}

uint32_t VtSession::now() const
{
    return system ? system->currentTime() : 0;
}

void VtSession::sendToWorkingSet(VtWriter& writer)
{
    if (writer.getLength() && transport)
        transport->send(working_set_address, writer.getData(), writer.getLength());
}

void VtSession::sendStatus()
{
    event.reset();
    event.writeByte(254, "command");
    event.writeByte(working_set_address, "source address");
    event.writeUShort(display ? display->getActiveMask() : 0xFFFF, "active mask");
    event.writeUShort(display ? display->getActiveSoftKeyMask() : 0xFFFF, "active softkey mask");
    event.writeByte(busy_code, "busy code");
    event.writeByte(current_function, "vt function");
    event.padFF();
    if (transport)
        transport->send(global_address, event.getData(), event.getLength());
}

void VtSession::setBusyByFunction(uint8_t code)
{
    uint8_t busy = 0;
    uint8_t function = code;
    switch (code) {
    case 18:
        busy = 1;
        break;
    case 208:
        busy = 2;
        break;
    case 17:
    case 209:
        busy = 4;
        break;
    default:
        function = 0;
        break;
    }
    if (function == current_function && busy == busy_code)
        return;
    current_function = function;
    busy_code = busy;
    sendStatus();
}

int VtSession::periodicStatus()
{
    if (!transport)
        return 11;
    if (!system)
        return 12;
    const uint32_t time = now();
    if (time - last_status_time < status_period_ms)
        return 13;
    last_status_time = time;
    sendStatus();
    return 0;
}

void VtSession::noteMaintenance()
{
    last_maintenance_time = now();
}

bool VtSession::isWorkingSetLost() const
{
    return now() - last_maintenance_time > maintenance_timeout_ms;
}

void VtSession::sendSoftKeyActivation(uint16_t key, uint16_t parent_mask, uint8_t key_code, uint8_t activation_code)
{
    event.reset();
    event.writeByte(0, "command");
    event.writeByte(activation_code, "activation code");
    event.writeOid(key, "key");
    event.writeOid(parent_mask, "parent mask");
    event.writeByte(key_code, "key code");
    event.padFF();
    sendToWorkingSet(event);
}

void VtSession::sendButtonActivation(uint16_t button, uint16_t parent_mask, uint8_t key_code,
                                     uint8_t activation_code)
{
    event.reset();
    event.writeByte(1, "command");
    event.writeByte(activation_code, "activation code");
    event.writeOid(button, "button");
    event.writeOid(parent_mask, "parent mask");
    event.writeByte(key_code, "key code");
    event.padFF();
    sendToWorkingSet(event);
}

void VtSession::sendPointingEvent(uint16_t x, uint16_t y)
{
    event.reset();
    event.writeByte(2, "command");
    event.writeUShort(x, "x");
    event.writeUShort(y, "y");
    event.padFF();
    sendToWorkingSet(event);
}

void VtSession::sendSelectInputObject(uint16_t oid, bool selected)
{
    event.reset();
    event.writeByte(3, "command");
    event.writeOid(oid, "oid");
    event.writeByte(selected ? 1 : 0, "selected");
    event.padFF();
    sendToWorkingSet(event);
}

void VtSession::sendEsc(uint16_t oid, uint8_t error_code)
{
    event.reset();
    event.writeByte(4, "command");
    event.writeOid(oid, "oid");
    event.writeByte(error_code, "error code");
    event.padFF();
    sendToWorkingSet(event);
}

void VtSession::sendChangeNumericValue(uint16_t oid, uint32_t value, unsigned width)
{
    event.reset();
    event.writeByte(5, "command");
    event.writeOid(oid, "oid");
    event.writeByte(0xFF, "reserved");
    if (width == 1)
        event.writeByte(uint8_t(value), "value");
    else if (width == 2)
        event.writeUShort(uint16_t(value), "value");
    else
        event.writeUInt(value, "value");
    event.pad00();
    sendToWorkingSet(event);
}

void VtSession::sendChangeActiveMask(uint16_t mask, uint16_t faulty_object, uint16_t faulty_parent,
                                     uint8_t error_code)
{
    event.reset();
    event.writeByte(6, "command");
    event.writeOid(mask, "mask");
    event.writeByte(error_code, "error code");
    event.writeOid(faulty_object, "faulty object");
    event.writeOid(faulty_parent, "faulty parent");
    event.padFF();
    sendToWorkingSet(event);
}

void VtSession::sendChangeSoftKeyMask(uint16_t soft_key_mask, uint16_t mask, uint8_t error_code)
{
    event.reset();
    event.writeByte(7, "command");
    event.writeOid(mask, "mask");
    event.writeOid(soft_key_mask, "soft key mask");
    event.writeByte(error_code, "error code");
    event.padFF();
    sendToWorkingSet(event);
}

void VtSession::sendChangeStringValue(uint16_t oid, const std::string& text)
{
    event.reset();
    event.writeByte(8, "command");
    event.writeOid(oid, "oid");
    if (!event.writeStringL1(text, "value"))
        return;
    event.padFF();
    sendToWorkingSet(event);
}

void VtSession::dump(VtLogger& logger) const
{
    VtSessionDump(*this, logger).dump();
}
