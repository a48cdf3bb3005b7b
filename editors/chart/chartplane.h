// ChartPlane: one plane of a real array as the chart sees it: the row and column bounds, the
// value at (row, column) and the units text. A plain value type that owns no data: `value`
// reads the caller's array (a core item, a test's table) when the chart is drawn, so the
// caller keeps what it reads alive while the chart may redraw.
#pragma once

#include "velt_export.h"

#include <QString>

#include <functional>

namespace Velt {

struct VELT_EXPORT ChartPlane
{
    int rowLower = 0;
    int rowUpper = 0;
    int columnLower = 0;
    int columnUpper = 0;
    std::function<double(int row, int column)> value;
    QString units;

    // Indices a dimension spans; 0 when its bounds are crossed.
    int rowCount() const;
    int columnCount() const;
    // Something to draw: a value function and bounds in order.
    bool isValid() const;
};

} // namespace Velt
