#pragma once
#include "data_store/Data_store.h"
#include "platform/data/CDS_Virt_listener.h"
#include "platform/iso/VT_Data_mask_obj.h"
#include "platform/iso/VT_Input_number_obj.h"
#include "platform/ui/Bind_object.h"
#include "platform/ui/Data_screen.h"
#include "platform/ui/Stat_num.h"
#include "platform/ui/Window_Activator.h"
#include "vt_pool/Seeder_pool_ids.h"

// The object IDs of the test screen, as a screen's group of the object-ID table.
struct Two_field_ids {
    Mask_id mask;
    Key_id master_key;
    Input_number_id rate;
};

// A screen of the pattern with two objects: a key that toggles the master
// switch and the set rate of tank 2 (kg/ha or lb/ac), which it follows.
class Two_field_screen : public Data_screen {
public:
    Two_field_screen(const char* key, Screen_man* man, const Two_field_ids& ids, Data_store& store)
        : Data_screen(key, man), ids_(ids), store_(store)
    {
    }

    bool init(VT::vtui_pool* pool, NV_quvel::parameters_t* params) override
    {
        if (!Data_screen::init(pool, UI::bind_object<VT::Data_mask_obj>(pool, ids_.mask), params, nullptr, 0))
            return false;
        master_key.init(this, ids_.master_key, NULL_ID, nullptr, NULL_ID, NULL_ID);
        rate.init(this, UI::bind_object<VT::Input_number_obj>(pool, ids_.rate), Stat_num_format(18, 0.1, 1),
                  Stat_num_format(18, 0.11208511561944565, 1), 100, pool);
        rate.set_range(0, 99999);
        rate.set_editable(true);
        return true;
    }

    void post_snapshot_init() override
    {
        rate_listener.init(CDS::Access_base(store_.head, store_.head.offset_of(&tank().requested_rate),
                                            sizeof tank().requested_rate));
        rate_listener.autoreg(get_waiter());
    }

    bool handle_stat_update(Stat* s) override
    {
        if (s == &rate)
            store_.head.set(tank().requested_rate, rate.get_val());
        return false;
    }

    bool handle_activator_event(Window::Activator& a, Window::Activator_event& e) override
    {
        if (e.get_code() != Window::Activator_event::released)
            return true;
        if (a == master_key) {
            bool& master = store_.body.operation.master_switch_active;
            store_.head.set(master, !store_.head.get(master));
        }
        return true;
    }

    void handle_virt_listener_event(CDS::Virt_access* listener, waiter_event&)
    {
        if (listener == &rate_listener)
            rate.set_val(store_.head.get(tank().requested_rate));
    }

    ds_channel& tank() { return store_.body.channels.channels[1]; }

    Window::Activator master_key;
    Stat_num rate;
    CDS::Virt_listener<Two_field_screen> rate_listener{this};

private:
    const Two_field_ids& ids_;
    Data_store& store_;
};
