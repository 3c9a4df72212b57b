// The Info.plist that mkbundle writes.
#pragma once

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

/// Writes a dictionary of string values as an XML property list. Throws
/// std::filesystem::filesystem_error when the file cannot be written.
void WriteInfoPlist(const std::filesystem::path& path,
                    const std::vector<std::pair<std::string, std::string>>& entries);
