#include "tests/app/Kx4_driving.h"

#include <chrono>
#include <cstdlib>
#include <thread>

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

bool wait_for_value(Spawned_process& kx4, const std::string& request, const std::function<bool(double)>& good,
                    double& value, int timeout_ms)
{
    const std::string item = request.substr(request.rfind('.') + 1) + " = ";
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeout_ms);
    while (std::chrono::steady_clock::now() < deadline) {
        if (!kx4.write_input(request + "\n"))
            return false;
        std::string line;
        while (kx4.read_line(line, timeout_ms)) {
            const size_t at = line.find(item);
            if (at == std::string::npos)
                continue;
            value = std::strtod(line.c_str() + at + item.size(), nullptr);
            if (good(value))
                return true;
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return false;
}

Can_frame wheel_speed(uint16_t raw)
{
    return Can_frame{0x0CFE4880, true, 8, {uint8_t(raw), uint8_t(raw >> 8), 0, 0, 0, 0, 0, 0}};
}
