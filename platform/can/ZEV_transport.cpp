#include "platform/can/ZEV_transport.h"
#include "platform/can/ZEV_link.h"
#include "platform/can/ZEV_trans.h"
#include "platform/io/Binary_message.h"
#include "platform/rtos/Debug_base.h"
#include "platform/rtos/Timeout.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace {
constexpr uint32_t pgn_tp_cm = 0xEC00, pgn_tp_dt = 0xEB00, pgn_etp_cm = 0xC800, pgn_etp_dt = 0xC700;
constexpr uint8_t transport_priority = 7;
enum : uint8_t {
    tp_rts = 16, tp_cts = 17, tp_eoma = 19, tp_bam = 32,
    etp_rts = 20, etp_cts = 21, etp_dpo = 22, etp_eoma = 23,
    cm_abort = 255,
};
enum : uint8_t {
    reason_resources = 2, reason_timeout = 3, reason_cts_while_sending = 4, reason_retries = 5,
    reason_bad_sequence = 7, reason_too_big = 9,
};

uint32_t packets_for(size_t bytes)
{
    return uint32_t((bytes + 6) / 7);
}

// A connection management frame: the control byte, 0xFF filler, the PGN in bytes 5-7.
struct Cm {
    uint8_t d[8];
    Cm(uint8_t control, uint32_t pgn)
    {
        std::memset(d, 0xFF, sizeof d);
        d[0] = control;
        Binary_message::set_uint24_le(d + 5, pgn);
    }
};
}

struct ZEV_transport::Tx {
    Tx(Mode m, const ZEV_header& h, const uint8_t* bytes, size_t length, waiter_descriptor* w, int c)
        : mode(m), header(h), data(bytes, bytes + length), waiter(w), code(c), packets(packets_for(length))
    {
    }
    Mode mode;
    ZEV_header header;
    std::vector<uint8_t> data;
    waiter_descriptor* waiter;
    int code;
    uint32_t packets;
    enum class State { queued, wait_cts, sending, hold } state = State::queued;
    uint32_t next = 1;   // the next packet to send
    uint32_t last = 0;   // the last packet of the block being sent
    uint32_t offset = 0; // ETP: the packets before the block
    int since_pause = 0; // for the throttler
    Timeout timer;
};

struct ZEV_transport::Rx {
    Rx(Mode m, uint8_t from, uint8_t to, uint32_t p, uint8_t prio, size_t size)
        : mode(m), source(from), destination(to), pgn(p), priority(prio), data(size), packets(packets_for(size))
    {
    }
    Mode mode;
    uint8_t source, destination;
    uint32_t pgn;
    uint8_t priority;
    std::vector<uint8_t> data;
    uint32_t packets;
    uint32_t window = 0;  // packets asked for per CTS
    uint32_t next = 1;    // the packet expected next
    uint32_t last = 0;    // the last packet of the block asked for
    uint32_t offset = 0;  // ETP: the packets before the block
    bool wait_dpo = false;
    int retries = 0;
    Timeout timer;
};

bool ZEV_transport::is_transport_pgn(uint32_t pgn)
{
    return pgn == pgn_tp_cm || pgn == pgn_tp_dt || pgn == pgn_etp_cm || pgn == pgn_etp_dt;
}

ZEV_transport::ZEV_transport(ZEV_link& link) : link_(link) {}

ZEV_transport::~ZEV_transport() = default;

void ZEV_transport::set_throttler(const ZEV_trans::Throttler& throttler)
{
    std::lock_guard<std::mutex> lock(mutex_);
    throttler_ = throttler;
}

bool ZEV_transport::send_cm(bool etp, uint8_t source, uint8_t destination, const uint8_t* data)
{
    return link_.send_frame(ZEV_header(source, destination, etp ? pgn_etp_cm : pgn_tp_cm, transport_priority, 0, 8),
                            data);
}

// ---- sending

