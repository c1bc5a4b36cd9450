#pragma once
#include "platform/iso/TC_client_Process_data_reference.h"
#include "platform/iso/TC_client_Relaying_adaptor.h"

namespace TC_client {

class Task_totals;

// A total of the current task, kept from a lifetime total: the lifetime
// source now minus a base, its value when the task total was last set to 0
// (or, generally, set to a value). Without a set, the task starts when the
// pool is first activated: kept in the controller's Task_totals, the base
// outlives this reference, and an activation of a rebuilt device goes on
// from it.
class Task_total_pd_reference : public Process_data_reference {
public:
    Task_total_pd_reference() { set_data_adaptor(&adaptor_); }

    void set_lifetime_total_pd_adaptor(Process_data_adaptor_raw* lifetime);
    Process_data_adaptor_raw* get_lifetime_total_pd_adaptor() const { return adaptor_.lifetime; }
    // Where the base is kept (by the controller); without, each activation starts the task.
    void keep_in(Task_totals* totals) { adaptor_.totals = totals; }

private:
    class Total_adaptor : public Relaying_adaptor {
    public:
        void handle_set(int32_t raw) override;
        int32_t handle_get() override;
        // Activation: the task goes on from its kept base, or starts now.
        void start(waiter_descriptor* waiter) override;
        void stop() override;
        void new_value(void* sender, int raw) override;

        Process_data_adaptor_raw* lifetime = nullptr;
        Task_totals* totals = nullptr;

    private:
        int32_t total_at(int32_t lifetime_raw) const;
        int32_t lifetime_now();

        int64_t base_ = 0;
    };

    Total_adaptor adaptor_;
};

}
