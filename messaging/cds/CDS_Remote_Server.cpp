#include "messaging/cds/CDS_Remote_Server.h"
#include "messaging/cds/CDS_Remote_messages.h"
#include "platform/data/CDS_Remote_Receive_buffer.h"
#include "platform/data/CDS_Remote_Send_buffer.h"
#include "platform/rtos/Bugger.h"
#include "platform/rtos/Debug_base.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <zlib.h>

namespace CDS {
namespace Remote {

namespace {

constexpr int debug_channel = 97;

// The fixed part of each request: a shorter one is dropped.
int request_size(uint8_t type)
{
    switch (type) {
    case msg_request_ids:
        return Msg_request_ids::size;
    case msg_request_value:
    case msg_set_value:
    case msg_register:
        return Msg_request_value::size;
    case msg_request_crc:
        return Msg_request_crc::size;
    case msg_cancel:
        return Msg_request_value::cancel_size;
    default:
        return -1;
    }
}

const char* zlib_error_name(int error)
{
    switch (error) {
    case Z_MEM_ERROR:
        return "Z_MEM_ERROR";
    case Z_STREAM_ERROR:
        return "Z_STREAM_ERROR";
    case Z_BUF_ERROR:
        return "Z_BUF_ERROR";
    default:
        return "UNKNOWN";
    }
}

}

Server::Server() = default;

Server::~Server()
{
    // Items outlive the server: they must not call its handlers any more.
    for (auto& handler : handlers_)
        if (handler->get_item().get_event_handler() == handler.get())
            handler->get_item().set_event_handler(nullptr);
}

void Server::add_cds(Lookup_root& root)
{
    root_.add_cds(root);
}

void Server::add_nv(NV_store::NV_root& root)
{
    root_.add_nv(root);
}

Data_item* Server::find(uint16_t id)
{
    return root_.find_data_item(id);
}

int Server::get_ids_text(char* buffer, uint32_t offset, int capacity, uint16_t id, int depth)
{
    if (capacity < 1)
        return 0;
    std::memset(buffer, 0, size_t(capacity));
    Data_item* item = id == 0 ? &root_ : find(id);
    if (!item)
        return 0;
    Send_buffer text(reinterpret_cast<uint8_t*>(buffer), unsigned(capacity - 1), offset);
    item->serialise_structure(text, depth);
    return int(text.size());
}

uint32_t Server::get_cds_len()
{
    constexpr int scratch_size = 1048576;
    char* scratch = static_cast<char*>(std::malloc(scratch_size));
    if (!scratch)
        Bugger::report_bug("buf");
    uint32_t total = 0;
    for (;;) {
        int n = get_ids_text(scratch, total, scratch_size, 0, 255);
        if (n < 1)
            break;
        total += uint32_t(n);
    }
    std::free(scratch);
    return total;
}

void Server::build_ids()
{
    if (ids_built_) {
        Debug_print::dprint("CDS::Wrong server state to request compress\n");
        ids_compressed_.clear();
        return;
    }
    ids_built_ = true;
    ids_length_ = get_cds_len();
    std::vector<char> text(ids_length_ + 1);
    std::vector<uint8_t> packed(compressBound(ids_length_ + 1));
    if (get_ids_text(text.data(), 0, int(ids_length_ + 1), 0, 255) != int(ids_length_)) {
        Debug_print::dprint("CDS::Unable to get the IDs structure\n");
        return;
    }
    uLongf packed_length = packed.size();
    int result = compress2(packed.data(), &packed_length, reinterpret_cast<const Bytef*>(text.data()), ids_length_,
                           Z_DEFAULT_COMPRESSION);
    if (result != Z_OK) {
        Debug_print::dprint("CDS::Unable to compress the IDs structure len(%d->%d)err=%s\n", int(ids_length_),
                            int(packed_length), zlib_error_name(result));
        return;
    }
    packed.resize(packed_length);
    ids_compressed_ = std::move(packed);
}

void Server::handle_message(Backend& backend, const uint8_t* message, int length)
{
    if (length < 1)
        return;
    uint8_t tx[tx_size];
    int room = tx_size;
    uint8_t* reply = backend.get_tx_buffer(tx, room);
    const uint8_t type = message[0];
    const int needed = request_size(type);
    if (needed < 0)
        return;
    if (length < needed) {
        Debug_base::print(debug_channel, "Short request %x len=%d\n", unsigned(type), length);
        return;
    }
    const Msg_request_value request{{}, message};
    switch (type) {
    case msg_request_ids:
        if (!reply) {
            Debug_base::print(debug_channel, "RES BUFF IS NULL tx_len=%d\n", room);
            return;
        }
        request_ids(backend, message, reply, room);
        return;
    case msg_request_value:
    case msg_set_value: {
        Data_item* item = find(request.id());
        if (!item) {
            if (type == msg_request_value)
                Debug_base::print(debug_channel, "Could not find %d\n", int(request.id()));
            else
                Debug_base::print(debug_channel, "Change-not found\n");
            return;
        }
        if (type == msg_set_value) {
            Receive_buffer value(message + Msg_send_value::header, unsigned(length - Msg_send_value::header));
            uint16_t pos = request.pos();
            item->deserialise(value, pos);
        }
        send_value(backend, *item, request.id(), request.pos());
        return;
    }
    case msg_request_crc: {
        {
            std::lock_guard<Owned_mutex> guard(watch_lock_);
            unwatch_all(backend);
        }
        if (!reply)
            return;
        Msg_send_crc{{}, reply}.set(0, ids_length_);
        Debug_base::print(debug_channel, "CRC=%x Len=%d\n", 0u, int(ids_length_));
        send(backend, reply, Msg_send_crc::size);
        return;
    }
    case msg_register:
    case msg_cancel: {
        Data_item* item = find(request.id());
        if (!item) {
            Debug_base::print(debug_channel, "Could not find %d\n", int(request.id()));
            return;
        }
        {
            std::lock_guard<Owned_mutex> guard(watch_lock_);
            if (type == msg_register)
                watch(backend, *item);
            else
                unwatch(backend, *item);
        }
        // The value goes after the lock: reading it may take the item's locks,
        // which writers hold while they signal.
        if (type == msg_register)
            send_value(backend, *item, request.id(), request.pos());
        return;
    }
    }
}

void Server::request_ids(Backend& backend, const uint8_t* message, uint8_t* reply, int room)
{
    const Msg_request_ids request{{}, message};
    Debug_base::print(debug_channel, "Got Request id=%d %d %d\n", int(request.id()), int(request.offset()),
                      int(request.depth()));
    Msg_send_ids answer{{}, reply};
    const int slice = std::min(ids_slice, room - Msg_send_ids::header - 1);
    int count = 0;
    if (request.id() != 0) {
        count = get_ids_text(reinterpret_cast<char*>(answer.text()), request.offset(), slice, request.id(),
                             request.depth());
    } else if (request.offset() < ids_compressed_.size()) {
        count = int(std::min<size_t>(ids_compressed_.size() - request.offset(), size_t(slice)));
        std::memcpy(answer.text(), ids_compressed_.data() + request.offset(), size_t(count));
    }
    answer.text()[count] = 0;
    answer.set(request.offset());
    Debug_base::print(debug_channel, "Response id=%d %d %d\n", int(request.offset()), count, 5);
    bool ok = send(backend, reply, count + Msg_send_ids::header + 1);
    Debug_base::print(debug_channel, "Send %d->%d bytes %s\n\n", count, count + Msg_send_ids::header + 1,
                      ok ? "ok" : "fail");
}

bool Server::send_value(Backend& backend, Data_item& item, uint16_t id, uint16_t pos)
{
    uint8_t tx[tx_size];
    int room = tx_size;
    uint8_t* reply = backend.get_tx_buffer(tx, room);
    if (!reply || room < Msg_send_value::header)
        return false;
    Msg_send_value answer{{}, reply};
    answer.set(id, pos);
    Send_buffer value(answer.value(), unsigned(std::min(value_room, room - Msg_send_value::header)));
    uint16_t from = pos;
    item.serialise(value, from);
    return send(backend, reply, Msg_send_value::header + int(value.size()));
}

bool Server::send(Backend& backend, uint8_t* message, int length)
{
    if (!backend.send(message, length, true, send_code))
        return false;
    ++in_flight_;
    return true;
}

Peer* Server::find_peer(const Backend& backend)
{
    for (auto& peer : peers_)
        if (peer->backend->same_peer(backend))
            return peer.get();
    peers_.push_back(std::make_unique<Peer>());
    peers_.back()->backend = backend.clone();
    return peers_.back().get();
}

Event_handler* Server::get_event_handler(Data_item& item)
{
    auto* ours = dynamic_cast<Event_handler*>(item.get_event_handler());
    if (ours && &ours->server_ == this)
        return ours;
    handlers_.push_back(std::make_unique<Event_handler>(*this, item));
    item.set_event_handler(handlers_.back().get());
    return handlers_.back().get();
}

void Server::watch(const Backend& backend, Data_item& item)
{
    Peer* peer = find_peer(backend);
    Event_handler* handler = get_event_handler(item);
    if (std::find(handler->peers_.begin(), handler->peers_.end(), peer) == handler->peers_.end())
        handler->peers_.push_back(peer);
    watched_.insert(&item);
}

void Server::unwatch(const Backend& backend, Data_item& item)
{
    Peer* peer = find_peer(backend);
    Event_handler* handler = get_event_handler(item);
    handler->peers_.erase(std::remove(handler->peers_.begin(), handler->peers_.end(), peer), handler->peers_.end());
    // Nor does a change queued before the cancel reach the peer after it.
    peer->pending.erase(std::remove(peer->pending.begin(), peer->pending.end(), handler), peer->pending.end());
    if (handler->peers_.empty())
        watched_.erase(&item);
}

void Server::unwatch_all(const Backend& backend)
{
    // Only this peer's watches end; items others watch stay watched.
    std::vector<Data_item*> items(watched_.begin(), watched_.end());
    for (Data_item* item : items)
        unwatch(backend, *item);
}

void Server::on_tx_complete(int code)
{
    if (code == send_code || code == -send_code) {
        if (in_flight_ > 0)
            --in_flight_;
    }
    else if (code != 0)
        return;
    flush_pending();
}

void Server::set_wake(std::function<void()> wake)
{
    std::lock_guard<Owned_mutex> guard(watch_lock_);
    wake_ = std::move(wake);
}

bool Server::tick_wanted()
{
    // Cleared before the look, so that a change queued after it finds the
    // flag down and wakes the transport.
    ticking_.store(false);
    bool waiting = false;
    {
        std::lock_guard<Owned_mutex> guard(watch_lock_);
        for (auto& p : peers_)
            waiting = waiting || !p->pending.empty();
    }
    if (waiting)
        ticking_.store(true);
    return waiting;
}

void Server::flush_pending()
{
    if (in_flight_ > 0)
        return;
    Peer* peer = nullptr;
    Event_handler* handler = nullptr;
    {
        std::lock_guard<Owned_mutex> guard(watch_lock_);
        for (auto& p : peers_) {
            if (!p->pending.empty()) {
                peer = p.get();
                handler = p->pending.front();
                p->pending.pop_front();
                break;
            }
        }
    }
    if (!handler)
        return;
    Data_item& item = handler->get_item();
    if (send_value(*peer->backend, item, item.get_remote_id(), 0))
        return;
    // Not lost: it goes first next time.
    std::lock_guard<Owned_mutex> guard(watch_lock_);
    peer->pending.push_front(handler);
}

}
}
