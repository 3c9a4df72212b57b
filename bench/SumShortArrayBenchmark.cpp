// SumShortArray as hosts get it (loaded from the built bundle) against two
// passes over the same values: the plain loop that adds each value to a double,
// and a read pass that only ORs the memory together 64 bits at a time, which
// is as fast as anything that reads every byte can be.
#include "aPluginModule.h"
#include "mathplugin.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstring>
#include <random>
#include <vector>

namespace {

// 8 KiB fits a first-level cache, 128 KiB a second-level one; 64 MiB is larger
// than most last-level caches.
constexpr int32_t counts[] = {4 * 1024, 64 * 1024, 32 * 1024 * 1024};
constexpr int32_t largestCount = counts[2];

const std::vector<int16_t>& Values() {
    static const std::vector<int16_t> values = [] {
        std::vector<int16_t> random(largestCount);
        std::mt19937 generator(1);
        for (int16_t& value : random) {
            value = static_cast<int16_t>(generator());
        }
        return random;
    }();
    return values;
}

decltype(SumShortArray)* LoadedSumShortArray() {
    static const aPluginModule module(MATHPLUGIN_BUNDLE);
    static decltype(SumShortArray)* const function =
        module.lookUp<decltype(SumShortArray)>("SumShortArray");
    return function;
}

__attribute__((noinline)) double DoubleLoop(const int16_t* values, int32_t count) {
    double sum = 0.0;
    for (int32_t i = 0; i < count; ++i) {
        sum += values[i];
    }
    return sum;
}

// Counts here are multiples of four values, one 64-bit word.
__attribute__((noinline)) uint64_t ReadPass(const int16_t* values, int32_t count) {
    uint64_t bits = 0;
    for (int32_t i = 0; i < count; i += 4) {
        uint64_t word;
        std::memcpy(&word, values + i, sizeof word);
        bits |= word;
    }
    return bits;
}

template <typename Pass>
void Measure(benchmark::State& state, Pass pass) {
    const auto count = static_cast<int32_t>(state.range(0));
    const int16_t* values = Values().data();
    for (auto _ : state) {
        benchmark::DoNotOptimize(pass(values, count));
    }
    state.SetBytesProcessed(state.iterations() * count * int64_t{sizeof(int16_t)});
}

void BM_SumShortArray(benchmark::State& state) {
    decltype(SumShortArray)* const sum = LoadedSumShortArray();
    if (sum == nullptr) {
        state.SkipWithError("the bundle does not export SumShortArray");
        return;
    }
    Measure(state, sum);
}
void BM_DoubleLoop(benchmark::State& state) { Measure(state, DoubleLoop); }
void BM_ReadPass(benchmark::State& state) { Measure(state, ReadPass); }

void WithEachCount(benchmark::internal::Benchmark* benchmark) {
    for (const int32_t count : counts) {
        benchmark->Arg(count);
    }
}

} // namespace

BENCHMARK(BM_SumShortArray)->Apply(WithEachCount);
BENCHMARK(BM_DoubleLoop)->Apply(WithEachCount);
BENCHMARK(BM_ReadPass)->Apply(WithEachCount);
