// The program the tests launch. It records how it was started in the file that
// APPINTERFACE_PROBE_MARKER names, as "key=value" lines, written whole or not
// at all. With APPINTERFACE_PROBE_AWAIT_PARENT set it first waits (at most ten
// seconds) for the process that started it to end.

#include <dirent.h>
#include <limits.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

// The descriptors open at start, but the one that lists them.
std::string openDescriptors() {
    std::string list;
    DIR* folder = opendir("/proc/self/fd");
    if (folder == nullptr) {
        return "unknown";
    }
    while (dirent* entry = readdir(folder)) {
        if (entry->d_name[0] == '.' || std::atoi(entry->d_name) == dirfd(folder)) {
            continue;
        }
        list += (list.empty() ? "" : ",") + std::string(entry->d_name);
    }
    closedir(folder);
    return list;
}

bool awaitParentExit(pid_t parent) {
    for (int i = 0; i < 1000 && getppid() == parent; ++i) {
        usleep(10000);
    }
    return getppid() != parent;
}

} // namespace

int main(int, char** argv) {
    const char* marker = std::getenv("APPINTERFACE_PROBE_MARKER");
    if (marker == nullptr) {
        return 2;
    }
    std::string descriptors = openDescriptors();
    pid_t parent = getppid();
    char cwd[PATH_MAX] = "";
    if (getcwd(cwd, sizeof cwd) == nullptr) {
        return 3;
    }
    bool parentEnded =
        std::getenv("APPINTERFACE_PROBE_AWAIT_PARENT") != nullptr && awaitParentExit(parent);

    std::string record = "pid=" + std::to_string(getpid()) + "\nparent=" + std::to_string(parent) +
                         "\nparentEnded=" + (parentEnded ? "1" : "0") +
                         "\nsessionLeader=" + (getsid(0) == getpid() ? "1" : "0") + "\ncwd=" + cwd +
                         "\ndescriptors=" + descriptors + "\nprogram=" + argv[0] + "\n";
    std::string partial = std::string(marker) + ".partial";
    FILE* file = std::fopen(partial.c_str(), "w");
    if (file == nullptr) {
        return 4;
    }
    bool written = std::fwrite(record.data(), 1, record.size(), file) == record.size();
    if (std::fclose(file) != 0 || !written || std::rename(partial.c_str(), marker) != 0) {
        return 5;
    }
    return 0;
}
