// The solver's own exp and log against the C library's, over the ranges the integration uses.
#include "fast_math.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

using namespace zelvo;

TEST(FastMath, ExpAndLogAgreeWithTheLibraryToTwoUnitsInTheLastPlace) {
    std::mt19937_64 random(7);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    double worstExp = 0.0, worstLog = 0.0;
    for (int i = 0; i < 200000; ++i) {
        // Powers of the spreading function: down to -708, most of them near 0.
        const double x = i % 2 ? -708.0 * unit(random) : -std::pow(10.0, -12.0 + 14.0 * unit(random));
        worstExp = std::max(worstExp, std::fabs(expOfNegative(x) - std::exp(x)) / std::exp(x));
        // Half-angle cosines from 1e-17 to 1, and values about 1.
        const double y = i % 3 ? std::pow(10.0, -17.0 * unit(random)) : 1.0 + 1e-6 * (unit(random) - 0.5);
        worstLog = std::max(worstLog, std::fabs(logOfPositive(y) - std::log(y)) / std::max(std::fabs(std::log(y)), 1e-300));
    }
    EXPECT_LT(worstExp, 4.5e-16);
    EXPECT_LT(worstLog, 4.5e-16);
    EXPECT_EQ(expOfNegative(0.0), 1.0);
    EXPECT_EQ(expOfNegative(-708.5), 0.0);  // no normal double: nothing arrives from there
    EXPECT_NEAR(expOfNegative(1e-16), 1.0, 4e-16);
    EXPECT_EQ(logOfPositive(1.0), 0.0);
    EXPECT_EQ(logOfPositive(0.0), -HUGE_VAL);
    EXPECT_EQ(logOfPositive(2.0), std::log(2.0));
    EXPECT_NEAR(logOfPositive(0x1p-1030), std::log(0x1p-1030), 1e-12);  // subnormal: the library's
}
