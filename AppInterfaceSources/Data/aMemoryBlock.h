// aMemoryBlock: the library's raw byte primitives.
#pragma once

#include "aObject.h"

class aMemoryBlock : public virtual aObject {
public:
    /// Sets `count` bytes from `destination` to 0. With count 0 nothing is touched
    /// and the pointer may be null.
    static void MemoryClear(char* destination, unsigned long long count);
    /// Copies `count` bytes; the ranges must not overlap. With count 0 nothing is
    /// touched and the pointers may be null.
    static void MemoryCopy(char* destination, const char* source, unsigned long long count);
};
