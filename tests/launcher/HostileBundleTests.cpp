// The launcher opened from bundles built to hurt it: huge, deep or cyclic
// Info.plists, items that are FIFOs or devices, a linked or crowded Resources
// folder. Each run must end by itself (the harness kills it after a while and
// fails the test), with status 0, and start the probe exactly when the bundle
// names it.
#include "LaunchSupport.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace {

const std::string bundleName = "Hostile";
const std::string launchKey = "ZQLaunchApp";

// A plain XML Info.plist naming the probe, with `more` inside its dictionary.
std::string xmlInfo(const std::string& more = "") {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<plist version=\"1.0\"><dict>"
           "<key>CFBundleExecutable</key><string>" +
           bundleName + "</string><key>" + launchKey + "</key><string>probe</string>" + more +
           "</dict></plist>\n";
}

// Appends `value` as a `width`-byte big-endian number.
void appendBigEndian(std::string& out, std::uint64_t value, int width) {
    for (int i = width - 1; i >= 0; --i) {
        out += static_cast<char>(value >> (8 * i) & 0xFF);
    }
}

// A binary Info.plist whose root dictionary names the probe and also holds an
// array that holds the root dictionary again.
std::string cyclicBinaryInfo() {
    const std::string objects[] = {
        std::string("\xD2\x01\x02\x03\x04", 5), // 0: {1: 3, 2: 4}
        "\x5B" + launchKey,                     // 1: "ZQLaunchApp"
        "\x54Loop",                             // 2: "Loop"
        "\x55probe",                            // 3: "probe"
        std::string("\xA1\x00", 2),             // 4: [0]
    };
    std::string out = "bplist00";
    std::vector<std::uint64_t> offsets;
    for (const std::string& object : objects) {
        offsets.push_back(out.size());
        out += object;
    }
    const std::uint64_t table = out.size();
    for (const std::uint64_t offset : offsets) {
        appendBigEndian(out, offset, 1);
    }
    out += std::string(6, '\0');
    out += '\x01'; // offset width
    out += '\x01'; // reference width
    appendBigEndian(out, offsets.size(), 8);
    appendBigEndian(out, 0, 8);
    appendBigEndian(out, table, 8);
    return out;
}

using HostileBundle = WatchedLaunchTest;

struct HostileCase {
    const char* what;
    /// Arranges the bundle's Contents folder (Info.plist, Resources); answers the
    /// program that must be started, or an empty path when nothing may be.
    std::function<fs::path(const fs::path& contents)> arrange;
};

fs::path resourcesIn(const fs::path& contents) { return contents / "Resources"; }

fs::path probeNamedInXml(const fs::path& contents) {
    WriteFile(contents / "Info.plist", xmlInfo());
    CopyProbe(resourcesIn(contents) / "probe");
    return resourcesIn(contents) / "probe";
}

} // namespace

