#include "aException.h"

long long aException::objectCount = 0;

aException::aException() : hasFileAndLine(false), line(0) { ++objectCount; }

// The other constructors count through the one above, then set the fields in
// declaration order. Once it has returned the object exists, so a failure below
// runs the destructor and the count comes back down.
aException::aException(aString description) : aException() { this->description = description; }

aException::aException(aString description, aString condition) : aException() {
    this->description = description;
    this->condition = condition;
}

aException::aException(aString file, int line) : aException() {
    hasFileAndLine = true;
    this->file = file;
    this->line = line;
}

aException::aException(aString description, aString file, int line) : aException() {
    this->description = description;
    hasFileAndLine = true;
    this->file = file;
    this->line = line;
}

aException::aException(aString description, aString condition, aString file, int line)
    : aException() {
    this->description = description;
    this->condition = condition;
    hasFileAndLine = true;
    this->file = file;
    this->line = line;
}

aException::aException(const aException& other)
    : aObject(), description(other.description), condition(other.condition),
      hasFileAndLine(other.hasFileAndLine), file(other.file), line(other.line) {
    ++objectCount;
}

// The members go after this, in reverse order: file, condition, description.
aException::~aException() { --objectCount; }
