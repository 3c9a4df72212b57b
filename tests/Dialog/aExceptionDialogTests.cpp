#include "aException.h"

#include "RecordedAlertTest.h"

#include <optional>
#include <string>

namespace {

using Title = RecordedTitle;

class aExceptionShowDialogBox : public RecordedAlertTest {};

TEST_F(aExceptionShowDialogBox, DetailListsWhatTheRecordCarries) {
    const std::string cr = "\r";
    const std::string longDescription(300, 'd');
    const struct {
        const char* record;
        aException exception;
        std::optional<std::string> detail;
    } cases[] = {
        {"nothing", aException(), std::nullopt},
        {"D", aException("D"), "Description: D"},
        {"C", aException("", "C"), "Condition: C"},
        {"D C", aException("D", "C"), "Description: D" + cr + "Condition: C"},
        {"F N", aException("f.cpp", 12), "File: f.cpp" + cr + "Line: 12"},
        {"D F N", aException("D", "f.cpp", 12),
         "Description: D" + cr + "File: f.cpp" + cr + "Line: 12"},
        {"C F N", aException("", "C", "f.cpp", 12),
         "Condition: C" + cr + "File: f.cpp" + cr + "Line: 12"},
        {"D C F N", aException("D", "C", "f.cpp", 12),
         "Description: D" + cr + "Condition: C" + cr + "File: f.cpp" + cr + "Line: 12"},
        {"empty file", aException("", 5), "File: " + cr + "Line: 5"},
        {"negative line", aException("D", "f.cpp", -2147483647 - 1),
         "Description: D" + cr + "File: f.cpp" + cr + "Line: -2147483648"},
        {"long description", aException(longDescription.c_str()),
         ("Description: " + longDescription).substr(0, 255)},
    };
    for (const auto& c : cases) {
        aException exception = c.exception;
        exception.showDialogBox();
        EXPECT_EQ(recorder.alerts().back().explanation, c.detail) << c.record;
    }
}

TEST_F(aExceptionShowDialogBox, RangeErrorShowsOnlyItsThrowSite) {
    int line = 0;
    try {
        line = __LINE__ + 1;
        A_THROW();
    } catch (aException& e) {
        e.showDialogBox();
    }
    EXPECT_EQ(onlyAlert().explanation,
              "File: " + std::string(__FILE__) + "\rLine: " + std::to_string(line));
}

TEST_F(aExceptionShowDialogBox, IsAStopAlertWithThreeOwnButtons) {
    aException("D").showDialogBox();
    const RecordedAlert& alert = onlyAlert();
    EXPECT_EQ(alert.alertType, kAlertStopAlert);
    EXPECT_EQ(alert.error, "Exception Thrown");
    EXPECT_EQ(alert.movable, 0);
    EXPECT_EQ(alert.helpButton, 0);
    EXPECT_FALSE(alert.hasFilterProc);
    EXPECT_EQ(alert.defaultText, Title::Own("Continue"));
    EXPECT_EQ(alert.cancelText, Title::Own("Stop"));
    EXPECT_EQ(alert.otherText, Title::Own("Report Bug"));
    EXPECT_EQ(alert.defaultButton, kAlertStdAlertOKButton);
    EXPECT_EQ(alert.cancelButton, kAlertStdAlertCancelButton);
    EXPECT_EQ(alert.position, kWindowDefaultPosition);
}

TEST_F(aExceptionShowDialogBox, ReturnsWhicheverButtonIsPressedAndLeavesTheRecord) {
    aException exception("D", "C", "f.cpp", 3);
    for (DialogItemIndex pressed :
         {kAlertStdAlertOKButton, kAlertStdAlertCancelButton, kAlertStdAlertOtherButton}) {
        recorder.answer(pressed, noErr);
        exception.showDialogBox();
    }
    EXPECT_EQ(recorder.alerts().size(), 3u);
    EXPECT_EQ(BytesOf(exception.getDescription()), "D");
    EXPECT_EQ(BytesOf(exception.getCondition()), "C");
}

TEST_F(aExceptionShowDialogBox, PassesThePlatformFailureOnUnchanged) {
    recorder.answer(kAlertStdAlertOKButton, errAENoUserInteraction);
    aException exception("D", "C", "f.cpp", 3);
    try {
        exception.showDialogBox();
        FAIL() << "showDialogBox() returned";
    } catch (const aException& e) {
        EXPECT_EQ(BytesOf(e.getDescription()), "aDialogBox.show(): OS error.");
        EXPECT_EQ(BytesOf(e.getCondition()), "dialogErr != noErr");
    }
    EXPECT_EQ(BytesOf(exception.getDescription()), "D");
}

} // namespace
