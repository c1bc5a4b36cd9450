#include "vt_pool/VtPool.h"
#include "platform/rtos/Bugger.h"
#include "vt_pool/VtObjectDataMask.h"
#include "vt_pool/VtObjectWorkingSet.h"
#include "vt_pool/VtWriter.h"

VtPool::VtPool() : objects(capacity)
{
    add(std::make_unique<VtObjectWorkingSet>(nextOid()));
}

VtPool::~VtPool()
{
    clear();
}

uint16_t VtPool::nextOid()
{
    if (next_oid >= VtObject::no_object)
        Bugger::report_bug("VtPool: out of object IDs");
    return uint16_t(next_oid++);
}

bool VtPool::add(std::unique_ptr<VtObject> object)
{
    if (!object)
        return false;
    const uint16_t oid = object->getOid();
    if (oid == VtObject::no_object)
        return false;
    std::unique_ptr<VtObject>& slot = objects[oid];
    if (slot) {
        slot->getDisplayElements().closeAll();
        if (slot.get() == working_set)
            working_set = nullptr;
        if (slot.get() == current_mask)
            current_mask = nullptr;
    }
    slot = std::move(object);
    if (slot->getType() == 0)
        working_set = static_cast<VtObjectWorkingSet*>(slot.get());
    return true;
}

VtObject* VtPool::get(uint32_t oid) const
{
    return oid < capacity ? objects[oid].get() : nullptr;
}

void VtPool::clear()
{
    working_set = nullptr;
    current_mask = nullptr;
    for (std::unique_ptr<VtObject>& slot : objects) {
        if (!slot)
            continue;
        slot->getDisplayElements().closeAll();
        slot.reset();
    }
}

int VtPool::serialise(VtWriter& writer) const
{
    for (const std::unique_ptr<VtObject>& object : objects) {
        if (!object)
            continue;
        if (!writer.writeOid(object->getOid(), "oid") || !writer.writeByte(uint8_t(object->getType()), "type")
            || object->write(writer) != 0)
            return 1;
    }
    return 0;
}
