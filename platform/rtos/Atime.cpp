#include "platform/rtos/Atime.h"
#include "platform/rtos/Bugger.h"
#include "platform/rtos/waiter_descriptor.h"

#include <atomic>
#include <chrono>
#include <ctime>
#include <thread>

namespace {
std::atomic<bool> manual_active{false};
std::atomic<int64_t> manual_now{0};
}

Atime Atime::now()
{
    if (manual_active.load())
        return Atime(manual_now.load());
    using namespace std::chrono;
    return Atime(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

void Atime::delay(int ms)
{
    if (ms <= 0)
        return;
    if (manual_active.load()) {
        manual_now += ms;
        waiter_descriptor::wake_all();
        return;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

uint32_t Atime::ms_of_day()
{
    timespec ts{};
    clock_gettime(CLOCK_REALTIME, &ts);
    tm local{};
    localtime_r(&ts.tv_sec, &local);
    return uint32_t((local.tm_hour * 3600 + local.tm_min * 60 + local.tm_sec) * 1000 + ts.tv_nsec / 1000000);
}

Atime::Real_time Atime::real_timeb() const
{
    int64_t wall_ms = ms_;
    if (!manual_active.load()) {
        timespec ts{};
        clock_gettime(CLOCK_REALTIME, &ts);
        wall_ms = int64_t(ts.tv_sec) * 1000 + ts.tv_nsec / 1000000 - (now().ms() - ms_);
    }
    Real_time real;
    real.seconds = wall_ms / 1000;
    real.milliseconds = int(wall_ms % 1000);
    if (real.milliseconds < 0) {
        real.seconds -= 1;
        real.milliseconds += 1000;
    }
    return real;
}

Manual_clock::Manual_clock(int64_t start_ms)
{
    if (manual_active.load())
        Bugger::report_bug("Manual_clock: a manual clock is already installed");
    manual_now = start_ms;
    manual_active = true;
}

Manual_clock::~Manual_clock()
{
    manual_active = false;
    waiter_descriptor::wake_all();
}

void Manual_clock::advance(int64_t ms)
{
    manual_now += ms;
    waiter_descriptor::wake_all();
}

bool Manual_clock::active()
{
    return manual_active.load();
}
