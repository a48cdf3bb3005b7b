// The hover window's geometry: label margins, height with its cap, width bounds, on-screen placement.
#include "columns.h"
#include "hovererrorlayout.h"

#include <QTest>

using namespace Velt::HoverErrorLayout;

class HoverErrorLayoutTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void labelRectKeepsMargins_data()
    {
        VeltTest::columns<QSize, QRect>({"window", "label"});
        QTest::newRow("ordinary") << QSize(200, 60) << QRect(5, 5, 190, 50);
        QTest::newRow("exactly the margins") << QSize(10, 10) << QRect(5, 5, 0, 0);
        QTest::newRow("smaller than the margins") << QSize(4, 7) << QRect(5, 5, 0, 0);
    }

    void labelRectKeepsMargins()
    {
        QFETCH(QSize, window);
        QTEST(labelRect(window), "label");
    }

    void heightFollowsLines_data()
    {
        VeltTest::columns<int, int, int, int, int>({"textWidth", "labelWidth", "lineHeight", "maxHeight", "height"});
        // lines = textWidth / labelWidth + 1.75; height = ceil(lines * lineHeight) + 2 margins
        QTest::newRow("empty text: 1.75 lines") << 0 << 100 << 16 << 333 << 28 + 10;
        QTest::newRow("three lines") << 300 << 100 << 16 << 333 << 76 + 10;
        QTest::newRow("very long message caps") << 100000 << 100 << 16 << 333 << 333;
        QTest::newRow("just under the cap") << 1700 << 100 << 16 << 333 << 300 + 10;
        QTest::newRow("no label width: the cap") << 50 << 0 << 16 << 333 << 333;
    }

    void heightFollowsLines()
    {
        QFETCH(int, textWidth);
        QFETCH(int, labelWidth);
        QFETCH(int, lineHeight);
        QFETCH(int, maxHeight);
        QTEST(windowHeight(textWidth, labelWidth, lineHeight, maxHeight), "height");
    }

    void widthBounds_data()
    {
        VeltTest::columns<int, int, int>({"textWidth", "fieldWidth", "width"});
        // minimum 96, maximum 384; text plus margins and 2 when between
        QTest::newRow("short text: the minimum") << 10 << 50 << 96;
        QTest::newRow("short text beside a wide field: the field") << 10 << 200 << 200;
        QTest::newRow("text between the bounds") << 150 << 50 << 162;
        QTest::newRow("long text: the maximum") << 5000 << 50 << 384;
        QTest::newRow("field wider than the maximum") << 10 << 1000 << 384;
    }

    void widthBounds()
    {
        QFETCH(int, textWidth);
        QFETCH(int, fieldWidth);
        QTEST(windowWidth(textWidth, fieldWidth, 96, 384), "width");
    }

    void placement_data()
    {
        VeltTest::columns<QRect, QSize, QRect, QRect>({"field", "window", "screen", "placed"});
        const QRect primary(0, 0, 1280, 800);
        const QRect second(1280, 0, 1920, 1080); // a second screen to the right
        QTest::newRow("below the field") << QRect(100, 100, 120, 20) << QSize(200, 50) << primary << QRect(100, 120, 200, 50);
        QTest::newRow("no room below: above") << QRect(100, 770, 120, 20) << QSize(200, 50) << primary << QRect(100, 720, 200, 50);
        QTest::newRow("right edge: pulled left") << QRect(1200, 100, 70, 20) << QSize(200, 50) << primary << QRect(1080, 120, 200, 50);
        QTest::newRow("left edge of a second screen") << QRect(1270, 100, 120, 20) << QSize(200, 50) << second << QRect(1280, 120, 200, 50);
        QTest::newRow("right edge of a second screen") << QRect(3150, 1050, 40, 20) << QSize(200, 50) << second << QRect(3000, 1000, 200, 50);
        QTest::newRow("taller than the room either side") << QRect(0, 300, 50, 20) << QSize(100, 700) << primary << QRect(0, 100, 100, 700);
        QTest::newRow("larger than the screen") << QRect(0, 0, 50, 20) << QSize(2000, 900) << primary << QRect(0, 0, 1280, 800);
    }

    void placement()
    {
        QFETCH(QRect, field);
        QFETCH(QSize, window);
        QFETCH(QRect, screen);
        QTEST(Velt::HoverErrorLayout::placement(field, window, screen), "placed");
    }
};

QTEST_APPLESS_MAIN(HoverErrorLayoutTest)
#include "hovererrorlayouttest.moc"
