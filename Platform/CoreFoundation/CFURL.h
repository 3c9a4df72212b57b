// The URL object: an absolute file-system path, the only kind of URL the
// bundle services hand out.
#pragma once

#include "CFObject.h"

#include <string>
#include <utility>

struct __CFURL final : CFObject {
    explicit __CFURL(std::string path) : CFObject(CFTypeIDs::url), path(std::move(path)) {}

    const std::string path;
};

/// A new URL for the file-system path `path`; the caller releases it.
CFURLRef MakeCFURL(std::string path);
