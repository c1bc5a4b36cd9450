#pragma once
#include <cstdint>

namespace TC_client {

class Process_data_element;

// Hears an adaptor's value reports: the reference that publishes the value,
// or an adaptor built on several others.
class Receives_process_data {
public:
    virtual ~Receives_process_data() = default;

    virtual uint16_t get_ddi() const = 0;
    virtual uint16_t get_id() const = 0;
    // The table entry that says what the value is; null before one is set.
    virtual const Process_data_element* get_type() const = 0;
    virtual Process_data_element* get_type() = 0;
    // sender, an adaptor, now holds the value raw.
    virtual void new_value(void* sender, int raw) = 0;
    virtual void lock() = 0;
    virtual void unlock() = 0;
};

}
