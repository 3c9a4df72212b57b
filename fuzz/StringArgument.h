// A string argument of aString in any of its six forms, read from fuzz input,
// with the bytes it stands for as the model sees them.
#pragma once

#include "aString.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <memory>
#include <string>
#include <vector>

/// One string under test beside its model and the id it must keep.
struct ModelledString {
    std::unique_ptr<aString> string;
    std::string model;
    unsigned long long id;
};

enum class StringForm { string, character, unsignedCharacter, cString, pString, bytesAndCount };

struct StringArgument {
    StringForm form;
    /// The bytes the argument stands for when the call begins.
    std::string bytes;
    const aString* other = nullptr;
    char character = 0;
    const char* pointer = nullptr;
    unsigned long long count = 0;
    /// Fresh pointer arguments live here, in exactly their size, so that the
    /// sanitizer catches a read past their end.
    std::unique_ptr<char[]> storage;
};

/// Reads an argument of one of the five single forms, or of all six when
/// `countForm`. The string form picks any of `strings`; the pointer forms may
/// point into `target`'s own bytes.
StringArgument ReadStringArgument(FuzzedDataProvider& input,
                                  const std::vector<ModelledString>& strings,
                                  const ModelledString& target, bool countForm);

/// Calls `use` with the argument as its one parameter: never for the
/// pointer-and-count form.
template <typename Use>
void WithSingle(const StringArgument& argument, Use&& use) {
    switch (argument.form) {
    case StringForm::string:
        use(*argument.other);
        break;
    case StringForm::character:
        use(argument.character);
        break;
    case StringForm::unsignedCharacter:
        use(static_cast<unsigned char>(argument.character));
        break;
    case StringForm::cString:
        use(argument.pointer);
        break;
    case StringForm::pString:
        use(reinterpret_cast<const unsigned char*>(argument.pointer));
        break;
    case StringForm::bytesAndCount:
        break;
    }
}

/// Calls `use` with the argument as the parameters of its form: a pointer and a
/// count for that form, one value for the others.
template <typename Use>
void WithArgument(const StringArgument& argument, Use&& use) {
    if (argument.form == StringForm::bytesAndCount) {
        use(argument.pointer, argument.count);
    } else {
        WithSingle(argument, use);
    }
}
