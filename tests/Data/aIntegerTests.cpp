#include "aInteger.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

namespace {

std::string bytesOf(const aString& s) { return std::string(s.getValue(), s.getLength()); }

} // namespace

TEST(IntegerText, SignedValues) {
    struct Case {
        int value;
        const char* text;
    } cases[] = {
        {0, "0"},
        {7, "7"},
        {-7, "-7"},
        {10, "10"},
        {100, "100"},
        {-305, "-305"},
        {INT_MAX, "2147483647"},
        {INT_MIN, "-2147483648"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(bytesOf(aString::GetFromInteger(c.value)), c.text);
        EXPECT_EQ(bytesOf(aInteger(c.value).toString()), c.text);
    }
    EXPECT_EQ(aString::GetFromInteger(INT_MIN).getLength(), 11u);
    EXPECT_EQ(bytesOf(aInteger().toString()), "0");
}

TEST(IntegerText, UnsignedValues) {
    struct Case {
        unsigned value;
        const char* text;
    } cases[] = {
        {0u, "0"},
        {7u, "7"},
        {2147483648u, "2147483648"},
        {UINT_MAX, "4294967295"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(bytesOf(aString::GetFromUnsignedInteger(c.value)), c.text);
    }
}

TEST(IntegerText, BoxedIntegerIsCountedLikeEveryObject) {
    const long long integers = aInteger::objectCount;
    {
        aInteger a(-42);
        aInteger b(a);
        EXPECT_EQ(aInteger::objectCount, integers + 2);
        EXPECT_NE(a.id, b.id);
        EXPECT_EQ(bytesOf(b.toString()), "-42");
    }
    EXPECT_EQ(aInteger::objectCount, integers);
}
