#include "tests/support/Iop_check.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <initializer_list>
#include <set>
#include <tuple>
#include <unordered_set>

namespace {

using Object = Iop_check::Object;
using Error = Iop_check::Error;
constexpr uint16_t no_object = Iop_check::no_object;

// A set of object types, one bit per type.
using Types = uint64_t;

constexpr Types types(std::initializer_list<uint8_t> list)
{
    Types set = 0;
    for (uint8_t type : list)
        set |= Types(1) << type;
    return set;
}

constexpr bool holds(Types set, uint8_t type) { return type < 64 && (set >> type & 1); }

// What a designator may show: output fields, shapes, graphics, pictures,
// containers and object pointers (Working Set, Key, Button, the items of
// an Input List, the auxiliary objects).
constexpr Types designator = types({3, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 27});
// A Data or Alarm Mask adds buttons, input fields and the auxiliary
// designators of version 3; a Container holds what its parent may.
constexpr Types mask_children = designator | types({6, 7, 8, 9, 10, 31, 32, 33});
constexpr Types soft_keys = types({5, 27});

Types children_allowed(uint8_t type)
{
    switch (type) {
    case 0: case 5: case 6: case 10: case 29: case 30: case 31: case 32:
        return designator;
    case 1: case 2: case 3:
        return mask_children;
    case 4:
        return soft_keys;
    default:
        return 0;
    }
}

const char* const names[Iop_check::type_count] = {
    "Working Set", "Data Mask", "Alarm Mask", "Container", "Soft Key Mask", "Key", "Button", "Input Boolean",
    "Input String", "Input Number", "Input List", "Output String", "Output Number", "Output Line",
    "Output Rectangle", "Output Ellipse", "Output Polygon", "Output Meter", "Output Linear Bar Graph",
    "Output Arched Bar Graph", "Picture Graphic", "Number Variable", "String Variable", "Font Attributes",
    "Line Attributes", "Fill Attributes", "Input Attributes", "Object Pointer", "Macro", "Auxiliary Function",
    "Auxiliary Input", "Auxiliary Function Type 2", "Auxiliary Input Type 2",
    "Auxiliary Control Designator Type 2 Object Pointer",
};

std::string format(const char* pattern, ...) __attribute__((format(printf, 1, 2)));
std::string format(const char* pattern, ...)
{
    char text[256];
    va_list arguments;
    va_start(arguments, pattern);
    std::vsnprintf(text, sizeof text, pattern, arguments);
    va_end(arguments);
    return text;
}

std::string names_of(Types set)
{
    std::string text;
    for (uint8_t type = 0; type < Iop_check::type_count; ++type) {
        if (!holds(set, type))
            continue;
        if (!text.empty())
            text += " or ";
        text += names[type];
    }
    return text;
}

// Reads a record from its start; a read past the end of the pool gives
// zeros and marks the record cut.
class Cursor {
public:
    Cursor(const std::vector<uint8_t>& bytes, size_t at) : bytes_(bytes), at_(at) {}

    uint8_t u8()
    {
        if (at_ >= bytes_.size()) {
            cut_ = true;
            return 0;
        }
        return bytes_[at_++];
    }
    uint16_t u16()
    {
        const uint16_t low = u8();
        return uint16_t(low | u8() << 8);
    }
    int16_t s16() { return int16_t(u16()); }
    uint32_t u32()
    {
        const uint32_t low = u16();
        return low | uint32_t(u16()) << 16;
    }
    // The next n bytes; null, and the record cut, when fewer remain.
    const uint8_t* take(size_t n)
    {
        if (n > bytes_.size() - at_) {
            cut_ = true;
            at_ = bytes_.size();
            return nullptr;
        }
        const uint8_t* start = bytes_.data() + at_;
        at_ += n;
        return start;
    }
    std::string text(size_t n)
    {
        const uint8_t* start = take(n);
        return start ? std::string(reinterpret_cast<const char*>(start), n) : std::string();
    }

    bool cut() const { return cut_; }
    size_t at() const { return at_; }

private:
    const std::vector<uint8_t>& bytes_;
    size_t at_;
    bool cut_ = false;
};

// An attribute that names another object.
struct Reference {
    uint16_t target;
    Types allowed;
    bool required; // 65535 is no object, and a fault here
    const char* role;
};

// What the checks need of a record beyond what a VT keeps.
struct Record {
    std::vector<Reference> references;
    std::vector<uint8_t> macros;
    std::vector<std::string> faults; // values out of range
};

class Reader {
public:
    Reader(const std::vector<uint8_t>& pool, std::map<uint16_t, Object>& objects, std::vector<Error>& errors,
           uint16_t& working_set)
        : pool_(pool), objects_(objects), errors_(errors), working_set_(working_set)
    {
    }

