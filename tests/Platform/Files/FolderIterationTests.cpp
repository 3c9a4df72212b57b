#include "Files/Files.h"
#include "TemporaryFolder.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

/// Opens an iterator on a folder and closes it at the end of the test.
class Iterating : public ::testing::Test {
protected:
    void TearDown() override {
        if (iterator != nullptr) {
            EXPECT_EQ(FSCloseIterator(iterator), noErr);
        }
    }
    void open(const std::string& relative = "") {
        const FSRef ref = folder.refOf(relative);
        ASSERT_EQ(FSOpenIterator(&ref, kFSIterateFlat, &iterator), noErr);
    }
    /// One batch of names (in Mac Roman, from the specs), with its result.
    OSErr batch(ItemCount maximum, std::vector<std::string>& names) {
        std::vector<FSSpec> specs(maximum);
        ItemCount actual = 99;
        const OSErr err = FSGetCatalogInfoBulk(iterator, maximum, &actual, nullptr, kFSCatInfoNone,
                                               nullptr, nullptr, specs.data(), nullptr);
        EXPECT_LE(actual, maximum);
        for (ItemCount i = 0; i < actual && i < maximum; ++i) {
            names.emplace_back(reinterpret_cast<const char*>(specs[i].name + 1), specs[i].name[0]);
        }
        return err;
    }

    TemporaryFolder folder;
    FSIterator iterator = nullptr;
};

} // namespace

TEST_F(Iterating, EmptyFolderEndsAtOnce) {
    open();
    std::vector<std::string> names;
    EXPECT_EQ(batch(16, names), errFSNoMoreItems);
    EXPECT_TRUE(names.empty());
}

TEST_F(Iterating, ChildrenComeSortedByNameBytesWithHiddenOnes) {
    for (const char* name : {"b", "B", ".hidden", "a", "..dots", "_"}) {
        folder.makeFile(name);
    }
    folder.makeFolder("Z");
    open();
    std::vector<std::string> names;
    EXPECT_EQ(batch(16, names), errFSNoMoreItems);
    EXPECT_EQ(names, (std::vector<std::string>{"..dots", ".hidden", "B", "Z", "_", "a", "b"}));
}

TEST_F(Iterating, BatchesHoldAtMostTheMaximumAndTheLastOneEnds) {
    folder.makeChildren("", 7);
    open();
    std::vector<std::string> names;
    EXPECT_EQ(batch(3, names), noErr);
    EXPECT_EQ(names.size(), 3u);
    EXPECT_EQ(batch(3, names), noErr);
    EXPECT_EQ(batch(3, names), errFSNoMoreItems); // carries the seventh
    ASSERT_EQ(names.size(), 7u);
    EXPECT_EQ(names.back(), "child06");
    EXPECT_EQ(batch(3, names), errFSNoMoreItems);
    EXPECT_EQ(names.size(), 7u);
}

TEST_F(Iterating, FullLastBatchAlreadyEnds) {
    folder.makeChildren("", 4);
    open();
    std::vector<std::string> names;
    EXPECT_EQ(batch(4, names), errFSNoMoreItems);
    EXPECT_EQ(names.size(), 4u);
}

TEST_F(Iterating, CountingAndNamingAgreeOnPositions) {
    // Batches that ask for nothing skip the sorting; the later ones must still
    // land on the sorted positions.
    for (const char* name : {"d", "c", "b", "a"}) {
        folder.makeFile(name);
    }
    open();
    ItemCount actual = 0;
    ASSERT_EQ(FSGetCatalogInfoBulk(iterator, 2, &actual, nullptr, kFSCatInfoNone, nullptr, nullptr,
                                   nullptr, nullptr),
              noErr);
    EXPECT_EQ(actual, 2u);
    std::vector<std::string> names;
    EXPECT_EQ(batch(16, names), errFSNoMoreItems);
    EXPECT_EQ(names, (std::vector<std::string>{"c", "d"}));
}

