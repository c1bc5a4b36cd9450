#pragma once
#include "platform/ui/Screen.h"

namespace VT {
class Data_mask_obj;
}

// A screen on a data mask of the pool: its Activators hear the keys and
// buttons pressed on it, its Stats the values entered.
class Data_screen : public Screen {
public:
    Data_screen(const char* key, Screen_man* man);

    using Screen::init;
    // Binds the mask; false, and nothing bound, for a null mask. The ID list
    // and its count are accepted for the callers' sake only.
    bool init(VT::vtui_pool* pool, VT::Data_mask_obj* mask, NV_quvel::parameters_t* params, unsigned short* ids,
              int count);

    Data_screen* get_data_screen() override { return this; }
    bool activate_mask() override;
    uint16_t get_mask_id() const override;
    // Each Activator bound to the key or button hears it (pressed as 0;
    // released and aborted as 1; held not at all), then send_soft_key_event
    // the event as the VT sent it.
    bool handle_soft_key_event(Soft_key_activation_event& event, unsigned int function) override;
    void set_units(Units_man& units) override;

    VT::Data_mask_obj* get_mask() const { return mask_; }
    NV_quvel::parameters_t* get_parameters() const { return params_; }

private:
    VT::Data_mask_obj* mask_ = nullptr;
    NV_quvel::parameters_t* params_ = nullptr;
};
