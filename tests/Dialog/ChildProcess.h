// Runs a piece of a test in a child process of its own: the alert presenter is
// chosen once per process, and a terminal alert needs a terminal to own.
#pragma once

#include <functional>
#include <string>
#include <sys/types.h>

/// A child whose controlling terminal is a new pseudo-terminal: /dev/tty in it
/// is the pty, and the test reads the screen and types on the other side.
class PtyChild {
public:
    /// Runs `body` in the child; its result is the child's exit status.
    explicit PtyChild(const std::function<int()>& body);
    ~PtyChild();
    PtyChild(const PtyChild&) = delete;
    PtyChild& operator=(const PtyChild&) = delete;

    /// Reads the child's output until `text` has appeared in it. False when the
    /// child ends or falls silent first.
    bool readUntil(const std::string& text);
    void type(const std::string& keys);
    /// Reads the rest of the output and waits for the child to end: its exit
    /// status, or -1 when it did not exit normally.
    int exitStatus();

    /// Everything read so far. The terminal turns each "\n" into "\r\n".
    std::string output;

private:
    bool readSome();

    int master = -1;
    pid_t pid = -1;
};

/// Runs `body` in a child with no controlling terminal and answers its exit
/// status, or -1 when it did not exit normally.
int RunWithoutTerminal(const std::function<int()>& body);
