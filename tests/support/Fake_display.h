#pragma once
#include "messaging/cds/CDS_Remote_Client.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <map>
#include <mutex>
#include <string>

class ZEV_smart_stack;
class waiter_descriptor;
struct waiter_event;

// A second display on the ISOBUS: the maker's non-VT display as far as the
// remote data store goes. It claims an address, finds kx4 by its NAME,
// fetches kx4's tree (from its cache when it has the description already)
// and gets, sets and watches items by dotted name ("cds.data_store.
// operation.master_switch_active", "nv.PS.app.machine_width"), telling one
// line per value and per event.
//
// Its stack and waiter are the caller's: whoever runs the waiter hands each
// event to handle_event. Commands may come from another thread.
class Fake_display : private CDS::Remote::Client::Listener {
public:
    static constexpr uint32_t pgn = 0x1EF00;
    static constexpr uint8_t marker = 0xF1;

    struct Settings {
        uint8_t address = 0x26; // preferred
        int identity = 1;       // of the display's NAME
    };
    using Output = std::function<void(const std::string& line)>;

    Fake_display(ZEV_smart_stack& stack, waiter_descriptor& waiter, Output output, const Settings& settings);
    ~Fake_display();

    // Claims the display's address and looks out for kx4; false when the
    // claim cannot start or the PGN cannot be registered.
    bool start();
    void handle_event(waiter_event& event);

    // "get NAME", "set NAME=VALUE" (VALUE with "," is a list), "watch NAME",
    // "unwatch NAME"; empty lines are passed over.
    void command(const std::string& line);

    bool has_tree() { return client_.has_tree(); }

private:
    // The client on the stack: each message to kx4 after the marker, on
    // PGN 0x1EF00 with priority 6.
    class Transport : public CDS::Remote::Client {
    public:
        Transport(Fake_display& display) : Client(&display), display_(display) {}
        uint8_t* get_tx_buffer(uint8_t* buffer, int& room) override;
        bool send(uint8_t* message, int length) override;

    private:
        Fake_display& display_;
    };

    void value_changed(uint16_t id) override;
    void tree_status(int status) override;
    // Asks for the tree once this display holds its address and kx4 is known.
    void look_for_kx4();
    void read_frames();
    // The name's id, remembered for the values that come for it.
    uint16_t id_for(const std::string& name);
    void say(const std::string& line);

    ZEV_smart_stack& stack_;
    waiter_descriptor& waiter_;
    Output output_;
    const Settings settings_;
    Transport client_;

    std::mutex mutex_; // guards what follows; never held across a call into the client
    uint8_t own_address_ = 0xFE;
    uint8_t kx4_address_ = 0xFE;
    bool asked_ = false;
    std::map<uint16_t, std::string> names_;
    std::atomic<int> slices_asked_{0};
};
