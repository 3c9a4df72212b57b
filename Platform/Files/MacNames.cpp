#include "MacNames.h"

#include "Text/MacRoman.h"

#include <cstring>

namespace MacNames {

namespace {

constexpr UInt32 replacementCharacter = 0xFFFD;
// Stands for a character that has no Mac Roman form in a shortened name.
constexpr char unconvertible = '_';
// Longer endings are not kept apart when a name is shortened.
constexpr std::size_t extensionLimit = 16;

/// The character that starts at `at` and the bytes it takes; an invalid
/// sequence is one byte standing for U+FFFD.
struct Decoded {
    UInt32 character;
    std::size_t length;
};

Decoded decodeUTF8(std::string_view text, std::size_t at) {
    const auto lead = static_cast<unsigned char>(text[at]);
    const std::size_t length = lead < 0x80                    ? 1
                               : lead >= 0xC2 && lead <= 0xDF ? 2
                               : lead >= 0xE0 && lead <= 0xEF ? 3
                               : lead >= 0xF0 && lead <= 0xF4 ? 4
                                                              : 0;
    if (length == 0 || at + length > text.size()) {
        return {replacementCharacter, 1};
    }
    UInt32 character = length == 1 ? lead : lead & (0x7F >> length);
    for (std::size_t i = 1; i < length; ++i) {
        const auto next = static_cast<unsigned char>(text[at + i]);
        if ((next & 0xC0) != 0x80) {
            return {replacementCharacter, 1};
        }
        character = character << 6 | (next & 0x3F);
    }
    const bool overlong =
        (length == 3 && character < 0x800) || (length == 4 && character < 0x10000);
    if (overlong || character > 0x10FFFF || (character >= 0xD800 && character < 0xE000)) {
        return {replacementCharacter, 1};
    }
    return {character, length};
}

bool isCombiningMark(UInt32 character) { return character >= 0x0300 && character < 0x0370; }

/// The Mac Roman form of `name` with each character that has none (a letter
/// taken with the accents that follow it) written as '_'.
std::string lossyMacRoman(std::string_view name) {
    std::string result, converted;
    std::size_t at = 0;
    while (at < name.size()) {
        std::size_t end = at + decodeUTF8(name, at).length;
        while (end < name.size() && isCombiningMark(decodeUTF8(name, end).character)) {
            end += decodeUTF8(name, end).length;
        }
        if (MacRoman::FromUTF8(name.substr(at, end - at), converted)) {
            result += converted;
        } else {
            result += unconvertible;
        }
        at = end;
    }
    return result;
}

void setPString(std::string_view text, unsigned char* pString) {
    pString[0] = static_cast<unsigned char>(text.size());
    std::memcpy(pString + 1, text.data(), text.size());
}

/// '#' and the node id in upper-case hex.
std::string tagOf(UInt32 nodeID) {
    static constexpr char digits[] = "0123456789ABCDEF";
    char tag[9];
    std::size_t first = sizeof tag;
    do {
        tag[--first] = digits[nodeID & 0xF];
        nodeID >>= 4;
    } while (nodeID != 0);
    tag[--first] = '#';
    return std::string(tag + first, sizeof tag - first);
}

} // namespace

void SpecNameOf(std::string_view name, const std::function<UInt32()>& nodeID,
                const std::function<bool(const std::string&)>& siblingExists,
                unsigned char* specName) {
    std::string macRoman;
    if (MacRoman::FromUTF8(name, macRoman) && !macRoman.empty() &&
        macRoman.size() <= specNameLimit) {
        const std::string composed = MacRoman::ToUTF8(macRoman);
        if (composed == name || !siblingExists(composed)) {
            setPString(macRoman, specName);
            return;
        }
    }
    macRoman = lossyMacRoman(name);
    std::string extension;
    const auto dot = macRoman.rfind('.');
    if (dot != std::string::npos && dot > 0 && macRoman.size() - dot <= extensionLimit) {
        extension = macRoman.substr(dot);
        macRoman.resize(dot);
    }
    const std::string tag = tagOf(nodeID());
    macRoman.resize(std::min(macRoman.size(), specNameLimit - tag.size() - extension.size()));
    setPString(macRoman + tag + extension, specName);
}

UInt32 NodeIDInSpecName(std::string_view specName) {
    const auto hash = specName.rfind('#');
    if (hash == std::string_view::npos) {
        return 0;
    }
    UInt32 nodeID = 0;
    std::size_t digits = 0;
    for (std::size_t at = hash + 1; at < specName.size() && digits < 8; ++at, ++digits) {
        const char c = specName[at];
        const int value = c >= '0' && c <= '9' ? c - '0' : c >= 'A' && c <= 'F' ? c - 'A' + 10 : -1;
        if (value < 0) {
            break;
        }
        nodeID = nodeID << 4 | static_cast<UInt32>(value);
    }
    return nodeID;
}

void UniNameOf(std::string_view name, HFSUniStr255* uniName) {
    constexpr std::size_t limit = sizeof uniName->unicode / sizeof uniName->unicode[0];
    std::size_t units = 0;
    for (std::size_t at = 0; at < name.size();) {
        const Decoded d = decodeUTF8(name, at);
        const bool pair = d.character > 0xFFFF;
        if (units + (pair ? 2 : 1) > limit) {
            break;
        }
        if (pair) {
            const UInt32 above = d.character - 0x10000;
            uniName->unicode[units++] = static_cast<UniChar>(0xD800 + (above >> 10));
            uniName->unicode[units++] = static_cast<UniChar>(0xDC00 + (above & 0x3FF));
        } else {
            uniName->unicode[units++] = static_cast<UniChar>(d.character);
        }
        at += d.length;
    }
    uniName->length = static_cast<UInt16>(units);
}

std::string OnDiskFormOf(std::string_view specName) { return MacRoman::ToUTF8(specName); }

bool HasSpecName(std::string_view name, std::string_view specName) {
    std::string macRoman;
    return MacRoman::FromUTF8(name, macRoman) && macRoman.size() <= specNameLimit &&
           macRoman == specName;
}

} // namespace MacNames
