#include "control_logic/Control_logic.h"
#include "control_logic/No_comms_alarm.h"
#include "data_store/Data_store.h"
#include "params/parameters_t.h"
#include "platform/can/Iso11783_Msg_GroundBasedSpeedDist.h"
#include "platform/can/Iso11783_Msg_WheelBasedSpeedDist.h"
#include "platform/can/NMEA2000_Msg_NMEACogSogData.h"
#include "platform/can/ZEV_smart_stack.h"
#include "platform/can/ZEV_trans_Throttler.h"
#include "platform/rtos/Debug_base.h"

#include <algorithm>

namespace {

constexpr int queue_size = 50;
constexpr int stack_size = 6144;
constexpr int open_delay_ms = 1000;
constexpr uint8_t speed_source_wheel = 4;
constexpr uint8_t speed_source_ground = 5;
constexpr uint8_t speed_source_cog_sog = 6;
constexpr int32_t shutdown_upgrade = 2;
constexpr int32_t shutdown_app_upgrade = 7; // the upgrade of the application itself
constexpr uint8_t upgrade_type_app = 1;
constexpr int monitored_booms = 6;

unsigned long ms_of_day()
{
    return static_cast<unsigned long>(Atime::ms_of_day());
}

}

Control_logic::Control_logic(const char* port_name, Data_store& store, NV_quvel::parameters_t& parameters)
    : store_(store), parameters_(parameters), port_name_(port_name ? port_name : "")
{
    build_store_actions();
}

Control_logic::~Control_logic()
{
    for (Timeout* t : {&t1_, &t2_, &t3_, &t4_, &t5_, &t6_, &t7_, &reopen_})
        remove_timeout(*t);
    if (serial_) {
        Debug_print::dprint("Closing com port: %s\n", port_name_.c_str());
        serial_->close();
    }
    rs485_.reset();
    terminate(1, 1000);
    watch_store(false);
    if (stack_)
        deregister_speed_pgns();
}

bool Control_logic::init(module_man* manager, ZEV_smart_stack* stack)
{
    return set_up(manager, stack) && start();
}

bool Control_logic::set_up(module_man* manager, ZEV_smart_stack* stack)
{
    if (!Diner::init(manager, nullptr, "CLIF", queue_size, stack_size, true, false))
        return false;
    stack_ = stack;
    apply_throttling();

    // What the switches are now is what a later write changes.
    for (int i = 0; i < 10; ++i)
        tank_switches_[i] = store_.head.get(store_.body.channels.channels[i].active);
    cal_reset_ = store_.head.get(store_.body.operation.cal_swbox_reset_active);
    watch_store(true);
    app_listener_.init(&parameters_.app);
    app_listener_.autoreg(get_waiter(), true);
    non_vtt_listener_.init(&parameters_.system.non_vtt_connected);
    non_vtt_listener_.autoreg(get_waiter(), false);
    register_speed_pgns();

    // On one rhythm, so that the second, the half second and the 100 ms
    // ticks that fall together wake the task once.
    const Atime start = Atime::now();
    for (Timeout* t : {&t1_, &t2_, &t3_})
        submit_timeout_at(*t, start + Rtime(t->get_period()));
    const unsigned save_ms = parameters_.app.save_time.get() * 60000u;
    if (save_ms != 0) {
        Debug_print::dprint("Save runtime = %u ms\n", save_ms);
        submit_timeout(t4_, int(save_ms));
    }
    submit_timeout(t6_, parameters_.system.terminal_timeout.get() * 1000);

    Atime::delay(open_delay_ms);
    serial_ = std::make_unique<Posix_threaded_serial_data_stream>();
    serial_->init(manager);
    serial_->register_waiter(&get_waiter());
    line_up_ = serial_->open(port_name_.c_str());
    if (!line_up_)
        Debug_print::dprint("Serial port %s: %s\n", port_name_.c_str(), serial_->get_problem().c_str());

    link_ = std::make_unique<Packet_interface>(*serial_);
    controller_ = std::make_unique<Seeder_controller>(store_, parameters_);
    controller_->refresh_parameters();
    // Its construction runs InitComms: a second run would ask the power box twice.
    poller_ = std::make_unique<Ecu_poller>(*link_, store_, parameters_);

    // Unless the power box was asked, the deadline has passed: polling starts at once.
    if (line_up_)
        submit_timeout_at(t5_, link_->get_deadline());
    else
        wait_for_line();
    poller_->check_ecu_config(parameters_);

    rs485_ = std::make_unique<Gpio_output>();
    termination_ = parameters_.app.RS485_termination_enabled.get();
    rs485_->set_termination(termination_);
    ecu_mode_ = ecu_mode_normal;
    return true;
}

