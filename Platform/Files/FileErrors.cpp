#include "FileErrors.h"

#include <cerrno>

OSErr FileErrorFromErrno(int error) {
    switch (error) {
    case ENOENT:
    case ELOOP:
        return fnfErr;
    case ENOTDIR:
        return dirNFErr;
    case EACCES:
    case EPERM:
        return permErr;
    case ENAMETOOLONG:
        return bdNamErr;
    case ENOMEM:
        return memFullErr;
    case EROFS:
        return wPrErr;
    case EBUSY:
        return fBsyErr;
    case EEXIST:
        return dupFNErr;
    case EINVAL:
    case EFAULT:
        return paramErr;
    default:
        return ioErr;
    }
}

OSErr ItemErrorFromErrno(int error) {
    return error == ENOENT || error == ENOTDIR ? OSErr{fnfErr} : FileErrorFromErrno(error);
}
