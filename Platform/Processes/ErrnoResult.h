// The Mac result code that stands for a failed system call of a launch.
#pragma once

#include "MacTypes.h"

namespace Processes {

/// noErr for 0, fnfErr for something missing, permErr for a refusal, memFullErr when the
/// system is out of processes or memory, paramErr for a file that is no program,
/// ioErr for the rest.
OSErr ErrnoResult(int error);

} // namespace Processes
