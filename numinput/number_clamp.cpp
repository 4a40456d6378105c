#include "numinput/number_text.h"

#include <cmath>

namespace numinput {

int RoundToInt(double x)
{
    if (x > IntLimit) {
        x = IntLimit;
    } else if (!(x >= -IntLimit)) {
        x = -IntLimit;
    }
    // Work on the magnitude so that halves go away from zero on both sides;
    // floor(x + 0.5) would turn 0.49999999999999994 into 1.
    const double magnitude = std::fabs(x);
    int n = static_cast<int>(std::floor(magnitude));
    if (magnitude - n >= 0.5) {
        ++n;
    }
    return x >= 0 ? n : -n;
}

double LimitValue(double x, double min, double max, double nearZero)
{
    if (!(x >= min)) {
        x = min;
    } else if (x > max) {
        x = max;
    }
    if (std::fabs(x) < nearZero) {
        x = x >= 0 ? nearZero : -nearZero;
    }
    return x;
}

}  // namespace numinput
