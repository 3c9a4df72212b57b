// Shared by the launch tests: temporary folders, Info.plist files, the probe
// program and running a program the way a user opens a bundle.
#pragma once

#include <plist/plist.h>
#include <sys/types.h>

#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace fs = std::filesystem;

/// A fresh folder under the system's temporary folder, removed with everything
/// in it at the end of the test.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    const fs::path& path() const { return folder; }

private:
    fs::path folder;
};

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
    int status = -1; // as waitpid gives it
    std::string output;
    std::string errors;
};

/// Runs a program to its end with no arguments, in `workingFolder`, with its
/// standard output and error caught, and with one more descriptor open (and
/// not close-on-exec), as a careless parent would leave it.
ProgramRun RunProgram(const fs::path& program, const fs::path& workingFolder,
                      const std::vector<std::string>& arguments = {});

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
