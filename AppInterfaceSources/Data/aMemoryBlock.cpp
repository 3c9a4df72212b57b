#include "aMemoryBlock.h"

#include <cstring>

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
