#include "PlistShape.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace {

constexpr std::string_view magic = "bplist00";
constexpr std::size_t trailerSize = 32;

// Object markers: the high nibble is the kind, the low one a count (0xF: the
// count follows as an integer object).
enum : unsigned {
    asciiStringKind = 0x5,
    arrayKind = 0xA,
    setKind = 0xC,
    dictionaryKind = 0xD,
    integerKind = 0x1,
    countFollows = 0xF,
};

std::uint64_t bigEndian(const unsigned char* bytes, unsigned width) {
    std::uint64_t value = 0;
    for (unsigned i = 0; i < width; ++i) {
        value = (value << 8) | bytes[i];
    }
    return value;
}

// What the walk needs to know of one object.
struct Object {
    bool container = false;
    std::size_t refsAt = 0;
    std::uint64_t refCount = 0;
};

class BinaryPlist {
public:
    explicit BinaryPlist(std::string_view data)
        : bytes(reinterpret_cast<const unsigned char*>(data.data())), size(data.size()) {}

    // Reads the trailer; false when it does not describe a table that fits.
    bool readTrailer() {
        if (size < magic.size() + trailerSize ||
            std::string_view(reinterpret_cast<const char*>(bytes), magic.size()) != magic) {
            return false;
        }
        const unsigned char* trailer = bytes + size - trailerSize;
        offsetWidth = trailer[6];
        refWidth = trailer[7];
        objectCount = bigEndian(trailer + 8, 8);
        topObject = bigEndian(trailer + 16, 8);
        offsetTable = bigEndian(trailer + 24, 8);
        const auto tableEnd = size - trailerSize;
        return offsetWidth >= 1 && offsetWidth <= 8 && refWidth >= 1 && refWidth <= 8 &&
               topObject < objectCount && offsetTable >= magic.size() && offsetTable <= tableEnd &&
               objectCount <= (tableEnd - offsetTable) / offsetWidth;
    }

    // Reads the marker of object `index`; false when it lies outside the object
    // area, its count or references run past it, or it is an ASCII string with a NUL.
    bool readObject(std::uint64_t index, Object& object) const {
        std::size_t at = static_cast<std::size_t>(
            bigEndian(bytes + offsetTable + index * offsetWidth, offsetWidth));
        if (at < magic.size() || at >= offsetTable) {
            return false;
        }
        const unsigned marker = bytes[at++];
        const unsigned kind = marker >> 4;
        std::uint64_t count = marker & 0xF;
        if (count == countFollows && (kind == asciiStringKind || kind == arrayKind ||
                                      kind == setKind || kind == dictionaryKind)) {
            if (at >= offsetTable || bytes[at] >> 4 != integerKind) {
                return false;
            }
            const unsigned width = 1u << (bytes[at] & 0x3);
            if (offsetTable - at - 1 < width) {
                return false;
            }
            count = bigEndian(bytes + at + 1, width);
            at += 1 + width;
        }
        const std::size_t room = offsetTable - at;
        if (kind == asciiStringKind) {
            return count <= room &&
                   std::find(bytes + at, bytes + at + count, '\0') == bytes + at + count;
        }
        object.container = kind == arrayKind || kind == setKind || kind == dictionaryKind;
        if (object.container) {
            // A dictionary refers to its keys, then to its values.
            const unsigned refsPerEntry = kind == dictionaryKind ? 2 : 1;
            if (count > room / refWidth / refsPerEntry) {
                return false;
            }
            object.refCount = count * refsPerEntry;
            object.refsAt = at;
        }
        return true;
    }

    std::uint64_t refAt(std::size_t at) const { return bigEndian(bytes + at, refWidth); }

    const unsigned char* bytes;
    std::size_t size;
    unsigned offsetWidth = 0, refWidth = 0;
    std::uint64_t objectCount = 0, topObject = 0, offsetTable = 0;
};

} // namespace

bool IsBinaryPlistWithinLimits(std::string_view bplist, unsigned maxNesting, std::size_t maxNodes) {
    BinaryPlist plist(bplist);
    if (!plist.readTrailer()) {
        return false;
    }
    // For each object, the nodes its expanded tree holds (0: not reached yet)
    // and how many levels of containers it nests; objects shared by several
    // parents are walked once.
    constexpr std::uint64_t beingWalked = UINT64_MAX;
    std::vector<std::uint64_t> nodes(plist.objectCount, 0);
    std::vector<unsigned> levels(plist.objectCount, 0);

    struct Frame {
        std::uint64_t index;
        Object object;
        std::uint64_t nodes = 1;
        unsigned levels = 1;
    };
    std::vector<Frame> path;

    // Accounts a finished child to the container that refers to it.
    auto addChild = [&](std::uint64_t nodeCount, unsigned childLevels) {
        if (path.empty()) {
            return true;
        }
        auto& parent = path.back();
        parent.nodes += nodeCount;
        parent.levels = std::max(parent.levels, childLevels + 1);
        return parent.nodes <= maxNodes && parent.levels <= maxNesting;
    };
    // Starts the walk of object `index`, or accounts it at once when it is a
    // leaf or was walked before.
    auto enter = [&](std::uint64_t index) {
        if (nodes[index] == beingWalked) {
            return false; // a cycle
        }
        if (nodes[index] != 0) {
            return addChild(nodes[index], levels[index]);
        }
        Object object;
        if (!plist.readObject(index, object)) {
            return false;
        }
        if (!object.container) {
            nodes[index] = 1;
            return addChild(1, 0);
        }
        if (path.size() >= maxNesting) {
            return false;
        }
        nodes[index] = beingWalked;
        path.push_back({index, object});
        return true;
    };

    if (!enter(plist.topObject)) {
        return false;
    }
    while (!path.empty()) {
        auto& frame = path.back();
        if (frame.object.refCount == 0) {
            const Frame done = frame;
            path.pop_back();
            nodes[done.index] = done.nodes;
            levels[done.index] = done.levels;
            if (!addChild(done.nodes, done.levels)) {
                return false;
            }
            continue;
        }
        const auto child = plist.refAt(frame.object.refsAt);
        frame.object.refsAt += plist.refWidth;
        --frame.object.refCount;
        if (child >= plist.objectCount || !enter(child)) {
            return false;
        }
    }
    return true;
}
