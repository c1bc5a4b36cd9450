#include "vt_pool/VtFieldReader.h"
#include "vt_pool/VtObject.h"
#include "vt_pool/VtReader.h"
#include "vt_pool/VtReference.h"
#include "vt_pool/model/VtMacroList.h"
#include "vt_pool/model/VtObjectList.h"
#include "vt_pool/model/VtObjectRefList.h"

#include <cstring>

bool VtFieldReader::is(const char* name) const
{
    return only && std::strcmp(only->field, name) == 0;
}

bool VtFieldReader::wanted(const char* name) const
{
    return only ? is(name) : ok;
}

template <class Value>
void VtFieldReader::plain(const char* name, Value& value, bool (VtReader::*read)(Value&, const char*))
{
    if (wanted(name))
        keep((reader.*read)(value, name));
}

void VtFieldReader::colour(const char* name, VtColour& value)
{
    plain(name, value, &VtReader::readColour);
}

void VtFieldReader::flag(const char* name, bool& value)
{
    plain(name, value, &VtReader::readBool);
}

void VtFieldReader::u8(const char* name, uint8_t& value)
{
    plain(name, value, &VtReader::readByte);
}

void VtFieldReader::u16(const char* name, uint16_t& value)
{
    plain(name, value, &VtReader::readUShort);
}

void VtFieldReader::u32(const char* name, uint32_t& value)
{
    plain(name, value, &VtReader::readUInt);
}

void VtFieldReader::s32(const char* name, int32_t& value)
{
    plain(name, value, &VtReader::readSInt);
}

void VtFieldReader::f32(const char* name, double& value)
{
    plain(name, value, &VtReader::readFloat);
}

void VtFieldReader::size(const char* name, VtSize& value)
{
    uint16_t part;
    if (is("width")) {
        if (reader.readUShort(part, "width"))
            value.width = part;
    } else if (is("height")) {
        if (reader.readUShort(part, "height"))
            value.height = part;
    } else if (wanted(name)) {
        keep(reader.readSize(value, name));
    }
}

void VtFieldReader::width(const char* name, VtSize& value)
{
    uint16_t width = 0;
    if (!wanted(name))
        return;
    const bool read = reader.readUShort(width, name);
    keep(read);
    if (read)
        value.width = width;
}

void VtFieldReader::squareWidth(const char* name, VtSize& value)
{
    VtSize size;
    if (is("size")) {
        if (reader.readSize(size, "size"))
            value = VtSize(size.width, size.width);
        return;
    }
    uint16_t width = 0;
    if (!wanted(name))
        return;
    const bool read = reader.readUShort(width, name);
    keep(read);
    if (read)
        value = VtSize(width, width);
}

void VtFieldReader::reference(const char* name, VtReference& value)
{
    uint16_t oid = 0;
    if (wanted(name)) {
        const bool read = reader.readOid(oid, name);
        keep(read);
        if (read && only && !only->retarget)
            value.set(oid);
        else if (read)
            value.retarget(oid);
    }
    if (!only)
        value.sync();
}

void VtFieldReader::string(const char* name, std::string& value)
{
    plain(name, value, &VtReader::readString);
}

void VtFieldReader::stringL1(const char* name, std::string& value)
{
    plain(name, value, &VtReader::readStringL1);
}

void VtFieldReader::readCount(const char* name, unsigned bytes, const void* list)
{
    if (!wanted(name) || n_counts == sizeof counts / sizeof counts[0])
        return;
    uint32_t count = 0;
    bool read = false;
    if (bytes == 1) {
        uint8_t byte;
        read = reader.readByte(byte, name);
        count = byte;
    } else if (bytes == 2) {
        uint16_t word;
        read = reader.readUShort(word, name);
        count = word;
    } else {
        read = reader.readUInt(count, name);
    }
    keep(read);
    if (read)
        counts[n_counts++] = {list, count};
}

uint32_t VtFieldReader::countOf(const void* list) const
{
    for (unsigned i = 0; i < n_counts; ++i)
        if (counts[i].list == list)
            return counts[i].count;
    return 0;
}

void VtFieldReader::childCount(const char* name, VtObjectRefList& list)
{
    readCount(name, 1, &list);
}

void VtFieldReader::childs(const char* name, VtObjectRefList& list)
{
    if (wanted(name))
        keep(reader.readObjectRefList(list, countOf(&list), name));
}

void VtFieldReader::objectCount(const char* name, VtObjectList& list)
{
    readCount(name, 1, &list);
}

void VtFieldReader::objects(const char* name, VtObjectList& list)
{
    if (wanted(name))
        keep(reader.readObjectList(list, countOf(&list), name));
}

void VtFieldReader::macroCount(const char* name)
{
    readCount(name, 1, &object.macros);
}

void VtFieldReader::macros(const char* name)
{
    if (!wanted(name))
        return;
    // At most 255 slots: the count is one byte.
    const uint32_t count = countOf(&object.macros);
    auto list = std::make_unique<VtMacroList>(count);
    const bool read = reader.readMacroList(*list, count, name);
    keep(read);
    if (read)
        object.macros = std::move(list);
}

void VtFieldReader::pointCount(const char* name, std::vector<VtPoint>& points)
{
    readCount(name, 1, &points);
}

void VtFieldReader::points(const char* name, std::vector<VtPoint>& points)
{
    if (!wanted(name))
        return;
    const uint32_t count = countOf(&points);
    if (reader.remaining() < 4ull * count) {
        ok = false;
        return;
    }
    points.assign(count, VtPoint());
    for (VtPoint& point : points) {
        reader.readUShort(point.x, "px");
        reader.readUShort(point.y, "py");
    }
}

void VtFieldReader::languageCount(const char* name, std::vector<VtLanguageCode>& codes)
{
    readCount(name, 1, &codes);
}

void VtFieldReader::languages(const char* name, std::vector<VtLanguageCode>& codes)
{
    if (!wanted(name))
        return;
    const uint32_t count = countOf(&codes);
    if (reader.remaining() < 2ull * count) {
        ok = false;
        return;
    }
    codes.assign(count, VtLanguageCode());
    std::string code;
    for (VtLanguageCode& language : codes) {
        reader.readString(code, 2, name);
        language = {code[0], code[1]};
    }
}

void VtFieldReader::dataLength(const char* name, unsigned bytes, std::vector<uint8_t>& data)
{
    readCount(name, bytes, &data);
}

void VtFieldReader::data(const char* name, std::vector<uint8_t>& data)
{
    if (wanted(name))
        keep(reader.readData(data, countOf(&data), name));
}
