// The array chart at the data's limit, 65,535 values, redrawn into an 800 x 600 picture beside
// the floor of a bare QPainter polyline through the same points in the same run:
//   - one series of 65,535 points, and 20 series of 3,277 (65,540 points), through the plotter
//     (new data, then the picture: what a redraw after an edit costs), and the picture alone;
//   - a picture at another size than the view's (the chart is laid out for it and back);
//   - the chart panel over the largest plane it draws in full, 20 columns of 1,001 rows: a
//     redraw on screen after the values changed, and a picture while it is hidden.
// A redraw must fit in one 16 ms frame.
#include "benchmain.h"
#include "arraychartpanel.h"
#include "chartplotter_p.h"
#include "chartseriesrules.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <QWidget>

#include <cmath>
#include <functional>

namespace {

constexpr QSize kPicture(800, 600);

Velt::PlotData plotData(int seriesCount, int length)
{
    Velt::PlotData data;
    data.horizontalTitle = Velt::ChartSeriesRules::horizontalTitle(false);
    data.verticalTitle = Velt::ChartSeriesRules::verticalTitle(QStringLiteral("V"));
    data.valueLabel = [](double value) { return Velt::ChartSeriesRules::formatValueLabel(value); };
    for (int s = 0; s < seriesCount; ++s) {
        Velt::PlotSeries series;
        series.title = Velt::ChartSeriesRules::seriesTitle(false, s + 1);
        series.points.reserve(length);
        for (int i = 0; i < length; ++i)
            series.points.append(QPointF(i, std::sin(i * 0.01 + s) * (s + 1) + (i % 997 == 0 ? 5 : 0)));
        data.series.append(series);
    }
    return data;
}

void arguments(benchmark::internal::Benchmark* bench)
{
    bench->Args({1, 65535})->Args({20, 3277})->ArgNames({"series", "points"});
}

void BM_Floor_BarePolyline(benchmark::State& state)
{
    const Velt::PlotData data = plotData(int(state.range(0)), int(state.range(1)));
    QImage picture(kPicture, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        picture.fill(Qt::white);
        QPainter painter(&picture);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(QPen(Qt::blue, 2));
        // The points mapped into the picture, as the chart's plot maps them.
        const QTransform toPicture = QTransform::fromScale(kPicture.width() / double(state.range(1)), -kPicture.height() / 50.0)
                                         * QTransform::fromTranslate(0, kPicture.height() / 2.0);
        for (const Velt::PlotSeries& series : data.series)
            painter.drawPolyline(toPicture.map(QPolygonF(series.points)));
        painter.end();
        benchmark::DoNotOptimize(picture.constBits());
    }
}
BENCHMARK(BM_Floor_BarePolyline)->Apply(arguments)->Unit(benchmark::kMillisecond);

// The plotter's view shown at the picture's size, as in the panel.
struct ShownPlotter
{
    ShownPlotter()
    {
        plotter->view()->resize(kPicture);
        host.resize(kPicture);
        host.show();
        QCoreApplication::processEvents();
    }
    QWidget host;
    std::unique_ptr<Velt::ChartPlotter> plotter = Velt::ChartPlotter::create(&host);
};

void BM_Chart_SetDataAndRender(benchmark::State& state)
{
    ShownPlotter shown;
    auto& plotter = shown.plotter;
    const Velt::PlotData data = plotData(int(state.range(0)), int(state.range(1)));
    for (auto _ : state) {
        plotter->setData(data);
        const QImage picture = plotter->image(kPicture);
        benchmark::DoNotOptimize(picture.constBits());
    }
}
BENCHMARK(BM_Chart_SetDataAndRender)->Apply(arguments)->Unit(benchmark::kMillisecond);

void BM_Chart_Render(benchmark::State& state)
{
    ShownPlotter shown;
    shown.plotter->setData(plotData(int(state.range(0)), int(state.range(1))));
    for (auto _ : state) {
        const QImage picture = shown.plotter->image(kPicture);
        benchmark::DoNotOptimize(picture.constBits());
    }
}
BENCHMARK(BM_Chart_Render)->Apply(arguments)->Unit(benchmark::kMillisecond);

// A picture of another size than the view's: the chart is laid out for it and back.
void BM_Chart_RenderAtAnotherSize(benchmark::State& state)
{
    ShownPlotter shown;
    shown.plotter->setData(plotData(int(state.range(0)), int(state.range(1))));
    for (auto _ : state) {
        const QImage picture = shown.plotter->image(QSize(1024, 768));
        benchmark::DoNotOptimize(picture.constBits());
    }
}
BENCHMARK(BM_Chart_RenderAtAnotherSize)->Apply(arguments)->Unit(benchmark::kMillisecond);

// The largest plane the panel draws in full: 20 columns of 1,001 rows.
Velt::ChartPlane largestPlane(std::function<double(int, int)> value)
{
    Velt::ChartPlane plane;
    plane.rowLower = 1;
    plane.rowUpper = Velt::ChartSeriesRules::MaxIndices;
    plane.columnLower = 1;
    plane.columnUpper = Velt::ChartSeriesRules::MaxSeries;
    plane.value = std::move(value);
    return plane;
}

// The panel shown at 800 x 600 over its largest full drawing, 20 columns of 1,001 rows: new
// values, then the chart view painted as on screen.
void BM_ChartPanel_RefreshAndPaint(benchmark::State& state)
{
    Velt::ArrayChartPanel panel;
    panel.resize(kPicture);
    panel.show();
    QCoreApplication::processEvents();
    double phase = 0;
    panel.setPlane(largestPlane([&phase](int row, int column) { return std::sin(row * 0.02 + phase) * column; }));
    QWidget* view = panel.findChild<QWidget*>(QStringLiteral("Chart"));
    QPixmap frame(view->size());
    for (auto _ : state) {
        phase += 0.1;
        panel.refresh();
        view->render(&frame);
        benchmark::DoNotOptimize(frame.cacheKey());
    }
}
BENCHMARK(BM_ChartPanel_RefreshAndPaint)->Unit(benchmark::kMillisecond);

// A PNG-sized picture of the panel while it is not shown (File > Save Chart as PNG).
void BM_ChartPanel_HiddenImage(benchmark::State& state)
{
    Velt::ArrayChartPanel panel;
    panel.setPlane(largestPlane([](int row, int column) { return std::sin(row * 0.02) * column; }));
    for (auto _ : state) {
        const QImage picture = panel.image(kPicture);
        benchmark::DoNotOptimize(picture.constBits());
    }
}
BENCHMARK(BM_ChartPanel_HiddenImage)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    return VeltBench::runWidgetBenchmarks(argc, argv);
}
