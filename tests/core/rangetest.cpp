// Ranges: after every setter the derived quantities agree with start, stop and points, and the setter's own
// quantity holds; inputs that cannot make a sound range fail and change nothing.
#include "coretesting.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>

using namespace VeltTest;

namespace {

enum Setter { Start, Stop, Center, Span, Step, NumPoints, Values, Create };

struct SetterCall { const char* function; QuenBool (*apply)(QuenHandle, double); };

// Values sets (value, value + 1, 3): one number per row is enough to drive every setter.
const SetterCall kSetters[] = {
    { "QuenRangeSetStart", QuenRangeSetStart }, { "QuenRangeSetStop", QuenRangeSetStop }, { "QuenRangeSetCenter", QuenRangeSetCenter },
    { "QuenRangeSetSpan", QuenRangeSetSpan }, { "QuenRangeSetStep", QuenRangeSetStep },
    { "QuenRangeSetNumPoints", [](QuenHandle h, double v) { return QuenRangeSetNumPoints(h, int32_t(v)); } },
    { "QuenRangeSetValues", [](QuenHandle h, double v) { return QuenRangeSetValues(h, v, v + 1, 3); } },
    { "QuenRangeCreate", nullptr },
};

// exact: the setter's quantity comes out bit for bit, else to rounding; code: the error expected (0: none).
struct Row { double start, stop; int points; Setter setter; double value; bool exact; int code; };

struct Range { double start = 0, stop = 0; int32_t points = 0; };

Range read(QuenHandle h)
{
    Range r;
    QuenRangeGetValues(h, &r.start, &r.stop, &r.points);
    return r;
}

bool sameBits(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

// a and b agree to a few units of rounding at the magnitude of the numbers involved.
bool near(double a, double b, double scale)
{
    const double m = std::max({ std::fabs(a), std::fabs(b), std::fabs(scale) });
    return std::fabs(a - b) <= 8 * std::numeric_limits<double>::epsilon() * m;
}

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr int32_t kMaxPoints = std::numeric_limits<int32_t>::max();

} // namespace

Q_DECLARE_METATYPE(Row)

class RangeTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { QuenExcRegClearError(0); m_live = QuenCoreGetLiveObjectCount(); }
    void cleanup() { QVERIFY(QuenCoreGetLiveObjectCount() == m_live && !QuenExcRegIsError(0)); }

    void setterKeepsInvariants_data()
    {
        QTest::addColumn<Row>("row");

        // steps: a step of the order of 1 fits in fewer than 2^31 points.
        const struct { const char* name; double start, stop; int points; bool steps; } ranges[] = {
            { "0..10x11", 0, 10, 11, true }, { "descending 5..-5x3", 5, -5, 3, true }, { "one point", 2, 2, 1, true },
            { "equal ends x4", -1, -1, 4, true }, { "tenths 0.3..1x8", 0.3, 1, 8, true },
            { "wide -1e300..1e300x1001", -1e300, 1e300, 1001, false }, { "tiny 1e-300..3e-300x2", 1e-300, 3e-300, 2, true },
        };
        const struct { Setter setter; double value; bool exact; } changes[] = {
            { Start, -2.5, true },  { Stop, -1e-9, true },   { Center, -1000, false }, { Span, -0.1, false },
            { Span, 0, false },     { Step, -0.25, false },  { Step, 0.1, false },     { Step, 3, false },
            { NumPoints, 1, true }, { NumPoints, 2, true },  { NumPoints, kMaxPoints, true }, { Values, -3.5, true },
        };
        for (const auto& r : ranges) {
            for (const auto& c : changes) {
                if (c.setter == Step && !r.steps)
                    continue;
                QTest::addRow("%s %s(%g)", r.name, kSetters[c.setter].function + 12, c.value) << Row { r.start, r.stop, r.points, c.setter, c.value, c.exact, 0 };
            }
        }
        // Representable results where the setter's quantity must hold exactly.
        QTest::newRow("center exact") << Row { 0, 10, 11, Center, 2.5, true, 0 };
        // 2.3 + 10 * 0.7 gives a step a unit in the last place off; the stop a unit lower does not.
        QTest::newRow("step settled") << Row { 2.3, 9.3, 2, Step, 0.7, true, 0 };
        // No stop near 1.0 gives (stop - 0.3) / 7 == 0.1 exactly: the step holds to rounding.
        QTest::newRow("step tenth from 0.3") << Row { 0.3, 1, 2, Step, 0.1, false, 0 };
        QTest::newRow("step most points") << Row { 0, 1, 2, Step, 1.0 / (kMaxPoints - 1), false, 0 };
    }

