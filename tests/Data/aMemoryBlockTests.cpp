#include "aMemoryBlock.h"

#include "AllocationFaults.h"
#include "aExceptionTestAccess.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <limits>
#include <memory>
#include <new>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace {

using Bytes = std::vector<unsigned char>;

Bytes bytesAt(const char* bytes, unsigned long long count) {
    const auto* first = reinterpret_cast<const unsigned char*>(bytes);
    return Bytes(first, first + count);
}

Bytes bytesOf(const aMemoryBlock& block) { return bytesAt(block.getValue(), block.getLength()); }

aMemoryBlock blockOf(const Bytes& bytes) {
    return aMemoryBlock(reinterpret_cast<const char*>(bytes.data()), bytes.size());
}

template <typename Value>
std::string text(Value value) {
    return std::to_string(value);
}

constexpr unsigned long long lastOffset = std::numeric_limits<unsigned long long>::max();

} // namespace

// Construction.

TEST(aMemoryBlockConstruction, EachWayHoldsItsBytesAndCountsOneBlock) {
    const char withZero[] = {'a', 'b', 0, 'c', 'd'};
    const aMemoryBlock source = blockOf({9, 8, 7});
    const aMemoryBlock none;
    Handle handle = NewHandle(4);
    ASSERT_NE(handle, nullptr);
    for (int i = 0; i < 4; ++i) {
        (*handle)[i] = static_cast<char>(0xF0 + i);
    }
    Handle emptyHandle = NewHandle(0);
    Handle disposed = NewHandle(4);
    DisposeHandle(disposed);
    char foreignBytes[4] = {1, 2, 3, 4};
    Ptr foreignMaster = foreignBytes;

    struct Case {
        const char* way;
        std::function<aMemoryBlock()> make;
        Bytes bytes;
        bool nullValue;
    } cases[] = {
        {"default", [] { return aMemoryBlock(); }, {}, true},
        {"size 0", [] { return aMemoryBlock(0ull); }, {}, false},
        {"size 5, zeroed", [] { return aMemoryBlock(5ull); }, {0, 0, 0, 0, 0}, false},
        {"copy", [&] { return aMemoryBlock(source); }, {9, 8, 7}, false},
        {"copy of a default block", [&] { return aMemoryBlock(none); }, {}, false},
        {"string with a zero byte",
         [&] { return aMemoryBlock(aString(withZero, 5)); },
         {'a', 'b', 0, 'c', 'd'},
         false},
        {"empty string", [] { return aMemoryBlock(aString()); }, {}, false},
        {"pointer", [&] { return aMemoryBlock(withZero, 3); }, {'a', 'b', 0}, false},
        {"null pointer, size 0", [] { return aMemoryBlock(nullptr, 0); }, {}, false},
        {"handle", [&] { return aMemoryBlock(handle); }, {0xF0, 0xF1, 0xF2, 0xF3}, false},
        {"zero-byte handle", [&] { return aMemoryBlock(emptyHandle); }, {}, false},
        // Handles the Memory Manager does not know as live give an empty block.
        {"null handle", [] { return aMemoryBlock(Handle{}); }, {}, false},
        {"disposed handle", [&] { return aMemoryBlock(disposed); }, {}, false},
        {"handle not made by NewHandle", [&] { return aMemoryBlock(&foreignMaster); }, {}, false},
    };
    for (const auto& c : cases) {
        const long long blocks = aMemoryBlock::objectCount, objects = aObject::objectCount;
        {
            const aMemoryBlock block = c.make();
            EXPECT_EQ(aMemoryBlock::objectCount, blocks + 1) << c.way;
            EXPECT_EQ(aObject::objectCount, objects + 1) << c.way;
            EXPECT_EQ(block.getLength(), c.bytes.size()) << c.way;
            EXPECT_EQ(block.getValue() == nullptr, c.nullValue) << c.way;
            EXPECT_EQ(bytesOf(block), c.bytes) << c.way;
        }
        EXPECT_EQ(aMemoryBlock::objectCount, blocks) << c.way;
        EXPECT_EQ(aObject::objectCount, objects) << c.way;
    }
    DisposeHandle(handle);
    DisposeHandle(emptyHandle);
}

