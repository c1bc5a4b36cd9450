#include "tests/support/Fake_vt_server.h"
#include "platform/can/ZEV_smart_stack.h"
#include "tests/support/Fake_server_name.h"

#include <algorithm>
#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>

namespace {

constexpr uint32_t working_set_master_pgn = 0xFE0D;
constexpr size_t max_message = 1 << 20;
constexpr uint16_t none = Iop_check::no_object;

// The object types by their ISO 11783-6 numbers, as far as commands need them.
enum : uint8_t {
    data_mask = 1, alarm_mask = 2, container = 3, soft_key_mask = 4, key = 5, button = 6, input_boolean = 7,
    input_string = 8, input_number = 9, input_list = 10, output_string = 11, output_number = 12, rectangle = 14,
    meter = 17, linear_bar_graph = 18, arched_bar_graph = 19, number_variable = 21, string_variable = 22,
    object_pointer = 27,
};

uint16_t u16(const uint8_t* d) { return uint16_t(d[0] | d[1] << 8); }
uint32_t u32(const uint8_t* d) { return uint32_t(u16(d)) | uint32_t(u16(d + 2)) << 16; }

void put16(std::vector<uint8_t>& m, uint16_t v)
{
    m.push_back(uint8_t(v));
    m.push_back(uint8_t(v >> 8));
}
void put32(std::vector<uint8_t>& m, uint32_t v)
{
    put16(m, uint16_t(v));
    put16(m, uint16_t(v >> 16));
}

// The attributes of the number objects that Change Attribute sets, by
// object type and attribute ID.
enum class Number_attribute { min_value, max_value, offset, scale, decimals };
struct Number_aid {
    uint8_t type;
    uint8_t aid;
    Number_attribute what;
};
const Number_aid number_aids[] = {
    {input_number, 7, Number_attribute::min_value}, {input_number, 8, Number_attribute::max_value},
    {input_number, 9, Number_attribute::offset},    {input_number, 10, Number_attribute::scale},
    {input_number, 11, Number_attribute::decimals}, {output_number, 7, Number_attribute::offset},
    {output_number, 8, Number_attribute::scale},    {output_number, 9, Number_attribute::decimals},
};

const Number_aid* number_aid(uint8_t type, uint8_t aid)
{
    for (const Number_aid& n : number_aids)
        if (n.type == type && n.aid == aid)
            return &n;
    return nullptr;
}

// Sets the attribute; the Change Attribute error (0x04: a value the object
// cannot take) or 0.
uint8_t set_number_attribute(Iop_check::Object& o, Number_attribute what, uint32_t value)
{
    switch (what) {
    case Number_attribute::min_value: o.min_value = value; break;
    case Number_attribute::max_value: o.max_value = value; break;
    case Number_attribute::offset: o.number_offset = int32_t(value); break;
    case Number_attribute::scale: {
        float scale;
        std::memcpy(&scale, &value, sizeof scale);
        if (!std::isfinite(scale))
            return 0x04;
        o.scale = scale;
        break;
    }
    case Number_attribute::decimals:
        if (value > 7)
            return 0x04;
        o.decimals = uint8_t(value);
        break;
    }
    return 0;
}

bool is_one_of(uint8_t type, std::initializer_list<uint8_t> types)
{
    for (uint8_t t : types)
        if (t == type)
            return true;
    return false;
}

}

Fake_vt_server::Fake_vt_server(module_man* manager, ZEV_smart_stack& stack, const Settings& settings)
    : stack_(stack), settings_(settings), refuse_pool_(settings.refuse_pool), units_(settings.units)
{
    init(manager, nullptr, "FAKE_VT", 50, 8192, true, false);
    set_fake_server_name(name_, 29, 2001, uint32_t(settings.identity));
}

