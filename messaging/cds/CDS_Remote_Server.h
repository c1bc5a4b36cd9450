#pragma once
#include "messaging/cds/CDS_Remote_Backend.h"
#include "messaging/cds/CDS_Remote_Data_root_list.h"
#include "messaging/cds/CDS_Remote_Event_handler.h"
#include "platform/rtos/Owned_mutex.h"

#include <atomic>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <unordered_set>
#include <vector>

namespace CDS {
namespace Remote {

// A peer that watches items: the changed items still to be sent to it,
// oldest first, and the back end that reaches it.
struct Peer {
    std::deque<Event_handler*> pending;
    std::unique_ptr<Backend> backend;
};

// The remote data-store server: serves the trees added to it to peers that
// fetch its description, read, write and watch items by id. It knows no
// transport: each request comes with the back end that answers its peer.
// Requests, completions and ticks come on the transport's task; changes of
// watched items from any task.
class Server {
public:
    // Room for a message with the transport's prefix, and what stays for a
    // message and its value.
    static constexpr int tx_size = 104;
    static constexpr int value_room = 97;
    static constexpr int ids_slice = 94;
    // The completion code of every send.
    static constexpr int send_code = 100;

    Server();
    ~Server();
    Server(const Server&) = delete;
    Server& operator=(const Server&) = delete;

    void add_cds(Lookup_root& root);
    void add_nv(NV_store::NV_root& root);
    // Renders and compresses the description of the whole tree, once.
    void build_ids();

    // One request of length bytes from the peer that backend answers.
    void handle_message(Backend& backend, const uint8_t* message, int length);
    // 0: the transport's periodic tick; +-send_code: a send ended.
    void on_tx_complete(int code);

    // The transport ticks only while a notification waits: after a tick,
    // tick_wanted says whether one does; when none did, the next change
    // queued calls `wake` (on the changing task, under the watch lock, so it
    // must take no lock) so that the ticks resume.
    void set_wake(std::function<void()> wake);
    bool tick_wanted();

    // The description from offset, at most capacity - 1 characters of it,
    // from the item with the id (0: the whole tree) to depth; its length
    // (0 for an unknown id).
    int get_ids_text(char* buffer, uint32_t offset, int capacity, uint16_t id, int depth);

    Data_root_list& get_root() { return root_; }
    uint32_t get_ids_length() const { return ids_length_; }
    const std::vector<uint8_t>& get_ids_compressed() const { return ids_compressed_; }
    int get_in_flight() const { return in_flight_; }

private:
    friend class Event_handler;

    Data_item* find(uint16_t id);
    uint32_t get_cds_len();
    void request_ids(Backend& backend, const uint8_t* message, uint8_t* reply, int room);
    bool send_value(Backend& backend, Data_item& item, uint16_t id, uint16_t pos);
    bool send(Backend& backend, uint8_t* message, int length);
    // With watch_lock_ held.
    Peer* find_peer(const Backend& backend);
    Event_handler* get_event_handler(Data_item& item);
    void watch(const Backend& backend, Data_item& item);
    void unwatch(const Backend& backend, Data_item& item);
    void unwatch_all(const Backend& backend);
    void flush_pending();

    Data_root_list root_;
    uint32_t ids_length_ = 0;
    std::vector<uint8_t> ids_compressed_;
    bool ids_built_ = false;
    int in_flight_ = 0;

    std::function<void()> wake_; // guarded by watch_lock_
    // False once a tick found nothing waiting, until a change is queued.
    std::atomic<bool> ticking_{true};

    Owned_mutex watch_lock_;
    std::vector<std::unique_ptr<Peer>> peers_;
    std::unordered_set<Data_item*> watched_;
    std::vector<std::unique_ptr<Event_handler>> handlers_;
};

}
}
