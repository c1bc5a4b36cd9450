#pragma once
#include "platform/iso/TC_client_Controller.h"

namespace NV_store {
class NV_root;
}

namespace TC_client {

// Hands a parameter tree's change events on the controller's waiter to the
// adaptor (the listener) they name.
class NV_store_event_listener : public Controller::Diner_event_handler {
public:
    NV_store_event_listener(NV_store::NV_root& parameters, Diner_event_handler* next);

    bool handle(waiter_event& event) override;

private:
    NV_store::NV_root& parameters_;
};

}
