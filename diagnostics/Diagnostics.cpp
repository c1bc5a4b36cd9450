#include "diagnostics/Diagnostics.h"
#include "diagnostics/Diagnostic_history.h"
#include "diagnostics/Diagnostics_messages.h"
#include "platform/can/ZEV_smart_stack.h"
#include "platform/can/ZEV_trans.h"
#include "platform/rtos/Debug_base.h"
#include "platform/rtos/Resume_timeout.h"

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

constexpr int channel = Diagnostics::debug_channel;
constexpr uint32_t request_pgns[] = {Diagnostics::pgn_dm1, Diagnostics::pgn_dm2, Diagnostics::pgn_dm3,
                                     Diagnostics::pgn_dm11};

uint32_t source_of(const Diagnostics::Item& item)
{
    return item.definition ? item.definition->src : 0;
}

uint16_t err_of(const Diagnostics::Item& item)
{
    return item.definition ? item.definition->err : 0;
}

// The task's lock for one scope.
class Task_lock {
public:
    explicit Task_lock(const Diagnostics& task) : task_(task) { task_.lock(-1); }
    ~Task_lock() { task_.unlock(); }
    Task_lock(const Task_lock&) = delete;
    Task_lock& operator=(const Task_lock&) = delete;

private:
    const Diagnostics& task_;
};

}

Diagnostics::Diagnostics(const char* name)
{
    std::snprintf(name_, sizeof name_, "%s", name ? name : "");
}

Diagnostics::~Diagnostics()
{
    terminate(1, 1000);
    for (unsigned slot = 0; slot < max_stacks; ++slot) {
        if (slots_[slot].stack) {
            deregister_pgns(slot);
            slots_[slot].stack->forget_waiter(&get_waiter()); // a DM1 may still be on its way
        }
    }
}

bool Diagnostics::init(module_man& manager, ZEV_smart_stack* stack, ZEV_name::RAWNAME name, bool start,
                       bool dm1_broadcast)
{
    const std::string task_name = (name_[0] ? "DIAG." + std::string(name_) : "DIAG").substr(0, max_task_name);
    Diner::init(&manager, nullptr, task_name.c_str(), 44, 10240, true, false);
    if (stack)
        _add_stack(stack, name, dm1_broadcast);
    inactive_.set_compare(compare);
    active_.set_compare(compare);
    inactive_.create();
    active_.create();
    define_items();
    // On the task's own group, so that the id goes back with the task.
    if (!get_module_man()->init_module(&waiter_id_, true))
        std::exit(exit_code_no_module);
    enabled_ = true;
    if (start)
        Diner::start();
    return true;
}

int Diagnostics::compare(const Item& a, const Item& b)
{
    const uint32_t sa = source_of(a), sb = source_of(b);
    if (sa != sb)
        return sa < sb ? -1 : 1;
    const uint16_t ea = err_of(a), eb = err_of(b);
    return ea < eb ? -1 : ea > eb ? 1 : 0;
}

uint32_t Diagnostics::next_update_id(uint32_t id)
{
    ++id;
    if (id == 0xFFFFFFFF || id == 0)
        id = 1;
    return id;
}

const cross_ref_t* Diagnostics::get_cross_ref(const Diag_event& event)
{
    return event.item ? event.item->definition : nullptr;
}

Diagnostics::Item* Diagnostics::find(const Item_tree& tree, uint32_t src, uint16_t err)
{
    const cross_ref_t wanted{src, 32, err, 0, nullptr};
    Item probe;
    probe.definition = &wanted;
    return tree.find(probe);
}

void Diagnostics::print_item(const Item& item)
{
    const cross_ref_t* d = item.definition;
    if (!d)
        return;
    Debug_base::print(channel, "\tDIAG<src=%x,err=%x,fmi=%x,spn=%x,act=%d,pact=%d,drt=%d,oc=%d>\n", unsigned(d->src),
                      unsigned(d->err), unsigned(d->fmi), unsigned(d->spn), int(item.act), int(item.pact),
                      int(item.drt), int(item.oc));
}

Diagnostics::Item* Diagnostics::find_by_err(uint16_t err) const
{
    for (const Item_tree* tree : {&active_, &inactive_})
        for (Item* item = tree->first(); item; item = tree->next(*item))
            if (err_of(*item) == err)
                return item;
    return nullptr;
}

