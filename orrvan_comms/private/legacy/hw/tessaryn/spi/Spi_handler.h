#pragma once
#include "orrvan_comms/private/legacy/hw/tessaryn/identity_t.h"
#include "orrvan_comms/private/legacy/hw/tessaryn/spi/Spi_comms.h"
#include "orrvan_comms/private/legacy/hw/tessaryn/spi/Spi_message.h"
#include "orrvan_comms/private/legacy/hw/tessaryn/version_t.h"

#include <deque>
#include <memory>

namespace Tessaryn_slave_spi {

// Asks the slave processor for its identity and version. Each request is
// sent up to seven times, 20 ms apart; the words received are gathered in a
// ring in which a valid reply frame is hunted for. Use: open(); if that
// succeeds, wait_for_identity, wait_for_version, close(). A record that is
// still dirty afterwards was not received.
class Spi_handler {
public:
    // On the slave processor's spidev device.
    Spi_handler();
    explicit Spi_handler(std::unique_ptr<Spi_port> port);
    ~Spi_handler();
    Spi_handler(const Spi_handler&) = delete;
    Spi_handler& operator=(const Spi_handler&) = delete;

    bool open();
    void close();
    void wait_for_identity(Tessaryn::identity_t& identity);
    void wait_for_version(Tessaryn::version_t& version);

    // Sends the request until a reply frame decodes, at most seven times.
    void poll_ecu(const Spi_message& request, Spi_message& reply);
    // Takes the first valid frame out of the ring into reply.
    bool get_message(Spi_message& reply);

private:
    static constexpr size_t ring_capacity = 100;

    using Ring = std::deque<uint16_t>;

    void append_received();
    // Takes the first frame with its sync and a good checksum out of the
    // words, with every word before it.
    static bool take_frame(Ring& words, Spi_message& reply);
    static Ring without_duplicates(Ring words);

    bool m_open = false;
    Spi_comms m_comms;
    uint16_t m_received[Spi_message::word_count] = {};
    Ring m_ring;
};

}
