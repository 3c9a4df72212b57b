// The launcher: the executable of an application bundle, whose one job is to
// start the application named by the bundle's "ZQLaunchApp" key from the
// bundle's Resources folder, and end.

#include "UncaughtException.h"

#include "CoreFoundation/CoreFoundation.h"
#include "Processes/Processes.h"
#include "aFolderItem.h"
#include "aString.h"

#include <memory>

int main() {
    std::set_terminate(ReportUncaughtException);

    aString applicationName;

    CFBundleRef bundle = CFBundleGetMainBundle();
    CFTypeRef value = CFBundleGetValueForInfoDictionaryKey(bundle, CFSTR("ZQLaunchApp"));
    if (value == nullptr) {
        return 0;
    }

    // 255 bytes of Mac Roman and the NUL; a longer name does not convert.
    std::unique_ptr<char[]> buffer(new char[256]);
    if (!CFStringGetCString(static_cast<CFStringRef>(value), buffer.get(), 256,
                            kCFStringEncodingMacRoman)) {
        return 0;
    }
    applicationName = aString(buffer.get());

    std::unique_ptr<aFolderItem> resources(aFolderItem::GetBundleResourcesFolder());
    if (resources == nullptr) {
        return 0;
    }
    // Compared with the names of the folder's own children: never a path.
    std::unique_ptr<aFolderItem> application(resources->getChild(applicationName));
    if (application == nullptr) {
        return 0;
    }
    FSSpec applicationSpec = application->getAsFSSpec();

    // Only these fields are set: the Process Manager reads no other on a launch.
    LaunchParamBlockRec launchParams;
    launchParams.launchBlockID = extendedBlock;
    launchParams.launchEPBLength = extendedBlockLen;
    launchParams.launchControlFlags = launchContinue | launchNoFileFlags | launchUseMinimum;
    launchParams.launchAppSpec = &applicationSpec;
    launchParams.launchAppParameters = nullptr;
    // A refused launch is not reported: the launcher has no way to tell anyone.
    LaunchApplication(&launchParams);

    return 0;
}
