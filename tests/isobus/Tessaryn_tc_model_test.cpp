#include "app/System_info.h"
#include "isobus/Cds_event_listener.h"
#include "isobus/NV_store_event_listener.h"
#include "platform/iso/TC_client_Task_total_pd_reference.h"
#include "platform/iso/TC_client_Value_presentation.h"
#include "platform/rtos/waiter_descriptor.h"
#include "tests/isobus/Description_rig.h"
#include "tests/support/Debug_capture.h"

using namespace TC_client;

namespace {

using Tessaryn_tc_model_test = Description_rig;

struct Version_case {
    uint8_t version;
    bool answered;
    std::vector<uint8_t> reply; // 0xAA: the byte as the controller filled it
};

TEST_F(Tessaryn_tc_model_test, answers_a_version_message_by_the_task_controllers_version)
{
    const Version_case cases[] = {
        {0, false, {0xAA, 0xAA, 0xAA, 0xAA, 0xAA, 0xAA, 0xAA, 0xAA}},
        {1, false, {0xAA, 0xAA, 0xAA, 0xAA, 0xAA, 0xAA, 0xAA, 0xAA}},
        {2, true, {0xAA, 2, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}},
        {3, true, {0xAA, 3, 0xAA, 0x17, 0, 1, 1, 4}},
        {4, true, {0xAA, 3, 0xAA, 0x17, 0, 1, 1, 4}},
    };
    for (const Version_case& c : cases) {
        SCOPED_TRACE(int(c.version));
        app().booms.num_booms.set(0);
        Tessaryn_tc_model& m = build();
        ASSERT_EQ(children(root()).size(), 1u);
        // A rebuild would now describe this boom.
        app().booms.num_booms.set(1);

        const uint8_t request[8] = {0x10, c.version, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};
        uint8_t reply[8];
        std::memset(reply, 0xAA, sizeof reply);
        Device_element* device = m.handle_version(request, reply);

        EXPECT_EQ(device, c.answered ? &m.get_device() : nullptr);
        EXPECT_EQ(std::vector<uint8_t>(reply, reply + 8), c.reply);
        EXPECT_EQ(children(root()).size(), c.answered ? 2u : 1u);
    }
}

TEST_F(Tessaryn_tc_model_test, the_device_states_the_firmware_version_and_the_identity_number)
{
    ds_firmware_version version{};
    std::memcpy(version.string, "V10.20.3040", 11);
    store->head.set(store->body.system.firmware_version, version);

    Tessaryn_tc_model& m = build();

    EXPECT_EQ(m.get_device().get_version(), "V10.20.3040") << "without the NUL that fills the field";
    EXPECT_EQ(m.get_device().get_serial(), std::to_string(System_info::identity_number(0x0050C2123456ull)));
    EXPECT_EQ(text(m.get_device().get_designator()), "KX-4 Seeder");
}

TEST_F(Tessaryn_tc_model_test, without_booms_the_description_holds_the_root_and_the_connector)
{
    app().booms.num_booms.set(0);
    build();

    EXPECT_EQ(root()->get_type(), 1);
    EXPECT_EQ(name(root()), "KX-4 Seeder Root");
    std::vector<Element*> elements = children(root());
    ASSERT_EQ(elements.size(), 1u);
    EXPECT_EQ(elements[0]->get_type(), 6);
    EXPECT_EQ(name(elements[0]), "Connector");
    EXPECT_TRUE(children(elements[0]).empty());
}

TEST_F(Tessaryn_tc_model_test, the_root_takes_the_settable_master_work_state_with_the_non_vt_display_at_build_time)
{
    build();
    EXPECT_EQ(ddis(root()), (std::vector<uint16_t>{0xDFFF, 141, 274, 275, 119, 120}));
    EXPECT_EQ(value(root(), 141)->get_type(), &seeder_ddi.actual_work_state);

    set_non_vt(true);
    EXPECT_EQ(value(root(), 141)->get_type(), &seeder_ddi.actual_work_state);
    rebuild();
    EXPECT_EQ(ddis(root()), (std::vector<uint16_t>{0xDFFF, 141, 274, 275, 119, 120}));
    EXPECT_EQ(value(root(), 141)->get_type(), &seeder_ddi.actual_work_state_setable);

    set_non_vt(false);
    rebuild();
    EXPECT_EQ(value(root(), 141)->get_type(), &seeder_ddi.actual_work_state);
}

TEST_F(Tessaryn_tc_model_test, the_root_reads_the_master_and_the_lifetime_times_from_the_store)
{
    store->head.set(store->body.operation.master_switch_active, true);
    store->head.set(store->body.interface.lifetime_effective_time, 3600);
    store->head.set(store->body.interface.lifetime_ineffective_time, 120);
    build();

    EXPECT_EQ(raw(value(root(), 141)), 1);
    EXPECT_EQ(raw(value(root(), 274)), 3600);
    EXPECT_EQ(raw(value(root(), 275)), 120);
    auto* effective = dynamic_cast<Task_total_pd_reference*>(value(root(), 119));
    auto* ineffective = dynamic_cast<Task_total_pd_reference*>(value(root(), 120));
    ASSERT_NE(effective, nullptr);
    ASSERT_NE(ineffective, nullptr);
    EXPECT_EQ(effective->get_lifetime_total_pd_adaptor()->handle_get(), 3600);
    EXPECT_EQ(ineffective->get_lifetime_total_pd_adaptor()->handle_get(), 120);
    EXPECT_EQ(effective->get_type(), &seeder_ddi.effective_total_time);
    EXPECT_EQ(ineffective->get_type(), &seeder_ddi.ineffective_total_time);
}

struct Boom_type_case {
    int type;
    bool non_vt;
    bool drill_control;
    bool described;
};

TEST_F(Tessaryn_tc_model_test, a_drill_boom_is_described_only_under_drill_control_with_the_non_vt_display)
{
    const Boom_type_case cases[] = {
        {0, false, false, true}, {3, false, false, false}, {3, false, true, false},
        {3, true, false, false}, {3, true, true, true},    {2, true, false, true},
    };
    for (const Boom_type_case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.type << " " << c.non_vt << " " << c.drill_control);
        app().booms.num_booms.set(2);
        boom(0).type.set(uint8_t(c.type));
        app().drill_control_enabled.set(c.drill_control);
        set_non_vt(c.non_vt);
        build();

        std::vector<std::string> names;
        for (Element* element : children(root()))
            names.push_back(name(element));
        const std::vector<std::string> described{"Boom 1", "Boom 2", "Connector"};
        const std::vector<std::string> left_out{"Boom 2", "Connector"};
        EXPECT_EQ(names, c.described ? described : left_out);
    }
}

