// A stand-in for zelvo_v3.exe used only by the tests of the solver exchange.
//
// It reads the title from line 1 of zelvo-in.txt in the current folder and
// copies fake-out.tmp to zelvo-out_<title>.tmp and fake-out.txt to
// zelvo-out_<title>.txt (and fake-out.crv to zelvo-out_<title>.crv), each only
// when the prepared file exists. It also keeps a copy of the input it saw as
// fake-seen-in.txt. When fake-hang exists it then never ends, as a damaged
// solver might; when fake-exit exists it ends with the status written there.
#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>
#include <thread>

static bool copyFile(const char* from, const std::string& to) {
    std::FILE* in = std::fopen(from, "rb");
    if (!in) return false;
    std::FILE* out = std::fopen(to.c_str(), "wb");
    if (!out) {
        std::fclose(in);
        return false;
    }
    char buffer[4096];
    std::size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, in)) > 0) std::fwrite(buffer, 1, n, out);
    std::fclose(in);
    std::fclose(out);
    return true;
}

int main() {
    std::FILE* in = std::fopen("zelvo-in.txt", "rb");
    if (!in) return 2;
    char line[512] = {};
    if (!std::fgets(line, sizeof line, in)) {
        std::fclose(in);
        return 2;
    }
    std::fclose(in);
    std::size_t len = std::strlen(line);
    while (len > 0 && (line[len - 1] == '\n' || line[len - 1] == '\r')) line[--len] = '\0';
    const std::string title(line, len);
    copyFile("zelvo-in.txt", "fake-seen-in.txt");
    copyFile("fake-out.tmp", "zelvo-out_" + title + ".tmp");
    copyFile("fake-out.txt", "zelvo-out_" + title + ".txt");
    copyFile("fake-out.crv", "zelvo-out_" + title + ".crv");
    if (std::FILE* hang = std::fopen("fake-hang", "rb")) {
        std::fclose(hang);
        for (;;) std::this_thread::sleep_for(std::chrono::seconds(1));
    }
    int status = 0;
    if (std::FILE* exit = std::fopen("fake-exit", "rb")) {
        if (std::fscanf(exit, "%d", &status) != 1) status = 0;
        std::fclose(exit);
    }
    return status;
}
