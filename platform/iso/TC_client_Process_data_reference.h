#pragma once
#include "platform/iso/TC_client_Ddi_reference.h"
#include "platform/iso/TC_client_Measurement_thresholds.h"
#include "platform/iso/TC_client_Process_data_adaptor_raw.h"

#include <mutex>

namespace TC_client {

// One process-data value of a device element: its table entry, the adaptor
// that reaches the value, and the last value the adaptor reported.
class Process_data_reference : public Ddi_reference, public Receives_process_data {
public:
    static constexpr uint16_t no_id = 0xFFFF;

    Process_data_reference() = default;
    Process_data_reference(const Process_data_reference&) = delete;
    Process_data_reference& operator=(const Process_data_reference&) = delete;

    // 0xFFFF before an entry is set.
    uint16_t get_ddi() const override;
    uint16_t get_id() const override { return id_; }
    const Process_data_element* get_type() const override { return element_; }
    Process_data_element* get_type() override { return element_; }
    void new_value(void* sender, int raw) override;
    void lock() override { mutex_.lock(); }
    void unlock() override { mutex_.unlock(); }

    void set_element(Process_data_element& element) { element_ = &element; }
    // The reference becomes the adaptor's receiver.
    void set_data_adaptor(Process_data_adaptor_raw* adaptor);
    void set_default_thresholds(const Measurement_thresholds& thresholds);
    // Marks a control-state value (DDI 158, 160).
    void set_reference_flag(int flag) { reference_flag_ = flag; }
    // The object id the description gives the value.
    void set_id(uint16_t id) { id_ = id; }

    Process_data_adaptor_raw* get_data_adaptor() const { return adaptor_; }
    // Null when none was set.
    const Measurement_thresholds* get_default_thresholds() const
    {
        return has_thresholds_ ? &thresholds_ : nullptr;
    }
    int get_reference_flag() const { return reference_flag_; }
    // True once per report since the last call, with the reported value.
    bool take_report(int32_t& raw);

private:
    Process_data_element* element_ = nullptr;
    Process_data_adaptor_raw* adaptor_ = nullptr;
    Measurement_thresholds thresholds_;
    bool has_thresholds_ = false;
    int reference_flag_ = 0;
    uint16_t id_ = no_id;
    // Adaptors report on the controller's task; the controller may read from another.
    std::recursive_mutex mutex_;
    int32_t reported_ = 0;
    bool report_pending_ = false;
};

}
