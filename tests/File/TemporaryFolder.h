// A real folder under the system's temporary folder, removed with everything
// in it when the test ends.
#pragma once

#include "Files/Files.h"
#include "ScratchFolder.h"

#include <string>

class TemporaryFolder {
public:
    TemporaryFolder();
    TemporaryFolder(const TemporaryFolder&) = delete;
    TemporaryFolder& operator=(const TemporaryFolder&) = delete;

    /// The folder's absolute path, with every link on the way resolved.
    const std::string& path() const { return root; }
    /// `relative` inside the folder.
    std::string pathOf(const std::string& relative) const;

    /// Makes an empty file (and returns its path).
    std::string makeFile(const std::string& relative) const;
    std::string makeFolder(const std::string& relative) const;
    std::string makeLink(const std::string& relative, const std::string& target) const;
    /// Makes `count` empty files named "child00", "child01", ... (sorted as numbered).
    void makeChildren(const std::string& relative, int count) const;

    /// The FSRef of `relative` ("" for the folder itself); fails the test when
    /// there is none.
    FSRef refOf(const std::string& relative = "") const;

private:
    ScratchFolder scratch;
    std::string root;
};

/// The path an FSRef names now, or "error <code>" when the File Manager refuses.
std::string PathOfRef(const FSRef& ref);
