// A folder's entries, read in one pass with large reads and nothing asked
// about any single child.
#pragma once

#include "MacTypes.h"

#include <string>
#include <string_view>
#include <vector>

struct FolderListing {
    struct Entry {
        UInt32 nameAt; // in names
        UInt16 nameLength;
        UInt8 type; // DT_DIR, DT_REG, ..., or DT_UNKNOWN when the file system does not say
    };
    std::string names; // each name followed by a NUL
    std::vector<Entry> entries;

    std::string_view nameOf(const Entry& entry) const {
        return std::string_view(names).substr(entry.nameAt, entry.nameLength);
    }
    const char* cNameOf(const Entry& entry) const { return names.data() + entry.nameAt; }
    /// Puts the entries in the order of their name bytes.
    void sortByName();
};

/// Every entry of the open folder `folder` but "." and "..", in the order the
/// file system gives them.
OSErr ReadFolder(int folder, FolderListing& listing);

/// The same for the folder at `path`.
OSErr ReadFolderAt(const std::string& path, FolderListing& listing);
