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

// A bounded cursor over a copy of little-endian ISO 11783-6 fields, such as
// a peer's object pool or VT message. Every read checks the bytes left
// first and, when short, consumes nothing and returns false; a list is sized
// only once all its entries are known to be there. With the verbose flag, a
// logger and a field name, each read is traced through the logger.
class VtReader {
public:
    explicit VtReader(VtLogger* logger);
    VtReader(const VtReader&) = delete;
    VtReader& operator=(const VtReader&) = delete;

    void setVerbose(bool verbose) { this->verbose = verbose; }
    // Copies the bytes; the cursor starts at the first.
    void setData(const uint8_t* bytes, uint32_t length);
    uint32_t remaining() const { return left; }
    // Saves the position; rewind goes back to it once.
    void mark();
    // Without a mark, does nothing.
    void rewind();

    bool readOid(uint16_t& out, const char* name);
    // Any byte but 0 is true.
    bool readBool(bool& out, const char* name);
    bool readByte(uint8_t& out, const char* name);
    bool readUShort(uint16_t& out, const char* name);
    bool readSShort(int16_t& out, const char* name);
    bool readUInt(uint32_t& out, const char* name);
    bool readSInt(int32_t& out, const char* name);
    // An IEEE 754 single-precision value.
    bool readFloat(double& out, const char* name);
    bool readColour(VtColour& out, const char* name);
    bool readSize(VtSize& out, const char* name);
    // Exactly count bytes.
    bool readString(std::string& out, uint32_t count, const char* name);
    // With a 2-byte length.
    bool readString(std::string& out, const char* name);
    // With a 1-byte length.
    bool readStringL1(std::string& out, const char* name);
    bool readData(std::vector<uint8_t>& out, uint32_t count, const char* name);
    // The list reads replace the list's entries with count entries read.
    bool readObjectList(VtObjectList& list, uint32_t count, const char* name);
    bool readObjectRefList(VtObjectRefList& list, uint32_t count, const char* name);
    // Fails when the list cannot hold count entries.
    bool readMacroList(VtMacroList& list, uint32_t count, const char* name);

private:
    bool tracing(const char* name) const { return verbose && logger && name; }
    bool has(uint64_t need) const { return need <= left; }
    uint32_t take(unsigned bytes);
    bool readLengthPrefixed(std::string& out, unsigned prefix, const char* name, const char* trace);

    std::vector<uint8_t> buffer;
    uint32_t cursor = 0;
    uint32_t left = 0;
    bool marked = false;
    uint32_t mark_cursor = 0;
    uint32_t mark_left = 0;
    VtLogger* logger;
    bool verbose = false;
};
