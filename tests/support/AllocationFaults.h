// Steps an operation through every allocation it makes, failing each in turn.
#pragma once

#include "FailingAllocator.h"
#include "aObject.h"

#include <gtest/gtest.h>

#include <new>

/// For n = 1, 2, ...: makes a fresh state with `make()`, runs `operation(state)`
/// with its n-th allocation failing, then calls `check(state, failed)`, where
/// `failed` tells whether std::bad_alloc came out. Stops after the first run in
/// which no allocation failed. After each run, once the state is gone, every
/// library object made since the start must be gone too.
template <typename Make, typename Operation, typename Check>
void StepThroughAllocationFailures(Make make, Operation operation, Check check) {
    // An operation that swallowed the failure would never finish the stepping.
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
                    failed = true;
                }
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
