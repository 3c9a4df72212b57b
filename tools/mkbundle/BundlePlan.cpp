#include "BundlePlan.h"

#include "Text/MacRoman.h"

#include <unistd.h>

#include <set>

namespace fs = std::filesystem;

namespace {

constexpr std::string_view bundleExtension = ".app";
constexpr std::size_t longestMacName = 63; // what an FSSpec name can carry
constexpr const char* launcherName = "launcher";
constexpr const char* installedLauncherFolder = "../libexec/AppInterface";
constexpr const char* identifierPrefix = "org.appinterface.";

[[noreturn]] void refuse(const std::string& message) { throw BundleRefusal{message}; }

std::string inQuotes(const std::string& text) { return "'" + text + "'"; }

// The launcher finds the item by its Mac Roman name, which is cut short past 63
// bytes; a longer name would never be found.
void checkMacName(const std::string& name, const std::string& what) {
    std::string macRoman;
    if (!MacRoman::FromUTF8(name, macRoman)) {
        refuse(what + " " + inQuotes(name) + " cannot be written in Mac Roman");
    }
    if (macRoman.size() > longestMacName) {
        refuse(what + " " + inQuotes(name) + " is longer than 63 bytes in Mac Roman");
    }
}

} // namespace

std::string ItemName(const fs::path& item) {
    // "folder/" names the folder.
    return item.has_filename() ? item.filename().string() : item.parent_path().filename().string();
}

namespace {

std::string defaultIdentifier(const std::string& name) {
    std::string identifier = identifierPrefix;
    for (unsigned char c : name) {
        bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                     c == '.' || c == '-';
        identifier += plain ? static_cast<char>(c) : '-';
    }
    return identifier;
}

fs::path findLauncher(const fs::path& given, const fs::path& toolPath) {
    if (!given.empty()) {
        if (!fs::is_regular_file(given)) {
            refuse("launcher " + inQuotes(given.string()) + " not found");
        }
        return given;
    }
    fs::path toolFolder = toolPath.parent_path();
    for (const fs::path& candidate :
         {toolFolder / launcherName, toolFolder / installedLauncherFolder / launcherName}) {
        if (fs::is_regular_file(candidate)) {
            return candidate;
        }
    }
    refuse("no launcher beside " + inQuotes(toolPath.string()) + " (give one with --launcher)");
}

void checkLaunchedItem(const fs::path& item) {
    std::error_code error;
    fs::file_status status = fs::status(item, error);
    if (fs::is_regular_file(status) && access(item.c_str(), X_OK) != 0) {
        refuse("program " + inQuotes(item.string()) + " is not executable");
    }
}

} // namespace

BundlePlan PlanBundle(const BundleOptions& options, const fs::path& toolPath) {
    BundlePlan plan;
    plan.output = options.output;
    std::string fileName = options.output.filename().string();
    if (fileName.size() <= bundleExtension.size() || !fileName.ends_with(bundleExtension)) {
        refuse("output " + inQuotes(options.output.string()) + " must be named NAME.app");
    }
    plan.name = fileName.substr(0, fileName.size() - bundleExtension.size());
    checkMacName(plan.name, "bundle name");

    std::set<std::string> names;
    const fs::path* launched = nullptr;
    plan.launchName =
        options.launchName.empty() ? ItemName(options.resources.front()) : options.launchName;
    for (const fs::path& resource : options.resources) {
        std::error_code error;
        if (!fs::exists(fs::symlink_status(resource, error))) {
            refuse(inQuotes(resource.string()) + " does not exist");
        }
        std::string name = ItemName(resource);
        if (!names.insert(name).second) {
            refuse("two resources are named " + inQuotes(name));
        }
        if (name == plan.launchName) {
            launched = &resource;
        }
    }
    if (launched == nullptr) {
        refuse("no resource is named " + inQuotes(plan.launchName));
    }
    checkMacName(plan.launchName, "program name");
    checkLaunchedItem(*launched);
    plan.resources = options.resources;

    plan.identifier =
        options.identifier.empty() ? defaultIdentifier(plan.name) : options.identifier;
    plan.launcher = findLauncher(options.launcher, toolPath);

    std::error_code error;
    if (fs::exists(fs::symlink_status(plan.output, error))) {
        if (!options.force) {
            refuse(inQuotes(plan.output.string()) + " exists (use --force to replace it)");
        }
        plan.replaceOutput = true;
    }
    return plan;
}
