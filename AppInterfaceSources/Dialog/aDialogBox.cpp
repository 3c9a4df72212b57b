#include "aDialogBox.h"

#include "Dialogs/Dialogs.h"
#include "aException.h"

namespace {

enum ButtonState : std::int32_t { absent = 0, standardTitle = 1, ownTitle = 2 };

/// The P-strings made for one alert, released however show() ends. The
/// standard-title markers and null pointers are not made, so never kept here.
class MadePStrings {
public:
    MadePStrings() = default;
    ~MadePStrings() {
        for (int i = 0; i < count; ++i) {
            delete[] made[i];
        }
    }
    MadePStrings(const MadePStrings&) = delete;
    MadePStrings& operator=(const MadePStrings&) = delete;

    /// A P-string of the text's first 255 bytes, owned here.
    ConstStringPtr make(const aString& text) {
        made[count] = text.getAsPString();
        return made[count++];
    }

private:
    // The message, the detail and three button titles at most.
    unsigned char* made[5] = {};
    int count = 0;
};

ConstStringPtr ButtonTitle(std::int32_t state, const aString& text, ConstStringPtr standardMarker,
                           MadePStrings& made, const char* invalidState) {
    switch (state) {
    case absent:
        return nullptr;
    case standardTitle:
        return standardMarker;
    case ownTitle:
        return made.make(text);
    default:
        A_THROW(invalidState);
    }
}

} // namespace

long long aDialogBox::objectCount = 0;

// Construction.

aDialogBox::aDialogBox()
    : type(typePlain), firstButtonState(standardTitle), secondButtonState(absent),
      thirdButtonState(absent), helpButtonState(0), defaultButton(buttonFirst),
      cancelButton(buttonNone), movable(true) {
    ++objectCount;
}

aDialogBox::aDialogBox(aString message) : aDialogBox() { this->message = message; }

aDialogBox::aDialogBox(aString message, aString detail) : aDialogBox() {
    this->message = message;
    this->detail = detail;
}

aDialogBox::aDialogBox(DialogType type, aString message) : aDialogBox(message) {
    this->type = type;
}

aDialogBox::aDialogBox(DialogType type, aString message, aString detail)
    : aDialogBox(message, detail) {
    this->type = type;
}

aDialogBox::~aDialogBox() { --objectCount; }

// Configuration.

void aDialogBox::setType(DialogType type) {
    this->type = type >= typePlain && type <= typeCaution ? type : typePlain;
}

void aDialogBox::setMessage(aString message) { this->message = message; }

void aDialogBox::setDetail(aString detail) { this->detail = detail; }

void aDialogBox::setMovable(bool movable) { this->movable = movable; }

void aDialogBox::addFirstButton() {
    firstButtonState = standardTitle;
    firstButtonText.assign();
}

void aDialogBox::addFirstButton(aString title) {
    firstButtonState = ownTitle;
    firstButtonText = title;
}

void aDialogBox::addSecondButton() {
    secondButtonState = standardTitle;
    secondButtonText.assign();
}

void aDialogBox::addSecondButton(aString title) {
    secondButtonState = ownTitle;
    secondButtonText = title;
}

void aDialogBox::addThirdButton() {
    thirdButtonState = standardTitle;
    thirdButtonText.assign();
}

void aDialogBox::addThirdButton(aString title) {
    thirdButtonState = ownTitle;
    thirdButtonText = title;
}

void aDialogBox::removeFirstButton() {
    firstButtonState = absent;
    firstButtonText.assign();
}

void aDialogBox::removeSecondButton() {
    secondButtonState = absent;
    secondButtonText.assign();
}

void aDialogBox::removeThirdButton() {
    thirdButtonState = absent;
    thirdButtonText.assign();
}

void aDialogBox::addHelpButton() { helpButtonState = 1; }

void aDialogBox::removeHelpButton() { helpButtonState = 0; }

void aDialogBox::setDefaultButton(DialogButton button) {
    defaultButton = button == buttonSecond || button == buttonThird ? button : buttonFirst;
}

void aDialogBox::setCancelButton(DialogButton button) {
    cancelButton = button >= buttonFirst && button <= buttonThird ? button : buttonNone;
}

// Showing.

// The checks run in the order of the record's fields, so that of several
// invalid fields the first is reported.
int aDialogBox::show() const {
    AlertType alertType;
    switch (type) {
    case typePlain:
        alertType = kAlertPlainAlert;
        break;
    case typeStop:
        alertType = kAlertStopAlert;
        break;
    case typeNote:
        alertType = kAlertNoteAlert;
        break;
    case typeCaution:
        alertType = kAlertCautionAlert;
        break;
    default:
        A_THROW("aDialogBox.show(): Invalid dialog type.");
    }

    MadePStrings made;
    // An empty text is no text at all for the platform: null, not a P-string of
    // length 0.
    ConstStr255Param messageText = message != "" ? made.make(message) : nullptr;
    ConstStr255Param detailText = detail != "" ? made.make(detail) : nullptr;

    AlertStdAlertParamRec param;
    param.movable = movable;
    if (helpButtonState != 0 && helpButtonState != 1) {
        A_THROW("aDialogBox.show(): Invalid help button state.");
    }
    param.helpButton = helpButtonState == 1;
    param.filterProc = nullptr;
    param.defaultText = ButtonTitle(firstButtonState, firstButtonText, kAlertDefaultOKText, made,
                                    "aDialogBox.show(): Invalid first button state.");
    param.cancelText = ButtonTitle(secondButtonState, secondButtonText, kAlertDefaultCancelText,
                                   made, "aDialogBox.show(): Invalid second button state.");
    param.otherText = ButtonTitle(thirdButtonState, thirdButtonText, kAlertDefaultOtherText, made,
                                  "aDialogBox.show(): Invalid third button state.");
    if (defaultButton < buttonFirst || defaultButton > buttonThird) {
        A_THROW("aDialogBox.show(): Invalid default button.");
    }
    param.defaultButton = static_cast<SInt16>(defaultButton);
    // The cancel button may name a button that is not there: the platform gets
    // it as it is.
    if (cancelButton < buttonNone || cancelButton > buttonThird) {
        A_THROW("aDialogBox.show(): Invalid cancel button.");
    }
    param.cancelButton = static_cast<SInt16>(cancelButton);
    param.position = kWindowDefaultPosition;

    // Which button was pressed is not reported: every way of closing the alert
    // is an answer.
    DialogItemIndex itemHit = 0;
    OSErr dialogErr = StandardAlert(alertType, messageText, detailText, &param, &itemHit);
    if (dialogErr != noErr) {
        A_THROW("aDialogBox.show(): OS error.", "dialogErr != noErr");
    }
    return 1;
}