// Every constructor that copies bytes shares nothing with where they came from.
TEST(aMemoryBlockConstruction, BlocksAndTheirSourcesChangeIndependently) {
    const Bytes original{1, 2, 3, 4, 5};
    aMemoryBlock sourceBlock = blockOf(original);
    aString sourceString("\x01\x02\x03\x04\x05");
    char sourceBytes[] = {1, 2, 3, 4, 5};
    Handle sourceHandle = sourceBlock.getAsHandle();
    ASSERT_NE(sourceHandle, nullptr);

    struct Case {
        const char* source;
        std::function<aMemoryBlock()> make;
        std::function<Bytes()> bytes;
        std::function<void()> change;
    } cases[] = {
        {"block", [&] { return aMemoryBlock(sourceBlock); }, [&] { return bytesOf(sourceBlock); },
         [&] { sourceBlock.setUChar(0x77, 4); }},
        {"string", [&] { return aMemoryBlock(sourceString); },
         [&] { return bytesAt(sourceString.getValue(), sourceString.getLength()); },
         [&] { sourceString[4] = 0x77; }},
        {"pointer", [&] { return aMemoryBlock(sourceBytes, 5); },
         [&] { return bytesAt(sourceBytes, 5); }, [&] { sourceBytes[4] = 0x77; }},
        {"handle", [&] { return aMemoryBlock(sourceHandle); },
         [&] {
             return bytesAt(*sourceHandle,
                            static_cast<unsigned long long>(GetHandleSize(sourceHandle)));
         },
         [&] { (*sourceHandle)[4] = 0x77; }},
    };
    for (const auto& c : cases) {
        aMemoryBlock block = c.make();
        block.setUChar(0xEE, 0);
        EXPECT_EQ(c.bytes(), original) << c.source;
        c.change();
        EXPECT_EQ(bytesOf(block), (Bytes{0xEE, 2, 3, 4, 5})) << c.source;
    }
    EXPECT_EQ(HGetState(sourceHandle), 0) << "the handle was left locked";
    DisposeHandle(sourceHandle);
}

// Running out of memory: whichever allocation fails, an operation either finishes
// or lets std::bad_alloc out, and leaves no block, no count and no change behind.
TEST(aMemoryBlockOutOfMemory, EveryOperationFinishesOrChangesNothing) {
    const Bytes original = {1, 2, 3, 4, 5, 6, 7, 8};
    const aMemoryBlock source = blockOf({1, 2, 3, 4});
    const aString string("text");
    const char bytes[] = {1, 2, 3};
    Handle handle = NewHandle(4);
    ASSERT_NE(handle, nullptr);
    // A range error makes its aException, whose strings allocate too.
    auto rangeError = [](const std::function<void()>& access) {
        try {
            access();
            ADD_FAILURE() << "no range error";
        } catch (const aException&) {
        }
    };

    struct Case {
        const char* operation;
        std::function<void(aMemoryBlock&)> run;
        Bytes after;
    } cases[] = {
        {"make from a size", [](aMemoryBlock&) { EXPECT_EQ(aMemoryBlock(16ull).getLength(), 16u); },
         original},
        {"make a copy",
         [&](aMemoryBlock&) { EXPECT_EQ(bytesOf(aMemoryBlock(source)), bytesOf(source)); },
         original},
        {"make from a string",
         [&](aMemoryBlock&) { EXPECT_EQ(aMemoryBlock(string).getLength(), 4u); }, original},
        {"make from a handle",
         [&](aMemoryBlock&) { EXPECT_EQ(aMemoryBlock(handle).getLength(), 4u); }, original},
        {"make from bytes",
         [&](aMemoryBlock&) { EXPECT_EQ(aMemoryBlock(bytes, 3).getLength(), 3u); }, original},
        {"get",
         [](aMemoryBlock& b) {
             std::unique_ptr<char[]> got(b.get(1, 2));
             EXPECT_EQ(bytesAt(got.get(), 2), (Bytes{2, 3}));
         },
         original},
        {"get out of range", [&](aMemoryBlock& b) { rangeError([&] { delete[] b.get(7, 2); }); },
         original},
        {"set out of range", [&](aMemoryBlock& b) { rangeError([&] { b.set(bytes, 6, 3); }); },
         original},
        {"typed read out of range", [&](aMemoryBlock& b) { rangeError([&] { b.getLong(5); }); },
         original},
        {"typed write out of range",
         [&](aMemoryBlock& b) { rangeError([&] { b.setLongLong(-1, 1); }); }, original},
        {"set", [&](aMemoryBlock& b) { b.set(bytes, 5, 3); }, {1, 2, 3, 4, 5, 1, 2, 3}},
        {"typed write",
         [](aMemoryBlock& b) { b.setUShort(0xABCD, 0); },
         {0xAB, 0xCD, 3, 4, 5, 6, 7, 8}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.operation);
        StepThroughAllocationFailures([&] { return blockOf(original); }, c.run,
                                      [&](const aMemoryBlock& b, bool failed) {
                                          EXPECT_EQ(bytesOf(b), failed ? original : c.after);
                                      });
    }
    DisposeHandle(handle);
}

