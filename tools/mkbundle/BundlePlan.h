// What mkbundle will write, checked before anything is written.
#pragma once

#include "Options.h"

#include <filesystem>
#include <string>
#include <vector>

struct BundlePlan {
    std::filesystem::path output;
    std::string name; // the bundle's name: the output's file name without .app
    std::string identifier;
    std::string launchName;
    std::filesystem::path launcher;
    std::vector<std::filesystem::path> resources;
    bool replaceOutput = false;
};

/// Why a bundle is not written: one line for the user.
struct BundleRefusal {
    std::string message;
};

/// Checks the options against the file system and fills in the defaults.
/// Throws BundleRefusal for a missing program or launcher, a name the bundle
/// cannot carry, or an output that exists (unless forced).
BundlePlan PlanBundle(const BundleOptions& options, const std::filesystem::path& toolPath);

/// The file name an item gets in the bundle.
std::string ItemName(const std::filesystem::path& item);
