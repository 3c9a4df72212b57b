#include "aString.h"

#include "AllocationFaults.h"
#include "aInteger.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace {

std::string bytesOf(const aString& s) { return std::string(s.getValue(), s.getLength()); }

// A P-string with a one-byte length, built from its text.
std::vector<unsigned char> pString(const std::string& text) {
    std::vector<unsigned char> p(text.size() + 1);
    p[0] = static_cast<unsigned char>(text.size());
    std::copy(text.begin(), text.end(), p.begin() + 1);
    return p;
}

template <typename T>
std::string arrayBytes(const std::unique_ptr<T[]>& array, std::size_t count) {
    return std::string(reinterpret_cast<const char*>(array.get()), count);
}

} // namespace

// Construction and assignment: all six forms stand for the same bytes.

TEST(aStringConstruction, EmptyFormsAreEqualAndOwnAnArray) {
    const unsigned char emptyP[] = {0};
    aString none, fromC(""), fromP(emptyP), fromCount(nullptr, 0);
    for (const aString* s : {&none, &fromC, &fromP, &fromCount}) {
        EXPECT_EQ(s->getLength(), 0u);
        EXPECT_NE(s->getValue(), nullptr);
        EXPECT_EQ(s->compare(none), 0);
    }
}

TEST(aStringConstruction, EachFormGivesItsBytes) {
    const char withZero[] = {'a', 'b', 0, 'c', 'd'};
    auto p = pString("pascal");
    struct Case {
        const char* form;
        aString made;
        std::string bytes;
    } cases[] = {
        {"char zero", aString('\0'), std::string(1, '\0')},
        {"char", aString('x'), "x"},
        {"unsigned char", aString(static_cast<unsigned char>(0xE9)), "\xE9"},
        {"C string stops at zero", aString(withZero), "ab"},
        {"count keeps zeros", aString(withZero, 5), std::string(withZero, 5)},
        {"P-string", aString(p.data()), "pascal"},
        {"copy", aString(aString("copied")), "copied"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(bytesOf(c.made), c.bytes) << c.form;
    }
}

TEST(aStringConstruction, PStringOf255ReadsNothingBeyond) {
    // The byte after the 255 counted ones must not be read: under the sanitizer
    // build a heap array of exactly 256 bytes proves it.
    auto p = std::make_unique<unsigned char[]>(256);
    p[0] = 255;
    for (int i = 1; i < 256; ++i) {
        p[i] = static_cast<unsigned char>(i);
    }
    aString s(p.get());
    ASSERT_EQ(s.getLength(), 255u);
    EXPECT_EQ(static_cast<unsigned char>(s[254]), 255);
}

TEST(aStringAssignment, EveryFormReplacesTheContent) {
    auto p = std::make_unique<unsigned char[]>(3);
    p[0] = 2, p[1] = 'p', p[2] = 'q';
    aString s("start");
    s.assign('c');
    EXPECT_EQ(bytesOf(s), "c");
    s.assign(static_cast<unsigned char>('u'));
    EXPECT_EQ(bytesOf(s), "u");
    s.assign("cstring");
    EXPECT_EQ(bytesOf(s), "cstring");
    s.assign(p.get());
    EXPECT_EQ(bytesOf(s), "pq");
    s.assign("abcdef", 3);
    EXPECT_EQ(bytesOf(s), "abc");
    s.assign(aString("other"));
    EXPECT_EQ(bytesOf(s), "other");
    s.assign();
    EXPECT_EQ(s.getLength(), 0u);
    EXPECT_NE(s.getValue(), nullptr);

    s = "op";
    EXPECT_EQ(bytesOf(s), "op");
    s = 'z';
    EXPECT_EQ(bytesOf(s), "z");
    s = static_cast<unsigned char>('y');
    EXPECT_EQ(bytesOf(s), "y");
    s = p.get();
    EXPECT_EQ(bytesOf(s), "pq");
}

TEST(aStringAssignment, ArgumentsThatAliasTheStringUseItsOldBytes) {
    aString s("hello");
    s = s;
    EXPECT_EQ(bytesOf(s), "hello");
    s.assign(s);
    EXPECT_EQ(bytesOf(s), "hello");
    s.assign(s.getValue() + 1, 3);
    EXPECT_EQ(bytesOf(s), "ell");

    aString withTerminator("xyz", 4); // ends in its own zero byte
    withTerminator.assign(withTerminator.getValue());
    EXPECT_EQ(bytesOf(withTerminator), "xyz");
}

TEST(aStringIdentity, CopiesTakeNewIdsAndAssignmentKeepsTheId) {
    aString a("a");
    aString b(a);
    EXPECT_NE(a.id, b.id);
    const auto idBefore = b.id;
    b = aString("other");
    EXPECT_EQ(b.id, idBefore);
}

// Comparison.

TEST(aStringCompare, OrdersBytesAsSignedValues) {
    struct Case {
        aString left, right;
        int expected;
    } cases[] = {
        {"abc", "abd", -1}, {"ab", "abc", -1},       {"abc", "ab", 1},
        {"abc", "abc", 0},  {"A", "a", -1},          {"B", "a", -1},
        {"\x80", "a", -1},  {"a", "\xFF", 1},        {aString("a\0b", 3), aString("a\0c", 3), -1},
        {"", "", 0},        {"", aString('\0'), -1},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.left.compare(c.right), c.expected)
            << bytesOf(c.left) << " vs " << bytesOf(c.right);
    }
}

