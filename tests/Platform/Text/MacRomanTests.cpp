#include "Text/MacRoman.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct Conversion {
    const char* what;
    std::string utf8;
    std::string macRoman;
};

} // namespace

TEST(MacRomanFromUTF8, ConvertsEachCaseToItsBytes) {
    const Conversion cases[] = {
        {"empty", "", ""},
        {"ASCII keeps its bytes", "Hello World.app", "Hello World.app"},
        {"NUL is a character like any other", std::string("a\0b", 3), std::string("a\0b", 3)},
        {"first of the upper half", "\u00C4", "\x80"},
        {"last of the upper half", "\u02C7", "\xFF"},
        {"euro sign", "\u20AC", "\xDB"},
        {"increment, not Greek Delta", "\u2206", "\xC6"},
        {"private-use Apple logo", "\uF8FF", "\xF0"},
        {"three-byte UTF-8", "\u2122", "\xAA"},
        {"composed letter", "caf\u00E9", "caf\x8E"},
        {"decomposed letter is composed", "cafe\u0301", "caf\x8E"},
        {"decomposed capital", "E\u0301cole", std::string("\x83") + "cole"},
        {"decomposed letters side by side", "a\u0308o\u0308u\u0308", "\x8A\x9A\x9F"},
        {"decomposed at the start, then ASCII", "n\u0303x", "\x96x"},
        {"not-equal from its decomposed form", "=\u0338", "\xAD"},
        {"ring and cedilla", "A\u030AC\u0327", "\x81\x82"},
    };
    for (const auto& c : cases) {
        std::string out = "left over";
        EXPECT_TRUE(MacRoman::FromUTF8(c.utf8, out)) << c.what;
        EXPECT_EQ(out, c.macRoman) << c.what;
    }
}

TEST(MacRomanFromUTF8, FailsOnMalformedTextOrCharactersWithoutAByte) {
    const struct {
        const char* what;
        std::string utf8;
    } cases[] = {
        {"Greek Delta (glibc's choice for 0xC6)", "\u0394"},
        {"glibc's private-use choice for 0xF0", "\uE01E"},
        {"CJK", "\u6F22"},
        {"outside the BMP", "\U0001F600"},
        {"a mark with no letter before it", "\u0301"},
        {"a mark after a letter it does not compose with", "x\u0301"},
        {"two marks on one letter", "e\u0301\u0301"},
        {"lone continuation byte", "a\x80"},
        {"truncated sequence at the end", "ab\xC3"},
        {"truncated sequence in the middle", "\xE2\x82z"},
        {"overlong slash", "\xC0\xAF"},
        {"overlong three-byte", "\xE0\x80\xAF"},
        {"surrogate", "\xED\xA0\x80"},
        {"beyond U+10FFFF", "\xF4\x90\x80\x80"},
        {"invalid lead byte", "\xFF"},
    };
    for (const auto& c : cases) {
        std::string out;
        EXPECT_FALSE(MacRoman::FromUTF8(c.utf8, out)) << c.what;
    }
}

TEST(MacRomanToUTF8, GivesTheCharactersOfTheMappingsOwnBytes) {
    const Conversion cases[] = {
        {"ASCII", "plain text", "plain text"},
        {"0x80", "\u00C4", "\x80"},
        {"0xC6", "\u2206", "\xC6"},
        {"0xCA no-break space", "\u00A0", "\xCA"},
        {"0xDB", "\u20AC", "\xDB"},
        {"0xDE ligature", "\uFB01", "\xDE"},
        {"0xF0", "\uF8FF", "\xF0"},
        {"0xFF", "\u02C7", "\xFF"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(MacRoman::ToUTF8(c.macRoman), c.utf8) << c.what;
    }
}

TEST(MacRomanRoundTrip, EveryByteComesBackAsItself) {
    for (int b = 0; b < 256; ++b) {
        const std::string byte(1, static_cast<char>(b));
        std::string back;
        ASSERT_TRUE(MacRoman::FromUTF8(MacRoman::ToUTF8(byte), back)) << b;
        EXPECT_EQ(back, byte) << b;
    }
}
