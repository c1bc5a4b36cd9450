#pragma once
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

// The process's registry of modules: every task and data service gets a
// module id, which its events carry so receivers can tell senders apart.
//
// A manager made from another is a group of modules in the same registry:
// the ids it registers go back to the registry when the group is destroyed.
// A task registers its modules through a group of its own, so that they go
// with the task. A freed id is given again only when no fresh one is left,
// the one freed longest ago first, so that events still queued from its old
// module are long handled; a live module's id never is.
class module_man {
public:
    static constexpr int max_modules = 250;

    // The first manager made becomes the process's manager (Diner_info_list::get).
    module_man();
    explicit module_man(module_man& registry); // a group
    ~module_man();
    module_man(const module_man&) = delete;
    module_man& operator=(const module_man&) = delete;

    // Returns the new module's id (1 and up), or -1 when the registry is full.
    int register_module(const char* name);
    // Registers an unnamed module and gives its id; false, id unchanged, when
    // the registry is full. The flag is accepted for the callers' sake only.
    bool init_module(uint16_t* id, bool flag);
    // The registered name, or "" for an id not in use.
    std::string get_module_name(int id) const;

private:
    struct Registry;
    // Shared with the groups, which may outlive the manager that made it.
    std::shared_ptr<Registry> registry_;
    const bool group_;
    std::mutex mutex_;
    std::vector<int> ids_; // a group's
};
