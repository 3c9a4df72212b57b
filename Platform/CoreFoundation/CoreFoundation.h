// CoreFoundation: the bundle, URL and string services, with the Mac names and
// the Copy/Get ownership rule (a Copy result is the caller's to CFRelease; a Get
// result is not).
#pragma once

#include "MacTypes.h"

struct FSRef;

using CFTypeRef = const void*;
using CFStringRef = const struct __CFString*;
using CFURLRef = const struct __CFURL*;
using CFBundleRef = struct __CFBundle*;
using CFIndex = long;
using CFTypeID = unsigned long;
using CFStringEncoding = UInt32;

enum : CFStringEncoding {
    kCFStringEncodingMacRoman = 0,
    kCFStringEncodingUTF8 = 0x08000100,
};

// Objects.
CFTypeRef CFRetain(CFTypeRef object);
/// Releases one reference; constant strings made by CFSTR are never freed.
void CFRelease(CFTypeRef object);
CFTypeID CFGetTypeID(CFTypeRef object);
CFTypeID CFStringGetTypeID();
CFTypeID CFURLGetTypeID();
CFTypeID CFBundleGetTypeID();
// The kinds of Info.plist value other than strings. They carry no content that
// any service reads: only their type tells them from a string.
CFTypeID CFNumberGetTypeID();
CFTypeID CFBooleanGetTypeID();
CFTypeID CFDateGetTypeID();
CFTypeID CFDataGetTypeID();
CFTypeID CFArrayGetTypeID();
CFTypeID CFDictionaryGetTypeID();

// Strings.
/// The constant string for a literal, made once and never freed.
CFStringRef __CFStringMakeConstantString(const char* cString);
#define CFSTR(literal) __CFStringMakeConstantString("" literal "")

/// Writes the string into `buffer` as a NUL-terminated C string in `encoding`.
/// False, when the object is not a string, a character has no byte in the
/// encoding, the text holds a NUL, or the result and its NUL do not fit
/// `bufferSize`.
Boolean CFStringGetCString(CFStringRef string, char* buffer, CFIndex bufferSize,
                           CFStringEncoding encoding);

// Bundles.
/// The bundle of the running executable: `<X>` when it runs as
/// `<X>/Contents/MacOS/<name>`. Never released by the caller.
CFBundleRef CFBundleGetMainBundle();
/// The Info.plist value of `key`, or null when the key is absent or the bundle
/// has no readable Info.plist. Not released by the caller.
CFTypeRef CFBundleGetValueForInfoDictionaryKey(CFBundleRef bundle, CFStringRef key);

// The bundle's standard folders, returned whether or not they exist.
CFURLRef CFBundleCopyBundleURL(CFBundleRef bundle);
CFURLRef CFBundleCopyBuiltInPlugInsURL(CFBundleRef bundle);
CFURLRef CFBundleCopyPrivateFrameworksURL(CFBundleRef bundle);
CFURLRef CFBundleCopyResourcesDirectoryURL(CFBundleRef bundle);
CFURLRef CFBundleCopySharedFrameworksURL(CFBundleRef bundle);
CFURLRef CFBundleCopySharedSupportURL(CFBundleRef bundle);
CFURLRef CFBundleCopySupportFilesDirectoryURL(CFBundleRef bundle);

// URLs.
/// The URL's file-system path as a NUL-terminated string. False when it does not
/// fit `maxBufLen`.
Boolean CFURLGetFileSystemRepresentation(CFURLRef url, Boolean resolveAgainstBase, UInt8* buffer,
                                         CFIndex maxBufLen);
/// Resolves the URL's path to a File Manager reference. False when it names
/// nothing that exists. (Implemented with the File Manager.)
Boolean CFURLGetFSRef(CFURLRef url, FSRef* fsRef);