void Control_logic::save_totals_before_shutdown()
{
    controller_->save_totals();
}

void Control_logic::apply_throttling()
{
    if (!parameters_.system.non_vtt_connected.get()) {
        const auto& t = parameters_.can.vtt_throttling;
        const int delay = t.delay_ms.get(), pkts = t.pkts_between_delay.get();
        stack_->set_default_throttler(ZEV_trans::Throttler(delay, pkts));
        Debug_print::dprint("vtt_throttling: delay_ms=%i pkts=%i\n", delay, pkts);
    } else {
        const auto& t = parameters_.can.non_vtt_throttling;
        const int delay = t.delay_ms.get(), pkts = t.pkts_between_delay.get();
        stack_->set_default_throttler(ZEV_trans::Throttler(delay, pkts));
        Debug_print::dprint("non_vtt_throttling: delay_ms=%i pkts=%i\n", delay, pkts);
    }
}

void Control_logic::register_speed_pgns()
{
    for (uint32_t pgn : {pgn_ground_speed, pgn_wheel_speed, pgn_cog_sog})
        stack_->register_pgn(pgn, &get_waiter(), nullptr, ZEV_stack::PGN_DATA);
}

void Control_logic::deregister_speed_pgns()
{
    for (uint32_t pgn : {pgn_ground_speed, pgn_wheel_speed, pgn_cog_sog})
        stack_->deregister_pgn(pgn, &get_waiter(), ZEV_stack::PGN_DATA);
}

