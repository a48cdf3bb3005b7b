#include "numericarrayrules_p.h"

#include "localeseparators.h"

namespace Velt {

namespace NumericArrayTexts {

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

QString cellWhere(const ArrayCell& cell, int dimensions)
{
    QString where = QStringLiteral(" at row ") + QString::number(cell.row);
    if (dimensions > 1)
        where += QStringLiteral(", column ") + QString::number(cell.column);
    if (dimensions > 2)
        where += QStringLiteral(", plane ") + QString::number(cell.plane);
    return where;
}

QString indexText(const ArrayCell& cell, int dimensions)
{
    if (dimensions < 2)
        return QString::number(cell.row);
    const QString separator = LocaleSeparators::current().listText() + u' ';
    QString text = u'(' + QString::number(cell.row) + separator + QString::number(cell.column);
    if (dimensions > 2)
        text += separator + QString::number(cell.plane);
    return text + u')';
}

QString pasteError(const QString& error) { return QStringLiteral("Cannot paste - ") + error; }

QString mainText(const ArrayShape& shape, int64_t count, const QString& countWord,
                 const QString& units)
{
    const auto span = [&shape](int d) -> QString {
        const ArraySpan bounds = shape.spans[std::size_t(d)];
        return QStringLiteral(" (") + QString::number(bounds.lower) + QStringLiteral(" to ")
            + QString::number(bounds.upper) + QStringLiteral(") ");
    };
    QString text = QString::number(count) + countWord;
    switch (shape.dimensions) {
    case 1:
        text += (count == 1 ? QStringLiteral(" value indexed from ")
                            : QStringLiteral(" values indexed from "))
            + QString::number(shape.spans[0].lower) + QStringLiteral(" to ")
            + QString::number(shape.spans[0].upper);
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