    void setterKeepsInvariants()
    {
        QFETCH(Row, row);
        const auto [start, stop, points, setter, value, exact, code] = row;
        CoreBuilder items;
        const QuenHandle h = items << QuenRangeCreate(start, stop, points);
        const double oldCenter = QuenRangeGetCenter(h), oldSpan = QuenRangeGetSpan(h);
        QVERIFY(h && kSetters[setter].apply(h, value));
        EXPECT_NO_ERROR();
        const Range r = read(h);
        const double center = QuenRangeGetCenter(h), span = QuenRangeGetSpan(h), step = QuenRangeGetStep(h);

        // The derived quantities follow from start, stop and points.
        QVERIFY(r.points >= 1 && QuenRangeGetNumPoints(h) == r.points && std::isfinite(r.start) && std::isfinite(r.stop) && std::isfinite(span));
        QVERIFY(sameBits(span, r.stop - r.start) && near(center, (r.start + r.stop) / 2, 0) && sameBits(step, r.points > 1 ? span / (r.points - 1) : 0.0));

        const double scale = std::max({ std::fabs(start), std::fabs(stop), std::fabs(value) });
        auto holds = [&](double actual, double wanted) { return exact ? sameBits(actual, wanted) : near(actual, wanted, scale); };
        // Start, stop, the number of points and all three set exactly what they name.
        const Range kept[] = { { value, stop, points }, { start, value, points }, {}, {}, {},
                               { start, stop, int32_t(value) }, { value, value + 1, 3 } };
        const bool keeps = setter != Center && setter != Span && setter != Step;
        QVERIFY(!keeps || (sameBits(r.start, kept[setter].start) && sameBits(r.stop, kept[setter].stop) && r.points == kept[setter].points));
        switch (setter) {
        case Center:
            QVERIFY2(holds(center, value) && near(span, oldSpan, scale) && r.points == points, qPrintable(QString::number(center, 'g', 17)));
            break;
        case Span:
            QVERIFY2(holds(span, value) && near(center, oldCenter, scale) && r.points == points, qPrintable(QString::number(span, 'g', 17)));
            break;
        case Step: {
            QVERIFY2(sameBits(r.start, start) && holds(step, value), qPrintable(QString::number(step, 'g', 17)));
            const double intervals = std::round(std::fabs(oldSpan / value));
            QCOMPARE(r.points, std::max(2, int32_t(intervals) + 1));
            QVERIFY(near(r.stop, start + (r.points - 1) * value, scale * r.points));
            break;
        }
        default:
            break;
        }
    }

    void failingInputChangesNothing_data()
    {
        QTest::addColumn<Row>("row");
        const int invalid = QUEN_ERR_INVALID_ARGUMENT, overflow = QUEN_ERR_OVERFLOW, range = QUEN_ERR_OUT_OF_RANGE;
        QTest::newRow("step 0") << Row { 0, 10, 11, Step, 0, false, invalid };
        QTest::newRow("start inf") << Row { 0, 10, 11, Start, kInf, false, invalid };
        QTest::newRow("span -inf") << Row { 0, 10, 11, Span, -kInf, false, invalid };
        QTest::newRow("values nan") << Row { 0, 10, 11, Values, kNaN, false, invalid };
        QTest::newRow("points 0") << Row { 0, 10, 11, NumPoints, 0, false, range };
        QTest::newRow("step needs one point too many") << Row { 0, 1, 2, Step, 1.0 / kMaxPoints, false, overflow };
        QTest::newRow("step beyond") << Row { 1e308, 1e308, 2, Step, 1e308, false, overflow };
        QTest::newRow("span too wide") << Row { -1e308, 0, 2, Stop, 1e308, false, overflow };
        QTest::newRow("center beyond") << Row { 0, 1e308, 2, Center, 1.7e308, false, overflow };
        QTest::newRow("span beyond") << Row { 1e308, 1e308, 2, Span, 1.7e308, false, overflow };
        QTest::newRow("create most points") << Row { 0, 1, kMaxPoints, Create, 0, false, 0 };
        QTest::newRow("create widest") << Row { -8e307, 8e307, 2, Create, 0, false, 0 };
        QTest::newRow("create no points") << Row { 1, 2, 0, Create, 0, false, range };
        QTest::newRow("create nan start") << Row { kNaN, 2, 2, Create, 0, false, invalid };
        QTest::newRow("create span beyond") << Row { -1e308, 1e308, 2, Create, 0, false, overflow };
    }
    void failingInputChangesNothing()
    {
        QFETCH(Row, row);
        CoreBuilder items;
        const QuenHandle h = items << QuenRangeCreate(row.start, row.stop, row.points);
        if (row.setter == Create)
            QCOMPARE(h != 0, row.code == 0);
        else
            QVERIFY(h && !kSetters[row.setter].apply(h, row.value));
        EXPECT_ERRORS_(row.code, QString::fromLatin1(kSetters[row.setter].function));
        const Range r = h ? read(h) : Range { row.start, row.stop, row.points };
        QVERIFY(sameBits(r.start, row.start) && sameBits(r.stop, row.stop) && r.points == row.points);
    }

    void onePointRange()
    {
        CoreBuilder items;
        const QuenHandle h = items << QuenDataCreate("CQuenRange");
        QVERIFY(read(h).points == 1 && QuenRangeSetValues(h, 3, 9, 1)); // a new range is sound
        QCOMPARE(QStringLiteral("%1 %2").arg(QuenRangeGetStep(h)).arg(QuenRangeGetSpan(h)), QStringLiteral("0 6")); // one point: no step
        QVERIFY(QuenRangeSetValues(h, 4, 4, 7) && QuenRangeGetStep(h) == 0.0);
        QVERIFY(QuenRangeSetStep(h, -1.5)); // a step on equal ends makes two points one step apart
        const Range r = read(h);
        QCOMPARE(QStringLiteral("%1 %2 %3").arg(r.start).arg(r.stop).arg(r.points), QStringLiteral("4 2.5 2"));
        EXPECT_NO_ERROR(); // before the builder clears the register
    }

private:
    int32_t m_live = 0;
};

QTEST_GUILESS_MAIN(RangeTest)
#include "rangetest.moc"
