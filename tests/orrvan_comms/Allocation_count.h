#pragma once

// Counts the heap allocations (operator new) that the calling thread makes
// while it lives. The test program replaces the global operator new and
// delete to count them; they allocate with malloc.
class Allocation_count {
public:
    Allocation_count();
    ~Allocation_count();
    Allocation_count(const Allocation_count&) = delete;
    Allocation_count& operator=(const Allocation_count&) = delete;

    unsigned long count() const { return m_count; }

private:
    unsigned long m_count = 0;
};
