#include "hovererrorlayout.h"

#include <algorithm>
#include <cmath>

namespace Velt::HoverErrorLayout {

QRect labelRect(QSize window)
{
    return {Margin, Margin, std::max(0, window.width() - 2 * Margin),
            std::max(0, window.height() - 2 * Margin)};
}

int windowWidth(int textWidth, int fieldWidth, int minWidth, int maxWidth)
{
    const qint64 wanted = qint64(std::max(textWidth, 0)) + 2 * Margin + 2;
    const qint64 lower = std::min(std::max(fieldWidth, minWidth), maxWidth);
    return int(std::clamp<qint64>(wanted, std::max<qint64>(lower, 0), std::max(maxWidth, 0)));
}

int windowHeight(int textWidth, int labelWidth, int lineHeight, int maxHeight)
{
    if (labelWidth <= 0 || lineHeight <= 0)
        return std::max(maxHeight, 0);
    const double lines = double(std::max(textWidth, 0)) / labelWidth + ExtraLines;
    const double height = std::ceil(lines * lineHeight) + 2.0 * Margin;
    return int(std::min(height, double(std::max(maxHeight, 0))));
}

QRect placement(const QRect& field, QSize window, const QRect& screen)
{
    const int width = std::min(window.width(), screen.width());
    const int height = std::min(window.height(), screen.height());
    int top = field.bottom() + 1;
    if (top + height - 1 > screen.bottom()) {
        const int above = field.top() - height;
        const int roomBelow = screen.bottom() - field.bottom();
        const int roomAbove = field.top() - screen.top();
        top = above >= screen.top() || roomAbove > roomBelow ? above : top;
    }
    top = std::clamp(top, screen.top(), screen.bottom() - height + 1);
    const int left = std::clamp(field.left(), screen.left(), screen.right() - width + 1);
    return {left, top, width, height};
}

} // namespace Velt::HoverErrorLayout
