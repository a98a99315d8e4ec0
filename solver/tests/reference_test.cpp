// Comparison with the reference values of directional random-wave transformation (Goda's
// definitions; tables computed from them). The differences are printed for the record.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>

#include "angles.h"
#include "dispersion.h"
#include "sea_state.h"
#include "transform.h"

using namespace zelvo;

namespace {

constexpr double kAngles[9] = {-60, -45, -30, -15, 0, 15, 30, 45, 60};

}  // namespace

TEST(Reference, CumulativeRelativeEnergyAndFarFieldDiffraction) {
    const struct {
        int smax;
        double pe[9];
    } table[] = {{10, {.044, .100, .194, .332, .500, .668, .806, .900, .956}},
                 {25, {.012, .036, .102, .255, .500, .745, .898, .964, .988}},
                 {75, {.002, .006, .026, .136, .500, .864, .974, .994, .998}}};
    double worst = 0.0;
    for (const auto& row : table) {
        std::printf("P_E Smax %2d differences:", row.smax);
        for (int i = 0; i < 9; ++i) {
            const double d = cumulativeRelativeEnergy(row.smax, kAngles[i], 90.0) - row.pe[i];
            std::printf(" %+.4f", d);
            worst = std::max(worst, std::fabs(d));
            // Three printed decimals: 0.0005 of rounding and a little for the table's own grid.
            EXPECT_NEAR(d, 0.0, 1e-3) << "Smax " << row.smax << " at " << kAngles[i];
        }
        std::printf("\n");
    }
    const double phi[7] = {-30, -15, 0, 15, 30, 45, 60};
    const struct {
        int smax;
        double kd[7];
    } farField[] = {{10, {.894, .815, .707, .576, .440, .316, .210}}, {75, {.987, .929, .707, .369, .162, .080, .044}}};
    for (const auto& row : farField) {
        std::printf("Kd  Smax %2d differences:", row.smax);
        for (int i = 0; i < 7; ++i) {
            const double d = std::sqrt(cumulativeRelativeEnergy(row.smax, -phi[i], 90.0)) - row.kd[i];
            std::printf(" %+.4f", d);
            // On the lit side the table lies below the square root of its own P_E by up to 0.004; deep
            // in the shadow the square root magnifies the P_E differences above.
            EXPECT_NEAR(d, 0.0, phi[i] < 0.0 ? 4e-3 : 1.5e-3) << "Smax " << row.smax << " at " << phi[i];
        }
        std::printf("\n");
    }
    std::printf("largest P_E difference %.4f\n", worst);
}

TEST(Reference, RefractionOverStraightParallelContours) {
    // Kr_eff and the mean direction after refraction (Kr^2-weighted, degrees from the normal).
    const double relativeDepth[5] = {0.5, 0.2, 0.1, 0.05, 0.02};
    const struct {
        int smax;
        double alpha0;
        double kr[5];
        double dir[5];
        double directionTolerance;
    } table[] = {
        {10, 0, {.995, .978, .957, .938, .924}, {0, 0, 0, 0, 0}, 0.05},
        {10, 30, {.991, .958, .926, .903, .886}, {25.6, 20.9, 15.6, 11.0, 6.9}, 1.0},
        {10, 60, {.976, .900, .844, .809, .785}, {46.1, 37.5, 28.5, 20.5, 12.9}, 1.7},
        {75, 0, {1.000, .998, .995, .991, .987}, {0, 0, 0, 0, 0}, 0.05},
        {75, 30, {.998, .983, .962, .943, .927}, {29.5, 26.6, 21.9, 16.6, 10.8}, 0.1},
        {75, 60, {.983, .897, .818, .765, .730}, {57.7, 50.3, 40.1, 29.7, 19.0}, 0.1},
    };
    const double T = 10.0;
    for (const auto& row : table) {
        std::printf("Kr/dir Smax %2d a0 %2.0f differences:", row.smax, row.alpha0);
        for (int i = 0; i < 5; ++i) {
            Site site;
            site.contourNormal = 30.0;
            site.pointDepth = relativeDepth[i] * deepWaterLength(T);
            const Transformation t = ForwardModel(site, T, row.smax).evaluate(30.0 + row.alpha0);
            const double dKr = t.refraction - row.kr[i];
            const double dDir = signed180(t.refractedDirection - 30.0) - row.dir[i];
            std::printf(" %+.4f/%+.2f", dKr, dDir);
            EXPECT_NEAR(dKr, 0.0, 2.5e-3)
                << "Smax " << row.smax << " a0 " << row.alpha0 << " h/L0 " << relativeDepth[i];
            EXPECT_NEAR(dDir, 0.0, row.directionTolerance)
                << "Smax " << row.smax << " a0 " << row.alpha0 << " h/L0 " << relativeDepth[i];
        }
        std::printf("\n");
    }
    const double regularKr[5] = {.995, .885, .796, .750, .724};
    const double regularDir[5] = {59.6, 50.3, 37.9, 27.4, 17.5};
    for (int i = 0; i < 5; ++i) {
        Site site;
        site.pointDepth = relativeDepth[i] * deepWaterLength(T);
        const Transformation t = ForwardModel(site, T, 1e6, true).evaluate(60.0);
        EXPECT_NEAR(t.refraction, regularKr[i], 6e-4);
        EXPECT_NEAR(t.refractedDirection, regularDir[i], 0.06);
    }
}
