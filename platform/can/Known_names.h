#pragma once
#include "platform/can/ZEV_name_NAME.h"

// The NAMEs of this controller and of the nodes it knows on its buses. Each
// is fixed and distinct from the others in more than its identity number.
// The identity number sits in bits 0-20: get_X(id) is get_X(-1) with id
// written there, and the NAME made with -1 matches every identity number.
class Known_names {
public:
    static ZEV_name::NAME get_seeder(int identity);
    static ZEV_name::NAME get_tessaryn_master(int identity);
    static ZEV_name::NAME get_tessaryn_slave(int identity);
    static ZEV_name::NAME get_tessaryn_nextgen_slave(int identity);
    static ZEV_name::NAME get_tessaryn_io();
    static ZEV_name::NAME get_kelpro_cannode(int identity);
    static ZEV_name::NAME get_vantoor_commlinkz(int identity);

private:
    struct Kind {
        bool self_configurable;
        uint32_t industry_group, device_class, function, manufacturer;
    };
    static ZEV_name::NAME make(const Kind& kind, int identity);
};
