#include "treeimages_p.h"

#include <QGuiApplication>
#include <QIconEngine>
#include <QPainter>
#include <QPalette>

namespace Velt {

namespace {

// A small box with a plus (collapsed) or a minus (expanded), on a 16 x 16 grid.
class TreeIconEngine final : public QIconEngine
{
public:
    explicit TreeIconEngine(bool expanded) : m_expanded(expanded) { }

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State) override
    {
        const QPalette palette = QGuiApplication::palette();
        const QPalette::ColorGroup group =
            mode == QIcon::Disabled ? QPalette::Disabled : QPalette::Active;
        QColor frame = palette.color(group, QPalette::Text);
        frame.setAlphaF(0.55f);
        const QColor sign = palette.color(group, mode == QIcon::Selected ? QPalette::HighlightedText
                                                                          : QPalette::Text);
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing);
        painter->translate(rect.topLeft());
        painter->scale(rect.width() / 16.0, rect.height() / 16.0);
        painter->setPen(QPen(frame, 1.0));
        painter->setBrush(palette.color(group, QPalette::Base));
        painter->drawRoundedRect(QRectF(3.5, 3.5, 9, 9), 1.5, 1.5);
        painter->setPen(QPen(sign, 1.2, Qt::SolidLine, Qt::FlatCap));
        painter->drawLine(QPointF(5.5, 8), QPointF(10.5, 8));
        if (!m_expanded)
            painter->drawLine(QPointF(8, 5.5), QPointF(8, 10.5));
        painter->restore();
    }

    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override
    {
        return scaledPixmap(size, mode, state, 1.0);
    }

    QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state,
                         qreal scale) override
    {
        QPixmap pixmap(size * scale);
        pixmap.setDevicePixelRatio(scale);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        paint(&painter, QRect(QPoint(0, 0), size), mode, state);
        return pixmap;
    }

    QIconEngine* clone() const override { return new TreeIconEngine(m_expanded); }
    QString key() const override { return QStringLiteral("VeltTreeIconEngine"); }

private:
    bool m_expanded;
};

} // namespace

QIcon treeImage(bool expanded) { return QIcon(new TreeIconEngine(expanded)); }

} // namespace Velt
