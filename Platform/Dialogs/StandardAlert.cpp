#include "AlertPresenter.h"
#include "DesktopAlert.h"
#include "TerminalAlert.h"

#include <cstdlib>
#include <new>
#include <string_view>

namespace {

/// Names the presenter to use instead of the one found automatically.
const char* const kPresenterVariable = "APPINTERFACE_ALERT";

using RealPresenter = OSErr (*)(const AlertContent&, DialogItemIndex&);

/// The presenter the layer found for this process: null when none works here.
RealPresenter ChoosePresenter() {
    const char* forced = std::getenv(kPresenterVariable);
    std::string_view choice = forced != nullptr ? forced : "";
    if (choice == "desktop") {
        return DesktopAlertAvailable() ? PresentDesktopAlert : nullptr;
    }
    if (choice == "terminal") {
        return TerminalAlertAvailable() ? PresentTerminalAlert : nullptr;
    }
    if (choice == "none") {
        return nullptr;
    }
    if (DesktopAlertAvailable()) {
        return PresentDesktopAlert;
    }
    return TerminalAlertAvailable() ? PresentTerminalAlert : nullptr;
}

OSErr PresentChosen(AlertType alertType, ConstStr255Param error, ConstStr255Param explanation,
                    const AlertStdAlertParamRec& param, DialogItemIndex& itemHit) {
    // Chosen once, when the first alert is shown, so that a program that shows
    // none never loads SDL or opens the terminal.
    static const RealPresenter chosen = ChoosePresenter();
    if (chosen == nullptr) {
        return errAENoUserInteraction;
    }
    return chosen(ReadAlert(alertType, error, explanation, param), itemHit);
}

AlertPresenter& InstalledPresenter() {
    static AlertPresenter installed;
    return installed;
}

const AlertStdAlertParamRec kDefaultParam = {
    true,
    false,
    nullptr,
    kAlertDefaultOKText,
    nullptr,
    nullptr,
    kAlertStdAlertOKButton,
    0,
    kWindowDefaultPosition,
};

} // namespace

AlertPresenter ReplaceAlertPresenter(AlertPresenter presenter) {
    AlertPresenter previous = std::move(InstalledPresenter());
    InstalledPresenter() = std::move(presenter);
    return previous;
}

OSErr StandardAlert(AlertType alertType, ConstStr255Param error, ConstStr255Param explanation,
                    const AlertStdAlertParamRec* param, DialogItemIndex* outItemHit) {
    if (alertType < kAlertStopAlert || alertType > kAlertPlainAlert || outItemHit == nullptr) {
        return paramErr;
    }
    const AlertStdAlertParamRec& record = param != nullptr ? *param : kDefaultParam;
    if (InstalledPresenter()) {
        return InstalledPresenter()(alertType, error, explanation, record, *outItemHit);
    }
    try {
        return PresentChosen(alertType, error, explanation, record, *outItemHit);
    } catch (const std::bad_alloc&) {
        return memFullErr;
    }
}