// Long strings that part at one position, around the blocks in which equal
// bytes are passed over. The first difference decides, as signed bytes (0x80
// before 0x7F), though every byte after it says the opposite.
TEST(aStringCompare, LongStringsPartAtTheirFirstDifference) {
    constexpr std::size_t length = 1000;
    for (const std::size_t at : {0, 1, 255, 256, 257, 511, 512, 999}) {
        std::string low(length, 'x'), high(length, 'x');
        low[at] = '\x80';
        high[at] = '\x7F';
        for (std::size_t after = at + 1; after < length; ++after) {
            low[after] = 'z';
            high[after] = 'a';
        }
        const aString lowString(low.data(), length), highString(high.data(), length);
        EXPECT_EQ(lowString.compare(highString), -1) << "parting at " << at;
        EXPECT_EQ(highString.compare(lowString), 1) << "parting at " << at;
        EXPECT_EQ(lowString.compare(aString(low.data(), length)), 0) << "parting at " << at;
    }
}

TEST(aStringCompare, EveryFormAndOperatorAgrees) {
    const aString s("m");
    auto p = pString("n");
    EXPECT_EQ(s.compare('m'), 0);
    EXPECT_EQ(s.compare(static_cast<unsigned char>('a')), 1);
    EXPECT_EQ(s.compare("z"), -1);
    EXPECT_EQ(s.compare(p.data()), -1);
    EXPECT_EQ(s.compare("mm", 1), 0);
    EXPECT_EQ(s.compare("mm", 2), -1);

    EXPECT_TRUE(s == 'm');
    EXPECT_TRUE(s != "mm");
    EXPECT_TRUE(s < p.data());
    EXPECT_TRUE(s > static_cast<unsigned char>('a'));
    EXPECT_TRUE(s <= "m");
    EXPECT_TRUE(s >= aString("m"));
    EXPECT_FALSE(s < "m");
    EXPECT_FALSE(s > "m");

    EXPECT_FALSE(aString("xx") == 'x');
    EXPECT_FALSE(aString() != "");
    EXPECT_TRUE(aString('\0') != "");
}

// Access and conversion.

TEST(aStringConversion, FirstByteSignedAndUnsigned) {
    aString s("\xE9rest");
    EXPECT_EQ(s.getAsChar(), -23);
    EXPECT_EQ(s.getAsUnsignedChar(), 233);
    EXPECT_EQ(static_cast<char>(s), -23);
    EXPECT_EQ(static_cast<unsigned char>(s), 233);
    EXPECT_EQ(aString().getAsChar(), 0);
    EXPECT_EQ(aString().getAsUnsignedChar(), 0);
}