void Diagnostics::post_event(Item& item, diag_event_type type)
{
    post_all(Diag_event{waiter_id_, &item, type}.to_event());
}

void Diagnostics::advance_update_id()
{
    update_id_ = next_update_id(update_id_);
}

// Stack slots.

bool Diagnostics::add_stack(ZEV_smart_stack* stack, ZEV_name::RAWNAME name, bool dm1_broadcast)
{
    Task_lock lock(*this);
    return _add_stack(stack, name, dm1_broadcast);
}

bool Diagnostics::_add_stack(ZEV_smart_stack* stack, ZEV_name::RAWNAME name, bool dm1_broadcast)
{
    if (!stack)
        return false;
    for (unsigned slot = 0; slot < max_stacks; ++slot) {
        Stack_slot& s = slots_[slot];
        if (s.stack)
            continue;
        s.stack = stack;
        s.name = name;
        s.dm1_broadcast = dm1_broadcast;
        register_pgns(slot);
        return true;
    }
    return false;
}

bool Diagnostics::remove_stack(ZEV_smart_stack* stack)
{
    Task_lock lock(*this);
    for (unsigned slot = 0; slot < max_stacks; ++slot) {
        if (stack && slots_[slot].stack == stack) {
            deregister_pgns(slot);
            stack->forget_waiter(&get_waiter());
            slots_[slot] = Stack_slot();
            return true;
        }
    }
    return false;
}

void Diagnostics::register_pgns(unsigned slot)
{
    if (slot >= max_stacks || !slots_[slot].stack)
        return;
    Stack_slot& s = slots_[slot];
    Debug_base::print(channel, "Diagnostics @ %p registering on stackno %u as secondary for name %llX\n",
                      static_cast<void*>(this), slot, static_cast<unsigned long long>(s.name.get_value()));
    for (uint32_t pgn : request_pgns)
        s.stack->register_pgn(pgn, &get_waiter(), &s.event_id, ZEV_stack::PGN_REQUEST);
}

void Diagnostics::deregister_pgns(unsigned slot)
{
    if (slot >= max_stacks || !slots_[slot].stack)
        return;
    Stack_slot& s = slots_[slot];
    Debug_base::print(channel, "Diagnostics @ %p unregistering on stackno %u as secondary for name %llX\n",
                      static_cast<void*>(this), slot, static_cast<unsigned long long>(s.name.get_value()));
    for (uint32_t pgn : request_pgns)
        s.stack->deregister_pgn(pgn, &get_waiter(), ZEV_stack::PGN_REQUEST);
}

// The fault store.

void Diagnostics::receive_error_report(const Diagnostics_messages::Msg_RR& report)
{
    Task_lock lock(*this);
    Debug_base::print(channel, "num errors: %hu\r\n", static_cast<unsigned short>(report.get_count()));
    _receive_error_report(report);
}

