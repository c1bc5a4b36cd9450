#include "ui/screens/SystemInfoMask.h"

#include "app/System_info.h"
#include "data_store/Data_store.h"
#include "platform/iso/VT_Data_mask_obj.h"
#include "platform/iso/VT_Output_string_obj.h"
#include "platform/ui/Bind_object.h"
#include "vt_pool/Seeder_pool_ids.h"

#include <algorithm>
#include <cstring>
#include <string>

namespace {

constexpr const char* not_available = "N/A";

// "major.minor" of a drive ECU, "N/A" while it has reported none.
std::string drive_version(const ds_version& v)
{
    if (v.v_major == 0 && v.v_minor == 0)
        return not_available;
    return std::to_string(v.v_major) + "." + std::to_string(v.v_minor);
}

}

bool SystemInfoMask::init(VT::vtui_pool* pool, NV_quvel::parameters_t* params)
{
    const System_info_ids& own = objects_.ids.system_info;
    if (!Data_screen::init(pool, UI::bind_object<VT::Data_mask_obj>(pool, own.mask), params, nullptr, 0))
        return false;
    keys_.init(this, {{own.main_key, NULL_ID, "main"}, {own.diags_key, NULL_ID, "actuator_diagnostics"}});
    Stat_string* const lines[] = {&firmware, &drive_ecus, &address};
    for (size_t i = 0; i < own.value_labels.size(); ++i) {
        lines[i]->init(this, UI::bind_object<VT::Output_string_obj>(pool, own.value_labels[i]), pool, 400);
        *lines[i] = not_available;
    }
    return true;
}

bool SystemInfoMask::activate()
{
    const bool shown = Data_screen::activate();
    // The lines keep what they showed until the first expiry.
    submit_timeout(timeout_, refresh_period_ms);
    return shown;
}

bool SystemInfoMask::deactivate()
{
    const bool done = Data_screen::deactivate();
    remove_timeout(timeout_);
    return done;
}

bool SystemInfoMask::send_timeout(Timeout&)
{
    refresh();
    return true;
}

void SystemInfoMask::refresh()
{
    Data_store& store = objects_.store;
    store.head.lock();
    const ds_firmware_version text = store.body.system.firmware_version;
    const ds_version bridge = store.body.ecu_config.ecu_info[1].version;
    const ds_version first_drive = store.body.channels.channels[0].ecu_version;
    const ds_version second_drive = store.body.channels.channels[2].ecu_version;
    store.head.unlock();

    // The stored text need not be terminated; the line is cut to its room.
    std::string line(text.string, strnlen(text.string, sizeof text.string - 1));
    line += ",";
    if (bridge.v_major == 0 && bridge.v_minor == 0 && bridge.v_patch == 0)
        line += not_available;
    else
        line += std::to_string(bridge.v_major) + "." + std::to_string(bridge.v_minor) + "."
                + std::to_string(bridge.v_patch);
    line.resize(std::min(line.size(), firmware_line_size - 1));
    firmware = line.c_str();

    drive_ecus = (drive_version(first_drive) + "," + drive_version(second_drive)).c_str();

    char ip[20];
    address = get_ip_address_string(ip, sizeof ip, interface_.c_str()) < 0 ? not_available : ip;
    send_val_updates(false);
}

bool SystemInfoMask::handle_activator_event(Window::Activator& a, Window::Activator_event& e)
{
    keys_.handle(*this, a, e);
    return true;
}
