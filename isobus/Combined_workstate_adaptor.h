#pragma once
#include "platform/iso/TC_client_Relaying_adaptor.h"

namespace TC_client {

// One work-state value over two adaptors: the Task Controller sets the
// setpoint and reads the actual state, and only the actual state's changes
// are reported.
class Combined_workstate_adaptor : public Relaying_adaptor {
public:
    // Both report to this adaptor from now on.
    Combined_workstate_adaptor(Process_data_adaptor_raw* setpoint_adaptor, Process_data_adaptor_raw* actual_adaptor);

    void handle_set(int32_t raw) override;
    int32_t handle_get() override;
    void start(waiter_descriptor* waiter) override;
    void stop() override;
    void new_value(void* sender, int raw) override;

    Process_data_adaptor_raw* get_setpoint_adaptor() const { return setpoint_adaptor_; }
    Process_data_adaptor_raw* get_actual_adaptor() const { return actual_adaptor_; }

private:
    void need_setpoint() const;
    void need_actual() const;

    Process_data_adaptor_raw* setpoint_adaptor_;
    Process_data_adaptor_raw* actual_adaptor_;
};

}
