#include "chartplane.h"

#include <algorithm>
#include <limits>

namespace Velt {

namespace {
// Bounds are 16-bit in the arrays, but the plane takes any int: widen before subtracting.
int span(int lower, int upper)
{
    const qint64 count = qint64(upper) - lower + 1;
    return count <= 0 ? 0 : int(std::min<qint64>(count, std::numeric_limits<int>::max()));
}
} // namespace

int ChartPlane::rowCount() const
{
    return span(rowLower, rowUpper);
}

int ChartPlane::columnCount() const
{
    return span(columnLower, columnUpper);
}

bool ChartPlane::isValid() const
{
    return bool(value) && rowCount() > 0 && columnCount() > 0;
}

} // namespace Velt
