#include "chartseriesrules.h"

#include <algorithm>
#include <cfloat>
#include <cmath>

namespace Velt::ChartSeriesRules {

namespace {

// How far a quotient of a value by a step may miss a whole number through rounding.
double wholeStepSlack(double steps)
{
    return 1e-9 + std::abs(steps) * 1e-12;
}

} // namespace

Layout layout(const ChartPlane& plane, bool byRow)
{
    Layout result;
    result.horizontalTitle = horizontalTitle(byRow);
    result.verticalTitle = verticalTitle(plane.units);
    if (!plane.isValid())
        return result;
    const int seriesCount = byRow ? plane.rowCount() : plane.columnCount();
    const int length = byRow ? plane.columnCount() : plane.rowCount();
    if (length > MaxIndices)
        return result;
    const int first = byRow ? plane.rowLower : plane.columnLower;
    const int drawn = std::min(seriesCount, MaxSeries);
    result.series.reserve(drawn);
    for (int k = 0; k < drawn; ++k)
        result.series.append({first + k, seriesTitle(byRow, first + k)});
    if (seriesCount > MaxSeries)
        result.status = limitStatus(byRow);
    return result;
}

QString seriesTitle(bool byRow, int index)
{
    return (byRow ? QStringLiteral("Row ") : QStringLiteral("Column ")) + QString::number(index);
}

QString horizontalTitle(bool byRow)
{
    return byRow ? QStringLiteral("Column") : QStringLiteral("Row");
}

QString verticalTitle(const QString& units)
{
    const QString trimmed = units.trimmed();
    return trimmed.isEmpty() ? QStringLiteral("Value") : trimmed;
}

QString limitStatus(bool byRow)
{
    return byRow ? QStringLiteral("Only displaying the first ") + QString::number(MaxSeries)
                       + QStringLiteral(" rows")
                 : QStringLiteral("Only plotting the first ") + QString::number(MaxSeries)
                       + QStringLiteral(" columns");
}

QList<QPointF> seriesPoints(const ChartPlane& plane, bool byRow, int index)
{
    QList<QPointF> points;
    if (!plane.isValid())
        return points;
    const int lower = byRow ? plane.columnLower : plane.rowLower;
    const int upper = byRow ? plane.columnUpper : plane.rowUpper;
    points.reserve(byRow ? plane.columnCount() : plane.rowCount());
    for (int i = lower; i <= upper; ++i) {
        const double y = byRow ? plane.value(index, i) : plane.value(i, index);
        if (std::isfinite(y))
            points.append(QPointF(i, y));
        if (i == upper) // the last int would step past INT_MAX
            break;
    }
    return points;
}

QString formatValueLabel(double value, QChar decimal)
{
    if (!std::isfinite(value))
        return QString::number(value);
    if (value == 0)
        return QStringLiteral("0E0");
    // The C rendering rounds the mantissa to five decimals and carries into the exponent.
    const QString text = QString::number(value, 'e', 5);
    const qsizetype e = text.indexOf(u'e');
    QString mantissa = text.left(e);
    const int exponent = text.mid(e + 1).toInt();
    while (mantissa.endsWith(u'0'))
        mantissa.chop(1);
    if (mantissa.endsWith(u'.'))
        mantissa.chop(1);
    mantissa.replace(u'.', decimal);
    return mantissa + u'E' + QString::number(exponent);
}

Ticks niceTicks(double low, double high, int maxCount, bool integerSteps)
{
    if (!std::isfinite(low) || !std::isfinite(high))
        return {};
    if (high < low)
        std::swap(low, high);
    maxCount = std::max(maxCount, 2);
    if (low == high) {
        const double pad = integerSteps || low == 0 ? 1.0 : std::abs(low) * 0.1;
        low -= pad;
        high += pad;
    }
    // The decade of (high - low) / (maxCount - 1), in logarithms: the range between the
    // largest doubles does not fit in a double.
    const double decade = std::log10(high / 2 - low / 2) + std::log10(2.0) - std::log10(maxCount - 1.0);
    double magnitude = std::pow(10.0, std::floor(decade));
    if (integerSteps)
        magnitude = std::max(magnitude, 1.0);
    static constexpr double multipliers[] = {1, 2, 5};
    for (int widened = 0; widened < 4; ++widened, magnitude *= 10) {
        for (const double multiplier : multipliers) {
            const double step = multiplier * magnitude;
            // A bound that is already a whole step (0.995 over 0.005 divides to 198.99999...)
            // stays where it is, so the ticks of a range niceTicks made are that range again.
            const double first = std::floor(low / step + wholeStepSlack(low / step));
            const double last = std::ceil(high / step - wholeStepSlack(high / step));
            if (last - first + 1 <= maxCount) {
                return {std::max(first * step, -DBL_MAX), std::min(last * step, DBL_MAX), step};
            }
        }
    }
    return {low, high, (high - low) / (maxCount - 1)};
}

QList<QPointF> decimate(const QList<QPointF>& points, double xFrom, double xTo, int columns)
{
    if (columns <= 0 || points.size() <= columns)
        return points;
    const auto xLess = [](const QPointF& p, double x) { return p.x() < x; };
    const auto lessX = [](double x, const QPointF& p) { return x < p.x(); };
    const qsizetype begin = std::lower_bound(points.cbegin(), points.cend(), xFrom, xLess) - points.cbegin();
    const qsizetype end = std::upper_bound(points.cbegin(), points.cend(), xTo, lessX) - points.cbegin();

    const double scale = xTo > xFrom ? columns / (xTo - xFrom) : 0.0;
    const auto columnOf = [&](double x) {
        return std::min(columns - 1, int((x - xFrom) * scale));
    };

    QList<QPointF> result;
    result.reserve(std::min<qsizetype>(points.size(), 2 * qsizetype(columns) + 4));
    qsizetype lastTaken = -1;
    const auto take = [&](qsizetype i) {
        if (i > lastTaken) {
            result.append(points[i]);
            lastTaken = i;
        }
    };
    if (begin > 0)
        take(begin - 1);
    if (begin < end) {
        take(begin);
        for (qsizetype i = begin; i < end;) {
            const int column = columnOf(points[i].x());
            qsizetype lowest = i;
            qsizetype highest = i;
            qsizetype j = i + 1;
            for (; j < end && columnOf(points[j].x()) == column; ++j) {
                if (points[j].y() < points[lowest].y())
                    lowest = j;
                if (points[j].y() > points[highest].y())
                    highest = j;
            }
            take(std::min(lowest, highest));
            take(std::max(lowest, highest));
            i = j;
        }
        take(end - 1);
    }
    if (end < points.size())
        take(end);
    return result;
}

} // namespace Velt::ChartSeriesRules
