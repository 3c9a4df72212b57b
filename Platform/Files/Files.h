// The File Manager: file references, catalog information and folder iteration,
// with the Mac names, signatures and values.
//
// The whole tree under `/` is one volume (kLinuxVolumeRefNum) whose root folder
// has node id fsRtDirID; its parent id, fsRtParID, names no folder. Every path the
// File Manager meets gets a 32-bit node id, never given twice in a process.
#pragma once

#include "MacTypes.h"

using FSVolumeRefNum = SInt16;
using FSVolumeInfoBitmap = UInt32;
using FSCatalogInfoBitmap = UInt32;
using FSIteratorFlags = OptionBits;
using FSIterator = struct OpaqueFSIterator*;

/// An opaque reference to one item: it remembers the item itself, so it stops
/// working (fnfErr) once its path holds another item or nothing.
struct FSRef {
    UInt8 hidden[80];
};
static_assert(sizeof(FSRef) == 80);

#pragma pack(push, 2)
/// An item as volume, parent folder id and name (Mac Roman, at most 63 bytes).
struct FSSpec {
    SInt16 vRefNum;
    SInt32 parID;
    Str63 name;
};
#pragma pack(pop)
static_assert(sizeof(FSSpec) == 70);

/// A name in UTF-16, as the catalog-information calls hand names out.
struct HFSUniStr255 {
    UInt16 length;
    UniChar unicode[255];
};

/// Catalog information: which fields are filled is told by the
/// FSCatalogInfoBitmap of the call. The fields after nodeID are never filled
/// here; they keep the record at its Mac size.
struct FSCatalogInfo {
    UInt16 nodeFlags;
    FSVolumeRefNum volume;
    UInt32 parentDirID;
    UInt32 nodeID;
    UInt8 unfilled[132];
};
static_assert(sizeof(FSCatalogInfo) == 144);

/// Volume information. No field of it is offered: kFSVolInfoNone is the only
/// bitmap FSGetVolumeInfo accepts.
struct FSVolumeInfo;

enum : FSVolumeRefNum {
    kFSInvalidVolumeRefNum = 0,
    /// The one volume: the whole tree under `/`.
    kLinuxVolumeRefNum = -100,
};

enum : SInt32 {
    fsRtParID = 1, // the parent id of a root folder
    fsRtDirID = 2, // a root folder
};

enum : FSVolumeInfoBitmap {
    kFSVolInfoNone = 0,
};

enum : FSCatalogInfoBitmap {
    kFSCatInfoNone = 0,
    kFSCatInfoNodeFlags = 0x0002,
    kFSCatInfoVolume = 0x0004,
    kFSCatInfoParentDirID = 0x0008,
    kFSCatInfoNodeID = 0x0010,
};

enum : UInt16 {
    kFSNodeIsDirectoryMask = 0x0010,
};

enum : FSIteratorFlags {
    kFSIterateFlat = 0,
    kFSIterateSubtree = 1,
};

// Volumes.
/// The volume `volume`, or with a volumeIndex above 0 the volumeIndex-th volume
/// (there is one). Every output may be null.
OSErr FSGetVolumeInfo(FSVolumeRefNum volume, ItemCount volumeIndex, FSVolumeRefNum* actualVolume,
                      FSVolumeInfoBitmap whichInfo, FSVolumeInfo* info, HFSUniStr255* volumeName,
                      FSRef* rootDirectory);

// Items.
/// What `whichInfo` asks about the item, and its name, FSSpec and parent folder.
/// Every output may be null. A root folder's parentRef is all zero.
OSErr FSGetCatalogInfo(const FSRef* ref, FSCatalogInfoBitmap whichInfo, FSCatalogInfo* catalogInfo,
                       HFSUniStr255* outName, FSSpec* fsSpec, FSRef* parentRef);

/// The item `fileName` in folder `dirID`, or with no name (null or empty) the
/// folder `dirID` itself. When the folder exists but the item does not, `spec`
/// is still filled and the answer is fnfErr.
OSErr FSMakeFSSpec(SInt16 vRefNum, SInt32 dirID, ConstStr255Param fileName, FSSpec* spec);
OSErr FSpMakeFSRef(const FSSpec* source, FSRef* newRef);

/// The item at a NUL-terminated path (relative paths start at the working
/// folder). A symbolic link at the end of the path is the item itself, not
/// followed. `isDirectory` may be null.
OSStatus FSPathMakeRef(const UInt8* path, FSRef* ref, Boolean* isDirectory);
/// The item's absolute path, NUL-terminated; pathTooLongErr when it and its NUL
/// do not fit `maxPathSize`.
OSStatus FSRefMakePath(const FSRef* ref, UInt8* path, UInt32 maxPathSize);

// Folder iteration. Children are handed out sorted by their name bytes, with
// hidden ones and without "." and "..".
/// Opens a flat iterator (kFSIterateFlat is the only flag accepted) on a folder.
OSErr FSOpenIterator(const FSRef* container, FSIteratorFlags iteratorFlags, FSIterator* iterator);
OSErr FSCloseIterator(FSIterator iterator);
/// The next at most `maximumObjects` children, each in the outputs that are not
/// null. errFSNoMoreItems when the listing ends in this call; that last batch
/// may still carry items, counted in `actualObjects`.
OSErr FSGetCatalogInfoBulk(FSIterator iterator, ItemCount maximumObjects, ItemCount* actualObjects,
                           Boolean* containerChanged, FSCatalogInfoBitmap whichInfo,
                           FSCatalogInfo* catalogInfos, FSRef* refs, FSSpec* specs,
                           HFSUniStr255* names);
