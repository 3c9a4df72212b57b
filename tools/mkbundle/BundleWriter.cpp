#include "BundleWriter.h"

#include "InfoPlist.h"

#include <unistd.h>

namespace fs = std::filesystem;

namespace {

constexpr const char* contentsFolder = "Contents";
constexpr const char* executableFolder = "MacOS";
constexpr const char* resourcesFolder = "Resources";
constexpr const char* infoPlistName = "Info.plist";
constexpr const char* applicationPackageType = "APPL";

// Removes the unfinished bundle on every way out but success.
struct PartialBundle {
    fs::path path;
    bool kept = false;
    ~PartialBundle() {
        if (!kept) {
            std::error_code ignored;
            fs::remove_all(path, ignored);
        }
    }
};

void fill(const fs::path& bundle, const BundlePlan& plan) {
    fs::path contents = bundle / contentsFolder;
    fs::create_directories(contents / executableFolder);
    fs::create_directories(contents / resourcesFolder);

    fs::path executable = contents / executableFolder / plan.name;
    fs::copy_file(plan.launcher, executable);
    fs::permissions(executable, fs::perms::owner_all | fs::perms::group_read |
                                    fs::perms::group_exec | fs::perms::others_read |
                                    fs::perms::others_exec);

    WriteInfoPlist(contents / infoPlistName, {
                                                 {"CFBundleExecutable", plan.name},
                                                 {"CFBundleIdentifier", plan.identifier},
                                                 {"CFBundleName", plan.name},
                                                 {"CFBundlePackageType", applicationPackageType},
                                                 {"ZQLaunchApp", plan.launchName},
                                             });

    // copy keeps each file's permissions, so programs stay executable.
    for (const fs::path& resource : plan.resources) {
        fs::copy(resource, contents / resourcesFolder / ItemName(resource),
                 fs::copy_options::recursive | fs::copy_options::copy_symlinks);
    }
}

} // namespace

void WriteBundle(const BundlePlan& plan) {
    fs::path output = plan.output;
    PartialBundle partial{output.parent_path() /
                          (output.filename().string() + ".partial-" + std::to_string(getpid()))};
    fs::remove_all(partial.path);
    fill(partial.path, plan);
    if (plan.replaceOutput) {
        fs::remove_all(output);
    }
    fs::rename(partial.path, output);
    partial.kept = true;
}
