// The demo's application: opened through Greeting.app's launcher, it tells who
// it is, who started it and where from, and that the launcher is already gone.

#include <limits.h>
#include <unistd.h>

#include <cstdio>

namespace {

// The launcher ends right after starting us; give it a moment at most.
bool parentEnds(pid_t parent) {
    for (int i = 0; i < 500 && getppid() == parent; ++i) {
        usleep(10000);
    }
    return getppid() != parent;
}

} // namespace

int main(int, char** argv) {
    pid_t parent = getppid();
    char folder[PATH_MAX] = "?";
    if (getcwd(folder, sizeof folder) == nullptr) {
        folder[0] = '\0';
    }
    std::printf("Hello! I am the greeting program, pid %d.\n", static_cast<int>(getpid()));
    std::printf("I was started by pid %d, the launcher, in a session of my own (%s).\n",
                static_cast<int>(parent), getsid(0) == getpid() ? "I lead it" : "not leading it");
    std::printf("My program file: %s\n", argv[0]);
    std::printf("My working folder, the launcher's: %s\n", folder);
    std::fflush(stdout);
    if (parentEnds(parent)) {
        std::printf("The launcher (pid %d) has already exited; I run on, now under pid %d.\n",
                    static_cast<int>(parent), static_cast<int>(getppid()));
    } else {
        std::printf("The launcher (pid %d) is still running.\n", static_cast<int>(parent));
    }
    return 0;
}
