#include "InfoDictionary.h"

#include "CFObject.h"
#include "CFString.h"
#include "InfoPlistFile.h"
#include "PlistShape.h"

#include <plist/plist.h>

#include <cstdint>
#include <cstdlib>
#include <memory>

namespace {

// A value of a kind no service looks into: only its type matters.
struct OpaqueValue final : CFObject {
    using CFObject::CFObject;
};

// The CF object for one value, or null for a node that is no value of its own.
CFTypeRef makeValue(plist_t node) {
    switch (plist_get_node_type(node)) {
    case PLIST_STRING: {
        // Taken with its length: a NUL inside stays in the text, so that the
        // conversion to a C string can refuse it.
        std::uint64_t length = 0;
        const char* text = plist_get_string_ptr(node, &length);
        return MakeCFString(std::string(text, length));
    }
    case PLIST_BOOLEAN:
        return new OpaqueValue(CFTypeIDs::boolean);
    case PLIST_UINT:
    case PLIST_REAL:
        return new OpaqueValue(CFTypeIDs::number);
    case PLIST_DATE:
        return new OpaqueValue(CFTypeIDs::date);
    case PLIST_DATA:
        return new OpaqueValue(CFTypeIDs::data);
    case PLIST_ARRAY:
        return new OpaqueValue(CFTypeIDs::array);
    case PLIST_DICT:
        return new OpaqueValue(CFTypeIDs::dictionary);
    default:
        return nullptr;
    }
}

struct PlistFree {
    void operator()(plist_t node) const { plist_free(node); }
};
struct MallocFree {
    void operator()(void* memory) const { std::free(memory); }
};

} // namespace

InfoDictionary InfoDictionary::Read(const std::string& path) {
    const auto file = ReadInfoPlistFile(path);
    return Parse(std::string_view(file.data.get(), file.size));
}

InfoDictionary InfoDictionary::Parse(std::string_view plist) {
    InfoDictionary dictionary;
    if (plist.empty() || !IsPlistWithinLimits(plist)) {
        return dictionary;
    }
    plist_t parsed = nullptr;
    plist_from_memory(plist.data(), static_cast<std::uint32_t>(plist.size()), &parsed);
    const std::unique_ptr<void, PlistFree> root(parsed);
    if (!root || plist_get_node_type(root.get()) != PLIST_DICT) {
        return dictionary;
    }
    plist_dict_iter iterator = nullptr;
    plist_dict_new_iter(root.get(), &iterator);
    const std::unique_ptr<void, MallocFree> iteratorOwner(iterator);
    for (;;) {
        char* key = nullptr;
        plist_t node = nullptr;
        plist_dict_next_item(root.get(), iterator, &key, &node);
        const std::unique_ptr<char, MallocFree> keyOwner(key);
        if (key == nullptr) {
            break;
        }
        // The entry exists before its value, so a value is never left unowned.
        dictionary.entries.emplace_back(key, nullptr);
        dictionary.entries.back().second = makeValue(node);
        if (dictionary.entries.back().second == nullptr) {
            dictionary.entries.pop_back();
        }
    }
    return dictionary;
}

InfoDictionary& InfoDictionary::operator=(InfoDictionary&& other) noexcept {
    if (this != &other) {
        releaseValues();
        entries = std::move(other.entries);
    }
    return *this;
}

InfoDictionary::~InfoDictionary() { releaseValues(); }

CFTypeRef InfoDictionary::valueOf(std::string_view key) const {
    for (const auto& [name, value] : entries) {
        if (name == key) {
            return value;
        }
    }
    return nullptr;
}

void InfoDictionary::releaseValues() {
    for (const auto& entry : entries) {
        CFRelease(entry.second);
    }
    entries.clear();
}
