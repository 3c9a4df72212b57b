// Telling items apart. An inode number can come back at once for a new item at
// the same path, and a birth time is only as fine as the kernel's clock tick;
// the file handle (inode and generation number) tells even those apart where
// the file system gives one.
#pragma once

#include "MacTypes.h"

struct ItemIdentity {
    UInt64 device;
    UInt64 inode;
    SInt64 bornSeconds;
    UInt32 bornNanoseconds;
    int mountID;
    UInt64 handle; // a digest of the file handle; 0 when the file system gives none
};

struct ItemStatus {
    ItemIdentity identity;
    bool isFolder;
};

/// Looks at `path` (relative to the open folder `folder`, or to the working
/// folder with AT_FDCWD; "" for `folder` itself) without following a link at
/// its end. 0, or the errno value of the failure.
int LookAt(int folder, const char* path, ItemStatus& status);

/// Who the item at `path` in `folder` is ("" for the open item `folder`
/// itself), with as few calls as possible: what SameItem needs and nothing more.
/// 0, or the errno value of the failure.
int Identify(int folder, const char* path, ItemIdentity& identity);

/// True when `now` is the item `made` was taken from.
bool SameItem(const ItemIdentity& made, const ItemIdentity& now);
