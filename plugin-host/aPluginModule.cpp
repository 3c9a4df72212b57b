#include "aPluginModule.h"

#include <dlfcn.h>

#include <filesystem>
#include <stdexcept>

namespace fs = std::filesystem;

namespace {

constexpr const char* bundleExtension = ".bundle";
constexpr const char* executableFolder = "Contents/MacOS";

} // namespace

aPluginModule::aPluginModule(const std::string& path) {
    // RTLD_NOW: an unresolved import shows up here rather than at the first call.
    handle = dlopen(GetExecutablePath(path).c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr) {
        throw std::runtime_error(dlerror());
    }
}

aPluginModule::~aPluginModule() { dlclose(handle); }

std::string aPluginModule::GetExecutablePath(const std::string& path) {
    // Absolute, because dlopen searches the library path for a name without a
    // slash instead of opening the file in the working folder.
    fs::path file = fs::absolute(path);
    std::error_code ignored;
    if (!fs::is_directory(file, ignored)) {
        return file.string();
    }
    if (!file.has_filename()) {
        file = file.parent_path(); // "x.bundle/" names the folder x.bundle
    }
    const fs::path name = file.extension() == bundleExtension ? file.stem() : file.filename();
    return (file / executableFolder / name).string();
}

void* aPluginModule::lookUpSymbol(const char* name) const { return dlsym(handle, name); }
