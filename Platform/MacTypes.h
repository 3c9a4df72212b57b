// The basic types and result codes shared by every service of the platform layer,
// with the widths and values the Mac services define.
#pragma once

#include <cstdint>

using UInt8 = std::uint8_t;
using SInt8 = std::int8_t;
using UInt16 = std::uint16_t;
using SInt16 = std::int16_t;
using UInt32 = std::uint32_t;
using SInt32 = std::int32_t;
using UInt64 = std::uint64_t;
using SInt64 = std::int64_t;

/// A Mac boolean: one byte, 0 or 1.
using Boolean = unsigned char;

using OSErr = SInt16;
using OSStatus = SInt32;
using OptionBits = UInt32;
using ItemCount = unsigned long;
using ByteCount = unsigned long;

/// Pascal strings: a length byte, then that many bytes.
using Str255 = unsigned char[256];
using Str63 = unsigned char[64];
using Str31 = unsigned char[32];
using StringPtr = unsigned char*;
using ConstStringPtr = const unsigned char*;
using ConstStr255Param = const unsigned char*;

using UniChar = UInt16;

// Result codes. Every failure of the platform layer is one of these; errno values
// never leave it.
enum : OSErr {
    noErr = 0,
    nsvErr = -35,   // no such volume
    ioErr = -36,    // I/O error
    bdNamErr = -37, // bad file name
    fnfErr = -43,   // file not found
    wPrErr = -44,   // volume is locked by hardware
    fLckdErr = -45, // file is locked
    vLckdErr = -46, // volume is locked by software
    fBsyErr = -47,  // file is busy
    dupFNErr = -48, // duplicate file name
    paramErr = -50, // error in a parameter
    permErr = -54,  // permission denied
    memFullErr = -108,
    nilHandleErr = -109,
    memWZErr = -111, // the handle names a block that is free
    dirNFErr = -120, // directory not found
    userCanceledErr = -128,
    procNotFound = -600,
    appMemFullErr = -605,
    appIsDaemon = -606,
    errFSBadFSRef = -1401,
    errFSBadBuffer = -1403,
    errFSBadInfoBitmap = -1405,
    errFSNotAFolder = -1407,
    errFSNameTooLong = -1410,
    errFSMissingName = -1411,
    errFSNoMoreItems = -1417,
    errFSBadItemCount = -1418,
    errFSBadIteratorFlags = -1422,
    errFSIteratorNotFound = -1423,
    errAENoUserInteraction = -1713, // no way to ask the user here
    pathTooLongErr = -2110,         // a path does not fit the buffer given for it
};
