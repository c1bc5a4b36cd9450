#include "app/Console_printers.h"
#include "app/Store_watch.h"
#include "data_store/Data_store.h"
#include "params/parameters_t.h"
#include "platform/rtos/Debug_base.h"

#include <cstring>
#include <string>

namespace {

constexpr int banner_width = 79;
constexpr int title_column = 31;
constexpr unsigned num_channels = 10;
constexpr int num_fans = 4;
constexpr int num_booms = 6;
constexpr int num_sections = 10;
constexpr int calibrating_tanks = 8;

template <class T>
T get(Console_view& view, const T& item)
{
    return view.store.head.get(item);
}

// One value of a channel record, in the form its type asks for; the
// periods, typed "unsigned long", print as such.
void print_value(const char* name, const char*, bool value)
{
    Debug_print::dprint("%40s=%u\n", name, unsigned(value));
}
void print_value(const char* name, const char*, int32_t value)
{
    Debug_print::dprint("%40s=%i\n", name, value);
}
void print_value(const char* name, const char* type_name, uint32_t value)
{
    if (std::strcmp(type_name, "unsigned long") == 0)
        Debug_print::dprint("%40s=%lu\n", name, static_cast<unsigned long>(value));
    else
        Debug_print::dprint("%40s=%u\n", name, value);
}
void print_value(const char* name, const char*, double value)
{
    Debug_print::dprint("%40s=%.4f\n", name, value);
}
void print_version(const char* name, const ds_version& version)
{
    Debug_print::dprint("%40s=%x\n", (std::string(name) + ".major").c_str(), unsigned(version.v_major));
    Debug_print::dprint("%40s=%x\n", (std::string(name) + ".minor").c_str(), unsigned(version.v_minor));
}

// Every published member of the channel record, in record order.
#define CHANNEL_MEMBER(kind, ...) CHANNEL_MEMBER_##kind(__VA_ARGS__)
#define CHANNEL_MEMBER_LEAF(T, name, type_name, comment) print_value(#name, type_name, get(view, record.name));
#define CHANNEL_MEMBER_RECORD(record_type, name, comment) print_version(#name, get(view, record.name));
#define CHANNEL_MEMBER_HIDDEN(T, name)

void print_channel(Console_view& view, int channel)
{
    const ds_channel& record = view.store.body.channels.channels[channel];
    Debug_print::dprint("%40s=%u\n", "channel_index", unsigned(channel));
    Debug_print::dprint("%40s=%u\n", "assigned_to_boom",
                        unsigned(view.parameters.app.channels[channel]->assigned_to_boom.get()));
    ds_channel_FIELDS(CHANNEL_MEMBER)
}

void print_alarm(const char* name, const ds_alarm& alarm)
{
    Debug_print::dprint("%30s:ack=%1u, trig=%1u, new=%1u, pend=%1u, active=%u\n",
                        (std::string("alarms.") + name).c_str(), unsigned(alarm.acknowledged),
                        unsigned(alarm.triggered), unsigned(alarm.new_alarm), unsigned(alarm.pending),
                        unsigned(alarm.active));
}
void print_alarm(const char* name, unsigned tank, const ds_alarm& alarm)
{
    Debug_print::dprint("%27s[%1u]:ack=%1u, trig=%1u, new=%1u, pend=%1u, active=%u\n",
                        (std::string("alarms.") + name).c_str(), tank, unsigned(alarm.acknowledged),
                        unsigned(alarm.triggered), unsigned(alarm.new_alarm), unsigned(alarm.pending),
                        unsigned(alarm.active));
}

// Every alarm of the block in block order, the per-tank ones element by element.
#define ALARM_MEMBER(kind, ...) ALARM_MEMBER_##kind(__VA_ARGS__)
#define ALARM_MEMBER_RECORD(record_type, name, comment) print_alarm(#name, get(view, alarms.name));
#define ALARM_MEMBER_RECORDS(record_type, name, count, comment)                                                        \
    for (unsigned i = 0; i < count; ++i)                                                                               \
        print_alarm(#name, i, get(view, alarms.name[i]));

void print_flag(Console_view& view, const char* name, const bool& flag)
{
    Debug_print::dprint("%30s=%1u\n", name, unsigned(get(view, flag)));
}

}

void print_banner(const char* title)
{
    const std::string rule(banner_width, '=');
    std::string line = "==" + std::string(title_column - 3, ' ') + title;
    line.resize(banner_width - 2, ' ');
    line += "==";
    Debug_print::dprint("%s\n%s\n%s\n", rule.c_str(), line.c_str(), rule.c_str());
}

void print_channels(Console_view& view, int index)
{
    print_banner("CHANNEL STATUS");
    const ds_areas& areas = view.store.body.areas;
    Debug_print::dprint("%40s=%u\n", "max_channels", num_channels);
    Debug_print::dprint("%40s=%.4f\n", "area_rate", double(get(view, areas.area_rate)));
    Debug_print::dprint("%40s=%.4f\n", "area 0 total", double(get(view, areas.area[0].total)));
    for (int c = first_of(index); c < end_of(index, num_channels); ++c)
        print_channel(view, c);
}

void print_vehicle(Console_view& view, int)
{
    print_banner("VEHICLE STATUS");
    const ds_vehicle& vehicle = view.store.body.vehicle;
    Debug_print::dprint("%40s=%lu\n", "ground_speed_sensor.period",
                        static_cast<unsigned long>(get(view, vehicle.ground_speed_sensor.period)));
    Debug_print::dprint("%40s=%u\n", "ground_speed_sensor.pulse_count",
                        get(view, vehicle.ground_speed_sensor.pulse_count));
    Debug_print::dprint("%40s=%.4f\n", "gps_speed", double(get(view, vehicle.gps_speed)));
    Debug_print::dprint("%40s=%.4f\n", "speed", double(get(view, vehicle.speed)));
}

void print_operation(Console_view& view, int)
{
    print_banner("OPERATION STATUS");
    const ds_operation& operation = view.store.body.operation;
    print_flag(view, "use_manual_speed", operation.use_manual_speed);
    print_flag(view, "master_switch_active", operation.master_switch_active);
    print_flag(view, "inhibit_master_switch", operation.inhibit_master_switch);
    Debug_print::dprint("%30s=%1u\n", "calibration_state", unsigned(get(view, operation.calibration_state)));
    print_flag(view, "cal_swbox_run_stop_active", operation.cal_swbox_run_stop_active);
    print_flag(view, "cal_swbox_reset_active", operation.cal_swbox_reset_active);
    print_flag(view, "reset_diag_data", operation.reset_diag_data);
    for (int t = 0; t < calibrating_tanks; ++t)
        print_flag(view, ("calibrating_tank[" + std::to_string(t) + "]").c_str(), operation.tank[t].calibrating_tank);
    const ds_system& system = view.store.body.system;
    print_flag(view, "simulation.enabled", view.store.body.simulation.enabled);
    print_flag(view, "system.vt_uploaded", system.vt_uploaded);
    print_flag(view, "system.vt_alive", system.vt_alive);
    print_flag(view, "system.tc_alive", system.tc_alive);
    print_flag(view, "system.alive", system.alive);
}

void print_fans(Console_view& view, int index)
{
    print_banner("FAN STATUS");
    for (int f = first_of(index); f < end_of(index, num_fans); ++f) {
        const ds_fan fan = get(view, view.store.body.fans[f]);
        Debug_print::dprint(
            "%5s[%1u]:rpm=%010.4f, raw_rpm=%010.4f, pressure=%010.4f, period=%08u, stopped_count=%08u\n", "fans",
            unsigned(f), double(fan.rpm), double(fan.raw_rpm), double(fan.pressure), fan.period, fan.stopped_count);
    }
}

void print_alarms(Console_view& view, int)
{
    print_banner("ALARM STATUS");
    const ds_alarms& alarms = view.store.body.alarms;
    ds_alarms_FIELDS(ALARM_MEMBER)
}

void print_booms(Console_view& view, int index)
{
    print_banner("INTERFACE BOOM STATUS");
    for (int b = first_of(index); b < end_of(index, num_booms); ++b) {
        const ds_boom& boom = view.store.body.booms.boom[b];
        const uint32_t sensed = get(view, boom.section_sense_state);
        Debug_print::dprint("%8s[%02u]%s=0x%02x %s=%12.4f %s=0x%02x %s=0x%02x\n", "boom", unsigned(b), "boom_state",
                            unsigned(get(view, boom.boom_state)), "active_width", get(view, boom.active_width),
                            "drive_error_state", get(view, boom.section_drive_error_status), "sense_state", sensed);
        const NV_quvel::boom_t& settings = *view.parameters.app.booms.booms[b];
        for (int s = 0; s < num_sections; ++s) {
            const ds_section& section = boom.sections[s];
            Debug_print::dprint("%8s[%02u]%s[%02u]=%02u %s=%02u %s=%02u %s=%12.4f\n", "boom", unsigned(b), "section",
                                unsigned(s), get(view, section.setpoint_work_state), "sensed",
                                unsigned((sensed >> s) & 1u), "reported", get(view, section.actual_work_state),
                                "width", settings.sections[s]->width.get());
        }
    }
}
