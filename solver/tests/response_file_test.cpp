// The response file: its layout, and its curves against the program's own candidates.
#include "response_file.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include "angles.h"
#include "program_folder.h"

using namespace zelvo;

TEST(ResponseFile, CurveAndCandidateTokens) {
    Transformation none;
    none.shorewardShare = 0.5;
    EXPECT_EQ(curveTokens(10, 58.8, -89.5, none), "10 -30.7 - 0.000000 0.50000");

    Transformation t;
    t.reached = true;
    t.coefficient = 0.87654321;
    t.shorewardShare = 0.999996;
    t.direction = 359.9999999;  // just left of north: the offset rounds to zero, without a sign
    EXPECT_EQ(curveTokens(25, 0.0, 0.0, t), "25 0.0 0.000 0.876543 1.00000");
    t.direction = 10.0;  // neither theta_o nor the direction is reduced: the curve runs on past 360
    EXPECT_EQ(curveTokens(75, 350.0, 80.0, t), "75 430.0 370.000 0.876543 1.00000");
    t.direction = 300.0;
    EXPECT_EQ(curveTokens(75, 350.0, -80.0, t), "75 270.0 300.000 0.876543 1.00000");

    Candidate c;
    c.smax = 25;
    c.offshoreHeight = 2.7566;
    c.offshoreDirection = 359.96;  // as the result file prints it
    c.transformation.shorewardShare = 0.986234;
    EXPECT_EQ(candidateTokens(c), "25 2.757 0.0 0.98623");
}

