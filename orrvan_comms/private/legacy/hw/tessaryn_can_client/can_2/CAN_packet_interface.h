#pragma once
#include <cstdint>

// Something that sends 8-byte CAN packets to a node named by its ISO NAME.
class CAN_packet_interface {
public:
    // One CAN frame's worth of payload with its PGN and priority. Values are
    // appended big-endian; an append that does not fit is ignored, and a read
    // that would go past byte 7 gives 0.
    class Packet {
    public:
        static constexpr int size = 8;

        Packet(); // every byte 0xFF, nothing written, PGN 0xEF00, priority 6

        bool operator==(const Packet& other) const;
        bool operator!=(const Packet& other) const { return !(*this == other); }

        void add_data(uint8_t value);
        void add_data_2byte_MSB(uint16_t value);
        void add_data_3byte_MSB(unsigned value); // bits 23..0
        void add_data_4byte_MSB(unsigned value);

        unsigned get_2byte_MSB(unsigned i) const;
        unsigned get_3byte_MSB(unsigned i) const;
        unsigned get_4byte_MSB(unsigned i) const;
        unsigned get_2byte_LSB(unsigned i) const;
        uint8_t operator[](unsigned i) const;

        uint8_t data[size];
        int length = 0; // payload bytes written
        uint32_t PGN = 0xEF00;
        uint32_t priority = 6;

    private:
        // Appends the count low bytes of value, high first, when they fit.
        void append_MSB(unsigned value, int count);
        // Bytes i..i+count-1 as a big-endian value; 0 when they pass byte 7.
        unsigned read_MSB(unsigned i, unsigned count) const;
    };

    virtual ~CAN_packet_interface() = default;

    // name points to the addressee's ZEV_name::RAWNAME. True when sent.
    virtual bool send_packet(const void* name, Packet& packet) = 0;

    // "PGN: n LEN: n DATA: " and the eight bytes in hexadecimal, on the debug output.
    static void print(Packet& packet);
};
