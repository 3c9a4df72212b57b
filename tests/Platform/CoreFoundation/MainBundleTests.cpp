// The bundle services as a bundled program sees them: each test copies the
// probe into a temporary bundle X.app, runs it, and reads what it printed.
#include "CoreFoundation/InfoPlistFile.h"

#include "PlistSamples.h"
#include "ProbeOutput.h"
#include "ScratchFolder.h"
#include "Unprivileged.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <sys/stat.h>

namespace fs = std::filesystem;

namespace {

std::string hexOf(std::string_view bytes) {
    std::string hex;
    char digits[3];
    for (const char c : bytes) {
        std::snprintf(digits, sizeof digits, "%02X", static_cast<unsigned char>(c));
        hex += digits;
    }
    return hex;
}

void writeFile(const fs::path& path, std::string_view bytes) {
    std::ofstream(path, std::ios::binary).write(bytes.data(), std::streamsize(bytes.size()));
}

class MainBundle : public ::testing::Test {
protected:
    void SetUp() override {
        bundle = root / "X.app";
        fs::create_directories(bundle / "Contents/MacOS");
        probe = bundle / "Contents/MacOS/probe";
        fs::copy_file(BUNDLE_PROBE, probe);
    }

    fs::path infoPlist() const { return bundle / "Contents/Info.plist"; }

    // Runs `program` with a time limit, so that a probe stuck on a read fails
    // the test instead of hanging it, and on a 1 MiB stack, on which a parser
    // that recursed once per level of the deepest list that fits the size
    // limit would run out of stack.
    static ProbeOutput run(const fs::path& program) {
        return RunProbe("ulimit -s 1024 && timeout 10 '" + program.string() + "'");
    }

    ScratchFolder scratch;
    const fs::path& root = scratch.path();
    fs::path bundle, probe;
};

// A well-formed Info.plist naming `utf8` as the application.
std::string namingPlist(std::string_view utf8) {
    return XmlPlist(XmlStringEntry("ZQLaunchApp", utf8));
}

} // namespace

TEST_F(MainBundle, ReadsTheKeyFromEachKindOfInfoPlist) {
    // "value": the kind of value found; "macRoman": the 256-byte conversion in hex.
    const std::string e255 = Repeated("\u00E9", 255); // 510 bytes of UTF-8, 255 of Mac Roman
    const std::string exactSize = [] {
        const std::string plain = namingPlist("Padded.app");
        return XmlPlist(XmlStringEntry("ZQLaunchApp", "Padded.app") +
                        std::string(maxInfoPlistSize - plain.size(), ' '));
    }();
    const struct {
        const char* what;
        std::string plist; // empty: no Info.plist at all
        const char* value;
        std::string macRoman;
    } cases[] = {
        {"XML", namingPlist("Some App.app"), "string", hexOf("Some App.app")},
        {"binary", BinaryPlistWithString("ZQLaunchApp", "Caf\u00E9.app"), "string",
         hexOf("Caf\x8E.app")},
        {"decomposed name", namingPlist("Cafe\u0301.app"), "string", hexOf("Caf\x8E.app")},
        {"missing", "", "absent", "failed"},
        {"malformed", "<plist><dict><key>ZQLaunchApp</key><string>App", "absent", "failed"},
        {"key absent", XmlPlist(XmlStringEntry("CFBundleName", "App")), "absent", "failed"},
        {"number", XmlPlist("<key>ZQLaunchApp</key><integer>7</integer>"), "number", "failed"},
        {"array", XmlPlist("<key>ZQLaunchApp</key><array><string>A</string></array>"), "array",
         "failed"},
        {"255 Mac Roman bytes", namingPlist(e255), "string", hexOf(Repeated("\x8E", 255))},
        {"256 Mac Roman bytes", namingPlist(e255 + "x"), "string", "failed"},
        {"character outside Mac Roman", namingPlist("\u0394elta.app"), "string", "failed"},
        {"NUL inside", namingPlist(std::string("App\0Other", 9)), "string", "failed"},
        {"XML nested 60000 deep", NestedXmlPlist(60000), "absent", "failed"},
        {"binary nested 100000 deep", NestedBinaryPlist(100000), "absent", "failed"},
        {"exactly the largest size", exactSize, "string", hexOf("Padded.app")},
        {"one byte too large", exactSize + " ", "absent", "failed"},
    };
    for (const auto& c : cases) {
        fs::remove(infoPlist());
        if (!c.plist.empty()) {
            writeFile(infoPlist(), c.plist);
        }
        auto output = run(probe);
        EXPECT_EQ(output["value"], c.value) << c.what;
        EXPECT_EQ(output["macRoman"], c.macRoman) << c.what;
    }
}

