#include "estimation/sensitivity.h"

#include <gtest/gtest.h>

#include <cmath>

#include "estimation/validity_notes.h"

namespace vornel {
namespace {

SolverCase guideCase() {
    SolverCase c;
    c.title = "t";
    c.thetaCon = 59.0;
    c.pointDepth = 24.1;
    c.height = 2.0;
    c.period = 10.0;
    c.direction = 80.0;
    return c;
}

TEST(Sensitivity, PerturbedCasesMoveOneInputEach) {
    const SolverCase base = guideCase();
    SolverCase out;
    ASSERT_TRUE(perturbedCase(base, SENS_DIRECTION, -1, 5.0, out));
    EXPECT_DOUBLE_EQ(out.direction, 75.0);
    EXPECT_DOUBLE_EQ(out.thetaCon, base.thetaCon);
    SolverCase north = base;
    north.direction = 2.0;
    ASSERT_TRUE(perturbedCase(north, SENS_DIRECTION, -1, 5.0, out));
    EXPECT_DOUBLE_EQ(out.direction, 357.0);
    ASSERT_TRUE(perturbedCase(base, SENS_DEPTH, +1, 10.0, out));
    EXPECT_NEAR(out.pointDepth, 26.51, 1e-9);
    EXPECT_DOUBLE_EQ(out.period, 10.0);
    ASSERT_TRUE(perturbedCase(base, SENS_PERIOD, -1, 1.0, out));
    EXPECT_DOUBLE_EQ(out.period, 9.0);
    EXPECT_FALSE(perturbedCase(base, SENS_PERIOD, -1, 10.0, out));  // no period left to run
    EXPECT_FALSE(perturbedCase(base, SENS_TIP_DEPTH, +1, 10.0, out));
    EXPECT_FALSE(isPerturbed(SENS_TIP_DEPTH, base, 10.0));
    EXPECT_FALSE(isPerturbed(SENS_DIRECTION, base, 0.0));
    EXPECT_FALSE(needsSolverRun(SENS_HEIGHT));

    // Behind a breakwater, θcon moved across θdiff reads θ from the other side,
    // exactly where the solver's rounded values put the side.
    SolverCase sheltered = base;
    sheltered.thetaDiff = 240.0;  // δ = 59 - 240 = -181 → 179: θcon on the clockwise side
    sheltered.theta = 30.0;
    sheltered.tipDepth = 8.0;
    ASSERT_TRUE(perturbedCase(sheltered, SENS_THETA_CON, +1, 3.0, out));
    EXPECT_DOUBLE_EQ(out.thetaCon, 62.0);
    EXPECT_DOUBLE_EQ(out.theta, 330.0);
    ASSERT_TRUE(perturbedCase(sheltered, SENS_THETA_CON, -1, 3.0, out));
    EXPECT_DOUBLE_EQ(out.theta, 30.0);
    EXPECT_EQ(uncertaintyText(SENS_DIRECTION, 5.0), "±5.0°");
    EXPECT_EQ(uncertaintyText(SENS_DEPTH, 10.0), "±10%");
    EXPECT_EQ(uncertaintyText(SENS_PERIOD, 1.0), "±1.0s");
}

TEST(Sensitivity, CandidatesPairWithinThirtyDegreesAndCombine) {
    // Two Smax 10 candidates 40° apart: each keeps its own partner.
    const std::vector<ResultRow> base = {{10, 2.0, 100.0, 0}, {10, 2.5, 140.0, 0}, {75, 2.2, 355.0, 0}};
    const ResultRow moved[] = {{10, 2.1, 106.0, 0}, {10, 2.6, 131.0, 0}, {25, 2.0, 101.0, 0}, {75, 2.3, 3.0, 0}};
    EXPECT_DOUBLE_EQ(pairCandidate(base[0], moved, 4).thetaO, 106.0);
    EXPECT_DOUBLE_EQ(pairCandidate(base[1], moved, 4).thetaO, 131.0);
    EXPECT_DOUBLE_EQ(pairCandidate(base[2], moved, 4).thetaO, 3.0);  // across north
    const ResultRow far[] = {{10, 2.0, 131.0, 0}};
    EXPECT_FALSE(pairCandidate(base[0], far, 1).found);  // 31° is another wave
    EXPECT_DOUBLE_EQ(angleDifference(3.0, 355.0), 8.0);
    EXPECT_DOUBLE_EQ(angleDifference(180.0, 0.0), 180.0);

    SolverCase c = guideCase();
    Uncertainties u;
    std::vector<PerturbedRun> runs(2 * kSensitivityInputs);
    runs[2 * SENS_DIRECTION] = {true, {{10, 1.9, 95.0, 0}, {75, 2.2, 350.0, 0}}};
    runs[2 * SENS_DIRECTION + 1] = {true, {{10, 2.1, 106.0, 0}, {10, 2.6, 150.0, 0}, {75, 2.2, 1.0, 0}}};
    runs[2 * SENS_THETA_CON] = {true, {{10, 2.0, 98.0, 0}, {10, 2.5, 139.0, 0}, {75, 2.2, 354.0, 0}}};
    runs[2 * SENS_THETA_CON + 1] = {false, {}};  // a failed run pairs nothing
    const SensitivityTable t = buildSensitivity(c, base, u, runs);
    ASSERT_EQ(t.candidates.size(), 3u);
    const CandidateSensitivity& first = t.candidates[0];
    EXPECT_TRUE(first.perturbed[SENS_DIRECTION]);
    EXPECT_FALSE(first.perturbed[SENS_TIP_DEPTH]);
    EXPECT_DOUBLE_EQ(first.minus[SENS_DIRECTION].thetaO, 95.0);
    EXPECT_DOUBLE_EQ(first.plus[SENS_DIRECTION].thetaO, 106.0);
    EXPECT_FALSE(first.plus[SENS_THETA_CON].found);
    EXPECT_FALSE(first.complete);
    // H1/3 needs no run: Ho scales with it.
    EXPECT_DOUBLE_EQ(first.minus[SENS_HEIGHT].ho, 1.8);
    EXPECT_DOUBLE_EQ(first.plus[SENS_HEIGHT].thetaO, 100.0);
    EXPECT_DOUBLE_EQ(first.thetaLow, 95.0);
    EXPECT_DOUBLE_EQ(first.thetaHigh, 106.0);
    EXPECT_DOUBLE_EQ(first.hoLow, 1.8);
    EXPECT_DOUBLE_EQ(first.hoHigh, 2.2);
    // Largest change per input: direction 6°, θcon 2°; Ho 0.1 and 0.2 (height).
    EXPECT_NEAR(first.thetaRss, std::sqrt(36.0 + 4.0), 1e-12);
    EXPECT_NEAR(first.hoRss, std::sqrt(0.01 + 0.04), 1e-12);
    // The second Smax 10 candidate: +5° gives 150°, 10° away, nearest to 140.
    EXPECT_DOUBLE_EQ(t.candidates[1].plus[SENS_DIRECTION].thetaO, 150.0);
    EXPECT_FALSE(t.candidates[1].minus[SENS_DIRECTION].found);
    // Smax 75 across north: the range runs on from 355 instead of jumping.
    EXPECT_DOUBLE_EQ(t.candidates[2].thetaLow, 350.0);
    EXPECT_DOUBLE_EQ(t.candidates[2].thetaHigh, 361.0);

    // The report's lines: empty fields where a perturbed run had no candidate.
    const std::string report = sensitivityReportLines(t);
    EXPECT_TRUE(report.starts_with("感度\n項目,刻み,Smax,θo(－),θo(+),Ho(－),Ho(+)\n波向,±5.0°,10,95.0,106.0,1.900,2.100\n"));
    EXPECT_NE(report.find("θcon,±3.0°,10,98.0,,2.000,\n"), std::string::npos);
    EXPECT_NE(report.find("水深,±10%,10,,,,\n"), std::string::npos);
    EXPECT_NE(report.find("波高,±10%,10,100.0,100.0,1.800,2.200\n"), std::string::npos);
    EXPECT_NE(report.find("波向,±5.0°,75,350.0,1.0,2.200,2.200\n"), std::string::npos);
    EXPECT_EQ(report.find("回折水深"), std::string::npos);  // no breakwater, no tip depth
    const auto rows = sensitivityTableRows(t, {2.2, NAN, NAN});
    EXPECT_EQ(rows[0][0], L"Smax 10  θo 100.0  Ho 2.000");
    EXPECT_EQ(rows[1][0], L"　全体Ho 2.200");
    EXPECT_EQ(rows[3][4], L"候補なし");  // θcon +3°
    EXPECT_EQ(rows[7][1], L"合成");
    EXPECT_EQ(rows[7][2], L"一部なし");
    EXPECT_EQ(rows[7][3], L"95.0〜106.0");
    EXPECT_EQ(rows[8][0], L"Smax 10  θo 140.0  Ho 2.500");  // no whole-sea height given: no line for it
}

TEST(ValidityNotes, EachLimitAndNoneForAnOrdinaryCase) {
    const SolverCase ordinary = guideCase();
    const ResultRow rows[] = {{10, 2.855, 94.7, 0}, {25, 2.758, 86.6, 0}};
    EXPECT_TRUE(validityNotes(ordinary, NAN, rows, 2).empty());

    SolverCase breaking = ordinary;
    breaking.height = 0.4 * breaking.pointDepth;  // H1/3 / h = 0.4
    const auto notes = validityNotes(breaking, NAN, rows, 2);
    ASSERT_EQ(notes.size(), 1u);
    EXPECT_NE(notes[0].find("H1/3/h=0.40"), std::string::npos);

    SolverCase shallow = ordinary;
    shallow.pointDepth = 3.0;  // h/L0 = 3 / 156 = 0.019
    shallow.height = 0.5;
    EXPECT_NE(validityNotes(shallow, NAN, rows, 2).at(0).find("h/L0=0.019"), std::string::npos);

    const ResultRow alongshore[] = {{75, 3.2, 147.5, 0}, {10, 2.0, 59.0 - 74.0, 0}};
    const auto along = validityNotes(ordinary, NAN, alongshore, 2);
    ASSERT_EQ(along.size(), 1u);  // 88.5° off θcon is noted, 74° is not
    EXPECT_NE(along[0].find("147.5"), std::string::npos);

    SolverCase sheltered = ordinary;
    sheltered.thetaDiff = 240.0;
    sheltered.tipDepth = 8.0;
    // At 24.1 m and 10 s the wavelength is 129.6 m: 700 m is 5.4 of them.
    const auto near = validityNotes(sheltered, 700.0, rows, 2);
    ASSERT_EQ(near.size(), 1u);
    EXPECT_NE(near[0].find("5.4波長"), std::string::npos);
    EXPECT_TRUE(validityNotes(sheltered, 2000.0, rows, 2).empty());
    EXPECT_TRUE(validityNotes(ordinary, 700.0, rows, 2).empty());  // without diffraction no tip
}

}  // namespace
}  // namespace vornel
