#pragma once
#include "vt_pool/VtSize.h"

#include <cstdint>
#include <string>
#include <vector>

class VtColour;
class VtLogger;
class VtMacroList;
class VtObjectList;
class VtObjectRefList;

// A bounded output buffer of little-endian ISO 11783-6 fields. Every write
// checks the room left first and, when short, writes nothing and returns
// false; so does a value that does not fit its field (a text or data longer
// than its length prefix can say, a colour past the palette, a size or a
// position outside 16 bits). With the verbose flag, a logger and a field
// name, each write is traced through the logger.
class VtWriter {
public:
    VtWriter(uint32_t capacity, VtLogger* logger);
    VtWriter(const VtWriter&) = delete;
    VtWriter& operator=(const VtWriter&) = delete;

    void setVerbose(bool verbose) { this->verbose = verbose; }

    bool writeOid(uint16_t value, const char* name);
    bool writeBool(bool value, const char* name);
    bool writeByte(uint8_t value, const char* name);
    bool writeUShort(uint16_t value, const char* name);
    bool writeSShort(int16_t value, const char* name);
    bool writeUInt(uint32_t value, const char* name);
    bool writeSInt(int32_t value, const char* name);
    // As an IEEE 754 single-precision value.
    bool writeFloat(double value, const char* name);
    bool writeColour(const VtColour& colour, const char* name);
    bool writeSize(const VtSize& size, const char* name);
    // With a 2-byte length, at most 65,535 bytes.
    bool writeString(const std::string& text, const char* name);
    // With a 1-byte length, at most 255 bytes.
    bool writeStringL1(const std::string& text, const char* name);
    bool writeData(const std::vector<uint8_t>& bytes, const char* name);
    bool writeData(const uint8_t* bytes, uint32_t length, const char* name);
    // The list writes check the whole list before writing any of it.
    bool writeObjectList(const VtObjectList& list, const char* name);
    bool writeObjectRefList(const VtObjectRefList& list, const char* name);
    // Fails without a list.
    bool writeMacroList(const VtMacroList* list, const char* name);

    const uint8_t* getData() const { return buffer.data(); }
    uint32_t getLength() const { return used; }
    uint32_t remaining() const { return capacity - used; }
    void reset() { used = 0; }
    // Pads a VT message with 0xFF, or 0x00, up to 8 bytes.
    void padFF() { pad(0xFF); }
    void pad00() { pad(0x00); }

private:
    bool room(uint64_t need) const { return need <= remaining(); }
    bool tracing(const char* name) const { return verbose && logger && name; }
    void put(uint64_t value, unsigned bytes);
    void pad(uint8_t filler);

    std::vector<uint8_t> buffer;
    uint32_t used = 0;
    uint32_t capacity;
    VtLogger* logger;
    bool verbose = false;
};
