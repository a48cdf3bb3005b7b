// The plotter behind the chart's seam, as the panel uses it: long series are drawn with what
// the plot's pixels can show, short ones whole; rendering a picture leaves the view as it was;
// the picture follows the palette (dark themes included) and the device pixel ratio.
#include "chartplotter_p.h"

#include <QApplication>
#include <QPainter>
#include <QSet>
#include <QTest>
#include <QWidget>

#include <cmath>

namespace {

Velt::PlotData data(const QList<int>& lengths)
{
    Velt::PlotData result;
    result.horizontalTitle = QStringLiteral("Row");
    result.verticalTitle = QStringLiteral("Value");
    result.valueLabel = [](double v) { return QString::number(v); };
    for (const int length : lengths) {
        Velt::PlotSeries series;
        series.title = QStringLiteral("Column %1").arg(result.series.size());
        for (int i = 0; i < length; ++i)
            series.points.append(QPointF(i, std::sin(i / 10.0) * (result.series.size() + 1)));
        result.series.append(series);
    }
    return result;
}

} // namespace

class ChartPlotterTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        m_host = std::make_unique<QWidget>();
        m_host->resize(400, 300);
        m_plotter = Velt::ChartPlotter::create(m_host.get());
        m_plotter->view()->resize(400, 300);
        m_host->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_host.get()));
    }
    void cleanup()
    {
        m_plotter.reset();
        m_host.reset();
    }

    void longSeriesAreReducedToThePixels_data()
    {
        QTest::addColumn<QList<int>>("lengths");
        QTest::newRow("one short series") << QList<int>{50};
        QTest::newRow("one series of 65535 points") << QList<int>{65535};
        QTest::newRow("20 series of 3277 points") << QList<int>(20, 3277);
        QTest::newRow("short and long together") << QList<int>{3, 5000, 1};
    }
    void longSeriesAreReducedToThePixels()
    {
        QFETCH(QList<int>, lengths);
        m_plotter->setData(data(lengths));
        const QList<qsizetype> drawn = m_plotter->drawnPointCounts();
        QCOMPARE(drawn.size(), lengths.size());
        // The plot is narrower than the view, so no series needs more than twice its width.
        const qsizetype bound = 2 * qsizetype(std::ceil(400 * m_plotter->view()->devicePixelRatioF())) + 4;
        for (qsizetype i = 0; i < drawn.size(); ++i) {
            QVERIFY(drawn[i] > 0);
            if (lengths[i] <= 300)
                QCOMPARE(drawn[i], qsizetype(lengths[i])); // fewer points than pixels: all drawn
            else
                QVERIFY2(drawn[i] <= bound, qPrintable(QString::number(drawn[i])));
        }
    }

    void renderingLeavesTheViewAsItWas()
    {
        m_plotter->setData(data({65535}));
        QCoreApplication::processEvents(); // the view lays the new labels out
        const QList<qsizetype> before = m_plotter->drawnPointCounts();
        const QImage wide = m_plotter->image(QSize(1600, 400));
        QCOMPARE(wide.size(), QSize(1600, 400));
        QCOMPARE(m_plotter->drawnPointCounts(), before);
    }

    void pictureFollowsThePalette_data()
    {
        QTest::addColumn<QColor>("base");
        QTest::addColumn<QColor>("text");
        QTest::newRow("light") << QColor(Qt::white) << QColor(Qt::black);
        QTest::newRow("dark") << QColor(30, 30, 30) << QColor(230, 230, 230);
    }
    void pictureFollowsThePalette()
    {
        QFETCH(QColor, base);
        QFETCH(QColor, text);
        QPalette palette = m_plotter->view()->palette();
        palette.setColor(QPalette::Base, base);
        palette.setColor(QPalette::Text, text);
        m_plotter->view()->setPalette(palette);
        m_plotter->setData(data({200, 200}));
        const QImage picture = m_plotter->image(QSize(320, 240));
        QCOMPARE(picture.pixelColor(1, 1), base);
        // Axis labels and titles are written in the palette's text colour.
        bool textSeen = false;
        for (int y = 0; y < picture.height() && !textSeen; ++y) {
            for (int x = 0; x < picture.width() && !textSeen; ++x)
                textSeen = picture.pixelColor(x, y) == text;
        }
        QVERIFY(textSeen);
    }

    void pictureHonoursTheDevicePixelRatio_data()
    {
        QTest::addColumn<qreal>("dpr");
        QTest::newRow("1") << qreal(1);
        QTest::newRow("2") << qreal(2);
    }
    void pictureHonoursTheDevicePixelRatio()
    {
        QFETCH(qreal, dpr);
        m_plotter->setData(data({1000}));
        const QImage picture = m_plotter->image(QSize(640, 480) * dpr, dpr);
        QCOMPARE(picture.size(), QSize(640, 480) * dpr);
        QCOMPARE(picture.devicePixelRatio(), dpr);
        // The chart fills the picture, not only its top-left logical quarter.
        QSet<QRgb> colours;
        for (int x = int(picture.width() * 0.55); x < int(picture.width() * 0.95); ++x) {
            for (int y = int(picture.height() * 0.2); y < int(picture.height() * 0.8); ++y)
                colours.insert(picture.pixel(x, y));
        }
        QVERIFY(colours.size() > 2);
    }

    void emptySizesGiveNoPicture()
    {
        m_plotter->setData(data({10}));
        QVERIFY(m_plotter->image(QSize(0, 100)).isNull());
        QVERIFY(m_plotter->image(QSize(100, 100), 0).isNull());
    }

private:
    std::unique_ptr<QWidget> m_host;
    std::unique_ptr<Velt::ChartPlotter> m_plotter;
};

QTEST_MAIN(ChartPlotterTest)
#include "chartplottertest.moc"
