#include "platform/iso/VT_Object_pool.h"
#include "platform/can/ZEV_smart_stack.h"
#include "platform/io/Util.h"
#include "platform/iso/VT_Command.h"
#include "platform/iso/VT_Input_list_obj.h"
#include "platform/iso/VT_Input_number_obj.h"
#include "platform/iso/VT_Input_string_obj.h"
#include "platform/iso/VT_Upload_progress.h"
#include "platform/iso/Working_set_member.h"
#include "platform/rtos/Debug_base.h"
#include "platform/rtos/Resume_timeout.h"

#include <QThread>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace VT {

namespace {

constexpr int transfer_code = 1;
constexpr uint32_t request_pgn = 0xEA00;

uint16_t u16_at(const uint8_t* d) { return uint16_t(d[0] | d[1] << 8); }
uint32_t u32_at(const uint8_t* d) { return uint32_t(u16_at(d)) | uint32_t(u16_at(d + 2)) << 16; }

// Where each change command's response keeps its error bits.
int error_byte_of(uint8_t function)
{
    switch (function) {
    case Command::hide_show_object:
    case Command::enable_disable_object:
    case Command::change_attribute: return 4;
    case Command::change_numeric_value:
    case Command::change_active_mask: return 3;
    case Command::change_soft_key_mask:
    case Command::change_string_value: return 5;
    case Command::change_list_item: return 6;
    default: return -1;
    }
}

// How many leading bytes of a change command name what it changes: a later
// command with the same ones makes a queued one needless.
size_t target_size(uint8_t function)
{
    switch (function) {
    case Command::change_soft_key_mask:
    case Command::change_attribute:
    case Command::change_list_item: return 4;
    default: return 3;
    }
}

// The object a change command names.
uint16_t object_of(const std::vector<uint8_t>& command)
{
    if (command[0] == Command::change_soft_key_mask)
        return u16_at(&command[2]);
    if (command[0] == Command::change_active_mask)
        return u16_at(&command[3]);
    return u16_at(&command[1]);
}

}

uint8_t Object_pool::vt_capabilities[capability_count] = {};

Object_pool::Object_pool(module_man* man, VT_obj** table, unsigned short size)
    : Object_pool_base<VT_obj>(table, size), Iso_client(vt_function), man_(man)
{
}

Object_pool::~Object_pool()
{
    if (!initialised_)
        return;
    if (is_running())
        terminate(1, 1000);
    remove_timeout(tick_timer_);
    stack_->deregister_pgn(vt_to_ecu_pgn, &get_waiter(), ZEV_stack::PGN_DATA);
    stack_->deregister_pgn(language_pgn, &get_waiter(), ZEV_stack::PGN_DATA);
    stack_->deregister_pgn(Working_set_member::working_set_master_pgn, &get_waiter(), ZEV_stack::PGN_REQUEST);
    stack_->forget_waiter(&get_waiter()); // a transfer may still be on its way
}

void Object_pool::init(ZEV_smart_stack* stack, Working_set_member& member, VT_obj* intro_mask,
                       Upload_progress* progress, const ZEV_name::RAWNAME& preferred, unsigned short timeout_s)
{
    if (initialised_ || !stack)
        return;
    initialised_ = true;
    Diner::init(man_, nullptr, "VT_client", 50, 8192, true, false);
    attach(stack, member, timeout_s, preferred);
    intro_mask_ = intro_mask;
    progress_ = progress;
    stack_->register_pgn(vt_to_ecu_pgn, &get_waiter(), &registration_, ZEV_stack::PGN_DATA);
    stack_->register_pgn(language_pgn, &get_waiter(), &registration_, ZEV_stack::PGN_DATA);
    stack_->register_pgn(Working_set_member::working_set_master_pgn, &get_waiter(), &registration_,
                         ZEV_stack::PGN_REQUEST);
    if (is_enabled())
        submit_timeout(tick_timer_);
}

