#include "app/Console_ds.h"
#include "app/Console_diag_printers.h"
#include "app/Console_numbers.h"
#include "app/Console_setters.h"
#include "app/Console_tokens.h"
#include "data_store/Data_store.h"
#include "platform/rtos/Debug_base.h"

#include <cstring>

namespace {

constexpr int num_channels = 10;
constexpr int num_fans = 4;
constexpr int num_booms = 6;
constexpr int num_sections = 10;

}

// A group of the store, the word after "ds". A missing operation makes the
// command "not currently supported".
struct Console_ds::Group {
    const char* name;
    const char* label; // names the group in its messages
    void (Console_ds::*show)(Console_tokens& tokens, const char* input);
    void (Console_ds::*set)(Console_tokens& tokens, const char* input);
    const char* set_format; // the help's line for the set command, if any
    const Item* items;      // the items the group names after it, if any
    bool sets_table_items;  // its settable items are those of settable_group
    Settable_group settable_group;
};

// An item named after a group: shown by its printer (over count entries,
// none when 0), set by the group's set operation when settable.
struct Console_ds::Item {
    const char* name;
    Console_printer show;
    int count;
    bool settable;
};

const Console_ds::Item Console_ds::diagnostics_items[] = {
    {"shaft", print_diag_shafts, 10, false},
    {"ground_speed", print_diag_ground_speed, 0, false},
    {"fans", print_diag_fans, 4, false},
    {"actuator", print_diag_actuators, 10, false},
    {"motor_current", print_diag_motor_currents, 10, false},
    {"level_sensor_on", print_diag_level_sensors, 10, false},
    {"pressure_sensor", print_diag_pressure_sensors, 10, false},
    {"spray_ecu", print_diag_spray_ecus, 2, false},
    {nullptr, nullptr, 0, false},
};

const Console_ds::Item Console_ds::monitor_items[] = {
    {"status", print_monitor_status, 5, false},
    {"inputs", print_monitor_inputs, 20, false},
    {"detection", nullptr, 0, true},
    {"faulty_detection", nullptr, 0, true},
    {nullptr, nullptr, 0, false},
};

const Console_ds::Item Console_ds::interface_items[] = {
    {"boom_section_state", print_booms, num_booms, true},
    {"boom_working_width", print_booms, num_booms, false},
    {nullptr, nullptr, 0, false},
};

const Console_ds::Group Console_ds::groups[] = {
    {"channels", "Channels", &Console_ds::show_channels, &Console_ds::set_channel,
     "set ds.channel.item.channel_index=value", nullptr, true, Settable_group::channels},
    {"vehicle", "Vehicle", &Console_ds::show_vehicle, &Console_ds::set_vehicle, "set ds.vehicle=value", nullptr, true,
     Settable_group::vehicle},
    {"operation", "Operation", &Console_ds::show_operation, nullptr, nullptr, nullptr, false, {}},
    {"fans", "Fans", &Console_ds::show_fans, nullptr, nullptr, nullptr, false, {}},
    {"alarms", "Alarms", &Console_ds::show_alarms, nullptr, nullptr, nullptr, false, {}},
    {"diagnostics", "Diagnostics", &Console_ds::show_diagnostics, nullptr, nullptr, diagnostics_items, false, {}},
    {"monitor_ecus", "Monitor ECUs", &Console_ds::show_monitor, &Console_ds::set_monitor,
     "set ds.monitor_ecus=value", monitor_items, false, {}},
    {"interface", "Interface", &Console_ds::show_interface, &Console_ds::set_interface, "set ds.interface=value",
     interface_items, false, {}},
    {"simulation", "Simulation", &Console_ds::show_operation, &Console_ds::set_simulation, nullptr, nullptr, false,
     {}},
};

Console_ds::Console_ds(Data_store& store, const NV_quvel::parameters_t& parameters) : view_{store, parameters} {}

const Console_ds::Group* Console_ds::find_group(const char* name)
{
    for (const Group& group : groups)
        if (std::strcmp(group.name, name) == 0)
            return &group;
    return nullptr;
}

const Console_ds::Item* Console_ds::find_item(const Item* table, const char* name)
{
    for (const Item* item = table; item->name; ++item)
        if (std::strcmp(item->name, name) == 0)
            return item;
    return nullptr;
}

void Console_ds::get(Console_tokens& tokens, const char* input)
{
    const char* name = tokens.next(Console_tokens::words);
    const Group* group = name ? find_group(name) : nullptr;
    if (!group) {
        report_parse_error(input);
        return;
    }
    (this->*group->show)(tokens, input);
}

void Console_ds::set(Console_tokens& tokens, const char* input)
{
    const char* name = tokens.next(Console_tokens::words);
    const Group* group = name ? find_group(name) : nullptr;
    if (!group) {
        report_parse_error(input);
        return;
    }
    if (!group->set) {
        Debug_print::dprint("%s command not currently supported:%s\n", group->label, name);
        return;
    }
    (this->*group->set)(tokens, input);
}

bool Console_ds::entry_of(const char* text, int count, int& index)
{
    long value = 0;
    if (!parse_index(text, value) || value < 0) {
        Debug_print::dprint("Not an index:%s\n", text);
        return false;
    }
    if (value >= count) {
        Debug_print::dprint("Index out of range:%u\n", unsigned(value));
        return false;
    }
    index = int(value);
    return true;
}

bool Console_ds::take_index(Console_tokens& tokens, const char* name, int count, int& index)
{
    const char* text = tokens.next(Console_tokens::words);
    if (!text) {
        Debug_print::dprint("Index missing for %s\n", name);
        return false;
    }
    return entry_of(text, count, index);
}

