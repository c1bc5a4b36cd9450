#include "isobus/Bool_pd_coder.h"
#include "isobus/Fallback_pd_coder.h"
#include "isobus/Unit_pd_coders.h"
#include "platform/iso/TC_client_Default_pd_coders.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace TC_client;

namespace {

constexpr int32_t int_max = std::numeric_limits<int32_t>::max();
constexpr int32_t int_min = std::numeric_limits<int32_t>::min();
constexpr double nan = std::numeric_limits<double>::quiet_NaN();
constexpr double inf = std::numeric_limits<double>::infinity();

struct Encode_case {
    double factor; // 0: the fallback coder
    double value;
    int32_t raw;
};

TEST(Pd_coder, encodes_rounding_to_even_and_saturating)
{
    const Encode_case cases[] = {
        {10000, 2.5, 25000},
        {10000, 0.00004, 0},
        {1, 0.5, 0},
        {1, 1.5, 2},
        {1, -2.5, -2},
        {1000, 1e12, int_max},
        {1000, -1e12, int_min},
        {1, 2147483647.0, int_max},
        {1, nan, 0},
        {1, inf, int_max},
        {1, -inf, int_min},
        {0, -1.7, -1},
        {0, 1.7, 1},
        {0, 1e12, int_max},
        {0, -1e12, int_min},
        {0, nan, 0},
        {0, -inf, int_min},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "factor " << c.factor << " value " << c.value);
        if (c.factor == 0) {
            EXPECT_EQ(Fallback_pd_coder<double>().encode(c.value), c.raw);
            EXPECT_EQ(Fallback_pd_coder<float>().encode(float(c.value)), c.raw);
        } else {
            EXPECT_EQ(Multiplier_pd_coder<double>(c.factor).encode(c.value), c.raw);
            EXPECT_EQ(Multiplier_pd_coder<float>(c.factor).encode(float(c.value)), c.raw);
        }
    }
}

TEST(Pd_coder, bool_both_ways)
{
    const Process_data_coder<bool>* coders[] = {Default_pd_coders<bool>::get(), new Bool_pd_coder};
    for (const auto* coder : coders) {
        EXPECT_EQ(coder->encode(true), 1);
        EXPECT_EQ(coder->encode(false), 0);
        EXPECT_TRUE(coder->decode(1));
        EXPECT_TRUE(coder->decode(-5));
        EXPECT_FALSE(coder->decode(0));
    }
    delete coders[1];
}

TEST(Pd_coder, defaults_are_shared_and_whole)
{
    EXPECT_EQ(Default_pd_coders<double>::get(), Default_pd_coders<double>::get());
    EXPECT_EQ(Default_pd_coders<float>::get()->encode(-1.7f), -1);
    EXPECT_EQ(Default_pd_coders<int>::get()->encode(-42), -42);
    EXPECT_EQ(Default_pd_coders<unsigned int>::get()->encode(0xFFFFFFFFu), -1);
    EXPECT_EQ(Default_pd_coders<unsigned int>::get()->decode(-1), 0xFFFFFFFFu);
    EXPECT_EQ(Default_pd_coders<double>::get()->decode(-3), -3.0);
}

// Read while this file's statics are built, in no set order with the coders' file.
const double kg_to_n_before_main = Unit_pd_coders<double>::kg_to_n.get_factor();

TEST(Pd_coder, unit_coders_exist_before_main)
{
    EXPECT_EQ(kg_to_n_before_main, 9.80665);
}

template <class T>
void expect_round_trip(const Multiplier_pd_coder<T>& coder, double factor)
{
    EXPECT_EQ(coder.get_factor(), factor);
    for (double value : {0.0, 0.001, 1.0, 2.5, -3.3, 12.34, 150.0, 1234.5678}) {
        int32_t raw = coder.encode(T(value));
        // Within one raw step of the value, and stable when encoded again.
        EXPECT_NEAR(double(coder.decode(raw)), value, 1.0 / factor) << value << " x " << factor;
        EXPECT_EQ(coder.encode(coder.decode(raw)), raw) << value << " x " << factor;
    }
}

TEST(Pd_coder, unit_coders_decode_what_they_encode)
{
    expect_round_trip(Unit_pd_coders<double>::m_to_mm, 1000);
    expect_round_trip(Unit_pd_coders<double>::kg_per_hectare_to_mg_per_m2, 100);
    expect_round_trip(Unit_pd_coders<double>::g_per_sec_to_mg_per_sec, 1000);
    expect_round_trip(Unit_pd_coders<double>::l_per_hectare_to_ddi_1, 10000);
    expect_round_trip(Unit_pd_coders<double>::ml_per_sec_to_mm3_per_sec, 1000);
    expect_round_trip(Unit_pd_coders<double>::kg_to_n, 9.80665);
    expect_round_trip(Unit_pd_coders<float>::m_to_mm, 1000);
    expect_round_trip(Unit_pd_coders<float>::pulses_to_tenthousandth_pulses, 10000);
}

TEST(Pd_coder, litres_to_cubic_millimetres_round_trip_in_range)
{
    // 1e6 per litre: beyond about 2147 l the raw value saturates.
    const auto& coder = Unit_pd_coders<float>::l_to_mm3;
    EXPECT_EQ(coder.get_factor(), 1e6);
    for (float value : {0.0f, 0.25f, 1.5f, 2000.0f}) {
        int32_t raw = coder.encode(value);
        EXPECT_NEAR(coder.decode(raw), value, 1e-6 * std::max(1.0f, std::fabs(value)));
    }
    EXPECT_EQ(coder.encode(3000.0f), int_max);
}

}
