#include "Dialogs/AlertContent.h"
#include "Dialogs/AlertRecorder.h"
#include "SampleAlert.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

TEST(StandardAlert, RefusesBadArgumentsAndFillsInAMissingRecord) {
    AlertRecorder recorder;
    AlertStdAlertParamRec param{};
    DialogItemIndex itemHit = 0;
    EXPECT_EQ(StandardAlert(4, nullptr, nullptr, &param, &itemHit), paramErr);
    EXPECT_EQ(StandardAlert(-1, nullptr, nullptr, &param, &itemHit), paramErr);
    EXPECT_EQ(StandardAlert(kAlertNoteAlert, nullptr, nullptr, &param, nullptr), paramErr);
    EXPECT_TRUE(recorder.alerts().empty());

    recorder.answer(kAlertStdAlertOtherButton, noErr);
    EXPECT_EQ(StandardAlert(kAlertNoteAlert, nullptr, nullptr, nullptr, &itemHit), noErr);
    EXPECT_EQ(itemHit, kAlertStdAlertOtherButton);
    ASSERT_EQ(recorder.alerts().size(), 1u);
    const RecordedAlert& alert = recorder.alerts()[0];
    EXPECT_EQ(alert.defaultText, RecordedTitle::Standard());
    EXPECT_EQ(alert.cancelText, RecordedTitle::Absent());
    EXPECT_EQ(alert.otherText, RecordedTitle::Absent());
    EXPECT_EQ(alert.defaultButton, kAlertStdAlertOKButton);
    EXPECT_EQ(alert.cancelButton, 0);
}

TEST(ReadAlert, TitlesButtonsAndKeysAsThePresentersShowThem) {
    const std::string own = PString("Save"), empty = PString("");
    const struct {
        const char* what;
        AlertStdAlertParamRec param;
        std::vector<std::pair<DialogItemIndex, std::string>> buttons;
        int defaultIndex, cancelIndex;
    } cases[] = {
        {"standard titles and help",
         {true, true, nullptr, kAlertDefaultOKText, kAlertDefaultCancelText, kAlertDefaultOtherText,
          1, 2, 0},
         {{1, "OK"}, {2, "Cancel"}, {3, "Don't Save"}, {4, "Help"}},
         0,
         1},
        {"own and empty titles, default on the third",
         {true, false, nullptr, AsPString(own), nullptr, AsPString(empty), 3, 1, 0},
         {{1, "Save"}, {3, ""}},
         1,
         0},
        {"cancel names an absent button",
         {true, false, nullptr, kAlertDefaultOKText, nullptr, nullptr, 1, 3, 0},
         {{1, "OK"}},
         0,
         -1},
        {"no push button: the standard OK, so it can be dismissed",
         {true, true, nullptr, nullptr, nullptr, nullptr, 1, 0, 0},
         {{1, "OK"}, {4, "Help"}},
         0,
         -1},
    };
    for (const auto& c : cases) {
        AlertContent alert = ReadAlert(kAlertPlainAlert, nullptr, nullptr, c.param);
        std::vector<std::pair<DialogItemIndex, std::string>> buttons;
        for (const AlertButton& button : alert.buttons) {
            buttons.emplace_back(button.item, button.title);
        }
        EXPECT_EQ(buttons, c.buttons) << c.what;
        EXPECT_EQ(alert.defaultIndex, c.defaultIndex) << c.what;
        EXPECT_EQ(alert.cancelIndex, c.cancelIndex) << c.what;
    }
}

TEST(ReadAlert, TextsBecomeUTF8WithLineFeeds) {
    const struct {
        std::string macText;
        std::string shown;
    } cases[] = {
        {"plain", "plain"},
        {"one\rtwo\r", "one\ntwo\n"},
        {"one\r\ntwo", "one\ntwo"},
        {"\x8E\xDB \xA5", "\xC3\xA9\xE2\x82\xAC \xE2\x80\xA2"},
    };
    const AlertStdAlertParamRec param{true, false, nullptr, kAlertDefaultOKText, nullptr, nullptr,
                                      1,    0,     0};
    for (const auto& c : cases) {
        const std::string pString = PString(c.macText);
        AlertContent alert =
            ReadAlert(kAlertStopAlert, AsPString(pString), AsPString(pString), param);
        EXPECT_EQ(alert.message, c.shown) << c.macText;
        EXPECT_EQ(alert.detail, c.shown) << c.macText;
    }
    AlertContent none = ReadAlert(kAlertStopAlert, nullptr, nullptr, param);
    EXPECT_EQ(none.message, "");
    EXPECT_EQ(none.detail, "");
}

} // namespace
