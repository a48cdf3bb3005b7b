#include "columns.h"
#include "twips.h"

#include <QWidget>
#include <QtTest>

#include <limits>

class TwipsTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void twipsToPixels_data()
    {
        // pixels: -1: no result
        VeltTest::columns<int, int, int>({"twips", "dpi", "pixels"});
        QTest::newRow("inch at 96") << 1440 << 96 << 96;
        QTest::newRow("half rounds away from zero") << 8 << 90 << 1;   // 0.5
        QTest::newRow("just under half") << 7 << 96 << 0;              // 0.4667
        QTest::newRow("negative half") << -8 << 90 << -1;
        QTest::newRow("int max at 96") << std::numeric_limits<int>::max() << 96 << 143165576;
        QTest::newRow("grows past int at high dpi") << std::numeric_limits<int>::max() << 2880 << -1;
        QTest::newRow("zero dpi") << 1440 << 0 << -1;
    }
    void twipsToPixels()
    {
        QFETCH(int, twips);
        QFETCH(int, dpi);
        QTEST(Velt::twipsToPixels(twips, dpi).value_or(-1), "pixels");
    }

    void pixelsToTwips_data()
    {
        // twips: -1: no result
        VeltTest::columns<int, int, int>({"pixels", "dpi", "twips"});
        QTest::newRow("pixel at 96") << 1 << 96 << 15;
        QTest::newRow("rounds up") << 7 << 100 << 101; // 100.8
        QTest::newRow("negative") << -10 << 96 << -150;
        QTest::newRow("largest that fits") << 143165576 << 96 << 2147483640;
        QTest::newRow("overflow") << 143165577 << 96 << -1;
        QTest::newRow("negative overflow") << std::numeric_limits<int>::min() << 96 << -1;
        QTest::newRow("zero dpi") << 10 << 0 << -1;
    }
    void pixelsToTwips()
    {
        QFETCH(int, pixels);
        QFETCH(int, dpi);
        QTEST(Velt::pixelsToTwips(pixels, dpi).value_or(-1), "twips");
    }

    void widgetEdgeUsesTheWidgetsDpi()
    {
        QWidget widget;
        const int dpiX = widget.logicalDpiX();
        const int dpiY = widget.logicalDpiY();
        QCOMPARE(Velt::twipsToPixels(QSize(2880, 1440), &widget), QSize(2 * dpiX, dpiY));
        QCOMPARE(Velt::pixelsToTwips(QPoint(dpiX, 2 * dpiY), &widget), QPoint(1440, 2880));
        QCOMPARE(Velt::pixelsToTwips(QSize(std::numeric_limits<int>::max(), 1), &widget), std::nullopt);
        QVERIFY(Velt::logicalDpi(nullptr) > 0);
    }
};

QTEST_MAIN(TwipsTest)
#include "twipstest.moc"
