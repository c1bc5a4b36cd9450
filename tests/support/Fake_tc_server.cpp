#include "tests/support/Fake_tc_server.h"
#include "platform/can/ZEV_smart_stack.h"
#include "tests/support/Fake_server_name.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <set>

namespace {

constexpr uint32_t working_set_master_pgn = 0xFE0D;
constexpr size_t max_message = 1 << 20;

// Little-endian reads over a received pool, with a note when it runs short.
class Reader {
public:
    explicit Reader(const std::vector<uint8_t>& b) : b_(b) {}
    bool has(size_t n) const { return pos_ + n <= b_.size(); }
    bool at_end() const { return pos_ >= b_.size(); }
    size_t pos() const { return pos_; }
    uint8_t u8() { return has(1) ? b_[pos_++] : (short_ = true, 0); }
    uint16_t u16()
    {
        uint16_t lo = u8();
        return uint16_t(lo | (u8() << 8));
    }
    uint32_t u32()
    {
        uint32_t lo = u16();
        return lo | (uint32_t(u16()) << 16);
    }
    std::string bytes(size_t n)
    {
        if (!has(n)) {
            short_ = true;
            pos_ = b_.size();
            return {};
        }
        std::string s(b_.begin() + long(pos_), b_.begin() + long(pos_ + n));
        pos_ += n;
        return s;
    }
    std::string counted() { return bytes(u8()); }
    bool ran_short() const { return short_; }

private:
    const std::vector<uint8_t>& b_;
    size_t pos_ = 0;
    bool short_ = false;
};

std::string hex(const uint8_t* p, size_t n)
{
    std::string s;
    char b[4];
    for (size_t i = 0; i < n; ++i) {
        std::snprintf(b, sizeof b, "%02X", p[i]);
        s += b;
    }
    return s;
}

}

namespace {

// What is wrong with the pool's objects as a whole: the device, the parents
// and children of the elements and the presentations they name.
std::vector<std::string> check_objects(const std::map<uint16_t, Fake_tc_server::Object>& objects)
{
    std::vector<std::string> errors;
    auto error = [&](const std::string& text) { errors.push_back(text); };
    size_t devices = 0;
    for (const auto& entry : objects)
        devices += entry.second.kind == "DVC";
    if (devices != 1)
        error(std::to_string(devices) + " device records");
    auto is = [&](uint16_t id, std::initializer_list<const char*> kinds) {
        auto it = objects.find(id);
        if (it == objects.end())
            return false;
        for (const char* k : kinds)
            if (it->second.kind == k)
                return true;
        return false;
    };
    std::set<uint16_t> elements;
    for (const auto& [id, o] : objects) {
        const std::string what = o.kind + " " + std::to_string(id);
        if (o.kind == "DET") {
            if (!elements.insert(o.element).second)
                error(what + ": element number " + std::to_string(o.element) + " used twice");
            if (!is(o.parent, {"DVC", "DET"}))
                error(what + ": parent " + std::to_string(o.parent) + " missing");
            for (uint16_t child : o.children)
                if (!is(child, {"DPD", "DPT"}))
                    error(what + ": object " + std::to_string(child) + " missing");
        }
        if ((o.kind == "DPD" || o.kind == "DPT") && o.presentation != 0xFFFF && !is(o.presentation, {"DVP"}))
            error(what + ": presentation " + std::to_string(o.presentation) + " missing");
    }
    return errors;
}

}

