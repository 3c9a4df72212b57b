// Random typed and ranged accesses to an aMemoryBlock, each checked against a
// byte-vector model: an access throws exactly when it reaches past the end, and
// then it has changed nothing.
#include "FuzzCheck.h"
#include "aException.h"
#include "aMemoryBlock.h"
#include "aString.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <type_traits>

namespace {

// Large enough for the 65535-byte chunks of the copies to matter.
constexpr std::size_t largestBlock = 0x10000 + 0x100;

class Run {
public:
    explicit Run(const std::uint8_t* data, std::size_t size) : input(data, size) { make(); }

    // A block made one of its six ways, the model beside it.
    void make() {
        block.reset();
        isDefault = false;
        switch (input.ConsumeIntegralInRange(0, 5)) {
        case 0:
            block.emplace();
            model.clear();
            isDefault = true;
            break;
        case 1:
            model.assign(input.ConsumeIntegralInRange<std::size_t>(0, largestBlock), '\0');
            block.emplace(static_cast<unsigned long long>(model.size()));
            break;
        case 2:
            model = input.ConsumeRandomLengthString(4096);
            block.emplace(model.data(), model.size());
            break;
        case 3:
            model = input.ConsumeRandomLengthString(4096);
            block.emplace(aString(model.data(), model.size()));
            break;
        case 4: {
            model = input.ConsumeRandomLengthString(4096);
            Handle handle = NewHandle(static_cast<Size>(model.size()));
            std::copy(model.begin(), model.end(), *handle);
            block.emplace(handle);
            DisposeHandle(handle);
            break;
        }
        case 5: {
            model = input.ConsumeRandomLengthString(4096);
            const aMemoryBlock original(model.data(), model.size());
            block.emplace(original);
            break;
        }
        }
    }

    // Offsets cluster around the end, where the range test decides, but any
    // 64-bit value can come, so that offset + width would wrap.
    unsigned long long offset() {
        return input.ConsumeBool()
                   ? input.ConsumeIntegral<unsigned long long>()
                   : input.ConsumeIntegralInRange<unsigned long long>(0, model.size() + 9);
    }
    bool holds(unsigned long long at, unsigned long long count) const {
        return count <= model.size() && at <= model.size() - count;
    }

    void checkBlock() const {
        FUZZ_CHECK(block->getLength() == model.size());
        FUZZ_CHECK((block->getValue() == nullptr) == isDefault);
        FUZZ_CHECK(std::equal(model.begin(), model.end(), block->getValue()));
        FUZZ_CHECK(aMemoryBlock::objectCount == 1 && aObject::objectCount == 1);
    }

