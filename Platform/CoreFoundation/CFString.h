// The string object: UTF-8 text, converted only when asked for.
#pragma once

#include "CFObject.h"

#include <string>
#include <string_view>
#include <utility>

struct __CFString final : CFObject {
    __CFString(std::string utf8, Lifetime lifetime)
        : CFObject(CFTypeIDs::string, lifetime), utf8(std::move(utf8)) {}

    const std::string utf8;
};

/// A new string holding `utf8`; the caller releases it.
CFStringRef MakeCFString(std::string utf8);

/// Copies `bytes` and a NUL into `buffer`; false, with nothing written, when
/// they do not fit `bufferSize`.
Boolean CopyAsCString(std::string_view bytes, void* buffer, CFIndex bufferSize);
