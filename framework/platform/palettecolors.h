// PaletteColors: the system colours the controls use (tooltip, menu and window backgrounds and
// texts), taken from the widget's palette (or the application's) so that themes and dark
// palettes apply. No control hard-codes these colours.
#pragma once

#include "velt_export.h"

#include <QColor>

class QWidget;

namespace Velt::PaletteColors {

VELT_EXPORT QColor tooltipBackground(const QWidget* widget = nullptr);
VELT_EXPORT QColor tooltipText(const QWidget* widget = nullptr);
VELT_EXPORT QColor menuBackground(const QWidget* widget = nullptr);
VELT_EXPORT QColor menuText(const QWidget* widget = nullptr);
VELT_EXPORT QColor windowBackground(const QWidget* widget = nullptr);
VELT_EXPORT QColor windowText(const QWidget* widget = nullptr);
// The text colour of an input whose value is in error: a red that reads on the input's base.
VELT_EXPORT QColor errorText(const QWidget* widget = nullptr);
// Shows an input's text in the error colour, or in its normal colour again.
VELT_EXPORT void setErrorLook(QWidget* input, bool inError);

} // namespace Velt::PaletteColors
