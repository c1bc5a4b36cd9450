#pragma once
#include "data_store/data_store_body.h"
#include "isobus/Cds_event_listener.h"
#include "isobus/Cds_pd_reference.h"
#include "isobus/Literal_designator.h"
#include "isobus/QList_list_facade.h"
#include "isobus/Unit_pd_coders.h"
#include "platform/data/CDS_Head.h"
#include "platform/iso/TC_client_Controller.h"
#include "platform/iso/TC_client_Device_element.h"
#include "platform/iso/TC_client_Device_element_element.h"
#include "platform/iso/TC_client_Process_data_element.h"
#include "platform/iso/TC_client_Property_element.h"
#include "platform/iso/TC_client_Request_default_reference.h"
#include "platform/iso/TC_client_Value_presentation.h"
#include "platform/iso/Working_set_member.h"
#include "tests/platform/can/Zev_bench.h"
#include "tests/support/Fake_tc_server.h"

#include <memory>
#include <vector>

// A small device of the test's own: a root with the request-default
// reference, a settable work state and a property, and bins with a settable
// rate (DDI 6, kg/ha in the store) and an actual rate (DDI 7).
struct Small_tree {
    static constexpr uint8_t rate_triggers = TC_client::Process_data_element::trigger_time |
                                             TC_client::Process_data_element::trigger_on_change |
                                             TC_client::Process_data_element::trigger_threshold;

    struct Entries {
        Entries();
        TC_client::Process_data_element work_state, rate, actual;
        TC_client::Property_element offset;
    };
    struct Bin {
        // Bin n keeps its rates in channel (n - 1) mod 10.
        Bin(CDS::Head& head, data_store_body& body, int number, Entries& entries);
        TC_client::Device_element_element element;
        TC_client::QList_list_facade<TC_client::Ddi_reference> refs;
        TC_client::Cds_pd_reference<double, false> rate, actual;
        char name[16];
        TC_client::Literal_designator designator{name};
    };

    // bins 1..n; unentered: one more value whose reference has no table entry.
    Small_tree(CDS::Head& head, data_store_body& body, Entries& entries, int bins, bool unentered = false);

    TC_client::Device_element device;
    TC_client::Device_element_element root;
    TC_client::QList_list_facade<TC_client::Ddi_reference> root_refs;
    TC_client::QList_list_facade<TC_client::Device_element_element> children;
    TC_client::Request_default_reference request_default;
    TC_client::Cds_pd_reference<bool, false> work_state;
    TC_client::Cds_pd_reference<int, false> unentered_ref;
    std::vector<std::unique_ptr<Bin>> bins;
};

// The model: no description for Task Controllers below version 2; else
// the tree is built anew at every version message, as the seeder's is.
class Small_model : public TC_client::Model {
public:
    Small_model(CDS::Head& head, data_store_body& body) : head_(head), body_(body) {}
    TC_client::Device_element* handle_version(const uint8_t* request, uint8_t* reply) override;

    int bins = 2;
    bool unentered = false;
    int rebuilds = 0;
    uint8_t last_reply[8] = {};
    std::unique_ptr<Small_tree> tree;
    Small_tree::Entries entries;

private:
    CDS::Head& head_;
    data_store_body& body_;
};

// A client (address 0x80) and a fake Task Controller (0xF7) on the in-process
// bus, run on the test's thread against the manual clock.
class Tc_client_bench : public testing::Test {
protected:
    static constexpr uint8_t client_address = 0x80, tc_address = 0xF7;

    ~Tc_client_bench() override;

    // The controller with the model; the fake with its settings, serving.
    // start runs them for 300 ms, create does not run them.
    void start(const Fake_tc_server::Settings& settings = {}, uint16_t timeout_s = 0,
               ZEV_name::RAWNAME preferred = ZEV_name::RAWNAME::GLOBAL_NAME);
    void create(const Fake_tc_server::Settings& settings = {}, uint16_t timeout_s = 0,
                ZEV_name::RAWNAME preferred = ZEV_name::RAWNAME::GLOBAL_NAME);
    // Moves the clock on in 5 ms steps, running every task after each.
    void run_for(int ms);
    void settle();
    // The events the client waiter heard from the controller, by code.
    std::vector<uint32_t> client_events();
    int lines_with(const std::string& text) const;
    // The element number of the bin (1, 2, ...) in the pool the fake holds.
    uint16_t element_of(const std::string& designator) const;
    double& rate(int channel) { return body->channels.channels[channel].requested_rate; }

    Zev_bench bench;
    module_man manager;
    std::unique_ptr<data_store_body> body = std::make_unique<data_store_body>();
    CDS::Head head{&manager, body.get()};
    TC_client::Cds_event_listener listeners{head, nullptr};
    Small_model model{head, *body};
    // What the controller is made with; a test may point them elsewhere before start.
    TC_client::Model* model_in_use = &model;
    TC_client::Controller::Diner_event_handler* chain = &listeners;
    Zev_bench::Node& client_node = bench.add_claimed_node(Known_names::get_seeder(1), client_address);
    Zev_bench::Node& tc_node = bench.add_node();
    Working_set_member member{Known_names::get_seeder(1)};
    waiter_descriptor client_waiter;
    std::unique_ptr<TC_client::Controller> controller;
    std::unique_ptr<Fake_tc_server> tc;
    std::unique_ptr<Fake_tc_server> other_tc; // run too when a test makes one
};