    void run()
    {
        walk();
        if (working_set_ == no_object)
            add(no_object, no_object, Iop_check::other_error, "the pool holds no Working Set");
        find_parents();
        for (size_t index : own_errors_)
            errors_[index].parent = parent_of(errors_[index].object);
        check_references();
    }

private:
    void walk()
    {
        size_t at = 0;
        uint16_t last = no_object;
        while (at < pool_.size()) {
            if (pool_.size() - at == 1) {
                own(last, Iop_check::other_error, "1 byte trails the last record");
                return;
            }
            if (pool_.size() - at == 2) {
                own(uint16_t(pool_[at] | pool_[at + 1] << 8), Iop_check::other_error,
                    format("the record at byte %zu ends after its object ID", at));
                return;
            }
            Cursor cursor(pool_, at);
            Object object;
            object.id = cursor.u16();
            object.type = cursor.u8();
            object.offset = at;
            if (object.type >= Iop_check::type_count) {
                own(object.id, Iop_check::unsupported,
                    format("type %u at byte %zu is no object type of a version 3 VT; the %zu bytes from there are "
                           "not read",
                           object.type, at, pool_.size() - at));
                return;
            }
            Record record;
            read_body(cursor, object, record);
            if (cursor.cut()) {
                own(object.id, Iop_check::other_error,
                    format("the %s at byte %zu runs past the end of the pool", names[object.type], at));
                return;
            }
            at = cursor.at();
            last = object.id;
            keep(std::move(object), std::move(record));
        }
    }

    void keep(Object object, Record record)
    {
        const uint16_t id = object.id;
        if (id == no_object) {
            own(id, Iop_check::other_error, format("the %s at byte %zu has ID 65535, which names no object",
                                                   names[object.type], object.offset));
            return;
        }
        const auto first = objects_.find(id);
        if (first != objects_.end()) {
            own(id, Iop_check::other_error,
                format("a %s at byte %zu takes ID %u again, after the %s at byte %zu", names[object.type],
                       object.offset, id, names[first->second.type], first->second.offset));
            return;
        }
        if (object.type == 0) {
            if (working_set_ == no_object)
                working_set_ = id;
            else
                own(id, Iop_check::other_error, format("a second Working Set; %u is the first", working_set_));
        }
        for (const std::string& fault : record.faults)
            own(id, Iop_check::other_error, fault);
        order_.push_back(id);
        records_[id] = std::move(record);
        objects_[id] = std::move(object);
    }

