#pragma once
#include "platform/ui/User_interface_iface.h"

class Data_store;

// The application's side of the VT user interface until the seeder's screens
// come: no screens of its own; the VT's state goes to the data store and the
// parameters. Key presses no screen takes are printed by the library.
class Interim_ui : public UI::User_interface_iface {
public:
    Interim_ui(Data_store& store, NV_quvel::parameters_t& parameters) : store_(store), parameters_(parameters) {}

    bool setup_screens(VT::vtui_pool*, UI::Setup_config&) override { return true; }
    void register_listeners() override {}
    NV_quvel::parameters_t* get_parameters() override { return &parameters_; }
    // Not while the non-VT display is in use.
    bool ui_enabled() override;
    // The VT's NAME becomes the preferred one, and the pool is up.
    void handle_pool_uploaded(uint64_t vt_name) override;
    void handle_terminal_alive(bool alive) override;

private:
    Data_store& store_;
    NV_quvel::parameters_t& parameters_;
};
