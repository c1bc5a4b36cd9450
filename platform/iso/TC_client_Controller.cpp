#include "platform/iso/TC_client_Controller.h"
#include "platform/can/ZEV_smart_stack.h"
#include "platform/io/Binary_message.h"
#include "platform/iso/TC_client_Process_data_element.h"
#include "platform/iso/TC_client_Process_data_reference.h"
#include "platform/iso/TC_client_Request_default_reference.h"
#include "platform/iso/TC_client_Task_total_pd_reference.h"
#include "platform/iso/Working_set_member.h"
#include "platform/rtos/Debug_base.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace TC_client {

namespace {

// Message kinds of the process-data PGN: the low nibble of byte 0.
constexpr uint8_t technical = 0x0, device_descriptor = 0x1, request_value = 0x2, value_command = 0x3,
                  set_value_and_ack = 0xA, acknowledge = 0xD, tc_status = 0xE, client_task = 0xF;
// Byte 0 of the technical and device-descriptor messages.
constexpr uint8_t request_version = 0x00, version_message = 0x10, request_structure_label = 0x01,
                  structure_label = 0x11, request_localization_label = 0x21, localization_label = 0x31,
                  request_transfer = 0x41, transfer_request_answer = 0x51, pool_transfer = 0x61,
                  pool_transfer_answer = 0x71, activate_pool = 0x81, activate_answer = 0x91, delete_pool = 0xA1,
                  delete_answer = 0xB1;
// Error bits of the process-data acknowledge.
constexpr uint8_t command_not_supported = 0x01, invalid_element = 0x02, ddi_not_supported = 0x04,
                  not_settable = 0x10;
constexpr int upload_code = 1;

uint16_t element_of(const uint8_t* d) { return uint16_t((d[0] >> 4) | (d[1] << 4)); }

// A label of all 0xFF: the Task Controller holds no pool of this client.
bool is_no_label(const uint8_t* label)
{
    return std::all_of(label, label + Ddop::label_size, [](uint8_t b) { return b == 0xFF; });
}
}

Controller::Controller(module_man* manager, ZEV_smart_stack* stack, Model& model, Working_set_member& member,
                       Diner_event_handler* listeners, uint16_t timeout_s, const ZEV_name::RAWNAME& preferred)
    : Iso_client(stack, member, task_controller_function, timeout_s, preferred), model_(model), listeners_(listeners)
{
    init(manager, nullptr, "TC_client", 50, 8192, true, false);
    if (listeners_)
        listeners_->set_controller_waiter(&get_waiter());
    stack_->register_pgn(process_data_pgn, &get_waiter(), &pgn_registration_, ZEV_stack::PGN_DATA);
    stack_->register_pgn(Working_set_member::working_set_master_pgn, &get_waiter(), &request_registration_,
                         ZEV_stack::PGN_REQUEST);
    if (is_enabled())
        submit_timeout(tick_timer_);
}

Controller::~Controller()
{
    if (is_running())
        terminate(1, 1000);
    remove_timeout(tick_timer_);
    stack_->deregister_pgn(process_data_pgn, &get_waiter(), ZEV_stack::PGN_DATA);
    stack_->deregister_pgn(Working_set_member::working_set_master_pgn, &get_waiter(), ZEV_stack::PGN_REQUEST);
    stack_->forget_waiter(&get_waiter()); // the pool may still be on its way
    for (Value& v : values_)
        if (Process_data_adaptor_raw* adaptor = v.published.reference->get_data_adaptor())
            adaptor->stop();
}

void Controller::set_enabled(bool enabled)
{
    Iso_client::set_enabled(enabled);
    // Enabled, the next tick looks for a Task Controller; disabled, the task
    // sleeps until something comes for it.
    if (enabled) {
        submit_timeout(tick_timer_);
    } else {
        remove_timeout(tick_timer_);
        get_waiter().post(waiter_event{get_module_id(), command_disable, this, nullptr});
    }
}

