#pragma once
#include "platform/iso/TC_client_Process_data_reference.h"
#include "platform/iso/TC_client_Relaying_adaptor.h"

namespace TC_client {

// A total of the current task, kept from a lifetime total: the lifetime
// source now minus its value when the task total was last set to 0 (or,
// generally, set to a value) or the pool was activated.
class Task_total_pd_reference : public Process_data_reference {
public:
    Task_total_pd_reference() { set_data_adaptor(&adaptor_); }

    void set_lifetime_total_pd_adaptor(Process_data_adaptor_raw* lifetime);
    Process_data_adaptor_raw* get_lifetime_total_pd_adaptor() const { return adaptor_.lifetime; }

private:
    class Total_adaptor : public Relaying_adaptor {
    public:
        void handle_set(int32_t raw) override;
        int32_t handle_get() override;
        // Activation: the task starts at the lifetime value of now.
        void start(waiter_descriptor* waiter) override;
        void stop() override;
        void new_value(void* sender, int raw) override;

        Process_data_adaptor_raw* lifetime = nullptr;

    private:
        int32_t total_at(int32_t lifetime_raw) const;
        int32_t lifetime_now();

        int64_t base_ = 0;
    };

    Total_adaptor adaptor_;
};

}