TEST(aMemoryBlockOutOfMemory, ASizeBeyondTheMachineLeavesNoBlock) {
    const long long blocks = aMemoryBlock::objectCount, objects = aObject::objectCount;
    EXPECT_THROW(aMemoryBlock block(lastOffset), std::bad_alloc);
    EXPECT_EQ(aMemoryBlock::objectCount, blocks);
    EXPECT_EQ(aObject::objectCount, objects);
}

// The range test, shared by every accessor.

namespace {

// One entry per range-tested accessor: the bytes it covers and a call of it.
struct Accessor {
    const char* name;
    unsigned long long width;
    std::function<void(aMemoryBlock&, unsigned long long)> call;
};

using Offset = unsigned long long;

const std::vector<Accessor>& rangeTestedAccessors() {
    static const char three[3] = {0x11, 0x22, 0x33};
    static const std::vector<Accessor> accessors = {
        {"getChar", 1, [](aMemoryBlock& b, Offset o) { b.getChar(o); }},
        {"getUChar", 1, [](aMemoryBlock& b, Offset o) { b.getUChar(o); }},
        {"getShort", 2, [](aMemoryBlock& b, Offset o) { b.getShort(o); }},
        {"getUShort", 2, [](aMemoryBlock& b, Offset o) { b.getUShort(o); }},
        {"getLong", 4, [](aMemoryBlock& b, Offset o) { b.getLong(o); }},
        {"getULong", 4, [](aMemoryBlock& b, Offset o) { b.getULong(o); }},
        {"getLongLong", 8, [](aMemoryBlock& b, Offset o) { b.getLongLong(o); }},
        {"getULongLong", 8, [](aMemoryBlock& b, Offset o) { b.getULongLong(o); }},
        {"setChar", 1, [](aMemoryBlock& b, Offset o) { b.setChar(-1, o); }},
        {"setUChar", 1, [](aMemoryBlock& b, Offset o) { b.setUChar(0xFF, o); }},
        {"setShort", 2, [](aMemoryBlock& b, Offset o) { b.setShort(-1, o); }},
        {"setUShort", 2, [](aMemoryBlock& b, Offset o) { b.setUShort(0xFFFF, o); }},
        {"setLong", 4, [](aMemoryBlock& b, Offset o) { b.setLong(-1, o); }},
        {"setULong", 4, [](aMemoryBlock& b, Offset o) { b.setULong(0xFFFFFFFF, o); }},
        {"setLongLong", 8, [](aMemoryBlock& b, Offset o) { b.setLongLong(-1, o); }},
        {"setULongLong", 8, [](aMemoryBlock& b, Offset o) { b.setULongLong(~0ull, o); }},
        {"get", 3, [](aMemoryBlock& b, Offset o) { delete[] b.get(o, 3); }},
        {"set", 3, [](aMemoryBlock& b, Offset o) { b.set(three, o, 3); }},
    };
    return accessors;
}

unsigned long allocationsOfARangeError() {
    FailAllocationAfter(0);
    try {
        A_THROW();
    } catch (const aException&) {
    }
    return AllocationsSinceArmed();
}

// Calls the accessor where it must be refused: it throws a bare range error and has
// read, written and allocated nothing. Returns the throw site.
std::pair<std::string, int> expectRefused(const Accessor& accessor, aMemoryBlock& block,
                                          Offset offset, const char* where) {
    const Bytes before = bytesOf(block);
    const unsigned long throwing = allocationsOfARangeError();
    std::pair<std::string, int> site;
    FailAllocationAfter(0);
    try {
        accessor.call(block, offset);
        ADD_FAILURE() << accessor.name << " " << where << ": not refused";
    } catch (const aException& e) {
        EXPECT_EQ(AllocationsSinceArmed(), throwing) << accessor.name << " " << where;
        EXPECT_EQ(e.getDescription().getLength(), 0u) << accessor.name;
        EXPECT_EQ(e.getCondition().getLength(), 0u) << accessor.name;
        EXPECT_TRUE(aExceptionTestAccess::HasFileAndLine(e)) << accessor.name;
        const aString file = aExceptionTestAccess::File(e);
        site = {std::string(file.getValue(), file.getLength()), aExceptionTestAccess::Line(e)};
        EXPECT_FALSE(site.first.empty()) << accessor.name;
        EXPECT_GT(site.second, 0) << accessor.name;
    }
    EXPECT_EQ(bytesOf(block), before) << accessor.name << " " << where << " changed the block";
    return site;
}

} // namespace

