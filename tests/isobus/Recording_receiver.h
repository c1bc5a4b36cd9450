#pragma once
#include "platform/iso/TC_client_Relaying_adaptor.h"
#include "platform/rtos/waiter_descriptor.h"

#include <utility>
#include <vector>

// A receiver that keeps every report it hears, with its sender.
class Recording_receiver : public TC_client::Receives_process_data {
public:
    uint16_t get_ddi() const override { return 7; }
    uint16_t get_id() const override { return 1234; }
    const TC_client::Process_data_element* get_type() const override { return nullptr; }
    TC_client::Process_data_element* get_type() override { return nullptr; }
    void new_value(void* sender, int raw) override { reports.emplace_back(sender, raw); }
    void lock() override { ++locks; }
    void unlock() override { --locks; }

    std::vector<std::pair<void*, int>> reports;
    int locks = 0;
};

// An adaptor over a plain integer: what the Task Controller set, and a way to report a change.
class Value_adaptor : public TC_client::Process_data_adaptor_raw {
public:
    void handle_set(int32_t raw) override { value = raw; ++sets; }
    int32_t handle_get() override { return value; }
    void start(waiter_descriptor* w) override { waiter = w; ++starts; }
    void stop() override { waiter = nullptr; ++stops; }
    void change(int32_t raw)
    {
        value = raw;
        _notify_update(raw);
    }

    int32_t value = 0;
    int sets = 0;
    int starts = 0;
    int stops = 0;
    waiter_descriptor* waiter = nullptr;
};
