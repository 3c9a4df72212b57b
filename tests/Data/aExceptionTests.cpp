#include "aException.h"

#include "aExceptionInspector.h"

#include <gtest/gtest.h>

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
        EXPECT_EQ(aExceptionInspector::HasFileAndLine(c.made), c.hasFileAndLine) << c.form;
        EXPECT_EQ(bytesOf(aExceptionInspector::File(c.made)), c.file) << c.form;
        EXPECT_EQ(aExceptionInspector::Line(c.made), c.line) << c.form;
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
        EXPECT_EQ(bytesOf(aExceptionInspector::File(e)), __FILE__);
        EXPECT_EQ(aExceptionInspector::Line(e), line);
    }
    try {
        A_THROW();
    } catch (const aException& e) {
        EXPECT_EQ(e.getDescription().getLength(), 0u);
        EXPECT_TRUE(aExceptionInspector::HasFileAndLine(e));
    }
}

TEST(aExceptionThrowing, CopiesAreCountedAndIndependent) {
    aException original("d", "c", "f", 1);
    aException copy(original);
    EXPECT_NE(copy.id, original.id);
    EXPECT_EQ(bytesOf(copy.getDescription()), "d");
    EXPECT_NE(copy.getDescription().getValue(), original.getDescription().getValue());
}
