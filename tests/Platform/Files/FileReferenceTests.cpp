#include "Files/Files.h"
#include "TemporaryFolder.h"
#include "Unprivileged.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <unistd.h>

namespace {

const UInt8* bytes(const std::string& s) { return reinterpret_cast<const UInt8*>(s.c_str()); }

OSErr refAt(const std::string& path, FSRef& ref, Boolean* isDirectory = nullptr) {
    return FSPathMakeRef(bytes(path), &ref, isDirectory);
}

struct Catalog {
    UInt16 nodeFlags;
    UInt32 parentDirID, nodeID;
};

Catalog catalogOf(const FSRef& ref) {
    FSCatalogInfo info{};
    EXPECT_EQ(FSGetCatalogInfo(&ref, kFSCatInfoNodeFlags | kFSCatInfoParentDirID | kFSCatInfoNodeID,
                               &info, nullptr, nullptr, nullptr),
              noErr);
    return {info.nodeFlags, info.parentDirID, info.nodeID};
}

} // namespace

TEST(Volume, FirstVolumeIsTheWholeTree) {
    FSRef root;
    FSVolumeRefNum actual = 0;
    HFSUniStr255 name{};
    ASSERT_EQ(
        FSGetVolumeInfo(kFSInvalidVolumeRefNum, 1, &actual, kFSVolInfoNone, nullptr, &name, &root),
        noErr);
    EXPECT_EQ(actual, kLinuxVolumeRefNum);
    EXPECT_EQ(PathOfRef(root), "/");
    EXPECT_EQ(name.length, 1);
    EXPECT_EQ(name.unicode[0], u'/');
    const Catalog info = catalogOf(root);
    EXPECT_EQ(info.nodeID, UInt32(fsRtDirID));
    EXPECT_EQ(info.parentDirID, UInt32(fsRtParID));
    EXPECT_EQ(info.nodeFlags, kFSNodeIsDirectoryMask);
}

TEST(Volume, OnlyOneVolumeIsFound) {
    FSRef root;
    EXPECT_EQ(FSGetVolumeInfo(kFSInvalidVolumeRefNum, 2, nullptr, kFSVolInfoNone, nullptr, nullptr,
                              &root),
              nsvErr);
    EXPECT_EQ(
        FSGetVolumeInfo(kLinuxVolumeRefNum, 0, nullptr, kFSVolInfoNone, nullptr, nullptr, &root),
        noErr);
    EXPECT_EQ(FSGetVolumeInfo(-1, 0, nullptr, kFSVolInfoNone, nullptr, nullptr, &root), nsvErr);
    EXPECT_EQ(FSGetVolumeInfo(kFSInvalidVolumeRefNum, 1, nullptr, 1, nullptr, nullptr, &root),
              errFSBadInfoBitmap);
}

TEST(FileReference, PathsAndReferencesRoundTrip) {
    TemporaryFolder folder;
    folder.makeFolder("sub");
    folder.makeFile("sub/file");
    folder.makeLink("linked", "sub");
    const struct {
        std::string given, found;
        bool isFolder;
    } cases[] = {
        {folder.pathOf("sub/file"), folder.pathOf("sub/file"), false},
        {folder.pathOf("sub/"), folder.pathOf("sub"), true},
        {folder.pathOf("sub/./file"), folder.pathOf("sub/file"), false},
        {folder.pathOf("sub/.."), folder.path(), true},
        // A link on the way is followed, a link at the end is the item.
        {folder.pathOf("linked/file"), folder.pathOf("sub/file"), false},
        {folder.pathOf("linked"), folder.pathOf("linked"), false},
        {"/", "/", true},
        {"//", "/", true},
    };
    for (const auto& c : cases) {
        FSRef ref;
        Boolean isFolder = 2;
        ASSERT_EQ(refAt(c.given, ref, &isFolder), noErr) << c.given;
        EXPECT_EQ(PathOfRef(ref), c.found) << c.given;
        EXPECT_EQ(isFolder, c.isFolder) << c.given;
    }
}

TEST(FileReference, RelativePathStartsAtTheWorkingFolder) {
    TemporaryFolder folder;
    folder.makeFile("here");
    const auto previous = std::filesystem::current_path();
    std::filesystem::current_path(folder.path());
    FSRef ref;
    const OSErr err = refAt("here", ref);
    std::filesystem::current_path(previous);
    ASSERT_EQ(err, noErr);
    EXPECT_EQ(PathOfRef(ref), folder.pathOf("here"));
}