Fake_tc_server::Pool Fake_tc_server::Pool::read(const std::vector<uint8_t>& bytes)
{
    Pool pool;
    pool.bytes = bytes;
    Reader r(bytes);
    auto error = [&](const std::string& text) { pool.errors.push_back(text); };
    while (!r.at_end() && r.has(5)) {
        Object o;
        o.kind = r.bytes(3);
        o.id = r.u16();
        if (o.kind == "DVC") {
            o.designator = r.counted();
            pool.version = r.counted();
            r.bytes(8);  // working-set master NAME
            r.counted(); // serial number
            std::string labels = r.bytes(14);
            if (labels.size() == 14) {
                std::copy(labels.begin(), labels.begin() + 7, pool.structure_label.begin());
                std::copy(labels.begin() + 7, labels.end(), pool.localization_label.begin());
            }
        } else if (o.kind == "DET") {
            o.type = r.u8();
            o.designator = r.counted();
            o.element = r.u16();
            o.parent = r.u16();
            const uint16_t n = r.u16();
            for (uint16_t i = 0; i < n && !r.ran_short(); ++i)
                o.children.push_back(r.u16());
        } else if (o.kind == "DPD") {
            o.ddi = r.u16();
            o.properties = r.u8();
            o.triggers = r.u8();
            o.designator = r.counted();
            o.presentation = r.u16();
        } else if (o.kind == "DPT") {
            o.ddi = r.u16();
            o.value = int32_t(r.u32());
            o.designator = r.counted();
            o.presentation = r.u16();
        } else if (o.kind == "DVP") {
            r.u32(); // offset
            r.u32(); // scale
            r.u8();  // decimals
            o.designator = r.counted();
        } else {
            error("unknown record \"" + o.kind + "\" at byte " + std::to_string(r.pos() - 5));
            return pool;
        }
        if (r.ran_short()) {
            error(o.kind + " " + std::to_string(o.id) + " runs past the end");
            return pool;
        }
        if (o.designator.size() > 32)
            error(o.kind + " " + std::to_string(o.id) + ": designator of " + std::to_string(o.designator.size()) +
                  " bytes");
        if (!pool.objects.emplace(o.id, o).second)
            error("object id " + std::to_string(o.id) + " used twice");
    }
    if (!r.at_end())
        error("stray bytes at the end");
    for (const std::string& e : check_objects(pool.objects))
        error(e);
    return pool;
}

Fake_tc_server::Pool Fake_tc_server::Pool::updated_by(const Pool& transfer) const
{
    Pool pool = transfer;
    pool.objects = objects;
    for (const auto& entry : transfer.objects)
        pool.objects[entry.first] = entry.second;
    for (const std::string& e : check_objects(pool.objects))
        if (std::find(pool.errors.begin(), pool.errors.end(), e) == pool.errors.end())
            pool.errors.push_back(e);
    return pool;
}

const Fake_tc_server::Object* Fake_tc_server::Pool::element_named(const std::string& designator) const
{
    for (const auto& entry : objects)
        if (entry.second.kind == "DET" && entry.second.designator == designator)
            return &entry.second;
    return nullptr;
}

std::vector<uint16_t> Fake_tc_server::Pool::ddis_of(const Object& element) const
{
    std::vector<uint16_t> out;
    for (uint16_t child : element.children) {
        auto it = objects.find(child);
        if (it != objects.end())
            out.push_back(it->second.ddi);
    }
    return out;
}

size_t Fake_tc_server::Pool::count(const std::string& kind) const
{
    size_t n = 0;
    for (const auto& entry : objects)
        n += entry.second.kind == kind;
    return n;
}

Fake_tc_server::Fake_tc_server(module_man* manager, ZEV_smart_stack& stack, const Settings& settings)
    : stack_(stack), settings_(settings)
{
    init(manager, nullptr, "FAKE_TC", 50, 8192, true, false);
    set_fake_server_name(name_, 130, 2000, uint32_t(settings.identity));
}

Fake_tc_server::~Fake_tc_server()
{
    if (is_running())
        terminate(1, 1000);
    remove_timeout(status_timer_);
    stack_.deregister_pgn(process_data_pgn, &get_waiter(), ZEV_stack::PGN_DATA);
    stack_.deregister_pgn(working_set_master_pgn, &get_waiter(), ZEV_stack::PGN_DATA);
}

bool Fake_tc_server::start_serving()
{
    if (!stack_.get_name_manager().add_local_name(name_, settings_.address, &get_waiter()))
        return false;
    stack_.register_pgn(process_data_pgn, &get_waiter(), &registration_, ZEV_stack::PGN_DATA);
    stack_.register_pgn(working_set_master_pgn, &get_waiter(), &registration_, ZEV_stack::PGN_DATA);
    submit_timeout(status_timer_);
    return true;
}

void Fake_tc_server::say(const char* format, ...)
{
    char text[512];
    va_list args;
    va_start(args, format);
    std::vsnprintf(text, sizeof text, format, args);
    va_end(args);
    lines_.push_back(text);
    if (printer_)
        printer_(text);
}

bool Fake_tc_server::saw(const std::string& text) const
{
    for (const std::string& line : lines_)
        if (line.find(text) != std::string::npos)
            return true;
    return false;
}

