// How the launcher ends when an exception escapes main.
#pragma once

#include <exception>

/// A terminate handler: writes "launcher: " and the exception's description as
/// one line on standard error and ends the process with status 70 (EX_SOFTWARE),
/// without the abort, and so without a core dump.
[[noreturn]] void ReportUncaughtException();
