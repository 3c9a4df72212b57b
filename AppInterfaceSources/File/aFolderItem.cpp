#include "aFolderItem.h"

#include "CoreFoundation/CoreFoundation.h"
#include "aException.h"

#include <memory>

long long aFolderItem::objectCount = 0;

namespace {

// Children are read this many at a time.
constexpr ItemCount batchSize = 16;

/// Closes the iterator on every way out.
class IteratorCloser {
public:
    explicit IteratorCloser(FSIterator iterator) : iterator(iterator) {}
    ~IteratorCloser() { FSCloseIterator(iterator); }
    IteratorCloser(const IteratorCloser&) = delete;
    IteratorCloser& operator=(const IteratorCloser&) = delete;

private:
    FSIterator iterator;
};

/// Releases the URL on every way out.
class URLReleaser {
public:
    explicit URLReleaser(CFURLRef url) : url(url) {}
    ~URLReleaser() { CFRelease(url); }
    URLReleaser(const URLReleaser&) = delete;
    URLReleaser& operator=(const URLReleaser&) = delete;

private:
    CFURLRef url;
};

/// The main bundle's folder that `copyURL` names, as a new item, or null.
aFolderItem* bundleFolder(CFURLRef (*copyURL)(CFBundleRef)) {
    const CFURLRef url = copyURL(CFBundleGetMainBundle());
    if (url == nullptr) {
        return nullptr;
    }
    const URLReleaser releaser(url);
    FSRef folder;
    if (!CFURLGetFSRef(url, &folder)) {
        return nullptr;
    }
    return new aFolderItem(folder);
}

} // namespace

aFolderItem::aFolderItem() {
    ++objectCount;
    try {
        assign();
    } catch (...) {
        // No object exists, so none may be counted.
        --objectCount;
        throw;
    }
}

aFolderItem::aFolderItem(FSRef ref) {
    ++objectCount;
    assign(ref);
}

aFolderItem::aFolderItem(const aFolderItem& other) : aObject(), ref(other.ref) { ++objectCount; }

aFolderItem::~aFolderItem() { --objectCount; }

void aFolderItem::assign() {
    const OSErr fileErr =
        FSGetVolumeInfo(kFSInvalidVolumeRefNum, 1, nullptr, kFSVolInfoNone, nullptr, nullptr, &ref);
    if (fileErr != noErr) {
        A_THROW("aFolderItem.assign(): Finding the boot volume failed.", "fileErr != noErr");
    }
}

void aFolderItem::assign(FSRef newRef) { ref = newRef; }

aFolderItem* aFolderItem::GetBundleFolder() { return bundleFolder(CFBundleCopyBundleURL); }

aFolderItem* aFolderItem::GetBundlePluginsFolder() {
    return bundleFolder(CFBundleCopyBuiltInPlugInsURL);
}

aFolderItem* aFolderItem::GetBundlePrivateFrameworksFolder() {
    return bundleFolder(CFBundleCopyPrivateFrameworksURL);
}

aFolderItem* aFolderItem::GetBundleResourcesFolder() {
    return bundleFolder(CFBundleCopyResourcesDirectoryURL);
}

aFolderItem* aFolderItem::GetBundleSharedFrameworksFolder() {
    return bundleFolder(CFBundleCopySharedFrameworksURL);
}

aFolderItem* aFolderItem::GetBundleSharedSupportFolder() {
    return bundleFolder(CFBundleCopySharedSupportURL);
}

aFolderItem* aFolderItem::GetBundleSupportFolder() {
    return bundleFolder(CFBundleCopySupportFilesDirectoryURL);
}

int aFolderItem::getChildCount() const {
    if (!getDirectory()) {
        A_THROW("aFolderItem.getChildCount(): Creating a file iterator failed.");
    }
    FSIterator iterator;
    OSErr fileErr = FSOpenIterator(&ref, kFSIterateFlat, &iterator);
    if (fileErr != noErr) {
        A_THROW("aFolderItem.getChildCount(): Creating a file iterator failed.",
                "fileErr != noErr");
    }
    const IteratorCloser closer(iterator);
    int count = 0;
    do {
        ItemCount actualObjects = 0;
        fileErr = FSGetCatalogInfoBulk(iterator, batchSize, &actualObjects, nullptr, kFSCatInfoNone,
                                       nullptr, nullptr, nullptr, nullptr);
        if (fileErr != noErr && fileErr != errFSNoMoreItems) {
            A_THROW("aFolderItem.getChildCount(): File error.");
        }
        // The last batch may carry items too.
        count += static_cast<int>(actualObjects);
    } while (fileErr == noErr);
    return count;
}

