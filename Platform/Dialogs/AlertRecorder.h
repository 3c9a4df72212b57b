// A presenter for tests: it records what StandardAlert received, shows
// nothing, and answers as told.
#pragma once

#include "AlertPresenter.h"

#include <optional>
#include <string>
#include <vector>

/// What a button-title pointer stood for.
struct RecordedTitle {
    enum Kind { absent, standard, own };
    Kind kind;
    /// The P-string's bytes, for an own title only.
    std::string text;

    static RecordedTitle Absent() { return {absent, {}}; }
    static RecordedTitle Standard() { return {standard, {}}; }
    static RecordedTitle Own(std::string text) { return {own, std::move(text)}; }
    bool operator==(const RecordedTitle&) const = default;
};

/// One StandardAlert call: P-strings as their bytes (none for a null pointer),
/// the parameter record field by field.
struct RecordedAlert {
    AlertType alertType;
    std::optional<std::string> error;
    std::optional<std::string> explanation;
    Boolean movable;
    Boolean helpButton;
    bool hasFilterProc;
    RecordedTitle defaultText;
    RecordedTitle cancelText;
    RecordedTitle otherText;
    SInt16 defaultButton;
    SInt16 cancelButton;
    UInt16 position;
};

/// While it lives, every alert goes to it instead of the screen; the presenter
/// it replaced comes back when it goes.
class AlertRecorder {
public:
    AlertRecorder();
    ~AlertRecorder();
    AlertRecorder(const AlertRecorder&) = delete;
    AlertRecorder& operator=(const AlertRecorder&) = delete;

    /// How later alerts are answered: the item "pressed" and StandardAlert's
    /// result. At first kAlertStdAlertOKButton and noErr.
    void answer(DialogItemIndex itemHit, OSErr result);

    const std::vector<RecordedAlert>& alerts() const { return recorded; }

private:
    OSErr record(AlertType alertType, ConstStr255Param error, ConstStr255Param explanation,
                 const AlertStdAlertParamRec& param, DialogItemIndex& itemHit);

    AlertPresenter replaced;
    std::vector<RecordedAlert> recorded;
    DialogItemIndex answeredItem = kAlertStdAlertOKButton;
    OSErr answeredResult = noErr;
};
