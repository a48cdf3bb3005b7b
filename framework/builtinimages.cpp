#include "builtinimages.h"

#include <QGuiApplication>
#include <QIconEngine>
#include <QPainter>
#include <QPainterPath>
#include <QPalette>

namespace Velt {

namespace {

constexpr qreal Grid = 16.0; // pictures are designed on a 16 x 16 grid

enum class Picture { Error, Warning, Reference, Fields, Enumeration, Number, Text, NumberList };

struct Look
{
    QColor ink;   // strokes
    QColor paper; // fills
    QColor accent;
};

Look lookFor(QIcon::Mode mode, bool readOnly)
{
    const QPalette palette = QGuiApplication::palette();
    const QPalette::ColorGroup group =
        mode == QIcon::Disabled ? QPalette::Disabled : QPalette::Active;
    Look look{palette.color(group, QPalette::Text), palette.color(group, QPalette::Base),
              palette.color(group, QPalette::Highlight)};
    if (readOnly) {
        look.ink = palette.color(QPalette::Disabled, QPalette::Text);
        look.paper = palette.color(group, QPalette::Window);
    }
    return look;
}

void drawHash(QPainter& p, const QRectF& box, const QColor& ink)
{
    p.setPen(QPen(ink, 1.0));
    const qreal x1 = box.left() + box.width() * 0.38, x2 = box.left() + box.width() * 0.64;
    const qreal y1 = box.top() + box.height() * 0.36, y2 = box.top() + box.height() * 0.66;
    p.drawLine(QPointF(x1, box.top() + 2), QPointF(x1 - 0.5, box.bottom() - 2));
    p.drawLine(QPointF(x2, box.top() + 2), QPointF(x2 - 0.5, box.bottom() - 2));
    p.drawLine(QPointF(box.left() + 2, y1), QPointF(box.right() - 2, y1));
    p.drawLine(QPointF(box.left() + 2, y2), QPointF(box.right() - 2, y2));
}

void drawBox(QPainter& p, const QRectF& box, const Look& look)
{
    p.setPen(QPen(look.ink, 1.0));
    p.setBrush(look.paper);
    p.drawRoundedRect(box, 1.5, 1.5);
}

void drawLock(QPainter& p, const Look& look)
{
    p.setPen(QPen(look.ink, 1.0));
    p.setBrush(look.paper);
    p.drawArc(QRectF(10.5, 8.5, 4, 4), 0, 180 * 16);
    p.drawRect(QRectF(10.0, 10.5, 5, 4));
}

void paintPicture(QPainter& p, Picture picture, bool readOnly, const Look& look)
{
    switch (picture) {
    case Picture::Error: {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0xd3, 0x2f, 0x2f));
        p.drawEllipse(QRectF(1, 1, 14, 14));
        p.setPen(QPen(Qt::white, 2.0, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(5.5, 5.5), QPointF(10.5, 10.5));
        p.drawLine(QPointF(10.5, 5.5), QPointF(5.5, 10.5));
        break;
    }
    case Picture::Warning: {
        QPainterPath triangle;
        triangle.moveTo(8, 1.5);
        triangle.lineTo(15, 14.5);
        triangle.lineTo(1, 14.5);
        triangle.closeSubpath();
        p.setPen(QPen(QColor(0x8a, 0x5a, 0x00), 1.0));
        p.setBrush(QColor(0xf9, 0xc7, 0x3d));
        p.drawPath(triangle);
        p.setPen(QPen(Qt::black, 1.8, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(8, 6), QPointF(8, 9.5));
        p.drawPoint(QPointF(8, 12.2));
        break;
    }
    case Picture::Reference: {
        drawBox(p, QRectF(1.5, 1.5, 13, 13), look);
        p.setPen(QPen(look.accent, 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(Qt::NoBrush);
        p.drawLine(QPointF(4.5, 11.5), QPointF(11, 5));
        p.drawPolyline(QList<QPointF>{{7, 4.5}, {11.5, 4.5}, {11.5, 9}});
        break;
    }
    case Picture::Fields: {
        p.setPen(QPen(look.ink, 1.0));
        p.setBrush(look.accent);
        for (int row = 0; row < 3; ++row) {
            const qreal y = 2.5 + row * 4.5;
            const qreal indent = row == 0 ? 1.5 : 5.5;
            p.drawRect(QRectF(indent, y, 2.5, 2.5));
            p.drawLine(QPointF(indent + 4, y + 1.25), QPointF(14.5, y + 1.25));
        }
        p.drawLine(QPointF(2.75, 5.5), QPointF(2.75, 12.25));
        break;
    }
    case Picture::Enumeration: {
        drawBox(p, QRectF(1.5, 3.5, 13, 9), look);
        p.setPen(QPen(look.ink, 1.0));
        p.drawLine(QPointF(10.5, 3.5), QPointF(10.5, 12.5));
        QPainterPath arrow;
        arrow.moveTo(11.5, 7);
        arrow.lineTo(13.5, 7);
        arrow.lineTo(12.5, 9);
        arrow.closeSubpath();
        p.setBrush(look.ink);
        p.drawPath(arrow);
        p.drawLine(QPointF(3.5, 8), QPointF(8.5, 8));
        break;
    }
    case Picture::Number:
        drawBox(p, QRectF(1.5, 2.5, 13, 11), look);
        drawHash(p, QRectF(1.5, 2.5, 13, 11), readOnly ? look.ink : look.accent);
        break;
    case Picture::Text: {
        drawBox(p, QRectF(1.5, 2.5, 13, 11), look);
        p.setPen(QPen(readOnly ? look.ink : look.accent, 1.4, Qt::SolidLine, Qt::RoundCap,
                      Qt::RoundJoin));
        p.setBrush(Qt::NoBrush);
        p.drawPolyline(QList<QPointF>{{4.5, 11}, {7, 5}, {9.5, 11}});
        p.drawLine(QPointF(5.5, 9), QPointF(8.5, 9));
        p.drawLine(QPointF(11, 5.5), QPointF(11, 11));
        break;
    }
    case Picture::NumberList:
        drawBox(p, QRectF(4.5, 0.5, 11, 9), look);
        drawBox(p, QRectF(0.5, 5.5, 11, 10), look);
        drawHash(p, QRectF(0.5, 5.5, 11, 10), readOnly ? look.ink : look.accent);
        break;
    }
    if (readOnly)
        drawLock(p, look);
}

struct Entry
{
    const char* key;
    Picture picture;
    bool readOnly;
};

constexpr Entry Entries[] = {
    {"Error", Picture::Error, false},
    {"Warning", Picture::Warning, false},
    {"Reference", Picture::Reference, false},
    {"Fields", Picture::Fields, false},
    {"Enumeration", Picture::Enumeration, false},
    {"ReadOnlyNumber", Picture::Number, true},
    {"ReadOnlyText", Picture::Text, true},
    {"ReadOnlyNumberList", Picture::NumberList, true},
    {"Number", Picture::Number, false},
    {"Text", Picture::Text, false},
    {"NumberList", Picture::NumberList, false},
};

// Paints on demand, so every size and device pixel ratio gets its own sharp rendering.
class BuiltinIconEngine final : public QIconEngine
{
public:
    explicit BuiltinIconEngine(const Entry& entry) : m_entry(entry) { }

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State) override
    {
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing);
        painter->translate(rect.topLeft());
        painter->scale(rect.width() / Grid, rect.height() / Grid);
        paintPicture(*painter, m_entry.picture, m_entry.readOnly, lookFor(mode, m_entry.readOnly));
        painter->restore();
    }

    // QIcon asks for device pixels (the logical size times the scale) and sets the device pixel
    // ratio of the result itself.
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override
    {
        QPixmap pixmap(size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        paint(&painter, QRect(QPoint(0, 0), size), mode, state);
        return pixmap;
    }

    QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state, qreal) override
    {
        return pixmap(size, mode, state);
    }

    QSize actualSize(const QSize& size, QIcon::Mode, QIcon::State) override { return size; }
    QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override
    {
        return {QSize(16, 16), QSize(24, 24), QSize(32, 32)};
    }
    bool isNull() override { return false; }
    QString key() const override { return QStringLiteral("VeltBuiltinImage"); }
    QString iconName() override { return QString::fromLatin1(m_entry.key); }
    QIconEngine* clone() const override { return new BuiltinIconEngine(m_entry); }

private:
    Entry m_entry;
};

} // namespace

QStringList builtinImageKeys()
{
    QStringList keys;
    for (const Entry& entry : Entries)
        keys.append(QString::fromLatin1(entry.key));
    return keys;
}

QIcon builtinImage(const QString& key)
{
    for (const Entry& entry : Entries) {
        if (key == QLatin1StringView(entry.key))
            return QIcon(new BuiltinIconEngine(entry));
    }
    return QIcon();
}

} // namespace Velt
