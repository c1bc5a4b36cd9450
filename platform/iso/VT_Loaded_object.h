#pragma once
#include "platform/iso/VT_Attribute_event_macro.h"
#include "platform/iso/VT_Attribute_lang.h"
#include "platform/iso/VT_Attribute_object_id.h"
#include "platform/iso/VT_Attribute_object_placement.h"
#include "platform/iso/VT_Polygon_point.h"
#include "platform/iso/VT_VT_obj.h"

#include <memory>
#include <vector>

namespace VT {

// An object made from a record, with the lists and values it points into.
// The lists are complete before the object is made and never grow after.
struct Loaded_object {
    std::vector<Attribute_object_placement> placements;
    std::vector<Attribute_object_id> references;
    std::vector<Attribute_event_macro> macros;
    std::vector<Attribute_lang> languages;
    std::vector<Polygon_point> points;
    std::vector<uint8_t> bytes; // picture data or macro commands
    std::vector<char> text;     // a string's value
    std::unique_ptr<VT_obj> object; // last, so that it goes before what it points into
};

}
