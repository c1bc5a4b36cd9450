#include "orrvan_comms/private/legacy/hw/tessaryn/spi/Spi_handler.h"
#include "orrvan_comms/private/legacy/hw/tessaryn/spi/Spidev_port.h"
#include "platform/rtos/Atime.h"

#include <algorithm>

namespace Tessaryn_slave_spi {

namespace {

constexpr int attempts = 7;
constexpr int attempt_interval_ms = 20;

}

Spi_handler::Spi_handler() : Spi_handler(std::make_unique<Spidev_port>()) {}

Spi_handler::Spi_handler(std::unique_ptr<Spi_port> port) : m_comms(std::move(port)) {}

Spi_handler::~Spi_handler()
{
    if (m_open)
        close();
}

bool Spi_handler::open()
{
    if (!m_open)
        m_open = m_comms.initialise();
    return m_open;
}

void Spi_handler::close()
{
    m_comms.finalise();
    m_open = false;
}

void Spi_handler::wait_for_identity(Tessaryn::identity_t& identity)
{
    Spi_identity_response_message reply;
    poll_ecu(Spi_get_identity_message(), reply);
    identity = reply.get_identity();
}

void Spi_handler::wait_for_version(Tessaryn::version_t& version)
{
    Spi_version_response_message reply;
    poll_ecu(Spi_get_version_message(), reply);
    version = reply.get_version();
}

void Spi_handler::poll_ecu(const Spi_message& request, Spi_message& reply)
{
    for (int attempt = 0; attempt < attempts; ++attempt) {
        // A failed transfer received nothing worth hunting in.
        if (m_comms.transfer_msg(request.words(), m_received, Spi_message::byte_count))
            append_received();
        if (get_message(reply) && reply.decode_data()) {
            m_ring.clear();
            return;
        }
        Atime::delay(attempt_interval_ms);
    }
}

// A valid frame in the words as received is taken first. Only when there is
// none are repeated words, which the slave processor sends at times, dropped
// from a copy in which the frame is hunted again: dropped in the ring itself
// they would break the frames that hold two equal neighbouring words, such
// as a version x.0.0, also one that is still arriving. Words that can no
// longer begin a frame are then discarded.
bool Spi_handler::get_message(Spi_message& reply)
{
    if (take_frame(m_ring, reply))
        return true;
    Ring deduplicated = without_duplicates(m_ring);
    if (take_frame(deduplicated, reply)) {
        m_ring = std::move(deduplicated);
        return true;
    }
    const size_t keep = Spi_message::word_count - 1;
    if (m_ring.size() > keep)
        m_ring.erase(m_ring.begin(), m_ring.end() - long(keep));
    return false;
}

void Spi_handler::append_received()
{
    for (uint16_t word : m_received)
        if (m_ring.size() < ring_capacity)
            m_ring.push_back(word);
}

bool Spi_handler::take_frame(Ring& words, Spi_message& reply)
{
    for (size_t at = 0; at + Spi_message::word_count <= words.size(); ++at) {
        if ((words[at] & 0xFF) != Spi_message::sync)
            continue;
        std::copy_n(words.begin() + long(at), Spi_message::word_count, reply.words());
        if (reply.get_checksum() == (reply.words()[9] & 0xFF)) {
            words.erase(words.begin(), words.begin() + long(at + Spi_message::word_count));
            return true;
        }
    }
    return false;
}

// Of two equal neighbouring words one goes; the last pair is not compared.
Spi_handler::Ring Spi_handler::without_duplicates(Ring words)
{
    long i = 0;
    while (i < long(words.size()) - 2) {
        if (words[size_t(i) + 1] == words[size_t(i)])
            words.erase(words.begin() + i + 1);
        else
            ++i;
    }
    return words;
}

}
