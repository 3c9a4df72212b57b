#include "ItemIdentity.h"

#include <cerrno>
#include <cstddef>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>

namespace {

/// The handle digest of `path` in `folder` and its mount, or 0 when the file
/// system gives no handles.
int handleOf(int folder, const char* path, ItemIdentity& identity) {
    alignas(file_handle) unsigned char room[sizeof(file_handle) + MAX_HANDLE_SZ];
    auto* handle = reinterpret_cast<file_handle*>(room);
    handle->handle_bytes = MAX_HANDLE_SZ;
    const int flags = *path == '\0' ? AT_EMPTY_PATH : 0; // a link at the end is not followed
    if (name_to_handle_at(folder, path, handle, &identity.mountID, flags) != 0) {
        identity.handle = 0;
        return errno == EOPNOTSUPP || errno == EOVERFLOW ? 0 : errno;
    }
    // FNV-1a over the type and the bytes.
    UInt64 digest = 0xcbf29ce484222325ULL;
    const auto mix = [&digest](unsigned char byte) { digest = (digest ^ byte) * 0x100000001b3ULL; };
    for (unsigned i = 0; i < sizeof handle->handle_type; ++i) {
        mix(static_cast<unsigned char>(handle->handle_type >> (8 * i)));
    }
    const unsigned char* bytes = room + offsetof(file_handle, f_handle);
    for (unsigned i = 0; i < handle->handle_bytes; ++i) {
        mix(bytes[i]);
    }
    identity.handle = digest != 0 ? digest : 1;
    return 0;
}

// With a handle, the handle alone is who the item is: the other fields stay
// zero, so that every reference to one item holds the same bytes however it was
// made.
void keepOnlyTheHandle(ItemIdentity& identity) {
    if (identity.handle != 0) {
        identity.device = 0;
        identity.inode = 0;
        identity.bornSeconds = 0;
        identity.bornNanoseconds = 0;
    }
}

} // namespace

int LookAt(int folder, const char* path, ItemStatus& status) {
    struct statx answer;
    const int flags = AT_SYMLINK_NOFOLLOW | (*path == '\0' ? AT_EMPTY_PATH : 0);
    if (statx(folder, path, flags, STATX_TYPE | STATX_INO | STATX_BTIME, &answer) != 0) {
        return errno;
    }
    ItemIdentity& identity = status.identity;
    identity.device = makedev(answer.stx_dev_major, answer.stx_dev_minor);
    identity.inode = answer.stx_ino;
    const bool born = (answer.stx_mask & STATX_BTIME) != 0;
    identity.bornSeconds = born ? answer.stx_btime.tv_sec : 0;
    identity.bornNanoseconds = born ? answer.stx_btime.tv_nsec : 0;
    status.isFolder = S_ISDIR(answer.stx_mode);
    const int error = handleOf(folder, path, identity);
    keepOnlyTheHandle(identity);
    return error;
}

int Identify(int folder, const char* path, ItemIdentity& identity) {
    if (const int error = handleOf(folder, path, identity); error != 0 || identity.handle != 0) {
        keepOnlyTheHandle(identity);
        return error;
    }
    ItemStatus status;
    const int error = LookAt(folder, path, status);
    identity = status.identity;
    return error;
}

bool SameItem(const ItemIdentity& made, const ItemIdentity& now) {
    if (made.handle != 0 && now.handle != 0) {
        return made.mountID == now.mountID && made.handle == now.handle;
    }
    return made.handle == now.handle && made.device == now.device && made.inode == now.inode &&
           made.bornSeconds == now.bornSeconds && made.bornNanoseconds == now.bornNanoseconds;
}
