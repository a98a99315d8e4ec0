// Entry of the Win32 test program: the locale as VORNEL.exe sets it.
#include <gtest/gtest.h>

#include <clocale>

int main(int argc, char** argv) {
    std::setlocale(LC_CTYPE, "");
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
