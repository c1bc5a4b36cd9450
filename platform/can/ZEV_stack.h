#pragma once
#include "platform/can/ZEV_header.h"

#include <cstdint>
#include <deque>
#include <list>
#include <mutex>
#include <vector>

class waiter_descriptor;

// The PGN service of a stack: tasks register for the messages of a PGN, or
// for requests (PGN 59904) for a PGN, and hear of each one that arrives
// for this node or for all by an event; the message waits in the
// registration's queue until read.
class ZEV_stack {
public:
    // Registration types. Every type but PGN_REQUEST registers for the
    // messages of the PGN, of any length (so 1, used for long messages, is
    // the same as 0).
    static constexpr int PGN_DATA = 0;
    static constexpr int PGN_REQUEST = 3;
    // A registration keeps at most this many unread messages; later ones are dropped.
    static constexpr size_t max_queued = 1000;

    ZEV_stack() = default;
    virtual ~ZEV_stack() = default;
    ZEV_stack(const ZEV_stack&) = delete;
    ZEV_stack& operator=(const ZEV_stack&) = delete;

    // Each message posts {module *id, code PGN} to the waiter: *id is the
    // receive module (get_receive_module) for data, the request module
    // (get_request_module) for requests. Registering twice is registering
    // once. 0 on success, -1 without a waiter.
    int register_pgn(uint32_t pgn, waiter_descriptor* waiter, int16_t* id, int type);
    // Drops the registration and its unread messages; -1 when there is none.
    int deregister_pgn(uint32_t pgn, waiter_descriptor* waiter, int type);

    // Takes the oldest unread message of the registration (the first one of
    // the PGN when waiter is null) into buffer: returns how many bytes were
    // copied (at most max) and fills header, whose length is that count. A
    // request reads as its 3 bytes, the header naming the requested PGN, the
    // requester as source and the request's destination. Negative when
    // there is no such registration or nothing to read.
    int read(uint32_t pgn, ZEV_header& header, uint8_t* buffer, int max, waiter_descriptor* waiter, int type);

    // Sends header.get_length() bytes (at most 8) at once as one frame. 0 on
    // success; -1 when the source is not an address this node holds, the
    // length is over 8 or the bus refuses.
    int write_now(const ZEV_header& header, const uint8_t* data);

    int16_t get_receive_module() const { return receive_module_; }
    int16_t get_request_module() const { return request_module_; }

protected:
    void set_modules(int16_t receive, int16_t request);
    void deliver_data(const ZEV_header& header, const uint8_t* data, size_t length);
    // Returns how many registrations took the request.
    int deliver_request(const ZEV_header& request);
    // One frame from a source this node holds.
    virtual bool send_single(const ZEV_header& header, const uint8_t* data) = 0;

private:
    struct Message {
        ZEV_header header;
        std::vector<uint8_t> data;
    };
    struct Registration {
        uint32_t pgn;
        waiter_descriptor* waiter;
        bool request;
        std::deque<Message> queue;
    };

    int put(bool request, const ZEV_header& header, const uint8_t* data, size_t length);

    std::mutex mutex_;
    std::list<Registration> registrations_;
    int16_t receive_module_ = 0;
    int16_t request_module_ = 0;
};
