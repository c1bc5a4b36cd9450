#include "orrvan_comms/private/include/Ecu_slave_tables.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <typeinfo>
#include <vector>

using namespace Next_gen;

namespace {

enum class Quantity { analogue_eid, encoder_eid, input_bit, output_bit };

// One row of a model's table: on this connector, these pins give these values.
struct Row {
    Quantity quantity;
    unsigned connector;
    std::vector<unsigned> pins;
    std::vector<unsigned> values;
};

struct Model {
    std::string name;
    const Ecu_slave_iface& table;
    unsigned invalid_eid;
    std::vector<Row> rows;
};

const RQ71_slave rq71;
const RQ71_s2_test_slave rq71_s2_test;
const RQ73_slave rq73;

using Q = Quantity;

const std::vector<Model> models = {
    {"RQ71_slave", rq71, 632,
     {
         {Q::encoder_eid, 0, {4, 5, 6}, {512, 513, 514}},
         {Q::encoder_eid, 1, {4, 5, 6}, {515, 516, 517}},
         {Q::encoder_eid, 2, {4, 5, 6}, {518, 519, 520}},
         {Q::encoder_eid, 3, {4, 5, 6}, {521, 522, 523}},
         {Q::analogue_eid, 0, {7, 8, 9}, {524, 525, 526}},
         {Q::analogue_eid, 1, {7, 8, 9}, {527, 528, 529}},
         {Q::analogue_eid, 2, {7, 8, 9}, {530, 531, 532}},
         {Q::analogue_eid, 3, {7, 8, 9}, {533, 534, 535}},
         {Q::input_bit, 0, {3}, {0}},
         {Q::input_bit, 1, {3}, {1}},
         {Q::input_bit, 2, {3}, {2}},
         {Q::input_bit, 3, {3}, {3}},
         {Q::output_bit, 0, {10, 11}, {0, 2}},
         {Q::output_bit, 1, {10, 11}, {4, 6}},
         {Q::output_bit, 2, {10, 11}, {8, 10}},
         {Q::output_bit, 3, {10, 11}, {12, 14}},
     }},
    {"RQ71_s2_test_slave", rq71_s2_test, 118,
     {
         {Q::encoder_eid, 0, {4, 5, 6}, {12, 13, 14}},
         {Q::encoder_eid, 1, {4, 5, 6}, {15, 16, 17}},
         {Q::analogue_eid, 0, {7, 8, 9}, {24, 25, 26}},
         {Q::analogue_eid, 1, {7}, {27}},
         {Q::input_bit, 0, {3}, {0}},
         {Q::input_bit, 1, {3}, {1}},
         {Q::input_bit, 2, {3}, {2}},
         {Q::input_bit, 3, {3}, {3}},
         {Q::input_bit, 4, {1, 2}, {4, 5}},
         {Q::output_bit, 0, {10, 11}, {0, 2}},
         {Q::output_bit, 1, {10, 11}, {4, 6}},
         {Q::output_bit, 2, {10, 11}, {8, 10}},
         {Q::output_bit, 3, {10, 11}, {12, 14}},
         {Q::output_bit, 5, {12, 13}, {16, 18}},
     }},
    {"RQ73_slave", rq73, 118,
     {
         {Q::encoder_eid, 0, {3, 4, 5, 6, 9}, {12, 13, 14, 15, 16}},
         {Q::encoder_eid, 1, {3, 4, 5, 6, 9}, {17, 18, 19, 20, 21}},
         {Q::analogue_eid, 0, {7, 8}, {24, 25}},
         {Q::analogue_eid, 1, {7, 8}, {26, 27}},
         {Q::input_bit, 0, {3, 4, 5, 6, 9}, {0, 1, 2, 3, 4}},
         {Q::input_bit, 1, {3, 4, 5, 6, 9}, {5, 6, 7, 8, 9}},
         {Q::input_bit, 2, {1, 2}, {10, 11}},
         {Q::output_bit, 0, {0, 1, 10, 11, 12}, {0, 2, 4, 6, 8}},
         {Q::output_bit, 1, {0, 1, 10, 11, 12}, {10, 12, 14, 16, 18}},
     }},
};

unsigned ask(const Ecu_slave_iface& table, Quantity q, unsigned connector, unsigned pin)
{
    switch (q) {
    case Quantity::analogue_eid:
        return table.get_adc_eid(connector, pin);
    case Quantity::encoder_eid:
        return table.get_encoder_eid(connector, pin);
    case Quantity::input_bit:
        return table.get_digital_input_bit(connector, pin);
    case Quantity::output_bit:
        return table.get_digital_output_bit(connector, pin);
    }
    return 0;
}

// What the model's rows say for the pair: the listed value, else the
// invalid element ID for element IDs and bit 0 for bits.
unsigned expected(const Model& model, Quantity q, unsigned connector, unsigned pin)
{
    for (const Row& row : model.rows)
        if (row.quantity == q && row.connector == connector)
            for (size_t i = 0; i < row.pins.size(); ++i)
                if (row.pins[i] == pin)
                    return row.values[i];
    return q == Quantity::analogue_eid || q == Quantity::encoder_eid ? model.invalid_eid : 0;
}

TEST(Ecu_slave_tables, every_connector_and_pin_gives_the_models_element_id_or_bit)
{
    std::vector<unsigned> connectors{0, 1, 2, 3, 4, 5, 6, 7, 9999, UINT_MAX};
    std::vector<unsigned> pins;
    for (unsigned p = 0; p <= 15; ++p)
        pins.push_back(p);
    pins.push_back(UINT_MAX);
    for (const Model& model : models) {
        for (Quantity q : {Q::analogue_eid, Q::encoder_eid, Q::input_bit, Q::output_bit})
            for (unsigned c : connectors)
                for (unsigned p : pins)
                    EXPECT_EQ(ask(model.table, q, c, p), expected(model, q, c, p))
                        << model.name << " quantity " << int(q) << " connector " << c << " pin " << p;
    }
}

TEST(Ecu_slave_tables, fixed_element_ids_of_each_model)
{
    struct Ids {
        const Ecu_slave_iface& table;
        unsigned block_probe, device_info, discreet_inputs, relays, comms, diagnostics, led_error, invalid;
    };
    for (const Ids& m : {Ids{rq71, 7, 4, 5, 21, 19, 17, 0, 632},
                         Ids{rq71_s2_test, 4071, 4080, 0, 3, 4077, 4079, 4076, 118},
                         Ids{rq73, 4071, 4080, 0, 3, 4077, 4079, 4076, 118}}) {
        SCOPED_TRACE(typeid(m.table).name());
        EXPECT_EQ(m.table.get_eid_block_probe(), m.block_probe);
        EXPECT_EQ(m.table.get_eid_device_info(), m.device_info);
        EXPECT_EQ(m.table.get_eid_discreet_inputs(), m.discreet_inputs);
        EXPECT_EQ(m.table.get_eid_relays(), m.relays);
        EXPECT_EQ(m.table.get_eid_comms(), m.comms);
        EXPECT_EQ(m.table.get_eid_diagnostics(), m.diagnostics);
        EXPECT_EQ(m.table.get_eid_led_error(), m.led_error);
        EXPECT_EQ(m.table.get_invalid_eid(), m.invalid);
    }
}

TEST(Ecu_slave_tables, each_ecu_type_uses_its_models_table_and_an_unknown_type_the_newest)
{
    const Ecu_slave_tables tables;
    struct Case {
        Ecu_type type;
        const std::type_info& table;
    };
    for (const Case& c : {Case{0, typeid(RQ71_slave)}, Case{1, typeid(RQ71_slave)}, Case{2, typeid(RQ71_slave)},
                          Case{3, typeid(RQ71_s2_test_slave)}, Case{4, typeid(RQ73_slave)},
                          Case{5, typeid(RQ73_slave)}, Case{6, typeid(RQ73_slave)}, Case{7, typeid(RQ73_slave)},
                          Case{8, typeid(RQ73_slave)}, Case{9, typeid(RQ73_slave)},
                          Case{255, typeid(RQ73_slave)}, Case{UINT_MAX, typeid(RQ73_slave)}}) {
        EXPECT_EQ(typeid(tables.get_table(c.type)), c.table) << "type " << c.type;
    }
    // The same table object answers every call for a type.
    EXPECT_EQ(&tables.get_table(4), &tables.get_table(8));
}

}
