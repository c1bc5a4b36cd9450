#include "tests/isobus/Description_rig.h"

using namespace TC_client;

namespace {

// A drill-control boom with downforce channel 1.
class Tessaryn_seeder_downforce_test : public Description_rig {
protected:
    void SetUp() override
    {
        set_non_vt(true);
        app().drill_control_enabled.set(true);
        app().booms.num_booms.set(1);
        boom(0).type.set(3);
        app().downforces[1]->enabled.set(true);
    }

    ds_channel& record() { return store->body.downforces.channels[1]; }
    const Element* downforce() const { return children(children(root())[0])[0]; }
};

struct Downforce_case {
    int personality;
    bool pack_force;
    std::string name;
    std::vector<uint16_t> ddis;
    int32_t setpoint_raw; // of a requested 10
};

TEST_F(Tessaryn_seeder_downforce_test, the_downforce_element_follows_the_personality_and_the_control_target)
{
    const Downforce_case cases[] = {
        {1, true, "Pack Control", {141, 426, 427, 366, 158, 60089}, 98},
        {0, true, "Downforce", {141, 426, 427, 366, 158, 60089}, 98},
        {1, false, "Pack Control", {141, 365, 366, 158, 60089}, 10000},
        {2, false, "Downforce", {141, 365, 366, 158, 60089}, 10000},
    };
    for (const Downforce_case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.personality << " " << c.pack_force);
        app().personality.set(uint8_t(c.personality));
        app().control_to_pack_force.set(c.pack_force);
        record().requested_rate = 10.0;
        build();

        EXPECT_EQ(downforce()->get_type(), 2);
        EXPECT_EQ(name(downforce()), c.name);
        EXPECT_EQ(ddis(downforce()), c.ddis);
        EXPECT_EQ(value(downforce(), 141)->get_type(), &seeder_ddi.actual_work_state_setable);
        EXPECT_EQ(raw(value(downforce(), c.pack_force ? 426 : 365)), c.setpoint_raw);
        EXPECT_NE(value(downforce(), 366)->get_default_thresholds(), nullptr);
        if (c.pack_force) {
            EXPECT_NE(value(downforce(), 427)->get_default_thresholds(), nullptr);
        }
        EXPECT_EQ(value(downforce(), c.pack_force ? 426 : 365)->get_default_thresholds(), nullptr);
        EXPECT_EQ(value(downforce(), 158)->get_reference_flag(), 1);
    }
}

TEST_F(Tessaryn_seeder_downforce_test, a_force_setpoint_reaches_the_downforce_channel_in_kilograms)
{
    app().control_to_pack_force.set(true);
    build();

    value(downforce(), 426)->get_data_adaptor()->handle_set(981);

    EXPECT_NEAR(record().requested_rate, 100.034, 0.001);
    EXPECT_EQ(store->body.channels.channels[1].requested_rate, 0.0);
}

}
