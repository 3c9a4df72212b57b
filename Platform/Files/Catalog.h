// The process-wide catalog: a node id for every absolute path the File Manager
// meets. Ids are given once and never reused, so a stale id cannot come to name
// a newer path.
#pragma once

#include "MacTypes.h"

#include <string>
#include <string_view>

namespace FileCatalog {

/// The id of `path` (absolute, without "." or ".." parts or a trailing slash),
/// given on first sight. `/` is fsRtDirID. Throws std::bad_alloc when memory or
/// the ids are used up.
UInt32 NodeIDOf(std::string_view path);

/// The path that `nodeID` was given to, or null when it was given to none
/// (fsRtParID among them).
const std::string* PathOf(UInt32 nodeID);

/// The folder part of an absolute path: "/a" for "/a/b", "/" for "/a" and "/".
std::string_view FolderOf(std::string_view path);
/// The last part of an absolute path: "b" for "/a/b"; the root folder is
/// named "/".
std::string_view NameOf(std::string_view path);
/// `name` inside `folder`.
std::string ChildOf(std::string_view folder, std::string_view name);

} // namespace FileCatalog
