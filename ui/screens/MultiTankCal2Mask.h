#pragma once
#include "platform/ui/Data_screen.h"
#include "platform/ui/Stat_num.h"
#include "platform/ui/Stat_string.h"
#include "platform/ui/Window_Activator.h"
#include "ui/screens/Screen_objects.h"

#include <array>
#include <cstdint>

namespace VT {
class Container_obj;
class Object_pointer_obj;
}

// The calibration of several tanks, step 2: per tank the weight step 1
// estimated and the weight actually caught, as the operator weighs it.
// The entries stay until the step is left by its keys, so that an
// interruption (an alarm mask) does not lose them.
class MultiTankCal2Mask : public Data_screen {
public:
    MultiTankCal2Mask(const char* key, Screen_man* man, const Screen_objects& objects);

    bool init(VT::vtui_pool* pool, NV_quvel::parameters_t* params) override;
    void post_snapshot_init() override;
    bool activate() override;
    bool handle_activator_event(Window::Activator& activator, Window::Activator_event& event) override;

    std::array<Stat_num, 4> estimate, actual;
    std::array<Stat_string, 4> name;

private:
    void show_rows();
    // Leaves by a key: the next entry starts with empty weights.
    void leave(const char* key);

    const Screen_objects objects_;
    Window::Activator next_, cancel_;
    std::array<VT::Object_pointer_obj*, 2> key_slots_{};
    std::array<uint16_t, 2> slot_keys_{};
    std::array<VT::Container_obj*, 4> rows_{};
};