    // Reads the attributes of the object's type, as ISO 11783-6 lays them
    // out for a version 3 VT.
    void read_body(Cursor& c, Object& o, Record& r)
    {
        switch (o.type) {
        case 0: { // Working Set
            c.u8(); // background colour
            c.u8(); // selectable
            o.active_mask = reference(c, r, types({1, 2}), true, "active mask");
            const uint8_t objects = c.u8();
            const uint8_t macros = c.u8();
            const uint8_t languages = c.u8();
            placed(c, o, objects);
            macro_list(c, r, macros);
            c.take(2 * size_t(languages));
            break;
        }
        case 1: // Data Mask
            c.u8(); // background colour
            o.soft_key_mask = reference(c, r, types({4}), false, "soft key mask");
            placed_with_macros(c, o, r);
            break;
        case 2: // Alarm Mask
            c.u8(); // background colour
            o.soft_key_mask = reference(c, r, types({4}), false, "soft key mask");
            at_most(r, c.u8(), 2, "priority");
            at_most(r, c.u8(), 3, "acoustic signal");
            placed_with_macros(c, o, r);
            break;
        case 3: // Container
            c.u16(); // width
            c.u16(); // height
            o.hidden = c.u8() != 0;
            placed_with_macros(c, o, r);
            break;
        case 4: { // Soft Key Mask
            c.u8(); // background colour
            const uint8_t objects = c.u8();
            const uint8_t macros = c.u8();
            listed(c, o, objects);
            macro_list(c, r, macros);
            break;
        }
        case 5: // Key
            c.u8(); // background colour
            c.u8(); // key code
            placed_with_macros(c, o, r);
            break;
        case 6: // Button
            c.u16(); // width
            c.u16(); // height
            c.u8();  // background colour
            c.u8();  // border colour
            c.u8();  // key code
            c.u8();  // options
            placed_with_macros(c, o, r);
            break;
        case 7: // Input Boolean
            c.u8();  // background colour
            c.u16(); // width
            reference(c, r, types({23}), true, "foreground colour (font attributes)");
            o.variable = reference(c, r, types({21}), false, "variable reference");
            o.value = c.u8();
            o.enabled = c.u8() != 0;
            macro_list(c, r, c.u8());
            break;
        case 8: { // Input String
            c.u16(); // width
            c.u16(); // height
            c.u8();  // background colour
            reference(c, r, types({23}), true, "font attributes");
            reference(c, r, types({26}), false, "input attributes");
            c.u8(); // options
            o.variable = reference(c, r, types({22}), false, "variable reference");
            c.u8(); // justification
            o.text = c.text(c.u8());
            o.enabled = c.u8() != 0;
            macro_list(c, r, c.u8());
            break;
        }
        case 9: // Input Number
            field_start(c, o, r, types({21}));
            o.value = c.u32();
            o.min_value = c.u32();
            o.max_value = c.u32();
            number_format(c, o, r);
            o.enabled = c.u8() != 0;
            macro_list(c, r, c.u8());
            break;
        case 10: { // Input List
            c.u16(); // width
            c.u16(); // height
            o.variable = reference(c, r, types({21}), false, "variable reference");
            o.value = c.u8();
            const uint8_t items = c.u8();
            o.enabled = c.u8() != 0;
            const uint8_t macros = c.u8();
            listed(c, o, items);
            macro_list(c, r, macros);
            if (o.variable == no_object && o.value != 255 && o.value >= items)
                r.faults.push_back(format("value %u indexes none of its %u items", unsigned(o.value), items));
            break;
        }
        case 11: // Output String
            field_start(c, o, r, types({22}));
            c.u8(); // justification
            o.text = c.text(c.u16());
            macro_list(c, r, c.u8());
            break;
        case 12: // Output Number
            field_start(c, o, r, types({21}));
            o.value = c.u32();
            number_format(c, o, r);
            macro_list(c, r, c.u8());
            break;
        case 13: // Output Line
            reference(c, r, types({24}), true, "line attributes");
            c.u16(); // width
            c.u16(); // height
            at_most(r, c.u8(), 1, "line direction");
            macro_list(c, r, c.u8());
            break;
        case 14: // Output Rectangle
            reference(c, r, types({24}), true, "line attributes");
            c.u16(); // width
            c.u16(); // height
            c.u8();  // line suppression
            reference(c, r, types({25}), false, "fill attributes");
            macro_list(c, r, c.u8());
            break;
        case 15: // Output Ellipse
            reference(c, r, types({24}), true, "line attributes");
            c.u16(); // width
            c.u16(); // height
            at_most(r, c.u8(), 3, "ellipse type");
            at_most(r, c.u8(), 180, "start angle");
            at_most(r, c.u8(), 180, "end angle");
            reference(c, r, types({25}), false, "fill attributes");
            macro_list(c, r, c.u8());
            break;
        case 16: { // Output Polygon
            c.u16(); // width
            c.u16(); // height
            reference(c, r, types({24}), true, "line attributes");
            reference(c, r, types({25}), false, "fill attributes");
            at_most(r, c.u8(), 3, "polygon type");
            const uint8_t points = c.u8();
            const uint8_t macros = c.u8();
            c.take(4 * size_t(points));
            macro_list(c, r, macros);
            if (points < 3)
                r.faults.push_back(format("%u points are too few for a polygon", points));
            break;
        }
        case 17: // Output Meter
            c.u16(); // width
            c.u8();  // needle colour
            c.u8();  // border colour
            c.u8();  // arc and tick colour
            c.u8();  // options
            c.u8();  // number of ticks
            at_most(r, c.u8(), 180, "start angle");
            at_most(r, c.u8(), 180, "end angle");
            graph_values(c, o, r, false);
            macro_list(c, r, c.u8());
            break;
        case 18: // Output Linear Bar Graph
            c.u16(); // width
            c.u16(); // height
            c.u8();  // colour
            c.u8();  // target line colour
            c.u8();  // options
            c.u8();  // number of ticks
            graph_values(c, o, r, true);
            macro_list(c, r, c.u8());
            break;
        case 19: // Output Arched Bar Graph
            c.u16(); // width
            c.u16(); // height
            c.u8();  // colour
            c.u8();  // target line colour
            c.u8();  // options
            at_most(r, c.u8(), 180, "start angle");
            at_most(r, c.u8(), 180, "end angle");
            c.u16(); // bar graph width
            graph_values(c, o, r, true);
            macro_list(c, r, c.u8());
            break;
        case 20: // Picture Graphic
            read_picture(c, r);
            break;
        case 21: // Number Variable
            o.value = c.u32();
            break;
        case 22: // String Variable
            o.text = c.text(c.u16());
            break;
        case 23: // Font Attributes
            c.u8(); // font colour
            at_most(r, c.u8(), 14, "font size");
            c.u8(); // font type
            c.u8(); // font style
            macro_list(c, r, c.u8());
            break;
        case 24: // Line Attributes
            c.u8();  // line colour
            c.u8();  // line width
            c.u16(); // line art
            macro_list(c, r, c.u8());
            break;
        case 25: { // Fill Attributes
            const uint8_t fill = c.u8();
            at_most(r, fill, 3, "fill type");
            c.u8(); // fill colour
            const uint16_t pattern = reference(c, r, types({20}), false, "fill pattern");
            macro_list(c, r, c.u8());
            if (fill == 3 && pattern == no_object)
                r.faults.push_back("fill type 3 fills with a pattern, and the fill pattern is 65535");
            break;
        }
        case 26: // Input Attributes
            at_most(r, c.u8(), 1, "validation type");
            c.text(c.u8()); // validation string
            macro_list(c, r, c.u8());
            break;
        case 27: // Object Pointer: its target is checked where the pointer stands
            o.value = c.u16();
            break;
        case 28: // Macro: referred to by one byte
            c.take(c.u16());
            if (o.id > 255)
                r.faults.push_back(format("a Macro's ID must be below 256 to be named, not %u", o.id));
            break;
        case 29: // Auxiliary Function
            c.u8(); // background colour
            at_most(r, c.u8(), 2, "function type");
            placed(c, o, c.u8());
            break;
        case 30: // Auxiliary Input
            c.u8(); // background colour
            at_most(r, c.u8(), 2, "function type");
            c.u8(); // input ID
            placed(c, o, c.u8());
            break;
        case 31: // Auxiliary Function Type 2
        case 32: // Auxiliary Input Type 2
            c.u8(); // background colour
            c.u8(); // function attributes
            placed(c, o, c.u8());
            break;
        case 33: // Auxiliary Control Designator Type 2 Object Pointer
            at_most(r, c.u8(), 3, "pointer type");
            reference(c, r, types({31, 32}), false, "auxiliary object");
            break;
        }
    }

