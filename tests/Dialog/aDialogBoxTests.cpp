#include "aDialogBox.h"

#include "FailingAllocator.h"
#include "RecordedAlertTest.h"
#include "aDialogBoxTestAccess.h"
#include "aExceptionTestAccess.h"

#include <functional>
#include <new>
#include <optional>
#include <string>

namespace {

using Title = RecordedTitle;
using Text = std::optional<std::string>;

class aDialogBoxShow : public RecordedAlertTest {};

TEST_F(aDialogBoxShow, DefaultBoxIsAPlainMovableAlertWithOneStandardOKButton) {
    aDialogBox box;
    EXPECT_EQ(box.show(), 1);
    const RecordedAlert& alert = onlyAlert();
    EXPECT_EQ(alert.alertType, kAlertPlainAlert);
    EXPECT_EQ(alert.error, std::nullopt);
    EXPECT_EQ(alert.explanation, std::nullopt);
    EXPECT_EQ(alert.movable, 1);
    EXPECT_EQ(alert.helpButton, 0);
    EXPECT_FALSE(alert.hasFilterProc);
    EXPECT_EQ(alert.defaultText, Title::Standard());
    EXPECT_EQ(alert.cancelText, Title::Absent());
    EXPECT_EQ(alert.otherText, Title::Absent());
    EXPECT_EQ(alert.defaultButton, kAlertStdAlertOKButton);
    EXPECT_EQ(alert.cancelButton, 0);
    EXPECT_EQ(alert.position, kWindowDefaultPosition);
}

TEST_F(aDialogBoxShow, ConstructorsFillTypeMessageAndDetail) {
    struct Case {
        const char* form;
        aDialogBox box;
        AlertType alertType;
        Text error, explanation;
    } cases[] = {
        {"(m)", aDialogBox("m"), kAlertPlainAlert, "m", std::nullopt},
        {"(m, d)", aDialogBox("m", "d"), kAlertPlainAlert, "m", "d"},
        {"(caution, m)", aDialogBox(aDialogBox::typeCaution, "m"), kAlertCautionAlert, "m",
         std::nullopt},
        {"(note, m, d)", aDialogBox(aDialogBox::typeNote, "m", "d"), kAlertNoteAlert, "m", "d"},
        {"(stop, empty, d)", aDialogBox(aDialogBox::typeStop, "", "d"), kAlertStopAlert,
         std::nullopt, "d"},
    };
    for (const Case& c : cases) {
        c.box.show();
        const RecordedAlert& alert = recorder.alerts().back();
        EXPECT_EQ(alert.alertType, c.alertType) << c.form;
        EXPECT_EQ(alert.error, c.error) << c.form;
        EXPECT_EQ(alert.explanation, c.explanation) << c.form;
    }
}

TEST_F(aDialogBoxShow, SetTypeMapsKnownTypesAndMakesOthersPlain) {
    const struct {
        int type;
        AlertType expected;
    } cases[] = {
        {0, kAlertPlainAlert},  {1, kAlertPlainAlert},   {2, kAlertStopAlert},
        {3, kAlertNoteAlert},   {4, kAlertCautionAlert}, {5, kAlertPlainAlert},
        {-1, kAlertPlainAlert},
    };
    for (const auto& c : cases) {
        aDialogBox box(aDialogBox::typeStop, "m");
        box.setType(static_cast<aDialogBox::DialogType>(c.type));
        box.show();
        EXPECT_EQ(recorder.alerts().back().alertType, c.expected) << "setType(" << c.type << ")";
    }
}

TEST_F(aDialogBoxShow, DefaultAndCancelSettersKeepOnlyTheButtonsTheyAllow) {
    const struct {
        int button;
        SInt16 asDefault, asCancel;
    } cases[] = {
        {aDialogBox::buttonNone, 1, 0},
        {aDialogBox::buttonFirst, 1, 1},
        {aDialogBox::buttonSecond, 2, 2},
        {aDialogBox::buttonThird, 3, 3},
        {aDialogBox::buttonHelp, 1, 0},
        {9, 1, 0},
        {-2, 1, 0},
    };
    for (const auto& c : cases) {
        // No second or third button: the platform gets the numbers all the same.
        aDialogBox box;
        box.setDefaultButton(static_cast<aDialogBox::DialogButton>(c.button));
        box.setCancelButton(static_cast<aDialogBox::DialogButton>(c.button));
        box.show();
        EXPECT_EQ(recorder.alerts().back().defaultButton, c.asDefault) << "button " << c.button;
        EXPECT_EQ(recorder.alerts().back().cancelButton, c.asCancel) << "button " << c.button;
    }
}

TEST_F(aDialogBoxShow, ButtonCallsSetTitlesHelpAndMovable) {
    const struct {
        const char* calls;
        std::function<void(aDialogBox&)> configure;
        Title defaultText, cancelText, otherText;
        Boolean helpButton, movable;
    } cases[] = {
        {"own second, then standard second",
         [](aDialogBox& b) {
             b.addSecondButton("Later");
             b.addSecondButton();
         },
         Title::Standard(), Title::Standard(), Title::Absent(), 0, 1},
        {"empty own first", [](aDialogBox& b) { b.addFirstButton(""); }, Title::Own(""),
         Title::Absent(), Title::Absent(), 0, 1},
        {"three own titles",
         [](aDialogBox& b) {
             b.addFirstButton("Save");
             b.addSecondButton("Cancel it");
             b.addThirdButton("Don't");
         },
         Title::Own("Save"), Title::Own("Cancel it"), Title::Own("Don't"), 0, 1},
        {"standard third, first removed",
         [](aDialogBox& b) {
             b.addThirdButton();
             b.removeFirstButton();
         },
         Title::Absent(), Title::Absent(), Title::Standard(), 0, 1},
        {"own titles removed, then re-added as standard",
         [](aDialogBox& b) {
             b.addSecondButton("x");
             b.addThirdButton("y");
             b.removeSecondButton();
             b.removeThirdButton();
             b.addThirdButton();
         },
         Title::Standard(), Title::Absent(), Title::Standard(), 0, 1},
        {"help added", [](aDialogBox& b) { b.addHelpButton(); }, Title::Standard(), Title::Absent(),
         Title::Absent(), 1, 1},
        {"help added then removed, not movable",
         [](aDialogBox& b) {
             b.addHelpButton();
             b.removeHelpButton();
             b.setMovable(false);
         },
         Title::Standard(), Title::Absent(), Title::Absent(), 0, 0},
    };
    for (const auto& c : cases) {
        aDialogBox box;
        c.configure(box);
        box.show();
        const RecordedAlert& alert = recorder.alerts().back();
        EXPECT_EQ(alert.defaultText, c.defaultText) << c.calls;
        EXPECT_EQ(alert.cancelText, c.cancelText) << c.calls;
        EXPECT_EQ(alert.otherText, c.otherText) << c.calls;
        EXPECT_EQ(alert.helpButton, c.helpButton) << c.calls;
        EXPECT_EQ(alert.movable, c.movable) << c.calls;
    }
}

TEST_F(aDialogBoxShow, EmptyTextsAreNullAndOtherTextsAreCutTo255Bytes) {
    const std::string longText(300, 'x');
    const struct {
        const char* what;
        aString message, detail;
        Text error, explanation;
    } cases[] = {
        {"both empty", "", "", std::nullopt, std::nullopt},
        {"empty message", "", "d", std::nullopt, "d"},
        {"empty detail", "m", "", "m", std::nullopt},
        {"a zero byte is text", aString("\0", 1), aString("\0", 1), std::string(1, '\0'),
         std::string(1, '\0')},
        {"255 bytes", std::string(255, 'm').c_str(), "d", std::string(255, 'm'), "d"},
        {"300 bytes", longText.c_str(), longText.c_str(), longText.substr(0, 255),
         longText.substr(0, 255)},
    };
    for (const auto& c : cases) {
        aDialogBox box;
        box.setMessage(c.message);
        box.setDetail(c.detail);
        box.show();
        EXPECT_EQ(recorder.alerts().back().error, c.error) << c.what;
        EXPECT_EQ(recorder.alerts().back().explanation, c.explanation) << c.what;
    }
    aDialogBox box;
    box.addThirdButton(longText.c_str());
    box.show();
    EXPECT_EQ(recorder.alerts().back().otherText, Title::Own(longText.substr(0, 255)));
}

TEST_F(aDialogBoxShow, ReturnsOneWhicheverButtonIsPressedAndShowsTheSameAlertAgain) {
    aDialogBox box(aDialogBox::typeNote, "m", "d");
    box.addSecondButton("Stop");
    for (DialogItemIndex pressed : {1, 2, 3, 4}) {
        recorder.answer(pressed, noErr);
        EXPECT_EQ(box.show(), 1) << "item " << pressed;
    }
    ASSERT_EQ(recorder.alerts().size(), 4u);
    EXPECT_EQ(recorder.alerts()[3].error, recorder.alerts()[0].error);
    EXPECT_EQ(recorder.alerts()[3].cancelText, Title::Own("Stop"));
}

// A box with every text it can turn into a P-string, so that a failure that
// forgets to release one shows in the sanitizer build's leak check.
aDialogBox BoxWithFivePStrings() {
    aDialogBox box(aDialogBox::typeCaution, "message", "detail");
    box.addFirstButton("one");
    box.addSecondButton("two");
    box.addThirdButton("three");
    return box;
}

TEST_F(aDialogBoxShow, PlatformFailureThrowsOSErrorAndReleasesThePStrings) {
    recorder.answer(kAlertStdAlertOKButton, errAENoUserInteraction);
    aDialogBox box = BoxWithFivePStrings();
    try {
        box.show();
        FAIL() << "show() returned";
    } catch (const aException& e) {
        EXPECT_EQ(BytesOf(e.getDescription()), "aDialogBox.show(): OS error.");
        EXPECT_EQ(BytesOf(e.getCondition()), "dialogErr != noErr");
        EXPECT_TRUE(aExceptionTestAccess::HasFileAndLine(e));
    }
    EXPECT_EQ(recorder.alerts().size(), 1u);
}

TEST_F(aDialogBoxShow, ReleasesThePStringsWhenAnAllocationFails) {
    aDialogBox box = BoxWithFivePStrings();
    // Every allocation of show() fails in turn, each P-string's among them, until
    // show() needs fewer than it is allowed; the ones made before must go.
    unsigned long failed = 0;
    for (unsigned long n = 1; n < 100; ++n) {
        FailingAllocation failing(n);
        try {
            box.show();
            break;
        } catch (const std::bad_alloc&) {
            ++failed;
        }
    }
    EXPECT_GE(failed, 5u);
    EXPECT_EQ(recorder.alerts().size(), 1u);
}

class aDialogBoxValidation : public RecordedAlertTest {};

TEST_F(aDialogBoxValidation, ReportsTheFirstInvalidFieldWithoutShowing) {
    using Access = aDialogBoxTestAccess;
    const struct {
        const char* fields;
        std::function<void(aDialogBox&)> spoil;
        const char* description;
    } cases[] = {
        {"type 7", [](aDialogBox& b) { Access::SetType(b, 7); },
         "aDialogBox.show(): Invalid dialog type."},
        {"type 0, all else invalid too",
         [](aDialogBox& b) {
             Access::SetType(b, 0);
             Access::SetHelpButtonState(b, 2);
             Access::SetFirstButtonState(b, 3);
             Access::SetCancelButton(b, 4);
         },
         "aDialogBox.show(): Invalid dialog type."},
        {"help 2", [](aDialogBox& b) { Access::SetHelpButtonState(b, 2); },
         "aDialogBox.show(): Invalid help button state."},
        {"help -1, first 3",
         [](aDialogBox& b) {
             Access::SetHelpButtonState(b, -1);
             Access::SetFirstButtonState(b, 3);
         },
         "aDialogBox.show(): Invalid help button state."},
        {"first 3, second 3",
         [](aDialogBox& b) {
             Access::SetFirstButtonState(b, 3);
             Access::SetSecondButtonState(b, 3);
         },
         "aDialogBox.show(): Invalid first button state."},
        {"second -1, third 9",
         [](aDialogBox& b) {
             Access::SetSecondButtonState(b, -1);
             Access::SetThirdButtonState(b, 9);
         },
         "aDialogBox.show(): Invalid second button state."},
        {"third 3, default 0",
         [](aDialogBox& b) {
             Access::SetThirdButtonState(b, 3);
             Access::SetDefaultButton(b, 0);
         },
         "aDialogBox.show(): Invalid third button state."},
        {"default none", [](aDialogBox& b) { Access::SetDefaultButton(b, 0); },
         "aDialogBox.show(): Invalid default button."},
        {"default help, cancel help",
         [](aDialogBox& b) {
             Access::SetDefaultButton(b, 4);
             Access::SetCancelButton(b, 4);
         },
         "aDialogBox.show(): Invalid default button."},
        {"cancel help", [](aDialogBox& b) { Access::SetCancelButton(b, 4); },
         "aDialogBox.show(): Invalid cancel button."},
        {"cancel -1", [](aDialogBox& b) { Access::SetCancelButton(b, -1); },
         "aDialogBox.show(): Invalid cancel button."},
    };
    for (const auto& c : cases) {
        // Every P-string is made before the last checks, so a throw that
        // forgets one shows in the sanitizer build's leak check.
        aDialogBox box = BoxWithFivePStrings();
        c.spoil(box);
        try {
            box.show();
            ADD_FAILURE() << c.fields << ": show() returned";
        } catch (const aException& e) {
            EXPECT_EQ(BytesOf(e.getDescription()), c.description) << c.fields;
            EXPECT_EQ(BytesOf(e.getCondition()), "") << c.fields;
            EXPECT_TRUE(BytesOf(aExceptionTestAccess::File(e)).ends_with("aDialogBox.cpp"))
                << c.fields;
        }
    }
    EXPECT_TRUE(recorder.alerts().empty());
}

} // namespace
