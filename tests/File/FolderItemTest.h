// What the folder item tests share: a temporary folder, and a fault switch that
// is cleared whatever the test did.
#pragma once

#include "Files/FileFaults.h"
#include "TemporaryFolder.h"
#include "aException.h"
#include "aFolderItem.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

class FolderItemTest : public ::testing::Test {
protected:
    void TearDown() override { FileFaults::Clear(); }

    /// A new heap item for `relative` in the temporary folder.
    std::unique_ptr<aFolderItem> itemOf(const std::string& relative = "") const {
        return std::make_unique<aFolderItem>(folder.refOf(relative));
    }

    TemporaryFolder folder;
};

inline std::string BytesOf(const aString& s) { return std::string(s.getValue(), s.getLength()); }

/// The name of an item that may be null ("(null)").
inline std::string NameOf(const aFolderItem* item) {
    return item == nullptr ? "(null)" : BytesOf(item->getName());
}
