// zelvo_v3: the inverse estimation program that VORNEL runs in its program folder, without
// arguments. It reads zelvo-in.txt there and leaves zelvo-out_<title>.tmp and .txt beside it.
#include <cstdio>

#include "run.h"

int main() {
    return zelvo::runInCurrentFolder(stderr);
}
