// FSGetVolumeInfo: the one volume, whose root folder is `/`.
#include "Catalog.h"
#include "FaultPoints.h"
#include "Items.h"
#include "MacNames.h"

OSErr FSGetVolumeInfo(FSVolumeRefNum volume, ItemCount volumeIndex, FSVolumeRefNum* actualVolume,
                      FSVolumeInfoBitmap whichInfo, FSVolumeInfo* /*info*/,
                      HFSUniStr255* volumeName, FSRef* rootDirectory) {
    return ServeFileCall(FileFaults::Call::FSGetVolumeInfo, [&]() -> OSErr {
        const bool found = volumeIndex > 0 ? volumeIndex == 1 : volume == kLinuxVolumeRefNum;
        if (!found) {
            return nsvErr;
        }
        if (whichInfo != kFSVolInfoNone) {
            return errFSBadInfoBitmap;
        }
        const std::string& root = *FileCatalog::PathOf(fsRtDirID);
        if (rootDirectory != nullptr) {
            if (const OSErr err = MakeRefAt(root, rootDirectory); err != noErr) {
                return err;
            }
        }
        if (actualVolume != nullptr) {
            *actualVolume = kLinuxVolumeRefNum;
        }
        if (volumeName != nullptr) {
            MacNames::UniNameOf(FileCatalog::NameOf(root), volumeName);
        }
        return noErr;
    });
}
