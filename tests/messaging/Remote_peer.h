#pragma once
#include "messaging/cds/CDS_Remote_Backend.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// The test's side of the remote data store, written from the wire format
// alone: it builds requests and takes replies apart with its own code.
namespace Remote_peer {

using Bytes = std::vector<uint8_t>;

Bytes request_ids(uint16_t id, uint32_t offset, uint8_t depth);
Bytes request_value(uint8_t type, uint16_t id, uint16_t pos);
Bytes set_value(uint16_t id, uint16_t pos, const Bytes& value);
Bytes cancel(uint16_t id);

uint16_t u16(const Bytes& m, size_t at);
uint32_t u24(const Bytes& m, size_t at);
uint32_t u32(const Bytes& m, size_t at);

// One entry of a description: type byte, id and name.
struct Entry {
    unsigned type;
    unsigned id;
    std::string name;
};
// Every entry of a description text, in order.
std::vector<Entry> entries_of(const std::string& text);
// Inflates a zlib stream whose inflated length is known.
std::string inflate(const Bytes& packed, size_t length);

// What the server sent through the test's back ends.
struct Sent {
    int peer;
    Bytes message; // without the back end's prefix
};
struct Wire {
    std::vector<Sent> sent;
    bool accept = true;
    std::vector<Sent> take()
    {
        std::vector<Sent> out;
        out.swap(sent);
        return out;
    }
};

// A back end for peer number peer: a two-byte prefix, sends recorded on the wire.
class Backend : public CDS::Remote::Backend {
public:
    Backend(Wire& wire, int peer) : wire_(wire), peer_(peer) {}
    uint8_t* get_tx_buffer(uint8_t* buffer, int& room) override;
    bool send(uint8_t* message, int length, bool want_completion, int code) override;
    bool same_peer(const CDS::Remote::Backend& other) const override;
    std::unique_ptr<CDS::Remote::Backend> clone() const override { return std::make_unique<Backend>(*this); }

private:
    Wire& wire_;
    int peer_;
};

}
