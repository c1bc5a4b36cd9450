#include "tests/support/Fake_display.h"
#include "platform/can/Known_names.h"
#include "platform/can/ZEV_smart_stack.h"
#include "platform/can/ZEV_trans.h"
#include "platform/rtos/waiter_descriptor.h"

#include <QStringList>

namespace {

constexpr uint8_t priority = 6;

ZEV_name::NAME display_name(int identity)
{
    return Known_names::get_tessaryn_master(identity);
}

// Any kx4: its NAME with every identity number.
ZEV_name::NAME kx4_name()
{
    return Known_names::get_seeder(-1);
}

std::string text_of(const QVariant& value)
{
    if (!value.isValid())
        return "(no value)";
    if (value.type() == QVariant::Bool)
        return value.toBool() ? "TRUE" : "FALSE";
    if (value.type() != QVariant::List)
        return value.toString().toStdString();
    std::string text = "{";
    const QVariantList list = value.toList();
    for (int i = 0; i < list.size(); ++i)
        text += (i ? "," : "") + text_of(list[i]);
    return text + "}";
}

}

Fake_display::Fake_display(ZEV_smart_stack& stack, waiter_descriptor& waiter, Output output,
                           const Settings& settings)
    : stack_(stack), waiter_(waiter), output_(std::move(output)), settings_(settings), client_(*this)
{
}

Fake_display::~Fake_display()
{
    stack_.deregister_pgn(pgn, &waiter_, ZEV_stack::PGN_DATA);
}

bool Fake_display::start()
{
    if (stack_.register_pgn(pgn, &waiter_, nullptr, ZEV_stack::PGN_DATA) != 0)
        return false;
    if (!stack_.get_name_manager().add_local_name(display_name(settings_.identity), settings_.address, &waiter_))
        return false;
    stack_.wait_for_name(&waiter_, kx4_name(), false);
    return true;
}

void Fake_display::handle_event(waiter_event& event)
{
    if (event.module == stack_.get_name_module())
        look_for_kx4();
    else if (event.module == stack_.get_receive_module() && event.code == pgn)
        read_frames();
}

void Fake_display::look_for_kx4()
{
    ZEV_name::Name_manager& names = stack_.get_name_manager();
    const ZEV_name::NAME own = display_name(settings_.identity);
    if (names.get_claim_state(own) == ZEV_name::Claim_state::cannot_claim) {
        say("fake_display: cannot claim an address");
        return;
    }
    const uint8_t address = names.get_claim_state(own) == ZEV_name::Claim_state::claimed
                                ? names.gethostbyname(own)
                                : ZEV_trans::ADDRESS_NULL;
    const uint8_t kx4 = names.gethostbyname(kx4_name());
    {
        std::lock_guard<std::mutex> guard(mutex_);
        own_address_ = address;
        kx4_address_ = kx4;
        if (asked_ || address >= ZEV_trans::ADDRESS_ALL || kx4 >= ZEV_trans::ADDRESS_ALL)
            return;
        asked_ = true;
    }
    say("fake_display: address " + std::to_string(address) + ", kx4 at " + std::to_string(kx4));
    client_.request_ids(true);
}

void Fake_display::read_frames()
{
    for (;;) {
        uint8_t frame[2 + CDS::Remote::Client::tx_size + 8];
        ZEV_header header;
        const int n = stack_.read(pgn, header, frame, sizeof frame, &waiter_, ZEV_stack::PGN_DATA);
        if (n < 0)
            return;
        uint8_t kx4;
        {
            std::lock_guard<std::mutex> guard(mutex_);
            kx4 = kx4_address_;
        }
        if (n >= 2 && frame[0] == marker && frame[1] == marker && header.get_source() == kx4)
            client_.receive(frame + 2, n - 2);
    }
}

uint8_t* Fake_display::Transport::get_tx_buffer(uint8_t* buffer, int& room)
{
    if (room < 2)
        return nullptr;
    buffer[0] = buffer[1] = marker;
    room -= 2;
    return buffer + 2;
}

bool Fake_display::Transport::send(uint8_t* message, int length)
{
    uint8_t from, to;
    {
        std::lock_guard<std::mutex> guard(display_.mutex_);
        from = display_.own_address_;
        to = display_.kx4_address_;
    }
    if (length > 0 && message[0] == 0x82)
        ++display_.slices_asked_;
    const ZEV_header header(from, to, pgn, priority, 0, uint32_t(length + 2));
    return display_.stack_.write(header, message - 2, length + 2, nullptr, 0) == 0;
}

void Fake_display::value_changed(uint16_t id)
{
    std::string name;
    {
        std::lock_guard<std::mutex> guard(mutex_);
        auto known = names_.find(id);
        name = known != names_.end() ? known->second : "#" + std::to_string(id);
    }
    say(name + " = " + text_of(client_.get_value(name.c_str())));
}

void Fake_display::tree_status(int status)
{
    switch (status) {
    case Listener::tree_ready:
        say(slices_asked_ ? "fake_display: tree fetched in " + std::to_string(int(slices_asked_)) + " slices"
                          : std::string("fake_display: tree from the cache"));
        return;
    case Listener::tree_failed:
        say("fake_display: no tree");
        return;
    case Listener::tree_bad_offset:
        say("fake_display: a slice came for the wrong offset");
        return;
    default:
        return;
    }
}

uint16_t Fake_display::id_for(const std::string& name)
{
    const uint16_t id = client_.get_id(name.c_str());
    if (id != CDS::Remote::Client::no_id) {
        std::lock_guard<std::mutex> guard(mutex_);
        names_[id] = name;
    }
    return id;
}

void Fake_display::command(const std::string& line)
{
    const size_t space = line.find(' ');
    const std::string verb = line.substr(0, space);
    std::string argument = space == std::string::npos ? "" : line.substr(space + 1);
    if (verb.empty())
        return;
    if (!has_tree()) {
        say("fake_display: no tree yet");
        return;
    }
    std::string value;
    if (verb == "set") {
        const size_t equals = argument.find('=');
        if (equals == std::string::npos) {
            say("fake_display: set NAME=VALUE");
            return;
        }
        value = argument.substr(equals + 1);
        argument.resize(equals);
    }
    if (verb != "get" && verb != "set" && verb != "watch" && verb != "unwatch") {
        say("fake_display: unknown command \"" + verb + "\"");
        return;
    }
    const uint16_t id = id_for(argument);
    if (id == CDS::Remote::Client::no_id) {
        say("fake_display: no item " + argument);
        return;
    }
    bool sent;
    if (verb == "get") {
        sent = client_.request_value(id, 0);
    } else if (verb == "watch") {
        sent = client_.register_on_change(id, 0);
    } else if (verb == "unwatch") {
        sent = client_.cancel_on_change(id, 0);
        if (sent)
            say("fake_display: unwatched " + argument);
    } else {
        const QString text = QString::fromStdString(value);
        const QVariant variant = text.contains(',') ? QVariant(text.split(',')) : QVariant(text);
        sent = client_.set_value(id, variant);
        if (!sent)
            say("fake_display: " + argument + " refused " + value);
        return;
    }
    if (!sent)
        say("fake_display: cannot send for " + argument);
}

void Fake_display::say(const std::string& line)
{
    output_(line);
}
