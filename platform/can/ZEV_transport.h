#pragma once
#include "platform/can/ZEV_header.h"
#include "platform/can/ZEV_trans_Throttler.h"

#include <cstddef>
#include <cstdint>
#include <list>
#include <memory>
#include <mutex>

class Timeout;
class ZEV_link;
class waiter_descriptor;

// Messages of more than 8 bytes, as ISO 11783-3 carries them: TP with RTS/CTS
// to one address (up to 1785 bytes), TP BAM to all (up to 1785), and ETP to
// one address (more). Sends to one pair of addresses go one after another;
// each ends in one completion, success or failure. The receiver asks again
// for lost packets (twice at most), and each side gives up after the
// standard's time-outs with an abort.
class ZEV_transport {
public:
    static constexpr size_t tp_max = 1785;
    static constexpr size_t etp_max = 117440505; // 7 x (2^24 - 1)
    // A peer's RTS costs a buffer of the size it names: the incoming ETP
    // messages in progress hold at most this many bytes together, and an RTS
    // that would pass it is refused. (TP ones are small, and one per address.)
    static constexpr size_t receive_max = 16u << 20;
    // Time-outs in ms: T1 between data packets, T2 after a CTS, T3 for a CTS
    // or the end acknowledgement, T4 after a CTS that holds the sender.
    static constexpr int T1 = 750, T2 = 1250, T3 = 1250, T4 = 1050;
    static constexpr int bam_gap_ms = 50; // between the packets of a BAM
    static constexpr int max_retries = 2;
    static constexpr uint32_t tp_window = 16, etp_window = 255; // packets asked for per CTS

    // The PGNs of TP and ETP connection management and data frames.
    static bool is_transport_pgn(uint32_t pgn);

    explicit ZEV_transport(ZEV_link& link);
    ~ZEV_transport();
    ZEV_transport(const ZEV_transport&) = delete;
    ZEV_transport& operator=(const ZEV_transport&) = delete;

    void set_throttler(const ZEV_trans::Throttler& throttler);
    // Takes a message of more than 8 bytes to send; false when it cannot be
    // sent at all, the bus refusing its first frame included (then no
    // completion follows).
    bool send(const ZEV_header& header, const uint8_t* data, size_t length, waiter_descriptor* waiter, int code);
    // A TP or ETP frame (connection management or data) from the bus.
    void handle_frame(const ZEV_header& header, const uint8_t* data, uint8_t length);
    bool handle_timeout(Timeout& timeout);
    // Ends every session; each send still pending completes with failure.
    void fail_all();
    // The sends still pending complete without telling the waiter.
    void forget_waiter(const waiter_descriptor* waiter);

private:
    struct Tx;
    struct Rx;
    enum class Mode { tp, bam, etp };

    // Sends the RTS or BAM; false when the bus refuses it.
    bool start(Tx& tx);
    void start_next(uint8_t source, uint8_t destination);
    void send_block(Tx& tx);
    void on_cts(Tx& tx, uint32_t count, uint32_t next);
    void abort(Tx& tx, uint8_t reason);
    void finish(Tx& tx, bool ok);
    Tx* active_tx(uint8_t source, uint8_t destination);

    void start_rx(Mode mode, const ZEV_header& header, const uint8_t* data);
    void on_data(Rx& rx, const uint8_t* data);
    void ask(Rx& rx);
    void retry(Rx& rx, uint8_t reason_when_done);
    void abort(Rx& rx, uint8_t reason);
    void complete(Rx& rx);
    void drop(Rx& rx);
    Rx* find_rx(Mode mode, uint8_t source, uint8_t destination);

    bool send_cm(bool etp, uint8_t source, uint8_t destination, const uint8_t* data);

    ZEV_link& link_;
    std::mutex mutex_;
    ZEV_trans::Throttler throttler_;
    std::list<std::unique_ptr<Tx>> tx_;
    std::list<std::unique_ptr<Rx>> rx_;
    size_t etp_bytes_ = 0; // the buffers of the ETP sessions of rx_ together
};
