#include "aObject.h"

long long aObject::objectCount = 0;
unsigned long long aObject::objectIdCount = 0;

aObject::aObject() : id(++objectIdCount) { ++objectCount; }

aObject::aObject(const aObject&) : aObject() {}

aObject::~aObject() { --objectCount; }