void Diagnostics::_receive_error_report(const Diagnostics_messages::Msg_RR& report)
{
    if (!enabled_)
        return;
    const uint32_t src = report.get_source();
    const int count = report.get_count();
    Debug_base::print(channel, "Process source %d %d\n", int(src), count);

    for (Item* item = active_.first(); item; item = active_.next(*item)) {
        if (source_of(*item) != src)
            continue;
        item->pact = item->act;
        item->act = 0;
        Debug_base::print(channel, "Zap:");
        print_item(*item);
    }

    for (int i = 0; i < count; ++i) {
        const uint16_t code = report.get_code(i);
        const cross_ref_t wanted{src, 32, code, 0, nullptr};
        Item probe;
        probe.definition = &wanted;
        Debug_base::print(channel, "Test:");
        print_item(probe);
        if (Item* item = active_.find(probe)) {
            item->act = 1;
            Debug_base::print(channel, "FA:");
            print_item(*item);
        } else if (Item* item = inactive_.find(probe)) {
            inactive_.remove(*item);
            active_.insert(*item);
            item->act = 1;
            Debug_base::print(channel, "FI:");
            print_item(*item);
        }
    }

    active_dm1_count_ = 0;
    for (Item* item = active_.first(); item; item = active_.next(*item)) {
        if (source_of(*item) != src)
            continue;
        const bool j1939 = item->report_types & j1939_report;
        if (item->act && j1939)
            ++active_dm1_count_;
        if (item->act != item->pact) {
            post_event(*item, item->act ? became_active : became_inactive);
            if (j1939)
                dm1_pending_ = true;
            if (item->act && j1939 && item->oc < 0xFFFF) {
                ++item->oc;
                if (!item->drt)
                    item->time_stamp = Atime::now();
                item->drt = 1;
                dirty_ = true;
            }
            if (!item->act)
                demote_pending_ = true;
            const Atime::Real_time t = item->time_stamp.real_timeb();
            Debug_base::print(channel, "TRANS(%d->%d) %d %d %d %u.%03d\n", int(item->pact), int(item->act),
                              int(src), int(err_of(*item)), int(item->oc), unsigned(t.seconds), t.milliseconds);
        }
        if (item->act && (item->report_types & grift_report) && item->grift_state == 0) {
            item->grift_state = 1;
            ++grift_waiting_;
            advance_update_id();
        }
    }
    // The DM1 timer rests while no change waits to be told.
    if (dm1_pending_)
        resume_timeout(*this, dm1_timer_);
}

unsigned Diagnostics::get_error_report_for_grift(uint8_t src, unsigned max, uint16_t* out)
{
    Task_lock lock(*this);
    return _get_error_report_for_src(src, max, out, 1);
}

unsigned Diagnostics::_get_error_report_for_src(uint8_t src, unsigned max, uint16_t* out, int type)
{
    if (!enabled_ || (type == 1 && grift_waiting_ == 0))
        return 0;
    unsigned found = 0;
    for (const Item_tree* tree : {&active_, &inactive_}) {
        for (Item* item = tree->first(); item; item = tree->next(*item)) {
            if (!(item->report_types >> type & 1) || (src != 255 && source_of(*item) != src))
                continue;
            if (type == 1 ? item->grift_state == 0 : !item->act)
                continue;
            if (type == 1 && item->grift_state == 1)
                item->grift_state = 2;
            if (out && found < max)
                out[found] = err_of(*item);
            ++found;
        }
    }
    return found;
}

bool Diagnostics::grift_ack_error(uint16_t err)
{
    Task_lock lock(*this);
    Item* item = find_by_err(err);
    if (!item)
        return false;
    if (item->grift_state != 2)
        return true;
    if (item->act) {
        item->grift_state = 1;
    } else {
        item->grift_state = 0;
        if (grift_waiting_ > 0)
            --grift_waiting_;
    }
    advance_update_id();
    return true;
}

uint32_t Diagnostics::get_update_id()
{
    Task_lock lock(*this);
    return update_id_;
}

bool Diagnostics::get_error_info(uint16_t err, const char*& description, uint16_t& oc)
{
    Task_lock lock(*this);
    const Item* item = find_by_err(err);
    if (!item)
        return false;
    description = item->definition ? item->definition->description : nullptr;
    oc = item->oc;
    return true;
}

bool Diagnostics::get_error_info(const Diag_event& event, const char*& description, uint16_t& oc)
{
    Task_lock lock(*this);
    if (!event.item)
        return false;
    description = event.item->definition ? event.item->definition->description : nullptr;
    oc = event.item->oc;
    return true;
}

void Diagnostics::send_autoclose_message(const cross_ref_t* definition)
{
    if (!definition)
        return;
    Task_lock lock(*this);
    if (Item* item = find(active_, definition->src, definition->err))
        post_event(*item, autoclose_active);
    else if (Item* item = find(inactive_, definition->src, definition->err))
        post_event(*item, autoclose_inactive);
}

bool Diagnostics::register_event_waiter(waiter_descriptor& waiter)
{
    Task_lock lock(*this);
    return add(&waiter);
}

bool Diagnostics::deregister_event_waiter(waiter_descriptor& waiter)
{
    Task_lock lock(*this);
    return remove(&waiter);
}

