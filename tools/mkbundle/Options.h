// The command line of mkbundle.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

struct BundleOptions {
    std::filesystem::path output;                 // Name.app
    std::vector<std::filesystem::path> resources; // the program first
    std::string launchName;                       // empty: the first resource's name
    std::string identifier;                       // empty: made from the name
    std::filesystem::path launcher;               // empty: found beside mkbundle
    bool force = false;
    bool help = false;
};

/// Reads the arguments after the program name. Throws UsageError on a command
/// line that cannot be read.
BundleOptions ParseOptions(const std::vector<std::string>& arguments);

struct UsageError {
    std::string message;
};

extern const char* const usageText;
