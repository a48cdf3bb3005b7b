#include "numericarrayrules_p.h"

#include "localeseparators.h"
#include "numericconversion.h"

#include <algorithm>

namespace Velt {

int32_t ArrayShape::extent(int d) const
{
    if (d >= dimensions)
        return 1;
    return upper[std::size_t(d)] - lower[std::size_t(d)] + 1;
}

int64_t ArrayShape::count() const
{
    // Three 16-bit spans multiply to less than 2^49: no overflow in 64 bits.
    int64_t total = 1;
    for (int d = 0; d < dimensions; ++d)
        total *= extent(d);
    return total;
}

ArrayShape ArrayShape::withDimensions(int newDimensions) const
{
    ArrayShape shape = *this;
    shape.dimensions = newDimensions;
    for (int d = std::min(dimensions, newDimensions); d < 3; ++d) {
        shape.lower[std::size_t(d)] = 0;
        shape.upper[std::size_t(d)] = 0;
    }
    return shape;
}

namespace NumericArrayTexts {

namespace {

QString ofArray(const ArrayWords& words) { return QStringLiteral(" of ") + words.array; }

// A bound text of a dimension: "Lower Bounds" or "Upper Bounds".
Parsed<int32_t> parseBound(const QString& text, const QString& which, const ArrayWords& words)
{
    const QString trimmed = text.trimmed();
    const QString subject = QStringLiteral("Dimension '") + which + QStringLiteral("' value");
    if (trimmed.isEmpty())
        return {0, subject + QStringLiteral(" must be specified")};
    const Int16Result bound = NumericConversion::toInt16(trimmed);
    if (!bound.ok()) {
        return {0, subject + ofArray(words)
                       + QStringLiteral(" must be an integer (-32768 to 32767)")};
    }
    return {bound.value, QString()};
}

QString boundsOrderMessage()
{
    return QStringLiteral("Dimension 'Lower bounds' must be less than 'Upper Bounds'");
}

} // namespace

Parsed<int> parseDimensions(const QString& text, const ArrayWords& words)
{
    const QString trimmed = text.trimmed();
    const QString subject = QStringLiteral("'Number of dimensions' value");
    if (trimmed.isEmpty())
        return {0, subject + QStringLiteral(" must be specified")};
    const Int16Result number = NumericConversion::toInt16(trimmed);
    if (!number.ok())
        return {0, subject + ofArray(words) + QStringLiteral(" must be an integer")};
    if (number.value < 1 || number.value > MaximumDimensions) {
        return {0, subject + ofArray(words)
                       + QStringLiteral(" must be in between 1 and 3 inclusive.")};
    }
    return {number.value, QString()};
}

Parsed<Bounds<int32_t>> parseBounds(const QString& lowerText, const QString& upperText,
                                    const ArrayWords& words)
{
    const Parsed<int32_t> lower = parseBound(lowerText, QStringLiteral("Lower Bounds"), words);
    if (!lower.ok())
        return {{}, lower.error};
    const Parsed<int32_t> upper = parseBound(upperText, QStringLiteral("Upper Bounds"), words);
    if (!upper.ok())
        return {{}, upper.error};
    if (lower.value > upper.value)
        return {{lower.value, upper.value}, boundsOrderMessage()};
    return {{lower.value, upper.value}, QString()};
}

QString totalError(const ArrayShape& shape, int32_t maximumCount, const ArrayWords& words)
{
    if (shape.count() <= maximumCount)
        return QString();
    return QStringLiteral("Total number of ") + words.plural + QStringLiteral(" is limited to ")
        + QString::number(maximumCount);
}

Parsed<int32_t> parseIndex(const QString& indexText, const QString& lowerText,
                           const QString& upperText, const ArrayWords& words)
{
    const QString trimmed = indexText.trimmed();
    if (trimmed.isEmpty())
        return {0, QStringLiteral("Index value must be specified")};
    const Int16Result index = NumericConversion::toInt16(trimmed);
    if (!index.ok())
        return {0, QStringLiteral("Index value") + ofArray(words) + QStringLiteral(" must be an integer")};
    const Parsed<Bounds<int32_t>> bounds = parseBounds(lowerText, upperText, words);
    if (!bounds.ok() && bounds.error != boundsOrderMessage())
        return {0, bounds.error};
    const Bounds<int32_t> b = bounds.value;
    if (b.low <= b.high) {
        if (index.value > b.high) {
            return {index.value, QStringLiteral("Index must be less than 'Upper Array Bounds' of ")
                                     + QString::number(b.high)};
        }
        if (index.value < b.low) {
            return {index.value,
                    QStringLiteral("Index must be greater than 'Lower Array Bounds' of ")
                        + QString::number(b.low)};
        }
        return {index.value, QString()};
    }
    return {index.value, boundsOrderMessage()};
}

QString shapeError(const FormTexts& texts, int dimensionsInUse, int32_t maximumCount,
                   const ArrayWords& words)
{
    const Parsed<int> dimensions = parseDimensions(texts.dimensions, words);
    if (!dimensions.ok())
        return dimensions.error;
    ArrayShape shape;
    shape.dimensions = dimensionsInUse;
    for (int d = 0; d < dimensionsInUse; ++d) {
        const auto at = std::size_t(d);
        const Parsed<Bounds<int32_t>> bounds = parseBounds(texts.lower[at], texts.upper[at], words);
        if (!bounds.ok())
            return bounds.error;
        shape.lower[at] = bounds.value.low;
        shape.upper[at] = bounds.value.high;
    }
    return totalError(shape, maximumCount, words);
}

QString indexError(const FormTexts& texts, int dimensionsInUse, const ArrayWords& words)
{
    for (int d = 0; d < dimensionsInUse; ++d) {
        const auto at = std::size_t(d);
        const Parsed<int32_t> index =
            parseIndex(texts.index[at], texts.lower[at], texts.upper[at], words);
        if (!index.ok())
            return index.error;
    }
    return QString();
}

QString lowAboveHighMessage()
{
    return QStringLiteral("Attribute restriction 'Low' value must be less than 'High' value");
}

QString highBelowLowMessage()
{
    // The misspelling is the message users know.
    return QStringLiteral("Attribute restruction 'High' value must be greater than 'Low' value");
}

QString outsideMessage(const QString& value, const QString& where, bool below,
                       const QString& bound)
{
    return QStringLiteral("Value ") + value + where + u' '
        + (below ? QStringLiteral("must be greater or equal to ")
                 : QStringLiteral("must be less or equal to  "))
        + bound;
}

QString cellWhere(const ArrayIndex& index, int dimensions)
{
    QString where = QStringLiteral(" at row ") + QString::number(index.row);
    if (dimensions > 1)
        where += QStringLiteral(", column ") + QString::number(index.column);
    if (dimensions > 2)
        where += QStringLiteral(", plane ") + QString::number(index.plane);
    return where;
}

QString indexText(const ArrayIndex& index, int dimensions)
{
    if (dimensions < 2)
        return QString::number(index.row);
    const QString separator = LocaleSeparators::current().listText() + u' ';
    QString text = u'(' + QString::number(index.row) + separator + QString::number(index.column);
    if (dimensions > 2)
        text += separator + QString::number(index.plane);
    return text + u')';
}

QString pasteError(const QString& error) { return QStringLiteral("Cannot paste - ") + error; }

QString mainText(const ArrayShape& shape, int64_t count, const QString& countWord,
                 const QString& units)
{
    const auto span = [&shape](int d) -> QString {
        return QStringLiteral(" (") + QString::number(shape.lower[std::size_t(d)])
            + QStringLiteral(" to ") + QString::number(shape.upper[std::size_t(d)])
            + QStringLiteral(") ");
    };
    QString text = QString::number(count) + countWord;
    switch (shape.dimensions) {
    case 1:
        text += (count == 1 ? QStringLiteral(" value indexed from ")
                            : QStringLiteral(" values indexed from "))
            + QString::number(shape.lower[0]) + QStringLiteral(" to ")
            + QString::number(shape.upper[0]);
        break;
    case 2:
    case 3:
        text += QStringLiteral(" values in ") + span(0) + QStringLiteral("rows, ") + span(1)
            + QStringLiteral("columns");
        if (shape.dimensions == 3)
            text += QStringLiteral(", ") + span(2) + QStringLiteral("planes");
        break;
    default:
        return QStringLiteral("Cannot display ") + QString::number(shape.dimensions)
            + QStringLiteral("number of dimensions");
    }
    if (!units.isEmpty())
        text += QStringLiteral(" in ") + units;
    return text;
}

QString clickToEditText() { return QStringLiteral("Click here and then press '...' to edit"); }

QString notEditableMessage() { return QStringLiteral("This field is not editable."); }

QString cannotHandleMessage(int dimensions)
{
    return QStringLiteral("Cannot handle ") + QString::number(dimensions)
        + QStringLiteral("number of dimensions");
}

QString unknownFieldMessage() { return QStringLiteral("Unknown field index"); }

QString positionCaption(const QString& text, int position)
{
    return QStringLiteral("value \"") + text + QStringLiteral("\" at position ")
        + QString::number(position);
}

bool declaresElements(int dimensions, int64_t count)
{
    return dimensions >= 1 && dimensions <= 2 && count >= 1 && count <= MaximumFieldElements;
}

} // namespace NumericArrayTexts

} // namespace Velt