TEST(aMemoryBlockRange, EveryAccessorIsExactAtTheEndAndNeverWraps) {
    struct Case {
        const char* where;
        std::function<Offset(Offset width)> offset;
        bool allowed;
    } cases[] = {
        {"ending at the last byte", [](Offset n) { return 8 - n; }, true},
        {"reaching one byte past", [](Offset n) { return 9 - n; }, false},
        {"starting at the end", [](Offset) { return 8ull; }, false},
        {"at offset 2^64 - 1", [](Offset) { return lastOffset; }, false},
        {"whose end wraps to 0", [](Offset n) { return 0 - n; }, false},
    };
    std::set<std::pair<std::string, int>> sites;
    for (const Accessor& accessor : rangeTestedAccessors()) {
        for (const auto& c : cases) {
            aMemoryBlock block = blockOf({0, 1, 2, 3, 4, 5, 6, 7});
            const Offset offset = c.offset(accessor.width);
            if (c.allowed) {
                EXPECT_NO_THROW(accessor.call(block, offset)) << accessor.name << " " << c.where;
            } else {
                sites.insert(expectRefused(accessor, block, offset, c.where));
            }
        }
    }
    EXPECT_EQ(sites.size(), rangeTestedAccessors().size()) << "accessors share a throw site";
}

TEST(aMemoryBlockRange, ADefaultBlockRefusesEveryByte) {
    aMemoryBlock block;
    for (const Accessor& accessor : rangeTestedAccessors()) {
        expectRefused(accessor, block, 0, "at offset 0 of a default block");
    }
}

TEST(aMemoryBlockRange, ZeroBytesFitAnywhereUpToTheLength) {
    aMemoryBlock none, eight = blockOf({0, 1, 2, 3, 4, 5, 6, 7});
    const Accessor getNothing{"get 0 bytes", 0,
                              [](aMemoryBlock& b, Offset o) { delete[] b.get(o, 0); }};
    const Accessor setNothing{"set 0 bytes", 0,
                              [](aMemoryBlock& b, Offset o) { b.set(nullptr, o, 0); }};
    struct Case {
        aMemoryBlock& block;
        Offset offset;
        bool allowed;
    } cases[] = {
        {none, 0, true},  {none, 1, false},  {eight, 0, true},
        {eight, 8, true}, {eight, 9, false}, {eight, lastOffset, false},
    };
    for (const auto& c : cases) {
        for (const Accessor* accessor : {&getNothing, &setNothing}) {
            if (c.allowed) {
                EXPECT_NO_THROW(accessor->call(c.block, c.offset)) << accessor->name << c.offset;
            } else {
                expectRefused(*accessor, c.block, c.offset, "past the length");
            }
        }
    }
    char* nothing = none.get(0, 0);
    EXPECT_NE(nothing, nullptr);
    delete[] nothing;
}

