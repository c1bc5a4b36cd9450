#include "ui/screens/FactoryUpgradeMask.h"

#include "data_store/Data_store.h"
#include "isobus/FS_interface.h"
#include "platform/iso/VT_Data_mask_obj.h"
#include "platform/iso/VT_Input_list_obj.h"
#include "platform/iso/VT_Object_pointer_obj.h"
#include "platform/iso/VT_Output_number_obj.h"
#include "platform/iso/VT_Output_string_obj.h"
#include "platform/rtos/Debug_base.h"
#include "platform/ui/Bind_object.h"
#include "platform/ui/Screen_man.h"
#include "vt_pool/Seeder_pool_ids.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <iterator>

namespace {

const char* const state_texts[] = {"Idle", "Transferring", "Verifying", "Upgrading", "Failed"};
const char* const error_texts[] = {"None", "No connection to FS", "File not found", "File failed checksum",
                                   "XML Creation Failed"};
constexpr uint8_t type_count = 3;
// The string objects' length as bound; the objects keep what they hold.
constexpr int text_length = 1000;

}

FactoryUpgradeMask::FactoryUpgradeMask(const char* key, Screen_man* man, const Screen_objects& objects)
    : Data_screen(key, man), objects_(objects)
{
}

bool FactoryUpgradeMask::init(VT::vtui_pool* pool, NV_quvel::parameters_t* params)
{
    const Factory_upgrade_ids& ids = objects_.ids.factory_upgrade;
    if (!Data_screen::init(pool, UI::bind_object<VT::Data_mask_obj>(pool, ids.mask), params, nullptr, 0))
        return false;
    const std::pair<Window::Activator*, uint16_t> keys[] = {
        {&advanced_menu_, ids.advanced_key}, {&main_screen_, ids.main_key}, {&toggle_volume_, ids.volume_key},
        {&start_, ids.start_key},            {&stop_, ids.stop_key},        {&continue_, ids.continue_key}};
    for (const auto& key : keys)
        key.first->init(this, key.second, NULL_ID, nullptr, NULL_ID, NULL_ID);
    progress_.init(this, UI::bind_object<VT::Output_number_obj>(pool, ids.progress), Stat_num_format(0, 1.0, 0),
                   Stat_num_format(0, 1.0, 0), 100, pool);
    state_text_.init(this, UI::bind_object<VT::Output_string_obj>(pool, ids.state), pool, text_length);
    error_text_.init(this, UI::bind_object<VT::Output_string_obj>(pool, ids.error), pool, text_length);
    volume_text_.init(this, UI::bind_object<VT::Output_string_obj>(pool, ids.volume), pool, text_length);
    instruction_.init(this, UI::bind_object<VT::Output_string_obj>(pool, ids.instruction), pool, text_length);
    type_list_.init(this, UI::bind_object<VT::Input_list_obj>(pool, ids.type_list), nullptr, pool, false);
    for (size_t i = 0; i < key_slots_.size(); ++i)
        key_slots_[i] = UI::bind_object<VT::Object_pointer_obj>(pool, ids.key_slots[i]);
    slot_keys_ = {ids.advanced_key, ids.main_key, ids.volume_key, ids.start_key};
    stop_key_ = ids.stop_key;
    continue_key_ = ids.continue_key;
    return true;
}

void FactoryUpgradeMask::post_snapshot_init()
{
    const ds_app_upgrade_status& status = objects_.store.body.system.app_upgrade_status;
    status_listener_.init(CDS::Access_base(objects_.store.head, objects_.store.head.offset_of(&status), sizeof status));
    status_listener_.autoreg(get_waiter());
    const ds_fs_volume_info& volumes = objects_.store.body.internal.fs_volume_info;
    volumes_listener_.init(
        CDS::Access_base(objects_.store.head, objects_.store.head.offset_of(&volumes), sizeof volumes));
    volumes_listener_.autoreg(get_waiter());
    refresh();
}

bool FactoryUpgradeMask::activate()
{
    const bool shown = Data_screen::activate();
    command(list_volumes_command);
    refresh();
    return shown;
}

void FactoryUpgradeMask::handle_virt_listener_event(CDS::Virt_access*, waiter_event&)
{
    refresh();
    send_val_updates(false);
}

bool FactoryUpgradeMask::handle_stat_update(Stat* stat)
{
    if (stat != &type_list_ || type_list_.get_item() >= type_count)
        return true;
    type_ = uint8_t(type_list_.get_item());
    objects_.store.head.set(objects_.store.body.system.app_upgrade_command.type, type_);
    // Shown again, the screen names the new type's file.
    get_man()->switch_to_screen(this);
    return true;
}

