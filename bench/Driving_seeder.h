#pragma once
#include <string>
#include <vector>

// The console lines that make kx4 -T with --port drive channel 0 of the fake
// slave processors: a motor drive at the manual speed of 10 km/h, the master
// switch on, a rate of 100.
inline std::vector<std::string> driving_seeder_lines()
{
    return {"set params.app.speed_source=3",
            "set params.app.machine_width=6",
            "set params.app.channels.0.granular_controller_type=0",
            "set params.app.channels.0.motor_gear_ratio=10",
            "set params.app.channels.0.cal_setting=0.5",
            "set params.app.channels.0.enabled=1",
            "set data_store.system.vt_alive=1",
            "set data_store.system.vt_uploaded=1",
            "set data_store.operation.master_switch_active=1",
            "set data_store.channels.channels.0.active=1",
            "set data_store.channels.channels.0.requested_rate=100"};
}
