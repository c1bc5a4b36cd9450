#pragma once
#include "messaging/cds/CDS_Remote_Root.h"
#include "platform/rtos/Owned_mutex.h"

#include <QVariant>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace CDS {
namespace Remote {

class Receive_buffer;

// The peer side of the remote data store: fetches the served tree's
// description (from a cache file named for the server's CRC and length, or
// from the server in slices), mirrors the tree, and reads, sets and watches
// its items by id or dotted name. A subclass is the transport: it gives the
// room for a message and sends it, and hands every message it receives
// (without its prefix) to receive, always on one thread. The tree is built,
// searched and decoded into under the client's lock, so the calls by name
// and id may come from any thread.
class Client {
public:
    // What the client tells its owner, on the thread that called receive.
    class Listener {
    public:
        enum Tree_status {
            tree_failed = 0,    // the description could not be unpacked or did not build a tree
            tree_ready = 1,     // from the cache or the server
            tree_progress = 2,  // another slice was asked for
            tree_bad_offset = 3 // a slice came for the wrong offset; the fetch starts again
        };
        virtual ~Listener() = default;
        virtual void value_changed(uint16_t id) = 0;
        virtual void tree_status(int status) = 0;
    };

    // Room for one message with the transport's prefix.
    static constexpr int tx_size = 104;
    static constexpr int request_size = 32;
    // Descriptions longer than this, packed or not, are refused.
    static constexpr uint32_t max_description = 16u << 20;
    // Nesting deeper than this, and longer names, are refused.
    static constexpr int max_depth = 255;
    static constexpr int max_name = 255;
    static constexpr uint16_t no_id = 0xFFFF;

    explicit Client(Listener* listener);
    virtual ~Client();
    Client(const Client&) = delete;
    Client& operator=(const Client&) = delete;

    // Writes the transport's prefix into buffer (room bytes) and returns
    // where the message begins, room reduced by the prefix; null when it
    // does not fit.
    virtual uint8_t* get_tx_buffer(uint8_t* buffer, int& room) = 0;
    // Sends the message of length bytes that begins where get_tx_buffer said.
    virtual bool send(uint8_t* message, int length) = 0;
    // One message from the server, without the transport's prefix.
    virtual void receive(const uint8_t* message, int length);

    // Forgets the tree and any description being fetched; on the thread
    // that calls receive.
    void reset();
    // With crc, asks for the CRC and length of the description (the first
    // request a peer sends); else for the description from its start.
    bool request_ids(bool crc);
    // A request of 5 bytes: type, id, pos.
    bool send_request(uint8_t type, uint16_t id, uint16_t pos);

    bool request_value(uint16_t id, uint16_t pos);
    bool register_on_change(uint16_t id, uint16_t pos);
    bool cancel_on_change(uint16_t id, uint16_t pos);
    // By dotted path from the root, from the start of the item; false when
    // no item has the path (nothing is sent).
    bool request_value(const char* name);
    bool register_on_change(const char* name);
    bool cancel_on_change(const char* name);

    // The item takes the value, then the whole item is sent to the server;
    // false without a tree or such an item, when the value is refused or
    // the message cannot go.
    bool set_value(const char* name, const QVariant& value);
    bool set_value(uint16_t id, const QVariant& value);
    // The item's last value; invalid without one.
    QVariant get_value(const char* name);
    // The item's id; no_id without a tree or such an item.
    uint16_t get_id(const char* name);

    // Replaces the tree with the one the description text builds; false
    // (and no tree) when the text is not a whole, well-formed description.
    bool build_tree(const char* text, uint32_t length);
    // The mirror item for a type byte of the description; null for a type
    // that has none (the entry is passed over).
    static std::unique_ptr<Item> create_item(uint8_t type_byte, const char* name, uint16_t id);

    // Where a description of this CRC and length is cached: in the
    // platform's data folder.
    static std::string cache_name(uint32_t crc, uint32_t length);
    bool has_tree();

private:
    void receive_value(const uint8_t* message, int length);
    void receive_crc(const uint8_t* message, int length);
    void receive_ids(const uint8_t* message, int length);
    void ids_complete();
    bool request_ids_from(uint32_t offset);
    bool read_cache();
    void write_cache(const std::vector<uint8_t>& text);
    // With lock_ held.
    // The set-value message of the item after it took the value, in tx from
    // m on; its length, 0 when there is none.
    int encode_set_value(Item* item, const QVariant& value, uint8_t (&tx)[tx_size], uint8_t*& m);
    Item* find(const char* name);
    bool fill(Struct& parent, Receive_buffer& text, int depth);

    Listener* const listener_;
    Owned_mutex lock_;
    std::unique_ptr<Root> root_;
    std::vector<uint8_t> ids_buffer_;
    uint32_t crc_ = 0;
    uint32_t ids_length_ = 0;
    std::string cache_name_;
};

}
}
