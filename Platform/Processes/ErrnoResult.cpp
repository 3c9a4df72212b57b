#include "ErrnoResult.h"

#include <cerrno>

namespace Processes {

OSErr ErrnoResult(int error) {
    switch (error) {
    case 0:
        return noErr;
    case ENOENT:
    case ENOTDIR:
    case ELOOP:
    case ENAMETOOLONG:
        return fnfErr;
    case EACCES:
    case EPERM:
    case ETXTBSY:
        return permErr;
    case ENOMEM:
    case EAGAIN:
        return memFullErr;
    case ENOEXEC:
        return paramErr;
    default:
        return ioErr;
    }
}

} // namespace Processes
