// The bundle folder functions as a bundled program sees them: the probe is
// copied into a temporary bundle, run, and what it printed is read back.
#include "TemporaryFolder.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <map>
#include <string>
#include <sys/wait.h>

namespace {

std::map<std::string, std::string> runProbe(const std::string& program) {
    std::map<std::string, std::string> output;
    FILE* pipe = popen(("timeout 10 '" + program + "'").c_str(), "r");
    if (pipe == nullptr) {
        ADD_FAILURE() << "cannot run " << program;
        return output;
    }
    char line[8192];
    while (std::fgets(line, sizeof line, pipe) != nullptr) {
        std::string text(line);
        if (!text.empty() && text.back() == '\n') {
            text.pop_back();
        }
        const auto equals = text.find('=');
        output[text.substr(0, equals)] = equals == std::string::npos ? "" : text.substr(equals + 1);
    }
    const int status = pclose(pipe);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "probe status " << status;
    return output;
}

} // namespace

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

    const std::map<std::string, std::string> expected = {
        {"bundle", folder.pathOf("X.app")},
        {"plugIns", "none"},
        {"privateFrameworks", folder.pathOf(contents + "/Frameworks")},
        {"resources", folder.pathOf(contents + "/Resources")},
        {"sharedFrameworks", "none"},
        {"sharedSupport", folder.pathOf("elsewhere")},
        {"support", folder.pathOf(contents)},
    };
    EXPECT_EQ(runProbe(probe), expected);
}
