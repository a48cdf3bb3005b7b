// The Qt Charts side of ChartPlotter, and the only file that knows Qt Charts: a QChartView
// over one QChart with a value axis for the indices and a category axis for the values, whose
// labels are written by the chart's own label function (Qt Charts formats numbers only with
// printf patterns). Long series are reduced to the plot's device pixels whenever the plot's
// width or the visible range changes, so a redraw costs about the same for 1,000 points as
// for 65,535.
#include "chartplotter_p.h"
#include "chartseriesrules.h"

#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QGraphicsLayout>
#include <QKeyEvent>
#include <QLegend>
#include <QLineSeries>
#include <QPainter>
#include <QValueAxis>

#include <algorithm>
#include <cmath>
#include <limits>

namespace Velt {

namespace {

// Roughly one label per this many pixels of an axis.
constexpr qreal kPixelsPerVerticalTick = 40;
constexpr qreal kPixelsPerHorizontalTick = 70;
constexpr qreal kScrollStep = 20;
// Lines of one pixel take the rasteriser's fast path, several times faster than the themes'
// two-pixel lines, and a dense series reads better thin.
constexpr qreal kLineWidth = 1;

// The view with keyboard zoom and scroll, and a hook for palette changes.
class ChartView : public QChartView
{
public:
    using QChartView::QChartView;
    std::function<void()> paletteChanged;
    std::function<void()> showAll;

protected:
    void keyPressEvent(QKeyEvent* event) override
    {
        switch (event->key()) {
        case Qt::Key_Plus:
        case Qt::Key_Equal:
            chart()->zoomIn();
            break;
        case Qt::Key_Minus:
            chart()->zoomOut();
            break;
        case Qt::Key_Left:
            chart()->scroll(-kScrollStep, 0);
            break;
        case Qt::Key_Right:
            chart()->scroll(kScrollStep, 0);
            break;
        case Qt::Key_Up:
            chart()->scroll(0, kScrollStep);
            break;
        case Qt::Key_Down:
            chart()->scroll(0, -kScrollStep);
            break;
        case Qt::Key_Home:
            if (showAll)
                showAll();
            break;
        default:
            QChartView::keyPressEvent(event);
            return;
        }
        event->accept();
    }
    void changeEvent(QEvent* event) override
    {
        QChartView::changeEvent(event);
        if (event->type() == QEvent::PaletteChange && paletteChanged)
            paletteChanged();
    }
};

class QtChartsPlotter final : public ChartPlotter
{
public:
    explicit QtChartsPlotter(QWidget* parent)
        : m_chart(new QChart), m_view(new ChartView(m_chart, parent))
    {
        m_view->setRenderHint(QPainter::Antialiasing);
        m_view->setRubberBand(QChartView::RectangleRubberBand);
        m_view->setFocusPolicy(Qt::StrongFocus);
        m_view->paletteChanged = [this] { applyPalette(); };
        m_view->showAll = [this] { showRange(m_full); };
        m_chart->legend()->setAlignment(Qt::AlignBottom);
        m_x->setTickType(QValueAxis::TicksDynamic);
        m_x->setLabelFormat(QStringLiteral("%d"));
        m_y->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
        m_chart->addAxis(m_x, Qt::AlignBottom);
        m_chart->addAxis(m_y, Qt::AlignLeft);
        QObject::connect(m_x, &QValueAxis::rangeChanged, m_view, [this] {
            if (!m_rendering)
                fitToPixels(viewColumns());
            placeHorizontalTicks(m_chart->plotArea().width());
        });
        QObject::connect(m_y, &QCategoryAxis::rangeChanged, m_view,
                         [this] { placeVerticalLabels(m_chart->plotArea().height()); });
        QObject::connect(m_chart, &QChart::plotAreaChanged, m_view, [this](const QRectF& area) {
            if (m_rendering)
                return;
            fitToPixels(viewColumns());
            placeHorizontalTicks(area.width());
            fitValueRange(area.height());
            placeVerticalLabels(area.height());
        });
        applyPalette();
    }

    QWidget* view() const override { return m_view; }

