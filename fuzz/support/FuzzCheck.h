// A failed expectation in a fuzz target: libFuzzer keeps the input that
// aborted as a crash artifact, so every check ends the run at once.
#pragma once

#include <cstdio>
#include <cstdlib>

[[noreturn]] inline void FuzzFailure(const char* condition, const char* file, int line) {
    std::fprintf(stderr, "%s:%d: expected %s\n", file, line, condition);
    std::abort();
}

#define FUZZ_CHECK(condition) ((condition) ? void() : FuzzFailure(#condition, __FILE__, __LINE__))