void Control_logic::build_store_actions()
{
    ds_system& system = store_.body.system;
    ds_operation& operation = store_.body.operation;
    on_change(system.firmware_upgrade_mode, [this, &system] {
        if (!store_.head.get(system.firmware_upgrade_mode))
            return;
        Debug_print::dprint("%lu:Initiate firmware upgrade mode\n", ms_of_day());
        submit_timeout(t7_);
    });
    on_change(system.non_vtt_connected, [this, &system] {
        if (!store_.head.get(system.non_vtt_connected))
            return;
        remove_timeout(t6_);
        Debug_print::dprint("Deregister speed PGNs\n");
        deregister_speed_pgns();
    });
    auto tc_or_vt_changed = [this, &system] {
        if (!store_.head.get(system.tc_alive))
            store_.head.set(system.reset_tc_counter, 0u);
        apply_master_switch_inhibit();
    };
    on_change(system.tc_alive, [this, tc_or_vt_changed] {
        tc_or_vt_changed();
        apply_liveness_rule();
    });
    on_change(system.vt_uploaded, tc_or_vt_changed);
    on_change(system.alive, [this] { apply_liveness_rule(); });
    on_change(system.vt_alive, [this] { apply_liveness_rule(); });
    on_change(operation.use_manual_speed, [this] { controller_->ground_speed_step(); });
    on_change(operation.master_switch_active, [this] { controller_->master_switch_changed(); });
    on_change(operation.tillage_switch_active, [this] { controller_->master_switch_changed(); });
    on_change(operation.reset_diag_data, [this] { controller_->reset_diag_data(); });
    on_change(operation.cal_swbox_reset_active, [this, &operation] {
        if (changed(cal_reset_, store_.head.get(operation.cal_swbox_reset_active)))
            controller_->cal_swbox_reset_changed();
    });
    on_change(operation.calibration_state, [this] { controller_->calibration_state_changed(); });
    on_change(operation.inhibit_master_switch, [this] { controller_->inhibit_master(); });

    for (int i = 0; i < 10; ++i) {
        ds_channel& channel = store_.body.channels.channels[i];
        on_change(channel.requested_rate, [this, i] {
            Debug_print::dprint("Setpoint on chan %d changed\n", i);
            controller_->setpoint_changed(i);
        });
        on_change(channel.active, [this, i, &channel] {
            if (!changed(tank_switches_[i], store_.head.get(channel.active)))
                return;
            Debug_print::dprint("Tank switch state on chan %d changed\n", i);
            controller_->setpoint_changed(i);
            controller_->channel_switch_changed(i);
        });
        on_change(channel.reset_pulse_count, [this, i] { controller_->reset_pulse_count(i); });
    }
    for (int i = 0; i < 5; ++i) {
        ds_channel& downforce = store_.body.downforces.channels[i];
        on_change(downforce.requested_rate, [i] { Debug_print::dprint("Setpoint on downforce %d changed\n", i); });
        on_change(downforce.active, [i] { Debug_print::dprint("Tank switch state on downforce %d changed\n", i); });
    }
    for (int b = 0; b < 6; ++b) {
        on_change(store_.body.booms.boom[b].boom_state, [this, b] {
            Debug_print::dprint("Boomstate on boom %d changed\n", b);
            controller_->boom_state_changed(b);
        });
        for (int s = 0; s < 10; ++s)
            on_change(store_.body.booms.boom[b].sections[s].section_pending_count,
                      [this, b, s] { controller_->copy_section_state(b, s); });
    }
    ds_section_monitoring& monitors = store_.body.section_monitors;
    auto rebuild = [this] { poller_->rebuild_section_monitors(); };
    on_change(monitors.num_tanks, rebuild);
    for (auto& tank : monitors.tanks)
        on_change(tank.boom_assignment, rebuild);
    for (int b = 0; b < monitored_booms; ++b)
        on_change(monitors.booms[b].num_sections, rebuild);
}

bool Control_logic::changed(bool& last, bool value)
{
    if (value == last)
        return false;
    last = value;
    return true;
}

void Control_logic::watch_store(bool on)
{
    if (on == watching_store_)
        return;
    watching_store_ = on;
    CDS::Head& head = store_.head;
    for (const Store_action& a : store_actions_) {
        const unsigned offset = head.offset_of(a.item);
        const uint32_t word = CDS::event_word(a.item, a.size);
        if (on)
            head.event_register(&get_waiter(), offset, a.size, CDS::reg_change, word, nullptr, nullptr);
        else
            head.event_unregister(&get_waiter(), offset, a.size, CDS::reg_change, word, nullptr, nullptr);
    }
}

void Control_logic::handle_event(waiter_event& event)
{
    if (stack_ && event.module == stack_->get_receive_module())
        on_speed_message(event.code);
    else if (event.module == store_.head.get_module_id())
        on_store_change(event.code);
    else if (serial_ && serial_->get_module_id() != 0 && event.module == serial_->get_module_id())
        on_serial_event(event.code);
}

void Control_logic::on_serial_event(uint32_t code)
{
    if (code == Posix_threaded_serial_data_stream::event_gone)
        on_line_gone();
    // Bytes of a line that has gone answer nothing that is still out.
    else if (line_up_)
        on_serial_data();
}

void Control_logic::on_line_gone()
{
    // A line opened again since that event was sent is the new one.
    if (!line_up_ || serial_->is_connected())
        return;
    line_up_ = false;
    serial_->close();
    // A reply cut short by the loss would only make the first frames fail.
    serial_->drop_all();
    remove_timeout(t5_);
    remove_timeout(t8_);
    wait_for_line();
}

