// The ECU-to-VT commands of a session: each reads its request, changes the
// objects and their display elements, and builds its response in the
// session's response writer. A field missing from a short request keeps its
// initial value (object IDs 65535, numbers 0) and the command still runs.
#include "vt_pool/VtChildList.h"
#include "vt_pool/VtDisplayElement.h"
#include "vt_pool/VtDisplayInterface.h"
#include "vt_pool/VtObjectAlarmMask.h"
#include "vt_pool/VtObjectArchedBarGraph.h"
#include "vt_pool/VtObjectContainer.h"
#include "vt_pool/VtObjectDataMask.h"
#include "vt_pool/VtObjectFillAttribute.h"
#include "vt_pool/VtObjectFontAttribute.h"
#include "vt_pool/VtObjectInputFieldBoolean.h"
#include "vt_pool/VtObjectInputFieldList.h"
#include "vt_pool/VtObjectInputFieldNumber.h"
#include "vt_pool/VtObjectInputFieldString.h"
#include "vt_pool/VtObjectLine.h"
#include "vt_pool/VtObjectLineAttribute.h"
#include "vt_pool/VtObjectLinearBarGraph.h"
#include "vt_pool/VtObjectMeter.h"
#include "vt_pool/VtObjectNumberVariable.h"
#include "vt_pool/VtObjectOutputFieldNumber.h"
#include "vt_pool/VtObjectOutputFieldString.h"
#include "vt_pool/VtObjectPointer.h"
#include "vt_pool/VtObjectStringVariable.h"
#include "vt_pool/VtReader.h"
#include "vt_pool/VtSession.h"
#include "vt_pool/VtSystemInterface.h"
#include "vt_pool/model/VtColour.h"
#include "vt_pool/model/VtDisplayElementCommands.h"
#include "vt_pool/model/VtObjectList.h"
#include "vt_pool/model/VtObjectRefList.h"

#include <algorithm>
#include <string>

namespace {

constexpr uint16_t no_object = 0xFFFF;
constexpr uint32_t label_length = 7;

class Commands {
public:
    explicit Commands(VtSession& session)
        : session(session), out(session.getResponseWriter()), display(session.getDisplay()),
          system(session.getSystem())
    {
    }

    // False for a function the VT does not know.
    bool run(uint8_t code, VtReader& in);

private:
    VtObject* find(uint16_t oid) const { return session.lookup(oid); }
    VtObject* findOfType(uint16_t oid, uint32_t type) const
    {
        VtObject* object = find(oid);
        return object && object->getType() == type ? object : nullptr;
    }
    void applyToElements(VtObject& object, VtDisplayElementCommand&& command)
    {
        object.getDisplayElements().applyCommand(command);
    }
    // The response's function code, object ID and error, padded with 0xFF.
    void answer(uint8_t code, uint16_t oid, uint8_t error)
    {
        out.writeByte(code, "command");
        out.writeOid(oid, "oid");
        out.writeByte(error, "error");
        out.padFF();
    }
    // A version label: exactly 7 bytes, kept as text.
    static std::string readLabel(VtReader& in)
    {
        std::string label;
        in.readString(label, label_length, "label");
        return label;
    }
    // The function code, four reserved bytes, the error code and two more.
    void answerVersion(uint8_t code, uint8_t error)
    {
        out.writeByte(code, "command");
        out.writeUInt(0xFFFFFFFF, "reserved");
        out.writeByte(error, "error");
        out.padFF();
    }

    void endOfObjectPool();
    void esc();
    void hideShow(VtReader& in);
    void enableDisable(VtReader& in);
    void selectInputObject(VtReader& in);
    void audioSignal(VtReader& in);
    void audioVolume(VtReader& in);
    void moveChild(uint8_t code, VtReader& in);
    void changeSize(VtReader& in);
    void changeBackgroundColour(VtReader& in);
    void changeNumericValue(VtReader& in);
    void changePointer(VtObjectPointer& pointer, uint16_t value);
    void changeEndPoint(VtReader& in);
    void changeFontAttributes(VtReader& in);
    void changeLineAttributes(VtReader& in);
    void changeFillAttributes(VtReader& in);
    void changeActiveMask(VtReader& in);
    void changeSoftKeyMask(VtReader& in);
    void changeAttribute(VtReader& in);
    void changePriority(VtReader& in);
    void changeListItem(VtReader& in);
    void deleteObjectPool();
    void changeStringValue(VtReader& in);
    void getMemory(VtReader& in);
    void getNumberOfSoftKeys();
    void getTextFontData();
    void getHardware();
    void storeVersion(VtReader& in);
    void loadVersion(VtReader& in);
    void deleteVersion(VtReader& in);
    void getVersions();

