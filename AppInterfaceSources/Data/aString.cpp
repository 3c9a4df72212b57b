#include "aString.h"

#include "aMemoryBlock.h"

#include <cstring>

long long aString::objectCount = 0;

// Construction, assignment, destruction.

// A constructor whose assignment runs out of memory takes its count back, so the
// counts stay an exact record of live objects.
template <typename... Argument>
void aString::construct(const Argument&... argument) {
    ++objectCount;
    try {
        assign(argument...);
    } catch (...) {
        --objectCount;
        throw;
    }
}

aString::aString() : buffer(nullptr), length(0) { construct(); }
aString::aString(const aString& other) : aObject(), buffer(nullptr), length(0) { construct(other); }
aString::aString(char character) : buffer(nullptr), length(0) { construct(character); }
aString::aString(unsigned char character) : buffer(nullptr), length(0) { construct(character); }
aString::aString(const char* cString) : buffer(nullptr), length(0) { construct(cString); }
aString::aString(const unsigned char* pString) : buffer(nullptr), length(0) { construct(pString); }
aString::aString(const char* bytes, unsigned long long count) : buffer(nullptr), length(0) {
    construct(bytes, count);
}

aString::~aString() {
    --objectCount;
    delete[] buffer;
    buffer = nullptr;
}

void aString::replace(const char* bytes, unsigned long long count) {
    // The new array is filled before the old one goes, so an allocation failure
    // leaves the string as it was and `bytes` may point into the old array.
    char* fresh = new char[count];
    aMemoryBlock::MemoryCopy(fresh, bytes, count);
    delete[] buffer;
    buffer = fresh;
    length = count;
}

void aString::assign() { replace(nullptr, 0); }
void aString::assign(const aString& other) { replace(other.buffer, other.length); }
void aString::assign(char character) { replace(&character, 1); }
void aString::assign(unsigned char character) {
    replace(reinterpret_cast<const char*>(&character), 1);
}
void aString::assign(const char* cString) { replace(cString, GetCStringLength(cString)); }
void aString::assign(const unsigned char* pString) {
    replace(reinterpret_cast<const char*>(pString + 1), GetPStringLength(pString));
}
void aString::assign(const char* bytes, unsigned long long count) { replace(bytes, count); }

aString& aString::operator=(const aString& other) {
    assign(other);
    return *this;
}
aString& aString::operator=(char character) {
    assign(character);
    return *this;
}
aString& aString::operator=(unsigned char character) {
    assign(character);
    return *this;
}
aString& aString::operator=(const char* cString) {
    assign(cString);
    return *this;
}
aString& aString::operator=(const unsigned char* pString) {
    assign(pString);
    return *this;
}

// Comparison.

namespace {

// memcmp passes over equal bytes many times faster than a byte loop, but it
// orders bytes as unsigned values: it only finds the block where the strings
// part, and the bytes there are compared one by one.
constexpr unsigned long long equalBlock = 256;

unsigned long long FirstDifference(const char* one, const char* other, unsigned long long count) {
    unsigned long long at = 0;
    while (count - at >= equalBlock && std::memcmp(one + at, other + at, equalBlock) == 0) {
        at += equalBlock;
    }
    while (at < count && one[at] == other[at]) {
        ++at;
    }
    return at;
}

} // namespace

int aString::compare(const aString& other) const {
    unsigned long long shorter = length < other.length ? length : other.length;
    const unsigned long long at = FirstDifference(buffer, other.buffer, shorter);
    if (at < shorter) {
        auto mine = static_cast<signed char>(buffer[at]);
        auto theirs = static_cast<signed char>(other.buffer[at]);
        return mine < theirs ? -1 : 1;
    }
    if (length == other.length) {
        return 0;
    }
    return length < other.length ? -1 : 1;
}
int aString::compare(char character) const { return compare(aString(character)); }
int aString::compare(unsigned char character) const { return compare(aString(character)); }
int aString::compare(const char* cString) const { return compare(aString(cString)); }
int aString::compare(const unsigned char* pString) const { return compare(aString(pString)); }
int aString::compare(const char* bytes, unsigned long long count) const {
    return compare(aString(bytes, count));
}

// Conversion.

char aString::getAsChar() const { return length == 0 ? 0 : buffer[0]; }

unsigned char aString::getAsUnsignedChar() const {
    return length == 0 ? 0 : static_cast<unsigned char>(buffer[0]);
}

char* aString::getAsCString() const {
    char* cString = new char[length + 1];
    aMemoryBlock::MemoryCopy(cString, buffer, length);
    cString[length] = 0;
    return cString;
}

unsigned char* aString::getAsPrefixed(unsigned prefixSize, unsigned long long maximum) const {
    unsigned long long count = length > maximum ? maximum : length;
    auto* prefixed = new unsigned char[prefixSize + count];
    for (unsigned i = 0; i < prefixSize; ++i) {
        prefixed[i] = static_cast<unsigned char>(count >> (8 * (prefixSize - 1 - i)));
    }
    aMemoryBlock::MemoryCopy(reinterpret_cast<char*>(prefixed + prefixSize), buffer, count);
    return prefixed;
}

unsigned char* aString::getAsPString() const { return getAsPrefixed(1, 0xFF); }
unsigned char* aString::getAsShortPString() const { return getAsPrefixed(2, 0xFFFF); }
unsigned char* aString::getAsLongPString() const { return getAsPrefixed(4, 0xFFFFFFFF); }

