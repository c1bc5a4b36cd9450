#include "tests/support/Fake_file_server.h"
#include "platform/can/ZEV_smart_stack.h"

#include <algorithm>
#include <dirent.h>
#include <sys/stat.h>

namespace {
constexpr uint32_t pgn_request = 0xAA00, pgn_answer = 0xAB00;
constexpr uint8_t priority = 7;
constexpr uint32_t news_busy_changed = 1;

// Attribute bits of a directory entry.
constexpr uint8_t attr_read_only = 0x01, attr_volume = 0x08, attr_directory = 0x10;

// The standard's error codes that this server gives.
enum : uint8_t {
    ok = 0,
    access_denied = 1,
    invalid_access = 2,
    too_many_open = 3,
    not_found = 4,
    invalid_handle = 5,
    read_failure = 11,
    not_supported = 12,
    invalid_length = 42,
    end_of_file = 45,
};

uint16_t u16(const std::vector<uint8_t>& b, size_t at)
{
    return uint16_t(b[at] | b[at + 1] << 8);
}

uint32_t u32(const std::vector<uint8_t>& b, size_t at)
{
    return uint32_t(b[at]) | uint32_t(b[at + 1]) << 8 | uint32_t(b[at + 2]) << 16 | uint32_t(b[at + 3]) << 24;
}

void put16(std::vector<uint8_t>& b, uint16_t v)
{
    b.push_back(uint8_t(v));
    b.push_back(uint8_t(v >> 8));
}

void put32(std::vector<uint8_t>& b, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        b.push_back(uint8_t(v >> (8 * i)));
}

// An answer's head: the function, the TAN and the error code.
std::vector<uint8_t> head_of(const std::vector<uint8_t>& request, uint8_t error)
{
    return {request[0], request[1], error};
}

std::vector<uint8_t> short_answer(const std::vector<uint8_t>& request, uint8_t error)
{
    return head_of(request, error);
}
}

Fake_file_server::Fake_file_server(ZEV_smart_stack& stack, const Settings& settings, Printer printer)
    : stack_(stack), settings_(settings), printer_(std::move(printer)), name_(make_name(settings.manufacturer))
{
    busy_ = settings.busy;
}

Fake_file_server::~Fake_file_server()
{
    terminate(1, 1000);
    stack_.deregister_pgn(pgn_request, &get_waiter(), 0);
    for (auto& h : handles_)
        if (h.second.file)
            std::fclose(h.second.file);
}

ZEV_name::NAME Fake_file_server::make_name(uint16_t manufacturer)
{
    ZEV_name::NAME name;
    name.set(ZEV_name::Field::self_configurable, 1);
    name.set(ZEV_name::Field::industry_group, 2);
    name.set(ZEV_name::Field::function, 61);
    name.set(ZEV_name::Field::manufacturer_code, manufacturer);
    name.set(ZEV_name::Field::identity_number, 4242);
    return ZEV_name::NAME(name, ~uint64_t(0));
}

bool Fake_file_server::init(module_man* manager, uint8_t address)
{
    if (!Diner::init(manager, nullptr, "FAKEFS", 50, 6144, true, false))
        return false;
    if (stack_.register_pgn(pgn_request, &get_waiter(), nullptr, 0) != 0)
        return false;
    if (!stack_.get_name_manager().add_local_name(name_, address, &get_waiter()))
        return false;
    submit_timeout(status_timer_, busy_ ? busy_status_period_ms : status_period_ms);
    return true;
}

void Fake_file_server::set_busy(bool busy)
{
    busy_ = busy;
    get_waiter().post(waiter_event{get_module_id(), news_busy_changed, nullptr, nullptr});
}

void Fake_file_server::set_silent(bool silent)
{
    silent_ = silent;
}

void Fake_file_server::print(const std::string& line)
{
    if (printer_)
        printer_(line);
}

void Fake_file_server::handle_event(waiter_event& event)
{
    if (event.module == get_module_id() && event.code == news_busy_changed) {
        submit_timeout(status_timer_, busy_ ? busy_status_period_ms : status_period_ms);
        send_status();
        if (!busy_) {
            std::vector<std::pair<uint8_t, Bytes>> held;
            held.swap(held_);
            for (auto& r : held)
                request(r.first, r.second);
        }
        return;
    }
    if (event.module != stack_.get_receive_module() || event.code != pgn_request)
        return;
    std::vector<uint8_t> buffer(2000);
    ZEV_header header;
    int n;
    while ((n = stack_.read(pgn_request, header, buffer.data(), int(buffer.size()), &get_waiter(), 0)) >= 0)
        request(header.get_source(), Bytes(buffer.begin(), buffer.begin() + n));
}

