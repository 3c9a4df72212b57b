#include "CFObject.h"

CFTypeRef CFRetain(CFTypeRef object) {
    const auto* base = static_cast<const CFObject*>(object);
    if (base != nullptr && !base->permanent) {
        ++base->references;
    }
    return object;
}

void CFRelease(CFTypeRef object) {
    const auto* base = static_cast<const CFObject*>(object);
    if (base != nullptr && !base->permanent && --base->references == 0) {
        delete base;
    }
}

CFTypeID CFGetTypeID(CFTypeRef object) {
    return object != nullptr ? static_cast<const CFObject*>(object)->typeID : 0;
}

CFTypeID CFStringGetTypeID() { return CFTypeIDs::string; }
CFTypeID CFURLGetTypeID() { return CFTypeIDs::url; }
CFTypeID CFBundleGetTypeID() { return CFTypeIDs::bundle; }
CFTypeID CFNumberGetTypeID() { return CFTypeIDs::number; }
CFTypeID CFBooleanGetTypeID() { return CFTypeIDs::boolean; }
CFTypeID CFDateGetTypeID() { return CFTypeIDs::date; }
CFTypeID CFDataGetTypeID() { return CFTypeIDs::data; }
CFTypeID CFArrayGetTypeID() { return CFTypeIDs::array; }
CFTypeID CFDictionaryGetTypeID() { return CFTypeIDs::dictionary; }
