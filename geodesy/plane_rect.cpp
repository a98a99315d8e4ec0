#include "geodesy/plane_rect.h"

#include <cmath>

namespace vornel {

namespace {

// GRS80 (a = 6378137 m, f = 1/298.257222101) with m0 = 0.9999.
constexpr double DEG2RAD = 0.017453292519943295;
constexpr double RAD2DEG = 57.29577951308232;
constexpr double N3 = 0.0016792203946287445;          // third flattening n
constexpr double ONE_PLUS_N = 1.0016792203946288;
constexpr double ABAR = 6366812.400856472;            // m0·a/(1+n)·(1 + n²/4 + n⁴/64)
constexpr double M0A = 6366807.912604471;             // m0·a/(1+n)
// Meridian arc: coefficients of φ, sin 2φ, sin 4φ, ... sin 10φ.
constexpr double A[6] = {1.0000007049454078,     -0.0025188297041239312, 2.6435429493240994e-6,
                         -3.4526259073074147e-9, 4.8918304243879506e-12, -7.228726045813916e-15};
// Krüger's series, j = 1 ... 5.
constexpr double ALPHA[5] = {0.0008377318247285465, 7.608527848379248e-7, 1.1976455002315586e-9,
                             2.4291502606542476e-12, 5.750164384091974e-15};
constexpr double BETA[5] = {0.0008377321681620316, 5.905870211016955e-8, 1.6734826761541112e-10,
                            2.1648237311010895e-13, 3.79409187887551e-16};
constexpr double DELTA[5] = {0.003356551485604312, 6.571873263127177e-6, 1.7646404372866207e-8,
                             5.387753890009471e-11, 1.7640075159133883e-13};

double meridianArc(double originLat) {
    const double phi0 = originLat * DEG2RAD;
    double sum = A[0] * phi0;
    for (int j = 1; j <= 5; ++j) sum += A[j] * std::sin(2 * j * phi0);
    return M0A * sum;
}

}  // namespace

void toPlaneRect(double lat, double lon, double originLat, double originLon, double& x, double& y) {
    const double s = std::sin(lat * DEG2RAD);
    const double e = 2 * std::sqrt(N3) / ONE_PLUS_N;
    const double t = std::sinh(std::atanh(s) - e * std::atanh(e * s));
    const double dLambda = lon * DEG2RAD - originLon * DEG2RAD;
    const double xi = std::atan(t / std::cos(dLambda));
    const double eta = std::atanh(std::sin(dLambda) / std::sqrt(t * t + 1));
    double sumX = xi, sumY = eta;
    for (int j = 1; j <= 5; ++j) {
        sumX += ALPHA[j - 1] * std::sin(2 * j * xi) * std::cosh(2 * j * eta);
        sumY += ALPHA[j - 1] * std::cos(2 * j * xi) * std::sinh(2 * j * eta);
    }
    x = ABAR * sumX - meridianArc(originLat);
    y = ABAR * sumY;
}

void fromPlaneRect(double x, double y, double originLat, double originLon, double& lat, double& lon) {
    const double xi = (x + meridianArc(originLat)) / ABAR;
    const double eta = y / ABAR;
    double xiP = xi, etaP = eta;
    for (int j = 1; j <= 5; ++j) {
        xiP -= BETA[j - 1] * std::sin(2 * j * xi) * std::cosh(2 * j * eta);
        etaP -= BETA[j - 1] * std::cos(2 * j * xi) * std::sinh(2 * j * eta);
    }
    const double chi = std::asin(std::sin(xiP) / std::cosh(etaP));
    double latSum = chi;
    for (int j = 1; j <= 5; ++j) latSum += DELTA[j - 1] * std::sin(2 * j * chi);
    lat = latSum * RAD2DEG;
    lon = std::atan(std::sinh(etaP) / std::cos(xiP)) * RAD2DEG + originLon;
}

}  // namespace vornel
