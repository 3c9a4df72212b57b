#include "FolderItemTest.h"

#include <cstring>
#include <filesystem>

namespace {

bool sameRef(const FSRef& a, const FSRef& b) { return std::memcmp(&a, &b, sizeof a) == 0; }

std::string specName(const FSSpec& spec) {
    return std::string(reinterpret_cast<const char*>(spec.name + 1), spec.name[0]);
}

} // namespace

using FolderItem = FolderItemTest;

TEST_F(FolderItem, DefaultItemIsTheRootFolder) {
    aFolderItem root;
    EXPECT_EQ(PathOfRef(root.getAsFSRef()), "/");
    EXPECT_TRUE(root.getDirectory());
    EXPECT_EQ(BytesOf(root.getName()), "/");
    aFolderItem other(folder.refOf());
    other.assign();
    EXPECT_TRUE(sameRef(other.getAsFSRef(), root.getAsFSRef()));
}

TEST_F(FolderItem, AssignCopiesTheReferenceWithoutCheckingIt) {
    FSRef nothing{};
    aFolderItem item(nothing);
    EXPECT_TRUE(sameRef(item.getAsFSRef(), nothing));
    EXPECT_FALSE(item.getDirectory());
    const FSRef real = folder.refOf();
    item.assign(real);
    EXPECT_TRUE(sameRef(item.getAsFSRef(), real));
}

TEST_F(FolderItem, TellsFoldersFromOtherItems) {
    folder.makeFolder("sub");
    folder.makeFile("file");
    folder.makeLink("link", "sub");
    const struct {
        const char* name;
        bool isFolder;
    } cases[] = {{"sub", true}, {"file", false}, {"link", false}};
    for (const auto& c : cases) {
        EXPECT_EQ(itemOf(c.name)->getDirectory(), c.isFolder) << c.name;
    }
}

TEST_F(FolderItem, FileGivenWhereAFolderIsExpected) {
    folder.makeFile("file");
    const auto file = itemOf("file");
    try {
        file->getChildCount();
        ADD_FAILURE() << "getChildCount() did not throw";
    } catch (const aException& e) {
        EXPECT_EQ(BytesOf(e.getDescription()),
                  "aFolderItem.getChildCount(): Creating a file iterator failed.");
        EXPECT_EQ(BytesOf(e.getCondition()), "");
    }
    EXPECT_EQ(file->getChild(1), nullptr);
    try {
        delete file->getChild(aString("x"));
        ADD_FAILURE() << "getChild(aString) did not throw";
    } catch (const aException& e) {
        EXPECT_EQ(BytesOf(e.getDescription()),
                  "aFolderItem.getChildCount(): Creating a file iterator failed.");
    }
}

TEST_F(FolderItem, ParentOfAChildIsTheFolderAgain) {
    // The parent is found again through its FSSpec name, shortened or not.
    for (const std::string& name :
         {std::string("sub"), std::string(70, 'f'), std::string("\xE6\x97\xA5")}) {
        folder.makeFolder(name);
        folder.makeFile(name + "/file");
        const auto sub = itemOf(name);
        const std::unique_ptr<aFolderItem> child(sub->getChild(1));
        ASSERT_NE(child, nullptr) << name;
        const std::unique_ptr<aFolderItem> parent(child->getParent());
        EXPECT_TRUE(sameRef(parent->getAsFSRef(), sub->getAsFSRef())) << name;
        const std::unique_ptr<aFolderItem> grandparent(parent->getParent());
        EXPECT_EQ(PathOfRef(grandparent->getAsFSRef()), folder.path()) << name;
    }
}

TEST_F(FolderItem, ParentOfTheRootFails) {
    aFolderItem root;
    const std::unique_ptr<aFolderItem> top(root.getChild(1));
    ASSERT_NE(top, nullptr);
    const std::unique_ptr<aFolderItem> parent(top->getParent());
    EXPECT_TRUE(sameRef(parent->getAsFSRef(), root.getAsFSRef()));
    try {
        delete root.getParent();
        ADD_FAILURE() << "getParent() of the root did not throw";
    } catch (const aException& e) {
        EXPECT_EQ(BytesOf(e.getDescription()),
                  "aFolderItem.getParent(): Getting parent FSSpec failed.");
        EXPECT_EQ(BytesOf(e.getCondition()), "fileErr != noErr");
    }
}

