// The bundle tool, run as users run it.

#include "LaunchSupport.h"

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>

namespace {

std::string repeated(const std::string& text, int times) {
    std::string result;
    for (int i = 0; i < times; ++i) {
        result += text;
    }
    return result;
}

bool isExecutable(const fs::path& path) { return access(path.c_str(), X_OK) == 0; }

class MkbundleTest : public ::testing::Test {
protected:
    void SetUp() override {
        CopyProbe(temp.path() / "probe");
        WriteFile(temp.path() / "notes.txt", "notes\n");
    }

    ProgramRun mkbundle(const std::vector<std::string>& arguments) {
        return RunProgram(APPINTERFACE_MKBUNDLE_PATH, temp.path(), arguments);
    }

    ScratchFolder temp;
};

struct RefusalCase {
    const char* what;
    std::vector<std::string> arguments;
    const char* reason; // part of the one line on standard error
};

TEST_F(MkbundleTest, RefusesWithOneLineAndWritesNothing) {
    WriteFile(temp.path() / "plain", "not a program\n");
    const RefusalCase cases[] = {
        {"missing program", {"-o", "Out.app", "absent"}, "'absent' does not exist"},
        {"launch name among no resource",
         {"--launch", "other", "-o", "Out.app", "probe"},
         "no resource is named 'other'"},
        {"program not executable", {"-o", "Out.app", "plain"}, "is not executable"},
        {"bundle name outside Mac Roman",
         {"-o", "\xE4\xB8\x96.app", "probe"},
         "cannot be written in Mac Roman"},
        {"bundle name of 64 Mac Roman bytes",
         {"-o", repeated("\xC3\xA9", 64) + ".app", "probe"},
         "longer than 63 bytes"},
        {"output not named .app", {"-o", "Out", "probe"}, "must be named NAME.app"},
        {"no output", {"probe"}, "no output bundle"},
        {"unknown option", {"--frobnicate", "-o", "Out.app", "probe"}, "unknown option"},
        {"launcher not found",
         {"--launcher", "absent-launcher", "-o", "Out.app", "probe"},
         "launcher 'absent-launcher' not found"},
    };
    for (const RefusalCase& c : cases) {
        SCOPED_TRACE(c.what);
        ProgramRun run = mkbundle(c.arguments);

        EXPECT_TRUE(WIFEXITED(run.status) && WEXITSTATUS(run.status) != 0);
        EXPECT_EQ(run.output, "");
        EXPECT_EQ(run.errors.rfind("mkbundle: ", 0), 0u) << run.errors;
        EXPECT_NE(run.errors.find(c.reason), std::string::npos) << run.errors;
        EXPECT_EQ(run.errors.find('\n'), run.errors.size() - 1) << run.errors;
        for (const auto& entry : fs::directory_iterator(temp.path())) {
            EXPECT_NE(entry.path().extension(), ".app") << entry.path();
        }
    }
}

TEST_F(MkbundleTest, KeepsAnExistingOutputUnlessForced) {
    fs::create_directory(temp.path() / "Out.app");
    WriteFile(temp.path() / "Out.app" / "keep", "mine");

    ProgramRun refused = mkbundle({"-o", "Out.app", "probe"});
    EXPECT_NE(refused.status, 0);
    EXPECT_NE(refused.errors.find("use --force"), std::string::npos) << refused.errors;
    EXPECT_EQ(ReadFile(temp.path() / "Out.app" / "keep"), "mine");

    ProgramRun forced = mkbundle({"--force", "-o", "Out.app", "probe"});
    EXPECT_EQ(forced.status, 0) << forced.errors;
    EXPECT_FALSE(fs::exists(temp.path() / "Out.app" / "keep"));
    EXPECT_TRUE(fs::exists(temp.path() / "Out.app" / "Contents" / "Info.plist"));
}

TEST_F(MkbundleTest, NameLimitCountsMacRomanBytes) {
    // 63 letters of two UTF-8 bytes each are 63 bytes in Mac Roman.
    std::string name = repeated("\xC3\xA9", 63);
    ProgramRun run = mkbundle({"-o", name + ".app", "probe"});
    EXPECT_EQ(run.status, 0) << run.errors;
    EXPECT_TRUE(isExecutable(temp.path() / (name + ".app") / "Contents" / "MacOS" / name));
}

TEST_F(MkbundleTest, MadeBundleLaunchesItsProgram) {
    fs::path marker = temp.path() / "probe-ran";
    setenv(probeMarkerVariable, marker.c_str(), 1);
    AdoptOrphans();

    ProgramRun made = mkbundle({"--launch", "probe", "--identifier", "org.example.hello", "-o",
                                "Hello.app", "probe", "notes.txt"});
    ASSERT_EQ(made.status, 0) << made.errors;
    EXPECT_EQ(made.output + made.errors, "");

    fs::path contents = temp.path() / "Hello.app" / "Contents";
    Plist info = ReadPlist(contents / "Info.plist");
    ASSERT_TRUE(info);
    EXPECT_EQ(StringValue(info, "CFBundleExecutable"), "Hello");
    EXPECT_EQ(StringValue(info, "CFBundleName"), "Hello");
    EXPECT_EQ(StringValue(info, "CFBundleIdentifier"), "org.example.hello");
    EXPECT_EQ(StringValue(info, "CFBundlePackageType"), "APPL");
    EXPECT_EQ(StringValue(info, "ZQLaunchApp"), "probe");
    EXPECT_EQ(ReadFile(contents / "MacOS" / "Hello"), ReadFile(APPINTERFACE_LAUNCHER_PATH));
    EXPECT_TRUE(isExecutable(contents / "Resources" / "probe"));
    EXPECT_EQ(ReadFile(contents / "Resources" / "notes.txt"), "notes\n");

    ProgramRun opened = RunProgram(contents / "MacOS" / "Hello", temp.path());
    int status = -1;
    std::optional<pid_t> probe = WaitForAdopted(status);
    EXPECT_EQ(opened.status, 0);
    ASSERT_TRUE(probe.has_value());
    EXPECT_EQ(ReadProbeRecord(marker)["program"], (contents / "Resources" / "probe").string());
}

} // namespace
