#include "control_logic/Gpio_output.h"
#include "platform/rtos/Platform.h"

#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <unistd.h>

namespace {
std::string pin_path(int pin, const char* file)
{
    return Gpio_output::base_path() + "gpio" + std::to_string(pin) + "/" + file;
}

void say(const char* text)
{
    std::fprintf(stderr, "%s\n", text);
}

// name is the file's name in the messages ("export", "direction", ...).
int write_file(const std::string& path, const char* name, const std::string& text)
{
    const std::string file = std::string(name) + " file";
    int fd = ::open(path.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC);
    if (fd < 0) {
        say(("Failed to open " + file + " for writing.").c_str());
        return -1;
    }
    // sysfs refuses a value in the write itself, so its result counts.
    bool written = ::write(fd, text.data(), text.size()) == ssize_t(text.size());
    if (!written)
        say(("Failed to write to " + file + ".").c_str());
    if (::close(fd) != 0) {
        say(("Failed to close " + file + ".").c_str());
        return -1;
    }
    return written ? 0 : -1;
}
}

std::string Gpio_output::base_path()
{
    return Platform::rooted("/sys/class/gpio/");
}

Gpio_output::Gpio_output()
{
    if (export_pin(termination_pin) != 0)
        status_ = export_failed;
    if (set_direction(termination_pin, true) != 0)
        status_ = direction_failed;
}

Gpio_output::~Gpio_output()
{
    unexport_pin(termination_pin);
}

void Gpio_output::set_termination(bool enabled)
{
    set_value(termination_pin, enabled ? 0 : 1);
}

int Gpio_output::export_pin(int pin)
{
    return write_file(base_path() + "export", "export", std::to_string(pin));
}

int Gpio_output::unexport_pin(int pin)
{
    return write_file(base_path() + "unexport", "unexport", std::to_string(pin));
}

int Gpio_output::set_direction(int pin, bool out)
{
    return write_file(pin_path(pin, "direction"), "direction", out ? "out" : "in");
}

int Gpio_output::set_value(int pin, int value)
{
    return write_file(pin_path(pin, "value"), "value", std::to_string(value));
}

int Gpio_output::get_value(int pin)
{
    int fd = ::open(pin_path(pin, "value").c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        say("Failed to open value file for reading.");
        return -1;
    }
    char text[16] = {};
    ssize_t n = ::read(fd, text, sizeof text - 1);
    char* end = text;
    long value = n > 0 ? std::strtol(text, &end, 10) : 0;
    bool read_ok = n > 0 && end != text;
    if (!read_ok)
        say("Failed to read from value file.");
    if (::close(fd) != 0) {
        say("Failed to close value file.");
        return -1;
    }
    return read_ok ? int(value) : -1;
}
