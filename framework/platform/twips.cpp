#include "twips.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <cstdint>
#include <limits>

namespace Velt {

namespace {

// value * numerator / denominator, rounded half away from zero, in 64 bits: the operands are
// ints, so the product cannot overflow; only the result needs checking.
std::optional<int> scale(int value, int numerator, int denominator)
{
    if (numerator <= 0 || denominator <= 0)
        return std::nullopt;
    const int64_t product = int64_t(value) * numerator;
    const int64_t half = denominator / 2;
    const int64_t result = product >= 0 ? (product + half) / denominator
                                        : -((-product + half) / denominator);
    if (result < std::numeric_limits<int>::min() || result > std::numeric_limits<int>::max())
        return std::nullopt;
    return int(result);
}

template <typename Pair, typename Convert>
std::optional<Pair> convertPair(int first, int second, const QWidget* widget, Convert convert)
{
    const std::optional<int> a = convert(first, widget, Qt::Horizontal);
    const std::optional<int> b = convert(second, widget, Qt::Vertical);
    if (!a || !b)
        return std::nullopt;
    return Pair(*a, *b);
}

} // namespace

std::optional<int> twipsToPixels(int twips, int logicalDpi)
{
    return scale(twips, logicalDpi, TwipsPerInch);
}

std::optional<int> pixelsToTwips(int pixels, int logicalDpi)
{
    return scale(pixels, TwipsPerInch, logicalDpi);
}

int logicalDpi(const QWidget* widget, Qt::Orientation orientation)
{
    if (widget)
        return orientation == Qt::Horizontal ? widget->logicalDpiX() : widget->logicalDpiY();
    const QScreen* screen = qGuiApp ? QGuiApplication::primaryScreen() : nullptr;
    if (!screen)
        return 96;
    return qRound(orientation == Qt::Horizontal ? screen->logicalDotsPerInchX()
                                                : screen->logicalDotsPerInchY());
}

std::optional<int> twipsToPixels(int twips, const QWidget* widget, Qt::Orientation orientation)
{
    return twipsToPixels(twips, logicalDpi(widget, orientation));
}

std::optional<int> pixelsToTwips(int pixels, const QWidget* widget, Qt::Orientation orientation)
{
    return pixelsToTwips(pixels, logicalDpi(widget, orientation));
}

std::optional<QSize> twipsToPixels(QSize twips, const QWidget* widget)
{
    return convertPair<QSize>(twips.width(), twips.height(), widget,
                              [](int v, const QWidget* w, Qt::Orientation o) { return twipsToPixels(v, w, o); });
}

std::optional<QSize> pixelsToTwips(QSize pixels, const QWidget* widget)
{
    return convertPair<QSize>(pixels.width(), pixels.height(), widget,
                              [](int v, const QWidget* w, Qt::Orientation o) { return pixelsToTwips(v, w, o); });
}

std::optional<QPoint> twipsToPixels(QPoint twips, const QWidget* widget)
{
    return convertPair<QPoint>(twips.x(), twips.y(), widget,
                               [](int v, const QWidget* w, Qt::Orientation o) { return twipsToPixels(v, w, o); });
}

std::optional<QPoint> pixelsToTwips(QPoint pixels, const QWidget* widget)
{
    return convertPair<QPoint>(pixels.x(), pixels.y(), widget,
                               [](int v, const QWidget* w, Qt::Orientation o) { return pixelsToTwips(v, w, o); });
}

} // namespace Velt