Fake_vt_server::~Fake_vt_server()
{
    if (is_running())
        terminate(1, 1000);
    remove_timeout(status_timer_);
    stack_.deregister_pgn(ecu_to_vt_pgn, &get_waiter(), ZEV_stack::PGN_DATA);
    stack_.deregister_pgn(working_set_master_pgn, &get_waiter(), ZEV_stack::PGN_DATA);
    stack_.deregister_pgn(language_pgn, &get_waiter(), ZEV_stack::PGN_REQUEST);
}

bool Fake_vt_server::start_serving()
{
    if (!stack_.get_name_manager().add_local_name(name_, settings_.address, &get_waiter()))
        return false;
    stack_.register_pgn(ecu_to_vt_pgn, &get_waiter(), &registration_, ZEV_stack::PGN_DATA);
    stack_.register_pgn(working_set_master_pgn, &get_waiter(), &registration_, ZEV_stack::PGN_DATA);
    stack_.register_pgn(language_pgn, &get_waiter(), &registration_, ZEV_stack::PGN_REQUEST);
    submit_timeout(status_timer_);
    return true;
}

void Fake_vt_server::say(const char* format, ...)
{
    char text[512];
    va_list args;
    va_start(args, format);
    std::vsnprintf(text, sizeof text, format, args);
    va_end(args);
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    lines_.push_back(text);
    if (printer_)
        printer_(text);
}

std::vector<std::string> Fake_vt_server::lines() const
{
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    return lines_;
}

int Fake_vt_server::lines_with(const std::string& text) const
{
    int n = 0;
    for (const std::string& line : lines())
        n += line.find(text) != std::string::npos;
    return n;
}

void Fake_vt_server::clear_lines()
{
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    lines_.clear();
}

std::vector<uint8_t> Fake_vt_server::last_pool() const
{
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    return last_pool_;
}

std::vector<Iop_check::Error> Fake_vt_server::last_errors() const
{
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    return last_errors_;
}

bool Fake_vt_server::object(uint16_t id, Iop_check::Object& out) const
{
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    const Iop_check::Object* o = find(id);
    if (o)
        out = *o;
    return o != nullptr;
}

bool Fake_vt_server::attribute(uint16_t id, uint8_t attribute_id, uint32_t& value) const
{
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    auto it = attributes_.find({id, attribute_id});
    if (it == attributes_.end())
        return false;
    value = it->second;
    return true;
}

uint16_t Fake_vt_server::active_mask() const
{
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    return active_mask_;
}

uint8_t Fake_vt_server::active_working_set() const
{
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    return active_working_set_;
}

size_t Fake_vt_server::stored_versions() const
{
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    size_t n = 0;
    for (const auto& client : versions_)
        n += client.second.size();
    return n;
}

std::string Fake_vt_server::shown_number(uint16_t id) const
{
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    const Iop_check::Object* o = find(id);
    if (!o || (o->type != input_number && o->type != output_number))
        return "";
    const Iop_check::Object* variable = o->variable == none ? nullptr : find(o->variable);
    const uint32_t value = variable ? variable->value : o->value;
    const double shown = (double(value) + double(o->number_offset)) * double(o->scale);
    const double unit = std::pow(10.0, double(o->decimals));
    const double rounded = std::round(shown * unit) / unit + 0.0; // no "-0.0"
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", int(o->decimals), rounded);
    return text;
}

const Iop_check::Object* Fake_vt_server::find(uint16_t id) const
{
    auto it = objects_.find(id);
    return it == objects_.end() ? nullptr : &it->second;
}

uint64_t Fake_vt_server::name_at(uint8_t address) const
{
    ZEV_name::RAWNAME name;
    if (!stack_.get_name_manager().gethostbyaddr(address, name))
        return address; // unknown: kept by address
    return name.get_value();
}

void Fake_vt_server::send(uint8_t destination, std::vector<uint8_t> data)
{
    if (silent_)
        return;
    if (data.size() < 8)
        data.resize(8, 0xFF);
    const uint8_t source = stack_.get_name_manager().gethostbyname(name_);
    ZEV_header header(source, destination, vt_to_ecu_pgn, 5, 0, uint32_t(data.size()));
    stack_.write(header, data.data(), int(data.size()), nullptr, 0);
}