void Object_pool::check_pool_locked() const
{
    if (Debug_base::enabled(44) || task_mutex().held_by_caller())
        return;
    int status = 2;
    Qt::HANDLE owner = task_mutex().owner_thread();
    if (lock(0)) {
        unlock();
        status = 0;
        owner = nullptr;
    }
    Debug_print::dprint("Bad mutex status: %d, wanted: %d %p %p\n", status, 1, owner, QThread::currentThreadId());
    if (!Debug_base::enabled(43))
        std::abort();
}

bool Object_pool::extend_timeouts() const
{
    const ZEV_name::RAWNAME vt = get_vt_name();
    if (Debug_base::enabled(49))
        return true;
    if (vt == ZEV_name::RAWNAME::GLOBAL_NAME)
        return false;
    return vt.get(ZEV_name::Field::manufacturer_code) == slow_vt_manufacturer && vt_capabilities[1] == 8;
}

int Object_pool::server_timeout_ms() const
{
    // A slow VT gets twice the time.
    return server_status_timeout_ms() * (extend_timeouts() ? 2 : 1);
}

void Object_pool::_enable_client()
{
    set_state(0);
    if (initialised_)
        submit_timeout(tick_timer_);
}

void Object_pool::_disable_client()
{
    set_state(disabled_state);
    if (!initialised_)
        return;
    remove_timeout(tick_timer_);
    get_waiter().post(waiter_event{get_module_id(), command_disable, this, nullptr});
}

void Object_pool::activate_data_mask(uint16_t mask)
{
    check_pool_locked();
    for (unsigned short slot = 0; get_table() && slot < get_object_count(); ++slot)
        if (get_table()[slot] && get_table()[slot]->get_type() == working_set)
            return send_command(Command::active_mask(get_table()[slot]->get_id(), mask));
}

void Object_pool::activate_alarm_mask(uint16_t mask)
{
    activate_data_mask(mask); // one command for both kinds of mask
}

void Object_pool::send_command(std::vector<uint8_t> message) const
{
    // Changes the VT made itself are not sent back; changes made before the
    // image for the VT was taken reach it with the image. Later ones wait
    // until the VT shows the pool.
    if (applying_vt_change_ || !taking_changes_)
        return;
    const size_t target = target_size(message[0]);
    for (std::vector<uint8_t>& queued : commands_)
        if (std::equal(queued.begin(), queued.begin() + long(target), message.begin())) {
            queued = std::move(message);
            return;
        }
    if (commands_.size() >= max_queued_commands) {
        if (!said_queue_full_)
            Debug_print::dprint("VT: %zu changes wait for the VT already, later ones dropped\n", commands_.size());
        said_queue_full_ = true;
        return;
    }
    commands_.push_back(std::move(message));
    const_cast<Object_pool*>(this)->get_waiter().post(waiter_event{get_module_id(), command_queued,
                                                                   const_cast<Object_pool*>(this), nullptr});
}

void Object_pool::handle_timeout(Timeout& timeout)
{
    if (&timeout == &tick_timer_)
        tick(Atime::now());
}

void Object_pool::handle_event(waiter_event& event)
{
    const Atime now = Atime::now();
    if (event.module == get_module_id() && event.data == this) {
        if (event.code == command_disable) {
            lose_vt(nullptr);
            refused_vts_.clear();
        }
    } else if (event.module == stack_->get_request_module() &&
               event.code == Working_set_member::working_set_master_pgn) {
        answer_working_set_requests();
    } else if (event.module == stack_->get_receive_module() && event.code == vt_to_ecu_pgn) {
        ZEV_header header;
        uint8_t data[8 + 255];
        int n;
        while ((n = stack_->read(vt_to_ecu_pgn, header, data, sizeof data, &get_waiter(), ZEV_stack::PGN_DATA)) >= 0)
            if (is_enabled())
                on_message(header, data, n);
    } else if (event.module == stack_->get_receive_module() && event.code == language_pgn) {
        read_language();
    } else if (event.module == stack_->get_completion_module()) {
        if (step_ == Step::uploading && (event.code == uint32_t(transfer_code) || event.code == uint32_t(-transfer_code)))
            on_transfer_done(event.code == uint32_t(transfer_code));
    }
    if (is_enabled())
        send_next_command(now);
}

