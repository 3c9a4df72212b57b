#include "CFURL.h"

#include "CFString.h"

CFURLRef MakeCFURL(std::string path) { return new __CFURL(std::move(path)); }

Boolean CFURLGetFileSystemRepresentation(CFURLRef url, Boolean /*resolveAgainstBase*/,
                                         UInt8* buffer, CFIndex maxBufLen) {
    // Every URL here is already absolute, so there is no base to resolve against.
    const auto* object = CFObjectAs<__CFURL>(url, CFTypeIDs::url);
    return object != nullptr && CopyAsCString(object->path, buffer, maxBufLen);
}
