// The two exports as a host reaches them: the built bundle loaded with dlopen,
// the functions found with dlsym.
#include "aPluginModule.h"
#include "mathplugin.h"

#include <gtest/gtest.h>

#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <numeric>
#include <stdexcept>
#include <vector>

namespace {

class MathPluginExports : public ::testing::Test {
protected:
    void SetUp() override {
        onePlus = module.lookUp<decltype(OnePlus)>("OnePlus");
        sumShortArray = module.lookUp<decltype(SumShortArray)>("SumShortArray");
        ASSERT_NE(onePlus, nullptr);
        ASSERT_NE(sumShortArray, nullptr);
    }

    aPluginModule module{MATHPLUGIN_BUNDLE};
    decltype(OnePlus)* onePlus = nullptr;
    decltype(SumShortArray)* sumShortArray = nullptr;
};

double PlainSum(const int16_t* values, int32_t count) {
    return static_cast<double>(std::accumulate(values, values + count, int64_t{0}));
}

// A page of values between two pages that fault when touched, so that reading
// one value before the first or after the last ends the test with a crash.
class GuardedPage {
public:
    GuardedPage() : pageSize(static_cast<size_t>(sysconf(_SC_PAGESIZE))) {
        void* mapping =
            mmap(nullptr, 3 * pageSize, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        if (mapping == MAP_FAILED) {
            throw std::runtime_error("mmap failed");
        }
        pages = static_cast<char*>(mapping);
        if (mprotect(pages, pageSize, PROT_NONE) != 0 ||
            mprotect(pages + 2 * pageSize, pageSize, PROT_NONE) != 0) {
            munmap(pages, 3 * pageSize);
            throw std::runtime_error("mprotect failed");
        }
    }
    ~GuardedPage() { munmap(pages, 3 * pageSize); }
    GuardedPage(const GuardedPage&) = delete;
    GuardedPage& operator=(const GuardedPage&) = delete;

    int32_t capacity() const { return static_cast<int32_t>(pageSize / sizeof(int16_t)); }
    int16_t* first() const { return reinterpret_cast<int16_t*>(pages + pageSize); }
    /// Where count values start so that the last one ends the page.
    int16_t* endingAtGuard(int32_t count) const { return first() + capacity() - count; }
    const int16_t* insideGuard() const { return reinterpret_cast<const int16_t*>(pages); }

private:
    size_t pageSize;
    char* pages;
};

TEST_F(MathPluginExports, OnePlusWrapsAtTheLargestValue) {
    const struct {
        int32_t value, expected;
    } cases[] = {
        {0, 1}, {-1, 0}, {41, 42}, {INT32_MAX, INT32_MIN}, {INT32_MIN, INT32_MIN + 1},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(onePlus(c.value), c.expected) << c.value;
    }
}

TEST_F(MathPluginExports, SumOfNoValuesIsZeroAndNeverTouchesThePointer) {
    GuardedPage page;
    for (const int32_t count : {0, -1, -5, INT32_MIN}) {
        EXPECT_EQ(sumShortArray(nullptr, count), 0.0) << count;
        EXPECT_EQ(sumShortArray(page.insideGuard(), count), 0.0) << count;
    }
}

TEST_F(MathPluginExports, SumsOnlyTheFirstCountValues) {
    const struct {
        std::vector<int16_t> values;
        int32_t count;
        double expected;
    } cases[] = {
        {{1, 2, 3}, 3, 6.0},
        {{1, 2, 3}, 2, 3.0},
        {{1, 2, 3}, 1, 1.0},
        {{-32768, 32767}, 2, -1.0},
        {{-32768, 32767}, 1, -32768.0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(sumShortArray(c.values.data(), c.count), c.expected) << c.count;
    }
}

// Far past what 32-bit sums hold, and across every block and lane boundary the
// implementation might have.
TEST_F(MathPluginExports, SumOfExtremeValuesIsExact) {
    const int32_t counts[] = {1,     2,     31,    32,     33,     1000,   32767,
                              32768, 32769, 65536, 100001, 999999, 1000000};
    for (const int16_t value : {int16_t{-32768}, int16_t{32767}}) {
        const std::vector<int16_t> values(1000000, value);
        for (const int32_t count : counts) {
            EXPECT_EQ(sumShortArray(values.data(), count), double(value) * count)
                << count << " copies of " << value;
        }
    }
}

// Every tail length after the vector part, at every 16-bit alignment of the
// start within a 16-byte vector.
TEST_F(MathPluginExports, SumMatchesAPlainSumForEveryShortLengthAndStart) {
    std::vector<int16_t> values(400);
    for (size_t i = 0; i < values.size(); ++i) {
        values[i] = static_cast<int16_t>((i * 7919) % 65536 - 32768);
    }
    for (int32_t start = 0; start < 8; ++start) {
        for (int32_t count = 1; count <= 300; ++count) {
            const int16_t* first = values.data() + start;
            ASSERT_EQ(sumShortArray(first, count), PlainSum(first, count))
                << count << " values from " << start;
        }
    }
}

TEST_F(MathPluginExports, SumReadsNothingOutsideTheValues) {
    GuardedPage page;
    for (int32_t i = 0; i < page.capacity(); ++i) {
        page.first()[i] = static_cast<int16_t>(i % 2 == 0 ? -32768 + i : 32767 - i);
    }
    for (int32_t count = 1; count <= page.capacity(); ++count) {
        const int16_t* last = page.endingAtGuard(count);
        ASSERT_EQ(sumShortArray(last, count), PlainSum(last, count)) << count;
        ASSERT_EQ(sumShortArray(page.first(), count), PlainSum(page.first(), count)) << count;
    }
}

} // namespace
