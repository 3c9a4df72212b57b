// Finding the main bundle from the running executable.
#pragma once

#include <string>
#include <string_view>

struct BundleLocation {
    std::string folder;
    /// False when the executable lies outside any bundle: it then has no
    /// Info.plist, whatever files its folder holds.
    bool hasInfoPlist = false;
};

/// The bundle of the executable at the absolute, link-free `executablePath`:
/// `<X>` for `<X>/Contents/MacOS/<name>` (or `Contents/Linux`), else the
/// executable's own folder.
BundleLocation BundleLocationOf(std::string_view executablePath);

inline constexpr const char* procSelfExe = "/proc/self/exe";

/// The running executable's real path, links resolved, read from `selfLink`;
/// where that cannot be read (no /proc), the name the process was started by.
/// Empty when neither answers.
std::string RunningExecutablePath(const char* selfLink = procSelfExe);

/// `folder` joined with a bundle-relative `part`; `folder` itself for an empty `part`.
std::string PathInBundle(std::string_view folder, std::string_view part);
