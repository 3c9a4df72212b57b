#include "Memory.h"

#include <cstddef>
#include <cstdlib>
#include <new>

namespace {

OSErr lastError = noErr;

// A handle is the address of the master pointer, which is the first field of
// this record, so the record is found again from the handle alone.
struct MasterBlock {
    Ptr master;
    Size size;
    bool locked;
    unsigned magic;
};

constexpr unsigned liveMagic = 0x48414e44; // "HAND"
constexpr unsigned deadMagic = 0x44454144; // "DEAD"

// A pointer block keeps its size just below the bytes it hands out.
struct alignas(std::max_align_t) PtrHeader {
    Size size;
    unsigned magic;
};

constexpr unsigned ptrMagic = 0x50545220; // "PTR "

OSErr setError(OSErr err) {
    lastError = err;
    return err;
}

MasterBlock* blockOf(Handle h) {
    if (h == nullptr) {
        setError(nilHandleErr);
        return nullptr;
    }
    auto* block = reinterpret_cast<MasterBlock*>(h);
    if (block->magic != liveMagic) {
        setError(memWZErr);
        return nullptr;
    }
    return block;
}

// Zero-byte requests still get a block of their own, so that every live block
// has a distinct address.
void* allocate(Size byteCount) {
    return std::malloc(byteCount > 0 ? static_cast<std::size_t>(byteCount) : 1);
}

} // namespace

Handle NewHandle(Size byteCount) {
    if (byteCount < 0) {
        setError(paramErr);
        return nullptr;
    }
    auto* block = static_cast<MasterBlock*>(std::malloc(sizeof(MasterBlock)));
    if (block == nullptr) {
        setError(memFullErr);
        return nullptr;
    }
    Ptr bytes = static_cast<Ptr>(allocate(byteCount));
    if (bytes == nullptr) {
        std::free(block);
        setError(memFullErr);
        return nullptr;
    }
    *block = MasterBlock{bytes, byteCount, false, liveMagic};
    setError(noErr);
    return &block->master;
}

Size GetHandleSize(Handle h) {
    MasterBlock* block = blockOf(h);
    if (block == nullptr) {
        return 0;
    }
    setError(noErr);
    return block->size;
}

void HLock(Handle h) {
    if (MasterBlock* block = blockOf(h)) {
        block->locked = true;
        setError(noErr);
    }
}

void HUnlock(Handle h) {
    if (MasterBlock* block = blockOf(h)) {
        block->locked = false;
        setError(noErr);
    }
}

void DisposeHandle(Handle h) {
    MasterBlock* block = blockOf(h);
    if (block == nullptr) {
        return;
    }
    std::free(block->master);
    // Marked before release so that a stale handle is refused while the record's
    // memory has not been reused.
    block->magic = deadMagic;
    block->master = nullptr;
    std::free(block);
    setError(noErr);
}

Ptr NewPtr(Size byteCount) {
    if (byteCount < 0 || static_cast<unsigned long>(byteCount) >
                             static_cast<unsigned long>(-1) - sizeof(PtrHeader)) {
        setError(byteCount < 0 ? paramErr : memFullErr);
        return nullptr;
    }
    auto* header = static_cast<PtrHeader*>(
        std::malloc(sizeof(PtrHeader) + static_cast<std::size_t>(byteCount)));
    if (header == nullptr) {
        setError(memFullErr);
        return nullptr;
    }
    *header = PtrHeader{byteCount, ptrMagic};
    setError(noErr);
    return reinterpret_cast<Ptr>(header + 1);
}

Size GetPtrSize(Ptr p) {
    if (p == nullptr) {
        setError(paramErr);
        return 0;
    }
    setError(noErr);
    return (reinterpret_cast<PtrHeader*>(p) - 1)->size;
}

void DisposePtr(Ptr p) {
    if (p == nullptr) {
        setError(paramErr);
        return;
    }
    std::free(reinterpret_cast<PtrHeader*>(p) - 1);
    setError(noErr);
}

OSErr MemError() { return lastError; }
