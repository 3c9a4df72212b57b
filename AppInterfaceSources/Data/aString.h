// aString: a length-counted byte string that owns exactly its bytes.
#pragma once

#include "aObject.h"

/// A byte string held in a heap array of exactly getLength() bytes, with no
/// terminator and no spare capacity; a zero byte is ordinary content. Copies
/// never share bytes.
///
/// String arguments come in six forms: another aString, one `char`, one
/// `unsigned char`, a C string (`const char*`, never null), a P-string with a
/// one-byte length (`const unsigned char*`, never null), and a pointer with a
/// byte count. An argument always stands for its bytes as they were when the
/// call began, even when it points into this string.
///
/// Running out of memory throws std::bad_alloc and leaves the string as it was.
class aString : public virtual aObject {
public:
    // Construction, assignment, destruction.
    aString();
    aString(const aString& other);
    aString(char character);
    aString(unsigned char character);
    aString(const char* cString);
    aString(const unsigned char* pString);
    aString(const char* bytes, unsigned long long count);
    ~aString();

    void assign();
    void assign(const aString& other);
    void assign(char character);
    void assign(unsigned char character);
    void assign(const char* cString);
    void assign(const unsigned char* pString);
    void assign(const char* bytes, unsigned long long count);

    aString& operator=(const aString& other);
    aString& operator=(char character);
    aString& operator=(unsigned char character);
    aString& operator=(const char* cString);
    aString& operator=(const unsigned char* pString);

    // Comparison: bytes compare as signed 8-bit values, so 0x80..0xFF sort before
    // 0x00..0x7F; a proper prefix sorts first; letter case counts.
    int compare(const aString& other) const;
    int compare(char character) const;
    int compare(unsigned char character) const;
    int compare(const char* cString) const;
    int compare(const unsigned char* pString) const;
    int compare(const char* bytes, unsigned long long count) const;

    // The char, unsigned char, C-string and P-string forms reach these through the
    // converting constructors: a temporary string, as compare makes one too.
    bool operator==(const aString& other) const { return compare(other) == 0; }
    bool operator!=(const aString& other) const { return compare(other) != 0; }
    bool operator<(const aString& other) const { return compare(other) < 0; }
    bool operator>(const aString& other) const { return compare(other) > 0; }
    bool operator<=(const aString& other) const { return compare(other) <= 0; }
    bool operator>=(const aString& other) const { return compare(other) >= 0; }

    // Access.
    unsigned long long getLength() const { return length; }
    /// The string's own bytes, not terminated; valid until the next change.
    char* getValue() const { return buffer; }
    /// The byte at `index`, which must be below getLength().
    char& operator[](unsigned long long index) { return buffer[index]; }
    char operator[](unsigned long long index) const { return buffer[index]; }

    // Conversion. Arrays returned here are new on every call and belong to the
    // caller, who releases them with delete[].
    /// The first byte, or 0 for the empty string.
    char getAsChar() const;
    unsigned char getAsUnsignedChar() const;
    /// The bytes followed by one zero byte.
    char* getAsCString() const;
    /// A length byte, then the first min(length, 255) bytes.
    unsigned char* getAsPString() const;
    /// A two-byte big-endian length, then the first min(length, 65535) bytes.
    unsigned char* getAsShortPString() const;
    /// A four-byte big-endian length, then the first min(length, 2^32 - 1) bytes.
    unsigned char* getAsLongPString() const;
    // Explicit, because the pointer forms allocate: an implicit conversion would
    // leak silently and make mixed expressions ambiguous.
    explicit operator char() const { return getAsChar(); }
    explicit operator unsigned char() const { return getAsUnsignedChar(); }
    explicit operator char*() const { return getAsCString(); }
    explicit operator unsigned char*() const { return getAsPString(); }

    static unsigned long long GetCStringLength(const char* cString);
    static unsigned long long GetPStringLength(const unsigned char* pString);
    static unsigned long long GetShortPStringLength(const unsigned char* shortPString);
    static unsigned long long GetLongPStringLength(const unsigned char* longPString);

    // Appending: concatenate changes this string, concatenated returns a copy.
    void concatenate(const aString& other);
    void concatenate(char character);
    void concatenate(unsigned char character);
    void concatenate(const char* cString);
    void concatenate(const unsigned char* pString);
    void concatenate(const char* bytes, unsigned long long count);

    aString concatenated(const aString& other) const;
    aString concatenated(char character) const;
    aString concatenated(unsigned char character) const;
    aString concatenated(const char* cString) const;
    aString concatenated(const unsigned char* pString) const;
    aString concatenated(const char* bytes, unsigned long long count) const;

    aString& operator+=(const aString& other);
    aString operator+(const aString& other) const { return concatenated(other); }

    // Inserting at `position`; a position at or past the end appends.
    void insert(const aString& other, unsigned long long position);
    void insert(char character, unsigned long long position);
    void insert(unsigned char character, unsigned long long position);
    void insert(const char* cString, unsigned long long position);
    void insert(const unsigned char* pString, unsigned long long position);
    void insert(const char* bytes, unsigned long long count, unsigned long long position);

    // Leading part and letter case (ASCII letters only).
    /// Keeps the first `count` bytes; a count past the end changes nothing.
    void left(unsigned long long count);
    aString lefted(unsigned long long count) const;
    void lowercase();
    void uppercase();
    aString lowercased() const;
    aString uppercased() const;

    // Text.
    /// The library's end of line: one carriage return.
    static aString GetEndOfLine();
    static aString GetFromInteger(int value);
    static aString GetFromUnsignedInteger(unsigned int value);

    static long long objectCount;

private:
    template <typename... Argument>
    void construct(const Argument&... argument);
    /// Puts a new array of `count` bytes copied from `bytes` in place of the old
    /// one; `bytes` may point into the old array.
    void replace(const char* bytes, unsigned long long count);
    /// A new array of `prefixSize` + n bytes: n big-endian in the prefix, then the
    /// first n bytes, n being the length cut to `maximum`.
    unsigned char* getAsPrefixed(unsigned prefixSize, unsigned long long maximum) const;
    static aString GetDigits(unsigned int magnitude);

    char* buffer;
    unsigned long long length;
};
