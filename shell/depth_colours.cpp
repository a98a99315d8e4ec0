#include "shell/depth_colours.h"

#include <cmath>

namespace vornel {

void buildDepthColourTable(int table[256][3]) {
    for (int i = 0; i < 256; ++i) {
        // The first 20 entries ramp up from half brightness.
        const double v = i < 20 ? i * 0.5 / 20 + 0.5 : 1.0;
        double h = 180 - i * 0.9411764705882353;  // 16/17: 180 down to -60
        // Warp the hue so that blues and greens get more of the table:
        // 180…120 → 240…180, 120…60 → 180…60, 0…−60 → 360…300.
        if (h < 0)
            h += 360;
        else if (h >= 120)
            h += 60;
        else if (h > 60)
            h = 2 * (h - 60) + 60;
        h /= 60;
        const int k = static_cast<int>(std::floor(h));
        double f = h - k;
        if (k % 2 == 0) f = 1 - f;
        const double x = (1 - f) * v;
        double r = 0, g = 0, b = 0;
        switch (k) {
            case 0:
                r = v, g = x, b = 0;
                break;
            case 1:
                r = x, g = v, b = 0;
                break;
            case 2:
                r = 0, g = v, b = x;
                break;
            case 3:
                r = 0, g = x, b = v;
                break;
            case 4:
                r = x, g = 0, b = v;
                break;
            default:
                r = v, g = 0, b = x;
                break;
        }
        table[i][0] = static_cast<int>(r * 255 + 0.5);
        table[i][1] = static_cast<int>(g * 255 + 0.5);
        table[i][2] = static_cast<int>(b * 255 + 0.5);
    }
}

}  // namespace vornel
