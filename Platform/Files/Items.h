// Items as the File Manager calls share them: finding the item an FSRef or a
// path names, making references, and filling catalog information.
#pragma once

#include "Files.h"
#include "ItemIdentity.h"

#include <functional>
#include <string>
#include <string_view>

/// An item that exists now.
struct FoundItem {
    UInt32 nodeID;
    const std::string* path; // kept by the catalog
    ItemStatus status;
};

/// The item `ref` names: errFSBadFSRef for a reference no call made, fnfErr when
/// its path now holds another item or nothing.
OSErr FindItem(const FSRef* ref, FoundItem& item);

/// A reference to the item at `path` (absolute, without "." or ".." parts),
/// which takes a node id. `isFolder` may be null.
OSErr MakeRefAt(std::string_view path, FSRef* ref, Boolean* isFolder = nullptr);

/// What `ref` holds, without asking the file system whether it is still true.
struct RefContents {
    UInt32 nodeID;
    const std::string* path; // null for a reference no call made
    ItemIdentity identity;
};
RefContents ReadRef(const FSRef* ref);

void MakeRef(UInt32 nodeID, const ItemIdentity& identity, FSRef* ref);

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
