// Shows the sample stop alert and prints the item number of the button
// pressed, which the library's dialog never reports.
#include "SampleAlert.h"

#include <cstdio>

int main() {
    DialogItemIndex itemHit = 0;
    OSErr result = ShowSampleStopAlert(&itemHit);
    if (result != noErr) {
        std::printf("error %d\n", result);
        return 1;
    }
    std::printf("item %d\n", itemHit);
    return 0;
}
