#pragma once
#include "control_logic/State_queries.h"
#include "platform/rtos/Diner.h"
#include "platform/rtos/Diner_protection.h"
#include "platform/rtos/Timeout.h"

#include <cstdint>

class Data_store;
namespace NV_quvel {
class parameters_t;
}

// The demonstration simulator "CLIF", in place of the control task when no
// serial port is given: it fills the data store once with a plausible
// machine and then, every second, moves a few values so that the screens,
// the Task Controller and the remote data store show a working seeder. It
// computes no control: it only writes store items (locked writes with change
// events, only for values that change) and a few parameters.
class Seed_simulator : public Diner_protection<Diner> {
public:
    static constexpr int tick_ms = 1000;
    // Channels 0 to 3 take turns, one a second.
    static constexpr int demo_channels = 4;

    Seed_simulator(Data_store& store, NV_quvel::parameters_t& parameters);
    ~Seed_simulator() override;

    // Sets the task up (set_up) and starts it.
    bool init(module_man* manager);
    // Everything init does but starting the task, whose timer a test then
    // runs with run_pending: names the task, makes the initial fill and arms
    // the one-second tick.
    bool set_up(module_man* manager);

    uint32_t get_ticks() const { return ticks_; }

protected:
    void handle_timeout(Timeout& timeout) override;

private:
    void fill();
    void fill_channel(int channel);
    void set_demonstration_parameters();
    void tick();
    void publish_section_states();
    void move_channel(int channel, uint32_t phase);
    void move_fans(uint32_t phase);
    void count_pulses(uint32_t phase);
    void step_calibration();
    void add_totals();

    template <class T>
    T get(const T& item);
    template <class T>
    void put(T& item, const T& value);

    Data_store& store_;
    NV_quvel::parameters_t& parameters_;
    State_queries queries_;
    Timeout tick_{true, tick_ms};
    uint32_t ticks_ = 0;
};
