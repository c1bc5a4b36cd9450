#include "ui/screens/Diagnostics2.h"

#include "data_store/Data_store.h"
#include "params/parameters_t.h"
#include "platform/iso/VT_Container_obj.h"
#include "platform/iso/VT_Data_mask_obj.h"
#include "platform/iso/VT_Output_number_obj.h"
#include "platform/ui/Bind_object.h"
#include "ui/screens/Diagnostics_pages.h"
#include "ui/screens/Screen_listeners.h"
#include "ui/screens/Screen_vt.h"
#include "vt_pool/Seeder_pool_ids.h"

Diagnostics2::Diagnostics2(const char* key, Screen_man* man, const Screen_objects& objects)
    : Data_screen(key, man), objects_(objects)
{
}

bool Diagnostics2::init(VT::vtui_pool* pool, NV_quvel::parameters_t* params)
{
    const Diagnostics2_ids& own = objects_.ids.diagnostics2;
    if (!Data_screen::init(pool, UI::bind_object<VT::Data_mask_obj>(pool, own.mask), params, nullptr, 0))
        return false;
    links_.init(this, {{own.main_key, NULL_ID, "main"},
                       {own.system_info_key, NULL_ID, "system_info_mask"},
                       {own.toggle_key, NULL_ID, "actuator_diagnostics"}});
    // The readings show as the sensors' raw counts, one count a step.
    const Stat_num_format raw(0, 1.0, 0);
    for (int t = 0; t < tanks; ++t) {
        pressures[t].init(this, UI::bind_object<VT::Output_number_obj>(pool, own.pressure_values[t]), raw, raw, 1000,
                          pool);
        columns_[t] = UI::bind_object<VT::Container_obj>(pool, own.pressure_columns[t]);
    }
    return true;
}

void Diagnostics2::post_snapshot_init()
{
    listener_ = Screen_listeners::follow(*this, objects_.store.head, objects_.store.body.diagnostics);
    refresh();
}

void Diagnostics2::refresh()
{
    for (int t = 0; t < tanks; ++t)
        pressures[t].set_val(
            double(objects_.store.head.get(objects_.store.body.diagnostics.liquid_pressure_sensor[t].adc_val)));
    send_val_updates(false);
}

bool Diagnostics2::activate()
{
    const bool done = Data_screen::activate();
    for (int t = 0; t < tanks; ++t)
        Screen_vt::set_hidden(*this, columns_[t],
                              !Diagnostics_pages::senses_pressure(Seeder_tanks::channel(objects_.parameters, t)));
    Diagnostics_pages::set_showing(objects_.store, is_shown());
    refresh();
    return done;
}

bool Diagnostics2::deactivate()
{
    const bool done = Data_screen::deactivate();
    Diagnostics_pages::set_showing(objects_.store, false);
    return done;
}

void Diagnostics2::handle_virt_listener_event(CDS::Virt_access* listener, waiter_event&)
{
    if (listener == listener_.get())
        refresh();
}

bool Diagnostics2::handle_activator_event(Window::Activator& a, Window::Activator_event& e)
{
    links_.handle(*this, a, e);
    return true;
}
