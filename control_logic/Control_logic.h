#pragma once
#include "control_logic/Ecu_poller.h"
#include "control_logic/Gpio_output.h"
#include "control_logic/Packet_interface.h"
#include "control_logic/Seeder_controller.h"
#include "platform/data/NV_Virt_listener.h"
#include "platform/io/Posix_threaded_serial_data_stream.h"
#include "platform/rtos/Diner.h"
#include "platform/rtos/Diner_protection.h"
#include "platform/rtos/Timeout.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

class Data_store;
class ZEV_smart_stack;
namespace NV_quvel {
class parameters_t;
}

// The seeder's real-time task "CLIF": it owns the serial line to the slave
// processors and turns store and parameter changes, ground-speed messages
// from the CAN bus and replies from the line into calls on the seeder
// controller and the poll engine, which it also drives from its timers.
class Control_logic : public Diner_protection<Diner> {
public:
    static constexpr uint32_t ecu_mode_normal = 1;
    static constexpr uint32_t ecu_mode_monitor = 2; // sensor auto-detection runs

    // The speed messages it follows.
    static constexpr uint32_t pgn_ground_speed = 65097;
    static constexpr uint32_t pgn_wheel_speed = 65096;
    static constexpr uint32_t pgn_cog_sog = 129026;

    Control_logic(const char* port_name, Data_store& store, NV_quvel::parameters_t& parameters);
    // Removes the timers, closes the port, ends the task.
    ~Control_logic() override;

    // Sets the task up (set_up) and starts it.
    bool init(module_man* manager, ZEV_smart_stack* stack);
    // Everything init does but starting the task, whose queue and timers a
    // test then runs with run_pending. Opening the port waits a second first.
    // A port that cannot be opened, or that goes away later (a far side that
    // hangs up, an adapter pulled), is named once and opened again every
    // second; polling stops meanwhile and starts afresh once it is back.
    bool set_up(module_man* manager, ZEV_smart_stack* stack);

    // Saves the controller's totals, before the program ends.
    void save_totals_before_shutdown();

    uint32_t get_ecu_mode() const { return ecu_mode_; }
    Ecu_poller* get_poller() { return poller_.get(); }

protected:
    void handle_event(waiter_event& event) override;
    void handle_timeout(Timeout& timeout) override;

private:
    friend class NV_store::Virt_listener<Control_logic>;
    struct Store_action {
        const void* item;
        unsigned size;
        std::function<void()> action;
    };

    template <class T>
    void on_change(const T& item, std::function<void()> action)
    {
        store_actions_.push_back({&item, unsigned(sizeof item), std::move(action)});
    }
    void build_store_actions();
    void watch_store(bool on);
    void register_speed_pgns();
    void deregister_speed_pgns();
    void apply_throttling();

    void on_speed_message(uint32_t pgn);
    void on_store_change(uint32_t code);
    void handle_nv_listener_event(NV_store::Virt_access* listener);
    void on_serial_event(uint32_t code);
    void on_serial_data();
    void on_line_gone();
    void wait_for_line();
    void try_to_reopen();
    void on_reply_timeout();
    void on_next_request();
    void on_shutdown_request();
    void rearm_reply_timeout();
    uint32_t update_ecu_mode();
    void apply_liveness_rule();
    void apply_master_switch_inhibit();
    bool simulating();

    Data_store& store_;
    NV_quvel::parameters_t& parameters_;
    const std::string port_name_;
    ZEV_smart_stack* stack_ = nullptr;

    Timeout t1_{true, 1000};  // controller and poll engine, every second
    Timeout t2_{true, 500};   // controller and poll engine, every half second
    Timeout t3_{true, 100};   // controller, every 100 ms
    Timeout t4_{true};        // totals saved every save_time minutes
    Timeout t5_;              // the reply deadline
    Timeout t6_;              // the non-VT display's start-up time-out
    Timeout t7_{false, 2000}; // the shutdown after a firmware-upgrade request
    Timeout t8_{false, 10};   // the next request after a reply
    Timeout reopen_{true, 1000}; // while the serial line is closed

    std::unique_ptr<Posix_threaded_serial_data_stream> serial_;
    std::unique_ptr<Packet_interface> link_;
    std::unique_ptr<Gpio_output> rs485_;
    std::unique_ptr<Seeder_controller> controller_;
    std::unique_ptr<Ecu_poller> poller_;
    bool line_up_ = false; // the serial line is open and polled
    bool termination_ = false;
    uint32_t ecu_mode_ = ecu_mode_normal;

    // The tank switches and the calibration reset switch as last acted on:
    // the slaves' replies and the liveness rule write them again and again,
    // and only a change restarts the channels.
    bool tank_switches_[10] = {};
    bool cal_reset_ = false;
    // True when value differs from last, which then takes it.
    static bool changed(bool& last, bool value);

    std::vector<Store_action> store_actions_;
    bool watching_store_ = false;
    NV_store::Virt_listener<Control_logic> app_listener_{this};
    NV_store::Virt_listener<Control_logic> non_vtt_listener_{this};
};
