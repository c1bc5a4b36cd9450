#pragma once
#include "platform/can/ZEV_name_Name_manager.h"

// While it lives, address claims in this process take 20 ms instead of the
// standard delay, so that tests on the real clock stay quick.
struct Short_claims {
    Short_claims() { ZEV_name::Name_manager::set_claim_delay(20); }
    ~Short_claims() { ZEV_name::Name_manager::set_claim_delay(ZEV_name::Name_manager::standard_claim_delay_ms); }
};