TEST_F(FolderItem, ReplacedOrRemovedItemIsNoLongerFound) {
    folder.makeFolder("replaced");
    folder.makeFile("removed");
    const auto replaced = itemOf("replaced");
    const auto removed = itemOf("removed");
    std::filesystem::remove(folder.pathOf("replaced"));
    folder.makeFolder("replaced");
    std::filesystem::remove(folder.pathOf("removed"));
    for (const aFolderItem* item : {replaced.get(), removed.get()}) {
        EXPECT_FALSE(item->getDirectory());
        EXPECT_THROW(item->getName(), aException);
        EXPECT_THROW(item->getAsFSSpec(), aException);
        EXPECT_THROW(delete item->getParent(), aException);
        EXPECT_EQ(item->getChild(1), nullptr);
    }
    EXPECT_THROW(replaced->getChildCount(), aException);
    // A new reference finds the new folder.
    EXPECT_TRUE(itemOf("replaced")->getDirectory());
}

TEST_F(FolderItem, CopiesAreCountedAndIndependent) {
    const long long before = aFolderItem::objectCount;
    aFolderItem original(folder.refOf());
    aFolderItem copy(original);
    EXPECT_EQ(aFolderItem::objectCount, before + 2);
    copy.assign();
    EXPECT_EQ(PathOfRef(original.getAsFSRef()), folder.path());
}

using FolderItemNames = FolderItemTest;

TEST_F(FolderItemNames, NamesInMacRoman) {
    const struct {
        const char* onDisk;
        const char* name;
    } cases[] = {
        {"plain.txt", "plain.txt"},
        {"caf\xC3\xA9", "caf\x8E"}, // composed é
        {"\xC3\xBC"
         "ber",
         "\x9F"
         "ber"},
        {"\xE2\x82\xAC 5", "\xDB 5"}, // euro sign
        {"with space & #hash", "with space & #hash"},
        {"Case", "Case"},
        {"CASE", "CASE"},
    };
    for (const auto& c : cases) {
        folder.makeFile(c.onDisk);
        EXPECT_EQ(BytesOf(itemOf(c.onDisk)->getName()), c.name) << c.onDisk;
        EXPECT_EQ(specName(itemOf(c.onDisk)->getAsFSSpec()), c.name) << c.onDisk;
    }
}

TEST_F(FolderItemNames, LongAndUnconvertibleNamesAreShortenedAndFoundAgain) {
    const std::string cases[] = {
        std::string(64, 'a'),
        std::string(251, 'b') + ".txt",
        "\xE6\x97\xA5\xE6\x9C\xAC.txt", // no Mac Roman form
        std::string(200, 'c') + "\xE6\x97\xA5",
    };
    const auto parent = itemOf();
    for (const std::string& onDisk : cases) {
        folder.makeFile(onDisk);
        const auto item = itemOf(onDisk);
        const std::string name = BytesOf(item->getName());
        EXPECT_LE(name.size(), 63u) << onDisk;
        EXPECT_NE(name.find('#'), std::string::npos) << name;
        if (onDisk.ends_with(".txt")) {
            EXPECT_TRUE(name.ends_with(".txt")) << name;
        }
        // The shortened name leads back to the same item.
        const FSSpec spec = item->getAsFSSpec();
        FSSpec made;
        ASSERT_EQ(FSMakeFSSpec(spec.vRefNum, spec.parID, spec.name, &made), noErr) << name;
        FSRef ref;
        ASSERT_EQ(FSpMakeFSRef(&made, &ref), noErr) << name;
        EXPECT_TRUE(sameRef(ref, item->getAsFSRef())) << name;
        const std::unique_ptr<aFolderItem> found(parent->getChild(aString(name.c_str())));
        ASSERT_NE(found, nullptr) << name;
        EXPECT_TRUE(sameRef(found->getAsFSRef(), item->getAsFSRef())) << name;
    }
}

TEST_F(FolderItemNames, SixtyThreeBytesAreKeptWhole) {
    const std::string name(63, 'z');
    folder.makeFile(name);
    EXPECT_EQ(BytesOf(itemOf(name)->getName()), name);
}
