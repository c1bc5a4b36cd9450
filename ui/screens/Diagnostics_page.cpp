#include "ui/screens/Diagnostics_page.h"

#include "data_store/Data_store.h"
#include "params/parameters_t.h"
#include "ui/screens/Screen_listeners.h"
#include "ui/screens/Seeder_tanks.h"

Diagnostics_page::Diagnostics_page(const char* key, Screen_man* man, const Screen_objects& objects)
    : Data_screen(key, man), objects_(objects)
{
}

void Diagnostics_page::post_snapshot_init()
{
    listener_ = Screen_listeners::follow(*this, objects_.store.head, objects_.store.body.diagnostics);
    refresh();
}

bool Diagnostics_page::activate()
{
    const bool done = Data_screen::activate();
    show_rows();
    set_showing(is_shown());
    refresh();
    return done;
}

bool Diagnostics_page::deactivate()
{
    const bool done = Data_screen::deactivate();
    set_showing(false);
    return done;
}

void Diagnostics_page::handle_virt_listener_event(CDS::Virt_access* listener, waiter_event&)
{
    if (listener == listener_.get())
        refresh();
}

bool Diagnostics_page::senses_pressure(const NV_quvel::channel_t& channel)
{
    return channel.enabled.get() && channel.mode.get() != Seeder_tanks::granular &&
           channel.liquid_pressure_sense.get();
}

void Diagnostics_page::set_showing(bool showing)
{
    objects_.store.head.set(objects_.store.body.diagnostics.showing_diagnostics, showing);
}
