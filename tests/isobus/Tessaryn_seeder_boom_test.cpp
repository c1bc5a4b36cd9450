#include "platform/data/NV_Virt_access.h"
#include "platform/iso/TC_client_Value_presentation.h"
#include "tests/isobus/Description_rig.h"
#include "tests/support/Debug_capture.h"

#include <functional>

using namespace TC_client;

namespace {

// Counts the changes of a parameter subtree.
class Counting_listener : public NV_store::Virt_access {
public:
    int changes = 0;

protected:
    void changed(waiter_event&) override { ++changes; }
};

class Tessaryn_seeder_boom_test : public Description_rig {
protected:
    void SetUp() override { app().booms.num_booms.set(1); }

    void sections(int boom_index, std::vector<double> widths)
    {
        boom(boom_index).num_sections.set(uint8_t(widths.size()));
        for (size_t s = 0; s < widths.size(); ++s)
            boom(boom_index).sections[int(s)]->width.set(widths[s]);
    }

    const Element* boom_element(int i = 0) const { return children(root())[size_t(i)]; }

    std::vector<std::string> child_names(const Element* element) const
    {
        std::vector<std::string> names;
        for (Element* child : children(element))
            names.push_back(name(child));
        return names;
    }
};

TEST_F(Tessaryn_seeder_boom_test, sections_lie_side_by_side_and_their_offsets_go_back_into_the_parameters)
{
    app().machine_width.set(3.0f);
    sections(0, {1.0, 1.0, 1.0});
    for (int s = 0; s < 3; ++s)
        boom(0).sections[s]->offset_y.set(9.0);
    waiter_descriptor saver;
    Counting_listener listener;
    listener.init(&boom(0).sections);
    listener.autoreg(saver, true);

    build();

    EXPECT_EQ(boom(0).sections[0]->offset_y.get(), -1.0);
    EXPECT_EQ(boom(0).sections[1]->offset_y.get(), 0.0);
    EXPECT_EQ(boom(0).sections[2]->offset_y.get(), 1.0);
    EXPECT_EQ(saver.pending(), 3u);
    std::vector<Element*> elements = children(boom_element());
    ASSERT_EQ(elements.size(), 3u);
    const int32_t expected_y[] = {-1000, 0, 1000};
    for (int s = 0; s < 3; ++s) {
        SCOPED_TRACE(s);
        EXPECT_EQ(elements[size_t(s)]->get_type(), 4);
        EXPECT_EQ(name(elements[size_t(s)]), "Section " + std::to_string(s + 1));
        EXPECT_EQ(property(elements[size_t(s)], 135)->get_value(), expected_y[s]);
        EXPECT_EQ(property(elements[size_t(s)], 135)->get_presentation(), &cm_distance_pe);
        EXPECT_EQ(property(elements[size_t(s)], 67)->get_value(), 1000);
        EXPECT_EQ(text(property(elements[size_t(s)], 67)->get_designator()), "Actual Working Width");
    }
    EXPECT_EQ(property(boom_element(), 70)->get_value(), 3000);
    listener.autounreg(saver);
}

TEST_F(Tessaryn_seeder_boom_test, uneven_sections_centre_on_the_boom_while_stored_offsets_follow_the_machine_width)
{
    app().machine_width.set(4.0f);
    boom(0).offset.y.set(0.5f);
    sections(0, {0.5, 1.5, 1.0});

    build();

    EXPECT_EQ(boom(0).sections[0]->offset_y.get(), -1.75);
    EXPECT_EQ(boom(0).sections[1]->offset_y.get(), -0.75);
    EXPECT_EQ(boom(0).sections[2]->offset_y.get(), 0.5);
    std::vector<Element*> elements = children(boom_element());
    EXPECT_EQ(property(elements[0], 135)->get_value(), -750);
    EXPECT_EQ(property(elements[1], 135)->get_value(), 250);
    EXPECT_EQ(property(elements[2], 135)->get_value(), 1500);
    EXPECT_EQ(property(elements[1], 67)->get_value(), 1500);
    EXPECT_EQ(property(boom_element(), 70)->get_value(), 3000);
    EXPECT_EQ(property(boom_element(), 135)->get_value(), 500);
}

struct Control_mode_case {
    int mode;
    std::vector<uint16_t> boom_ddis;
    const Process_data_element* actual_entry; // of DDI 161; null: none
    int32_t setpoint_raw;                     // of DDI 290
    int32_t actual_raw;                       // of DDI 161
    std::vector<uint16_t> section_ddis;
};

TEST_F(Tessaryn_seeder_boom_test, the_section_control_mode_decides_the_condensed_work_states)
{
    const Control_mode_case cases[] = {
        {0,
         {141, 67, 70, 134, 135, 226, 160, 205, 206, 178, 290, 161},
         seeder_ddi.actual_condensed[0],
         int32_t(0xFFFFFFF1),
         int32_t(0xFFFFFFF4),
         {135, 67, 205, 206}},
        {1,
         {141, 67, 70, 134, 135, 226, 160, 205, 206, 178, 161},
         seeder_ddi.actual_condensed_setable[0],
         0,
         int32_t(0xFFFFFFF4),
         {135, 67, 205, 206}},
        {2, {141, 67, 70, 134, 135, 226, 160, 205, 206, 178}, nullptr, 0, 0, {135, 67, 141, 205, 206}},
    };
    for (const Control_mode_case& c : cases) {
        SCOPED_TRACE(c.mode);
        app().booms.section_control_mode.set(uint8_t(c.mode));
        sections(0, {1.0, 1.0});
        ds_boom& record = store->body.booms.boom[0];
        store->head.set(record.sections[0].setpoint_work_state, 1u);
        store->head.set(record.sections[1].setpoint_work_state, 0u);
        store->head.set(record.sections[0].actual_work_state, 0u);
        store->head.set(record.sections[1].actual_work_state, 1u);
        build();

        EXPECT_EQ(ddis(boom_element()), c.boom_ddis);
        if (c.mode == 0) {
            EXPECT_EQ(value(boom_element(), 290)->get_type(), seeder_ddi.setpoint_condensed[0]);
            EXPECT_EQ(raw(value(boom_element(), 290)), c.setpoint_raw);
        }
        if (c.actual_entry) {
            EXPECT_EQ(value(boom_element(), 161)->get_type(), c.actual_entry);
            EXPECT_EQ(raw(value(boom_element(), 161)), c.actual_raw);
        }
        for (Element* section : children(boom_element())) {
            EXPECT_EQ(ddis(section), c.section_ddis);
            if (c.mode == 2) {
                EXPECT_EQ(value(section, 141)->get_type(), &seeder_ddi.actual_work_state_setable);
            }
        }
        if (c.mode == 2) {
            // The section's own work state: set as the setpoint, read as the actual state.
            Element* second = children(boom_element())[1];
            EXPECT_EQ(raw(value(second, 141)), 1);
            value(second, 141)->get_data_adaptor()->handle_set(2);
            EXPECT_EQ(record.sections[1].setpoint_work_state, 2u);
        }
    }
}

TEST_F(Tessaryn_seeder_boom_test, a_setpoint_on_the_condensed_value_reaches_each_sections_setpoint)
{
    app().booms.section_control_mode.set(1);
    sections(0, {1.0, 1.0, 1.0});
    build();

    value(boom_element(), 161)->get_data_adaptor()->handle_set(int32_t(0xFFFFFFE6));

    ds_boom& record = store->body.booms.boom[0];
    EXPECT_EQ(record.sections[0].setpoint_work_state, 2u);
    EXPECT_EQ(record.sections[1].setpoint_work_state, 1u);
    EXPECT_EQ(record.sections[2].setpoint_work_state, 2u);
    EXPECT_EQ(record.sections[0].actual_work_state, 0u);
}

TEST_F(Tessaryn_seeder_boom_test, a_boom_without_sections_has_no_condensed_value_and_no_width)
{
    for (bool non_vt : {false, true}) {
        SCOPED_TRACE(non_vt);
        set_non_vt(non_vt);
        boom(0).num_sections.set(0);
        boom(0).sections[0]->width.set(2.0);
        build();

        EXPECT_TRUE(children(boom_element()).empty());
        EXPECT_FALSE(has_ddi(boom_element(), 290));
        EXPECT_FALSE(has_ddi(boom_element(), 161));
        EXPECT_FALSE(has_ddi(boom_element(), 60088));
        EXPECT_EQ(property(boom_element(), 70)->get_value(), 0);
    }
}

TEST_F(Tessaryn_seeder_boom_test, bins_follow_the_switch_box_mapping_and_the_channels_boom)
{
    app().booms.num_booms.set(2);
    app().num_channels.set(4);
    app().swbox_mapping[0]->channel.set(0);
    app().swbox_mapping[1]->channel.set(-1);
    app().swbox_mapping[2]->channel.set(5);
    app().swbox_mapping[3]->channel.set(3);
    app().channels[5]->assigned_to_boom.set(1);
    sections(0, {1.0});
    build();

    EXPECT_EQ(child_names(boom_element(0)), (std::vector<std::string>{"Section 1", "Bin 1", "Bin 4"}));
    EXPECT_EQ(child_names(boom_element(1)), (std::vector<std::string>{"Bin 3"}));
    EXPECT_EQ(property(children(boom_element(1))[0], 178)->get_value(), 2);
}

struct Display_case {
    bool non_vt;
    bool drill_control;
    int type;
    std::vector<uint16_t> boom_ddis;
    std::vector<std::string> children;
};

TEST_F(Tessaryn_seeder_boom_test, the_non_vt_display_decides_between_work_state_and_drill_lift)
{
    const Display_case cases[] = {
        {false, true, 0, {141, 67, 70, 134, 135, 226, 160, 205, 206, 178, 290, 161}, {"Section 1"}},
        {true, false, 0, {67, 70, 134, 135, 226, 178, 290, 161, 60088}, {"Section 1"}},
        {true, true, 0, {67, 70, 134, 135, 226, 178, 290, 161, 60088}, {"Section 1"}},
        {true,
         true,
         3,
         {58633, 58635, 67, 70, 134, 135, 226, 178, 290, 161, 60088},
         {"Section 1", "Downforce", "Downforce"}},
    };
    for (const Display_case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.non_vt << " " << c.drill_control << " " << c.type);
        set_non_vt(c.non_vt);
        app().drill_control_enabled.set(c.drill_control);
        boom(0).type.set(uint8_t(c.type));
        sections(0, {1.0});
        app().downforces[0]->enabled.set(true);
        app().downforces[1]->enabled.set(true);
        app().downforces[1]->assigned_to_boom.set(1);
        app().downforces[3]->assigned_to_boom.set(0);
        app().downforces[4]->enabled.set(true);
        build();

        EXPECT_EQ(ddis(boom_element()), c.boom_ddis);
        EXPECT_EQ(child_names(boom_element()), c.children);
        if (c.non_vt) {
            EXPECT_EQ(value(boom_element(), 60088)->get_type(), seeder_ddi.condensed_switch_state);
        }
    }
}

