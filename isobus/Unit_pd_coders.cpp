#include "isobus/Unit_pd_coders.h"

namespace TC_client {

// Constant-initialised (the constructor is constexpr), so no static
// constructor can find them unbuilt.
const Multiplier_pd_coder<double> Unit_pd_coders<double>::m_to_mm{1000};
const Multiplier_pd_coder<double> Unit_pd_coders<double>::kg_per_hectare_to_mg_per_m2{100};
const Multiplier_pd_coder<double> Unit_pd_coders<double>::g_per_sec_to_mg_per_sec{1000};
const Multiplier_pd_coder<double> Unit_pd_coders<double>::l_per_hectare_to_ddi_1{10000};
const Multiplier_pd_coder<double> Unit_pd_coders<double>::ml_per_sec_to_mm3_per_sec{1000};
const Multiplier_pd_coder<double> Unit_pd_coders<double>::kg_to_n{9.80665};

const Multiplier_pd_coder<float> Unit_pd_coders<float>::m_to_mm{1000};
const Multiplier_pd_coder<float> Unit_pd_coders<float>::l_to_mm3{1000000};
const Multiplier_pd_coder<float> Unit_pd_coders<float>::pulses_to_tenthousandth_pulses{10000};

}
