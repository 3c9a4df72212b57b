// Counting a folder's children and finding one by name through the folder item,
// against the plain directory loops a C program would write. Run with:
//   build/release/bench/FolderListingBenchmark
#include "aFolderItem.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>

namespace {

/// Folders of 10 to 10,000 empty files, made once per run and removed at exit.
class Folders {
public:
    ~Folders() {
        if (!root.empty()) {
            std::filesystem::remove_all(root);
        }
    }
    const std::string& withChildren(int count) {
        if (root.empty()) {
            std::string pattern =
                std::filesystem::temp_directory_path().string() + "/FolderListingBenchmark.XXXXXX";
            root = mkdtemp(pattern.data());
        }
        auto& folder = folders[count];
        if (folder.empty()) {
            folder = root + "/" + std::to_string(count);
            std::filesystem::create_directory(folder);
            for (int i = 0; i < count; ++i) {
                std::ofstream(folder + "/file" + std::to_string(i) + ".dat");
            }
        }
        return folder;
    }

private:
    std::string root;
    std::map<int, std::string> folders;
};

Folders folders;

void ReaddirLoop(benchmark::State& state) {
    const std::string& path = folders.withChildren(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        DIR* dir = opendir(path.c_str());
        long count = 0;
        while (const dirent* entry = readdir(dir)) {
            const char* n = entry->d_name;
            count += !(n[0] == '.' && (n[1] == '\0' || (n[1] == '.' && n[2] == '\0')));
        }
        closedir(dir);
        benchmark::DoNotOptimize(count);
    }
}

/// The plain search for a name: every entry is read and compared, as when the
/// wanted one comes last.
void ReaddirSearch(benchmark::State& state) {
    const int count = static_cast<int>(state.range(0));
    const std::string& path = folders.withChildren(count);
    const std::string wanted = "file" + std::to_string(count - 1) + ".dat";
    for (auto _ : state) {
        DIR* dir = opendir(path.c_str());
        long matches = 0;
        while (const dirent* entry = readdir(dir)) {
            matches += std::strcmp(entry->d_name, wanted.c_str()) == 0;
        }
        closedir(dir);
        benchmark::DoNotOptimize(matches);
    }
}

void GetChildCount(benchmark::State& state) {
    const std::string& path = folders.withChildren(static_cast<int>(state.range(0)));
    FSRef ref;
    if (FSPathMakeRef(reinterpret_cast<const UInt8*>(path.c_str()), &ref, nullptr) != noErr) {
        state.SkipWithError("no reference to the folder");
        return;
    }
    const aFolderItem folder(ref);
    for (auto _ : state) {
        benchmark::DoNotOptimize(folder.getChildCount());
    }
}

/// The launcher's search: the child found last, in a folder of the given size.
void GetLastChildByName(benchmark::State& state) {
    const int count = static_cast<int>(state.range(0));
    const std::string& path = folders.withChildren(count);
    FSRef ref;
    if (FSPathMakeRef(reinterpret_cast<const UInt8*>(path.c_str()), &ref, nullptr) != noErr) {
        state.SkipWithError("no reference to the folder");
        return;
    }
    const aFolderItem folder(ref);
    aFolderItem* last = folder.getChild(count);
    const aString name = last->getName();
    delete last;
    for (auto _ : state) {
        aFolderItem* found = folder.getChild(name);
        benchmark::DoNotOptimize(found);
        delete found;
    }
}

} // namespace

BENCHMARK(ReaddirLoop)->RangeMultiplier(10)->Range(10, 10000);
BENCHMARK(GetChildCount)->RangeMultiplier(10)->Range(10, 10000);
BENCHMARK(ReaddirSearch)->RangeMultiplier(10)->Range(10, 10000);
BENCHMARK(GetLastChildByName)->RangeMultiplier(10)->Range(10, 1000);
// The search recounts the folder before every candidate, so its time grows with
// the square of the folder's size: one pass over 10,000 children takes over a
// minute, and one is all the run can afford.
BENCHMARK(GetLastChildByName)->Arg(10000)->Iterations(1)->Repetitions(1);