struct Connector_case {
    float offset_x;
    int geometry;
    int32_t x_mm;
    int32_t type;
};

TEST_F(Tessaryn_tc_model_test, the_connector_states_its_offset_in_millimetres_and_its_type)
{
    const Connector_case cases[] = {
        {0.75f, 0, 750, 3}, {-0.5f, 1, -500, 8}, {0.0625f, 2, 62, 8}, {0.0f, 3, 0, 3}, {1.0625f, 4, 1062, 3},
    };
    for (const Connector_case& c : cases) {
        SCOPED_TRACE(c.offset_x);
        app().machine_geometry.connector_offset.x.set(c.offset_x);
        app().machine_geometry.geom_type.set(uint8_t(c.geometry));
        build();

        const Element* connector = children(root()).back();
        ASSERT_EQ(ddis(connector), (std::vector<uint16_t>{134, 135, 157}));
        EXPECT_EQ(property(connector, 134)->get_value(), c.x_mm);
        EXPECT_EQ(property(connector, 135)->get_value(), 0);
        EXPECT_EQ(property(connector, 157)->get_value(), c.type);
        EXPECT_EQ(text(property(connector, 134)->get_designator()), "X");
        EXPECT_EQ(text(property(connector, 135)->get_designator()), "Y");
        EXPECT_EQ(text(property(connector, 157)->get_designator()), "Connector Type");
        EXPECT_EQ(property(connector, 134)->get_presentation(), &cm_distance_pe);
        EXPECT_EQ(property(connector, 135)->get_presentation(), &cm_distance_pe);
        EXPECT_EQ(property(connector, 157)->get_presentation(), nullptr);
    }
}

TEST_F(Tessaryn_tc_model_test, more_booms_than_fit_describe_six_and_say_so_once)
{
    app().booms.num_booms.set(7);
    Debug_capture capture;
    build();

    std::vector<Element*> elements = children(root());
    ASSERT_EQ(elements.size(), 7u);
    EXPECT_EQ(name(elements[5]), "Boom 6");
    EXPECT_EQ(name(elements[6]), "Connector");
    EXPECT_EQ(capture.text(), "TC description: num_booms is 7, only 6 described\n");
}

// Starts every adaptor of the tree on the waiter, as the client does while
// the description is live.
void start_all(const Device_element_element* element, waiter_descriptor& waiter)
{
    auto* references = element->get_ddi_list();
    for (int i = 0; i < references->count(); ++i)
        if (auto* pd = dynamic_cast<Process_data_reference*>(references->element(i)))
            pd->get_data_adaptor()->start(&waiter);
    if (auto* elements = element->get_device_element_list())
        for (int i = 0; i < elements->count(); ++i)
            start_all(elements->element(i), waiter);
}

TEST_F(Tessaryn_tc_model_test, rebuilds_with_live_adaptors_and_queued_changes_leave_nothing_behind)
{
    app().booms.num_booms.set(2);
    for (int b = 0; b < 2; ++b) {
        boom(b).num_sections.set(3);
        for (int s = 0; s < 3; ++s)
            boom(b).sections[s]->width.set(1.0);
    }
    app().num_channels.set(2);
    app().swbox_mapping[0]->channel.set(0);
    app().swbox_mapping[1]->channel.set(1);
    app().channels[1]->assigned_to_boom.set(1);
    build();

    waiter_descriptor controller_waiter;
    NV_store_event_listener nv_listener(*params, nullptr);
    Cds_event_listener chain(store->head, &nv_listener);
    chain.set_controller_waiter(&controller_waiter);
    start_all(root(), controller_waiter);
    store->head.set(store->body.channels.channels[0].requested_rate, 80.0);
    store->head.set(store->body.booms.boom[1].sections[2].actual_work_state, 1u);
    store->head.set(store->body.operation.master_switch_active, true);
    boom(0).on_time.set(0.5);
    EXPECT_GE(controller_waiter.pending(), 4u);

    rebuild();
    rebuild();

    waiter_event event;
    int handled = 0;
    while (controller_waiter.poll(event))
        handled += chain.dispatch(event) ? 1 : 0;
    EXPECT_EQ(handled, 0);
    EXPECT_EQ(children(root()).size(), 3u);
}

}
