#include "bench/Transfer_bench.h"
#include "platform/can/Bus_select.h"
#include "platform/can/Known_names.h"
#include "platform/can/ZEV_transport.h"
#include "tests/support/Short_claims.h"

#include <chrono>
#include <thread>
#include <vector>

namespace {
constexpr uint32_t pgn_data = 0x1EF00;
constexpr uint8_t sender_address = 0x80, receiver_address = 0x81;

// Waits for an event of the module, dropping the others.
bool wait_for(waiter_descriptor& waiter, int module, waiter_event& event, int timeout_ms)
{
    const Atime deadline = Atime::now() + Rtime(timeout_ms);
    while (waiter.wait(event, deadline))
        if (event.module == module)
            return true;
    return false;
}
}

Transfer_bench::Transfer_bench(const std::string& bus_spec)
    : sender_(Known_names::get_seeder(1)),
      receiver_(Known_names::get_tessaryn_master(2)),
      counter_(Bus_select::start(bus_spec.c_str(), nullptr))
{
    if (!counter_)
        return;
    counter_->set_receiver([this](const Can_frame& frame) {
        if (ZEV_transport::is_transport_pgn(ZEV_header::normal_pgn(frame.id >> 8)))
            ++frames_;
    });
    Short_claims short_claims;
    const char* spec = bus_spec.c_str();
    ready_ = sender_.start(true, spec, &modules_, &sender_waiter_, sender_address, sender_address) &&
             receiver_.start(true, spec, &modules_, &receiver_waiter_, receiver_address, receiver_address) &&
             receiver_.get_stack()->register_pgn(pgn_data, &receiver_waiter_, nullptr, ZEV_stack::PGN_DATA) == 0;
}

Transfer_bench::~Transfer_bench()
{
    if (counter_)
        counter_->set_receiver(nullptr);
}

size_t Transfer_bench::minimum_frames(size_t length)
{
    const size_t packets = (length + 6) / 7;
    const size_t windows = (packets + 254) / 255;
    const bool etp = length > ZEV_transport::tp_max;
    return 1 + windows * (etp ? 2 : 1) + packets + 1;
}

void Transfer_bench::settle()
{
    for (size_t seen = size_t(-1); seen != frames_;) {
        seen = frames_;
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
}

Transfer_bench::Figures Transfer_bench::send(size_t length)
{
    Figures figures;
    ZEV_smart_stack& a = *sender_.get_stack();
    ZEV_smart_stack& b = *receiver_.get_stack();
    std::vector<uint8_t> data(length);
    for (size_t i = 0; i < length; ++i)
        data[i] = uint8_t(i % 251);
    settle();
    const size_t frames_before = frames_;
    const uint64_t sender_before = a.get_waiter().wake_counts().writes;
    const uint64_t receiver_before = b.get_waiter().wake_counts().writes;

    const auto start = std::chrono::steady_clock::now();
    const ZEV_header header(sender_address, receiver_address, pgn_data, 6, 10, 0);
    if (a.write(header, data.data(), int(length), &sender_waiter_, 7) != 0)
        return figures;
    waiter_event event;
    if (!wait_for(sender_waiter_, a.get_completion_module(), event, 60000) || event.code != 7)
        return figures;
    figures.ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    figures.sender_wake_ups = a.get_waiter().wake_counts().writes - sender_before;
    figures.receiver_wake_ups = b.get_waiter().wake_counts().writes - receiver_before;

    if (!wait_for(receiver_waiter_, b.get_receive_module(), event, 10000))
        return figures;
    std::vector<uint8_t> got(length + 1);
    ZEV_header got_header;
    const int n = b.read(pgn_data, got_header, got.data(), int(got.size()), &receiver_waiter_, ZEV_stack::PGN_DATA);
    got.resize(n < 0 ? 0 : size_t(n));
    settle();
    figures.frames = frames_ - frames_before;
    figures.ok = got == data;
    return figures;
}