void Fake_vt_server::send_status()
{
    std::vector<uint8_t> m{254};
    {
        std::lock_guard<std::recursive_mutex> lock(mutex_);
        m.push_back(active_working_set_);
        put16(m, active_mask_);
        const Iop_check::Object* mask = find(active_mask_);
        put16(m, mask ? mask->soft_key_mask : none);
    }
    m.push_back(0);    // not busy
    m.push_back(0xFF); // no function in progress
    send(0xFF, m);
}

void Fake_vt_server::send_language(uint8_t destination)
{
    if (silent_)
        return;
    uint8_t units;
    {
        std::lock_guard<std::recursive_mutex> lock(mutex_);
        units = units_;
    }
    // English, decimal point, 24-hour clock, day-month-year; every units
    // field (distance, area, volume, mass; temperature, pressure, force and
    // the units system) the same.
    const uint8_t all_fields = uint8_t(units * 0x55);
    const uint8_t m[8] = {'e', 'n', 0x4F, 0, all_fields, all_fields, 0xFF, 0xFF};
    const uint8_t source = stack_.get_name_manager().gethostbyname(name_);
    ZEV_header header(source, destination, language_pgn, 6, 0, sizeof m);
    stack_.write(header, m, sizeof m, nullptr, 0);
}

void Fake_vt_server::answer_language_requests()
{
    ZEV_header header;
    uint8_t request[8];
    while (stack_.read(language_pgn, header, request, sizeof request, &get_waiter(), ZEV_stack::PGN_REQUEST) >= 0) {
        say("language request from %u", header.get_source());
        send_language(0xFF);
    }
}

void Fake_vt_server::handle_timeout(Timeout& timeout)
{
    if (&timeout == &status_timer_)
        send_status();
}

void Fake_vt_server::handle_event(waiter_event& event)
{
    if (event.module == stack_.get_name_module() && event.code == 0) {
        send_status(); // the first status as soon as the claim holds
        return;
    }
    if (event.module == stack_.get_request_module() && event.code == language_pgn) {
        answer_language_requests();
        return;
    }
    if (event.module != stack_.get_receive_module())
        return;
    // One event per message: read one, so that messages are handled in the order they came.
    std::vector<uint8_t> buffer(max_message);
    ZEV_header header;
    const int n = stack_.read(event.code, header, buffer.data(), int(buffer.size()), &get_waiter(), ZEV_stack::PGN_DATA);
    if (n >= 0 && !silent_) {
        std::lock_guard<std::recursive_mutex> lock(mutex_);
        on_message(header, buffer.data(), n);
    }
}

void Fake_vt_server::set_active_mask(uint16_t mask)
{
    if (mask == active_mask_)
        return;
    active_mask_ = mask;
    say("active mask %u", mask);
}

void Fake_vt_server::show_pool(uint8_t source, const Iop_check& check)
{
    objects_ = check.objects();
    attributes_.clear();
    working_set_ = check.working_set();
    const Iop_check::Object* ws = find(working_set_);
    active_working_set_ = source;
    set_active_mask(ws ? ws->active_mask : none);
    say("working set %u active", source);
}

