// Each test runs in a process of its own, so the objects made here are the first
// of the run.
#include "aException.h"
#include "aString.h"

#include <gtest/gtest.h>

TEST(FreshProcess, FirstStringTakesIdOneAndItsCopyIdTwo) {
    {
        aString first("first");
        aString copy(first);
        EXPECT_EQ(first.id, 1u);
        EXPECT_EQ(copy.id, 2u);
        EXPECT_EQ(aObject::objectCount, 2);
        EXPECT_EQ(aString::objectCount, 2);
    }
    EXPECT_EQ(aObject::objectCount, 0);
    EXPECT_EQ(aString::objectCount, 0);
    EXPECT_EQ(aObject::objectIdCount, 2u);
}

TEST(FreshProcess, ExceptionTakesItsIdBeforeItsMemberStrings) {
    aException first;
    EXPECT_EQ(first.id, 1u);
    EXPECT_EQ(aObject::objectIdCount, 4u); // description, condition, file: 2 to 4
    EXPECT_EQ(aString::objectCount, 3);
    EXPECT_EQ(aException::objectCount, 1);
}
