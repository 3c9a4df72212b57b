#include "FolderItemTest.h"
#include "aExceptionTestAccess.h"

#include <functional>

namespace {

using FileFaults::Call;

struct FailureCase {
    const char* method;
    Call failing;
    unsigned long nth; // which call of it fails
    std::function<void(const aFolderItem&)> run;
    const char* description;
    const char* condition;
};

} // namespace

using FolderItemFailures = FolderItemTest;

TEST_F(FolderItemFailures, EachFileManagerFailureThrowsItsRecord) {
    folder.makeChildren("", 17);
    const FailureCase cases[] = {
        {"getChildCount, folder test", Call::FSGetCatalogInfo, 1,
         [](const aFolderItem& f) { f.getChildCount(); },
         "aFolderItem.getChildCount(): Creating a file iterator failed.", ""},
        {"getChildCount, iterator", Call::FSOpenIterator, 1,
         [](const aFolderItem& f) { f.getChildCount(); },
         "aFolderItem.getChildCount(): Creating a file iterator failed.", "fileErr != noErr"},
        {"getChildCount, first batch", Call::FSGetCatalogInfoBulk, 1,
         [](const aFolderItem& f) { f.getChildCount(); },
         "aFolderItem.getChildCount(): File error.", ""},
        {"getChildCount, second batch", Call::FSGetCatalogInfoBulk, 2,
         [](const aFolderItem& f) { f.getChildCount(); },
         "aFolderItem.getChildCount(): File error.", ""},
        {"getChild(aString), count", Call::FSGetCatalogInfoBulk, 1,
         [](const aFolderItem& f) { delete f.getChild(aString("child16")); },
         "aFolderItem.getChildCount(): File error.", ""},
        {"getChild(aString), name", Call::FSGetCatalogInfo, 3,
         [](const aFolderItem& f) { delete f.getChild(aString("child16")); },
         "aFolderItem.getName(): Getting base FSSpec failed.", "fileErr != noErr"},
        {"getName", Call::FSGetCatalogInfo, 1, [](const aFolderItem& f) { f.getName(); },
         "aFolderItem.getName(): Getting base FSSpec failed.", "fileErr != noErr"},
        {"getParent, base", Call::FSGetCatalogInfo, 1,
         [](const aFolderItem& f) { delete f.getParent(); },
         "aFolderItem.getParent(): Getting base FSSpec failed.", "fileErr != noErr"},
        {"getParent, parent spec", Call::FSMakeFSSpec, 1,
         [](const aFolderItem& f) { delete f.getParent(); },
         "aFolderItem.getParent(): Getting parent FSSpec failed.", "fileErr != noErr"},
        {"getParent, parent ref", Call::FSpMakeFSRef, 1,
         [](const aFolderItem& f) { delete f.getParent(); },
         "aFolderItem.getParent(): Getting parent FSRef failed.", "fileErr != noErr"},
        {"getAsFSSpec", Call::FSGetCatalogInfo, 1, [](const aFolderItem& f) { f.getAsFSSpec(); },
         "aFolderItem.getAsFSSpec(): Getting base FSSpec failed.", "fileErr != noErr"},
    };
    const auto item = itemOf();
    for (const auto& c : cases) {
        FileFaults::FailCall(c.failing, c.nth, ioErr);
        try {
            c.run(*item);
            ADD_FAILURE() << c.method << ": nothing thrown";
        } catch (const aException& e) {
            EXPECT_EQ(BytesOf(e.getDescription()), c.description) << c.method;
            EXPECT_EQ(BytesOf(e.getCondition()), c.condition) << c.method;
            EXPECT_TRUE(aExceptionTestAccess::HasFileAndLine(e)) << c.method;
            EXPECT_TRUE(BytesOf(aExceptionTestAccess::File(e)).ends_with("aFolderItem.cpp"))
                << c.method;
            EXPECT_GT(aExceptionTestAccess::Line(e), 0) << c.method;
        }
        FileFaults::Clear();
        // The fault was the only reason: the same call now succeeds.
        EXPECT_NO_THROW(c.run(*item)) << c.method;
    }
}

TEST_F(FolderItemFailures, BootVolumeNotFoundLeavesNoObject) {
    FileFaults::FailCall(Call::FSGetVolumeInfo, 1, nsvErr);
    const long long before = aFolderItem::objectCount;
    try {
        aFolderItem root;
        ADD_FAILURE() << "aFolderItem() did not throw";
    } catch (const aException& e) {
        EXPECT_EQ(BytesOf(e.getDescription()),
                  "aFolderItem.assign(): Finding the boot volume failed.");
        EXPECT_EQ(BytesOf(e.getCondition()), "fileErr != noErr");
        EXPECT_TRUE(aExceptionTestAccess::HasFileAndLine(e));
    }
    EXPECT_EQ(aFolderItem::objectCount, before);
    // assign() on a living item throws the same and leaves it as it was.
    aFolderItem item(folder.refOf());
    FileFaults::FailCall(Call::FSGetVolumeInfo, 1, nsvErr);
    EXPECT_THROW(item.assign(), aException);
    EXPECT_EQ(PathOfRef(item.getAsFSRef()), folder.path());
}

TEST_F(FolderItemFailures, ChildByPositionAnswersNullOnFailures) {
    folder.makeChildren("", 3);
    const auto item = itemOf();
    const struct {
        const char* what;
        Call failing;
    } cases[] = {
        {"folder test", Call::FSGetCatalogInfo},
        {"iterator", Call::FSOpenIterator},
        {"batch", Call::FSGetCatalogInfoBulk},
    };
    for (const auto& c : cases) {
        FileFaults::FailCall(c.failing, 1, ioErr);
        EXPECT_EQ(item->getChild(1), nullptr) << c.what;
        FileFaults::Clear();
    }
}

TEST_F(FolderItemFailures, ChildByNameAnswersNullWhenAPositionYieldsNull) {
    folder.makeChildren("", 3);
    // The second iterator is the one getChild(1) opens.
    FileFaults::FailCall(Call::FSOpenIterator, 2, ioErr);
    EXPECT_EQ(itemOf()->getChild(aString("child02")), nullptr);
}
