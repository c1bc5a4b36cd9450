#pragma once
#include <cstdint>
#include <memory>

namespace CDS {
namespace Remote {

// What the server knows of a transport: where a reply to the requesting
// peer is written and how it leaves.
class Backend {
public:
    virtual ~Backend() = default;

    // Writes the transport's prefix at the start of buffer (room bytes) and
    // returns where the message begins, with room reduced by the prefix;
    // null when the room is too small.
    virtual uint8_t* get_tx_buffer(uint8_t* buffer, int& room) = 0;
    // Sends the message of length bytes that begins where get_tx_buffer
    // said; with want_completion, code comes back through the transport when
    // the send ends (negated when it failed). True when the send was accepted.
    virtual bool send(uint8_t* message, int length, bool want_completion, int code) = 0;
    // True when other answers the same peer.
    virtual bool same_peer(const Backend& other) const = 0;
    virtual std::unique_ptr<Backend> clone() const = 0;
};

}
}
