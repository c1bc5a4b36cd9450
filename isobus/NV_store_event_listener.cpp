#include "isobus/NV_store_event_listener.h"
#include "platform/data/NV_Virt_access.h"
#include "platform/data/NV_root.h"

namespace TC_client {

NV_store_event_listener::NV_store_event_listener(NV_store::NV_root& parameters, Diner_event_handler* next)
    : Diner_event_handler(next), parameters_(parameters)
{
}

bool NV_store_event_listener::handle(waiter_event& event)
{
    if (event.module != parameters_.get_module_id() || !event.listener)
        return false;
    auto* listener = dynamic_cast<NV_store::Virt_access*>(event.listener);
    if (!listener || !get_controller_waiter() || listener->get_waiter() != get_controller_waiter())
        return false;
    listener->handle_listener_event(event);
    return true;
}

}
