#pragma once
#include <cstddef>
#include <cstdint>

// The seeder pool's fixed texts: what its translatable strings show, and the
// 63 alarms whose masks the alarm screens find by name, "alarm_mask_" and
// the alarm's key. The pool holds them in this order from ID 1319 on.
namespace VT::Seeder_texts {

struct Text {
    const char* name;
    const char* english; // the text of language slot 0
};

struct Alarm {
    const char* key;
    const char* english;
};

inline constexpr const char alarm_mask_prefix[] = "alarm_mask_";
inline constexpr const char alarm_text_prefix[] = "ts_alarm_";

// The captions and titles of the working mask, 1319 to 1328.
inline constexpr Text working_texts[] = {
    {"ts_title_tank", "Tank1"},
    {"ts_title_rate", "Rate1"},
    {"ts_title_rem", "Rmaing1"},
    {"ts_settings", "Settings"},
    {"ts_tank_on_off", "TankOnOff"},
    {"ts_preset", "Preset"},
    {"ts_inc", "INC"},
    {"ts_dec", "DEC"},
    {"ts_master", "Master"},
    {"ts_all", "All"},
};

// Alarm k (1 to 63) is entry k - 1: its text is string 1328 + k, its mask 1414 + 2k.
inline constexpr Alarm alarms[] = {
    {"FAN_PRESSURE_LOW", "Fan pressure low"},
    {"FAN_PRESSURE_HIGH", "Fan pressure high"},
    {"FAN_SPEED_LOW", "Fan speed low"},
    {"FAN_SPEED_HIGH", "Fan speed high"},
    {"FAN_SENSOR_FAIL_1", "Fan 1 sensor failed"},
    {"FAN_SENSOR_FAIL_2", "Fan 2 sensor failed"},
    {"TANK_LOW_1", "Tank 1 low (calculated)"},
    {"TANK_LOW_2", "Tank 2 low (calculated)"},
    {"TANK_LOW_3", "Tank 3 low (calculated)"},
    {"TANK_LOW_4", "Tank 4 low (calculated)"},
    {"TANK_EMPTY_1", "Tank 1 empty (sensor)"},
    {"TANK_EMPTY_2", "Tank 2 empty (sensor)"},
    {"TANK_EMPTY_3", "Tank 3 empty (sensor)"},
    {"TANK_EMPTY_4", "Tank 4 empty (sensor)"},
    {"TEMPERATURE", "System temperature high"},
    {"TANK_SHAFT_1", "Tank 1 shaft stopped"},
    {"TANK_SHAFT_2", "Tank 2 shaft stopped"},
    {"TANK_SHAFT_3", "Tank 3 shaft stopped"},
    {"TANK_SHAFT_4", "Tank 4 shaft stopped"},
    {"TANK_ALT_RATE_1", "Tank 1 alternate rate in use"},
    {"TANK_ALT_RATE_2", "Tank 2 alternate rate in use"},
    {"TANK_ALT_RATE_3", "Tank 3 alternate rate in use"},
    {"TANK_ALT_RATE_4", "Tank 4 alternate rate in use"},
    {"TANK_INCORR_RATE_1", "Rate 1 incorrect"},
    {"TANK_INCORR_RATE_2", "Rate 2 incorrect"},
    {"TANK_INCORR_RATE_3", "Rate 3 incorrect"},
    {"TANK_INCORR_RATE_4", "Rate 4 incorrect"},
    {"TANK_OFF_MASTER_ON_1", "Tank 1 off with master on"},
    {"TANK_OFF_MASTER_ON_2", "Tank 2 off with master on"},
    {"TANK_OFF_MASTER_ON_3", "Tank 3 off with master on"},
    {"TANK_OFF_MASTER_ON_4", "Tank 4 off with master on"},
    {"NO_FLOW_TANKS_OFF", "No flow - tanks off"},
    {"NO_FLOW_NO_SPEED", "No flow - no ground speed"},
    {"NO_FLOW_NO_FAN", "No flow - no fan speed"},
    {"NO_FLOW_NO_FAN_PRESS", "No flow - no fan pressure"},
    {"MASTER_OFF", "Master switch off with tanks active"},
    {"NO_COMMS", "No comms. Stop."},
    {"CASE_DRAIN", "Case Drain"},
    {"BLOCKED_HEAD", "Blocked Head"},
    {"SHAFT_MV_TANK_OFF_1", "Shaft 1 moving with tank off"},
    {"SHAFT_MV_TANK_OFF_2", "Shaft 2 moving with tank off"},
    {"SHAFT_MV_TANK_OFF_3", "Shaft 3 moving with tank off"},
    {"SHAFT_MV_TANK_OFF_4", "Shaft 4 moving with tank off"},
    {"MOTOR_SENSOR_1", "Motor 1 sensor failed"},
    {"MOTOR_SENSOR_2", "Motor 2 sensor failed"},
    {"MOTOR_SENSOR_3", "Motor 3 sensor failed"},
    {"MOTOR_SENSOR_4", "Motor 4 sensor failed"},
    {"MOTOR_JAM_1", "Meter roller 1 jam - Switch off"},
    {"MOTOR_JAM_2", "Meter roller 2 jam - Switch off"},
    {"MOTOR_JAM_3", "Meter roller 3 jam - Switch off"},
    {"MOTOR_JAM_4", "Meter roller 4 jam - Switch off"},
    {"TANK_GEAR_1", "Tank 1 incorrect gear ratio"},
    {"TANK_GEAR_2", "Tank 2 incorrect gear ratio"},
    {"TANK_GEAR_3", "Tank 3 incorrect gear ratio"},
    {"TANK_GEAR_4", "Tank 4 incorrect gear ratio"},
    {"TANK_PRESS_MIN_1", "Tank 1 pressure low"},
    {"TANK_PRESS_MIN_2", "Tank 2 pressure low"},
    {"TANK_PRESS_MIN_3", "Tank 3 pressure low"},
    {"TANK_PRESS_MIN_4", "Tank 4 pressure low"},
    {"TANK_PRESS_MAX_1", "Tank 1 pressure high"},
    {"TANK_PRESS_MAX_2", "Tank 2 pressure high"},
    {"TANK_PRESS_MAX_3", "Tank 3 pressure high"},
    {"TANK_PRESS_MAX_4", "Tank 4 pressure high"},
};

// The unit labels, 1392 to 1414; the trailing spaces belong to them.
inline constexpr Text unit_texts[] = {
    {"UNIT_NONE", ""},
    {"UNIT_FIXME", "123"},
    {"UNIT_DISTANCE", "m  "},
    {"UNIT_DISTANCE_SM", "cm "},
    {"UNIT_DISTANCE_LG", "km "},
    {"UNIT_SPEED", "kph "},
    {"UNIT_ANGLE", "deg "},
    {"UNIT_AREA", "acres "},
    {"UNIT_AREA_LG", "ha "},
    {"UNIT_AREA_LG2", "ha "},
    {"UNIT_VOLUME", "l   "},
    {"UNIT_VOLUME_DRY", "l     "},
    {"UNIT_MASS", "kg "},
    {"UNIT_MASS_KGN", "kgN "},
    {"UNIT_PRESSURE", "kpa "},
    {"UNIT_MASS_PER_AREA", "kg/ha "},
    {"UNIT_MASS_N_PER_AREA", "kgN/ha "},
    {"UNIT_VOLUME_PER_AREA", "l/ha  "},
    {"UNIT_AREA_PER_TIME", "ha/hr "},
    {"UNIT_MASS_PER_VOLUME", "kg/l  "},
    {"UNIT_MASS_PER_REV", "kg/rev  "},
    {"UNIT_PULSE_PER_VOLUME", "pulses/l   "},
    {"UNIT_PULSE_PER_KG_N", "pulses/kgN "},
};

inline constexpr size_t working_text_count = sizeof working_texts / sizeof working_texts[0];
inline constexpr size_t alarm_count = sizeof alarms / sizeof alarms[0];
inline constexpr size_t unit_text_count = sizeof unit_texts / sizeof unit_texts[0];
inline constexpr size_t text_count = working_text_count + alarm_count + unit_text_count;
static_assert(working_text_count == 10 && alarm_count == 63 && unit_text_count == 23);

// The slot-0 text of the string at a position (0 to text_count - 1) in ID order.
constexpr const char* english(size_t position)
{
    if (position < working_text_count)
        return working_texts[position].english;
    position -= working_text_count;
    if (position < alarm_count)
        return alarms[position].english;
    return unit_texts[position - alarm_count].english;
}

// A string's length: its text's characters, raised to an even number.
constexpr uint16_t even_length(const char* text)
{
    size_t n = 0;
    while (text[n])
        ++n;
    return uint16_t((n + 1) & ~size_t(1));
}

}
