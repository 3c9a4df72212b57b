// Root opens and reads everything, so tests of permission errors run the part
// that must be refused as an unprivileged user. For any other user they need
// nothing.
#pragma once

#include <string>

/// While it lives, the process acts as the unprivileged user "nobody" when it
/// started as root (effective ids only, so it can come back).
class Unprivileged {
public:
    Unprivileged();
    ~Unprivileged();
    Unprivileged(const Unprivileged&) = delete;
    Unprivileged& operator=(const Unprivileged&) = delete;

    /// What to put before a shell command so that it runs as "nobody" when this
    /// process is root; empty otherwise.
    static std::string CommandPrefix();

private:
    bool dropped;
};
