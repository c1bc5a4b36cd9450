#pragma once
#include <cstdint>

namespace TC_client {

// How a Task Controller shows a raw value to the operator (ISO 11783-10
// device value presentation): (raw + offset) x scale, with that many
// decimals, followed by the unit.
struct Value_presentation {
    int32_t offset;
    float scale;
    uint8_t decimals;
    const char* unit;
};

extern const Value_presentation ha_area_pe;                  // m2 -> ha
extern const Value_presentation km_distance_pe;              // mm -> km
extern const Value_presentation s_from_seconds_pe;           // s -> s
extern const Value_presentation cm_distance_pe;              // mm -> cm
extern const Value_presentation kg_per_ha_mass_per_area_pe;  // mg/m2 -> kg/ha
extern const Value_presentation l_per_ha_volume_per_area_pe; // 0.01 mm3/m2 -> L/ha
extern const Value_presentation kg_per_min_mass_per_time_pe; // mg/s -> kg/min
extern const Value_presentation l_per_min_volume_per_time_pe; // mm3/s -> L/min
extern const Value_presentation l_volume_pe;                 // ml -> L
extern const Value_presentation kpa_from_ddi_194;            // 0.1 Pa -> kPa
extern const Value_presentation kg_mass_pe;                  // g -> kg
extern const Value_presentation kg_force_pe;                 // N -> kgf
extern const Value_presentation kpa_from_pa;                 // Pa -> kPa

}