// Byte layout.

TEST(aMemoryBlockLayout, TypedWritesAreBigEndianAtEveryOffset) {
    using Block = aMemoryBlock;
    struct Case {
        const char* write;
        std::function<void(Block&, Offset)> set;
        std::function<std::string(const Block&, Offset)> get;
        Bytes bytes;
        std::string value;
    } cases[] = {
        {"setChar(-1)",
         [](Block& b, Offset o) { b.setChar(-1, o); },
         [](const Block& b, Offset o) { return text(b.getChar(o)); },
         {0xFF},
         "-1"},
        {"setUChar(200)",
         [](Block& b, Offset o) { b.setUChar(200, o); },
         [](const Block& b, Offset o) { return text(b.getUChar(o)); },
         {0xC8},
         "200"},
        {"setShort(-32768)",
         [](Block& b, Offset o) { b.setShort(-32768, o); },
         [](const Block& b, Offset o) { return text(b.getShort(o)); },
         {0x80, 0x00},
         "-32768"},
        {"setUShort(258)",
         [](Block& b, Offset o) { b.setUShort(258, o); },
         [](const Block& b, Offset o) { return text(b.getUShort(o)); },
         {0x01, 0x02},
         "258"},
        {"setLong(-2)",
         [](Block& b, Offset o) { b.setLong(-2, o); },
         [](const Block& b, Offset o) { return text(b.getLong(o)); },
         {0xFF, 0xFF, 0xFF, 0xFE},
         "-2"},
        {"setULong(0x01020304)",
         [](Block& b, Offset o) { b.setULong(0x01020304, o); },
         [](const Block& b, Offset o) { return text(b.getULong(o)); },
         {1, 2, 3, 4},
         "16909060"},
        {"setLongLong(-0x0102030405060708)",
         [](Block& b, Offset o) { b.setLongLong(-0x0102030405060708, o); },
         [](const Block& b, Offset o) { return text(b.getLongLong(o)); },
         {0xFE, 0xFD, 0xFC, 0xFB, 0xFA, 0xF9, 0xF8, 0xF8},
         "-72623859790382856"},
        {"setULongLong(2^64 - 2)",
         [](Block& b, Offset o) { b.setULongLong(~1ull, o); },
         [](const Block& b, Offset o) { return text(b.getULongLong(o)); },
         {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFE},
         "18446744073709551614"},
    };
    constexpr Offset length = 11;
    for (const auto& c : cases) {
        for (Offset offset = 0; offset + c.bytes.size() <= length; ++offset) {
            Bytes expected(length, 0xAA);
            std::copy(c.bytes.begin(), c.bytes.end(), expected.begin() + offset);
            aMemoryBlock block = blockOf(Bytes(length, 0xAA));
            c.set(block, offset);
            EXPECT_EQ(bytesOf(block), expected) << c.write << " at " << offset;
            EXPECT_EQ(c.get(block, offset), c.value) << c.write << " at " << offset;
        }
    }
}

