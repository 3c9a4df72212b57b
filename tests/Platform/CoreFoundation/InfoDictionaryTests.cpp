#include "CoreFoundation/InfoDictionary.h"

#include "PlistSamples.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// The value's text when it is a string, for comparison.
std::string textOf(CFTypeRef value) {
    char buffer[64];
    return CFStringGetCString(static_cast<CFStringRef>(value), buffer, sizeof buffer,
                              kCFStringEncodingUTF8)
               ? buffer
               : "<not a string>";
}

} // namespace

TEST(InfoDictionaryParse, GivesEachValueAsAnObjectOfItsKind) {
    const auto info = InfoDictionary::Parse(
        XmlPlist("<key>CFBundleName</key><string>Demo</string>"
                 "<key>Count</key><integer>3</integer><key>Ratio</key><real>0.5</real>"
                 "<key>Flag</key><true/><key>When</key><date>2001-01-01T00:00:00Z</date>"
                 "<key>Blob</key><data>AAEC</data><key>List</key><array><string>a</string></array>"
                 "<key>Nested</key><dict><key>Inner</key><string>x</string></dict>"));
    const struct {
        const char* key;
        CFTypeID type;
    } cases[] = {
        {"CFBundleName", CFStringGetTypeID()}, {"Count", CFNumberGetTypeID()},
        {"Ratio", CFNumberGetTypeID()},        {"Flag", CFBooleanGetTypeID()},
        {"When", CFDateGetTypeID()},           {"Blob", CFDataGetTypeID()},
        {"List", CFArrayGetTypeID()},          {"Nested", CFDictionaryGetTypeID()},
    };
    for (const auto& c : cases) {
        const CFTypeRef value = info.valueOf(c.key);
        ASSERT_NE(value, nullptr) << c.key;
        EXPECT_EQ(CFGetTypeID(value), c.type) << c.key;
    }
    EXPECT_EQ(textOf(info.valueOf("CFBundleName")), "Demo");
    EXPECT_EQ(info.valueOf("Inner"), nullptr) << "only top-level keys are keys";
    EXPECT_EQ(info.valueOf("cfbundlename"), nullptr) << "keys match exactly";
}

TEST(InfoDictionaryParse, ReadsXmlAndBinaryAlike) {
    const std::string name = "Caf\u00E9 & <Tea>.app";
    for (const auto& plist : {XmlPlist(XmlStringEntry("ZQLaunchApp", name)),
                              BinaryPlistWithString("ZQLaunchApp", name)}) {
        EXPECT_EQ(textOf(InfoDictionary::Parse(plist).valueOf("ZQLaunchApp")), name);
    }
}

TEST(InfoDictionaryParse, KeepsANulInsideAStringSoTheConversionCanRefuseIt) {
    const auto info =
        InfoDictionary::Parse(XmlPlist(XmlStringEntry("ZQLaunchApp", std::string("a\0b", 3))));
    EXPECT_EQ(textOf(info.valueOf("ZQLaunchApp")), "<not a string>");
    ASSERT_NE(info.valueOf("ZQLaunchApp"), nullptr);
    EXPECT_EQ(CFGetTypeID(info.valueOf("ZQLaunchApp")), CFStringGetTypeID());
}

TEST(InfoDictionaryParse, HasNoKeysForAnythingButAWellFormedDictionary) {
    const std::string complete = XmlPlist(XmlStringEntry("ZQLaunchApp", "App"));
    const struct {
        const char* what;
        std::string plist;
    } cases[] = {
        {"empty", ""},
        {"not a plist", "hello"},
        {"unclosed dictionary", complete.substr(0, complete.find("</dict>"))},
        {"root is an array",
         "<?xml version=\"1.0\"?><plist version=\"1.0\"><array><string>ZQLaunchApp</string>"
         "</array></plist>"},
        {"binary cut short", BinaryPlistWithString("ZQLaunchApp", "App").substr(0, 20)},
        {"nested too deep", NestedXmlPlist(200000)},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(InfoDictionary::Parse(c.plist).valueOf("ZQLaunchApp"), nullptr) << c.what;
    }
}