void Control_logic::wait_for_line()
{
    // No request goes to a closed line, so no slave is counted missing meanwhile.
    Debug_print::dprint("Serial port %s: polling stops until the port is back; kx4 tries to open it every second\n",
                        port_name_.c_str());
    submit_timeout(reopen_);
}

void Control_logic::try_to_reopen()
{
    if (!serial_->open(port_name_.c_str()))
        return;
    remove_timeout(reopen_);
    line_up_ = true;
    Debug_print::dprint("Serial port %s is back: polling starts again\n", port_name_.c_str());
    poller_->InitComms();
    submit_timeout_at(t5_, link_->get_deadline());
}

void Control_logic::on_speed_message(uint32_t pgn)
{
    uint8_t source = ZEV_trans::ADDR_BROADCAST;
    uint8_t row_source = 0;
    float speed = 0.0f;
    if (pgn == pgn_ground_speed) {
        Iso11783::Msg_GroundBasedSpeedDist message;
        if (message.read_address(stack_, pgn, &get_waiter(), source) < 0)
            return;
        row_source = speed_source_ground;
        speed = message.get_speed();
    } else if (pgn == pgn_wheel_speed) {
        Iso11783::Msg_WheelBasedSpeedDist message;
        if (message.read_address(stack_, pgn, &get_waiter(), source) < 0)
            return;
        row_source = speed_source_wheel;
        speed = message.get_speed();
    } else if (pgn == pgn_cog_sog) {
        NMEA2000::Msg_NMEACogSogData message;
        if (message.read_address(stack_, pgn, &get_waiter(), source) < 0)
            return;
        row_source = speed_source_cog_sog;
        speed = message.get_sog();
    } else {
        return;
    }
    if (source == ZEV_trans::ADDR_BROADCAST || parameters_.system.non_vtt_connected.get() ||
        parameters_.app.speed_source.get() != row_source)
        return;
    store_.head.set(store_.body.vehicle.gps_speed, speed);
}

void Control_logic::on_store_change(uint32_t code)
{
    for (const Store_action& a : store_actions_) {
        if (CDS::event_word(a.item, a.size) == code) {
            a.action();
            return;
        }
    }
}

void Control_logic::handle_nv_listener_event(NV_store::Virt_access* listener)
{
    if (listener == &app_listener_) {
        controller_->refresh_parameters();
        poller_->check_ecu_config(parameters_);
        const bool termination = parameters_.app.RS485_termination_enabled.get();
        if (termination != termination_) {
            rs485_->set_termination(termination);
            termination_ = termination;
        }
    } else if (listener == &non_vtt_listener_) {
        if (parameters_.system.non_vtt_connected.get())
            remove_timeout(t6_);
        apply_throttling();
    }
}

void Control_logic::on_serial_data()
{
    for (;;) {
        Packet packet;
        // Chosen by the request that is out: the scale answers in text.
        const bool ascii = poller_->get_outstanding_slot() == Ecu_poller::scale_slot;
        if (ascii)
            packet.init_ascii();
        if (!link_->receive(packet, ascii))
            return;
        if (simulating())
            continue;
        // A reply of the wrong length answers nothing: were the next request
        // sent now, a stray frame would pair every later reply with the
        // request after its own.
        if (!poller_->on_reply(packet))
            continue;
        // The alarm stays while some slave is still missing: another
        // slave's reply must not clear it between that slave's misses.
        if (poller_->get_no_comms_mask() == 0)
            clear_no_comms(store_);
        // One request in flight: the next request re-arms the deadline.
        remove_timeout(t5_);
        submit_timeout(t8_);
    }
}

void Control_logic::handle_timeout(Timeout& timeout)
{
    if (&timeout == &t1_) {
        controller_->tick_1s();
        poller_->tick_1s();
    } else if (&timeout == &t2_) {
        controller_->tick_500ms();
        poller_->tick_500ms();
    } else if (&timeout == &t3_) {
        controller_->tick_100ms();
    } else if (&timeout == &t4_) {
        controller_->save_totals();
    } else if (&timeout == &t5_) {
        on_reply_timeout();
    } else if (&timeout == &t6_) {
        store_.head.set(store_.body.system.non_vtt_timeout, true);
    } else if (&timeout == &t7_) {
        on_shutdown_request();
    } else if (&timeout == &t8_) {
        on_next_request();
    } else if (&timeout == &reopen_) {
        try_to_reopen();
    }
}

