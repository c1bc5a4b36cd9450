#include "control_logic/Fan_tests.h"
#include "data_store/Data_store.h"
#include "params/application_t.h"

Fan_tests::Fan_tests(Data_store& store, const NV_quvel::application_t& app) : app_(app)
{
    store.head.lock();
    for (int k = 0; k < 2; ++k) {
        rpm_[k] = store.body.fans[k].rpm;
        pressure_[k] = store.body.fans[k].pressure;
    }
    const bool non_vtt = store.body.system.non_vtt_connected;
    store.head.unlock();
    for (int k = 0; k < 2; ++k) {
        sense_rpm_[k] = app_.fans[k]->sense_rpm.get();
        sense_pressure_[k] = app_.fans[k]->sense_pressure.get();
    }
    fan1_pump_ = app_.fans[1]->use_fan_as_pump.get() && non_vtt;
}

bool Fan_tests::running(bool start) const
{
    bool result = true;
    for (int k = 0; k < 2; ++k) {
        if (!sense_rpm_[k] || (k == 1 && fan1_pump_))
            continue;
        const double threshold = start ? double(app_.fan_speed_to_start.get())
                                       : double(app_.alarms.fan_speed_low[k]->threshold.get());
        result = result && rpm_[k] >= threshold;
    }
    return result;
}

bool Fan_tests::stopped() const
{
    for (int k = 0; k < 2; ++k)
        if (sense_rpm_[k] && !(k == 1 && fan1_pump_) && rpm_[k] < 1000.0f)
            return true;
    return false;
}

bool Fan_tests::speed_high() const
{
    for (int k = 0; k < 2; ++k) {
        const float threshold = app_.alarms.fan_speed_high[k]->threshold.get();
        if (sense_rpm_[k] && !(k == 1 && fan1_pump_) && threshold > 0.0f && rpm_[k] > threshold)
            return true;
    }
    return false;
}

bool Fan_tests::speed_low() const
{
    for (int k = 0; k < 2; ++k) {
        const float threshold = app_.alarms.fan_speed_low[k]->threshold.get();
        if (sense_rpm_[k] && !(k == 1 && fan1_pump_) && (rpm_[k] < threshold || rpm_[k] == 0.0f))
            return true;
    }
    return false;
}

bool Fan_tests::pressure_high() const
{
    for (int k = 0; k < 2; ++k) {
        const float threshold = app_.alarms.fan_pressure_high[k]->threshold.get();
        if (sense_pressure_[k] && threshold > 0.0f && pressure_[k] > threshold)
            return true;
    }
    return false;
}

bool Fan_tests::pressure_low() const
{
    for (int k = 0; k < 2; ++k) {
        const float threshold = app_.alarms.fan_pressure_low[k]->threshold.get();
        if (sense_pressure_[k] && (pressure_[k] <= threshold || pressure_[k] == 0.0f))
            return true;
    }
    return false;
}

bool Fan_tests::pressure_present() const
{
    bool any = false;
    for (int k = 0; k < 2; ++k) {
        if (!sense_pressure_[k])
            continue;
        if (!(pressure_[k] > app_.alarms.fan_pressure_low[k]->threshold.get()))
            return false;
        any = true;
    }
    return any;
}

bool Fan_tests::pressure_lost() const
{
    if (!sense_pressure_[0])
        return false;
    for (int k = 0; k < 2; ++k)
        if (sense_pressure_[k] && pressure_[k] < 0.5f * app_.alarms.fan_pressure_low[k]->threshold.get())
            return true;
    return false;
}
