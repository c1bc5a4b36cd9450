#pragma once

class Data_store;
namespace NV_quvel {
class application_t;
}

// The fan tests on fans 0 and 1, from one reading of their speed and air
// pressure. A fan's speed tests count only when it senses rpm, its pressure
// tests only when it senses pressure. Fan 1 used as a pump (with the non-VT
// display) always passes its speed tests. Each fan is held against its own
// threshold of the per-fan settings.
class Fan_tests {
public:
    Fan_tests(Data_store& store, const NV_quvel::application_t& app);

    // The fans run: with start, at fan_speed_to_start (the preload asks
    // this before it starts the drives); else at the fan_speed_low
    // threshold. True when no fan senses rpm.
    bool running(bool start) const;
    // Below 1000 rpm; false when no fan senses rpm.
    bool stopped() const;
    bool speed_high() const;
    bool speed_low() const;
    bool pressure_high() const;
    bool pressure_low() const;
    // Above the low-pressure threshold on every fan that senses pressure;
    // false when none does.
    bool pressure_present() const;
    // Below half the low-pressure threshold; never when fan 0 senses no pressure.
    bool pressure_lost() const;

private:
    const NV_quvel::application_t& app_;
    float rpm_[2];
    float pressure_[2];
    bool sense_rpm_[2];
    bool sense_pressure_[2];
    bool fan1_pump_;
};
