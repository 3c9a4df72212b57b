// Random sequences of every aString operation, each checked against a
// std::string model: contents, results, ids, and counts that must return to zero.
#include "FuzzCheck.h"
#include "StringArgument.h"
#include "aInteger.h"
#include "aString.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr std::size_t stringCount = 4;
// Just past the 65535-byte cut of short P-strings: every step copies strings
// this long, so a longer limit only slows the runs.
constexpr std::size_t longest = 0x10000 + 0x100;

bool holds(const aString& s, const std::string& model) {
    return s.getLength() == model.size() && std::equal(model.begin(), model.end(), s.getValue());
}

// Bytes compare as signed values, where std::string compares them unsigned.
int modelCompare(const std::string& mine, const std::string& theirs) {
    std::size_t shorter = std::min(mine.size(), theirs.size());
    for (std::size_t i = 0; i < shorter; ++i) {
        auto a = static_cast<signed char>(mine[i]), b = static_cast<signed char>(theirs[i]);
        if (a != b) {
            return a < b ? -1 : 1;
        }
    }
    if (mine.size() == theirs.size()) {
        return 0;
    }
    return mine.size() < theirs.size() ? -1 : 1;
}

std::string caseChanged(std::string text, bool upper) {
    char from = upper ? 'a' : 'A';
    for (char& c : text) {
        if (c >= from && c <= from + 25) {
            c = static_cast<char>(c ^ 0x20);
        }
    }
    return text;
}

class Run {
public:
    Run(const std::uint8_t* data, std::size_t size) : input(data, size) {
        for (std::size_t i = 0; i < stringCount; ++i) {
            auto made = std::make_unique<aString>();
            strings.push_back({std::move(made), "", aObject::objectIdCount});
        }
    }

    ModelledString& pick() {
        return strings[input.ConsumeIntegralInRange<std::size_t>(0, strings.size() - 1)];
    }
    StringArgument argument(const ModelledString& target, bool countForm) {
        return ReadStringArgument(input, strings, target, countForm);
    }
    unsigned long long position(const std::string& model) {
        return input.ConsumeBool()
                   ? input.ConsumeIntegral<unsigned long long>()
                   : input.ConsumeIntegralInRange<unsigned long long>(0, model.size() + 1);
    }
    // A result worth editing further is assigned into one of the strings.
    void keep(const aString& result, const std::string& model) {
        FUZZ_CHECK(holds(result, model));
        if (input.ConsumeBool()) {
            ModelledString& into = pick();
            into.string->assign(result);
            into.model = model;
        }
    }

    void checkAll() const {
        for (const auto& s : strings) {
            FUZZ_CHECK(s.string->getValue() != nullptr);
            FUZZ_CHECK(s.string->id == s.id);
            FUZZ_CHECK(holds(*s.string, s.model));
        }
        // Temporaries of an operation are gone once it returns.
        FUZZ_CHECK(aString::objectCount == static_cast<long long>(strings.size()));
        FUZZ_CHECK(aObject::objectCount == static_cast<long long>(strings.size()));
    }

    FuzzedDataProvider input;
    std::vector<ModelledString> strings;
};

bool fits(const std::string& model, const StringArgument& a) {
    return model.size() + a.bytes.size() <= longest;
}

void construct(Run& run) {
    ModelledString& target = run.pick();
    std::unique_ptr<aString> made;
    std::string model;
    if (run.input.ConsumeBool()) {
        made = std::make_unique<aString>();
    } else {
        StringArgument a = run.argument(target, true);
        WithArgument(a, [&](const auto&... value) { made = std::make_unique<aString>(value...); });
        model = a.bytes;
    }
    FUZZ_CHECK(made->id == aObject::objectIdCount);
    target = {std::move(made), model, aObject::objectIdCount};
}

void assign(Run& run) {
    ModelledString& target = run.pick();
    aString& s = *target.string;
    if (run.input.ConsumeBool()) {
        s.assign();
        target.model.clear();
        return;
    }
    StringArgument a = run.argument(target, true);
    if (a.form != StringForm::bytesAndCount && run.input.ConsumeBool()) {
        WithSingle(a, [&](const auto& value) { FUZZ_CHECK(&(s = value) == &s); });
    } else {
        WithArgument(a, [&](const auto&... value) { s.assign(value...); });
    }
    target.model = a.bytes;
}

void compare(Run& run) {
    ModelledString& target = run.pick();
    const aString& s = *target.string;
    StringArgument a = run.argument(target, true);
    int expected = modelCompare(target.model, a.bytes);
    WithArgument(a, [&](const auto&... value) { FUZZ_CHECK(s.compare(value...) == expected); });
    WithSingle(a, [&](const auto& value) {
        FUZZ_CHECK((s == value) == (expected == 0));
        FUZZ_CHECK((s != value) == (expected != 0));
        FUZZ_CHECK((s < value) == (expected < 0));
        FUZZ_CHECK((s > value) == (expected > 0));
        FUZZ_CHECK((s <= value) == (expected <= 0));
        FUZZ_CHECK((s >= value) == (expected >= 0));
    });
}

void concatenate(Run& run) {
    ModelledString& target = run.pick();
    aString& s = *target.string;
    StringArgument a = run.argument(target, true);
    if (!fits(target.model, a)) {
        return;
    }
    if (a.form != StringForm::bytesAndCount && run.input.ConsumeBool()) {
        WithSingle(a, [&](const auto& value) { FUZZ_CHECK(&(s += value) == &s); });
    } else {
        WithArgument(a, [&](const auto&... value) { s.concatenate(value...); });
    }
    target.model += a.bytes;
}