TEST(aStringConversion, IndexReadsAndWritesInPlace) {
    aString s("abc");
    char* before = s.getValue();
    s[1] = 'X';
    EXPECT_EQ(bytesOf(s), "aXc");
    EXPECT_EQ(s.getValue(), before);
}

TEST(aStringConversion, CStringIsTheBytesAndOneZero) {
    aString s("a\0b", 3);
    std::unique_ptr<char[]> c(s.getAsCString());
    EXPECT_EQ(std::string(c.get(), 4), std::string("a\0b\0", 4));
    std::unique_ptr<char[]> viaOperator(static_cast<char*>(s));
    EXPECT_NE(viaOperator.get(), c.get());
    std::unique_ptr<char[]> empty(aString().getAsCString());
    EXPECT_EQ(empty[0], 0);
}

TEST(aStringConversion, PrefixedFormsCutAtTheirLimits) {
    struct Case {
        std::size_t length;
        unsigned prefix;
        std::size_t kept;
    } cases[] = {
        {0, 1, 0},         {255, 1, 255},     {300, 1, 255},     {0, 2, 0}, {300, 2, 300},
        {65535, 2, 65535}, {65536, 2, 65535}, {70000, 2, 65535}, {0, 4, 0}, {70000, 4, 70000},
    };
    for (const auto& c : cases) {
        std::string text(c.length, '\0');
        for (std::size_t i = 0; i < c.length; ++i) {
            text[i] = static_cast<char>('a' + i % 26);
        }
        aString s(text.data(), text.size());
        std::unique_ptr<unsigned char[]> out(c.prefix == 1   ? s.getAsPString()
                                             : c.prefix == 2 ? s.getAsShortPString()
                                                             : s.getAsLongPString());
        unsigned long long readBack = c.prefix == 1   ? aString::GetPStringLength(out.get())
                                      : c.prefix == 2 ? aString::GetShortPStringLength(out.get())
                                                      : aString::GetLongPStringLength(out.get());
        EXPECT_EQ(readBack, c.kept) << c.length << " bytes, prefix " << c.prefix;
        EXPECT_EQ(std::string(reinterpret_cast<char*>(out.get()) + c.prefix, c.kept),
                  text.substr(0, c.kept));
    }
}

TEST(aStringConversion, PrefixBytesAreBigEndian) {
    std::unique_ptr<unsigned char[]> shortP(
        aString(std::string(300, 'x').c_str()).getAsShortPString());
    EXPECT_EQ(shortP[0], 0x01);
    EXPECT_EQ(shortP[1], 0x2C);
    std::unique_ptr<unsigned char[]> longP(aString("abc").getAsLongPString());
    EXPECT_EQ(arrayBytes(longP, 7), std::string("\0\0\0\3abc", 7));

    const unsigned char shortLength[] = {0x01, 0x2C};
    const unsigned char longLength[] = {0x00, 0x00, 0x01, 0x00};
    const unsigned char maxLong[] = {0xFF, 0xFF, 0xFF, 0xFF};
    EXPECT_EQ(aString::GetShortPStringLength(shortLength), 300u);
    EXPECT_EQ(aString::GetLongPStringLength(longLength), 256u);
    EXPECT_EQ(aString::GetLongPStringLength(maxLong), 4294967295u);
    const unsigned char p200[] = {200};
    EXPECT_EQ(aString::GetPStringLength(p200), 200u);
    EXPECT_EQ(aString::GetCStringLength("ab\0cd"), 2u);
}

// Editing.

TEST(aStringEditing, ConcatenateEveryForm) {
    auto p = pString("P");
    aString s("ab");
    s.concatenate(aString("cd"));
    s.concatenate('e');
    s.concatenate(static_cast<unsigned char>('f'));
    s.concatenate("gh");
    s.concatenate(p.data());
    s.concatenate("xyz", 1);
    s.concatenate('\0');
    s.concatenate("");
    EXPECT_EQ(bytesOf(s), std::string("abcdefghPx\0", 11));

    s = "q";
    s += aString("r");
    s += 's';
    s += static_cast<unsigned char>('t');
    s += "u";
    s += p.data();
    EXPECT_EQ(bytesOf(s), "qrstuP");
}

