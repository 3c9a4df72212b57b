// The presenter for a terminal session: the alert written to /dev/tty, the
// answer read from it a key at a time.
#pragma once

#include "AlertContent.h"

/// True when this process has a controlling terminal it can open.
bool TerminalAlertAvailable();

/// Shows the alert and waits for a key that presses a button. ioErr when the
/// terminal fails or closes, userCanceledErr on Control-C.
OSErr PresentTerminalAlert(const AlertContent& alert, DialogItemIndex& itemHit);
