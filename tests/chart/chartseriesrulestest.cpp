// The chart's rules: the series of a plane and their titles, the axis titles, the limit texts,
// the value labels, the axis ticks and the reduction of long series to the plot's pixels.
#include "chartseriesrules.h"
#include "columns.h"

#include <QMap>
#include <QRandomGenerator>
#include <QTest>

#include <algorithm>
#include <cfloat>
#include <cmath>

namespace R = Velt::ChartSeriesRules;

Q_DECLARE_METATYPE(Velt::ChartPlane)

namespace {

// Rows and columns as given, each element row * 100 + column but for NaN at row 2, column 5
// and infinity at row 1, column 5.
Velt::ChartPlane plane(int rowLower, int rowUpper, int columnLower, int columnUpper, const QString& units = {})
{
    const auto value = [](int row, int column) {
        return column != 5 || row > 2 ? row * 100.0 + column : row == 2 ? qQNaN() : qInf();
    };
    return {rowLower, rowUpper, columnLower, columnUpper, value, units};
}

} // namespace

class ChartSeriesRulesTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Series "Column <first>" .. (by column) or "Row <first>" .. (by row), count of them.
    void layout_data()
    {
        VeltTest::columns<Velt::ChartPlane, bool, int, int, QString, QString>(
            {"plane", "byRow", "first", "count", "status", "vertical"});
        const QString columnsLeftOut = QStringLiteral("Only plotting the first 20 columns");
        const QString rowsLeftOut = QStringLiteral("Only displaying the first 20 rows");
        QTest::newRow("by column") << plane(1, 2, 1, 3) << false << 1 << 3 << "" << "Value";
        QTest::newRow("by row, units trimmed") << plane(-2, 0, 1, 3, " mV ") << true << -2 << 3 << "" << "mV";
        QTest::newRow("20 columns all drawn") << plane(1, 5, 1, 20) << false << 1 << 20 << "" << "Value";
        QTest::newRow("21 columns: the first 20") << plane(1, 5, 0, 20) << false << 0 << 20 << columnsLeftOut << "Value";
        QTest::newRow("1002 rows by row: the first 20") << plane(1, 1002, 1, 2) << true << 1 << 20 << rowsLeftOut << "Value";
        QTest::newRow("1001 rows by column: drawn") << plane(1, 1001, 1, 2) << false << 1 << 2 << "" << "Value";
        QTest::newRow("1002 rows by column: none") << plane(1, 1002, 1, 2) << false << 0 << 0 << "" << "Value";
        QTest::newRow("crossed bounds: none") << plane(3, 2, 1, 1) << false << 0 << 0 << "" << "Value";
    }
    void layout()
    {
        QFETCH(Velt::ChartPlane, plane);
        QFETCH(bool, byRow);
        QFETCH(int, first);
        QFETCH(int, count);
        const R::Layout layout = R::layout(plane, byRow);
        QStringList expected;
        for (int i = first; i < first + count; ++i)
            expected << (byRow ? QStringLiteral("Row ") : QStringLiteral("Column ")) + QString::number(i);
        QStringList drawn;
        for (const R::Series& series : layout.series) {
            drawn << series.title;
            QCOMPARE(series.title, R::seriesTitle(byRow, series.index)); // the title names its index
        }
        QCOMPARE(drawn, expected);
        QTEST(layout.status, "status");
        QCOMPARE(layout.horizontalTitle, byRow ? QStringLiteral("Column") : QStringLiteral("Row"));
        QTEST(layout.verticalTitle, "vertical");
    }

    // x is the index along the series; values that are not finite are left out.
    void seriesPoints_data()
    {
        VeltTest::columns<bool, int, QList<QPointF>>({"byRow", "index", "points"});
        QTest::newRow("a column over the rows") << false << 5 << QList<QPointF>{{3, 305}};
        QTest::newRow("a row over the columns") << true << 3 << QList<QPointF>{{4, 304}, {5, 305}};
    }
    void seriesPoints()
    {
        QFETCH(bool, byRow);
        QFETCH(int, index);
        QTEST(R::seriesPoints(plane(1, 3, 4, 5), byRow, index), "points");
    }

    void formatValueLabel_data()
    {
        VeltTest::columns<double, QChar, QString>({"value", "decimal", "label"});
        QTest::newRow("negative exponent, trailing zeros go") << -0.00012 << QChar(u'.') << "-1.2E-4";
        QTest::newRow("rounding carries into the exponent") << 9.999996 << QChar(u'.') << "1E1";
        QTest::newRow("the locale's separator") << -2.5 << QChar(u',') << "-2,5E0";
    }
    void formatValueLabel()
    {
        QFETCH(double, value);
        QFETCH(QChar, decimal);
        QTEST(R::formatValueLabel(value, decimal), "label");
    }

    // A step of 1, 2 or 5 times a power of ten, the range widened outwards to whole steps.
    void niceTicks_data()
    {
        VeltTest::columns<double, double, int, bool, double, double, double>(
            {"low", "high", "maxCount", "integerSteps", "tickLow", "tickHigh", "step"});
        QTest::newRow("widened to whole steps") << 0.13 << 0.87 << 5 << false << 0.0 << 1.0 << 0.5;
        QTest::newRow("one value widens around it") << 5.0 << 5.0 << 5 << false << 4.5 << 5.5 << 0.5;
        QTest::newRow("zero widens by one") << 0.0 << 0.0 << 5 << false << -1.0 << 1.0 << 0.5;
        QTest::newRow("indices step by whole numbers") << 1.0 << 3.0 << 11 << true << 1.0 << 3.0 << 1.0;
        QTest::newRow("a range on whole steps gives itself back") << 0.3 << 0.7 << 5 << false << 0.3 << 0.7 << 0.1;
        QTest::newRow("the whole double range") << -DBL_MAX << DBL_MAX << 5 << false << -DBL_MAX << DBL_MAX << 1e308;
    }
    void niceTicks()
    {
        QFETCH(double, low);
        QFETCH(double, high);
        QFETCH(int, maxCount);
        QFETCH(bool, integerSteps);
        const R::Ticks ticks = R::niceTicks(low, high, maxCount, integerSteps);
        QTEST(ticks.low, "tickLow");
        QTEST(ticks.high, "tickHigh");
        QTEST(ticks.step, "step");
    }

    // Noise over x = 0..count-1, with a spike up and one down a third of the way in.
    void decimate_data()
    {
        VeltTest::columns<int, int, double, double>({"count", "columns", "from", "to"});
        QTest::newRow("65535 points over 800 pixels") << 65535 << 800 << 0.0 << 65534.0;
        QTest::newRow("zoomed onto the spikes") << 65535 << 50 << 21000.0 << 23000.0;
        QTest::newRow("an empty range between points") << 3000 << 200 << 10.2 << 10.2;
    }
    void decimate()
    {
        QFETCH(int, count);
        QFETCH(int, columns);
        QFETCH(double, from);
        QFETCH(double, to);
        QRandomGenerator random(17);
        QList<QPointF> points;
        for (int i = 0; i < count; ++i)
            points.append(QPointF(i, random.bounded(10.0) + (i == count / 3) * 1000 - (i == count / 3 + 1) * 1000));
        const QList<QPointF> reduced = R::decimate(points, from, to, columns);
        QVERIFY(reduced.size() <= 2 * qsizetype(columns) + 4);
        QVERIFY(std::is_sorted(reduced.cbegin(), reduced.cend(), [](const QPointF& a, const QPointF& b) { return a.x() < b.x(); }));
        // In the range every pixel column keeps its lowest and highest value, and the range its
        // first and last point; outside it only the nearest point on each side is kept.
        const double scale = to > from ? columns / (to - from) : 0.0;
        const auto extremes = [&](const QList<QPointF>& list) {
            QMap<int, std::pair<double, double>> result; // per pixel column
            for (const QPointF& p : list) {
                const int column = std::min(columns - 1, int((p.x() - from) * scale));
                if (p.x() >= from && p.x() <= to)
                    result[column] = result.contains(column) ? std::pair(std::min(result[column].first, p.y()), std::max(result[column].second, p.y()))
                                                             : std::pair(p.y(), p.y());
            }
            return result;
        };
        QVERIFY(extremes(reduced) == extremes(points));
        const int first = int(std::ceil(from));
        const int last = std::min(int(to), count - 1);
        if (first <= last)
            QVERIFY(reduced.contains(points[first]) && reduced.contains(points[last]));
        const qsizetype before = std::count_if(reduced.cbegin(), reduced.cend(), [&](const QPointF& p) { return p.x() < from; });
        const qsizetype after = std::count_if(reduced.cbegin(), reduced.cend(), [&](const QPointF& p) { return p.x() > to; });
        QCOMPARE(before, qsizetype(points.first().x() < from));
        QCOMPARE(after, qsizetype(points.last().x() > to));
    }
};

QTEST_GUILESS_MAIN(ChartSeriesRulesTest)
#include "chartseriesrulestest.moc"
