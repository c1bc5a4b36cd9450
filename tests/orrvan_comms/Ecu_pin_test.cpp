#include "Fake_ecu.h"
#include "orrvan_comms/private/include/Ecu_pin_private_iface.h"
#include "orrvan_comms/private/include/Ecu_pin_value_private_iface.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace Next_gen;

namespace {

using Requests = std::vector<std::string>;

template <class I, class T>
struct Recorder {
    std::vector<T> seen;
    typename Observable_iface<I, T>::Observer observer()
    {
        return std::make_shared<std::function<void(const I&, const T&)>>(
            [this](const I&, const T& value) { seen.push_back(value); });
    }
};

template <class T>
void set_value(Ecu_pin_iface& pin, T value)
{
    auto& private_pin = dynamic_cast<Ecu_pin_value_private_iface<T>&>(pin);
    private_pin.set_pin_value(value);
}

void tick(Ecu_pin_iface& pin) { dynamic_cast<Ecu_pin_private_iface&>(pin).tick(); }

using Pin_fixture = Rq73_ecu_fixture;

// What kx4 does with connector 2 of its ECU.
TEST_F(Pin_fixture, the_application_road_tells_the_ecu_polarity_and_interval_then_reports_every_200_ms)
{
    Ecu_pin_digital_input_iface& input = ecu.get_connector(2).get_pin_digital_input(1, "DIG Input 1");
    EXPECT_TRUE(input.set_active_high(false));
    Recorder<Ecu_pin_digital_input_iface, bool> levels;
    input.get_value_observer().set_on_time_update_interval(200);
    input.get_value_observer().register_observer(levels.observer());
    EXPECT_EQ(ecu.take_requests(),
              (Requests{"set_digital_input_polarity(2,1,low)", "set_digital_input_time_interval(200)"}));

    set_value(input, true);
    std::vector<int> delivered_on;
    for (int n = 1; n <= 60; ++n) {
        const size_t before = levels.seen.size();
        tick(input);
        if (levels.seen.size() != before)
            delivered_on.push_back(n);
    }
    EXPECT_EQ(delivered_on, (std::vector<int>{1, 20, 40, 60}));
    EXPECT_EQ(levels.seen, (std::vector<bool>{true, true, true, true}));
}

TEST_F(Pin_fixture, every_kind_starts_with_its_kind_initial_values_and_texts)
{
    struct Expected {
        Ecu_pin_iface& pin;
        Ecu_pin_type type;
        bool configured;
        const char* text;
    };
    const Expected kinds[] = {
        {chan1.get_pin_analogue_input(7, "a"), Ecu_pin_type::analogue_input, false, "0"},
        {chan1.get_pin_encoder_input(3, "e"), Ecu_pin_type::encoder_input, true, "Period 0, Count 0"},
        {chan1.get_pin_digital_input(4, "i"), Ecu_pin_type::digital_input, false, "Low"},
        {chan1.get_pin_digital_output(0, "o"), Ecu_pin_type::digital_output, true, "Not used"},
        {chan1.get_pin_pwm_output(1, "p"), Ecu_pin_type::pwm_output, true, "0%%"},
    };
    for (const Expected& kind : kinds) {
        SCOPED_TRACE(kind.pin.get_name().toStdString());
        EXPECT_EQ(kind.pin.get_pin_type(), kind.type);
        EXPECT_TRUE(kind.pin.is_valid());
        EXPECT_EQ(kind.pin.is_configured(), kind.configured);
        EXPECT_EQ(kind.pin.get_status(), Ecu_pin_value_status::initial);
        EXPECT_EQ(kind.pin.get_value_string(), kind.text);
        EXPECT_EQ(kind.pin.get_connector(), &chan1);
    }
}

TEST_F(Pin_fixture, values_received_show_in_value_and_text)
{
    Ecu_pin_analogue_iface& analogue = chan1.get_pin_analogue_input(7, "a");
    set_value(analogue, 12.345678f);
    EXPECT_FLOAT_EQ(analogue.get_value(), 12.345678f);
    EXPECT_EQ(analogue.get_value_string(), "12.3457");

    Ecu_pin_digital_input_iface& input = chan1.get_pin_digital_input(4, "i");
    set_value(input, true);
    EXPECT_TRUE(input.get_value());
    EXPECT_EQ(input.get_value_string(), "High");

    Ecu_pin_encoder_input_iface& encoder = chan1.get_pin_encoder_input(3, "e");
    set_value(encoder, 12.5f);
    set_value(encoder, 40u);
    EXPECT_FLOAT_EQ(encoder.get_period(), 12.5f);
    EXPECT_EQ(encoder.get_pulse_count(), 40u);
    EXPECT_EQ(encoder.get_value_string(), "Period 12.5, Count 40");

    Ecu_pin_iface& pwm = chan1.get_pin_pwm_output(1, "p");
    set_value(pwm, true);
    EXPECT_EQ(pwm.get_value_string(), "1%%");
    set_value(pwm, false);
    EXPECT_EQ(pwm.get_value_string(), "0%%");
}

TEST_F(Pin_fixture, a_digital_output_keeps_its_value_passes_it_to_the_ecu_and_names_it)
{
    Ecu_pin_digital_output_iface& output = chan2.get_pin_digital_output(10, "Relay");
    ecu.take_requests();
    const std::pair<uint32_t, const char*> texts[] = {
        {0, "Low"}, {1, "High"}, {2, "Float"}, {3, "Not used"}, {7, "Invalid (7)"}};
    Requests expected;
    for (const auto& [value, text] : texts) {
        output.set_value(Digital_output_value(value));
        EXPECT_EQ(output.get_value(), Digital_output_value(value));
        EXPECT_EQ(output.get_value_string(), text);
        expected.push_back("set_digital_output(1,10," + std::to_string(value) + ")");
    }
    EXPECT_EQ(ecu.take_requests(), expected);
    EXPECT_TRUE(output.set_active_high(false));
    EXPECT_TRUE(ecu.take_requests().empty()) << "a digital output has no polarity of its own";
}

TEST_F(Pin_fixture, polarity_goes_to_the_ecu_each_time_it_is_set)
{
    Ecu_pin_digital_input_iface& input = chan1.get_pin_digital_input(9, "in");
    EXPECT_TRUE(input.set_active_high(false));
    EXPECT_TRUE(input.set_active_high(true));
    EXPECT_EQ(ecu.take_requests(),
              (Requests{"set_digital_input_polarity(0,9,low)", "set_digital_input_polarity(0,9,high)"}));
}

// On-time intervals of an input's observables become the ECU's reporting
// rates; the last observer leaving stops them.
TEST_F(Pin_fixture, intervals_of_input_observables_become_reporting_rates)
{
    Ecu_pin_analogue_iface& analogue = chan2.get_pin_analogue_input(8, "a");     // input index 0
    Ecu_pin_encoder_input_iface& encoder = chan2.get_pin_encoder_input(5, "e");  // input indexes 1 and 2
    Ecu_pin_digital_input_iface& input = chan2.get_pin_digital_input(6, "i");
    ecu.take_requests();

    Recorder<Ecu_pin_analogue_iface, float> values;
    const auto observer = values.observer();
    analogue.get_value_observer().set_on_time_update_interval(100);
    analogue.get_value_observer().register_observer(observer);
    encoder.get_period_observer().set_on_time_update_interval(50);
    encoder.get_pulse_count_observer().set_on_time_update_interval(1000);
    input.get_value_observer().set_on_time_update_interval(20);
    analogue.get_value_observer().set_change_threshold(1.0f);
    analogue.get_value_observer().set_min_on_change_update_interval(30);
    analogue.get_value_observer().deregister_observer(values.observer()); // not registered: changes nothing
    analogue.get_value_observer().deregister_observer(observer);

    EXPECT_EQ(ecu.take_requests(),
              (Requests{"probe_time_interval(0,100)", "probe_time_interval(1,50)", "probe_time_interval(2,1000)",
                        "set_digital_input_time_interval(20)", "probe_time_interval(0,0)"}));
}

TEST_F(Pin_fixture, statuses_are_ticked_and_a_status_forced_to_its_value_makes_nothing_due)
{
    Ecu_pin_iface& pin = chan1.get_pin_pwm_output(1, "p");
    Recorder<Ecu_pin_iface, Ecu_pin_value_status> statuses;
    pin.get_status_observer().register_observer(statuses.observer());
    tick(pin);
    EXPECT_EQ(statuses.seen, (std::vector<Ecu_pin_value_status>{Ecu_pin_value_status::initial}));

    auto& private_pin = dynamic_cast<Ecu_pin_private_iface&>(pin);
    private_pin.set_pin_value_status(Ecu_pin_value_status::initial);
    tick(pin);
    EXPECT_EQ(statuses.seen.size(), 1u);

    private_pin.set_pin_value_status(Ecu_pin_value_status(1));
    EXPECT_EQ(pin.get_status(), Ecu_pin_value_status(1));
    tick(pin);
    EXPECT_EQ(statuses.seen.back(), Ecu_pin_value_status(1));
}

TEST_F(Pin_fixture, status_observers_see_the_common_part_which_knows_the_kind)
{
    Ecu_pin_iface& pin = chan1.get_pin_encoder_input(3, "Wheel");
    std::vector<std::pair<QString, Ecu_pin_type>> seen;
    pin.get_status_observer().register_observer(
        std::make_shared<std::function<void(const Ecu_pin_iface&, const Ecu_pin_value_status&)>>(
            [&](const Ecu_pin_iface& owner, const Ecu_pin_value_status&) {
                seen.emplace_back(owner.get_name(), owner.get_pin_type());
            }));
    tick(pin);
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].first, "Wheel");
    EXPECT_EQ(seen[0].second, Ecu_pin_type::encoder_input);
}