void Object_pool::tick(Atime now)
{
    if (!is_enabled() || force_disabled())
        return;
    const uint8_t wanted = take_wanted_server();
    if (wanted != ZEV_trans::ADDRESS_NULL && wanted != get_server_address() && server_heard(wanted, now)) {
        lose_vt("switching to the next VT");
        choose(wanted, now);
    }
    if (has_server() && !server_heard(get_server_address(), now))
        lose_vt("the VT fell silent");
    if (!has_server()) {
        const uint8_t address = choose_server(now, [&](uint8_t a) {
            return server_heard(a, now) && refused_vts_.count(a) == 0;
        });
        if (address == ZEV_trans::ADDRESS_NULL) {
            // Until some VT speaks there is nothing to choose from: the tick
            // rests, and the first status heard brings it back on its rhythm.
            if (!any_server_heard(now))
                remove_timeout(tick_timer_);
            return;
        }
        choose(address, now);
    }
    if (now - last_maintenance_ >= Rtime(maintenance_ms)) {
        last_maintenance_ = now;
        send(Command::maintenance(initiating_, 3));
        initiating_ = false;
    }
    const bool asking = step_ != Step::shown && step_ != Step::refused && step_ != Step::uploading &&
                        step_ != Step::pausing;
    if (asking && now - step_since_ >= Rtime(answer_timeout_ms)) {
        Debug_print::dprint("VT: no answer from the VT at %u, asking again\n", get_server_address());
        ask(Step::memory, Command::memory(uint32_t(image_.size())));
    }
    if (step_ == Step::pausing && now - step_since_ >= Rtime(retry_pause_ms))
        ask(Step::memory, Command::memory(uint32_t(image_.size())));
    send_next_command(now);
}

void Object_pool::choose(uint8_t address, Atime now)
{
    set_server(address);
    set_vt_name(get_server_rawname());
    Debug_print::dprint("VT: Virtual Terminal at %u\n", address);
    member_->announce(*stack_);
    initiating_ = true;
    last_maintenance_ = now;
    send(Command::maintenance(true, 3));
    initiating_ = false;
    ask_language();
    // The image and its label as the pool holds now, the bar empty; the
    // changes from now on follow it.
    lock_pool();
    if (progress_)
        progress_->report(0, 0);
    record_ends_.clear();
    image_ = serialise(&record_ends_);
    commands_.clear();
    taking_changes_ = true;
    unlock_pool();
    const uint32_t crc = Util::crc32(0, image_.data(), image_.size());
    std::snprintf(label_, sizeof label_, "%07X", unsigned((crc ^ uint32_t(image_.size())) & 0xFFFFFFF));
    ask(Step::memory, Command::memory(uint32_t(image_.size())));
}

void Object_pool::ask(Step step, const std::vector<uint8_t>& message)
{
    step_ = step;
    step_since_ = Atime::now();
    send(message);
}

void Object_pool::lose_vt(const char* why)
{
    const bool was_shown = shown_.exchange(false);
    if (has_server() && why)
        Debug_print::dprint("VT: %s (%u)\n", why, get_server_address());
    forget_server();
    set_vt_name(ZEV_name::RAWNAME::GLOBAL_NAME);
    active_working_set_ = false;
    step_ = Step::searching;
    awaiting_.clear();
    stop_taking_changes();
    if (was_shown && listener_)
        listener_->handle_terminal_alive(false);
}

void Object_pool::on_message(const ZEV_header& header, const uint8_t* data, int length)
{
    if (length < 8) // every VT message has eight bytes at least
        return;
    const uint8_t source = header.get_source();
    if (data[0] == Command::vt_status) {
        on_status(source, data);
        return;
    }
    if (!has_server() || source != get_server_address() || header.get_destination() == ZEV_trans::ADDR_BROADCAST)
        return;
    switch (data[0]) {
    case Command::soft_key_activation:
    case Command::button_activation:
    case Command::vt_change_numeric_value:
    case Command::vt_change_string_value: on_activation(data, length); break;
    default:
        if (!awaiting_.empty() && data[0] == awaiting_[0])
            on_command_response(data);
        else
            on_answer(data, length);
    }
}

