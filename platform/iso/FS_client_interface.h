#pragma once
#include "platform/can/ZEV_name_RAWNAME.h"
#include "platform/iso/FS_message.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

class waiter_descriptor;
struct waiter_event;

namespace FS {

class FS_client;

// The operations of a file-server client, run on the task of whoever owns
// the interface: that task hands every event of the client to handle_event,
// and the callbacks below run there. One operation at a time:
//   start_file_read  reads a server file into the platform data folder. It
//                    is written beside its final name and renamed into place
//                    once complete; a failed or cancelled read leaves no file.
//   start_dir_read   lists a server directory ("\\\\" lists the volumes).
// Every length the server sends is checked: an answer that holds less than
// it says, a read that brings more than was asked, a file that grows past
// the size it had when opened, or a directory entry that runs past its
// answer ends the operation with an error.
class FS_client_interface {
public:
    enum Operation { op_none = 0, op_file_read = 1, op_dir_read = 2 };
    // Bytes asked for per read: with ETP under it, 8 KiB takes about 0.6 s on
    // a 250 kbit/s bus and spends little on the transport's own frames.
    static constexpr uint16_t read_size = 8192;
    static constexpr uint16_t entries_per_read = 32;
    static constexpr size_t max_items = 4096;
    static constexpr size_t item_size = 20;

    FS_client_interface();
    virtual ~FS_client_interface();
    FS_client_interface(const FS_client_interface&) = delete;
    FS_client_interface& operator=(const FS_client_interface&) = delete;

    // The owner's waiter, which hears the client's news, and the client.
    void init(waiter_descriptor* waiter, FS_client* client);

    // This ECU's NAME, for a client initialised without a working-set NAME.
    static void set_iso_name(const ZEV_name::RAWNAME& name);
    static ZEV_name::RAWNAME get_iso_name();

    // Runs the operation on for an event of the client; other events are ignored.
    void handle_event(waiter_event& event);

    // file_name: the local file's name in the data folder; location: the
    // server path to read (the server judges it, an empty one too). False
    // (and nothing starts) when no server is connected, an operation runs,
    // the file name is empty or holds a '/', or a name is too long.
    bool start_file_read(const char* file_name, const char* location);
    bool start_dir_read(const char* path);
    // Ends the running operation without callbacks; its partial file goes.
    void cancel_operation();

    uint16_t get_server_manufacturer() const { return manufacturer_; }
    int lstint_num_items() const { return int(items_.size()); }
    // The listed item's name, cut to item_size bytes and terminated; null
    // outside the list.
    const char* lstint_item(int index) const;

    int get_operation() const { return operation_; }
    const std::string& get_current_directory() const { return current_directory_; }
    bool is_server_connected() const { return connected_; }

    // The callbacks, called on the owner's task while the operation is still
    // current. handle_error gets the group and function of the request that
    // failed and the server's error code (or a code of the client's own:
    // any_other for a bad or missing answer, write_failure for the local
    // file); it also closes every directory read, with error 0 when the
    // listing is complete. The base prints errors when debug says so.
    virtual void file_read_complete() {}
    // done of total bytes (entries, for a directory read, called once when
    // the listing is complete).
    virtual void set_progress(uint32_t done, uint32_t total, bool complete);
    virtual void handle_error(FS_message::gid_t group, FS_message::fid_t function, FS_message::error_t error);
    virtual void notify_busy(bool busy);
    virtual bool debug() const { return true; }

private:
    enum class Step { idle, changing_directory, opening, seeking_end, seeking_start, reading, closing };
    using Item = std::array<char, item_size + 1>;

    bool send(std::vector<uint8_t> request);
    void on_answer(const std::vector<uint8_t>& answer);
    void on_server_news();
    void open_target();
    void read_next();
    void on_read(const std::vector<uint8_t>& answer);
    bool take_entries(const uint8_t* data, size_t length, unsigned count);
    void finish_file();
    void finish_listing();
    // Reports the failure of the request and ends the operation.
    void fail(uint8_t function, FS_message::error_t error);
    // Ends the operation: the server's handle is closed, the partial file removed.
    void end_operation(bool server_there);

    FS_client* client_ = nullptr;
    bool connected_ = false;
    bool busy_ = false;
    uint16_t manufacturer_ = 0;

    Operation operation_ = op_none;
    Step step_ = Step::idle;
    int expected_tan_ = -1;
    uint8_t expected_function_ = 0;
    int handle_ = -1;
    std::string current_directory_;
    std::string open_path_;
    std::vector<Item> items_;

    std::string local_path_;
    std::string partial_path_;
    int fd_ = -1;
    uint32_t size_ = 0;
    uint32_t done_ = 0;
};

}
