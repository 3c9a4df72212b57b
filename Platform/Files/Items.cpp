#include "Items.h"

#include "Catalog.h"
#include "FileErrors.h"
#include "MacNames.h"

#include <cerrno>
#include <cstring>

namespace {

// Where the parts of an item's identity sit in an FSRef; the rest is zero.
constexpr std::size_t nodeIDAt = 0;
constexpr std::size_t deviceAt = 8;
constexpr std::size_t inodeAt = 16;
static_assert(inodeAt + sizeof(ino_t) <= sizeof(FSRef));

} // namespace

RefContents ReadRef(const FSRef* ref) {
    RefContents contents;
    std::memcpy(&contents.nodeID, ref->hidden + nodeIDAt, sizeof contents.nodeID);
    std::memcpy(&contents.device, ref->hidden + deviceAt, sizeof contents.device);
    std::memcpy(&contents.inode, ref->hidden + inodeAt, sizeof contents.inode);
    contents.path = FileCatalog::PathOf(contents.nodeID);
    return contents;
}

bool SameItem(const RefContents& ref, const struct stat& status) {
    return ref.device == status.st_dev && ref.inode == status.st_ino;
}

void MakeRef(UInt32 nodeID, const struct stat& status, FSRef* ref) {
    std::memset(ref, 0, sizeof *ref);
    std::memcpy(ref->hidden + nodeIDAt, &nodeID, sizeof nodeID);
    std::memcpy(ref->hidden + deviceAt, &status.st_dev, sizeof status.st_dev);
    std::memcpy(ref->hidden + inodeAt, &status.st_ino, sizeof status.st_ino);
}

OSErr FindItem(const FSRef* ref, FoundItem& item) {
    const RefContents contents = ReadRef(ref);
    if (contents.path == nullptr) {
        return errFSBadFSRef;
    }
    if (lstat(contents.path->c_str(), &item.status) != 0) {
        return ItemErrorFromErrno(errno);
    }
    if (!SameItem(contents, item.status)) {
        return fnfErr;
    }
    item.nodeID = contents.nodeID;
    item.path = contents.path;
    return noErr;
}

OSErr FindItemAt(std::string_view path, FoundItem& item) {
    item.nodeID = FileCatalog::NodeIDOf(path);
    item.path = FileCatalog::PathOf(item.nodeID);
    if (lstat(item.path->c_str(), &item.status) != 0) {
        return FileErrorFromErrno(errno);
    }
    return noErr;
}

UInt32 ParentIDOf(std::string_view path) {
    return path == "/" ? UInt32{fsRtParID} : FileCatalog::NodeIDOf(FileCatalog::FolderOf(path));
}

void MakeSpec(UInt32 parentID, std::string_view name, const std::function<UInt32()>& nodeID,
              FSSpec* spec) {
    spec->vRefNum = kLinuxVolumeRefNum;
    spec->parID = static_cast<SInt32>(parentID);
    MacNames::SpecNameOf(name, nodeID, spec->name);
}

OSErr CheckCatalogInfoBitmap(FSCatalogInfoBitmap whichInfo) {
    constexpr FSCatalogInfoBitmap filled =
        kFSCatInfoNodeFlags | kFSCatInfoVolume | kFSCatInfoParentDirID | kFSCatInfoNodeID;
    return (whichInfo & ~filled) == 0 ? noErr : errFSBadInfoBitmap;
}
