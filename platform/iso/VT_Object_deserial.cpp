#include "platform/iso/VT_Object_deserial.h"
#include "platform/iso/Object_pool_base.h"
#include "platform/iso/VT_Alarm_mask_obj.h"
#include "platform/iso/VT_Arched_bar_graph_obj.h"
#include "platform/iso/VT_Auxiliary_function_obj.h"
#include "platform/iso/VT_Auxiliary_input_obj.h"
#include "platform/iso/VT_Button_obj.h"
#include "platform/iso/VT_Container_obj.h"
#include "platform/iso/VT_Data_mask_obj.h"
#include "platform/iso/VT_Ellipse_obj.h"
#include "platform/iso/VT_Fill_attributes_obj.h"
#include "platform/iso/VT_Font_attributes_obj.h"
#include "platform/iso/VT_Input_attributes_obj.h"
#include "platform/iso/VT_Input_boolean_obj.h"
#include "platform/iso/VT_Input_list_obj.h"
#include "platform/iso/VT_Input_number_obj.h"
#include "platform/iso/VT_Input_string_obj.h"
#include "platform/iso/VT_Key_obj.h"
#include "platform/iso/VT_Line_attributes_obj.h"
#include "platform/iso/VT_Line_obj.h"
#include "platform/iso/VT_Linear_bar_graph_obj.h"
#include "platform/iso/VT_Loaded_object.h"
#include "platform/iso/VT_Macro_obj.h"
#include "platform/iso/VT_Meter_obj.h"
#include "platform/iso/VT_Number_variable_obj.h"
#include "platform/iso/VT_Object_pointer_obj.h"
#include "platform/iso/VT_Output_number_obj.h"
#include "platform/iso/VT_Output_string_obj.h"
#include "platform/iso/VT_Picture_graphic_obj.h"
#include "platform/iso/VT_Polygon_obj.h"
#include "platform/iso/VT_Record_reader.h"
#include "platform/iso/VT_Rectangle_obj.h"
#include "platform/iso/VT_Soft_key_mask_obj.h"
#include "platform/iso/VT_String_variable_obj.h"
#include "platform/iso/VT_Working_set_obj.h"
#include "platform/rtos/Debug_base.h"

#include <cstdio>
#include <set>
#include <vector>

namespace VT {

namespace {

// Reads the lists and values of one record into the object's own storage.
// Each call reads whole fields in record order.
class Parts {
public:
    Parts(Record_reader& in, Loaded_object& out) : in_(in), out_(out) {}

