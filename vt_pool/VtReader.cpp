#include "vt_pool/VtReader.h"
#include "vt_pool/model/VtColour.h"
#include "vt_pool/model/VtLogger.h"
#include "vt_pool/model/VtMacroList.h"
#include "vt_pool/model/VtObjectList.h"
#include "vt_pool/model/VtObjectRefList.h"

#include <cstring>

VtReader::VtReader(VtLogger* logger) : buffer(1), logger(logger) {}

void VtReader::setData(const uint8_t* bytes, uint32_t length)
{
    if (!bytes)
        length = 0;
    // One byte more than the data, so that a text copy is always terminated.
    buffer.assign(size_t(length) + 1, 0);
    if (length)
        std::memcpy(buffer.data(), bytes, length);
    cursor = 0;
    left = length;
    marked = false;
}

void VtReader::mark()
{
    marked = true;
    mark_cursor = cursor;
    mark_left = left;
}

void VtReader::rewind()
{
    if (!marked)
        return;
    cursor = mark_cursor;
    left = mark_left;
    marked = false;
}

uint32_t VtReader::take(unsigned bytes)
{
    uint32_t value = 0;
    for (unsigned i = 0; i < bytes; ++i)
        value |= uint32_t(buffer[cursor + i]) << (8 * i);
    cursor += bytes;
    left -= bytes;
    return value;
}

bool VtReader::readOid(uint16_t& out, const char* name)
{
    if (!has(2))
        return false;
    out = uint16_t(take(2));
    if (tracing(name))
        logger->message("readOid, '%s' -> %d\n", name, out);
    return true;
}

bool VtReader::readBool(bool& out, const char* name)
{
    if (!has(1))
        return false;
    out = take(1) != 0;
    if (tracing(name))
        logger->message("readBool, '%s' -> %d\n", name, out);
    return true;
}

bool VtReader::readByte(uint8_t& out, const char* name)
{
    if (!has(1))
        return false;
    out = uint8_t(take(1));
    if (tracing(name))
        logger->message("readByte, '%s' -> %d\n", name, out);
    return true;
}

bool VtReader::readUShort(uint16_t& out, const char* name)
{
    if (!has(2))
        return false;
    out = uint16_t(take(2));
    if (tracing(name))
        logger->message("readUShort, '%s' -> %d\n", name, out);
    return true;
}

bool VtReader::readSShort(int16_t& out, const char* name)
{
    if (!has(2))
        return false;
    out = int16_t(take(2));
    if (tracing(name))
        logger->message("readSShort, '%s' -> %d\n", name, out);
    return true;
}

bool VtReader::readUInt(uint32_t& out, const char* name)
{
    if (!has(4))
        return false;
    out = take(4);
    if (tracing(name))
        logger->message("readUInt, '%s' -> %d\n", name, int(out));
    return true;
}

bool VtReader::readSInt(int32_t& out, const char* name)
{
    if (!has(4))
        return false;
    out = int32_t(take(4));
    if (tracing(name))
        logger->message("readSInt, '%s' -> %d\n", name, out);
    return true;
}

bool VtReader::readFloat(double& out, const char* name)
{
    if (!has(4))
        return false;
    const uint32_t bits = take(4);
    float single;
    std::memcpy(&single, &bits, sizeof single);
    out = single;
    if (tracing(name))
        logger->message("readFloat, '%s' -> %lf\n", name, out);
    return true;
}

bool VtReader::readColour(VtColour& out, const char* name)
{
    if (!has(1))
        return false;
    out.setIndex(take(1));
    if (tracing(name))
        logger->message("readColour, '%s' -> %d\n", name, int(out.getIndex()));
    return true;
}

bool VtReader::readSize(VtSize& out, const char* name)
{
    if (!has(4))
        return false;
    uint16_t width = 0;
    uint16_t height = 0;
    readUShort(width, "width");
    readUShort(height, "height");
    out = VtSize(width, height);
    if (tracing(name))
        logger->message("readSize, '%s' -> %d,%d\n", name, width, height);
    return true;
}

bool VtReader::readString(std::string& out, uint32_t count, const char* name)
{
    if (!has(count))
        return false;
    out.assign(reinterpret_cast<const char*>(&buffer[cursor]), count);
    cursor += count;
    left -= count;
    if (tracing(name))
        logger->message("readString, '%s' -> '%s'\n", name, out.c_str());
    return true;
}

bool VtReader::readLengthPrefixed(std::string& out, unsigned prefix, const char* name, const char* trace)
{
    if (!has(prefix))
        return false;
    uint32_t length = 0;
    for (unsigned i = 0; i < prefix; ++i)
        length |= uint32_t(buffer[cursor + i]) << (8 * i);
    if (!has(uint64_t(prefix) + length))
        return false;
    take(prefix);
    out.assign(reinterpret_cast<const char*>(&buffer[cursor]), length);
    cursor += length;
    left -= length;
    if (tracing(name))
        logger->message(trace, name, out.c_str());
    return true;
}

bool VtReader::readString(std::string& out, const char* name)
{
    return readLengthPrefixed(out, 2, name, "readString, '%s' -> '%s'\n");
}

bool VtReader::readStringL1(std::string& out, const char* name)
{
    return readLengthPrefixed(out, 1, name, "readStringL1, '%s' -> '%s'\n");
}

bool VtReader::readData(std::vector<uint8_t>& out, uint32_t count, const char* name)
{
    if (!has(count))
        return false;
    out.assign(buffer.begin() + cursor, buffer.begin() + cursor + count);
    cursor += count;
    left -= count;
    if (tracing(name))
        logger->message("readData, '%s' -> \n", name);
    return true;
}

bool VtReader::readObjectList(VtObjectList& list, uint32_t count, const char* name)
{
    if (!has(2ull * count))
        return false;
    list.reset(count);
    for (uint32_t i = 0; i < count; ++i) {
        const uint16_t oid = uint16_t(take(2));
        list.append(std::make_unique<VtObjectListEntry>(oid));
        if (tracing(name))
            logger->message("  readObjectList #%d, '%s' -> oid=%d\n", int(i), name, oid);
    }
    return true;
}

bool VtReader::readObjectRefList(VtObjectRefList& list, uint32_t count, const char* name)
{
    if (!has(6ull * count))
        return false;
    list.reset(count);
    for (uint32_t i = 0; i < count; ++i) {
        const uint16_t oid = uint16_t(take(2));
        const int16_t x = int16_t(take(2));
        const int16_t y = int16_t(take(2));
        list.append(std::make_unique<VtObjectRef>(oid, x, y));
        if (tracing(name))
            logger->message("  readObjectRefList #%d, '%s' -> oid=%d, x=%d, y=%d\n", int(i), name, oid, x, y);
    }
    return true;
}

bool VtReader::readMacroList(VtMacroList& list, uint32_t count, const char* name)
{
    if (!has(2ull * count) || count > list.capacity())
        return false;
    list.clear();
    for (uint32_t i = 0; i < count; ++i) {
        const uint8_t event_id = uint8_t(take(1));
        const uint8_t macro_id = uint8_t(take(1));
        list.append(std::make_unique<VtMacroRef>(event_id, macro_id));
        if (tracing(name))
            logger->message("  readObjectRefList #%d, '%s' -> evid=%d, mid=%d\n", int(i), name, event_id, macro_id);
    }
    return true;
}
