// The Mac result code that stands for a failed system call of a launch.
#pragma once

#include "MacTypes.h"

namespace Processes {

/// noErr for 0; for a missing or refused item what the File Manager answers;
/// memFullErr when the system is out of processes, permErr for a program file
/// that is open for writing, and paramErr for a file that is no program.
OSErr ErrnoResult(int error);

} // namespace Processes
