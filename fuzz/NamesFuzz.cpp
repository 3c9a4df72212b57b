// Arbitrary byte strings as file names in a temporary folder: whatever name the
// File Manager gives a child (Mac Roman, at most 63 bytes, shortened when it has
// to be) must lead back to that same child, by name and through its FSSpec.
#include "Files/Files.h"
#include "FuzzCheck.h"
#include "aFolderItem.h"
#include "aString.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

namespace {

namespace fs = std::filesystem;

// Enough names for shortened ones to meet, few enough to keep runs quick.
constexpr int mostNames = 8;

void removeScratch();

// One folder for the whole run, emptied before each input.
const fs::path& scratch() {
    static const fs::path folder = [] {
        std::string pattern = (fs::temp_directory_path() / "NamesFuzz.XXXXXX").string();
        FUZZ_CHECK(mkdtemp(pattern.data()) != nullptr);
        std::atexit(removeScratch);
        return fs::path(pattern);
    }();
    return folder;
}

void removeScratch() {
    std::error_code ignored;
    fs::remove_all(scratch(), ignored);
}

// Names are the input's pieces between '/' and NUL bytes, which no name holds.
int makeFiles(std::string_view input) {
    int made = 0;
    while (!input.empty() && made < mostNames) {
        std::size_t end = input.find_first_of(std::string_view("/\0", 2));
        std::string name(input.substr(0, end));
        input.remove_prefix(end == std::string_view::npos ? input.size() : end + 1);
        if (name.empty() || name == "." || name == "..") {
            continue;
        }
        // A name the file system refuses (too long, already there) is no test.
        int file = open((scratch() / name).c_str(), O_CREAT | O_EXCL | O_WRONLY, 0600);
        if (file >= 0) {
            close(file);
            ++made;
        }
    }
    return made;
}

std::string pathOf(const FSRef& ref) {
    UInt8 path[4096];
    FUZZ_CHECK(FSRefMakePath(&ref, path, sizeof path) == noErr);
    return reinterpret_cast<const char*>(path);
}

void checkChild(const aFolderItem& folder, const aFolderItem& child) {
    const std::string path = pathOf(child.getAsFSRef());
    const aString name = child.getName();
    FUZZ_CHECK(name.getLength() >= 1 && name.getLength() <= 63);

    std::unique_ptr<aFolderItem> found(folder.getChild(name));
    FUZZ_CHECK(found != nullptr && pathOf(found->getAsFSRef()) == path);

    const FSSpec spec = child.getAsFSSpec();
    FUZZ_CHECK(aString(spec.name).compare(name) == 0);
    FSRef back;
    FUZZ_CHECK(FSpMakeFSRef(&spec, &back) == noErr && pathOf(back) == path);

    std::unique_ptr<aFolderItem> parent(child.getParent());
    FUZZ_CHECK(pathOf(parent->getAsFSRef()) == pathOf(folder.getAsFSRef()));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fs::remove_all(scratch());
    fs::create_directory(scratch());
    const int made = makeFiles(std::string_view(reinterpret_cast<const char*>(data), size));
    {
        FSRef ref;
        FUZZ_CHECK(FSPathMakeRef(reinterpret_cast<const UInt8*>(scratch().c_str()), &ref,
                                 nullptr) == noErr);
        const aFolderItem folder(ref);
        FUZZ_CHECK(folder.getChildCount() == made);
        for (int i = 1; i <= made; ++i) {
            std::unique_ptr<aFolderItem> child(folder.getChild(i));
            FUZZ_CHECK(child != nullptr);
            checkChild(folder, *child);
        }
    }
    FUZZ_CHECK(aObject::objectCount == 0);
    return 0;
}
