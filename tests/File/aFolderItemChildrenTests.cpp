#include "FailingAllocator.h"
#include "FolderItemTest.h"

#include <climits>
#include <cstdio>
#include <filesystem>

namespace {

std::string childName(int position) {
    char name[32];
    std::snprintf(name, sizeof name, "child%02d", position - 1);
    return name;
}

} // namespace

using ChildCount = FolderItemTest;

TEST_F(ChildCount, CountsEveryChildAcrossBatchEdges) {
    // 16 fills the first batch exactly; 17 and 33 spill one into the next.
    for (int count : {0, 1, 15, 16, 17, 32, 33}) {
        const std::string name = "folder" + std::to_string(count);
        folder.makeFolder(name);
        folder.makeChildren(name, count);
        EXPECT_EQ(itemOf(name)->getChildCount(), count);
    }
}

TEST_F(ChildCount, CountsHiddenFilesFoldersAndLinks) {
    folder.makeFile(".hidden");
    folder.makeFolder("sub");
    folder.makeLink("link", "sub");
    folder.makeLink("dangling", "nowhere");
    EXPECT_EQ(itemOf()->getChildCount(), 4);
}

using ChildByPosition = FolderItemTest;

TEST_F(ChildByPosition, PositionsAroundTheBatchEdge) {
    folder.makeChildren("", 17);
    const auto parent = itemOf();
    const struct {
        int index;
        const char* name;
    } cases[] = {
        {1, "child00"}, {16, "child15"}, {17, "child16"},     {18, "(null)"},
        {0, "(null)"},  {-1, "(null)"},  {INT_MIN, "(null)"}, {INT_MAX, "(null)"},
    };
    for (const auto& c : cases) {
        const std::unique_ptr<aFolderItem> child(parent->getChild(c.index));
        EXPECT_EQ(NameOf(child.get()), c.name) << "index " << c.index;
    }
}

TEST_F(ChildByPosition, SixteenChildrenEndInTheFirstBatch) {
    folder.makeChildren("", 16);
    const auto parent = itemOf();
    const std::unique_ptr<aFolderItem> last(parent->getChild(16));
    const std::unique_ptr<aFolderItem> beyond(parent->getChild(17));
    EXPECT_EQ(NameOf(last.get()), "child15");
    EXPECT_EQ(beyond, nullptr);
}

TEST_F(ChildByPosition, PositionsFollowNameBytes) {
    // Byte order: upper case before lower case, 0xC3 (UTF-8 lead) after ASCII.
    for (const char* name : {"b", "B", "a", ".dot", "\xC3\xA9t\xC3\xA9", "A"}) {
        folder.makeFile(name);
    }
    const auto parent = itemOf();
    const char* expected[] = {".dot", "A", "B", "a", "b", "\x8Et\x8E"};
    for (int i = 0; i < 6; ++i) {
        const std::unique_ptr<aFolderItem> child(parent->getChild(i + 1));
        EXPECT_EQ(NameOf(child.get()), expected[i]) << "position " << i + 1;
    }
}

TEST_F(ChildByPosition, ShortBatchInTheMiddleKeepsPositionsContinuous) {
    folder.makeChildren("", 40);
    const auto parent = itemOf();
    for (int index = 1; index <= 40; ++index) {
        // The second batch of every search hands out 5 items instead of 16.
        FileFaults::ShapeBatch(2, 5);
        const std::unique_ptr<aFolderItem> child(parent->getChild(index));
        EXPECT_EQ(NameOf(child.get()), childName(index)) << "index " << index;
        FileFaults::Clear();
    }
    FileFaults::ShapeBatch(2, 5);
    EXPECT_EQ(parent->getChildCount(), 40);
}

