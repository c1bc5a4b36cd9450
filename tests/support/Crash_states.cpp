#include "tests/support/Crash_states.h"
#include "platform/io/File_util.h"

#include <climits>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {
Crash_states* recording = nullptr;

std::string path_of(int fd)
{
    char path[PATH_MAX] = {};
    const ssize_t n = readlink(("/proc/self/fd/" + std::to_string(fd)).c_str(), path, sizeof path - 1);
    return std::string(path, size_t(n > 0 ? n : 0));
}
}

Crash_states::Crash_states(std::string folder)
    : folder_((fs::create_directories(folder), fs::canonical(folder).string()))
{
    durable_ = read(folder_);
    states_.insert(durable_);
    recording = this;
    File_util::set_sync_function(&on_sync);
}

Crash_states::~Crash_states()
{
    File_util::set_sync_function(nullptr);
    recording = nullptr;
}

int Crash_states::on_sync(int fd)
{
    if (recording)
        recording->seen(path_of(fd));
    return ::fsync(fd);
}

void Crash_states::seen(const std::string& path)
{
    for (const Folder& state : possible())
        states_.insert(state);
    const Folder current = read(folder_);
    if (path == folder_) {
        std::vector<std::string> changes;
        for (const auto& [name, bytes] : durable_)
            if (!current.count(name))
                changes.push_back("-" + name);
        for (const auto& [name, bytes] : current) {
            auto was = durable_.find(name);
            if (was == durable_.end() || was->second != bytes)
                changes.push_back("+" + name);
        }
        folder_syncs_.push_back(changes);
        durable_ = current;
        return;
    }
    const fs::path file(path);
    auto durable = durable_.find(file.filename().string());
    if (file.parent_path() == folder_ && durable != durable_.end() && current.count(durable->first))
        durable->second = current.at(durable->first);
}

std::vector<Crash_states::Folder> Crash_states::possible() const
{
    const Folder current = read(folder_);
    std::vector<std::string> changed;
    for (const auto& [name, bytes] : durable_)
        if (!current.count(name) || current.at(name) != bytes)
            changed.push_back(name);
    for (const auto& [name, bytes] : current)
        if (!durable_.count(name))
            changed.push_back(name);
    std::vector<Folder> out;
    for (unsigned long pick = 0; pick < (1ul << changed.size()); ++pick) {
        Folder state = durable_;
        for (size_t i = 0; i < changed.size(); ++i) {
            if (!(pick >> i & 1))
                continue;
            auto now = current.find(changed[i]);
            if (now == current.end())
                state.erase(changed[i]);
            else
                state[changed[i]] = now->second;
        }
        out.push_back(state);
    }
    return out;
}

std::vector<Crash_states::Folder> Crash_states::all()
{
    for (const Folder& state : possible())
        states_.insert(state);
    return {states_.begin(), states_.end()};
}

std::vector<Crash_states::Folder> Crash_states::now()
{
    return possible();
}

Crash_states::Folder Crash_states::read(const std::string& folder)
{
    Folder out;
    std::error_code ignored;
    for (const auto& entry : fs::directory_iterator(folder, ignored)) {
        const std::string name = entry.path().filename().string();
        if (!entry.is_regular_file() || name.find(".new.") != std::string::npos)
            continue;
        std::ifstream in(entry.path(), std::ios::binary);
        out[name] = std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    return out;
}

void Crash_states::write(const std::string& folder, const Folder& state)
{
    fs::remove_all(folder);
    fs::create_directories(folder);
    for (const auto& [name, bytes] : state) {
        std::ofstream out(fs::path(folder) / name, std::ios::binary);
        out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    }
}
