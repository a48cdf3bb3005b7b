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

QStringList styleNames() { return {StylePlain, StyleRestricted, StyleChoices}; }

QString blankMessage(const QString& caption)
{
    return QStringLiteral("The ") + caption + QStringLiteral(" cannot be blank");
}

QString notLegalIntegerMessage(const QString& caption, const QString& description)
{
    return QStringLiteral("The ") + caption + QStringLiteral(" is not a legal integer: ")
        + description;
}

QString lowAboveHighMessage() { return QStringLiteral("'Low' value must be less than 'High' value"); }

QString highBelowLowMessage()
{
    return QStringLiteral("'High' value must be greater than 'Low' value");
}

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

Parsed parseIntegerText(const QString& caption, const QString& text, const QString& view)
{
    const IntegerView integerView = viewFromName(view).value_or(IntegerView::Decimal);
    const QString normalized = NumericConversion::normalizeIntegerText(text, integerView);
    if (normalized.isEmpty())
        return {0, blankMessage(caption)};
    const Int32Result result = NumericConversion::toInt32(normalized);
    if (!result.ok())
        return {0, notLegalIntegerMessage(caption, result.description())};
    return {result.value, QString()};
}

QString formatIntegerText(int32_t value, const QString& view)
{
    const std::optional<IntegerView> integerView = viewFromName(view);
    return integerView ? NumericConversion::formatInt32(value, *integerView) : QString();
}

QString checkIntegerRestriction(int32_t value, const QString& view, int32_t low, int32_t high)
{
    QString message;
    if (low > high)
        message = highBelowLowMessage();
    int32_t bound = 0;
    if (value < low) {
        bound = low;
        message = QStringLiteral("Value must be greater or equal to ") + formatIntegerText(low, view);
    } else if (value > high) {
        bound = high;
        message = QStringLiteral("Value must be less or equal to  ") + formatIntegerText(high, view);
    } else {
        return message;
    }
    if (view != Decimal)
        message += QStringLiteral(" (") + decimal(bound) + u')';
    return message;
}

QString lowBoundText(int32_t low, const QString& view)
{
    return NumericConversion::isUnboundedLow(low) ? QString() : formatIntegerText(low, view);
}

QString highBoundText(int32_t high, const QString& view)
{
    return NumericConversion::isUnboundedHigh(high) ? QString() : formatIntegerText(high, view);
}

QString restrictionSummary(int32_t low, int32_t high, const QString& view)
{
    QString text;
    if (!NumericConversion::isUnboundedLow(low))
        text = formatIntegerText(low, view) + QStringLiteral(" <= ");
    text += ValueCaption;
    if (!NumericConversion::isUnboundedHigh(high))
        text += QStringLiteral(" <= ") + formatIntegerText(high, view);
    return text;
}

Messages integerStatus(int32_t value, const QString& view, int32_t low, int32_t high,
                       const QString& entryText, const QString& units)
{
    Messages messages;
    messages.error = checkIntegerRestriction(value, view, low, high);
    messages.status = viewStatusPrefix(view);
    if (!messages.status.isEmpty())
        messages.status += decimal(value);
    const QString trimmedUnits = units.trimmed();
    if (view == Decimal && messages.error.isEmpty()) {
        const QString entry = entryText.trimmed();
        const Parsed parsed = parseIntegerText(ValueCaption, entry, Decimal);
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

ChoiceBounds validateChoiceBounds(const QString& beginText, const QString& endText,
                                  ChoiceSide side)
{
    ChoiceBounds bounds;
    const auto read = [&bounds](const QString& text, const char* name, int32_t& target) {
        const QString trimmed = text.trimmed();
        if (trimmed.isEmpty()) {
            bounds.error = QStringLiteral("'%1' value must be specified").arg(QLatin1StringView(name));
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
    if (!read(beginText, "Begin at", bounds.begin) || !read(endText, "End at", bounds.end))
        return bounds;
    if (bounds.begin > bounds.end) {
        bounds.error = side == ChoiceSide::Begin
            ? QStringLiteral("'Begin at' must be less than 'End at'")
            : QStringLiteral("'End at' must be greater than 'Begin at'");
    } else if (bounds.end - bounds.begin > MaximumLabelSpan) { // 16-bit bounds: no overflow
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

QString valueFieldText(int32_t value, const QString& view, const QString& units)
{
    QString text = formatIntegerText(value, view);
    if (!units.isEmpty())
        text += u' ' + units;
    if (view != Decimal)
        text += QStringLiteral(" (") + view + u')';
    return text;
}

QString stripValueDecorations(const QString& text, const QString& view, const QString& units)
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

std::optional<int32_t> labelValue(const QString& caption)
{
    static const QString prefix = QStringLiteral("Label (");
    if (!caption.startsWith(prefix) || !caption.endsWith(u')'))
        return std::nullopt;
    bool ok = false;
    const int32_t value =
        QStringView(caption).sliced(prefix.size()).chopped(1).toInt(&ok);
    return ok ? std::optional<int32_t>(value) : std::nullopt;
}

} // namespace Velt::Int32Rules
