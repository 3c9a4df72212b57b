// The Dialog Manager's standard alert: one modal alert with up to three push
// buttons and a help button, shown until the user presses one of them.
#pragma once

#include "MacTypes.h"

using AlertType = SInt16;
using DialogItemIndex = SInt16;

enum : AlertType {
    kAlertStopAlert = 0,
    kAlertNoteAlert = 1,
    kAlertCautionAlert = 2,
    kAlertPlainAlert = 3,
};

/// Item numbers of the alert's buttons, as `outItemHit` reports them.
enum : DialogItemIndex {
    kAlertStdAlertOKButton = 1,
    kAlertStdAlertCancelButton = 2,
    kAlertStdAlertOtherButton = 3,
    kAlertStdAlertHelpButton = 4,
};

/// Button titles: a P-string, null for no such button, or this marker for the
/// platform's standard title of that position.
inline const StringPtr kAlertDefaultOKText = reinterpret_cast<StringPtr>(-1);
inline const StringPtr kAlertDefaultCancelText = reinterpret_cast<StringPtr>(-1);
inline const StringPtr kAlertDefaultOtherText = reinterpret_cast<StringPtr>(-1);

enum : UInt16 {
    kWindowDefaultPosition = 0,
};

using DialogRef = struct OpaqueDialogPtr*;
struct EventRecord;
/// Sees every event while the alert is up. Accepted but never called here: no
/// presenter has Mac events to give it.
using ModalFilterUPP = Boolean (*)(DialogRef dialog, EventRecord* event, DialogItemIndex* itemHit);

struct AlertStdAlertParamRec {
    Boolean movable;
    Boolean helpButton;
    ModalFilterUPP filterProc;
    ConstStringPtr defaultText; // first button, in the OK position
    ConstStringPtr cancelText;  // second button, in the cancel position
    ConstStringPtr otherText;   // third button, in the other-button position
    SInt16 defaultButton;       // pressed by Return
    SInt16 cancelButton;        // pressed by Escape; 0 for none
    UInt16 position;
};

/// Shows an alert with `error` as its message and `explanation` as its detail
/// (P-strings in Mac Roman, either may be null) and returns when the user has
/// pressed a button, whose item number goes to `outItemHit`. A null `param`
/// means a movable alert with the standard OK button only. Fails with paramErr
/// for an unknown alert type or a null `outItemHit`, with
/// errAENoUserInteraction when there is no way of showing an alert here, and
/// with ioErr or userCanceledErr when showing it failed or was abandoned.
OSErr StandardAlert(AlertType alertType, ConstStr255Param error, ConstStr255Param explanation,
                    const AlertStdAlertParamRec* param, DialogItemIndex* outItemHit);
