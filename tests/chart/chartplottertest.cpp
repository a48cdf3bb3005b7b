// The plotter behind the chart's seam, as the panel uses it: long series are drawn with what
// the plot's pixels can show, short ones whole; a picture leaves the view as it was, follows
// the palette (dark themes included) and the device pixel ratio.
#include "chartplotter_p.h"
#include "columns.h"

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
    // A picture at another size reduces the series for itself and leaves the view as it was.
    void longSeriesAreReducedToThePixels()
    {
        QFETCH(QList<int>, lengths);
        m_plotter->setData(data(lengths));
        QCoreApplication::processEvents(); // the view lays the new labels out
        const QList<qsizetype> drawn = m_plotter->drawnPointCounts();
        QCOMPARE(drawn.size(), lengths.size());
        // The plot is narrower than the view, so no series needs more than twice its width.
        const qsizetype bound = 2 * qsizetype(std::ceil(400 * m_plotter->view()->devicePixelRatioF())) + 4;
        for (qsizetype i = 0; i < drawn.size(); ++i) {
            if (lengths[i] <= 300)
                QCOMPARE(drawn[i], qsizetype(lengths[i])); // fewer points than pixels: all drawn
            else
                QVERIFY2(drawn[i] > 0 && drawn[i] <= bound, qPrintable(QString::number(drawn[i])));
        }
        QCOMPARE(m_plotter->image(QSize(1600, 400)).size(), QSize(1600, 400));
        QCOMPARE(m_plotter->drawnPointCounts(), drawn);
    }

    // The picture is drawn on the palette's base with labels in its text colour, at the
    // device pixel ratio asked for, the chart filling it; none for an empty size or ratio.
    void picture_data()
    {
        VeltTest::columns<QColor, QColor, QSize, qreal>({"base", "text", "size", "dpr"});
        QTest::newRow("light") << QColor(Qt::white) << QColor(Qt::black) << QSize(320, 240) << qreal(1);
        QTest::newRow("dark, ratio 2") << QColor(30, 30, 30) << QColor(230, 230, 230) << QSize(640, 480) << qreal(2);
        QTest::newRow("empty size") << QColor(Qt::white) << QColor(Qt::black) << QSize(0, 100) << qreal(1);
        QTest::newRow("ratio 0") << QColor(Qt::white) << QColor(Qt::black) << QSize(100, 100) << qreal(0);
    }
    void picture()
    {
        QFETCH(QColor, base);
        QFETCH(QColor, text);
        QFETCH(QSize, size);
        QFETCH(qreal, dpr);
        QPalette palette = m_plotter->view()->palette();
        palette.setColor(QPalette::Base, base);
        palette.setColor(QPalette::Text, text);
        m_plotter->view()->setPalette(palette);
        m_plotter->setData(data({200, 200}));
        const QImage picture = m_plotter->image(size, dpr);
        QCOMPARE(picture.isNull(), size.isEmpty() || dpr <= 0);
        if (picture.isNull())
            return;
        QCOMPARE(picture.size(), size);
        QCOMPARE(picture.devicePixelRatio(), dpr);
        QCOMPARE(picture.pixelColor(1, 1), base);
        bool textSeen = false; // labels and titles
        QSet<QRgb> rightHalf;  // the chart, not only its top-left logical part
        for (int y = 0; y < size.height(); ++y) {
            for (int x = 0; x < size.width(); ++x) {
                textSeen = textSeen || picture.pixel(x, y) == text.rgba();
                if (x > size.width() / 2)
                    rightHalf.insert(picture.pixel(x, y));
            }
        }
        QVERIFY(textSeen);
        QVERIFY(rightHalf.size() > 2);
    }

private:
    std::unique_ptr<QWidget> m_host;
    std::unique_ptr<Velt::ChartPlotter> m_plotter;
};

QTEST_MAIN(ChartPlotterTest)
#include "chartplottertest.moc"
