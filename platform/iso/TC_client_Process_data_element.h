#pragma once
#include <cstdint>

namespace TC_client {

class Designator;
struct Value_presentation;

// What a process-data value is (ISO 11783-10 device process data): its DDI,
// properties, trigger methods, name and presentation. References of several
// elements may share one.
class Process_data_element {
public:
    // Property bits.
    static constexpr uint8_t default_set = 1;
    static constexpr uint8_t setable = 2;
    // Trigger method bits.
    static constexpr uint8_t trigger_time = 1;
    static constexpr uint8_t trigger_distance = 2;
    static constexpr uint8_t trigger_threshold = 4;
    static constexpr uint8_t trigger_on_change = 8;
    static constexpr uint8_t trigger_total = 16;

    Process_data_element() = default;
    virtual ~Process_data_element() = default;
    Process_data_element(const Process_data_element&) = delete;
    Process_data_element& operator=(const Process_data_element&) = delete;

    void set_ddi(uint16_t ddi) { ddi_ = ddi; }
    void set_default_set() { properties_ |= default_set; }
    void set_setable() { properties_ |= setable; }
    void clear_setable() { properties_ &= uint8_t(~setable); }
    void set_triggers(uint8_t triggers) { triggers_ = triggers; }
    void set_designator(const Designator* designator) { designator_ = designator; }
    void set_presentation(const Value_presentation* presentation) { presentation_ = presentation; }

    uint16_t get_ddi() const { return ddi_; }
    uint8_t get_properties() const { return properties_; }
    bool is_default_set() const { return properties_ & default_set; }
    bool is_setable() const { return properties_ & setable; }
    uint8_t get_triggers() const { return triggers_; }
    const Designator* get_designator() const { return designator_; }
    const Value_presentation* get_presentation() const { return presentation_; }

private:
    uint16_t ddi_ = 0;
    uint8_t properties_ = 0;
    uint8_t triggers_ = 0;
    const Designator* designator_ = nullptr;
    const Value_presentation* presentation_ = nullptr;
};

}
