#include "platform/can/ZEV_stack.h"
#include "platform/can/ZEV_trans.h"
#include "platform/io/Binary_message.h"
#include "platform/rtos/Debug_base.h"
#include "platform/rtos/waiter_descriptor.h"

#include <algorithm>

void ZEV_stack::set_modules(int16_t receive, int16_t request)
{
    receive_module_ = receive;
    request_module_ = request;
}

int ZEV_stack::register_pgn(uint32_t pgn, waiter_descriptor* waiter, int16_t* id, int type)
{
    if (!waiter)
        return -1;
    bool request = type == PGN_REQUEST;
    pgn = ZEV_header::normal_pgn(pgn);
    if (id)
        *id = request ? request_module_ : receive_module_;
    std::lock_guard<std::mutex> lock(mutex_);
    for (const Registration& r : registrations_)
        if (r.pgn == pgn && r.waiter == waiter && r.request == request)
            return 0;
    registrations_.push_back(Registration{pgn, waiter, request, {}});
    return 0;
}

int ZEV_stack::deregister_pgn(uint32_t pgn, waiter_descriptor* waiter, int type)
{
    bool request = type == PGN_REQUEST;
    pgn = ZEV_header::normal_pgn(pgn);
    std::lock_guard<std::mutex> lock(mutex_);
    for (auto it = registrations_.begin(); it != registrations_.end(); ++it)
        if (it->pgn == pgn && it->waiter == waiter && it->request == request) {
            registrations_.erase(it);
            return 0;
        }
    return -1;
}

int ZEV_stack::read(uint32_t pgn, ZEV_header& header, uint8_t* buffer, int max, waiter_descriptor* waiter, int type)
{
    bool request = type == PGN_REQUEST;
    pgn = ZEV_header::normal_pgn(pgn);
    std::lock_guard<std::mutex> lock(mutex_);
    for (Registration& r : registrations_) {
        if (r.pgn != pgn || r.request != request || (waiter && r.waiter != waiter))
            continue;
        if (r.queue.empty())
            return -2;
        Message m = std::move(r.queue.front());
        r.queue.pop_front();
        int n = int(std::min(m.data.size(), size_t(std::max(max, 0))));
        if (size_t(n) < m.data.size())
            Debug_base::print(ZEV_trans::DEBUG_CHANNEL, "ZEV: read of PGN %u keeps %d of %zu bytes\n", pgn, n,
                              m.data.size());
        std::copy(m.data.begin(), m.data.begin() + n, buffer);
        header = m.header;
        header.set_length(uint32_t(n));
        return n;
    }
    return -1;
}

int ZEV_stack::write_now(const ZEV_header& header, const uint8_t* data)
{
    if (header.get_length() > 8 || (!data && header.get_length() > 0))
        return -1;
    return send_single(header, data) ? 0 : -1;
}

void ZEV_stack::deliver_data(const ZEV_header& header, const uint8_t* data, size_t length)
{
    put(false, header, data, length);
}

int ZEV_stack::deliver_request(const ZEV_header& request)
{
    uint8_t data[3];
    Binary_message::set_uint24_le(data, request.get_pgn());
    return put(true, request, data, sizeof data);
}

int ZEV_stack::put(bool request, const ZEV_header& header, const uint8_t* data, size_t length)
{
    std::lock_guard<std::mutex> lock(mutex_);
    int taken = 0;
    for (Registration& r : registrations_) {
        if (r.pgn != header.get_pgn() || r.request != request)
            continue;
        ++taken;
        if (r.queue.size() >= max_queued) {
            Debug_print::dprint("ZEV: %zu unread messages of PGN %u; one from address %u dropped\n", r.queue.size(),
                                r.pgn, header.get_source());
            continue;
        }
        ZEV_header h = header;
        h.set_length(uint32_t(length));
        r.queue.push_back(Message{h, std::vector<uint8_t>(data, data + length)});
        r.waiter->post(waiter_event{request ? request_module_ : receive_module_, r.pgn, nullptr, nullptr});
    }
    return taken;
}
