#include "tests/ui/Screen_rig.h"
#include "ui/screens/ExternalOptionsMask.h"

namespace {

class External_options : public Screen_rig<ExternalOptionsMask> {
protected:
    External_options()
        : Screen_rig("external_options_mask")
    {
        std::vector<uint16_t> keys;
        for (Key_id* key : {&own.seeder_key, &own.settings_key, &own.main_key})
            keys.push_back(record(*key, pool->key()));
        record(own.mask, pool->data_mask(pool->soft_key_mask(keys)));
        record(own.master_switch, list_with_items(own.master_switch_items));
        record(own.cabin_switch_box, list_of(2));
        record(own.cal_switch_box, list_of(3));
        record(own.cal_drive, list_with_items(own.cal_drive_items));
        record(own.master_clutch, list_of(2));
        record(own.act_cal_style, list_of(2));
        record(own.cal_drive_row, pool->container());
        record(own.master_clutch_row, pool->container());
        record(own.act_cal_style_row, pool->container());
        add_target("main");
    }

    void actuator_tank(int t)
    {
        channel(t).enabled.set(true);
        channel(t).mode.set(0);
        channel(t).granular_controller_type.set(1);
    }

    External_options_ids& own = ids.external_options;
    NV_quvel::application_t& app = parameters->app;
};

}

TEST_F(External_options, cabin_switch_box_disabled_withdraws_the_switch_box_master_only_once_uploaded)
{
    for (bool uploaded : {false, true}) {
        SCOPED_TRACE(uploaded ? "uploaded" : "not uploaded");
        head().set(body().system.vt_uploaded, uploaded);
        app.swbox_external_swbox_type.set(1);
        app.swbox_remote_master_mode.set(1);
        if (!vt)
            start();
        else
            man().switch_to_screen("external_options_mask");
        pump();
        EXPECT_EQ(item(own.master_switch), 1);
        EXPECT_EQ(entry(own.master_switch, 1), own.master_switch_items[1].oid);

        pick(own.cabin_switch_box, 0);

        EXPECT_EQ(app.swbox_external_swbox_type.get(), 0);
        EXPECT_EQ(app.swbox_remote_master_mode.get(), uploaded ? 0 : 1);
        EXPECT_EQ(item(own.master_switch), uploaded ? 0 : 1);
        EXPECT_EQ(entry(own.master_switch, 1), uploaded ? 0xFFFF : own.master_switch_items[1].oid);
    }
    pick(own.cabin_switch_box, 1);
    EXPECT_EQ(app.swbox_external_swbox_type.get(), 1);
    EXPECT_EQ(entry(own.master_switch, 1), own.master_switch_items[1].oid) << "offered again";
}

TEST_F(External_options, the_actuator_rows_follow_the_tanks_through_the_listener)
{
    start();
    for (uint16_t row : {own.cal_drive_row.oid, own.master_clutch_row.oid, own.act_cal_style_row.oid})
        EXPECT_TRUE(hidden(row));

    actuator_tank(2);
    pump();
    for (uint16_t row : {own.cal_drive_row.oid, own.master_clutch_row.oid, own.act_cal_style_row.oid})
        EXPECT_FALSE(hidden(row));

    channel(2).mode.set(2);
    pump();
    EXPECT_TRUE(hidden(own.cal_drive_row));
}

TEST_F(External_options, the_lists_store_their_parameters)
{
    actuator_tank(0);
    actuator_tank(1);
    start();
    const struct {
        uint16_t list;
        uint8_t item;
        std::function<int()> stored;
        int expected;
    } cases[] = {
        {own.cal_drive, 2, [&] { return app.calibration_drive_channel.get(); }, 1},
        {own.cal_drive, 0, [&] { return app.calibration_drive_channel.get(); }, -1},
        {own.cal_switch_box, 2, [&] { return app.swbox_cal_swbox_type.get(); }, 2},
        {own.master_switch, 3, [&] { return app.swbox_remote_master_mode.get(); }, 3},
        {own.master_clutch, 1, [&] { return int(app.using_master_clutch.get()); }, 1},
        {own.master_clutch, 0, [&] { return int(app.using_master_clutch.get()); }, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.expected);
        pick(c.list, c.item);
        EXPECT_EQ(c.stored(), c.expected);
    }
}

TEST_F(External_options, the_actuator_calibration_style_goes_into_all_four_tanks)
{
    actuator_tank(0);
    channel(0).act_cal_mode.set(1);
    start();
    EXPECT_EQ(item(own.act_cal_style), 1) << "tank 1's style shows";
    pick(own.act_cal_style, 0);
    pick(own.act_cal_style, 1);
    for (int t = 0; t < 4; ++t)
        EXPECT_EQ(channel(t).act_cal_mode.get(), 1) << "tank " << t + 1;
    EXPECT_EQ(channel(4).act_cal_mode.get(), 0);
}

TEST_F(External_options, only_allowed_tanks_are_offered_as_the_calibration_drive)
{
    actuator_tank(0);
    channel(1).enabled.set(true);
    channel(1).mode.set(1);
    app.calibration_drive_channel.set(0);
    start();
    EXPECT_EQ(item(own.cal_drive), 1);
    EXPECT_EQ(entry(own.cal_drive, 1), own.cal_drive_items[1].oid);
    EXPECT_EQ(entry(own.cal_drive, 2), 0xFFFF) << "a liquid tank";
    EXPECT_EQ(entry(own.cal_drive, 3), own.cal_drive_items[3].oid) << "a tank not in use";
}

TEST_F(External_options, a_calibration_drive_beyond_the_list_shows_without_harm)
{
    for (int8_t stored : {int8_t(10), int8_t(127)}) {
        app.calibration_drive_channel.set(stored);
        if (!vt)
            start();
        else
            man().switch_to_screen("external_options_mask");
        pump();
        EXPECT_EQ(item(own.cal_drive), 0);
        EXPECT_EQ(app.calibration_drive_channel.get(), stored);
    }
}
