// The library's counts are its own leak detector: every test must leave them as
// it found them.
#pragma once

#include <string>

/// A description of every count that differs from its value when the current
/// test started, or empty when none does.
std::string ObjectCountChanges();