Fake_tc_server::Client& Fake_tc_server::client_at(uint8_t address)
{
    ZEV_name::RAWNAME name;
    if (!stack_.get_name_manager().gethostbyaddr(address, name))
        name = ZEV_name::RAWNAME(uint64_t(address)); // unknown: kept by address
    return clients_[name.get_value()];
}

const Fake_tc_server::Pool* Fake_tc_server::pool_of(uint8_t client) const
{
    ZEV_name::RAWNAME name;
    if (!stack_.get_name_manager().gethostbyaddr(client, name))
        return nullptr;
    auto it = clients_.find(name.get_value());
    if (it == clients_.end() || !it->second.has_pool)
        return nullptr;
    return &it->second.pool;
}

bool Fake_tc_server::is_active(uint8_t client) const
{
    ZEV_name::RAWNAME name;
    if (!stack_.get_name_manager().gethostbyaddr(client, name))
        return false;
    auto it = clients_.find(name.get_value());
    return it != clients_.end() && it->second.active;
}

bool Fake_tc_server::last_value(uint8_t client, uint16_t element, uint16_t ddi, int32_t& value) const
{
    ZEV_name::RAWNAME name;
    if (!stack_.get_name_manager().gethostbyaddr(client, name))
        return false;
    auto it = clients_.find(name.get_value());
    if (it == clients_.end())
        return false;
    auto v = it->second.values.find({element, ddi});
    if (v == it->second.values.end())
        return false;
    value = v->second;
    return true;
}

void Fake_tc_server::send(uint8_t destination, const std::vector<uint8_t>& data)
{
    if (silent_)
        return;
    const uint8_t source = stack_.get_name_manager().gethostbyname(name_);
    ZEV_header header(source, destination, process_data_pgn, 5, 0, uint32_t(data.size()));
    stack_.write(header, data.data(), int(data.size()), nullptr, 0);
}

void Fake_tc_server::send_command(uint8_t client, uint16_t element, uint16_t ddi, uint8_t command, int32_t value)
{
    const uint32_t v = uint32_t(value);
    send(client, {uint8_t(command | (element << 4)), uint8_t(element >> 4), uint8_t(ddi), uint8_t(ddi >> 8),
                  uint8_t(v), uint8_t(v >> 8), uint8_t(v >> 16), uint8_t(v >> 24)});
    say("sent command %u to %u: element %u DDI %u value %d", command, client, element, ddi, value);
}

void Fake_tc_server::handle_timeout(Timeout& timeout)
{
    if (&timeout != &status_timer_)
        return;
    // Status: the task status of the settings, no command in progress.
    send(0xFF, {0xFE, 0xFF, 0xFF, 0xFF, settings_.task_status, 0x00, 0x00, 0xFF});
}

void Fake_tc_server::handle_event(waiter_event& event)
{
    if (event.module == stack_.get_name_module() && event.code == 0) {
        handle_timeout(status_timer_); // the first status as soon as the claim holds
        return;
    }
    if (event.module != stack_.get_receive_module())
        return;
    // One event per message: read one, so that messages are handled in the order they came.
    std::vector<uint8_t> buffer(max_message);
    ZEV_header header;
    const int n = stack_.read(event.code, header, buffer.data(), int(buffer.size()), &get_waiter(), ZEV_stack::PGN_DATA);
    if (n >= 0 && !silent_)
        on_message(header, buffer.data(), n);
}

void Fake_tc_server::on_message(const ZEV_header& header, const uint8_t* data, int length)
{
    const uint8_t source = header.get_source();
    if (header.get_pgn() == working_set_master_pgn) {
        say("working-set master at %u with %u member(s)", source, length > 0 ? data[0] : 0);
        send(source, {0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF});
        say("asked the version of %u", source);
        return;
    }
    if (length < 8) {
        say("short message of %d bytes from %u", length, source);
        return;
    }
    if (header.get_destination() != 0xFF)
        on_client_message(source, data, length);
}

