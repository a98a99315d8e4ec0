// Angle reductions shared by the model and the file reader.
#pragma once

#include <cmath>

namespace zelvo {

// Into [0, 360).
inline double azimuth360(double degrees) {
    double a = std::fmod(degrees, 360.0);
    if (a < 0.0) a += 360.0;
    return a >= 360.0 ? a - 360.0 : a;
}

// Into (-180, 180].
inline double signed180(double degrees) {
    const double a = azimuth360(degrees);
    return a > 180.0 ? a - 360.0 : a;
}

}  // namespace zelvo
