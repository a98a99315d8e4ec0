#include "fuzz_support.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "bathymetry/data_folder.h"
#include "platform/forwarding_platform.h"
#include "platform/text.h"
#include "shell/app_state.h"

namespace vornel::fuzz {

namespace {

// The system platform with the warning boxes dropped: a fuzz run shows
// thousands of them, and what they say is checked by the native tests.
class QuietPlatform : public ForwardingPlatform {
public:
    QuietPlatform() : ForwardingPlatform(systemPlatform()) {}
    void warn(WindowRef, std::wstring_view, std::wstring_view) override {}
};

std::string folder;

void removeFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
}

}  // namespace

const std::string& programFolder() {
    if (!folder.empty()) return folder;
    static QuietPlatform quiet;
    setPlatform(&quiet);
    // Every input is written to a file: on a memory file system when there is one.
    std::error_code noShm;
    const std::filesystem::path base = std::filesystem::is_directory("/dev/shm", noShm)
                                           ? std::filesystem::path("/dev/shm")
                                           : std::filesystem::temp_directory_path();
    std::string pattern = (base / "vornel_fuzz_XXXXXX").string();
    if (!mkdtemp(pattern.data())) {
        std::perror("mkdtemp");
        std::abort();
    }
    folder = pattern;
    std::atexit(removeFolder);
    std::filesystem::create_directories(folder + "/Db01");
    resetAppState();
    dataFolders().programFolder = widen(folder);
    return folder;
}

void writeFile(const std::string& relative, const std::uint8_t* data, std::size_t size) {
    const std::filesystem::path path = programFolder() + "/" + relative;
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) {
        std::filesystem::create_directories(path.parent_path());
        f = std::fopen(path.c_str(), "wb");
    }
    if (!f) {
        std::perror(path.c_str());
        std::abort();
    }
    if (size > 0 && std::fwrite(data, 1, size, f) != size) std::abort();
    if (std::fclose(f) != 0) std::abort();
}

void removeFile(const std::string& relative) {
    std::remove((programFolder() + "/" + relative).c_str());
}

void makeFolder(const std::string& relative) {
    std::filesystem::create_directories(programFolder() + "/" + relative);
}

std::string sampleContourFile() {
    return "      5.00    5                                  N 36 00'00.000\" E138 30'00.000\"\r\n"
           "  43181.94 212080.00  43222.81 212160.00  43279.00 212240.00  43350.40 212320.00\r\n"
           "  43520.00 212468.54\r\n"
           "     10.00    2\r\n"
           "  43000.00 212000.00  44000.00 213000.00\r\n"
           "   1000.00    5\r\n"
           "      0.00      0.00      0.00      0.00      0.00      0.00      0.00      0.00\r\n"
           "      0.00      0.00\r\n";
}

}  // namespace vornel::fuzz
