#pragma once
#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

namespace VT {

class VT_obj;
class Attribute_event_macro;
class Attribute_lang;
class Attribute_object_id;
class Attribute_object_placement;
struct Polygon_point;

// Appends ISO 11783-6 object records (little-endian fields) to a byte image.
// A parent's aligned placements are resolved here, so the writer can look up
// the objects of the pool being written.
class Record_writer {
public:
    using Finder = std::function<const VT_obj*(uint16_t id)>;

    explicit Record_writer(std::vector<uint8_t>& out, Finder find = Finder());

    void u8(uint8_t v) { out_.push_back(v); }
    void u16(uint16_t v);
    void u32(uint32_t v);
    void f32(float v);
    void bytes(const void* data, size_t size);
    // A counted text: exactly size bytes, however many of them are zero.
    void text(const char* data, size_t size) { bytes(data, size); }

    // The entries of a list whose count went out earlier in the record.
    void macros(uint8_t count, const Attribute_event_macro* list);
    void references(uint8_t count, const Attribute_object_id* list);
    void placements(const VT_obj& parent, uint8_t count, const Attribute_object_placement* list);
    void languages(uint8_t count, const Attribute_lang* list);
    void points(uint8_t count, const Polygon_point* list);

    // The pool's object of that ID, or null.
    const VT_obj* find(uint16_t id) const { return find_ ? find_(id) : nullptr; }

private:
    std::vector<uint8_t>& out_;
    Finder find_;
};

}
