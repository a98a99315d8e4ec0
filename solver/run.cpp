#include "run.h"

#include <cstdio>
#include <exception>
#include <string>

#include "batch.h"
#include "case_input.h"
#include "inverse.h"
#include "named_files.h"
#include "response_file.h"
#include "result_files.h"

namespace zelvo {

namespace {

// A larger file is not one the main program wrote.
constexpr std::size_t kMaxInputBytes = 64 * 1024;

bool readInput(std::string& bytes) {
    std::FILE* f = std::fopen(kInputFileName, "rb");
    if (!f) return false;
    char buffer[4096];
    std::size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0 && bytes.size() < kMaxInputBytes) bytes.append(buffer, n);
    const bool ok = !std::ferror(f);
    std::fclose(f);
    return ok;
}

// The whole file, refused (tooLarge) beyond `limit` bytes rather than cut.
enum class Read { ok, unreadable, tooLarge };
Read readWhole(const char* name, std::size_t limit, std::string& bytes) {
    std::FILE* f = std::fopen(name, "rb");
    if (!f) return Read::unreadable;
    char buffer[65536];
    std::size_t n;
    bool tooLarge = false;
    while (!tooLarge && (n = std::fread(buffer, 1, sizeof buffer, f)) > 0) {
        tooLarge = bytes.size() + n > limit;
        if (!tooLarge) bytes.append(buffer, n);
    }
    const bool ok = !std::ferror(f);
    std::fclose(f);
    return !ok ? Read::unreadable : tooLarge ? Read::tooLarge : Read::ok;
}

bool writeWhole(const std::string& name, const std::string& bytes) {
    std::FILE* f = openNamedFile(name, "wb");
    if (!f) return false;
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    const bool closed = std::fclose(f) == 0;
    return written && closed;
}

int fail(std::FILE* errors, int code, const std::string& line) {
    std::fprintf(errors, "zelvo_v3: %s\n", line.c_str());
    return code;
}

int run(std::FILE* errors) {
    std::string bytes;
    if (!readInput(bytes)) return fail(errors, EXIT_BAD_INPUT, std::string("cannot read ") + kInputFileName);
    CaseInput input;
    std::string why;
    if (!parseCaseInput(bytes, input, why)) return fail(errors, EXIT_BAD_INPUT, why);
    if (!checkTitle(input.title, why)) return fail(errors, EXIT_BAD_TITLE, why);

    const Observation observed = input.observation();
    SiteResponse response(observed.site, observed.period);
    const std::vector<Candidate> candidates = estimateOffshoreWaves(response, observed.height, observed.direction);

    // The report and the response file first: the main program waits for the result file, so it
    // is written last, and a failure of any removes all three.
    const std::string names[] = {reportFileName(input.title), responseFileName(input.title),
                                 resultFileName(input.title)};
    const std::string contents[] = {formatReport(input, candidates), formatResponseFile(candidates, response),
                                    formatResultFile(input, candidates)};
    for (int i = 0; i < 3; ++i) {
        if (!writeWhole(names[i], contents[i])) {
            for (const std::string& name : names) removeNamedFile(name);
            return fail(errors, EXIT_WRITE_FAILED, "cannot write " + names[i]);
        }
    }
    return EXIT_OK;
}

int runBatch(std::FILE* errors) {
    std::string bytes;
    switch (readWhole(kBatchInputFileName, kMaxBatchInputBytes, bytes)) {
        case Read::unreadable:
            return fail(errors, EXIT_BAD_INPUT, std::string("cannot read ") + kBatchInputFileName);
        case Read::tooLarge:
            return fail(errors, EXIT_BAD_INPUT,
                        std::string(kBatchInputFileName) + " is larger than " +
                            std::to_string(kMaxBatchInputBytes / (1024 * 1024)) + " MB");
        case Read::ok:
            break;
    }
    BatchInput input;
    std::string why;
    if (!parseBatchInput(bytes, input, why)) return fail(errors, EXIT_BAD_INPUT, why);
    if (!checkTitle(input.site.title, why)) return fail(errors, EXIT_BAD_TITLE, why);

    const std::string text = formatBatchOutput(estimateRecords(input));
    const std::string part = batchPartFileName(input.site.title);
    const std::string name = batchOutputFileName(input.site.title);
    if (!writeWhole(part, text) || !replaceNamedFile(part, name)) {
        removeNamedFile(part);
        return fail(errors, EXIT_WRITE_FAILED, "cannot write " + name);
    }
    return EXIT_OK;
}

}  // namespace

int runInCurrentFolder(std::FILE* errors) {
    try {
        return run(errors);
    } catch (const std::exception& e) {
        return fail(errors, EXIT_INTERNAL, std::string("internal error: ") + e.what());
    }
}

int runBatchInCurrentFolder(std::FILE* errors) {
    try {
        return runBatch(errors);
    } catch (const std::exception& e) {
        return fail(errors, EXIT_INTERNAL, std::string("internal error: ") + e.what());
    }
}

}  // namespace zelvo
