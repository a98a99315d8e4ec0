#include "geodesy/plane_rect.h"

#include <algorithm>
#include <cmath>

namespace vornel {

namespace {

// GRS80 (a = 6378137 m, f = 1/298.257222101) with m0 = 0.9999.
constexpr double DEG2RAD = 0.017453292519943295;
constexpr double RAD2DEG = 57.29577951308232;
[[maybe_unused]] constexpr double N3 = 0.0016792203946287445;  // third flattening n
[[maybe_unused]] constexpr double ONE_PLUS_N = 1.0016792203946288;
constexpr double ABAR = 6366812.400856472;  // m0·a/(1+n)·(1 + n²/4 + n⁴/64)
constexpr double M0A = 6366807.912604471;   // m0·a/(1+n)
// First eccentricity e = 2·√N3 / ONE_PLUS_N, the double nearest to that quotient.
constexpr double ECC = 0.08181919104281579;

// Series coefficients, all from Krüger's expansions in the third flattening n
// truncated after n⁵ and evaluated for the GRS80 n above (the published
// coefficient set of the Japanese plane rectangular systems). Index j − 1 holds
// the coefficient of the j-th multiple angle.
//
// Meridian arc: S(φ) = M0A·(A0·φ + Σ_{j=1..5} ARC[j−1]·sin 2jφ).
constexpr double ARC_A0 = 1.0000007049454078;
constexpr double ARC[5] = {-0.0025188297041239312, 2.6435429493240994e-6, -3.4526259073074147e-9,
                           4.8918304243879506e-12, -7.228726045813916e-15};
// Forward, conformal (ξ′, η′) to the scaled plane: α_j.
constexpr double ALPHA[5] = {0.0008377318247285465, 7.608527848379248e-7, 1.1976455002315586e-9, 2.4291502606542476e-12,
                             5.750164384091974e-15};
// Inverse, scaled plane (ξ, η) to conformal: β_j.
constexpr double BETA[5] = {0.0008377321681620316, 5.905870211016955e-8, 1.6734826761541112e-10, 2.1648237311010895e-13,
                            3.79409187887551e-16};
// Conformal latitude χ to geodetic latitude: δ_j (five terms).
constexpr double DELTA[5] = {0.003356551485604312, 6.571873263127177e-6, 1.7646404372866207e-8, 5.387753890009471e-11,
                             1.7640075159133883e-13};

// Σ_{j=1..5} c_j·sin(2jθ) from sin 2θ and cos 2θ (Clenshaw's recurrence:
// b_j = c_j + 2·cos 2θ·b_{j+1} − b_{j+2}, sum = b_1·sin 2θ).
inline double clenshawSin(const double (&c)[5], double sin2, double cos2) {
    const double k = 2 * cos2;
    double b1 = 0, b2 = 0;
    for (int j = 4; j >= 0; --j) {
        const double b0 = c[j] + k * b1 - b2;
        b2 = b1;
        b1 = b0;
    }
    return b1 * sin2;
}

// Σ_{j=1..5} c_j·sin(2jζ) for the complex ζ = ξ + iη, from sin 2ξ, cos 2ξ,
// sinh 2η and cosh 2η; the same recurrence in complex arithmetic. The real
// part is Σ c_j·sin 2jξ·cosh 2jη, the imaginary part Σ c_j·cos 2jξ·sinh 2jη.
inline void clenshawSinComplex(const double (&c)[5], double sin2, double cos2, double sinh2, double cosh2, double& re,
                               double& im) {
    const double kr = 2 * cos2 * cosh2;  // 2·cos 2ζ
    const double ki = -2 * sin2 * sinh2;
    double b1r = 0, b1i = 0, b2r = 0, b2i = 0;
    for (int j = 4; j >= 0; --j) {
        const double b0r = c[j] + kr * b1r - ki * b1i - b2r;
        const double b0i = kr * b1i + ki * b1r - b2i;
        b2r = b1r;
        b2i = b1i;
        b1r = b0r;
        b1i = b0i;
    }
    const double sr = sin2 * cosh2;  // sin 2ζ
    const double si = cos2 * sinh2;
    re = b1r * sr - b1i * si;
    im = b1r * si + b1i * sr;
}

// Maclaurin series with enough terms to be exact to the last place on the
// ranges they serve (the first omitted term is below 1e-18):
//   atanh z = z·Σ ATANH_SERIES[k]·z^2k            for |z| ≤ e
//   exp b   = Σ EXP_SERIES[k]·b^k                  for |b| ≤ e·atanh e (0.0067)
//   sin d = d·Σ SIN_SERIES[k]·d^2k,  cos d = Σ COS_SERIES[k]·d^2k     for |d| ≤ 1/8
// sinh and cosh use the same tables with every sign positive.
constexpr double ATANH_SERIES[7] = {1.0, 1.0 / 3, 1.0 / 5, 1.0 / 7, 1.0 / 9, 1.0 / 11, 1.0 / 13};
constexpr double EXP_SERIES[7] = {1.0, 1.0, 1.0 / 2, 1.0 / 6, 1.0 / 24, 1.0 / 120, 1.0 / 720};
constexpr double SIN_SERIES[6] = {1.0, -1.0 / 6, 1.0 / 120, -1.0 / 5040, 1.0 / 362880, -1.0 / 39916800};
constexpr double COS_SERIES[7] = {1.0, -1.0 / 2, 1.0 / 24, -1.0 / 720, 1.0 / 40320, -1.0 / 3628800, 1.0 / 479001600};
constexpr double SINH_SERIES[6] = {1.0, 1.0 / 6, 1.0 / 120, 1.0 / 5040, 1.0 / 362880, 1.0 / 39916800};
constexpr double COSH_SERIES[7] = {1.0, 1.0 / 2, 1.0 / 24, 1.0 / 720, 1.0 / 40320, 1.0 / 3628800, 1.0 / 479001600};

// Σ c[k]·v^k, evaluated in pairs (c[2k] + c[2k+1]·v) by Horner's rule in v²:
// half the dependency chain of plain Horner.
template <int N>
inline double polynomial(const double (&c)[N], double v) {
    const double v2 = v * v;
    double r = N % 2 ? c[N - 1] : c[N - 2] + c[N - 1] * v;
    for (int k = N % 2 ? N - 3 : N - 4; k >= 0; k -= 2) r = r * v2 + (c[k] + c[k + 1] * v);
    return r;
}

// exp(−e·atanh(e·s)) for |s| ≤ 1: the factor between exp(atanh s) and the
// exponential of the isometric latitude.
inline double eccentricityFactor(double s) {
    const double z = ECC * s;
    const double b = ECC * z * polynomial(ATANH_SERIES, z * z);
    return polynomial(EXP_SERIES, -b);
}

// sin, cos, sinh and cosh of small arguments (longitude differences inside a
// zone, the corrections of the inverse series, η): the polynomials above for
// |d| ≤ 1/8, the library beyond.
constexpr double SMALL = 0.125;

inline void smallSinCos(double d, double& s, double& c) {
    if (!(std::fabs(d) <= SMALL)) {
        s = std::sin(d);
        c = std::cos(d);
        return;
    }
    const double d2 = d * d;
    s = d * polynomial(SIN_SERIES, d2);
    c = polynomial(COS_SERIES, d2);
}

inline void smallSinhCosh(double d, double& s, double& c) {
    if (!(std::fabs(d) <= SMALL)) {
        s = std::sinh(d);
        c = std::cosh(d);
        return;
    }
    const double d2 = d * d;
    s = d * polynomial(SINH_SERIES, d2);
    c = polynomial(COSH_SERIES, d2);
}

// Meridian arc of the origin latitude:
//   S0 = M0A·(A0·φ0 + A1·sin 2φ0 + A2·sin 4φ0 + ... + A5·sin 10φ0).
double meridianArc(double originLat) {
    const double phi0 = originLat * DEG2RAD;
    const double s = std::sin(phi0), c = std::cos(phi0);
    return M0A * (ARC_A0 * phi0 + clenshawSin(ARC, 2 * s * c, (c - s) * (c + s)));
}

// The plain functions convert many points about one origin in a row; the arc
// of the last origin is kept per thread.
const PlaneRectProjector& projectorFor(double originLat, double originLon) {
    thread_local PlaneRectProjector last;
    if (last.originLat() != originLat || last.originLon() != originLon) last = PlaneRectProjector(originLat, originLon);
    return last;
}

}  // namespace

PlaneRectProjector::PlaneRectProjector(double originLat, double originLon)
    : originLat_(originLat),
      originLon_(originLon),
      originLonRad_(originLon * DEG2RAD),
      originArc_(meridianArc(originLat)) {}

// Forward, written out term by term:
//   t  = sinh(atanh(sin φ) − e·atanh(e·sin φ))     tangent of the conformal latitude
//   ξ′ = atan(t / cos Δλ),  η′ = atanh(sin Δλ / √(t² + 1))
//   x  = ABAR·(ξ′ + Σ α_j·sin 2jξ′·cosh 2jη′) − S0
//   y  = ABAR·(η′ + Σ α_j·cos 2jξ′·sinh 2jη′)
// Evaluated here with one sin/cos pair of φ, atan, log, short polynomials and
// three divisions, the two sums by one complex Clenshaw recurrence:
//   exp(atanh s) = (1 + s)/cos φ, so the exponential of the isometric latitude
//   is E = N/c with N = (1 + s)·exp(−e·atanh(e·s)) and c = cos φ. With
//   A = N² − c², B = N² + c², K = 2Nc:  t = A/K and √(t² + 1) = B/K.
//   With Q = A² + K²·cos²Δλ:
//     tan ξ′ = A/(K·cos Δλ),  sin 2ξ′ = 2AK·cos Δλ/Q,  cos 2ξ′ = (K²·cos²Δλ − A²)/Q,
//     η′ = ½·log((B + K·sin Δλ)/(B − K·sin Δλ)),
//     sinh 2η′ = 2BK·sin Δλ/Q,  cosh 2η′ = (B² + K²·sin²Δλ)/Q.
// The conformal latitude is odd in φ; N is formed for |φ| so that 1 + s never
// cancels, and A takes the sign of φ.
void PlaneRectProjector::toPlane(double lat, double lon, double& x, double& y) const {
    const double phi = lat * DEG2RAD;
    const double sPhi = std::sin(phi), c = std::cos(phi);
    const double s = std::fabs(sPhi);
    const double n = (1 + s) * eccentricityFactor(s);
    const double a = std::copysign((n - c) * (n + c), sPhi);
    const double b = n * n + c * c;
    const double k = 2 * n * c;

    const double dLambda = lon * DEG2RAD - originLonRad_;
    double sL, cL;
    smallSinCos(dLambda, sL, cL);
    const double kc = k * cL, ks = k * sL;
    const double xiP = std::atan(a / kc);
    const double etaP = 0.5 * std::log((b + ks) / (b - ks));

    const double q = 1 / (a * a + kc * kc);
    const double sin2 = 2 * a * kc * q;
    const double cos2 = (kc - a) * (kc + a) * q;
    const double sinh2 = 2 * b * ks * q;
    const double cosh2 = (b * b + ks * ks) * q;
    double re, im;
    clenshawSinComplex(ALPHA, sin2, cos2, sinh2, cosh2, re, im);
    x = ABAR * (xiP + re) - originArc_;
    y = ABAR * (etaP + im);
}

// Inverse, written out term by term:
//   ξ = (x + S0)/ABAR,  η = y/ABAR
//   ξ′ = ξ − Σ β_j·sin 2jξ·cosh 2jη,  η′ = η − Σ β_j·cos 2jξ·sinh 2jη
//   χ = asin(sin ξ′ / cosh η′)
//   lat = χ + Σ δ_j·sin 2jχ,  lon = atan(sinh η′ / cos ξ′) + originLon
// Evaluated here from one sin/cos of ξ and sinh/cosh of η: the double
// angles by the doubling formulas, both β sums by one complex Clenshaw
// recurrence, sin ξ′, cos ξ′, sinh η′ and cosh η′ by angle addition with the
// small corrections, and the δ sum by Clenshaw from sin χ alone
// (sin 2χ = 2·sin χ·cos χ, cos 2χ = 1 − 2·sin²χ).
void PlaneRectProjector::toGeographic(double x, double y, double& lat, double& lon) const {
    const double xi = (x + originArc_) / ABAR;
    const double eta = y / ABAR;
    const double sXi = std::sin(xi), cXi = std::cos(xi);
    double shEta, chEta;
    smallSinhCosh(eta, shEta, chEta);

    double dXi, dEta;
    clenshawSinComplex(BETA, 2 * sXi * cXi, (cXi - sXi) * (cXi + sXi), 2 * shEta * chEta, 1 + 2 * shEta * shEta, dXi,
                       dEta);
    double sd, cd, shd, chd;
    smallSinCos(dXi, sd, cd);
    smallSinhCosh(dEta, shd, chd);
    const double sXiP = sXi * cd - cXi * sd;  // sin(ξ − dξ)
    const double cXiP = cXi * cd + sXi * sd;
    const double shEtaP = shEta * chd - chEta * shd;  // sinh(η − dη)
    const double chEtaP = chEta * chd - shEta * shd;

    // |sin ξ′| ≤ cosh η′; the angle additions may overshoot by a unit in the last place at the pole.
    const double sChi = std::clamp(sXiP / chEtaP, -1.0, 1.0);
    const double chi = std::asin(sChi);
    const double cChi = std::sqrt((1 - sChi) * (1 + sChi));
    lat = (chi + clenshawSin(DELTA, 2 * sChi * cChi, 1 - 2 * sChi * sChi)) * RAD2DEG;
    lon = std::atan(shEtaP / cXiP) * RAD2DEG + originLon_;
}

void toPlaneRect(double lat, double lon, double originLat, double originLon, double& x, double& y) {
    projectorFor(originLat, originLon).toPlane(lat, lon, x, y);
}

void fromPlaneRect(double x, double y, double originLat, double originLon, double& lat, double& lon) {
    projectorFor(originLat, originLon).toGeographic(x, y, lat, lon);
}

}  // namespace vornel
