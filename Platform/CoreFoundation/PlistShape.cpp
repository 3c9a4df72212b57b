#include "PlistShape.h"

namespace {
constexpr std::string_view binaryPlistMagic = "bplist";
}

bool IsPlistWithinLimits(std::string_view plist) {
    return plist.starts_with(binaryPlistMagic)
               ? IsBinaryPlistWithinLimits(plist, maxPlistNesting, maxPlistNodes)
               : IsXmlPlistWithinLimits(plist, maxPlistNesting);
}
