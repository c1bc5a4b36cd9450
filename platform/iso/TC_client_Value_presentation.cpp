#include "platform/iso/TC_client_Value_presentation.h"

namespace TC_client {

// Raw units are those of the ISO 11783-11 data dictionary entries that use them.
const Value_presentation ha_area_pe{0, 0.0001f, 2, "ha"};
const Value_presentation km_distance_pe{0, 0.000001f, 2, "km"};
const Value_presentation s_from_seconds_pe{0, 1.0f, 0, "s"};
const Value_presentation cm_distance_pe{0, 0.1f, 1, "cm"};
const Value_presentation kg_per_ha_mass_per_area_pe{0, 0.01f, 1, "kg/ha"};
const Value_presentation l_per_ha_volume_per_area_pe{0, 0.0001f, 1, "L/ha"};
const Value_presentation kg_per_min_mass_per_time_pe{0, 0.00006f, 2, "kg/min"};
const Value_presentation l_per_min_volume_per_time_pe{0, 0.00006f, 2, "L/min"};
const Value_presentation l_volume_pe{0, 0.001f, 1, "L"};
const Value_presentation kpa_from_ddi_194{0, 0.0001f, 1, "kPa"};
const Value_presentation kg_mass_pe{0, 0.001f, 1, "kg"};
const Value_presentation kg_force_pe{0, float(1.0 / 9.80665), 0, "kg"};
const Value_presentation kpa_from_pa{0, 0.001f, 1, "kPa"};

}