TEST(aStringEditing, ConcatenatedLeavesTheOriginal) {
    auto p = pString("P");
    const aString s("ab");
    EXPECT_EQ(bytesOf(s.concatenated(aString("cd"))), "abcd");
    EXPECT_EQ(bytesOf(s.concatenated('c')), "abc");
    EXPECT_EQ(bytesOf(s.concatenated(static_cast<unsigned char>('c'))), "abc");
    EXPECT_EQ(bytesOf(s.concatenated("cd")), "abcd");
    EXPECT_EQ(bytesOf(s.concatenated(p.data())), "abP");
    EXPECT_EQ(bytesOf(s.concatenated("cdef", 2)), "abcd");
    EXPECT_EQ(bytesOf(s + "cd"), "abcd");
    EXPECT_EQ(bytesOf(s + 'c'), "abc");
    EXPECT_EQ(bytesOf(s), "ab");
}

TEST(aStringEditing, AppendingItselfDoubles) {
    aString s("ab");
    s += s;
    EXPECT_EQ(bytesOf(s), "abab");
    s.concatenate(s.getValue() + 1, 2);
    EXPECT_EQ(bytesOf(s), "ababba");
}

TEST(aStringEditing, InsertPositions) {
    struct Case {
        const char* into;
        unsigned long long position;
        const char* expected;
    } cases[] = {
        {"abc", 0, "Xabc"},  {"abc", 1, "aXbc"}, {"abc", 3, "abcX"},
        {"abc", 99, "abcX"}, {"", 5, "X"},       {"abc", ~0ull, "abcX"},
    };
    for (const auto& c : cases) {
        aString s(c.into);
        s.insert('X', c.position);
        EXPECT_EQ(bytesOf(s), c.expected) << c.into << " at " << c.position;
    }
}

TEST(aStringEditing, InsertEveryForm) {
    auto p = pString("P");
    aString s("ab");
    s.insert(aString(), 1);
    EXPECT_EQ(bytesOf(s), "ab");
    s.insert("xyz", 2, 1);
    EXPECT_EQ(bytesOf(s), "axyb");
    s.insert(aString("S"), 0);
    s.insert(static_cast<unsigned char>('u'), 0);
    s.insert("C", 0);
    s.insert(p.data(), 0);
    EXPECT_EQ(bytesOf(s), "PCuSaxyb");
    s.insert(s, 1);
    EXPECT_EQ(bytesOf(s), "PPCuSaxybCuSaxyb");
}

TEST(aStringEditing, LeftCounts) {
    struct Case {
        const char* from;
        unsigned long long count;
        const char* expected;
    } cases[] = {
        {"abc", 2, "ab"}, {"abc", 3, "abc"}, {"abc", 5, "abc"},
        {"abc", 0, ""},   {"", 0, ""},       {"", 3, ""},
    };
    for (const auto& c : cases) {
        aString s(c.from);
        aString copy = s.lefted(c.count);
        s.left(c.count);
        EXPECT_EQ(bytesOf(s), c.expected) << c.from << " left " << c.count;
        EXPECT_EQ(bytesOf(copy), c.expected);
        EXPECT_NE(s.getValue(), nullptr);
    }
    const aString original("abc");
    EXPECT_EQ(bytesOf(original.lefted(1)), "a");
    EXPECT_EQ(bytesOf(original), "abc");
}

TEST(aStringEditing, CaseChangesOnlyAsciiLetters) {
    aString s("ABC xyz 09 [@`{] \xCB\xE9");
    char* before = s.getValue();
    s.lowercase();
    EXPECT_EQ(bytesOf(s), "abc xyz 09 [@`{] \xCB\xE9");
    EXPECT_EQ(s.getValue(), before);
    s.uppercase();
    EXPECT_EQ(bytesOf(s), "ABC XYZ 09 [@`{] \xCB\xE9");

    const aString mixed("a-Z");
    EXPECT_EQ(bytesOf(mixed.uppercased()), "A-Z");
    EXPECT_EQ(bytesOf(mixed.lowercased()), "a-z");
    EXPECT_EQ(bytesOf(mixed), "a-Z");
}

