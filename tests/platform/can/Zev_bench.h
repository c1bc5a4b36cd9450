#pragma once
#include "platform/can/Mem_bus_hub.h"
#include "platform/can/Known_names.h"
#include "platform/can/Mem_can_bus.h"
#include "platform/can/ZEV_smart_stack.h"
#include "platform/rtos/Atime.h"
#include "platform/rtos/module_man.h"
#include "platform/rtos/waiter_descriptor.h"

#include <gtest/gtest.h>

#include <atomic>
#include <list>
#include <memory>
#include <string>
#include <vector>

// Stacks on one in-process bus, run on the test's thread against a manual
// clock: nothing happens between calls, and time moves only in run_for.
class Zev_bench {
public:
    struct Node {
        waiter_descriptor waiter; // the node's application task; outlives the stack's events
        ZEV_smart_stack stack;

        ZEV_name::Name_manager& names() { return stack.get_name_manager(); }
        // Takes every event queued for the application.
        std::vector<waiter_event> events();
        // Events of one module only; the others stay queued.
        std::vector<waiter_event> events_of(int module);
        // One whole received message of a registered PGN ("" when none).
        std::vector<uint8_t> read(uint32_t pgn, ZEV_header* header = nullptr, int type = ZEV_stack::PGN_DATA);
    };

    Zev_bench();

    // A node on the bench's bus; or on the bus given, which the node takes over.
    Node& add_node(Can_bus* bus = nullptr);
    const std::string& bus_name() const { return name_; }
    // A node that claims the address for the NAME and has the claim settled.
    Node& add_claimed_node(const ZEV_name::NAME& name, uint8_t address);
    Mem_bus_hub& hub() { return *hub_; }

    // Runs every node's events and due timers, and delayed frames, until none is left.
    void settle();
    // Moves the clock on in small steps, settling after each.
    void run_for(int ms);

private:
    Manual_clock clock_;
    module_man modules_;
    std::string name_;
    std::string spec_;
    std::shared_ptr<Mem_bus_hub> hub_;
    std::list<std::unique_ptr<Node>> nodes_;
};

// A plain frame node on a bench's bus, written from the standard rather than
// from our stack: sends what it is told and keeps what comes.
class Frame_peer {
public:
    explicit Frame_peer(const Zev_bench& bench);
    void send(uint32_t id, const std::vector<uint8_t>& data);
    // The bytes of the last frame of the PGN heard ("" when none).
    std::vector<uint8_t> last(uint32_t pgn) const;
    // The address claims heard: source address and NAME.
    std::vector<std::pair<uint8_t, uint64_t>> claims() const;

    std::vector<Can_frame> heard;

private:
    Mem_can_bus bus_;
};

// A node's bus that refuses every frame once told to, as a bus whose server
// has gone does, and that tells its receiver when the server is back.
class Refusing_bus : public Mem_can_bus {
public:
    using Mem_can_bus::Mem_can_bus;
    bool send(const Can_frame& frame) override { return !refusing && Mem_can_bus::send(frame); }
    void come_back()
    {
        refusing = false;
        restored();
    }
    std::atomic<bool> refusing{false};
};

// The PGN of a frame, as the stack reads it.
uint32_t pgn_of(const Can_frame& frame);

// Three claimed nodes: a (0x80), b (0x81) and c (0x21).
class Three_nodes : public testing::Test {
protected:
    Zev_bench bench;
    Zev_bench::Node& a = bench.add_claimed_node(Known_names::get_seeder(1), 0x80);
    Zev_bench::Node& b = bench.add_claimed_node(Known_names::get_tessaryn_master(2), 0x81);
    Zev_bench::Node& c = bench.add_claimed_node(Known_names::get_tessaryn_slave(3), 0x21);
};

// Bytes 0, 1, 2, ... (mod 251, so that no packet repeats the one before).
std::vector<uint8_t> test_pattern(size_t length);
