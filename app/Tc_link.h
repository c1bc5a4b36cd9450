#pragma once
#include "app/Store_watch.h"
#include "isobus/Cds_event_listener.h"
#include "isobus/NV_store_event_listener.h"
#include "isobus/Tessaryn_tc_model.h"
#include "platform/data/NV_Virt_listener.h"
#include "platform/iso/TC_client_Controller.h"
#include "platform/iso/Working_set_member.h"

class Data_store;
class ZEV_smart_stack;
namespace NV_quvel {
class parameters_t;
}

// The ISO NAME filter of the Task Controller that the non-VT display brings:
// industry group 2, our own manufacturer code, function 130.
ZEV_name::NAME make_non_vtt_tc_server_name();

// The program's Task Controller client: the seeder's model, the listener
// chain and the controller, with the main loop's side of it. The pool's
// state reaches the store (tc_alive), a reset request in the store or a
// switch to the non-VT display rebuilds the description on the
// controller's task, and the parameter tc_enabled switches the client.
class Tc_link {
public:
    // member: the program's working set, with the NAME it claimed on the
    // stack's bus; it outlives the link.
    Tc_link(module_man& manager, Data_store& store, NV_quvel::parameters_t& parameters,
            waiter_descriptor& main_waiter, ZEV_smart_stack& stack, Working_set_member& member);
    Tc_link(const Tc_link&) = delete;
    Tc_link& operator=(const Tc_link&) = delete;

    // Sets the client on or off by tc_enabled, follows tc_enabled and the
    // store items on the main waiter, and starts the controller's task.
    void start();
    // start without starting the task, for tests that run it themselves.
    void follow();
    // Handles the main waiter's events of the controller and of the store
    // items it follows; false for any other event.
    bool handle(const waiter_event& event);
    // The main waiter leaves the controller and the items; the controller's
    // task stops once it has handled what is queued for it.
    void finish();

    TC_client::Controller& get_controller() { return controller_; }

private:
    friend class NV_store::Virt_listener<Tc_link>;
    void handle_nv_listener_event(NV_store::Virt_access* listener);
    void pool_activated();

    Data_store& store_;
    NV_quvel::parameters_t& parameters_;
    waiter_descriptor& main_waiter_;
    Tessaryn_tc_model model_;
    TC_client::NV_store_event_listener nv_listener_;
    TC_client::Cds_event_listener listeners_;
    TC_client::Controller controller_;
    Store_watch watch_;
    NV_store::Virt_listener<Tc_link> enabled_listener_{this};
};