TEST_F(MainBundle, HasNoKeysWhenInfoPlistIsNoRegularFile) {
    const fs::path fifo = root / "fifo";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    writeFile(root / "real.plist", namingPlist("Linked.app"));
    const struct {
        const char* what;
        void (*make)(const fs::path& infoPlist, const fs::path& root);
        const char* value;
    } cases[] = {
        {"FIFO (never opened for writing)",
         [](const fs::path& at, const fs::path&) { ASSERT_EQ(mkfifo(at.c_str(), 0600), 0); },
         "absent"},
        {"link to a FIFO",
         [](const fs::path& at, const fs::path& r) { fs::create_symlink(r / "fifo", at); },
         "absent"},
        {"device", [](const fs::path& at, const fs::path&) { fs::create_symlink("/dev/zero", at); },
         "absent"},
        {"folder", [](const fs::path& at, const fs::path&) { fs::create_directory(at); }, "absent"},
        {"dangling link",
         [](const fs::path& at, const fs::path& r) { fs::create_symlink(r / "nothing", at); },
         "absent"},
        {"link to a regular file",
         [](const fs::path& at, const fs::path& r) { fs::create_symlink(r / "real.plist", at); },
         "string"},
    };
    for (const auto& c : cases) {
        fs::remove_all(infoPlist());
        c.make(infoPlist(), root);
        EXPECT_EQ(run(probe)["value"], c.value) << c.what;
    }
}

TEST_F(MainBundle, UnreadableInfoPlistHasNoKeys) {
    writeFile(infoPlist(), namingPlist("Secret.app"));
    fs::permissions(infoPlist(), fs::perms::none);
    // Anyone may reach the bundle; only its Info.plist is closed.
    fs::permissions(root, fs::perms::others_read | fs::perms::others_exec, fs::perm_options::add);
    EXPECT_EQ(
        RunProbe(Unprivileged::CommandPrefix() + "timeout 10 '" + probe.string() + "'")["value"],
        "absent");
}

TEST_F(MainBundle, GivesTheSevenStandardFoldersWhetherOrNotTheyExist) {
    const std::string b = bundle.string();
    const ProbeOutput expected = {
        {"bundle", b},
        {"resources", b + "/Contents/Resources"},
        {"plugIns", b + "/Contents/PlugIns"},
        {"privateFrameworks", b + "/Contents/Frameworks"},
        {"sharedFrameworks", b + "/Contents/SharedFrameworks"},
        {"sharedSupport", b + "/Contents/SharedSupport"},
        {"supportFiles", b + "/Contents"},
    };
    auto output = run(probe);
    for (const auto& [name, path] : expected) {
        EXPECT_EQ(output[name], path) << name;
    }
}

TEST_F(MainBundle, IsFoundFromWhereTheExecutableReallyLies) {
    writeFile(infoPlist(), namingPlist("App.app"));
    fs::create_directories(bundle / "Contents/Linux");
    fs::copy_file(probe, bundle / "Contents/Linux/probe");
    fs::create_symlink(probe, root / "link-to-probe");
    fs::create_symlink(bundle, root / "Alias.app");
    const struct {
        const char* what;
        fs::path started;
    } cases[] = {
        {"Contents/Linux", bundle / "Contents/Linux/probe"},
        {"through a link to the executable", root / "link-to-probe"},
        {"through a linked bundle folder", root / "Alias.app/Contents/MacOS/probe"},
    };
    for (const auto& c : cases) {
        auto output = run(c.started);
        EXPECT_EQ(output["bundle"], bundle.string()) << c.what;
        EXPECT_EQ(output["macRoman"], hexOf("App.app")) << c.what;
    }
}

TEST_F(MainBundle, OutsideABundleIsTheExecutablesFolderWithNoKeys) {
    // An Info.plist lying beside the executable, or in a Contents folder there,
    // belongs to no bundle of it.
    const fs::path folder = root / "bin";
    fs::create_directories(folder / "Contents");
    fs::copy_file(probe, folder / "probe");
    writeFile(folder / "Info.plist", namingPlist("App.app"));
    writeFile(folder / "Contents/Info.plist", namingPlist("App.app"));
    auto output = run(folder / "probe");
    EXPECT_EQ(output["value"], "absent");
    EXPECT_EQ(output["bundle"], folder.string());
    EXPECT_EQ(output["resources"], (folder / "Contents/Resources").string());
}