    void setData(const PlotData& data) override
    {
        m_data = data;
        m_fit = {};
        m_x->setTitleText(data.horizontalTitle);
        m_y->setTitleText(data.verticalTitle);
        // Qt Charts works out a series' shape again on every change of its points, pen or
        // axes, which is most of a redraw: series are kept from one drawing to the next,
        // emptied while the axes change, and given their points once.
        while (m_series.size() > m_data.series.size()) {
            QLineSeries* series = m_series.takeLast();
            m_chart->removeSeries(series);
            delete series;
        }
        for (QLineSeries* series : std::as_const(m_series))
            series->clear();
        while (m_series.size() < m_data.series.size()) {
            auto* series = new QLineSeries;
            m_chart->addSeries(series); // takes the theme's next colour
            series->attachAxis(m_x);
            series->attachAxis(m_y);
            thin(series);
            m_series.append(series);
        }
        double xLow = std::numeric_limits<double>::infinity();
        double xHigh = -xLow;
        double yLow = xLow;
        double yHigh = -xLow;
        for (qsizetype i = 0; i < m_data.series.size(); ++i) {
            const PlotSeries& plotted = m_data.series[i];
            m_series[i]->setName(plotted.title);
            if (plotted.points.isEmpty())
                continue;
            xLow = std::min(xLow, plotted.points.first().x());
            xHigh = std::max(xHigh, plotted.points.last().x());
            for (const QPointF& point : plotted.points) {
                yLow = std::min(yLow, point.y());
                yHigh = std::max(yHigh, point.y());
            }
        }
        if (xLow > xHigh) { // nothing to draw: an empty frame
            xLow = yLow = 0;
            xHigh = yHigh = 1;
        }
        if (xLow == xHigh) {
            xLow -= 1;
            xHigh += 1;
        }
        m_valueLow = yLow;
        m_valueHigh = yHigh;
        const ChartSeriesRules::Ticks values = valueTicks(m_chart->plotArea().height());
        m_full = QRectF(QPointF(xLow, values.low), QPointF(xHigh, values.high));
        showRange(m_full);
        fitToPixels(viewColumns());
    }

    void render(QPainter* painter, const QRectF& target) override
    {
        const qreal dpr = painter->device() ? painter->device()->devicePixelRatioF() : 1.0;
        const QSizeF shown = m_chart->size();
        const bool resized = shown != target.size();
        m_rendering = true;
        if (resized) {
            m_chart->resize(target.size());
            layOut();
        }
        fitToPixels(int(std::ceil(m_chart->plotArea().width() * dpr)));
        m_chart->scene()->render(painter, target, QRectF(m_chart->pos(), target.size()));
        if (resized) {
            m_chart->resize(shown);
            layOut();
        }
        m_rendering = false;
        fitToPixels(viewColumns());
    }

    QList<qsizetype> drawnPointCounts() const override
    {
        QList<qsizetype> counts;
        for (const QLineSeries* series : m_series)
            counts.append(series->count());
        return counts;
    }

private:
    // Shows a range of both axes. The tick interval of the index axis was chosen for the range
    // before: over a much wider range it would make thousands of ticks, so the axis changes
    // its range with fixed ticks and takes the interval for the new range before going back.
    void showRange(const QRectF& range)
    {
        m_y->setRange(range.top(), range.bottom());
        m_x->setTickType(QValueAxis::TicksFixed);
        m_x->setRange(range.left(), range.right());
        placeHorizontalTicks(m_chart->plotArea().width());
        m_x->setTickType(QValueAxis::TicksDynamic);
    }

    // Qt Charts lays the axes out when the event loop comes round; a picture is drawn before
    // that, so the ticks for the new plot size are placed and the layout is done at once.
    void layOut()
    {
        placeHorizontalTicks(m_chart->plotArea().width());
        placeVerticalLabels(m_chart->plotArea().height());
        m_chart->layout()->invalidate();
        m_chart->layout()->activate();
    }

    int viewColumns() const
    {
        const qreal width = m_chart->plotArea().width() > 0 ? m_chart->plotArea().width()
                                                              : qreal(m_view->width());
        return std::max(1, int(std::ceil(width * m_view->devicePixelRatioF())));
    }

    // At least three ticks: over two, the range is one step, and a narrow band of values
    // around a round number (0.998 to 1.003) would only fit in a step of 2 from 0 to 2. A plot
    // not laid out yet has no height; it takes five until it has one.
    static int verticalTickCount(qreal height)
    {
        return height > 0 ? std::clamp(int(height / kPixelsPerVerticalTick), 3, 11) : 5;
    }

    ChartSeriesRules::Ticks valueTicks(qreal height) const
    {
        return ChartSeriesRules::niceTicks(m_valueLow, m_valueHigh, verticalTickCount(height));
    }

    // The whole value range was chosen for the plot's height when the data came, often before
    // the plot was laid out: while the view shows the whole range, it follows the height, so
    // the labels placed for that height sit on its ticks.
    void fitValueRange(qreal height)
    {
        if (m_y->min() != m_full.top() || m_y->max() != m_full.bottom())
            return; // zoomed or scrolled
        const ChartSeriesRules::Ticks values = valueTicks(height);
        if (values.low == m_full.top() && values.high == m_full.bottom())
            return;
        m_full.setTop(values.low);
        m_full.setBottom(values.high);
        m_y->setRange(values.low, values.high);
    }

