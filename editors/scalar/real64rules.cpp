#include "real64rules.h"

namespace Velt::Real64Rules {

QStringList styleNames() { return {StylePlain, StyleRestricted}; }

QString blankMessage(const QString& caption)
{
    return QStringLiteral("The ") + caption + QStringLiteral(" cannot be blank");
}

QString notLegalNumberMessage(const QString& caption, const QString& description)
{
    return QStringLiteral("The ") + caption + QStringLiteral(" is not a legal numeric value: ")
        + description;
}

QString lowAboveHighMessage() { return QStringLiteral("'Low' value must be less than 'High' value"); }

QString highBelowLowMessage()
{
    return QStringLiteral("'High' value must be greater than 'Low' value");
}

Parsed parseRealText(const QString& caption, const QString& text)
{
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return {0, blankMessage(caption)};
    const RealResult result = NumericConversion::toReal(trimmed);
    if (!result.ok())
        return {0, notLegalNumberMessage(caption, result.description())};
    return {result.value, QString()};
}

QString formatRealText(double value, int precision)
{
    return NumericConversion::formatReal(value, precision);
}

QString checkRealRestriction(double value, int precision, double low, double high)
{
    QString message;
    if (low > high)
        message = highBelowLowMessage();
    if (value < low)
        return QStringLiteral("Value must be greater or equal to ") + formatRealText(low, precision);
    if (value > high)
        return QStringLiteral("Value must be less or equal to  ") + formatRealText(high, precision);
    return message;
}

QString lowBoundText(double low, int precision)
{
    return NumericConversion::isUnboundedLow(low) ? QString() : formatRealText(low, precision);
}

QString highBoundText(double high, int precision)
{
    return NumericConversion::isUnboundedHigh(high) ? QString() : formatRealText(high, precision);
}

bool isFullRange(double low, double high)
{
    return NumericConversion::isUnboundedLow(low) && NumericConversion::isUnboundedHigh(high);
}

QString restrictionSummary(double low, double high, int precision)
{
    QString text;
    if (!NumericConversion::isUnboundedLow(low))
        text = formatRealText(low, precision) + QStringLiteral(" <= ");
    text += ValueCaption;
    if (!NumericConversion::isUnboundedHigh(high))
        text += QStringLiteral(" <= ") + formatRealText(high, precision);
    return text;
}

Precision validatePrecision(const QString& text)
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

Messages realStatus(double value, int precision, double low, double high,
                    const QString& entryText, const QString& units)
{
    // The entry has been read already when the status is asked for: what stands is the
    // restriction of the value it gave.
    Messages messages;
    messages.error = checkRealRestriction(value, precision, low, high);
    const QString trimmedUnits = units.trimmed();
    if (!trimmedUnits.isEmpty())
        messages.status = entryText + u' ' + trimmedUnits;
    return messages;
}

QString valueFieldText(double value, int precision, const QString& units)
{
    QString text = formatRealText(value, precision);
    if (!units.isEmpty())
        text += u' ' + units;
    return text;
}

QString stripUnits(const QString& text, const QString& units)
{
    const QString trimmed = text.trimmed();
    const QString suffix = u' ' + units;
    return !units.isEmpty() && trimmed.endsWith(suffix) ? trimmed.chopped(suffix.size()) : trimmed;
}

} // namespace Velt::Real64Rules
