// Which file a launch request for an item really starts.
#pragma once

#include "MacTypes.h"

#include <string>

namespace Processes {

/// The program to start for the item at `itemPath`: the item itself when it is a
/// regular file, or Contents/MacOS/<CFBundleExecutable> when it is an application
/// bundle folder. Checks that the program may be executed. Fails with fnfErr
/// when something is missing, permErr when the program is not executable, and
/// paramErr when the item is no application at all.
OSErr FindApplicationExecutable(const std::string& itemPath, std::string& executablePath);

} // namespace Processes
