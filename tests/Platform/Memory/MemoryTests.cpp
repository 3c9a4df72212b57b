#include "Memory/Memory.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

// Handles.

TEST(MemoryHandles, NewHandleGivesAWritableBlockOfItsSize) {
    for (Size size : {0L, 1L, 4096L}) {
        Handle h = NewHandle(size);
        ASSERT_NE(h, nullptr) << size;
        EXPECT_EQ(MemError(), noErr);
        ASSERT_NE(*h, nullptr) << size;
        // Under the sanitizer build, a block shorter than its size fails here.
        std::memset(*h, 0x5A, static_cast<std::size_t>(size));
        EXPECT_EQ(GetHandleSize(h), size);
        EXPECT_EQ(MemError(), noErr);
        DisposeHandle(h);
        EXPECT_EQ(MemError(), noErr);
    }
}

TEST(MemoryHandles, ZeroByteHandlesAreDistinctBlocks) {
    Handle a = NewHandle(0), b = NewHandle(0);
    ASSERT_NE(a, nullptr);
    ASSERT_NE(b, nullptr);
    EXPECT_NE(a, b);
    EXPECT_NE(*a, *b);
    DisposeHandle(a);
    DisposeHandle(b);
}

TEST(MemoryHandles, LockStateFollowsHLockAndHUnlock) {
    Handle h = NewHandle(8);
    ASSERT_NE(h, nullptr);
    EXPECT_EQ(HGetState(h), 0);
    HLock(h);
    EXPECT_EQ(MemError(), noErr);
    EXPECT_EQ(HGetState(h), kHandleLockedMask);
    HUnlock(h);
    EXPECT_EQ(MemError(), noErr);
    EXPECT_EQ(HGetState(h), 0);
    DisposeHandle(h);
}

// Enough handles to need several record pools: each keeps its own size and bytes,
// and records given back are handed out again.
TEST(MemoryHandles, ManyHandlesKeepTheirOwnSizesAndBytes) {
    std::vector<Handle> handles;
    for (Size i = 0; i < 1000; ++i) {
        Handle h = NewHandle(i % 17);
        ASSERT_NE(h, nullptr) << i;
        std::memset(*h, static_cast<int>(i), static_cast<std::size_t>(i % 17));
        handles.push_back(h);
    }
    for (Size i = 0; i < 1000; ++i) {
        Handle h = handles[static_cast<std::size_t>(i)];
        ASSERT_EQ(GetHandleSize(h), i % 17) << i;
        for (Size k = 0; k < i % 17; ++k) {
            ASSERT_EQ((*h)[k], static_cast<char>(i)) << i;
        }
    }
    for (Handle h : handles) {
        DisposeHandle(h);
        ASSERT_EQ(MemError(), noErr);
    }
    Handle again = NewHandle(3);
    EXPECT_EQ(GetHandleSize(again), 3);
    DisposeHandle(again);
}

// Handles the Memory Manager does not know as live answer 0 and an error, and are
// never read or written through.
TEST(MemoryHandles, BadHandlesAreRefusedWithoutBeingUsed) {
    Handle live = NewHandle(4);
    Handle disposed = NewHandle(4);
    ASSERT_NE(live, nullptr);
    ASSERT_NE(disposed, nullptr);
    DisposeHandle(disposed);
    char bytes[4] = {1, 2, 3, 4};
    Ptr foreignMaster = bytes;

    struct Case {
        const char* handle;
        Handle h;
        OSErr error;
    } cases[] = {
        {"null", nullptr, nilHandleErr},
        {"disposed", disposed, memWZErr},
        {"not made by NewHandle", &foreignMaster, memWZErr},
        {"inside a live record", live + 1, memWZErr},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(GetHandleSize(c.h), 0) << c.handle;
        EXPECT_EQ(MemError(), c.error) << c.handle;
        HLock(c.h);
        EXPECT_EQ(MemError(), c.error) << c.handle;
        EXPECT_EQ(HGetState(c.h), 0) << c.handle;
        HUnlock(c.h);
        EXPECT_EQ(MemError(), c.error) << c.handle;
        DisposeHandle(c.h);
        EXPECT_EQ(MemError(), c.error) << c.handle;
    }
    EXPECT_EQ(foreignMaster, bytes);
    EXPECT_EQ(GetHandleSize(live), 4);
    DisposeHandle(live);
}

// Pointers.

TEST(MemoryPointers, NewPtrGivesAnAlignedWritableBlockOfItsSize) {
    for (Size size : {0L, 1L, 4096L}) {
        Ptr p = NewPtr(size);
        ASSERT_NE(p, nullptr) << size;
        EXPECT_EQ(MemError(), noErr);
        EXPECT_EQ(reinterpret_cast<std::uintptr_t>(p) % alignof(std::max_align_t), 0u) << size;
        std::memset(p, 0x5A, static_cast<std::size_t>(size));
        EXPECT_EQ(GetPtrSize(p), size);
        EXPECT_EQ(MemError(), noErr);
        DisposePtr(p);
        EXPECT_EQ(MemError(), noErr);
    }
}

TEST(MemoryPointers, NullIsRefused) {
    EXPECT_EQ(GetPtrSize(nullptr), 0);
    EXPECT_EQ(MemError(), paramErr);
    DisposePtr(nullptr);
    EXPECT_EQ(MemError(), paramErr);
}

// Requests that cannot be met.

TEST(MemoryRequests, UnmetRequestsAnswerNullWithTheReason) {
    struct Case {
        const char* request;
        bool pointer;
        Size size;
        OSErr error;
    } cases[] = {
        {"NewHandle(-1)", false, -1, paramErr},
        {"NewHandle(LONG_MIN)", false, LONG_MIN, paramErr},
        {"NewHandle(LONG_MAX)", false, LONG_MAX, memFullErr},
        {"NewPtr(-1)", true, -1, paramErr},
        {"NewPtr(LONG_MIN)", true, LONG_MIN, paramErr},
        {"NewPtr(LONG_MAX)", true, LONG_MAX, memFullErr},
    };
    for (const auto& c : cases) {
        void* made =
            c.pointer ? static_cast<void*>(NewPtr(c.size)) : static_cast<void*>(NewHandle(c.size));
        EXPECT_EQ(made, nullptr) << c.request;
        EXPECT_EQ(MemError(), c.error) << c.request;
    }
    // The next call that succeeds clears the error.
    Handle h = NewHandle(1);
    EXPECT_EQ(MemError(), noErr);
    DisposeHandle(h);
}
