#pragma once
#include "platform/iso/Iso_client.h"
#include "platform/iso/TC_client_Ddop_writer.h"
#include "platform/iso/TC_client_Measurement.h"
#include "platform/iso/TC_client_Model.h"
#include "platform/iso/TC_client_Task_totals.h"
#include "platform/rtos/Timeout.h"

#include <atomic>
#include <functional>
#include <vector>

struct waiter_event;
class waiter_descriptor;
class ZEV_header;

namespace TC_client {

// The Task Controller client (ISO 11783-10) on the bus, a task of its own.
// It finds a Task Controller (NAME function 130), announces the working set,
// exchanges versions (the model rebuilds its device for the Task
// Controller's version, on this task), uploads the device description
// unless the Task Controller holds it already (a pool it holds under other
// labels is deleted first), activates it and then serves process data both
// ways until the Task Controller falls silent, the client is disabled or
// the model changes. Task totals go on from where they were each time the
// pool is activated again. It answers requests for the working-set master
// message; disabled, it keeps no tick.
//
// Its client waiters hear event_pool_activated and event_pool_deactivated,
// with the task's module id. Data-store and parameter events on its waiter
// go down the listener chain, which hands them to the adaptors.
class Controller : public Iso::Iso_client {
public:
    class Diner_event_handler {
    public:
        explicit Diner_event_handler(Diner_event_handler* next)
            : next_(next)
        {
        }
        virtual ~Diner_event_handler() = default;
        Diner_event_handler(const Diner_event_handler&) = delete;
        Diner_event_handler& operator=(const Diner_event_handler&) = delete;

        // True when this handler took the event.
        virtual bool handle(waiter_event& event) = 0;

        // Offers the event down the chain from this handler; true when one took it.
        bool dispatch(waiter_event& event)
        {
            for (Diner_event_handler* h = this; h; h = h->next_)
                if (h->handle(event))
                    return true;
            return false;
        }

        // The controller names its task's waiter to the whole chain.
        void set_controller_waiter(const waiter_descriptor* waiter)
        {
            for (Diner_event_handler* h = this; h; h = h->next_)
                h->controller_waiter_ = waiter;
        }
        Diner_event_handler* get_next() const { return next_; }

    protected:
        const waiter_descriptor* get_controller_waiter() const { return controller_waiter_; }

    private:
        Diner_event_handler* next_;
        const waiter_descriptor* controller_waiter_ = nullptr;
    };

    static constexpr uint32_t process_data_pgn = 0xCB00;
    static constexpr uint8_t task_controller_function = 130;
    static constexpr uint32_t event_pool_activated = 2;
    static constexpr uint32_t event_pool_deactivated = 3;
    // The client's clock: measurements due more often are served at the tick.
    static constexpr int tick_ms = 100;
    // A Task Controller unheard of for this long has gone; an answer not
    // come in this long starts the version exchange again.
    static constexpr int status_timeout_ms = 6000;
    static constexpr int task_message_ms = 2000;

    // timeout_s: how long the preferred Task Controller is waited for.
    // The task is started with Diner::start, or run with run_pending in tests.
    Controller(module_man* manager, ZEV_smart_stack* stack, Model& model, Working_set_member& member,
               Diner_event_handler* listeners, uint16_t timeout_s, const ZEV_name::RAWNAME& preferred);
    ~Controller() override;

    // Disabled, the client deactivates its pool and falls silent; enabled,
    // it looks for a Task Controller again. Any thread.
    void set_enabled(bool enabled) override;
    // The model changed (any thread): the live pool is deactivated and the
    // version exchange done again, which rebuilds and uploads the device.
    void signal_model_changed();
    // Ground speed in m/s, read on the task for distance measurements.
    void set_speed_source(std::function<double()> speed_m_per_s);

    bool is_pool_active() const { return active_; }

protected:
    int server_timeout_ms() const override { return status_timeout_ms; }
    void handle_event(waiter_event& event) override;
    void handle_listener_event(waiter_event& event) override;
    void handle_timeout(Timeout& timeout) override;

private:
    enum class State {
        searching,       // no Task Controller chosen
        version,         // asked the Task Controller's version
        no_description,  // the model has none for this version
        structure,       // asked the structure label
        localization,    // asked the localization label
        deleting,        // asked to delete the pool the Task Controller holds
        transfer_asked,  // asked to transfer the pool
        uploading,       // pool on its way
        uploaded,        // waiting for the transfer's answer
        activating,      // asked to activate
        active,
        refused,         // waits for the next version exchange
    };
    struct Value {
        Published_value published;
        Measurement measurement;
    };
    enum Command_code : uint32_t { command_model_changed = 1, command_disable };

    void tick(Atime now);
    void on_message(const ZEV_header& header, const uint8_t* data);
    void on_technical(const uint8_t* data);
    void on_descriptor(const uint8_t* data);
    void on_process_data(const uint8_t* data);
    void on_version(const uint8_t* data);
    void start_version_exchange(Atime now);
    void set_state(State state, Atime now);
    void replace_pool(bool task_controller_holds_one);
    void send_transfer_request();
    void activate();
    void deactivate(bool tell_task_controller);
    void refuse(const char* what, unsigned code);
    void lose_server();
    void answer_default_request();
    void answer_working_set_requests();
    void count_distance(double speed_m_per_s);
    void serve_reports(Atime now);
    Value* find_value(uint16_t element, uint16_t ddi);

    bool send(const uint8_t* data, int length, bool track = false);
    bool send8(std::initializer_list<uint8_t> bytes);
    void send_value(uint16_t element, uint16_t ddi, int32_t value);
    void send_ack(uint16_t element, uint16_t ddi, uint8_t errors, uint8_t command);

    Model& model_;
    Diner_event_handler* const listeners_;
    Timeout tick_timer_{true, tick_ms};
    int16_t pgn_registration_ = 0;
    int16_t request_registration_ = 0;

    // The task's own; is_pool_active reads active_ from anywhere.
    State state_ = State::searching;
    std::atomic<bool> active_{false};
    Atime state_since_;
    Atime last_task_message_;
    bool said_no_description_ = false;
    // The task status each Task Controller stated last, echoed in the client task message.
    std::vector<uint8_t> task_status_ = std::vector<uint8_t>(256, 0);
    uint8_t version_reply_[Model::version_message_size] = {};
    bool has_version_reply_ = false;
    bool tc_asked_version_ = false;
    Ddop ddop_;
    std::vector<Value> values_;
    Task_totals task_totals_;
    int64_t distance_mm_ = 0;
    double distance_rest_mm_ = 0;
    std::function<double()> speed_;
};

}
