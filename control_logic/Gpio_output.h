#pragma once
#include <string>

// The output that switches the board's RS-485 termination: pin 53 through
// the sysfs GPIO files, active low. Failures are printed on the error stream
// and the caller goes on.
class Gpio_output {
public:
    static constexpr int termination_pin = 53;
    enum Status { ready = 0, export_failed = 1, direction_failed = 3 };

    // Exports the pin and makes it an output; both are tried.
    Gpio_output();
    ~Gpio_output(); // unexports the pin
    Gpio_output(const Gpio_output&) = delete;
    Gpio_output& operator=(const Gpio_output&) = delete;

    void set_termination(bool enabled);
    int get_status() const { return status_; }

    // The sysfs GPIO folder, under KX4_ROOT when that is set.
    static std::string base_path();
    // Each opens its file, writes or reads one value and closes it: 0 (or the
    // value read) on success, -1 on failure.
    static int export_pin(int pin);
    static int unexport_pin(int pin);
    static int set_direction(int pin, bool out);
    static int set_value(int pin, int value);
    static int get_value(int pin);

private:
    int status_ = ready;
};