    // Each series gets what `columns` device pixels across the visible range can show. New
    // points make Qt Charts work out each series' shape again, so the same fit is not redone.
    void fitToPixels(int columns)
    {
        const Fit fit{columns, m_x->min(), m_x->max(), m_series.size()};
        if (fit == m_fit)
            return;
        m_fit = fit;
        for (qsizetype i = 0; i < m_series.size(); ++i)
            m_series[i]->replace(ChartSeriesRules::decimate(m_data.series[i].points, fit.from, fit.to, columns));
    }

    void placeHorizontalTicks(qreal width)
    {
        const int count = std::clamp(int(width / kPixelsPerHorizontalTick), 2, 11);
        const ChartSeriesRules::Ticks ticks = ChartSeriesRules::niceTicks(m_x->min(), m_x->max(), count, true);
        m_x->setTickAnchor(0);
        m_x->setTickInterval(ticks.step);
    }

    // The category axis carries one label per tick inside its range, written by the chart's
    // label function; labels that would read the same as the one before are left out.
    void placeVerticalLabels(qreal height)
    {
        if (m_placingLabels)
            return;
        m_placingLabels = true;
        const double low = m_y->min();
        const double high = m_y->max();
        for (const QString& label : m_y->categoriesLabels())
            m_y->remove(label);
        m_y->setStartValue(low);
        const ChartSeriesRules::Ticks ticks = ChartSeriesRules::niceTicks(low, high, verticalTickCount(height));
        const auto label = m_data.valueLabel ? m_data.valueLabel
                                             : [](double v) { return QString::number(v); };
        QString previous;
        // Bounds on whole steps are labelled although rounding puts them a hair outside.
        const double slack = 1e-9;
        for (double k = std::ceil(low / ticks.step - slack); k * ticks.step <= high + ticks.step * slack; ++k) {
            double value = k * ticks.step;
            if (std::abs(value) < ticks.step * 1e-9) // no "1E-17" for a zero that rounding missed
                value = 0;
            const QString text = label(value);
            if (text != previous && !m_y->categoriesLabels().contains(text))
                m_y->append(text, value);
            previous = text;
        }
        m_y->setRange(low, high);
        m_placingLabels = false;
    }

    static void thin(QLineSeries* series)
    {
        QPen pen = series->pen();
        pen.setWidthF(kLineWidth);
        series->setPen(pen);
    }

    void applyPalette()
    {
        const QPalette palette = m_view->palette();
        const bool dark = palette.color(QPalette::Base).lightness() < 128;
        m_chart->setTheme(dark ? QChart::ChartThemeDark : QChart::ChartThemeLight);
        m_chart->setBackgroundBrush(palette.brush(QPalette::Base));
        m_chart->setBackgroundPen(Qt::NoPen);
        m_chart->legend()->setLabelColor(palette.color(QPalette::Text));
        for (QLineSeries* series : std::as_const(m_series))
            thin(series);
        QColor grid = palette.color(QPalette::Text);
        grid.setAlpha(40);
        for (QAbstractAxis* axis : {static_cast<QAbstractAxis*>(m_x), static_cast<QAbstractAxis*>(m_y)}) {
            axis->setLabelsBrush(palette.brush(QPalette::Text));
            axis->setTitleBrush(palette.brush(QPalette::Text));
            axis->setLinePenColor(palette.color(QPalette::Mid));
            axis->setGridLineColor(grid);
            axis->setShadesVisible(false);
        }
    }

    QChart* const m_chart;
    ChartView* const m_view;
    QValueAxis* const m_x = new QValueAxis(m_chart);
    QCategoryAxis* const m_y = new QCategoryAxis(m_chart);
    PlotData m_data;
    QList<QLineSeries*> m_series;
    QRectF m_full; // the whole chart: x the indices, y the values
    double m_valueLow = 0; // the lowest and highest value drawn
    double m_valueHigh = 1;
    struct Fit
    {
        int columns = 0;
        double from = 0;
        double to = 0;
        qsizetype series = -1;
        bool operator==(const Fit&) const = default;
    };
    Fit m_fit; // what the series were last reduced for
    bool m_rendering = false;
    bool m_placingLabels = false;
};

} // namespace

std::unique_ptr<ChartPlotter> ChartPlotter::create(QWidget* parent)
{
    return std::make_unique<QtChartsPlotter>(parent);
}

} // namespace Velt
