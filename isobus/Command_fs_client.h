#pragma once
#include "platform/can/ZEV_name_RAWNAME.h"
#include "platform/rtos/Diner.h"
#include "platform/rtos/Timeout.h"

#include <cstdint>
#include <memory>

class Data_store;
class FS_interface;
class ZEV_smart_stack;
namespace FS {
class FS_client;
}
namespace NV_quvel {
class parameters_t;
}

// The file-server command task "FSCIF": owns the file-server client and the
// application's interface to it, hands the upgrade command of the data
// store to the interface, runs the client's protocol events through it and
// checks the server's connection every second.
class Command_fs_client : public Diner {
public:
    static constexpr int check_period_ms = 1000;

    // client: the file-server client to own; null makes one in init.
    Command_fs_client(FS::FS_client* client, Data_store& store, NV_quvel::parameters_t& parameters);
    ~Command_fs_client() override;

    // Names the task, starts the client on the stack with this ECU's NAME,
    // makes the interface and listens to the command item. True when the
    // task and the client are ready and the local file space can be used.
    bool init(module_man* manager, ZEV_smart_stack* stack, const ZEV_name::RAWNAME& name);

    FS_interface* get_interface() const { return interface_.get(); }

protected:
    void handle_event(waiter_event& event) override;
    void handle_timeout(Timeout& timeout) override;

private:
    void listen(bool on);

    Data_store& store_;
    NV_quvel::parameters_t& parameters_;
    ZEV_name::RAWNAME name_;
    std::unique_ptr<FS::FS_client> client_;
    std::unique_ptr<FS_interface> interface_;
    Timeout check_{true, check_period_ms};
    bool listening_ = false;
};
