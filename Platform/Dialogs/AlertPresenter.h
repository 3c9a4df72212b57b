// What StandardAlert hands an alert to. Tests put a presenter of their own in
// place of the one the layer chooses (see AlertRecorder.h).
#pragma once

#include "Dialogs.h"

#include <functional>

/// Receives StandardAlert's arguments as given, except that a null parameter
/// record has already been replaced by the default one.
using AlertPresenter =
    std::function<OSErr(AlertType alertType, ConstStr255Param error, ConstStr255Param explanation,
                        const AlertStdAlertParamRec& param, DialogItemIndex& itemHit)>;

/// Sends every later alert to `presenter` until it is replaced again; an empty
/// one brings back the layer's own choice. Answers the presenter it replaces.
AlertPresenter ReplaceAlertPresenter(AlertPresenter presenter);
