// ArrayChartPanel: the "View" tab of the real array editor: the "View by" options
// (RCMajorOption: "Colu&mn", the default, or "&Row"), the chart of one plane of the array,
// "&Copy" (the picture to the clipboard), "&Print..." (a print preview) and the hint
// "To zoom and scroll, press Help.". The panel reads the plane through ChartPlane when it
// draws; the editor that owns the array calls refresh() after the values change. Which
// plotting library draws the chart is not part of this API.
#pragma once

#include "chartplane.h"
#include "velt_export.h"

#include <QImage>
#include <QWidget>

#include <memory>

namespace Velt {

class VELT_EXPORT ArrayChartPanel : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(bool byRow READ byRow WRITE setByRow NOTIFY byRowChanged)

public:
    explicit ArrayChartPanel(QWidget* parent = nullptr);
    ~ArrayChartPanel() override;

    // The plane to draw; draws it at once (with the busy pointer).
    void setPlane(const ChartPlane& plane);
    ChartPlane plane() const;

    // One series per row (true) or per column (false, the default); redraws.
    bool byRow() const;
    void setByRow(bool byRow);

    // The chart as a picture of size pixels, as the view shows it.
    QImage image(const QSize& size) const;
    // Writes image(size) as a PNG file in one piece (the file is replaced only when the whole
    // picture was written). An empty size means the view's size, or 800 x 600 while the panel
    // has none. On failure returns false, says why in *error (when given) and in errorMessage.
    bool savePng(const QString& path, QString* error, const QSize& size = QSize());

public Q_SLOTS:
    // Draws the plane again (its values or bounds changed).
    void refresh();
    // The chart's picture to the clipboard.
    void copy();
    // A print preview of the chart.
    void print();

Q_SIGNALS:
    // A status text for the editor (the series left out); emitted when a drawing leaves out series.
    void statusMessage(const QString& text);
    void errorMessage(const QString& text);
    void byRowChanged(bool byRow);

private:
    struct Private;
    std::unique_ptr<Private> const d;
};

} // namespace Velt
