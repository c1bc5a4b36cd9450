// A parameter set from text by its path, as the console does it.
//
// Input: "path=text", the path from the tree's top ("app/channels/3/name").
//
// Holds: a refused text changes nothing in the item; an accepted one is
// read up to a point inside the text and leaves the value the text names.
#include "fuzz/Fuzz_check.h"
#include "params/NV_array.h"
#include "params/parameters_t.h"
#include "platform/data/NV_iterator.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

namespace {

std::vector<uint8_t> image_of(const NV_store::NV_item& item)
{
    NV_store::NV_iterator it;
    it.start_image();
    fuzz_check(item.serialise(&it) && it.finish_image(), "an item serialises");
    return it.get_image();
}

void load(NV_store::NV_item& item, std::vector<uint8_t> image)
{
    NV_store::NV_iterator it;
    fuzz_check(it.open_image(std::move(image)) && item.deserialise(&it), "an item's own image loads");
}

using Name_item = NV_store::NV_array<char, Data_item::type_char, unsigned char, 20>;

// Whether the item holds what the text names: a number equal to it (a NaN
// equals nothing), a name its characters, zero-filled.
bool holds(const NV_store::NV_item& item, const std::string& text)
{
    if (auto name = dynamic_cast<const Name_item*>(&item)) {
        char chars[Name_item::length];
        name->get(chars, Name_item::length);
        char expected[Name_item::length] = {};
        std::memcpy(expected, text.data(), std::min(text.size(), sizeof expected));
        return std::memcmp(chars, expected, sizeof chars) == 0;
    }
    char value[64] = "";
    item._to_string(value, sizeof value);
    return item == text.c_str() || std::strstr(value, "nan") != nullptr;
}

}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static NV_quvel::parameters_t tree(nullptr, 0, "PS");

    const std::string input(reinterpret_cast<const char*>(data), size);
    const size_t equals = input.find('=');
    if (equals == std::string::npos)
        return 0;
    // Both parts as C texts, as the console hands them over.
    const std::string path = input.substr(0, equals).c_str();
    const std::string text = input.substr(equals + 1).c_str();

    NV_store::NV_item* item = tree._search(path.c_str(), '/');
    if (!item)
        return 0;
    const std::vector<uint8_t> before = image_of(*item);
    const char* end = item->_from_string(text.c_str());
    if (!end) {
        fuzz_check(image_of(*item) == before, "a refused text changes nothing");
        return 0;
    }
    fuzz_check(end >= text.c_str() && end <= text.c_str() + text.size(), "the end of an accepted text is in it");
    fuzz_check(holds(*item, text), "an accepted text leaves the value it names");
    load(*item, before);
    return 0;
}
