// Waveforms through the C API: the number of points and its limits, values that survive a
// change of the number of points, start and stop times, and indexed access from 0.
#include "coretesting.h"

#include <cmath>
#include <limits>

using namespace VeltTest;

class WaveformTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { QuenExcRegClearError(0); }

    void create_data()
    {
        QTest::addColumn<int>("points");
        QTest::addColumn<double>("start");
        QTest::addColumn<double>("stop");
        QTest::addColumn<int>("code"); // 0: created
        const double inf = std::numeric_limits<double>::infinity();
        QTest::newRow("none") << 0 << 0.0 << 1.0 << 0;
        QTest::newRow("most") << 65535 << -1.0 << 1.0 << 0;
        QTest::newRow("stop before start") << 4 << 5.0 << -5.0 << 0; // any finite reals
        QTest::newRow("too many") << 65536 << 0.0 << 1.0 << int(QUEN_ERR_OUT_OF_RANGE);
        QTest::newRow("negative") << -1 << 0.0 << 1.0 << int(QUEN_ERR_OUT_OF_RANGE);
        QTest::newRow("infinite start") << 4 << -inf << 1.0 << int(QUEN_ERR_INVALID_ARGUMENT);
        QTest::newRow("nan stop") << 4 << 0.0 << std::nan("") << int(QUEN_ERR_INVALID_ARGUMENT);
    }

    void create()
    {
        QFETCH(int, points);
        QFETCH(double, start);
        QFETCH(double, stop);
        QFETCH(int, code);
        CoreBuilder items;
        const int live = QuenCoreGetLiveObjectCount();
        const QuenHandle h = items << QuenWaveformCreate(points, start, stop);
        if (code) {
            QCOMPARE(h, 0);
            EXPECT_ONE_ERROR(code, "QuenWaveformCreate");
            QCOMPARE(QuenCoreGetLiveObjectCount(), live);
            return;
        }
        QVERIFY(h);
        QCOMPARE(QByteArray(QuenDataGetType(h)), QByteArray("CQuenWaveform"));
        QCOMPARE(QuenWaveformGetNumPoints(h), points);
        QCOMPARE(QuenWaveformGetStart(h), start);
        QCOMPARE(QuenWaveformGetStop(h), stop);
        for (int i = 0; i < points; i += 997)
            QCOMPARE(QuenWaveformGetAt(h, i), 0.0);
        EXPECT_NO_ERROR();
    }

    void setNumPointsKeepsSurvivors_data()
    {
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("to");
        QTest::newRow("grow") << 3 << 8;
        QTest::newRow("shrink") << 8 << 3;
        QTest::newRow("to none") << 5 << 0;
        QTest::newRow("from none") << 0 << 4;
        QTest::newRow("to the most") << 10 << 65535;
        QTest::newRow("same") << 6 << 6;
    }

    void setNumPointsKeepsSurvivors()
    {
        QFETCH(int, from);
        QFETCH(int, to);
        CoreBuilder items;
        const QuenHandle h = items << QuenWaveformCreate(from, 0, 1);
        for (int i = 0; i < from; ++i)
            QVERIFY(QuenWaveformSetAt(h, i, i + 0.25));
        QVERIFY(QuenWaveformSetNumPoints(h, to));
        QCOMPARE(QuenWaveformGetNumPoints(h), to);
        for (int i = 0; i < to; ++i) {
            const double expected = i < from ? i + 0.25 : 0.0;
            if (QuenWaveformGetAt(h, i) != expected)
                QFAIL(qPrintable(QStringLiteral("point %1 is %2").arg(i).arg(QuenWaveformGetAt(h, i))));
        }
        EXPECT_NO_ERROR();
        // Limits: the number stays as it was.
        for (const int rejected : { -1, 65536 }) {
            QVERIFY(!QuenWaveformSetNumPoints(h, rejected));
            EXPECT_ONE_ERROR(QUEN_ERR_OUT_OF_RANGE, "QuenWaveformSetNumPoints");
            QCOMPARE(QuenWaveformGetNumPoints(h), to);
        }
    }

    void times()
    {
        CoreBuilder items;
        const QuenHandle h = items << QuenWaveformCreate(2, 0, 1);
        QVERIFY(QuenWaveformSetStart(h, -1e-9));
        QVERIFY(QuenWaveformSetStop(h, -2e-9)); // the editor checks the order, not the core
        QCOMPARE(QuenWaveformGetStart(h), -1e-9);
        QCOMPARE(QuenWaveformGetStop(h), -2e-9);
        QVERIFY(!QuenWaveformSetStart(h, std::numeric_limits<double>::infinity()));
        EXPECT_ONE_ERROR(QUEN_ERR_INVALID_ARGUMENT, "QuenWaveformSetStart");
        QVERIFY(!QuenWaveformSetStop(h, std::nan("")));
        EXPECT_ONE_ERROR(QUEN_ERR_INVALID_ARGUMENT, "QuenWaveformSetStop");
        QCOMPARE(QuenWaveformGetStart(h), -1e-9);
        QCOMPARE(QuenWaveformGetStop(h), -2e-9);
        // Amplitudes are values like any real.
        QVERIFY(QuenWaveformSetAt(h, 1, -std::numeric_limits<double>::infinity()));
        QVERIFY(std::isinf(QuenWaveformGetAt(h, 1)));
        EXPECT_NO_ERROR();
    }

    void indexOutsideFails_data()
    {
        QTest::addColumn<int>("points");
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("message");
        QTest::newRow("one past") << 4 << 4 << QStringLiteral("index 4 is outside 0 to 3");
        QTest::newRow("negative") << 4 << -1 << QStringLiteral("index -1 is outside 0 to 3");
        QTest::newRow("no points") << 0 << 0 << QStringLiteral("index 0 is not valid: the waveform has no points");
    }

    void indexOutsideFails()
    {
        QFETCH(int, points);
        QFETCH(int, index);
        QFETCH(QString, message);
        CoreBuilder items;
        const QuenHandle h = items << QuenWaveformCreate(points, 0, 1);
        QCOMPARE(QuenWaveformGetAt(h, index), 0.0);
        QVERIFY(!QuenWaveformSetAt(h, index, 5));
        const QList<Raised> raised = takeErrors();
        QCOMPARE(raised.size(), 2);
        QCOMPARE(raised[0].code, int32_t(QUEN_ERR_OUT_OF_RANGE));
        QCOMPARE(raised[0].message, QStringLiteral("QuenWaveformGetAt: ") + message);
        QCOMPARE(raised[1].message, QStringLiteral("QuenWaveformSetAt: ") + message);
        QCOMPARE(QuenWaveformGetNumPoints(h), points);
    }
};

QTEST_GUILESS_MAIN(WaveformTest)
#include "waveformtest.moc"
