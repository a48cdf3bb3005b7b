// Arrays and waveforms: redimensions keep elements at their indices; bounds, sizes, indices and element classes are checked.
#include "columns.h"
#include "coretesting.h"

#include <array>
#include <cmath>
#include <functional>
#include <tuple>

using namespace VeltTest;

namespace {

using Bounds = std::array<int, 6>; // lower0, upper0, lower1, upper1, lower2, upper2

QuenBool redim(QuenHandle h, int dims, const Bounds& b)
{
    return dims == 1 ? QuenArrayRedim(h, b[0], b[1])
         : dims == 2 ? QuenArrayRedim2(h, b[0], b[1], b[2], b[3]) : QuenArrayRedim3(h, b[0], b[1], b[2], b[3], b[4], b[5]);
}
double getAt(QuenHandle h, int dims, int i, int j, int k)
{
    return dims == 1 ? QuenR64ArrGetAt1(h, i) : dims == 2 ? QuenR64ArrGetAt2(h, i, j) : QuenR64ArrGetAt3(h, i, j, k);
}
QuenBool setAt(QuenHandle h, int dims, int i, int j, int k, double v)
{
    return dims == 1 ? QuenR64ArrSetAt1(h, i, v) : dims == 2 ? QuenR64ArrSetAt2(h, i, j, v) : QuenR64ArrSetAt3(h, i, j, k, v);
}

// A value that names its indices, so a misplaced element is seen.
double tag(int i, int j, int k) { return i * 1e10 + j * 1e5 + k + 0.5; }

int lowerOf(int dims, const Bounds& b, int d) { return d < dims ? b[std::size_t(2 * d)] : 0; }
int upperOf(int dims, const Bounds& b, int d) { return d < dims ? b[std::size_t(2 * d + 1)] : 0; }

// Calls f for every index triple of the shape (absent dimensions have the one index 0).
void forEach(int dims, const Bounds& b, const std::function<void(int, int, int)>& f)
{
    for (int i = lowerOf(dims, b, 0); i <= upperOf(dims, b, 0); ++i)
        for (int j = lowerOf(dims, b, 1); j <= upperOf(dims, b, 1); ++j)
            for (int k = lowerOf(dims, b, 2); k <= upperOf(dims, b, 2); ++k)
                f(i, j, k);
}

// Dimensions, then lower and upper bound of each, then size.
QList<int> shapeOf(QuenHandle h)
{
    QList<int> shape { QuenArrayGetNumDimensions(h) };
    for (int d = 0; d < shape.first(); ++d)
        shape << QuenArrayGetLowerBound(h, d) << QuenArrayGetUpperBound(h, d);
    return shape << QuenArrayGetSize(h);
}
// Element access of one element class: a set from the index, the element as text.
struct Family
{
    const char *cls, *getter;
    QuenHandle (*create)(int32_t, int32_t);
    const char *shown, *empty; // shown: the element set at index %1
    QuenBool (*set)(QuenHandle, int32_t);
    QString (*get)(QuenHandle, int32_t);
};

const Family kFamilies[] = {
    { "CQuenInt32Array", "QuenI32ArrGetAt1", QuenI32ArrCreate, "%1", "0", [](QuenHandle h, int32_t i) { return QuenI32ArrSetAt1(h, i, i); },
      [](QuenHandle h, int32_t i) { return QString::number(QuenI32ArrGetAt1(h, i)); } },
    { "CQuenReal64Array", "QuenR64ArrGetAt1", QuenR64ArrCreate, "%1.5", "0", [](QuenHandle h, int32_t i) { return QuenR64ArrSetAt1(h, i, i + 0.5); },
      [](QuenHandle h, int32_t i) { return QString::number(QuenR64ArrGetAt1(h, i), 'g', 17); } },
    { "CQuenStringArray", "QuenStrArrGetAt1", QuenStrArrCreate, "s%1 \u00b5", "",
      [](QuenHandle h, int32_t i) { return QuenStrArrSetAt1(h, i, ("s" + QByteArray::number(i) + " \xc2\xb5").constData()); },
      [](QuenHandle h, int32_t i) { return text(QuenStrArrGetAt1(h, i)); } },
    { "CQuenPointArray", "QuenPtArrGetAt1", QuenPtArrCreate, "%1 -2.5", "0 0", [](QuenHandle h, int32_t i) { return QuenPtArrSetAt1(h, i, i, -2.5); },
      [](QuenHandle h, int32_t i) { double x = 1, y = 1; QuenPtArrGetAt1(h, i, &x, &y); return QStringLiteral("%1 %2").arg(x).arg(y); } },
    { "CQuenRangeArray", "QuenRngArrGetAt1", QuenRngArrCreate, "%1 -1 11", "0 0 1", [](QuenHandle h, int32_t i) { return QuenRngArrSetAt1(h, i, i, -1, 11); },
      [](QuenHandle h, int32_t i) { double a = 1, b = 1; int32_t n = 0; QuenRngArrGetAt1(h, i, &a, &b, &n); return QStringLiteral("%1 %2 %3").arg(a).arg(b).arg(n); } },
};

QStringList codesAndMessages()
{
    QStringList messages;
    for (const Raised& r : takeErrors())
        messages << QString::number(r.code) + u' ' + r.message;
    return messages;
}

} // namespace

