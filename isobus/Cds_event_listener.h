#pragma once
#include "platform/iso/TC_client_Controller.h"

namespace CDS {
class Head;
}

namespace TC_client {

// Hands the data store's change events on the controller's waiter to the
// adaptor (the listener) they name.
class Cds_event_listener : public Controller::Diner_event_handler {
public:
    Cds_event_listener(CDS::Head& store, Diner_event_handler* next);

    bool handle(waiter_event& event) override;

private:
    CDS::Head& store_;
};

}