void Object_pool::on_status(uint8_t source, const uint8_t* data)
{
    ZEV_name::RAWNAME name;
    if (!stack_->get_name_manager().gethostbyaddr(source, name) ||
        name.get(ZEV_name::Field::function) != vt_function)
        return;
    note_server_status(source, Atime::now());
    resume_timeout(*this, tick_timer_);
    if (source == get_server_address())
        active_working_set_ = data[1] == member_->get_address(*stack_);
}

void Object_pool::stop_taking_changes()
{
    lock_pool();
    commands_.clear();
    taking_changes_ = false;
    unlock_pool();
}

void Object_pool::on_answer(const uint8_t* d, int length)
{
    switch (d[0]) {
    case Command::get_memory:
        if (step_ != Step::memory)
            return;
        vt_capabilities[0] = d[1];
        if (d[2] != 0) {
            Debug_print::dprint("VT: the VT at %u has not enough memory for the pool of %zu bytes\n",
                                get_server_address(), image_.size());
            refused_vts_.insert(get_server_address());
            lose_vt(nullptr);
            return;
        }
        ask(Step::soft_keys, Command::plain(Command::get_number_of_soft_keys));
        return;
    case Command::get_number_of_soft_keys:
        if (step_ != Step::soft_keys)
            return;
        vt_capabilities[3] = d[7];
        vt_capabilities[4] = d[6];
        ask(Step::fonts, Command::plain(Command::get_text_font_data));
        return;
    case Command::get_text_font_data:
        if (step_ != Step::fonts)
            return;
        vt_capabilities[5] = d[5];
        vt_capabilities[6] = d[6];
        vt_capabilities[7] = d[7];
        ask(Step::hardware, Command::plain(Command::get_hardware));
        return;
    case Command::get_hardware:
        if (step_ != Step::hardware)
            return;
        vt_capabilities[1] = d[2];
        vt_capabilities[2] = d[3];
        ask(Step::versions, Command::plain(Command::get_versions));
        return;
    case Command::get_versions_response: {
        if (step_ != Step::versions)
            return;
        const int count = std::min<int>(d[1], (length - 2) / int(label_size));
        for (int i = 0; i < count; ++i)
            if (std::equal(label_, label_ + label_size, d + 2 + i * label_size))
                return ask(Step::loading, Command::version(Command::load_version, label_));
        start_upload();
        return;
    }
    case Command::load_version:
        if (step_ != Step::loading)
            return;
        if (d[5] != 0)
            start_upload();
        else
            show(false);
        return;
    case Command::end_of_object_pool:
        if (step_ != Step::ending)
            return;
        if (d[1] != 0) {
            Debug_print::dprint("VT: the VT refused the pool: error %02X, object %u (parent %u), pool error %02X\n",
                                d[1], u16_at(d + 4), u16_at(d + 2), d[6]);
            step_ = Step::refused;
            stop_taking_changes();
            return;
        }
        ask(Step::storing, Command::version(Command::store_version, label_));
        return;
    case Command::store_version:
        if (step_ != Step::storing)
            return;
        if (d[5] != 0)
            Debug_print::dprint("VT: the VT did not store the pool's version (error %02X)\n", d[5]);
        show(true);
        return;
    }
}

void Object_pool::start_upload()
{
    step_ = Step::uploading;
    step_since_ = Atime::now();
    sent_ = 0;
    in_flight_ = 0;
    Debug_print::dprint("VT: uploading the pool, %zu bytes\n", image_.size());
    send_next_transfer();
}

