#include "Fake_ecu.h"
#include "orrvan_comms/private/include/Ecu_block_analogue.h"
#include "orrvan_comms/private/include/Ecu_block_controller.h"
#include "orrvan_comms/private/include/Ecu_block_encoder.h"
#include "orrvan_comms/private/include/Ecu_block_pwm.h"
#include "orrvan_comms/private/include/Ecu_prop_control_algorithm_block.h"
#include "orrvan_comms/private/include/Ecu_reg_control_algorithm_block.h"

#include <gtest/gtest.h>

using namespace Next_gen;

namespace {

TEST(Ecu_block, pin_blocks_wrap_the_very_pin_and_have_one_port)
{
    Fake_ecu ecu{4};
    Ecu_connector& connector = ecu.add_connector();
    Ecu_pin_analogue_iface& analogue = connector.get_pin_analogue_input(7, "a");
    Ecu_pin_encoder_input_iface& encoder = connector.get_pin_encoder_input(3, "e");
    Ecu_pin_pwm_output_iface& pwm = connector.get_pin_pwm_output(1, "p");

    Ecu_block_analogue analogue_block(analogue);
    Ecu_block_encoder encoder_block(encoder);
    Ecu_block_pwm pwm_block(pwm);
    EXPECT_EQ(&analogue_block.get_pin(), &analogue);
    EXPECT_EQ(&encoder_block.get_pin(), &encoder);
    EXPECT_EQ(&pwm_block.get_pin(), &pwm);
    EXPECT_EQ(analogue_block.output().get_observer().get_value(), 0.0f);
    EXPECT_NE(&analogue_block.output(), &encoder_block.output());
    EXPECT_NE(dynamic_cast<Ecu_block_input_port_iface*>(&pwm_block.input()), nullptr);
}

TEST(Ecu_block, a_proportional_block_has_two_distinct_inputs_and_an_output_that_stays_0)
{
    Ecu_prop_control_algorithm_block block;
    EXPECT_NE(&block.input(0), &block.input(1));
    block.set_target_period(100);
    block.set_target_voltage(12);
    block.set_mode(Ecu_prop_control_algorithm_block_iface::Mode(2));
    Ecu_block_controller controller;
    controller.link(block.output(), block.input(0));
    controller.start();
    EXPECT_EQ(block.output().get_observer().get_value(), 0.0f);
    controller.stop();
}

TEST(Ecu_block, a_proportional_block_has_no_third_input)
{
    Ecu_prop_control_algorithm_block block;
    EXPECT_DEATH(block.input(2), "num < 2");
}

TEST(Ecu_block, the_controller_shares_ownership_until_clear)
{
    Ecu_block_controller controller;
    auto kept = std::make_shared<Ecu_reg_control_algorithm_block>();
    std::weak_ptr<Ecu_block_iface> dropped = [&] {
        auto block = std::make_shared<Ecu_prop_control_algorithm_block>();
        controller.add_block(block);
        return std::weak_ptr<Ecu_block_iface>(block);
    }();
    controller.add_block(kept);
    controller.add_block(std::make_shared<Ecu_prop_control_algorithm_block>());
    EXPECT_FALSE(dropped.expired()) << "the controller holds it";
    EXPECT_EQ(kept.use_count(), 2);

    controller.clear();
    EXPECT_TRUE(dropped.expired());
    EXPECT_EQ(kept.use_count(), 1) << "the caller's copy lives on";
}

}
