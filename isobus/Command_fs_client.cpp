#include "isobus/Command_fs_client.h"
#include "data_store/Data_store.h"
#include "isobus/FS_interface.h"
#include "platform/io/pcf_files.h"
#include "platform/iso/FS_client.h"

namespace {
constexpr unsigned command_size = 1;
}

Command_fs_client::Command_fs_client(FS::FS_client* client, Data_store& store, NV_quvel::parameters_t& parameters)
    : store_(store), parameters_(parameters), client_(client)
{
}

Command_fs_client::~Command_fs_client()
{
    listen(false);
    remove_timeout(check_);
    terminate(1, 1000);
    // The interface first: it lets go of the client.
    interface_.reset();
    client_.reset();
}

bool Command_fs_client::init(module_man* manager, ZEV_smart_stack* stack, const ZEV_name::RAWNAME& name)
{
    if (!Diner::init(manager, nullptr, "FSCIF", 50, 6144, true, false))
        return false;
    name_ = name;
    if (!client_)
        client_ = std::make_unique<FS::FS_client>(manager);
    const bool client_ready = client_->init(stack, name_, ZEV_name::RAWNAME::GLOBAL_NAME, 0) && client_->start();
    interface_ = std::make_unique<FS_interface>(store_, parameters_);
    interface_->init(&get_waiter(), client_.get());
    listen(true);
    submit_timeout(check_);
    return client_ready && pcfIsMounted(nullptr);
}

void Command_fs_client::listen(bool on)
{
    if (on == listening_)
        return;
    uint8_t& command = store_.body.system.app_upgrade_command.command;
    const unsigned offset = store_.head.offset_of(&command);
    const uint32_t word = CDS::event_word(&command, command_size);
    if (on)
        store_.head.event_register(&get_waiter(), offset, command_size, CDS::reg_change, word, nullptr, nullptr);
    else
        store_.head.event_unregister(&get_waiter(), offset, command_size, CDS::reg_change, word, nullptr, nullptr);
    listening_ = on;
}

void Command_fs_client::handle_event(waiter_event& event)
{
    if (event.module != store_.head.get_module_id()) {
        interface_->handle_event(event);
        return;
    }
    uint8_t& command_item = store_.body.system.app_upgrade_command.command;
    if (event.code != CDS::event_word(&command_item, command_size))
        return;
    store_.head.lock();
    const uint8_t command = command_item;
    store_.head.unlock();
    // Clearing the item signals it again: that 0 is no command.
    if (command != 0)
        interface_->handle_command(command);
}

void Command_fs_client::handle_timeout(Timeout& timeout)
{
    if (&timeout == &check_)
        interface_->check_connection();
}
