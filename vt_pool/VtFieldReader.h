#pragma once
#include "vt_pool/VtFieldWalker.h"

class VtObject;
class VtReader;
struct VtAttributeId;

// Reads an object's record fields from a reader: the whole body, stopping
// at the first field that is not all there, or the one field of an
// attribute ID. A count is kept until its list, which is read only when all
// its entries are there. After a whole read every reference attribute's
// observer takes the attribute's ID, read or not.
class VtFieldReader : public VtFieldWalker {
public:
    VtFieldReader(VtObject& object, VtReader& reader) : object(object), reader(reader) {}
    VtFieldReader(VtObject& object, VtReader& reader, const VtAttributeId& only)
        : object(object), reader(reader), only(&only)
    {
    }

    // Whether every field visited was read.
    bool complete() const { return ok; }

    void colour(const char* name, VtColour& value) override;
    void flag(const char* name, bool& value) override;
    void u8(const char* name, uint8_t& value) override;
    void u16(const char* name, uint16_t& value) override;
    void u32(const char* name, uint32_t& value) override;
    void s32(const char* name, int32_t& value) override;
    void f32(const char* name, double& value) override;
    void size(const char* name, VtSize& value) override;
    void width(const char* name, VtSize& value) override;
    void squareWidth(const char* name, VtSize& value) override;
    void reference(const char* name, VtReference& value) override;
    void string(const char* name, std::string& value) override;
    void stringL1(const char* name, std::string& value) override;
    void childCount(const char* name, VtObjectRefList& list) override;
    void childs(const char* name, VtObjectRefList& list) override;
    void objectCount(const char* name, VtObjectList& list) override;
    void objects(const char* name, VtObjectList& list) override;
    void macroCount(const char* name) override;
    void macros(const char* name) override;
    void pointCount(const char* name, std::vector<VtPoint>& points) override;
    void points(const char* name, std::vector<VtPoint>& points) override;
    void languageCount(const char* name, std::vector<VtLanguageCode>& codes) override;
    void languages(const char* name, std::vector<VtLanguageCode>& codes) override;
    void dataLength(const char* name, unsigned bytes, std::vector<uint8_t>& data) override;
    void data(const char* name, std::vector<uint8_t>& data) override;

private:
    // Whether to read this field: every field while all went well, or the
    // attribute's field.
    bool wanted(const char* name) const;
    bool is(const char* name) const;
    void keep(bool read) { ok = ok && read; }
    // A field of one read operation.
    template <class Value>
    void plain(const char* name, Value& value, bool (VtReader::*read)(Value&, const char*));
    void readCount(const char* name, unsigned bytes, const void* list);
    uint32_t countOf(const void* list) const;

    VtObject& object;
    VtReader& reader;
    const VtAttributeId* only = nullptr;
    bool ok = true;
    struct Count {
        const void* list;
        uint32_t count;
    };
    // A record has three lists at the most.
    Count counts[4] = {};
    unsigned n_counts = 0;
};
