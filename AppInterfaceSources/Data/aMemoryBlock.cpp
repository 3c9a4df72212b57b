#include "aMemoryBlock.h"

long long aMemoryBlock::objectCount = 0;

namespace {

// GetHandleSize answers 0 for a handle it does not know as live, which keeps the
// constructor from reading through it. A Size widens with its sign.
unsigned long long HandleLength(Handle handle) {
    return static_cast<unsigned long long>(GetHandleSize(handle));
}

} // namespace

// Construction and destruction.

aMemoryBlock::aMemoryBlock() : buffer(nullptr), length(0) { ++objectCount; }

// Blocks with bytes allocate in the initialiser, before the count is raised in the
// body: when the allocation fails the body never runs and nothing is counted.

aMemoryBlock::aMemoryBlock(const aMemoryBlock& other) : aMemoryBlock(other.buffer, other.length) {}

aMemoryBlock::aMemoryBlock(const aString& string)
    : aMemoryBlock(string.getValue(), string.getLength()) {}

aMemoryBlock::aMemoryBlock(unsigned long long size) : buffer(new char[size]), length(size) {
    ++objectCount;
    MemoryClear(buffer, length);
}

aMemoryBlock::aMemoryBlock(Handle handle) : aMemoryBlock(HandleLength(handle), handle) {}

aMemoryBlock::aMemoryBlock(unsigned long long size, Handle handle)
    : buffer(new char[size]), length(size) {
    ++objectCount;
    if (length != 0) {
        MemoryCopy(buffer, *handle, length);
    }
}

aMemoryBlock::aMemoryBlock(const char* bytes, unsigned long long size)
    : buffer(new char[size]), length(size) {
    ++objectCount;
    MemoryCopy(buffer, bytes, length);
}

aMemoryBlock::~aMemoryBlock() {
    --objectCount;
    delete[] buffer;
}

// Whole bytes.

char* aMemoryBlock::get(unsigned long long offset, unsigned long long count) const {
    if (!holds(offset, count)) {
        A_THROW();
    }
    char* bytes = new char[count];
    MemoryCopy(bytes, buffer + offset, count);
    return bytes;
}

void aMemoryBlock::set(const char* source, unsigned long long offset, unsigned long long count) {
    if (!holds(offset, count)) {
        A_THROW();
    }
    MemoryCopy(buffer + offset, source, count);
}

// Handing the bytes out. A block that exists fits in memory, so its length fits a
// Size.

Handle aMemoryBlock::getAsHandle() const {
    Handle handle = NewHandle(static_cast<Size>(length));
    if (handle == nullptr) {
        return nullptr;
    }
    HLock(handle);
    MemoryCopy(*handle, buffer, length);
    HUnlock(handle);
    return handle;
}

Ptr aMemoryBlock::getAsPointer() const {
    Ptr pointer = NewPtr(static_cast<Size>(length));
    if (pointer == nullptr) {
        return nullptr;
    }
    MemoryCopy(pointer, buffer, length);
    return pointer;
}

// Raw byte primitives.

namespace {

// Byte ranges move in chunks of at most 65535 bytes, lowest address first: the
// size the platform's own block moves took in one call.
constexpr unsigned long long chunkSize = 0xFFFF;

unsigned long long chunkAt(unsigned long long offset, unsigned long long count) {
    return count - offset < chunkSize ? count - offset : chunkSize;
}

} // namespace

void aMemoryBlock::MemoryClear(char* destination, unsigned long long count) {
    for (unsigned long long offset = 0; offset < count; offset += chunkSize) {
        std::memset(destination + offset, 0, chunkAt(offset, count));
    }
}

void aMemoryBlock::MemoryCopy(char* destination, const char* source, unsigned long long count) {
    for (unsigned long long offset = 0; offset < count; offset += chunkSize) {
        std::memcpy(destination + offset, source + offset, chunkAt(offset, count));
    }
}
