#pragma once
#include "platform/can/ZEV_name_NAME.h"
#include "platform/rtos/Diner.h"
#include "platform/rtos/Timeout.h"

#include <array>
#include <atomic>
#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

class ZEV_header;
class ZEV_smart_stack;

// A Task Controller (ISO 11783-10) for tests, the demo and people: it claims
// an address with function 130, sends its status every 2 s, asks each
// working set that announces itself for its version, keeps one pool per
// working set object by object, checks it with its own reader, activates it
// and sends the commands it is given. One line per message handled.
//
// Like a Task Controller that takes a transfer as an update, it lays a
// transfer over the pool it holds: each object replaces the one of its id
// and the others stay, until the client deletes the pool.
//
// A task of its own (run with run_pending in tests) on a stack that the
// owner opens and runs.
class Fake_tc_server : public Diner {
public:
    struct Settings {
        int version = 4;               // stated in its version message (2, 3 or 4)
        uint8_t address = 0xF7;
        int identity = 1;
        bool refuse_pool = false;      // answers every transfer with an error
        bool refuse_activation = false;
        uint8_t task_status = 0;       // stated in the status message: bit 0, a task runs
        // Sent to a client once its pool is active: element (its designator
        // in the pool, or its number), DDI, command, value.
        struct Command {
            std::string element;
            uint16_t ddi;
            uint8_t command;
            int32_t value;
        };
        std::vector<Command> script;
    };

    // One object of a received pool, as this reader understands the records.
    struct Object {
        std::string kind; // "DVC", "DET", "DPD", "DPT", "DVP"
        uint16_t id = 0;
        std::string designator;
        uint8_t type = 0;           // DET
        uint16_t element = 0;       // DET
        uint16_t parent = 0;        // DET
        std::vector<uint16_t> children; // DET
        uint16_t ddi = 0;           // DPD, DPT
        uint8_t properties = 0;     // DPD
        uint8_t triggers = 0;       // DPD
        int32_t value = 0;          // DPT
        uint16_t presentation = 0xFFFF; // DPD, DPT
    };
    struct Pool {
        std::vector<uint8_t> bytes; // of the last transfer
        std::map<uint16_t, Object> objects;
        std::array<uint8_t, 7> structure_label{};
        std::array<uint8_t, 7> localization_label{};
        std::string version;             // the device's software version
        std::vector<std::string> errors; // empty: the pool is sound

        // Reads the records; errors says what is wrong.
        static Pool read(const std::vector<uint8_t>& bytes);
        // This pool with a transfer laid over it; errors says what is wrong
        // with the transfer or with the whole.
        Pool updated_by(const Pool& transfer) const;
        // The element with the designator; null when none.
        const Object* element_named(const std::string& designator) const;
        // The DDIs of an element's process data and properties, in order.
        std::vector<uint16_t> ddis_of(const Object& element) const;
        size_t count(const std::string& kind) const;
    };

    static constexpr uint32_t process_data_pgn = 0xCB00;

    Fake_tc_server(module_man* manager, ZEV_smart_stack& stack, const Settings& settings);
    ~Fake_tc_server() override;

    // Claims the address and starts sending the status.
    bool start_serving();
    // Silent, it sends nothing and answers nothing. Any thread.
    void set_silent(bool silent) { silent_ = silent; }
    // Sends a process-data command to the client at the address.
    void send_command(uint8_t client, uint16_t element, uint16_t ddi, uint8_t command, int32_t value);
    // Hears each line as it is made (the program prints them).
    void set_printer(std::function<void(const std::string&)> printer) { printer_ = std::move(printer); }

    const std::vector<std::string>& lines() const { return lines_; }
    bool saw(const std::string& text) const;
    // The pool the fake holds for the client's NAME; null when none.
    const Pool* pool_of(uint8_t client) const;
    bool is_active(uint8_t client) const;
    // The last value the client sent for the element and DDI.
    bool last_value(uint8_t client, uint16_t element, uint16_t ddi, int32_t& value) const;
    ZEV_name::NAME get_name() const { return name_; }

protected:
    void handle_event(waiter_event& event) override;
    void handle_timeout(Timeout& timeout) override;

private:
    struct Client {
        Pool pool;
        bool has_pool = false;
        bool active = false;
        std::map<std::pair<uint16_t, uint16_t>, int32_t> values;
    };

    void on_message(const ZEV_header& header, const uint8_t* data, int length);
    void on_client_message(uint8_t client, const uint8_t* data, int length);
    void send(uint8_t destination, const std::vector<uint8_t>& data);
    void say(const char* format, ...) __attribute__((format(printf, 2, 3)));
    Client& client_at(uint8_t address);

    ZEV_smart_stack& stack_;
    Settings settings_;
    ZEV_name::NAME name_;
    Timeout status_timer_{true, 2000};
    int16_t registration_ = 0;
    std::atomic<bool> silent_{false};
    std::map<uint64_t, Client> clients_; // by NAME
    std::vector<std::string> lines_;
    std::function<void(const std::string&)> printer_;
};
