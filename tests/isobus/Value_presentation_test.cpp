#include "isobus/Unit_pd_coders.h"
#include "platform/iso/TC_client_Value_presentation.h"

#include <gtest/gtest.h>

#include <string>

using namespace TC_client;

namespace {

struct Shown_case {
    const Value_presentation* presentation;
    int32_t raw; // as the seeder's coders produce it
    double shown;
    std::string unit;
};

TEST(Value_presentation, shows_the_seeders_raw_values_in_the_unit_it_names)
{
    const Shown_case cases[] = {
        {&ha_area_pe, 25000, 2.5, "ha"}, // m2
        {&km_distance_pe, 1500000, 1.5, "km"}, // mm
        {&s_from_seconds_pe, 3600, 3600, "s"},
        {&cm_distance_pe, Unit_pd_coders<double>::m_to_mm.encode(0.75), 75, "cm"},
        {&kg_per_ha_mass_per_area_pe, Unit_pd_coders<double>::kg_per_hectare_to_mg_per_m2.encode(150), 150, "kg/ha"},
        {&l_per_ha_volume_per_area_pe, Unit_pd_coders<double>::l_per_hectare_to_ddi_1.encode(80), 80, "L/ha"},
        {&kg_per_min_mass_per_time_pe, Unit_pd_coders<double>::g_per_sec_to_mg_per_sec.encode(10), 0.6, "kg/min"},
        {&l_per_min_volume_per_time_pe, Unit_pd_coders<double>::ml_per_sec_to_mm3_per_sec.encode(10), 0.6, "L/min"},
        {&l_volume_pe, Unit_pd_coders<double>::m_to_mm.encode(500), 500, "L"},
        {&kpa_from_ddi_194, 2000000, 200, "kPa"}, // 0.1 Pa
        {&kg_mass_pe, Unit_pd_coders<double>::m_to_mm.encode(750), 750, "kg"},
        {&kg_force_pe, Unit_pd_coders<double>::kg_to_n.encode(100), 100, "kg"},
        {&kpa_from_pa, Unit_pd_coders<double>::m_to_mm.encode(250), 250, "kPa"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.unit);
        double shown = (double(c.raw) + c.presentation->offset) * c.presentation->scale;
        EXPECT_NEAR(shown, c.shown, 0.001 * c.shown);
        EXPECT_EQ(c.presentation->unit, c.unit);
    }
}

}
