// P-strings for tests, and one sample alert shown the way an application
// would call the platform: straight through StandardAlert.
#pragma once

#include "Dialogs/Dialogs.h"

#include <string>

/// A length byte, then the text (at most 255 bytes).
inline std::string PString(const std::string& text) {
    return static_cast<char>(text.size()) + text;
}

inline ConstStringPtr AsPString(const std::string& pString) {
    return reinterpret_cast<ConstStringPtr>(pString.data());
}

/// The sample's message, as it reads once shown (in Mac Roman it is "caf\x8E").
inline const char* const kSampleMessageShown = "Disk caf\xC3\xA9 is full";

/// A stop alert: "Disk café is full", a two-line detail, and the buttons
/// "Continue" (default), "Stop" (cancel) and "Report Bug".
OSErr ShowSampleStopAlert(DialogItemIndex* itemHit);