bool ZEV_transport::send(const ZEV_header& header, const uint8_t* data, size_t length, waiter_descriptor* waiter,
                         int code)
{
    bool global = header.get_destination() == ZEV_trans::ADDR_BROADCAST;
    if (length <= 8 || length > etp_max || (global && length > tp_max)) {
        Debug_print::dprint("ZEV: cannot send %zu bytes of PGN %u to %s\n", length, header.get_pgn(),
                            global ? "all (at most 1785)" : "one address");
        return false;
    }
    std::unique_ptr<Tx> tx(
        new Tx(global ? Mode::bam : length <= tp_max ? Mode::tp : Mode::etp, header, data, length, waiter, code));
    std::lock_guard<std::mutex> lock(mutex_);
    if (!active_tx(header.get_source(), header.get_destination()) && !start(*tx)) {
        Debug_print::dprint("ZEV: cannot send %zu bytes of PGN %u: the bus takes no frames\n", length,
                            header.get_pgn());
        return false;
    }
    tx_.push_back(std::move(tx));
    return true;
}

ZEV_transport::Tx* ZEV_transport::active_tx(uint8_t source, uint8_t destination)
{
    for (auto& tx : tx_)
        if (tx->state != Tx::State::queued && tx->header.get_source() == source &&
            tx->header.get_destination() == destination)
            return tx.get();
    return nullptr;
}

bool ZEV_transport::start(Tx& tx)
{
    uint32_t size = uint32_t(tx.data.size());
    Cm cm(tx.mode == Mode::etp ? etp_rts : tx.mode == Mode::bam ? tp_bam : tp_rts, tx.header.get_pgn());
    if (tx.mode == Mode::etp) {
        Binary_message::set_uint32_le(cm.d + 1, size);
    } else {
        Binary_message::set_uint16_le(cm.d + 1, uint16_t(size));
        cm.d[3] = uint8_t(tx.packets);
    }
    if (!send_cm(tx.mode == Mode::etp, tx.header.get_source(), tx.header.get_destination(), cm.d))
        return false;
    if (tx.mode == Mode::bam) {
        tx.last = tx.packets;
        tx.state = Tx::State::sending;
        link_.arm(tx.timer, bam_gap_ms);
    } else {
        tx.state = Tx::State::wait_cts;
        link_.arm(tx.timer, T3);
    }
    return true;
}

void ZEV_transport::send_block(Tx& tx)
{
    bool throttled = throttler_.is_active() && tx.mode != Mode::bam;
    while (tx.next <= tx.last) {
        if (throttled && tx.since_pause >= throttler_.get_pkts_between_delay()) {
            tx.since_pause = 0;
            link_.arm(tx.timer, throttler_.get_delay_ms());
            return;
        }
        uint8_t d[8];
        std::memset(d, 0xFF, sizeof d);
        d[0] = uint8_t(tx.next - tx.offset);
        size_t at = size_t(tx.next - 1) * 7;
        std::memcpy(d + 1, tx.data.data() + at, std::min<size_t>(7, tx.data.size() - at));
        if (!link_.send_frame(ZEV_header(tx.header.get_source(), tx.header.get_destination(),
                                         tx.mode == Mode::etp ? pgn_etp_dt : pgn_tp_dt, transport_priority, 0, 8),
                              d)) {
            // The bus refuses (server gone, transmit queue full): fail now
            // rather than report a broadcast as sent or wait for a time-out.
            abort(tx, reason_resources);
            return;
        }
        ++tx.next;
        ++tx.since_pause;
        if (tx.mode == Mode::bam && tx.next <= tx.last) {
            link_.arm(tx.timer, bam_gap_ms);
            return;
        }
    }
    if (tx.mode == Mode::bam) {
        finish(tx, true);
    } else {
        tx.state = Tx::State::wait_cts;
        link_.arm(tx.timer, T3);
    }
}