void Fake_vt_server::on_message(const ZEV_header& header, const uint8_t* d, int length)
{
    const uint8_t source = header.get_source();
    if (header.get_pgn() == working_set_master_pgn) {
        say("working-set master at %u with %u member(s)", source, length > 0 ? d[0] : 0);
        return;
    }
    if (length < 8) {
        say("short message of %d bytes from %u", length, source);
        return;
    }
    const uint64_t client = name_at(source);
    switch (d[0]) {
    case 255:
        say("maintenance from %u%s", source, d[1] & 1 ? ", initiating" : "");
        return;
    case 192:
        say("memory request from %u: %u bytes", source, u32(d + 2));
        send(source, {192, 4, uint8_t(settings_.memory_short ? 1 : 0)});
        return;
    case 194:
        say("soft key request from %u", source);
        send(source, {194, 0xFF, 0xFF, 0xFF, 60, 32, 64, 6});
        return;
    case 195:
        say("font request from %u", source);
        send(source, {195, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F, 0x0F});
        return;
    case 199:
        say("hardware request from %u", source);
        send(source, {199, 2, 2, 0x03, 0xE0, 0x01, 0xE0, 0x01});
        return;
    case 223: {
        const auto& kept = versions_[client];
        say("versions request from %u: %zu kept", source, kept.size());
        std::vector<uint8_t> m{224, uint8_t(kept.size())};
        for (const auto& version : kept)
            m.insert(m.end(), version.first.begin(), version.first.end());
        send(source, m);
        return;
    }
    case 208:
    case 209: {
        const std::string label(reinterpret_cast<const char*>(d + 1), 7);
        if (d[0] == 208) {
            versions_[client][label] = last_pool_;
            say("stored version %s for %u", label.c_str(), source);
            send(source, {208, 0xFF, 0xFF, 0xFF, 0xFF, 0});
            return;
        }
        auto it = versions_[client].find(label);
        say("load version %s for %u: %s", label.c_str(), source, it == versions_[client].end() ? "unknown" : "loaded");
        if (it == versions_[client].end()) {
            send(source, {209, 0xFF, 0xFF, 0xFF, 0xFF, 0x02}); // the label is not one kept
            return;
        }
        const std::vector<uint8_t> bytes = it->second;
        show_pool(source, Iop_check(bytes));
        send(source, {209, 0xFF, 0xFF, 0xFF, 0xFF, 0});
        return;
    }
    case 17:
        receiving_.insert(receiving_.end(), d + 1, d + length);
        say("pool transfer from %u: %d bytes", source, length - 1);
        return;
    case 18:
        on_end_of_pool(source, client);
        return;
    case 0:
    case 1:
    case 5:
    case 8:
        say("response %u from %u: object %u", d[0], source, d[0] == 8 ? u16(d + 3) : d[0] == 5 ? u16(d + 1) : u16(d + 2));
        return;
    default:
        on_change(source, d, length);
    }
}

