// DM1 (active faults), DM2 (previously active faults), DM3 and DM11 (clear
// previously active / active faults).
#include "diagnostics/Diagnostics.h"
#include "platform/can/J1939_Msg_DM1.h"
#include "platform/can/J1939_Msg_DM2.h"
#include "platform/can/ZEV_smart_stack.h"
#include "platform/can/ZEV_trans.h"
#include "platform/rtos/Debug_base.h"

namespace {

constexpr int channel = Diagnostics::debug_channel;
// The transport type the diagnostic messages are sent with.
constexpr int transport_type = 7;

template <class M>
bool list(M& message, const Diagnostics::Item& item)
{
    const cross_ref_t* d = item.definition;
    return message.add(d ? d->spn : 0, d ? d->fmi : 0, item.oc);
}

}

bool Diagnostics::handle_pgn_request(uint32_t pgn, uint8_t source, uint8_t destination, unsigned slot)
{
    switch (pgn) {
    case pgn_dm1:
        send_DM1(slot);
        return true;
    case pgn_dm2:
        send_DM2(slot);
        return true;
    case pgn_dm3:
    case pgn_dm11:
        clear_faults(pgn, source, destination, slot);
        return true;
    default:
        return false;
    }
}

void Diagnostics::send_DM1(unsigned slot, bool broadcast)
{
    if (slot >= max_stacks || !slots_[slot].stack)
        return;
    Stack_slot& s = slots_[slot];
    J1939::Msg_DM1 dm1;
    for (const Item* item = active_.first(); item; item = active_.next(*item))
        if (item->act && (item->report_types & j1939_report) && !list(dm1, *item))
            break;
    dm1.finish();
    if (!broadcast) {
        dm1.write_global(s.stack, s.name, pgn_dm1, 6, transport_type, nullptr, 1);
        return;
    }
    // Its completion tells when the next broadcast may go.
    s.dm1_sending = dm1.write_global(s.stack, s.name, pgn_dm1, 6, transport_type, &get_waiter(),
                                     dm1_sent_code + int(slot)) == 0;
}

void Diagnostics::send_DM1_broadcasts()
{
    bool skipped = false;
    for (unsigned slot = 0; slot < max_stacks; ++slot) {
        if (!slots_[slot].stack || !slots_[slot].dm1_broadcast)
            continue;
        if (slots_[slot].dm1_sending) {
            Debug_base::print(channel, "DM1 broadcast on stack %u skipped: the one before is still being sent\n",
                              slot);
            skipped = true;
            continue;
        }
        send_DM1(slot, true);
    }
    // A change not yet told goes with the next DM1 timer after the one on its way.
    dm1_pending_ = dm1_pending_ && skipped;
}

void Diagnostics::send_DM2(unsigned slot)
{
    if (slot >= max_stacks || !slots_[slot].stack)
        return;
    J1939::Msg_DM2 dm2;
    Debug_base::print(channel, "<DM2>\n");
    auto consider = [&dm2](const Item& item) {
        if (!(item.report_types & j1939_report) || item.act || item.oc == 0 || !list(dm2, item))
            return;
        Debug_base::print(channel, "TC{%x}", unsigned(dm2.get_code(dm2.get_count() - 1)));
        print_item(item);
    };
    // Entries that went inactive wait in the active tree until the next demotion.
    if (demote_pending_)
        for (const Item* item = active_.first(); item; item = active_.next(*item))
            consider(*item);
    for (const Item* item = inactive_.first(); item; item = inactive_.next(*item))
        consider(*item);
    Debug_base::print(channel, "</DM2>\n");
    dm2.finish();
    dm2.write_global(slots_[slot].stack, slots_[slot].name, pgn_dm2, 6, transport_type, nullptr, 1);
}

void Diagnostics::clear_faults(uint32_t pgn, uint8_t source, uint8_t destination, unsigned slot)
{
    if (slot >= max_stacks || !slots_[slot].stack)
        return;
    if (destination != ZEV_trans::ADDR_BROADCAST)
        slots_[slot].stack->send_ack(destination, pgn, true, source);
    const bool dm11 = pgn == pgn_dm11;
    Debug_base::print(channel, "Handling clear/reset %sactive faults\n", dm11 ? "" : "in");
    bool changed = false;
    if (dm11) {
        for (Item* item = active_.first(); item; item = active_.next(*item)) {
            if (!(item->report_types & j1939_report) || !item->act)
                continue;
            item->act = 0;
            demote_pending_ = true;
            post_event(*item, became_inactive);
            item->oc = 0;
            changed = true;
        }
    } else {
        auto clear = [&changed](Item& item) {
            if (!(item.report_types & j1939_report))
                return;
            changed = changed || item.oc != 0;
            item.oc = 0;
        };
        if (demote_pending_)
            for (Item* item = active_.first(); item; item = active_.next(*item))
                if (!item->act)
                    clear(*item);
        for (Item* item = inactive_.first(); item; item = inactive_.next(*item))
            clear(*item);
    }
    if (changed)
        cycle_filename();
    if (Debug_base::enabled(channel)) {
        _print_list(true, dm11 ? "post DM11" : "post DM3");
        _print_list(false, dm11 ? "post DM11" : "post DM3");
    }
}
