// The typed accessors of aMemoryBlock against a hand-written big-endian load and
// store over the same bytes. Every access is at an odd offset, so none is aligned.
#include "aMemoryBlock.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstring>

namespace {

// Small enough to stay in the first-level cache: the access is measured, not
// the memory behind it.
constexpr unsigned long long blockSize = 4096;
constexpr unsigned long long firstOffset = 1;

// The hand-written forms: an unaligned load or store and a byte swap, as code
// that keeps the bytes in a plain array would do it.
inline std::uint16_t ByteSwapped(std::uint16_t value) { return __builtin_bswap16(value); }
inline std::uint32_t ByteSwapped(std::uint32_t value) { return __builtin_bswap32(value); }
inline std::uint64_t ByteSwapped(std::uint64_t value) { return __builtin_bswap64(value); }

template <typename Value>
Value LoadBigEndian(const char* bytes) {
    Value value;
    std::memcpy(&value, bytes, sizeof value);
    return ByteSwapped(value);
}

template <typename Value>
void StoreBigEndian(char* bytes, Value value) {
    const Value swapped = ByteSwapped(value);
    std::memcpy(bytes, &swapped, sizeof swapped);
}

// Offsets firstOffset, firstOffset + width, ... as long as a whole value fits.
template <typename Value>
constexpr unsigned long long accessesPerPass = (blockSize - firstOffset) / sizeof(Value);

template <typename Value>
Value ValueFor(unsigned long long offset) {
    return static_cast<Value>(offset * 0x9E3779B97F4A7C15ull);
}

template <typename Value, Value (aMemoryBlock::*Get)(unsigned long long) const>
void BM_Get(benchmark::State& state) {
    aMemoryBlock block(blockSize);
    for (auto _ : state) {
        Value sum = 0;
        for (unsigned long long offset = firstOffset; offset + sizeof(Value) <= blockSize;
             offset += sizeof(Value)) {
            sum += (block.*Get)(offset);
        }
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * accessesPerPass<Value>);
}

template <typename Value>
void BM_HandLoad(benchmark::State& state) {
    aMemoryBlock block(blockSize);
    for (auto _ : state) {
        const char* bytes = block.getValue();
        benchmark::DoNotOptimize(bytes);
        Value sum = 0;
        for (unsigned long long offset = firstOffset; offset + sizeof(Value) <= blockSize;
             offset += sizeof(Value)) {
            sum += LoadBigEndian<Value>(bytes + offset);
        }
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * accessesPerPass<Value>);
}

template <typename Value, void (aMemoryBlock::*Set)(Value, unsigned long long)>
void BM_Set(benchmark::State& state) {
    aMemoryBlock block(blockSize);
    for (auto _ : state) {
        for (unsigned long long offset = firstOffset; offset + sizeof(Value) <= blockSize;
             offset += sizeof(Value)) {
            (block.*Set)(ValueFor<Value>(offset), offset);
        }
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * accessesPerPass<Value>);
}

template <typename Value>
void BM_HandStore(benchmark::State& state) {
    aMemoryBlock block(blockSize);
    for (auto _ : state) {
        char* bytes = block.getValue();
        benchmark::DoNotOptimize(bytes);
        for (unsigned long long offset = firstOffset; offset + sizeof(Value) <= blockSize;
             offset += sizeof(Value)) {
            StoreBigEndian(bytes + offset, ValueFor<Value>(offset));
        }
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * accessesPerPass<Value>);
}

} // namespace

// The accessor is a template argument, so the call is as direct as a named one.
BENCHMARK_TEMPLATE(BM_Get, std::uint16_t, &aMemoryBlock::getUShort);
BENCHMARK(BM_HandLoad<std::uint16_t>);
BENCHMARK_TEMPLATE(BM_Get, std::uint32_t, &aMemoryBlock::getULong);
BENCHMARK(BM_HandLoad<std::uint32_t>);
BENCHMARK_TEMPLATE(BM_Get, std::uint64_t, &aMemoryBlock::getULongLong);
BENCHMARK(BM_HandLoad<std::uint64_t>);
BENCHMARK_TEMPLATE(BM_Set, std::uint16_t, &aMemoryBlock::setUShort);
BENCHMARK(BM_HandStore<std::uint16_t>);
BENCHMARK_TEMPLATE(BM_Set, std::uint32_t, &aMemoryBlock::setULong);
BENCHMARK(BM_HandStore<std::uint32_t>);
BENCHMARK_TEMPLATE(BM_Set, std::uint64_t, &aMemoryBlock::setULongLong);
BENCHMARK(BM_HandStore<std::uint64_t>);
