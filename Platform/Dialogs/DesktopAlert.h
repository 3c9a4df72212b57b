// The presenter for a desktop session: SDL's message box, with SDL loaded when
// it is first asked for here and never before.
#pragma once

#include "AlertContent.h"

/// True when a display is named and SDL loads and starts its video there.
bool DesktopAlertAvailable();

/// Shows the alert and waits for a button. ioErr when SDL cannot show it.
OSErr PresentDesktopAlert(const AlertContent& alert, DialogItemIndex& itemHit);