void Object_pool::send_next_transfer()
{
    // Whole records up to the message size; a larger record goes alone.
    size_t end = sent_;
    for (size_t record_end : record_ends_) {
        if (record_end <= sent_)
            continue;
        if (end > sent_ && record_end - sent_ > transfer_bytes)
            break;
        end = record_end;
    }
    std::vector<uint8_t> message{Command::object_pool_transfer};
    message.insert(message.end(), image_.begin() + long(sent_), image_.begin() + long(end));
    in_flight_ = end - sent_;
    if (!send(message, transfer_code))
        on_transfer_done(false);
}

void Object_pool::on_transfer_done(bool ok)
{
    if (!ok) {
        Debug_print::dprint("VT: the pool transfer failed after %zu of %zu bytes; trying again in %d s\n", sent_,
                            image_.size(), retry_pause_ms / 1000);
        step_ = Step::pausing;
        step_since_ = Atime::now();
        return;
    }
    sent_ += in_flight_;
    in_flight_ = 0;
    if (progress_) {
        lock_pool();
        progress_->report(sent_, image_.size());
        unlock_pool();
    }
    if (sent_ < image_.size())
        send_next_transfer();
    else
        ask(Step::ending, Command::plain(Command::end_of_object_pool));
}

void Object_pool::show(bool uploaded)
{
    step_ = Step::shown;
    shown_ = true;
    Debug_print::dprint("VT: the pool is %s\n", uploaded ? "uploaded" : "loaded from the VT's stored version");
    if (!listener_)
        return;
    listener_->handle_pool_uploaded(get_vt_name().to_stored());
    listener_->handle_terminal_alive(true);
}

void Object_pool::send_next_command(Atime now)
{
    if (!awaiting_.empty() && now - awaiting_since_ >= Rtime(answer_timeout_ms)) {
        Debug_print::dprint("VT: no response to command %u for object %u\n", awaiting_[0], object_of(awaiting_));
        awaiting_.clear();
    }
    if (!awaiting_.empty() || !shown_)
        return;
    lock_pool();
    if (!commands_.empty()) {
        awaiting_ = std::move(commands_.front());
        commands_.pop_front();
    }
    if (commands_.empty())
        said_queue_full_ = false; // a queue that fills again is said again
    unlock_pool();
    if (awaiting_.empty())
        return;
    awaiting_since_ = now;
    if (!send(awaiting_))
        awaiting_.clear(); // the stack is closed: nothing more goes
}

void Object_pool::on_command_response(const uint8_t* data)
{
    const int at = error_byte_of(data[0]);
    if (at > 0 && data[at] != 0)
        Debug_print::dprint("VT: command %u for object %u failed (error %02X)\n", data[0], object_of(awaiting_),
                            data[at]);
    awaiting_.clear();
}

void Object_pool::on_activation(const uint8_t* d, int length)
{
    Pool_listener::Activation a;
    a.function = d[0];
    uint8_t answer[8];
    std::copy(d, d + 8, answer);
    if (d[0] == Command::soft_key_activation || d[0] == Command::button_activation) {
        a.code = d[1];
        a.object = u16_at(d + 2);
        a.parent = u16_at(d + 4);
        const Object_type wanted = d[0] == Command::soft_key_activation ? key : button;
        lock_pool();
        const VT_obj* object = __find_object(a.object);
        const bool fits = object && object->get_type() == wanted && a.code <= 3;
        unlock_pool();
        if (!fits) {
            Debug_print::dprint("VT: activation %u of object %u ignored: no such %s\n", d[0], a.object,
                                wanted == key ? "key" : "button");
            return;
        }
    } else if (d[0] == Command::vt_change_numeric_value) {
        a.object = u16_at(d + 1);
        a.value = u32_at(d + 4);
        if (!apply_number(a.object, a.value))
            return;
    } else {
        a.object = u16_at(d + 1);
        if (d[3] > length - 4) {
            Debug_print::dprint("VT: string for object %u ignored: %u bytes announced, %d sent\n", a.object, d[3],
                                length - 4);
            return;
        }
        a.text.assign(reinterpret_cast<const char*>(d + 4), d[3]);
        if (!apply_string(a.object, a.text))
            return;
        const uint8_t reply[8] = {Command::vt_change_string_value, 0xFF, 0xFF, uint8_t(a.object),
                                  uint8_t(a.object >> 8), 0xFF, 0xFF, 0xFF};
        std::copy(reply, reply + 8, answer);
    }
    send(std::vector<uint8_t>(answer, answer + 8));
    deliver(a);
}

