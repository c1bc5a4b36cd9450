#include "platform/rtos/module_man.h"
#include "platform/rtos/Diner.h"

#include <atomic>
#include <deque>

namespace {
std::atomic<module_man*> process_manager{nullptr};
}

struct module_man::Registry {
    std::mutex mutex;
    std::vector<std::string> names; // by id - 1
    std::vector<bool> in_use;
    std::deque<int> free; // freed ids, the oldest first

    int add(const char* name)
    {
        std::lock_guard<std::mutex> lock(mutex);
        int id;
        if (int(names.size()) < max_modules) {
            names.emplace_back();
            in_use.push_back(false);
            id = int(names.size());
        } else if (!free.empty()) {
            id = free.front();
            free.pop_front();
        } else {
            return -1;
        }
        names[size_t(id - 1)] = name ? name : "";
        in_use[size_t(id - 1)] = true;
        return id;
    }

    void release(int id)
    {
        std::lock_guard<std::mutex> lock(mutex);
        names[size_t(id - 1)].clear();
        in_use[size_t(id - 1)] = false;
        free.push_back(id);
    }

    std::string name(int id)
    {
        std::lock_guard<std::mutex> lock(mutex);
        if (id < 1 || id > int(names.size()))
            return "";
        return names[size_t(id - 1)];
    }
};

module_man::module_man() : registry_(std::make_shared<Registry>()), group_(false)
{
    module_man* none = nullptr;
    process_manager.compare_exchange_strong(none, this);
}

module_man::module_man(module_man& registry) : registry_(registry.registry_), group_(true) {}

module_man::~module_man()
{
    for (int id : ids_)
        registry_->release(id);
    module_man* self = this;
    process_manager.compare_exchange_strong(self, nullptr);
}

int module_man::register_module(const char* name)
{
    int id = registry_->add(name);
    if (group_ && id > 0) {
        std::lock_guard<std::mutex> lock(mutex_);
        ids_.push_back(id);
    }
    return id;
}

bool module_man::init_module(uint16_t* id, bool)
{
    const int registered = register_module(nullptr);
    if (registered < 0 || !id)
        return false;
    *id = uint16_t(registered);
    return true;
}

std::string module_man::get_module_name(int id) const
{
    return registry_->name(id);
}

module_man* Diner_info_list::get()
{
    if (module_man* m = process_manager.load())
        return m;
    static module_man fallback;
    return &fallback;
}
