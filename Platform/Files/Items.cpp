#include "Items.h"

#include "Catalog.h"
#include "FileErrors.h"
#include "MacNames.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>

namespace {

// Where the parts of an item's identity sit in an FSRef; the rest is zero.
constexpr std::size_t nodeIDAt = 0;
constexpr std::size_t mountIDAt = 4;
constexpr std::size_t deviceAt = 8;
constexpr std::size_t inodeAt = 16;
constexpr std::size_t bornSecondsAt = 24;
constexpr std::size_t bornNanosecondsAt = 32;
constexpr std::size_t handleAt = 40;
static_assert(handleAt + sizeof(UInt64) <= sizeof(FSRef));

template <typename Field>
void readAt(const FSRef* ref, std::size_t at, Field& field) {
    std::memcpy(&field, ref->hidden + at, sizeof field);
}

template <typename Field>
void writeAt(FSRef* ref, std::size_t at, const Field& field) {
    std::memcpy(ref->hidden + at, &field, sizeof field);
}

} // namespace

RefContents ReadRef(const FSRef* ref) {
    RefContents contents{};
    readAt(ref, nodeIDAt, contents.nodeID);
    readAt(ref, deviceAt, contents.identity.device);
    readAt(ref, inodeAt, contents.identity.inode);
    readAt(ref, bornSecondsAt, contents.identity.bornSeconds);
    readAt(ref, bornNanosecondsAt, contents.identity.bornNanoseconds);
    readAt(ref, mountIDAt, contents.identity.mountID);
    readAt(ref, handleAt, contents.identity.handle);
    contents.path = FileCatalog::PathOf(contents.nodeID);
    return contents;
}

void MakeRef(UInt32 nodeID, const ItemIdentity& identity, FSRef* ref) {
    std::memset(ref, 0, sizeof *ref);
    writeAt(ref, nodeIDAt, nodeID);
    writeAt(ref, mountIDAt, identity.mountID);
    writeAt(ref, deviceAt, identity.device);
    writeAt(ref, inodeAt, identity.inode);
    writeAt(ref, bornSecondsAt, identity.bornSeconds);
    writeAt(ref, bornNanosecondsAt, identity.bornNanoseconds);
    writeAt(ref, handleAt, identity.handle);
}

OSErr FindItem(const FSRef* ref, FoundItem& item) {
    const RefContents contents = ReadRef(ref);
    if (contents.path == nullptr) {
        return errFSBadFSRef;
    }
    if (const int error = LookAt(AT_FDCWD, contents.path->c_str(), item.status); error != 0) {
        return ItemErrorFromErrno(error);
    }
    if (!SameItem(contents.identity, item.status.identity)) {
        return fnfErr;
    }
    item.nodeID = contents.nodeID;
    item.path = contents.path;
    return noErr;
}

OSErr MakeRefAt(std::string_view path, FSRef* ref, Boolean* isFolder) {
    // Looked at first, so that a path that names nothing takes no id.
    ItemStatus status;
    if (const int error = LookAt(AT_FDCWD, std::string(path).c_str(), status); error != 0) {
        return FileErrorFromErrno(error);
    }
    MakeRef(FileCatalog::NodeIDOf(path), status.identity, ref);
    if (isFolder != nullptr) {
        *isFolder = status.isFolder;
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
    SpecNameIn(parentID, name, nodeID, spec->name);
}

void SpecNameIn(UInt32 parentID, std::string_view name, const std::function<UInt32()>& nodeID,
                unsigned char* specName) {
    const std::string* folder = FileCatalog::PathOf(parentID);
    const auto siblingExists = [folder](const std::string& sibling) {
        ItemStatus status;
        return folder != nullptr &&
               LookAt(AT_FDCWD, FileCatalog::ChildOf(*folder, sibling).c_str(), status) == 0;
    };
    // Whether another item of the folder, known by the node id `macRoman` carries,
    // has `macRoman` as its shortened name. That item's own name is worked out
    // without this test, so two such names never ask about each other.
    const auto siblingsShortName = [&](const std::string& macRoman) {
        const UInt32 id = MacNames::NodeIDInSpecName(macRoman);
        const std::string* sibling = FileCatalog::PathOf(id);
        if (folder == nullptr || sibling == nullptr || FileCatalog::FolderOf(*sibling) != *folder ||
            FileCatalog::NameOf(*sibling) == name) {
            return false;
        }
        Str63 siblingName;
        MacNames::SpecNameOf(
            FileCatalog::NameOf(*sibling), [id] { return id; }, siblingExists,
            [](const std::string&) { return false; }, siblingName);
        return std::string_view(reinterpret_cast<const char*>(siblingName + 1), siblingName[0]) ==
               macRoman;
    };
    MacNames::SpecNameOf(name, nodeID, siblingExists, siblingsShortName, specName);
}

OSErr CheckCatalogInfoBitmap(FSCatalogInfoBitmap whichInfo) {
    constexpr FSCatalogInfoBitmap filled =
        kFSCatInfoNodeFlags | kFSCatInfoVolume | kFSCatInfoParentDirID | kFSCatInfoNodeID;
    return (whichInfo & ~filled) == 0 ? noErr : errFSBadInfoBitmap;
}
