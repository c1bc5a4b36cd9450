#pragma once
#include "data_store/Data_store.h"
#include "params/parameters_t.h"
#include "platform/rtos/module_man.h"
#include "platform/rtos/waiter_descriptor.h"
#include "vt_pool/Seeder_pool_ids.h"

#include <atomic>

// The program's process-wide objects, built before main in this order and
// never destroyed: exit() ends the program while other threads may still
// use them, so destroying them at exit could pull them from under those
// threads, and nothing depends on their destructors.
extern module_man& process_module_man;
// The persistent parameter tree "PS".
extern NV_quvel::parameters_t& parameters;
// The object IDs of the VT pool built in code: every one 65535 (none)
// until start-up builds the pool, read by the screens afterwards.
Seeder_pool_ids& get_seeder_pool_ids();
// The waiter of the start-up and main-loop thread.
extern waiter_descriptor& main_waiter;
// The live data store, with its lookup tree registered in its head.
extern Data_store& data_store;

// Set by the stop-signal handler, read by the main loop.
extern std::atomic<bool> stop_requested;
