#include "Items.h"

#include "Catalog.h"
#include "FileErrors.h"
#include "MacNames.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>

namespace {

// Where the parts of an item's identity sit in an FSRef; the rest is zero.
constexpr std::size_t nodeIDAt = 0;
constexpr std::size_t deviceAt = 8;
constexpr std::size_t inodeAt = 16;
constexpr std::size_t bornSecondsAt = 24;
constexpr std::size_t bornNanosecondsAt = 32;
static_assert(bornNanosecondsAt + sizeof(UInt32) <= sizeof(FSRef));

template <typename Field>
void readAt(const FSRef* ref, std::size_t at, Field& field) {
    std::memcpy(&field, ref->hidden + at, sizeof field);
}

template <typename Field>
void writeAt(FSRef* ref, std::size_t at, const Field& field) {
    std::memcpy(ref->hidden + at, &field, sizeof field);
}

} // namespace

int LookAt(int folder, const char* path, ItemStatus& status) {
    struct statx answer;
    const int flags = AT_SYMLINK_NOFOLLOW | (*path == '\0' ? AT_EMPTY_PATH : 0);
    if (statx(folder, path, flags, STATX_TYPE | STATX_INO | STATX_BTIME, &answer) != 0) {
        return errno;
    }
    status.device = makedev(answer.stx_dev_major, answer.stx_dev_minor);
    status.inode = answer.stx_ino;
    const bool born = (answer.stx_mask & STATX_BTIME) != 0;
    status.bornSeconds = born ? answer.stx_btime.tv_sec : 0;
    status.bornNanoseconds = born ? answer.stx_btime.tv_nsec : 0;
    status.isFolder = S_ISDIR(answer.stx_mode);
    return 0;
}

RefContents ReadRef(const FSRef* ref) {
    RefContents contents{};
    readAt(ref, nodeIDAt, contents.nodeID);
    readAt(ref, deviceAt, contents.identity.device);
    readAt(ref, inodeAt, contents.identity.inode);
    readAt(ref, bornSecondsAt, contents.identity.bornSeconds);
    readAt(ref, bornNanosecondsAt, contents.identity.bornNanoseconds);
    contents.path = FileCatalog::PathOf(contents.nodeID);
    return contents;
}

bool SameItem(const RefContents& ref, const ItemStatus& status) {
    return ref.identity.device == status.device && ref.identity.inode == status.inode &&
           ref.identity.bornSeconds == status.bornSeconds &&
           ref.identity.bornNanoseconds == status.bornNanoseconds;
}

void MakeRef(UInt32 nodeID, const ItemStatus& status, FSRef* ref) {
    std::memset(ref, 0, sizeof *ref);
    writeAt(ref, nodeIDAt, nodeID);
    writeAt(ref, deviceAt, status.device);
    writeAt(ref, inodeAt, status.inode);
    writeAt(ref, bornSecondsAt, status.bornSeconds);
    writeAt(ref, bornNanosecondsAt, status.bornNanoseconds);
}

OSErr FindItem(const FSRef* ref, FoundItem& item) {
    const RefContents contents = ReadRef(ref);
    if (contents.path == nullptr) {
        return errFSBadFSRef;
    }
    if (const int error = LookAt(AT_FDCWD, contents.path->c_str(), item.status); error != 0) {
        return ItemErrorFromErrno(error);
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
    if (const int error = LookAt(AT_FDCWD, item.path->c_str(), item.status); error != 0) {
        return FileErrorFromErrno(error);
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
    MacNames::SpecNameOf(name, nodeID, siblingExists, specName);
}

OSErr CheckCatalogInfoBitmap(FSCatalogInfoBitmap whichInfo) {
    constexpr FSCatalogInfoBitmap filled =
        kFSCatInfoNodeFlags | kFSCatInfoVolume | kFSCatInfoParentDirID | kFSCatInfoNodeID;
    return (whichInfo & ~filled) == 0 ? noErr : errFSBadInfoBitmap;
}