void Fake_tc_server::on_client_message(uint8_t source, const uint8_t* d, int length)
{
    Client& client = client_at(source);
    const uint8_t kind = d[0] & 0x0F;
    const uint16_t element = uint16_t((d[0] >> 4) | (d[1] << 4));
    const uint16_t ddi = uint16_t(d[2] | (d[3] << 8));
    const int32_t value = int32_t(uint32_t(d[4]) | uint32_t(d[5]) << 8 | uint32_t(d[6]) << 16 | uint32_t(d[7]) << 24);
    const std::array<uint8_t, 7> none{0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};
    auto with_label = [](uint8_t first, const std::array<uint8_t, 7>& label) {
        std::vector<uint8_t> m{first};
        m.insert(m.end(), label.begin(), label.end());
        return m;
    };
    switch (d[0]) {
    case 0x00: {
        say("version request from %u", source);
        const int v = settings_.version;
        send(source, {0x10, uint8_t(v), 0xFF, uint8_t(v >= 3 ? 0x1F : 0xFF), 0x00, 1, 16, 10});
        return;
    }
    case 0x10:
        say("version of %u: %u, boot time %02X, options %02X %02X %u %u %u", source, d[1], d[2], d[3], d[4], d[5],
            d[6], d[7]);
        return;
    case 0x01:
        say("structure label request from %u", source);
        send(source, client.has_pool ? with_label(0x11, client.pool.structure_label) : with_label(0x11, none));
        return;
    case 0x21:
        say("localization label request from %u", source);
        send(source, client.has_pool ? with_label(0x31, client.pool.localization_label) : with_label(0x31, none));
        return;
    case 0xA1:
        say("delete request from %u: %s", source, client.has_pool ? "pool deleted" : "no pool");
        client.pool = Pool();
        client.has_pool = false;
        client.active = false;
        send(source, {0xB1, 0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF});
        return;
    case 0x41:
        say("transfer request from %u: %u bytes", source, uint32_t(d[1] | d[2] << 8 | d[3] << 16 | uint32_t(d[4]) << 24));
        send(source, {0x51, 0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF});
        return;
    case 0x61: {
        const Pool transfer = Pool::read(std::vector<uint8_t>(d + 1, d + length));
        Pool pool = client.has_pool ? client.pool.updated_by(transfer) : transfer;
        say("pool from %u: %d bytes, %zu objects, label %s, %zu error(s)", source, length - 1,
            transfer.objects.size(), hex(transfer.structure_label.data(), 7).c_str(), pool.errors.size());
        for (const std::string& e : pool.errors)
            say("pool error: %s", e.c_str());
        const uint8_t refused = settings_.refuse_pool || !pool.errors.empty() ? 1 : 0;
        if (!refused) {
            client.pool = std::move(pool);
            client.has_pool = true;
            say("pool of %u holds %zu objects", source, client.pool.objects.size());
        }
        const uint32_t n = uint32_t(length - 1);
        send(source, {0x71, refused, uint8_t(n), uint8_t(n >> 8), uint8_t(n >> 16), uint8_t(n >> 24), 0xFF, 0xFF});
        return;
    }
    case 0x81:
        if (d[1] == 0xFF) {
            const uint8_t refused = settings_.refuse_activation || !client.has_pool ? 1 : 0;
            say("activation request from %u: %s", source, refused ? "refused" : "activated");
            client.active = !refused;
            send(source, {0x91, refused, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00});
            if (client.active)
                for (const Settings::Command& c : settings_.script) {
                    const Object* named = client.pool.element_named(c.element);
                    const bool number = !c.element.empty() && c.element.find_first_not_of("0123456789") == std::string::npos;
                    if (named || number)
                        send_command(source, named ? named->element : uint16_t(std::stoi(c.element)), c.ddi,
                                     c.command, c.value);
                    else
                        say("no element \"%s\" in the pool of %u", c.element.c_str(), source);
                }
        } else {
            say("deactivation from %u", source);
            client.active = false;
            send(source, {0x91, 0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00});
        }
        return;
    }
    switch (kind) {
    case 0x3:
        client.values[{element, ddi}] = value;
        say("value from %u: element %u DDI %u = %d", source, element, ddi, value);
        return;
    case 0xD:
        say("acknowledge from %u: element %u DDI %u errors %02X command %X", source, element, ddi, d[4], d[5] & 0x0F);
        return;
    case 0xF:
        say("client task from %u: status %02X, reserved %02X %02X %02X", source, d[4], d[5], d[6], d[7]);
        return;
    default:
        say("message %02X from %u", d[0], source);
    }
}
