#pragma once
#include "diagnostics/cross_ref_t.h"
#include "platform/can/ZEV_Waiter_list.h"
#include "platform/can/ZEV_name_RAWNAME.h"
#include "platform/io/avl_bstree.h"
#include "platform/io/c_bstree.h"
#include "platform/rtos/Atime.h"
#include "platform/rtos/Diner.h"
#include "platform/rtos/Diner_protection.h"
#include "platform/rtos/Timeout.h"

#include <cstdint>
#include <vector>

class Diagnostic_history;
class ZEV_smart_stack;
namespace Diagnostics_messages {
class Msg_RR;
class Msg_SP;
}

// The diagnostics service of a control function: a task ("DIAG." and the
// object's name) with a store of fault entries, each active or previously
// active with an occurrence count. It applies the sources' error reports,
// answers DM1, DM2, DM3 and DM11 on up to three stacks, broadcasts DM1,
// keeps the occurrence counts in a ring of ten fault files, replays those
// files to a history consumer, and tells registered waiters of every change.
//
// The public operations take the task's lock; the task's own handlers run
// under it too, so the two never meet in the store. A name with a leading
// underscore is an operation's body, for callers that hold the lock.
class Diagnostics : public Diner_protection<Diner>, public ZEV::Waiter_list<10> {
public:
    static constexpr int debug_channel = 46;
    static constexpr int max_stacks = 3;
    static constexpr int max_name = 31;
    static constexpr int max_task_name = 19;
    static constexpr int report_period_ms = 1000;
    static constexpr int dm1_period_ms = 100;
    static constexpr int exit_code_no_module = -132;
    static constexpr int file_count = 10;
    static constexpr int records_per_file = 1000;

    static constexpr uint32_t pgn_dm1 = 65226, pgn_dm2 = 65227, pgn_dm3 = 65228, pgn_dm11 = 65235;

    // Report types, as bits of an entry's mask.
    static constexpr uint8_t j1939_report = 1 << 0; // DM1 and DM2, cleared by DM3 and DM11
    static constexpr uint8_t grift_report = 1 << 1;

    enum diag_event_type : uint32_t {
        became_active = 0,
        became_inactive = 1,
        autoclose_active = 2,
        autoclose_inactive = 3,
    };

    // One fault entry. A subclass that defines entries owns them and puts
    // them in the inactive tree in its definition hook.
    struct Item : avl_bsnode {
        uint32_t grift_state = 0; // 0 not reported, 1 to report, 2 reported, awaiting acknowledgement
        uint16_t oc = 0;          // occurrence count
        unsigned act : 1;         // active
        unsigned pact : 1;        // previously active
        unsigned drt : 1;         // changed since last written to the fault file
        uint8_t report_types = 0; // j1939_report, grift_report
        Atime time_stamp;         // of the last activation
        const cross_ref_t* definition = nullptr;

        Item() : act(0), pact(0), drt(0) {}
    };

    // A change of an entry, as the registered waiters receive it: a
    // waiter_event whose module is the task's waiter id, whose code is the
    // type and whose data is the entry.
    struct Diag_event {
        uint16_t waiter_id = 0;
        Item* item = nullptr;
        diag_event_type type = became_active;

        waiter_event to_event() const { return waiter_event{waiter_id, type, item, nullptr}; }
        static Diag_event from(const waiter_event& event)
        {
            return Diag_event{uint16_t(event.module), static_cast<Item*>(event.data), diag_event_type(event.code)};
        }
    };

    explicit Diagnostics(const char* name);
    // A subclass that overrides the handlers stops the task in its own
    // destructor, so that no handler runs while it is taken apart.
    ~Diagnostics() override;

    // Names and registers the task, takes the stack (when given) into the
    // first slot, creates the trees, calls the definition hook and starts the
    // task when asked. The process ends with exit_code_no_module when the
    // task's waiter cannot be registered.
    virtual bool init(module_man& manager, ZEV_smart_stack* stack, ZEV_name::RAWNAME name, bool start,
                      bool dm1_broadcast);
    // Answers a request for one of the PGNs registered; false for any other.
    virtual bool handle_pgn_request(uint32_t pgn, uint8_t source, uint8_t destination, unsigned slot);
    virtual void register_pgns(unsigned slot);
    virtual void deregister_pgns(unsigned slot);

    // A stack slot each; false when all are taken / when the stack has none.
    bool add_stack(ZEV_smart_stack* stack, ZEV_name::RAWNAME name, bool dm1_broadcast);
    bool remove_stack(ZEV_smart_stack* stack);

