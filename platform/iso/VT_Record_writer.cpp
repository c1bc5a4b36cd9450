#include "platform/iso/VT_Record_writer.h"
#include "platform/iso/VT_Attribute_event_macro.h"
#include "platform/iso/VT_Attribute_lang.h"
#include "platform/iso/VT_Attribute_object_id.h"
#include "platform/iso/VT_Attribute_object_placement.h"
#include "platform/iso/VT_Polygon_point.h"
#include "platform/rtos/Bugger.h"

#include <cstring>

namespace VT {

namespace {
// A count with no list behind it would misframe every record after it.
void need_list(size_t count, const void* list)
{
    if (count != 0 && list == nullptr)
        Bugger::report_bug("VT object list missing for its count");
}
}

Record_writer::Record_writer(std::vector<uint8_t>& out, Finder find) : out_(out), find_(std::move(find)) {}

void Record_writer::u16(uint16_t v)
{
    u8(uint8_t(v));
    u8(uint8_t(v >> 8));
}

void Record_writer::u32(uint32_t v)
{
    u16(uint16_t(v));
    u16(uint16_t(v >> 16));
}

void Record_writer::f32(float v)
{
    uint32_t bits;
    std::memcpy(&bits, &v, sizeof bits);
    u32(bits);
}

void Record_writer::bytes(const void* data, size_t size)
{
    need_list(size, data);
    if (size == 0)
        return;
    const uint8_t* p = static_cast<const uint8_t*>(data);
    out_.insert(out_.end(), p, p + size);
}

void Record_writer::macros(uint8_t count, const Attribute_event_macro* list)
{
    need_list(count, list);
    for (uint8_t i = 0; i < count; ++i) {
        u8(list[i].get_event());
        u8(list[i].get_macro());
    }
}

void Record_writer::references(uint8_t count, const Attribute_object_id* list)
{
    need_list(count, list);
    for (uint8_t i = 0; i < count; ++i)
        u16(list[i].get_id());
}

void Record_writer::placements(const VT_obj& parent, uint8_t count, const Attribute_object_placement* list)
{
    need_list(count, list);
    for (uint8_t i = 0; i < count; ++i) {
        int16_t x, y;
        list[i].position_in(parent, find(list[i].get_id()), x, y);
        u16(list[i].get_id());
        u16(uint16_t(x));
        u16(uint16_t(y));
    }
}

void Record_writer::languages(uint8_t count, const Attribute_lang* list)
{
    need_list(count, list);
    for (uint8_t i = 0; i < count; ++i)
        text(list[i].get_code(), 2);
}

void Record_writer::points(uint8_t count, const Polygon_point* list)
{
    need_list(count, list);
    for (uint8_t i = 0; i < count; ++i) {
        u16(list[i].x);
        u16(list[i].y);
    }
}

}
