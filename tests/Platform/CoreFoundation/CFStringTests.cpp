#include "CoreFoundation/CFString.h"
#include "CoreFoundation/CFURL.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// Releases a counted object at the end of a test.
struct Released {
    explicit Released(CFTypeRef object) : object(object) {}
    ~Released() { CFRelease(object); }
    CFTypeRef object;
};

} // namespace

TEST(CFStringGetCString, WritesTheTextWhenItAndItsNulFit) {
    const struct {
        const char* what;
        std::string utf8;
        CFIndex bufferSize;
        CFStringEncoding encoding;
        std::string written; // empty: the call fails
    } cases[] = {
        {"ASCII, room to spare", "App", 8, kCFStringEncodingMacRoman, "App"},
        {"exactly fills the buffer", "App", 4, kCFStringEncodingMacRoman, "App"},
        {"no room for the NUL", "App", 3, kCFStringEncodingMacRoman, ""},
        {"size zero", "App", 0, kCFStringEncodingMacRoman, ""},
        {"negative size", "App", -1, kCFStringEncodingMacRoman, ""},
        {"Mac Roman counts one byte per letter", "\u00E9t\u00E9", 4, kCFStringEncodingMacRoman,
         "\x8Et\x8E"},
        {"UTF-8 counts two", "\u00E9t\u00E9", 4, kCFStringEncodingUTF8, ""},
        {"UTF-8 with room", "\u00E9t\u00E9", 6, kCFStringEncodingUTF8, "\u00E9t\u00E9"},
        {"decomposed accent composed", "e\u0301", 2, kCFStringEncodingMacRoman, "\x8E"},
        {"no Mac Roman byte", "\u0394", 8, kCFStringEncodingMacRoman, ""},
        {"UTF-8 takes any character", "\u0394", 8, kCFStringEncodingUTF8, "\u0394"},
        {"NUL inside, Mac Roman", std::string("a\0b", 3), 8, kCFStringEncodingMacRoman, ""},
        {"NUL inside, UTF-8", std::string("a\0b", 3), 8, kCFStringEncodingUTF8, ""},
        {"unknown encoding", "App", 8, 0x0600, ""},
    };
    for (const auto& c : cases) {
        const Released string(MakeCFString(c.utf8));
        char buffer[16];
        std::fill(std::begin(buffer), std::end(buffer), '#');
        const bool converted = CFStringGetCString(static_cast<CFStringRef>(string.object), buffer,
                                                  c.bufferSize, c.encoding);
        EXPECT_EQ(converted, !c.written.empty()) << c.what;
        if (converted) {
            EXPECT_EQ(std::string(buffer), c.written) << c.what;
        }
    }
}

TEST(CFStringGetCString, FailsForWhatIsNotAString) {
    char buffer[16];
    EXPECT_FALSE(CFStringGetCString(nullptr, buffer, sizeof buffer, kCFStringEncodingUTF8));
    const Released url(MakeCFURL("/tmp"));
    EXPECT_FALSE(CFStringGetCString(static_cast<CFStringRef>(url.object), buffer, sizeof buffer,
                                    kCFStringEncodingUTF8));
    const Released string(MakeCFString("App"));
    EXPECT_FALSE(CFStringGetCString(static_cast<CFStringRef>(string.object), nullptr, 16,
                                    kCFStringEncodingUTF8));
}

TEST(CFSTR, IsOneConstantPerTextThatReleasingNeverFrees) {
    const CFStringRef key = CFSTR("ZQLaunchApp");
    const std::string sameText = "ZQLaunchApp";
    EXPECT_EQ(__CFStringMakeConstantString(sameText.c_str()), key);
    EXPECT_NE(CFSTR("Other"), key);
    // Under the sanitizer build a freed constant would fail the read below.
    for (int i = 0; i < 3; ++i) {
        CFRelease(key);
    }
    char buffer[16];
    ASSERT_TRUE(CFStringGetCString(key, buffer, sizeof buffer, kCFStringEncodingUTF8));
    EXPECT_STREQ(buffer, "ZQLaunchApp");
    EXPECT_EQ(CFRetain(key), key);
}

TEST(CFObjects, ARetainedObjectLivesUntilItsLastRelease) {
    const CFStringRef string = MakeCFString("kept");
    EXPECT_EQ(CFRetain(string), string);
    CFRelease(string);
    // Still alive: the sanitizer build would report a use after free here.
    char buffer[8];
    EXPECT_TRUE(CFStringGetCString(string, buffer, sizeof buffer, kCFStringEncodingUTF8));
    CFRelease(string); // the last one; the leak check would catch a missing free
    EXPECT_EQ(CFGetTypeID(nullptr), 0u);
}

TEST(CFURLGetFileSystemRepresentation, WritesThePathWhenItAndItsNulFit) {
    const Released url(MakeCFURL("/a/b.app"));
    const auto ref = static_cast<CFURLRef>(url.object);
    EXPECT_EQ(CFGetTypeID(ref), CFURLGetTypeID());
    UInt8 buffer[16];
    ASSERT_TRUE(CFURLGetFileSystemRepresentation(ref, true, buffer, 9));
    EXPECT_STREQ(reinterpret_cast<const char*>(buffer), "/a/b.app");
    EXPECT_FALSE(CFURLGetFileSystemRepresentation(ref, true, buffer, 8));
    EXPECT_FALSE(CFURLGetFileSystemRepresentation(nullptr, true, buffer, sizeof buffer));
    const Released string(MakeCFString("/a/b.app"));
    EXPECT_FALSE(CFURLGetFileSystemRepresentation(static_cast<CFURLRef>(string.object), true,
                                                  buffer, sizeof buffer));
}
