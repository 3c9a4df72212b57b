// LaunchApplication on its own: the checks of the block and the item, and the
// two ways of starting (beside the caller, in its place).

#include "LaunchSupport.h"

#include "Files/Files.h"
#include "Processes/Processes.h"

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <functional>

namespace {

FSSpec specOf(const fs::path& path) {
    FSRef ref;
    FSSpec spec{};
    EXPECT_EQ(FSPathMakeRef(reinterpret_cast<const UInt8*>(path.c_str()), &ref, nullptr), noErr)
        << path;
    EXPECT_EQ(FSGetCatalogInfo(&ref, kFSCatInfoNone, nullptr, nullptr, &spec, nullptr), noErr)
        << path;
    return spec;
}

// The block the launcher fills in.
LaunchParamBlockRec launchBlock(FSSpec* spec, LaunchFlags flags) {
    LaunchParamBlockRec block{};
    block.launchBlockID = extendedBlock;
    block.launchEPBLength = extendedBlockLen;
    block.launchControlFlags = flags;
    block.launchAppSpec = spec;
    return block;
}

constexpr LaunchFlags launcherFlags = launchContinue | launchNoFileFlags | launchUseMinimum;

class LaunchApplicationTest : public ::testing::Test {
protected:
    void SetUp() override {
        setenv(probeMarkerVariable, marker().c_str(), 1);
        unsetenv(probeAdopterVariable);
    }
    fs::path marker() const { return temp.path() / "probe-ran"; }
    ScratchFolder temp;
};

struct RefusalCase {
    const char* what;
    // Makes the item in the folder and spoils the block as the case needs.
    std::function<void(const fs::path& folder, FSSpec& spec, LaunchParamBlockRec& block)> arrange;
    OSErr expected;
};

TEST_F(LaunchApplicationTest, RefusesWithTheMacCode) {
    auto probeAt = [](const fs::path& path, FSSpec& spec) {
        CopyProbe(path);
        spec = specOf(path);
    };
    const RefusalCase cases[] = {
        {"block id not extendedBlock",
         [&](const fs::path& folder, FSSpec& spec, LaunchParamBlockRec& block) {
             probeAt(folder / "probe", spec);
             block.launchBlockID = 0;
         },
         paramErr},
        {"block length not extendedBlockLen",
         [&](const fs::path& folder, FSSpec& spec, LaunchParamBlockRec& block) {
             probeAt(folder / "probe", spec);
             block.launchEPBLength = sizeof(LaunchParamBlockRec);
         },
         paramErr},
        {"no FSSpec for the application",
         [&](const fs::path& folder, FSSpec& spec, LaunchParamBlockRec& block) {
             probeAt(folder / "probe", spec);
             block.launchAppSpec = nullptr;
         },
         paramErr},
        {"item gone",
         [&](const fs::path& folder, FSSpec& spec, LaunchParamBlockRec&) {
             probeAt(folder / "probe", spec);
             fs::remove(folder / "probe");
         },
         fnfErr},
        {"file not executable",
         [&](const fs::path& folder, FSSpec& spec, LaunchParamBlockRec&) {
             probeAt(folder / "probe", spec);
             fs::permissions(folder / "probe", fs::perms::owner_read | fs::perms::owner_write);
         },
         permErr},
        {"folder that is no bundle",
         [&](const fs::path& folder, FSSpec& spec, LaunchParamBlockRec&) {
             fs::create_directory(folder / "Plain");
             spec = specOf(folder / "Plain");
         },
         paramErr},
        {"bundle naming a missing executable",
         [&](const fs::path& folder, FSSpec& spec, LaunchParamBlockRec&) {
             fs::create_directories(folder / "Empty.app" / "Contents" / "MacOS");
             WritePlist(folder / "Empty.app" / "Contents" / "Info.plist",
                        StringDictionary({{"CFBundleExecutable", "absent"}}), PlistFormat::xml);
             spec = specOf(folder / "Empty.app");
         },
         fnfErr},
        {"bundle executable given as a path",
         [&](const fs::path& folder, FSSpec& spec, LaunchParamBlockRec&) {
             fs::create_directories(folder / "Escape.app" / "Contents");
             CopyProbe(folder / "probe");
             WritePlist(folder / "Escape.app" / "Contents" / "Info.plist",
                        StringDictionary({{"CFBundleExecutable", "../../probe"}}),
                        PlistFormat::xml);
             spec = specOf(folder / "Escape.app");
         },
         paramErr},
        {"file that is no program",
         [&](const fs::path& folder, FSSpec& spec, LaunchParamBlockRec&) {
             WriteFile(folder / "text", "just words\n");
             fs::permissions(folder / "text", fs::perms::owner_all);
             spec = specOf(folder / "text");
         },
         paramErr},
    };
    for (const RefusalCase& c : cases) {
        SCOPED_TRACE(c.what);
        ScratchFolder folder;
        FSSpec spec{};
        LaunchParamBlockRec block = launchBlock(&spec, launcherFlags);
        c.arrange(folder.path(), spec, block);

        EXPECT_EQ(LaunchApplication(&block), c.expected);
        int status;
        EXPECT_EQ(waitpid(-1, &status, WNOHANG), -1) << "a process was started";
    }
    EXPECT_EQ(LaunchApplication(nullptr), paramErr);
}

TEST_F(LaunchApplicationTest, ContinueStartsBesideTheCallerAndNamesTheProcess) {
    CopyProbe(temp.path() / "probe");
    FSSpec spec = specOf(temp.path() / "probe");
    LaunchParamBlockRec block = launchBlock(&spec, launcherFlags);

    ASSERT_EQ(LaunchApplication(&block), noErr);

    pid_t pid = static_cast<pid_t>(block.launchProcessSN.lowLongOfPSN);
    EXPECT_EQ(block.launchProcessSN.highLongOfPSN, 0u);
    int status = -1;
    ASSERT_EQ(waitpid(pid, &status, 0), pid);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    auto record = ReadProbeRecord(marker());
    EXPECT_EQ(record["pid"], std::to_string(pid));
    EXPECT_EQ(record["parent"], std::to_string(getpid()));
    EXPECT_EQ(record["sessionLeader"], "1");
}

TEST_F(LaunchApplicationTest, WithoutContinueTheCallerBecomesTheApplication) {
    CopyProbe(temp.path() / "probe");
    FSSpec spec = specOf(temp.path() / "probe");

    pid_t caller = fork();
    ASSERT_GE(caller, 0);
    if (caller == 0) {
        LaunchParamBlockRec block = launchBlock(&spec, launchNoFileFlags);
        LaunchApplication(&block);
        _exit(99); // only reached when the launch failed
    }
    int status = -1;
    ASSERT_EQ(waitpid(caller, &status, 0), caller);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    auto record = ReadProbeRecord(marker());
    EXPECT_EQ(record["pid"], std::to_string(caller));
    EXPECT_EQ(record["program"], (temp.path() / "probe").string());
}

} // namespace
