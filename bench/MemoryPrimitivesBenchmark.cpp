// MemoryCopy and MemoryClear against the plain memcpy and memset they are made
// of, over the same buffers. The library's primitives work in 65535-byte chunks,
// so from 64 KiB up every chunk after the first starts at an odd address.
#include "aMemoryBlock.h"

#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

namespace {

// 1 KiB and 64 KiB fit the first- and second-level caches, 1 MiB most last-level
// caches; 64 MiB fits none.
constexpr long sizes[] = {1L << 10, 64L << 10, 1L << 20, 64L << 20};
constexpr long largestSize = sizes[3];

// Made once and written through, so no benchmark pays for first-touch page faults.
struct Buffers {
    std::vector<char> source = std::vector<char>(largestSize, 'x');
    std::vector<char> destination = std::vector<char>(largestSize, 'y');
};

Buffers& SharedBuffers() {
    static Buffers buffers;
    return buffers;
}

template <typename Pass>
void Measure(benchmark::State& state, Pass pass) {
    const auto count = static_cast<unsigned long long>(state.range(0));
    Buffers& buffers = SharedBuffers();
    for (auto _ : state) {
        pass(buffers.destination.data(), buffers.source.data(), count);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * state.range(0));
}

void BM_MemoryCopy(benchmark::State& state) {
    Measure(state, [](char* destination, const char* source, unsigned long long count) {
        aMemoryBlock::MemoryCopy(destination, source, count);
    });
}

void BM_memcpy(benchmark::State& state) {
    Measure(state, [](char* destination, const char* source, unsigned long long count) {
        std::memcpy(destination, source, count);
    });
}

void BM_MemoryClear(benchmark::State& state) {
    Measure(state, [](char* destination, const char*, unsigned long long count) {
        aMemoryBlock::MemoryClear(destination, count);
    });
}

void BM_memset(benchmark::State& state) {
    Measure(state, [](char* destination, const char*, unsigned long long count) {
        std::memset(destination, 0, count);
    });
}

void WithEachSize(benchmark::internal::Benchmark* benchmark) {
    for (const long size : sizes) {
        benchmark->Arg(size);
    }
}

} // namespace

BENCHMARK(BM_MemoryCopy)->Apply(WithEachSize);
BENCHMARK(BM_memcpy)->Apply(WithEachSize);
BENCHMARK(BM_MemoryClear)->Apply(WithEachSize);
BENCHMARK(BM_memset)->Apply(WithEachSize);
