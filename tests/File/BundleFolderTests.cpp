// The bundle folder functions as a bundled program sees them: the probe is
// copied into a temporary bundle, run, and what it printed is read back.
#include "ProbeOutput.h"
#include "TemporaryFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

TEST(BundleFolders, ExistingFoldersAreFoundMissingOnesAreNull) {
    TemporaryFolder folder;
    const std::string contents = "X.app/Contents";
    folder.makeFolder("X.app");
    folder.makeFolder(contents);
    folder.makeFolder(contents + "/MacOS");
    folder.makeFolder(contents + "/Resources");
    folder.makeFolder(contents + "/Frameworks");
    // A folder reached through a link is the folder the link leads to.
    folder.makeFolder("elsewhere");
    folder.makeLink(contents + "/SharedSupport", folder.pathOf("elsewhere"));
    const std::string probe = folder.pathOf(contents + "/MacOS/probe");
    std::filesystem::copy_file(FOLDER_ITEM_PROBE, probe);

    const ProbeOutput expected = {
        {"bundle", folder.pathOf("X.app")},
        {"plugIns", "none"},
        {"privateFrameworks", folder.pathOf(contents + "/Frameworks")},
        {"resources", folder.pathOf(contents + "/Resources")},
        {"sharedFrameworks", "none"},
        {"sharedSupport", folder.pathOf("elsewhere")},
        {"support", folder.pathOf(contents)},
    };
    EXPECT_EQ(RunProbe("timeout 10 '" + probe + "'"), expected);
}