TEST_F(Iterating, EveryOutputDescribesTheSameChild) {
    folder.makeFolder("dir");
    folder.makeFile("file");
    folder.makeLink("link", "dir");
    open();
    FSCatalogInfo infos[3];
    FSRef refs[3];
    FSSpec specs[3];
    HFSUniStr255 names[3];
    ItemCount actual = 0;
    ASSERT_EQ(FSGetCatalogInfoBulk(iterator, 3, &actual, nullptr,
                                   kFSCatInfoNodeFlags | kFSCatInfoNodeID | kFSCatInfoParentDirID,
                                   infos, refs, specs, names),
              errFSNoMoreItems);
    ASSERT_EQ(actual, 3u);
    const FSRef parent = folder.refOf();
    FSCatalogInfo parentInfo;
    ASSERT_EQ(FSGetCatalogInfo(&parent, kFSCatInfoNodeID, &parentInfo, nullptr, nullptr, nullptr),
              noErr);
    const struct {
        const char* name;
        UInt16 flags;
    } expected[] = {{"dir", kFSNodeIsDirectoryMask}, {"file", 0}, {"link", 0}};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(PathOfRef(refs[i]), folder.pathOf(expected[i].name));
        EXPECT_EQ(infos[i].nodeFlags, expected[i].flags) << expected[i].name;
        EXPECT_EQ(infos[i].parentDirID, parentInfo.nodeID);
        EXPECT_EQ(SInt32{specs[i].parID}, SInt32(parentInfo.nodeID));
        EXPECT_EQ(
            std::u16string(reinterpret_cast<const char16_t*>(names[i].unicode), names[i].length),
            std::u16string(expected[i].name, expected[i].name + std::strlen(expected[i].name)));
        FSCatalogInfo own;
        ASSERT_EQ(FSGetCatalogInfo(&refs[i], kFSCatInfoNodeID, &own, nullptr, nullptr, nullptr),
                  noErr);
        EXPECT_EQ(infos[i].nodeID, own.nodeID) << expected[i].name;
    }
}

TEST(IteratorOpening, RefusesWhatIsNoFolderAndBadUse) {
    TemporaryFolder folder;
    folder.makeFile("file");
    folder.makeFolder("dir");
    folder.makeLink("link", "dir");
    FSIterator iterator = nullptr;
    const struct {
        const char* name;
        FSIteratorFlags flags;
        OSErr expected;
    } cases[] = {
        {"file", kFSIterateFlat, errFSNotAFolder},
        {"link", kFSIterateFlat, errFSNotAFolder},
        {"dir", kFSIterateSubtree, errFSBadIteratorFlags},
    };
    for (const auto& c : cases) {
        const FSRef ref = folder.refOf(c.name);
        EXPECT_EQ(FSOpenIterator(&ref, c.flags, &iterator), c.expected) << c.name;
    }
    const FSRef dir = folder.refOf("dir");
    ASSERT_EQ(FSOpenIterator(&dir, kFSIterateFlat, &iterator), noErr);
    ItemCount actual = 0;
    EXPECT_EQ(FSGetCatalogInfoBulk(iterator, 0, &actual, nullptr, kFSCatInfoNone, nullptr, nullptr,
                                   nullptr, nullptr),
              errFSBadItemCount);
    EXPECT_EQ(FSGetCatalogInfoBulk(iterator, 1, &actual, nullptr, 0x8000, nullptr, nullptr, nullptr,
                                   nullptr),
              errFSBadInfoBitmap);
    EXPECT_EQ(FSCloseIterator(iterator), noErr);
    EXPECT_EQ(FSCloseIterator(iterator), errFSIteratorNotFound);
    EXPECT_EQ(FSGetCatalogInfoBulk(iterator, 1, &actual, nullptr, kFSCatInfoNone, nullptr, nullptr,
                                   nullptr, nullptr),
              errFSIteratorNotFound);
}
