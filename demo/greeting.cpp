// The demo's application: opened through Greeting.app's launcher, it tells who
// it is, where it was started from, and that the launcher has already ended.

#include <limits.h>
#include <unistd.h>

#include <cstdio>
#include <string>

namespace {

// The program file a process runs, or empty when it is gone.
std::string programOf(pid_t pid) {
    char path[PATH_MAX];
    std::string link = "/proc/" + std::to_string(pid) + "/exe";
    ssize_t length = readlink(link.c_str(), path, sizeof path);
    return length > 0 ? std::string(path, static_cast<std::size_t>(length)) : std::string();
}

// The launcher ends right after starting us; give it a moment at most.
bool ends(pid_t parent) {
    for (int i = 0; i < 500 && getppid() == parent; ++i) {
        usleep(10000);
    }
    return getppid() != parent;
}

} // namespace

int main(int, char** argv) {
    pid_t parent = getppid();
    std::string parentProgram = programOf(parent);
    char folder[PATH_MAX] = "?";
    if (getcwd(folder, sizeof folder) == nullptr) {
        folder[0] = '\0';
    }
    std::printf("Hello! I am the greeting program, pid %d, ", static_cast<int>(getpid()));
    std::printf("%s.\n",
                getsid(0) == getpid() ? "leading a session of my own" : "in my caller's session");
    std::printf("My program file: %s\n", argv[0]);
    std::printf("My working folder, the one the launcher had: %s\n", folder);
    if (parentProgram.find("/Contents/MacOS/") == std::string::npos) {
        // It may end before we even look.
        std::printf("The launcher had already exited when I looked; pid %d adopted me.\n",
                    static_cast<int>(parent));
    } else {
        std::printf("I was started by the launcher, pid %d (%s).\n", static_cast<int>(parent),
                    parentProgram.c_str());
        std::fflush(stdout);
        if (ends(parent)) {
            std::printf("The launcher has exited since; I run on, adopted by pid %d.\n",
                        static_cast<int>(getppid()));
        } else {
            std::printf("The launcher is still running.\n");
        }
    }
    return 0;
}
