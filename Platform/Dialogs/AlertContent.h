// An alert as the real presenters show it: UTF-8 texts, the buttons that are
// there with their titles, and which of them Return and Escape press.
#pragma once

#include "Dialogs.h"

#include <string>
#include <vector>

struct AlertButton {
    DialogItemIndex item;
    std::string title;
};

struct AlertContent {
    AlertType alertType;
    /// Empty when the alert had none. Lines end in '\n'.
    std::string message;
    std::string detail;
    /// In item order: OK, cancel, other, help. Never empty.
    std::vector<AlertButton> buttons;
    /// Positions in `buttons`, or -1 when the record names a button that is absent.
    int defaultIndex;
    int cancelIndex;
};

/// Reads StandardAlert's arguments: Mac Roman to UTF-8, carriage returns to
/// line feeds, the standard-title markers to "OK", "Cancel" and "Don't Save".
/// An alert with no push button gets the standard OK button, or nobody could
/// dismiss it.
AlertContent ReadAlert(AlertType alertType, ConstStr255Param error, ConstStr255Param explanation,
                       const AlertStdAlertParamRec& param);