bool Object_pool::apply_number(uint16_t id, uint32_t value)
{
    bool applied = false;
    lock_pool();
    applying_vt_change_ = true;
    VT_obj* object = __find_object(id);
    if (auto* number = dynamic_cast<Input_number_obj*>(object)) {
        applied = value >= number->get_min_value() && value <= number->get_max_value();
        if (applied)
            number->set_value(value);
    } else if (auto* list = dynamic_cast<Input_list_obj*>(object)) {
        applied = value < list->get_item_count();
        if (applied)
            list->set_value(uint8_t(value));
    }
    applying_vt_change_ = false;
    unlock_pool();
    if (!applied)
        Debug_print::dprint("VT: value %u for object %u ignored: no such input or out of its range\n", value, id);
    return applied;
}

bool Object_pool::apply_string(uint16_t id, const std::string& text)
{
    bool applied = false;
    lock_pool();
    applying_vt_change_ = true;
    auto* input = dynamic_cast<Input_string_obj*>(__find_object(id));
    // No more than the object holds; the rest of its value is padded.
    if (input && text.size() <= input->get_length() && text.find('\0') == std::string::npos) {
        input->__set_string(text.c_str());
        applied = true;
    }
    applying_vt_change_ = false;
    unlock_pool();
    if (!applied)
        Debug_print::dprint("VT: string of %zu bytes for object %u ignored: no input string that holds it\n",
                            text.size(), id);
    return applied;
}

void Object_pool::deliver(const Pool_listener::Activation& activation)
{
    if (listener_)
        listener_->handle_activation(activation);
}

void Object_pool::answer_working_set_requests()
{
    ZEV_header header;
    uint8_t request[8];
    const uint8_t own = member_->get_address(*stack_);
    while (stack_->read(Working_set_member::working_set_master_pgn, header, request, sizeof request, &get_waiter(),
                        ZEV_stack::PGN_REQUEST) >= 0)
        if (header.get_destination() == ZEV_trans::ADDR_BROADCAST || header.get_destination() == own)
            member_->announce(*stack_);
}

void Object_pool::ask_language()
{
    const uint8_t source = member_->get_address(*stack_);
    if (source == ZEV_trans::ADDRESS_NULL)
        return;
    const uint8_t request[3] = {uint8_t(language_pgn), uint8_t(language_pgn >> 8), uint8_t(language_pgn >> 16)};
    stack_->write(ZEV_header(source, get_server_address(), request_pgn, 6, 0, sizeof request), request,
                  sizeof request, nullptr, 0);
}

void Object_pool::read_language()
{
    ZEV_header header;
    uint8_t data[8];
    int n;
    while ((n = stack_->read(language_pgn, header, data, sizeof data, &get_waiter(), ZEV_stack::PGN_DATA)) >= 0) {
        if (n < 8 || !is_enabled() || !has_server() || header.get_source() != get_server_address() || !listener_)
            continue;
        // The units system field: the last two bits of the sixth byte, 3
        // when the VT leaves it as it was.
        const uint8_t system = data[5] & 0x03;
        if (system != 3)
            listener_->handle_units_system(Pool_listener::Units_system(system));
    }
}

bool Object_pool::send(const std::vector<uint8_t>& message, int code)
{
    const uint8_t source = member_->get_address(*stack_);
    if (source == ZEV_trans::ADDRESS_NULL || !has_server())
        return false;
    ZEV_header header(source, get_server_address(), ecu_to_vt_pgn, 5, 0, uint32_t(message.size()));
    return stack_->write(header, message.data(), int(message.size()), code ? &get_waiter() : nullptr, code) == 0;
}

}
