#include "platform/iso/TC_client_Task_total_pd_reference.h"
#include "platform/rtos/waiter_descriptor.h"
#include "tests/isobus/Description_rig.h"

using namespace TC_client;

namespace {

// One boom without sections carrying the bin of channel 2 through mapping entry 0.
class Tessaryn_seeder_bin_test : public Description_rig {
protected:
    void SetUp() override
    {
        app().booms.num_booms.set(1);
        app().num_channels.set(1);
        app().swbox_mapping[0]->channel.set(channel);
    }

    ds_channel& record() { return store->body.channels.channels[channel]; }
    NV_quvel::channel_t& parameters() { return *app().channels[channel]; }
    const Element* bin() const { return children(children(root())[0])[0]; }

    static constexpr int channel = 2;
};

struct Mode_case {
    int mode;
    bool non_vt;
    std::vector<uint16_t> ddis;
    const Process_data_element* remaining; // the remaining-contents entry; null: none
    uint16_t calibration_ddi;              // 0: none
    int32_t calibration_raw;               // of a cal_setting of 2.5
};

TEST_F(Tessaryn_seeder_bin_test, the_product_kind_and_the_display_decide_what_a_bin_publishes)
{
    const Mode_case cases[] = {
        {1, false, {141, 80, 1, 2, 37, 158, 58625, 179, 116, 72, 73, 229, 178}, &seeder_ddi.volume_remaining, 0, 0},
        {1,
         true,
         {141, 80, 1, 2, 37, 142, 60089, 158, 58625, 179, 116, 72, 73, 60086, 229, 178, 60014, 60015},
         &seeder_ddi.volume_remaining,
         60086,
         25000},
        {0, false, {141, 81, 6, 7, 42, 158, 58625, 179, 116, 75, 76, 229, 178}, &seeder_ddi.mass_remaining, 0, 0},
        {0,
         true,
         {141, 81, 6, 7, 42, 142, 60089, 158, 58625, 179, 116, 75, 76, 60085, 229, 178, 60014, 60015},
         &seeder_ddi.mass_remaining,
         60085,
         2500000},
        {2, false, {141, 81, 6, 7, 42, 158, 58625, 179, 116, 75, 76, 229, 178}, &seeder_ddi.mass_remaining, 0, 0},
        {2,
         true,
         {141, 81, 6, 7, 42, 142, 60089, 158, 58625, 179, 116, 75, 76, 60087, 229, 178, 60014, 60015},
         &seeder_ddi.mass_remaining,
         60087,
         25000},
        // Not a product kind: rates without entries, no total, contents or calibration.
        {3,
         true,
         {141, 0xFFFF, 0xFFFF, 0xFFFF, 142, 60089, 158, 58625, 179, 116, 229, 178, 60014, 60015},
         nullptr,
         0,
         0},
    };
    for (const Mode_case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.mode << " " << c.non_vt);
        parameters().mode.set(uint8_t(c.mode));
        parameters().cal_setting.set(2.5f);
        set_non_vt(c.non_vt);
        seeder_ddi.volume_remaining.set_setable();
        seeder_ddi.mass_remaining.set_setable();
        build();

        EXPECT_EQ(bin()->get_type(), 3);
        EXPECT_EQ(name(bin()), "Bin 1");
        EXPECT_EQ(ddis(bin()), c.ddis);
        EXPECT_EQ(value(bin(), 141)->get_type(), &seeder_ddi.actual_work_state_setable);
        if (c.remaining) {
            EXPECT_EQ(c.remaining->is_setable(), c.non_vt);
            EXPECT_EQ(value(bin(), c.remaining->get_ddi())->get_type(), c.remaining);
        }
        if (c.calibration_ddi) {
            EXPECT_EQ(raw(value(bin(), c.calibration_ddi)), c.calibration_raw);
        }
    }
}

