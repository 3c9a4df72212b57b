#include "StringArgument.h"

#include <algorithm>
#include <cstring>

namespace {

// Longer than a P-string's 255 bytes, short enough to keep runs quick.
constexpr std::size_t longestFreshArgument = 512;

char* storeExactly(StringArgument& argument, const std::string& bytes, std::size_t size) {
    argument.storage = std::make_unique<char[]>(size);
    std::copy_n(bytes.data(), std::min(bytes.size(), size), argument.storage.get());
    return argument.storage.get();
}

const char* ownBytes(const ModelledString& target, std::size_t offset) {
    return target.string->getValue() + offset;
}

// A C string inside the target's own bytes needs a zero byte at or after its start.
void readCString(FuzzedDataProvider& input, const ModelledString& target, StringArgument& a) {
    const std::string& own = target.model;
    if (input.ConsumeBool()) {
        std::size_t offset = input.ConsumeIntegralInRange<std::size_t>(0, own.size());
        std::size_t zero = own.find('\0', offset);
        if (zero != std::string::npos) {
            a.pointer = ownBytes(target, offset);
            a.bytes = own.substr(offset, zero - offset);
            return;
        }
    }
    std::string text = input.ConsumeRandomLengthString(longestFreshArgument);
    a.pointer = storeExactly(a, text, text.size() + 1); // the array's last byte stays zero
    a.bytes = text.substr(0, text.find('\0'));
}

// A P-string inside the target's own bytes needs its whole count to fit.
void readPString(FuzzedDataProvider& input, const ModelledString& target, StringArgument& a) {
    const std::string& own = target.model;
    if (input.ConsumeBool() && !own.empty()) {
        std::size_t offset = input.ConsumeIntegralInRange<std::size_t>(0, own.size() - 1);
        std::size_t count = static_cast<unsigned char>(own[offset]);
        if (offset + 1 + count <= own.size()) {
            a.pointer = ownBytes(target, offset);
            a.bytes = own.substr(offset + 1, count);
            return;
        }
    }
    std::string text = input.ConsumeBytesAsString(input.ConsumeIntegral<unsigned char>());
    char* p =
        storeExactly(a, std::string(1, static_cast<char>(text.size())) + text, text.size() + 1);
    a.pointer = p;
    a.bytes = text;
}

// With count 0 the pointer is not read, so it may be null.
void readBytesAndCount(FuzzedDataProvider& input, const ModelledString& target, StringArgument& a) {
    const std::string& own = target.model;
    if (input.ConsumeBool()) {
        std::size_t offset = input.ConsumeIntegralInRange<std::size_t>(0, own.size());
        a.count = input.ConsumeIntegralInRange<std::size_t>(0, own.size() - offset);
        a.pointer = ownBytes(target, offset);
        a.bytes = own.substr(offset, a.count);
        return;
    }
    a.bytes = input.ConsumeRandomLengthString(longestFreshArgument);
    a.count = a.bytes.size();
    a.pointer = a.count == 0 ? nullptr : storeExactly(a, a.bytes, a.count);
}

} // namespace

StringArgument ReadStringArgument(FuzzedDataProvider& input,
                                  const std::vector<ModelledString>& strings,
                                  const ModelledString& target, bool countForm) {
    StringArgument a;
    a.form = static_cast<StringForm>(input.ConsumeIntegralInRange(0, countForm ? 5 : 4));
    switch (a.form) {
    case StringForm::string: {
        const auto& chosen =
            strings[input.ConsumeIntegralInRange<std::size_t>(0, strings.size() - 1)];
        a.other = chosen.string.get();
        a.bytes = chosen.model;
        break;
    }
    case StringForm::character:
    case StringForm::unsignedCharacter:
        a.character = input.ConsumeIntegral<char>();
        a.bytes.assign(1, a.character);
        break;
    case StringForm::cString:
        readCString(input, target, a);
        break;
    case StringForm::pString:
        readPString(input, target, a);
        break;
    case StringForm::bytesAndCount:
        readBytesAndCount(input, target, a);
        break;
    }
    return a;
}
