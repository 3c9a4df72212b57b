// What every CF object shares: its type and its reference count. Each kind of
// object derives from CFObject, which must stay its first and only base so that
// a CFTypeRef points at it.
#pragma once

#include "CoreFoundation.h"

namespace CFTypeIDs {
enum : CFTypeID {
    string = 1,
    url,
    bundle,
    number,
    boolean,
    date,
    data,
    array,
    dictionary,
};
} // namespace CFTypeIDs

struct CFObject {
    /// A new object with one reference, or one that is never freed.
    enum class Lifetime { counted, permanent };

    explicit CFObject(CFTypeID typeID, Lifetime lifetime = Lifetime::counted)
        : typeID(typeID), permanent(lifetime == Lifetime::permanent) {}
    CFObject(const CFObject&) = delete;
    CFObject& operator=(const CFObject&) = delete;
    virtual ~CFObject() = default;

    const CFTypeID typeID;
    const bool permanent;
    mutable CFIndex references = 1;
};

/// The object behind `object`, or null when `object` is null or of another type.
template <typename T>
const T* CFObjectAs(CFTypeRef object, CFTypeID typeID) {
    const auto* base = static_cast<const CFObject*>(object);
    return base != nullptr && base->typeID == typeID ? static_cast<const T*>(base) : nullptr;
}
