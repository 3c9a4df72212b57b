// The launcher run as users run it: from a real bundle in a temporary folder,
// with the probe program standing in for the application to start.

#include "LaunchSupport.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <functional>

namespace {

const std::string bundleName = "Test";
const std::string launchKey = "ZQLaunchApp";

fs::path contentsOf(const fs::path& bundle) { return bundle / "Contents"; }
fs::path resourcesOf(const fs::path& bundle) { return bundle / "Contents" / "Resources"; }
fs::path executableOf(const fs::path& bundle) { return bundle / "Contents" / "MacOS" / bundleName; }

void writeInfo(const fs::path& bundle, const std::string& launchName,
               PlistFormat format = PlistFormat::xml) {
    WritePlist(contentsOf(bundle) / "Info.plist",
               StringDictionary({{"CFBundleExecutable", bundleName}, {launchKey, launchName}}),
               format);
}

// A folder that would launch the probe if it were ever taken for an
// application bundle.
void makeProbeBundleIn(const fs::path& folder) {
    fs::create_directories(folder / "Contents" / "MacOS");
    WritePlist(folder / "Contents" / "Info.plist",
               StringDictionary({{"CFBundleExecutable", "probe"}}), PlistFormat::xml);
    CopyProbe(folder / "Contents" / "MacOS" / "probe");
}

// A bundle to open and the program that opening it must start.
struct Arranged {
    fs::path opened;
    fs::path started;
};

struct Outcome {
    ProgramRun launcher;
    std::optional<pid_t> adopted;
    int adoptedStatus = -1;
    std::map<std::string, std::string> probe;
};

class LauncherTest : public WatchedLaunchTest {
protected:
    // Runs the program, then waits for whatever it left running.
    Outcome open(const fs::path& program) {
        Outcome outcome;
        outcome.launcher = RunProgram(program, work());
        outcome.adopted = WaitForAdopted(outcome.adoptedStatus);
        if (fs::exists(marker())) {
            outcome.probe = ReadProbeRecord(marker());
        }
        return outcome;
    }
};

struct LaunchedCase {
    const char* what;
    std::function<Arranged(const fs::path& folder)> arrange;
};

TEST_F(LauncherTest, StartsTheNamedItemAndEndsBeforeIt) {
    const std::string cafe = "caf\xC3\xA9";
    const LaunchedCase cases[] = {
        {"XML Info.plist",
         [](const fs::path& folder) {
             fs::path bundle = MakeBundle(folder, bundleName);
             writeInfo(bundle, "probe");
             CopyProbe(resourcesOf(bundle) / "probe");
             return Arranged{executableOf(bundle), resourcesOf(bundle) / "probe"};
         }},
        {"binary Info.plist",
         [](const fs::path& folder) {
             fs::path bundle = MakeBundle(folder, bundleName);
             writeInfo(bundle, "probe", PlistFormat::binary);
             CopyProbe(resourcesOf(bundle) / "probe");
             return Arranged{executableOf(bundle), resourcesOf(bundle) / "probe"};
         }},
        {"Mac Roman letter beyond ASCII",
         [&](const fs::path& folder) {
             fs::path bundle = MakeBundle(folder, bundleName);
             writeInfo(bundle, cafe);
             CopyProbe(resourcesOf(bundle) / cafe);
             return Arranged{executableOf(bundle), resourcesOf(bundle) / cafe};
         }},
        {"accent written as a combining mark",
         [&](const fs::path& folder) {
             fs::path bundle = MakeBundle(folder, bundleName);
             writeInfo(bundle, "cafe\xCC\x81");
             CopyProbe(resourcesOf(bundle) / cafe);
             return Arranged{executableOf(bundle), resourcesOf(bundle) / cafe};
         }},
        {"application bundle folder",
         [](const fs::path& folder) {
             fs::path bundle = MakeBundle(folder, bundleName);
             writeInfo(bundle, "Inner.app");
             makeProbeBundleIn(resourcesOf(bundle) / "Inner.app");
             return Arranged{executableOf(bundle),
                             resourcesOf(bundle) / "Inner.app" / "Contents" / "MacOS" / "probe"};
         }},
        {"500 other items sorting first",
         [](const fs::path& folder) {
             fs::path bundle = MakeBundle(folder, bundleName);
             writeInfo(bundle, "zz-probe");
             for (int i = 0; i < 500; ++i) {
                 WriteFile(resourcesOf(bundle) / ("item-" + std::to_string(1000 + i)), "");
             }
             CopyProbe(resourcesOf(bundle) / "zz-probe");
             return Arranged{executableOf(bundle), resourcesOf(bundle) / "zz-probe"};
         }},
        {"launcher opened through a symbolic link",
         [](const fs::path& folder) {
             fs::path bundle = MakeBundle(folder, bundleName);
             writeInfo(bundle, "probe");
             CopyProbe(resourcesOf(bundle) / "probe");
             fs::create_symlink(executableOf(bundle), folder / "shortcut");
             return Arranged{folder / "shortcut", resourcesOf(bundle) / "probe"};
         }},
    };
    for (const LaunchedCase& c : cases) {
        SCOPED_TRACE(c.what);
        ScratchFolder folder;
        Arranged arranged = c.arrange(folder.path());
        fs::remove(marker());

        Outcome outcome = open(arranged.opened);

        EXPECT_TRUE(WIFEXITED(outcome.launcher.status));
        EXPECT_EQ(WEXITSTATUS(outcome.launcher.status), 0);
        EXPECT_EQ(outcome.launcher.output, "");
        EXPECT_EQ(outcome.launcher.errors, "");
        ASSERT_TRUE(outcome.adopted.has_value()) << "nothing was started";
        EXPECT_TRUE(WIFEXITED(outcome.adoptedStatus) && WEXITSTATUS(outcome.adoptedStatus) == 0);
        auto& probe = outcome.probe;
        EXPECT_EQ(probe["pid"], std::to_string(*outcome.adopted));
        EXPECT_EQ(probe["program"], arranged.started.string());
        // Adopted while it ran: the launcher had ended by then. It may have ended
        // before the probe even asked for its parent.
        EXPECT_EQ(probe["adopted"], "1") << "the probe ended before the launcher";
        EXPECT_THAT(probe["parent"], ::testing::AnyOf(std::to_string(outcome.launcher.pid),
                                                      std::to_string(getpid())));
        EXPECT_EQ(probe["sessionLeader"], "1");
        EXPECT_EQ(probe["cwd"], work().string());
        EXPECT_EQ(probe["descriptors"], "0,1,2");
    }
}

struct NotLaunchedCase {
    const char* what;
    // Returns the program to run.
    std::function<fs::path(const fs::path& folder)> arrange;
};

// Every case holds a probe that a careless launcher would start.
TEST_F(LauncherTest, EndsQuietlyWithoutLaunching) {
    auto bundleWith = [](const fs::path& folder, const std::function<void(const fs::path&)>& edit) {
        fs::path bundle = MakeBundle(folder, bundleName);
        CopyProbe(resourcesOf(bundle) / "probe");
        edit(bundle);
        return executableOf(bundle);
    };
    const NotLaunchedCase cases[] = {
        {"no ZQLaunchApp key",
         [&](const fs::path& folder) {
             return bundleWith(folder, [](const fs::path& bundle) {
                 WritePlist(contentsOf(bundle) / "Info.plist",
                            StringDictionary({{"CFBundleExecutable", bundleName}}),
                            PlistFormat::xml);
             });
         }},
        {"no Info.plist", [&](const fs::path& folder) { return bundleWith(folder, [](auto&) {}); }},
        {"malformed Info.plist",
         [&](const fs::path& folder) {
             return bundleWith(folder, [](const fs::path& bundle) {
                 WriteFile(
                     contentsOf(bundle) / "Info.plist",
                     "<?xml version=\"1.0\"?><plist><dict><key>ZQLaunchApp</key><string>probe");
             });
         }},
        {"number value",
         [&](const fs::path& folder) {
             return bundleWith(folder, [](const fs::path& bundle) {
                 Plist info(plist_new_dict(), &plist_free);
                 plist_dict_set_item(info.get(), launchKey.c_str(), plist_new_uint(7));
                 WritePlist(contentsOf(bundle) / "Info.plist", info, PlistFormat::xml);
                 CopyProbe(resourcesOf(bundle) / "7");
             });
         }},
        {"256-byte name",
         [&](const fs::path& folder) {
             return bundleWith(
                 folder, [](const fs::path& bundle) { writeInfo(bundle, std::string(256, 'p')); });
         }},
        {"character outside Mac Roman",
         [&](const fs::path& folder) {
             return bundleWith(folder, [](const fs::path& bundle) {
                 writeInfo(bundle, "probe\xE4\xB8\x96");
                 CopyProbe(resourcesOf(bundle) / "probe?");
             });
         }},
        {"letter case differs",
         [&](const fs::path& folder) {
             return bundleWith(folder, [](const fs::path& bundle) { writeInfo(bundle, "Probe"); });
         }},
        {"path into a subfolder",
         [&](const fs::path& folder) {
             return bundleWith(folder, [](const fs::path& bundle) {
                 writeInfo(bundle, "sub/probe");
                 fs::create_directory(resourcesOf(bundle) / "sub");
                 CopyProbe(resourcesOf(bundle) / "sub" / "probe");
             });
         }},
        {"the Resources folder itself",
         [&](const fs::path& folder) {
             return bundleWith(folder, [](const fs::path& bundle) {
                 writeInfo(bundle, ".");
                 makeProbeBundleIn(resourcesOf(bundle));
             });
         }},
        {"the folder above Resources",
         [&](const fs::path& folder) {
             return bundleWith(folder, [](const fs::path& bundle) {
                 writeInfo(bundle, "..");
                 makeProbeBundleIn(contentsOf(bundle));
             });
         }},
        {"name holding a NUL",
         [&](const fs::path& folder) {
             return bundleWith(folder, [](const fs::path& bundle) {
                 // Only a binary property list can carry a NUL inside a string.
                 fs::path info = contentsOf(bundle) / "Info.plist";
                 writeInfo(bundle, "probe#tail", PlistFormat::binary);
                 std::string bytes = ReadFile(info);
                 std::size_t at = bytes.find("probe#tail");
                 ASSERT_NE(at, std::string::npos);
                 bytes[at + 5] = '\0';
                 WriteFile(info, bytes);
             });
         }},
        {"item not executable",
         [&](const fs::path& folder) {
             return bundleWith(folder, [](const fs::path& bundle) {
                 writeInfo(bundle, "probe");
                 fs::permissions(resourcesOf(bundle) / "probe",
                                 fs::perms::owner_read | fs::perms::owner_write);
             });
         }},
        {"no Resources folder",
         [&](const fs::path& folder) {
             return bundleWith(folder, [](const fs::path& bundle) {
                 writeInfo(bundle, "probe");
                 fs::rename(resourcesOf(bundle), contentsOf(bundle) / "Elsewhere");
             });
         }},
        {"launcher outside any bundle",
         [](const fs::path& folder) {
             // Everything a bundle would hold, beside the launcher instead of around it.
             CopyLauncher(folder / bundleName);
             WritePlist(folder / "Info.plist", StringDictionary({{launchKey, "probe"}}),
                        PlistFormat::xml);
             fs::create_directory(folder / "Resources");
             CopyProbe(folder / "Resources" / "probe");
             fs::create_directories(folder / "Contents" / "Resources");
             WritePlist(folder / "Contents" / "Info.plist",
                        StringDictionary({{launchKey, "probe"}}), PlistFormat::xml);
             CopyProbe(folder / "Contents" / "Resources" / "probe");
             return folder / bundleName;
         }},
    };
    for (const NotLaunchedCase& c : cases) {
        SCOPED_TRACE(c.what);
        ScratchFolder folder;
        fs::path program = c.arrange(folder.path());

        Outcome outcome = open(program);

        EXPECT_TRUE(WIFEXITED(outcome.launcher.status));
        EXPECT_EQ(WEXITSTATUS(outcome.launcher.status), 0);
        EXPECT_EQ(outcome.launcher.output, "");
        EXPECT_EQ(outcome.launcher.errors, "");
        EXPECT_FALSE(outcome.adopted.has_value()) << "something was started";
    }
}

TEST_F(LauncherTest, FileErrorEndsWithOneLineAndFailureStatus) {
    fs::path bundle = MakeBundle(temp.path(), bundleName);
    writeInfo(bundle, "probe");
    // Resources is found but cannot be listed.
    fs::remove(resourcesOf(bundle));
    WriteFile(resourcesOf(bundle), "");

    Outcome outcome = open(executableOf(bundle));

    ASSERT_TRUE(WIFEXITED(outcome.launcher.status)) << "killed by a signal, not ended";
    EXPECT_NE(WEXITSTATUS(outcome.launcher.status), 0);
    EXPECT_EQ(outcome.launcher.errors,
              "launcher: aFolderItem.getChildCount(): Creating a file iterator failed.\n");
    EXPECT_EQ(outcome.launcher.output, "");
    EXPECT_FALSE(outcome.adopted.has_value());
}

TEST_F(LauncherTest, IgnoresItsArguments) {
    fs::path bundle = MakeBundle(temp.path(), bundleName);
    writeInfo(bundle, "probe");
    CopyProbe(resourcesOf(bundle) / "probe");

    ProgramRun run = RunProgram(executableOf(bundle), work(), {"--help", "-psn_0_1234", "other"});
    int status = -1;
    std::optional<pid_t> adopted = WaitForAdopted(status);

    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.output + run.errors, "");
    EXPECT_TRUE(adopted.has_value());
    EXPECT_EQ(ReadProbeRecord(marker())["program"], (resourcesOf(bundle) / "probe").string());
}

} // namespace
