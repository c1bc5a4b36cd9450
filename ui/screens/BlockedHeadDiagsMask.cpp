#include "ui/screens/BlockedHeadDiagsMask.h"

#include "data_store/Data_store.h"
#include "platform/iso/VT_Data_mask_obj.h"
#include "platform/iso/VT_Output_string_obj.h"
#include "platform/ui/Bind_object.h"
#include "vt_pool/Seeder_pool_ids.h"

#include <cstdint>
#include <string>

namespace {

// A row's text of one byte of inputs: bit 7 first, bit 0 last.
std::string bits(uint8_t inputs)
{
    std::string text(8, '0');
    for (int b = 7; b >= 0; --b)
        if (inputs & (1u << b))
            text[size_t(7 - b)] = '1';
    return text;
}

}

BlockedHeadDiagsMask::BlockedHeadDiagsMask(const char* key, Screen_man* man, const Screen_objects& objects)
    : Data_screen(key, man), objects_(objects)
{
}

bool BlockedHeadDiagsMask::init(VT::vtui_pool* pool, NV_quvel::parameters_t* params)
{
    const Blocked_head_diags_ids& own = objects_.ids.blocked_head_diags;
    if (!Data_screen::init(pool, UI::bind_object<VT::Data_mask_obj>(pool, own.mask), params, nullptr, 0))
        return false;
    links_.init(this, {{own.main_key, NULL_ID, "main"},
                       {own.diags_key, NULL_ID, "actuator_diagnostics"},
                       {own.system_info_key, NULL_ID, "system_info_mask"}});
    for (int r = 0; r < rows; ++r) {
        inputs[r].init(this, UI::bind_object<VT::Output_string_obj>(pool, own.bit_rows[r]), pool, 400);
        inputs[r] = bits(0).c_str();
    }
    return true;
}

void BlockedHeadDiagsMask::refresh()
{
    for (int r = 0; r < rows; ++r)
        inputs[r] = bits(objects_.store.head.get(objects_.store.body.monitor_ecus.monitor_inputs_active[r])).c_str();
    send_val_updates(false);
}

void BlockedHeadDiagsMask::post_snapshot_init()
{
    refresh();
}

bool BlockedHeadDiagsMask::activate()
{
    const bool done = Data_screen::activate();
    submit_timeout(timer_, period_ms);
    refresh();
    return done;
}

bool BlockedHeadDiagsMask::deactivate()
{
    const bool done = Data_screen::deactivate();
    remove_timeout(timer_);
    return done;
}

bool BlockedHeadDiagsMask::send_timeout(Timeout& t)
{
    if (&t == &timer_)
        refresh();
    return true;
}

bool BlockedHeadDiagsMask::handle_activator_event(Window::Activator& a, Window::Activator_event& e)
{
    links_.handle(*this, a, e);
    return true;
}
