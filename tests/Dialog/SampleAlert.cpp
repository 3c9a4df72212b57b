#include "SampleAlert.h"

OSErr ShowSampleStopAlert(DialogItemIndex* itemHit) {
    const std::string message = PString("Disk caf\x8E is full"),
                      detail = PString("Line one\rLine two"), first = PString("Continue"),
                      second = PString("Stop"), third = PString("Report Bug");
    const AlertStdAlertParamRec param{false,
                                      false,
                                      nullptr,
                                      AsPString(first),
                                      AsPString(second),
                                      AsPString(third),
                                      kAlertStdAlertOKButton,
                                      kAlertStdAlertCancelButton,
                                      kWindowDefaultPosition};
    return StandardAlert(kAlertStopAlert, AsPString(message), AsPString(detail), &param, itemHit);
}
