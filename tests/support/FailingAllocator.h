// Replaces the global operator new so that a test can make the n-th allocation
// from now fail with std::bad_alloc.
#pragma once

/// Makes the allocation `n` allocations from now (1 = the next one) throw; every
/// later allocation succeeds again. 0 disarms.
void FailAllocationAfter(unsigned long n);

/// Allocations made since the last FailAllocationAfter call.
unsigned long AllocationsSinceArmed();

/// Arms the allocator for the scope of one statement block and disarms it at the
/// end, whatever happens.
class FailingAllocation {
public:
    explicit FailingAllocation(unsigned long n) { FailAllocationAfter(n); }
    ~FailingAllocation() { FailAllocationAfter(0); }
    FailingAllocation(const FailingAllocation&) = delete;
    FailingAllocation& operator=(const FailingAllocation&) = delete;
};
