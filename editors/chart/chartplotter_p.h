// ChartPlotter: the one seam between the array chart and a plotting library. The chart panel
// hands it series of points, the axis titles and how to write a value label; the plotter draws
// them in an interactive view and renders them into any QPainter. Everything the plotting
// library needs lives behind create(), in one file (qtchartsplotter.cpp for Qt Charts);
// replacing the library means writing that file again against this interface.
#pragma once

#include "velt_export.h"

#include <QImage>
#include <QList>
#include <QPointF>
#include <QString>

#include <functional>
#include <memory>

class QPainter;
class QRectF;
class QWidget;

namespace Velt {

struct PlotSeries
{
    QString title;
    QList<QPointF> points; // x never decreases
};

struct PlotData
{
    QString horizontalTitle;
    QString verticalTitle;
    std::function<QString(double)> valueLabel; // labels of the vertical axis
    QList<PlotSeries> series;
};

class VELT_EXPORT ChartPlotter
{
public:
    // A plotter whose interactive view is a child of parent; the parent owns the view.
    static std::unique_ptr<ChartPlotter> create(QWidget* parent);

    virtual ~ChartPlotter();

    // The interactive view: zooms with the mouse (a rubber band) and the keyboard (+, -),
    // scrolls with the arrow keys, and goes back to the whole chart with Home.
    virtual QWidget* view() const = 0;
    // Replaces what is drawn and shows all of it.
    virtual void setData(const PlotData& data) = 0;
    // Draws the chart as the view shows it (its zoom included) into target, in logical units
    // of the painter's device, reducing long series to the device's pixels; the view is left
    // as it was.
    virtual void render(QPainter* painter, const QRectF& target) = 0;
    // The points each series is drawn with in the view now (after reduction), for checks.
    virtual QList<qsizetype> drawnPointCounts() const = 0;

    // The chart as a picture of size pixels (device pixel ratio dpr), on the view's background.
    QImage image(const QSize& size, qreal dpr = 1.0);

protected:
    ChartPlotter() = default;
    ChartPlotter(const ChartPlotter&) = delete;
    ChartPlotter& operator=(const ChartPlotter&) = delete;
};

} // namespace Velt
