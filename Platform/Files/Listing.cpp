#include "Listing.h"

#include "FileErrors.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>

namespace {

// As large as the C library's own directory reads: fewer calls for big
// folders, and no allocation, since it lives on the stack.
constexpr std::size_t readSize = 32 * 1024;

bool isDotOrDotDot(const char* name) {
    return name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0'));
}

} // namespace

void FolderListing::sortByName() {
    std::sort(entries.begin(), entries.end(),
              [this](const Entry& a, const Entry& b) { return nameOf(a) < nameOf(b); });
}

OSErr ReadFolder(int folder, FolderListing& listing) {
    alignas(dirent64) char buffer[readSize];
    for (;;) {
        const ssize_t got = getdents64(folder, buffer, sizeof buffer);
        if (got < 0) {
            return FileErrorFromErrno(errno);
        }
        if (got == 0) {
            return noErr;
        }
        for (ssize_t at = 0; at < got;) {
            const auto* entry = reinterpret_cast<const dirent64*>(buffer + at);
            at += entry->d_reclen;
            if (isDotOrDotDot(entry->d_name)) {
                continue;
            }
            const std::size_t length = std::strlen(entry->d_name);
            listing.entries.push_back({static_cast<UInt32>(listing.names.size()),
                                       static_cast<UInt16>(length), entry->d_type});
            listing.names.append(entry->d_name, length + 1);
        }
    }
}

OSErr ReadFolderAt(const std::string& path, FolderListing& listing) {
    const int folder = open(path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder < 0) {
        return FileErrorFromErrno(errno);
    }
    const OSErr result = WithoutThrowing([&] { return ReadFolder(folder, listing); });
    close(folder);
    return result;
}
