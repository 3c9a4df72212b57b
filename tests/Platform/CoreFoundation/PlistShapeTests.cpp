#include "CoreFoundation/PlistShape.h"

#include "PlistSamples.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct ShapeCase {
    const char* what;
    std::string plist;
    bool accepted;
};

void expectVerdicts(const std::vector<ShapeCase>& cases) {
    for (const auto& c : cases) {
        EXPECT_EQ(IsPlistWithinLimits(c.plist), c.accepted) << c.what;
    }
}

} // namespace

TEST(XmlPlistShape, RefusesNestingBeyondTheLimitAndNothingShallower) {
    // The root dictionary is one level, so NestedXmlPlist(n) nests n + 1 deep.
    const auto atLimit = maxPlistNesting - 1;
    expectVerdicts({
        {"plain", XmlPlist(XmlStringEntry("ZQLaunchApp", "App")), true},
        {"at the limit", NestedXmlPlist(atLimit), true},
        {"one past the limit", NestedXmlPlist(atLimit + 1), false},
        {"deep enough to overflow the parser", NestedXmlPlist(200000), false},
        {"many siblings are not depth",
         XmlPlist("<key>k</key><array>" + Repeated("<dict></dict><array/><dict/>", 1000) +
                  "</array>"),
         true},
    });
}

TEST(XmlPlistShape, ClosingTagsTheParserMightNotSeeDoNotLowerTheCount) {
    const std::string deep = Repeated("<array>", maxPlistNesting);
    expectVerdicts({
        {"closings in a comment",
         XmlPlist("<!-- " + Repeated("</array>", 10) + " --><key>k</key>" + deep), false},
        {"closings in CDATA", XmlPlist("<![CDATA[" + Repeated("</array>", 10) + "]]>" + deep),
         false},
        {"closings with a space", XmlPlist("<key>k</key>" + Repeated("<array></array >", 300)),
         false},
        {"openings in a comment still count",
         XmlPlist("<!-- " + Repeated("<dict>", maxPlistNesting) + " -->"), false},
        {"an unclosed comment", XmlPlist("<!-- " + Repeated("</array>", 10)) + deep, false},
    });
}

TEST(BinaryPlistShape, AcceptsWhatLibplistWrites) {
    expectVerdicts({
        {"one string", BinaryPlistWithString("ZQLaunchApp", "Some App.app"), true},
        {"non-ASCII string", BinaryPlistWithString("ZQLaunchApp", "Caf\u00E9 \u2206"), true},
    });
}

TEST(BinaryPlistShape, RefusesCyclesDepthBlowUpAndCutStrings) {
    // Each builder makes a root dictionary {"ZQLaunchApp": <shape>}.
    auto withValue = [](auto makeValue) {
        BinaryPlistBuilder b;
        const auto root = b.next();
        b.dictionary({root + 1}, {root + 2});
        b.ascii("ZQLaunchApp");
        makeValue(b);
        return b.bytes(root);
    };
    // Every level refers to the next one twice: 2^levels nodes once expanded.
    auto doubling = [&](unsigned levels) {
        return withValue([levels](BinaryPlistBuilder& b) {
            for (unsigned i = 0; i < levels; ++i) {
                b.array({b.next() + 1, b.next() + 1});
            }
            b.ascii("leaf");
        });
    };
    expectVerdicts({
        {"shallow chain", NestedBinaryPlist(10), true},
        {"chain at the limit", NestedBinaryPlist(maxPlistNesting - 1), true},
        {"chain past the limit", NestedBinaryPlist(maxPlistNesting), false},
        {"chain that overflows the parser", NestedBinaryPlist(100000), false},
        {"sharing that stays small", doubling(10), true},
        {"sharing past the node limit", doubling(20), false},
        {"sharing that would never finish expanding", doubling(64), false},
        {"array holding itself", withValue([](BinaryPlistBuilder& b) { b.array({b.next()}); }),
         false},
        {"value holding the root", withValue([](BinaryPlistBuilder& b) { b.array({0}); }), false},
        {"ASCII string with a NUL",
         withValue([](BinaryPlistBuilder& b) { b.ascii(std::string("a\0b", 3)); }), false},
        {"long ASCII string",
         withValue([](BinaryPlistBuilder& b) { b.ascii(std::string(300, 'x')); }), true},
    });
}

TEST(BinaryPlistShape, RefusesListsItCannotWalk) {
    BinaryPlistBuilder b;
    b.dictionary({1}, {2});
    b.ascii("ZQLaunchApp");
    b.ascii("App");
    const std::string good = b.bytes();
    auto withByte = [&](std::size_t at, char byte) {
        std::string bad = good;
        bad[at] = byte;
        return bad;
    };
    const auto trailer = good.size() - 32;
    expectVerdicts({
        {"intact", good, true},
        {"only the magic", "bplist00", false},
        {"other version", withByte(7, '1'), false},
        {"truncated", good.substr(0, good.size() - 1), false},
        {"zero offset width", withByte(trailer + 6, 0), false},
        {"reference width of nine", withByte(trailer + 7, 9), false},
        {"top object past the count", withByte(trailer + 23, 3), false},
        {"more objects than the table holds", withByte(trailer + 15, 100), false},
        {"reference past the count", withByte(9 + 4, 7), false},
        {"count running past the objects", withByte(8, static_cast<char>(0xDE)), false},
        {"object offset inside the header", withByte(good.size() - 32 - 12 + 3, 2), false},
    });
}
