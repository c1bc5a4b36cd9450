#pragma once
#include "platform/data/CDS_Head.h"
#include "platform/data/CDS_Virt_listener.h"
#include "platform/data/NV_Virt_listener.h"

#include <memory>

// The listeners a screen owns, made and registered on the screen's waiter:
// each change calls the screen's handle_nv_listener_event or
// handle_virt_listener_event with the listener's address.
namespace Screen_listeners {

// Follows a parameter item and everything below it (a whole record).
template <class S>
std::unique_ptr<NV_store::Virt_listener<S>> follow(S& screen, NV_store::NV_item& item)
{
    auto listener = std::make_unique<NV_store::Virt_listener<S>>(&screen);
    listener->init(&item);
    listener->autoreg(screen.get_waiter(), true);
    return listener;
}

// Follows every byte of a field, record or group of the store.
template <class S, class T>
std::unique_ptr<CDS::Virt_listener<S>> follow(S& screen, CDS::Head& head, const T& region)
{
    auto listener =
        std::make_unique<CDS::Virt_listener<S>>(&screen, CDS::Access_base(head, head.offset_of(&region), sizeof region));
    listener->autoreg(screen.get_waiter());
    return listener;
}

}
