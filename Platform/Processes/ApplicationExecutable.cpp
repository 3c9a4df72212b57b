#include "ApplicationExecutable.h"

#include "ErrnoResult.h"

#include <plist/plist.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <memory>

namespace Processes {

namespace {

constexpr const char* infoPlistPath = "/Contents/Info.plist";
constexpr const char* executableFolderPath = "/Contents/MacOS/";
constexpr const char* executableKey = "CFBundleExecutable";

// The whole file, read into a buffer of the size fstat gives.
OSErr readFile(const std::string& path, std::string& contents) {
    int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return ErrnoResult(errno);
    }
    OSErr err = noErr;
    struct stat info;
    if (fstat(fd, &info) != 0) {
        err = ErrnoResult(errno);
    } else {
        contents.resize(static_cast<std::size_t>(info.st_size));
        std::size_t done = 0;
        while (done < contents.size()) {
            ssize_t got = read(fd, contents.data() + done, contents.size() - done);
            if (got < 0 && errno == EINTR) {
                continue;
            }
            if (got <= 0) {
                err = got < 0 ? ErrnoResult(errno) : OSErr{ioErr};
                break;
            }
            done += static_cast<std::size_t>(got);
        }
    }
    close(fd);
    return err;
}

// The bundle's executable name; empty when the bundle names none that is a
// plain file name (a name is never followed as a path).
std::string bundleExecutableName(const std::string& contents) {
    plist_t root = nullptr;
    plist_from_memory(contents.data(), static_cast<uint32_t>(contents.size()), &root);
    std::unique_ptr<void, decltype(&plist_free)> owner(root, &plist_free);
    if (root == nullptr || plist_get_node_type(root) != PLIST_DICT) {
        return {};
    }
    plist_t value = plist_dict_get_item(root, executableKey);
    if (value == nullptr || plist_get_node_type(value) != PLIST_STRING) {
        return {};
    }
    uint64_t length = 0;
    const char* bytes = plist_get_string_ptr(value, &length);
    std::string name(bytes, length);
    if (name == "." || name == ".." || name.find_first_of(std::string("/\0", 2)) != name.npos) {
        return {};
    }
    return name;
}

OSErr checkExecutableFile(const std::string& path) {
    struct stat info;
    if (stat(path.c_str(), &info) != 0) {
        return ErrnoResult(errno);
    }
    if (!S_ISREG(info.st_mode)) {
        return paramErr;
    }
    return access(path.c_str(), X_OK) == 0 ? noErr : permErr;
}

} // namespace

OSErr FindApplicationExecutable(const std::string& itemPath, std::string& executablePath) {
    struct stat info;
    if (stat(itemPath.c_str(), &info) != 0) {
        return ErrnoResult(errno);
    }
    if (S_ISREG(info.st_mode)) {
        executablePath = itemPath;
    } else if (S_ISDIR(info.st_mode)) {
        std::string contents;
        if (readFile(itemPath + infoPlistPath, contents) != noErr) {
            return paramErr;
        }
        std::string name = bundleExecutableName(contents);
        if (name.empty()) {
            return paramErr;
        }
        executablePath = itemPath + executableFolderPath + name;
    } else {
        return paramErr;
    }
    return checkExecutableFile(executablePath);
}

} // namespace Processes
