#include "orrvan_comms/include/Ecu_connector_iface.h"
#include "orrvan_comms/private/include/Ecu_null_objects.h"
#include "orrvan_comms/private/include/Ecu_pin_private_iface.h"
#include "orrvan_comms/private/include/Ecu_pin_value_private_iface.h"

#include <gtest/gtest.h>

#include <future>
#include <vector>

using namespace Next_gen;

namespace {

std::vector<Ecu_pin_iface*> null_pins()
{
    return {&get_ecu_pin_invalid_analogue(), &get_ecu_pin_invalid_digital_input(),
            &get_ecu_pin_invalid_digital_output(), &get_ecu_pin_invalid_encoder_input(),
            &get_ecu_pin_invalid_pwm_output()};
}

TEST(Ecu_null_objects, are_invalid_named_invalid_and_chained_to_the_null_connector)
{
    const Ecu_pin_type kinds[] = {Ecu_pin_type::analogue_input, Ecu_pin_type::digital_input,
                                  Ecu_pin_type::digital_output, Ecu_pin_type::encoder_input,
                                  Ecu_pin_type::pwm_output};
    const std::vector<Ecu_pin_iface*> pins = null_pins();
    for (size_t i = 0; i < pins.size(); ++i) {
        Ecu_pin_iface& pin = *pins[i];
        EXPECT_FALSE(pin.is_valid());
        EXPECT_EQ(pin.get_name(), "Invalid");
        EXPECT_EQ(pin.get_index(), 0xFFFFFFFFu);
        EXPECT_EQ(pin.get_pin_type(), kinds[i]);
        EXPECT_EQ(pin.get_connector(), &get_ecu_connector_invalid());
    }
    EXPECT_EQ(get_ecu_connector_invalid().get_pin(0).get_connector(), &get_ecu_connector_invalid());
    auto& encoder = dynamic_cast<Ecu_pin_private_iface&>(get_ecu_pin_invalid_encoder_input());
    EXPECT_EQ(encoder.get_input_index(0), 0u);
    EXPECT_EQ(encoder.get_input_index(1), 0u);
}

TEST(Ecu_null_objects, each_is_one_object_built_once_whichever_thread_asks_first)
{
    auto first = std::async(std::launch::async, null_pins);
    auto second = std::async(std::launch::async, null_pins);
    EXPECT_EQ(first.get(), second.get());
    EXPECT_EQ(null_pins(), null_pins());
}

// Every caller shares the null pins, so nothing may leave a mark on them.
TEST(Ecu_null_objects, null_pins_change_nothing)
{
    Ecu_pin_digital_input_iface& input = get_ecu_pin_invalid_digital_input();
    EXPECT_FALSE(input.set_active_high(false));
    dynamic_cast<Ecu_pin_value_private_iface<bool>&>(input).set_pin_value(true);
    EXPECT_FALSE(input.get_value());

    Ecu_pin_digital_output_iface& output = get_ecu_pin_invalid_digital_output();
    output.set_value(Digital_output_value::high);
    EXPECT_EQ(output.get_value(), Digital_output_value::not_used);

    Ecu_pin_analogue_iface& analogue = get_ecu_pin_invalid_analogue();
    dynamic_cast<Ecu_pin_value_private_iface<float>&>(analogue).set_pin_value(3.5f);
    EXPECT_EQ(analogue.get_value(), 0.0f);

    Ecu_pin_encoder_input_iface& encoder = get_ecu_pin_invalid_encoder_input();
    dynamic_cast<Ecu_pin_value_private_iface<float>&>(encoder).set_pin_value(2.0f);
    dynamic_cast<Ecu_pin_value_private_iface<unsigned>&>(encoder).set_pin_value(5u);
    EXPECT_EQ(encoder.get_value_string(), "Period 0, Count 0");

    Ecu_pin_pwm_output_iface& pwm = get_ecu_pin_invalid_pwm_output();
    dynamic_cast<Ecu_pin_value_private_iface<bool>&>(pwm).set_pin_value(true);
    EXPECT_EQ(pwm.get_value_string(), "0%%");

    for (Ecu_pin_iface* pin : null_pins()) {
        dynamic_cast<Ecu_pin_private_iface&>(*pin).set_pin_value_status(Ecu_pin_value_status(1));
        EXPECT_EQ(pin->get_status(), Ecu_pin_value_status::initial);
    }
}

}
