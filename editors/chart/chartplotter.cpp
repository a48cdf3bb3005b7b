#include "chartplotter_p.h"

#include <QPainter>
#include <QWidget>

namespace Velt {

ChartPlotter::~ChartPlotter() = default;

QImage ChartPlotter::image(const QSize& size, qreal dpr)
{
    if (size.isEmpty() || dpr <= 0)
        return {};
    QImage picture(size, QImage::Format_ARGB32_Premultiplied);
    if (picture.isNull()) // too large to allocate
        return {};
    picture.setDevicePixelRatio(dpr);
    picture.fill(view()->palette().color(QPalette::Base));
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    render(&painter, QRectF(QPointF(0, 0), QSizeF(size) / dpr));
    return picture;
}

} // namespace Velt
