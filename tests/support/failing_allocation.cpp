// The test program's operator new and delete, on malloc and free, with the
// failures of failing_allocation.h.
#include "support/failing_allocation.h"

#include <atomic>
#include <cstdlib>
#include <new>

namespace {

// Set by a test, read by every thread that allocates.
std::atomic<std::size_t> failingSize{0};
std::atomic<int> succeedingLeft{0};

void* allocate(std::size_t size)
{
    const std::size_t failing = failingSize.load();
    if (failing != 0 && size >= failing && succeedingLeft.fetch_sub(1) <= 0)
        throw std::bad_alloc();
    void* memory = std::malloc(size > 0 ? size : 1);
    if (memory == nullptr)
        throw std::bad_alloc();
    return memory;
}

}  // namespace

void failLargeAllocations(std::size_t size, int succeeding)
{
    succeedingLeft.store(succeeding);
    failingSize.store(size);
}

void stopFailingAllocations()
{
    failingSize.store(0);
}

void* operator new(std::size_t size)
{
    return allocate(size);
}

void* operator new[](std::size_t size)
{
    return allocate(size);
}

void* operator new(std::size_t size, const std::nothrow_t&) noexcept
{
    try {
        return allocate(size);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

void* operator new[](std::size_t size, const std::nothrow_t&) noexcept
{
    try {
        return allocate(size);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

void operator delete(void* memory) noexcept
{
    std::free(memory);
}

void operator delete[](void* memory) noexcept
{
    std::free(memory);
}

void operator delete(void* memory, std::size_t) noexcept
{
    std::free(memory);
}

void operator delete[](void* memory, std::size_t) noexcept
{
    std::free(memory);
}

void operator delete(void* memory, const std::nothrow_t&) noexcept
{
    std::free(memory);
}

void operator delete[](void* memory, const std::nothrow_t&) noexcept
{
    std::free(memory);
}
