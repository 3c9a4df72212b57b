// Starting a program file: beside this process, or in its place.
#pragma once

#include "MacTypes.h"

#include <sys/types.h>

#include <string>

namespace Processes {

/// Starts the program at `path` as a new process in a session of its own, with
/// this process's environment, working folder and descriptors 0 to 2, no other
/// descriptor, no blocked signals and every signal at its default action.
OSErr SpawnApplication(const std::string& path, pid_t& pid);

/// Makes this process the program at `path`, under the same rules as
/// SpawnApplication except the new session. Returns only on failure.
OSErr ReplaceWithApplication(const std::string& path);

} // namespace Processes