TEST_F(ChildByPosition, FailingBatchStillYieldsTheItemsItCarries) {
    folder.makeChildren("", 40);
    const auto parent = itemOf();
    const struct {
        ItemCount carried; // by the failing second batch
        int index;
        const char* name;
    } cases[] = {
        {16, 17, "child16"}, {16, 32, "child31"}, {16, 33, "(null)"}, {3, 19, "child18"},
        {3, 20, "(null)"},   {0, 17, "(null)"},   {0, 16, "child15"},
    };
    for (const auto& c : cases) {
        FileFaults::ShapeBatch(2, c.carried, ioErr);
        const std::unique_ptr<aFolderItem> child(parent->getChild(c.index));
        EXPECT_EQ(NameOf(child.get()), c.name) << c.carried << " carried, index " << c.index;
        FileFaults::Clear();
    }
}

TEST_F(ChildByPosition, ChildOutlivesItsFolderItem) {
    folder.makeFile("kept");
    auto parent = itemOf();
    const std::unique_ptr<aFolderItem> child(parent->getChild(1));
    parent.reset();
    ASSERT_NE(child, nullptr);
    EXPECT_EQ(NameOf(child.get()), "kept");
}

using ChildByName = FolderItemTest;

TEST_F(ChildByName, MatchesExactBytesOnly) {
    for (const char* name : {"Readme", "README", "readme.txt", "sub"}) {
        folder.makeFile(name);
    }
    folder.makeFolder("dir");
    folder.makeFile("dir/inner");
    const auto parent = itemOf();
    const struct {
        const char* wanted;
        const char* found;
    } cases[] = {
        {"Readme", "Readme"},         {"README", "README"},    {"readme", "(null)"},
        {"readme.txt", "readme.txt"}, {"dir/inner", "(null)"}, {"", "(null)"},
        {"Readme ", "(null)"},
    };
    for (const auto& c : cases) {
        const std::unique_ptr<aFolderItem> child(parent->getChild(aString(c.wanted)));
        EXPECT_EQ(NameOf(child.get()), c.found) << "looking for '" << c.wanted << "'";
    }
}

TEST_F(ChildByName, EmptyFolderFindsNothing) {
    const std::unique_ptr<aFolderItem> child(itemOf()->getChild(aString("anything")));
    EXPECT_EQ(child, nullptr);
}

TEST_F(ChildByName, FindsTheMacRomanFormOfAnAccentedName) {
    // Composed, and decomposed as names copied from a Mac often are.
    for (const char* onDisk : {"caf\xC3\xA9", "cafe\xCC\x81"}) {
        TemporaryFolder own;
        own.makeFile(onDisk);
        const aFolderItem parent(own.refOf());
        const std::unique_ptr<aFolderItem> child(parent.getChild(aString("caf\x8E")));
        ASSERT_NE(child, nullptr) << onDisk;
        EXPECT_EQ(PathOfRef(child->getAsFSRef()), own.pathOf(onDisk));
    }
}

TEST_F(ChildByName, CountsAgainBeforeEveryCandidate) {
    folder.makeChildren("", 3);
    // Bulk calls: 1 the first count, 2 the search for child 1, 3 the count
    // before the second candidate.
    FileFaults::FailCall(FileFaults::Call::FSGetCatalogInfoBulk, 3, ioErr);
    const auto parent = itemOf();
    EXPECT_THROW(delete parent->getChild(aString("child02")), aException);
}

TEST_F(ChildByName, ReleasesEverythingWhenMemoryRunsOut) {
    folder.makeChildren("", 20);
    const auto parent = itemOf();
    const auto openFiles = [] {
        return std::distance(std::filesystem::directory_iterator("/proc/self/fd"),
                             std::filesystem::directory_iterator());
    };
    const auto filesBefore = openFiles();
    bool found = false;
    for (unsigned long n = 1; !found; ++n) {
        try {
            FailingAllocation failing(n);
            const std::unique_ptr<aFolderItem> child(parent->getChild(aString("child19")));
            found = child != nullptr;
        } catch (const std::bad_alloc&) {
        } catch (const aException&) {
        }
        ASSERT_EQ(openFiles(), filesBefore) << "an iterator stayed open, allocation " << n;
        ASSERT_LT(n, 100000u);
    }
}
