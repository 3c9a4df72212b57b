// Probe programs print what they found as "key=value" lines; tests run them
// inside temporary bundles and read those lines back.
#pragma once

#include <map>
#include <string>

using ProbeOutput = std::map<std::string, std::string>;

/// Runs the shell command `command`, expecting it to end with status 0, and
/// returns the lines it printed, split at their first '='.
ProbeOutput RunProbe(const std::string& command);
