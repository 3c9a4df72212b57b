// aMemoryBlock: an owned, fixed-length run of raw bytes with big-endian typed
// access, and the library's raw byte primitives.
#pragma once

#include "aException.h"
#include "aObject.h"
#include "aString.h"

#include "Memory/Memory.h"

#include <bit>
#include <cstdint>
#include <cstring>
#include <type_traits>

/// A block's length is fixed when it is made; only its bytes change. Every
/// constructor that starts from existing bytes copies them, so no two blocks
/// share bytes and a block never adopts memory handed to it.
///
/// Integers are stored big-endian (most significant byte first) at any offset,
/// unaligned. Every accessor tests its whole range against the length first:
/// one that would reach past the end throws aException (file and line only) and
/// has read, written and allocated nothing.
///
/// Running out of memory in a constructor or in get() throws std::bad_alloc and
/// leaves no block and no count behind.
class aMemoryBlock : public virtual aObject {
public:
    // Construction and destruction.
    /// An empty block with no bytes at all: getValue() is null.
    aMemoryBlock();
    aMemoryBlock(const aMemoryBlock& other);
    /// The string's bytes, without a terminator.
    explicit aMemoryBlock(const aString& string);
    /// `size` bytes, all zero.
    explicit aMemoryBlock(unsigned long long size);
    /// A copy of the handle's bytes; the handle stays the caller's, unchanged. A
    /// handle the Memory Manager does not know as live (null, disposed, not made
    /// by NewHandle) gives a block of length 0 and is not read through.
    explicit aMemoryBlock(Handle handle);
    /// A copy of `size` bytes from `bytes`, which is not read when size is 0.
    aMemoryBlock(const char* bytes, unsigned long long size);
    ~aMemoryBlock();

    /// Blocks never change length, so there is no assignment between them.
    aMemoryBlock& operator=(const aMemoryBlock&) = delete;

    // Whole bytes.
    unsigned long long getLength() const { return length; }
    /// The block's own bytes, for reading and writing up to getLength() bytes.
    char* getValue() const { return buffer; }
    /// A new array of `count` bytes copied from `offset`; the caller delete[]s it.
    char* get(unsigned long long offset, unsigned long long count) const;
    /// Copies `count` bytes from `source`, which must not overlap them, to `offset`.
    void set(const char* source, unsigned long long offset, unsigned long long count);

    // Typed access: Short is 16 bits, Long 32, LongLong 64, whatever the host's.
    std::int8_t getChar(unsigned long long offset) const;
    std::uint8_t getUChar(unsigned long long offset) const;
    std::int16_t getShort(unsigned long long offset) const;
    std::uint16_t getUShort(unsigned long long offset) const;
    std::int32_t getLong(unsigned long long offset) const;
    std::uint32_t getULong(unsigned long long offset) const;
    std::int64_t getLongLong(unsigned long long offset) const;
    std::uint64_t getULongLong(unsigned long long offset) const;
    void setChar(std::int8_t value, unsigned long long offset);
    void setUChar(std::uint8_t value, unsigned long long offset);
    void setShort(std::int16_t value, unsigned long long offset);
    void setUShort(std::uint16_t value, unsigned long long offset);
    void setLong(std::int32_t value, unsigned long long offset);
    void setULong(std::uint32_t value, unsigned long long offset);
    void setLongLong(std::int64_t value, unsigned long long offset);
    void setULongLong(std::uint64_t value, unsigned long long offset);

    // Handing the bytes out.
    /// A new unlocked handle holding a copy of the bytes, or null when the Memory
    /// Manager refuses. The caller owns it and disposes of it with DisposeHandle.
    Handle getAsHandle() const;
    /// A new pointer block holding a copy of the bytes, or null when the Memory
    /// Manager refuses. The caller owns it and disposes of it with DisposePtr.
    Ptr getAsPointer() const;

    // Raw byte primitives.
    /// Sets `count` bytes from `destination` to 0. With count 0 nothing is touched
    /// and the pointer may be null.
    static void MemoryClear(char* destination, unsigned long long count);
    /// Copies `count` bytes; the ranges must not overlap. With count 0 nothing is
    /// touched and the pointers may be null.
    static void MemoryCopy(char* destination, const char* source, unsigned long long count);

    static long long objectCount;

private:
    /// The handle constructor once GetHandleSize has given the size: the size is
    /// known before anything is allocated or read through the handle.
    aMemoryBlock(unsigned long long size, Handle handle);

    /// Whether `count` bytes from `offset` lie inside the block. offset + count is
    /// never formed: it could wrap past 2^64 and pass. With a fixed count, as in
    /// the typed accessors, length - count is the same on every call in a loop, so
    /// the compiler leaves one comparison per access.
    bool holds(unsigned long long offset, unsigned long long count) const {
        return count <= length && offset <= length - count;
    }
    template <typename Value>
    Value read(unsigned long long offset) const;
    template <typename Value>
    void write(Value value, unsigned long long offset);

