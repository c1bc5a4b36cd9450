// One request of the remote data store, as a peer on the bus sends it
// (after the transport's marker), to the server of the program's two trees.
//
// Holds: every reply fits the transport's 102 bytes and is of the type the
// request asks for; a request shorter than its fixed part gets none; the
// store's lock is free afterwards; sends complete and nothing stays in flight.
#include "data_store/Data_store.h"
#include "fuzz/Fuzz_check.h"
#include "messaging/cds/CDS_Remote_Server.h"
#include "params/parameters_t.h"
#include "platform/rtos/module_man.h"

#include <cstdint>
#include <vector>

namespace {

// One peer, as the transport's back end names it: every back end of one
// input, and the server's clones of them, are the same peer.
struct Replies : CDS::Remote::Backend {
    explicit Replies(int peer) : peer(peer) {}
    int peer;
    std::vector<std::vector<uint8_t>> sent;
    uint8_t* get_tx_buffer(uint8_t* buffer, int& room) override
    {
        room -= 2;
        return buffer + 2;
    }
    bool send(uint8_t* message, int length, bool, int) override
    {
        sent.emplace_back(message, message + length);
        return true;
    }
    bool same_peer(const CDS::Remote::Backend& other) const override
    {
        auto* o = dynamic_cast<const Replies*>(&other);
        return o && o->peer == peer;
    }
    std::unique_ptr<CDS::Remote::Backend> clone() const override { return std::make_unique<Replies>(peer); }
};

struct State {
    module_man manager;
    Data_store store{&manager, "1.2.3"};
    NV_quvel::parameters_t parameters{&manager, 0, "PS"};
    CDS::Remote::Server server;
    State()
    {
        server.add_cds(store.lookup);
        server.add_nv(parameters);
        server.build_ids();
    }
};

int fixed_part(uint8_t type)
{
    switch (type) {
    case 0x82:
        return 7;
    case 0x83:
    case 0x84:
    case 0x86:
        return 5;
    case 0x85:
        return 1;
    case 0x87:
        return 3;
    default:
        return -1;
    }
}

}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static State state;
    Replies replies(1);
    state.server.handle_message(replies, data, int(size));
    fuzz_check(state.store.head.owner_tid() == 0, "the store's lock is free after a request");
    const int needed = size ? fixed_part(data[0]) : -1;
    if (needed < 0 || int(size) < needed) {
        fuzz_check(replies.sent.empty(), "other types and short requests get no reply");
        return 0;
    }
    fuzz_check(replies.sent.size() <= 1, "one reply at most");
    for (const auto& reply : replies.sent) {
        fuzz_check(reply.size() >= 5 && reply.size() <= 102, "a reply fits the transport");
        const uint8_t expected = data[0] == 0x84 || data[0] == 0x86 ? 0x03 : uint8_t(data[0] & 0x7F);
        fuzz_check(reply[0] == expected, "a reply of the type asked for");
        state.server.on_tx_complete(100);
    }
    // Watches made by the input end with the peer's CRC request.
    const uint8_t crc = 0x85;
    state.server.handle_message(replies, &crc, 1);
    state.server.on_tx_complete(100);
    fuzz_check(state.server.get_in_flight() == 0, "every send completed");
    return 0;
}
