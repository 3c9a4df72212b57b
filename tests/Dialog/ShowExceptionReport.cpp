// Shows the report dialog of a sample exception on whatever presenter this
// process gets, and says so on standard output once the dialog has returned.
#include "aException.h"

#include <cstdio>

int main() {
    aException sample("aFolderItem.getChildCount(): File error.", "fileErr != noErr",
                      "AppInterfaceSources/File/aFolderItem.cpp", 142);
    sample.showDialogBox();
    std::puts("showDialogBox() returned");
    return 0;
}