TEST_F(Pin_fixture, a_conversion_gives_the_pin_for_its_own_kind_and_the_null_pin_for_any_other)
{
    Ecu_pin_iface* pins[] = {&chan1.get_pin_analogue_input(7, "a"), &chan1.get_pin_digital_output(0, "o"),
                             &chan1.get_pin_digital_input(4, "i"), &chan1.get_pin_encoder_input(3, "e"),
                             &chan1.get_pin_pwm_output(1, "p")};
    for (size_t own = 0; own < 5; ++own) {
        Ecu_pin_iface& pin = *pins[own];
        SCOPED_TRACE(pin.get_name().toStdString());
        Ecu_pin_iface* converted[] = {&pin.as_analogue_input(), &pin.as_digital_output(), &pin.as_digital_input(),
                                      &pin.as_encoder_input(), &pin.as_pwm_output()};
        Ecu_pin_iface* invalid[] = {&get_ecu_pin_invalid_analogue(), &get_ecu_pin_invalid_digital_output(),
                                    &get_ecu_pin_invalid_digital_input(), &get_ecu_pin_invalid_encoder_input(),
                                    &get_ecu_pin_invalid_pwm_output()};
        for (size_t kind = 0; kind < 5; ++kind) {
            EXPECT_EQ(converted[kind], kind == own ? &pin : invalid[kind]) << "kind " << kind;
            EXPECT_EQ(converted[kind]->is_valid(), kind == own);
        }
    }
}

