#include "app/Console_setters.h"
#include "app/Console_numbers.h"
#include "data_store/Data_store.h"
#include "platform/rtos/Debug_base.h"

#include <cfloat>
#include <cmath>
#include <cstring>

#define MONITOR_ITEM(name, member)                                                                                     \
    {                                                                                                                  \
        name, Settable_group::monitor_ecus,                                                                            \
            [](Data_store& s, int) { return Store_field::of(s.body.monitor_ecus.member); }                             \
    }
#define CHANNEL_ITEM(member)                                                                                           \
    {                                                                                                                  \
        #member, Settable_group::channels,                                                                             \
            [](Data_store& s, int i) { return Store_field::of(s.body.channels.channels[i].member); }                   \
    }
#define VEHICLE_ITEM(name, member)                                                                                     \
    {                                                                                                                  \
        name, Settable_group::vehicle, [](Data_store& s, int) { return Store_field::of(s.body.vehicle.member); }      \
    }

const Settable_item settable_items[] = {
    MONITOR_ITEM("detection", activate_auto_detect),
    MONITOR_ITEM("faulty_detection", activate_faulty_sensor_identification),
    CHANNEL_ITEM(product_assigned),
    CHANNEL_ITEM(product_number),
    CHANNEL_ITEM(active),
    CHANNEL_ITEM(requested_rate),
    CHANNEL_ITEM(actual_rate),
    CHANNEL_ITEM(rate_variation),
    CHANNEL_ITEM(rate_change_active),
    CHANNEL_ITEM(set_period),
    CHANNEL_ITEM(actual_period),
    CHANNEL_ITEM(gear_ratio_calc),
    CHANNEL_ITEM(motor_pulse_count),
    CHANNEL_ITEM(motor_load),
    CHANNEL_ITEM(motor_current),
    CHANNEL_ITEM(remaining_volume),
    CHANNEL_ITEM(pump_output_active),
    CHANNEL_ITEM(rate_control_mode),
    CHANNEL_ITEM(rate_inc_manual),
    CHANNEL_ITEM(rate_dec_manual),
    CHANNEL_ITEM(restart_liquid_pressure_filter),
    CHANNEL_ITEM(selected),
    VEHICLE_ITEM("gs_period", ground_speed_sensor.period),
    VEHICLE_ITEM("gs_pulse_count", ground_speed_sensor.pulse_count),
    VEHICLE_ITEM("speed", speed),
};
const size_t settable_item_count = sizeof settable_items / sizeof settable_items[0];

const Settable_item* find_settable(Settable_group group, const char* name)
{
    for (const Settable_item& item : settable_items)
        if (item.group == group && std::strcmp(item.name, name) == 0)
            return &item;
    return nullptr;
}

namespace {

template <class T>
void write(Data_store& store, const Store_field& field, T value)
{
    store.head.set(*static_cast<T*>(field.address), value);
}

}

bool write_value(Data_store& store, Store_field field, const char* name, const char* text)
{
    if (!text) {
        Debug_print::dprint("Value missing for %s\n", name);
        return false;
    }
    double value = 0;
    if (!parse_number(text, value)) {
        Debug_print::dprint("Not a number:%s\n", text);
        return false;
    }
    const bool real = field.kind == Store_field::float32 || field.kind == Store_field::float64;
    if (real && !std::isfinite(value)) {
        Debug_print::dprint("Not a finite number:%s\n", text);
        return false;
    }
    if (field.kind == Store_field::float32 && std::fabs(value) > double(FLT_MAX)) {
        Debug_print::dprint("Out of range for %s:%s\n", name, text);
        return false;
    }
    switch (field.kind) {
    case Store_field::boolean:
        write(store, field, to_int32(value) != 0);
        break;
    case Store_field::int32:
        write(store, field, to_int32(value));
        break;
    case Store_field::uint32:
        write(store, field, to_uint32(value));
        break;
    case Store_field::float32:
        write(store, field, float(value));
        break;
    case Store_field::float64:
        write(store, field, value);
        break;
    }
    return true;
}
