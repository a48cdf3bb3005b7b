#include "real64rules.h"

namespace Velt::Real64Rules {

QStringList styleNames() { return {StylePlain, NumberTexts::StyleRestricted}; }

Parsed<double> parseRealText(const QString& caption, const QString& text)
{
    return NumberTexts::readNumber(
        caption, text.trimmed(), NumberTexts::NumericValueKind,
        [](QStringView number) { return NumericConversion::toReal(number); });
}

QString formatRealText(double value, int precision)
{
    return NumericConversion::formatReal(value, precision);
}

QString Traits::valueText(double value, int precision, const QString& units)
{
    QString text = formatRealText(value, precision);
    if (!units.isEmpty())
        text += u' ' + units;
    return text;
}

QString Traits::stripDecorations(const QString& text, int, const QString& units)
{
    const QString trimmed = text.trimmed();
    const QString suffix = u' ' + units;
    return !units.isEmpty() && trimmed.endsWith(suffix) ? trimmed.chopped(suffix.size()) : trimmed;
}

Parsed<int> validatePrecision(const QString& text)
{
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return {0, QString()};
    const Int16Result result = NumericConversion::toInt16(trimmed);
    if (!result.ok())
        return {0, QStringLiteral("'Precision' value must be an integer")};
    if (result.value < 0)
        return {0, QStringLiteral("'Precision' value must zero or greater")};
    if (result.value > NumericConversion::MaximumPrecision)
        return {0, QStringLiteral("'Precision' value must 15 or less")};
    return {result.value, QString()};
}

QString precisionText(int precision)
{
    return precision == 0 ? QString() : QString::number(precision);
}

StatusLine realStatus(double value, int precision, Bounds<double> bounds, const QString& entryText,
                    const QString& units)
{
    // The entry has been read already when the status is asked for: what stands is the
    // restriction of the value it gave.
    StatusLine messages;
    messages.error = Restriction::check(value, precision, bounds);
    const QString trimmedUnits = units.trimmed();
    if (!trimmedUnits.isEmpty())
        messages.status = entryText + u' ' + trimmedUnits;
    return messages;
}

} // namespace Velt::Real64Rules