Q_DECLARE_METATYPE(Bounds)

class ArrayTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { QuenExcRegClearError(0); }
    void cleanup() { QVERIFY2(!QuenExcRegIsError(0), "an error was left in the register"); }

    void redimKeepsValuesAtTheirIndices_data()
    {
        VeltTest::columns<int, Bounds, int, Bounds>({"oldDims", "oldBounds", "newDims", "newBounds"});
        const auto row = [](const char* name, int od, Bounds ob, int nd, Bounds nb) { QTest::newRow(name) << od << ob << nd << nb; };
        row("1d disjoint", 1, { 0, 4 }, 1, { 10, 12 });
        row("1d to empty", 1, { 0, 4 }, 1, { 0, -1 });
        row("1d lowest bounds", 1, { -32768, -32760 }, 1, { -32768, -32765 });
        row("1d highest bounds", 1, { 32760, 32767 }, 1, { 32765, 32767 });
        row("2d moved", 2, { 0, 3, 0, 3 }, 2, { 1, 5, -1, 2 });
        row("1d to 2d raised lower", 1, { 0, 4 }, 2, { -1, 3, 3, 5 });
        row("2d to 3d", 2, { 0, 3, 0, 3 }, 3, { 0, 3, 1, 3, -1, 1 });
        row("3d to 1d", 3, { 0, 2, 1, 2, 3, 4 }, 1, { -1, 1 });
    }
    void redimKeepsValuesAtTheirIndices()
    {
        QFETCH(int, oldDims);
        QFETCH(Bounds, oldBounds);
        QFETCH(int, newDims);
        QFETCH(Bounds, newBounds);
        CoreBuilder items;
        const QuenHandle h = items << QuenR64ArrCreate(0, -1);
        QVERIFY(redim(h, oldDims, oldBounds));
        forEach(oldDims, oldBounds, [&](int i, int j, int k) { setAt(h, oldDims, i, j, k, tag(i, j, k)); });
        QVERIFY(redim(h, newDims, newBounds));
        EXPECT_NO_ERROR();
        QList<int> shape { newDims };
        for (int d = 0; d < newDims; ++d)
            shape << lowerOf(newDims, newBounds, d) << upperOf(newDims, newBounds, d);
        int size = 0;
        forEach(newDims, newBounds, [&size](int, int, int) { ++size; });
        QCOMPARE(shapeOf(h), shape << size);

        // Each new element comes from the same indices in the dimensions both have; an added dimension holds
        // the old elements at its lower bound; a dropped one keeps the slice at its old lower bound.
        forEach(newDims, newBounds, [&](int i, int j, int k) {
            const int at[3] = { i, j, k };
            int old[3] = { 0, 0, 0 };
            bool survives = true;
            for (int d = 0; d < 3; ++d) {
                if (d < newDims && d < oldDims)
                    old[d] = at[d];
                else if (d < oldDims)
                    old[d] = lowerOf(oldDims, oldBounds, d);
                else if (d < newDims)
                    survives = survives && at[d] == lowerOf(newDims, newBounds, d);
                survives = survives && old[d] >= lowerOf(oldDims, oldBounds, d) && old[d] <= upperOf(oldDims, oldBounds, d);
            }
            const double expected = survives ? tag(old[0], old[1], old[2]) : 0.0;
            if (getAt(h, newDims, i, j, k) != expected)
                QFAIL(qPrintable(QStringLiteral("element (%1, %2, %3) is not %4").arg(i).arg(j).arg(k).arg(expected, 0, 'g', 17)));
        });
        EXPECT_NO_ERROR(); // the builder empties the register when it goes
    }

    void redimLimits_data()
    {
        VeltTest::columns<int, Bounds, bool>({"dims", "bounds", "allowed"});
        const auto row = [](const char* name, int dims, Bounds b, bool ok) { QTest::newRow(name) << dims << b << ok; };
        row("65535 elements from -32768", 1, { -32768, 32766 }, true);
        row("every 16-bit index", 1, { -32768, 32767 }, false); // 65536 elements
        row("lower below 16 bits", 1, { -32769, 0 }, false);
        row("upper above 16 bits", 1, { 0, 32768 }, false);
        row("upper far below lower", 1, { 5, 3 }, false);
        row("empty", 1, { 5, 4 }, true);
        row("3d just too many", 3, { 0, 40, 0, 40, 0, 38 }, false); // 65559
        row("3d just enough", 3, { 0, 40, 0, 40, 0, 37 }, true);    // 63878
        row("3d empty third", 3, { -32768, 32767, -32768, 32767, 0, -1 }, true);
    }
    void redimLimits()
    {
        QFETCH(int, dims);
        QFETCH(Bounds, bounds);
        QFETCH(bool, allowed);
        CoreBuilder items;
        const QuenHandle h = items << QuenR64ArrCreate(-2, 2);
        QVERIFY(QuenR64ArrSetAt1(h, 2, 42));
        QCOMPARE(redim(h, dims, bounds), allowed ? QUEN_TRUE : QUEN_FALSE);
        EXPECT_ERRORS_(allowed ? 0 : QUEN_ERR_OUT_OF_RANGE, allowed ? QString() : QStringLiteral("QuenArrayRedim") + (dims > 1 ? QString::number(dims) : QString()));
        QCOMPARE(QuenArrayGetNumDimensions(h), allowed ? dims : 1);
        QVERIFY(allowed || (shapeOf(h) == QList<int> { 1, -2, 2, 5 } && QuenR64ArrGetAt1(h, 2) == 42.0)); // a refused size changes nothing
    }

    void maxSize()
    {
        CoreBuilder items;
        QCOMPARE(QuenArrayGetDefaultMaxSize(), 65535);
        const QuenHandle before = items << QuenI32ArrCreate(0, 0);
        QVERIFY(QuenArraySetDefaultMaxSize(10));
        const QuenHandle small = items << QuenI32ArrCreate(1, 10);
        QVERIFY(QuenArrayGetMaxSize(small) == 10 && QuenArrayGetMaxSize(before) == 65535); // each array keeps the maximum it was made with
        QCOMPARE(QuenI32ArrCreate(0, 10), 0);
        EXPECT_ONE_ERROR(QUEN_ERR_OUT_OF_RANGE, "QuenI32ArrCreate");
        QVERIFY(!QuenArrayRedim2(small, 0, 3, 0, 2));
        EXPECT_ONE_ERROR(QUEN_ERR_OUT_OF_RANGE, "QuenArrayRedim2");
        QVERIFY(QuenArrayRedim2(small, 0, 4, 0, 1) && QuenArrayRedim(before, 0, 99));
        QCOMPARE(QuenArrayGetMaxSize(items << QuenDataExDeepCopy(small)), 10);
        for (const int rejected : { 0, 65536 }) {
            QVERIFY(!QuenArraySetDefaultMaxSize(rejected));
            EXPECT_ONE_ERROR(QUEN_ERR_OUT_OF_RANGE, "QuenArraySetDefaultMaxSize");
        }
        QVERIFY(QuenArrayGetDefaultMaxSize() == 10 && QuenArraySetDefaultMaxSize(65535));
        // Waveform editors read the limit of a waveform through the same call.
        QCOMPARE(QuenArrayGetMaxSize(items << QuenWaveformCreate(3, 0, 1)), 65535);
    }

    void outOfBoundsAccessFails_data()
    {
        // mentions: what the message must say
        VeltTest::columns<int, Bounds, Bounds, QString>({"dims", "bounds", "at", "mentions"});
        const auto row = [](const char* name, int dims, Bounds b, Bounds at, const char* m) { QTest::newRow(name) << dims << b << at << QString::fromLatin1(m); };
        row("1d above", 1, { 0, 5 }, { 6 }, "index 6 of dimension 0 is outside the bounds 0 to 5");
        row("1d below", 1, { -3, 5 }, { -4 }, "index -4 of dimension 0 is outside the bounds -3 to 5");
        row("1d empty", 1, { 0, -1 }, { 0 }, "index 0 of dimension 0 is not valid: the dimension is empty");
        row("2d second", 2, { 0, 2, 1, 3 }, { 1, 0 }, "index 0 of dimension 1 is outside the bounds 1 to 3");
        row("3d third", 3, { 0, 2, 0, 2, -1, 1 }, { 0, 0, 2 }, "index 2 of dimension 2 is outside the bounds -1 to 1");
    }
    void outOfBoundsAccessFails()
    {
        QFETCH(int, dims);
        QFETCH(Bounds, bounds);
        QFETCH(Bounds, at);
        QFETCH(QString, mentions);
        CoreBuilder items;
        const QuenHandle h = items << QuenR64ArrCreate(0, -1);
        QVERIFY(redim(h, dims, bounds));
        forEach(dims, bounds, [&](int a, int b, int c) { setAt(h, dims, a, b, c, 1); });
        QCOMPARE(getAt(h, dims, at[0], at[1], at[2]), 0.0);
        QCOMPARE(setAt(h, dims, at[0], at[1], at[2], 9), QUEN_FALSE);
        const QString code = QString::number(QUEN_ERR_OUT_OF_RANGE);
        QCOMPARE(codesAndMessages(), QStringList({ code + QStringLiteral(" QuenR64ArrGetAt%1: ").arg(dims) + mentions,
                                              code + QStringLiteral(" QuenR64ArrSetAt%1: ").arg(dims) + mentions }));
        forEach(dims, bounds, [&](int a, int b, int c) { QVERIFY2(getAt(h, dims, a, b, c) == 1, "an element changed"); });
        // Indices of the wrong number, and bound queries of a dimension that is not there.
        QCOMPARE(dims == 2 ? QuenR64ArrGetAt1(h, 1) : QuenR64ArrSetAt2(h, 1, 1, 9), 0.0);
        EXPECT_ONE_ERROR(QUEN_ERR_INVALID_ARGUMENT, dims == 2 ? "QuenR64ArrGetAt1" : "QuenR64ArrSetAt2");
        QCOMPARE(QuenArrayGetLowerBound(h, dims), 0);
        QCOMPARE(codesAndMessages(), QStringList(QString::number(QUEN_ERR_OUT_OF_RANGE)
                                                 + QStringLiteral(" QuenArrayGetLowerBound: dimension %1 is outside 0 to %2").arg(dims).arg(dims - 1)));
        QCOMPARE(QuenArrayGetUpperBound(h, -1), 0);
        EXPECT_ONE_ERROR(QUEN_ERR_OUT_OF_RANGE, "QuenArrayGetUpperBound");
    }

    void typedAccess_data()
    {
        QTest::addColumn<int>("family");
        for (std::size_t f = 0; f < std::size(kFamilies); ++f)
            QTest::newRow(kFamilies[f].cls) << int(f);
    }
    void typedAccess()
    {
        QFETCH(int, family);
        const Family& own = kFamilies[family];
        CoreBuilder items;
        const QuenHandle empty = items << QuenDataCreate(own.cls);
        QCOMPARE(shapeOf(empty), (QList<int> { 1, 0, -1, 0 }));
        own.get(empty, 0);
        EXPECT_ONE_ERROR(QUEN_ERR_OUT_OF_RANGE, own.getter);
        const QuenHandle h = items << own.create(32758, 32767);
        QCOMPARE(QByteArray(QuenDataGetType(h)), QByteArray(own.cls));
        for (const int i : { 32758, 32767 })
            QVERIFY(own.set(h, i) && own.get(h, i) == QString::fromUtf8(own.shown).arg(i));
        // A redimension keeps the element type's values; the new elements are empty.
        QVERIFY(QuenArrayRedim(h, 32757, 32758));
        QCOMPARE(own.get(h, 32757) + u'|' + own.get(h, 32758), QString::fromUtf8(own.empty) + u'|' + QString::fromUtf8(own.shown).arg(32758));
        EXPECT_NO_ERROR(); // the builder empties the register when it goes
    }

    void rangeElementsMustBeSound()
    {
        CoreBuilder items;
        const QuenHandle h = items << QuenRngArrCreate(0, 1);
        QVERIFY(QuenRngArrSetAt1(h, 1, 1, 2, 3) && !QuenRngArrSetAt1(h, 1, std::nan(""), 2, 3)); // the range check of the scalar
        EXPECT_ONE_ERROR(QUEN_ERR_INVALID_ARGUMENT, "QuenRngArrSetAt1");
        QCOMPARE(kFamilies[4].get(h, 1), QStringLiteral("1 2 3"));
    }

    void waveformPointsSurviveAChangeOfNumber_data()
    {
        VeltTest::columns<int, int>({"from", "to"});
        QTest::newRow("shrink") << 8 << 3;
        QTest::newRow("from none to the most") << 0 << 65535;
    }
    void waveformPointsSurviveAChangeOfNumber()
    {
        QFETCH(int, from);
        QFETCH(int, to);
        CoreBuilder items;
        const QuenHandle h = items << QuenWaveformCreate(from, 0, 1);
        for (int i = 0; i < from; ++i)
            QVERIFY(QuenWaveformSetAt(h, i, i + 0.25));
        QVERIFY(QuenWaveformSetNumPoints(h, to));
        for (int i = 0; i < to; ++i)
            QVERIFY2(QuenWaveformGetAt(h, i) == (i < from ? i + 0.25 : 0.0), qPrintable(QStringLiteral("point %1 is %2").arg(i).arg(QuenWaveformGetAt(h, i))));
        for (const int rejected : { -1, 65536 }) {
            QVERIFY(!QuenWaveformSetNumPoints(h, rejected));
            EXPECT_ONE_ERROR(QUEN_ERR_OUT_OF_RANGE, "QuenWaveformSetNumPoints");
        }
        QCOMPARE(QuenWaveformGetNumPoints(h), to); // the refused numbers changed nothing
    }

    void waveformCreateTimesAndIndices()
    {
        CoreBuilder items;
        const QuenHandle most = items << QuenWaveformCreate(65535, 1, -1); // the stop may lie before the start
        QCOMPARE(QStringLiteral("%1 %2 %3 %4").arg(text(QuenDataGetType(most))).arg(QuenWaveformGetNumPoints(most)).arg(QuenWaveformGetStart(most)).arg(QuenWaveformGetStop(most)),
                 QStringLiteral("CQuenWaveform 65535 1 -1"));
        for (const auto& [points, start, code] : { std::tuple(65536, 0.0, QUEN_ERR_OUT_OF_RANGE), std::tuple(-1, 0.0, QUEN_ERR_OUT_OF_RANGE), std::tuple(4, -HUGE_VAL, QUEN_ERR_INVALID_ARGUMENT) }) {
            QCOMPARE(QuenWaveformCreate(points, start, 1), 0);
            EXPECT_ONE_ERROR(code, "QuenWaveformCreate");
        }
        const QuenHandle h = items << QuenWaveformCreate(4, 0, 1);
        QVERIFY(QuenWaveformSetStart(h, -1e-9) && QuenWaveformSetStop(h, -2e-9)); // the editor checks the order
        QVERIFY(!QuenWaveformSetStart(h, HUGE_VAL) && !QuenWaveformSetStop(h, std::nan("")));
        QCOMPARE(codesAndMessages().join(u'|').count(QStringLiteral("%1 QuenWaveformSet").arg(QUEN_ERR_INVALID_ARGUMENT)), 2);
        QCOMPARE(QStringLiteral("%1 %2").arg(QuenWaveformGetStart(h)).arg(QuenWaveformGetStop(h)), QStringLiteral("-1e-09 -2e-09"));
        QVERIFY(QuenWaveformSetAt(h, 3, -HUGE_VAL) && std::isinf(QuenWaveformGetAt(h, 3))); // amplitudes are any real
        for (const int index : { -1, 4 }) {
            QVERIFY(QuenWaveformGetAt(h, index) == 0.0 && !QuenWaveformSetAt(h, index, 5));
            const QString message = QStringLiteral(": index %1 is outside 0 to 3").arg(index), code = QString::number(QUEN_ERR_OUT_OF_RANGE);
            QCOMPARE(codesAndMessages(), QStringList({ code + " QuenWaveformGetAt" + message, code + " QuenWaveformSetAt" + message }));
        }
        QVERIFY(QuenWaveformSetNumPoints(h, 0) && !QuenWaveformSetAt(h, 0, 5));
        QCOMPARE(takeErrors().first().message, QStringLiteral("QuenWaveformSetAt: index 0 is not valid: the waveform has no points"));
    }
};

QTEST_GUILESS_MAIN(ArrayTest)
#include "arraytest.moc"
