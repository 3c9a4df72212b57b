#include "CoreFoundation/BundleLocation.h"

#include <gtest/gtest.h>

#include <filesystem>

TEST(BundleLocationOf, IsTheBundleAroundContentsOrElseTheExecutablesFolder) {
    const struct {
        const char* executable;
        const char* folder;
        bool hasInfoPlist;
    } cases[] = {
        {"/Applications/X.app/Contents/MacOS/X", "/Applications/X.app", true},
        {"/opt/X.app/Contents/Linux/X", "/opt/X.app", true},
        {"/Contents/MacOS/X", "/", true},
        {"/a/b/X.app/Contents/MacOS/X", "/a/b/X.app", true},
        {"/usr/bin/launcher", "/usr/bin", false},
        {"/launcher", "/", false},
        {"/X.app/Contents/Resources/X", "/X.app/Contents/Resources", false},
        {"/X.app/MacOS/X", "/X.app/MacOS", false},
        {"/X.app/contents/MacOS/X", "/X.app/contents/MacOS", false},
        {"/X.app/Contents/macos/X", "/X.app/Contents/macos", false},
        {"/X.app/Contents/MacOS/Sub/X", "/X.app/Contents/MacOS/Sub", false},
    };
    for (const auto& c : cases) {
        const auto location = BundleLocationOf(c.executable);
        EXPECT_EQ(location.folder, c.folder) << c.executable;
        EXPECT_EQ(location.hasInfoPlist, c.hasInfoPlist) << c.executable;
    }
}

TEST(RunningExecutablePath, FallsBackToTheStartNameWhereProcIsMissing) {
    const auto self = std::filesystem::canonical("/proc/self/exe").string();
    EXPECT_EQ(RunningExecutablePath(), self);
    EXPECT_EQ(RunningExecutablePath("/nonexistent/proc/self/exe"), self);
}

TEST(PathInBundle, JoinsWithOneSlash) {
    EXPECT_EQ(PathInBundle("/a/X.app", "Contents/Resources"), "/a/X.app/Contents/Resources");
    EXPECT_EQ(PathInBundle("/", "Contents"), "/Contents");
    EXPECT_EQ(PathInBundle("/a/X.app", ""), "/a/X.app");
}
