// ChartSeriesRules: what the chart of a real array plane shows, free of widgets and of any
// plotting library: which series are drawn and their titles, the axis titles, the limit on
// the number of series and its status text, the value label format, the points of a series,
// the axis ticks, and the reduction of a long series to what the plot's pixels can show.
#pragma once

#include "chartplane.h"
#include "localeseparators.h"
#include "velt_export.h"

#include <QList>
#include <QPointF>
#include <QString>

namespace Velt::ChartSeriesRules {

// At most this many series are drawn; the rest are left out with a status text.
inline constexpr int MaxSeries = 20;
// A series is drawn only when it has at most this many indices.
inline constexpr int MaxIndices = 1001;

struct Series
{
    int index = 0; // the column (by column) or the row (by row) the series draws
    QString title;
};

struct Layout
{
    QString horizontalTitle;
    QString verticalTitle;
    QList<Series> series; // empty when the series would be longer than MaxIndices
    QString status;       // the limit text when series were left out, else empty
};

// The chart of a plane: by column one series per column over the rows, by row one series per
// row over the columns.
VELT_EXPORT Layout layout(const ChartPlane& plane, bool byRow);

VELT_EXPORT QString seriesTitle(bool byRow, int index);   // "Column 3", "Row -2"
VELT_EXPORT QString horizontalTitle(bool byRow);          // "Row" by column, "Column" by row
VELT_EXPORT QString verticalTitle(const QString& units);  // the units, else "Value"
VELT_EXPORT QString limitStatus(bool byRow);              // "Only plotting the first 20 columns", ...

// The points of one series: x the index along the series, y the value; values that are not
// finite cannot be placed and are left out.
VELT_EXPORT QList<QPointF> seriesPoints(const ChartPlane& plane, bool byRow, int index);

// A value label in the format "#.#####E-0": one digit before the decimal separator, up to five
// after it without trailing zeros, the exponent without a plus sign or leading zeros
// (1234.5 -> "1.2345E3", -0.00012 -> "-1.2E-4", 0 -> "0E0"). The separator is the locale's.
VELT_EXPORT QString formatValueLabel(double value, QChar decimal = LocaleSeparators::current().decimal);

// Ticks for an axis over low..high: a step of 1, 2 or 5 times a power of ten giving at most
// maxCount ticks, and the range widened outwards to whole steps. An empty range (low = high)
// is widened around its value. With integerSteps the step is at least 1 (an index axis).
struct Ticks
{
    double low = 0;
    double high = 1;
    double step = 1;
};
VELT_EXPORT Ticks niceTicks(double low, double high, int maxCount, bool integerSteps = false);

// Reduces a series whose x never decreases to what `columns` pixel columns over xFrom..xTo can
// show: in each pixel column the lowest and the highest point, in x order, and the first and
// the last point in the range, so spikes stay visible and the line keeps its ends. Of the
// points outside the range only the nearest one on each side is kept, so the line still
// enters and leaves the plot. A series of at most `columns` points comes back as it is.
VELT_EXPORT QList<QPointF> decimate(const QList<QPointF>& points, double xFrom, double xTo,
                                    int columns);

} // namespace Velt::ChartSeriesRules
