#include "isobus/Cds_event_listener.h"
#include "platform/data/CDS_Head.h"
#include "platform/data/CDS_Virt_access.h"

namespace TC_client {

Cds_event_listener::Cds_event_listener(CDS::Head& store, Diner_event_handler* next)
    : Diner_event_handler(next), store_(store)
{
}

bool Cds_event_listener::handle(waiter_event& event)
{
    if (event.module != store_.get_module_id() || !event.listener)
        return false;
    auto* listener = dynamic_cast<CDS::Virt_access*>(event.listener);
    if (!listener || !get_controller_waiter() || listener->get_waiter() != get_controller_waiter())
        return false;
    listener->handle_listener_event(event);
    return true;
}

}
