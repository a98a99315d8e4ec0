// exp and log for the integration's inner loops, the same on every platform. They are called
// some ten thousand times an evaluation; the C runtime of the Windows build takes 3-4 times as long
// as glibc for them (its exp about 38 ns, log 48 ns here), so the solver carries its own: plain
// double arithmetic, no FMA, correct to within 2 units in the last place (the tests hold this).
#pragma once

#include <cmath>
#include <cstdint>
#include <cstring>

namespace zelvo {

namespace fastmath {

// 2^(j/64), j = 0..63, each the double nearest the exact value.
inline constexpr double kExp2Table[64] = {
    0x1.0000000000000p+0, 0x1.02c9a3e778061p+0, 0x1.059b0d3158574p+0, 0x1.0874518759bc8p+0,
    0x1.0b5586cf9890fp+0, 0x1.0e3ec32d3d1a2p+0, 0x1.11301d0125b51p+0, 0x1.1429aaea92de0p+0,
    0x1.172b83c7d517bp+0, 0x1.1a35beb6fcb75p+0, 0x1.1d4873168b9aap+0, 0x1.2063b88628cd6p+0,
    0x1.2387a6e756238p+0, 0x1.26b4565e27cddp+0, 0x1.29e9df51fdee1p+0, 0x1.2d285a6e4030bp+0,
    0x1.306fe0a31b715p+0, 0x1.33c08b26416ffp+0, 0x1.371a7373aa9cbp+0, 0x1.3a7db34e59ff7p+0,
    0x1.3dea64c123422p+0, 0x1.4160a21f72e2ap+0, 0x1.44e086061892dp+0, 0x1.486a2b5c13cd0p+0,
    0x1.4bfdad5362a27p+0, 0x1.4f9b2769d2ca7p+0, 0x1.5342b569d4f82p+0, 0x1.56f4736b527dap+0,
    0x1.5ab07dd485429p+0, 0x1.5e76f15ad2148p+0, 0x1.6247eb03a5585p+0, 0x1.6623882552225p+0,
    0x1.6a09e667f3bcdp+0, 0x1.6dfb23c651a2fp+0, 0x1.71f75e8ec5f74p+0, 0x1.75feb564267c9p+0,
    0x1.7a11473eb0187p+0, 0x1.7e2f336cf4e62p+0, 0x1.82589994cce13p+0, 0x1.868d99b4492edp+0,
    0x1.8ace5422aa0dbp+0, 0x1.8f1ae99157736p+0, 0x1.93737b0cdc5e5p+0, 0x1.97d829fde4e50p+0,
    0x1.9c49182a3f090p+0, 0x1.a0c667b5de565p+0, 0x1.a5503b23e255dp+0, 0x1.a9e6b5579fdbfp+0,
    0x1.ae89f995ad3adp+0, 0x1.b33a2b84f15fbp+0, 0x1.b7f76f2fb5e47p+0, 0x1.bcc1e904bc1d2p+0,
    0x1.c199bdd85529cp+0, 0x1.c67f12e57d14bp+0, 0x1.cb720dcef9069p+0, 0x1.d072d4a07897cp+0,
    0x1.d5818dcfba487p+0, 0x1.da9e603db3285p+0, 0x1.dfc97337b9b5fp+0, 0x1.e502ee78b3ff6p+0,
    0x1.ea4afa2a490dap+0, 0x1.efa1bee615a27p+0, 0x1.f50765b6e4540p+0, 0x1.fa7c1819e90d8p+0,
};
inline constexpr double kSixtyFourOverLn2 = 0x1.71547652b82fep+6;
// ln 2 / 64 in two parts; the first has 32 significant bits, so k times it is exact for |k| < 2^21.
inline constexpr double kLn2Over64High = 0x1.62e42ff000000p-7;
inline constexpr double kLn2Over64Low = -0x1.718432a1b0e26p-41;
inline constexpr double kLn2High = 0x1.62e42ff000000p-1;
inline constexpr double kLn2Low = -0x1.718432a1b0e26p-35;
inline constexpr double kRoundingShift = 0x1.8p52;  // adding it rounds to an integer, kept in the low bits

inline double fromBits(std::uint64_t bits) {
    double d;
    std::memcpy(&d, &bits, sizeof d);
    return d;
}
inline std::uint64_t toBits(double d) {
    std::uint64_t bits;
    std::memcpy(&bits, &d, sizeof bits);
    return bits;
}

}  // namespace fastmath

// e^x for x <= 0 (the spreading function's power; a rounding above 0 is fine up to 700); 0 below
// -708, where e^x is no normal double.
inline double expOfNegative(double x) {
    using namespace fastmath;
    if (!(x > -708.0)) return 0.0;
    // x = (64 e + j) ln2/64 + r, |r| <= ln2/128: e^x = 2^e 2^(j/64) e^r, e^r by its Taylor series
    // to r^5 (the next term is below 4e-17 of the result).
    const double shifted = x * kSixtyFourOverLn2 + kRoundingShift;
    const double kd = shifted - kRoundingShift;  // x 64/ln2 rounded to an integer
    // That integer is also in the low bits of `shifted`, in two's complement.
    const std::int32_t k = static_cast<std::int32_t>(static_cast<std::uint32_t>(toBits(shifted)));
    const double r = (x - kd * kLn2Over64High) - kd * kLn2Over64Low;
    const double p = 1.0 + r * (1.0 + r * (0.5 + r * (1.0 / 6.0 + r * (1.0 / 24.0 + r * (1.0 / 120.0)))));
    const std::int32_t e = k >> 6;  // floor(k / 64): the shift of a negative number is arithmetic
    const int j = k & 63;
    return kExp2Table[j] * p * fromBits(static_cast<std::uint64_t>(e + 1023) << 52);
}

// ln x for a normal x > 0; -infinity for 0.
inline double logOfPositive(double x) {
    using namespace fastmath;
    if (!(x >= 0x1p-1022)) return std::log(x);  // 0, subnormal, negative or NaN: never in the loops
    // x = (1 + f) 2^e with 1 + f in [sqrt(1/2), sqrt(2)); ln(1 + f) = 2 atanh(s), s = f / (2 + f),
    // |s| < 0.172, written f - s (f - R) with R = sum 2 s^2k / (2k + 1) to s^22 (the next term is
    // below 1e-18 of the result), so that the exact f carries most of it.
    const std::uint64_t bits = toBits(x);
    int e = static_cast<int>((bits >> 52) & 0x7FF) - 1023;
    double m = fromBits((bits & 0x000FFFFFFFFFFFFFULL) | 0x3FF0000000000000ULL);
    if (m > 0x1.6a09e667f3bcdp+0) {
        m *= 0.5;
        ++e;
    }
    const double f = m - 1.0;
    const double s = f / (2.0 + f);
    const double z = s * s;
    const double r =
        z * (2.0 / 3 + z * (2.0 / 5 + z * (2.0 / 7 + z * (2.0 / 9 + z * (2.0 / 11 + z * (2.0 / 13 + z * (2.0 / 15 +
        z * (2.0 / 17 + z * (2.0 / 19 + z * (2.0 / 21 + z * (2.0 / 23)))))))))));
    return e * kLn2High + (e * kLn2Low + (f - s * (f - r)));
}

}  // namespace zelvo