TEST(FileReference, MissingItemsAreMacErrors) {
    TemporaryFolder folder;
    folder.makeFile("file");
    const struct {
        std::string path;
        OSErr expected;
    } cases[] = {
        {folder.pathOf("missing"), fnfErr},       {folder.pathOf("missing/deeper"), fnfErr},
        {folder.pathOf("file/inside"), dirNFErr}, {"", fnfErr},
        {"/" + std::string(5000, 'x'), bdNamErr},
    };
    for (const auto& c : cases) {
        FSRef ref;
        EXPECT_EQ(refAt(c.path, ref), c.expected) << c.path.substr(0, 80);
    }
    FSRef ref;
    EXPECT_EQ(FSPathMakeRef(nullptr, &ref, nullptr), paramErr);
}

TEST(FileReference, PathMustFitTheBuffer) {
    TemporaryFolder folder;
    FSRef ref = folder.refOf();
    std::string buffer(folder.path().size() + 1, 'x');
    auto* out = reinterpret_cast<UInt8*>(buffer.data());
    EXPECT_EQ(FSRefMakePath(&ref, out, UInt32(folder.path().size())), pathTooLongErr);
    ASSERT_EQ(FSRefMakePath(&ref, out, UInt32(buffer.size())), noErr);
    EXPECT_EQ(buffer, folder.path() + '\0');
}

TEST(FileReference, NodeIDsFollowPathsAndParents) {
    TemporaryFolder folder;
    folder.makeFolder("sub");
    folder.makeFile("sub/file");
    const FSRef sub = folder.refOf("sub"), file = folder.refOf("sub/file");
    const Catalog subInfo = catalogOf(sub), fileInfo = catalogOf(file);
    EXPECT_EQ(fileInfo.parentDirID, subInfo.nodeID);
    EXPECT_NE(fileInfo.nodeID, subInfo.nodeID);
    EXPECT_EQ(subInfo.nodeFlags, kFSNodeIsDirectoryMask);
    EXPECT_EQ(fileInfo.nodeFlags, 0);
    // The same path keeps its id; another path gets a new one.
    EXPECT_EQ(catalogOf(folder.refOf("sub/file")).nodeID, fileInfo.nodeID);
    folder.makeFile("sub/other");
    const UInt32 other = catalogOf(folder.refOf("sub/other")).nodeID;
    EXPECT_NE(other, fileInfo.nodeID);
    EXPECT_GT(other, UInt32(fsRtDirID));

    FSRef parent;
    ASSERT_EQ(FSGetCatalogInfo(&file, kFSCatInfoNone, nullptr, nullptr, nullptr, &parent), noErr);
    EXPECT_EQ(std::memcmp(&parent, &sub, sizeof parent), 0);
}

TEST(FileReference, ReplacedOrRemovedItemIsNotFound) {
    TemporaryFolder folder;
    folder.makeFile("file");
    folder.makeFolder("folder");
    const FSRef file = folder.refOf("file"), sub = folder.refOf("folder");
    std::filesystem::remove(folder.pathOf("file"));
    std::filesystem::remove(folder.pathOf("folder"));
    FSRef replacedRef = file;
    UInt8 path[256];
    FSIterator iterator;
    FSSpec spec;
    EXPECT_EQ(FSRefMakePath(&file, path, sizeof path), fnfErr);
    EXPECT_EQ(FSGetCatalogInfo(&file, kFSCatInfoNone, nullptr, nullptr, &spec, nullptr), fnfErr);
    folder.makeFolder("file"); // a folder now stands where the file was
    folder.makeFolder("folder");
    EXPECT_EQ(FSRefMakePath(&replacedRef, path, sizeof path), fnfErr);
    EXPECT_EQ(FSOpenIterator(&sub, kFSIterateFlat, &iterator), fnfErr);
    EXPECT_EQ(FSGetCatalogInfo(&sub, kFSCatInfoNodeFlags, nullptr, nullptr, nullptr, nullptr),
              fnfErr);
    FSRef madeUp{};
    EXPECT_EQ(FSRefMakePath(&madeUp, path, sizeof path), errFSBadFSRef);
}

TEST(FileReference, UnreadableFolderIsAPermissionError) {
    TemporaryFolder folder;
    folder.makeFolder("locked");
    const FSRef locked = folder.refOf("locked");
    // Anyone may reach the folder; only "locked" itself is closed.
    std::filesystem::permissions(
        folder.path(), std::filesystem::perms::others_read | std::filesystem::perms::others_exec,
        std::filesystem::perm_options::add);
    std::filesystem::permissions(folder.pathOf("locked"), std::filesystem::perms::none);
    FSIterator iterator;
    {
        const Unprivileged nobody;
        EXPECT_EQ(FSOpenIterator(&locked, kFSIterateFlat, &iterator), permErr);
    }
    std::filesystem::permissions(folder.pathOf("locked"), std::filesystem::perms::owner_all);
}
