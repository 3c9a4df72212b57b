#include "BundleLayout.h"
#include "BundleLocation.h"
#include "CFObject.h"
#include "CFString.h"
#include "CFURL.h"
#include "InfoDictionary.h"

#include <optional>

struct __CFBundle final : CFObject {
    explicit __CFBundle(BundleLocation location)
        : CFObject(CFTypeIDs::bundle, Lifetime::permanent), location(std::move(location)) {}

    const BundleLocation location;
    /// Read when a key is first asked for, then kept for the life of the process.
    mutable std::optional<InfoDictionary> info;
};

namespace {

const InfoDictionary& infoOf(const __CFBundle& bundle) {
    if (!bundle.info) {
        bundle.info = bundle.location.hasInfoPlist
                          ? InfoDictionary::Read(
                                PathInBundle(bundle.location.folder, BundleLayout::infoPlist))
                          : InfoDictionary();
    }
    return *bundle.info;
}

// A new URL for a folder of the bundle, whether or not it exists; the caller
// releases it.
CFURLRef copyFolderURL(CFBundleRef bundle, std::string_view part) {
    const auto* object = CFObjectAs<__CFBundle>(bundle, CFTypeIDs::bundle);
    return object != nullptr ? MakeCFURL(PathInBundle(object->location.folder, part)) : nullptr;
}

} // namespace

CFBundleRef CFBundleGetMainBundle() {
    // Made once and never freed: every caller shares it and none releases it.
    static auto* const mainBundle = new __CFBundle(BundleLocationOf(RunningExecutablePath()));
    return mainBundle;
}

CFTypeRef CFBundleGetValueForInfoDictionaryKey(CFBundleRef bundle, CFStringRef key) {
    const auto* object = CFObjectAs<__CFBundle>(bundle, CFTypeIDs::bundle);
    const auto* name = CFObjectAs<__CFString>(key, CFTypeIDs::string);
    return object != nullptr && name != nullptr ? infoOf(*object).valueOf(name->utf8) : nullptr;
}

CFURLRef CFBundleCopyBundleURL(CFBundleRef bundle) { return copyFolderURL(bundle, {}); }

CFURLRef CFBundleCopyBuiltInPlugInsURL(CFBundleRef bundle) {
    return copyFolderURL(bundle, BundleLayout::plugIns);
}

CFURLRef CFBundleCopyPrivateFrameworksURL(CFBundleRef bundle) {
    return copyFolderURL(bundle, BundleLayout::privateFrameworks);
}

CFURLRef CFBundleCopyResourcesDirectoryURL(CFBundleRef bundle) {
    return copyFolderURL(bundle, BundleLayout::resources);
}

CFURLRef CFBundleCopySharedFrameworksURL(CFBundleRef bundle) {
    return copyFolderURL(bundle, BundleLayout::sharedFrameworks);
}

CFURLRef CFBundleCopySharedSupportURL(CFBundleRef bundle) {
    return copyFolderURL(bundle, BundleLayout::sharedSupport);
}

CFURLRef CFBundleCopySupportFilesDirectoryURL(CFBundleRef bundle) {
    return copyFolderURL(bundle, BundleLayout::supportFiles);
}
