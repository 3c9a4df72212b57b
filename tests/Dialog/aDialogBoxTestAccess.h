// Puts values in aDialogBox's fields that no setter stores, so that tests can
// reach every check of show().
#pragma once

#include "aDialogBox.h"

#include <cstdint>

struct aDialogBoxTestAccess {
    static void SetType(aDialogBox& box, std::int32_t type) {
        box.type = static_cast<aDialogBox::DialogType>(type);
    }
    static void SetHelpButtonState(aDialogBox& box, std::int32_t state) {
        box.helpButtonState = state;
    }
    static void SetFirstButtonState(aDialogBox& box, std::int32_t state) {
        box.firstButtonState = state;
    }
    static void SetSecondButtonState(aDialogBox& box, std::int32_t state) {
        box.secondButtonState = state;
    }
    static void SetThirdButtonState(aDialogBox& box, std::int32_t state) {
        box.thirdButtonState = state;
    }
    static void SetDefaultButton(aDialogBox& box, std::int32_t button) {
        box.defaultButton = static_cast<aDialogBox::DialogButton>(button);
    }
    static void SetCancelButton(aDialogBox& box, std::int32_t button) {
        box.cancelButton = static_cast<aDialogBox::DialogButton>(button);
    }
};
