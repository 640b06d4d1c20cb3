#include "core/Rounding.h"

#include "zetview/Error.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace zet {

int roundHalfEven(double value)
{
    if (!std::isfinite(value))
        throw Error::overflow();
    const double rounded = roundedHalfEven(value);
    if (rounded < double(std::numeric_limits<int>::min())
        || rounded > double(std::numeric_limits<int>::max()))
        throw Error::overflow();
    return int(rounded);
}

double roundedHalfEven(double value)
{
    double rounded = std::round(value); // halves away from zero
    if (std::fabs(value - std::trunc(value)) == 0.5)
        rounded = 2.0 * std::round(value / 2.0);
    return rounded;
}

int clampToInt(double value)
{
    if (std::isnan(value))
        return 0;
    return int(std::clamp(value, -2147483647.0, 2147483647.0));
}

} // namespace zet
