#include "Spawn.h"

#include "ErrnoResult.h"

#include <cerrno>
#include <linux/close_range.h>
#include <signal.h>
#include <spawn.h>
#include <unistd.h>

extern char** environ;

namespace Processes {

namespace {

constexpr int firstPrivateDescriptor = 3;

// Owns the two spawn records so that every way out destroys them.
struct SpawnSettings {
    posix_spawn_file_actions_t actions;
    posix_spawnattr_t attributes;
    int failure = 0;

    SpawnSettings() {
        posix_spawn_file_actions_init(&actions);
        posix_spawnattr_init(&attributes);
        // The launched program is an application of its own, not a job of the
        // caller: it leaves the caller's session, and whatever the caller blocked
        // or ignored is not handed on.
        sigset_t none, all;
        sigemptyset(&none);
        sigfillset(&all);
        short flags = POSIX_SPAWN_SETSID | POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF;
        keep(posix_spawnattr_setflags(&attributes, flags));
        keep(posix_spawnattr_setsigmask(&attributes, &none));
        keep(posix_spawnattr_setsigdefault(&attributes, &all));
        // Descriptors the caller forgot to mark close-on-exec stay behind too.
        keep(posix_spawn_file_actions_addclosefrom_np(&actions, firstPrivateDescriptor));
    }
    ~SpawnSettings() {
        posix_spawnattr_destroy(&attributes);
        posix_spawn_file_actions_destroy(&actions);
    }
    SpawnSettings(const SpawnSettings&) = delete;
    SpawnSettings& operator=(const SpawnSettings&) = delete;

    void keep(int result) {
        if (failure == 0) {
            failure = result;
        }
    }
};

} // namespace

OSErr SpawnApplication(const std::string& path, pid_t& pid) {
    SpawnSettings settings;
    if (settings.failure != 0) {
        return ErrnoResult(settings.failure);
    }
    char* argv[] = {const_cast<char*>(path.c_str()), nullptr};
    int result =
        posix_spawn(&pid, path.c_str(), &settings.actions, &settings.attributes, argv, environ);
    return ErrnoResult(result);
}

OSErr ReplaceWithApplication(const std::string& path) {
    // Marked rather than closed, so that a failed exec leaves the caller's
    // descriptors usable (though close-on-exec from now on).
    if (close_range(firstPrivateDescriptor, ~0U, CLOSE_RANGE_CLOEXEC) != 0) {
        return ErrnoResult(errno);
    }
    char* argv[] = {const_cast<char*>(path.c_str()), nullptr};
    execve(path.c_str(), argv, environ);
    return ErrnoResult(errno);
}

} // namespace Processes
