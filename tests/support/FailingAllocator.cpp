#include "FailingAllocator.h"

#include <cstdlib>
#include <new>

namespace {

unsigned long remaining = 0; // 0: never fail
unsigned long seen = 0;

void* allocate(std::size_t size) {
    ++seen;
    if (remaining != 0 && --remaining == 0) {
        throw std::bad_alloc();
    }
    void* p = std::malloc(size == 0 ? 1 : size);
    if (p == nullptr) {
        throw std::bad_alloc();
    }
    return p;
}

} // namespace

void FailAllocationAfter(unsigned long n) {
    remaining = n;
    seen = 0;
}

unsigned long AllocationsSinceArmed() { return seen; }

void* operator new(std::size_t size) { return allocate(size); }
void* operator new[](std::size_t size) { return allocate(size); }
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }
