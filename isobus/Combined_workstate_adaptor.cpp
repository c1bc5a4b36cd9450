#include "isobus/Combined_workstate_adaptor.h"
#include "platform/rtos/Bugger.h"

namespace TC_client {

Combined_workstate_adaptor::Combined_workstate_adaptor(Process_data_adaptor_raw* setpoint_adaptor,
                                                       Process_data_adaptor_raw* actual_adaptor)
    : setpoint_adaptor_(setpoint_adaptor), actual_adaptor_(actual_adaptor)
{
    if (setpoint_adaptor_)
        setpoint_adaptor_->set_receiver(this);
    if (actual_adaptor_)
        actual_adaptor_->set_receiver(this);
}

void Combined_workstate_adaptor::need_setpoint() const
{
    if (!setpoint_adaptor_)
        Bugger::report_bug("NULL != setpoint_adaptor");
}

void Combined_workstate_adaptor::need_actual() const
{
    if (!actual_adaptor_)
        Bugger::report_bug("NULL != actual_adaptor");
}

void Combined_workstate_adaptor::handle_set(int32_t raw)
{
    need_setpoint();
    setpoint_adaptor_->handle_set(raw);
}

int32_t Combined_workstate_adaptor::handle_get()
{
    need_actual();
    return actual_adaptor_->handle_get();
}

void Combined_workstate_adaptor::start(waiter_descriptor* waiter)
{
    need_setpoint();
    need_actual();
    setpoint_adaptor_->start(waiter);
    actual_adaptor_->start(waiter);
}

void Combined_workstate_adaptor::stop()
{
    need_setpoint();
    need_actual();
    setpoint_adaptor_->stop();
    actual_adaptor_->stop();
}

void Combined_workstate_adaptor::new_value(void* sender, int raw)
{
    if (sender == static_cast<void*>(actual_adaptor_))
        _notify_update(raw);
}

}
