#pragma once
#include "platform/can/ZEV_name_NAME.h"
#include "platform/rtos/Diner.h"
#include "platform/rtos/Timeout.h"

#include <atomic>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <map>
#include <string>
#include <vector>

class ZEV_smart_stack;

// An ISO 11783-13 file server on a stack of its own, serving the
// subfolders of a folder as its volumes, read-only. Its messages are
// written and read here, from the standard, not with the client's code.
// It prints one line per request it handles. A task: started, or run with
// run_pending on a manual clock.
class Fake_file_server : public Diner {
public:
    struct Settings {
        std::string folder;
        uint16_t manufacturer = 1111;
        bool empty_root = false;  // the root lists no volumes
        std::vector<std::string> extra_volumes; // listed in the root after the folders, not served
        uint8_t open_error = 0;   // every file open answers this error
        int64_t error_at = -1;    // a read that would pass this byte answers error 11
        int64_t silent_at = -1;   // a read that would pass this byte makes the server fall silent
        bool busy = false;        // says it is busy and holds every request until it is not
        // Faults of a broken server:
        bool long_reads = false;      // answers every file read with one byte more than asked
        uint32_t understate_size = 0; // a seek to the end reports the size this much short
        bool overrun_entry = false;   // a directory entry's name runs past the answer
    };
    using Printer = std::function<void(const std::string& line)>;

    static constexpr int status_period_ms = 2000, busy_status_period_ms = 200;

    Fake_file_server(ZEV_smart_stack& stack, const Settings& settings, Printer printer);
    ~Fake_file_server() override;

    // Names the task, claims the address with the server's NAME and listens
    // for requests. False when the task cannot be named or the claim cannot start.
    bool init(module_man* manager, uint8_t address);

    // Safe from any thread.
    void set_busy(bool busy);
    void set_silent(bool silent);
    bool is_silent() const { return silent_; }

    // A file server's NAME: function 61, agricultural industry group.
    static ZEV_name::NAME make_name(uint16_t manufacturer);

protected:
    void handle_event(waiter_event& event) override;
    void handle_timeout(Timeout& timeout) override;

private:
    struct Client {
        std::vector<std::string> directory; // components below the root
        int last_tan = -1;
        uint8_t last_function = 0;
        std::vector<uint8_t> last_answer;
        bool heard = false;
    };
    struct Entry {
        std::string name;
        uint8_t attributes = 0;
        uint32_t size = 0;
    };
    struct Open {
        uint8_t client = 0;
        bool directory = false;
        std::FILE* file = nullptr;
        uint32_t size = 0;
        std::vector<Entry> entries;
        uint32_t position = 0;
    };
    using Bytes = std::vector<uint8_t>;

    void request(uint8_t source, const Bytes& data);
    Bytes answer(uint8_t source, Client& client, const Bytes& data);
    Bytes change_directory(Client& client, const Bytes& data);
    Bytes open(uint8_t source, Client& client, const Bytes& data);
    Bytes seek(const Bytes& data);
    Bytes read(const Bytes& data);
    Bytes read_file(Open& open, uint16_t count, const Bytes& head);
    Bytes read_directory(Open& open, uint16_t count, const Bytes& head);
    Bytes close(const Bytes& data);

    // The components of a path as seen from the client's directory; false
    // when it names something above the root or holds a bad name.
    bool resolve(const Client& client, const std::string& path, std::vector<std::string>& out) const;
    std::string real_path(const std::vector<std::string>& components) const;
    bool is_directory(const std::vector<std::string>& components) const;
    std::vector<Entry> list(const std::vector<std::string>& components) const;
    static std::string text_of(const std::vector<std::string>& components);
    bool path_of(const Bytes& data, size_t at, std::string& path) const;

    void send(uint8_t destination, Bytes data);
    void send_status();
    void print(const std::string& line);

    ZEV_smart_stack& stack_;
    const Settings settings_;
    Printer printer_;
    ZEV_name::NAME name_;
    std::atomic<bool> busy_{false};
    std::atomic<bool> silent_{false};
    std::map<uint8_t, Client> clients_;
    std::map<uint8_t, Open> handles_;
    std::vector<std::pair<uint8_t, Bytes>> held_;
    Timeout status_timer_{true, status_period_ms};
};
