#pragma once
#include <cstdint>
#include <vector>

namespace Tessaryn {

// One 8-byte process-data message between the controller and a slave ECU:
//   byte 0      bits 0-3 command, bits 4-7 element ID bits 0-3
//   byte 1      element ID bits 4-11
//   bytes 2-3   data ID, least significant byte first
//   bytes 4-7   value, least significant byte first
class TTessarynMessage {
public:
    // Process-data command numbers; the slave protocol uses 14 for its
    // heartbeat and configuration messages.
    enum eCommand : uint8_t {
        REQUEST_VALUE = 2,
        VALUE = 3,
        MEASUREMENT_TIME_INTERVAL = 4,
        MEASUREMENT_CHANGE_THRESHOLD = 8,
        SLAVE_CONTROL = 14,
    };

    static constexpr unsigned size = 8;

    // No device name, every byte 0xFF.
    TTessarynMessage();
    // The first 8 bytes of a received message, which must have them.
    explicit TTessarynMessage(const std::vector<uint8_t>& data);

    // The 64-bit ISO NAME of the slave the message is for or from.
    void setDeviceName(uint64_t name);
    uint64_t getDeviceName() const;

    uint8_t getCommand() const;
    void setCommand(eCommand command);
    bool isCommand(eCommand command) const;
    // Bits 12 to 15 of the ID are lost.
    void setElementID(uint16_t id);
    uint16_t getElementID() const;
    void setDataID(uint16_t id);
    uint16_t getDataID() const;
    void setValue(uint32_t value);
    uint32_t getValue() const;
    std::vector<uint8_t> getData() const;

    // "DATA: " and the bytes in hexadecimal, on standard output.
    void print() const;

private:
    uint64_t m_device_name = 0;
    uint8_t m_data[size];
};

}