void Controller::signal_model_changed()
{
    get_waiter().post(waiter_event{get_module_id(), command_model_changed, this, nullptr});
}

void Controller::set_speed_source(std::function<double()> speed_m_per_s)
{
    speed_ = std::move(speed_m_per_s);
}

void Controller::handle_event(waiter_event& event)
{
    const Atime now = Atime::now();
    // Our own commands carry this controller, whatever registry gave the modules their ids.
    if (event.module == get_module_id() && event.data == this) {
        switch (event.code) {
        case command_model_changed:
            if (has_server())
                start_version_exchange(now);
            break;
        case command_disable:
            if (has_server())
                deactivate(true);
            forget_server();
            set_state(State::searching, now);
            break;
        }
    } else if (event.module == stack_->get_request_module() &&
               event.code == Working_set_member::working_set_master_pgn) {
        answer_working_set_requests();
    } else if (event.module == stack_->get_receive_module() && event.code == process_data_pgn) {
        ZEV_header header;
        uint8_t data[16];
        int n;
        while ((n = stack_->read(process_data_pgn, header, data, sizeof data, &get_waiter(), ZEV_stack::PGN_DATA)) >= 0)
            if (n >= 8 && is_enabled()) // shorter ones are not ISO 11783-10 messages
                on_message(header, data);
    } else if (event.module == stack_->get_completion_module()) {
        if (event.code == uint32_t(-upload_code) && state_ == State::uploading)
            refuse("the pool transfer failed", 0);
        else if (event.code == uint32_t(upload_code) && state_ == State::uploading)
            set_state(State::uploaded, now);
    }
    serve_reports(now);
}

void Controller::handle_listener_event(waiter_event& event)
{
    if (!listeners_ || !listeners_->dispatch(event))
        Iso_client::handle_listener_event(event);
    serve_reports(Atime::now());
}

void Controller::handle_timeout(Timeout& timeout)
{
    if (&timeout == &tick_timer_)
        tick(Atime::now());
}

void Controller::set_state(State state, Atime now)
{
    state_ = state;
    state_since_ = now;
}

void Controller::tick(Atime now)
{
    if (!is_enabled())
        return;
    const auto heard = [&](uint8_t address) {
        return server_heard(address, now);
    };
    if (has_server() && !heard(get_server_address())) {
        Debug_print::dprint("TC: the Task Controller at %u fell silent\n", get_server_address());
        lose_server();
    }
    if (!has_server()) {
        const uint8_t address = choose_server(now, heard);
        if (address == ZEV_trans::ADDRESS_NULL)
            return;
        set_server(address);
        Debug_print::dprint("TC: Task Controller at %u\n", address);
        member_->announce(*stack_);
        start_version_exchange(now);
    }
    const bool waiting = state_ != State::active && state_ != State::no_description && state_ != State::refused &&
                         state_ != State::uploading;
    if (waiting && now - state_since_ >= Rtime(status_timeout_ms)) {
        Debug_print::dprint("TC: no answer from the Task Controller, asking its version again\n");
        start_version_exchange(now);
    }
    if (now - last_task_message_ >= Rtime(task_message_ms)) {
        last_task_message_ = now;
        // The task status as the Task Controller stated it; the rest reserved.
        send8({0xFF, 0xFF, 0xFF, 0xFF, task_status_[get_server_address()], 0x00, 0x00, 0x00});
    }
    count_distance(speed_ ? std::fabs(speed_()) : 0.0);
    if (!active_)
        return;
    for (Value& v : values_) {
        if (!v.measurement.due(now, tick_ms, distance_mm_))
            continue;
        Process_data_adaptor_raw* adaptor = v.published.reference->get_data_adaptor();
        if (!adaptor)
            continue;
        const int32_t raw = adaptor->handle_get();
        send_value(v.published.element, v.published.ddi, raw);
        v.measurement.sent(raw, now, distance_mm_);
    }
}