void concatenated(Run& run) {
    ModelledString& source = run.pick();
    const aString& s = *source.string;
    StringArgument a = run.argument(source, true);
    if (!fits(source.model, a)) {
        return;
    }
    std::string expected = source.model + a.bytes;
    if (a.form != StringForm::bytesAndCount && run.input.ConsumeBool()) {
        WithSingle(a, [&](const auto& value) { run.keep(s + value, expected); });
    } else {
        WithArgument(a,
                     [&](const auto&... value) { run.keep(s.concatenated(value...), expected); });
    }
}

void insert(Run& run) {
    ModelledString& target = run.pick();
    StringArgument a = run.argument(target, true);
    if (!fits(target.model, a)) {
        return;
    }
    unsigned long long position = run.position(target.model);
    WithArgument(a, [&](const auto&... value) { target.string->insert(value..., position); });
    target.model.insert(std::min<unsigned long long>(position, target.model.size()), a.bytes);
}

void left(Run& run) {
    ModelledString& target = run.pick();
    unsigned long long count = run.position(target.model);
    std::string expected =
        count > target.model.size() ? target.model : target.model.substr(0, count);
    if (run.input.ConsumeBool()) {
        run.keep(target.string->lefted(count), expected);
    } else {
        target.string->left(count);
        target.model = expected;
    }
}

void changeCase(Run& run) {
    ModelledString& target = run.pick();
    aString& s = *target.string;
    bool upper = run.input.ConsumeBool();
    std::string expected = caseChanged(target.model, upper);
    if (run.input.ConsumeBool()) {
        run.keep(upper ? s.uppercased() : s.lowercased(), expected);
        return;
    }
    const char* before = s.getValue();
    upper ? s.uppercase() : s.lowercase();
    FUZZ_CHECK(s.getValue() == before); // in place, no new array
    target.model = expected;
}

// A P-string array: its prefix must read back as the count kept, then the bytes.
template <typename Reader>
void checkPrefixed(unsigned char* array, std::size_t prefix, unsigned long long maximum,
                   Reader readLength, const std::string& model) {
    std::unique_ptr<unsigned char[]> owned(array);
    unsigned long long kept = std::min<unsigned long long>(model.size(), maximum);
    FUZZ_CHECK(readLength(array) == kept);
    FUZZ_CHECK(std::string(reinterpret_cast<char*>(array) + prefix, kept) == model.substr(0, kept));
}

void checkCString(char* array, const std::string& model) {
    std::unique_ptr<char[]> owned(array);
    FUZZ_CHECK(std::string(array, model.size() + 1) == model + '\0');
    FUZZ_CHECK(aString::GetCStringLength(array) == std::min(model.find('\0'), model.size()));
}

void convert(Run& run) {
    const ModelledString& source = run.pick();
    const aString& s = *source.string;
    const std::string& m = source.model;
    char first = m.empty() ? 0 : m[0];
    FUZZ_CHECK(s.getAsChar() == first && static_cast<char>(s) == first);
    FUZZ_CHECK(s.getAsUnsignedChar() == static_cast<unsigned char>(first));
    FUZZ_CHECK(static_cast<unsigned char>(s) == static_cast<unsigned char>(first));
    switch (run.input.ConsumeIntegralInRange(0, 5)) {
    case 0:
        checkCString(s.getAsCString(), m);
        break;
    case 1:
        checkCString(static_cast<char*>(s), m);
        break;
    case 2:
        checkPrefixed(s.getAsPString(), 1, 0xFF, aString::GetPStringLength, m);
        break;
    case 3:
        checkPrefixed(static_cast<unsigned char*>(s), 1, 0xFF, aString::GetPStringLength, m);
        break;
    case 4:
        checkPrefixed(s.getAsShortPString(), 2, 0xFFFF, aString::GetShortPStringLength, m);
        break;
    case 5:
        checkPrefixed(s.getAsLongPString(), 4, 0xFFFFFFFF, aString::GetLongPStringLength, m);
        break;
    }
}

void index(Run& run) {
    ModelledString& target = run.pick();
    if (target.model.empty()) {
        return;
    }
    auto i = run.input.ConsumeIntegralInRange<std::size_t>(0, target.model.size() - 1);
    char value = run.input.ConsumeIntegral<char>();
    const aString& reader = *target.string;
    FUZZ_CHECK(reader[i] == target.model[i]);
    (*target.string)[i] = value;
    target.model[i] = value;
}

void text(Run& run) {
    int value = run.input.ConsumeIntegral<int>();
    auto magnitude = static_cast<unsigned int>(value);
    switch (run.input.ConsumeIntegralInRange(0, 3)) {
    case 0:
        run.keep(aString::GetFromInteger(value), std::to_string(value));
        break;
    case 1:
        run.keep(aString::GetFromUnsignedInteger(magnitude), std::to_string(magnitude));
        break;
    case 2:
        run.keep(aInteger(value).toString(), std::to_string(value));
        break;
    case 3:
        run.keep(aString::GetEndOfLine(), "\r");
        break;
    }
}

constexpr std::array operations = {construct,    assign, compare, concatenate,
                                   concatenated, insert, left,    changeCase,
                                   convert,      index,  text};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    {
        Run run(data, size);
        while (run.input.remaining_bytes() > 0) {
            operations[run.input.ConsumeIntegralInRange<std::size_t>(0, operations.size() - 1)](
                run);
            run.checkAll();
        }
    }
    FUZZ_CHECK(aString::objectCount == 0);
    FUZZ_CHECK(aObject::objectCount == 0);
    return 0;
}
