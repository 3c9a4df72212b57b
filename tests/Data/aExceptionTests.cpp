#include "aException.h"

#include "AllocationFaults.h"
#include "aExceptionTestAccess.h"

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>

namespace {

std::string bytesOf(const aString& s) { return std::string(s.getValue(), s.getLength()); }

} // namespace

TEST(aExceptionConstruction, EachConstructorSetsItsFields) {
    struct Case {
        const char* form;
        aException made;
        const char *description, *condition;
        bool hasFileAndLine;
        const char* file;
        int line;
    } cases[] = {
        {"()", aException(), "", "", false, "", 0},
        {"(d)", aException(aString("d")), "d", "", false, "", 0},
        {"(d, c)", aException(aString("d"), aString("c")), "d", "c", false, "", 0},
        {"(f, l)", aException(aString("f.cpp"), 12), "", "", true, "f.cpp", 12},
        {"(d, f, l)", aException("d", "f.cpp", -3), "d", "", true, "f.cpp", -3},
        {"(d, c, f, l)", aException("d", "c", "f.cpp", 7), "d", "c", true, "f.cpp", 7},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(bytesOf(c.made.getDescription()), c.description) << c.form;
        EXPECT_EQ(bytesOf(c.made.getCondition()), c.condition) << c.form;
        EXPECT_EQ(aExceptionTestAccess::HasFileAndLine(c.made), c.hasFileAndLine) << c.form;
        EXPECT_EQ(bytesOf(aExceptionTestAccess::File(c.made)), c.file) << c.form;
        EXPECT_EQ(aExceptionTestAccess::Line(c.made), c.line) << c.form;
    }
}

TEST(aExceptionConstruction, FourArgumentFormHoldsThreeStrings) {
    const long long exceptions = aException::objectCount, strings = aString::objectCount;
    aException e("description", "condition", "file", 1);
    EXPECT_EQ(aException::objectCount, exceptions + 1);
    EXPECT_EQ(aString::objectCount, strings + 3);
}

TEST(aExceptionThrowing, ThrowHelperCarriesTheThrowSite) {
    const int line = __LINE__ + 2;
    try {
        A_THROW("aThing.method(): Failed.", "fileErr != noErr");
    } catch (const aException& e) {
        EXPECT_EQ(bytesOf(e.getDescription()), "aThing.method(): Failed.");
        EXPECT_EQ(bytesOf(e.getCondition()), "fileErr != noErr");
        EXPECT_EQ(bytesOf(aExceptionTestAccess::File(e)), __FILE__);
        EXPECT_EQ(aExceptionTestAccess::Line(e), line);
    }
    try {
        A_THROW();
    } catch (const aException& e) {
        EXPECT_EQ(e.getDescription().getLength(), 0u);
        EXPECT_TRUE(aExceptionTestAccess::HasFileAndLine(e));
    }
}

TEST(aExceptionThrowing, CopiesAreCountedAndIndependent) {
    aException original("d", "c", "f", 1);
    aException copy(original);
    EXPECT_NE(copy.id, original.id);
    EXPECT_EQ(bytesOf(copy.getDescription()), "d");
    EXPECT_NE(copy.getDescription().getValue(), original.getDescription().getValue());
}

// Running out of memory while a record is made, copied or assigned: whichever
// allocation fails, std::bad_alloc comes out and no record or string is left
// counted; an assignment that fails leaves a record that can still be read.
TEST(aExceptionOutOfMemory, EveryConstructionAndCopyLeavesNothingBehind) {
    const aException source("description", "condition", "file.cpp", 3);
    const struct {
        const char* form;
        std::function<void(std::optional<aException>&)> make;
    } cases[] = {
        {"()", [](auto& e) { e.emplace(); }},
        {"(d)", [](auto& e) { e.emplace(aString("d")); }},
        {"(d, c)", [](auto& e) { e.emplace(aString("d"), aString("c")); }},
        {"(f, l)", [](auto& e) { e.emplace(aString("f.cpp"), 1); }},
        {"(d, f, l)", [](auto& e) { e.emplace("d", "f.cpp", 2); }},
        {"(d, c, f, l)", [](auto& e) { e.emplace("d", "c", "f.cpp", 3); }},
        {"copy", [&](auto& e) { e.emplace(source); }},
        {"throw site",
         [](auto& e) {
             try {
                 A_THROW("aClass.method(): What failed.", "fileErr != noErr");
             } catch (const aException& thrown) {
                 e.emplace(thrown);
             }
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.form);
        StepThroughAllocationFailures([] { return std::optional<aException>(); }, c.make,
                                      [](const std::optional<aException>& e, bool failed) {
                                          EXPECT_EQ(e.has_value(), !failed);
                                      });
    }
    StepThroughAllocationFailures(
        [] { return aException("old", "old condition"); }, [&](aException& e) { e = source; },
        [&](const aException& e, bool failed) {
            if (!failed) {
                EXPECT_EQ(bytesOf(e.getDescription()), "description");
                EXPECT_EQ(bytesOf(e.getCondition()), "condition");
            } else {
                // Some valid value: each field is one of the two records'.
                const std::string description = bytesOf(e.getDescription());
                EXPECT_TRUE(description == "old" || description == "description") << description;
            }
        });
}
