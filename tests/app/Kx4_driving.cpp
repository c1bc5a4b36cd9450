#include "tests/app/Kx4_driving.h"
#include "platform/can/Bus_select.h"
#include "tests/app/App_fixture.h"

#include <chrono>
#include <cmath>
#include <cstdlib>

bool wait_for_answer(Spawned_process& kx4, const std::string& request, const std::string& text, int timeout_ms)
{
    const std::string item = request.substr(request.rfind('.') + 1) + " = ";
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeout_ms);
    while (std::chrono::steady_clock::now() < deadline) {
        if (!kx4.write_input(request + "\n"))
            return false;
        std::string line;
        while (kx4.read_line(line, timeout_ms)) {
            if (line.find(text) != std::string::npos)
                return true;
            if (line.find(item) != std::string::npos)
                break; // another value: ask again
        }
    }
    return false;
}

double value_of(Spawned_process& kx4, const std::string& request, int timeout_ms)
{
    const std::string item = request.substr(request.rfind('.') + 1) + " = ";
    if (!kx4.write_input(request + "\n"))
        return std::nan("");
    std::string line;
    while (kx4.read_line(line, timeout_ms)) {
        const size_t at = line.find(item);
        if (at != std::string::npos)
            return std::strtod(line.c_str() + at + item.size(), nullptr);
    }
    return std::nan("");
}

bool wait_for_value(Spawned_process& kx4, const std::string& request, const std::function<bool(double)>& holds,
                    double* last, int timeout_ms)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeout_ms);
    while (std::chrono::steady_clock::now() < deadline) {
        const double value = value_of(kx4, request, timeout_ms);
        if (last)
            *last = value;
        if (std::isnan(value))
            return false;
        if (holds(value))
            return true;
    }
    return false;
}

bool wait_for_count(Spawned_process& process, const std::string& part, size_t n, int timeout_ms)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeout_ms);
    std::string line;
    while (count_of(process.output(), part) < n)
        if (std::chrono::steady_clock::now() >= deadline || !process.read_line(line, timeout_ms))
            return false;
    return true;
}

std::string wait_for_line(Spawned_process& process, std::initializer_list<std::string> parts, int timeout_ms)
{
    // A process that keeps talking must not keep the wait going for ever.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeout_ms);
    std::string line;
    while (std::chrono::steady_clock::now() < deadline && process.read_line(line, timeout_ms)) {
        bool all = true;
        for (const std::string& part : parts)
            all = all && line.find(part) != std::string::npos;
        if (all)
            return line;
    }
    return {};
}

Can_frame wheel_speed(uint16_t raw)
{
    return Can_frame{0x0CFE4880, true, 8, {uint8_t(raw), uint8_t(raw >> 8), 0, 0, 0, 0, 0, 0}};
}

Tractor::Tractor(const std::string& bus, uint16_t speed_mm_s) : bus_(Bus_select::start(bus.c_str(), nullptr))
{
    if (!bus_)
        return;
    thread_ = std::thread([this, speed_mm_s] {
        while (!stop_) {
            bus_->send(wheel_speed(speed_mm_s));
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        }
    });
}

Tractor::~Tractor()
{
    stop_ = true;
    if (thread_.joinable())
        thread_.join();
}