unsigned long long aString::GetCStringLength(const char* cString) { return std::strlen(cString); }

unsigned long long aString::GetPStringLength(const unsigned char* pString) { return pString[0]; }

unsigned long long aString::GetShortPStringLength(const unsigned char* shortPString) {
    return static_cast<unsigned long long>(shortPString[0]) << 8 | shortPString[1];
}

unsigned long long aString::GetLongPStringLength(const unsigned char* longPString) {
    return static_cast<unsigned long long>(longPString[0]) << 24 |
           static_cast<unsigned long long>(longPString[1]) << 16 |
           static_cast<unsigned long long>(longPString[2]) << 8 | longPString[3];
}

// Appending.

void aString::concatenate(const aString& other) {
    // `other` may be this string: its bytes are read before the old array goes.
    unsigned long long count = other.length;
    char* fresh = new char[length + count];
    aMemoryBlock::MemoryCopy(fresh, buffer, length);
    aMemoryBlock::MemoryCopy(fresh + length, other.buffer, count);
    delete[] buffer;
    buffer = fresh;
    length += count;
}
void aString::concatenate(char character) { concatenate(aString(character)); }
void aString::concatenate(unsigned char character) { concatenate(aString(character)); }
void aString::concatenate(const char* cString) { concatenate(aString(cString)); }
void aString::concatenate(const unsigned char* pString) { concatenate(aString(pString)); }
void aString::concatenate(const char* bytes, unsigned long long count) {
    concatenate(aString(bytes, count));
}

aString aString::concatenated(const aString& other) const {
    aString copy(buffer, length);
    copy.concatenate(other);
    return copy;
}
aString aString::concatenated(char character) const { return concatenated(aString(character)); }
aString aString::concatenated(unsigned char character) const {
    return concatenated(aString(character));
}
aString aString::concatenated(const char* cString) const { return concatenated(aString(cString)); }
aString aString::concatenated(const unsigned char* pString) const {
    return concatenated(aString(pString));
}
aString aString::concatenated(const char* bytes, unsigned long long count) const {
    return concatenated(aString(bytes, count));
}

aString& aString::operator+=(const aString& other) {
    concatenate(other);
    return *this;
}

// Inserting.

void aString::insert(const aString& other, unsigned long long position) {
    unsigned long long count = other.length;
    if (count == 0) {
        return;
    }
    if (length == 0) {
        assign(other);
        return;
    }
    unsigned long long at = position < length ? position : length;
    char* fresh = new char[length + count];
    aMemoryBlock::MemoryCopy(fresh, buffer, at);
    aMemoryBlock::MemoryCopy(fresh + at, other.buffer, count);
    aMemoryBlock::MemoryCopy(fresh + at + count, buffer + at, length - at);
    delete[] buffer;
    buffer = fresh;
    length += count;
}
void aString::insert(char character, unsigned long long position) {
    insert(aString(character), position);
}
void aString::insert(unsigned char character, unsigned long long position) {
    insert(aString(character), position);
}
void aString::insert(const char* cString, unsigned long long position) {
    insert(aString(cString), position);
}
void aString::insert(const unsigned char* pString, unsigned long long position) {
    insert(aString(pString), position);
}
void aString::insert(const char* bytes, unsigned long long count, unsigned long long position) {
    insert(aString(bytes, count), position);
}

// Leading part and letter case.

void aString::left(unsigned long long count) {
    if (length == 0 || count > length) {
        return;
    }
    replace(buffer, count);
}

aString aString::lefted(unsigned long long count) const {
    aString copy(buffer, length);
    copy.left(count);
    return copy;
}

void aString::lowercase() {
    for (unsigned long long i = 0; i < length; ++i) {
        if (buffer[i] >= 'A' && buffer[i] <= 'Z') {
            buffer[i] = static_cast<char>(buffer[i] + 0x20);
        }
    }
}

void aString::uppercase() {
    for (unsigned long long i = 0; i < length; ++i) {
        if (buffer[i] >= 'a' && buffer[i] <= 'z') {
            buffer[i] = static_cast<char>(buffer[i] - 0x20);
        }
    }
}

aString aString::lowercased() const {
    aString copy(buffer, length);
    copy.lowercase();
    return copy;
}

aString aString::uppercased() const {
    aString copy(buffer, length);
    copy.uppercase();
    return copy;
}

// Text.

aString aString::GetEndOfLine() { return aString('\r'); }

// Digits come out least significant first, so each goes in front.
aString aString::GetDigits(unsigned int magnitude) {
    aString text;
    while (magnitude > 0) {
        text.insert(static_cast<char>('0' + magnitude % 10), 0);
        magnitude /= 10;
    }
    return text;
}

aString aString::GetFromInteger(int value) {
    if (value == 0) {
        return aString("0");
    }
    // Unsigned negation, so that -2147483648 has its magnitude 2147483648.
    unsigned int magnitude =
        value < 0 ? 0u - static_cast<unsigned int>(value) : static_cast<unsigned int>(value);
    aString text = GetDigits(magnitude);
    if (value < 0) {
        text.insert('-', 0);
    }
    return text;
}

aString aString::GetFromUnsignedInteger(unsigned int value) {
    if (value == 0) {
        return aString("0");
    }
    return GetDigits(value);
}