TEST_F(Tessaryn_seeder_boom_test, boom_values_read_their_store_fields_and_parameters)
{
    boom(0).on_time.set(0.25);
    boom(0).off_time.set(1.5);
    boom(0).offset.x.set(-2.5f);
    boom(0).working_length.set(0.0625f);
    store->head.set(store->body.booms.boom[0].active_width, 6.0);
    store->head.set(store->body.booms.boom[0].section_control_state, 1u);
    build();

    EXPECT_EQ(boom_element()->get_type(), 2);
    EXPECT_EQ(name(boom_element()), "Boom 1");
    EXPECT_EQ(raw(value(boom_element(), 205)), 250);
    EXPECT_EQ(raw(value(boom_element(), 206)), 1500);
    EXPECT_EQ(raw(value(boom_element(), 67)), 6000);
    EXPECT_EQ(raw(value(boom_element(), 160)), 1);
    EXPECT_EQ(value(boom_element(), 160)->get_reference_flag(), 1);
    EXPECT_EQ(property(boom_element(), 134)->get_value(), -2500);
    EXPECT_EQ(property(boom_element(), 226)->get_value(), 62);
    EXPECT_EQ(text(property(boom_element(), 226)->get_designator()), "Working Length");
    EXPECT_EQ(text(property(boom_element(), 70)->get_designator()), "Maximum Working Width");
    EXPECT_EQ(property(boom_element(), 178)->get_value(), 0);
    EXPECT_EQ(text(property(boom_element(), 178)->get_designator()), "Element Type Instance");
}

