#include "aMemoryBlock.h"

#include <gtest/gtest.h>

#include <vector>

TEST(MemoryPrimitives, CountZeroTouchesNothingEvenThroughNullPointers) {
    aMemoryBlock::MemoryCopy(nullptr, nullptr, 0);
    aMemoryBlock::MemoryClear(nullptr, 0);
}

// Sizes around the 65535-byte chunk: every byte must be moved once, none beyond.
class ChunkedMove : public ::testing::TestWithParam<unsigned long long> {};

TEST_P(ChunkedMove, CopiesAndClearsExactlyCountBytes) {
    const unsigned long long count = GetParam();
    std::vector<char> source(count + 1), destination(count + 1, '#');
    for (unsigned long long i = 0; i < count + 1; ++i) {
        source[i] = static_cast<char>(i * 7 + 1);
    }
    aMemoryBlock::MemoryCopy(destination.data(), source.data(), count);
    for (unsigned long long i = 0; i < count; ++i) {
        ASSERT_EQ(destination[i], source[i]) << "at " << i;
    }
    EXPECT_EQ(destination[count], '#');

    aMemoryBlock::MemoryClear(destination.data(), count);
    for (unsigned long long i = 0; i < count; ++i) {
        ASSERT_EQ(destination[i], 0) << "at " << i;
    }
    EXPECT_EQ(destination[count], '#');
}

INSTANTIATE_TEST_SUITE_P(AroundTheChunk, ChunkedMove,
                         ::testing::Values(1ull, 65534ull, 65535ull, 65536ull, 131070ull, 131071ull,
                                           200000ull));
