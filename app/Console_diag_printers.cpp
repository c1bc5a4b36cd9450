#include "app/Console_diag_printers.h"
#include "app/Store_watch.h"
#include "data_store/Data_store.h"
#include "params/parameters_t.h"
#include "platform/rtos/Debug_base.h"

namespace {

constexpr int num_shafts = 10;
constexpr int num_fans = 4;
constexpr int num_spray_ecus = 2;
constexpr int num_monitor_ecus = 5;
constexpr int num_monitor_inputs = 20;

template <class T>
T get(Console_view& view, const T& item)
{
    return view.store.head.get(item);
}

void print_showing(Console_view& view)
{
    Debug_print::dprint("%40s=%u\n", "showing_diagnostics",
                        unsigned(get(view, view.store.body.diagnostics.showing_diagnostics)));
}

// One reading of entry i.
void print_entry(const char* name, int i, unsigned value)
{
    Debug_print::dprint("%40s[%u]=%u\n", name, unsigned(i), value);
}
void print_period(const char* name, int i, uint32_t period)
{
    Debug_print::dprint("%40s[%u]=%lu\n", name, unsigned(i), static_cast<unsigned long>(period));
}
void print_bytes(const char* name, int i, const uint8_t* bytes, int count)
{
    Debug_print::dprint("%40s[%u]=", name, unsigned(i));
    for (int k = 0; k < count; ++k)
        Debug_print::dprint("%02x ", unsigned(bytes[k]));
    Debug_print::dprint("\n");
}

}

void print_diag_shafts(Console_view& view, int index)
{
    print_banner("DIAG SHAFT STATUS");
    print_showing(view);
    for (int i = first_of(index); i < end_of(index, num_shafts); ++i) {
        const ds_shaft shaft = get(view, view.store.body.diagnostics.shaft[i]);
        print_period("shaft.period", i, shaft.period);
        print_entry("shaft.pulse_count", i, shaft.pulse_count);
    }
}

void print_diag_ground_speed(Console_view& view, int)
{
    print_banner("DIAG SHAFT GROUND SPEED");
    print_showing(view);
    const ds_ground_speed_sensor sensor = get(view, view.store.body.diagnostics.ground_speed);
    Debug_print::dprint("%40s=%lu\n", "ground_speed.period", static_cast<unsigned long>(sensor.period));
    Debug_print::dprint("%40s=%u\n", "ground_speed.pulse_count", sensor.pulse_count);
}

void print_diag_fans(Console_view& view, int index)
{
    print_banner("DIAG FAN STATUS");
    for (int i = first_of(index); i < end_of(index, num_fans); ++i) {
        const ds_fans_diags fan = get(view, view.store.body.diagnostics.fans[i]);
        print_period("fans.shaft.period", i, fan.shaft.period);
        print_entry("fans.shaft.pulse_count", i, fan.shaft.pulse_count);
        print_entry("fans.adc", i, fan.adc.adc_val);
    }
}

void print_diag_actuators(Console_view& view, int index)
{
    print_banner("DIAG ACTUATOR");
    for (int i = first_of(index); i < end_of(index, num_shafts); ++i)
        print_entry("actuator.adc", i, get(view, view.store.body.diagnostics.actuator[i].adc.adc_val));
}

void print_diag_motor_currents(Console_view& view, int index)
{
    print_banner("DIAG MOTOR CURRENT");
    for (int i = first_of(index); i < end_of(index, num_shafts); ++i)
        print_entry("motor_current.adc", i, get(view, view.store.body.diagnostics.motor_current[i].adc_val));
}

void print_diag_level_sensors(Console_view& view, int index)
{
    print_banner("DIAG LEVEL SENSOR");
    for (int i = first_of(index); i < end_of(index, num_shafts); ++i)
        print_entry("level_sensor_on", i, get(view, view.store.body.diagnostics.level_sensor_on[i]));
}

void print_diag_pressure_sensors(Console_view& view, int index)
{
    print_banner("DIAG PRESSURE SENSOR STATUS");
    for (int i = first_of(index); i < end_of(index, num_shafts); ++i)
        Debug_print::dprint("%40s[%u].adc_val=%u\n", "liquid_pressure_sensor", unsigned(i),
                            get(view, view.store.body.diagnostics.liquid_pressure_sensor[i].adc_val));
}

void print_diag_spray_ecus(Console_view& view, int index)
{
    print_banner("DIAG SPRAY ECU STATUS");
    for (int i = first_of(index); i < end_of(index, num_spray_ecus); ++i) {
        const ds_spray_ecu_diag ecu = get(view, view.store.body.diagnostics.spray_ecu[i]);
        Debug_print::dprint("%40s[%u]=%02x\n", "spray_ecu.state", unsigned(i), unsigned(ecu.state));
        Debug_print::dprint("%40s[%u]=%02x\n", "spray_ecu.button_state", unsigned(i), unsigned(ecu.button_state));
        print_bytes("spray_ecu.boom_state", i, ecu.boom_state, sizeof ecu.boom_state);
        print_entry("spray_ecu.button_box_found", i, ecu.button_box_found);
    }
}

void print_monitor_status(Console_view& view, int index)
{
    print_banner("MONITOR ECU STATUS");
    const ds_monitor_ecus& monitors = view.store.body.monitor_ecus;
    Debug_print::dprint("%40s=%i\n", "monitor_power_cycle_timer", get(view, monitors.monitor_power_cycle_timer));
    Debug_print::dprint("%40s=%i\n", "monitor_inhibit_timer", get(view, monitors.monitor_inhibit_timer));
    Debug_print::dprint("%40s=%u\n", "activate_faulty_sensor_identification",
                        unsigned(get(view, monitors.activate_faulty_sensor_identification)));
    Debug_print::dprint("%40s=%u\n", "activate_auto_detect", unsigned(get(view, monitors.activate_auto_detect)));
    const auto& settings = view.parameters.app.monitor_ecus.monitor_ecus;
    for (int i = first_of(index); i < end_of(index, num_monitor_ecus); ++i) {
        const ds_monitor_ecu ecu = get(view, monitors.monitor_ecu[i]);
        print_entry("ecu_enabled", i, settings[i]->enabled.get());
        Debug_print::dprint("%40s[%u]=%x\n", "ecu_version.major", unsigned(i), unsigned(ecu.version.v_major));
        Debug_print::dprint("%40s[%u]=%x\n", "ecu_version.minor", unsigned(i), unsigned(ecu.version.v_minor));
        print_entry("setup_mode", i, ecu.setup_mode);
        print_bytes("monitor_state", i, ecu.monitor_state, sizeof ecu.monitor_state);
    }
}

// The mask shown is the one in effect: the bits the poll engine has not inhibited.
void print_monitor_inputs(Console_view& view, int index)
{
    print_banner("MONITOR ECU INPUTS");
    const ds_monitor_ecus& monitors = view.store.body.monitor_ecus;
    for (int n = first_of(index); n < end_of(index, num_monitor_inputs); ++n) {
        const unsigned latched = get(view, monitors.monitor_latched_inputs_active[n]);
        const unsigned active = get(view, monitors.monitor_inputs_active[n]);
        const unsigned mask = ~unsigned(get(view, monitors.monitor_inputs_inhibited[n])) & 0xFFu;
        Debug_print::dprint("%20s:%02u BITS:%03u-%03u (latched,active,mask)=0x%02x, 0x%02x, 0x%02x\n", "BYTE",
                            unsigned(n), unsigned(8 * n), unsigned(8 * n + 7), latched, active, mask);
    }
}
