#include "vt_pool/VtWriter.h"
#include "vt_pool/model/VtColour.h"
#include "vt_pool/model/VtLogger.h"
#include "vt_pool/model/VtMacroList.h"
#include "vt_pool/model/VtObjectList.h"
#include "vt_pool/model/VtObjectRefList.h"

#include <cstring>
#include <limits>

namespace {

bool fits_s16(int32_t value)
{
    return value >= std::numeric_limits<int16_t>::min() && value <= std::numeric_limits<int16_t>::max();
}

}

// The 10 bytes past the capacity are never written; they keep the buffer
// the size a reader of the pool expects.
VtWriter::VtWriter(uint32_t capacity, VtLogger* logger)
    : buffer(size_t(capacity) + 10), capacity(capacity), logger(logger)
{
}

void VtWriter::put(uint64_t value, unsigned bytes)
{
    for (unsigned i = 0; i < bytes; ++i)
        buffer[used++] = uint8_t(value >> (8 * i));
}

bool VtWriter::writeOid(uint16_t value, const char* name)
{
    if (!room(2))
        return false;
    if (tracing(name))
        logger->message("writeOid('%s'), v=%d\n", name, value);
    put(value, 2);
    return true;
}

bool VtWriter::writeBool(bool value, const char* name)
{
    if (!room(1))
        return false;
    if (tracing(name))
        logger->message("writeBool('%s'), v=%d\n", name, value);
    put(value ? 1 : 0, 1);
    return true;
}

bool VtWriter::writeByte(uint8_t value, const char* name)
{
    if (!room(1))
        return false;
    if (tracing(name))
        logger->message("writeByte('%s'), v=%d\n", name, value);
    put(value, 1);
    return true;
}

bool VtWriter::writeUShort(uint16_t value, const char* name)
{
    if (!room(2))
        return false;
    if (tracing(name))
        logger->message("writeUShort('%s'), v=%d\n", name, value);
    put(value, 2);
    return true;
}

bool VtWriter::writeSShort(int16_t value, const char* name)
{
    if (!room(2))
        return false;
    if (tracing(name))
        logger->message("writeSShort('%s'), v=%d\n", name, value);
    put(uint16_t(value), 2);
    return true;
}

bool VtWriter::writeUInt(uint32_t value, const char* name)
{
    if (!room(4))
        return false;
    if (tracing(name))
        logger->message("writeUInt('%s'), v=%d\n", name, int(value));
    put(value, 4);
    return true;
}

bool VtWriter::writeSInt(int32_t value, const char* name)
{
    if (!room(4))
        return false;
    if (tracing(name))
        logger->message("writeSInt('%s'), v=%d\n", name, value);
    put(uint32_t(value), 4);
    return true;
}

bool VtWriter::writeFloat(double value, const char* name)
{
    if (!room(4))
        return false;
    if (tracing(name))
        logger->message("writeFloat('%s'), v=%lf\n", name, value);
    const float single = float(value);
    uint32_t bits;
    std::memcpy(&bits, &single, sizeof bits);
    put(bits, 4);
    return true;
}

bool VtWriter::writeColour(const VtColour& colour, const char* name)
{
    if (!room(1) || colour.getIndex() > 255)
        return false;
    if (tracing(name))
        logger->message("writeColour('%s'), c=%d\n", name, int(colour.getIndex()));
    put(colour.getIndex(), 1);
    return true;
}

bool VtWriter::writeSize(const VtSize& size, const char* name)
{
    if (!room(4) || size.width > 0xFFFF || size.height > 0xFFFF)
        return false;
    if (tracing(name))
        logger->message("writeSize('%s'), w=%d,h=%d\n", name, int(size.width), int(size.height));
    put(size.width, 2);
    put(size.height, 2);
    return true;
}

bool VtWriter::writeString(const std::string& text, const char* name)
{
    if (text.size() > 0xFFFF || !room(2 + uint32_t(text.size())))
        return false;
    if (tracing(name))
        logger->message("writeString('%s'), v='%s'\n", name, text.c_str());
    put(text.size(), 2);
    std::memcpy(&buffer[used], text.data(), text.size());
    used += uint32_t(text.size());
    return true;
}

bool VtWriter::writeStringL1(const std::string& text, const char* name)
{
    if (text.size() > 0xFF || !room(1 + uint32_t(text.size())))
        return false;
    if (tracing(name))
        logger->message("writeStringL1('%s'), v='%s'\n", name, text.c_str());
    put(text.size(), 1);
    std::memcpy(&buffer[used], text.data(), text.size());
    used += uint32_t(text.size());
    return true;
}

bool VtWriter::writeData(const std::vector<uint8_t>& bytes, const char* name)
{
    if (!room(bytes.size()))
        return false;
    if (tracing(name))
        logger->message("writeData('%s')\n", name);
    if (!bytes.empty())
        std::memcpy(&buffer[used], bytes.data(), bytes.size());
    used += uint32_t(bytes.size());
    return true;
}

bool VtWriter::writeData(const uint8_t* bytes, uint32_t length, const char* name)
{
    if (!bytes)
        return false;
    return writeData(std::vector<uint8_t>(bytes, bytes + length), name);
}

bool VtWriter::writeObjectList(const VtObjectList& list, const char* name)
{
    if (!room(2ull * list.count()))
        return false;
    if (tracing(name))
        logger->message("writeObjectList('%s'), count=%d\n", name, int(list.count()));
    for (uint32_t i = 0; i < list.count(); ++i)
        writeOid(list.at(i)->oid, "oid");
    return true;
}

bool VtWriter::writeObjectRefList(const VtObjectRefList& list, const char* name)
{
    if (!room(6ull * list.count()))
        return false;
    for (uint32_t i = 0; i < list.count(); ++i)
        if (!fits_s16(list.at(i)->x) || !fits_s16(list.at(i)->y))
            return false;
    if (tracing(name))
        logger->message("writeObjectRefList('%s'), count=%d\n", name, int(list.count()));
    for (uint32_t i = 0; i < list.count(); ++i) {
        const VtObjectRef& entry = *list.at(i);
        writeOid(entry.oid, "oid");
        writeSShort(int16_t(entry.x), "x");
        writeSShort(int16_t(entry.y), "y");
    }
    return true;
}

bool VtWriter::writeMacroList(const VtMacroList* list, const char* name)
{
    if (!list || !room(2ull * list->count()))
        return false;
    if (tracing(name))
        logger->message("writeMacroList('%s'), count==%d\n", name, int(list->count()));
    for (uint32_t i = 0; i < list->count(); ++i) {
        writeByte(list->at(i)->event_id, "event_id");
        writeByte(list->at(i)->macro_id, "macro_id");
    }
    return true;
}

void VtWriter::pad(uint8_t filler)
{
    while (used < 8 && room(1))
        put(filler, 1);
}
