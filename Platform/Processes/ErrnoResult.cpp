#include "ErrnoResult.h"

#include "Files/FileErrors.h"

#include <cerrno>

namespace Processes {

OSErr ErrnoResult(int error) {
    switch (error) {
    case 0:
        return noErr;
    case EAGAIN:
        return memFullErr;
    case ETXTBSY:
        return permErr;
    case ENOEXEC:
        return paramErr;
    default:
        return ItemErrorFromErrno(error);
    }
}

} // namespace Processes
