#pragma once
#include <mutex>
#include <string>
#include <vector>

// The process's registry of modules: every task and data service gets a
// module id, which its events carry so receivers can tell senders apart.
class module_man {
public:
    static constexpr int max_modules = 250;

    // The first manager made becomes the process's manager (Diner_info_list::get).
    module_man();
    ~module_man();
    module_man(const module_man&) = delete;
    module_man& operator=(const module_man&) = delete;

    // Returns the new module's id (1 and up), or -1 when the registry is full.
    int register_module(const char* name);
    // The registered name, or "" for an unknown id.
    std::string get_module_name(int id) const;

private:
    mutable std::mutex mutex_;
    std::vector<std::string> names_;
};
