// The program the tests launch. It records how it was started in the file that
// APPINTERFACE_PROBE_MARKER names, as "key=value" lines, written whole or not
// at all. With APPINTERFACE_PROBE_ADOPTER set to a pid, it first waits (at most
// ten seconds) until that process has adopted it, which happens only once the
// process that started it has ended.

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

bool awaitAdoption(pid_t adopter) {
    for (int i = 0; i < 1000 && getppid() != adopter; ++i) {
        usleep(10000);
    }
    return getppid() == adopter;
}

} // namespace

int main(int, char** argv) {
    const char* marker = std::getenv("APPINTERFACE_PROBE_MARKER");
    if (marker == nullptr) {
        return 2;
    }
    // The starter may well have ended already: then this is the adopter.
    pid_t parent = getppid();
    std::string descriptors = openDescriptors();
    char cwd[PATH_MAX] = "";
    if (getcwd(cwd, sizeof cwd) == nullptr) {
        return 3;
    }
    const char* adopter = std::getenv("APPINTERFACE_PROBE_ADOPTER");
    bool adopted = adopter != nullptr && awaitAdoption(std::atoi(adopter));

    std::string record = "pid=" + std::to_string(getpid()) + "\nparent=" + std::to_string(parent) +
                         "\nadopted=" + (adopted ? "1" : "0") +
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