void Fake_file_server::handle_timeout(Timeout& timeout)
{
    if (&timeout == &status_timer_)
        send_status();
}

void Fake_file_server::send_status()
{
    const uint8_t busy = busy_ ? 0x01 : 0x00;
    send(0xFF, {0x00, busy, uint8_t(handles_.size()), 0xFF, 0xFF, 0xFF, 0xFF, 0xFF});
}

void Fake_file_server::send(uint8_t destination, Bytes data)
{
    if (silent_)
        return;
    const uint8_t source = stack_.get_name_manager().gethostbyname(name_);
    if (source >= 254)
        return;
    if (data.size() < 8)
        data.resize(8, 0xFF);
    const ZEV_header header(source, destination, pgn_answer, priority, 0, uint32_t(data.size()));
    stack_.write(header, data.data(), int(data.size()), nullptr, 0);
}

void Fake_file_server::request(uint8_t source, const Bytes& data)
{
    if (silent_ || data.empty())
        return;
    Client& client = clients_[source];
    if (data[0] == 0x00) {
        if (!client.heard)
            print("client " + std::to_string(source) + " keeps a connection (version " +
                  std::to_string(data.size() > 1 ? data[1] : 0) + ")");
        client.heard = true;
        return;
    }
    if (busy_) {
        print("busy: request " + std::to_string(data[0]) + " from " + std::to_string(source) + " held");
        held_.push_back({source, data});
        return;
    }
    if (data[0] != 0x01 && data.size() >= 2 && client.last_tan == data[1] && client.last_function == data[0]) {
        print("repeated TAN " + std::to_string(data[1]) + ": answer sent again");
        send(source, client.last_answer);
        return;
    }
    Bytes out = answer(source, client, data);
    if (out.empty() || silent_)
        return;
    if (data[0] != 0x01) {
        client.last_tan = data[1];
        client.last_function = data[0];
        client.last_answer = out;
    }
    send(source, out);
}

Fake_file_server::Bytes Fake_file_server::answer(uint8_t source, Client& client, const Bytes& data)
{
    if (data[0] == 0x01) {
        print("properties to " + std::to_string(source));
        return {0x01, 3, 16, 0x01, 0xFF, 0xFF, 0xFF, 0xFF};
    }
    if (data.size() < 3) {
        print("request " + std::to_string(data[0]) + " too short");
        return data.size() < 2 ? Bytes() : short_answer(data, invalid_length);
    }
    switch (data[0]) {
    case 0x11:
        return change_directory(client, data);
    case 0x20:
        return open(source, client, data);
    case 0x21:
        return seek(data);
    case 0x22:
        return read(data);
    case 0x24:
        return close(data);
    default:
        print("function " + std::to_string(data[0]) + " not supported");
        return short_answer(data, not_supported);
    }
}

bool Fake_file_server::path_of(const Bytes& data, size_t at, std::string& path) const
{
    if (data.size() < at + 2)
        return false;
    const size_t length = u16(data, at);
    if (data.size() < at + 2 + length)
        return false;
    path.assign(data.begin() + long(at + 2), data.begin() + long(at + 2 + length));
    return true;
}

Fake_file_server::Bytes Fake_file_server::change_directory(Client& client, const Bytes& data)
{
    std::string path;
    if (!path_of(data, 2, path)) {
        print("change directory: bad length");
        return short_answer(data, invalid_length);
    }
    std::vector<std::string> target;
    if (!resolve(client, path, target) || !is_directory(target)) {
        print("change directory " + path + ": not found");
        return short_answer(data, not_found);
    }
    client.directory = target;
    print("change directory " + path + ": now " + text_of(target));
    return short_answer(data, ok);
}

