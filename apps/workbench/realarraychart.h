// The chart of a real array value in the workbench: the plane a chart draws of a core item
// (its rows and columns, the first plane of a three-dimensional array, its units) and its
// orientation as the real array editor stores it. The plane reads the item when the chart is
// drawn: keep the item alive while it is in use.
#pragma once

#include "chartplane.h"

#include "quen/quencore.h"

namespace Workbench::RealArrayChart {

// The data class whose values have a chart.
inline constexpr char DataClass[] = "CQuenReal64Array";

// True when the parameter holds a real array.
bool hasChart(QuenHandle parm);
// The plane of a real array item: a one-dimensional array is one column (0..0).
Velt::ChartPlane plane(QuenHandle data);
// True when the item is drawn by rows ("Graphical View As" holds anything).
bool byRow(QuenHandle data);

} // namespace Workbench::RealArrayChart
