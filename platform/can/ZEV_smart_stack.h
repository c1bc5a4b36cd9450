#pragma once
#include "platform/can/Can_bus.h"
#include "platform/can/ZEV_link.h"
#include "platform/can/ZEV_name_Listeners.h"
#include "platform/can/ZEV_name_Name_manager.h"
#include "platform/can/ZEV_stack.h"
#include "platform/can/ZEV_trans_Throttler.h"
#include "platform/can/ZEV_transport.h"
#include "platform/rtos/Diner.h"
#include "platform/rtos/Diner_protection.h"

#include <memory>
#include <mutex>
#include <vector>

// A J1939 / ISO 11783 network layer on one bus, with a task ("ZEV") of its
// own that takes the frames from the bus and runs the time-outs: address
// claim and the NAMEs of the bus (get_name_manager, get_listeners), PGN
// registration and delivery (ZEV_stack), requests and acknowledgements, and
// messages of any length with completion events.
//
// When a bus that lost its server has it again, every NAME of this node
// claims its address again and the nodes on the bus are asked for theirs.
//
// Events it posts, each on a module of its own (module numbers from the
// module manager given to open):
//   name module        code 0: a claim of a NAME added or waited for
//                      settled; code n: listener n has news
//   receive module     code PGN: a message of a registered PGN
//   request module     code PGN: a request for a registered PGN
//   completion module  code +c / -c: the send given code c succeeded / failed
class ZEV_smart_stack : public Diner_protection<Diner>, public ZEV_stack, private ZEV_link {
public:
    ZEV_smart_stack();
    ~ZEV_smart_stack() override; // closes

    // Takes the bus over (it is deleted with the stack), names the task and
    // its modules, and asks the nodes on the bus to announce themselves. The
    // task is started with Diner::start (or run with run_pending in tests).
    // False when the bus is null, the stack is open already or no modules are left.
    bool open(Can_bus* bus, module_man* manager);
    // Ends the task, leaves the bus and fails the sends still pending. The
    // stack stays usable for deregistering.
    void close();

    ZEV_name::Name_manager& get_name_manager() { return names_; }
    ZEV_name::Listeners& get_listeners() { return listeners_; }

    // Tells the waiter (name event, code 0) once a node matching the NAME holds
    // an address; at once when one does. With block, a NAME of this node still
    // claiming is waited for (the task must run) until its claim holds (true)
    // or fails (false). Returns whether such a node holds an address.
    bool wait_for_name(waiter_descriptor* waiter, const ZEV_name::NAME& name, bool block);

    // Sends length bytes: one frame up to 8, else TP or ETP; to all when the
    // destination is 255 or the PGN is a PDU2 one sent as one frame. 0 when
    // accepted; then, with a waiter, one completion event follows. -1 when
    // the source is not an address this node holds or the message cannot go.
    int write(const ZEV_header& header, const uint8_t* data, int length, waiter_descriptor* waiter, int code);
    // A task that goes while its sends may still be on their way: their
    // completions are not posted to its waiter any more. Any thread.
    void forget_waiter(const waiter_descriptor* waiter) { transport_.forget_waiter(waiter); }
    // The acknowledgement (PGN 59392) of a request for pgn, to all, naming the
    // requester. 0 on success.
    int send_ack(uint8_t own_address, uint32_t pgn, bool ack, uint8_t requester);
    // Paces the data packets of long messages from now on.
    void set_default_throttler(const ZEV_trans::Throttler& throttler);

    int16_t get_name_module() const { return name_module_; }
    int16_t get_completion_module() const { return completion_module_; }

protected:
    void handle_event(waiter_event& event) override;
    void handle_timeout(Timeout& timeout) override;
    bool send_single(const ZEV_header& header, const uint8_t* data) override;

private:
    bool send_frame(const ZEV_header& header, const uint8_t* data) override;
    void arm(Timeout& timeout, int ms) override;
    void disarm(Timeout& timeout) override;
    bool is_local_address(uint8_t address) override;
    void deliver(const ZEV_header& header, const uint8_t* data, size_t length) override;
    void complete(waiter_descriptor* waiter, int code, bool ok) override;
    void post_name_event(waiter_descriptor* waiter, uint32_t code) override;

    bool holds_source(uint8_t address);
    // Holds the bus (true) or releases it (false).
    void hold_bus(bool hold);
    void on_bus_frame(const Can_frame& frame);
    void on_bus_restored();
    void process(const Can_frame& frame);
    void process_request(const ZEV_header& header, const uint8_t* data, uint8_t length);

    std::mutex bus_mutex_;
    std::unique_ptr<Can_bus> bus_;
    std::mutex rx_mutex_;
    std::vector<Can_frame> rx_;
    ZEV_name::Name_manager names_;
    ZEV_name::Listeners listeners_;
    ZEV_transport transport_;
    int16_t name_module_ = 0;
    int16_t completion_module_ = 0;
};
