#include "platform/rtos/Debug_filter.h"
#include "platform/rtos/Debug_base.h"

#include <cstdarg>
#include <cstdio>
#include <mutex>

namespace Debug_filter {
namespace {

std::mutex table_mutex;
uint8_t table[slots] = {};

int count_locked()
{
    int n = 0;
    while (n < slots && table[n] != 0)
        ++n;
    return n;
}

bool remove_locked(uint8_t id)
{
    int n = count_locked();
    bool removed = false;
    for (int i = 0; i < n;) {
        if (table[i] == id) {
            for (int j = i; j + 1 < n; ++j)
                table[j] = table[j + 1];
            table[--n] = 0;
            removed = true;
        } else {
            ++i;
        }
    }
    return removed;
}

bool add_locked(uint8_t id)
{
    if (id == 0)
        return false;
    remove_locked(id);
    int n = count_locked();
    if (n == slots)
        return false;
    table[n] = id;
    return true;
}

int hex_value(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

bool line_end(char c)
{
    return c == '\0' || c == '\r' || c == '\n';
}

}

void parse(const char* text)
{
    std::unique_lock<std::mutex> lock(table_mutex);
    for (uint8_t& slot : table)
        slot = 0;
    if (!text)
        return;
    const char* p = text;
    while (!line_end(p[0]) && !line_end(p[1])) {
        if (count_locked() == slots) {
            lock.unlock();
            Debug_print::dprint("WARNING: IGNORING DEBUG OPTIONS '%s'!\n", p);
            return;
        }
        int high = hex_value(p[0]);
        int low = hex_value(p[1]);
        if (high < 0 || low < 0)
            return;
        uint8_t id = uint8_t(high * 16 + low);
        p += 2;
        if (id == 0)
            continue;
        add_locked(id);
        lock.unlock();
        Debug_print::dprint("add 0x%x\n", unsigned(id));
        lock.lock();
    }
}

bool remove(uint8_t id)
{
    std::lock_guard<std::mutex> lock(table_mutex);
    return remove_locked(id);
}

bool add(uint8_t id)
{
    std::lock_guard<std::mutex> lock(table_mutex);
    return add_locked(id);
}

int count()
{
    std::lock_guard<std::mutex> lock(table_mutex);
    return count_locked();
}

uint8_t get(int index)
{
    std::lock_guard<std::mutex> lock(table_mutex);
    return index >= 0 && index < count_locked() ? table[index] : 0;
}

bool is_enabled(uint8_t id)
{
    std::lock_guard<std::mutex> lock(table_mutex);
    for (int i = 0; i < slots && table[i] != 0; ++i) {
        if (table[i] == id)
            return true;
    }
    return false;
}

int dprint(uint8_t id, const char* format, ...)
{
    if (!is_enabled(id))
        return 0;
    char buffer[256];
    va_list args;
    va_start(args, format);
    std::vsnprintf(buffer, sizeof buffer, format, args);
    va_end(args);
    return Debug_print::printd(-1, buffer);
}

}