bool FactoryUpgradeMask::handle_activator_event(Window::Activator& activator, Window::Activator_event& event)
{
    if (event.get_code() != Window::Activator_event::released)
        return true;
    if (activator == advanced_menu_ || activator == main_screen_) {
        set_step(0);
        get_man()->switch_to_screen(activator == main_screen_ ? "main" : "advanced_settings_mask");
    } else if (activator == toggle_volume_) {
        const unsigned count = std::min<unsigned>(objects_.store.head.get(objects_.store.body.internal.fs_volume_info.num_volumes), max_volumes);
        volume_index_ = volume_index_ + 1 < count ? volume_index_ + 1 : 0;
        get_man()->switch_to_screen(this);
    } else if (activator == start_) {
        start();
    } else if (activator == stop_) {
        set_step(0);
        command(stop_command);
    } else if (activator == continue_) {
        set_step(0);
        refresh();
    }
    return true;
}

void FactoryUpgradeMask::refresh()
{
    if (!is_shown())
        return;
    ds_app_upgrade_status status;
    objects_.store.head.lock();
    status = objects_.store.body.system.app_upgrade_status;
    objects_.store.head.unlock();
    if (status.state < std::size(state_texts))
        state_text_ = state_texts[status.state];
    progress_.set_val(status.progress);
    if (status.error_state < std::size(error_texts))
        error_text_ = error_texts[status.error_state];

    std::string volume;
    volume_text_ = selected_volume(volume) ? volume.c_str() : "None Available";

    if (step_ == 0) {
        instruction_ = ("Ensure " + std::string(FS_interface::upgrade_file_name(type_)) +
                        " is available on the FS Volume, then press Start.")
                           .c_str();
        for (int slot = 0; slot < 4; ++slot)
            show_key(slot, slot_keys_[slot]);
        show_key(4, NULL_ID);
    } else {
        for (int slot = 0; slot < 4; ++slot)
            show_key(slot, NULL_ID);
        const bool failed = status.state == failed_state;
        instruction_ = failed ? "Upgrade failed, press Continue." : "To stop the upgrade, press Stop.";
        show_key(4, failed ? continue_key_ : stop_key_);
    }
    send_val_updates(false);
}

void FactoryUpgradeMask::set_step(unsigned step)
{
    step_ = step;
    Debug_print::dprint("NEXT STEP: %u\n", step);
}

bool FactoryUpgradeMask::selected_volume(std::string& name)
{
    ds_fs_volume_info& volumes = objects_.store.body.internal.fs_volume_info;
    // The client counts every volume the server lists but keeps the first five names.
    const unsigned count = std::min<unsigned>(objects_.store.head.get(volumes.num_volumes), max_volumes);
    if (volume_index_ >= count)
        volume_index_ = 0;
    if (count == 0)
        return false;
    char text[sizeof volumes.fs_volume[0].volume_name];
    objects_.store.head.lock();
    std::memcpy(text, volumes.fs_volume[volume_index_].volume_name, sizeof text);
    objects_.store.head.unlock();
    name.assign(text, strnlen(text, sizeof text));
    return true;
}

void FactoryUpgradeMask::start()
{
    char path[sizeof objects_.store.body.fs_interface.file_name] = {};
    std::string volume;
    const int length = selected_volume(volume)
                           ? std::snprintf(path, sizeof path, "\\\\%s\\%s", volume.c_str(),
                                           FS_interface::upgrade_file_name(type_))
                           : std::snprintf(path, sizeof path, "\\\\%s", FS_interface::upgrade_file_name(type_));
    if (length < 0 || size_t(length) >= sizeof path) {
        Debug_print::dprint("Upgrade path too long for the file name, not started: %s...\n", path);
        return;
    }
    set_step(1);
    Debug_print::dprint("Transferring: %s\n", path);
    objects_.store.head.set(objects_.store.body.fs_interface.file_name, path);
    command(start_command);
}

void FactoryUpgradeMask::show_key(int slot, uint16_t key)
{
    if (!key_slots_[slot])
        return;
    get_pool()->lock_pool();
    key_slots_[slot]->set_value(key);
    get_pool()->unlock_pool();
}

void FactoryUpgradeMask::command(uint8_t command)
{
    objects_.store.head.set(objects_.store.body.system.app_upgrade_command.command, command);
}
