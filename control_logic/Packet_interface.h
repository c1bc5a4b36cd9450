#pragma once
#include "control_logic/Packet.h"
#include "platform/io/Data_stream.h"
#include "platform/rtos/Atime.h"

#include <cstdint>

// The serial link to the slave processors: one request out, one reply back.
// send() frames a request, writes it and arms the reply deadline; receive()
// takes one whole reply out of the stream's buffer. Every framing fault is
// printed as "Pkt fail <file>:<check>" and costs a byte; the echo of our own
// request is dropped whole, and only it.
class Packet_interface {
public:
    // The numbers printed with "Pkt fail".
    static constexpr int check_destination = 149;
    static constexpr int check_length = 156;
    static constexpr int check_checksum = 174;
    static constexpr int check_copy = 180;
    static constexpr int check_ascii_length = 250; // an ASCII reply longer than a packet

    explicit Packet_interface(Data_stream& stream);

    // The reply time-out of the next send.
    void set_timeout(int ms) { timeout_ms_ = ms; }
    int get_timeout() const { return timeout_ms_; }
    // When the reply to the last request is due.
    Atime get_deadline() const { return deadline_; }

    // Binary packets are finalised first. The write's result is not looked at:
    // a lost request shows as a missing reply.
    void send(Packet& packet);
    // True when one reply was copied into the packet and taken out of the
    // stream; false while no whole reply is buffered.
    bool receive(Packet& packet, bool ascii);

private:
    bool receive_binary(Packet& packet);
    bool receive_ascii(Packet& packet);
    // Sum of the first n buffered bytes.
    uint8_t buffered_sum(size_t n) const;
    // The first buffered byte equal to b, or avail when there is none.
    size_t find(uint8_t b, size_t avail) const;

    Data_stream& stream_;
    Atime deadline_;
    int32_t timeout_ms_ = 1000;
    Packet last_request_; // the last ASCII request, to know its echo
};
