#include "platform/ui/Stat_string.h"

#include "platform/iso/VT_Input_string_obj.h"
#include "platform/iso/VT_Output_string_obj.h"
#include "platform/iso/VT_vtui_pool.h"

void Stat_string::init(Stat_collector* collector, VT::Output_string_obj* output, VT::vtui_pool* pool, int)
{
    bind_objects(collector, pool, output, nullptr);
}

void Stat_string::init(Stat_collector* collector, VT::Input_string_obj* input, VT::vtui_pool* pool, int)
{
    bind_objects(collector, pool, nullptr, input);
}

void Stat_string::bind_objects(Stat_collector* collector, VT::vtui_pool* pool, VT::Output_string_obj* output,
                               VT::Input_string_obj* input)
{
    bind(collector, pool);
    output_ = output;
    input_ = input;
    sent_ = false;
    mark_changed();
}

Stat_string& Stat_string::operator=(const char* text)
{
    const std::string now(text ? text : "");
    if (now != text_ || !sent_) {
        text_ = now;
        sent_ = false;
        mark_changed();
    }
    return *this;
}

bool Stat_string::takes(uint16_t object) const
{
    return input_ && input_->get_id() == object;
}

void Stat_string::take_vt_string(const std::string& text)
{
    text_ = text;
    sent_ = true;
    report_edit();
}

void Stat_string::send_update(bool all)
{
    if ((!all && sent_) || !get_pool() || (!output_ && !input_))
        return;
    get_pool()->lock_pool();
    if (output_)
        output_->__set_string(text_.c_str());
    else
        input_->__set_string(text_.c_str());
    get_pool()->unlock_pool();
    sent_ = true;
}
