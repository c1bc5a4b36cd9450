#include "isobus/NV_store_event_listener.h"
#include "tests/isobus/Description_rig.h"
#include "tests/isobus/Tc_client_bench.h"

#include <gtest/gtest.h>

namespace {

// The seeder's own model, on a store and parameters of the test's own, in
// place of the small one.
class Tc_seeder_upload_test : public Tc_client_bench {
protected:
    Tc_seeder_upload_test()
    {
        model_in_use = &seeder;
        chain = &seeder_listeners;
    }
    // The controller goes before the model whose tree it serves.
    ~Tc_seeder_upload_test() override { controller.reset(); }

    NV_quvel::application_t& app() { return params->app; }
    void use_channel_0_on_boom_0()
    {
        app().booms.num_booms.set(1);
        app().num_channels.set(1);
        app().swbox_mapping[0]->channel.set(0);
        app().channels[0]->mode.set(0); // granular: DDI 6 is the setpoint
        app().channels[0]->assigned_to_boom.set(0);
    }
    // 6 booms of 10 sections, 10 bins and 5 downforce channels.
    void use_the_largest_machine()
    {
        store->head.set(store->body.system.non_vtt_connected, true);
        app().drill_control_enabled.set(true);
        app().booms.num_booms.set(6);
        for (int b = 0; b < 6; ++b)
            app().booms.booms[b]->num_sections.set(10);
        app().booms.booms[0]->type.set(3);
        app().num_channels.set(10);
        for (int k = 0; k < 10; ++k) {
            app().swbox_mapping[k]->channel.set(int8_t(k));
            app().channels[k]->assigned_to_boom.set(uint8_t(k % 6));
        }
        for (int d = 0; d < 5; ++d) {
            app().downforces[d]->enabled.set(true);
            app().downforces[d]->assigned_to_boom.set(0);
        }
    }
    const Fake_tc_server::Pool& pool() { return *tc->pool_of(client_address); }

    static constexpr unsigned char mac[6] = {0x00, 0x50, 0xC2, 0x12, 0x34, 0x56};