    // Applies one source's report: its entries named in it are active, its
    // others are not.
    void receive_error_report(const Diagnostics_messages::Msg_RR& report);
    // The error codes due on the grift report (source 255: any source); all
    // are counted, the first max written.
    unsigned get_error_report_for_grift(uint8_t src, unsigned max, uint16_t* out);
    bool grift_ack_error(uint16_t err);
    uint32_t get_update_id();
    // The description and occurrence count of the entry with the error code
    // (the active ones looked at first), or of the event's entry.
    bool get_error_info(uint16_t err, const char*& description, uint16_t& oc);
    bool get_error_info(const Diag_event& event, const char*& description, uint16_t& oc);
    // Tells the waiters that the defined entry is closed automatically.
    void send_autoclose_message(const cross_ref_t* definition);
    bool register_event_waiter(waiter_descriptor& waiter);
    bool deregister_event_waiter(waiter_descriptor& waiter);
    // Starts replaying the fault files into the consumer; false when one is
    // running or the consumer is null.
    bool request_history(Diagnostic_history* history);
    void print_active_list(const char* desc);
    void print_inactive_list(const char* desc);

    uint16_t get_waiter_id() const { return waiter_id_; }
    // The object's name, as given to the constructor (at most max_name characters).
    const char* get_object_name() const { return name_; }
    // The update id after id: one more, passing over 0 and 0xFFFFFFFF.
    static uint32_t next_update_id(uint32_t id);
    static const cross_ref_t* get_cross_ref(const Diag_event& event);
    // By source, then error code; an entry without definition counts as 0, 0.
    static int compare(const Item& a, const Item& b);
    static int inc_file_num(int n) { return (n + 1) % file_count; }

protected:
    using Item_tree = c_bstree<avl_bstree, Item>;

    // The definition hook: a subclass that defines entries puts them in the
    // inactive tree here.
    virtual void define_items() = 0;

    void diner_start() override;
    void diner_stop() override;
    void handle_event(waiter_event& event) override;
    void handle_timeout(Timeout& timeout) override;

    Item_tree& get_inactive_tree() { return inactive_; }
    bool is_report_timer(const Timeout& timeout) const { return &timeout == &report_timer_; }

    // A slot's stack (null when the slot is free or out of range), the NAME
    // it serves and the id its requests come under; the last two for a slot
    // in use only.
    ZEV_smart_stack* get_slot_stack(unsigned slot) const { return slot < max_stacks ? slots_[slot].stack : nullptr; }
    const ZEV_name::RAWNAME& get_slot_name(unsigned slot) const { return slots_[slot].name; }
    int16_t* get_slot_event_id(unsigned slot) { return &slots_[slot].event_id; }

    bool _add_stack(ZEV_smart_stack* stack, ZEV_name::RAWNAME name, bool dm1_broadcast);
    void _receive_error_report(const Diagnostics_messages::Msg_RR& report);
    unsigned _get_error_report_for_src(uint8_t src, unsigned max, uint16_t* out, int type);
    void _print_list(bool active, const char* desc);

    // DM1, DM2, DM3 and DM11. A broadcast is skipped (false) while the one
    // before is still on its way: a long DM1 takes over a second by BAM.
    void send_DM1(unsigned slot, bool broadcast = false);
    void send_DM1_broadcasts();
    void send_DM2(unsigned slot);
    void clear_faults(uint32_t pgn, uint8_t source, uint8_t destination, unsigned slot);

    // The fault files.
    void pcf_init();
    void load_items_from_file();
    void write_dirty();
    // Adds the records to the current file, synced; false when they are not all there.
    bool append(const std::vector<uint8_t>& bytes);
    bool write_nonzero();
    void cycle_filename();

private:
    struct Stack_slot {
        ZEV_smart_stack* stack = nullptr;
        int16_t event_id = 0;
        ZEV_name::RAWNAME name;
        bool dm1_broadcast = false;
        bool dm1_sending = false; // a broadcast DM1 not yet completed
    };
    // Completion codes of the broadcast DM1 of slot s: dm1_sent_code + s.
    static constexpr int dm1_sent_code = 100;

    static Item* find(const Item_tree& tree, uint32_t src, uint16_t err);
    // Active tree first.
    Item* find_by_err(uint16_t err) const;
    void post_event(Item& item, diag_event_type type);
    // The entry's line of the lists on the debug channel (none without definition).
    static void print_item(const Item& item);
    void advance_update_id();
    void demote();
    void continue_history();
    void end_history();
    void file_name_of(int number, char (&name)[max_name + 1]) const;
    // The record of an entry, time stamped or (snapshot) not.
    static void make_record(const Item& item, bool time_stamped, Diagnostics_messages::Msg_SP& record);
    void set_current_file(int number);

    uint16_t waiter_id_ = 0;
    Timeout report_timer_{true, report_period_ms};
    Item_tree inactive_;
    Item_tree active_;
    Stack_slot slots_[max_stacks];
    char name_[max_name + 1] = {};
    Timeout dm1_timer_{true, dm1_period_ms};
    bool dirty_ = false;
    bool demote_pending_ = false;
    bool dm1_pending_ = false;
    uint32_t grift_waiting_ = 0;
    uint32_t update_id_ = 0;
    char filename_[max_name + 1] = {};
    bool enabled_ = false;
    bool pcf_init_done_ = false;
    int file_number_ = 0;
    int file_records_ = 0;
    int active_dm1_count_ = 0;
    Diagnostic_history* history_ = nullptr;
};
