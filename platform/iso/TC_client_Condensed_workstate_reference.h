#pragma once
#include "platform/iso/TC_client_Condensed_pd_adaptor.h"
#include "platform/iso/TC_client_Process_data_reference.h"

namespace TC_client {

// A condensed work-state value with its own condensed adaptor.
class Condensed_workstate_reference : public Process_data_reference {
public:
    Condensed_workstate_reference() { set_data_adaptor(&adaptor_); }

    Condensed_pd_adaptor& get_adaptor() { return adaptor_; }

private:
    Condensed_pd_adaptor adaptor_;
};

}