void Fake_vt_server::on_end_of_pool(uint8_t source, uint64_t)
{
    std::vector<uint8_t> bytes;
    bytes.swap(receiving_);
    const Iop_check check(bytes);
    last_errors_ = check.errors();
    last_pool_ = bytes;
    say("end of pool from %u: %zu bytes, %zu objects, %zu error(s)", source, bytes.size(), check.objects().size(),
        check.errors().size());
    if (!settings_.dump_file.empty()) {
        std::ofstream out(settings_.dump_file, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
        if (!out)
            say("could not write %s", settings_.dump_file.c_str());
    }
    if (!check.sound() || refuse_pool_) {
        const Iop_check::Error e = check.sound() ? Iop_check::Error{none, none, Iop_check::other_error, "refused"}
                                                 : check.errors().front();
        say("pool refused: object %u parent %u code %02X: %s", e.object, e.parent, e.code, e.text.c_str());
        std::vector<uint8_t> m{18, 0x01};
        put16(m, e.parent);
        put16(m, e.object);
        m.push_back(e.code);
        send(source, m);
        return;
    }
    show_pool(source, check);
    send(source, {18, 0, 0xFF, 0xFF, 0xFF, 0xFF, 0});
}

void Fake_vt_server::on_change(uint8_t source, const uint8_t* d, int length)
{
    std::vector<uint8_t> m{d[0]};
    const uint16_t id = u16(d + 1);
    auto it = objects_.find(id);
    Iop_check::Object* o = it == objects_.end() ? nullptr : &it->second;
    const uint8_t type = o ? o->type : 0xFF;
    uint8_t error = 0;
    switch (d[0]) {
    case 160: // Hide/Show Object
        error = !o ? 0x01 : type != container ? 0x10 : 0;
        if (!error)
            o->hidden = d[3] == 0;
        say("hide/show %u: %s, error %02X", id, d[3] ? "show" : "hide", error);
        put16(m, id);
        m.push_back(d[3]);
        m.push_back(error);
        break;
    case 161: { // Enable/Disable Object
        const bool input = type == input_number || type == input_list || type == input_string || type == input_boolean;
        error = !o ? 0x01 : d[3] > 1 ? 0x02 : !input ? 0x10 : 0;
        if (!error)
            o->enabled = d[3] == 1;
        say("enable/disable %u: %s, error %02X", id, d[3] == 1 ? "enable" : "disable", error);
        put16(m, id);
        m.push_back(d[3]);
        m.push_back(error);
        break;
    }
    case 168: { // Change Numeric Value
        const uint32_t value = u32(d + 4);
        error = !o ? 0x01
                   : is_one_of(type, {input_boolean, input_number, input_list, output_number, meter, linear_bar_graph,
                                      arched_bar_graph, number_variable, object_pointer})
                         ? 0
                         : 0x10;
        if (!error)
            o->value = value;
        say("numeric value %u = %u, error %02X", id, value, error);
        put16(m, id);
        m.push_back(error);
        put32(m, value);
        break;
    }
    case 173: { // Change Active Mask
        const uint16_t mask = u16(d + 3);
        const Iop_check::Object* target = find(mask);
        error = uint8_t((id != working_set_ ? 0x01 : 0) |
                        (!target || !is_one_of(target->type, {data_mask, alarm_mask}) ? 0x02 : 0));
        say("change active mask to %u, error %02X", mask, error);
        if (!error)
            set_active_mask(mask);
        put16(m, mask);
        m.push_back(error);
        break;
    }
    case 174: { // Change Soft Key Mask
        const uint16_t mask = u16(d + 2), soft_keys = u16(d + 4);
        auto mask_it = objects_.find(mask);
        const Iop_check::Object* keys = find(soft_keys);
        const bool mask_ok = mask_it != objects_.end() && is_one_of(mask_it->second.type, {data_mask, alarm_mask});
        error = uint8_t((mask_ok ? 0 : 0x01) | (soft_keys == none || (keys && keys->type == soft_key_mask) ? 0 : 0x02));
        if (!error)
            mask_it->second.soft_key_mask = soft_keys;
        say("soft key mask of %u = %u, error %02X", mask, soft_keys, error);
        put16(m, mask);
        put16(m, soft_keys);
        m.push_back(error);
        break;
    }
    case 175: { // Change Attribute
        const uint8_t aid = d[3];
        const uint32_t value = u32(d + 4);
        const Number_aid* number = number_aid(type, aid);
        const bool known = (type == rectangle && aid == 5) || number;
        error = !o ? 0x01 : known ? 0 : 0x02;
        if (!error && number)
            error = set_number_attribute(*o, number->what, value);
        if (!error)
            attributes_[{id, aid}] = value;
        say("attribute %u of %u = %u, error %02X", aid, id, value, error);
        put16(m, id);
        m.push_back(aid);
        m.push_back(error);
        break;
    }
    case 177: { // Change List Item
        const uint8_t index = d[3];
        const uint16_t item = u16(d + 4);
        error = (!o || type != input_list) ? 0x01 : index >= o->children.size() ? 0x02 : 0;
        if (!error && item != none && !find(item))
            error = 0x04;
        if (!error)
            o->children[index].id = item;
        say("list item %u of %u = %u, error %02X", index, id, item, error);
        put16(m, id);
        m.push_back(index);
        put16(m, item);
        m.push_back(error);
        break;
    }
    case 179: { // Change String Value
        const size_t count = u16(d + 3);
        error = !o || !is_one_of(type, {input_string, output_string, string_variable}) ? 0x02
                : count > size_t(length - 5) || count > o->text.size()                  ? 0x04
                                                                                       : 0;
        std::string text;
        if (!error) {
            text.assign(reinterpret_cast<const char*>(d + 5), count);
            o->text = text + std::string(o->text.size() - count, ' ');
        }
        say("string %u = \"%s\", error %02X", id, text.c_str(), error);
        m.insert(m.end(), {0xFF, 0xFF});
        put16(m, id);
        m.push_back(error);
        break;
    }
    default: say("message %u from %u", d[0], source); return;
    }
    send(source, m);
}

bool Fake_vt_server::run_script_line(const std::string& line)
{
    std::istringstream in(line);
    std::string word;
    in >> word;
    if (word == "silent") {
        silent_ = true;
        say("silent from now on");
        return true;
    }
    if (word == "refuse-pool") {
        refuse_pool_ = true;
        say("refusing pools from now on");
        return true;
    }
    if (word == "units") {
        static const std::map<std::string, uint8_t> systems = {{"metric", 0}, {"imperial", 1}, {"us", 2}};
        std::string name;
        in >> name;
        const auto system = systems.find(name);
        if (system == systems.end()) {
            say("unknown script line \"%s\"", line.c_str());
            return false;
        }
        {
            std::lock_guard<std::recursive_mutex> lock(mutex_);
            units_ = system->second;
        }
        say("sending %s", line.c_str());
        send_language(0xFF);
        return true;
    }
    unsigned long id = 0;
    if (word == "shown") {
        const std::string text = in >> id && id <= 0xFFFF ? shown_number(uint16_t(id)) : "";
        if (text.empty()) {
            say("no number object in \"%s\"", line.c_str());
            return false;
        }
        say("number %lu shows %s", id, text.c_str());
        return true;
    }
    static const std::map<std::string, uint8_t> key_codes = {{"release", 0}, {"press", 1}, {"hold", 2}, {"abort", 3}};
    const auto key_code = key_codes.find(word);
    if (!(in >> id) || id > 0xFFFF || (key_code == key_codes.end() && word != "number" && word != "string")) {
        say("unknown script line \"%s\"", line.c_str());
        return false;
    }
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    const Iop_check::Object* o = find(uint16_t(id));
    std::vector<uint8_t> m;
    if (key_code != key_codes.end()) {
        // A key reports the mask shown as its parent; a button, the mask holding it.
        const uint8_t function = o && o->type == button ? 1 : 0;
        m = {function, key_code->second};
        put16(m, uint16_t(id));
        put16(m, active_mask_);
        m.push_back(0);
    } else if (word == "number") {
        unsigned long value = 0;
        in >> value;
        // The VT takes an entry within the number's range only, and keeps it.
        Iop_check::Object* entered = o && o->type == input_number ? &objects_[uint16_t(id)] : nullptr;
        if (entered && (value < entered->min_value || value > entered->max_value)) {
            say("refused number %lu for %lu: outside %u..%u", value, id, entered->min_value, entered->max_value);
            return true;
        }
        if (entered) {
            auto variable = objects_.find(entered->variable);
            (variable != objects_.end() ? variable->second : *entered).value = uint32_t(value);
        }
        m = {5};
        put16(m, uint16_t(id));
        m.push_back(0xFF);
        put32(m, uint32_t(value));
    } else {
        std::string text;
        std::getline(in >> std::ws, text);
        m = {8};
        put16(m, uint16_t(id));
        m.push_back(uint8_t(std::min<size_t>(text.size(), 255)));
        m.insert(m.end(), text.begin(), text.begin() + long(std::min<size_t>(text.size(), 255)));
    }
    say("sending %s", line.c_str());
    send(active_working_set_, m);
    return true;
}
