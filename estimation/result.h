// The result record of the last run of the solver: the candidate offshore
// waves, the case name and the solver's echo of its inputs, all text in the
// 8-bit code page 932 (Shift_JIS). One instance for the whole run.
#pragma once

namespace vornel {

inline constexpr int kMaxResultRows = 20;
inline constexpr int kMaxEchoValues = 20;

// Echo values the dialogs use, by index.
enum EchoValue {
    ECHO_THETA_CON = 0,
    ECHO_THETA_DIFF = 1,
    ECHO_THETA = 2,
    ECHO_DIFFRACTION_DEPTH = 3,
    ECHO_QUASI_OFFSHORE_DEPTH = 4,
    ECHO_HEIGHT = 5,
    ECHO_PERIOD = 6,  // also the period of the wavelength of the estimate
    ECHO_DIRECTION = 7,
};

struct ResultRow {
    int smax = 0;         // directional concentration parameter of the case
    double ho = 0.0;      // offshore wave height, m
    double thetaO = 0.0;  // offshore wave direction, degrees
    int mark = 0;         // 1 when the estimated Smax agrees (◯)
};

struct EstimationResult {
    int rowCount = 0;
    ResultRow rows[kMaxResultRows] = {};
    char caseName[256] = {};
    int valueCount = 0;
    char values[kMaxEchoValues][32] = {};
    double runDirection = 0.0;  // wave direction of the last run that wrote its input
    int relationIndex = 0;      // 0: none, k: relation k - 1 of the spreading relations
};

EstimationResult& estimationResult();
// Back to the state at program start (tests).
void resetEstimationResult();

}  // namespace vornel