void Controller::count_distance(double speed_m_per_s)
{
    if (!std::isfinite(speed_m_per_s)) // a speed not known moves nothing
        return;
    distance_rest_mm_ += speed_m_per_s * tick_ms; // m/s x ms = mm
    const double whole = std::floor(distance_rest_mm_);
    // Beyond any real field, but a speed or wheel factor can be set absurdly:
    // the count stops at its end instead of wrapping.
    constexpr int64_t end = std::numeric_limits<int64_t>::max();
    if (!(whole < 9e18) || int64_t(whole) > end - distance_mm_) {
        distance_mm_ = end;
        distance_rest_mm_ = 0;
        return;
    }
    distance_mm_ += int64_t(whole);
    distance_rest_mm_ -= whole;
}

void Controller::serve_reports(Atime now)
{
    if (!active_)
        return;
    for (Value& v : values_) {
        int32_t raw;
        if (v.published.reference->take_report(raw) && v.measurement.due_on_report(raw)) {
            send_value(v.published.element, v.published.ddi, raw);
            v.measurement.sent(raw, now, distance_mm_);
        }
    }
}

void Controller::lose_server()
{
    deactivate(false);
    forget_server();
    set_state(State::searching, Atime::now());
}

void Controller::start_version_exchange(Atime now)
{
    deactivate(true);
    set_state(State::version, now);
    send8({request_version, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF});
}

void Controller::on_message(const ZEV_header& header, const uint8_t* data)
{
    const uint8_t kind = data[0] & 0x0F;
    if (kind == tc_status) {
        note_server_status(header.get_source(), Atime::now());
        task_status_[header.get_source()] = data[4];
        return;
    }
    if (!has_server() || header.get_source() != get_server_address())
        return;
    switch (kind) {
    case technical: on_technical(data); break;
    case device_descriptor: on_descriptor(data); break;
    case acknowledge:
    case client_task: break;
    default: on_process_data(data); break;
    }
}

void Controller::on_technical(const uint8_t* data)
{
    if (data[0] == version_message) {
        on_version(data);
    } else if (data[0] == request_version) {
        // Answered once the model has answered the Task Controller's own version.
        tc_asked_version_ = !has_version_reply_;
        if (has_version_reply_)
            send(version_reply_, sizeof version_reply_);
    }
}

void Controller::on_version(const uint8_t* data)
{
    const Atime now = Atime::now();
    // The model rebuilds its tree: nothing of the old one may stay in use.
    deactivate(true);
    uint8_t reply[Model::version_message_size];
    std::fill(std::begin(reply), std::end(reply), 0xFF);
    reply[0] = version_message; // the boot time (byte 2) not stated: 0xFF
    Device_element* device = model_.handle_version(data, reply);
    if (!device) {
        has_version_reply_ = false;
        if (!said_no_description_)
            Debug_print::dprint("TC: no device description for a Task Controller of version %u\n", data[1]);
        said_no_description_ = true;
        set_state(State::no_description, now);
        return;
    }
    said_no_description_ = false;
    std::copy(std::begin(reply), std::end(reply), version_reply_);
    has_version_reply_ = true;
    if (tc_asked_version_)
        send(version_reply_, sizeof version_reply_);
    tc_asked_version_ = false;
    ddop_ = Ddop::write(*device, member_->get_name());
    values_.clear();
    for (const Published_value& p : ddop_.values) {
        if (auto* total = dynamic_cast<Task_total_pd_reference*>(p.reference))
            total->keep_in(&task_totals_);
        values_.push_back({p, Measurement()});
    }
    set_state(State::structure, now);
    send8({request_structure_label, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF});
}

