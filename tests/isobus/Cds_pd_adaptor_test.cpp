#include "data_store/data_store_body.h"
#include "isobus/Cds_event_listener.h"
#include "isobus/Cds_pd_reference.h"
#include "isobus/Unit_pd_coders.h"
#include "platform/rtos/module_man.h"
#include "tests/isobus/Recording_receiver.h"
#include "tests/support/Child_process.h"
#include "tests/support/Debug_capture.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstring>
#include <memory>

using namespace TC_client;

namespace {

// A store head that notes, at each signal, what the field held then.
class Recording_head : public CDS::Head {
public:
    using Head::Head;

    struct Signal {
        const void* item;
        unsigned size;
        double before;
        double after;
    };

    void event_signal(const void* item, const void* new_value, unsigned offset, unsigned size,
                      const CDS::Options* options) override
    {
        Signal s{item, size, 0, 0};
        if (size == sizeof(double)) {
            std::memcpy(&s.before, item, sizeof(double));
            std::memcpy(&s.after, new_value, sizeof(double));
        }
        signal_log.push_back(s);
        Head::event_signal(item, new_value, offset, size, options);
    }

    std::vector<Signal> signal_log;
};

// Takes every event and counts them.
class Counting_handler : public Controller::Diner_event_handler {
public:
    Counting_handler()
        : Diner_event_handler(nullptr)
    {
    }
    bool handle(waiter_event&) override
    {
        ++events;
        return true;
    }
    int events = 0;
};

class Debug_channel_40 {
public:
    Debug_channel_40() { Debug_base::set_filters("28"); }
    ~Debug_channel_40() { Debug_base::set_filters("00"); }
};

class Cds_pd_adaptor_test : public testing::Test {
protected:
    double& rate() { return body->channels.channels[3].requested_rate; }

    // Takes what the waiter holds through the chain; returns how many events there were.
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
    std::unique_ptr<data_store_body> body = std::make_unique<data_store_body>();
    Recording_head head{&manager, body.get()};
    waiter_descriptor controller_waiter;
    waiter_descriptor other_waiter;
    Counting_handler next;
    Cds_event_listener chain{head, &next};
    Recording_receiver receiver;

