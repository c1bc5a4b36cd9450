// The ISO 11783 network layer fed arbitrary frames: two stacks (a at 0x80, b
// at 0x81) on an in-process bus with a raw node that sends what the input
// says, on the manual clock, so that address claims, requests, TP, BAM and
// ETP sessions and their time-outs all run. The steps are in Iso_script.h.
//
// Holds: the stacks settle without time moving; every send a stack accepted
// ends in exactly one completion, once the clock has run long enough, and
// a send it refused in none.
#include "fuzz/Fuzz_bus.h"
#include "fuzz/Fuzz_input.h"
#include "fuzz/Iso_script.h"
#include "platform/can/Known_names.h"
#include "platform/can/Mem_can_bus.h"
#include "platform/rtos/Debug_base.h"

#include <cstdlib>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr const char* bus_name = "fuzz_iso";
constexpr uint32_t pdu1_pgn = 0x1EF00, pdu2_pgn = 0x0FF10, requested_pgn = 0x0FE00;

struct Node : Fuzz_node {
    ZEV_name::NAME name;
    // Completions heard, by code; the accepted sends hold 0 until theirs comes.
    std::map<int, int> completions;
    size_t heard = 0;
    int next_code = 1;

    void open(module_man& modules, const ZEV_name::NAME& own, uint8_t preferred)
    {
        name = own;
        Fuzz_node::open(modules, bus_name, own, preferred);
        for (uint32_t pgn : {pdu1_pgn, pdu2_pgn})
            stack.register_pgn(pgn, &waiter, nullptr, ZEV_stack::PGN_DATA);
        stack.register_pgn(requested_pgn, &waiter, nullptr, ZEV_stack::PGN_REQUEST);
    }
    void take_events()
    {
        waiter_event event;
        while (waiter.poll(event)) {
            if (event.module != stack.get_completion_module())
                continue;
            const int code = std::abs(int32_t(event.code));
            auto found = completions.find(code);
            fuzz_check(found != completions.end(), "a completion belongs to an accepted send");
            fuzz_check(++found->second == 1, "a send completes once");
            ++heard;
        }
    }
    // Where the node's claim holds now: the raw node may have taken its first address.
    uint8_t address() { return stack.get_name_manager().gethostbyname(name); }
    void send(uint8_t destination, uint32_t pgn, size_t length)
    {
        std::vector<uint8_t> data(length);
        for (size_t i = 0; i < length; ++i)
            data[i] = uint8_t(i % 251);
        const int code = next_code++;
        if (stack.write(ZEV_header(address(), destination, pgn, 6, 0, uint32_t(length)), data.data(), int(length),
                        &waiter, code) == 0)
            completions[code] = 0;
    }
    void read_all()
    {
        static uint8_t buffer[4096];
        ZEV_header header;
        for (uint32_t pgn : {pdu1_pgn, pdu2_pgn})
            while (stack.read(pgn, header, buffer, sizeof buffer, &waiter, ZEV_stack::PGN_DATA) >= 0) {
            }
        while (stack.read(requested_pgn, header, buffer, sizeof buffer, &waiter, ZEV_stack::PGN_REQUEST) >= 0) {
        }
    }
    bool pending() const
    {
        for (const auto& c : completions)
            if (c.second == 0)
                return true;
        return false;
    }
};

struct Bench {
    Manual_clock& manual = fuzz_clock(); // first: the stacks start on it
    module_man modules;
    std::shared_ptr<Mem_bus_hub> hub = Mem_bus_hub::get(bus_name);
    Node a, b;
    Mem_can_bus raw{bus_name};

    Bench()
    {
        Debug_print::set_sink([](const char*) {}); // the claims and aborts the input brings about
        a.open(modules, Known_names::get_seeder(1), 0x80);
        b.open(modules, Known_names::get_tessaryn_master(2), 0x81);
        run_for(300);
    }
    void settle()
    {
        settle_bus(*hub, [this] {
            const int ran = a.stack.run_pending() + b.stack.run_pending();
            a.take_events();
            b.take_events();
            return ran;
        });
    }
    void run_for(int ms)
    {
        run_clock(ms, [this] { settle(); });
    }
};

void send(Node& from, Node& to, Fuzz_input& in)
{
    const uint8_t to_byte = in.u8();
    const uint8_t destination = to_byte == 0 ? to.address() : to_byte == 1 ? 0xFF : to_byte;
    const uint32_t pgn = in.u8() & 1 ? pdu2_pgn : pdu1_pgn;
    from.send(destination, pgn, in.u16() % 2400);
}

}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    Bench bench;
    Fuzz_input in(data, size);
    while (!in.empty()) {
        switch (in.u8() % iso_step_count) {
        case iso_frame: {
            Can_frame frame;
            const uint32_t top = in.u8() & 0x1F, pf = in.u8(), ps = in.u8(), source = in.u8();
            frame.id = (top & 7) << 26 | (top >> 3) << 24 | pf << 16 | ps << 8 | source;
            frame.dlc = in.u8() % 9;
            for (int i = 0; i < frame.dlc; ++i)
                frame.data[i] = in.u8();
            bench.raw.send(frame);
            bench.settle();
            break;
        }
        case iso_wait:
            bench.run_for(10 * in.u8());
            break;
        case iso_send_a:
            send(bench.a, bench.b, in);
            bench.settle();
            break;
        case iso_send_b:
            send(bench.b, bench.a, in);
            bench.settle();
            break;
        case iso_read:
            bench.a.read_all();
            bench.b.read_all();
            break;
        }
    }
    // Sends to one address go one after another, and the slowest, a BAM of
    // 1785 bytes, takes 255 packets 50 ms apart: 30 s without a completion
    // is a send that never ends.
    for (int idle = 0; bench.a.pending() || bench.b.pending(); idle += 50) {
        const size_t heard = bench.a.heard + bench.b.heard;
        bench.run_for(50);
        if (bench.a.heard + bench.b.heard != heard)
            idle = 0;
        fuzz_check(idle < 30000, "every accepted send completes");
    }
    return 0;
}
