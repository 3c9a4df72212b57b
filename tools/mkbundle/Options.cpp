#include "Options.h"

const char* const usageText =
    "usage: mkbundle [--launch NAME] [--identifier ID] [--launcher PATH] [--force]\n"
    "                -o NAME.app PROGRAM [RESOURCE...]\n"
    "Writes NAME.app: the launcher as Contents/MacOS/NAME, an Info.plist, and PROGRAM\n"
    "and the other resources in Contents/Resources. Opening the bundle starts the\n"
    "resource named by --launch (default: PROGRAM's file name).\n";

BundleOptions ParseOptions(const std::vector<std::string>& arguments) {
    BundleOptions options;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        auto value = [&]() -> const std::string& {
            if (i + 1 >= arguments.size()) {
                throw UsageError{argument + " needs a value"};
            }
            return arguments[++i];
        };
        if (argument == "-h" || argument == "--help") {
            options.help = true;
        } else if (argument == "-o" || argument == "--output") {
            options.output = value();
        } else if (argument == "--launch") {
            options.launchName = value();
        } else if (argument == "--identifier") {
            options.identifier = value();
        } else if (argument == "--launcher") {
            options.launcher = value();
        } else if (argument == "--force") {
            options.force = true;
        } else if (argument == "--") {
            options.resources.insert(options.resources.end(), arguments.begin() + i + 1,
                                     arguments.end());
            break;
        } else if (argument.size() > 1 && argument[0] == '-') {
            throw UsageError{"unknown option " + argument};
        } else {
            options.resources.emplace_back(argument);
        }
    }
    if (options.help) {
        return options;
    }
    if (options.output.empty()) {
        throw UsageError{"no output bundle (-o NAME.app)"};
    }
    if (options.resources.empty()) {
        throw UsageError{"no program to wrap"};
    }
    return options;
}
