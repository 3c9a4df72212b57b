// Test helper: run from inside a temporary bundle, it prints one `name=path`
// line for each bundle folder function, `none` where it answered null.
#include "aFolderItem.h"

#include <cstdio>
#include <memory>

int main() {
    const struct {
        const char* name;
        aFolderItem* (*get)();
    } folders[] = {
        {"bundle", aFolderItem::GetBundleFolder},
        {"plugIns", aFolderItem::GetBundlePluginsFolder},
        {"privateFrameworks", aFolderItem::GetBundlePrivateFrameworksFolder},
        {"resources", aFolderItem::GetBundleResourcesFolder},
        {"sharedFrameworks", aFolderItem::GetBundleSharedFrameworksFolder},
        {"sharedSupport", aFolderItem::GetBundleSharedSupportFolder},
        {"support", aFolderItem::GetBundleSupportFolder},
    };
    for (const auto& folder : folders) {
        const std::unique_ptr<aFolderItem> item(folder.get());
        UInt8 path[4096];
        const FSRef ref = item != nullptr ? item->getAsFSRef() : FSRef{};
        if (item != nullptr && FSRefMakePath(&ref, path, sizeof path) == noErr) {
            std::printf("%s=%s\n", folder.name, reinterpret_cast<const char*>(path));
        } else {
            std::printf("%s=none\n", folder.name);
        }
    }
    // Every item made above was released.
    return aFolderItem::objectCount == 0 ? 0 : 1;
}
