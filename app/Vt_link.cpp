#include "app/Vt_link.h"
#include "app/load_seeder_screens.h"
#include "params/parameters_t.h"
#include "platform/iso/VT_Number_variable_obj.h"
#include "platform/iso/VT_Upload_bar_progress.h"
#include "platform/rtos/Debug_base.h"
#include "platform/ui/User_interface.h"
#include "ui/screens/Seeder_ui.h"
#include "vt_pool/seeder_ecu_pool/seeder_ecu_pool.h"

Vt_link::Vt_link(module_man& manager, Data_store& store, NV_quvel::parameters_t& parameters,
                 ZEV_smart_stack& stack, Working_set_member& member, Seeder_pool_ids& ids, FS::FS_client* fs_client,
                 Implement_diag* diagnostics, uint32_t writer_size)
    : pool_(std::make_unique<VT::seeder_ecu_pool>(&manager, nullptr, 0)),
      ui_(std::make_unique<UI::User_interface>(&manager, *pool_)),
      root_(std::make_unique<Seeder_ui>(ui_.get(), fs_client, diagnostics, store, parameters, ids))
{
    if (!load_seeder_screens(*pool_, ids, writer_size))
        return;
    // A file that cannot be written has been reported; the upload takes its
    // bytes from the pool itself.
    pool_->serialise_to_file();
    upload_bar_ = std::make_unique<VT::Upload_bar_progress>(
        dynamic_cast<VT::Number_variable_obj*>(pool_->find_object("var_upload", true)));
    pool_->init(&stack, member, pool_->find_object("mask_intro", true), upload_bar_.get(),
                ZEV_name::RAWNAME::from_stored(parameters.system.specific_vt_name.get()),
                parameters.system.terminal_timeout.get());
    ui_->init(*root_);
    ready_ = true;
}

Vt_link::~Vt_link()
{
    // Nothing the client's task reaches may go while it runs: the interface
    // hears it, the pool's objects are its own.
    if (pool_->is_running())
        pool_->stop_via_event();
    // The screens leave the interface, which must not run them meanwhile.
    if (ui_->is_running())
        ui_->stop_via_event();
    root_.reset();
    ui_.reset();
    pool_.reset();
    upload_bar_.reset();
}

void Vt_link::start()
{
    if (!ready_)
        return;
    ui_->start();
    pool_->start();
}

void Vt_link::notify_shutdown()
{
    Debug_print::dprint("Shutting down - notify VT\n");
    pool_->set_enabled(false);
}
