#pragma once
#include "vt_pool/VtLanguageCode.h"
#include "vt_pool/VtPoint.h"
#include "vt_pool/VtSize.h"

#include <cstdint>
#include <string>
#include <vector>

class VtColour;
class VtObjectList;
class VtObjectRefList;
class VtReference;

// Visits the fields of an object record in record order, each with its
// name; one walk per object type serves reading, writing and changing one
// attribute. A count field comes before its list and names it.
class VtFieldWalker {
public:
    virtual void colour(const char* name, VtColour& value) = 0;
    // One byte: any but 0 is true.
    virtual void flag(const char* name, bool& value) = 0;
    virtual void u8(const char* name, uint8_t& value) = 0;
    virtual void u16(const char* name, uint16_t& value) = 0;
    virtual void u32(const char* name, uint32_t& value) = 0;
    virtual void s32(const char* name, int32_t& value) = 0;
    // An IEEE 754 single-precision value.
    virtual void f32(const char* name, double& value) = 0;
    // Width and height; their attributes are "width", "height" and "size".
    virtual void size(const char* name, VtSize& value) = 0;
    // The width alone.
    virtual void width(const char* name, VtSize& value) = 0;
    // The width, which the height follows; its attributes are "width" and
    // "size" (a whole size of which the height is dropped).
    virtual void squareWidth(const char* name, VtSize& value) = 0;
    virtual void reference(const char* name, VtReference& value) = 0;
    // With a 2-byte length.
    virtual void string(const char* name, std::string& value) = 0;
    // With a 1-byte length.
    virtual void stringL1(const char* name, std::string& value) = 0;
    virtual void childCount(const char* name, VtObjectRefList& list) = 0;
    virtual void childs(const char* name, VtObjectRefList& list) = 0;
    virtual void objectCount(const char* name, VtObjectList& list) = 0;
    virtual void objects(const char* name, VtObjectList& list) = 0;
    // The object's own macro list.
    virtual void macroCount(const char* name) = 0;
    virtual void macros(const char* name) = 0;
    virtual void pointCount(const char* name, std::vector<VtPoint>& points) = 0;
    virtual void points(const char* name, std::vector<VtPoint>& points) = 0;
    virtual void languageCount(const char* name, std::vector<VtLanguageCode>& codes) = 0;
    virtual void languages(const char* name, std::vector<VtLanguageCode>& codes) = 0;
    // A byte count of `bytes` bytes (2 or 4).
    virtual void dataLength(const char* name, unsigned bytes, std::vector<uint8_t>& data) = 0;
    virtual void data(const char* name, std::vector<uint8_t>& data) = 0;

protected:
    ~VtFieldWalker() = default;
};
