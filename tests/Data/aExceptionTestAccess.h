// Reads the throw site that aException keeps for its report dialog.
#pragma once

#include "aException.h"

struct aExceptionTestAccess {
    static bool HasFileAndLine(const aException& e) { return e.hasFileAndLine; }
    static aString File(const aException& e) { return e.file; }
    static int Line(const aException& e) { return e.line; }
};
