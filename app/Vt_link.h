#pragma once
#include "vt_pool/build_seeder_pool.h"

#include <cstdint>
#include <memory>

class Data_store;
class Implement_diag;
class Seeder_ui;
class module_man;
class Working_set_member;
class ZEV_smart_stack;
namespace FS {
class FS_client;
}
namespace NV_quvel {
class parameters_t;
}
namespace UI {
class User_interface;
}
namespace VT {
class Upload_bar_progress;
class seeder_ecu_pool;
}

// The program's Virtual Terminal side, made in VT mode only: the application
// pool with the code-built screens loaded into it and its file written, the
// upload bar, the pool's VT client and the user interface over the pool.
// When the screens cannot be built or loaded whole, it says so in one line
// and neither the client nor the interface is set up: a cut pool is never
// shown, and the rest of the program runs on without a VT.
class Vt_link {
public:
    // member: the program's working set, with the NAME it claimed on the
    // stack's bus; it outlives the link. ids: where the screens' object IDs
    // are recorded. fs_client, diagnostics: handed to the screens. writer_size:
    // the room the screens are built into.
    Vt_link(module_man& manager, Data_store& store, NV_quvel::parameters_t& parameters, ZEV_smart_stack& stack,
            Working_set_member& member, Seeder_pool_ids& ids, FS::FS_client* fs_client, Implement_diag* diagnostics,
            uint32_t writer_size = seeder_pool_writer_size);
    // Stops the client's task and the interface's, then deletes the screens,
    // the user interface, the pool and the upload bar, in this order.
    ~Vt_link();
    Vt_link(const Vt_link&) = delete;
    Vt_link& operator=(const Vt_link&) = delete;

    // Whether the pool is whole, its client and the interface set up.
    bool is_ready() const { return ready_; }
    // Starts the interface's task and then the client's, when ready.
    void start();
    // Tells the VT that the program goes: the client falls silent.
    void notify_shutdown();

    VT::seeder_ecu_pool& get_pool() { return *pool_; }
    UI::User_interface& get_ui() { return *ui_; }

private:
    std::unique_ptr<VT::seeder_ecu_pool> pool_;
    std::unique_ptr<UI::User_interface> ui_;
    std::unique_ptr<Seeder_ui> root_;
    std::unique_ptr<VT::Upload_bar_progress> upload_bar_;
    bool ready_ = false;
};
