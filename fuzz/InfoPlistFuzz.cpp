// Arbitrary bytes as a bundle's Info.plist, read by the bundle services' own
// reader, with the launcher's conversion of the "ZQLaunchApp" value: no crash,
// no leak, and a conversion that fits its buffer exactly.
#include "CoreFoundation/CoreFoundation.h"
#include "CoreFoundation/InfoDictionary.h"
#include "FuzzCheck.h"
#include "Text/MacRoman.h"
#include "aString.h"

#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>

namespace {

// The launcher's buffer.
constexpr CFIndex bufferSize = 256;

// The conversion into a heap array of exactly `size` bytes, so that a write past
// it is caught; the C string on success.
bool convert(CFTypeRef value, CFIndex size, std::string& text) {
    auto buffer = std::make_unique<char[]>(static_cast<std::size_t>(size));
    if (!CFStringGetCString(static_cast<CFStringRef>(value), buffer.get(), size,
                            kCFStringEncodingMacRoman)) {
        return false;
    }
    const auto* end =
        static_cast<const char*>(std::memchr(buffer.get(), 0, static_cast<std::size_t>(size)));
    FUZZ_CHECK(end != nullptr);
    text.assign(buffer.get(), static_cast<std::size_t>(end - buffer.get()));
    return true;
}

void checkName(CFTypeRef value) {
    std::string name;
    if (!convert(value, bufferSize, name)) {
        return;
    }
    const aString applicationName(name.c_str());
    FUZZ_CHECK(applicationName.getLength() == name.size() && name.size() < bufferSize);
    // The same conversion needs exactly its length and the NUL.
    std::string again;
    const auto fitting = static_cast<CFIndex>(name.size() + 1);
    FUZZ_CHECK(convert(value, fitting, again) && again == name);
    FUZZ_CHECK(!convert(value, fitting - 1, again));
    // Every Mac Roman byte has a character, and that character comes back as the byte.
    std::string back;
    FUZZ_CHECK(MacRoman::FromUTF8(MacRoman::ToUTF8(name), back) && back == name);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    {
        const InfoDictionary info =
            InfoDictionary::Parse(std::string_view(reinterpret_cast<const char*>(data), size));
        if (CFTypeRef value = info.valueOf("ZQLaunchApp")) {
            checkName(value);
        }
    }
    FUZZ_CHECK(aObject::objectCount == 0);
    return 0;
}
