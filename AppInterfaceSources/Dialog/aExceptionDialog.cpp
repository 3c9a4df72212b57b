// aException::showDialogBox(), which lives with the dialog it needs.
#include "aDialogBox.h"
#include "aException.h"

void aException::showDialogBox() {
    aDialogBox dialogBox;
    aString message("Exception Thrown");

    // The pieces the record carries, joined by single line ends, none at the end.
    aString detail;
    if (description != "") {
        detail += "Description: ";
        detail += description;
        if (condition != "" || hasFileAndLine) {
            detail += aString::GetEndOfLine();
        }
    }
    if (condition != "") {
        detail += "Condition: ";
        detail += condition;
        if (hasFileAndLine) {
            detail += aString::GetEndOfLine();
        }
    }
    if (hasFileAndLine) {
        detail += "File: ";
        detail += file;
        detail += aString::GetEndOfLine();
        detail += "Line: ";
        detail += aString::GetFromInteger(line);
    }

    dialogBox.setMessage(message);
    dialogBox.setDetail(detail);
    dialogBox.setType(aDialogBox::typeStop);
    dialogBox.addFirstButton("Continue");
    dialogBox.addSecondButton("Stop");
    dialogBox.addThirdButton("Report Bug");
    dialogBox.setDefaultButton(aDialogBox::buttonFirst);
    dialogBox.setCancelButton(aDialogBox::buttonSecond);
    dialogBox.setMovable(false);
    // Which button was pressed changes nothing: the report only informs.
    dialogBox.show();
}
