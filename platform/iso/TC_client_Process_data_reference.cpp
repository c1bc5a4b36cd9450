#include "platform/iso/TC_client_Process_data_reference.h"
#include "platform/iso/TC_client_Process_data_element.h"

namespace TC_client {

uint16_t Process_data_reference::get_ddi() const
{
    return element_ ? element_->get_ddi() : 0xFFFF;
}

void Process_data_reference::new_value(void*, int raw)
{
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    reported_ = raw;
    report_pending_ = true;
}

void Process_data_reference::set_data_adaptor(Process_data_adaptor_raw* adaptor)
{
    adaptor_ = adaptor;
    if (adaptor)
        adaptor->set_receiver(this);
}

void Process_data_reference::set_default_thresholds(const Measurement_thresholds& thresholds)
{
    thresholds_ = thresholds;
    has_thresholds_ = true;
}

bool Process_data_reference::take_report(int32_t& raw)
{
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    if (!report_pending_)
        return false;
    raw = reported_;
    report_pending_ = false;
    return true;
}

}