// No index shows every entry.
void Console_ds::show_indexed(Console_tokens& tokens, Console_printer printer, int count)
{
    const char* text = tokens.next(Console_tokens::words);
    int index = -1;
    if (!text || entry_of(text, count, index))
        printer(view_, index);
}

void Console_ds::show_channels(Console_tokens& tokens, const char*)
{
    show_indexed(tokens, print_channels, num_channels);
}

void Console_ds::show_vehicle(Console_tokens&, const char*)
{
    print_vehicle(view_, -1);
}

void Console_ds::show_operation(Console_tokens&, const char*)
{
    print_operation(view_, -1);
}

void Console_ds::show_fans(Console_tokens& tokens, const char*)
{
    show_indexed(tokens, print_fans, num_fans);
}

void Console_ds::show_alarms(Console_tokens&, const char*)
{
    print_alarms(view_, -1);
}

void Console_ds::show_diagnostics(Console_tokens& tokens, const char* input)
{
    show_item(diagnostics_items, "Diagnostics", tokens, input);
}

void Console_ds::show_monitor(Console_tokens& tokens, const char* input)
{
    show_item(monitor_items, "Monitor ECUs", tokens, input);
}

void Console_ds::show_interface(Console_tokens& tokens, const char* input)
{
    show_item(interface_items, "Interface", tokens, input);
}

void Console_ds::show_item(const Item* table, const char* label, Console_tokens& tokens, const char* input)
{
    const char* name = tokens.next(Console_tokens::words);
    if (!name) {
        report_parse_error(input);
        return;
    }
    const Item* item = find_item(table, name);
    if (!item) {
        Debug_print::dprint("%s command not found:%s\n", label, name);
    } else if (!item->show) {
        Debug_print::dprint("%s command not currently supported:%s\n", label, name);
    } else if (item->count > 0) {
        show_indexed(tokens, item->show, item->count);
    } else {
        item->show(view_, -1);
    }
}

void Console_ds::set_channel(Console_tokens& tokens, const char* input)
{
    const char* name = tokens.next(Console_tokens::words);
    if (!name) {
        report_parse_error(input);
        return;
    }
    const Settable_item* item = find_settable(Settable_group::channels, name);
    if (!item) {
        Debug_print::dprint("Channels command not found:%s\n", name);
        return;
    }
    int channel = 0;
    if (take_index(tokens, item->name, num_channels, channel))
        write_value(view_.store, item->field(view_.store, channel), item->name, tokens.next(Console_tokens::values));
}

void Console_ds::set_vehicle(Console_tokens& tokens, const char* input)
{
    const char* name = tokens.next(Console_tokens::words);
    if (!name) {
        report_parse_error(input);
        return;
    }
    const Settable_item* item = find_settable(Settable_group::vehicle, name);
    if (!item) {
        Debug_print::dprint("Vehicle command not found:%s\n", name);
        return;
    }
    write_value(view_.store, item->field(view_.store, 0), item->name, tokens.next(Console_tokens::values));
}

void Console_ds::set_monitor(Console_tokens& tokens, const char* input)
{
    const char* name = tokens.next(Console_tokens::words);
    if (!name) {
        report_parse_error(input);
        return;
    }
    const Item* entry = find_item(monitor_items, name);
    if (!entry) {
        Debug_print::dprint("Monitor ECUs command not found:%s\n", name);
        return;
    }
    const Settable_item* item = entry->settable ? find_settable(Settable_group::monitor_ecus, name) : nullptr;
    if (!item) {
        Debug_print::dprint("Monitor ECUs command not currently supported:%s\n", name);
        return;
    }
    write_value(view_.store, item->field(view_.store, 0), item->name, tokens.next(Console_tokens::values));
}

// The one settable interface item: the requested state of a boom's section.
void Console_ds::set_interface(Console_tokens& tokens, const char* input)
{
    const char* name = tokens.next(Console_tokens::words);
    if (!name) {
        report_parse_error(input);
        return;
    }
    const Item* entry = find_item(interface_items, name);
    if (!entry) {
        Debug_print::dprint("Interface command not found:%s\n", name);
        return;
    }
    if (!entry->settable) {
        Debug_print::dprint("Interface command not currently supported:%s\n", name);
        return;
    }
    int boom = 0, section = 0;
    if (!take_index(tokens, "boom", num_booms, boom) || !take_index(tokens, "section", num_sections, section))
        return;
    ds_section& record = view_.store.body.booms.boom[boom].sections[section];
    write_value(view_.store, Store_field::of(record.setpoint_work_state), entry->name,
                tokens.next(Console_tokens::values));
}

void Console_ds::set_simulation(Console_tokens& tokens, const char*)
{
    write_value(view_.store, Store_field::of(view_.store.body.simulation.enabled), "simulation",
                tokens.next(Console_tokens::values));
}

void Console_ds::print_help()
{
    Debug_print::dprint("Supported commands (case sensitive):\n");
    Debug_print::dprint("set ds.item=value\n");
    Debug_print::dprint("    where item = \n");
    for (const Group& group : groups) {
        if (!group.set)
            continue;
        Debug_print::dprint("        %s\n", group.name);
        if (group.set_format)
            Debug_print::dprint("          Format:%s\n", group.set_format);
        if (group.sets_table_items) {
            for (size_t i = 0; i < settable_item_count; ++i)
                if (settable_items[i].group == group.settable_group)
                    Debug_print::dprint("          %s\n", settable_items[i].name);
        }
        for (const Item* item = group.items; item && item->name; ++item)
            if (item->settable)
                Debug_print::dprint("          %s\n", item->name);
    }
    Debug_print::dprint("get ds.item\n");
    for (const Group& group : groups) {
        Debug_print::dprint("        %s\n", group.name);
        for (const Item* item = group.items; item && item->name; ++item)
            if (item->show)
                Debug_print::dprint("          %s\n", item->name);
    }
}
