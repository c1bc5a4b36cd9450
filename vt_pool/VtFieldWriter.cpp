#include "vt_pool/VtFieldWriter.h"
#include "vt_pool/VtObject.h"
#include "vt_pool/VtReference.h"
#include "vt_pool/VtWriter.h"
#include "vt_pool/model/VtMacroList.h"
#include "vt_pool/model/VtObjectList.h"
#include "vt_pool/model/VtObjectRefList.h"

template <class Value>
void VtFieldWriter::plain(const char* name, Value value, bool (VtWriter::*write)(Value, const char*))
{
    if (ok)
        keep((writer.*write)(value, name));
}

void VtFieldWriter::colour(const char* name, VtColour& value)
{
    plain<const VtColour&>(name, value, &VtWriter::writeColour);
}

void VtFieldWriter::flag(const char* name, bool& value)
{
    plain<bool>(name, value, &VtWriter::writeBool);
}

void VtFieldWriter::u8(const char* name, uint8_t& value)
{
    plain<uint8_t>(name, value, &VtWriter::writeByte);
}

void VtFieldWriter::u16(const char* name, uint16_t& value)
{
    plain<uint16_t>(name, value, &VtWriter::writeUShort);
}

void VtFieldWriter::u32(const char* name, uint32_t& value)
{
    plain<uint32_t>(name, value, &VtWriter::writeUInt);
}

void VtFieldWriter::s32(const char* name, int32_t& value)
{
    plain<int32_t>(name, value, &VtWriter::writeSInt);
}

void VtFieldWriter::f32(const char* name, double& value)
{
    plain<double>(name, value, &VtWriter::writeFloat);
}

void VtFieldWriter::size(const char* name, VtSize& value)
{
    plain<const VtSize&>(name, value, &VtWriter::writeSize);
}

void VtFieldWriter::width(const char* name, VtSize& value)
{
    if (ok)
        keep(value.width <= 0xFFFF && writer.writeUShort(uint16_t(value.width), name));
}

void VtFieldWriter::squareWidth(const char* name, VtSize& value)
{
    width(name, value);
}

void VtFieldWriter::reference(const char* name, VtReference& value)
{
    if (ok)
        keep(writer.writeOid(value.get(), name));
}

void VtFieldWriter::string(const char* name, std::string& value)
{
    plain<const std::string&>(name, value, &VtWriter::writeString);
}

void VtFieldWriter::stringL1(const char* name, std::string& value)
{
    plain<const std::string&>(name, value, &VtWriter::writeStringL1);
}

void VtFieldWriter::writeCount(const char* name, unsigned bytes, size_t count)
{
    if (!ok)
        return;
    if (bytes == 1)
        keep(count <= 0xFF && writer.writeByte(uint8_t(count), name));
    else if (bytes == 2)
        keep(count <= 0xFFFF && writer.writeUShort(uint16_t(count), name));
    else
        keep(count <= 0xFFFFFFFF && writer.writeUInt(uint32_t(count), name));
}

void VtFieldWriter::childCount(const char* name, VtObjectRefList& list)
{
    writeCount(name, 1, list.count());
}

void VtFieldWriter::childs(const char* name, VtObjectRefList& list)
{
    if (ok)
        keep(writer.writeObjectRefList(list, name));
}

void VtFieldWriter::objectCount(const char* name, VtObjectList& list)
{
    writeCount(name, 1, list.count());
}

void VtFieldWriter::objects(const char* name, VtObjectList& list)
{
    if (ok)
        keep(writer.writeObjectList(list, name));
}

void VtFieldWriter::macroCount(const char* name)
{
    writeCount(name, 1, object.getMacroCount());
}

// An object without a macro list has none to write.
void VtFieldWriter::macros(const char* name)
{
    if (ok && object.macros)
        keep(writer.writeMacroList(object.macros.get(), name));
}

void VtFieldWriter::pointCount(const char* name, std::vector<VtPoint>& points)
{
    writeCount(name, 1, points.size());
}

void VtFieldWriter::points(const char*, std::vector<VtPoint>& points)
{
    if (!ok)
        return;
    if (writer.remaining() < 4ull * points.size()) {
        ok = false;
        return;
    }
    for (VtPoint& point : points) {
        writer.writeUShort(point.x, "px");
        writer.writeUShort(point.y, "py");
    }
}

void VtFieldWriter::languageCount(const char* name, std::vector<VtLanguageCode>& codes)
{
    writeCount(name, 1, codes.size());
}

void VtFieldWriter::languages(const char* name, std::vector<VtLanguageCode>& codes)
{
    if (!ok)
        return;
    if (writer.remaining() < 2ull * codes.size()) {
        ok = false;
        return;
    }
    for (VtLanguageCode& code : codes)
        writer.writeData(reinterpret_cast<const uint8_t*>(code.data()), 2, name);
}

void VtFieldWriter::dataLength(const char* name, unsigned bytes, std::vector<uint8_t>& data)
{
    writeCount(name, bytes, data.size());
}

void VtFieldWriter::data(const char* name, std::vector<uint8_t>& data)
{
    if (ok)
        keep(writer.writeData(data, name));
}
