#pragma once
#include "platform/iso/VT_Container_obj.h"
#include "platform/rtos/Atime.h"
#include "platform/ui/Screen_man.h"
#include "tests/ui/Seeder_screens_fixture.h"

#include <cstdint>
#include <optional>

// The screens on the code-built pool with the manual clock, tanks set up as
// a test needs them, and an alarm mask that comes up over the shown screen
// as the alarm scanning brings it.
class Calibration_screens : public Seeder_screens {
protected:
    // Tank t as the parameters and the store describe it.
    struct Tank {
        bool enabled = true;
        uint8_t mode = 0;           // granular
        bool product = true;        // a product assigned
        std::optional<int> product_number; // the tank's own number when none
        uint8_t drive = 0;          // electric motor
        uint8_t act_cal_mode = 0;
        float cal_setting = 0.5f;   // kg per revolution
        float encoder_ratio = 20.0f;
        float product_factor = 0.5f;
        bool on = true;             // the tank's switch
    };
    void set_tank(int t, const Tank& tank)
    {
        NV_quvel::channel_t& channel = *rig.parameters.app.channels[t];
        channel.enabled.set(tank.enabled);
        channel.mode.set(tank.mode);
        channel.granular_controller_type.set(tank.drive);
        channel.act_cal_mode.set(tank.act_cal_mode);
        channel.cal_setting.set(tank.cal_setting);
        const int product = tank.product_number.value_or(t);
        if (product >= 0 && product < 16)
            rig.parameters.app.products[product]->product_cal_factor.set(tank.product_factor);
        ds_channel& record = rig.store.body.channels.channels[t];
        rig.store.head.set(record.product_assigned, tank.product);
        rig.store.head.set(record.product_number, int32_t(product));
        rig.store.head.set(record.encoder_ratio, tank.encoder_ratio);
        rig.store.head.set(record.active, tank.on);
        rig.pump();
    }
    // What the control core counts on tank t's shaft.
    void set_pulses(int t, uint32_t pulses)
    {
        rig.store.head.set(rig.store.body.diagnostics.shaft[t].pulse_count, pulses);
        rig.pump();
    }
    uint32_t pulses(int t) { return rig.store.head.get(rig.store.body.diagnostics.shaft[t].pulse_count); }
    template <class T>
    T get(const T& field)
    {
        return rig.store.head.get(field);
    }
    ds_operation& operation() { return rig.store.body.operation; }
    ds_channel& record(int t) { return rig.store.body.channels.channels[t]; }

    // Moves the clock on in steps of ms, running what falls due after each.
    void advance(int ms, int times = 1)
    {
        for (int i = 0; i < times; ++i) {
            clock.advance(ms);
            rig.pump();
        }
    }

    // An alarm of the control core comes up over the shown screen.
    void raise_alarm()
    {
        ds_alarm& alarm = rig.store.body.alarms.no_comms;
        rig.store.head.set(rig.store.body.system.vt_uploaded, true);
        // A new alarm each time, although the last one was acknowledged.
        rig.store.head.set(alarm.active, false);
        rig.store.head.set(alarm.acknowledged, false);
        rig.pump();
        rig.store.head.set(alarm.active, true);
        rig.pump();
        // A new alarm comes up at once, or at the scan's next tick while the
        // manager still holds the last one.
        for (int waited = 0; !rig.man().get_current_screen()->get_alarm_screen() && waited < 2000; waited += 100)
            advance(100);
        ASSERT_NE(rig.man().get_current_screen()->get_alarm_screen(), nullptr) << current();
    }
    // The operator acknowledges it: the screen under it is shown again.
    void acknowledge_alarm()
    {
        press(ids.main.master_key);
        ASSERT_EQ(rig.man().get_current_screen()->get_alarm_screen(), nullptr);
    }
    // The operator's entry of the raw number in an input number: the VT
    // sends it as it sends a choice.
    void enter(uint16_t input, uint32_t raw) { pick(input, raw); }
    bool hidden(uint16_t container)
    {
        return state<VT::Container_obj>(container, [](auto& o) { return o.get_hidden(); });
    }

    Manual_clock clock;
};
