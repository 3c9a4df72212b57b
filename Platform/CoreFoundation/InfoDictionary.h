// An Info.plist's top-level keys, each with its value as a CF object.
#pragma once

#include "CoreFoundation.h"

#include <string>
#include <string_view>
#include <utility>
#include <vector>

class InfoDictionary {
public:
    /// No keys.
    InfoDictionary() = default;
    /// The keys of the Info.plist at `path`; none when the file is missing,
    /// unreadable, not a regular file, too large, malformed, nested too deep or
    /// not a dictionary.
    static InfoDictionary Read(const std::string& path);
    /// The keys of the property list `plist` (XML or binary), on the same terms.
    static InfoDictionary Parse(std::string_view plist);

    InfoDictionary(InfoDictionary&& other) noexcept : entries(std::move(other.entries)) {}
    InfoDictionary& operator=(InfoDictionary&& other) noexcept;
    ~InfoDictionary();

    /// The value of `key`, or null when there is none. The dictionary keeps it.
    CFTypeRef valueOf(std::string_view key) const;

private:
    void releaseValues();

    std::vector<std::pair<std::string, CFTypeRef>> entries;
};
