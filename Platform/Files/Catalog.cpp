#include "Catalog.h"

#include "Files.h"

#include <deque>
#include <new>
#include <unordered_map>

namespace FileCatalog {

namespace {

// Ids below this one are kept for the root and its parent, as on HFS.
constexpr UInt32 firstFreeID = 16;

struct Catalog {
    // A deque keeps every path where it is, so the pointers PathOf hands out
    // stay valid while the catalog grows.
    std::deque<std::string> paths;
    std::unordered_map<std::string_view, UInt32> ids;
};

Catalog& catalog() {
    static Catalog* theCatalog = new Catalog; // lives as long as the process
    return *theCatalog;
}

const std::string rootPath = "/";

} // namespace

UInt32 NodeIDOf(std::string_view path) {
    if (path == rootPath) {
        return fsRtDirID;
    }
    Catalog& c = catalog();
    if (auto found = c.ids.find(path); found != c.ids.end()) {
        return found->second;
    }
    if (c.paths.size() > UINT32_MAX - firstFreeID) {
        throw std::bad_alloc();
    }
    const std::string& kept = c.paths.emplace_back(path);
    const UInt32 nodeID = firstFreeID + static_cast<UInt32>(c.paths.size() - 1);
    try {
        c.ids.emplace(kept, nodeID);
    } catch (...) {
        c.paths.pop_back();
        throw;
    }
    return nodeID;
}

const std::string* PathOf(UInt32 nodeID) {
    if (nodeID == fsRtDirID) {
        return &rootPath;
    }
    const Catalog& c = catalog();
    if (nodeID < firstFreeID || nodeID - firstFreeID >= c.paths.size()) {
        return nullptr;
    }
    return &c.paths[nodeID - firstFreeID];
}

std::string_view FolderOf(std::string_view path) {
    const auto slash = path.rfind('/');
    return slash == 0 || slash == std::string_view::npos ? rootPath : path.substr(0, slash);
}

std::string_view NameOf(std::string_view path) {
    const auto slash = path.rfind('/');
    if (path == rootPath || slash == std::string_view::npos) {
        return path;
    }
    return path.substr(slash + 1);
}

std::string ChildOf(std::string_view folder, std::string_view name) {
    std::string child;
    child.reserve(folder.size() + 1 + name.size());
    child += folder;
    if (folder != rootPath) {
        child += '/';
    }
    child += name;
    return child;
}

} // namespace FileCatalog
