// mkbundle: wraps a program in an application bundle that the launcher opens.

#include "BundlePlan.h"
#include "BundleWriter.h"
#include "Options.h"

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

namespace {

constexpr int refusedStatus = 1;
constexpr int usageStatus = 2;

int fail(int status, const std::string& message) {
    std::fprintf(stderr, "mkbundle: %s\n", message.c_str());
    return status;
}

} // namespace

int main(int argc, char** argv) {
    try {
        BundleOptions options = ParseOptions(std::vector<std::string>(argv + 1, argv + argc));
        if (options.help) {
            std::fputs(usageText, stdout);
            return 0;
        }
        std::error_code error;
        std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
        WriteBundle(PlanBundle(options, error ? std::filesystem::path(argv[0]) : self));
        return 0;
    } catch (const UsageError& usage) {
        return fail(usageStatus, usage.message + " (mkbundle --help tells more)");
    } catch (const BundleRefusal& refusal) {
        return fail(refusedStatus, refusal.message);
    } catch (const std::filesystem::filesystem_error& error) {
        return fail(refusedStatus, error.what());
    }
}