bool Diagnostics::request_history(Diagnostic_history* history)
{
    Task_lock lock(*this);
    if (history_ || !history)
        return false;
    history_ = history;
    history->first_file_ = inc_file_num(file_number_);
    history->next_file_ = inc_file_num(history->first_file_);
    history->record_index_ = 0;
    history->done_ = false;
    history->reset();
    submit_timeout(history->timer_);
    return true;
}

void Diagnostics::print_active_list(const char* desc)
{
    Task_lock lock(*this);
    _print_list(true, desc);
}

void Diagnostics::print_inactive_list(const char* desc)
{
    Task_lock lock(*this);
    _print_list(false, desc);
}

void Diagnostics::_print_list(bool active, const char* desc)
{
    const char* tag = active ? "Active" : "Inactive";
    if (desc)
        Debug_base::print(channel, "<%s%s%s%s>\n", tag, " desc=\"", desc, "\"");
    else
        Debug_base::print(channel, "<%s%s%s%s>\n", tag, "", "", "");
    const Item_tree& tree = active ? active_ : inactive_;
    for (const Item* item = tree.first(); item; item = tree.next(*item))
        print_item(*item);
    Debug_base::print(channel, "</%s>\n", tag);
}

// The task.

void Diagnostics::diner_start()
{
    submit_timeout(report_timer_, report_period_ms);
    submit_timeout(dm1_timer_, dm1_period_ms);
}

void Diagnostics::diner_stop()
{
    remove_timeout(report_timer_);
    remove_timeout(dm1_timer_);
}

void Diagnostics::handle_event(waiter_event& event)
{
    Task_lock lock(*this);
    for (unsigned s = 0; s < max_stacks; ++s) {
        Stack_slot& done = slots_[s];
        if (done.stack && event.module == done.stack->get_completion_module() &&
            std::abs(int32_t(event.code)) == dm1_sent_code + int(s)) {
            done.dm1_sending = false;
            return;
        }
    }
    unsigned slot = 0;
    while (slot < max_stacks && !(slots_[slot].stack && slots_[slot].event_id == event.module))
        ++slot;
    if (slot == max_stacks)
        return;
    Stack_slot& s = slots_[slot];
    // A request is three bytes; anything longer is cut to a frame's eight.
    uint8_t request[8];
    ZEV_header header;
    if (s.stack->read(event.code, header, request, sizeof request, &get_waiter(), ZEV_stack::PGN_REQUEST) < 0)
        return;
    const uint8_t destination = header.get_destination();
    if (destination != ZEV_trans::ADDR_BROADCAST) {
        const uint8_t own = s.stack->get_name_manager().gethostbyname(ZEV_name::NAME(s.name));
        if (own >= ZEV_trans::ADDRESS_ALL || destination != own)
            return;
    }
    if (!handle_pgn_request(header.get_pgn(), header.get_source(), destination, slot))
        Debug_base::print(channel, "Unhandled Diagnostics PGN request %d\n", int(header.get_pgn()));
}

void Diagnostics::handle_timeout(Timeout& timeout)
{
    Task_lock lock(*this);
    if (&timeout == &report_timer_) {
        bool initialised = false;
        if (!pcf_init_done_) {
            pcf_init();
            initialised = pcf_init_done_;
        }
        if (initialised || dm1_pending_ || active_dm1_count_ != 0)
            send_DM1_broadcasts();
        write_dirty();
        Debug_base::print(channel, "Done %d/%d\n", file_records_, records_per_file);
        if (file_records_ >= records_per_file)
            cycle_filename();
        demote();
    } else if (&timeout == &dm1_timer_) {
        if (dm1_pending_)
            send_DM1_broadcasts();
        if (!dm1_pending_)
            remove_timeout(dm1_timer_);
    } else if (history_ && &timeout == &history_->timer_) {
        continue_history();
    }
}

void Diagnostics::demote()
{
    if (!demote_pending_)
        return;
    Debug_base::print(channel, "<DEMOTE>\n");
    for (Item* item = active_.first(); item;) {
        Item* next = active_.next(*item);
        if (!item->act) {
            active_.remove(*item);
            item->pact = 0;
            inactive_.insert(*item);
            print_item(*item);
        }
        item = next;
    }
    Debug_base::print(channel, "</DEMOTE>\n");
    demote_pending_ = false;
}
