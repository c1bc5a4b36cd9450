#pragma once
#include "platform/rtos/Diner.h"
#include "platform/rtos/Timeout.h"

#include <cstdint>

class ZEV_smart_stack;

namespace CDS {
namespace Remote {
class Server;
}
}

namespace Can_gril {

// The task "GCAN" that carries the remote data store on CAN: it takes the
// messages of PGN 0x1EF00 that begin with the marker on up to three stacks
// to the server, with a back end that answers the sender, and paces the
// server's notifications with the stacks' send completions and a 30 ms tick,
// which runs while a notification waits and otherwise rests, keeping its rhythm.
class Can_gril : public Diner {
public:
    static constexpr int max_stacks = 3;
    static constexpr int tick_ms = 30;
    // The largest frame read: a longer one is dropped whole.
    static constexpr int max_frame = 105;

    Can_gril();
    ~Can_gril() override;

    // Takes the next free slot; false when all are taken.
    bool add_stack(ZEV_smart_stack* stack);
    // Keeps the server and starts the task ("GCAN").
    bool init(module_man* manager, CDS::Remote::Server* server);

protected:
    void attach(CDS::Remote::Server* server) { server_ = server; }
    void diner_start() override;
    void diner_stop() override;
    void handle_event(waiter_event& event) override;
    void handle_timeout(Timeout& timeout) override;

private:
    void read_frame(ZEV_smart_stack& stack);

    Timeout tick_{true, tick_ms};
    ZEV_smart_stack* stacks_[max_stacks] = {};
    int16_t handles_[max_stacks] = {};
    CDS::Remote::Server* server_ = nullptr;
};

}
