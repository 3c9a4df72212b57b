// A switch for tests: makes chosen File Manager calls fail, and batches of
// FSGetCatalogInfoBulk come out short, so that every error path of the callers
// can be reached on demand. Nothing outside a test program includes this.
#pragma once

#include "MacTypes.h"

namespace FileFaults {

enum class Call {
    FSGetVolumeInfo,
    FSGetCatalogInfo,
    FSMakeFSSpec,
    FSpMakeFSRef,
    FSPathMakeRef,
    FSRefMakePath,
    FSOpenIterator,
    FSGetCatalogInfoBulk,
};

/// Makes the n-th call of `call` from now (1 = the next one) answer `error`
/// without doing any of its work: no output is written, no iterator moves.
void FailCall(Call call, unsigned long n, OSErr error);

/// Makes the n-th FSGetCatalogInfoBulk call from now hand out at most `limit`
/// items and then, unless `error` is noErr, answer `error` in place of its own
/// result (a failure that still carries items).
void ShapeBatch(unsigned long n, ItemCount limit, OSErr error = noErr);

/// Forgets every fault that has not struck yet.
void Clear();

} // namespace FileFaults