void ZEV_transport::on_cts(Tx& tx, uint32_t count, uint32_t next)
{
    if (tx.state == Tx::State::sending) {
        abort(tx, reason_cts_while_sending);
        return;
    }
    if (count == 0) { // the receiver holds us
        tx.state = Tx::State::hold;
        link_.arm(tx.timer, T4);
        return;
    }
    if (next < 1 || next > tx.packets) {
        abort(tx, reason_bad_sequence);
        return;
    }
    tx.next = next;
    tx.last = std::min(tx.packets, next + count - 1);
    if (tx.mode == Mode::etp) {
        tx.offset = next - 1;
        Cm dpo(etp_dpo, tx.header.get_pgn());
        dpo.d[1] = uint8_t(tx.last - next + 1);
        Binary_message::set_uint24_le(dpo.d + 2, tx.offset);
        send_cm(true, tx.header.get_source(), tx.header.get_destination(), dpo.d);
    }
    tx.state = Tx::State::sending;
    send_block(tx);
}

void ZEV_transport::abort(Tx& tx, uint8_t reason)
{
    Debug_base::print(ZEV_trans::DEBUG_CHANNEL, "ZEV: send of PGN %u from %u to %u aborted, reason %u\n",
                      tx.header.get_pgn(), tx.header.get_source(), tx.header.get_destination(), reason);
    if (tx.mode != Mode::bam) {
        Cm cm(cm_abort, tx.header.get_pgn());
        cm.d[1] = reason;
        send_cm(tx.mode == Mode::etp, tx.header.get_source(), tx.header.get_destination(), cm.d);
    }
    finish(tx, false);
}

void ZEV_transport::finish(Tx& tx, bool ok)
{
    link_.complete(tx.waiter, tx.code, ok);
    uint8_t source = tx.header.get_source(), destination = tx.header.get_destination();
    tx_.remove_if([&tx](const std::unique_ptr<Tx>& t) { return t.get() == &tx; });
    start_next(source, destination);
}

// Starts the next send queued for the pair; those the bus refuses fail at once.
void ZEV_transport::start_next(uint8_t source, uint8_t destination)
{
    for (auto it = tx_.begin(); it != tx_.end();) {
        Tx& t = **it;
        if (t.header.get_source() != source || t.header.get_destination() != destination) {
            ++it;
        } else if (start(t)) {
            return;
        } else {
            link_.complete(t.waiter, t.code, false);
            it = tx_.erase(it);
        }
    }
}

// ---- receiving

ZEV_transport::Rx* ZEV_transport::find_rx(Mode mode, uint8_t source, uint8_t destination)
{
    for (auto& rx : rx_)
        if (rx->mode == mode && rx->source == source && rx->destination == destination)
            return rx.get();
    return nullptr;
}

void ZEV_transport::start_rx(Mode mode, const ZEV_header& header, const uint8_t* d)
{
    uint8_t source = header.get_source(), destination = header.get_destination();
    uint32_t pgn = Binary_message::get_uint24_le(d + 5);
    size_t size = mode == Mode::etp ? Binary_message::get_uint32_le(d + 1) : Binary_message::get_uint16_le(d + 1);
    if (Rx* old = find_rx(mode, source, destination)) // the sender has given the old one up
        drop(*old);
    uint8_t refusal = 0;
    if (size <= 8 || (mode != Mode::etp && (size > tp_max || d[3] != packets_for(size))))
        refusal = reason_too_big;
    else if (mode == Mode::etp && size > receive_max - etp_bytes_)
        refusal = reason_resources;
    if (refusal) {
        Debug_base::print(ZEV_trans::DEBUG_CHANNEL, "ZEV: refused %zu bytes of PGN %u from %u\n", size, pgn, source);
        if (mode != Mode::bam) {
            Cm cm(cm_abort, pgn);
            cm.d[1] = refusal;
            send_cm(mode == Mode::etp, destination, source, cm.d);
        }
        return;
    }
    if (mode == Mode::etp)
        etp_bytes_ += size;
    rx_.push_back(std::unique_ptr<Rx>(new Rx(mode, source, destination, pgn, header.get_priority(), size)));
    Rx& rx = *rx_.back();
    if (mode == Mode::bam) {
        rx.last = rx.packets;
        link_.arm(rx.timer, T1);
        return;
    }
    uint32_t sender_limit = mode == Mode::tp && d[4] != 0xFF && d[4] != 0 ? d[4] : 255;
    rx.window = std::min(mode == Mode::tp ? tp_window : etp_window, sender_limit);
    ask(rx);
}