TEST(aStringEditing, EndOfLineIsOneCarriageReturn) {
    aString eol = aString::GetEndOfLine();
    ASSERT_EQ(eol.getLength(), 1u);
    EXPECT_EQ(eol[0], 13);
}

// Running out of memory: whichever allocation fails, an operation either
// finishes or throws std::bad_alloc, and the string keeps its old bytes.

struct OutOfMemoryCase {
    const char* name;
    std::function<void(aString&)> operation;
    std::string after; // the bytes once the operation has finished
};

TEST(aStringOutOfMemory, EveryOperationFinishesOrLeavesTheStringAsItWas) {
    auto p = pString("pp");
    const auto* pp = p.data();
    const auto u = static_cast<unsigned char>('u');
    const std::vector<OutOfMemoryCase> cases = {
        {"assign nothing", [](aString& s) { s.assign(); }, ""},
        {"assign string", [](aString& s) { s.assign(aString("new")); }, "new"},
        {"assign char", [](aString& s) { s.assign('c'); }, "c"},
        {"assign unsigned char", [&](aString& s) { s.assign(u); }, "u"},
        {"assign C string", [](aString& s) { s.assign("cs"); }, "cs"},
        {"assign P-string", [&](aString& s) { s.assign(pp); }, "pp"},
        {"assign count", [](aString& s) { s.assign("abc", 2); }, "ab"},
        {"assign own bytes", [](aString& s) { s.assign(s.getValue() + 1, 2); }, "ri"},
        {"operator= self", [](aString& s) { s = s; }, "original"},
        {"operator= P-string", [&](aString& s) { s = pp; }, "pp"},
        {"concatenate string", [](aString& s) { s.concatenate(aString("+")); }, "original+"},
        {"concatenate char", [](aString& s) { s.concatenate('c'); }, "originalc"},
        {"concatenate unsigned char", [&](aString& s) { s.concatenate(u); }, "originalu"},
        {"concatenate C string", [](aString& s) { s.concatenate("cs"); }, "originalcs"},
        {"concatenate P-string", [&](aString& s) { s.concatenate(pp); }, "originalpp"},
        {"concatenate count", [](aString& s) { s.concatenate("xyz", 1); }, "originalx"},
        {"operator+= self", [](aString& s) { s += s; }, "originaloriginal"},
        {"operator+= char", [](aString& s) { s += 'c'; }, "originalc"},
        {"insert string", [](aString& s) { s.insert(aString("I"), 1); }, "oIriginal"},
        {"insert char", [](aString& s) { s.insert('c', 0); }, "coriginal"},
        {"insert unsigned char", [&](aString& s) { s.insert(u, 99); }, "originalu"},
        {"insert C string", [](aString& s) { s.insert("cs", 3); }, "oricsginal"},
        {"insert P-string", [&](aString& s) { s.insert(pp, 8); }, "originalpp"},
        {"insert count", [](aString& s) { s.insert("xyz", 2, 1); }, "oxyriginal"},
        {"insert self", [](aString& s) { s.insert(s, 1); }, "ooriginalriginal"},
        {"left", [](aString& s) { s.left(2); }, "or"},
        {"left to nothing", [](aString& s) { s.left(0); }, ""},
        {"uppercase", [](aString& s) { s.uppercase(); }, "ORIGINAL"},
        {"copies",
         [&](aString& s) {
             EXPECT_EQ(bytesOf(s.concatenated(aString("+"))), "original+");
             EXPECT_EQ(bytesOf(s.concatenated('c')), "originalc");
             EXPECT_EQ(bytesOf(s.concatenated(u)), "originalu");
             EXPECT_EQ(bytesOf(s.concatenated("cs")), "originalcs");
             EXPECT_EQ(bytesOf(s.concatenated(pp)), "originalpp");
             EXPECT_EQ(bytesOf(s.concatenated("xyz", 1)), "originalx");
             EXPECT_EQ(bytesOf(s + s), "originaloriginal");
             EXPECT_EQ(bytesOf(s.lefted(2)), "or");
             EXPECT_EQ(bytesOf(s.uppercased()), "ORIGINAL");
             EXPECT_EQ(bytesOf(s.lowercased()), "original");
         },
         "original"},
        {"comparisons",
         [&](aString& s) {
             EXPECT_EQ(s.compare(aString("original")), 0);
             EXPECT_EQ(s.compare('o'), 1);
             EXPECT_EQ(s.compare(u), -1);
             EXPECT_EQ(s.compare("other"), -1);
             EXPECT_EQ(s.compare(pp), -1);
             EXPECT_EQ(s.compare("origin", 6), 1);
             EXPECT_TRUE(s == "original");
             EXPECT_TRUE(s != 'o');
             EXPECT_TRUE(s < pp);
             EXPECT_FALSE(s >= u);
         },
         "original"},
        {"conversions",
         [](aString& s) {
             std::unique_ptr<char[]> c(s.getAsCString());
             std::unique_ptr<unsigned char[]> p1(s.getAsPString());
             std::unique_ptr<unsigned char[]> p2(s.getAsShortPString());
             std::unique_ptr<unsigned char[]> p4(s.getAsLongPString());
             EXPECT_EQ(std::string(c.get()), "original");
             EXPECT_EQ(arrayBytes(p1, 9), "\x08original");
             EXPECT_EQ(arrayBytes(p2, 10), std::string("\0\x08original", 10));
             EXPECT_EQ(arrayBytes(p4, 12), std::string("\0\0\0\x08original", 12));
         },
         "original"},
        {"integer text",
         [](aString&) {
             EXPECT_EQ(bytesOf(aString::GetFromInteger(-2147483647 - 1)), "-2147483648");
             EXPECT_EQ(bytesOf(aString::GetFromUnsignedInteger(4294967295u)), "4294967295");
             EXPECT_EQ(bytesOf(aInteger(-42).toString()), "-42");
             EXPECT_EQ(bytesOf(aString::GetEndOfLine()), "\r");
         },
         "original"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        StepThroughAllocationFailures([] { return aString("original"); }, c.operation,
                                      [&](const aString& s, bool failed) {
                                          ASSERT_NE(s.getValue(), nullptr);
                                          EXPECT_EQ(bytesOf(s), failed ? "original" : c.after);
                                      });
    }
}

struct ConstructionCase {
    const char* name;
    std::function<void(std::optional<aString>&)> construct;
    std::string bytes;
};

TEST(aStringOutOfMemory, FailedConstructionLeavesNoObjectBehind) {
    auto p = pString("pp");
    const auto* pp = p.data();
    const std::vector<ConstructionCase> cases = {
        {"empty", [](auto& s) { s.emplace(); }, ""},
        {"copy", [](auto& s) { s.emplace(aString("copied")); }, "copied"},
        {"char", [](auto& s) { s.emplace('c'); }, "c"},
        {"unsigned char", [](auto& s) { s.emplace(static_cast<unsigned char>('u')); }, "u"},
        {"C string", [](auto& s) { s.emplace("cs"); }, "cs"},
        {"P-string", [&](auto& s) { s.emplace(pp); }, "pp"},
        {"count", [](auto& s) { s.emplace("abc", 2); }, "ab"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        StepThroughAllocationFailures([] { return std::optional<aString>(); }, c.construct,
                                      [&](const std::optional<aString>& s, bool failed) {
                                          ASSERT_EQ(s.has_value(), !failed);
                                          if (s) {
                                              EXPECT_EQ(bytesOf(*s), c.bytes);
                                          }
                                      });
    }
}

TEST(aStringOutOfMemory, ImpossibleLengthFailsAsAllocationDoes) {
    aString s("kept");
    EXPECT_THROW(s.assign("x", ~0ull), std::bad_alloc);
    EXPECT_EQ(bytesOf(s), "kept");
}
