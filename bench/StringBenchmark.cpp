// aString beside std::string doing the same work. aString keeps no spare
// capacity, so every append allocates the exact new length and copies the text
// built so far: building a text piece by piece costs the square of its length.
// These figures show that price; it is the string's design, not a fault.
#include "aString.h"

#include <benchmark/benchmark.h>

#include <cstring>
#include <string>

namespace {

constexpr unsigned long long textLength = 1 << 20;

// A piece of text of `length` bytes, NUL-terminated, never containing a NUL.
std::string Piece(long length) {
    std::string piece(static_cast<std::string::size_type>(length), ' ');
    for (long i = 0; i < length; ++i) {
        piece[static_cast<std::string::size_type>(i)] = static_cast<char>('a' + i % 26);
    }
    return piece;
}

const std::string& Text() {
    static const std::string text = Piece(textLength);
    return text;
}

// Building 1 MiB by appending pieces of the given length.

void BM_aStringAppend(benchmark::State& state) {
    const std::string piece = Piece(state.range(0));
    for (auto _ : state) {
        aString text;
        for (unsigned long long built = 0; built < textLength; built += piece.size()) {
            text += piece.c_str();
        }
        benchmark::DoNotOptimize(text.getValue());
    }
    state.SetBytesProcessed(state.iterations() * textLength);
}

void BM_stdStringAppend(benchmark::State& state) {
    const std::string piece = Piece(state.range(0));
    for (auto _ : state) {
        std::string text;
        for (unsigned long long built = 0; built < textLength; built += piece.size()) {
            text += piece.c_str();
        }
        benchmark::DoNotOptimize(text.data());
    }
    state.SetBytesProcessed(state.iterations() * textLength);
}

// Comparing two equal 1 MiB texts: every byte is looked at.

void BM_aStringCompare(benchmark::State& state) {
    const aString one(Text().data(), Text().size());
    const aString other(one);
    for (auto _ : state) {
        benchmark::DoNotOptimize(one.compare(other));
    }
    state.SetBytesProcessed(state.iterations() * textLength);
}

void BM_stdStringCompare(benchmark::State& state) {
    const std::string one = Text();
    const std::string other = one;
    for (auto _ : state) {
        benchmark::DoNotOptimize(one.compare(other));
    }
    state.SetBytesProcessed(state.iterations() * textLength);
}

// Equality with a C string: aString makes a temporary string of it first.

void BM_aStringEqualsCString(benchmark::State& state) {
    const aString one(Text().data(), Text().size());
    const char* cString = Text().c_str();
    for (auto _ : state) {
        benchmark::DoNotOptimize(one == cString);
    }
    state.SetBytesProcessed(state.iterations() * textLength);
}

void BM_stdStringEqualsCString(benchmark::State& state) {
    const std::string one = Text();
    const char* cString = Text().c_str();
    for (auto _ : state) {
        benchmark::DoNotOptimize(one == cString);
    }
    state.SetBytesProcessed(state.iterations() * textLength);
}

// A new NUL-terminated copy of 1 MiB, which the caller releases. std::string's
// c_str() copies nothing, so the std side copies into a new array as aString does.

void BM_aStringGetAsCString(benchmark::State& state) {
    const aString text(Text().data(), Text().size());
    for (auto _ : state) {
        char* cString = text.getAsCString();
        benchmark::DoNotOptimize(cString);
        delete[] cString;
    }
    state.SetBytesProcessed(state.iterations() * textLength);
}

void BM_stdStringCopyToCString(benchmark::State& state) {
    const std::string text = Text();
    for (auto _ : state) {
        char* cString = new char[text.size() + 1];
        std::memcpy(cString, text.c_str(), text.size() + 1);
        benchmark::DoNotOptimize(cString);
        delete[] cString;
    }
    state.SetBytesProcessed(state.iterations() * textLength);
}

// A P-string with a one-byte length: the first 255 bytes of the text.

void BM_aStringGetAsPString(benchmark::State& state) {
    const aString text(Text().data(), Text().size());
    for (auto _ : state) {
        unsigned char* pString = text.getAsPString();
        benchmark::DoNotOptimize(pString);
        delete[] pString;
    }
}

void BM_stdStringCopyToPString(benchmark::State& state) {
    const std::string text = Text();
    for (auto _ : state) {
        auto count = text.size() < 255 ? text.size() : 255;
        // Known to the compiler, the count of 255 would become an inline string
        // move that starts slower than the memcpy aString calls.
        benchmark::DoNotOptimize(count);
        auto* pString = new unsigned char[count + 1];
        pString[0] = static_cast<unsigned char>(count);
        std::memcpy(pString + 1, text.data(), count);
        benchmark::DoNotOptimize(pString);
        delete[] pString;
    }
}

// The decimal text of the integer with the most digits and a sign.

void BM_aStringGetFromInteger(benchmark::State& state) {
    for (auto _ : state) {
        aString text = aString::GetFromInteger(-2147483647 - 1);
        benchmark::DoNotOptimize(text.getValue());
    }
}

void BM_stdToString(benchmark::State& state) {
    for (auto _ : state) {
        std::string text = std::to_string(-2147483647 - 1);
        benchmark::DoNotOptimize(text.data());
    }
}

} // namespace

BENCHMARK(BM_aStringAppend)->Arg(64)->Arg(1024);
BENCHMARK(BM_stdStringAppend)->Arg(64)->Arg(1024);
BENCHMARK(BM_aStringCompare);
BENCHMARK(BM_stdStringCompare);
BENCHMARK(BM_aStringEqualsCString);
BENCHMARK(BM_stdStringEqualsCString);
BENCHMARK(BM_aStringGetAsCString);
BENCHMARK(BM_stdStringCopyToCString);
BENCHMARK(BM_aStringGetAsPString);
BENCHMARK(BM_stdStringCopyToPString);
BENCHMARK(BM_aStringGetFromInteger);
BENCHMARK(BM_stdToString);