void ZEV_transport::ask(Rx& rx)
{
    uint32_t count = std::min(rx.window, rx.packets - rx.next + 1);
    rx.last = rx.next + count - 1;
    bool etp = rx.mode == Mode::etp;
    Cm cts(etp ? etp_cts : tp_cts, rx.pgn);
    cts.d[1] = uint8_t(count);
    if (etp) {
        Binary_message::set_uint24_le(cts.d + 2, rx.next);
        rx.wait_dpo = true;
    } else {
        cts.d[2] = uint8_t(rx.next);
    }
    send_cm(etp, rx.destination, rx.source, cts.d);
    link_.arm(rx.timer, T2);
}

void ZEV_transport::on_data(Rx& rx, const uint8_t* d)
{
    if (rx.wait_dpo || d[0] == 0)
        return;
    uint32_t packet = rx.offset + d[0];
    if (packet == rx.next && packet <= rx.last) {
        size_t at = size_t(packet - 1) * 7;
        std::memcpy(rx.data.data() + at, d + 1, std::min<size_t>(7, rx.data.size() - at));
        ++rx.next;
        if (rx.next > rx.packets) {
            complete(rx);
        } else if (rx.next > rx.last) {
            rx.retries = 0;
            ask(rx);
        } else {
            link_.arm(rx.timer, T1);
        }
        return;
    }
    if (packet <= rx.next || packet > rx.last)
        return; // a repeat, or none of this block
    // Packets in between were lost.
    if (rx.mode == Mode::bam) {
        Debug_base::print(ZEV_trans::DEBUG_CHANNEL, "ZEV: BAM of PGN %u from %u lost packet %u\n", rx.pgn,
                          rx.source, rx.next);
        drop(rx);
    } else if (packet == rx.last) {
        retry(rx, reason_retries);
    } else {
        link_.arm(rx.timer, T1);
    }
}

void ZEV_transport::retry(Rx& rx, uint8_t reason_when_done)
{
    if (rx.retries >= max_retries) {
        abort(rx, reason_when_done);
        return;
    }
    ++rx.retries;
    Debug_base::print(ZEV_trans::DEBUG_CHANNEL, "ZEV: asking %u again for PGN %u from packet %u\n", rx.source, rx.pgn,
                      rx.next);
    ask(rx);
}

void ZEV_transport::abort(Rx& rx, uint8_t reason)
{
    Debug_base::print(ZEV_trans::DEBUG_CHANNEL, "ZEV: receipt of PGN %u from %u aborted, reason %u\n", rx.pgn,
                      rx.source, reason);
    Cm cm(cm_abort, rx.pgn);
    cm.d[1] = reason;
    send_cm(rx.mode == Mode::etp, rx.destination, rx.source, cm.d);
    drop(rx);
}

void ZEV_transport::complete(Rx& rx)
{
    uint32_t size = uint32_t(rx.data.size());
    if (rx.mode != Mode::bam) {
        bool etp = rx.mode == Mode::etp;
        Cm eoma(etp ? etp_eoma : tp_eoma, rx.pgn);
        if (etp) {
            Binary_message::set_uint32_le(eoma.d + 1, size);
        } else {
            Binary_message::set_uint16_le(eoma.d + 1, uint16_t(size));
            eoma.d[3] = uint8_t(rx.packets);
        }
        send_cm(etp, rx.destination, rx.source, eoma.d);
    }
    link_.deliver(ZEV_header(rx.source, rx.destination, rx.pgn, rx.priority, 0, size), rx.data.data(), size);
    drop(rx);
}

void ZEV_transport::drop(Rx& rx)
{
    if (rx.mode == Mode::etp)
        etp_bytes_ -= rx.data.size();
    rx_.remove_if([&rx](const std::unique_ptr<Rx>& r) { return r.get() == &rx; });
}

// ---- frames and timers