TEST_F(Pin_fixture, only_an_encoder_has_input_indexes_of_its_own)
{
    chan1.get_pin_analogue_input(7, "takes index 0");
    auto& encoder = dynamic_cast<Ecu_pin_private_iface&>(chan1.get_pin_encoder_input(3, "e"));
    EXPECT_EQ(encoder.get_input_index(0), 1u);
    EXPECT_EQ(encoder.get_input_index(1), 2u);
    EXPECT_EQ(encoder.get_input_index(5), 2u);
    auto& analogue = dynamic_cast<Ecu_pin_private_iface&>(chan1.get_pin(7));
    EXPECT_EQ(analogue.get_input_index(0), 0u);
    EXPECT_EQ(analogue.get_input_index(1), 0u);
}

TEST_F(Pin_fixture, a_float_probe_value_of_nan_is_a_change_each_time)
{
    Ecu_pin_analogue_iface& analogue = chan1.get_pin_analogue_input(7, "a");
    Recorder<Ecu_pin_analogue_iface, float> values;
    analogue.get_value_observer().register_observer(values.observer());
    tick(analogue);
    set_value(analogue, std::nanf(""));
    tick(analogue);
    EXPECT_EQ(values.seen.size(), 2u);
    EXPECT_TRUE(std::isnan(values.seen.back()));
    EXPECT_EQ(analogue.get_value_string(), "nan");
}

}
