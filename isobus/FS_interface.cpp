#include "isobus/FS_interface.h"
#include "data_store/Data_store.h"
#include "isobus/Upgrade_target_list.h"
#include "isobus/write_upgrade_script_file.h"
#include "params/parameters_t.h"
#include "platform/rtos/Debug_base.h"
#include "platform/rtos/Platform.h"

#include <algorithm>
#include <cstring>

const char* const FS_interface::root = "\\\\";

namespace {

// Manufacturer 33's servers list no volumes; their one volume has this name.
constexpr uint16_t single_volume_manufacturer = 33;
const char single_volume_name[] = "CFCARD";

constexpr uint64_t all_ones = ~uint64_t(0);

}

FS_interface::FS_interface(Data_store& store, NV_quvel::parameters_t& parameters)
    : store_(store), parameters_(parameters)
{
}

FS_interface::~FS_interface() = default;

const char* FS_interface::upgrade_file_name(uint8_t type)
{
    static const char* const names[] = {"tessaryn-ecu_upgrade.ipk", "tessaryn-ecu_aux_upgrade.tar.gz",
                                        "tessaryn-ecu_adv_upgrade.tar.gz"};
    return type < 3 ? names[type] : nullptr;
}

void FS_interface::handle_command(uint8_t command)
{
    switch (command) {
    case download:
    case download_and_install:
        if (state_ != idle && state_ != finished)
            break; // an operation is running
        if (!is_server_connected()) {
            finish(no_server);
            break;
        }
        install_ = command == download_and_install;
        reset_status();
        start_upgrade_read();
        break;
    case cancel:
        if (state_ == reading)
            cancel_operation();
        set_state(idle);
        break;
    case list_volumes:
        start_dir_read(root);
        break;
    default:
        break;
    }
    store_.head.set(store_.body.system.app_upgrade_command.command, uint8_t(0));
}

void FS_interface::set_state(int state)
{
    state_ = state;
    store_.head.set(store_.body.system.app_upgrade_status.state, uint8_t(state));
}

void FS_interface::reset_status()
{
    // A new operation does not report the error of the one before.
    last_group_ = last_function_ = last_error_ = 0;
    store_.head.set(store_.body.system.app_upgrade_status.progress, uint8_t(0));
    store_.head.set(store_.body.system.app_upgrade_status.error_state, uint8_t(0));
    store_.head.set(store_.body.fs_interface.error, int32_t(0));
}

void FS_interface::start_upgrade_read()
{
    set_state(reading);
    // The screen's text need not be terminated: at most 79 characters count.
    char location[sizeof store_.body.fs_interface.file_name];
    store_.head.lock();
    std::memcpy(location, store_.body.fs_interface.file_name, sizeof location);
    const uint8_t type = store_.body.system.app_upgrade_command.type;
    store_.head.unlock();
    location[sizeof location - 1] = '\0';
    const char* file = upgrade_file_name(type);
    if (!file)
        return;
    // A volume listing still running gives way: else the read could not
    // start and the upgrade would wait in state 1 for ever.
    if (get_operation() == op_dir_read)
        cancel_operation();
    start_file_read(file, location);
}

void FS_interface::check_connection()
{
    if (state_ != idle && state_ != finished && !is_server_connected())
        finish(no_server);
}

void FS_interface::finish(uint8_t result)
{
    set_state(finished);
    store_.head.set(store_.body.system.app_upgrade_status.error_state, result);
    store_.head.set(store_.body.fs_interface.error, int32_t(last_error_));
}

void FS_interface::install()
{
    set_state(installing);
    switch (store_.head.get(store_.body.system.app_upgrade_command.type)) {
    case 1:
        if (!write_upgrade_script())
            finish(script_failed);
        else
            store_.head.set(store_.body.system.firmware_upgrade_mode, true);
        break;
    case 0:
        store_.head.set(store_.body.system.initiate_shutdown, int32_t(4));
        break;
    case 2:
        store_.head.set(store_.body.system.initiate_shutdown, int32_t(8));
        break;
    default:
        break;
    }
}

bool FS_interface::write_upgrade_script()
{
    Upgrade_target_list targets(Platform::instance().get_data_dir());
    const uint64_t slave = store_.head.get(store_.body.ecu_config.ecu_info[1].iso_name);
    if (slave != all_ones)
        targets.add(Upgrade_target_list::name_of_stored(slave));
    if (parameters_.app.monitor_ecus.monitoring_config.get() != 0) {
        const uint64_t monitor = store_.head.get(store_.body.ecu_config.ecu_info[5].iso_name);
        if (uint32_t(monitor) != 0xFFFFFFFFu || uint32_t(monitor >> 32) != 0xFFFFFFFFu)
            targets.add(Upgrade_target_list::name_of_stored(monitor));
    }
    return write_upgrade_script_file(targets);
}

void FS_interface::file_read_complete()
{
    if (state_ != reading)
        return;
    set_state(read);
    store_.head.set(store_.body.system.app_upgrade_status.progress, uint8_t(100));
    if (install_)
        install();
    else
        finish(read_only);
}

void FS_interface::set_progress(uint32_t done, uint32_t total, bool)
{
    if (state_ == reading) {
        // In 64 bits: 90 x done passes 32 bits for files above 47 MB.
        const uint64_t percent = total >= 1 ? std::min<uint64_t>(90, uint64_t(90) * done / total) : 0;
        store_.head.set(store_.body.system.app_upgrade_status.progress, uint8_t(percent));
    }
    if (get_operation() == op_dir_read && get_current_directory() == root)
        publish_volumes();
}

void FS_interface::publish_volumes()
{
    ds_fs_volume_info& volumes = store_.body.internal.fs_volume_info;
    const int n = lstint_num_items();
    for (int i = 0; i < n && i < 5; ++i) {
        char name[sizeof volumes.fs_volume[i].volume_name] = {};
        const char* item = lstint_item(i);
        for (size_t k = 0; k + 1 < sizeof name && item[k] && item[k] != '/'; ++k)
            name[k] = item[k];
        store_.head.set(volumes.fs_volume[i].volume_name, name);
    }
    store_.head.set(volumes.num_volumes, uint32_t(n));
}

void FS_interface::handle_error(FS::FS_message::gid_t group, FS::FS_message::fid_t function,
                                FS::FS_message::error_t error)
{
    FS::FS_client_interface::handle_error(group, function, error);
    last_group_ = group;
    last_function_ = function;
    last_error_ = error;
    if (error > 0)
        finish(server_error);
    if (get_operation() == op_dir_read && get_server_manufacturer() == single_volume_manufacturer &&
        lstint_num_items() == 0) {
        Debug_print::dprint("File server of manufacturer 33 detected: assuming volume name = %s\n",
                            single_volume_name);
        ds_fs_volume_info& volumes = store_.body.internal.fs_volume_info;
        char name[sizeof volumes.fs_volume[0].volume_name] = {};
        std::memcpy(name, single_volume_name, sizeof single_volume_name);
        store_.head.set(volumes.fs_volume[0].volume_name, name);
        store_.head.set(volumes.num_volumes, uint32_t(1));
    }
}
