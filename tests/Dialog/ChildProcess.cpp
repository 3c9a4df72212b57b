#include "ChildProcess.h"

#include <csignal>
#include <poll.h>
#include <pty.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

/// How long a child may stay silent before the test gives up on it: a bound
/// against hanging, far beyond anything a working child needs.
const int kSilenceMilliseconds = 20000;

int ExitStatusOf(pid_t pid) {
    int status = 0;
    if (waitpid(pid, &status, 0) != pid) {
        return -1;
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

} // namespace

PtyChild::PtyChild(const std::function<int()>& body) {
    pid = forkpty(&master, nullptr, nullptr, nullptr);
    if (pid == 0) {
        // _exit: the child must not run the test program's exit handlers.
        _exit(body());
    }
}

PtyChild::~PtyChild() {
    if (pid > 0) {
        kill(pid, SIGKILL);
        waitpid(pid, nullptr, 0);
    }
    if (master >= 0) {
        close(master);
    }
}

bool PtyChild::readUntil(const std::string& text) {
    while (output.find(text) == std::string::npos) {
        if (!readSome()) {
            return false;
        }
    }
    return true;
}

void PtyChild::type(const std::string& keys) {
    std::size_t done = 0;
    while (done < keys.size()) {
        ssize_t n = write(master, keys.data() + done, keys.size() - done);
        if (n <= 0) {
            return;
        }
        done += static_cast<std::size_t>(n);
    }
}

int PtyChild::exitStatus() {
    while (readSome()) {
    }
    int status = pid > 0 ? ExitStatusOf(pid) : -1;
    pid = -1;
    return status;
}

bool PtyChild::readSome() {
    if (master < 0) {
        return false;
    }
    pollfd waiting{master, POLLIN, 0};
    if (poll(&waiting, 1, kSilenceMilliseconds) != 1) {
        return false;
    }
    char buffer[512];
    // Once the child has closed the terminal, the read fails with EIO.
    ssize_t n = read(master, buffer, sizeof buffer);
    if (n <= 0) {
        return false;
    }
    output.append(buffer, static_cast<std::size_t>(n));
    return true;
}

int RunWithoutTerminal(const std::function<int()>& body) {
    pid_t pid = fork();
    if (pid == 0) {
        setsid();
        _exit(body());
    }
    return pid > 0 ? ExitStatusOf(pid) : -1;
}