Fake_file_server::Bytes Fake_file_server::open(uint8_t source, Client& client, const Bytes& data)
{
    std::string path;
    if (data.size() < 3 || !path_of(data, 3, path)) {
        print("open: bad length");
        return short_answer(data, invalid_length);
    }
    const uint8_t access = data[2] & 0x03;
    std::vector<std::string> target;
    Open o;
    o.client = source;
    if (access == 3) {
        if (!resolve(client, path, target) || !is_directory(target)) {
            print("open directory " + path + ": not found");
            return short_answer(data, not_found);
        }
        o.directory = true;
        o.entries = list(target);
    } else if (access != 0) {
        print("open " + path + " for writing: access denied");
        return short_answer(data, access_denied);
    } else {
        if (settings_.open_error) {
            print("open " + path + ": error " + std::to_string(settings_.open_error) + " (as set)");
            return short_answer(data, settings_.open_error);
        }
        struct stat st {};
        if (!resolve(client, path, target) || target.size() < 2 || stat(real_path(target).c_str(), &st) != 0 ||
            !S_ISREG(st.st_mode)) {
            print("open " + path + ": not found");
            return short_answer(data, not_found);
        }
        o.file = std::fopen(real_path(target).c_str(), "rb");
        if (!o.file) {
            print("open " + path + ": cannot be read");
            return short_answer(data, access_denied);
        }
        o.size = uint32_t(st.st_size);
    }
    uint8_t handle = 1;
    while (handles_.count(handle) && handle < 32)
        ++handle;
    if (handles_.count(handle)) {
        if (o.file)
            std::fclose(o.file);
        print("open " + path + ": too many open");
        return short_answer(data, too_many_open);
    }
    handles_[handle] = std::move(o);
    print("open " + std::string(access == 3 ? "directory " : "") + path + ": handle " + std::to_string(handle));
    Bytes out = head_of(data, ok);
    out.push_back(handle);
    out.push_back(access == 3 ? attr_directory : attr_read_only);
    return out;
}

Fake_file_server::Bytes Fake_file_server::seek(const Bytes& data)
{
    if (data.size() < 8) {
        print("seek: bad length");
        return short_answer(data, invalid_length);
    }
    auto it = handles_.find(data[2]);
    if (it == handles_.end()) {
        print("seek: invalid handle " + std::to_string(data[2]));
        return short_answer(data, invalid_handle);
    }
    Open& o = it->second;
    const int64_t end = o.directory ? int64_t(o.entries.size()) : int64_t(o.size) - settings_.understate_size;
    const int64_t base = data[3] == 0 ? 0 : data[3] == 1 ? int64_t(o.position) : end;
    const int64_t position = base + int32_t(u32(data, 4));
    if (data[3] > 2 || position < 0 || position > end) {
        print("seek " + std::to_string(data[2]) + ": invalid");
        return short_answer(data, invalid_access);
    }
    o.position = uint32_t(position);
    print("seek " + std::to_string(data[2]) + ": at " + std::to_string(position));
    Bytes out = head_of(data, ok);
    out.push_back(0xFF);
    put32(out, o.position);
    return out;
}

Fake_file_server::Bytes Fake_file_server::read(const Bytes& data)
{
    if (data.size() < 5) {
        print("read: bad length");
        return short_answer(data, invalid_length);
    }
    auto it = handles_.find(data[2]);
    if (it == handles_.end()) {
        print("read: invalid handle " + std::to_string(data[2]));
        return short_answer(data, invalid_handle);
    }
    const uint16_t count = u16(data, 3);
    Bytes out = head_of(data, ok);
    return it->second.directory ? read_directory(it->second, count, out) : read_file(it->second, count, out);
}

Fake_file_server::Bytes Fake_file_server::read_file(Open& o, uint16_t count, const Bytes& head)
{
    const std::string at = " at " + std::to_string(o.position);
    if (o.position >= o.size) {
        print("read " + std::to_string(count) + at + ": end of file");
        Bytes out = head;
        out[2] = end_of_file;
        put16(out, 0);
        return out;
    }
    uint32_t n = std::min<uint32_t>(count, o.size - o.position);
    const int64_t first = o.position, past = int64_t(o.position) + n;
    if (settings_.error_at >= first && settings_.error_at < past) {
        print("read " + std::to_string(count) + at + ": error 11 (as set)");
        Bytes out = head;
        out[2] = read_failure;
        put16(out, 0);
        return out;
    }
    if (settings_.silent_at >= first && settings_.silent_at < past) {
        print("read " + std::to_string(count) + at + ": falls silent (as set)");
        silent_ = true;
        return {};
    }
    Bytes out = head;
    const uint32_t sent = settings_.long_reads ? uint32_t(count) + 1 : n;
    put16(out, uint16_t(sent));
    const size_t start = out.size();
    out.resize(start + sent, 0);
    std::fseek(o.file, long(o.position), SEEK_SET);
    if (std::fread(out.data() + start, 1, n, o.file) != n) {
        print("read" + at + ": the file cannot be read");
        Bytes failed = head;
        failed[2] = read_failure;
        put16(failed, 0);
        return failed;
    }
    o.position += n;
    print("read " + std::to_string(count) + at + ": " + std::to_string(sent) + " bytes");
    return out;
}

