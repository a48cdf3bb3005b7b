#include "palettecolors.h"

#include <QApplication>
#include <QToolTip>
#include <QWidget>

namespace Velt::PaletteColors {

namespace {

QPalette paletteOf(const QWidget* widget)
{
    return widget ? widget->palette() : QGuiApplication::palette();
}

// Menus may be styled apart from other widgets: the application keeps a palette per class.
QPalette menuPalette(const QWidget* widget)
{
    if (widget)
        return widget->palette();
    return qobject_cast<QApplication*>(QCoreApplication::instance())
        ? QApplication::palette("QMenu")
        : QGuiApplication::palette();
}

} // namespace

QColor tooltipBackground(const QWidget* widget)
{
    return (widget ? widget->palette() : QToolTip::palette()).color(QPalette::ToolTipBase);
}

QColor tooltipText(const QWidget* widget)
{
    return (widget ? widget->palette() : QToolTip::palette()).color(QPalette::ToolTipText);
}

QColor menuBackground(const QWidget* widget) { return menuPalette(widget).color(QPalette::Window); }
QColor menuText(const QWidget* widget) { return menuPalette(widget).color(QPalette::WindowText); }
QColor windowBackground(const QWidget* widget) { return paletteOf(widget).color(QPalette::Window); }
QColor windowText(const QWidget* widget) { return paletteOf(widget).color(QPalette::WindowText); }

QColor errorText(const QWidget* widget)
{
    const bool darkBase = paletteOf(widget).color(QPalette::Base).lightness() < 128;
    return darkBase ? QColor(0xff, 0x80, 0x80) : QColor(0xc0, 0x00, 0x00);
}

void setErrorLook(QWidget* input, bool inError)
{
    QPalette palette = input->palette();
    palette.setColor(QPalette::Text, inError ? errorText(input)
                                             : paletteOf(input->parentWidget()).color(QPalette::Text));
    input->setPalette(palette);
}

} // namespace Velt::PaletteColors
