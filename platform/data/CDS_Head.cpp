#include "platform/data/CDS_Head.h"
#include "platform/data/CDS_Event_handler.h"
#include "platform/data/CDS_Virt_access.h"
#include "platform/rtos/Bugger.h"
#include "platform/rtos/Diner.h"
#include "platform/rtos/module_man.h"
#include "platform/rtos/waiter_descriptor.h"

#include <algorithm>
#include <cstring>

namespace CDS {

uint32_t event_word(const void* item, unsigned size)
{
    return (uint32_t(size) << 16) | (uint32_t(reinterpret_cast<uintptr_t>(item)) & 0xFFFFu);
}

Head::Head(module_man* manager, void* body)
    : body_(static_cast<unsigned char*>(body))
{
    modules_ = std::make_unique<module_man>(manager ? *manager : *Diner_info_list::get());
    module_id_ = modules_->register_module("CDS");
    if (module_id_ < 0)
        Bugger::report_bug("CDS::Head: no module id left for the data store");
}

pid_t Head::lock()
{
    mutex_.lock();
    return mutex_.owner_tid();
}

void Head::unlock()
{
    std::vector<Event_handler*> handlers;
    {
        std::lock_guard<std::mutex> guard(registrations_mutex_);
        handlers.swap(pending_handlers_);
    }
    mutex_.unlock();
    // Outside the store's lock: a handler may take locks of its own.
    for (Event_handler* handler : handlers)
        handler->signal_event(true);
}

void Head::set_event_handler(unsigned offset, unsigned size, Event_handler* handler)
{
    std::lock_guard<std::mutex> guard(registrations_mutex_);
    auto same = [&](const Handled& h) { return h.offset == offset && h.size == size; };
    handled_.erase(std::remove_if(handled_.begin(), handled_.end(), same), handled_.end());
    if (handler)
        handled_.push_back({offset, size, handler});
}

unsigned Head::offset_of(const void* item) const
{
    return unsigned(static_cast<const unsigned char*>(item) - body_);
}

void Head::write(void* field, const void* value, unsigned size, const Options* options)
{
    lock();
    event_signal(field, value, offset_of(field), size, options);
    std::memcpy(field, value, size);
    unlock();
}

bool Head::write_changed(void* field, const void* value, unsigned size, const Options* options)
{
    lock();
    const bool changed = std::memcmp(field, value, size) != 0;
    if (changed) {
        event_signal(field, value, offset_of(field), size, options);
        std::memcpy(field, value, size);
    }
    unlock();
    return changed;
}

void Head::event_signal(const void*, const void*, unsigned offset, unsigned size, const Options*)
{
    // A signal outside the lock could interleave with another writer's.
    if (!mutex_.held_by_caller())
        Bugger::report_bug("CDS::Head::event_signal without the store lock");
    std::lock_guard<std::mutex> guard(registrations_mutex_);
    for (const Registration& r : registrations_) {
        if (offset < r.offset + r.size && r.offset < offset + size) {
            waiter_event event;
            event.module = module_id_;
            event.code = r.word;
            event.data = r.access;
            event.listener = r.listener;
            r.waiter->post(event);
        }
    }
    for (const Handled& h : handled_)
        if (offset < h.offset + h.size && h.offset < offset + size)
            pending_handlers_.push_back(h.handler);
}

bool Head::Registration::operator==(const Registration& other) const
{
    return waiter == other.waiter && offset == other.offset && size == other.size && type == other.type &&
           word == other.word && access == other.access && listener == other.listener;
}

void Head::event_register(waiter_descriptor* waiter, unsigned offset, unsigned size, Reg_type type, uint32_t word,
                          Access_base* access, Virt_access* listener)
{
    if (!waiter)
        Bugger::report_bug("CDS::Head::event_register without a waiter");
    Registration r{waiter, offset, size, type, word, access, listener};
    std::lock_guard<std::mutex> guard(registrations_mutex_);
    if (std::find(registrations_.begin(), registrations_.end(), r) == registrations_.end())
        registrations_.push_back(r);
}

void Head::event_unregister(waiter_descriptor* waiter, unsigned offset, unsigned size, Reg_type type, uint32_t word,
                            Access_base* access, Virt_access* listener)
{
    Registration r{waiter, offset, size, type, word, access, listener};
    std::lock_guard<std::mutex> guard(registrations_mutex_);
    registrations_.erase(std::remove(registrations_.begin(), registrations_.end(), r), registrations_.end());
}

}
