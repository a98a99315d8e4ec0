// Entry of the Win32 test program: the locale as VORNEL.exe sets it.
#include <gtest/gtest.h>

#include <clocale>

#include "platform/com_apartment_win32.h"

int main(int argc, char** argv) {
    std::setlocale(LC_CTYPE, "");
    // The tests' thread is the program's user-interface thread.
    const vornel::ComApartment com;
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
