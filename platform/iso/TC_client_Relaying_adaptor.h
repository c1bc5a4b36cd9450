#pragma once
#include "platform/iso/TC_client_Process_data_adaptor_raw.h"

namespace TC_client {

// An adaptor built on member adaptors: it receives their reports, and what
// they ask of their receiver it asks of its own.
class Relaying_adaptor : public Process_data_adaptor_raw, public Receives_process_data {
public:
    uint16_t get_ddi() const override { return get_receiver() ? get_receiver()->get_ddi() : 0xFFFF; }
    uint16_t get_id() const override { return get_receiver() ? get_receiver()->get_id() : 0xFFFF; }
    const Process_data_element* get_type() const override
    {
        return get_receiver() ? get_receiver()->get_type() : nullptr;
    }
    Process_data_element* get_type() override { return get_receiver() ? get_receiver()->get_type() : nullptr; }
    void lock() override
    {
        if (get_receiver())
            get_receiver()->lock();
    }
    void unlock() override
    {
        if (get_receiver())
            get_receiver()->unlock();
    }
};

}
