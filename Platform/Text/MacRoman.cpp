#include "MacRoman.h"

#include <cstddef>

namespace {

// The characters of bytes 0x80 to 0xFF; the lower half is ASCII. One table
// serves both directions, so they cannot disagree.
constexpr char16_t upperHalf[128] = {
    0x00C4, 0x00C5, 0x00C7, 0x00C9, 0x00D1, 0x00D6, 0x00DC, 0x00E1, // 0x80
    0x00E0, 0x00E2, 0x00E4, 0x00E3, 0x00E5, 0x00E7, 0x00E9, 0x00E8, // 0x88
    0x00EA, 0x00EB, 0x00ED, 0x00EC, 0x00EE, 0x00EF, 0x00F1, 0x00F3, // 0x90
    0x00F2, 0x00F4, 0x00F6, 0x00F5, 0x00FA, 0x00F9, 0x00FB, 0x00FC, // 0x98
    0x2020, 0x00B0, 0x00A2, 0x00A3, 0x00A7, 0x2022, 0x00B6, 0x00DF, // 0xA0
    0x00AE, 0x00A9, 0x2122, 0x00B4, 0x00A8, 0x2260, 0x00C6, 0x00D8, // 0xA8
    0x221E, 0x00B1, 0x2264, 0x2265, 0x00A5, 0x00B5, 0x2202, 0x2211, // 0xB0
    0x220F, 0x03C0, 0x222B, 0x00AA, 0x00BA, 0x03A9, 0x00E6, 0x00F8, // 0xB8
    0x00BF, 0x00A1, 0x00AC, 0x221A, 0x0192, 0x2248, 0x2206, 0x00AB, // 0xC0
    0x00BB, 0x2026, 0x00A0, 0x00C0, 0x00C3, 0x00D5, 0x0152, 0x0153, // 0xC8
    0x2013, 0x2014, 0x201C, 0x201D, 0x2018, 0x2019, 0x00F7, 0x25CA, // 0xD0
    0x00FF, 0x0178, 0x2044, 0x20AC, 0x2039, 0x203A, 0xFB01, 0xFB02, // 0xD8
    0x2021, 0x00B7, 0x201A, 0x201E, 0x2030, 0x00C2, 0x00CA, 0x00C1, // 0xE0
    0x00CB, 0x00C8, 0x00CD, 0x00CE, 0x00CF, 0x00CC, 0x00D3, 0x00D4, // 0xE8
    0xF8FF, 0x00D2, 0x00DA, 0x00DB, 0x00D9, 0x0131, 0x02C6, 0x02DC, // 0xF0
    0x00AF, 0x02D8, 0x02D9, 0x02DA, 0x00B8, 0x02DD, 0x02DB, 0x02C7, // 0xF8
};

// Decomposed letters (a base followed by a combining mark) that have a byte of
// their own. Names copied from a Mac file system often arrive in this form.
struct Composition {
    char base;
    char16_t mark;
    unsigned char byte;
};
constexpr Composition compositions[] = {
    {'A', 0x0308, 0x80}, {'A', 0x030A, 0x81}, {'C', 0x0327, 0x82}, {'E', 0x0301, 0x83},
    {'N', 0x0303, 0x84}, {'O', 0x0308, 0x85}, {'U', 0x0308, 0x86}, {'a', 0x0301, 0x87},
    {'a', 0x0300, 0x88}, {'a', 0x0302, 0x89}, {'a', 0x0308, 0x8A}, {'a', 0x0303, 0x8B},
    {'a', 0x030A, 0x8C}, {'c', 0x0327, 0x8D}, {'e', 0x0301, 0x8E}, {'e', 0x0300, 0x8F},
    {'e', 0x0302, 0x90}, {'e', 0x0308, 0x91}, {'i', 0x0301, 0x92}, {'i', 0x0300, 0x93},
    {'i', 0x0302, 0x94}, {'i', 0x0308, 0x95}, {'n', 0x0303, 0x96}, {'o', 0x0301, 0x97},
    {'o', 0x0300, 0x98}, {'o', 0x0302, 0x99}, {'o', 0x0308, 0x9A}, {'o', 0x0303, 0x9B},
    {'u', 0x0301, 0x9C}, {'u', 0x0300, 0x9D}, {'u', 0x0302, 0x9E}, {'u', 0x0308, 0x9F},
    {'=', 0x0338, 0xAD}, {'A', 0x0300, 0xCB}, {'A', 0x0303, 0xCC}, {'O', 0x0303, 0xCD},
    {'y', 0x0308, 0xD8}, {'Y', 0x0308, 0xD9}, {'A', 0x0302, 0xE5}, {'E', 0x0302, 0xE6},
    {'A', 0x0301, 0xE7}, {'E', 0x0308, 0xE8}, {'E', 0x0300, 0xE9}, {'I', 0x0301, 0xEA},
    {'I', 0x0302, 0xEB}, {'I', 0x0308, 0xEC}, {'I', 0x0300, 0xED}, {'O', 0x0301, 0xEE},
    {'O', 0x0302, 0xEF}, {'O', 0x0300, 0xF1}, {'U', 0x0301, 0xF2}, {'U', 0x0302, 0xF3},
    {'U', 0x0300, 0xF4},
};

// Outside Unicode, so no table holds them.
constexpr char32_t endOfText = 0xFFFFFFFE;
constexpr char32_t malformed = 0xFFFFFFFF;

// Reads one UTF-8 character at `at` and moves past it. A truncated, overlong or
// surrogate sequence, or one beyond U+10FFFF, is `malformed`.
char32_t nextCharacter(std::string_view text, std::size_t& at) {
    if (at == text.size()) {
        return endOfText;
    }
    const auto lead = static_cast<unsigned char>(text[at++]);
    if (lead < 0x80) {
        return lead;
    }
    std::size_t followers;
    char32_t c, smallest;
    if (lead >= 0xC2 && lead <= 0xDF) {
        followers = 1, c = lead & 0x1F, smallest = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        followers = 2, c = lead & 0x0F, smallest = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        followers = 3, c = lead & 0x07, smallest = 0x10000;
    } else {
        return malformed;
    }
    for (; followers > 0; --followers) {
        if (at == text.size() || (static_cast<unsigned char>(text[at]) & 0xC0) != 0x80) {
            return malformed;
        }
        c = (c << 6) | (static_cast<unsigned char>(text[at++]) & 0x3F);
    }
    if (c < smallest || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
        return malformed;
    }
    return c;
}

// The byte of `c`, or -1 when Mac Roman has none.
int byteOf(char32_t c) {
    if (c < 0x80) {
        return static_cast<int>(c);
    }
    for (int i = 0; i < 128; ++i) {
        if (upperHalf[i] == c) {
            return 0x80 + i;
        }
    }
    return -1;
}

// The byte of `base` followed by `mark`, or -1 when they do not compose.
int composedByteOf(char32_t base, char32_t mark) {
    for (const auto& composition : compositions) {
        if (static_cast<char32_t>(composition.base) == base && composition.mark == mark) {
            return composition.byte;
        }
    }
    return -1;
}

void appendUTF8(std::string& utf8, char32_t c) {
    if (c < 0x80) {
        utf8 += static_cast<char>(c);
    } else if (c < 0x800) {
        utf8 += static_cast<char>(0xC0 | (c >> 6));
        utf8 += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        utf8 += static_cast<char>(0xE0 | (c >> 12));
        utf8 += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        utf8 += static_cast<char>(0x80 | (c & 0x3F));
    }
}

} // namespace

namespace MacRoman {

bool FromUTF8(std::string_view utf8, std::string& macRoman) {
    macRoman.clear();
    macRoman.reserve(utf8.size());
    std::size_t at = 0;
    char32_t c = nextCharacter(utf8, at);
    while (c != endOfText) {
        char32_t next = nextCharacter(utf8, at);
        int byte = composedByteOf(c, next);
        if (byte >= 0) {
            next = nextCharacter(utf8, at); // the mark is used up
        } else {
            byte = byteOf(c); // none for a malformed sequence
        }
        if (byte < 0) {
            return false;
        }
        macRoman += static_cast<char>(byte);
        c = next;
    }
    return true;
}

std::string ToUTF8(std::string_view macRoman) {
    std::string utf8;
    utf8.reserve(macRoman.size() * 3);
    for (const char ch : macRoman) {
        const auto byte = static_cast<unsigned char>(ch);
        appendUTF8(utf8, byte < 0x80 ? char32_t{byte} : char32_t{upperHalf[byte - 0x80]});
    }
    return utf8;
}

} // namespace MacRoman
