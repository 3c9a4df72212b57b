#include "TemporaryFolder.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <unistd.h>

TemporaryFolder::TemporaryFolder() : root(scratch.path().string()) {}

std::string TemporaryFolder::pathOf(const std::string& relative) const {
    return relative.empty() ? root : root + "/" + relative;
}

std::string TemporaryFolder::makeFile(const std::string& relative) const {
    const std::string path = pathOf(relative);
    std::ofstream file(path);
    EXPECT_TRUE(file.good()) << "cannot make " << path;
    return path;
}

std::string TemporaryFolder::makeFolder(const std::string& relative) const {
    const std::string path = pathOf(relative);
    EXPECT_TRUE(std::filesystem::create_directory(path)) << "cannot make " << path;
    return path;
}

std::string TemporaryFolder::makeLink(const std::string& relative,
                                      const std::string& target) const {
    const std::string path = pathOf(relative);
    std::filesystem::create_symlink(target, path);
    return path;
}

void TemporaryFolder::makeChildren(const std::string& relative, int count) const {
    for (int i = 0; i < count; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "child%02d", i);
        makeFile(relative.empty() ? name : relative + "/" + name);
    }
}

FSRef TemporaryFolder::refOf(const std::string& relative) const {
    FSRef ref{};
    const std::string path = pathOf(relative);
    EXPECT_EQ(FSPathMakeRef(reinterpret_cast<const UInt8*>(path.c_str()), &ref, nullptr), noErr)
        << path;
    return ref;
}

std::string PathOfRef(const FSRef& ref) {
    UInt8 path[4096];
    const OSStatus err = FSRefMakePath(&ref, path, sizeof path);
    return err == noErr ? std::string(reinterpret_cast<const char*>(path))
                        : "error " + std::to_string(err);
}
