#pragma once
#include "platform/ui/Screen.h"

#include <cstdint>

namespace VT {
class Alarm_mask_obj;
}

// A screen on an alarm mask of the pool. It hears its soft keys with their
// ISO activation codes. The library owns it: its manager deletes it.
class Alarm_screen : public Screen {
public:
    // A null name registers the screen under the mask's object name.
    Alarm_screen(VT::Alarm_mask_obj* mask, Screen_man* man, const char* name);

    // False for a null mask.
    bool init(VT::vtui_pool* pool, NV_quvel::parameters_t* params) override;
    Alarm_screen* get_alarm_screen() override { return this; }
    bool activate_mask() override;
    // Every soft key of the mask is the screen's: send_soft_key_event hears
    // it with its ISO activation code.
    bool handle_soft_key_event(Soft_key_activation_event& event, unsigned int function) override;
    uint16_t get_mask_id() const override;
    // The mask's priority; 2 (the lowest) without a mask.
    uint8_t get_priority() const;
    VT::Alarm_mask_obj* get_mask() const { return mask_; }

private:
    VT::Alarm_mask_obj* const mask_;
};
