#include "tests/params/Tree_helpers.h"
#include "params/NV_quvel_record.h"
#include "platform/data/NV_iterator.h"

#include <cstring>
#include <random>

std::vector<uint8_t> image_of(const NV_store::NV_container& tree)
{
    NV_store::NV_iterator it;
    it.start_image();
    if (!tree.serialise(&it) || !it.finish_image())
        return {};
    return it.get_image();
}

std::vector<uint8_t> values_of(const NV_store::NV_container& record)
{
    std::vector<uint8_t> image = image_of(record);
    const size_t before = 10 + 8, after = 4; // file header, container header and length; CRC
    return std::vector<uint8_t>(image.begin() + before, image.end() - after);
}

bool load_image(NV_store::NV_container& tree, std::vector<uint8_t> image)
{
    NV_store::NV_iterator it;
    return it.open_image(std::move(image)) && tree.deserialise(&it);
}

namespace {

// Loads an image of the one item, so that the value goes in silently.
template <class Push>
void load_silently(NV_store::NV_item& item, Push push_body)
{
    NV_store::NV_iterator it;
    it.start_image();
    it.push_header(item.get_type_byte(), item.get_form(), item.get_id());
    push_body(it);
    it.finish_image();
    std::vector<uint8_t> image = it.get_image();
    it.open_image(image);
    item.deserialise(&it);
}

template <class T>
void scribble_number(NV_store::NV_item& item, std::mt19937_64& random)
{
    uint64_t bits = random();
    T value;
    if constexpr (std::is_same<T, bool>::value)
        value = bits & 1;
    else
        std::memcpy(&value, &bits, sizeof value);
    load_silently(item, [&](NV_store::NV_iterator& it) { it.push_value(value); });
}

void scribble_item(NV_store::NV_item& item, std::mt19937_64& random)
{
    using namespace NV_quvel;
    if (auto container = dynamic_cast<NV_store::NV_container*>(&item)) {
        for (auto child = container->get_first_child(); child; child = child->get_next_sibling())
            scribble_item(*child, random);
    } else if (auto name = dynamic_cast<nv_name*>(&item)) {
        load_silently(*name, [&](NV_store::NV_iterator& it) {
            it.push_uint8(nv_name::length);
            for (int i = 0; i < nv_name::length; ++i)
                it.push_char(char(random()));
        });
    } else {
        switch (item.get_type()) {
        case Data_item::type_bool: scribble_number<bool>(item, random); break;
        case Data_item::type_uint8: scribble_number<uint8_t>(item, random); break;
        case Data_item::type_int8: scribble_number<int8_t>(item, random); break;
        case Data_item::type_uint16: scribble_number<uint16_t>(item, random); break;
        case Data_item::type_uint32: scribble_number<uint32_t>(item, random); break;
        case Data_item::type_int32: scribble_number<int32_t>(item, random); break;
        case Data_item::type_uint64: scribble_number<uint64_t>(item, random); break;
        case Data_item::type_float: scribble_number<float>(item, random); break;
        case Data_item::type_double: scribble_number<double>(item, random); break;
        default: break;
        }
    }
}

}

void scribble(NV_store::NV_item& item, uint32_t seed)
{
    std::mt19937_64 random(seed);
    scribble_item(item, random);
}

int deliver(waiter_descriptor& waiter)
{
    int count = 0;
    waiter_event event;
    while (waiter.poll(event)) {
        if (event.listener)
            event.listener->handle_listener_event(event);
        ++count;
    }
    return count;
}

Logging_listener& Listener_log::listen(NV_store::NV_item& item, const std::string& label, bool include_below)
{
    listeners_.push_back(std::make_unique<Logging_listener>(log_, label));
    listeners_.back()->init(&item);
    listeners_.back()->autoreg(waiter, include_below);
    return *listeners_.back();
}

std::vector<std::string> Listener_log::heard()
{
    log_.clear();
    deliver(waiter);
    return log_;
}

uint32_t Listener_log::code_heard_by(const std::string& label) const
{
    for (auto& listener : listeners_)
        if (listener->label() == label)
            return listener->last_event.code;
    return 0xFFFFFFFF;
}
