#include "platform/ui/Stat_num.h"

#include "platform/iso/VT_Input_number_obj.h"
#include "platform/iso/VT_Number_variable_obj.h"
#include "platform/iso/VT_Object_pointer_obj.h"
#include "platform/iso/VT_Output_number_obj.h"
#include "platform/iso/VT_Output_string_obj.h"
#include "platform/iso/VT_vtui_pool.h"

#include <algorithm>
#include <cmath>

namespace {

// The object value that shows raw with the object's offset, within what the
// VT can hold.
uint32_t object_value(int64_t raw, int32_t offset)
{
    return uint32_t(std::clamp<int64_t>(raw - offset, 0, int64_t(UINT32_MAX)));
}

}

void Stat_num::init(Stat_collector* collector, VT::Output_number_obj* output, const Stat_num_format& metric,
                    const Stat_num_format& imperial, int, VT::vtui_pool* pool, VT::Output_string_obj* units,
                    unsigned int, unsigned int)
{
    bind_objects(collector, pool, nullptr, output, nullptr, nullptr, metric, imperial, units);
}

void Stat_num::init(Stat_collector* collector, VT::Input_number_obj* input, const Stat_num_format& metric,
                    const Stat_num_format& imperial, int, VT::vtui_pool* pool, VT::Output_string_obj* units,
                    unsigned int, unsigned int)
{
    bind_objects(collector, pool, input, nullptr, nullptr, nullptr, metric, imperial, units);
}

void Stat_num::init(Stat_collector* collector, VT::Input_number_obj* input, VT::Output_number_obj* output,
                    VT::Object_pointer_obj* pointer, VT::Number_variable_obj* variable, const Stat_num_format& metric,
                    const Stat_num_format& imperial, int, VT::vtui_pool* pool, VT::Output_string_obj* units,
                    unsigned int, unsigned int)
{
    bind_objects(collector, pool, input, output, pointer, variable, metric, imperial, units);
}

void Stat_num::bind_objects(Stat_collector* collector, VT::vtui_pool* pool, VT::Input_number_obj* input,
                            VT::Output_number_obj* output, VT::Object_pointer_obj* pointer,
                            VT::Number_variable_obj* variable, const Stat_num_format& metric,
                            const Stat_num_format& imperial, VT::Output_string_obj* units)
{
    bind(collector, pool);
    input_ = input;
    output_ = output;
    pointer_ = pointer;
    variable_ = variable;
    units_ = units;
    formats_[Units_man::metric] = metric;
    formats_[Units_man::imperial] = imperial;
    sent_ = false;
    mark_changed();
}

void Stat_num::set_val(double value)
{
    value_ = value;
    if (!sent_ || get_raw() != sent_raw_)
        mark_changed();
}

void Stat_num::set_range(double min, double max)
{
    if (has_range_ && min == min_ && max == max_)
        return;
    has_range_ = true;
    min_ = min;
    max_ = max;
    sent_ = false;
    mark_changed();
}

void Stat_num::set_units(Units_man& units)
{
    if (system_ == units.get_system())
        return;
    system_ = units.get_system();
    sent_ = false;
    mark_changed();
}

int64_t Stat_num::get_raw() const
{
    return raw_of(value_);
}

int64_t Stat_num::raw_of(double value) const
{
    const double step = get_format().get_step();
    if (step == 0 || !std::isfinite(value / step))
        return 0;
    return std::llround(std::clamp(value / step, double(INT32_MIN), double(UINT32_MAX)));
}

bool Stat_num::raw_range(int64_t& min_raw, int64_t& max_raw) const
{
    if (!has_range_ || get_format().get_step() <= 0)
        return false;
    min_raw = raw_of(min_);
    max_raw = raw_of(max_);
    return true;
}

bool Stat_num::takes(uint16_t object) const
{
    return input_ && input_->get_id() == object;
}

void Stat_num::take_vt_number(uint32_t value)
{
    if (!input_ || !get_pool())
        return;
    get_pool()->lock_pool();
    const int64_t raw = int64_t(value) + input_->get_offset();
    int64_t min_raw, max_raw;
    const bool ranged = raw_range(min_raw, max_raw);
    const bool refused = ranged && (raw < min_raw || raw > max_raw);
    if (refused)
        write(get_raw());
    get_pool()->unlock_pool();
    if (refused)
        return;
    const double entered = double(raw) * get_format().get_step();
    // The step shown for a bound stores the bound itself.
    value_ = ranged ? std::min(std::max(entered, min_), max_) : entered;
    // The input shows the entry already; the other objects follow.
    mark_changed();
    report_edit();
}

void Stat_num::send_update(bool all)
{
    const int64_t raw = get_raw();
    const char* units = units_text();
    if (!all && sent_ && raw == sent_raw_ && units == sent_units_)
        return;
    if (!get_pool())
        return;
    get_pool()->lock_pool();
    // The offset first: the value written depends on it.
    apply_format();
    write(raw);
    if (units)
        units_->__set_string(units);
    get_pool()->unlock_pool();
    sent_ = true;
    sent_raw_ = raw;
    sent_units_ = units;
}

void Stat_num::apply_format()
{
    const uint8_t decimals = uint8_t(std::min(get_format().get_decimals(), 7u)); // all a VT shows
    const float scale = float(std::pow(10.0, -double(decimals)));
    // Without a range, any value the objects hold; the entries are not
    // checked either.
    int64_t min_raw = 0;
    int64_t max_raw = UINT32_MAX;
    raw_range(min_raw, max_raw);
    const int32_t offset = int32_t(std::min<int64_t>(min_raw, 0));
    if (output_) {
        output_->set_offset(offset);
        output_->set_scale(scale);
        output_->set_no_decimals(decimals);
    }
    if (!input_)
        return;
    input_->set_offset(offset);
    input_->set_scale(scale);
    input_->set_no_decimals(decimals);
    const uint32_t min_value = object_value(min_raw, offset);
    const uint32_t max_value = object_value(max_raw, offset);
    // The VT may refuse a minimum above the maximum it holds for a moment.
    if (min_value > input_->get_max_value()) {
        input_->set_max_value(max_value);
        input_->set_min_value(min_value);
    } else {
        input_->set_min_value(min_value);
        input_->set_max_value(max_value);
    }
}

void Stat_num::apply_editable()
{
    if (pointer_) {
        const VT::VT_obj* shown = is_editable() ? static_cast<VT::VT_obj*>(input_) : output_;
        if (shown)
            pointer_->set_value(shown->get_id());
    } else if (input_) {
        input_->set_enabled(is_editable());
    }
}

const char* Stat_num::units_text() const
{
    return units_ ? Units_man::get_text(get_format().get_units_type(), system_) : nullptr;
}

void Stat_num::write(int64_t raw)
{
    if (variable_)
        variable_->set_value(object_value(raw, input_ ? input_->get_offset() : output_ ? output_->get_offset() : 0));
    if (input_)
        input_->set_value(object_value(raw, input_->get_offset()));
    if (output_)
        output_->set_value(object_value(raw, output_->get_offset()));
}
