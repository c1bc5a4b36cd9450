#pragma once
#include <cstdint>

// Sends the VT's messages: responses, the status and activation messages.
class VtTransportHandler {
public:
    virtual ~VtTransportHandler() = default;
    virtual void send(uint8_t destination, const uint8_t* bytes, uint32_t length) = 0;
};