    FuzzedDataProvider input;
    std::optional<aMemoryBlock> block;
    std::string model;
    bool isDefault = false;
};

// Runs `access`; true when it threw the range error, which carries only a file and
// a line. Anything else it throws ends the run.
template <typename Access>
bool throwsRangeError(Access access) {
    try {
        access();
        return false;
    } catch (const aException& e) {
        FUZZ_CHECK(e.getDescription().getLength() == 0 && e.getCondition().getLength() == 0);
        return true;
    }
}

template <typename Value>
Value bigEndianAt(const std::string& model, std::size_t at) {
    std::make_unsigned_t<Value> bits = 0;
    for (std::size_t i = 0; i < sizeof(Value); ++i) {
        bits = static_cast<decltype(bits)>(bits << 8 | static_cast<unsigned char>(model[at + i]));
    }
    return static_cast<Value>(bits);
}

template <typename Value>
void storeBigEndian(std::string& model, std::size_t at, Value value) {
    auto bits = static_cast<std::make_unsigned_t<Value>>(value);
    for (std::size_t i = sizeof(Value); i-- > 0;) {
        model[at + i] = static_cast<char>(bits & 0xFF);
        bits = static_cast<decltype(bits)>(bits >> 8);
    }
}

template <typename Value, Value (aMemoryBlock::*get)(unsigned long long) const,
          void (aMemoryBlock::*set)(Value, unsigned long long)>
void typed(Run& run) {
    unsigned long long at = run.offset();
    bool inRange = run.holds(at, sizeof(Value));
    aMemoryBlock& block = *run.block;
    if (run.input.ConsumeBool()) {
        Value read{};
        FUZZ_CHECK(throwsRangeError([&] { read = (block.*get)(at); }) == !inRange);
        FUZZ_CHECK(!inRange || read == bigEndianAt<Value>(run.model, at));
        return;
    }
    auto value = run.input.ConsumeIntegral<Value>();
    FUZZ_CHECK(throwsRangeError([&] { (block.*set)(value, at); }) == !inRange);
    if (inRange) {
        storeBigEndian(run.model, at, value);
    }
}

void getBytes(Run& run) {
    unsigned long long at = run.offset();
    unsigned long long count = run.input.ConsumeBool()
                                   ? run.input.ConsumeIntegral<unsigned long long>()
                                   : run.input.ConsumeIntegralInRange<unsigned long long>(0, 16);
    bool inRange = run.holds(at, count);
    std::unique_ptr<char[]> bytes;
    FUZZ_CHECK(throwsRangeError([&] { bytes.reset(run.block->get(at, count)); }) == !inRange);
    if (inRange) {
        FUZZ_CHECK(bytes != nullptr);
        FUZZ_CHECK(std::equal(bytes.get(), bytes.get() + count, run.model.begin() + at));
    }
}

void setBytes(Run& run) {
    unsigned long long at = run.offset();
    std::string source = run.input.ConsumeRandomLengthString(64);
    // Exactly the source's size, so that a read past it is caught.
    auto exact = std::make_unique<char[]>(source.size());
    std::copy(source.begin(), source.end(), exact.get());
    bool inRange = run.holds(at, source.size());
    FUZZ_CHECK(throwsRangeError([&] { run.block->set(exact.get(), at, source.size()); }) ==
               !inRange);
    if (inRange) {
        std::copy(source.begin(), source.end(), run.model.begin() + at);
    }
}

void writeThroughValue(Run& run) {
    if (run.model.empty()) {
        return;
    }
    auto at = run.input.ConsumeIntegralInRange<std::size_t>(0, run.model.size() - 1);
    char value = run.input.ConsumeIntegral<char>();
    run.block->getValue()[at] = value;
    run.model[at] = value;
}

void handOut(Run& run) {
    const std::string& m = run.model;
    if (run.input.ConsumeBool()) {
        Handle handle = run.block->getAsHandle();
        FUZZ_CHECK(handle != nullptr && GetHandleSize(handle) == static_cast<Size>(m.size()));
        FUZZ_CHECK(std::equal(m.begin(), m.end(), *handle));
        DisposeHandle(handle);
    } else {
        Ptr pointer = run.block->getAsPointer();
        FUZZ_CHECK(pointer != nullptr && GetPtrSize(pointer) == static_cast<Size>(m.size()));
        FUZZ_CHECK(std::equal(m.begin(), m.end(), pointer));
        DisposePtr(pointer);
    }
}

void copy(Run& run) {
    const aMemoryBlock copied(*run.block);
    FUZZ_CHECK(copied.getLength() == run.model.size() && copied.getValue() != nullptr);
    FUZZ_CHECK(std::equal(run.model.begin(), run.model.end(), copied.getValue()));
    FUZZ_CHECK(copied.getValue() != run.block->getValue());
}

void remake(Run& run) { run.make(); }

using B = aMemoryBlock;
constexpr std::array operations = {
    typed<std::int8_t, &B::getChar, &B::setChar>,
    typed<std::uint8_t, &B::getUChar, &B::setUChar>,
    typed<std::int16_t, &B::getShort, &B::setShort>,
    typed<std::uint16_t, &B::getUShort, &B::setUShort>,
    typed<std::int32_t, &B::getLong, &B::setLong>,
    typed<std::uint32_t, &B::getULong, &B::setULong>,
    typed<std::int64_t, &B::getLongLong, &B::setLongLong>,
    typed<std::uint64_t, &B::getULongLong, &B::setULongLong>,
    getBytes,
    setBytes,
    writeThroughValue,
    handOut,
    copy,
    remake,
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    {
        Run run(data, size);
        run.checkBlock();
        while (run.input.remaining_bytes() > 0) {
            operations[run.input.ConsumeIntegralInRange<std::size_t>(0, operations.size() - 1)](
                run);
            run.checkBlock();
            FUZZ_CHECK(aException::objectCount == 0 && aString::objectCount == 0);
        }
    }
    FUZZ_CHECK(aObject::objectCount == 0 && aMemoryBlock::objectCount == 0);
    return 0;
}
