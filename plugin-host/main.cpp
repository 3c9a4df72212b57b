// plugin-host <module or bundle> <function> <values...>: loads a plug-in, calls
// one of the two mathplugin functions with the values and prints the result.
#include "aPluginModule.h"
#include "mathplugin.h"

#include <charconv>
#include <cstdio>
#include <limits>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace {

constexpr int usageStatus = 2;

// The whole of text as a T: no sign other than '-', no spaces, nothing after.
template <typename T>
T ParseInteger(const std::string& text) {
    T value{};
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    if (text.empty() || error != std::errc() || stop != end) {
        throw std::runtime_error("\"" + text + "\" is not a " +
                                 std::to_string(std::numeric_limits<T>::digits + 1) +
                                 "-bit integer");
    }
    return value;
}

template <typename Function>
Function* LookUp(const aPluginModule& module, const char* name) {
    Function* function = module.lookUp<Function>(name);
    if (function == nullptr) {
        throw std::runtime_error(std::string("the plug-in does not export ") + name);
    }
    return function;
}

void CallOnePlus(const aPluginModule& module, const std::vector<std::string>& values) {
    if (values.size() != 1) {
        throw std::runtime_error("OnePlus takes exactly one value");
    }
    const int32_t value = ParseInteger<int32_t>(values[0]);
    std::printf("%d\n", static_cast<int>(LookUp<decltype(OnePlus)>(module, "OnePlus")(value)));
}

void CallSumShortArray(const aPluginModule& module, const std::vector<std::string>& texts) {
    std::vector<int16_t> values;
    for (const std::string& text : texts) {
        values.push_back(ParseInteger<int16_t>(text));
    }
    const double sum = LookUp<decltype(SumShortArray)>(module, "SumShortArray")(
        values.data(), static_cast<int32_t>(values.size()));
    // %.17g prints a whole number without a fraction and, below 2^53, digit
    // for digit; every sum of 16-bit values is such a number.
    std::printf("%.17g\n", sum);
}

using Call = void (*)(const aPluginModule&, const std::vector<std::string>&);

struct Command {
    std::string_view name;
    Call call;
};

constexpr Command commands[] = {
    {"OnePlus", CallOnePlus},
    {"SumShortArray", CallSumShortArray},
};

Call FindCommand(std::string_view name) {
    for (const Command& command : commands) {
        if (command.name == name) {
            return command.call;
        }
    }
    throw std::runtime_error("unknown function " + std::string(name));
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: plugin-host <module or bundle> OnePlus|SumShortArray "
                             "<values...>\n");
        return usageStatus;
    }
    try {
        const Call call = FindCommand(argv[2]);
        const aPluginModule module(argv[1]);
        call(module, std::vector<std::string>(argv + 3, argv + argc));
    } catch (const std::exception& error) {
        std::fprintf(stderr, "plugin-host: %s\n", error.what());
        return 1;
    }
    return 0;
}
