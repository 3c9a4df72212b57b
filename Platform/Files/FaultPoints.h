// Where the File Manager calls meet the test switch of FileFaults.h.
#pragma once

#include "FileErrors.h"
#include "FileFaults.h"

namespace FileFaults {

/// Counts one call of `call`: the error a test has set for it, or noErr.
OSErr InjectedFault(Call call);

struct BatchShape {
    ItemCount limit; // the most items the batch may hand out
    OSErr error;     // answered in place of the call's own result, unless noErr
};
/// The shape a test has set for the FSGetCatalogInfoBulk call counted last.
BatchShape InjectedBatchShape();

} // namespace FileFaults

/// The body of every File Manager call: a fault set for it answers at once;
/// otherwise `work` runs, and running out of memory answers memFullErr.
template <typename Work>
OSErr ServeFileCall(FileFaults::Call call, Work&& work) {
    if (const OSErr fault = FileFaults::InjectedFault(call); fault != noErr) {
        return fault;
    }
    return WithoutThrowing(work);
}