    void read_picture(Cursor& c, Record& r)
    {
        c.u16(); // width shown
        const uint16_t width = c.u16();
        const uint16_t height = c.u16();
        const uint8_t format_code = c.u8();
        const uint8_t options = c.u8();
        c.u8(); // transparency colour
        const uint32_t size = c.u32();
        const uint8_t macros = c.u8();
        const uint8_t* data = c.take(size);
        macro_list(c, r, macros);
        if (!data)
            return;
        at_most(r, format_code, 2, "format");
        if (options & 0xF8)
            r.faults.push_back(format("options 0x%02X set reserved bits", options));
        if (format_code > 2)
            return;
        const uint64_t bits = format_code == 0 ? 1 : format_code == 1 ? 4 : 8;
        const uint64_t needed = uint64_t(height) * ((uint64_t(width) * bits + 7) / 8); // rows start on a byte
        if (!(options & 0x04)) {
            if (size != needed)
                r.faults.push_back(format("%u bytes of data for a picture of %llu", unsigned(size),
                                          static_cast<unsigned long long>(needed)));
            return;
        }
        if (size % 2) {
            r.faults.push_back(format("run-length data of %u bytes is no whole number of runs", unsigned(size)));
            return;
        }
        uint64_t total = 0;
        for (uint32_t i = 0; i < size; i += 2) {
            if (data[i] == 0) {
                r.faults.push_back(format("the run at data byte %u has length 0", unsigned(i)));
                return;
            }
            total += data[i];
        }
        if (total != needed)
            r.faults.push_back(format("runs of %llu bytes for a picture of %llu", static_cast<unsigned long long>(total),
                                      static_cast<unsigned long long>(needed)));
    }

