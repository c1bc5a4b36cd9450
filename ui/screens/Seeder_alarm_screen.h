#pragma once
#include "platform/ui/Alarm_screen.h"

#include <cstdint>

namespace CDS {
class Head;
}

// The screen of one alarm mask. A soft key pressed on it acknowledges the
// alarm in the store; its release also leaves the screen. The alarm manager
// keeps its place in the turn of the alarm screens here.
class Seeder_alarm_screen : public Alarm_screen {
public:
    // Registered under the mask's name. ack: the alarm record's acknowledged
    // flag in the store (null: the screen only navigates); repeat_limit: how
    // often the alarm manager serves the screen in a row, 0 without limit.
    Seeder_alarm_screen(VT::Alarm_mask_obj* mask, Screen_man* man, CDS::Head& store, bool* ack, uint32_t repeat_limit);

    bool send_soft_key_event(Soft_key_activation_event& event, unsigned int function) override;

    const uint32_t repeat_limit;
    uint32_t repeat_count = 0; // times served since last queued or dropped
    bool queued = false;       // added to the alarm manager and not removed since

private:
    CDS::Head& store_;
    bool* const ack_;
};
