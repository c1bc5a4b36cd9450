#include "app/seeder_globals.h"
#include "app/System_info.h"

// Built in the order of definition, all in this one file; each is a leaked
// heap object behind a reference, so no destructor runs at exit.
module_man& process_module_man = *new module_man;
NV_quvel::parameters_t& parameters = *new NV_quvel::parameters_t(&process_module_man, 0, "PS");
static Seeder_pool_ids& seeder_pool_ids = *new Seeder_pool_ids;
waiter_descriptor& main_waiter = *new waiter_descriptor;
Data_store& data_store = *new Data_store(&process_module_man, System_info::get_version());

std::atomic<bool> stop_requested{false};
static_assert(std::atomic<bool>::is_always_lock_free, "the stop-signal handler sets it");

Seeder_pool_ids& get_seeder_pool_ids()
{
    return seeder_pool_ids;
}
