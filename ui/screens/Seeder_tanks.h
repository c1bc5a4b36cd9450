#pragma once
#include "params/parameters_t.h"

#include <cstdint>

// What the per-tank screens share about tanks and products: the kinds a
// channel's parameters name, and the bounds of every index a stored value
// can give. The parameter arrays stop the program on an index outside them,
// and another display or the console can store any value, so a screen checks
// each index it takes from a parameter or the store before using it.
namespace Seeder_tanks {

// The screens show tanks 1 to 4 (channels 0 to 3), although the store and
// the parameters hold ten channels.
constexpr int count = 4;
constexpr int channel_count = int(decltype(NV_quvel::application_t::channels)::size());
constexpr int product_count = int(decltype(NV_quvel::application_t::products)::size());

// Product types (`mode`); any other value is shown as granular.
constexpr uint8_t granular = 0, liquid = 1, nh3 = 2;
// Drives of a granular tank (`granular_controller_type`).
constexpr uint8_t electric_drive = 0, actuator_drive = 1, prop_valve_drive = 3;
// A product's `tank` when it is on none.
constexpr uint8_t no_tank = 10;

constexpr bool is_tank(long long index) { return index >= 0 && index < count; }
constexpr bool is_channel(long long index) { return index >= 0 && index < channel_count; }
constexpr bool is_product(long long index) { return index >= 0 && index < product_count; }

inline NV_quvel::channel_t& channel(NV_quvel::parameters_t& parameters, int index)
{
    return *parameters.app.channels[index];
}
inline NV_quvel::products_t& product(NV_quvel::parameters_t& parameters, int index)
{
    return *parameters.app.products[index];
}

}
