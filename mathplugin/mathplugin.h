// The two functions the mathplugin module exports. A host looks them up by name
// (dlsym) and calls them through pointers of these types; it never links them.
#ifndef MATHPLUGIN_H
#define MATHPLUGIN_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

/// value + 1 in wrapping 32-bit arithmetic: INT32_MAX gives INT32_MIN.
int32_t OnePlus(int32_t value);

/// The exact sum of the first count values; 0.0 when count <= 0, and then
/// values is never read (it may be null).
double SumShortArray(const int16_t* values, int32_t count);

#ifdef __cplusplus
}
#endif

#endif