TEST_F(HostileBundle, EndsWithStatusZeroAndStartsOnlyWhatItNames) {
    const HostileCase cases[] = {
        {"Info.plist of 100 MiB",
         [](const fs::path& contents) {
             // Well-formed, so a reader that took it whole would launch the probe.
             std::ofstream info(contents / "Info.plist", std::ios::binary);
             const std::string start = xmlInfo("<!--");
             info << start;
             const std::string padding(1 << 20, ' ');
             for (int mib = 0; mib < 100; ++mib) {
                 info << padding;
             }
             info << "--></dict></plist>\n";
             CopyProbe(resourcesIn(contents) / "probe");
             return fs::path();
         }},
        {"Info.plist nested 100000 deep",
         [](const fs::path& contents) {
             std::string deep;
             for (int i = 0; i < 100000; ++i) {
                 deep += "<array>";
             }
             for (int i = 0; i < 100000; ++i) {
                 deep += "</array>";
             }
             WriteFile(contents / "Info.plist", xmlInfo("<key>Deep</key>" + deep));
             CopyProbe(resourcesIn(contents) / "probe");
             return fs::path();
         }},
        {"binary Info.plist whose objects hold each other",
         [](const fs::path& contents) {
             WriteFile(contents / "Info.plist", cyclicBinaryInfo());
             CopyProbe(resourcesIn(contents) / "probe");
             return fs::path();
         }},
        {"Info.plist that is a FIFO",
         [](const fs::path& contents) {
             EXPECT_EQ(mkfifo((contents / "Info.plist").c_str(), 0600), 0);
             CopyProbe(resourcesIn(contents) / "probe");
             return fs::path();
         }},
        {"Info.plist that is a link to a device",
         [](const fs::path& contents) {
             fs::create_symlink("/dev/zero", contents / "Info.plist");
             CopyProbe(resourcesIn(contents) / "probe");
             return fs::path();
         }},
        {"item that is a FIFO",
         [](const fs::path& contents) {
             WriteFile(contents / "Info.plist", xmlInfo());
             EXPECT_EQ(mkfifo((resourcesIn(contents) / "probe").c_str(), 0700), 0);
             return fs::path();
         }},
        {"item that is a device",
         [](const fs::path& contents) {
             WriteFile(contents / "Info.plist", xmlInfo());
             // The null device's numbers; making a device node takes root, as here.
             EXPECT_EQ(
                 mknod((resourcesIn(contents) / "probe").c_str(), S_IFCHR | 0700, makedev(1, 3)),
                 0);
             return fs::path();
         }},
        {"Resources that is a link to a folder outside the bundle",
         [](const fs::path& contents) {
             // Followed, as the bundle services resolve every path they hand out.
             const fs::path elsewhere = contents.parent_path().parent_path() / "Elsewhere";
             fs::create_directory(elsewhere);
             fs::remove(resourcesIn(contents));
             fs::create_directory_symlink(elsewhere, resourcesIn(contents));
             WriteFile(contents / "Info.plist", xmlInfo());
             CopyProbe(elsewhere / "probe");
             return elsewhere / "probe";
         }},
        {"Resources of 10000 entries",
         [](const fs::path& contents) {
             for (int i = 0; i < 9999; ++i) {
                 char name[16];
                 std::snprintf(name, sizeof name, "entry%05d", i);
                 std::ofstream(resourcesIn(contents) / name);
             }
             // The 201st child by name: every candidate before it is fetched and
             // compared, from a listing of all 10000.
             WriteFile(contents / "Info.plist",
                       "<?xml version=\"1.0\"?><plist version=\"1.0\"><dict><key>" + launchKey +
                           "</key><string>entry00199x</string></dict></plist>");
             CopyProbe(resourcesIn(contents) / "entry00199x");
             return resourcesIn(contents) / "entry00199x";
         }},
        {"an ordinary bundle, for comparison", probeNamedInXml},
    };
    for (const HostileCase& c : cases) {
        SCOPED_TRACE(c.what);
        ScratchFolder folder;
        const fs::path bundle = MakeBundle(folder.path(), bundleName);
        const fs::path started = c.arrange(bundle / "Contents");
        fs::remove(marker());

        const ProgramRun run = RunProgram(bundle / "Contents" / "MacOS" / bundleName, work(), {},
                                          std::chrono::seconds(60));
        int adoptedStatus = -1;
        const std::optional<pid_t> adopted = WaitForAdopted(adoptedStatus);

        ASSERT_FALSE(run.killed) << "the launcher did not end by itself";
        ASSERT_TRUE(WIFEXITED(run.status)) << "ended by signal " << WTERMSIG(run.status);
        EXPECT_EQ(WEXITSTATUS(run.status), 0) << run.errors;
        EXPECT_EQ(run.output + run.errors, "");
        if (started.empty()) {
            EXPECT_FALSE(adopted.has_value()) << "something was started";
        } else {
            ASSERT_TRUE(adopted.has_value()) << "nothing was started";
            EXPECT_EQ(ReadProbeRecord(marker())["program"], started.string());
        }
    }
}
