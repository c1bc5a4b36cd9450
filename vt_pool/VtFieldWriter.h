#pragma once
#include "vt_pool/VtFieldWalker.h"

class VtObject;
class VtWriter;

// Writes an object's record fields to a writer, stopping at the first field
// that does not fit. Counts come from the lists themselves; a list longer
// than its count field can say is not written at all.
class VtFieldWriter : public VtFieldWalker {
public:
    VtFieldWriter(VtObject& object, VtWriter& writer) : object(object), writer(writer) {}

    // Whether every field was written.
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
    void keep(bool written) { ok = ok && written; }
    // A field of one write operation.
    template <class Value>
    void plain(const char* name, Value value, bool (VtWriter::*write)(Value, const char*));
    // A count of `bytes` bytes; fails when it does not fit them.
    void writeCount(const char* name, unsigned bytes, size_t count);

    VtObject& object;
    VtWriter& writer;
    bool ok = true;
};
