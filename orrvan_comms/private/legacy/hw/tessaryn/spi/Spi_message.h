#pragma once
#include "orrvan_comms/private/legacy/hw/tessaryn/identity_t.h"
#include "orrvan_comms/private/legacy/hw/tessaryn/version_t.h"

#include <array>
#include <cstdint>

namespace Tessaryn_slave_spi {

// A frame of the SPI link to the slave processor, both ways: ten 16-bit words
//   0      sync 0x00A5 (a receiver checks only the low byte)
//   1, 2   command, high and low byte
//   3-8    payload, one byte per word; a request's second value in 3 and 4
//   9      checksum: the low 8 bits of the sum of words 1 to 8
class Spi_message {
public:
    static constexpr unsigned word_count = 10;
    static constexpr unsigned byte_count = word_count * sizeof(uint16_t);
    static constexpr uint8_t sync = 0xA5;

    // All words 0.
    Spi_message();
    // A request.
    explicit Spi_message(uint16_t command);
    // A request with a second 16-bit value.
    Spi_message(uint16_t command, uint16_t value);
    virtual ~Spi_message() = default;

    // Reads the payload of a reply; false when the frame is not the reply
    // expected.
    virtual bool decode_data();
    virtual void print_decoded_data() const;

    uint8_t get_checksum() const;
    // The command of a reply, from the low bytes of words 1 and 2.
    uint16_t get_reply_command() const;
    uint16_t* words() { return m_words.data(); }
    const uint16_t* words() const { return m_words.data(); }
    // The words in hexadecimal, on the debug output.
    void print() const;

private:
    std::array<uint16_t, word_count> m_words{};
};

class Spi_get_version_message : public Spi_message {
public:
    Spi_get_version_message();
};

class Spi_get_identity_message : public Spi_message {
public:
    Spi_get_identity_message();
};

// The version reply: ECU type, series, firmware type, major, minor and patch
// in the low bytes of words 3 to 8.
class Spi_version_response_message : public Spi_message {
public:
    bool decode_data() override;
    void print_decoded_data() const override;
    const Tessaryn::version_t& get_version() const { return m_version; }

private:
    Tessaryn::version_t m_version;
};

// The identity reply: a 21-bit number in the low bytes of words 3 and 4 and
// the low 5 bits of word 5.
class Spi_identity_response_message : public Spi_message {
public:
    bool decode_data() override;
    void print_decoded_data() const override;
    const Tessaryn::identity_t& get_identity() const { return m_identity; }

private:
    Tessaryn::identity_t m_identity;
};

}
