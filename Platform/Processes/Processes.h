// The Process Manager: starting an application as a process of its own.
#pragma once

#include "Files/Files.h"
#include "MacTypes.h"

/// A process, as the Process Manager names it. Here the low half is the pid and
/// the high half 0.
struct ProcessSerialNumber {
    UInt32 highLongOfPSN;
    UInt32 lowLongOfPSN;
};

using FSSpecPtr = FSSpec*;
using LaunchFlags = UInt16;

/// Launch parameters for the application's high-level events; none are sent here.
struct AppParameters;
using AppParametersPtr = AppParameters*;

enum : UInt16 {
    extendedBlock = 0x4C43, // 'LC': the block is a LaunchParamBlockRec
};

enum : UInt32 {
    // The length the Mac gives the part after launchEPBLength. It is a tag here,
    // not a size: the record's pointers make it longer on this platform.
    extendedBlockLen = 32,
};

enum : LaunchFlags {
    launchContinue = 0x4000,    // the caller goes on; without it, it is replaced
    launchNoFileFlags = 0x0800, // ignore launchFileFlags
    launchUseMinimum = 0x0400,  // memory sizes: accepted, nothing to size here
};

struct LaunchParamBlockRec {
    UInt32 reserved1;
    UInt16 reserved2;
    UInt16 launchBlockID;
    UInt32 launchEPBLength;
    UInt16 launchFileFlags;
    LaunchFlags launchControlFlags;
    FSSpecPtr launchAppSpec;
    ProcessSerialNumber launchProcessSN;
    UInt32 launchPreferredSize;
    UInt32 launchMinimumSize;
    UInt32 launchAvailableSize;
    AppParametersPtr launchAppParameters;
};
using LaunchPBPtr = LaunchParamBlockRec*;

/// Starts the item that `launchAppSpec` names: an executable file directly, an
/// application bundle folder through its Contents/MacOS/<CFBundleExecutable>.
/// The new process runs in a session of its own, with this process's
/// environment, working folder and standard streams and no other descriptor.
/// With launchContinue it fills launchProcessSN and returns noErr; without it,
/// this process becomes the application and the call returns only on failure.
/// Reads launchBlockID, launchEPBLength, launchControlFlags and launchAppSpec
/// only. Fails with paramErr for a bad block or an item that is no application,
/// fnfErr for a missing item, permErr for a file that may not be executed.
OSErr LaunchApplication(LaunchPBPtr launchParams);
