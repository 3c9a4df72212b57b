// Mac Roman, the platform's 8-bit text encoding, with Apple's mapping of its
// upper half (0xDB is the euro sign, 0xC6 is U+2206, 0xF0 is U+F8FF).
#pragma once

#include <string>
#include <string_view>

namespace MacRoman {

/// Converts UTF-8 text to Mac Roman, composing a letter followed by a combining
/// accent first where Mac Roman has the composed letter. False when the text is
/// not valid UTF-8 or holds a character that has no Mac Roman byte; `macRoman`
/// is then unspecified.
bool FromUTF8(std::string_view utf8, std::string& macRoman);

/// Mac Roman bytes as UTF-8. Every byte has a character.
std::string ToUTF8(std::string_view macRoman);

} // namespace MacRoman
