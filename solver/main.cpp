// zelvo_v3: the inverse estimation program that VORNEL runs in its program folder. Without
// arguments it reads zelvo-in.txt there and leaves zelvo-out_<title>.tmp, .txt and .crv beside it;
// with the one argument --batch it reads zelvo-batch-in.txt and writes zelvo-batch-out_<title>.txt.
#include <cstdio>
#include <cstring>

#include "run.h"

int main(int argc, char** argv) {
    if (argc <= 1) return zelvo::runInCurrentFolder(stderr);
    if (argc == 2 && std::strcmp(argv[1], "--batch") == 0) return zelvo::runBatchInCurrentFolder(stderr);
    // Anything else is not a call this program knows: run nothing rather than guess.
    std::fprintf(stderr, "zelvo_v3: usage: zelvo_v3 [--batch]\n");
    return zelvo::EXIT_BAD_INPUT;
}
