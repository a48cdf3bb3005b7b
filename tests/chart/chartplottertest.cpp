// The plotter behind the chart's seam, as the panel uses it: the series it draws, and the
// picture it renders.
#include "chartplotter_p.h"
#include "columns.h"

#include <QApplication>
#include <QSet>
#include <QTest>
#include <QWidget>

#include <cmath>

class ChartPlotterTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void picture_data()
    {
        VeltTest::columns<QList<int>, QColor, QColor, QSize, qreal>({"lengths", "base", "text", "size", "dpr"});
        QTest::newRow("light, short series") << QList<int>{3, 50} << QColor(Qt::white) << QColor(Qt::black) << QSize(320, 240) << qreal(1);
        QTest::newRow("dark, ratio 2, long series") << QList<int>{65535, 5000} << QColor(30, 30, 30) << QColor(230, 230, 230)
                                                    << QSize(640, 480) << qreal(2);
        QTest::newRow("empty size") << QList<int>{200} << QColor(Qt::white) << QColor(Qt::black) << QSize(0, 100) << qreal(1);
        QTest::newRow("ratio 0") << QList<int>{200} << QColor(Qt::white) << QColor(Qt::black) << QSize(100, 100) << qreal(0);
    }
    // The plot is narrower than its 400 pixel wide view: a short series is drawn whole, a long
    // one with at most two points per pixel column. The picture is drawn on the palette's base
    // with labels in its text colour, at the ratio asked for, the chart filling it (none for an
    // empty size or ratio); it reduces the series for itself and leaves the view as it was.
    void picture()
    {
        QFETCH(QList<int>, lengths);
        QFETCH(QColor, base);
        QFETCH(QColor, text);
        QWidget host;
        const std::unique_ptr<Velt::ChartPlotter> plotter = Velt::ChartPlotter::create(&host);
        plotter->view()->resize(400, 300);
        QPalette palette = plotter->view()->palette();
        palette.setColor(QPalette::Base, base);
        palette.setColor(QPalette::Text, text);
        plotter->view()->setPalette(palette);
        host.show();
        QVERIFY(QTest::qWaitForWindowExposed(&host));
        Velt::PlotData data{QStringLiteral("Row"), QStringLiteral("Value"), [](double v) { return QString::number(v); }, {}};
        for (const int length : lengths) {
            data.series.append({QStringLiteral("Column %1").arg(data.series.size()), {}});
            for (int i = 0; i < length; ++i)
                data.series.last().points.append(QPointF(i, std::sin(i / 10.0) * data.series.size()));
        }
        plotter->setData(data);
        QCoreApplication::processEvents(); // the view lays the new labels out
        const QList<qsizetype> drawn = plotter->drawnPointCounts();
        QCOMPARE(drawn.size(), lengths.size());
        const qsizetype bound = 2 * qsizetype(std::ceil(400 * plotter->view()->devicePixelRatioF())) + 4;
        for (qsizetype i = 0; i < drawn.size(); ++i)
            QVERIFY2(lengths[i] <= 200 ? drawn[i] == lengths[i] : drawn[i] > 0 && drawn[i] <= bound, qPrintable(QString::number(drawn[i])));

        QFETCH(QSize, size);
        QFETCH(qreal, dpr);
        const QImage picture = plotter->image(size, dpr);
        QCOMPARE(plotter->drawnPointCounts(), drawn);
        QCOMPARE(picture.isNull(), size.isEmpty() || dpr <= 0);
        if (picture.isNull())
            return;
        QCOMPARE(picture.size(), size);
        QCOMPARE(picture.devicePixelRatio(), dpr);
        QCOMPARE(picture.pixelColor(1, 1), base);
        QSet<QRgb> leftHalf;
        QSet<QRgb> rightHalf; // the chart, not only its top-left logical part
        for (int y = 0; y < size.height(); ++y) {
            for (int x = 0; x < size.width(); ++x)
                (x > size.width() / 2 ? rightHalf : leftHalf).insert(picture.pixel(x, y));
        }
        QVERIFY(leftHalf.contains(text.rgba()) || rightHalf.contains(text.rgba())); // labels and titles
        QVERIFY(rightHalf.size() > 2);
    }

    // Values from 0.998 to 1.003 fill the value axis whatever the plot's height and whether
    // they came before the plot was laid out: every value label sits inside 0.99..1.01 (not 0
    // or 2) and there are at least two; a lone point is framed around its value. A picture at
    // another height places them afresh.
    void narrowBandLabels_data()
    {
        VeltTest::columns<int, bool, QList<QPointF>, double, double>({"height", "dataFirst", "points", "low", "high"});
        const QList<QPointF> band{QPointF(1, 0.998), QPointF(2, 1.003)};
        QTest::newRow("low plot, data before it is shown") << 150 << true << band << 0.99 << 1.01;
        QTest::newRow("tall plot, data after it is shown") << 400 << false << band << 0.99 << 1.01;
        QTest::newRow("one point") << 300 << false << QList<QPointF>{QPointF(5, 10)} << 9.0 << 11.0;
    }
    void narrowBandLabels()
    {
        QFETCH(int, height);
        QFETCH(bool, dataFirst);
        QFETCH(QList<QPointF>, points);
        QFETCH(double, low);
        QFETCH(double, high);
        QWidget host;
        const std::unique_ptr<Velt::ChartPlotter> plotter = Velt::ChartPlotter::create(&host);
        plotter->view()->resize(400, height);
        QList<double> labelled;
        const Velt::PlotData data{QStringLiteral("Row"), QStringLiteral("Value"),
                                  [&labelled](double v) { labelled.append(v); return QString::number(v); },
                                  {{QStringLiteral("Column 1"), points}}};
        if (dataFirst)
            plotter->setData(data);
        host.show();
        QVERIFY(QTest::qWaitForWindowExposed(&host));
        if (!dataFirst)
            plotter->setData(data);
        QCoreApplication::processEvents();
        labelled.clear();
        QVERIFY(!plotter->image(QSize(400, height + 40), 1).isNull());
        QVERIFY2(labelled.size() >= 4, qPrintable(QString::number(labelled.size()))); // two placings
        for (const double value : std::as_const(labelled))
            QVERIFY2(value >= low && value <= high, qPrintable(QString::number(value)));
    }
};

QTEST_MAIN(ChartPlotterTest)
#include "chartplottertest.moc"
