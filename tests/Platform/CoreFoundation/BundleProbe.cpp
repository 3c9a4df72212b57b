// Test helper: run from inside a temporary bundle, it prints, one `name=value`
// line each, what the bundle services answer for the running executable.
#include "CoreFoundation/CoreFoundation.h"

#include <cstdio>

namespace {

const char* kindOf(CFTypeRef value) {
    const struct {
        CFTypeID type;
        const char* name;
    } kinds[] = {
        {CFStringGetTypeID(), "string"},
        {CFNumberGetTypeID(), "number"},
        {CFBooleanGetTypeID(), "boolean"},
        {CFDateGetTypeID(), "date"},
        {CFDataGetTypeID(), "data"},
        {CFArrayGetTypeID(), "array"},
        {CFDictionaryGetTypeID(), "dictionary"},
    };
    for (const auto& kind : kinds) {
        if (CFGetTypeID(value) == kind.type) {
            return kind.name;
        }
    }
    return "unknown";
}

void printURL(const char* name, CFURLRef url) {
    UInt8 path[4096];
    if (url != nullptr && CFURLGetFileSystemRepresentation(url, true, path, sizeof path)) {
        std::printf("%s=%s\n", name, reinterpret_cast<const char*>(path));
    } else {
        std::printf("%s=none\n", name);
    }
    if (url != nullptr) {
        CFRelease(url);
    }
}

} // namespace

int main() {
    CFBundleRef bundle = CFBundleGetMainBundle();
    CFTypeRef value = CFBundleGetValueForInfoDictionaryKey(bundle, CFSTR("ZQLaunchApp"));
    std::printf("value=%s\n", value != nullptr ? kindOf(value) : "absent");

    // The launcher's own conversion: Mac Roman into 256 bytes, shown in hex.
    char buffer[256];
    if (CFStringGetCString(static_cast<CFStringRef>(value), buffer, sizeof buffer,
                           kCFStringEncodingMacRoman)) {
        std::printf("macRoman=");
        for (const char* c = buffer; *c != '\0'; ++c) {
            std::printf("%02X", static_cast<unsigned char>(*c));
        }
        std::printf("\n");
    } else {
        std::printf("macRoman=failed\n");
    }

    printURL("bundle", CFBundleCopyBundleURL(bundle));
    printURL("resources", CFBundleCopyResourcesDirectoryURL(bundle));
    printURL("plugIns", CFBundleCopyBuiltInPlugInsURL(bundle));
    printURL("privateFrameworks", CFBundleCopyPrivateFrameworksURL(bundle));
    printURL("sharedFrameworks", CFBundleCopySharedFrameworksURL(bundle));
    printURL("sharedSupport", CFBundleCopySharedSupportURL(bundle));
    printURL("supportFiles", CFBundleCopySupportFilesDirectoryURL(bundle));
    return 0;
}