    // Host order to big-endian and back: the same swap both ways.
    static constexpr bool hostIsLittleEndian = std::endian::native == std::endian::little;
    static std::uint8_t BigEndian(std::uint8_t bits) { return bits; }
    static std::uint16_t BigEndian(std::uint16_t bits) {
        return hostIsLittleEndian ? __builtin_bswap16(bits) : bits;
    }
    static std::uint32_t BigEndian(std::uint32_t bits) {
        return hostIsLittleEndian ? __builtin_bswap32(bits) : bits;
    }
    static std::uint64_t BigEndian(std::uint64_t bits) {
        return hostIsLittleEndian ? __builtin_bswap64(bits) : bits;
    }

    char* buffer;
    unsigned long long length;
};

// The typed accessors are inline so that, once the range test has passed, each is
// one unaligned load or store and a byte swap. Each throws from its own line.

template <typename Value>
Value aMemoryBlock::read(unsigned long long offset) const {
    std::make_unsigned_t<Value> bits;
    std::memcpy(&bits, buffer + offset, sizeof bits);
    return static_cast<Value>(BigEndian(bits));
}

// A store of a character type may change any object, this block's own fields
// included, so a memcpy here would make the compiler reload buffer and length
// after every write in a loop. A store of a 16-, 32- or 64-bit unsigned type
// (marked unaligned) cannot change a pointer or an unsigned long long; a byte
// is a character either way. Reads stay memcpy, so they see every write
// whatever its width.
template <typename Value>
void aMemoryBlock::write(Value value, unsigned long long offset) {
    using Bits [[gnu::aligned(1)]] = std::make_unsigned_t<Value>;
    *reinterpret_cast<Bits*>(buffer + offset) = BigEndian(static_cast<Bits>(value));
}

inline std::int8_t aMemoryBlock::getChar(unsigned long long offset) const {
    if (!holds(offset, sizeof(std::int8_t))) [[unlikely]] {
        A_THROW();
    }
    return read<std::int8_t>(offset);
}

inline std::uint8_t aMemoryBlock::getUChar(unsigned long long offset) const {
    if (!holds(offset, sizeof(std::uint8_t))) [[unlikely]] {
        A_THROW();
    }
    return read<std::uint8_t>(offset);
}

inline std::int16_t aMemoryBlock::getShort(unsigned long long offset) const {
    if (!holds(offset, sizeof(std::int16_t))) [[unlikely]] {
        A_THROW();
    }
    return read<std::int16_t>(offset);
}

inline std::uint16_t aMemoryBlock::getUShort(unsigned long long offset) const {
    if (!holds(offset, sizeof(std::uint16_t))) [[unlikely]] {
        A_THROW();
    }
    return read<std::uint16_t>(offset);
}

inline std::int32_t aMemoryBlock::getLong(unsigned long long offset) const {
    if (!holds(offset, sizeof(std::int32_t))) [[unlikely]] {
        A_THROW();
    }
    return read<std::int32_t>(offset);
}

inline std::uint32_t aMemoryBlock::getULong(unsigned long long offset) const {
    if (!holds(offset, sizeof(std::uint32_t))) [[unlikely]] {
        A_THROW();
    }
    return read<std::uint32_t>(offset);
}

inline std::int64_t aMemoryBlock::getLongLong(unsigned long long offset) const {
    if (!holds(offset, sizeof(std::int64_t))) [[unlikely]] {
        A_THROW();
    }
    return read<std::int64_t>(offset);
}

inline std::uint64_t aMemoryBlock::getULongLong(unsigned long long offset) const {
    if (!holds(offset, sizeof(std::uint64_t))) [[unlikely]] {
        A_THROW();
    }
    return read<std::uint64_t>(offset);
}

inline void aMemoryBlock::setChar(std::int8_t value, unsigned long long offset) {
    if (!holds(offset, sizeof(value))) [[unlikely]] {
        A_THROW();
    }
    write(value, offset);
}

inline void aMemoryBlock::setUChar(std::uint8_t value, unsigned long long offset) {
    if (!holds(offset, sizeof(value))) [[unlikely]] {
        A_THROW();
    }
    write(value, offset);
}

inline void aMemoryBlock::setShort(std::int16_t value, unsigned long long offset) {
    if (!holds(offset, sizeof(value))) [[unlikely]] {
        A_THROW();
    }
    write(value, offset);
}

inline void aMemoryBlock::setUShort(std::uint16_t value, unsigned long long offset) {
    if (!holds(offset, sizeof(value))) [[unlikely]] {
        A_THROW();
    }
    write(value, offset);
}

inline void aMemoryBlock::setLong(std::int32_t value, unsigned long long offset) {
    if (!holds(offset, sizeof(value))) [[unlikely]] {
        A_THROW();
    }
    write(value, offset);
}

inline void aMemoryBlock::setULong(std::uint32_t value, unsigned long long offset) {
    if (!holds(offset, sizeof(value))) [[unlikely]] {
        A_THROW();
    }
    write(value, offset);
}

inline void aMemoryBlock::setLongLong(std::int64_t value, unsigned long long offset) {
    if (!holds(offset, sizeof(value))) [[unlikely]] {
        A_THROW();
    }
    write(value, offset);
}

inline void aMemoryBlock::setULongLong(std::uint64_t value, unsigned long long offset) {
    if (!holds(offset, sizeof(value))) [[unlikely]] {
        A_THROW();
    }
    write(value, offset);
}
