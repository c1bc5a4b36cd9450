#include "Fake_ecu.h"
#include "orrvan_comms/private/include/Ecu_pin_private_iface.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <typeinfo>

using namespace Next_gen;

namespace {

using Requests = std::vector<std::string>;

using Connector_fixture = Rq73_ecu_fixture;

TEST_F(Connector_fixture, knows_its_name_index_and_ecu)
{
    EXPECT_EQ(chan3.get_name(), "Chan 3");
    EXPECT_EQ(chan3.get_index(), 2u);
    EXPECT_TRUE(chan3.is_valid());
    EXPECT_EQ(chan3.get_ecu(), &ecu);
}

TEST_F(Connector_fixture, a_second_request_gives_the_same_pin_keeps_its_first_name_and_sends_nothing)
{
    Ecu_pin_analogue_iface& first = chan1.get_pin_analogue_input(7, "Pressure");
    ecu.take_requests();
    Ecu_pin_analogue_iface& second = chan1.get_pin_analogue_input(7, "Other");
    EXPECT_EQ(&first, &second);
    EXPECT_EQ(second.get_name(), "Pressure");
    EXPECT_TRUE(ecu.take_requests().empty());

    Ecu_pin_digital_input_iface& input = chan3.get_pin_digital_input(1, "DIG Input 1");
    EXPECT_EQ(&chan3.get_pin_digital_input(1, "y"), &input);
    EXPECT_EQ(input.get_name(), "DIG Input 1");
}

// Each creation, and what the ECU hears of it. Input indexes count from 0
// in the order the ECU hands them out.
struct Creation_case {
    const char* what;
    Ecu_pin_type type;
    Requests requests;
};

class Pin_creation : public Connector_fixture, public ::testing::WithParamInterface<Creation_case> {
};

Ecu_pin_iface& create(Ecu_connector& connector, Ecu_pin_type type)
{
    switch (type) {
    case Ecu_pin_type::analogue_input:
        return connector.get_pin_analogue_input(8, "a");
    case Ecu_pin_type::encoder_input:
        return connector.get_pin_encoder_input(4, "e");
    case Ecu_pin_type::digital_input:
        return connector.get_pin_digital_input(4, "i");
    case Ecu_pin_type::digital_output:
        return connector.get_pin_digital_output(10, "o");
    case Ecu_pin_type::pwm_output:
        return connector.get_pin_pwm_output(0, "p");
    default:
        throw std::logic_error("no such kind");
    }
}

TEST_P(Pin_creation, tells_the_ecu_only_of_inputs_it_must_report_mapping_each_before_its_probe)
{
    // Connector index 1 (Chan 2): analogue pin 8 is element 27, encoder pin
    // 4 element 18 on an RQ-73.
    Ecu_pin_iface& pin = create(chan2, GetParam().type);
    EXPECT_EQ(pin.get_pin_type(), GetParam().type);
    EXPECT_EQ(ecu.take_requests(), GetParam().requests);
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, Pin_creation,
    ::testing::Values(
        Creation_case{"analogue", Ecu_pin_type::analogue_input, {"update_pin_map(0)", "block_probe(27,0,0)"}},
        Creation_case{"encoder",
                      Ecu_pin_type::encoder_input,
                      {"update_pin_map(0)", "block_probe(18,0,0)", "update_pin_map(1)", "block_probe(18,1,1)"}},
        Creation_case{"digital_input", Ecu_pin_type::digital_input, {}},
        Creation_case{"digital_output", Ecu_pin_type::digital_output, {}},
        Creation_case{"pwm_output", Ecu_pin_type::pwm_output, {}}),
    [](const auto& info) { return std::string(info.param.what); });

TEST_F(Connector_fixture, new_inputs_take_the_next_input_indexes_and_are_mapped_to_them)
{
    Ecu_pin_encoder_input_iface& encoder = chan1.get_pin_encoder_input(3, "Wheel");
    Ecu_pin_analogue_iface& analogue = chan1.get_pin_analogue_input(7, "Pressure");
    EXPECT_EQ(ecu.take_requests(),
              (Requests{"update_pin_map(0)", "block_probe(12,0,0)", "update_pin_map(1)", "block_probe(12,1,1)",
                        "update_pin_map(2)", "block_probe(24,0,2)"}));
    EXPECT_EQ(ecu.pin_at_input(0).get(), &encoder);
    EXPECT_EQ(ecu.pin_at_input(1).get(), &encoder);
    EXPECT_EQ(ecu.pin_at_input(2).get(), &analogue);
    auto& private_encoder = dynamic_cast<Ecu_pin_private_iface&>(encoder);
    EXPECT_EQ(private_encoder.get_input_index(0), 0u);
    EXPECT_EQ(private_encoder.get_input_index(1), 1u);
}

TEST_F(Connector_fixture, a_request_of_another_kind_raises_bad_cast_and_changes_nothing)
{
    Ecu_pin_digital_input_iface& input = chan2.get_pin_digital_input(1, "y");
    ecu.take_requests();
    EXPECT_THROW(chan2.get_pin_analogue_input(1, "x"), std::bad_cast);
    EXPECT_THROW(chan2.get_pin_encoder_input(1, "x"), std::bad_cast);
    EXPECT_THROW(chan2.get_pin_digital_output(1, "x"), std::bad_cast);
    EXPECT_THROW(chan2.get_pin_pwm_output(1, "x"), std::bad_cast);
    EXPECT_TRUE(ecu.take_requests().empty());
    EXPECT_EQ(ecu.get_input_index(4071, 9), 0u) << "no input index was taken";
    ASSERT_EQ(chan2.get_pins().size(), 1u);
    EXPECT_EQ(&chan2.get_pin(1), &input);
    EXPECT_EQ(input.get_name(), "y");
}

TEST_F(Connector_fixture, get_pin_finds_pins_by_index_however_sparse_and_creates_nothing)
{
    Ecu_pin_iface& pin5 = chan1.get_pin_digital_output(5, "five");
    Ecu_pin_iface& pin0 = chan1.get_pin_pwm_output(0, "zero");
    EXPECT_EQ(&chan1.get_pin(5), &pin5);
    EXPECT_EQ(&chan1.get_pin(0), &pin0);
    Ecu_pin_iface& none = chan1.get_pin(2);
    EXPECT_FALSE(none.is_valid());
    EXPECT_EQ(&none, &get_ecu_pin_invalid_analogue());
    EXPECT_EQ(chan1.get_pins().size(), 2u);
}

TEST_F(Connector_fixture, get_pins_lists_every_pin_in_ascending_index)
{
    EXPECT_TRUE(chan1.get_pins().empty());
    chan1.get_pin_pwm_output(12, "c");
    chan1.get_pin_digital_input(3, "a");
    chan1.get_pin_digital_output(10, "b");
    std::vector<unsigned> indexes;
    for (Ecu_pin_iface& pin : chan1.get_pins())
        indexes.push_back(pin.get_index());
    EXPECT_EQ(indexes, (std::vector<unsigned>{3, 10, 12}));
}

TEST_F(Connector_fixture, tick_runs_each_pin_once_in_ascending_index)
{
    chan1.tick(); // nothing to tick
    std::vector<unsigned> order;
    auto observer = std::make_shared<std::function<void(const Ecu_pin_iface&, const Ecu_pin_value_status&)>>(
        [&](const Ecu_pin_iface& pin, const Ecu_pin_value_status&) { order.push_back(pin.get_index()); });
    for (unsigned index : {9u, 1u, 4u})
        chan1.get_pin_digital_input(index, "in").get_status_observer().register_observer(observer);
    chan1.tick();
    EXPECT_EQ(order, (std::vector<unsigned>{1, 4, 9}));
    chan1.tick();
    EXPECT_EQ(order.size(), 3u) << "nothing more was due";
}

TEST(Ecu_connector_invalid, answers_with_null_objects_and_creates_nothing)
{
    Ecu_connector_iface& connector = get_ecu_connector_invalid();
    EXPECT_FALSE(connector.is_valid());
    EXPECT_EQ(connector.get_name(), "Invalid");
    EXPECT_EQ(connector.get_index(), 9999u);
    EXPECT_EQ(&connector.get_pin_analogue_input(1, "a"), &get_ecu_pin_invalid_analogue());
    EXPECT_EQ(&connector.get_pin_digital_input(1, "a"), &get_ecu_pin_invalid_digital_input());
    EXPECT_EQ(&connector.get_pin_digital_output(1, "a"), &get_ecu_pin_invalid_digital_output());
    EXPECT_EQ(&connector.get_pin_encoder_input(1, "a"), &get_ecu_pin_invalid_encoder_input());
    EXPECT_EQ(&connector.get_pin_pwm_output(1, "a"), &get_ecu_pin_invalid_pwm_output());
    EXPECT_EQ(&connector.get_pin(1), &get_ecu_pin_invalid_analogue());
    EXPECT_TRUE(connector.get_pins().empty());
    EXPECT_EQ(&get_ecu_connector_invalid(), &connector) << "one shared object";
}

TEST(Ecu_connector, pins_outliving_their_connector_do_nothing_with_it)
{
    Fake_ecu other{4};
    Ecu_connector& connector = other.add_connector();
    connector.get_pin_analogue_input(7, "kept by the ECU");
    std::shared_ptr<Ecu_pin_iface> pin = other.pin_at_input(0);
    other.take_requests();
    other.drop_connectors();

    auto& analogue = dynamic_cast<Ecu_pin_analogue_iface&>(*pin);
    EXPECT_EQ(analogue.get_connector(), nullptr);
    analogue.get_value_observer().set_on_time_update_interval(100);
    analogue.get_value_observer().deregister_observer(nullptr);
    EXPECT_TRUE(other.take_requests().empty());
}

// The application creates its pins while the ECU's task already ticks them.
TEST_F(Connector_fixture, pins_are_created_safely_while_the_connector_ticks)
{
    std::atomic<bool> done{false};
    std::thread ticker([&] {
        while (!done)
            chan1.tick();
    });
    for (unsigned index = 0; index < 200; ++index) {
        chan1.get_pin_digital_input(2 * index, "in");
        chan1.get_pin_analogue_input(2 * index + 1, "an");
        chan1.get_pins();
    }
    done = true;
    ticker.join();
    EXPECT_EQ(chan1.get_pins().size(), 400u);
}

}
