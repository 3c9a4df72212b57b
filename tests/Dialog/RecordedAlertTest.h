// The fixture of the alert tests: every alert goes to a recorder, and the
// helpers print what it recorded when a comparison fails.
#pragma once

#include "Dialogs/AlertRecorder.h"
#include "aException.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

class RecordedAlertTest : public ::testing::Test {
protected:
    /// The one alert recorded so far; fails the test when there is not exactly one.
    const RecordedAlert& onlyAlert() const {
        EXPECT_EQ(recorder.alerts().size(), 1u);
        static const RecordedAlert none{};
        return recorder.alerts().empty() ? none : recorder.alerts().back();
    }

    AlertRecorder recorder;
};

inline std::string BytesOf(const aString& text) { return {text.getValue(), text.getLength()}; }

inline void PrintTo(const RecordedTitle& title, std::ostream* out) {
    const char* kinds[] = {"absent", "standard", "own"};
    *out << kinds[title.kind];
    if (title.kind == RecordedTitle::own) {
        *out << " \"" << title.text << "\"";
    }
}
