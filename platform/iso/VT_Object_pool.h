#pragma once
#include "platform/can/ZEV_name_RAWNAME.h"
#include "platform/iso/Object_pool_base.h"
#include "platform/rtos/Diner.h"
#include "platform/rtos/Diner_protection.h"

#include <atomic>
#include <cstdint>

class module_man;

namespace VT {

// A VT object pool with its event-loop part, whose lock is the pool lock:
// whoever reads or changes the pool's objects outside the VT client's own
// processing holds it. The lock is not recursive and records its holder.
class Object_pool : public Object_pool_base<VT_obj>, public Diner_protection<Diner> {
public:
    static constexpr int capability_count = 8;
    // What the VT in use said of itself, shared by every pool of the process.
    static uint8_t vt_capabilities[capability_count];
    // The code of the VT maker whose terminals get the longer time-outs.
    static constexpr uint32_t slow_vt_manufacturer = 102;

    Object_pool(module_man* man, VT_obj** table, unsigned short size);

    void lock_pool() const override { lock(-1); }
    void unlock_pool() const override { unlock(); }
    // Passes silently when the caller holds the lock. Otherwise says
    // "Bad mutex status: <status>, wanted: 1 <holder> <caller>" (status 0: the
    // lock is free, 2: another thread holds it) and aborts, unless debug
    // channel 43 lets the process go on; channel 44 skips the check.
    void check_pool_locked() const override;
    // True with debug channel 49, or for a VT of the slow maker that gave 8
    // as capability byte 1.
    virtual bool extend_timeouts() const;
    // How long the client waits for the VT's status before it takes the VT as lost.
    virtual int server_status_timeout_ms() const { return 3500; }
    virtual bool is_disabled() { return state_ == disabled_state; }
    virtual bool force_disabled() { return false; }

protected:
    static constexpr int32_t disabled_state = -1;

    // The NAME of the VT the client works with; GLOBAL_NAME when there is none.
    void set_vt_name(const ZEV_name::RAWNAME& name) { vt_name_ = name.get_value(); }
    ZEV_name::RAWNAME get_vt_name() const { return ZEV_name::RAWNAME(vt_name_.load()); }
    // The client's state word; disabled_state while the client is disabled.
    void set_state(int32_t state) { state_ = state; }

    module_man* const man_;

private:
    std::atomic<uint64_t> vt_name_{ZEV_name::RAWNAME::GLOBAL_NAME.get_value()};
    std::atomic<int32_t> state_{0};
};

}