void Controller::on_descriptor(const uint8_t* data)
{
    const Atime now = Atime::now();
    switch (data[0]) {
    case structure_label:
        if (state_ != State::structure)
            break;
        if (std::equal(ddop_.structure_label.begin(), ddop_.structure_label.end(), data + 1)) {
            set_state(State::localization, now);
            send8({request_localization_label, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF});
        } else {
            replace_pool(!is_no_label(data + 1));
        }
        break;
    case localization_label:
        if (state_ != State::localization)
            break;
        if (std::equal(Ddop::localization_label.begin(), Ddop::localization_label.end(), data + 1))
            activate();
        else
            replace_pool(true);
        break;
    case delete_answer:
        if (state_ != State::deleting)
            break;
        // One that stays (a task may still name it) is replaced all the same.
        if (data[1] != 0)
            Debug_print::dprint("TC: the Task Controller kept the pool it holds (error %u, %u)\n", data[1],
                                data[2]);
        send_transfer_request();
        break;
    case transfer_request_answer:
        if (state_ != State::transfer_asked)
            break;
        if (data[1] != 0) {
            refuse("the Task Controller has no room for the pool", data[1]);
            break;
        }
        {
            std::vector<uint8_t> message(ddop_.bytes.size() + 1);
            message[0] = pool_transfer;
            std::copy(ddop_.bytes.begin(), ddop_.bytes.end(), message.begin() + 1);
            set_state(State::uploading, now);
            Debug_print::dprint("TC: uploading the device description, %zu bytes\n", ddop_.bytes.size());
            if (!send(message.data(), int(message.size()), true))
                refuse("the pool transfer could not start", 0);
        }
        break;
    case pool_transfer_answer:
        if (state_ != State::uploaded && state_ != State::uploading)
            break;
        if (data[1] != 0)
            refuse("the Task Controller refused the pool", data[1]);
        else
            activate();
        break;
    case activate_answer:
        if (state_ != State::activating)
            break;
        if (data[1] != 0) {
            refuse("the Task Controller refused to activate the pool", data[1]);
            break;
        }
        set_state(State::active, now);
        for (Value& v : values_)
            if (Process_data_adaptor_raw* adaptor = v.published.reference->get_data_adaptor())
                adaptor->start(&get_waiter());
        active_ = true;
        Debug_print::dprint("TC: pool activated\n");
        post_to_clients(event_pool_activated);
        break;
    }
}

void Controller::replace_pool(bool task_controller_holds_one)
{
    // A Task Controller may take a transfer as an update of the pool it
    // holds, keeping objects the new description no longer has: it goes first.
    if (!task_controller_holds_one)
        return send_transfer_request();
    set_state(State::deleting, Atime::now());
    send8({delete_pool, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF});
}

void Controller::send_transfer_request()
{
    set_state(State::transfer_asked, Atime::now());
    uint8_t message[8] = {request_transfer, 0, 0, 0, 0, 0xFF, 0xFF, 0xFF};
    Binary_message::set_uint32_le(message + 1, uint32_t(ddop_.bytes.size()));
    send(message, 8);
}

void Controller::activate()
{
    set_state(State::activating, Atime::now());
    send8({activate_pool, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF});
}

void Controller::refuse(const char* what, unsigned code)
{
    Debug_print::dprint("TC: %s (error %u); trying again at the next version exchange\n", what, code);
    deactivate(false);
    set_state(State::refused, Atime::now());
}

void Controller::deactivate(bool tell_task_controller)
{
    for (Value& v : values_)
        if (Process_data_adaptor_raw* adaptor = v.published.reference->get_data_adaptor())
            adaptor->stop();
    values_.clear();
    if (!active_)
        return;
    active_ = false;
    if (tell_task_controller)
        send8({activate_pool, 0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF});
    Debug_print::dprint("TC: pool deactivated\n");
    post_to_clients(event_pool_deactivated);
}

Controller::Value* Controller::find_value(uint16_t element, uint16_t ddi)
{
    for (Value& v : values_)
        if (v.published.element == element && v.published.ddi == ddi)
            return &v;
    return nullptr;
}

