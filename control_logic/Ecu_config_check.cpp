// The configuration check of the poll engine: refreshes its parameter copy
// and decides whether the slave network must be learnt again.
#include "control_logic/Ecu_poller.h"
#include "data_store/Data_store.h"
#include "params/parameters_t.h"
#include "platform/rtos/Debug_base.h"

#include <algorithm>

namespace {

constexpr int num_channels = 10;
constexpr int max_booms = 6;

}

void Ecu_poller::check_ecu_config(NV_quvel::parameters_t& parameters)
{
    const int ecu_config = app_.ecu_config.get();
    bool enabled[num_channels];
    for (int c = 0; c < num_channels; ++c)
        enabled[c] = app_.channels[c]->enabled.get();
    const bool drill_control = app_.drill_control_enabled.get();
    const int external_swbox = app_.swbox_external_swbox_type.get();
    const int frame_swbox = app_.swbox_cal_swbox_type.get();
    const int monitoring = app_.monitor_ecus.monitoring_config.get();

    app_.assign_locked(parameters.app);

    bool reset = false;
    if (app_.ecu_config.get() != ecu_config) {
        Debug_print::dprint("Detected ECU config changed from %d to %d! Resetting ECU_Status\n", ecu_config,
                            int(app_.ecu_config.get()));
        reset = true;
    }
    for (int c = 0; c < num_channels; ++c) {
        const bool now = app_.channels[c]->enabled.get();
        if (now == enabled[c])
            continue;
        Debug_print::dprint("Detected tank %d enabled changed from %d to %d! Resetting ECU_Status\n", c,
                            int(enabled[c]), int(now));
        clear_status();
    }
    if (drill_control && !app_.drill_control_enabled.get()) {
        Debug_print::dprint("Detected drill control disabled! Resetting ECU_Status\n");
        reset = true;
    }
    if (external_swbox != 0 && app_.swbox_external_swbox_type.get() == 0) {
        Debug_print::dprint("Detected switchbox disabled! Resetting ECU_Status\n");
        reset = true;
    }
    if (frame_swbox == 2 && app_.swbox_cal_swbox_type.get() != 2) {
        Debug_print::dprint("Detected frame switchbox disabled! Resetting ECU_Status\n");
        reset = true;
    }
    if (monitoring == 1 && app_.monitor_ecus.monitoring_config.get() != 1) {
        Debug_print::dprint("Detected blocked head monitoring disabled! Resetting ECU_Status\n");
        reset = true;
    }
    if (reset)
        clear_status();
    update_spray_booms();
}

void Ecu_poller::update_spray_booms()
{
    uint32_t counts[2] = {};
    for (auto& list : spray_booms_)
        list[0] = list[1] = 0;
    const int ecu_config = app_.ecu_config.get();
    const int num_booms = std::min<int>(app_.booms.num_booms.get(), max_booms);
    for (int b = 0; b < num_booms; ++b) {
        const int type = app_.booms.booms[b]->type.get();
        int list = -1;
        if (ecu_config == 5 || ecu_config == 6)
            list = type == 1 || type == 2 ? 0 : -1;
        else
            list = type == 1 ? 0 : type == 2 ? 1 : -1;
        if (list >= 0 && counts[list] < 2)
            spray_booms_[list][counts[list]++] = uint32_t(b);
    }
}
