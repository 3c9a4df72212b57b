// aInteger: a boxed signed 32-bit integer with its decimal text.
#pragma once

#include "aObject.h"
#include "aString.h"

class aInteger : public virtual aObject {
public:
    aInteger();
    aInteger(int value);
    aInteger(const aInteger& other);
    ~aInteger();

    /// The decimal text of the value, as aString::GetFromInteger gives it.
    aString toString() const;

    static long long objectCount;

private:
    int value;
};
