#pragma once
#include <cstdint>

class Packet_interface;
struct Packet;
namespace NV_quvel {
class parameters_t;
}

// The poll engine of the serial slave network, called by the control task
// when a reply arrives, at the reply deadline and 10 ms after each reply.
// Each operation's steps come with the poll engine; until then it sends
// nothing and reports the neutral state.
class Ecu_poller {
public:
    // The weigh scale's slot: its reply is ASCII text.
    static constexpr uint32_t scale_slot = 37;

    Ecu_poller(Packet_interface& link, NV_quvel::parameters_t& parameters) : link_(link), parameters_(parameters) {}

    void InitComms() {}                             // steps come with the poll engine
    void check_ecu_config(NV_quvel::parameters_t&) {} // steps come with the poll engine
    void tick_1s() {}                               // steps come with the poll engine
    void tick_500ms() {}                            // steps come with the poll engine
    void record_result(bool) {}                     // steps come with the poll engine
    bool skip_current() const { return false; }     // steps come with the poll engine
    void advance() {}                               // steps come with the poll engine
    void poll_next() {}                             // steps come with the poll engine
    void on_reply(const Packet&) {}                 // steps come with the poll engine
    void rebuild_section_monitors() {}              // steps come with the poll engine
    void enter_auto_detect() {}                     // steps come with the poll engine
    void leave_auto_detect() {}                     // steps come with the poll engine
    void auto_detect_step() {}                      // steps come with the poll engine
    bool monitor_request_in_flight() const { return false; } // steps come with the poll engine

    uint32_t get_poll_index() const { return poll_index_; }
    // The slot whose reply is awaited: it decides how the reply is read.
    uint32_t get_outstanding_slot() const { return outstanding_slot_; }
    uint32_t get_no_comms_mask() const { return no_comms_mask_; }

private:
    friend class Ecu_poller_probe; // tests place the engine at a slot
    [[maybe_unused]] Packet_interface& link_;
    [[maybe_unused]] NV_quvel::parameters_t& parameters_;
    uint32_t poll_index_ = 0;
    uint32_t outstanding_slot_ = 0;
    uint32_t no_comms_mask_ = 0;
};
