// Arrays through the C API: redimensioning keeps every element at its indices, bounds and sizes
// are limited, element access checks its indices and its element class.
#include "coretesting.h"

#include <array>
#include <cmath>
#include <functional>

using namespace VeltTest;

namespace {

using Bounds = std::array<int, 6>; // lower0, upper0, lower1, upper1, lower2, upper2

QuenBool redim(QuenHandle h, int dims, const Bounds& b)
{
    switch (dims) {
    case 1: return QuenArrayRedim(h, b[0], b[1]);
    case 2: return QuenArrayRedim2(h, b[0], b[1], b[2], b[3]);
    default: return QuenArrayRedim3(h, b[0], b[1], b[2], b[3], b[4], b[5]);
    }
}

double getAt(QuenHandle h, int dims, int i, int j, int k)
{
    switch (dims) {
    case 1: return QuenR64ArrGetAt1(h, i);
    case 2: return QuenR64ArrGetAt2(h, i, j);
    default: return QuenR64ArrGetAt3(h, i, j, k);
    }
}

QuenBool setAt(QuenHandle h, int dims, int i, int j, int k, double v)
{
    switch (dims) {
    case 1: return QuenR64ArrSetAt1(h, i, v);
    case 2: return QuenR64ArrSetAt2(h, i, j, v);
    default: return QuenR64ArrSetAt3(h, i, j, k, v);
    }
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

QList<int> shapeOf(int dims, const Bounds& b)
{
    QList<int> shape { dims };
    int size = 1;
    for (int d = 0; d < dims; ++d) {
        shape << lowerOf(dims, b, d) << upperOf(dims, b, d);
        size *= upperOf(dims, b, d) - lowerOf(dims, b, d) + 1;
    }
    return shape << size;
}

// Element access of one element class: a round trip at an index, and a plain read.
struct Family
{
    const char* cls;
    QuenHandle (*create)(int32_t, int32_t);
    std::function<bool(QuenHandle, int)> roundTrip; // sets a value and reads it back
    std::function<bool(QuenHandle, int)> readsDefault;
    const char* getter;
};

const std::vector<Family>& families()
{
    static const std::vector<Family> list {
        { "CQuenInt32Array", QuenI32ArrCreate,
          [](QuenHandle h, int i) { return QuenI32ArrSetAt1(h, i, -i - 7) && QuenI32ArrGetAt1(h, i) == -i - 7; },
          [](QuenHandle h, int i) { return QuenI32ArrGetAt1(h, i) == 0; }, "QuenI32ArrGetAt1" },
        { "CQuenReal64Array", QuenR64ArrCreate,
          [](QuenHandle h, int i) { return QuenR64ArrSetAt1(h, i, i / 4.0) && QuenR64ArrGetAt1(h, i) == i / 4.0; },
          [](QuenHandle h, int i) { return QuenR64ArrGetAt1(h, i) == 0.0; }, "QuenR64ArrGetAt1" },
        { "CQuenStringArray", QuenStrArrCreate,
          [](QuenHandle h, int i) {
              const QByteArray v = "s" + QByteArray::number(i) + " \xc2\xb5";
              return QuenStrArrSetAt1(h, i, v.constData()) && QByteArray(QuenStrArrGetAt1(h, i)) == v;
          },
          [](QuenHandle h, int i) { return QByteArray(QuenStrArrGetAt1(h, i)).isEmpty(); }, "QuenStrArrGetAt1" },
        { "CQuenPointArray", QuenPtArrCreate,
          [](QuenHandle h, int i) {
              double x = 0, y = 0;
              return QuenPtArrSetAt1(h, i, i, -i * 2.5) && QuenPtArrGetAt1(h, i, &x, &y) && x == i && y == -i * 2.5;
          },
          [](QuenHandle h, int i) {
              double x = 1, y = 1;
              return QuenPtArrGetAt1(h, i, &x, &y) && x == 0 && y == 0;
          },
          "QuenPtArrGetAt1" },
        { "CQuenRangeArray", QuenRngArrCreate,
          [](QuenHandle h, int i) {
              double a = 0, b = 0;
              int32_t n = 0;
              return QuenRngArrSetAt1(h, i, i, i + 10, 11) && QuenRngArrGetAt1(h, i, &a, &b, &n) && a == i
                      && b == i + 10 && n == 11;
          },
          [](QuenHandle h, int i) {
              double a = 1, b = 1;
              int32_t n = 0;
              return QuenRngArrGetAt1(h, i, &a, &b, &n) && a == 0 && b == 0 && n == 1;
          },
          "QuenRngArrGetAt1" },
    };
    return list;
}

} // namespace

Q_DECLARE_METATYPE(Bounds)

class ArrayTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { QuenExcRegClearError(0); }

