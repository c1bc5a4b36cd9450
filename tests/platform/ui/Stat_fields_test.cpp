#include "platform/iso/VT_Input_list_obj.h"
#include "platform/iso/VT_Input_string_obj.h"
#include "platform/iso/VT_Output_string_obj.h"
#include "platform/iso/VT_Rectangle_obj.h"
#include "platform/ui/Stat_indicator.h"
#include "platform/ui/Stat_list.h"
#include "platform/ui/Stat_string.h"
#include "tests/platform/ui/Recording_screen.h"
#include "tests/support/Ui_fixture.h"

namespace {

class Fields : public Ui_fixture {
protected:
    Fields()
    {
        iface.on_setup = [this](VT::vtui_pool&, UI::Setup_config& config) { config.home = &screen; };
    }
    void bind()
    {
        tanks.init(&screen, pool->object<VT::Input_list_obj>(list), nullptr, pool.get(), false);
        label.init(&screen, pool->object<VT::Output_string_obj>(output), pool.get(), 400);
        name.init(&screen, pool->object<VT::Input_string_obj>(input), pool.get(), 200);
        client.init(pool->object<VT::Rectangle_obj>(rectangle), fills, 2);
        lamp.init(&screen);
        lamp.add_client(client);
    }
    Iop_check::Object vt_object(uint16_t id)
    {
        Iop_check::Object o;
        EXPECT_TRUE(vt->object(id, o)) << id;
        return o;
    }

    const uint16_t item = pool->output_string(5);
    const uint16_t list = pool->input_list({item, item, item, item});
    const uint16_t output = pool->output_string(8);
    const uint16_t input = pool->input_string(20);
    const uint16_t red = pool->fill_attributes(12);
    const uint16_t green = pool->fill_attributes(2);
    const uint16_t fills[2] = {red, green};
    const uint16_t rectangle = pool->rectangle(red);
    Recording_screen screen{"fields", &man(), pool->data_mask()};
    Stat_list tanks;
    Stat_string label;
    Stat_string name;
    Stat_indicator::Client client;
    Stat_indicator lamp;
};

}

TEST_F(Fields, a_list_item_beyond_the_entries_changes_nothing)
{
    start();
    bind();
    tanks.set_item(2);
    screen.send_val_updates(false);
    advance(100);
    ASSERT_EQ(vt_object(list).value, 2u);

    for (const uint16_t beyond : {4, 9, 255, 65535}) {
        tanks.set_item(beyond);
        screen.send_val_updates(false);
        advance(100);
        EXPECT_EQ(tanks.get_item(), 2u) << beyond;
        EXPECT_EQ(vt_object(list).value, 2u) << beyond;
    }
}

TEST_F(Fields, a_pick_on_the_vt_reaches_the_screen_with_the_item)
{
    start();
    bind();
    pick(list, 3);
    EXPECT_EQ(tanks.get_item(), 3u);
    EXPECT_EQ(screen.edits, std::vector<Stat*>{&tanks});
}

TEST_F(Fields, editable_lists_are_enabled_and_others_disabled)
{
    start();
    bind();
    for (const bool editable : {false, true}) {
        tanks.set_editable(editable);
        advance(100);
        EXPECT_EQ(vt_object(list).enabled, editable);
    }
}

TEST_F(Fields, a_text_reaches_its_string_padded_and_an_entered_name_reaches_the_screen)
{
    start();
    bind();
    label = "N/A";
    screen.send_val_updates(false);
    advance(100);
    EXPECT_EQ(vt_object(output).text, "N/A     ");

    enter_text(input, "Canola");
    EXPECT_EQ(name.get_text(), "Canola");
    EXPECT_EQ(screen.edits, std::vector<Stat*>{&name});
}

TEST_F(Fields, an_indicator_state_gives_its_rectangle_the_fill_of_the_state)
{
    start();
    bind();
    uint32_t fill = 0;
    for (const unsigned state : {1u, 0u, 1u}) {
        lamp.set_state(state);
        advance(100);
        ASSERT_TRUE(vt->attribute(rectangle, 5, fill));
        EXPECT_EQ(fill, fills[state]) << state;
        EXPECT_EQ(client.get_state(), int(state));
    }
    lamp.set_state(2); // beyond the list: the rectangle keeps its fill
    advance(100);
    EXPECT_TRUE(vt->attribute(rectangle, 5, fill));
    EXPECT_EQ(fill, green);
}
