#include "Files/Files.h"
#include "TemporaryFolder.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>

namespace {

std::string nameIn(const FSSpec& spec) {
    return std::string(reinterpret_cast<const char*>(spec.name + 1), spec.name[0]);
}

/// A P-string for a name of up to 255 bytes.
struct PName {
    explicit PName(const std::string& name) {
        bytes[0] = static_cast<unsigned char>(name.size());
        std::memcpy(bytes + 1, name.data(), name.size());
    }
    unsigned char bytes[256];
};

class FileNames : public ::testing::Test {
protected:
    FSSpec specOf(const std::string& relative) {
        FSSpec spec{};
        const FSRef ref = folder.refOf(relative);
        EXPECT_EQ(FSGetCatalogInfo(&ref, kFSCatInfoNone, nullptr, nullptr, &spec, nullptr), noErr);
        return spec;
    }
    UInt32 nodeIDOf(const std::string& relative) {
        FSCatalogInfo info{};
        const FSRef ref = folder.refOf(relative);
        EXPECT_EQ(FSGetCatalogInfo(&ref, kFSCatInfoNodeID, &info, nullptr, nullptr, nullptr),
                  noErr);
        return info.nodeID;
    }
    /// The path of the item FSMakeFSSpec and FSpMakeFSRef find by `name` in the
    /// temporary folder, or "error <code>".
    std::string find(const std::string& name) {
        FSSpec spec;
        const OSErr err = FSMakeFSSpec(kLinuxVolumeRefNum, folderID(), PName(name).bytes, &spec);
        if (err != noErr) {
            return "error " + std::to_string(err);
        }
        FSRef ref;
        EXPECT_EQ(FSpMakeFSRef(&spec, &ref), noErr);
        return PathOfRef(ref);
    }
    SInt32 folderID() { return SInt32(nodeIDOf("")); }

    TemporaryFolder folder;
};

std::string hexOf(UInt32 value) {
    char hex[16];
    std::snprintf(hex, sizeof hex, "%X", value);
    return hex;
}

} // namespace

TEST_F(FileNames, SpecNamesAreMacRoman) {
    const struct {
        const char* onDisk;
        const char* specName;
    } cases[] = {
        {"plain", "plain"},
        {"caf\xC3\xA9", "caf\x8E"},
        {"sp\xC3\xA4ter", "sp\x8Ater"},
        {"e\xCC\x81t\xC3\xA9", "\x8Et\x8E"}, // first letter decomposed
        {"\xEF\xA3\xBF", "\xF0"},            // the Apple logo's private-use character
        {"a:b", "a:b"},
    };
    for (const auto& c : cases) {
        folder.makeFile(c.onDisk);
        const FSSpec spec = specOf(c.onDisk);
        EXPECT_EQ(nameIn(spec), c.specName) << c.onDisk;
        EXPECT_EQ(SInt32{spec.parID}, folderID());
        EXPECT_EQ(spec.vRefNum, kLinuxVolumeRefNum);
        EXPECT_EQ(find(c.specName), folder.pathOf(c.onDisk)) << c.onDisk;
    }
}

TEST_F(FileNames, DecomposedNameGivesWayToItsComposedSibling) {
    const std::string composed = "caf\xC3\xA9", decomposed = "cafe\xCC\x81";
    folder.makeFile(decomposed);
    EXPECT_EQ(nameIn(specOf(decomposed)), "caf\x8E");
    folder.makeFile(composed);
    const std::string shortened = "caf\x8E#" + hexOf(nodeIDOf(decomposed));
    EXPECT_EQ(nameIn(specOf(decomposed)), shortened);
    EXPECT_EQ(nameIn(specOf(composed)), "caf\x8E");
    EXPECT_EQ(find("caf\x8E"), folder.pathOf(composed));
    EXPECT_EQ(find(shortened), folder.pathOf(decomposed));
}

TEST_F(FileNames, ShortenedNamesCarryTheNodeIDBeforeTheExtension) {
    const std::string long64(64, 'a');
    const std::string long255 = std::string(251, 'b') + ".txt";
    const std::string noMacRoman = "\xE6\x97\xA5\xE6\x9C\xAC.txt";
    const std::string mixed = "x\xF0\x9F\x98\x80y"; // an emoji between two letters
    for (const std::string* name : {&long64, &long255, &noMacRoman, &mixed}) {
        folder.makeFile(*name);
    }
    const struct {
        const std::string& onDisk;
        std::string expected;
    } cases[] = {
        {long64,
         std::string(63 - 1 - hexOf(nodeIDOf(long64)).size(), 'a') + "#" + hexOf(nodeIDOf(long64))},
        {long255, std::string(63 - 5 - hexOf(nodeIDOf(long255)).size(), 'b') + "#" +
                      hexOf(nodeIDOf(long255)) + ".txt"},
        {noMacRoman, "__#" + hexOf(nodeIDOf(noMacRoman)) + ".txt"},
        {mixed, "x_y#" + hexOf(nodeIDOf(mixed))},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(nameIn(specOf(c.onDisk)), c.expected);
        EXPECT_EQ(find(c.expected), folder.pathOf(c.onDisk)) << c.expected;
    }
}

