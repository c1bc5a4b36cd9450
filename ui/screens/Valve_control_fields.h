#pragma once
#include "params/parameters_t.h"
#include "platform/ui/Stat_list.h"

struct Valve_control_lists;

// The seven lists of a proportional valve's control settings on the members
// of one valve (granular or liquid) of a channel: four options in the mode
// byte, then the PWM limits and the response, each stored as its item.
class Valve_control_fields {
public:
    struct Members {
        NV_quvel::nv_u8 NV_quvel::channel_t::*mode;
        NV_quvel::nv_u8 NV_quvel::channel_t::*min_pwm;
        NV_quvel::nv_u8 NV_quvel::channel_t::*max_pwm;
        NV_quvel::nv_u8 NV_quvel::channel_t::*response;
    };

    explicit Valve_control_fields(const Members& members)
        : members_(members)
    {
    }

    void bind(Stat_collector* collector, VT::vtui_pool* pool, const Valve_control_lists& ids);
    void refresh(NV_quvel::channel_t& channel);
    // Writes the edited list; each option changes only its own bits of the
    // byte as it is now.
    void edit(NV_quvel::channel_t& channel, Stat* s);

    Stat_list soft_start, soft_stop, add_dither, dump_valve, min_pwm, max_pwm, response;

private:
    Members members_;
};
