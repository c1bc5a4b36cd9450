// Prints the default parameter tree, one item a line: its path (the form
// NV_container::_search takes), id, type and default, so the tree can be held
// against the record tables.
#include "params/parameters_t.h"

#include <cstdio>
#include <cstring>
#include <string>

namespace {

using NV_store::NV_container;
using NV_store::NV_item;

std::string type_name(const NV_item& item)
{
    if (auto name = dynamic_cast<const NV_quvel::nv_name*>(&item))
        return "char[" + std::to_string(name->size()) + "]";
    switch (item.get_type()) {
    case Data_item::type_struct: return "struct";
    case Data_item::type_bool: return "bool";
    case Data_item::type_char: return "char";
    case Data_item::type_uint8: return "u8";
    case Data_item::type_uint16: return "u16";
    case Data_item::type_uint32: return "u32";
    case Data_item::type_int8: return "i8";
    case Data_item::type_int16: return "i16";
    case Data_item::type_int32: return "i32";
    case Data_item::type_float: return "float";
    case Data_item::type_double: return "double";
    case Data_item::type_uint64: return "u64";
    case Data_item::type_int64: return "i64";
    case Data_item::type_item_array: {
        unsigned count = 0;
        for (auto child = static_cast<const NV_container&>(item).get_first_child(); child;
             child = child->get_next_sibling())
            ++count;
        return "array[" + std::to_string(count) + "]";
    }
    }
    return "?";
}

std::string default_text(const NV_item& item)
{
    if (auto name = dynamic_cast<const NV_quvel::nv_name*>(&item)) {
        char chars[NV_quvel::nv_name::length];
        name->get(chars, sizeof chars);
        return "\"" + std::string(chars, strnlen(chars, sizeof chars)) + "\"";
    }
    char text[32] = "";
    item._to_string(text, sizeof text);
    return text;
}

void print(const NV_item& item, const std::string& path)
{
    std::printf("%s\t%u\t%s\t%s\n", path.empty() ? item.get_name() : path.c_str(), unsigned(item.get_id()), type_name(item).c_str(),
                default_text(item).c_str());
    auto container = dynamic_cast<const NV_container*>(&item);
    if (!container)
        return;
    for (auto child = container->get_first_child(); child; child = child->get_next_sibling()) {
        std::string step = container->children_have_unique_names() ? child->get_name()
                                                                    : std::to_string(child->get_id());
        print(*child, path.empty() ? step : path + "/" + step);
    }
}

}

int main()
{
    NV_quvel::parameters_t tree(nullptr, 0, "PS");
    std::printf("path\tid\ttype\tdefault\n");
    print(tree, "");
    return 0;
}
