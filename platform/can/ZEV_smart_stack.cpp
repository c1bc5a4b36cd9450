#include "platform/can/ZEV_smart_stack.h"
#include "platform/io/Binary_message.h"
#include "platform/rtos/Debug_base.h"

#include <algorithm>
#include <cstring>

namespace {
constexpr uint32_t pgn_address_claimed = 0xEE00;
constexpr uint32_t pgn_request = 0xEA00;
constexpr uint32_t pgn_acknowledgement = 0xE800;

// The codes of the stack's own events.
constexpr uint32_t event_frames = 0, event_restored = 1;

// An acknowledgement (control 0) or negative one (1), to all, naming the requester.
void ack_data(uint8_t* d, uint32_t pgn, bool ack, uint8_t requester)
{
    std::memset(d, 0xFF, 8);
    d[0] = ack ? 0 : 1;
    d[4] = requester;
    Binary_message::set_uint24_le(d + 5, pgn);
}
}

ZEV_smart_stack::ZEV_smart_stack() : names_(*this), listeners_(names_), transport_(*this) {}

ZEV_smart_stack::~ZEV_smart_stack()
{
    close();
}

bool ZEV_smart_stack::open(Can_bus* bus, module_man* manager)
{
    std::unique_ptr<Can_bus> owned(bus);
    if (!owned || bus_)
        return false;
    if (!init(manager, nullptr, "ZEV", 50, 8192, true, false))
        return false;
    module_man* mm = get_module_man();
    int names = mm->register_module("ZEV.names");
    int received = mm->register_module("ZEV.received");
    int requests = mm->register_module("ZEV.requests");
    int completions = mm->register_module("ZEV.sent");
    if (std::min({names, received, requests, completions}) <= 0) {
        Debug_print::dprint("ZEV: no module numbers left for a stack\n");
        return false;
    }
    name_module_ = int16_t(names);
    completion_module_ = int16_t(completions);
    set_modules(int16_t(received), int16_t(requests));
    owned->set_receiver([this](const Can_frame& frame) { on_bus_frame(frame); }, [this] { on_bus_restored(); });
    {
        std::lock_guard<std::mutex> lock(bus_mutex_);
        bus_ = std::move(owned);
    }
    names_.start();
    return true;
}

void ZEV_smart_stack::close()
{
    terminate(1, 1000);
    std::unique_ptr<Can_bus> bus;
    {
        std::lock_guard<std::mutex> lock(bus_mutex_);
        bus.swap(bus_);
    }
    if (bus)
        bus->set_receiver(nullptr);
    bus.reset();
    transport_.fail_all();
    std::lock_guard<std::mutex> lock(rx_mutex_);
    rx_.clear();
}

bool ZEV_smart_stack::wait_for_name(waiter_descriptor* waiter, const ZEV_name::NAME& name, bool block)
{
    return names_.wait_for_name(waiter, name, block);
}

int ZEV_smart_stack::write(const ZEV_header& header, const uint8_t* data, int length, waiter_descriptor* waiter,
                           int code)
{
    if (length < 0 || (!data && length > 0) || header.get_destination() == ZEV_trans::ADDRESS_NULL ||
        !holds_source(header.get_source()))
        return -1;
    ZEV_header h = header;
    h.set_length(uint32_t(length));
    if (length <= 8) {
        if (!send_frame(h, data))
            return -1;
        complete(waiter, code, true);
        return 0;
    }
    return transport_.send(h, data, size_t(length), waiter, code) ? 0 : -1;
}

int ZEV_smart_stack::send_ack(uint8_t own_address, uint32_t pgn, bool ack, uint8_t requester)
{
    uint8_t d[8];
    ack_data(d, pgn, ack, requester);
    return write_now(ZEV_header(own_address, ZEV_trans::ADDR_BROADCAST, pgn_acknowledgement, 6, 0, 8), d);
}

void ZEV_smart_stack::set_default_throttler(const ZEV_trans::Throttler& throttler)
{
    transport_.set_throttler(throttler);
}

bool ZEV_smart_stack::send_single(const ZEV_header& header, const uint8_t* data)
{
    return holds_source(header.get_source()) && send_frame(header, data);
}

bool ZEV_smart_stack::holds_source(uint8_t address)
{
    if (names_.is_local_address(address, true))
        return true;
    // Callers try again while a claim is under way: a trace line, not a complaint.
    Debug_base::print(ZEV_trans::DEBUG_CHANNEL, "ZEV: cannot send from address %u: this node does not hold it\n",
                      address);
    return false;
}

bool ZEV_smart_stack::send_frame(const ZEV_header& header, const uint8_t* data)
{
    Can_frame frame;
    frame.id = header.get_can_id();
    frame.dlc = uint8_t(std::min<uint32_t>(header.get_length(), 8));
    if (frame.dlc)
        std::memcpy(frame.data, data, frame.dlc);
    std::lock_guard<std::mutex> lock(bus_mutex_);
    return bus_ && bus_->send(frame);
}

