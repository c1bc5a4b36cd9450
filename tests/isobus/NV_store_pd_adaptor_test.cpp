#include "isobus/Cds_event_listener.h"
#include "isobus/NV_store_event_listener.h"
#include "isobus/NV_store_pd_reference.h"
#include "isobus/Unit_pd_coders.h"
#include "data_store/data_store_body.h"
#include "platform/data/CDS_Head.h"
#include "params/parameters_t.h"
#include "platform/rtos/module_man.h"
#include "tests/isobus/Recording_receiver.h"

#include <gtest/gtest.h>

#include <memory>

using namespace TC_client;

namespace {

// Another task's listener on a parameter.
class Counting_listener : public NV_store::Virt_access {
public:
    int changes = 0;

protected:
    void changed(waiter_event&) override { ++changes; }
};

class NV_store_pd_adaptor_test : public testing::Test {
protected:
    void SetUp() override { chain.set_controller_waiter(&controller_waiter); }

    NV_quvel::nv_double& on_time() { return params->app.booms.booms[0]->on_time; }

    int run_chain(waiter_descriptor& waiter)
    {
        int count = 0;
        waiter_event event;
        while (waiter.poll(event)) {
            chain.dispatch(event);
            ++count;
        }
        return count;
    }

    module_man manager;
    std::unique_ptr<NV_quvel::parameters_t> params = std::make_unique<NV_quvel::parameters_t>(&manager, 0, "PS");
    std::unique_ptr<data_store_body> body = std::make_unique<data_store_body>();
    CDS::Head head{&manager, body.get()};
    waiter_descriptor controller_waiter;
    NV_store_event_listener nv_listener{*params, nullptr};
    Cds_event_listener chain{head, &nv_listener};
    Recording_receiver receiver;
};

TEST_F(NV_store_pd_adaptor_test, a_setpoint_sets_the_parameter_and_notifies_its_listeners)
{
    waiter_descriptor saver;
    Counting_listener listener;
    listener.init(&on_time());
    listener.autoreg(saver, true);
    NV_store_pd_reference<NV_quvel::nv_double> reference(on_time());
    reference.get_adaptor().set_coder(&Unit_pd_coders<double>::m_to_mm);

    reference.get_data_adaptor()->handle_set(1500);

    EXPECT_EQ(on_time().get(), 1.5);
    EXPECT_EQ(saver.pending(), 1u);
    EXPECT_EQ(reference.get_data_adaptor()->handle_get(), 1500);
    listener.autounreg(saver);
}

TEST_F(NV_store_pd_adaptor_test, a_change_of_the_parameter_reaches_the_adaptor_through_the_second_handler)
{
    NV_store_pd_adaptor<NV_quvel::nv_bool> adaptor(params->app.down_force_track_master);
    adaptor.set_receiver(&receiver);
    adaptor.start(&controller_waiter);
    adaptor.start(&controller_waiter);

    params->app.down_force_track_master.set(true);

    EXPECT_EQ(run_chain(controller_waiter), 1);
    ASSERT_EQ(receiver.reports.size(), 1u);
    EXPECT_EQ(receiver.reports[0].second, 1);

    adaptor.stop();
    params->app.down_force_track_master.set(false);
    EXPECT_EQ(run_chain(controller_waiter), 0);
    EXPECT_EQ(receiver.reports.size(), 1u);
}

TEST_F(NV_store_pd_adaptor_test, a_destroyed_adaptor_leaves_no_event_behind)
{
    auto adaptor = std::make_unique<NV_store_pd_adaptor<NV_quvel::nv_float>>(params->app.channels[2]->cal_setting);
    adaptor->start(&controller_waiter);
    params->app.channels[2]->cal_setting.set(3.5f);
    adaptor.reset();
    EXPECT_EQ(controller_waiter.pending(), 0u);
}

}