    // Width, height, background colour, font attributes, options and the
    // variable reference: how Input Number and the output fields begin.
    void field_start(Cursor& c, Object& o, Record& r, Types variable)
    {
        c.u16(); // width
        c.u16(); // height
        c.u8();  // background colour
        reference(c, r, types({23}), true, "font attributes");
        c.u8(); // options
        o.variable = reference(c, r, variable, false, "variable reference");
    }

    // Minimum, maximum, the variable reference and the value of a meter or
    // bar graph; a bar graph's target value follows.
    void graph_values(Cursor& c, Object& o, Record& r, bool target)
    {
        c.u16(); // minimum
        c.u16(); // maximum
        o.variable = reference(c, r, types({21}), false, "variable reference");
        o.value = c.u16();
        if (!target)
            return;
        reference(c, r, types({21}), false, "target value variable reference");
        c.u16(); // target value
    }

    // Offset, scale, number of decimals, format and justification.
    static void number_format(Cursor& c, Object& o, Record& r)
    {
        o.number_offset = int32_t(c.u32());
        const uint32_t scale_bits = c.u32();
        std::memcpy(&o.scale, &scale_bits, sizeof o.scale);
        o.decimals = c.u8();
        at_most(r, o.decimals, 7, "number of decimals");
        at_most(r, c.u8(), 1, "format");
        c.u8(); // justification
    }

    uint16_t reference(Cursor& c, Record& r, Types allowed, bool required, const char* role)
    {
        const uint16_t target = c.u16();
        r.references.push_back({target, allowed, required, role});
        return target;
    }

    // The number of objects, the number of macros, then both lists.
    static void placed_with_macros(Cursor& c, Object& o, Record& r)
    {
        const uint8_t objects = c.u8();
        const uint8_t macros = c.u8();
        placed(c, o, objects);
        macro_list(c, r, macros);
    }

    static void placed(Cursor& c, Object& o, unsigned count)
    {
        for (unsigned i = 0; i < count && !c.cut(); ++i) {
            const uint16_t id = c.u16();
            const int16_t x = c.s16();
            const int16_t y = c.s16();
            o.children.push_back({id, x, y});
        }
    }

    static void listed(Cursor& c, Object& o, unsigned count)
    {
        for (unsigned i = 0; i < count && !c.cut(); ++i)
            o.children.push_back({c.u16(), 0, 0});
    }

    static void macro_list(Cursor& c, Record& r, unsigned count)
    {
        for (unsigned i = 0; i < count && !c.cut(); ++i) {
            c.u8(); // event
            r.macros.push_back(c.u8());
        }
    }

    static void at_most(Record& r, unsigned value, unsigned limit, const char* what)
    {
        if (value > limit)
            r.faults.push_back(format("%s %u is above %u", what, value, limit));
    }

    // The first object, in record order, that names each object.
    void find_parents()
    {
        parents_.emplace(no_object, no_object); // 65535 is no object, and no object's child
        for (uint16_t id : order_) {
            const Object& object = objects_.at(id);
            for (const auto& child : object.children)
                parents_.emplace(child.id, id);
            if (object.type == 27)
                parents_.emplace(uint16_t(object.value), id);
            for (const Reference& reference : records_.at(id).references)
                parents_.emplace(reference.target, id);
            for (uint8_t macro : records_.at(id).macros)
                parents_.emplace(macro, id);
        }
    }

    uint16_t parent_of(uint16_t id) const
    {
        const auto found = parents_.find(id);
        return found == parents_.end() ? no_object : found->second;
    }

    void check_references()
    {
        for (uint16_t id : order_) {
            const Object& object = objects_.at(id);
            const Record& record = records_.at(id);
            for (const Reference& reference : record.references)
                check(id, reference);
            for (uint8_t macro : record.macros)
                check(id, {macro, types({28}), true, "macro"});
            // A Container holds what its parent may, so its children are
            // checked from each parent; an Object Pointer's target likewise.
            if (object.type != 3 && children_allowed(object.type)) {
                const bool required = object.type != 10; // an Input List may have empty items
                for (const auto& child : object.children)
                    place(id, children_allowed(object.type), child.id, required);
            }
        }
        // Those that stand nowhere yet may stand in a mask, or a Soft Key
        // Mask for a pointer.
        for (uint16_t id : order_) {
            const Object& object = objects_.at(id);
            if ((object.type == 3 || object.type == 27) && !reached_.count(id))
                expand(object, object.type == 3 ? mask_children : mask_children | soft_keys);
        }
    }