void Control_logic::on_reply_timeout()
{
    if (!simulating()) {
        if (update_ecu_mode() == ecu_mode_normal) {
            Debug_print::dprint("NO COMMS - PollIndex=%u\n", poller_->get_poll_index());
            poller_->record_result(false);
            if (poller_->get_no_comms_mask() != 0)
                set_no_comms(store_);
            if (poller_->skip_current())
                poller_->advance();
            poller_->poll_next();
        } else {
            if (poller_->auto_detect_counts_misses()) {
                poller_->record_result(false);
                if (poller_->get_no_comms_mask() != 0)
                    set_no_comms(store_);
            }
            poller_->auto_detect_step();
        }
    }
    rearm_reply_timeout();
}

void Control_logic::on_next_request()
{
    if (update_ecu_mode() == ecu_mode_monitor)
        poller_->auto_detect_step();
    else
        poller_->poll_next();
    rearm_reply_timeout();
}

void Control_logic::rearm_reply_timeout()
{
    // When nothing was sent the link's deadline lies in the past; a full
    // time-out from now keeps the task from spinning on it.
    const Atime earliest = Atime::now() + Rtime(link_->get_timeout());
    submit_timeout_at(t5_, std::max(link_->get_deadline(), earliest));
}

uint32_t Control_logic::update_ecu_mode()
{
    const bool detect = store_.head.get(store_.body.monitor_ecus.activate_auto_detect);
    uint32_t mode = ecu_mode_;
    if (mode == ecu_mode_normal && detect) {
        poller_->enter_auto_detect();
        mode = ecu_mode_monitor;
    } else if (mode == ecu_mode_monitor && !detect) {
        poller_->leave_auto_detect();
        mode = ecu_mode_normal;
    }
    if (mode != ecu_mode_) {
        Debug_print::dprint("process_ecu_mode_state_changes: current_ecu_mode:%u new_ecu_mode:%u\n", ecu_mode_,
                            mode);
        ecu_mode_ = mode;
    }
    return ecu_mode_;
}

void Control_logic::on_shutdown_request()
{
    Debug_print::dprint("%lu:initiate_shutdown\n", ms_of_day());
    ds_system& system = store_.body.system;
    const ds_app_upgrade_command command = store_.head.get(system.app_upgrade_command);
    store_.head.set(system.initiate_shutdown, command.type == upgrade_type_app ? shutdown_app_upgrade : shutdown_upgrade);
}

void Control_logic::apply_liveness_rule()
{
    ds_system& system = store_.body.system;
    const bool alive = store_.head.get(system.alive);
    const bool vt_alive = store_.head.get(system.vt_alive);
    const bool tc_alive = store_.head.get(system.tc_alive);
    if (alive && (vt_alive || tc_alive))
        return;
    store_.head.set(store_.body.operation.master_switch_active, false);
    for (ds_channel& channel : store_.body.channels.channels)
        store_.head.set(channel.active, false);
    for (ds_channel& downforce : store_.body.downforces.channels)
        store_.head.set(downforce.active, false);
}

void Control_logic::apply_master_switch_inhibit()
{
    ds_system& system = store_.body.system;
    bool& inhibit = store_.body.operation.inhibit_master_switch;
    if (parameters_.system.non_vtt_connected.get()) {
        if (!store_.head.get(system.tc_alive))
            store_.head.set(inhibit, true);
    } else {
        store_.head.set(inhibit, !store_.head.get(system.vt_uploaded));
    }
}

bool Control_logic::simulating()
{
    return store_.head.get(store_.body.simulation.enabled);
}
