#include "platform/rtos/module_man.h"
#include "platform/rtos/Diner.h"

#include <atomic>

namespace {
std::atomic<module_man*> process_manager{nullptr};
}

module_man::module_man()
{
    module_man* none = nullptr;
    process_manager.compare_exchange_strong(none, this);
}

module_man::~module_man()
{
    module_man* self = this;
    process_manager.compare_exchange_strong(self, nullptr);
}

int module_man::register_module(const char* name)
{
    std::lock_guard<std::mutex> lock(mutex_);
    if (int(names_.size()) >= max_modules)
        return -1;
    names_.emplace_back(name ? name : "");
    return int(names_.size());
}

std::string module_man::get_module_name(int id) const
{
    std::lock_guard<std::mutex> lock(mutex_);
    if (id < 1 || id > int(names_.size()))
        return "";
    return names_[size_t(id - 1)];
}

module_man* Diner_info_list::get()
{
    if (module_man* m = process_manager.load())
        return m;
    static module_man fallback;
    return &fallback;
}