    void SetUp() override { chain.set_controller_waiter(&controller_waiter); }
};

TEST_F(Cds_pd_adaptor_test, setpoint_is_decoded_into_the_field_with_one_event_before_the_store)
{
    Cds_pd_reference<double, false> reference(&head, &rate());
    reference.get_adaptor().set_coder(&Unit_pd_coders<double>::kg_per_hectare_to_mg_per_m2);
    rate() = 10.0;
    head.event_register(&other_waiter, head.offset_of(&rate()), sizeof(double), CDS::reg_change,
                        CDS::event_word(&rate(), sizeof(double)), nullptr, nullptr);

    reference.get_data_adaptor()->handle_set(15000);

    EXPECT_EQ(rate(), 150.0);
    ASSERT_EQ(head.signal_log.size(), 1u);
    EXPECT_EQ(head.signal_log[0].item, &rate());
    EXPECT_EQ(head.signal_log[0].size, sizeof(double));
    EXPECT_EQ(head.signal_log[0].before, 10.0);
    EXPECT_EQ(head.signal_log[0].after, 150.0);
    EXPECT_EQ(other_waiter.pending(), 1u);
    EXPECT_EQ(reference.get_data_adaptor()->handle_get(), 15000);
}

TEST_F(Cds_pd_adaptor_test, a_change_of_the_field_reports_the_encoded_value_once_through_the_chain)
{
    Cds_pd_adaptor<double, false> adaptor(&head, &rate());
    adaptor.set_coder(&Unit_pd_coders<double>::l_per_hectare_to_ddi_1);
    adaptor.set_receiver(&receiver);
    adaptor.start(&controller_waiter);

    head.set(rate(), 2.5);

    EXPECT_EQ(run_chain(controller_waiter), 1);
    ASSERT_EQ(receiver.reports.size(), 1u);
    EXPECT_EQ(receiver.reports[0].first, static_cast<Process_data_adaptor_raw*>(&adaptor));
    EXPECT_EQ(receiver.reports[0].second, 25000);
    EXPECT_EQ(next.events, 0);
}

TEST_F(Cds_pd_adaptor_test, a_reference_keeps_the_reported_value_for_the_controller)
{
    Cds_pd_reference<int, false> reference(&head, &body->interface.lifetime_effective_time);
    reference.get_data_adaptor()->start(&controller_waiter);

    head.set(body->interface.lifetime_effective_time, 3600);
    run_chain(controller_waiter);

    int32_t raw = 0;
    EXPECT_TRUE(reference.take_report(raw));
    EXPECT_EQ(raw, 3600);
    EXPECT_FALSE(reference.take_report(raw));
}

TEST_F(Cds_pd_adaptor_test, an_event_for_another_waiter_is_left_to_the_next_handler)
{
    Cds_pd_adaptor<double, false> adaptor(&head, &rate());
    adaptor.set_receiver(&receiver);
    adaptor.start(&other_waiter);

    head.set(rate(), 4.0);

    EXPECT_EQ(run_chain(other_waiter), 1);
    EXPECT_TRUE(receiver.reports.empty());
    EXPECT_EQ(next.events, 1);
}

TEST_F(Cds_pd_adaptor_test, a_stopped_or_destroyed_adaptor_hears_nothing_even_of_queued_changes)
{
    auto adaptor = std::make_unique<Cds_pd_adaptor<double, false>>(&head, &rate());
    adaptor->set_receiver(&receiver);
    adaptor->start(&controller_waiter);
    head.set(rate(), 1.0);
    adaptor->stop();
    head.set(rate(), 2.0);
    EXPECT_EQ(run_chain(controller_waiter), 0);

    adaptor->start(&controller_waiter);
    head.set(rate(), 3.0);
    adaptor.reset(); // a rebuild frees its adaptors with changes still queued
    EXPECT_EQ(run_chain(controller_waiter), 0);
    head.set(rate(), 4.0);
    EXPECT_EQ(run_chain(controller_waiter), 0);
    EXPECT_TRUE(receiver.reports.empty());
}

TEST_F(Cds_pd_adaptor_test, starting_twice_on_one_waiter_registers_and_prints_once)
{
    Debug_channel_40 channel;
    Debug_capture capture;
    Cds_pd_adaptor<double, false> adaptor(&head, &rate());
    adaptor.set_receiver(&receiver);

    adaptor.start(&controller_waiter);
    adaptor.start(&controller_waiter);
    head.set(rate(), 1.0);
    EXPECT_EQ(run_chain(controller_waiter), 1);
    EXPECT_EQ(receiver.reports.size(), 1u);
    adaptor.stop();
    adaptor.stop();

    EXPECT_EQ(capture.text(), "TC CDS adaptor started\nTC CDS adaptor stopped\n");
}

TEST_F(Cds_pd_adaptor_test, starting_on_another_waiter_moves_the_registration)
{
    Cds_pd_adaptor<double, false> adaptor(&head, &rate());
    adaptor.start(&other_waiter);
    adaptor.start(&controller_waiter);

    head.set(rate(), 1.0);

    EXPECT_EQ(other_waiter.pending(), 0u);
    EXPECT_EQ(controller_waiter.pending(), 1u);
}

using Cds_pd_adaptor_death_test = Cds_pd_adaptor_test;

TEST_F(Cds_pd_adaptor_death_test, a_null_head_stops_the_program)
{
    Cds_pd_reference<double, false> reference(nullptr, &rate());
    Child_result set = run_in_child([&] { reference.get_data_adaptor()->handle_set(1); });
    EXPECT_EQ(set.output, "BUG: CDS: Tried to set with no init\r\n");
    EXPECT_EQ(set.signal, SIGABRT);
    Child_result get = run_in_child([&] { reference.get_data_adaptor()->handle_get(); });
    EXPECT_EQ(get.output, "BUG: CDS: Tried to set with no init\r\n");
    EXPECT_EQ(rate(), 0.0);
}

}
