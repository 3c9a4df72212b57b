#include "Memory.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

OSErr lastError = noErr;

// What the Memory Manager keeps for one handle. The master pointer comes first:
// a handle is the address of its record.
struct MasterRecord {
    Ptr master; // null while the record is free
    Size size;
    bool locked;
    MasterRecord* nextFree;
};

// Records live in pools of 64, 128, 256, ... records that are never released, so
// that a disposed handle can still be read, and so few pools that checking a
// handle's address against each of them stays cheap.
constexpr std::size_t firstPoolRecords = 64;
constexpr unsigned maximumPools = 40; // far more records than memory can hold

MasterRecord* pools[maximumPools];
unsigned poolCount = 0;
MasterRecord* freeRecords = nullptr;

std::size_t recordsInPool(unsigned pool) { return firstPoolRecords << pool; }

bool addPool() {
    if (poolCount == maximumPools) {
        return false;
    }
    const std::size_t records = recordsInPool(poolCount);
    auto* pool = static_cast<MasterRecord*>(std::malloc(records * sizeof(MasterRecord)));
    if (pool == nullptr) {
        return false;
    }
    for (std::size_t i = records; i-- > 0;) {
        pool[i] = MasterRecord{nullptr, 0, false, freeRecords};
        freeRecords = &pool[i];
    }
    pools[poolCount++] = pool;
    return true;
}

// The live record a handle names, found by address alone so that nothing is read
// through a handle NewHandle did not make. Sets MemError() either way.
MasterRecord* recordOf(Handle h) {
    if (h == nullptr) {
        lastError = nilHandleErr;
        return nullptr;
    }
    const auto address = reinterpret_cast<std::uintptr_t>(h);
    for (unsigned p = 0; p < poolCount; ++p) {
        // Below the pool the difference wraps to a huge value, which fails too.
        const std::uintptr_t offset = address - reinterpret_cast<std::uintptr_t>(pools[p]);
        if (offset < recordsInPool(p) * sizeof(MasterRecord) &&
            offset % sizeof(MasterRecord) == 0) {
            MasterRecord* record = &pools[p][offset / sizeof(MasterRecord)];
            if (record->master == nullptr) {
                break;
            }
            lastError = noErr;
            return record;
        }
    }
    lastError = memWZErr;
    return nullptr;
}

// A pointer block keeps its size just below the bytes it hands out, in a header
// as wide as malloc's alignment so that the bytes keep that alignment.
struct alignas(std::max_align_t) PtrHeader {
    Size size;
};

PtrHeader* headerOf(Ptr p) { return reinterpret_cast<PtrHeader*>(p) - 1; }

} // namespace

// Handles.

Handle NewHandle(Size byteCount) {
    if (byteCount < 0) {
        lastError = paramErr;
        return nullptr;
    }
    if (freeRecords == nullptr && !addPool()) {
        lastError = memFullErr;
        return nullptr;
    }
    // Zero bytes still get a block of their own: a null master pointer marks a
    // free record.
    auto bytes =
        static_cast<Ptr>(std::malloc(byteCount > 0 ? static_cast<std::size_t>(byteCount) : 1));
    if (bytes == nullptr) {
        lastError = memFullErr;
        return nullptr;
    }
    MasterRecord* record = freeRecords;
    freeRecords = record->nextFree;
    *record = MasterRecord{bytes, byteCount, false, nullptr};
    lastError = noErr;
    return &record->master;
}

Size GetHandleSize(Handle h) {
    const MasterRecord* record = recordOf(h);
    return record != nullptr ? record->size : 0;
}

void HLock(Handle h) {
    if (MasterRecord* record = recordOf(h)) {
        record->locked = true;
    }
}

void HUnlock(Handle h) {
    if (MasterRecord* record = recordOf(h)) {
        record->locked = false;
    }
}

SInt8 HGetState(Handle h) {
    const MasterRecord* record = recordOf(h);
    return record != nullptr && record->locked ? kHandleLockedMask : 0;
}

void DisposeHandle(Handle h) {
    MasterRecord* record = recordOf(h);
    if (record == nullptr) {
        return;
    }
    std::free(record->master);
    *record = MasterRecord{nullptr, 0, false, freeRecords};
    freeRecords = record;
}

// Pointers.

Ptr NewPtr(Size byteCount) {
    if (byteCount < 0) {
        lastError = paramErr;
        return nullptr;
    }
    // A Size is at most half the address space, so adding the header cannot wrap.
    auto* header = static_cast<PtrHeader*>(
        std::malloc(sizeof(PtrHeader) + static_cast<std::size_t>(byteCount)));
    if (header == nullptr) {
        lastError = memFullErr;
        return nullptr;
    }
    header->size = byteCount;
    lastError = noErr;
    return reinterpret_cast<Ptr>(header + 1);
}

Size GetPtrSize(Ptr p) {
    if (p == nullptr) {
        lastError = paramErr;
        return 0;
    }
    lastError = noErr;
    return headerOf(p)->size;
}

void DisposePtr(Ptr p) {
    if (p == nullptr) {
        lastError = paramErr;
        return;
    }
    std::free(headerOf(p));
    lastError = noErr;
}

OSErr MemError() { return lastError; }
