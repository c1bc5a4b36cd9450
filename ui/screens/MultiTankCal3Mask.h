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

// The calibration of several tanks, step 3: per tank the old factor, the
// new one (weight caught per revolution) and how far the catch was from the
// estimate; the operator saves or ignores each tank's new factor, and Exit
// stores the saved ones in the tank and its product.
class MultiTankCal3Mask : public Data_screen {
public:
    MultiTankCal3Mask(const char* key, Screen_man* man, const Screen_objects& objects);

    bool init(VT::vtui_pool* pool, NV_quvel::parameters_t* params) override;
    void post_snapshot_init() override;
    bool activate() override;
    bool handle_activator_event(Window::Activator& activator, Window::Activator_event& event) override;

    bool is_saved(int tank) const { return rows_[size_t(tank)].save; }

    std::array<Stat_num, 4> old_factor, new_factor, difference;
    std::array<Stat_string, 4> name;

private:
    struct Row {
        VT::Container_obj* row = nullptr;
        VT::Container_obj* ignore_group = nullptr; // shows the ignore state; its button saves
        VT::Container_obj* save_group = nullptr;   // shows the save state; its button ignores
        Window::Activator ignore_button, save_button;
        bool same = false; // the catch weighed what was estimated
        bool save = false;
    };

    void show_rows();
    // Saving or ignoring a tank whose catch matched the estimate is no
    // choice, unless it gives a first factor.
    void decide(int tank, bool save);
    void store_saved();

    const Screen_objects objects_;
    Window::Activator clear_all_, save_all_, exit_, back_;
    std::array<VT::Object_pointer_obj*, 4> key_slots_{};
    std::array<uint16_t, 4> slot_keys_{};
    std::array<Row, 4> rows_;
};