    Attribute_object_placement* placements(uint8_t count)
    {
        for (uint8_t i = 0; i < count; ++i) {
            const uint16_t id = in_.u16();
            const int16_t x = int16_t(in_.u16());
            const int16_t y = int16_t(in_.u16());
            out_.placements.emplace_back(id, x, y);
        }
        return out_.placements.data();
    }
    Attribute_object_id* references(uint8_t count)
    {
        for (uint8_t i = 0; i < count; ++i)
            out_.references.emplace_back(in_.u16());
        return out_.references.data();
    }
    const Attribute_event_macro* macros(uint8_t count)
    {
        for (uint8_t i = 0; i < count; ++i) {
            const uint8_t event = in_.u8();
            out_.macros.emplace_back(event, in_.u8());
        }
        return out_.macros.data();
    }
    const Attribute_lang* languages(uint8_t count)
    {
        for (uint8_t i = 0; i < count; ++i) {
            const char first = char(in_.u8());
            out_.languages.emplace_back(first, char(in_.u8()));
        }
        return out_.languages.data();
    }
    const Polygon_point* points(uint8_t count)
    {
        for (uint8_t i = 0; i < count; ++i) {
            const uint16_t x = in_.u16();
            out_.points.push_back(Polygon_point{x, in_.u16()});
        }
        return out_.points.data();
    }
    const uint8_t* bytes(size_t count)
    {
        if (const uint8_t* p = in_.take(count))
            out_.bytes.assign(p, p + count);
        return out_.bytes.data();
    }
    char* text(size_t count)
    {
        if (const uint8_t* p = in_.take(count))
            out_.text.assign(p, p + count);
        return out_.text.data();
    }

private:
    Record_reader& in_;
    Loaded_object& out_;
};

}

std::unique_ptr<Loaded_object> Object_deserial::decode(uint16_t id, uint8_t type, Record_reader& in)
{
    auto loaded = std::make_unique<Loaded_object>();
    Parts parts(in, *loaded);
    char name[VT_obj::max_name + 1];
    std::snprintf(name, sizeof name, "DYN_OBJ_%d", int(id) - 973);
    std::unique_ptr<VT_obj>& object = loaded->object;

    switch (type) {
    case working_set: {
        const uint8_t background = in.u8(), selectable = in.u8();
        const uint16_t active_mask = in.u16();
        const uint8_t n_objects = in.u8(), n_macros = in.u8(), n_languages = in.u8();
        Attribute_object_placement* objects = parts.placements(n_objects);
        const Attribute_event_macro* macros = parts.macros(n_macros);
        object = std::make_unique<Working_set_obj>(id, name, background, selectable, active_mask, n_objects, n_macros,
                                                   n_languages, objects, macros, parts.languages(n_languages));
        break;
    }
    case data_mask: {
        const uint8_t background = in.u8();
        const uint16_t soft_key_mask = in.u16();
        const uint8_t n_objects = in.u8(), n_macros = in.u8();
        Attribute_object_placement* objects = parts.placements(n_objects);
        object = std::make_unique<Data_mask_obj>(id, name, background, soft_key_mask, n_objects, n_macros, objects,
                                                 parts.macros(n_macros));
        break;
    }
    case alarm_mask: {
        const uint8_t background = in.u8();
        const uint16_t soft_key_mask = in.u16();
        const uint8_t priority = in.u8(), acoustic = in.u8(), n_objects = in.u8(), n_macros = in.u8();
        Attribute_object_placement* objects = parts.placements(n_objects);
        object = std::make_unique<Alarm_mask_obj>(id, name, background, soft_key_mask, priority, acoustic, n_objects,
                                                  n_macros, objects, parts.macros(n_macros));
        break;
    }
    case container: {
        const uint16_t width = in.u16(), height = in.u16();
        const uint8_t hidden = in.u8(), n_objects = in.u8(), n_macros = in.u8();
        Attribute_object_placement* objects = parts.placements(n_objects);
        object = std::make_unique<Container_obj>(id, name, width, height, hidden, n_objects, n_macros, objects,
                                                 parts.macros(n_macros));
        break;
    }
    case soft_key_mask: {
        const uint8_t background = in.u8(), n_objects = in.u8(), n_macros = in.u8();
        Attribute_object_id* keys = parts.references(n_objects);
        object = std::make_unique<Soft_key_mask_obj>(id, name, background, n_objects, n_macros, keys,
                                                     parts.macros(n_macros));
        break;
    }
    case key: {
        const uint8_t background = in.u8(), key_code = in.u8(), n_objects = in.u8(), n_macros = in.u8();
        Attribute_object_placement* objects = parts.placements(n_objects);
        object = std::make_unique<Key_obj>(id, name, background, key_code, n_objects, n_macros, objects,
                                           parts.macros(n_macros));
        break;
    }
    case button: {
        const uint16_t width = in.u16(), height = in.u16();
        const uint8_t background = in.u8(), border = in.u8(), key_code = in.u8(), options = in.u8();
        const uint8_t n_objects = in.u8(), n_macros = in.u8();
        Attribute_object_placement* objects = parts.placements(n_objects);
        object = std::make_unique<Button_obj>(id, name, width, height, background, border, key_code, options, n_objects,
                                              n_macros, objects, parts.macros(n_macros));
        break;
    }
    case input_boolean: {
        const uint8_t background = in.u8();
        const uint16_t width = in.u16(), foreground = in.u16(), variable = in.u16();
        const uint8_t value = in.u8(), enabled = in.u8(), n_macros = in.u8();
        object = std::make_unique<Input_boolean_obj>(id, name, background, width, foreground, variable, value, enabled,
                                                     n_macros, parts.macros(n_macros));
        break;
    }
    case input_string: {
        const uint16_t width = in.u16(), height = in.u16();
        const uint8_t background = in.u8();
        const uint16_t font = in.u16(), input_attributes = in.u16();
        const uint8_t options = in.u8();
        const uint16_t variable = in.u16();
        const uint8_t justification = in.u8(), length = in.u8();
        char* value = parts.text(length);
        const uint8_t enabled = in.u8(), n_macros = in.u8();
        object = std::make_unique<Input_string_obj>(id, name, width, height, background, font, input_attributes,
                                                    options, variable, justification, length, value, enabled,
                                                    n_macros, parts.macros(n_macros));
        break;
    }
    case input_number: {
        const uint16_t width = in.u16(), height = in.u16();
        const uint8_t background = in.u8();
        const uint16_t font = in.u16();
        const uint8_t options = in.u8();
        const uint16_t variable = in.u16();
        const uint32_t value = in.u32(), min = in.u32(), max = in.u32();
        const int32_t offset = int32_t(in.u32());
        const float scale = in.f32();
        const uint8_t decimals = in.u8(), format = in.u8(), justification = in.u8(), enabled = in.u8();
        const uint8_t n_macros = in.u8();
        object = std::make_unique<Input_number_obj>(id, name, width, height, background, font, options, variable,
                                                    value, min, max, offset, scale, decimals, format, justification,
                                                    enabled, n_macros, parts.macros(n_macros));
        break;
    }
    case input_list: {
        const uint16_t width = in.u16(), height = in.u16(), variable = in.u16();
        const uint8_t value = in.u8(), n_items = in.u8(), enabled = in.u8(), n_macros = in.u8();
        Attribute_object_id* items = parts.references(n_items);
        object = std::make_unique<Input_list_obj>(id, name, width, height, variable, value, n_items, enabled, n_macros,
                                                  items, parts.macros(n_macros));
        break;
    }
    case output_string: {
        const uint16_t width = in.u16(), height = in.u16();
        const uint8_t background = in.u8();
        const uint16_t font = in.u16();
        const uint8_t options = in.u8();
        const uint16_t variable = in.u16();
        const uint8_t justification = in.u8();
        const uint16_t length = in.u16();
        char* value = parts.text(length);
        const uint8_t n_macros = in.u8();
        object = std::make_unique<Output_string_obj>(id, name, width, height, background, font, options, variable,
                                                     justification, length, value, n_macros, parts.macros(n_macros));
        break;
    }
    case output_number: {
        const uint16_t width = in.u16(), height = in.u16();
        const uint8_t background = in.u8();
        const uint16_t font = in.u16();
        const uint8_t options = in.u8();
        const uint16_t variable = in.u16();
        const uint32_t value = in.u32();
        const int32_t offset = int32_t(in.u32());
        const float scale = in.f32();
        const uint8_t decimals = in.u8(), format = in.u8(), justification = in.u8(), n_macros = in.u8();
        object = std::make_unique<Output_number_obj>(id, name, width, height, background, font, options, variable,
                                                     value, offset, scale, decimals, format, justification, n_macros,
                                                     parts.macros(n_macros));
        break;
    }
    case line: {
        const uint16_t line_attributes = in.u16(), width = in.u16(), height = in.u16();
        const uint8_t direction = in.u8(), n_macros = in.u8();
        object = std::make_unique<Line_obj>(id, name, line_attributes, width, height, direction, n_macros,
                                            parts.macros(n_macros));
        break;
    }
    case rectangle: {
        const uint16_t line_attributes = in.u16(), width = in.u16(), height = in.u16();
        const uint8_t suppression = in.u8();
        const uint16_t fill = in.u16();
        const uint8_t n_macros = in.u8();
        object = std::make_unique<Rectangle_obj>(id, name, line_attributes, width, height, suppression, fill, n_macros,
                                                 parts.macros(n_macros));
        break;
    }
    case ellipse: {
        const uint16_t line_attributes = in.u16(), width = in.u16(), height = in.u16();
        const uint8_t ellipse_type = in.u8(), start = in.u8(), end = in.u8();
        const uint16_t fill = in.u16();
        const uint8_t n_macros = in.u8();
        object = std::make_unique<Ellipse_obj>(id, name, line_attributes, width, height, ellipse_type, start, end, fill,
                                               n_macros, parts.macros(n_macros));
        break;
    }
    case polygon: {
        const uint16_t width = in.u16(), height = in.u16(), line_attributes = in.u16(), fill = in.u16();
        const uint8_t polygon_type = in.u8(), n_points = in.u8(), n_macros = in.u8();
        const Polygon_point* points = parts.points(n_points);
        object = std::make_unique<Polygon_obj>(id, name, width, height, line_attributes, fill, polygon_type, n_points,
                                               n_macros, points, parts.macros(n_macros));
        break;
    }
    case meter: {
        const uint16_t width = in.u16();
        const uint8_t needle = in.u8(), border = in.u8(), arc = in.u8(), options = in.u8(), ticks = in.u8();
        const uint8_t start = in.u8(), end = in.u8();
        const uint16_t min = in.u16(), max = in.u16(), variable = in.u16(), value = in.u16();
        const uint8_t n_macros = in.u8();
        object = std::make_unique<Meter_obj>(id, name, width, needle, border, arc, options, ticks, start, end, min, max,
                                             variable, value, n_macros, parts.macros(n_macros));
        break;
    }
    case linear_bar_graph: {
        const uint16_t width = in.u16(), height = in.u16();
        const uint8_t colour = in.u8(), target_colour = in.u8(), options = in.u8(), ticks = in.u8();
        const uint16_t min = in.u16(), max = in.u16(), variable = in.u16(), value = in.u16();
        const uint16_t target_variable = in.u16(), target = in.u16();
        const uint8_t n_macros = in.u8();
        object = std::make_unique<Linear_bar_graph_obj>(id, name, width, height, colour, target_colour, options, ticks,
                                                        min, max, variable, value, target_variable, target, n_macros,
                                                        parts.macros(n_macros));
        break;
    }
    case arched_bar_graph: {
        const uint16_t width = in.u16(), height = in.u16();
        const uint8_t colour = in.u8(), target_colour = in.u8(), options = in.u8(), start = in.u8(), end = in.u8();
        const uint16_t bar_width = in.u16(), min = in.u16(), max = in.u16(), variable = in.u16(), value = in.u16();
        const uint16_t target_variable = in.u16(), target = in.u16();
        const uint8_t n_macros = in.u8();
        object = std::make_unique<Arched_bar_graph_obj>(id, name, width, height, colour, target_colour, options, start,
                                                        end, bar_width, min, max, variable, value, target_variable,
                                                        target, n_macros, parts.macros(n_macros));
        break;
    }
    case picture_graphic: {
        const uint16_t width = in.u16(), actual_width = in.u16(), actual_height = in.u16();
        const uint8_t format = in.u8(), options = in.u8(), transparency = in.u8();
        const uint32_t n_raw = in.u32();
        const uint8_t n_macros = in.u8();
        const uint8_t* raw = parts.bytes(n_raw);
        object = std::make_unique<Picture_graphic_obj>(id, name, width, actual_width, actual_height, format, options,
                                                       transparency, n_raw, n_macros, raw, parts.macros(n_macros));
        break;
    }
    case number_variable:
        object = std::make_unique<Number_variable_obj>(id, name, in.u32());
        break;
    case string_variable: {
        const uint16_t length = in.u16();
        object = std::make_unique<String_variable_obj>(id, name, length, parts.text(length));
        break;
    }
    case font_attributes: {
        const uint8_t colour = in.u8(), size = in.u8(), font_type = in.u8(), style = in.u8(), n_macros = in.u8();
        object = std::make_unique<Font_attributes_obj>(id, name, colour, size, font_type, style, n_macros,
                                                       parts.macros(n_macros));
        break;
    }
    case line_attributes: {
        const uint8_t colour = in.u8(), width = in.u8();
        const uint16_t art = in.u16();
        const uint8_t n_macros = in.u8();
        object = std::make_unique<Line_attributes_obj>(id, name, colour, width, art, n_macros, parts.macros(n_macros));
        break;
    }
    case fill_attributes: {
        const uint8_t fill_type = in.u8(), colour = in.u8();
        const uint16_t pattern = in.u16();
        const uint8_t n_macros = in.u8();
        object = std::make_unique<Fill_attributes_obj>(id, name, fill_type, colour, pattern, n_macros,
                                                       parts.macros(n_macros));
        break;
    }
    case input_attributes: {
        const uint8_t validation = in.u8(), length = in.u8();
        const char* text = parts.text(length);
        const uint8_t n_macros = in.u8();
        object = std::make_unique<Input_attributes_obj>(id, name, validation, length, text, n_macros,
                                                        parts.macros(n_macros));
        break;
    }
    case object_pointer:
        object = std::make_unique<Object_pointer_obj>(id, name, 0, nullptr, in.u16());
        break;
    case macro: {
        const uint16_t n_bytes = in.u16();
        object = std::make_unique<Macro_obj>(id, name, n_bytes, parts.bytes(n_bytes));
        break;
    }
    case auxiliary_function: {
        const uint8_t background = in.u8(), function_type = in.u8(), n_objects = in.u8();
        object = std::make_unique<Auxiliary_function_obj>(id, name, background, function_type, n_objects,
                                                          parts.placements(n_objects));
        break;
    }
    case auxiliary_input: {
        const uint8_t background = in.u8(), function_type = in.u8(), input_id = in.u8(), n_objects = in.u8();
        object = std::make_unique<Auxiliary_input_obj>(id, name, background, function_type, input_id, n_objects,
                                                       parts.placements(n_objects));
        break;
    }
    default:
        return nullptr;
    }
    return loaded;
}

bool Object_deserial::fail(uint16_t id, size_t offset, const char* reason)
{
    failed_id_ = id;
    Debug_print::dprint("VT object records refused: object %u at byte %zu %s\n", unsigned(id), offset, reason);
    return false;
}

bool Object_deserial::run(const uint8_t* data, size_t length)
{
    failed_id_ = VT_obj::NULL_ID;
    if (!pool_)
        return fail(VT_obj::NULL_ID, 0, "has no pool to go to");
    Record_reader in(data, length);
    std::vector<std::unique_ptr<Loaded_object>> objects;
    std::set<uint16_t> ids;
    while (!in.at_end()) {
        const size_t start = in.position();
        const uint16_t id = in.u16();
        const uint8_t type = in.u8();
        if (!in.ok())
            return fail(start + 2 <= length ? id : VT_obj::NULL_ID, start, "is cut short");
        if (id == VT_obj::NULL_ID)
            return fail(id, start, "has the ID that stands for no object");
        std::unique_ptr<Loaded_object> loaded = decode(id, type, in);
        if (!loaded)
            return fail(id, start, "is of an unknown type");
        if (!in.ok())
            return fail(id, start, "is cut short");
        if (type == working_set) {
            Debug_print::dprint("VT object records: Working Set %u passed over, the pool has its own\n",
                                unsigned(id));
            continue;
        }
        if (!ids.insert(id).second || pool_->holds(id))
            return fail(id, start, "has an ID the pool holds already");
        objects.push_back(std::move(loaded));
    }
    pool_->adopt(std::move(objects));
    return true;
}

}
