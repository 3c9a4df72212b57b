// FSMakeFSSpec and FSpMakeFSRef: finding an item by volume, folder id and
// FSSpec name.
#include "Catalog.h"
#include "FaultPoints.h"
#include "Items.h"
#include "Listing.h"
#include "MacNames.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>

namespace {

std::string_view nameIn(ConstStr255Param pString) {
    return pString == nullptr
               ? std::string_view()
               : std::string_view(reinterpret_cast<const char*>(pString + 1), pString[0]);
}

bool exists(const std::string& path, OSErr& err) {
    ItemStatus status;
    const int error = LookAt(AT_FDCWD, path.c_str(), status);
    err = error == 0 ? OSErr{noErr} : ItemErrorFromErrno(error);
    return error == 0;
}

OSErr findFolder(SInt32 dirID, const std::string*& folder) {
    folder = dirID > 0 ? FileCatalog::PathOf(static_cast<UInt32>(dirID)) : nullptr;
    ItemStatus status;
    const int error = folder == nullptr ? ENOENT : LookAt(AT_FDCWD, folder->c_str(), status);
    if (error != 0) {
        const OSErr err = ItemErrorFromErrno(error);
        return err == fnfErr ? OSErr{dirNFErr} : err;
    }
    return status.isFolder ? OSErr{noErr} : OSErr{dirNFErr};
}

/// The path of the child of `folder` (node id `folderID`) whose FSSpec name is
/// `name`.
OSErr findChild(UInt32 folderID, const std::string& folder, std::string_view name,
                std::string& path) {
    if (name.find_first_of(std::string_view("/\0", 2)) != std::string_view::npos) {
        return bdNamErr;
    }
    // A shortened name carries the node id of its item. It is tried first: an
    // item whose on-disk name is written the same way has yielded it.
    OSErr err = noErr;
    const UInt32 nodeID = MacNames::NodeIDInSpecName(name);
    if (const std::string* known = nodeID != 0 ? FileCatalog::PathOf(nodeID) : nullptr;
        known != nullptr && FileCatalog::FolderOf(*known) == folder) {
        Str63 knownName;
        SpecNameIn(
            folderID, FileCatalog::NameOf(*known), [nodeID] { return nodeID; }, knownName);
        if (nameIn(knownName) == name) {
            path = *known;
            return exists(path, err) ? OSErr{noErr} : err;
        }
    }
    // Most names are their on-disk name in Mac Roman.
    const std::string onDisk = MacNames::OnDiskFormOf(name);
    if (onDisk == "." || onDisk == "..") {
        return bdNamErr;
    }
    path = FileCatalog::ChildOf(folder, onDisk);
    if (exists(path, err) || err != fnfErr) {
        return err;
    }
    // A name stored decomposed (a letter, then its accent) has the same Mac Roman
    // form as the composed one looked for above.
    FolderListing listing;
    if (const OSErr listed = ReadFolderAt(folder, listing); listed != noErr) {
        return listed;
    }
    for (const auto& entry : listing.entries) {
        if (MacNames::HasSpecName(listing.nameOf(entry), name)) {
            path = FileCatalog::ChildOf(folder, listing.nameOf(entry));
            return noErr;
        }
    }
    return fnfErr;
}

/// The path of the item `name` in folder `dirID`, or of that folder when there
/// is no name. fnfErr only when the folder exists and the item does not.
OSErr findNamedItem(SInt16 vRefNum, SInt32 dirID, std::string_view name, std::string& path) {
    if (vRefNum != kLinuxVolumeRefNum && vRefNum != kFSInvalidVolumeRefNum) {
        return nsvErr;
    }
    if (name.size() > MacNames::specNameLimit) {
        return bdNamErr;
    }
    const std::string& root = *FileCatalog::PathOf(fsRtDirID);
    if (dirID == fsRtParID && !name.empty()) {
        if (name != FileCatalog::NameOf(root)) {
            return fnfErr;
        }
        path = root;
        return noErr;
    }
    const std::string* folder = nullptr;
    if (const OSErr err = findFolder(dirID, folder); err != noErr) {
        return err;
    }
    if (name.empty()) {
        path = *folder;
        return noErr;
    }
    return findChild(static_cast<UInt32>(dirID), *folder, name, path);
}

} // namespace

OSErr FSMakeFSSpec(SInt16 vRefNum, SInt32 dirID, ConstStr255Param fileName, FSSpec* spec) {
    return ServeFileCall(FileFaults::Call::FSMakeFSSpec, [&]() -> OSErr {
        if (spec == nullptr) {
            return paramErr;
        }
        const std::string_view name = nameIn(fileName);
        std::string path;
        const OSErr err = findNamedItem(vRefNum, dirID, name, path);
        if (err == fnfErr) {
            // As on the Mac: the FSSpec of an item that could be made there.
            spec->vRefNum = kLinuxVolumeRefNum;
            spec->parID = dirID;
            spec->name[0] = static_cast<unsigned char>(name.size());
            std::memcpy(spec->name + 1, name.data(), name.size());
        }
        if (err != noErr) {
            return err;
        }
        MakeSpec(
            ParentIDOf(path), FileCatalog::NameOf(path),
            [&] { return FileCatalog::NodeIDOf(path); }, spec);
        return noErr;
    });
}

OSErr FSpMakeFSRef(const FSSpec* source, FSRef* newRef) {
    return ServeFileCall(FileFaults::Call::FSpMakeFSRef, [&]() -> OSErr {
        if (source == nullptr || newRef == nullptr) {
            return paramErr;
        }
        std::string path;
        if (const OSErr err =
                findNamedItem(source->vRefNum, source->parID, nameIn(source->name), path);
            err != noErr) {
            return err;
        }
        return MakeRefAt(path, newRef);
    });
}
