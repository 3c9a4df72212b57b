// aFolderItem: one item (a file or a folder) of the file system, held as the
// File Manager's FSRef.
#pragma once

#include "Files/Files.h"
#include "aObject.h"
#include "aString.h"

/// An item that asks the File Manager afresh on every call and caches nothing.
/// Items are independent: one taken from a folder stays valid when the folder's
/// item is deleted. Every aFolderItem* a method returns is a new heap object
/// that the caller deletes.
class aFolderItem : public virtual aObject {
public:
    // Construction, assignment, destruction.
    /// The root folder of the boot volume; throws when it cannot be found.
    aFolderItem();
    /// The item `ref` names, unchecked: a reference to nothing is found out by
    /// the first method that asks about it.
    aFolderItem(FSRef ref);
    aFolderItem(const aFolderItem& other);
    aFolderItem& operator=(const aFolderItem& other) = default;
    ~aFolderItem();

    /// Makes this the root folder of the boot volume.
    void assign();
    void assign(FSRef ref);

    // The running application's bundle folders: a new item, or null when the
    // bundle has no such folder.
    static aFolderItem* GetBundleFolder();
    static aFolderItem* GetBundlePluginsFolder();
    static aFolderItem* GetBundlePrivateFrameworksFolder();
    static aFolderItem* GetBundleResourcesFolder();
    static aFolderItem* GetBundleSharedFrameworksFolder();
    static aFolderItem* GetBundleSharedSupportFolder();
    static aFolderItem* GetBundleSupportFolder();

    // Children, in the order the File Manager lists them.
    /// Throws when this is no folder or the folder cannot be read.
    int getChildCount() const;
    /// The child at `index`, counted from 1 (a new item), or null when there is
    /// none or the folder cannot be read.
    aFolderItem* getChild(int index) const;
    /// The first child whose name is `name`, byte for byte (a new item), or null.
    aFolderItem* getChild(aString name) const;

    // The item itself.
    /// False also when the item cannot be asked.
    bool getDirectory() const;
    /// The name as the item's FSSpec carries it: Mac Roman, at most 63 bytes.
    aString getName() const;
    /// The folder holding this item (a new item).
    aFolderItem* getParent() const;
    FSRef getAsFSRef() const { return ref; }
    FSSpec getAsFSSpec() const;

    static long long objectCount;

private:
    /// The item's FSSpec; throws `description` when the File Manager fails.
    FSSpec getBaseFSSpec(const char* description) const;

    FSRef ref;
};
