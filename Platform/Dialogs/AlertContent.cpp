#include "AlertContent.h"

#include "Text/MacRoman.h"

#include <string_view>

namespace {

/// The three push-button positions, with the title each takes for its marker.
struct ButtonPosition {
    DialogItemIndex item;
    ConstStringPtr AlertStdAlertParamRec::*title;
    ConstStringPtr standardTitleMarker;
    const char* standardTitle;
};

const ButtonPosition kButtonPositions[] = {
    {kAlertStdAlertOKButton, &AlertStdAlertParamRec::defaultText, kAlertDefaultOKText, "OK"},
    {kAlertStdAlertCancelButton, &AlertStdAlertParamRec::cancelText, kAlertDefaultCancelText,
     "Cancel"},
    {kAlertStdAlertOtherButton, &AlertStdAlertParamRec::otherText, kAlertDefaultOtherText,
     "Don't Save"},
};

const char* const kHelpTitle = "Help";

std::string_view BytesOf(ConstStr255Param text) {
    return {reinterpret_cast<const char*>(text + 1), text[0]};
}

/// Mac text ends its lines with a carriage return; a stray CR LF pair counts as
/// one line end.
std::string DisplayText(ConstStr255Param text) {
    if (text == nullptr) {
        return {};
    }
    std::string utf8 = MacRoman::ToUTF8(BytesOf(text));
    std::string lines;
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        if (utf8[i] != '\r') {
            lines += utf8[i];
        } else if (i + 1 == utf8.size() || utf8[i + 1] != '\n') {
            lines += '\n';
        }
    }
    return lines;
}

void AddButton(AlertContent& alert, const ButtonPosition& position, ConstStringPtr title) {
    if (title == nullptr) {
        return;
    }
    alert.buttons.push_back({position.item, title == position.standardTitleMarker
                                                ? position.standardTitle
                                                : DisplayText(title)});
}

int PositionOf(const AlertContent& alert, SInt16 item) {
    for (std::size_t i = 0; i < alert.buttons.size(); ++i) {
        if (alert.buttons[i].item == item) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

} // namespace

AlertContent ReadAlert(AlertType alertType, ConstStr255Param error, ConstStr255Param explanation,
                       const AlertStdAlertParamRec& param) {
    AlertContent alert{alertType, DisplayText(error), DisplayText(explanation), {}, -1, -1};
    for (const ButtonPosition& position : kButtonPositions) {
        AddButton(alert, position, param.*position.title);
    }
    if (alert.buttons.empty()) {
        AddButton(alert, kButtonPositions[0], kAlertDefaultOKText);
    }
    if (param.helpButton) {
        alert.buttons.push_back({kAlertStdAlertHelpButton, kHelpTitle});
    }
    alert.defaultIndex = PositionOf(alert, param.defaultButton);
    alert.cancelIndex = PositionOf(alert, param.cancelButton);
    return alert;
}
