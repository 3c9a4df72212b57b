// Where things lie inside a bundle, relative to the bundle folder.
#pragma once

#include <string_view>

namespace BundleLayout {

inline constexpr std::string_view contents = "Contents";
// The executable's folder inside Contents: the Mac's name, and the one other
// Linux ports use.
inline constexpr std::string_view executableFolders[] = {"MacOS", "Linux"};

inline constexpr std::string_view infoPlist = "Contents/Info.plist";
inline constexpr std::string_view resources = "Contents/Resources";
inline constexpr std::string_view plugIns = "Contents/PlugIns";
inline constexpr std::string_view privateFrameworks = "Contents/Frameworks";
inline constexpr std::string_view sharedFrameworks = "Contents/SharedFrameworks";
inline constexpr std::string_view sharedSupport = "Contents/SharedSupport";
inline constexpr std::string_view supportFiles = contents;

} // namespace BundleLayout
