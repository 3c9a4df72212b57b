#include "ChildProcess.h"
#include "SampleAlert.h"

#include "aDialogBox.h"
#include "aException.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <termios.h>
#include <unistd.h>

namespace {

// What a child reports through its exit status besides an item number.
enum ChildStatus {
    childReturned = 0,
    childCanceled = 20,
    childOtherError = 21,
    childLeftTerminalRaw = 22,
    childMissedTheError = 23,
};

const char* const kPresenterVariable = "APPINTERFACE_ALERT";

/// The child's part: the sample alert on its terminal; the item pressed is its
/// exit status.
int ShowStopAlertOnTerminal() {
    setenv(kPresenterVariable, "terminal", 1);
    termios before{}, after{};
    tcgetattr(STDIN_FILENO, &before);
    DialogItemIndex itemHit = 0;
    OSErr result = ShowSampleStopAlert(&itemHit);
    tcgetattr(STDIN_FILENO, &after);
    if (after.c_lflag != before.c_lflag || after.c_iflag != before.c_iflag) {
        return childLeftTerminalRaw;
    }
    if (result != noErr) {
        return result == userCanceledErr ? childCanceled : childOtherError;
    }
    return itemHit;
}

TEST(TerminalAlert, ShowsTheTextsAndButtons) {
    PtyChild child(ShowStopAlertOnTerminal);
    ASSERT_TRUE(child.readUntil("first letter")) << child.output;
    child.type("\r");
    EXPECT_EQ(child.exitStatus(), kAlertStdAlertOKButton);
    const std::string shownTexts[] = {
        std::string("Error: ") + kSampleMessageShown,
        "Line one\r\nLine two",
        "[1] Continue (default)  [2] Stop  [3] Report Bug",
        "Return: Continue   Escape: Stop",
    };
    for (const std::string& shown : shownTexts) {
        EXPECT_NE(child.output.find(shown), std::string::npos)
            << "missing \"" << shown << "\" in:\n"
            << child.output;
    }
}

TEST(TerminalAlert, KeysPressTheirButtonsAndRestoreTheTerminal) {
    const struct {
        const char* what;
        std::string keys;
        int status;
    } cases[] = {
        {"Return", "\r", kAlertStdAlertOKButton},
        {"line feed", "\n", kAlertStdAlertOKButton},
        {"Escape", "\x1b", kAlertStdAlertCancelButton},
        {"number", "3", kAlertStdAlertOtherButton},
        {"first letter", "r", kAlertStdAlertOtherButton},
        {"capital first letter", "S", kAlertStdAlertCancelButton},
        {"other keys first", "x9\x01\r", kAlertStdAlertOKButton},
        {"arrow, then Return", "\x1b[A\r", kAlertStdAlertOKButton},
        {"F5, then Escape", std::string("\x1b[15~") + "\x1b", kAlertStdAlertCancelButton},
        {"Control-C", "\x03", childCanceled},
    };
    for (const auto& c : cases) {
        PtyChild child(ShowStopAlertOnTerminal);
        ASSERT_TRUE(child.readUntil("first letter")) << c.what << ":\n" << child.output;
        child.type(c.keys);
        EXPECT_EQ(child.exitStatus(), c.status) << c.what;
    }
}

TEST(TerminalAlert, ShowsTheExceptionReport) {
    PtyChild child([] {
        setenv(kPresenterVariable, "terminal", 1);
        aException("D", "C", "f.cpp", 3).showDialogBox();
        return childReturned;
    });
    ASSERT_TRUE(child.readUntil("first letter")) << child.output;
    child.type("\x1b");
    EXPECT_EQ(child.exitStatus(), childReturned);
    EXPECT_NE(child.output.find("Error: Exception Thrown\r\n\r\n"
                                "Description: D\r\nCondition: C\r\nFile: f.cpp\r\nLine: 3\r\n"),
              std::string::npos)
        << child.output;
}

/// The child's part: shows a box where no presenter can be had, and checks
/// that show() says so.
int ShowWithNoPresenter() {
    unsetenv("DISPLAY");
    unsetenv("WAYLAND_DISPLAY");
    try {
        aDialogBox("m").show();
    } catch (const aException& e) {
        bool expected = e.getDescription() == "aDialogBox.show(): OS error." &&
                        e.getCondition() == "dialogErr != noErr";
        return expected ? childReturned : childMissedTheError;
    }
    return childMissedTheError;
}

TEST(AlertPresenterChoice, ShowThrowsOSErrorWhenNoPresenterCanBeHad) {
    EXPECT_EQ(RunWithoutTerminal([] {
                  unsetenv(kPresenterVariable);
                  return ShowWithNoPresenter();
              }),
              childReturned)
        << "neither a display nor a terminal";
    EXPECT_EQ(RunWithoutTerminal([] {
                  setenv(kPresenterVariable, "terminal", 1);
                  return ShowWithNoPresenter();
              }),
              childReturned)
        << "terminal asked for, none there";
    PtyChild child([] {
        setenv(kPresenterVariable, "none", 1);
        return ShowWithNoPresenter();
    });
    EXPECT_EQ(child.exitStatus(), childReturned) << "none asked for, a terminal there";
}

} // namespace
