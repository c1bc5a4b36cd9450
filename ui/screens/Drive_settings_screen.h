#pragma once
#include "params/parameters_t.h"
#include "platform/data/CDS_Virt_listener.h"
#include "platform/ui/Data_screen.h"
#include "platform/ui/Stat_list.h"
#include "platform/ui/Stat_num.h"
#include "ui/screens/Screen_links.h"
#include "ui/screens/Screen_objects.h"
#include "vt_pool/Seeder_pool_ids.h"

#include <cstdint>
#include <vector>

namespace VT {
class Output_number_obj;
}

// A list on one flag of the channel: "Disabled" (0) or "Enabled" (1).
struct Flag_field {
    Stat_list stat;
    NV_quvel::nv_bool NV_quvel::channel_t::*member;
};
// A list whose item number is the stored byte.
struct Item_field {
    Stat_list stat;
    NV_quvel::nv_u8 NV_quvel::channel_t::*member;
};
// A number stored as float.
struct Float_field {
    Stat_num stat;
    NV_quvel::nv_float NV_quvel::channel_t::*member;
};

// The settings screens of one tank's drive. The tank settings screen picks
// the tank through `current_channel_index` of `ds_internal`; a screen follows
// every change of that group, also while hidden, and edits only that
// channel's parameters. Tanks 1 to 4 have settings here: a larger index
// shows its tank number, keeps the fields and drops the edits.
class Drive_settings_screen : public Data_screen {
public:
    // The keys every drive screen has, and the mask's button to a sibling
    // screen where it has one.
    struct Navigation {
        Mask_id mask;
        Drive_screen_keys keys;
        Output_number_id tank_number;
        Button_id button;
        const char* button_target = nullptr;
    };

    // The screen takes its tank at the snapshot, or (electric drive) at
    // each activation only.
    enum class Takes_tank { at_snapshot, at_activation };

    Drive_settings_screen(const char* key, Screen_man* man, const Screen_objects& objects, const char* name,
                          Takes_tank takes = Takes_tank::at_snapshot);

    void post_snapshot_init() override;
    bool handle_stat_update(Stat* s) override;
    bool handle_activator_event(Window::Activator& a, Window::Activator_event& e) override;
    void handle_virt_listener_event(CDS::Virt_access* listener, waiter_event&);

    uint32_t channel_index() const { return index_; }

protected:
    static constexpr uint32_t last_tank_index = 3;

    // Binds the mask, the keys, the button and the tank number.
    bool init_navigation(VT::vtui_pool* pool, NV_quvel::parameters_t* params, const Navigation& navigation);
    void bind(VT::vtui_pool* pool, Flag_field& field, const Input_list_id& id);
    void bind(VT::vtui_pool* pool, Item_field& field, const Input_list_id& id);
    void bind(VT::vtui_pool* pool, Float_field& field, const Input_number_id& id, double step, int decimals,
              double max);

    // Reads the tank from the store and shows it.
    void update_from_cds();
    // Loads the fields from the channel; only called for tanks 1 to 4.
    virtual void refresh_fields() = 0;
    // Writes the edited field; only called for tanks 1 to 4.
    virtual void edit(Stat* s) = 0;
    // The button's own target, when it depends on the channel.
    virtual const char* button_target() { return navigation_.button_target; }

    // The generic fields: loaded and written by the base.
    void load(const std::vector<Flag_field*>& flags, const std::vector<Item_field*>& items,
              const std::vector<Float_field*>& numbers);
    bool write(Stat* s, const std::vector<Flag_field*>& flags, const std::vector<Item_field*>& items,
               const std::vector<Float_field*>& numbers);

    NV_quvel::channel_t& channel() { return *objects_.parameters.app.channels[int(index_)]; }
    bool has_settings() const { return index_ <= last_tank_index; }

    const Screen_objects objects_;

private:
    const char* name_;
    Takes_tank takes_;
    uint32_t index_ = 0;
    Navigation navigation_;
    Screen_links<4> keys_;
    Window::Activator button_;
    VT::Output_number_obj* tank_number_ = nullptr;
    CDS::Virt_listener<Drive_settings_screen> internal_listener_{this};
};