TEST(aMemoryBlockLayout, SignedReadsExtendTheSignAndUnsignedReadsDoNot) {
    const aMemoryBlock ff = blockOf({0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF});
    const aMemoryBlock high = blockOf({0x80, 0, 0, 0, 0, 0, 0, 0});
    struct Case {
        const char* read;
        std::string value, expected;
    } cases[] = {
        {"getChar of FF", text(ff.getChar(0)), "-1"},
        {"getUChar of FF", text(ff.getUChar(0)), "255"},
        {"getShort of FF FE", text(ff.getShort(0)), "-2"},
        {"getUShort of FF FE", text(ff.getUShort(0)), "65534"},
        {"getShort of FE FF", text(ff.getShort(1)), "-257"},
        {"getLong of 80 00 00 00", text(high.getLong(0)), "-2147483648"},
        {"getULong of 80 00 00 00", text(high.getULong(0)), "2147483648"},
        {"getLongLong of 80 00..", text(high.getLongLong(0)), "-9223372036854775808"},
        {"getULongLong of 80 00..", text(high.getULongLong(0)), "9223372036854775808"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.value, c.expected) << c.read;
    }
}

// Writes of one width and reads of another over the same bytes, in one function
// the compiler sees whole: none may be moved past another.
TEST(aMemoryBlockLayout, OverlappingAccessesOfDifferentWidthsKeepTheirOrder) {
    aMemoryBlock block(12);
    block.setULongLong(0x0102030405060708, 1);
    block.setUShort(0xAABB, 3);
    const auto afterShort = block.getULong(2);
    block.setULong(0xCCDDEEFF, 6);
    block.setUChar(0x99, 4);
    const auto afterChar = block.getUShort(4);
    block.setLongLong(-1, 0);
    block.setShort(0, 7);

    EXPECT_EQ(afterShort, 0x02AABB05u);
    EXPECT_EQ(afterChar, 0x9905u);
    EXPECT_EQ(bytesOf(block), (Bytes{0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0, 0, 0xFF, 0, 0}));
}

// Whole bytes.

TEST(aMemoryBlockBytes, SetAndGetMoveExactlyTheirRange) {
    aMemoryBlock block = blockOf({0, 1, 2, 3, 4, 5, 6, 7});
    block.set("xyz", 5, 3);
    EXPECT_EQ(bytesOf(block), (Bytes{0, 1, 2, 3, 4, 'x', 'y', 'z'}));

    char* copy = block.get(4, 3);
    EXPECT_EQ(bytesAt(copy, 3), (Bytes{4, 'x', 'y'}));
    copy[0] = 'q';
    EXPECT_EQ(block.getUChar(4), 4) << "get handed out the block's own bytes";
    delete[] copy;

    block.getValue()[0] = 0x42;
    EXPECT_EQ(block.getUChar(0), 0x42);
}

// Handing the bytes out.

TEST(aMemoryBlockHandingOut, HandlesAndPointersHoldAnUnlockedCopy) {
    struct Case {
        const char* block;
        aMemoryBlock made;
        Bytes bytes;
    } cases[] = {
        {"default", aMemoryBlock(), {}},
        {"size 0", aMemoryBlock(0ull), {}},
        {"five bytes", blockOf({1, 2, 3, 4, 5}), {1, 2, 3, 4, 5}},
    };
    for (auto& c : cases) {
        const auto size = static_cast<Size>(c.bytes.size());
        Handle handle = c.made.getAsHandle();
        Ptr pointer = c.made.getAsPointer();
        ASSERT_NE(handle, nullptr) << c.block;
        ASSERT_NE(pointer, nullptr) << c.block;
        EXPECT_EQ(GetHandleSize(handle), size) << c.block;
        EXPECT_EQ(HGetState(handle), 0) << c.block << ": handed out locked";
        EXPECT_EQ(GetPtrSize(pointer), size) << c.block;
        EXPECT_EQ(bytesAt(*handle, c.bytes.size()), c.bytes) << c.block;
        EXPECT_EQ(bytesAt(pointer, c.bytes.size()), c.bytes) << c.block;
        EXPECT_EQ(bytesOf(aMemoryBlock(handle)), c.bytes) << c.block << ": round trip";

        if (!c.bytes.empty()) {
            c.made.setUChar(0xEE, 0);
            EXPECT_EQ(bytesAt(*handle, c.bytes.size()), c.bytes) << c.block;
            EXPECT_EQ(bytesAt(pointer, c.bytes.size()), c.bytes) << c.block;
        }
        DisposeHandle(handle);
        DisposePtr(pointer);
    }
}
