#pragma once
#include "platform/can/ZEV_name_RAWNAME.h"
#include "platform/iso/Iso_client.h"
#include "platform/iso/Object_pool_base.h"
#include "platform/iso/VT_Client_Object_pool_interface.h"
#include "platform/iso/VT_Pool_listener.h"
#include "platform/rtos/Timeout.h"

#include <atomic>
#include <cstdint>
#include <deque>
#include <set>
#include <string>
#include <vector>

class module_man;
class ZEV_header;

namespace VT {

class Upload_progress;

// A VT object pool with its Virtual Terminal client (ISO 11783-6), a task of
// its own whose lock is the pool lock: whoever reads or changes the pool's
// objects outside the client's own processing holds it. The lock is not
// recursive and records its holder.
//
// Once given the bus by init and started, the client finds a VT (NAME
// function 29) by its status, announces the working set and keeps it alive,
// asks the VT's memory and capabilities, loads the pool from the VT's stored
// version or uploads it, and then sends the objects' changes and hands the
// operator's activations and the unit system the VT's Language command
// names to its listener, until the VT falls silent (then
// it looks again and reloads) or the client is disabled.
class Object_pool : public Object_pool_base<VT_obj>, public Iso::Iso_client, public Client::Object_pool_interface {
public:
    static constexpr int capability_count = 8;
    // What the VT in use said of itself, shared by every pool of the process:
    // 0 the VT's version, 1 its graphic type, 2 its hardware features,
    // 3 its physical and 4 its virtual soft keys, 5 its small and 6 its large
    // font sizes, 7 its font styles.
    static uint8_t vt_capabilities[capability_count];
    // The code of the VT maker whose terminals get the longer time-outs.
    static constexpr uint32_t slow_vt_manufacturer = 102;
    static constexpr uint8_t vt_function = 29;
    static constexpr uint32_t vt_to_ecu_pgn = 0xE600, ecu_to_vt_pgn = 0xE700;
    // The Language command (ISO 11783-7): the VT's language and units.
    static constexpr uint32_t language_pgn = 0xFE0F;
    static constexpr int tick_ms = 100;
    static constexpr int maintenance_ms = 1000;
    // How long an answer of the VT is waited for, and how long the client
    // waits before it uploads again after a transfer failed.
    static constexpr int answer_timeout_ms = 3000;
    static constexpr int retry_pause_ms = 5000;
    // Pool bytes per Object Pool Transfer message: whole records, one
    // progress report each.
    static constexpr size_t transfer_bytes = 16384;
    // Changes waiting for the VT beyond this many are dropped.
    static constexpr size_t max_queued_commands = 1024;
    static constexpr size_t label_size = 7;

    Object_pool(module_man* man, VT_obj** table, unsigned short size);
    ~Object_pool() override;

    // Gives the client the bus and the working set, the mask shown first,
    // the upload progress reporter (may be null), the VT preferred and how
    // long it is waited for (seconds). The task starts with Diner::start, or
    // runs with run_pending in tests.
    virtual void init(ZEV_smart_stack* stack, Working_set_member& member, VT_obj* intro_mask,
                      Upload_progress* progress, const ZEV_name::RAWNAME& preferred, unsigned short timeout_s);
    // Who hears the activations and the VT's state, on the client's task.
    void set_listener(Pool_listener* listener) { listener_ = listener; }

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

    // Change Active Mask, sent when the VT shows the pool. The caller holds the pool lock.
    void activate_data_mask(uint16_t mask) override;
    void activate_alarm_mask(uint16_t mask) override;
    void send_command(std::vector<uint8_t> message) const override;

    // Whether the VT shows this pool (uploaded or loaded and not lost since),
    // and whether the VT says this working set is the active one. Any thread.
    bool is_shown() const { return shown_; }
    bool is_active_working_set() const { return active_working_set_; }

protected:
    static constexpr int32_t disabled_state = -1;

    // The NAME of the VT the client works with; GLOBAL_NAME when there is none.
    void set_vt_name(const ZEV_name::RAWNAME& name) { vt_name_ = name.get_value(); }
    ZEV_name::RAWNAME get_vt_name() const { return ZEV_name::RAWNAME(vt_name_.load()); }
    // The client's state word; disabled_state while the client is disabled.
    void set_state(int32_t state) { state_ = state; }

    void _enable_client() override;
    void _disable_client() override;
    int server_timeout_ms() const override;
    void handle_event(waiter_event& event) override;
    void handle_timeout(Timeout& timeout) override;

    module_man* const man_;

private:
    enum class Step {
        searching, // no VT chosen
        memory,    // asked whether the pool fits
        soft_keys,
        fonts,
        hardware,
        versions,  // asked the labels the VT keeps
        loading,   // asked to load ours
        uploading, // transfer messages on their way
        ending,    // End of Object Pool sent
        storing,   // asked to store the version
        shown,     // the VT shows the pool
        refused,   // the VT took the pool with errors: no more until it is lost
        pausing,   // a transfer failed: waits, then asks again
    };
    enum Command_code : uint32_t { command_queued = 1, command_disable };

    void tick(Atime now);
    void on_message(const ZEV_header& header, const uint8_t* data, int length);
    void on_status(uint8_t source, const uint8_t* data);
    void on_answer(const uint8_t* data, int length);
    void on_activation(const uint8_t* data, int length);
    void on_command_response(const uint8_t* data);
    void on_transfer_done(bool ok);
    void choose(uint8_t address, Atime now);
    void ask(Step step, const std::vector<uint8_t>& message);
    void start_upload();
    void send_next_transfer();
    void show(bool uploaded);
    void lose_vt(const char* why);
    void stop_taking_changes();
    void send_next_command(Atime now);
    void answer_working_set_requests();
    void ask_language();
    void read_language();
    void deliver(const Pool_listener::Activation& activation);
    // Applies the VT's change to the object under the pool lock without
    // sending it back; false when the object or value does not fit.
    bool apply_number(uint16_t id, uint32_t value);
    bool apply_string(uint16_t id, const std::string& text);
    bool send(const std::vector<uint8_t>& message, int code = 0);

    VT_obj* intro_mask_ = nullptr;
    Upload_progress* progress_ = nullptr;
    Pool_listener* listener_ = nullptr;
    Timeout tick_timer_{true, tick_ms};
    int16_t registration_ = 0;
    bool initialised_ = false;

    // The task's own.
    Step step_ = Step::searching;
    Atime step_since_;
    Atime last_maintenance_;
    bool initiating_ = true;
    std::vector<uint8_t> image_;
    std::vector<size_t> record_ends_;
    size_t sent_ = 0;       // pool bytes whose transfer completed
    size_t in_flight_ = 0;  // pool bytes of the transfer message on its way
    char label_[label_size + 1] = {};
    std::set<uint8_t> refused_vts_; // said they have no room for the pool
    std::vector<uint8_t> awaiting_; // the command whose response is due
    Atime awaiting_since_;

    // Under the pool lock.
    mutable std::deque<std::vector<uint8_t>> commands_;
    mutable bool said_queue_full_ = false;
    bool applying_vt_change_ = false;
    bool taking_changes_ = false; // from the image's making until the VT is lost

    std::atomic<bool> shown_{false};
    std::atomic<bool> active_working_set_{false};
    std::atomic<uint64_t> vt_name_{ZEV_name::RAWNAME::GLOBAL_NAME.get_value()};
    std::atomic<int32_t> state_{0};
};

}
