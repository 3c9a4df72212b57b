#include "CFString.h"

#include "Text/MacRoman.h"

#include <cstring>
#include <map>

CFStringRef MakeCFString(std::string utf8) {
    return new __CFString(std::move(utf8), CFObject::Lifetime::counted);
}

Boolean CopyAsCString(std::string_view bytes, void* buffer, CFIndex bufferSize) {
    if (buffer == nullptr || bufferSize <= 0 ||
        bytes.size() >= static_cast<std::size_t>(bufferSize)) {
        return false;
    }
    auto* out = static_cast<char*>(buffer);
    std::memcpy(out, bytes.data(), bytes.size());
    out[bytes.size()] = '\0';
    return true;
}

CFStringRef __CFStringMakeConstantString(const char* cString) {
    // Keyed by the text, not the pointer: the same literal in two places is one
    // constant. Each key views the text of its own string. The table is never
    // destroyed either, so the constants stay reachable to the very end.
    static auto& constants = *new std::map<std::string_view, CFStringRef>;
    const auto found = constants.find(cString);
    if (found != constants.end()) {
        return found->second;
    }
    const auto* made = new __CFString(cString, CFObject::Lifetime::permanent);
    constants.emplace(made->utf8, made);
    return made;
}

Boolean CFStringGetCString(CFStringRef string, char* buffer, CFIndex bufferSize,
                           CFStringEncoding encoding) {
    const auto* object = CFObjectAs<__CFString>(string, CFTypeIDs::string);
    if (object == nullptr) {
        return false;
    }
    std::string macRoman;
    std::string_view bytes;
    if (encoding == kCFStringEncodingUTF8) {
        bytes = object->utf8;
    } else if (encoding == kCFStringEncodingMacRoman &&
               MacRoman::FromUTF8(object->utf8, macRoman)) {
        bytes = macRoman;
    } else {
        return false;
    }
    // A NUL inside would end the C string early and silently shorten the text.
    return bytes.find('\0') == std::string_view::npos && CopyAsCString(bytes, buffer, bufferSize);
}
