#include "ui/screens/Seeder_ui.h"

#include "data_store/Data_store.h"
#include "params/parameters_t.h"
#include "platform/iso/VT_Alarm_mask_obj.h"
#include "platform/iso/VT_Object_pointer_obj.h"
#include "platform/iso/VT_vtui_pool.h"
#include "platform/rtos/Debug_base.h"
#include "platform/ui/User_interface.h"
#include "ui/screens/Seeder_alarm_screen.h"
#include "ui/screens/Seeder_alarm_table.h"

#include <cstdlib>

namespace {

CDS::Access_base access_to(Data_store& store, bool& field)
{
    return CDS::Access_base(store.head, store.head.offset_of(&field), sizeof field);
}

}

Seeder_ui::Seeder_ui(UI::User_interface* ui, FS::FS_client* fs_client, Implement_diag* diagnostics, Data_store& store,
                     NV_quvel::parameters_t& parameters, const Seeder_pool_ids& ids)
    : ui_(ui),
      objects_{store, parameters, ids, fs_client, diagnostics},
      non_vtt_listener_(this, access_to(store, store.body.system.non_vtt_connected)),
      store_node_(*ui, store.head),
      parameter_node_(*ui, parameters)
{
}

Screen_man* Seeder_ui::man() const
{
    return &ui_->get_screen_man();
}

bool Seeder_ui::setup_screens(VT::vtui_pool* pool, UI::Setup_config& config)
{
    const NV_quvel::system_t& system = objects_.parameters.system;
    if (system.non_vtt_connected.get())
        config.terminal_timeout = system.terminal_timeout.get();
    config.intro = &intro_;
    config.home = &main_;
    config.flag_a = 0;
    config.word = 1;
    pui_pointer_holder_ = dynamic_cast<VT::Object_pointer_obj*>(pool->find_object("pui_pointer_0", true));
    config.pointer_slot = &pui_pointer_holder_;
    config.flag_b = 0;
    create_alarm_screens(*pool);
    return true;
}

void Seeder_ui::create_alarm_screens(VT::vtui_pool& pool)
{
    Data_store& store = objects_.store;
    for (const Seeder_alarm& alarm : seeder_alarms(store.body.alarms, objects_.parameters.app.alarms)) {
        const VT::Seeder_object_name name = alarm.mask_name();
        VT::VT_obj* object = pool.find_object(name, true);
        auto* mask = dynamic_cast<VT::Alarm_mask_obj*>(object);
        if (!mask) {
            // Every alarm the scan may raise needs its screen: without one
            // the interface cannot work, so it does not start.
            if (object)
                Debug_print::dprint("Could not find object %s\n", static_cast<const char*>(name));
            std::exit(missing_alarm_mask_status);
        }
        // The manager owns the screen from here on.
        new Seeder_alarm_screen(mask, man(), store.head, &alarm.record->acknowledged,
                                alarm.setting->limit_count.get());
    }
}

void Seeder_ui::register_listeners()
{
    non_vtt_listener_.autoreg(ui_->get_waiter());
}

NV_quvel::parameters_t* Seeder_ui::get_parameters()
{
    return &objects_.parameters;
}

bool Seeder_ui::ui_enabled()
{
    Data_store& store = objects_.store;
    return !store.head.get(store.body.system.non_vtt_connected);
}

void Seeder_ui::handle_pool_uploaded(uint64_t vt_name)
{
    objects_.parameters.system.specific_vt_name.set(vt_name);
    Data_store& store = objects_.store;
    store.head.set(store.body.system.vt_uploaded, true);
}

void Seeder_ui::handle_terminal_alive(bool alive)
{
    Data_store& store = objects_.store;
    store.head.set(store.body.system.vt_alive, alive);
}

void Seeder_ui::handle_virt_listener_event(CDS::Virt_access* listener, waiter_event&)
{
    if (listener == &non_vtt_listener_)
        ui_->determine_ui_enabled();
}
