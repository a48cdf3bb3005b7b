// Twips: the unit of every public size and position of the controls, 1440 per logical inch.
// Conversions happen at the widget edge with the widget's logical DPI (horizontal or vertical),
// rounding half away from zero. The arithmetic is checked: a result that does not fit an int
// gives std::nullopt, as does a DPI that is not positive.
#pragma once

#include "velt_export.h"

#include <QPoint>
#include <QSize>

#include <optional>

class QWidget;

namespace Velt {

inline constexpr int TwipsPerInch = 1440;

VELT_EXPORT std::optional<int> twipsToPixels(int twips, int logicalDpi);
VELT_EXPORT std::optional<int> pixelsToTwips(int pixels, int logicalDpi);

// The logical DPI a widget is shown with (the primary screen's, or 96 without a screen, for
// a null widget).
VELT_EXPORT int logicalDpi(const QWidget* widget, Qt::Orientation orientation = Qt::Horizontal);

VELT_EXPORT std::optional<int> twipsToPixels(int twips, const QWidget* widget,
                                             Qt::Orientation orientation = Qt::Horizontal);
VELT_EXPORT std::optional<int> pixelsToTwips(int pixels, const QWidget* widget,
                                             Qt::Orientation orientation = Qt::Horizontal);

// Width with the horizontal DPI, height with the vertical one.
VELT_EXPORT std::optional<QSize> twipsToPixels(QSize twips, const QWidget* widget);
VELT_EXPORT std::optional<QSize> pixelsToTwips(QSize pixels, const QWidget* widget);
VELT_EXPORT std::optional<QPoint> twipsToPixels(QPoint twips, const QWidget* widget);
VELT_EXPORT std::optional<QPoint> pixelsToTwips(QPoint pixels, const QWidget* widget);

} // namespace Velt
