#pragma once
#include <cstdint>

namespace TC_client {

class Device_element;

// The program's side of the client: the device it describes to the Task
// Controller. The controller calls it on its own task.
class Model {
public:
    static constexpr int version_message_size = 8;

    Model() = default;
    virtual ~Model() = default;
    Model(const Model&) = delete;
    Model& operator=(const Model&) = delete;

    // The Task Controller's version message (ISO 11783-10) and the answer,
    // version_message_size bytes each; the controller fills the answer
    // beforehand with what the model does not change. Returns the device to
    // describe, or null when the model does not answer that Task Controller:
    // then no reply is sent.
    virtual Device_element* handle_version(const uint8_t* request, uint8_t* reply) = 0;
};

}
