#pragma once
class QMutex;

class MutexImp {
public:
    // Blocks until the mutex is taken; says so on the debug output while it
    // waits unusually long, so a dead lock does not pass silently.
    static void debug_lock(QMutex& mutex);
};