void ZEV_transport::handle_frame(const ZEV_header& header, const uint8_t* d, uint8_t length)
{
    if (length < 8)
        return;
    uint32_t pgn = header.get_pgn();
    uint8_t source = header.get_source(), destination = header.get_destination();
    bool etp = pgn == pgn_etp_cm || pgn == pgn_etp_dt;
    bool to_all = destination == ZEV_trans::ADDR_BROADCAST;
    // A node without an address sends no transfers; answering one would go to all.
    if (source >= ZEV_trans::ADDRESS_NULL || (!to_all && !link_.is_local_address(destination)))
        return;
    std::lock_guard<std::mutex> lock(mutex_);
    if (pgn == pgn_tp_dt || pgn == pgn_etp_dt) {
        if (Rx* rx = find_rx(to_all ? Mode::bam : etp ? Mode::etp : Mode::tp, source, destination))
            on_data(*rx, d);
        return;
    }
    uint8_t control = d[0];
    if (to_all) {
        if (pgn == pgn_tp_cm && control == tp_bam)
            start_rx(Mode::bam, header, d);
        return;
    }
    bool fits = control == cm_abort || (etp ? control >= etp_rts && control <= etp_eoma
                                            : control == tp_rts || control == tp_cts || control == tp_eoma);
    if (!fits)
        return; // a control byte of the other protocol
    uint32_t about = Binary_message::get_uint24_le(d + 5);
    Tx* tx = active_tx(destination, source);
    if (tx && (tx->header.get_pgn() != about || (tx->mode == Mode::etp) != etp))
        tx = nullptr;
    switch (control) {
    case tp_rts:
    case etp_rts:
        start_rx(etp ? Mode::etp : Mode::tp, header, d);
        break;
    case tp_cts:
    case etp_cts:
        if (tx)
            on_cts(*tx, d[1], etp ? Binary_message::get_uint24_le(d + 2) : d[2]);
        break;
    case etp_dpo:
        if (Rx* rx = find_rx(Mode::etp, source, destination))
            if (rx->wait_dpo && d[1] > 0 && Binary_message::get_uint24_le(d + 2) == rx->next - 1) {
                rx->offset = rx->next - 1;
                rx->last = std::min(rx->last, rx->offset + d[1]);
                rx->wait_dpo = false;
                link_.arm(rx->timer, T1);
            }
        break;
    case tp_eoma:
    case etp_eoma:
        // Only once every packet went out: an early one does not make the message whole.
        if (tx && tx->state == Tx::State::wait_cts && tx->next > tx->packets)
            finish(*tx, true);
        break;
    case cm_abort:
        if (tx)
            finish(*tx, false);
        if (Rx* rx = find_rx(etp ? Mode::etp : Mode::tp, source, destination))
            if (rx->pgn == about)
                drop(*rx);
        break;
    default:
        break;
    }
}

bool ZEV_transport::handle_timeout(Timeout& timeout)
{
    std::lock_guard<std::mutex> lock(mutex_);
    for (auto& tx : tx_) {
        if (&tx->timer != &timeout)
            continue;
        if (tx->state == Tx::State::sending)
            send_block(*tx); // the pause between packets is over
        else if (tx->state != Tx::State::queued)
            abort(*tx, reason_timeout);
        return true;
    }
    for (auto& rx : rx_) {
        if (&rx->timer != &timeout)
            continue;
        if (rx->mode == Mode::bam) {
            Debug_base::print(ZEV_trans::DEBUG_CHANNEL, "ZEV: BAM of PGN %u from %u timed out\n", rx->pgn,
                              rx->source);
            drop(*rx);
        } else {
            retry(*rx, reason_timeout);
        }
        return true;
    }
    return false;
}

void ZEV_transport::forget_waiter(const waiter_descriptor* waiter)
{
    std::lock_guard<std::mutex> lock(mutex_);
    for (auto& tx : tx_)
        if (tx->waiter == waiter)
            tx->waiter = nullptr;
}

void ZEV_transport::fail_all()
{
    std::lock_guard<std::mutex> lock(mutex_);
    for (auto& tx : tx_)
        link_.complete(tx->waiter, tx->code, false);
    tx_.clear();
    rx_.clear();
    etp_bytes_ = 0;
}