struct Bound_case {
    const char* what;
    std::function<void(NV_quvel::application_t&)> setup;
    std::vector<std::string> children;
    std::string line;
};

TEST_F(Tessaryn_seeder_boom_test, out_of_range_counts_and_channels_describe_what_fits_and_say_so)
{
    const Bound_case cases[] = {
        {"num_sections",
         [](NV_quvel::application_t& app) {
             for (int s = 0; s < 10; ++s)
                 app.booms.booms[0]->sections[s]->width.set(0.5);
             app.booms.booms[0]->num_sections.set(11);
         },
         {"Section 1", "Section 2", "Section 3", "Section 4", "Section 5", "Section 6", "Section 7", "Section 8",
          "Section 9", "Section 10"},
         "TC description: num_sections is 11, only 10 described\n"},
        {"num_channels",
         [](NV_quvel::application_t& app) {
             app.num_channels.set(11);
             for (int k = 0; k < 10; ++k)
                 app.swbox_mapping[k]->channel.set(int8_t(k));
         },
         {"Bin 1", "Bin 2", "Bin 3", "Bin 4", "Bin 5", "Bin 6", "Bin 7", "Bin 8", "Bin 9", "Bin 10"},
         "TC description: num_channels is 11, only 10 described\n"},
        {"mapped channel",
         [](NV_quvel::application_t& app) {
             app.num_channels.set(2);
             app.swbox_mapping[0]->channel.set(12);
             app.swbox_mapping[1]->channel.set(1);
         },
         {"Bin 2"},
         "TC description: swbox_mapping[0].channel is 12, no such channel\n"},
    };
    for (const Bound_case& c : cases) {
        SCOPED_TRACE(c.what);
        model.reset();
        params = std::make_unique<NV_quvel::parameters_t>(&manager, 0, "PS");
        app().booms.num_booms.set(1);
        c.setup(app());
        Debug_capture capture;
        build();

        EXPECT_EQ(child_names(boom_element()), c.children);
        EXPECT_EQ(capture.text(), c.line);
    }
}

}
