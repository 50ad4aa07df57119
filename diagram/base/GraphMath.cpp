#include "GraphMath.h"

#include <algorithm>
#include <climits>
#include <cmath>

namespace GraphMath {

int RoundHalfEven(double value)
{
    // Degenerate geometry (a line parallel to an edge, a zero-length link)
    // must not turn into undefined integer conversions.
    if (!std::isfinite(value))
        return 0;
    value = std::clamp(value, double(INT_MIN), double(INT_MAX));
    const double floor = std::floor(value);
    const double fraction = value - floor;
    double result = floor;
    if (fraction > 0.5)
        result = floor + 1;
    else if (fraction == 0.5)
        result = std::fmod(floor, 2.0) == 0 ? floor : floor + 1;
    return static_cast<int>(result);
}

int MulDiv(int value1, int value2, int divisor)
{
    if (divisor == 0)
        return -1;
    const int64_t product = int64_t(value1) * int64_t(value2);
    const int64_t magnitude = (std::llabs(product) + std::llabs(int64_t(divisor)) / 2) /
                              std::llabs(int64_t(divisor));
    const bool negative = (product < 0) != (divisor < 0);
    return static_cast<int>(negative ? -magnitude : magnitude);
}

} // namespace GraphMath