namespace {

struct CurvePoint {
    int smax;
    double thetaO;
    bool reached;
    double dirPoint, k, share;
};

class Response : public ProgramFolder {
protected:
    // Runs one case and checks the response file against the result file and the curves against
    // the candidates.
    void check(const std::string& title, double contourNormal, bool diffraction, double height, double direction,
               const std::string& siteLines) {
        char waveLines[128];
        std::snprintf(waveLines, sizeof waveLines, "h13***|%5.2f\r\nt13***| 9.00\r\ndir***|%5.1f\r\n", height,
                      direction);
        writeInput(title + "\r\n" + siteLines + waveLines);
        ASSERT_EQ(run(), 0) << errors_;
        const std::vector<std::string> lines = crlfLines(read("zelvo-out_" + title + ".crv"));
        std::vector<std::vector<std::string>> rows;
        for (const std::string& line : crlfLines(read("zelvo-out_" + title + ".tmp"))) {
            if (line.empty()) break;
            rows.push_back(tokens(line));
        }
        rows.erase(rows.begin());  // the header

        ASSERT_GE(lines.size(), 4u);
        EXPECT_EQ(lines[0].rfind("zelvo_v3 response ", 0), 0u) << lines[0];
        ASSERT_EQ(lines[1], "candidates " + std::to_string(rows.size()));
        ASSERT_EQ(lines.size(), 2 + rows.size() + 1 + 1077 + 1);
        std::vector<std::vector<std::string>> candidates;
        for (std::size_t i = 0; i < rows.size(); ++i) {
            candidates.push_back(tokens(lines[2 + i]));
            ASSERT_EQ(candidates.back().size(), 4u) << lines[2 + i];
            EXPECT_EQ(std::vector<std::string>(candidates.back().begin(), candidates.back().begin() + 3), rows[i]);
        }
        std::size_t at = 2 + rows.size();
        EXPECT_EQ(lines[at++], "curves 1077");
        EXPECT_EQ(lines.back(), "end");

        std::vector<CurvePoint> curve;
        for (int s = 0; s < 3; ++s) {
            for (int i = 0; i < kCurvePoints; ++i) {
                const std::vector<std::string> f = tokens(lines[at++]);
                ASSERT_EQ(f.size(), 5u);
                CurvePoint p{std::atoi(f[0].c_str()), std::atof(f[1].c_str()), f[2] != "-", 0.0,
                             std::atof(f[3].c_str()), std::atof(f[4].c_str())};
                p.dirPoint = p.reached ? std::atof(f[2].c_str()) : 0.0;
                EXPECT_EQ(p.smax, kSmaxCases[s]);
                // Every 0.5 degree over the sea side, continuously (not reduced into [0, 360)).
                EXPECT_NEAR(p.thetaO, contourNormal - 89.5 + 0.5 * i, 0.051) << lines[at - 1];
                if (p.reached) {
                    // Whatever arrives has travelled shoreward.
                    EXPECT_LT(std::fabs(p.dirPoint - contourNormal), 90.0) << lines[at - 1];
                    EXPECT_GT(p.k, 0.0) << lines[at - 1];
                } else {
                    EXPECT_EQ(f[3], "0.000000") << lines[at - 1];
                }
                EXPECT_TRUE(p.share > 0.0 && p.share <= 1.0) << lines[at - 1];
                curve.push_back(p);
            }
        }
        if (!diffraction) {
            // Over straight contours a sea from either side of the normal is the mirror of the other.
            for (int s = 0; s < 3; ++s)
                for (int i = 0; i < kCurvePoints; ++i) {
                    const CurvePoint& a = curve[s * kCurvePoints + i];
                    const CurvePoint& b = curve[s * kCurvePoints + kCurvePoints - 1 - i];
                    EXPECT_EQ(a.k, b.k);
                    EXPECT_EQ(a.share, b.share);
                    EXPECT_NEAR(a.dirPoint - contourNormal, contourNormal - b.dirPoint, 0.0015);
                }
        }

        // Each candidate lies on its curve: the direction reached there is the observed one, and
        // Ho = H1/3 / K, to what the printed theta_o (0.1 degree) allows.
        std::vector<int> perSmax(3, 0);
        for (const std::vector<std::string>& c : candidates) {
            const int smax = std::atoi(c[0].c_str());
            const int s = smax == 10 ? 0 : smax == 25 ? 1 : 2;
            ++perSmax[s];
            const double principal = signed180(std::atof(c[2].c_str()) - contourNormal);
            const int j = std::min(kCurvePoints - 2, static_cast<int>(std::floor((principal + 89.5) / 0.5)));
            const CurvePoint& a = curve[s * kCurvePoints + j];
            const CurvePoint& b = curve[s * kCurvePoints + j + 1];
            ASSERT_TRUE(a.reached && b.reached) << c[2];
            const double u = (principal + 89.5 - 0.5 * j) / 0.5;
            const double slope = (b.dirPoint - a.dirPoint) / 0.5;
            SCOPED_TRACE(testing::Message() << "candidate Smax " << smax << " theta_o " << c[2]);
            EXPECT_NEAR(signed180(a.dirPoint + u * (b.dirPoint - a.dirPoint) - direction), 0.0,
                        0.05 * std::fabs(slope) + 0.01);
            const double k = a.k + u * (b.k - a.k);
            EXPECT_NEAR(height / k / std::atof(c[1].c_str()), 1.0, 0.05 * std::fabs(b.k - a.k) / 0.5 / k + 2e-3);
            EXPECT_NEAR(a.share + u * (b.share - a.share), std::atof(c[3].c_str()),
                        0.05 * std::fabs(b.share - a.share) / 0.5 + 1e-4);
        }
        // ... and every crossing of the observed direction where enough arrives is a candidate.
        for (int s = 0; s < 3; ++s) {
            int crossings = 0;
            for (int i = 0; i + 1 < kCurvePoints; ++i) {
                const CurvePoint& a = curve[s * kCurvePoints + i];
                const CurvePoint& b = curve[s * kCurvePoints + i + 1];
                if (!a.reached || !b.reached || a.k < kMinCoefficient || b.k < kMinCoefficient) continue;
                if ((signed180(a.dirPoint - direction) < 0.0) != (signed180(b.dirPoint - direction) < 0.0)) ++crossings;
            }
            EXPECT_EQ(crossings, perSmax[s]) << "Smax " << kSmaxCases[s];
        }
        candidateCount_ += rows.size();
        unreached_ += std::count_if(curve.begin(), curve.end(), [](const CurvePoint& p) { return !p.reached; });
    }

    std::size_t candidateCount_ = 0;
    std::size_t unreached_ = 0;
};

}  // namespace

TEST_F(Response, CurvesAgreeWithTheCandidates) {
    // Open coast facing north-west across north: the sweep runs from 260.5 to 439.5.
    const std::string open = "azim**|350.0\r\nangl**|999.0\r\nsit***|  0.0\r\nhh_B**|  0.0\r\nhh_A**|  9.0\r\n";
    check("open", 350.0, false, 1.80, 20.0, open);
    check("open", 350.0, false, 1.80, 312.0, open);
    // Behind a virtual breakwater.
    const std::string behind = "azim**|200.0\r\nangl**| 40.0\r\nsit***| 10.0\r\nhh_B**| 12.0\r\nhh_A**|  8.0\r\n";
    check("behind", 200.0, true, 1.50, 222.0, behind);
    check("behind", 200.0, true, 0.60, 230.0, behind);
    // Deep in the shadow nothing arrives from any direction.
    const std::string shadow = "azim**|200.0\r\nangl**| 40.0\r\nsit***|280.0\r\nhh_B**| 12.0\r\nhh_A**|  8.0\r\n";
    check("shadow", 200.0, true, 0.60, 230.0, shadow);
    EXPECT_GE(candidateCount_, 10u);
    EXPECT_GT(unreached_, 0u);  // swell from far round the other side never reaches the point
}
