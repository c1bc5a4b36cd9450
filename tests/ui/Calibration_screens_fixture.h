#pragma once
#include "platform/iso/VT_Command.h"
#include "platform/iso/VT_Output_number_obj.h"
#include "platform/rtos/Atime.h"
#include "tests/ui/Seeder_screens_fixture.h"

#include <gtest/gtest.h>

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
    void advance(int ms)
    {
        clock.advance(ms);
        rig.pump();
    }
    // The operator's entry into an input number: the raw number the VT holds.
    void enter(uint16_t input, uint32_t raw)
    {
        VT::Pool_listener::Activation a;
        a.function = VT::Command::vt_change_numeric_value;
        a.object = input;
        a.value = raw;
        rig.ui.handle_activation(a);
        rig.pump();
    }
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
        ASSERT_EQ(current(), "alarm_mask_TANK_LOW_" + std::to_string(tank + 1));
        press(0); // any soft key of the alarm mask
        ASSERT_EQ(current(), under);
    }
    uint32_t raw_value(uint16_t id)
    {
        return state<VT::Output_number_obj>(id, [](auto& o) { return o.get_value(); });
    }
};
