// Shared by the launch tests: temporary folders, Info.plist files, the probe
// program and running a program the way a user opens a bundle.
#pragma once

#include "ScratchFolder.h"

#include <gtest/gtest.h>
#include <plist/plist.h>
#include <sys/types.h>

#include <chrono>
#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace fs = std::filesystem;

using Plist = std::unique_ptr<void, decltype(&plist_free)>;
enum class PlistFormat { xml, binary };

/// A dictionary of string values.
Plist StringDictionary(const std::vector<std::pair<std::string, std::string>>& entries);
void WritePlist(const fs::path& path, const Plist& plist, PlistFormat format);
/// The property list in the file; null when it cannot be read.
Plist ReadPlist(const fs::path& path);
/// The string value of `key` in a dictionary, if it has one.
std::optional<std::string> StringValue(const Plist& dictionary, const std::string& key);

void WriteFile(const fs::path& path, const std::string& contents);
std::string ReadFile(const fs::path& path);
/// A copy of the probe program at `path`, executable.
void CopyProbe(const fs::path& path);
void CopyLauncher(const fs::path& path);

/// Name.app in `folder`: the launcher as Contents/MacOS/Name, an empty
/// Contents/Resources, no Info.plist.
fs::path MakeBundle(const fs::path& folder, const std::string& name);

struct ProgramRun {
    pid_t pid = 0;
    int status = -1;     // as waitpid gives it
    bool killed = false; // it was still running when the patience ran out
    std::string output;
    std::string errors;
};

/// Runs a program to its end with no arguments, in `workingFolder`, with its
/// standard output and error caught, and with one more descriptor open (and
/// not close-on-exec), as a careless parent would leave it. A program still
/// running after `patience` is killed: a hang fails its test instead of the run.
ProgramRun RunProgram(const fs::path& program, const fs::path& workingFolder,
                      const std::vector<std::string>& arguments = {},
                      std::chrono::seconds patience = std::chrono::seconds(120));

/// Makes this process the one that adopts the orphans of its children, so that
/// a program started by a program it ran can be waited for.
void AdoptOrphans();

/// The pid of an adopted program after it ended (its status in `status`), or
/// nothing when there was no program left to wait for.
std::optional<pid_t> WaitForAdopted(int& status);

/// The "key=value" lines the probe wrote.
std::map<std::string, std::string> ReadProbeRecord(const fs::path& marker);

constexpr const char* probeMarkerVariable = "APPINTERFACE_PROBE_MARKER";
constexpr const char* probeAdopterVariable = "APPINTERFACE_PROBE_ADOPTER";

/// A test that runs programs in a work folder of its own and watches what they
/// start: it adopts orphans, and the probe, once started, waits to be adopted
/// and records itself in marker().
class WatchedLaunchTest : public ::testing::Test {
protected:
    void SetUp() override;

    fs::path work() const { return temp.path() / "work"; }
    fs::path marker() const { return temp.path() / "probe-ran"; }

    ScratchFolder temp;
};
