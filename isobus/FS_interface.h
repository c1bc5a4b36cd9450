#pragma once
#include "platform/iso/FS_client_interface.h"

#include <cstdint>

class Data_store;
namespace NV_quvel {
class parameters_t;
}

// The application's side of the file-server client: carries out the
// upgrade commands that the screens write into the data store and reports
// state, progress, result and the server's volumes back there. Runs on the
// file-server command task.
class FS_interface : public FS::FS_client_interface {
public:
    enum State { idle = 0, reading = 1, read = 2, installing = 3, finished = 4 };
    enum Command { download = 1, cancel = 2, download_and_install = 3, list_volumes = 4 };
    enum Result { no_server = 1, server_error = 2, read_only = 3, script_failed = 4 };
    // The root of the server, whose listing is its volumes.
    static const char* const root;

    FS_interface(Data_store& store, NV_quvel::parameters_t& parameters);
    ~FS_interface() override;

    // Acts on a command and clears the command item.
    void handle_command(uint8_t command);
    void set_state(int state);
    // Progress, result and the server's error back to 0.
    void reset_status();
    void start_upgrade_read();
    // A busy operation whose server went away finishes with no_server.
    void check_connection();
    void finish(uint8_t result);
    void install();
    // Writes the slave ECUs' upgrade script into the platform data folder.
    bool write_upgrade_script();
    int get_state() const { return state_; }

    // The file read for an upgrade type; null for a type that has none.
    static const char* upgrade_file_name(uint8_t type);

    void file_read_complete() override;
    void set_progress(uint32_t done, uint32_t total, bool complete) override;
    void handle_error(FS::FS_message::gid_t group, FS::FS_message::fid_t function,
                      FS::FS_message::error_t error) override;
    void notify_busy(bool) override {}
    bool debug() const override { return false; }

private:
    void publish_volumes();

    Data_store& store_;
    NV_quvel::parameters_t& parameters_;
    int state_ = idle;
    bool install_ = false;
    FS::FS_message::gid_t last_group_ = 0;
    FS::FS_message::fid_t last_function_ = 0;
    FS::FS_message::error_t last_error_ = 0;
};
