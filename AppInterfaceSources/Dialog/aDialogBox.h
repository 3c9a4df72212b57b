// aDialogBox: a modal alert, configured by its setters and shown by show().
#pragma once

#include "aObject.h"
#include "aString.h"

#include <cstdint>

/// The kind of alert, its message and detail text, up to three push buttons
/// (each with the platform's standard title or a title of its own), an optional
/// help button, which button Return and Escape press, and whether the window
/// can be moved. The setters never fail: they replace an invalid value by a
/// default. show() checks the whole configuration.
class aDialogBox : public virtual aObject {
public:
    enum DialogType : std::int32_t {
        typePlain = 1,
        typeStop = 2,
        typeNote = 3,
        typeCaution = 4,
    };

    /// Buttons by position; 1 to 3 are also the platform's item numbers.
    enum DialogButton : std::int32_t {
        buttonNone = 0,
        buttonFirst = 1,
        buttonSecond = 2,
        buttonThird = 3,
        buttonHelp = 4,
    };

    // Construction. A plain alert with one button of the standard title, which
    // is the default; no cancel or help button; movable.
    aDialogBox();
    aDialogBox(aString message);
    aDialogBox(aString message, aString detail);
    /// The type is kept as given, valid or not: show() reports an invalid one.
    aDialogBox(DialogType type, aString message);
    aDialogBox(DialogType type, aString message, aString detail);
    /// A copy is counted like any new box, and owns copies of the texts.
    aDialogBox(const aDialogBox& other);
    aDialogBox& operator=(const aDialogBox& other) = default;
    ~aDialogBox();

    // Configuration.
    /// An unknown type becomes typePlain.
    void setType(DialogType type);
    void setMessage(aString message);
    void setDetail(aString detail);
    void setMovable(bool movable);

    /// A button with the platform's standard title for its position.
    void addFirstButton();
    /// A button with this title, even an empty one.
    void addFirstButton(aString title);
    void addSecondButton();
    void addSecondButton(aString title);
    void addThirdButton();
    void addThirdButton(aString title);
    void removeFirstButton();
    void removeSecondButton();
    void removeThirdButton();
    void addHelpButton();
    void removeHelpButton();

    /// Only buttonSecond and buttonThird are kept; anything else becomes
    /// buttonFirst.
    void setDefaultButton(DialogButton button);
    /// buttonFirst to buttonThird are kept; anything else becomes buttonNone.
    void setCancelButton(DialogButton button);

    // Showing.
    /// Shows the alert and returns 1 once the user has pressed any button.
    /// Throws an aException for an invalid configuration (without showing
    /// anything) or when the platform cannot show the alert.
    int show() const;

    static long long objectCount;

private:
    // Tests put values in the fields that no setter would store.
    friend struct aDialogBoxTestAccess;

    DialogType type;
    aString message;
    aString detail;
    aString firstButtonText;
    aString secondButtonText;
    aString thirdButtonText;
    // 0: no button, 1: the standard title, 2: the title in the matching text.
    std::int32_t firstButtonState;
    std::int32_t secondButtonState;
    std::int32_t thirdButtonState;
    // 0: no help button, 1: a help button.
    std::int32_t helpButtonState;
    DialogButton defaultButton;
    DialogButton cancelButton;
    bool movable;
};
