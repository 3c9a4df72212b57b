// Folder iteration: FSOpenIterator, FSGetCatalogInfoBulk, FSCloseIterator.
//
// Opening reads the whole folder in one pass, so that positions hold for the
// life of the iterator. Children are sorted by name only once a batch has to
// say which child it holds; counting never sorts and never asks about a child.
#include "Catalog.h"
#include "FaultPoints.h"
#include "Items.h"
#include "Listing.h"
#include "MacNames.h"

#include <algorithm>
#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <memory>
#include <optional>
#include <unistd.h>
#include <unordered_set>

struct OpaqueFSIterator {
    int folder = -1; // kept open: children are looked at relative to it
    UInt32 folderID = 0;
    const std::string* folderPath = nullptr;
    FolderListing children;
    bool sorted = false;
    std::size_t next = 0;

    ~OpaqueFSIterator() {
        if (folder >= 0) {
            close(folder);
        }
    }
};

namespace {

// Only iterators in this set are used, so a closed or made-up one is refused
// instead of being read.
std::unordered_set<FSIterator>& openIterators() {
    static auto* iterators = new std::unordered_set<FSIterator>; // lives as long as the process
    return *iterators;
}

/// Why the item `ref` names could not be opened as a folder.
OSErr whyNotOpened(const FSRef* ref, int error) {
    if (error != ENOTDIR && error != ELOOP) {
        return ItemErrorFromErrno(error);
    }
    FoundItem item;
    const OSErr err = FindItem(ref, item);
    return err != noErr ? err : OSErr{errFSNotAFolder};
}

/// One child of an iterator's folder, looked at only as far as a batch asks.
class Child {
public:
    Child(const OpaqueFSIterator& iterator, const FolderListing::Entry& entry)
        : iterator(iterator), entry(entry), name(iterator.children.nameOf(entry)) {}

    UInt32 nodeID() {
        if (!id) {
            id = FileCatalog::NodeIDOf(FileCatalog::ChildOf(*iterator.folderPath, name));
        }
        return *id;
    }

    OSErr status(const ItemStatus*& answer) {
        if (!lookedAt) {
            if (const int error = LookAt(iterator.folder, iterator.children.cNameOf(entry), info);
                error != 0) {
                return ItemErrorFromErrno(error);
            }
            lookedAt = true;
        }
        answer = &info;
        return noErr;
    }

    OSErr isFolder(bool& folder) {
        if (entry.type != DT_UNKNOWN) {
            folder = entry.type == DT_DIR;
            return noErr;
        }
        const ItemStatus* st = nullptr;
        const OSErr err = status(st);
        folder = err == noErr && st->isFolder;
        return err;
    }

    OSErr describe(FSCatalogInfoBitmap whichInfo, FSCatalogInfo* info, FSRef* ref, FSSpec* spec,
                   HFSUniStr255* uniName) {
        const auto id = [this] { return nodeID(); };
        if (info != nullptr) {
            bool folder = false;
            if (whichInfo & kFSCatInfoNodeFlags) {
                if (const OSErr err = isFolder(folder); err != noErr) {
                    return err;
                }
            }
            FillCatalogInfo(whichInfo, folder, iterator.folderID, id, info);
        }
        if (ref != nullptr) {
            // Only who the child is: one call where the file system gives handles.
            ItemIdentity identity;
            if (const int error =
                    Identify(iterator.folder, iterator.children.cNameOf(entry), identity);
                error != 0) {
                return ItemErrorFromErrno(error);
            }
            MakeRef(nodeID(), identity, ref);
        }
        if (spec != nullptr) {
            MakeSpec(iterator.folderID, name, id, spec);
        }
        if (uniName != nullptr) {
            MacNames::UniNameOf(name, uniName);
        }
        return noErr;
    }

private:
    const OpaqueFSIterator& iterator;
    const FolderListing::Entry& entry;
    std::string_view name;
    std::optional<UInt32> id;
    bool lookedAt = false;
    ItemStatus info;
};

} // namespace

OSErr FSOpenIterator(const FSRef* container, FSIteratorFlags iteratorFlags, FSIterator* iterator) {
    return ServeFileCall(FileFaults::Call::FSOpenIterator, [&]() -> OSErr {
        if (container == nullptr || iterator == nullptr) {
            return paramErr;
        }
        if (iteratorFlags != kFSIterateFlat) {
            return errFSBadIteratorFlags;
        }
        const RefContents ref = ReadRef(container);
        if (ref.path == nullptr) {
            return errFSBadFSRef;
        }
        auto opened = std::make_unique<OpaqueFSIterator>();
        // Opening without following a link, then checking what was opened, is
        // the one look at the folder that the listing needs.
        opened->folder = open(ref.path->c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
        if (opened->folder < 0) {
            return whyNotOpened(container, errno);
        }
        ItemIdentity identity;
        if (const int error = Identify(opened->folder, "", identity); error != 0) {
            return FileErrorFromErrno(error);
        }
        if (!SameItem(ref.identity, identity)) {
            return fnfErr;
        }
        opened->folderID = ref.nodeID;
        opened->folderPath = ref.path;
        if (const OSErr err = ReadFolder(opened->folder, opened->children); err != noErr) {
            return err;
        }
        openIterators().insert(opened.get());
        *iterator = opened.release();
        return noErr;
    });
}

OSErr FSCloseIterator(FSIterator iterator) {
    return WithoutThrowing([&]() -> OSErr {
        if (openIterators().erase(iterator) == 0) {
            return errFSIteratorNotFound;
        }
        delete iterator;
        return noErr;
    });
}

OSErr FSGetCatalogInfoBulk(FSIterator iterator, ItemCount maximumObjects, ItemCount* actualObjects,
                           Boolean* containerChanged, FSCatalogInfoBitmap whichInfo,
                           FSCatalogInfo* catalogInfos, FSRef* refs, FSSpec* specs,
                           HFSUniStr255* names) {
    return ServeFileCall(FileFaults::Call::FSGetCatalogInfoBulk, [&]() -> OSErr {
        const FileFaults::BatchShape shape = FileFaults::InjectedBatchShape();
        if (openIterators().count(iterator) == 0) {
            return errFSIteratorNotFound;
        }
        if (actualObjects == nullptr) {
            return paramErr;
        }
        if (maximumObjects == 0) {
            return errFSBadItemCount;
        }
        if (const OSErr err = CheckCatalogInfoBitmap(whichInfo); err != noErr) {
            return err;
        }
        *actualObjects = 0;
        if (containerChanged != nullptr) {
            *containerChanged = false;
        }
        auto& entries = iterator->children.entries;
        const ItemCount batch =
            std::min({maximumObjects, shape.limit, ItemCount(entries.size() - iterator->next)});
        FSCatalogInfo* infos = whichInfo != kFSCatInfoNone ? catalogInfos : nullptr;
        if (infos || refs || specs || names) {
            if (!iterator->sorted) {
                iterator->children.sortByName();
                iterator->sorted = true;
            }
            for (ItemCount i = 0; i < batch; ++i) {
                Child child(*iterator, entries[iterator->next]);
                if (const OSErr err = child.describe(
                        whichInfo, infos ? infos + i : nullptr, refs ? refs + i : nullptr,
                        specs ? specs + i : nullptr, names ? names + i : nullptr);
                    err != noErr) {
                    return err;
                }
                ++iterator->next;
                ++*actualObjects;
            }
        } else {
            iterator->next += batch;
            *actualObjects = batch;
        }
        if (shape.error != noErr) {
            return shape.error;
        }
        return iterator->next == entries.size() ? errFSNoMoreItems : noErr;
    });
}
