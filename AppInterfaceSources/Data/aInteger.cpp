#include "aInteger.h"

long long aInteger::objectCount = 0;

aInteger::aInteger() : value(0) { ++objectCount; }

aInteger::aInteger(int value) : value(value) { ++objectCount; }

aInteger::aInteger(const aInteger& other) : aObject(), value(other.value) { ++objectCount; }

aInteger::~aInteger() { --objectCount; }

aString aInteger::toString() const { return aString::GetFromInteger(value); }
