#pragma once
#include "platform/iso/FS_client.h"
#include "platform/iso/FS_client_interface.h"
#include "platform/rtos/waiter_descriptor.h"
#include "tests/platform/can/Zev_bench.h"
#include "tests/support/Fake_file_server.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

// A folder that goes with its contents.
class Scratch_folder {
public:
    Scratch_folder();
    ~Scratch_folder();
    Scratch_folder(const Scratch_folder&) = delete;
    Scratch_folder& operator=(const Scratch_folder&) = delete;
    const std::string& path() const { return path_; }
    void make_folder(const std::string& relative) const;
    void write(const std::string& relative, const std::vector<uint8_t>& bytes) const;
    bool exists(const std::string& relative) const;
    std::vector<uint8_t> read(const std::string& relative) const;
    // Names in the folder, sorted.
    std::vector<std::string> names(const std::string& relative = "") const;

private:
    std::string path_;
};

// While it lives, files of this process may not grow past a size: a write
// beyond it fails (instead of raising SIGXFSZ).
class File_size_limit {
public:
    explicit File_size_limit(unsigned long bytes);
    ~File_size_limit();

private:
    unsigned long old_ = 0;
    void (*old_handler_)(int) = nullptr;
};

// While it lives, KX4_ROOT names the folder.
class Rooted_in {
public:
    explicit Rooted_in(const std::string& folder);
    ~Rooted_in();
};

// The file-server client and the fake file server on one in-process bus, on
// the manual clock: the client's owner task is the test's thread.
class Fs_bench {
public:
    static constexpr uint8_t client_address = 0x80, server_address = 0xF0;

    // Records what the client reports.
    class Recorder : public FS::FS_client_interface {
    public:
        struct Error {
            int group, function, code;
            bool operator==(const Error& o) const
            {
                return group == o.group && function == o.function && code == o.code;
            }
        };
        struct Progress {
            uint32_t done, total;
            bool complete;
        };
        void file_read_complete() override { ++completed; }
        void set_progress(uint32_t done, uint32_t total, bool complete) override
        {
            progress.push_back({done, total, complete});
            if (on_progress)
                on_progress();
        }
        void handle_error(FS::FS_message::gid_t g, FS::FS_message::fid_t f, FS::FS_message::error_t e) override
        {
            errors.push_back({g, f, e});
        }
        void notify_busy(bool b) override { busy.push_back(b); }
        bool debug() const override { return false; }

        int completed = 0;
        std::vector<Progress> progress;
        std::vector<Error> errors;
        std::vector<bool> busy;
        std::function<void()> on_progress; // called after each progress is recorded
    };

    explicit Fs_bench(const Fake_file_server::Settings& settings);
    ~Fs_bench();

    // Runs everything on the bus until nothing is left to do.
    void settle();
    void run_for(int ms);
    // Until the client's interface has a connected server (true) or 10 s passed.
    bool connect();
    // Hands the client's events to another interface from now on; it must
    // go before the bench.
    void use(FS::FS_client_interface& other);

private:
    module_man modules_;
    waiter_descriptor owner_;
    FS::FS_client_interface* active_ = nullptr;

public:
    Zev_bench bench;
    FS::FS_client client;
    Recorder iface;
    std::vector<std::string> lines; // the fake's
    std::unique_ptr<Fake_file_server> server;
};
