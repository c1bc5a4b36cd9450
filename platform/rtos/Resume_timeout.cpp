#include "platform/rtos/Resume_timeout.h"
#include "platform/rtos/Diner.h"

#include <algorithm>

void resume_timeout(Diner& task, Timeout& t)
{
    if (t.is_armed())
        return;
    // A repeating timeout's deadline moved on to its next instant as it fired.
    const Atime now = Atime::now();
    const int64_t period = std::max(t.get_period(), 1);
    Atime next = t.get_deadline();
    if (next < now)
        next += Rtime(((now - next).ms() + period - 1) / period * period);
    task.submit_timeout_at(t, next);
}
