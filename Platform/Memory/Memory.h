// The Memory Manager: relocatable blocks reached through handles, and
// nonrelocatable blocks reached through pointers, each knowing its own size.
//
// Every call sets MemError(). A request that cannot be met answers null (or a
// size of 0) with the reason in MemError(); nothing here throws or aborts.
// Like the library above it, this assumes one thread.
#pragma once

#include "MacTypes.h"

using Ptr = char*;
/// The address of a master pointer, which points at the block's bytes.
using Handle = char**;
/// A block size in bytes; signed, as on the Mac.
using Size = long;

/// HGetState's flag for a locked block.
enum : SInt8 { kHandleLockedMask = static_cast<SInt8>(0x80) };

// Handles. Master pointers are never given back to the system: a disposed handle
// still reads as a null master pointer (until NewHandle hands the same master
// pointer out again), and a handle NewHandle did not make is recognised by its
// address, before anything is read through it.

/// A new relocatable block of `byteCount` bytes, or null: paramErr for a negative
/// count, memFullErr when the memory cannot be had. The caller owns the handle and
/// disposes of it with DisposeHandle.
Handle NewHandle(Size byteCount);
/// The size of the handle's block. 0 for a null handle (nilHandleErr), and for a
/// disposed handle or one NewHandle did not make (memWZErr).
Size GetHandleSize(Handle h);
/// Blocks never move here, so locking only records the state HGetState reports.
void HLock(Handle h);
void HUnlock(Handle h);
/// kHandleLockedMask when the block is locked, else 0 (also for a bad handle,
/// with MemError() as GetHandleSize sets it).
SInt8 HGetState(Handle h);
/// Releases the block; a bad handle is left alone, with MemError() set.
void DisposeHandle(Handle h);

// Pointers.

/// A new nonrelocatable block of `byteCount` bytes, or null (paramErr, memFullErr
/// as NewHandle). The caller owns it and disposes of it with DisposePtr.
Ptr NewPtr(Size byteCount);
/// The size of a block NewPtr made; 0 and paramErr for null. Any other pointer is
/// the caller's error.
Size GetPtrSize(Ptr p);
/// Releases a block NewPtr made; null is refused with paramErr.
void DisposePtr(Ptr p);

/// The result of the last Memory Manager call.
OSErr MemError();
