// Items as the File Manager calls share them: finding the item an FSRef or a
// path names, making references, and filling catalog information.
#pragma once

#include "Files.h"

#include <functional>
#include <string>
#include <string_view>

/// Who an item is. An inode number can come back for a new item at the same
/// path at once; the birth time tells the two apart where the file system
/// keeps one.
struct ItemStatus {
    UInt64 device;
    UInt64 inode;
    SInt64 bornSeconds;
    UInt32 bornNanoseconds;
    bool isFolder;
};

/// Looks at `path` (relative to the open folder `folder`, or to the working
/// folder with AT_FDCWD; "" for `folder` itself) without following a link at
/// its end. 0, or the errno value of the failure.
int LookAt(int folder, const char* path, ItemStatus& status);

/// An item that exists now.
struct FoundItem {
    UInt32 nodeID;
    const std::string* path; // kept by the catalog
    ItemStatus status;
};

/// The item `ref` names: errFSBadFSRef for a reference no call made, fnfErr when
/// its path now holds another item or nothing.
OSErr FindItem(const FSRef* ref, FoundItem& item);

/// The item at `path` (absolute, without "." or ".." parts), given a node id.
OSErr FindItemAt(std::string_view path, FoundItem& item);

/// What `ref` holds, without asking the file system whether it is still true.
struct RefContents {
    UInt32 nodeID;
    const std::string* path; // null for a reference no call made
    ItemStatus identity;     // only its device, inode and birth time
};
RefContents ReadRef(const FSRef* ref);

/// True when `status` describes the item `ref` was made for.
bool SameItem(const RefContents& ref, const ItemStatus& status);

void MakeRef(UInt32 nodeID, const ItemStatus& status, FSRef* ref);

/// The node id of the folder holding `path`; fsRtParID for the root folder.
UInt32 ParentIDOf(std::string_view path);

/// The FSSpec name (a P-string) of the item `name` in folder `parentID`.
/// `nodeID` is asked only when the name must carry it.
void SpecNameIn(UInt32 parentID, std::string_view name, const std::function<UInt32()>& nodeID,
                unsigned char* specName);

/// The FSSpec of the item `name` in folder `parentID`. `nodeID` is asked only
/// when the name must carry it.
void MakeSpec(UInt32 parentID, std::string_view name, const std::function<UInt32()>& nodeID,
              FSSpec* spec);

/// errFSBadInfoBitmap when `whichInfo` asks for a field that is never filled.
OSErr CheckCatalogInfoBitmap(FSCatalogInfoBitmap whichInfo);

/// Fills the fields `whichInfo` asks for. `nodeID` is asked only when needed.
template <typename NodeID>
void FillCatalogInfo(FSCatalogInfoBitmap whichInfo, bool isFolder, UInt32 parentID, NodeID&& nodeID,
                     FSCatalogInfo* info) {
    if (whichInfo & kFSCatInfoNodeFlags) {
        info->nodeFlags = isFolder ? kFSNodeIsDirectoryMask : 0;
    }
    if (whichInfo & kFSCatInfoVolume) {
        info->volume = kLinuxVolumeRefNum;
    }
    if (whichInfo & kFSCatInfoParentDirID) {
        info->parentDirID = parentID;
    }
    if (whichInfo & kFSCatInfoNodeID) {
        info->nodeID = nodeID();
    }
}
