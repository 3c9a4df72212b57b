// aException: the library's one error record, thrown by value.
#pragma once

#include "aObject.h"
#include "aString.h"

/// What failed (description), the test that failed (condition) and, when
/// thrown by the library, the source file and line of the throw site.
class aException : public virtual aObject {
public:
    aException();
    aException(aString description);
    aException(aString description, aString condition);
    aException(aString file, int line);
    aException(aString description, aString file, int line);
    aException(aString description, aString condition, aString file, int line);
    aException(const aException& other);
    aException& operator=(const aException& other) = default;
    ~aException();

    aString getDescription() const { return description; }
    aString getCondition() const { return condition; }

    /// Shows the record to the user in a stop alert and waits until it is
    /// dismissed. Throws the alert's own aException when it cannot be shown.
    void showDialogBox();

    static long long objectCount;

private:
    // Tests read the throw site, which the record offers no accessor for.
    friend struct aExceptionTestAccess;

    aString description;
    aString condition;
    bool hasFileAndLine;
    aString file;
    int line;
};

/// Throws an aException that carries this throw site's file and line:
/// `A_THROW()` with nothing else (a range error), `A_THROW("aClass.method(): What failed.")`,
/// or with the failed test as a second text, `A_THROW("...", "fileErr != noErr")`.
#define A_THROW(...) throw aException(__VA_ARGS__ __VA_OPT__(, ) __FILE__, __LINE__)