void Controller::on_process_data(const uint8_t* data)
{
    if (!active_)
        return;
    const uint8_t command = data[0] & 0x0F;
    const uint16_t element = element_of(data);
    const uint16_t ddi = Binary_message::get_uint16_le(data + 2);
    const int32_t value = int32_t(Binary_message::get_uint32_le(data + 4));
    if (element >= ddop_.element_count) {
        send_ack(element, ddi, invalid_element, command);
        return;
    }
    if (command == request_value && ddi == Request_default_reference::ddi) {
        answer_default_request();
        return;
    }
    Value* v = find_value(element, ddi);
    if (!v) {
        send_ack(element, ddi, ddi_not_supported, command);
        return;
    }
    Process_data_reference& reference = *v->published.reference;
    Process_data_adaptor_raw* adaptor = reference.get_data_adaptor();
    const Process_data_element* entry = reference.get_type();
    switch (command) {
    case request_value:
        if (adaptor)
            send_value(element, ddi, adaptor->handle_get());
        break;
    case value_command:
    case set_value_and_ack:
        if (!entry->is_setable() || !adaptor) {
            send_ack(element, ddi, not_settable, command);
            break;
        }
        adaptor->handle_set(value);
        if (command == set_value_and_ack)
            send_ack(element, ddi, 0, command);
        break;
    case Measurement::time_interval:
    case Measurement::distance_interval:
    case Measurement::minimum_threshold:
    case Measurement::maximum_threshold:
    case Measurement::change_threshold:
        if (uint8_t errors = v->measurement.command(command, value, entry->get_triggers()))
            send_ack(element, ddi, errors, command);
        break;
    default: send_ack(element, ddi, command_not_supported, command); break;
    }
}

void Controller::answer_default_request()
{
    const Atime now = Atime::now();
    for (Value& v : values_) {
        Process_data_reference& reference = *v.published.reference;
        const Process_data_element* entry = reference.get_type();
        Process_data_adaptor_raw* adaptor = reference.get_data_adaptor();
        if (!entry->is_default_set() || !adaptor)
            continue;
        if (const Measurement_thresholds* defaults = reference.get_default_thresholds())
            v.measurement.set_defaults(*defaults, entry->get_triggers());
        const int32_t raw = adaptor->handle_get();
        send_value(v.published.element, v.published.ddi, raw);
        v.measurement.sent(raw, now, distance_mm_);
    }
}

void Controller::answer_working_set_requests()
{
    ZEV_header header;
    uint8_t request[8];
    const uint8_t own = member_->get_address(*stack_);
    while (stack_->read(Working_set_member::working_set_master_pgn, header, request, sizeof request, &get_waiter(),
                        ZEV_stack::PGN_REQUEST) >= 0)
        if (header.get_destination() == ZEV_trans::ADDR_BROADCAST || header.get_destination() == own)
            member_->announce(*stack_);
}

bool Controller::send(const uint8_t* data, int length, bool track)
{
    const uint8_t source = member_->get_address(*stack_);
    if (source == ZEV_trans::ADDRESS_NULL || !has_server())
        return false;
    ZEV_header header(source, get_server_address(), process_data_pgn, 5, 0, uint32_t(length));
    return stack_->write(header, data, length, track ? &get_waiter() : nullptr, track ? upload_code : 0) == 0;
}

bool Controller::send8(std::initializer_list<uint8_t> bytes)
{
    return send(bytes.begin(), int(bytes.size()));
}

void Controller::send_value(uint16_t element, uint16_t ddi, int32_t value)
{
    uint8_t message[8] = {uint8_t(value_command | (element << 4)), uint8_t(element >> 4)};
    Binary_message::set_uint16_le(message + 2, ddi);
    Binary_message::set_uint32_le(message + 4, uint32_t(value));
    send(message, 8);
}

void Controller::send_ack(uint16_t element, uint16_t ddi, uint8_t errors, uint8_t command)
{
    uint8_t message[8] = {uint8_t(acknowledge | (element << 4)), uint8_t(element >> 4), 0, 0, errors,
                          uint8_t(0xF0 | command), 0xFF, 0xFF};
    Binary_message::set_uint16_le(message + 2, ddi);
    send(message, 8);
}

}