    void redimKeepsValuesAtTheirIndices_data()
    {
        QTest::addColumn<int>("oldDims");
        QTest::addColumn<Bounds>("oldBounds");
        QTest::addColumn<int>("newDims");
        QTest::addColumn<Bounds>("newBounds");
        const auto row = [](const char* name, int od, Bounds ob, int nd, Bounds nb) {
            QTest::newRow(name) << od << ob << nd << nb;
        };
        row("1d grow", 1, { 0, 4 }, 1, { 0, 9 });
        row("1d shrink", 1, { 0, 9 }, 1, { 2, 5 });
        row("1d move down", 1, { 0, 9 }, 1, { -5, 4 });
        row("1d disjoint", 1, { 0, 4 }, 1, { 10, 12 });
        row("1d to empty", 1, { 0, 4 }, 1, { 0, -1 });
        row("1d from empty", 1, { 0, -1 }, 1, { 0, 3 });
        row("1d lowest bounds", 1, { -32768, -32760 }, 1, { -32768, -32765 });
        row("1d highest bounds", 1, { 32760, 32767 }, 1, { 32765, 32767 });
        row("2d fewer columns", 2, { 0, 2, 0, 4 }, 2, { 0, 2, 0, 2 });
        row("2d more columns", 2, { 0, 2, 0, 2 }, 2, { 0, 2, 0, 5 });
        row("2d moved", 2, { 0, 3, 0, 3 }, 2, { 1, 5, -1, 2 });
        row("3d moved", 3, { 0, 2, 0, 2, 0, 2 }, 3, { 1, 3, -1, 1, 0, 4 });
        row("1d to 2d raised lower", 1, { 0, 4 }, 2, { -1, 3, 3, 5 });
        row("2d to 1d", 2, { 0, 3, 2, 4 }, 1, { 0, 5 });
        row("2d to 3d", 2, { 0, 3, 0, 3 }, 3, { 0, 3, 1, 3, -1, 1 });
        row("3d to 1d", 3, { 0, 2, 1, 2, 3, 4 }, 1, { -1, 1 });
        row("3d to 2d", 3, { 0, 2, 0, 2, 0, 2 }, 2, { 0, 3, 0, 3 });
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
        EXPECT_NO_ERROR();

        QVERIFY(redim(h, newDims, newBounds));
        EXPECT_NO_ERROR();
        QCOMPARE(shapeOf(h), shapeOf(newDims, newBounds));

        // Where each new element comes from: the same indices in the dimensions both have; an
        // added dimension holds the old elements at its lower bound; a dropped one keeps the slice
        // at its old lower bound.
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
                survives = survives && old[d] >= lowerOf(oldDims, oldBounds, d)
                        && old[d] <= upperOf(oldDims, oldBounds, d);
            }
            const double expected = survives ? tag(old[0], old[1], old[2]) : 0.0;
            const double actual = getAt(h, newDims, i, j, k);
            if (actual != expected)
                QFAIL(qPrintable(QStringLiteral("element (%1, %2, %3) is %4, not %5")
                                         .arg(i).arg(j).arg(k).arg(actual, 0, 'g', 17).arg(expected, 0, 'g', 17)));
        });
        EXPECT_NO_ERROR();
    }

    void redimLimits_data()
    {
        QTest::addColumn<int>("dims");
        QTest::addColumn<Bounds>("bounds");
        QTest::addColumn<bool>("allowed");
        const auto row = [](const char* name, int dims, Bounds b, bool ok) { QTest::newRow(name) << dims << b << ok; };
        row("65535 elements from -32768", 1, { -32768, 32766 }, true);
        row("65535 elements to 32767", 1, { -32767, 32767 }, true);
        row("every 16-bit index", 1, { -32768, 32767 }, false); // 65536 elements
        row("lower below 16 bits", 1, { -32769, 0 }, false);
        row("upper above 16 bits", 1, { 0, 32768 }, false);
        row("upper far below lower", 1, { 5, 3 }, false);
        row("empty", 1, { 5, 4 }, true);
        row("2d 256 x 256", 2, { 0, 255, 0, 255 }, false);
        row("2d 255 x 257", 2, { 0, 254, 0, 256 }, true);
        row("2d bad second dimension", 2, { 0, 1, 3, 1 }, false);
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
        const QuenBool result = redim(h, dims, bounds);
        if (allowed) {
            QCOMPARE(result, QUEN_TRUE);
            EXPECT_NO_ERROR();
            QCOMPARE(QuenArrayGetNumDimensions(h), dims);
            return;
        }
        QCOMPARE(result, QUEN_FALSE);
        EXPECT_ONE_ERROR(QUEN_ERR_OUT_OF_RANGE, "QuenArrayRedim" + (dims > 1 ? QByteArray::number(dims) : QByteArray()));
        QCOMPARE(shapeOf(h), (QList<int> { 1, -2, 2, 5 }));
        QCOMPARE(QuenR64ArrGetAt1(h, 2), 42.0);
    }

    void maxSize()
    {
        CoreBuilder items;
        QCOMPARE(QuenArrayGetDefaultMaxSize(), 65535);
        const QuenHandle before = items << QuenI32ArrCreate(0, 0);
        QCOMPARE(QuenArrayGetMaxSize(before), 65535);

        QVERIFY(QuenArraySetDefaultMaxSize(10));
        const QuenHandle small = items << QuenI32ArrCreate(1, 10);
        QVERIFY(small);
        QCOMPARE(QuenArrayGetMaxSize(small), 10);
        QCOMPARE(QuenArrayGetMaxSize(before), 65535); // each array keeps the maximum it was made with
        QCOMPARE(QuenI32ArrCreate(0, 10), 0);
        EXPECT_ONE_ERROR(QUEN_ERR_OUT_OF_RANGE, "QuenI32ArrCreate");
        QVERIFY(!QuenArrayRedim2(small, 0, 3, 0, 2));
        EXPECT_ONE_ERROR(QUEN_ERR_OUT_OF_RANGE, "QuenArrayRedim2");
        QVERIFY(QuenArrayRedim2(small, 0, 4, 0, 1));
        QVERIFY(QuenArrayRedim(before, 0, 99)); // the old array still takes 100
        const QuenHandle copy = items << QuenDataExDeepCopy(small);
        QCOMPARE(QuenArrayGetMaxSize(copy), 10);

        for (const int rejected : { 0, 65536 }) {
            QVERIFY(!QuenArraySetDefaultMaxSize(rejected));
            EXPECT_ONE_ERROR(QUEN_ERR_OUT_OF_RANGE, "QuenArraySetDefaultMaxSize");
            QCOMPARE(QuenArrayGetDefaultMaxSize(), 10);
        }
        QVERIFY(QuenArraySetDefaultMaxSize(65535));

        // Waveform editors read the limit of a waveform through the same call.
        const QuenHandle wave = items << QuenWaveformCreate(3, 0, 1);
        QCOMPARE(QuenArrayGetMaxSize(wave), 65535);
    }

    void outOfBoundsAccessFails_data()
    {
        QTest::addColumn<int>("dims");
        QTest::addColumn<Bounds>("bounds");
        QTest::addColumn<int>("i");
        QTest::addColumn<int>("j");
        QTest::addColumn<int>("k");
        QTest::addColumn<QString>("mentions"); // what the message must say
        const auto row = [](const char* name, int dims, Bounds b, int i, int j, int k, const char* m) {
            QTest::newRow(name) << dims << b << i << j << k << QString::fromLatin1(m);
        };
        row("1d above", 1, { 0, 5 }, 6, 0, 0, "index 6 of dimension 0 is outside the bounds 0 to 5");
        row("1d below", 1, { -3, 5 }, -4, 0, 0, "index -4 of dimension 0 is outside the bounds -3 to 5");
        row("1d empty", 1, { 0, -1 }, 0, 0, 0, "index 0 of dimension 0 is not valid: the dimension is empty");
        row("2d second", 2, { 0, 2, 1, 3 }, 1, 0, 0, "index 0 of dimension 1 is outside the bounds 1 to 3");
        row("3d third", 3, { 0, 2, 0, 2, -1, 1 }, 0, 0, 2, "index 2 of dimension 2 is outside the bounds -1 to 1");
    }

    void outOfBoundsAccessFails()
    {
        QFETCH(int, dims);
        QFETCH(Bounds, bounds);
        QFETCH(int, i);
        QFETCH(int, j);
        QFETCH(int, k);
        QFETCH(QString, mentions);
        CoreBuilder items;
        const QuenHandle h = items << QuenR64ArrCreate(0, -1);
        QVERIFY(redim(h, dims, bounds));
        forEach(dims, bounds, [&](int a, int b, int c) { setAt(h, dims, a, b, c, 1); });

        QCOMPARE(getAt(h, dims, i, j, k), 0.0);
        QCOMPARE(setAt(h, dims, i, j, k, 9), QUEN_FALSE);
        const QList<Raised> errors = takeErrors();
        QCOMPARE(errors.size(), 2);
        QCOMPARE(errors[0].code, int32_t(QUEN_ERR_OUT_OF_RANGE));
        QCOMPARE(errors[0].message, QStringLiteral("QuenR64ArrGetAt%1: ").arg(dims) + mentions);
        QCOMPARE(errors[1].message, QStringLiteral("QuenR64ArrSetAt%1: ").arg(dims) + mentions);
        forEach(dims, bounds, [&](int a, int b, int c) {
            if (getAt(h, dims, a, b, c) != 1)
                QFAIL("an element changed");
        });
        // Indices of the wrong number, and bound queries of a dimension that is not there.
        if (dims == 2) {
            QCOMPARE(QuenR64ArrGetAt1(h, 1), 0.0);
            EXPECT_ONE_ERROR(QUEN_ERR_INVALID_ARGUMENT, "QuenR64ArrGetAt1");
        } else {
            QCOMPARE(QuenR64ArrSetAt2(h, 1, 1, 9), QUEN_FALSE);
            EXPECT_ONE_ERROR(QUEN_ERR_INVALID_ARGUMENT, "QuenR64ArrSetAt2");
        }
        QCOMPARE(QuenArrayGetLowerBound(h, dims), 0);
        EXPECT_ONE_ERROR(QUEN_ERR_OUT_OF_RANGE, "QuenArrayGetLowerBound");
        QCOMPARE(QuenArrayGetUpperBound(h, -1), 0);
        EXPECT_ONE_ERROR(QUEN_ERR_OUT_OF_RANGE, "QuenArrayGetUpperBound");
    }

    void typedAccess_data()
    {
        QTest::addColumn<int>("family");
        for (std::size_t f = 0; f < families().size(); ++f)
            QTest::newRow(families()[f].cls) << int(f);
    }

    void typedAccess()
    {
        QFETCH(int, family);
        const Family& own = families()[std::size_t(family)];
        CoreBuilder items;
        const QuenHandle h = items << own.create(-32768, -32768 + 9);
        QCOMPARE(QByteArray(QuenDataGetType(h)), QByteArray(own.cls));
        QCOMPARE(QuenArrayGetSize(h), 10);
        for (const int i : { -32768, -32764, -32759 }) {
            QVERIFY(own.roundTrip(h, i));
            EXPECT_NO_ERROR();
        }
        // A redimension keeps the element type's values; the new elements are empty.
        QVERIFY(QuenArrayRedim(h, -32759, -32758));
        QVERIFY(own.roundTrip(h, -32759)); // still there, and writable
        QVERIFY(own.readsDefault(h, -32758));
        EXPECT_NO_ERROR();

        // Every other element class's access fails cleanly on this array.
        for (const Family& other : families()) {
            if (&other == &own)
                continue;
            QVERIFY(!other.roundTrip(h, -32759));
            const QList<Raised> raised = takeErrors();
            QCOMPARE(raised.size(), 1); // the set fails; the get after it is never made
            QCOMPARE(raised.first().code, int32_t(QUEN_ERR_WRONG_KIND));
            QVERIFY2(raised.first().message.contains(QLatin1String(own.cls))
                             && raised.first().message.contains(QLatin1String(other.cls)),
                     qPrintable(raised.first().message));
        }
        QVERIFY(own.roundTrip(h, -32759));
        EXPECT_NO_ERROR();

        const QuenHandle empty = items << own.create(0, -1);
        QCOMPARE(shapeOf(empty), (QList<int> { 1, 0, -1, 0 }));
        own.readsDefault(empty, 0); // a failed read gives the empty value too: the register tells
        EXPECT_ONE_ERROR(QUEN_ERR_OUT_OF_RANGE, own.getter);
        QVERIFY(QuenArrayRedim(empty, 3, 4));
        QVERIFY(own.readsDefault(empty, 3) && own.readsDefault(empty, 4) && own.roundTrip(empty, 4));
        QVERIFY(QuenArrayRedim(empty, 0, -1));
        QCOMPARE(QuenArrayGetSize(empty), 0);
        EXPECT_NO_ERROR();
    }

    void createdArrayIsEmpty()
    {
        CoreBuilder items;
        const QuenHandle created = items << QuenDataCreate("CQuenStringArray");
        QCOMPARE(QuenArrayGetSize(created), 0);
        QCOMPARE(QuenArrayGetUpperBound(created, 0), -1);
        QVERIFY(QuenStrArrSetAt1(created, 0, "x") == QUEN_FALSE);
        EXPECT_ONE_ERROR(QUEN_ERR_OUT_OF_RANGE, "QuenStrArrSetAt1");
    }

    void rangeElementsMustBeSound()
    {
        CoreBuilder items;
        const QuenHandle h = items << QuenRngArrCreate(0, 1);
        QVERIFY(QuenRngArrSetAt1(h, 1, 1, 2, 3));
        const double nan = std::nan("");
        const struct
        {
            double start, stop;
            int32_t points;
            int code;
        } rejected[] = {
            { 1, 2, 0, QUEN_ERR_OUT_OF_RANGE },
            { nan, 2, 3, QUEN_ERR_INVALID_ARGUMENT },
            { 1, HUGE_VAL, 3, QUEN_ERR_INVALID_ARGUMENT },
            { -1e308, 1e308, 3, QUEN_ERR_OVERFLOW },
        };
        for (const auto& r : rejected) {
            QVERIFY(!QuenRngArrSetAt1(h, 1, r.start, r.stop, r.points));
            EXPECT_ONE_ERROR(r.code, "QuenRngArrSetAt1");
        }
        double a = 0, b = 0;
        int32_t n = 0;
        QVERIFY(QuenRngArrGetAt1(h, 1, &a, &b, &n));
        QVERIFY(a == 1 && b == 2 && n == 3);
        // A bad index is reported as such, whatever the range.
        QVERIFY(!QuenRngArrSetAt1(h, 2, nan, 0, 0));
        EXPECT_ONE_ERROR(QUEN_ERR_OUT_OF_RANGE, "QuenRngArrSetAt1");
    }
};

QTEST_GUILESS_MAIN(ArrayTest)
#include "arraytest.moc"
