#include "ProbeOutput.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <sys/wait.h>

ProbeOutput RunProbe(const std::string& command) {
    ProbeOutput output;
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) {
        ADD_FAILURE() << "cannot run " << command;
        return output;
    }
    char line[8192];
    while (std::fgets(line, sizeof line, pipe) != nullptr) {
        std::string text(line);
        if (!text.empty() && text.back() == '\n') {
            text.pop_back();
        }
        const auto equals = text.find('=');
        output[text.substr(0, equals)] = equals == std::string::npos ? "" : text.substr(equals + 1);
    }
    const int status = pclose(pipe);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0)
        << command << " ended with status " << status;
    return output;
}