TEST_F(FileNames, LookupsThatFindNothing) {
    folder.makeFile("Readme");
    folder.makeFolder("sub");
    folder.makeFile(std::string(64, 'q'));
    const struct {
        std::string name;
        std::string found;
    } cases[] = {
        {"readme", "error -43"},
        {"README", "error -43"},
        {"sub/x", "error -37"},
        {"..", "error -37"},
        {".", "error -37"},
        {std::string(64, 'q'), "error -37"}, // longer than an FSSpec name
        {std::string(62, 'q') + "#", "error -43"},
        {"q#FFFFFFF", "error -43"}, // an id that names another item, or none
    };
    for (const auto& c : cases) {
        EXPECT_EQ(find(c.name), c.found) << c.name;
    }
}

TEST_F(FileNames, MissingItemStillGetsItsSpec) {
    FSSpec spec{};
    EXPECT_EQ(FSMakeFSSpec(kLinuxVolumeRefNum, folderID(), PName("new").bytes, &spec), fnfErr);
    EXPECT_EQ(SInt32{spec.parID}, folderID());
    EXPECT_EQ(nameIn(spec), "new");
    FSRef ref;
    EXPECT_EQ(FSpMakeFSRef(&spec, &ref), fnfErr);
}

TEST_F(FileNames, FolderIDsWithoutAName) {
    folder.makeFolder("sub");
    folder.makeFile("file");
    const FSSpec sub = specOf("sub");
    const struct {
        const char* what;
        SInt16 vRefNum;
        SInt32 dirID;
        const char* name;
        OSErr expected;
    } cases[] = {
        {"a folder", kLinuxVolumeRefNum, SInt32(nodeIDOf("sub")), nullptr, noErr},
        {"the root", kLinuxVolumeRefNum, fsRtDirID, nullptr, noErr},
        {"the root by its name", kLinuxVolumeRefNum, fsRtParID, "/", noErr},
        {"above the root", kLinuxVolumeRefNum, fsRtParID, nullptr, dirNFErr},
        {"a file", kLinuxVolumeRefNum, SInt32(nodeIDOf("file")), nullptr, dirNFErr},
        {"no id", kLinuxVolumeRefNum, 0x7FFFFFF0, nullptr, dirNFErr},
        {"another volume", -5, fsRtDirID, nullptr, nsvErr},
    };
    for (const auto& c : cases) {
        FSSpec spec{};
        const PName name(c.name != nullptr ? c.name : "");
        EXPECT_EQ(FSMakeFSSpec(c.vRefNum, c.dirID, c.name != nullptr ? name.bytes : nullptr, &spec),
                  c.expected)
            << c.what;
    }
    FSSpec made;
    ASSERT_EQ(FSMakeFSSpec(kLinuxVolumeRefNum, SInt32(nodeIDOf("sub")), nullptr, &made), noErr);
    EXPECT_EQ(SInt32{made.parID}, SInt32{sub.parID});
    EXPECT_EQ(nameIn(made), nameIn(sub));
    ASSERT_EQ(FSMakeFSSpec(kLinuxVolumeRefNum, fsRtDirID, nullptr, &made), noErr);
    EXPECT_EQ(SInt32{made.parID}, fsRtParID);
    EXPECT_EQ(nameIn(made), "/");
}

TEST_F(FileNames, UnicodeNamesAreUTF16) {
    const struct {
        const char* onDisk;
        std::u16string name;
    } cases[] = {
        {"caf\xC3\xA9", u"caf\u00E9"},
        {"x\xF0\x9F\x98\x80", u"x\U0001F600"},
        {"bad\xFF", u"bad\uFFFD"},
    };
    for (const auto& c : cases) {
        folder.makeFile(c.onDisk);
        const FSRef ref = folder.refOf(c.onDisk);
        HFSUniStr255 name{};
        ASSERT_EQ(FSGetCatalogInfo(&ref, kFSCatInfoNone, nullptr, &name, nullptr, nullptr), noErr);
        EXPECT_EQ(std::u16string(reinterpret_cast<const char16_t*>(name.unicode), name.length),
                  c.name)
            << c.onDisk;
    }
}
