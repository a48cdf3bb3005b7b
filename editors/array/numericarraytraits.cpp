#include "numericarraytraits_p.h"

#include "int32rules.h"
#include "itemproperties_p.h"
#include "real64rules.h"

namespace Velt {

namespace {

constexpr char GraphicalViewAs[] = "Graphical View As";

QString knownView(const QString& view)
{
    return Int32Rules::viewFromName(view) ? view : Int32Rules::Decimal;
}

} // namespace

ArrayTexts Int32ArrayTraits::texts()
{
    return ArrayTexts::numericFamily(QStringLiteral("integer array"), QStringLiteral("integers"));
}

Parsed<int32_t> Int32ArrayTraits::parse(const QString& caption, const QString& text,
                                        const QString& view)
{
    const IntegerView integerView = Int32Rules::viewFromName(view).value_or(IntegerView::Decimal);
    return NumberTexts::readNumber(
        caption, NumericConversion::normalizeIntegerText(text, integerView),
        QStringLiteral("integer value"),
        [](QStringView number) { return NumericConversion::toInt32(number); });
}

QString Int32ArrayTraits::format(int32_t value, const QString& view)
{
    return Int32Rules::formatIntegerText(value, knownView(view));
}

QString Int32ArrayTraits::statusSuffix(int32_t value, const QString& view, const QString& units)
{
    if (knownView(view) == Int32Rules::Decimal)
        return QString();
    QString suffix = QStringLiteral(" or ") + QString::number(value);
    if (!units.isEmpty())
        suffix += u' ' + units;
    return suffix + QStringLiteral(" decimal");
}

QString Int32ArrayTraits::countWord(const QString& view)
{
    namespace R = Int32Rules;
    if (view == R::Decimal)
        return QStringLiteral(" Decimal");
    if (view == R::Octal)
        return QStringLiteral(" Octal");
    if (view == R::Hexadecimal)
        return QStringLiteral(" Hex");
    if (view == R::VbOctal)
        return QStringLiteral(" OctalVB");
    if (view == R::VbHexadecimal)
        return QStringLiteral(" HexVB");
    return QStringLiteral("Unknown Format Type");
}

Int32ArrayTraits::Option Int32ArrayTraits::readOption(int32_t item)
{
    const QString view = ItemProperties::stringProperty(item, ItemProperties::ViewAs);
    return view.isEmpty() ? Int32Rules::Decimal : view;
}

void Int32ArrayTraits::storeOption(int32_t item, const Option& view)
{
    ItemProperties::setStringProperty(item, ItemProperties::ViewAs,
                                      view == Int32Rules::Decimal ? QString() : view);
}

ArrayTexts Real64ArrayTraits::texts()
{
    return ArrayTexts::numericFamily(QStringLiteral("real array"), QStringLiteral("reals"));
}

Parsed<double> Real64ArrayTraits::parse(const QString& caption, const QString& text, int)
{
    return Real64Rules::parseRealText(caption, text);
}

QString Real64ArrayTraits::format(double value, int)
{
    return Real64Rules::formatRealText(value, 0);
}

Real64ArrayTraits::Option Real64ArrayTraits::readOption(int32_t item)
{
    // Any value present means by row.
    return ItemProperties::hasProperty(item, GraphicalViewAs);
}

void Real64ArrayTraits::storeOption(int32_t item, const Option& byRow)
{
    ItemProperties::setStringProperty(item, GraphicalViewAs,
                                      byRow ? QStringLiteral("By row") : QString());
}

} // namespace Velt
