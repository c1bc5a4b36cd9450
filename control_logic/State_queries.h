#pragma once
#include <array>
#include <cstdint>

class Data_store;
namespace NV_quvel {
class application_t;
}

// Small questions on the store and a parameter copy that the controller, the
// poll engine and the Task Controller share. Each store read takes the lock
// for that one item.
class State_queries {
public:
    State_queries(Data_store& store, const NV_quvel::application_t& app) : store_(store), app_(app) {}

    bool speed_present();
    bool sections_settled();
    bool master_allowed();
    bool user_interface_ready();
    bool calibrating();
    bool calibration_run();
    // The master is on: the switch, the master allowed and, with the tillage
    // switch in use outside a calibration, the tillage switch.
    bool run_condition();
    bool channel_running(int channel);
    bool remote_preload(int channel);
    bool any_remote_preload();
    bool boom_has_no_active_tank(int boom);
    bool vt_mode();
    // The work state of a section that the section logic acts on: its
    // setpoint work state, which the operator, a Task Controller or the
    // second display writes, in either display mode. Never the actual work
    // state, which the boom and section step writes from this answer. 0 for
    // a boom or section the store does not hold.
    uint32_t section_state(int boom, int section);
    static constexpr int sections_per_boom = 10;
    // The same for every section of a boom, read under one lock.
    std::array<uint32_t, sections_per_boom> section_states(int boom);
    void update_cultural_practise(int channel);
    bool is_drill_control_enabled();
    // The NAME of the first ECU found on the bus at the source address, or
    // -1 when none is listed there. A record with NAME 0 is an empty slot.
    int64_t isoecu_name(uint8_t address);

private:
    template <class T>
    T get(const T& item);

    Data_store& store_;
    const NV_quvel::application_t& app_;
};
