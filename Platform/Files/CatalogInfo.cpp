// FSGetCatalogInfo: what is known about one item.
#include "Catalog.h"
#include "FaultPoints.h"
#include "Items.h"
#include "MacNames.h"

#include <cstring>

OSErr FSGetCatalogInfo(const FSRef* ref, FSCatalogInfoBitmap whichInfo, FSCatalogInfo* catalogInfo,
                       HFSUniStr255* outName, FSSpec* fsSpec, FSRef* parentRef) {
    return ServeFileCall(FileFaults::Call::FSGetCatalogInfo, [&]() -> OSErr {
        if (ref == nullptr) {
            return paramErr;
        }
        if (const OSErr err = CheckCatalogInfoBitmap(whichInfo); err != noErr) {
            return err;
        }
        FoundItem item;
        if (const OSErr err = FindItem(ref, item); err != noErr) {
            return err;
        }
        const std::string& path = *item.path;
        const std::string_view name = FileCatalog::NameOf(path);
        // The folder test asks for flags only; it need not meet the parent.
        const bool needsParent =
            fsSpec != nullptr || (catalogInfo != nullptr && (whichInfo & kFSCatInfoParentDirID));
        const UInt32 parentID = needsParent ? ParentIDOf(path) : 0;
        const auto nodeID = [&] { return item.nodeID; };
        if (catalogInfo != nullptr) {
            FillCatalogInfo(whichInfo, item.status.isFolder, parentID, nodeID, catalogInfo);
        }
        if (outName != nullptr) {
            MacNames::UniNameOf(name, outName);
        }
        if (fsSpec != nullptr) {
            MakeSpec(parentID, name, nodeID, fsSpec);
        }
        if (parentRef != nullptr) {
            if (item.nodeID == fsRtDirID) {
                std::memset(parentRef, 0, sizeof *parentRef);
                return noErr;
            }
            return MakeRefAt(FileCatalog::FolderOf(path), parentRef);
        }
        return noErr;
    });
}
