#include "LaunchSupport.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>

extern char** environ;

namespace {

void check(bool ok, const std::string& what) {
    if (!ok) {
        throw std::runtime_error(what + " failed");
    }
}

std::string readAll(FILE* file) {
    std::rewind(file);
    std::string contents;
    char chunk[4096];
    std::size_t got;
    while ((got = std::fread(chunk, 1, sizeof chunk, file)) > 0) {
        contents.append(chunk, got);
    }
    return contents;
}

} // namespace

Plist StringDictionary(const std::vector<std::pair<std::string, std::string>>& entries) {
    Plist dictionary(plist_new_dict(), &plist_free);
    for (const auto& [key, value] : entries) {
        plist_dict_set_item(dictionary.get(), key.c_str(), plist_new_string(value.c_str()));
    }
    return dictionary;
}

void WritePlist(const fs::path& path, const Plist& plist, PlistFormat format) {
    char* bytes = nullptr;
    uint32_t length = 0;
    if (format == PlistFormat::xml) {
        plist_to_xml(plist.get(), &bytes, &length);
    } else {
        plist_to_bin(plist.get(), &bytes, &length);
    }
    check(bytes != nullptr, "plist encoding");
    WriteFile(path, std::string(bytes, length));
    std::free(bytes);
}

Plist ReadPlist(const fs::path& path) {
    std::string contents = ReadFile(path);
    plist_t root = nullptr;
    plist_from_memory(contents.data(), static_cast<uint32_t>(contents.size()), &root);
    return Plist(root, &plist_free);
}

std::optional<std::string> StringValue(const Plist& dictionary, const std::string& key) {
    plist_t value = dictionary ? plist_dict_get_item(dictionary.get(), key.c_str()) : nullptr;
    if (value == nullptr || plist_get_node_type(value) != PLIST_STRING) {
        return std::nullopt;
    }
    uint64_t length = 0;
    const char* bytes = plist_get_string_ptr(value, &length);
    return std::string(bytes, length);
}

void WriteFile(const fs::path& path, const std::string& contents) {
    std::ofstream file(path, std::ios::binary);
    file << contents;
    check(static_cast<bool>(file), "writing " + path.string());
}

std::string ReadFile(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream contents;
    contents << file.rdbuf();
    return contents.str();
}

void CopyProbe(const fs::path& path) {
    fs::copy_file(APPINTERFACE_PROBE_PATH, path, fs::copy_options::overwrite_existing);
}

void CopyLauncher(const fs::path& path) {
    fs::copy_file(APPINTERFACE_LAUNCHER_PATH, path, fs::copy_options::overwrite_existing);
}

fs::path MakeBundle(const fs::path& folder, const std::string& name) {
    fs::path bundle = folder / (name + ".app");
    fs::create_directories(bundle / "Contents" / "MacOS");
    fs::create_directories(bundle / "Contents" / "Resources");
    CopyLauncher(bundle / "Contents" / "MacOS" / name);
    return bundle;
}

namespace {

// Waits for the program to end; kills it once `patience` has passed. False when
// it had to be killed.
bool waitWithin(pid_t pid, int& status, std::chrono::seconds patience) {
    const auto deadline = std::chrono::steady_clock::now() + patience;
    for (;;) {
        const pid_t ended = waitpid(pid, &status, WNOHANG);
        if (ended == pid) {
            return true;
        }
        check(ended == 0 || errno == EINTR, "waiting for a program");
        if (std::chrono::steady_clock::now() >= deadline) {
            kill(pid, SIGKILL);
            check(waitpid(pid, &status, 0) == pid, "waiting for a killed program");
            return false;
        }
        usleep(10000);
    }
}

} // namespace

ProgramRun RunProgram(const fs::path& program, const fs::path& workingFolder,
                      const std::vector<std::string>& arguments, std::chrono::seconds patience) {
    FILE* output = std::tmpfile();
    FILE* errors = std::tmpfile();
    int stray = open("/dev/null", O_RDONLY);
    check(output != nullptr && errors != nullptr && stray >= 0, "opening the run's files");

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, fileno(output), 1);
    posix_spawn_file_actions_adddup2(&actions, fileno(errors), 2);
    posix_spawn_file_actions_addchdir_np(&actions, workingFolder.c_str());
    std::vector<char*> argv{const_cast<char*>(program.c_str())};
    for (const std::string& argument : arguments) {
        argv.push_back(const_cast<char*>(argument.c_str()));
    }
    argv.push_back(nullptr);

    ProgramRun run;
    int spawned = posix_spawn(&run.pid, program.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(stray);
    check(spawned == 0, "starting " + program.string());
    run.killed = !waitWithin(run.pid, run.status, patience);
    run.output = readAll(output);
    run.errors = readAll(errors);
    std::fclose(output);
    std::fclose(errors);
    return run;
}

void AdoptOrphans() { check(prctl(PR_SET_CHILD_SUBREAPER, 1) == 0, "PR_SET_CHILD_SUBREAPER"); }

void WatchedLaunchTest::SetUp() {
    AdoptOrphans();
    fs::create_directory(work());
    setenv(probeMarkerVariable, marker().c_str(), 1);
    setenv(probeAdopterVariable, std::to_string(getpid()).c_str(), 1);
}

std::optional<pid_t> WaitForAdopted(int& status) {
    pid_t pid;
    do {
        pid = waitpid(-1, &status, 0);
    } while (pid < 0 && errno == EINTR);
    if (pid < 0) {
        return std::nullopt;
    }
    return pid;
}

std::map<std::string, std::string> ReadProbeRecord(const fs::path& marker) {
    std::map<std::string, std::string> record;
    std::istringstream lines(ReadFile(marker));
    std::string line;
    while (std::getline(lines, line)) {
        std::size_t equals = line.find('=');
        if (equals != std::string::npos) {
            record[line.substr(0, equals)] = line.substr(equals + 1);
        }
    }
    return record;
}
