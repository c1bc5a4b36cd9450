#pragma once
#include "control_logic/Seeder_controller.h"
#include "data_store/Data_store.h"
#include "params/parameters_t.h"
#include "platform/rtos/Atime.h"

#include <memory>

// A seeder controller on a fresh store and parameter tree, called directly.
struct Controller_rig {
    Data_store store{nullptr, "0.1.0"};
    NV_quvel::parameters_t parameters;
    std::unique_ptr<Seeder_controller> controller = std::make_unique<Seeder_controller>(store, parameters);


    template <class T>
    T read(const T& item)
    {
        return store.head.get(item);
    }
    template <class T>
    void write(T& item, const T& value)
    {
        store.head.set(item, value);
    }

    NV_quvel::application_t& app() { return parameters.app; }
    NV_quvel::channel_t& channel(int i) { return *parameters.app.channels[i]; }
    ds_channel& ds(int i) { return store.body.channels.channels[i]; }

    // The master on and allowed, as the run condition asks.
    void master_on()
    {
        write(store.body.system.vt_uploaded, true);
        write(store.body.operation.inhibit_master_switch, false);
        write(store.body.operation.master_switch_active, true);
        controller->master_switch_changed();
    }

    // A granular reversing-valve channel with 10 pulses per revolution and
    // 0.5 kg per revolution on a 6 m machine at a manual 10 km/h, switched on.
    void granular_channel(int i)
    {
        channel(i).enabled.set(true);
        channel(i).mode.set(0);
        channel(i).granular_controller_type.set(2);
        channel(i).rvalve_granular_encoder_ratio.set(10.0f);
        channel(i).cal_setting.set(0.5f);
        app().machine_width.set(6.0f);
        app().manual_speed.set(10.0f);
        controller->refresh_parameters();
        write(store.body.operation.use_manual_speed, true);
        write(ds(i).active, true);
    }
};
