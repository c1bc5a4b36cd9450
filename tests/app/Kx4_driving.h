#pragma once
// Driving a running kx4 from a test: its test console and a speed on the ISOBUS.
#include "platform/can/Can_bus.h"
#include "platform/can/Can_frame.h"
#include "tests/support/Spawned_process.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <memory>
#include <string>
#include <thread>

// Asks the console for the item until an answer line holds the text (true),
// or the time is up or the console is gone (false). An answer of the same
// item with another value asks again.
bool wait_for_answer(Spawned_process& kx4, const std::string& request, const std::string& text,
                     int timeout_ms = 20000);

// Asks the console for the item once; its number, or NaN when no answer came.
double value_of(Spawned_process& kx4, const std::string& request, int timeout_ms = 20000);
// Asks until the number passes the test (true), or the time is up or the
// console is gone (false); the last number read in last, when given.
bool wait_for_value(Spawned_process& kx4, const std::string& request, const std::function<bool(double)>& holds,
                    double* last = nullptr, int timeout_ms = 20000);

// Reads the output until the part has appeared n times in all of it (true),
// or the time is up or the output ends (false).
bool wait_for_count(Spawned_process& process, const std::string& part, size_t n, int timeout_ms = 20000);
// Reads the lines not yet taken until one holds every part; that line, or
// empty when the time is up or the output ends first.
std::string wait_for_line(Spawned_process& process, std::initializer_list<std::string> parts,
                          int timeout_ms = 20000);

// PGN 65096 (wheel-based speed) to all, priority 3, from address 0x80; raw
// in mm/s, 0xFFFF meaning not available.
Can_frame wheel_speed(uint16_t raw);

// A tractor on the ISOBUS sending its wheel-based speed every 100 ms.
class Tractor {
public:
    Tractor(const std::string& bus, uint16_t speed_mm_s);
    ~Tractor();
    Tractor(const Tractor&) = delete;
    Tractor& operator=(const Tractor&) = delete;
    bool running() const { return thread_.joinable(); }

private:
    std::unique_ptr<Can_bus> bus_;
    std::atomic<bool> stop_{false};
    std::thread thread_;
};
