// Reading an Info.plist file's bytes without trusting what lies at its path.
#pragma once

#include <cstddef>
#include <memory>
#include <string>

/// Far larger than any real Info.plist (they run to kilobytes); a bigger file is
/// treated as having no keys rather than read into memory.
inline constexpr std::size_t maxInfoPlistSize = 1024 * 1024;

struct FileBytes {
    std::unique_ptr<char[]> data;
    std::size_t size = 0;
};

/// The bytes of the regular file at `path` when it holds at most
/// maxInfoPlistSize bytes; no bytes when it is missing, unreadable, too large or
/// not a regular file (a FIFO or a device, even through a link, is never waited on).
FileBytes ReadInfoPlistFile(const std::string& path);
