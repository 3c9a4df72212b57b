// How system errors become File Manager result codes: no errno value leaves
// the File Manager.
#pragma once

#include "MacTypes.h"

#include <new>

/// The File Manager code for an errno value.
OSErr FileErrorFromErrno(int error);

/// The same for the failed look at one item: a folder on its way that is gone
/// or became a file means the item is gone too (fnfErr).
OSErr ItemErrorFromErrno(int error);

/// Runs `work` (which answers an OSErr), answering memFullErr when it runs out
/// of memory: the File Manager reports, it never throws.
template <typename Work>
OSErr WithoutThrowing(Work&& work) {
    try {
        return work();
    } catch (const std::bad_alloc&) {
        return memFullErr;
    }
}
