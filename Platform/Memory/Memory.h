// The Memory Manager: relocatable blocks reached through handles, and
// nonrelocatable blocks reached through pointers, each knowing its own size.
#pragma once

#include "MacTypes.h"

using Ptr = char*;
using Handle = char**;
/// A block size in bytes; signed, as on the Mac.
using Size = long;

/// A new relocatable block of `byteCount` bytes; null (and MemError() set) when it
/// cannot be had. The caller owns the handle and disposes of it.
Handle NewHandle(Size byteCount);
/// The logical size of the handle's block; 0 (and MemError() set) for a null or
/// disposed handle.
Size GetHandleSize(Handle h);
void HLock(Handle h);
void HUnlock(Handle h);
void DisposeHandle(Handle h);

/// A new nonrelocatable block of `byteCount` bytes; null (and MemError() set) when
/// it cannot be had. The caller owns it and disposes of it with DisposePtr.
Ptr NewPtr(Size byteCount);
Size GetPtrSize(Ptr p);
void DisposePtr(Ptr p);

/// The result of the last Memory Manager call.
OSErr MemError();