    std::unique_ptr<Data_store> store = std::make_unique<Data_store>(&manager, "1.2.3");
    std::unique_ptr<NV_quvel::parameters_t> params = std::make_unique<NV_quvel::parameters_t>(&manager, 0, "PS");
    TC_client::NV_store_event_listener nv_listener{*params, nullptr};
    TC_client::Cds_event_listener seeder_listeners{store->head, &nv_listener};
    Tessaryn_tc_model seeder{*store, params.get(), std::make_unique<Fixed_mac_interface>(mac)};
};

TEST_F(Tc_seeder_upload_test, the_default_description_is_uploaded_sound_and_activated)
{
    start();
    run_for(500);
    ASSERT_TRUE(controller->is_pool_active());
    EXPECT_TRUE(pool().errors.empty());
    const Fake_tc_server::Object* root = pool().element_named("KX-4 Seeder Root");
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(pool().ddis_of(*root), (std::vector<uint16_t>{0xDFFF, 141, 274, 275, 119, 120}));
    EXPECT_NE(pool().element_named("Connector"), nullptr);
    EXPECT_EQ(pool().objects.at(0).designator, "KX-4 Seeder");
    EXPECT_EQ(lines_with("version of 128: 3"), 1);
}

TEST_F(Tc_seeder_upload_test, the_task_totals_count_from_the_activation)
{
    int& lifetime = store->body.interface.lifetime_effective_time;
    store->head.set(lifetime, 5000);
    start();
    run_for(500);
    ASSERT_TRUE(controller->is_pool_active());
    store->head.set(lifetime, 5000 + 120);
    const uint16_t root = element_of("KX-4 Seeder Root");
    tc->send_command(client_address, root, 119, 2, 0); // request value: effective total time
    tc->send_command(client_address, root, 274, 2, 0); // lifetime effective time
    run_for(20);
    int32_t total = -1, life = -1;
    EXPECT_TRUE(tc->last_value(client_address, root, 119, total));
    EXPECT_TRUE(tc->last_value(client_address, root, 274, life));
    EXPECT_EQ(total, 120);
    EXPECT_EQ(life, 5120);
}

TEST_F(Tc_seeder_upload_test, a_section_fewer_deletes_the_pool_held_and_leaves_no_stale_section)
{
    use_channel_0_on_boom_0();
    app().booms.booms[0]->num_sections.set(3);
    start();
    run_for(500);
    ASSERT_NE(pool().element_named("Section 3"), nullptr);
    app().booms.booms[0]->num_sections.set(2);
    controller->signal_model_changed();
    run_for(500);
    ASSERT_TRUE(controller->is_pool_active());
    EXPECT_EQ(lines_with("delete request from 128: pool deleted"), 1);
    EXPECT_EQ(pool().element_named("Section 3"), nullptr);
    EXPECT_EQ(pool().objects.size(), Fake_tc_server::Pool::read(pool().bytes).objects.size());
    EXPECT_TRUE(pool().errors.empty());
}

TEST_F(Tc_seeder_upload_test, a_bins_application_total_grows_with_its_channels_lifetime_total)
{
    use_channel_0_on_boom_0(); // granular: the total is DDI 81, mass
    double& lifetime = store->body.channels.channels[0].lifetime_total_volume;
    store->head.set(lifetime, 40.0);
    start();
    run_for(500);
    ASSERT_TRUE(controller->is_pool_active());
    const uint16_t bin = element_of("Bin 1");
    auto total = [&] {
        tc->send_command(client_address, bin, 81, 2, 0); // request value
        run_for(20);
        int32_t value = -1;
        EXPECT_TRUE(tc->last_value(client_address, bin, 81, value));
        return value;
    };
    EXPECT_EQ(total(), 0) << "the task starts at the activation";
    store->head.set(lifetime, 52.0);
    const TC_client::Process_data_coder<double>& coder = *TC_client::Default_pd_coders<double>::get();
    EXPECT_EQ(total(), coder.encode(52.0) - coder.encode(40.0));
}

TEST_F(Tc_seeder_upload_test, the_largest_description_goes_by_extended_transport_and_is_sound)
{
    use_the_largest_machine();
    start();
    run_for(1000);
    ASSERT_TRUE(controller->is_pool_active());
    EXPECT_GT(pool().bytes.size(), 1785u);
    for (const std::string& e : pool().errors)
        ADD_FAILURE() << e;
    EXPECT_EQ(pool().count("DET"), 1u + 6 + 60 + 10 + 5 + 1);
    EXPECT_NE(pool().element_named("Section 10"), nullptr);
    EXPECT_NE(pool().element_named("Bin 10"), nullptr);
}

TEST_F(Tc_seeder_upload_test, a_rate_set_on_a_bin_lands_decoded_with_one_change_event_and_is_reported_back)
{
    use_channel_0_on_boom_0();
    start();
    run_for(500);
    ASSERT_TRUE(controller->is_pool_active());
    double& requested = store->body.channels.channels[0].requested_rate;
    waiter_descriptor other;
    store->head.event_register(&other, store->head.offset_of(&requested), sizeof(double), CDS::reg_change,
                               CDS::event_word(&requested, sizeof(double)), nullptr, nullptr);
    const uint16_t bin = element_of("Bin 1");
    tc->send_command(client_address, bin, 6, 8, 1); // on every change
    tc->send_command(client_address, bin, 6, 3, 15000);
    run_for(20);

    EXPECT_EQ(requested, 150.0); // 15000 mg/m2 = 150 kg/ha
    EXPECT_EQ(other.pending(), 1u);
    int32_t reported = 0;
    EXPECT_TRUE(tc->last_value(client_address, bin, 6, reported));
    EXPECT_EQ(reported, 15000);
    store->head.event_unregister(&other, store->head.offset_of(&requested), sizeof(double), CDS::reg_change,
                                 CDS::event_word(&requested, sizeof(double)), nullptr, nullptr);
}

TEST_F(Tc_seeder_upload_test, a_parameter_change_and_a_changed_model_give_a_new_label_and_upload)
{
    use_channel_0_on_boom_0();
    start();
    run_for(500);
    ASSERT_TRUE(controller->is_pool_active());
    const auto first = pool().structure_label;
    app().booms.booms[0]->num_sections.set(4);
    controller->signal_model_changed();
    run_for(500);
    EXPECT_TRUE(controller->is_pool_active());
    EXPECT_EQ(lines_with("pool from"), 2);
    EXPECT_NE(pool().structure_label, first);
    EXPECT_NE(pool().element_named("Section 4"), nullptr);
}

}
