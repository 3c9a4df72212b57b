// Steps an operation through every allocation it makes, failing each in turn.
#pragma once

#include "FailingAllocator.h"
#include "aObject.h"

#include <gtest/gtest.h>

#include <new>

/// For n = 1, 2, ...: makes a fresh state with `make()`, runs `operation(state)`
/// with its n-th allocation failing (std::bad_alloc that comes out is caught),
/// then calls `check(state, failed)`, where `failed` tells whether the operation
/// reached its n-th allocation. Stops after the first run that did not. After
/// each run, once the state is gone, every library object made since the start
/// must be gone too.
template <typename Make, typename Operation, typename Check>
void StepThroughAllocationFailures(Make make, Operation operation, Check check) {
    // An operation that retried after every failure would never finish.
    constexpr unsigned long mostAllocations = 10000;
    const long long liveAtStart = aObject::objectCount;
    for (unsigned long n = 1; n <= mostAllocations; ++n) {
        SCOPED_TRACE(testing::Message() << "allocation " << n << " failing");
        bool failed = false;
        {
            auto state = make();
            {
                FailingAllocation failing(n);
                try {
                    operation(state);
                } catch (const std::bad_alloc&) {
                }
                failed = AllocationsSinceArmed() >= n;
            }
            check(state, failed);
        }
        EXPECT_EQ(aObject::objectCount, liveAtStart);
        if (!failed) {
            return;
        }
    }
    ADD_FAILURE() << "still failing after " << mostAllocations << " allocations";
}