aFolderItem* aFolderItem::getChild(int index) const {
    if (!getDirectory()) {
        return nullptr;
    }
    FSIterator iterator;
    if (FSOpenIterator(&ref, kFSIterateFlat, &iterator) != noErr) {
        return nullptr;
    }
    const IteratorCloser closer(iterator);
    FSRef refs[batchSize];
    // Unsigned, so that an index of 0 or below (0, or above every count) never
    // falls inside a batch.
    const UInt32 position = static_cast<UInt32>(index);
    UInt32 seen = 0;
    for (;;) {
        // Batches that end before the position are only counted: a batch that
        // hands out references has the File Manager look at every child in it,
        // which made a search by name quadratic in those looks.
        const bool mayHoldPosition = position > seen && position - seen <= batchSize;
        ItemCount actualObjects = 0;
        const OSErr fileErr =
            FSGetCatalogInfoBulk(iterator, batchSize, &actualObjects, nullptr, kFSCatInfoNone,
                                 nullptr, mayHoldPosition ? refs : nullptr, nullptr, nullptr);
        // A batch that comes with a failure still counts.
        const UInt32 got = static_cast<UInt32>(actualObjects);
        if (mayHoldPosition && position <= seen + got) {
            return new aFolderItem(refs[position - seen - 1]);
        }
        seen += got;
        if (fileErr != noErr) {
            return nullptr;
        }
    }
}

aFolderItem* aFolderItem::getChild(aString name) const {
    // Counted again before every candidate, so the search follows the folder.
    for (int i = 0; i < getChildCount(); ++i) {
        std::unique_ptr<aFolderItem> child(getChild(i + 1));
        if (child == nullptr) {
            return nullptr;
        }
        if (child->getName() == name) {
            return child.release();
        }
    }
    return nullptr;
}

bool aFolderItem::getDirectory() const {
    FSCatalogInfo info;
    if (FSGetCatalogInfo(&ref, kFSCatInfoNodeFlags, &info, nullptr, nullptr, nullptr) != noErr) {
        return false;
    }
    return (info.nodeFlags & kFSNodeIsDirectoryMask) != 0;
}

aString aFolderItem::getName() const {
    const FSSpec spec = getBaseFSSpec("aFolderItem.getName(): Getting base FSSpec failed.");
    return aString(spec.name);
}

aFolderItem* aFolderItem::getParent() const {
    const FSSpec spec = getBaseFSSpec("aFolderItem.getParent(): Getting base FSSpec failed.");
    // With no name, FSMakeFSSpec describes the folder parID itself.
    FSSpec parentSpec;
    OSErr fileErr = FSMakeFSSpec(spec.vRefNum, spec.parID, nullptr, &parentSpec);
    if (fileErr != noErr) {
        A_THROW("aFolderItem.getParent(): Getting parent FSSpec failed.", "fileErr != noErr");
    }
    FSRef parentRef;
    fileErr = FSpMakeFSRef(&parentSpec, &parentRef);
    if (fileErr != noErr) {
        A_THROW("aFolderItem.getParent(): Getting parent FSRef failed.", "fileErr != noErr");
    }
    return new aFolderItem(parentRef);
}

FSSpec aFolderItem::getAsFSSpec() const {
    return getBaseFSSpec("aFolderItem.getAsFSSpec(): Getting base FSSpec failed.");
}

FSSpec aFolderItem::getBaseFSSpec(const char* description) const {
    FSSpec spec;
    const OSErr fileErr = FSGetCatalogInfo(&ref, kFSCatInfoNone, nullptr, nullptr, &spec, nullptr);
    if (fileErr != noErr) {
        A_THROW(description, "fileErr != noErr");
    }
    return spec;
}
