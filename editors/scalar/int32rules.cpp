#include "int32rules.h"

namespace Velt::Int32Rules {

namespace {

QString decimal(int32_t value) { return QString::number(value); }

QString viewStatusPrefix(const QString& view)
{
    if (view == Hexadecimal)
        return QStringLiteral("Hexadecimal view of ");
    if (view == Octal)
        return QStringLiteral("Octal view of ");
    if (view == VbHexadecimal)
        return QStringLiteral("Visual Basic hexadecimal view of ");
    if (view == VbOctal)
        return QStringLiteral("Visual Basic octal view of ");
    return QString();
}

QString chopSuffix(const QString& text, const QString& suffix)
{
    return text.endsWith(suffix) ? text.chopped(suffix.size()) : text;
}

} // namespace

QStringList dialogViewNames() { return {Decimal, Octal, Hexadecimal, VbOctal, VbHexadecimal}; }

QStringList structuredViewNames() { return {Decimal, Octal, Hexadecimal}; }

std::optional<IntegerView> viewFromName(const QString& name)
{
    if (name == Decimal)
        return IntegerView::Decimal;
    if (name == Octal)
        return IntegerView::Octal;
    if (name == VbOctal)
        return IntegerView::VbOctal;
    if (name == Hexadecimal)
        return IntegerView::Hexadecimal;
    if (name == VbHexadecimal)
        return IntegerView::VbHexadecimal;
    return std::nullopt;
}

QStringList styleNames() { return {StylePlain, NumberTexts::StyleRestricted, StyleChoices}; }

QString noLabelsMessage() { return QStringLiteral("No Labels are defined"); }

QString outOfRangeChoiceMessage()
{
    return QStringLiteral("The value is out of range - select a new choice");
}

QString notAChoiceMessage() { return QStringLiteral("This value is not a choice from the list"); }

QString moreOnClipboardMessage()
{
    return QStringLiteral("More data on clipboard.  Select larger area to paste?");
}

Parsed<int32_t> parseIntegerText(const QString& caption, const QString& text, const QString& view)
{
    const IntegerView integerView = viewFromName(view).value_or(IntegerView::Decimal);
    return NumberTexts::readNumber(
        caption, NumericConversion::normalizeIntegerText(text, integerView),
        NumberTexts::IntegerKind,
        [](QStringView number) { return NumericConversion::toInt32(number); });
}

QString formatIntegerText(int32_t value, const QString& view)
{
    const std::optional<IntegerView> integerView = viewFromName(view);
    return integerView ? NumericConversion::formatInt32(value, *integerView) : QString();
}

StatusLine integerStatus(int32_t value, const QString& view, Bounds<int32_t> bounds,
                       const QString& entryText, const QString& units)
{
    StatusLine messages;
    messages.error = Restriction::check(value, view, bounds);
    messages.status = viewStatusPrefix(view);
    if (!messages.status.isEmpty())
        messages.status += decimal(value);
    const QString trimmedUnits = units.trimmed();
    if (view == Decimal && messages.error.isEmpty()) {
        const QString entry = entryText.trimmed();
        const Parsed<int32_t> parsed = parseIntegerText(NumberTexts::ValueCaption, entry, Decimal);
        if (parsed.ok() && entry != decimal(parsed.value)) {
            messages.status = QStringLiteral("Note: Value will round to ") + decimal(parsed.value)
                + u' ' + trimmedUnits;
            return messages;
        }
    }
    if (!trimmedUnits.isEmpty()) {
        messages.status = formatIntegerText(value, view) + u' ' + trimmedUnits;
        if (view != Decimal && (value < 0 || value > 9))
            messages.status += QStringLiteral(" or ") + decimal(value) + u' ' + trimmedUnits
                + QStringLiteral(" decimal");
    }
    return messages;
}

Parsed<Bounds<int32_t>> validateChoiceBounds(const QString& beginText, const QString& endText,
                                             ChoiceSide side)
{
    Parsed<Bounds<int32_t>> bounds;
    const auto read = [&bounds](const QString& text, const char* name, int32_t& target) {
        const QString trimmed = text.trimmed();
        if (trimmed.isEmpty()) {
            bounds.error =
                QStringLiteral("'%1' value must be specified").arg(QLatin1StringView(name));
            return false;
        }
        const Int16Result result = NumericConversion::toInt16(trimmed);
        if (!result.ok()) {
            bounds.error = QStringLiteral("'%1' value of choice list must be an integer")
                               .arg(QLatin1StringView(name));
            return false;
        }
        target = result.value;
        return true;
    };
    Bounds<int32_t>& range = bounds.value;
    if (!read(beginText, "Begin at", range.low) || !read(endText, "End at", range.high))
        return bounds;
    if (range.low > range.high) {
        bounds.error = side == ChoiceSide::Begin
            ? QStringLiteral("'Begin at' must be less than 'End at'")
            : QStringLiteral("'End at' must be greater than 'Begin at'");
    } else if (range.high - range.low > MaximumLabelSpan) { // 16-bit bounds: no overflow
        bounds.error = QStringLiteral("Total number of labels is limited to ")
            + decimal(MaximumLabelSpan);
    }
    return bounds;
}

QString choiceText(int32_t value, const QString& label)
{
    return decimal(value) + QStringLiteral(" - ") + label;
}

QString comboChoiceText(int32_t value, const QString& label)
{
    return decimal(value) + QStringLiteral("  - ") + label;
}

Int32Result choiceValue(const QString& text) { return NumericConversion::leadingInt32(text); }

QString unchosenText(int32_t value) { return decimal(value) + QStringLiteral(" - <choose>"); }

QString Traits::valueText(int32_t value, const QString& view, const QString& units)
{
    QString text = formatIntegerText(value, view);
    if (!units.isEmpty())
        text += u' ' + units;
    if (view != Decimal)
        text += QStringLiteral(" (") + view + u')';
    return text;
}

QString Traits::stripDecorations(const QString& text, const QString& view,
                                 const QString& units)
{
    QString stripped = text.trimmed();
    if (view != Decimal)
        stripped = chopSuffix(stripped, QStringLiteral(" (") + view + u')');
    if (!units.isEmpty())
        stripped = chopSuffix(stripped, u' ' + units);
    return stripped;
}

QString labelsText(qsizetype count)
{
    return QString::number(count) + QStringLiteral(" Labels to define");
}

QString labelCaption(int32_t value) { return QStringLiteral("Label (") + decimal(value) + u')'; }

} // namespace Velt::Int32Rules