void ZEV_smart_stack::arm(Timeout& timeout, int ms)
{
    submit_timeout(timeout, ms);
}

void ZEV_smart_stack::disarm(Timeout& timeout)
{
    remove_timeout(timeout);
}

bool ZEV_smart_stack::is_local_address(uint8_t address)
{
    return names_.is_local_address(address, false);
}

void ZEV_smart_stack::deliver(const ZEV_header& header, const uint8_t* data, size_t length)
{
    deliver_data(header, data, length);
}

void ZEV_smart_stack::complete(waiter_descriptor* waiter, int code, bool ok)
{
    if (waiter)
        waiter->post(waiter_event{completion_module_, uint32_t(ok ? code : -code), nullptr, nullptr});
}

void ZEV_smart_stack::post_name_event(waiter_descriptor* waiter, uint32_t code)
{
    waiter->post(waiter_event{name_module_, code, nullptr, nullptr});
}

void ZEV_smart_stack::on_bus_frame(const Can_frame& frame)
{
    bool was_empty;
    {
        std::lock_guard<std::mutex> lock(rx_mutex_);
        was_empty = rx_.empty();
        rx_.push_back(frame);
    }
    if (was_empty) // the task takes everything queued at once
        get_waiter().post(waiter_event{get_module_id(), event_frames, nullptr, nullptr});
}

void ZEV_smart_stack::on_bus_restored()
{
    get_waiter().post(waiter_event{get_module_id(), event_restored, nullptr, nullptr});
}

// One batch per event: frames that come meanwhile post the next event, so
// that a bus that never goes quiet still leaves the timers and stop a turn.
void ZEV_smart_stack::handle_event(waiter_event& event)
{
    if (event.module != get_module_id())
        return;
    if (event.code == event_restored) {
        names_.claim_again();
        return;
    }
    std::vector<Can_frame> frames;
    {
        std::lock_guard<std::mutex> lock(rx_mutex_);
        frames.swap(rx_);
    }
    hold_bus(true);
    for (const Can_frame& frame : frames)
        process(frame);
    hold_bus(false);
}

void ZEV_smart_stack::handle_timeout(Timeout& timeout)
{
    hold_bus(true);
    if (!names_.handle_timeout(timeout))
        transport_.handle_timeout(timeout);
    hold_bus(false);
}

// What one wake-up sends (a block of data packets after a clear-to-send)
// leaves together.
void ZEV_smart_stack::hold_bus(bool hold)
{
    std::lock_guard<std::mutex> lock(bus_mutex_);
    if (bus_ && hold)
        bus_->hold();
    else if (bus_)
        bus_->release();
}

void ZEV_smart_stack::process(const Can_frame& frame)
{
    if (!frame.extended || frame.dlc > 8)
        return; // ISO 11783 speaks in 29-bit identifiers only
    ZEV_header header = ZEV_header::from_can_id(frame.id, frame.dlc, Atime::now().ms());
    uint32_t pgn = header.get_pgn();
    if (pgn == pgn_address_claimed) {
        if (frame.dlc == 8)
            names_.on_address_claimed(header.get_source(), ZEV_name::RAWNAME(frame.data));
    } else if (pgn == pgn_request) {
        process_request(header, frame.data, frame.dlc);
    } else if (ZEV_transport::is_transport_pgn(pgn)) {
        transport_.handle_frame(header, frame.data, frame.dlc);
    } else if (header.get_destination() == ZEV_trans::ADDR_BROADCAST ||
               names_.is_local_address(header.get_destination(), false)) {
        deliver_data(header, frame.data, frame.dlc);
    }
}

void ZEV_smart_stack::process_request(const ZEV_header& header, const uint8_t* data, uint8_t length)
{
    uint8_t destination = header.get_destination();
    bool to_all = destination == ZEV_trans::ADDR_BROADCAST;
    if (length < 3 || (!to_all && !names_.is_local_address(destination, false)))
        return;
    uint32_t requested = Binary_message::get_uint24_le(data);
    if (requested == pgn_address_claimed) {
        names_.on_request_for_claim(destination);
        return;
    }
    ZEV_header request(header.get_source(), destination, requested, header.get_priority(), 0, 3,
                       header.get_time_ms());
    if (deliver_request(request) == 0 && !to_all) {
        // No task here answers it: a NACK spares the requester its time-out.
        uint8_t d[8];
        ack_data(d, requested, false, header.get_source());
        send_frame(ZEV_header(destination, ZEV_trans::ADDR_BROADCAST, pgn_acknowledgement, 6, 0, 8), d);
    }
}
