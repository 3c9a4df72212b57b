// Between paths and references: FSPathMakeRef, FSRefMakePath, CFURLGetFSRef.
#include "Catalog.h"
#include "CoreFoundation/CoreFoundation.h"
#include "FaultPoints.h"
#include "Items.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <memory>

namespace {

/// `path` made absolute, with every folder on the way resolved; the last part
/// stays as it is, so a symbolic link there is not followed.
OSErr canonicalPath(std::string path, std::string& canonical) {
    while (path.size() > 1 && path.back() == '/') {
        path.pop_back();
    }
    if (path.empty()) {
        return fnfErr;
    }
    const auto slash = path.rfind('/');
    const std::string folder = slash == std::string::npos ? "."
                               : slash == 0               ? "/"
                                                          : path.substr(0, slash);
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    const bool whole = path == "/" || name == "." || name == "..";
    const std::unique_ptr<char, decltype(&std::free)> resolved(
        realpath((whole ? path : folder).c_str(), nullptr), &std::free);
    if (resolved == nullptr) {
        return FileErrorFromErrno(errno);
    }
    canonical = whole ? std::string(resolved.get()) : FileCatalog::ChildOf(resolved.get(), name);
    return noErr;
}

} // namespace

OSStatus FSPathMakeRef(const UInt8* path, FSRef* ref, Boolean* isDirectory) {
    return ServeFileCall(FileFaults::Call::FSPathMakeRef, [&]() -> OSErr {
        if (path == nullptr || ref == nullptr) {
            return paramErr;
        }
        std::string canonical;
        if (const OSErr err = canonicalPath(reinterpret_cast<const char*>(path), canonical);
            err != noErr) {
            return err;
        }
        return MakeRefAt(canonical, ref, isDirectory);
    });
}

OSStatus FSRefMakePath(const FSRef* ref, UInt8* path, UInt32 maxPathSize) {
    return ServeFileCall(FileFaults::Call::FSRefMakePath, [&]() -> OSErr {
        if (ref == nullptr || path == nullptr) {
            return paramErr;
        }
        FoundItem item;
        if (const OSErr err = FindItem(ref, item); err != noErr) {
            return err;
        }
        if (item.path->size() >= maxPathSize) {
            return pathTooLongErr;
        }
        std::memcpy(path, item.path->c_str(), item.path->size() + 1);
        return noErr;
    });
}

Boolean CFURLGetFSRef(CFURLRef url, FSRef* fsRef) {
    UInt8 path[PATH_MAX];
    if (url == nullptr || fsRef == nullptr ||
        !CFURLGetFileSystemRepresentation(url, true, path, sizeof path)) {
        return false;
    }
    // The bundle's folders are reached through whatever links lead to them.
    char resolved[PATH_MAX];
    if (realpath(reinterpret_cast<const char*>(path), resolved) == nullptr) {
        return false;
    }
    return FSPathMakeRef(reinterpret_cast<const UInt8*>(resolved), fsRef, nullptr) == noErr;
}
