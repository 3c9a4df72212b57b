#include "BundleLocation.h"

#include "BundleLayout.h"

#include <climits>
#include <cstdlib>
#include <memory>
#include <sys/auxv.h>
#include <unistd.h>

namespace {

// The parent of an absolute path; "/" is its own parent.
std::string_view parentOf(std::string_view path) {
    const auto slash = path.rfind('/');
    return slash == 0 || slash == std::string_view::npos ? std::string_view("/")
                                                         : path.substr(0, slash);
}

std::string_view nameOf(std::string_view path) { return path.substr(path.rfind('/') + 1); }

bool isExecutableFolder(std::string_view name) {
    for (const auto folder : BundleLayout::executableFolders) {
        if (name == folder) {
            return true;
        }
    }
    return false;
}

std::string realPathOf(const char* path) {
    const std::unique_ptr<char, decltype(&std::free)> real(realpath(path, nullptr), &std::free);
    return real ? std::string(real.get()) : std::string();
}

} // namespace

BundleLocation BundleLocationOf(std::string_view executablePath) {
    const auto executableFolder = parentOf(executablePath);
    const auto contents = parentOf(executableFolder);
    if (isExecutableFolder(nameOf(executableFolder)) &&
        nameOf(contents) == BundleLayout::contents) {
        return {std::string(parentOf(contents)), true};
    }
    return {std::string(executableFolder), false};
}

std::string RunningExecutablePath(const char* selfLink) {
    char path[PATH_MAX];
    const auto length = readlink(selfLink, path, sizeof path);
    if (length > 0 && static_cast<std::size_t>(length) < sizeof path) {
        return std::string(path, static_cast<std::size_t>(length));
    }
    // The name given to exec may be relative or a link; it is resolved against
    // the current folder, which is right unless the process changed it first.
    const auto* startedAs = reinterpret_cast<const char*>(getauxval(AT_EXECFN));
    return startedAs != nullptr ? realPathOf(startedAs) : std::string();
}

std::string PathInBundle(std::string_view folder, std::string_view part) {
    std::string path(folder);
    if (part.empty()) {
        return path;
    }
    if (path.empty() || path.back() != '/') {
        path += '/';
    }
    path += part;
    return path;
}
