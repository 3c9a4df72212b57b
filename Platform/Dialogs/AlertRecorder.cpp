#include "AlertRecorder.h"

namespace {

std::optional<std::string> BytesOf(ConstStr255Param text) {
    if (text == nullptr) {
        return std::nullopt;
    }
    return std::string(reinterpret_cast<const char*>(text + 1), text[0]);
}

// The three markers share one value, so one comparison serves every position.
RecordedTitle TitleOf(ConstStringPtr title) {
    if (title == nullptr) {
        return RecordedTitle::Absent();
    }
    if (title == kAlertDefaultOKText) {
        return RecordedTitle::Standard();
    }
    return RecordedTitle::Own(*BytesOf(title));
}

} // namespace

AlertRecorder::AlertRecorder() {
    // The recorder is not movable, so `this` stays valid for as long as it is installed.
    replaced = ReplaceAlertPresenter(
        [this](AlertType alertType, ConstStr255Param error, ConstStr255Param explanation,
               const AlertStdAlertParamRec& param, DialogItemIndex& itemHit) {
            return record(alertType, error, explanation, param, itemHit);
        });
}

AlertRecorder::~AlertRecorder() { ReplaceAlertPresenter(std::move(replaced)); }

void AlertRecorder::answer(DialogItemIndex itemHit, OSErr result) {
    answeredItem = itemHit;
    answeredResult = result;
}

OSErr AlertRecorder::record(AlertType alertType, ConstStr255Param error,
                            ConstStr255Param explanation, const AlertStdAlertParamRec& param,
                            DialogItemIndex& itemHit) {
    recorded.push_back({alertType, BytesOf(error), BytesOf(explanation), param.movable,
                        param.helpButton, param.filterProc != nullptr, TitleOf(param.defaultText),
                        TitleOf(param.cancelText), TitleOf(param.otherText), param.defaultButton,
                        param.cancelButton, param.position});
    itemHit = answeredItem;
    return answeredResult;
}
