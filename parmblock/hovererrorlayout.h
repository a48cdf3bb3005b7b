// HoverErrorLayout: the size and place of the hover window that shows a field's or a name's
// error beside its in-place editor, apart from any widget. Lengths are logical pixels.
//
// The label sits Margin from the window's left and top and is 2 * Margin narrower and lower.
// The height follows the lines the message needs at the label's width (its text width divided
// by the label's width, plus ExtraLines) and never exceeds MaxHeightTwips. The window goes
// below its field, above it when it does not fit below, and is kept inside the screen's
// available area.
#pragma once

#include "velt_export.h"

#include <QRect>

namespace Velt::HoverErrorLayout {

inline constexpr int Margin = 5;
inline constexpr double ExtraLines = 1.75;
inline constexpr int MaxHeightTwips = 5000;
// The window is at least this wide (or the field's width, when wider) and at most MaxWidthTwips.
inline constexpr int MinWidthTwips = 1440;
inline constexpr int MaxWidthTwips = 5760;

// The label's rectangle inside a window of the given size.
VELT_EXPORT QRect labelRect(QSize window);

// The window's width for a message of textWidth beside a field of fieldWidth.
VELT_EXPORT int windowWidth(int textWidth, int fieldWidth, int minWidth, int maxWidth);

// The window's height for a message of textWidth at a label of labelWidth, capped at maxHeight.
VELT_EXPORT int windowHeight(int textWidth, int labelWidth, int lineHeight, int maxHeight);

// Where a window of the given size goes beside a field (both in screen coordinates) on a
// screen whose available area is `screen`.
VELT_EXPORT QRect placement(const QRect& field, QSize window, const QRect& screen);

} // namespace Velt::HoverErrorLayout