Fake_file_server::Bytes Fake_file_server::read_directory(Open& o, uint16_t count, const Bytes& head)
{
    if (o.position >= o.entries.size()) {
        print("read directory: end");
        Bytes out = head;
        out[2] = end_of_file;
        put16(out, 0);
        return out;
    }
    Bytes out = head;
    const size_t n = std::min<size_t>(count, o.entries.size() - o.position);
    put16(out, uint16_t(n));
    for (size_t i = 0; i < n; ++i) {
        const Entry& e = o.entries[o.position + i];
        const size_t length = std::min<size_t>(e.name.size(), 255);
        out.push_back(settings_.overrun_entry && i == 0 ? uint8_t(200) : uint8_t(length));
        out.insert(out.end(), e.name.begin(), e.name.begin() + long(length));
        out.push_back(e.attributes);
        put16(out, uint16_t((2024 - 1980) << 9 | 1 << 5 | 1)); // 1 January 2024
        put16(out, 0);
        put32(out, e.size);
    }
    o.position += uint32_t(n);
    print("read directory: " + std::to_string(n) + " entries");
    return out;
}

Fake_file_server::Bytes Fake_file_server::close(const Bytes& data)
{
    auto it = handles_.find(data[2]);
    if (it == handles_.end()) {
        print("close: invalid handle " + std::to_string(data[2]));
        return short_answer(data, invalid_handle);
    }
    if (it->second.file)
        std::fclose(it->second.file);
    handles_.erase(it);
    print("close " + std::to_string(data[2]));
    return short_answer(data, ok);
}

bool Fake_file_server::resolve(const Client& client, const std::string& path, std::vector<std::string>& out) const
{
    std::string rest = path;
    if (rest.rfind("\\\\", 0) == 0) {
        out.clear();
        rest.erase(0, 2);
    } else if (rest.rfind("\\", 0) == 0) {
        out.assign(client.directory.begin(), client.directory.begin() + (client.directory.empty() ? 0 : 1));
        rest.erase(0, 1);
    } else {
        out = client.directory;
    }
    size_t start = 0;
    while (start <= rest.size()) {
        size_t end = rest.find('\\', start);
        if (end == std::string::npos)
            end = rest.size();
        const std::string part = rest.substr(start, end - start);
        start = end + 1;
        if (part.empty() || part == ".")
            continue;
        if (part == "..") {
            if (out.empty())
                return false;
            out.pop_back();
            continue;
        }
        if (part.find('/') != std::string::npos || part.find('\0') != std::string::npos)
            return false;
        out.push_back(part);
    }
    return true;
}

std::string Fake_file_server::real_path(const std::vector<std::string>& components) const
{
    std::string path = settings_.folder;
    for (const std::string& c : components)
        path += "/" + c;
    return path;
}

bool Fake_file_server::is_directory(const std::vector<std::string>& components) const
{
    struct stat st {};
    return stat(real_path(components).c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

std::vector<Fake_file_server::Entry> Fake_file_server::list(const std::vector<std::string>& components) const
{
    std::vector<Entry> entries;
    const bool root = components.empty();
    if (root && settings_.empty_root)
        return entries;
    DIR* dir = opendir(real_path(components).c_str());
    if (!dir)
        return entries;
    while (dirent* d = readdir(dir)) {
        const std::string name = d->d_name;
        if (name == "." || name == "..")
            continue;
        std::vector<std::string> child = components;
        child.push_back(name);
        struct stat st {};
        if (stat(real_path(child).c_str(), &st) != 0)
            continue;
        const bool folder = S_ISDIR(st.st_mode);
        if (root && !folder)
            continue; // the root holds the volumes only
        Entry e;
        e.name = name;
        e.attributes = folder ? uint8_t(attr_directory | (root ? attr_volume : 0)) : attr_read_only;
        e.size = folder ? 0 : uint32_t(st.st_size);
        entries.push_back(e);
    }
    closedir(dir);
    std::sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) { return a.name < b.name; });
    if (root)
        for (const std::string& name : settings_.extra_volumes)
            entries.push_back(Entry{name, uint8_t(attr_directory | attr_volume), 0});
    return entries;
}

std::string Fake_file_server::text_of(const std::vector<std::string>& components)
{
    std::string text = "\\\\";
    for (size_t i = 0; i < components.size(); ++i)
        text += (i ? "\\" : "") + components[i];
    return text;
}
