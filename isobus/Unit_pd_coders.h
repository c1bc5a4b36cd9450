#pragma once
#include "platform/iso/TC_client_Multiplier_pd_coder.h"

namespace TC_client {

// The unit conversions of the seeder's values, constant from before main.
template <class T>
struct Unit_pd_coders;

template <>
struct Unit_pd_coders<double> {
    static const Multiplier_pd_coder<double> m_to_mm;
    static const Multiplier_pd_coder<double> kg_per_hectare_to_mg_per_m2;
    static const Multiplier_pd_coder<double> g_per_sec_to_mg_per_sec;
    static const Multiplier_pd_coder<double> l_per_hectare_to_ddi_1;
    static const Multiplier_pd_coder<double> ml_per_sec_to_mm3_per_sec;
    static const Multiplier_pd_coder<double> kg_to_n;
};

template <>
struct Unit_pd_coders<float> {
    static const Multiplier_pd_coder<float> m_to_mm;
    static const Multiplier_pd_coder<float> l_to_mm3;
    static const Multiplier_pd_coder<float> pulses_to_tenthousandth_pulses;
};

}
