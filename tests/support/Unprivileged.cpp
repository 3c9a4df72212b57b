#include "Unprivileged.h"

#include <gtest/gtest.h>

#include <unistd.h>

namespace {

constexpr uid_t nobodyUser = 65534;
constexpr gid_t nobodyGroup = 65534;

} // namespace

Unprivileged::Unprivileged() : dropped(geteuid() == 0) {
    if (dropped) {
        // The group first: once the user is dropped it may no longer change it.
        EXPECT_EQ(setegid(nobodyGroup), 0);
        EXPECT_EQ(seteuid(nobodyUser), 0);
    }
}

Unprivileged::~Unprivileged() {
    if (dropped) {
        EXPECT_EQ(seteuid(0), 0);
        EXPECT_EQ(setegid(0), 0);
    }
}

std::string Unprivileged::CommandPrefix() {
    return geteuid() == 0 ? "setpriv --reuid=65534 --regid=65534 --clear-groups " : "";
}