    VtSession& session;
    VtWriter& out;
    VtDisplayInterface* display;
    VtSystemInterface* system;
};

bool Commands::run(uint8_t code, VtReader& in)
{
    switch (code) {
    case 17:
        session.parsePool(in);
        break;
    case 18:
        endOfObjectPool();
        break;
    case 32:
    case 33:
        break;
    case 146:
        esc();
        break;
    case 160:
        hideShow(in);
        break;
    case 161:
        enableDisable(in);
        break;
    case 162:
        selectInputObject(in);
        break;
    case 163:
        audioSignal(in);
        break;
    case 164:
        audioVolume(in);
        break;
    case 165:
    case 180:
        moveChild(code, in);
        break;
    case 166:
        changeSize(in);
        break;
    case 167:
        changeBackgroundColour(in);
        break;
    case 168:
        changeNumericValue(in);
        break;
    case 169:
        changeEndPoint(in);
        break;
    case 170:
        changeFontAttributes(in);
        break;
    case 171:
        changeLineAttributes(in);
        break;
    case 172:
        changeFillAttributes(in);
        break;
    case 173:
        changeActiveMask(in);
        break;
    case 174:
        changeSoftKeyMask(in);
        break;
    case 175:
        changeAttribute(in);
        break;
    case 176:
        changePriority(in);
        break;
    case 177:
        changeListItem(in);
        break;
    case 178:
        deleteObjectPool();
        break;
    case 179:
        changeStringValue(in);
        break;
    case 192:
        getMemory(in);
        break;
    case 194:
        getNumberOfSoftKeys();
        break;
    case 195:
        getTextFontData();
        break;
    case 199:
        getHardware();
        break;
    case 208:
        storeVersion(in);
        break;
    case 209:
        loadVersion(in);
        break;
    case 210:
        deleteVersion(in);
        break;
    case 223:
        getVersions();
        break;
    case 255:
        session.noteMaintenance();
        break;
    default:
        return false;
    }
    return true;
}

void Commands::endOfObjectPool()
{
    session.endOfObjectPool();
    out.writeByte(18, "command");
    out.writeByte(0, "error");
    out.writeOid(no_object, "faulty parent");
    out.writeOid(no_object, "faulty object");
    out.writeByte(0, "object pool error");
    out.padFF();
}

void Commands::esc()
{
    VtDisplayElement* selected = display ? display->getSelectedElement() : nullptr;
    VtObject* object = selected ? selected->getObject() : nullptr;
    if (object && object->isInputField()) {
        const uint16_t oid = object->getOid();
        selected->deselect();
        answer(146, oid, 0);
    } else {
        answer(146, no_object, 1);
    }
}

void Commands::hideShow(VtReader& in)
{
    uint16_t oid = no_object;
    uint8_t state = 0;
    in.readOid(oid, "oid");
    in.readByte(state, "state");
    uint8_t error = 1;
    if (VtObject* object = find(oid)) {
        if (object->getType() == 3)
            static_cast<VtObjectContainer*>(object)->setHidden(!state);
        if (state)
            applyToElements(*object, VtDisplayElementCommandShow());
        else
            applyToElements(*object, VtDisplayElementCommandHide());
        error = 0;
    }
    out.writeByte(160, "command");
    out.writeOid(oid, "oid");
    out.writeByte(state, "state");
    out.writeByte(error, "error");
    out.padFF();
}

// Answered as ISO 11783-6 has it: the object ID, the state and the error.
void Commands::enableDisable(VtReader& in)
{
    uint16_t oid = no_object;
    uint8_t state = 0;
    in.readOid(oid, "oid");
    in.readByte(state, "state");
    uint8_t error = 2;
    VtObject* object = find(oid);
    if (object && object->hasDisplayElements()) {
        if (state)
            applyToElements(*object, VtDisplayElementCommandEnable());
        else
            applyToElements(*object, VtDisplayElementCommandDisable());
        error = 0;
    }
    out.writeByte(161, "command");
    out.writeOid(oid, "oid");
    out.writeByte(state, "state");
    out.writeByte(error, "error");
    out.padFF();
}

void Commands::selectInputObject(VtReader& in)
{
    uint16_t oid = no_object;
    in.readOid(oid, "oid");
    uint8_t error = 2;
    VtObject* object = find(oid);
    if (object && object->isInputField()) {
        VtDisplayElement* element = object->getDisplayElements().first();
        if (!element)
            error = 4;
        else if (!element->isEnabled())
            error = 1;
        else if (!element->isShown())
            error = 4;
        else {
            element->select();
            element->setSelected(true);
            if (display)
                display->setSelectedElement(element);
            error = 0;
        }
    }
    out.writeByte(162, "command");
    out.writeOid(oid, "oid");
    out.writeByte(0, "reserved");
    out.writeByte(error, "error");
    out.padFF();
}

void Commands::audioSignal(VtReader& in)
{
    uint8_t repetitions = 0;
    uint16_t frequency = 0;
    uint16_t on_ms = 0;
    uint16_t off_ms = 0;
    in.readByte(repetitions, "number_repetitions");
    in.readUShort(frequency, "frequency_hz");
    in.readUShort(on_ms, "on_time_ms");
    in.readUShort(off_ms, "off_time_ms");
    uint8_t error = 16;
    if (system)
        error = system->audioSignal(repetitions, frequency, on_ms, off_ms) == 10 ? 1 : 0;
    out.writeByte(163, "command");
    out.writeByte(error, "error");
    out.padFF();
}

void Commands::audioVolume(VtReader& in)
{
    uint8_t volume = 0;
    in.readByte(volume, "volume");
    uint8_t error = 16;
    if (system)
        error = system->setVolume(volume) == 10 ? 1 : 0;
    out.writeByte(164, "command");
    out.writeByte(error, "error");
    out.padFF();
}

// 165 moves a child by the offsets less 127, 180 places it.
void Commands::moveChild(uint8_t code, VtReader& in)
{
    uint16_t parent_oid = no_object;
    uint16_t oid = no_object;
    in.readOid(parent_oid, "parent_oid");
    in.readOid(oid, "oid");
    int32_t x = 0;
    int32_t y = 0;
    if (code == 165) {
        uint8_t dx = 0;
        uint8_t dy = 0;
        in.readByte(dx, "dx");
        in.readByte(dy, "dy");
        x = int32_t(dx) - 127;
        y = int32_t(dy) - 127;
    } else {
        int16_t at_x = 0;
        int16_t at_y = 0;
        in.readSShort(at_x, "x");
        in.readSShort(at_y, "y");
        x = at_x;
        y = at_y;
    }
    VtObject* parent = find(parent_oid);
    VtObject* child = find(oid);
    const uint8_t error = uint8_t((parent ? 0 : 1) | (child ? 0 : 2));
    if (parent && child) {
        const uint32_t type = parent->getType();
        if (type <= 3 || type == 6)
            childListOf(*parent)->setPositions(oid, x, y, code == 165);
        if (code == 165)
            applyToElements(*child, VtDisplayElementCommandChangeChildLocation(parent_oid, x, y));
        else
            applyToElements(*child, VtDisplayElementCommandSetPosition(parent_oid, x, y));
    }
    out.writeByte(code, "command");
    out.writeOid(parent_oid, "parent_oid");
    out.writeOid(oid, "oid");
    out.writeByte(error, "error");
    out.padFF();
}

void Commands::changeSize(VtReader& in)
{
    uint16_t oid = no_object;
    int16_t width = 0;
    int16_t height = 0;
    in.readOid(oid, "oid");
    in.mark();
    in.readSShort(width, "width");
    in.readSShort(height, "height");
    in.rewind();
    // Sizes are 16-bit on the wire, whatever sign their fields carry.
    const VtSize size{uint16_t(width), uint16_t(height)};
    uint8_t error = 1;
    if (VtObject* object = find(oid)) {
        object->setAttribute(101, in);
        if (object->hasDisplayElements()) {
            object->setSize(size);
            applyToElements(*object,
                            VtDisplayElementCommandChangeSize(int32_t(size.width), int32_t(size.height)));
        }
        error = 0;
    }
    answer(166, oid, error);
}

void Commands::changeBackgroundColour(VtReader& in)
{
    uint16_t oid = no_object;
    uint8_t colour = 0;
    in.readOid(oid, "oid");
    in.mark();
    in.readByte(colour, "background_colour");
    in.rewind();
    uint8_t error = 1;
    if (VtObject* object = find(oid)) {
        object->setAttribute(100, in);
        object->notifyChanged();
        error = 0;
    }
    out.writeByte(167, "command");
    out.writeOid(oid, "oid");
    out.writeByte(colour, "background_colour");
    out.writeByte(error, "error");
    out.padFF();
}

void Commands::changeNumericValue(VtReader& in)
{
    uint16_t oid = no_object;
    uint8_t dummy = 0;
    in.readOid(oid, "oid");
    in.readByte(dummy, "dummy");
    VtObject* object = find(oid);
    out.writeByte(168, "command");
    out.writeOid(oid, "oid");
    out.writeByte(object ? 0 : 1, "error");
    if (!object) {
        out.pad00();
        return;
    }
    switch (object->getType()) {
    case 7: {
        bool value = false;
        in.readBool(value, "value");
        static_cast<VtObjectInputFieldBoolean*>(object)->setValue(value);
        out.writeByte(value, "value");
        break;
    }
    case 9:
    case 12:
    case 21: {
        uint32_t value = 0;
        in.readUInt(value, "value");
        if (object->getType() == 9)
            static_cast<VtObjectInputFieldNumber*>(object)->setValue(value);
        else if (object->getType() == 12)
            static_cast<VtObjectOutputFieldNumber*>(object)->setValue(value);
        else
            static_cast<VtObjectNumberVariable*>(object)->setValue(value);
        out.writeUInt(value, "value");
        break;
    }
    case 10: {
        uint8_t value = 0;
        in.readByte(value, "value");
        static_cast<VtObjectInputFieldList*>(object)->setValue(value);
        out.writeByte(value, "value");
        break;
    }
    case 17:
    case 18:
    case 19: {
        uint16_t value = 0;
        in.readUShort(value, "value");
        if (object->getType() == 17)
            static_cast<VtObjectMeter*>(object)->setValue(value);
        else if (object->getType() == 18)
            static_cast<VtObjectLinearBarGraph*>(object)->setValue(value);
        else
            static_cast<VtObjectArchedBarGraph*>(object)->setValue(value);
        out.writeUShort(value, "value");
        break;
    }
    case 27: {
        uint16_t value = no_object;
        in.readOid(value, "value");
        changePointer(*static_cast<VtObjectPointer*>(object), value);
        out.writeOid(value, "value");
        break;
    }
    default:
        out.pad00();
        return;
    }
    object->notifyChanged();
    out.pad00();
}

// The elements of the old target below the pointer close, the pointer
// follows the new ID, and its elements create the new target's below them.
void Commands::changePointer(VtObjectPointer& pointer, uint16_t value)
{
    if (value == pointer.getValue())
        return;
    VtObject* old_target = find(pointer.getValue());
    if (old_target && old_target->hasDisplayElements() && pointer.hasDisplayElements())
        applyToElements(*old_target, VtDisplayElementCommandCloseChildsWithSelectedParent(pointer.getOid()));
    pointer.setValue(value);
    pointer.resolveReferences(session);
    if (display && pointer.hasDisplayElements())
        applyToElements(pointer, VtDisplayElementCommandCreateNewChilds(*display));
}

void Commands::changeEndPoint(VtReader& in)
{
    uint16_t oid = no_object;
    uint16_t width = 0;
    uint16_t height = 0;
    uint8_t direction = 0;
    in.readOid(oid, "oid");
    in.readUShort(width, "width");
    in.readUShort(height, "height");
    in.readByte(direction, "line_direction");
    uint8_t error = direction >= 2 ? 2 : 0;
    VtObject* line = findOfType(oid, 13);
    if (line && !error) {
        auto& object = static_cast<VtObjectLine&>(*line);
        object.setWidth(width);
        object.setHeight(height);
        object.setLineDirection(direction);
        object.notifyChanged();
        applyToElements(object, VtDisplayElementCommandChangeSize(width, height));
    } else {
        error |= 1;
    }
    answer(169, oid, error);
}

void Commands::changeFontAttributes(VtReader& in)
{
    uint16_t oid = no_object;
    uint8_t colour = 0;
    uint8_t size = 0;
    uint8_t type = 0;
    uint8_t style = 0;
    in.readOid(oid, "oid");
    in.readByte(colour, "font_colour");
    in.readByte(size, "font_size");
    in.readByte(type, "font_type");
    in.readByte(style, "font_style");
    uint8_t error = uint8_t((size >= 15 ? 4 : 0) | (type > 1 && type != 255 ? 8 : 0) | (style >= 128 ? 16 : 0));
    VtObject* font = findOfType(oid, 23);
    if (font && !error) {
        auto& object = static_cast<VtObjectFontAttribute&>(*font);
        object.setFontColour(VtColour(colour));
        object.setFontSize(size);
        object.setFontType(type);
        object.setFontStyle(style);
        object.notifyChanged();
    } else {
        error |= 1;
    }
    answer(170, oid, error);
}

void Commands::changeLineAttributes(VtReader& in)
{
    uint16_t oid = no_object;
    uint8_t colour = 0;
    uint8_t width = 0;
    uint16_t art = 0;
    in.readOid(oid, "oid");
    in.readByte(colour, "line_colour");
    in.readByte(width, "line_width");
    in.readUShort(art, "line_art");
    uint8_t error = 1;
    if (VtObject* line = findOfType(oid, 24)) {
        auto& object = static_cast<VtObjectLineAttribute&>(*line);
        object.setLineColour(VtColour(colour));
        object.setLineWidth(width);
        object.setLineArt(art);
        object.notifyChanged();
        error = 0;
    }
    answer(171, oid, error);
}

void Commands::changeFillAttributes(VtReader& in)
{
    uint16_t oid = no_object;
    uint8_t type = 0;
    uint8_t colour = 0;
    uint16_t pattern = 0;
    in.readOid(oid, "oid");
    in.readByte(type, "fill_type");
    in.readByte(colour, "fill_colour");
    in.readUShort(pattern, "fill_pattern");
    uint8_t error = type >= 4 ? 2 : 0;
    VtObject* fill = findOfType(oid, 25);
    if (fill && !error) {
        auto& object = static_cast<VtObjectFillAttribute&>(*fill);
        object.setFillColour(VtColour(colour));
        object.setFillPattern(pattern);
        object.setFillType(type);
        object.notifyChanged();
    } else {
        error |= 1;
    }
    answer(172, oid, error);
}

void Commands::changeActiveMask(VtReader& in)
{
    uint16_t working_set = no_object;
    uint16_t mask = no_object;
    in.readOid(working_set, "workingset");
    in.readOid(mask, "active_mask");
    VtObject* object = find(mask);
    uint8_t error = 1;
    if (object && (object->getType() == 1 || object->getType() == 2)) {
        if (display)
            display->setActiveMask(mask);
        error = 0;
    }
    answer(173, mask, error);
}

void Commands::changeSoftKeyMask(VtReader& in)
{
    uint16_t mask_oid = no_object;
    uint16_t keys_oid = no_object;
    in.readOid(mask_oid, "data_mask");
    in.readOid(keys_oid, "softkey_mask");
    if (VtObject* mask = find(mask_oid)) {
        if (mask->getType() == 1)
            static_cast<VtObjectDataMask*>(mask)->setSoftKeyMask(keys_oid);
        else if (mask->getType() == 2)
            static_cast<VtObjectAlarmMask*>(mask)->setSoftKeyMask(keys_oid);
    }
    uint8_t error = 1;
    if (VtObject* keys = findOfType(keys_oid, 4)) {
        if (display)
            display->setSoftKeyElement(keys->getDisplayElements().first());
        error = 0;
    }
    out.writeByte(174, "command");
    out.writeOid(mask_oid, "data_mask");
    out.writeOid(keys_oid, "softkey_mask");
    out.writeByte(error, "error");
    out.padFF();
}

void Commands::changeAttribute(VtReader& in)
{
    uint16_t oid = no_object;
    uint8_t aid = 0;
    in.readOid(oid, "oid");
    in.readByte(aid, "aid");
    uint8_t error = 1;
    if (VtObject* object = find(oid)) {
        const int result = object->setAttribute(aid, in);
        error = result == 2 ? 2 : 0;
        if (result == 0) {
            object->notifyChanged();
            const uint32_t type = object->getType();
            if (aid == 2 && display && type == 1)
                display->setActiveSoftKeyMask(static_cast<VtObjectDataMask*>(object)->getSoftKeyMask());
            else if (aid == 2 && display && type == 2)
                display->setActiveSoftKeyMask(static_cast<VtObjectAlarmMask*>(object)->getSoftKeyMask());
        }
    }
    out.writeByte(175, "command");
    out.writeOid(oid, "oid");
    out.writeByte(aid, "aid");
    out.writeByte(error, "error");
    out.padFF();
}

void Commands::changePriority(VtReader& in)
{
    uint16_t oid = no_object;
    uint8_t priority = 0;
    in.readOid(oid, "oid");
    in.readByte(priority, "priority");
    uint8_t error = priority >= 3 ? 2 : 0;
    VtObject* mask = findOfType(oid, 2);
    if (mask && !error) {
        static_cast<VtObjectAlarmMask*>(mask)->setPriority(priority);
        mask->notifyChanged();
    } else {
        error |= 1;
    }
    out.writeByte(176, "command");
    out.writeOid(oid, "oid");
    out.writeByte(priority, "priority");
    out.writeByte(error, "error");
    out.padFF();
}

void Commands::changeListItem(VtReader& in)
{
    uint16_t oid = no_object;
    uint8_t index = 0;
    uint16_t new_object = no_object;
    in.readOid(oid, "oid");
    in.readByte(index, "list_index");
    in.readOid(new_object, "new_object");
    if (VtObject* found = findOfType(oid, 10)) {
        auto& list = static_cast<VtObjectInputFieldList&>(*found);
        if (new_object != no_object) {
            const int32_t position = list.getElements().indexOf(new_object);
            if (position >= 0)
                index = uint8_t(position);
        }
        if (index < list.getElements().count())
            list.setValue(index);
        list.notifyChanged();
    }
    out.writeByte(177, "command");
    out.padFF();
}

void Commands::deleteObjectPool()
{
    if (display)
        display->clear();
    session.deleteAll();
    out.writeByte(178, "command");
    out.writeByte(0, "error");
    out.padFF();
}

void Commands::changeStringValue(VtReader& in)
{
    uint16_t oid = no_object;
    std::string value;
    in.readOid(oid, "oid");
    in.readString(value, "value");
    VtObject* object = find(oid);
    if (object) {
        if (object->getType() == 8)
            static_cast<VtObjectInputFieldString*>(object)->setValue(value);
        else if (object->getType() == 11)
            static_cast<VtObjectOutputFieldString*>(object)->setValue(value);
        else if (object->getType() == 22)
            static_cast<VtObjectStringVariable*>(object)->setValue(value);
        object->notifyChanged();
    }
    answer(179, oid, object ? 0 : 1);
}

void Commands::getMemory(VtReader& in)
{
    uint8_t reserved = 0;
    uint32_t required = 0;
    const bool read = in.readByte(reserved, "reserved") && in.readUInt(required, "required memory");
    uint8_t status = 1;
    if (system && read) {
        const uint64_t available = system->availableMemory();
        status = available <= 0xFFFFFFFFu && available < required ? 1 : 0;
    }
    out.writeByte(192, "command");
    out.writeByte(system ? system->vtVersion() : 0, "version");
    out.writeByte(status, "status");
    out.padFF();
}

void Commands::getNumberOfSoftKeys()
{
    const VtSystemInterface::SoftKeys keys = system ? system->softKeys() : VtSystemInterface::SoftKeys{};
    out.writeByte(194, "command");
    out.writeByte(0xFF, "reserved");
    out.writeByte(0xFF, "reserved");
    out.writeByte(0xFF, "reserved");
    out.writeByte(keys.descriptor_width, "descriptor width");
    out.writeByte(keys.descriptor_height, "descriptor height");
    out.writeByte(keys.virtual_keys, "virtual soft keys");
    out.writeByte(keys.physical, "physical soft keys");
}

void Commands::getTextFontData()
{
    const VtSystemInterface::Fonts fonts = system ? system->fonts() : VtSystemInterface::Fonts{};
    out.writeByte(195, "command");
    out.writeUInt(0xFFFFFFFF, "reserved");
    out.writeByte(fonts.small_font_bits, "small fonts");
    out.writeByte(fonts.large_font_bits, "large fonts");
    out.writeByte(fonts.type_attributes, "type attributes");
}

void Commands::getHardware()
{
    const VtSystemInterface::Hardware hardware = system ? system->hardware() : VtSystemInterface::Hardware{};
    out.writeByte(199, "command");
    out.writeByte(0xFF, "reserved");
    out.writeByte(hardware.graphic_type, "graphic type");
    out.writeByte(hardware.hardware_bits, "hardware");
    out.writeUShort(hardware.data_mask_width, "data mask width");
    out.writeUShort(hardware.data_mask_height, "data mask height");
}

// Error bits as ISO 11783-6 gives them: 2 not enough room for the pool, 4
// any other failure to store it.
void Commands::storeVersion(VtReader& in)
{
    const std::string label = readLabel(in);
    VtWriter pool(VtSession::version_capacity, session.getLogger());
    uint8_t error = 4;
    if (session.serialisePool(pool) != 0)
        error = 2;
    else if (system && system->storeVersion(label, pool) == 0)
        error = 0;
    answerVersion(208, error);
}

void Commands::loadVersion(VtReader& in)
{
    const std::string label = readLabel(in);
    uint8_t error = 0;
    if (system) {
        VtReader pool(session.getLogger());
        if (system->loadVersion(label, pool) != 0) {
            error = 2;
        } else {
            session.parsePool(pool);
            session.endOfObjectPool();
        }
    }
    answerVersion(209, error);
}

void Commands::deleteVersion(VtReader& in)
{
    const std::string label = readLabel(in);
    if (system)
        system->deleteVersion(label);
    answerVersion(210, 0);
}

// As many labels as the response holds, and the count of those sent.
void Commands::getVersions()
{
    const uint32_t stored = system ? system->storedVersionCount() : 0;
    const uint32_t room = (VtSession::message_capacity - 2) / label_length;
    const uint32_t count = std::min({stored, room, uint32_t(255)});
    out.writeByte(224, "command");
    out.writeByte(uint8_t(count), "count");
    for (uint32_t i = 0; i < count; ++i) {
        std::string label;
        if (system->versionLabel(i, label) != 0)
            label.clear();
        label.resize(label_length, ' ');
        out.writeData(reinterpret_cast<const uint8_t*>(label.data()), label_length, "label");
    }
}

}

int VtSession::handleMessage(const uint8_t* bytes, uint32_t length)
{
    VtReader reader(logger);
    reader.setData(bytes, length);
    return dispatch(reader);
}

int VtSession::dispatch(VtReader& reader)
{
    uint8_t code = 0;
    reader.readByte(code, "command");
    response.reset();
    setBusyByFunction(code);
    const bool known = Commands(*this).run(code, reader);
    sendToWorkingSet(response);
    setBusyByFunction(0);
    return known ? 0 : 1;
}
