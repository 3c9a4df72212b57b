// The common base of every library class: an id for each object and a count of
// the live ones.
#pragma once

/// Every library class derives from aObject publicly and virtually, declares no
/// virtual operations, and keeps a class-level `objectCount` of its own that each
/// constructor raises (after the members exist, before its own work) and the
/// destructor lowers (first of all).
class aObject {
public:
    aObject();
    /// A copy is a new object: it takes a new id, never the original's.
    aObject(const aObject&);
    /// Assignment never touches the id.
    aObject& operator=(const aObject&) { return *this; }
    ~aObject();

    /// Given at construction, never changed, never given twice in a run.
    const unsigned long long id;

    /// Live aObject parts, which is the number of live library objects.
    static long long objectCount;
    /// Ids given so far, which is also the last id given.
    static unsigned long long objectIdCount;
};
