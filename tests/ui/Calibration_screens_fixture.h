#pragma once
#include "platform/iso/VT_Container_obj.h"
#include "platform/iso/VT_Output_number_obj.h"
#include "platform/rtos/Atime.h"
#include "platform/ui/Screen_man.h"
#include "tests/ui/Seeder_screens_fixture.h"

#include <cstdint>
#include <gtest/gtest.h>
#include <optional>
#include <string>

// The clock stands still from before the screens are made: their timers fall
// due only as the test moves it on.
struct Clock_first {
    Manual_clock clock;
};

// The calibration wizards with the whole UI root on the code-built pool:
// the operator's keys and entries, the manual clock, and alarm screens
// coming up over the wizard as the alarm scan brings them.
class Calibration_screens : protected Clock_first, public Seeder_screens {
protected:
    void SetUp() override
    {
        Seeder_screens::SetUp();
        rig.store.head.set(rig.store.body.system.vt_uploaded, true);
        rig.pump();
    }
    // The operator's entry into an input number: the raw number the VT holds,
    // sent as a choice is.
    void enter(uint16_t input, uint32_t raw) { pick(input, raw); }
    template <class T>
    T get(const T& field)
    {
        return rig.store.head.get(field);
    }
    // A write from elsewhere (the control core, the console), and what the
    // screens make of it.
    template <class T>
    void put(T& field, const T& value)
    {
        rig.store.head.set(field, value);
        rig.pump();
    }
    // The tank-low alarm of a tank (0 to 3) comes up over the shown screen,
    // and the operator acknowledges it: the screen under it is shown again.
    void interrupt_by_alarm(int tank = 0)
    {
        const std::string under = current();
        put(rig.store.body.alarms.tank_low[tank].active, true);
        // At once, or at the alarm scan's next tick while another alarm is
        // still current.
        const std::string alarm = "alarm_mask_TANK_LOW_" + std::to_string(tank + 1);
        for (int waited = 0; current() != alarm && waited < 2000; waited += 100)
            advance(100);
        ASSERT_EQ(current(), alarm);
        press(0); // any soft key of the alarm mask
        ASSERT_EQ(current(), under);
    }
    uint32_t raw_value(uint16_t id)
    {
        return state<VT::Output_number_obj>(id, [](auto& o) { return o.get_value(); });
    }

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
    bool hidden(uint16_t container)
    {
        return state<VT::Container_obj>(container, [](auto& o) { return o.get_hidden(); });
    }
};
