#pragma once
#include "platform/ui/Stat.h"
#include "platform/ui/Stat_num_format.h"

#include <cstdint>

namespace VT {
class Input_number_obj;
class Number_variable_obj;
class Object_pointer_obj;
class Output_number_obj;
class Output_string_obj;
}

// A number field. The value is kept in the stored (metric) unit; the VT is
// sent the raw number round(value / step) of the format of the unit system
// in use, and an entry of raw r is the value r x step. The range's bounds
// count as the steps nearest them, which is how the VT shows them: an entry
// outside those steps is refused and the VT shown the old value again, and
// an entry of a bound's step stores the bound.
//
// The number objects are made to agree with the format in use and the range,
// whatever the pool was built with: scale 10^-decimals and the format's
// decimals, so that the raw number shows as the value; the input's minimum
// and maximum the range in raw steps, so that the VT takes no entry outside
// it; and, for a range below zero, an offset of the lowest raw number, so
// that every object value stays positive.
//
// Each init form takes the metric format, then the imperial one, and may
// take a units string, which shows the unit of the format in use (see
// Units_man::get_text); init may be called again to change the objects or
// the formats, keeping the value and the unit system. The integer and the
// unsigned pair are accepted for the callers' sake only.
class Stat_num : public Stat {
public:
    static constexpr unsigned int no_limit = 4294967295u;

    Stat_num() = default;

    // An output number.
    void init(Stat_collector* collector, VT::Output_number_obj* output, const Stat_num_format& metric,
              const Stat_num_format& imperial, int integer, VT::vtui_pool* pool,
              VT::Output_string_obj* units = nullptr, unsigned int limit = no_limit, unsigned int limit_b = 0);
    // An input number.
    void init(Stat_collector* collector, VT::Input_number_obj* input, const Stat_num_format& metric,
              const Stat_num_format& imperial, int integer, VT::vtui_pool* pool,
              VT::Output_string_obj* units = nullptr, unsigned int limit = no_limit, unsigned int limit_b = 0);
    // An input that shows as an output while not editable: the object pointer
    // points at the input number while editable and at the output number
    // otherwise; both show the number variable (when there is none, each is
    // sent the value itself).
    void init(Stat_collector* collector, VT::Input_number_obj* input, VT::Output_number_obj* output,
              VT::Object_pointer_obj* pointer, VT::Number_variable_obj* variable, const Stat_num_format& metric,
              const Stat_num_format& imperial, int integer, VT::vtui_pool* pool,
              VT::Output_string_obj* units = nullptr, unsigned int limit = no_limit, unsigned int limit_b = 0);

    void set_val(double value);
    double get_val() const { return value_; }
    // Entries outside [min, max] are refused from now on, by the VT too once
    // the update is sent.
    void set_range(double min, double max);
    // Shows the number in the units manager's system.
    void set_units(Units_man& units);
    Units_man::System get_system() const { return system_; }
    const Stat_num_format& get_format() const { return formats_[system_]; }
    // The raw number the VT is sent for the value.
    int64_t get_raw() const;

    bool takes(uint16_t object) const override;
    void take_vt_number(uint32_t value) override;
    void send_update(bool all) override;

private:
    void bind_objects(Stat_collector* collector, VT::vtui_pool* pool, VT::Input_number_obj* input,
                      VT::Output_number_obj* output, VT::Object_pointer_obj* pointer,
                      VT::Number_variable_obj* variable, const Stat_num_format& metric,
                      const Stat_num_format& imperial, VT::Output_string_obj* units);
    void apply_editable() override;
    // The text of the units string; null when it keeps its own.
    const char* units_text() const;
    // Sets the objects' scale, decimals, offset and range for the format in
    // use; the caller holds the pool lock.
    void apply_format();
    // The raw number the VT is sent for a value.
    int64_t raw_of(double value) const;
    // The raw numbers of the range's bounds; false without a range.
    bool raw_range(int64_t& min_raw, int64_t& max_raw) const;
    // Writes the raw number to the objects; the caller holds the pool lock.
    void write(int64_t raw);

    VT::Input_number_obj* input_ = nullptr;
    VT::Output_number_obj* output_ = nullptr;
    VT::Object_pointer_obj* pointer_ = nullptr;
    VT::Number_variable_obj* variable_ = nullptr;
    VT::Output_string_obj* units_ = nullptr;
    Stat_num_format formats_[2];
    Units_man::System system_ = Units_man::metric;
    double value_ = 0;
    bool has_range_ = false;
    double min_ = 0;
    double max_ = 0;
    bool sent_ = false; // cleared when the format or the range changes
    int64_t sent_raw_ = 0;
    const char* sent_units_ = nullptr;
};
