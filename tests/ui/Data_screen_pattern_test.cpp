#include "platform/iso/VT_Input_number_obj.h"
#include "tests/support/Ui_fixture.h"
#include "tests/ui/Two_field_screen.h"

namespace {

class Pattern : public Ui_fixture {
protected:
    Pattern()
    {
        iface.on_setup = [this](VT::vtui_pool&, UI::Setup_config& config) { config.home = &screen; };
    }
    // Makes the objects and fills the screen's group of the table, as the
    // code-built pool does; without the rate its entry stays 0xFFFF.
    void build(bool with_rate = true)
    {
        Ui_test_pool::record(ids.master_key, pool->key());
        Ui_test_pool::record(ids.mask, pool->data_mask(pool->soft_key_mask({ids.master_key})));
        if (with_rate)
            Ui_test_pool::record(ids.rate, pool->input_number(0, 1000000));
    }
    bool master() { return head().get(body().operation.master_switch_active); }

    Two_field_ids ids;
    Two_field_screen screen{"two_fields", &man(), ids, *store};
};

}

TEST_F(Pattern, an_object_left_at_0xffff_binds_null_and_the_screen_runs)
{
    build(false);
    start();
    ASSERT_EQ(ids.rate.oid, 0xFFFF);

    EXPECT_TRUE(screen.is_shown());
    EXPECT_EQ(vt->active_mask(), ids.mask.oid);
    screen.rate.set_val(12.5);
    screen.send_val_updates(true);
    press(ids.master_key);
    EXPECT_TRUE(master());
}

TEST_F(Pattern, a_key_acts_on_its_release_only)
{
    build();
    start();

    key_code(ids.master_key, 1); // pressed: activator code 0
    EXPECT_FALSE(master());
    key_code(ids.master_key, 2); // held
    EXPECT_FALSE(master());
    key_code(ids.master_key, 0); // released: activator code 1
    EXPECT_TRUE(master());
}

TEST_F(Pattern, an_edit_writes_its_one_field_with_one_event_of_the_field)
{
    build();
    start();
    Store_probe probe(head());
    probe.follow(&body().channels, sizeof body().channels);
    probe.follow(&body().operation, sizeof body().operation);

    enter_number(ids.rate, 1234); // 123.4 kg/ha

    EXPECT_EQ(probe.take_changes(), std::vector<Store_probe::Change>{probe.change_of(screen.tank().requested_rate)});
    EXPECT_DOUBLE_EQ(head().get(screen.tank().requested_rate), 123.4);
    EXPECT_EQ(head().get(body().channels.channels[0].requested_rate), 0.0);
}

TEST_F(Pattern, a_screen_without_manager_ends_the_process_with_minus_112)
{
    Two_field_screen orphan("orphan", nullptr, ids, *store);
    EXPECT_EXIT(orphan.get_man(), testing::ExitedWithCode(uint8_t(Screen::no_manager_status)), "");
}

TEST_F(Pattern, through_the_vt_client_the_fake_vt_sees_the_mask_and_the_number_and_its_key_reaches_the_screen)
{
    build();
    start();
    EXPECT_EQ(vt->active_mask(), ids.mask.oid);

    head().set(screen.tank().requested_rate, 80.0); // the control core sets the rate
    advance(100);
    Iop_check::Object rate;
    ASSERT_TRUE(vt->object(ids.rate.oid, rate));
    EXPECT_EQ(rate.value, 800u);

    press(ids.master_key);
    EXPECT_TRUE(master());
    press(ids.master_key);
    EXPECT_FALSE(master());
}
