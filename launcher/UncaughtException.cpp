#include "UncaughtException.h"

#include "aException.h"

#include <unistd.h>

#include <cstdio>
#include <string>

namespace {

constexpr int uncaughtExceptionStatus = 70; // EX_SOFTWARE: an internal error

std::string describe(std::exception_ptr thrown) {
    try {
        std::rethrow_exception(thrown);
    } catch (const aException& exception) {
        aString description = exception.getDescription();
        return std::string(description.getValue(), description.getLength());
    } catch (const std::exception& exception) {
        return exception.what();
    } catch (...) {
        return "an unknown exception";
    }
}

} // namespace

void ReportUncaughtException() {
    std::string line = "launcher: ";
    if (std::exception_ptr thrown = std::current_exception()) {
        line += describe(thrown);
    } else {
        line += "terminated";
    }
    // One line, whatever the description holds.
    for (char& c : line) {
        if (c == '\n') {
            c = ' ';
        }
    }
    line += '\n';
    std::fwrite(line.data(), 1, line.size(), stderr);
    std::fflush(stderr);
    _exit(uncaughtExceptionStatus);
}
