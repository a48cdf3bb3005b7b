// The chart's rules, free of widgets and of the plotting library: which series a plane gives
// and their titles, the axis titles and the limit texts, the value labels, the axis ticks, and
// the reduction of long series to the plot's pixels.
#include "chartseriesrules.h"
#include "columns.h"

#include <QRandomGenerator>
#include <QTest>

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <limits>

namespace R = Velt::ChartSeriesRules;

Q_DECLARE_METATYPE(Velt::ChartPlane)

namespace {

Velt::ChartPlane plane(int rowLower, int rowUpper, int columnLower, int columnUpper,
                       const QString& units = QString())
{
    Velt::ChartPlane p;
    p.rowLower = rowLower;
    p.rowUpper = rowUpper;
    p.columnLower = columnLower;
    p.columnUpper = columnUpper;
    p.value = [](int row, int column) { return row * 100.0 + column; };
    p.units = units;
    return p;
}

// Titles "<word> first" .. "<word> first+count-1".
QStringList titles(const QString& word, int first, int count)
{
    QStringList result;
    for (int i = first; i < first + count; ++i)
        result << word + QLatin1Char(' ') + QString::number(i);
    return result;
}

// The kinds of series the reduction is checked on.
QList<QPointF> series(const QString& shape, int count)
{
    QList<QPointF> points;
    QRandomGenerator random(17);
    for (int i = 0; i < count; ++i) {
        double y = 0;
        if (shape == QLatin1String("sine with a spike"))
            y = std::sin(i / 50.0) + (i == count / 3 ? 1000.0 : 0.0) - (i == count / 3 + 1 ? 1000.0 : 0.0);
        else if (shape == QLatin1String("noise"))
            y = random.bounded(1000.0) - 500;
        else if (shape == QLatin1String("steps"))
            y = double(i / 97);
        points.append(QPointF(i, y));
    }
    return points;
}

} // namespace

class ChartSeriesRulesTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void layout_data()
    {
        QTest::addColumn<Velt::ChartPlane>("plane");
        QTest::addColumn<bool>("byRow");
        QTest::addColumn<QStringList>("titles");
        QTest::addColumn<QString>("status");
        QTest::addColumn<QString>("horizontal");
        QTest::addColumn<QString>("vertical");

        QTest::newRow("by column: a series per column")
            << plane(1, 2, 1, 3) << false << titles("Column", 1, 3) << "" << "Row" << "Value";
        QTest::newRow("by row: a series per row")
            << plane(1, 2, 1, 3) << true << titles("Row", 1, 2) << "" << "Column" << "Value";
        QTest::newRow("units title the values, trimmed")
            << plane(0, 4, 0, 0, " mV ") << false << titles("Column", 0, 1) << "" << "Row" << "mV";
        QTest::newRow("blank units read as none")
            << plane(0, 4, 0, 0, "   ") << false << titles("Column", 0, 1) << "" << "Row" << "Value";
        QTest::newRow("negative indices")
            << plane(-3, -1, -7, -6) << false << titles("Column", -7, 2) << "" << "Row" << "Value";
        QTest::newRow("20 columns all drawn")
            << plane(1, 5, 1, 20) << false << titles("Column", 1, 20) << "" << "Row" << "Value";
        QTest::newRow("21 columns: the first 20")
            << plane(1, 5, 0, 20) << false << titles("Column", 0, 20)
            << "Only plotting the first 20 columns" << "Row" << "Value";
        QTest::newRow("21 rows by row: the first 20")
            << plane(-5, 15, 1, 2) << true << titles("Row", -5, 20)
            << "Only displaying the first 20 rows" << "Column" << "Value";
        QTest::newRow("one-dimensional by row: a row per element")
            << plane(1, 65535, 0, 0) << true << titles("Row", 1, 20)
            << "Only displaying the first 20 rows" << "Column" << "Value";
        QTest::newRow("1001 rows are drawn by column")
            << plane(1, 1001, 1, 2) << false << titles("Column", 1, 2) << "" << "Row" << "Value";
        QTest::newRow("1002 rows are not drawn by column")
            << plane(1, 1002, 1, 2) << false << QStringList() << "" << "Row" << "Value";
        QTest::newRow("1002 columns are not drawn by row")
            << plane(1, 30, 0, 1001) << true << QStringList() << "" << "Column" << "Value";
        QTest::newRow("1002 rows are drawn by row")
            << plane(1, 1002, 1, 2) << true << titles("Row", 1, 20)
            << "Only displaying the first 20 rows" << "Column" << "Value";
        QTest::newRow("crossed bounds draw nothing")
            << plane(3, 2, 1, 1) << false << QStringList() << "" << "Row" << "Value";
        Velt::ChartPlane noValues = plane(1, 3, 1, 3);
        noValues.value = nullptr;
        QTest::newRow("no value function draws nothing")
            << noValues << false << QStringList() << "" << "Row" << "Value";
    }
    void layout()
    {
        QFETCH(Velt::ChartPlane, plane);
        QFETCH(bool, byRow);
        QFETCH(QStringList, titles);
        const R::Layout layout = R::layout(plane, byRow);
        QStringList drawn;
        for (const R::Series& series : layout.series) {
            drawn << series.title;
            // The title names the index the series draws.
            QCOMPARE(series.title, R::seriesTitle(byRow, series.index));
        }
        QCOMPARE(drawn, titles);
        QTEST(layout.status, "status");
        QTEST(layout.horizontalTitle, "horizontal");
        QTEST(layout.verticalTitle, "vertical");
    }

    void seriesPoints_data()
    {
        QTest::addColumn<bool>("byRow");
        QTest::addColumn<int>("index");
        QTest::addColumn<QList<QPointF>>("points");
        // The plane holds row * 100 + column, rows 1..3, columns 4..5, but for an infinity at
        // row 1, column 5 and NaN at row 2, column 5.
        QTest::newRow("a column over the rows") << false << 4 << QList<QPointF>{{1, 104}, {2, 204}, {3, 304}};
        QTest::newRow("values that are not finite are left out") << false << 5 << QList<QPointF>{{3, 305}};
        QTest::newRow("a row over the columns") << true << 3 << QList<QPointF>{{4, 304}, {5, 305}};
        QTest::newRow("infinity is left out as well") << true << 1 << QList<QPointF>{{4, 104}};
    }
    void seriesPoints()
    {
        QFETCH(bool, byRow);
        QFETCH(int, index);
        Velt::ChartPlane p = plane(1, 3, 4, 5);
        p.value = [](int row, int column) {
            if (row == 2 && column == 5)
                return std::numeric_limits<double>::quiet_NaN();
            if (row == 1 && column == 5)
                return std::numeric_limits<double>::infinity();
            return row * 100.0 + column;
        };
        QTEST(R::seriesPoints(p, byRow, index), "points");
    }

    void seriesPointsUpToTheLargestIndex() // the loop stops at INT_MAX rather than wrap around
    {
        QCOMPARE(R::seriesPoints(plane(INT_MAX - 1, INT_MAX, 0, 0), false, 0).size(), 2);
    }

    void formatValueLabel_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<QChar>("decimal");
        QTest::addColumn<QString>("label");
        QTest::newRow("fraction digits kept") << 1234.5 << QChar(u'.') << "1.2345E3";
        QTest::newRow("negative exponent, trailing zeros go") << -0.00012 << QChar(u'.') << "-1.2E-4";
        QTest::newRow("a whole mantissa has no separator") << 1e20 << QChar(u'.') << "1E20";
        QTest::newRow("one") << 1.0 << QChar(u'.') << "1E0";
        QTest::newRow("zero") << 0.0 << QChar(u'.') << "0E0";
        QTest::newRow("negative zero") << -0.0 << QChar(u'.') << "0E0";
        QTest::newRow("rounded to five decimals") << 123456789.0 << QChar(u'.') << "1.23457E8";
        QTest::newRow("rounding carries into the exponent") << 9.999996 << QChar(u'.') << "1E1";
        QTest::newRow("no carry below the half") << 9.999994 << QChar(u'.') << "9.99999E0";
        QTest::newRow("the locale's separator") << -2.5 << QChar(u',') << "-2,5E0";
        QTest::newRow("largest double") << DBL_MAX << QChar(u'.') << "1.79769E308";
        QTest::newRow("smallest denormal") << 4.9406564584124654e-324 << QChar(u'.') << "4.94066E-324";
    }
    void formatValueLabel()
    {
        QFETCH(double, value);
        QFETCH(QChar, decimal);
        QTEST(R::formatValueLabel(value, decimal), "label");
    }

    // Every row: the ticks cover the range in at most maxCount steps of 1, 2 or 5 times a power
    // of ten; where given, the exact ticks.
    void niceTicks_data()
    {
        VeltTest::columns<double, double, int, bool, double, double, double>(
            {"low", "high", "maxCount", "integerSteps", "tickLow", "tickHigh", "step"});
        const double any = std::numeric_limits<double>::quiet_NaN();
        QTest::newRow("whole range") << 0.0 << 10.0 << 6 << false << 0.0 << 10.0 << 2.0;
        QTest::newRow("widened to whole steps") << 0.13 << 0.87 << 5 << false << 0.0 << 1.0 << 0.5;
        QTest::newRow("negative range") << -730.0 << -120.0 << 8 << false << -800.0 << -100.0 << 100.0;
        QTest::newRow("one value widens around it") << 5.0 << 5.0 << 5 << false << 4.5 << 5.5 << 0.5;
        QTest::newRow("zero widens by one") << 0.0 << 0.0 << 5 << false << -1.0 << 1.0 << 0.5;
        QTest::newRow("indices step by whole numbers") << 1.0 << 3.0 << 11 << true << 1.0 << 3.0 << 1.0;
        QTest::newRow("reversed bounds") << 10.0 << 0.0 << 6 << false << 0.0 << 10.0 << 2.0;
        QTest::newRow("tiny values") << 1e-9 << 9e-9 << 5 << false << 0.0 << 1e-8 << 5e-9;
        QTest::newRow("wide") << -3.7e6 << 1.2e7 << 7 << false << any << any << any;
        QTest::newRow("narrow, off zero") << 1000.001 << 1000.002 << 4 << false << any << any << any;
        QTest::newRow("the whole double range") << -DBL_MAX << DBL_MAX << 5 << false << any << any << any;
        QTest::newRow("count below two") << 1.0 << 2.0 << 0 << false << any << any << any;
    }
    void niceTicks()
    {
        QFETCH(double, low);
        QFETCH(double, high);
        QFETCH(int, maxCount);
        QFETCH(bool, integerSteps);
        QFETCH(double, step);
        const R::Ticks ticks = R::niceTicks(low, high, maxCount, integerSteps);
        QVERIFY(std::isfinite(ticks.low) && std::isfinite(ticks.high) && ticks.step > 0);
        QVERIFY(ticks.low <= std::min(low, high) && std::max(low, high) <= ticks.high);
        QVERIFY(ticks.high / ticks.step - ticks.low / ticks.step + 1 <= std::max(maxCount, 2) + 1e-9);
        const double mantissa = ticks.step / std::pow(10.0, std::floor(std::log10(ticks.step)));
        QVERIFY2(qFuzzyCompare(mantissa, 1.0) || qFuzzyCompare(mantissa, 2.0) || qFuzzyCompare(mantissa, 5.0),
                 qPrintable(QString::number(ticks.step)));
        if (!std::isnan(step)) {
            QTEST(ticks.low, "tickLow");
            QTEST(ticks.high, "tickHigh");
            QCOMPARE(ticks.step, step);
        }
    }

    void decimate_data()
    {
        QTest::addColumn<QString>("shape");
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("columns");
        QTest::addColumn<double>("from");
        QTest::addColumn<double>("to");
        QTest::newRow("a spike in 65535 points over 800 pixels") << "sine with a spike" << 65535 << 800 << 0.0 << 65534.0;
        QTest::newRow("noise over 1 pixel") << "noise" << 5000 << 1 << 0.0 << 4999.0;
        QTest::newRow("noise over 333 pixels") << "noise" << 20000 << 333 << 0.0 << 19999.0;
        QTest::newRow("a flat line") << "flat" << 10000 << 100 << 0.0 << 9999.0;
        QTest::newRow("steps, zoomed into the middle") << "steps" << 65535 << 640 << 20000.5 << 30000.5;
        QTest::newRow("a spike, zoomed onto it") << "sine with a spike" << 65535 << 50 << 21000.0 << 23000.0;
        QTest::newRow("a range past the last point") << "noise" << 3000 << 200 << 2500.0 << 9000.0;
        QTest::newRow("an empty range between points") << "noise" << 3000 << 200 << 10.2 << 10.2;
        QTest::newRow("fewer points than pixels: all kept") << "noise" << 100 << 800 << 0.0 << 99.0;
        QTest::newRow("as many points as pixels: all kept") << "noise" << 800 << 800 << 0.0 << 799.0;
    }
    void decimate()
    {
        QFETCH(QString, shape);
        QFETCH(int, count);
        QFETCH(int, columns);
        QFETCH(double, from);
        QFETCH(double, to);
        const QList<QPointF> points = series(shape, count);
        const QList<QPointF> reduced = R::decimate(points, from, to, columns);
        if (count <= columns)
            QCOMPARE(reduced, points);

        QVERIFY(reduced.size() <= 2 * qsizetype(columns) + 4);
        // Every point kept is a point of the series, in the series' order: x never decreases.
        qsizetype at = 0;
        for (const QPointF& point : reduced) {
            while (at < points.size() && points[at] != point)
                ++at;
            QVERIFY2(at < points.size(), "a point that is not in the series, or out of order");
            ++at;
        }
        // Inside the range: the first and the last point, and every pixel column's extremes
        // (each found is crossed out with NaN; an empty column stays infinite).
        const double scale = to > from ? columns / (to - from) : 0.0;
        const auto columnOf = [&](const QPointF& p) { return std::min(columns - 1, int((p.x() - from) * scale)); };
        const auto inRange = [&](const QPointF& p) { return p.x() >= from && p.x() <= to; };
        const double inf = std::numeric_limits<double>::infinity();
        QList<double> lowest(columns, inf);
        QList<double> highest(columns, -inf);
        QList<QPointF> inside;
        for (const QPointF& p : points) {
            if (inRange(p)) {
                inside.append(p);
                lowest[columnOf(p)] = std::min(lowest[columnOf(p)], p.y());
                highest[columnOf(p)] = std::max(highest[columnOf(p)], p.y());
            }
        }
        for (const QPointF& p : reduced) {
            if (inRange(p) && p.y() == lowest[columnOf(p)])
                lowest[columnOf(p)] = qQNaN();
            if (inRange(p) && p.y() == highest[columnOf(p)])
                highest[columnOf(p)] = qQNaN();
        }
        for (int column = 0; column < columns; ++column)
            QVERIFY2(!std::isfinite(lowest[column]) && !std::isfinite(highest[column]), qPrintable(QString::number(column)));
        if (!inside.isEmpty())
            QVERIFY(reduced.contains(inside.first()) && reduced.contains(inside.last()));
        // Outside the range only the nearest point on each side is kept.
        const auto before = std::count_if(reduced.cbegin(), reduced.cend(), [&](const QPointF& p) { return p.x() < from; });
        const auto after = std::count_if(reduced.cbegin(), reduced.cend(), [&](const QPointF& p) { return p.x() > to; });
        QCOMPARE(before, qsizetype(points.first().x() < from ? 1 : 0));
        QCOMPARE(after, qsizetype(points.last().x() > to ? 1 : 0));
    }
};

QTEST_GUILESS_MAIN(ChartSeriesRulesTest)
#include "chartseriesrulestest.moc"
