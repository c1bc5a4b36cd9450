#pragma once
#include "messaging/cds/CDS_Remote_Backend.h"
#include "platform/can/ZEV_header.h"

class ZEV_smart_stack;
class waiter_descriptor;

namespace Can_gril {

// Answers one peer of the remote data store on a CAN stack: PGN 0x1EF00,
// priority 6, from this node's address to the peer's, each message after
// the marker 0xF1 0xF1.
class CDS_backend : public CDS::Remote::Backend {
public:
    static constexpr uint32_t pgn = 0x1EF00;
    static constexpr uint8_t marker = 0xF1;
    static constexpr int prefix = 2;
    static constexpr uint8_t priority = 6;

    CDS_backend(ZEV_smart_stack* stack, waiter_descriptor* waiter, uint8_t own_address, uint8_t peer_address);

    uint8_t* get_tx_buffer(uint8_t* buffer, int& room) override;
    bool send(uint8_t* message, int length, bool want_completion, int code) override;
    // The same stack, peer address, PGN and priority.
    bool same_peer(const CDS::Remote::Backend& other) const override;
    std::unique_ptr<CDS::Remote::Backend> clone() const override;

private:
    ZEV_header header_;
    ZEV_smart_stack* stack_;
    waiter_descriptor* waiter_;
};

}
