#include "Processes.h"

#include "ApplicationExecutable.h"
#include "Spawn.h"

#include <climits>

namespace {

// The path of the item the FSSpec names, through the File Manager.
OSErr itemPath(const FSSpec& spec, std::string& path) {
    FSRef ref;
    OSErr err = FSpMakeFSRef(&spec, &ref);
    if (err != noErr) {
        return err;
    }
    UInt8 buffer[PATH_MAX];
    OSStatus status = FSRefMakePath(&ref, buffer, sizeof buffer);
    if (status != noErr) {
        return static_cast<OSErr>(status);
    }
    path = reinterpret_cast<const char*>(buffer);
    return noErr;
}

} // namespace

OSErr LaunchApplication(LaunchPBPtr launchParams) {
    if (launchParams == nullptr || launchParams->launchBlockID != extendedBlock ||
        launchParams->launchEPBLength != extendedBlockLen ||
        launchParams->launchAppSpec == nullptr) {
        return paramErr;
    }
    std::string path;
    OSErr err = itemPath(*launchParams->launchAppSpec, path);
    if (err != noErr) {
        return err;
    }
    std::string executable;
    err = Processes::FindApplicationExecutable(path, executable);
    if (err != noErr) {
        return err;
    }
    if ((launchParams->launchControlFlags & launchContinue) == 0) {
        return Processes::ReplaceWithApplication(executable);
    }
    pid_t pid = 0;
    err = Processes::SpawnApplication(executable, pid);
    if (err == noErr) {
        launchParams->launchProcessSN = {0, static_cast<UInt32>(pid)};
    }
    return err;
}
