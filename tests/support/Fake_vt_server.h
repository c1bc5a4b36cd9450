#pragma once
#include "platform/can/ZEV_name_NAME.h"
#include "platform/rtos/Diner.h"
#include "platform/rtos/Timeout.h"
#include "tests/support/Iop_check.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <vector>

class ZEV_header;
class ZEV_smart_stack;

// A Virtual Terminal (ISO 11783-6) for tests, the demo and people: it claims
// an address with function 29, sends its status every second, answers the
// working set's queries, receives its object pool and checks it at End of
// Object Pool with the independent pool checker, makes the working set the
// active one, answers requests for its Language command, keeps stored versions, keeps each object's state and changes
// it by the commands it accepts, and sends the operator's actions it is
// told to. One line per message handled and per change of the active mask.
//
// A task of its own (run with run_pending in tests) on a stack that the
// owner opens and runs. What it keeps is read under its own lock, so a test
// may look while the task runs.
class Fake_vt_server : public Diner {
public:
    struct Settings {
        uint8_t address = 0x26;
        int identity = 1;
        bool memory_short = false; // answers Get Memory with "not enough"
        bool refuse_pool = false;  // answers every End of Object Pool with an error
        std::string dump_file;     // where each received pool is written ("": nowhere)
        uint8_t units = 0;         // the units the operator chose: 0 metric, 1 imperial, 2 US
    };

    static constexpr uint32_t vt_to_ecu_pgn = 0xE600, ecu_to_vt_pgn = 0xE700;
    // The Language command: the VT's language and units.
    static constexpr uint32_t language_pgn = 0xFE0F;

    Fake_vt_server(module_man* manager, ZEV_smart_stack& stack, const Settings& settings);
    ~Fake_vt_server() override;

    // Claims the address and starts sending the status.
    bool start_serving();
    // Silent, it sends nothing and answers nothing. Any thread.
    void set_silent(bool silent) { silent_ = silent; }
    void set_refuse_pool(bool refuse) { refuse_pool_ = refuse; }
    // Runs one script line: "press ID", "release ID", "hold ID" (the code a
    // VT repeats while the key stays down), "abort ID", "number ID V" (an
    // Input Number takes V only from its minimum to its maximum, and says
    // "refused number V for ID: outside MIN..MAX" otherwise, sending
    // nothing), "string ID TEXT", "shown ID" (says "number ID shows TEXT"),
    // "silent", "refuse-pool", "units metric|imperial|us" (the operator chose
    // other units: the Language command goes to all; a request for it is
    // answered with the units chosen last, those of the settings at first).
    // False (and a line saying so) when it is none of these. Any thread.
    bool run_script_line(const std::string& line);
    // Hears each line as it is made (the program prints them).
    void set_printer(std::function<void(const std::string&)> printer) { printer_ = std::move(printer); }

    std::vector<std::string> lines() const;
    int lines_with(const std::string& text) const;
    void clear_lines();
    // The pool received last, whole (sound or not), and what the checker found in it.
    std::vector<uint8_t> last_pool() const;
    std::vector<Iop_check::Error> last_errors() const;
    // The state of an object of the pool shown; false when there is none.
    bool object(uint16_t id, Iop_check::Object& out) const;
    // An attribute a Change Attribute set; false when none did.
    bool attribute(uint16_t id, uint8_t attribute_id, uint32_t& value) const;
    // The text an Input or Output Number shows: its value (its variable's,
    // when it has one) plus its offset, times its scale, rounded to its
    // decimals; "" when there is no such number.
    std::string shown_number(uint16_t id) const;
    uint16_t active_mask() const;
    // The address of the working set shown; 0xFF when none.
    uint8_t active_working_set() const;
    size_t stored_versions() const;
    ZEV_name::NAME get_name() const { return name_; }

protected:
    void handle_event(waiter_event& event) override;
    void handle_timeout(Timeout& timeout) override;

private:
    void on_message(const ZEV_header& header, const uint8_t* data, int length);
    void on_end_of_pool(uint8_t source, uint64_t client);
    void on_change(uint8_t source, const uint8_t* d, int length);
    void show_pool(uint8_t source, const Iop_check& check);
    void set_active_mask(uint16_t mask);
    void send(uint8_t destination, std::vector<uint8_t> data);
    void send_status();
    void send_language(uint8_t destination);
    void answer_language_requests();
    void say(const char* format, ...) __attribute__((format(printf, 2, 3)));
    uint64_t name_at(uint8_t address) const;
    const Iop_check::Object* find(uint16_t id) const;

    ZEV_smart_stack& stack_;
    const Settings settings_;
    ZEV_name::NAME name_;
    Timeout status_timer_{true, 1000};
    int16_t registration_ = 0;
    std::atomic<bool> silent_{false};
    std::atomic<bool> refuse_pool_;
    std::function<void(const std::string&)> printer_;

    mutable std::recursive_mutex mutex_; // what follows; the task takes it around each message
    std::vector<std::string> lines_;
    std::vector<uint8_t> receiving_;
    std::vector<uint8_t> last_pool_;
    std::vector<Iop_check::Error> last_errors_;
    std::map<uint64_t, std::map<std::string, std::vector<uint8_t>>> versions_; // by client NAME, by label
    std::map<uint16_t, Iop_check::Object> objects_;
    std::map<std::pair<uint16_t, uint8_t>, uint32_t> attributes_;
    uint16_t working_set_ = Iop_check::no_object;
    uint16_t active_mask_ = Iop_check::no_object;
    uint8_t active_working_set_ = 0xFF;
    uint8_t units_; // the units the operator chose last
};
