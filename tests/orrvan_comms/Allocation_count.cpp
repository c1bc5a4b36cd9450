#include "tests/orrvan_comms/Allocation_count.h"

#include <cstdlib>
#include <new>

namespace {

// The counter of the calling thread's Allocation_count, if it has one.
thread_local unsigned long* counter = nullptr;

void* allocate(std::size_t size)
{
    if (counter)
        ++*counter;
    if (void* memory = std::malloc(size == 0 ? 1 : size))
        return memory;
    throw std::bad_alloc();
}

void* allocate_nothrow(std::size_t size) noexcept
{
    try {
        return allocate(size);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

}

Allocation_count::Allocation_count() { counter = &m_count; }
Allocation_count::~Allocation_count() { counter = nullptr; }

// Every form without an alignment, so that each allocation is freed by the
// same allocator that made it.
void* operator new(std::size_t size) { return allocate(size); }
void* operator new[](std::size_t size) { return allocate(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept { return allocate_nothrow(size); }
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept { return allocate_nothrow(size); }
void operator delete(void* memory) noexcept { std::free(memory); }
void operator delete[](void* memory) noexcept { std::free(memory); }
void operator delete(void* memory, std::size_t) noexcept { std::free(memory); }
void operator delete[](void* memory, std::size_t) noexcept { std::free(memory); }
void operator delete(void* memory, const std::nothrow_t&) noexcept { std::free(memory); }
void operator delete[](void* memory, const std::nothrow_t&) noexcept { std::free(memory); }