TEST_F(Tessaryn_seeder_bin_test, values_reach_the_task_controller_in_its_units)
{
    set_non_vt(true);
    record().actual_rate = 150.0;
    record().requested_rate = 160.0;
    record().shaft_rpm = 12.34;
    record().flow_rate = 2.5;
    record().remaining_volume = 1.25;
    record().max_contents = 3.0f;
    record().net_weight = 0.5;
    record().physical_setpoint_time_latency = 0.75f;
    record().motor_load = 0.5f;
    record().nozzle_flow_rate = 0.25;
    record().prescription_control_state = 1;
    build();

    EXPECT_EQ(raw(value(bin(), 7)), 15000);
    EXPECT_EQ(raw(value(bin(), 6)), 16000);
    EXPECT_EQ(raw(value(bin(), 58625)), 123);
    EXPECT_EQ(raw(value(bin(), 42)), 2500);
    EXPECT_EQ(raw(value(bin(), 75)), 1250);
    EXPECT_EQ(raw(value(bin(), 76)), 3000);
    EXPECT_EQ(raw(value(bin(), 229)), 500);
    EXPECT_EQ(raw(value(bin(), 142)), 750);
    EXPECT_EQ(raw(value(bin(), 60015)), 500);
    EXPECT_EQ(raw(value(bin(), 60014)), 250);
    EXPECT_EQ(raw(value(bin(), 158)), 1);
    EXPECT_EQ(value(bin(), 158)->get_reference_flag(), 1);

    parameters().mode.set(1);
    record().actual_rate = 2.5;
    rebuild();
    EXPECT_EQ(raw(value(bin(), 2)), 25000);
    EXPECT_EQ(raw(value(bin(), 37)), 2500);
}

TEST_F(Tessaryn_seeder_bin_test, the_totals_count_from_the_lifetime_totals)
{
    record().lifetime_total_volume = 40.0;
    record().lifetime_total_area = 7.0;
    build();

    auto* application_total = dynamic_cast<Task_total_pd_reference*>(value(bin(), 81));
    auto* area_total = dynamic_cast<Task_total_pd_reference*>(value(bin(), 116));
    ASSERT_NE(application_total, nullptr);
    ASSERT_NE(area_total, nullptr);
    EXPECT_EQ(application_total->get_lifetime_total_pd_adaptor()->handle_get(), 40);
    EXPECT_EQ(area_total->get_lifetime_total_pd_adaptor()->handle_get(), 7);
}

TEST_F(Tessaryn_seeder_bin_test, building_a_bin_writes_the_channels_cultural_practise)
{
    parameters().mode.set(0);
    parameters().product_type.set(0);
    build();

    EXPECT_EQ(record().cultural_practise, 2);
    EXPECT_EQ(raw(value(bin(), 179)), 2);
}

TEST_F(Tessaryn_seeder_bin_test, the_last_build_decides_whether_the_remaining_contents_are_settable)
{
    parameters().mode.set(1);
    set_non_vt(true);
    build();
    EXPECT_TRUE(seeder_ddi.volume_remaining.is_setable());

    set_non_vt(false);
    rebuild();
    EXPECT_FALSE(seeder_ddi.volume_remaining.is_setable());
    EXPECT_TRUE(seeder_ddi.mass_remaining.is_setable());

    set_non_vt(true);
    rebuild();
    EXPECT_TRUE(seeder_ddi.volume_remaining.is_setable());
}

TEST_F(Tessaryn_seeder_bin_test, a_setpoint_on_ddi_6_reaches_the_requested_rate_with_one_change_event)
{
    record().requested_rate = 100.0;
    build();
    waiter_descriptor control_task;
    double& rate = record().requested_rate;
    store->head.event_register(&control_task, store->head.offset_of(&rate), sizeof rate, CDS::reg_change,
                               CDS::event_word(&rate, sizeof rate), nullptr, nullptr);

    value(bin(), 6)->get_data_adaptor()->handle_set(15050);

    EXPECT_EQ(rate, 150.5);
    EXPECT_EQ(control_task.pending(), 1u);
    EXPECT_EQ(record().actual_rate, 0.0);
    store->head.event_unregister(&control_task, store->head.offset_of(&rate), sizeof rate, CDS::reg_change,
                                 CDS::event_word(&rate, sizeof rate), nullptr, nullptr);
}

}