    void check(uint16_t owner, const Reference& reference)
    {
        const Object& object = objects_.at(owner);
        if (reference.target == no_object) {
            if (reference.required)
                add(owner, parent_of(owner), Iop_check::other_error,
                    format("the %s of %s %u is 65535, no object", reference.role, names[object.type], owner));
            return;
        }
        const auto target = objects_.find(reference.target);
        if (target == objects_.end()) {
            add(reference.target, owner, Iop_check::missing_object,
                format("the %s of %s %u names %u, which the pool does not hold", reference.role,
                       names[object.type], owner, reference.target));
            return;
        }
        if (!holds(reference.allowed, target->second.type))
            add(reference.target, owner, Iop_check::other_error,
                format("the %s of %s %u names a %s, not a %s", reference.role, names[object.type], owner,
                       names[target->second.type], names_of(reference.allowed).c_str()));
    }

    // Checks that the object may stand in the parent, which allows the
    // types given, and what it holds in turn.
    void place(uint16_t parent, Types allowed, uint16_t id, bool required)
    {
        const Object& holder = objects_.at(parent);
        if (id == no_object) {
            if (required)
                add(parent, parent_of(parent), Iop_check::other_error,
                    format("%s %u lists 65535, no object", names[holder.type], parent));
            return;
        }
        const auto found = objects_.find(id);
        if (found == objects_.end()) {
            add(id, parent, Iop_check::missing_object,
                format("%s %u lists %u, which the pool does not hold", names[holder.type], parent, id));
            return;
        }
        const Object& object = found->second;
        if (!holds(allowed, object.type)) {
            add(id, parent, Iop_check::other_error,
                format("%s %u lists a %s, which may not stand there", names[holder.type], parent,
                       names[object.type]));
            return;
        }
        reached_.insert(id);
        if (object.type != 3 && object.type != 27)
            return;
        if (on_path_.count(id)) {
            add(id, parent, Iop_check::other_error, format("%s %u holds itself", names[object.type], id));
            return;
        }
        expand(object, allowed);
    }

    // The children of a Container, or the target of an Object Pointer, as
    // they stand in a parent that allows the types given.
    void expand(const Object& object, Types allowed)
    {
        if (!expanded_.insert({object.id, allowed}).second)
            return;
        on_path_.insert(object.id);
        if (object.type == 3) {
            for (const auto& child : object.children)
                place(object.id, allowed, child.id, true);
        } else if (object.value != no_object) {
            place(object.id, allowed, uint16_t(object.value), false);
        }
        on_path_.erase(object.id);
    }

    // An error of the object itself; its parent is found once all are read.
    void own(uint16_t id, Iop_check::Code code, const std::string& text)
    {
        own_errors_.push_back(errors_.size());
        add(id, no_object, code, text);
    }

    void add(uint16_t object, uint16_t parent, Iop_check::Code code, const std::string& text)
    {
        if (said_.insert({object, parent, text}).second)
            errors_.push_back({object, parent, code, text});
    }

    const std::vector<uint8_t>& pool_;
    std::map<uint16_t, Object>& objects_;
    std::vector<Error>& errors_;
    uint16_t& working_set_;
    std::vector<uint16_t> order_; // the IDs kept, in record order
    std::map<uint16_t, Record> records_;
    std::map<uint16_t, uint16_t> parents_;
    std::vector<size_t> own_errors_;
    std::unordered_set<uint16_t> reached_;
    std::set<std::pair<uint16_t, Types>> expanded_;
    std::unordered_set<uint16_t> on_path_;
    std::set<std::tuple<uint16_t, uint16_t, std::string>> said_;
};

}

Iop_check::Iop_check(const std::vector<uint8_t>& pool)
{
    Reader(pool, objects_, errors_, working_set_).run();
}

const Iop_check::Object* Iop_check::find(uint16_t id) const
{
    const auto found = objects_.find(id);
    return found == objects_.end() ? nullptr : &found->second;
}

size_t Iop_check::count(uint8_t type) const
{
    size_t n = 0;
    for (const auto& entry : objects_)
        n += entry.second.type == type;
    return n;
}

std::string Iop_check::summary() const
{
    std::string text;
    for (uint8_t type = 0; type < type_count; ++type) {
        const size_t n = count(type);
        if (n)
            text += format("%3u %s: %zu\n", type, names[type], n);
    }
    return text;
}

const char* Iop_check::type_name(uint8_t type)
{
    return type < type_count ? names[type] : "unknown type";
}
