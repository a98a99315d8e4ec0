// vornel-contour natively (the build the tests and benchmarks run): UTF-8
// arguments and messages, the written path as the last line of standard output.
#include <cstdio>
#include <filesystem>
#include <vector>

#include "contour_command.h"
#include "input_error.h"
#include "m7000_writer.h"
#include "messages.h"
#include "native_file.h"

int main(int argc, char** argv) {
    using namespace gridcontour;
    std::vector<std::filesystem::path> arguments(argv + 1, argv + argc);
    ContourOptions options;
    try {
        options = parseArguments(arguments);
    } catch (const InputError& error) {
        std::fprintf(stderr, "vornel-contour: %s\n", error.what());
        return 2;
    }
    if (options.help) {
        std::printf("%s\n", msg::help().c_str());
        return 0;
    }
    std::error_code ignored;
    options.reservedCodes = codesKnownToVornel(std::filesystem::canonical("/proc/self/exe", ignored).parent_path());
    const ContourOutcome outcome = runContour(options);
    if (outcome.exitCode != 0) {
        std::fprintf(stderr, "vornel-contour: %s\n", outcome.message.c_str());
        return outcome.exitCode;
    }
    std::printf("%s\n%s\n", outcome.message.c_str(), utf8Of(outcome.written).c_str());
    return 0;
}
