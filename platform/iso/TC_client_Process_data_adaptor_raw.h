#pragma once
#include "platform/iso/TC_client_Receives_process_data.h"

class waiter_descriptor;

namespace TC_client {

// Joins a process-data value to where the program keeps it, in the raw
// 32-bit form of ISO 11783-10. The controller sets and gets values through
// it, and starts it on its task's waiter while the pool is active, so that
// the adaptor reports changes to its receiver.
class Process_data_adaptor_raw {
public:
    Process_data_adaptor_raw() = default;
    virtual ~Process_data_adaptor_raw() = default;
    Process_data_adaptor_raw(const Process_data_adaptor_raw&) = delete;
    Process_data_adaptor_raw& operator=(const Process_data_adaptor_raw&) = delete;

    virtual void handle_set(int32_t raw) = 0;
    virtual int32_t handle_get() = 0;
    virtual void start(waiter_descriptor* waiter) = 0;
    virtual void stop() = 0;
    // The value the adaptor reaches, the same for every adaptor of that value,
    // also one built after this one is gone.
    virtual const void* get_source() const { return this; }

    void set_receiver(Receives_process_data* receiver) { receiver_ = receiver; }
    Receives_process_data* get_receiver() const { return receiver_; }

protected:
    // The value changed: tells the receiver, naming this adaptor.
    void _notify_update(int32_t raw)
    {
        if (receiver_)
            receiver_->new_value(this, raw);
    }

private:
    Receives_process_data* receiver_ = nullptr;
};

}
