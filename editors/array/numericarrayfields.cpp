#include "numericarrayfields_p.h"

#include "int32rules.h"
#include "arrayitem_p.h"
#include "itemproperties_p.h"
#include "numericarraycopy_p.h"

#include "quen/quencore.h"

#include <QStringList>

namespace Velt {

namespace {

namespace T = NumericArrayTexts;
namespace P = ItemProperties;
using Row = FieldTable::Row;

int64_t elementCount(int32_t item) { return ArrayItem::elementCount(item); }

bool listsElements(const FieldCall& call)
{
    return call.item != 0
        && T::declaresElements(QuenArrayGetNumDimensions(call.item), elementCount(call.item));
}

// What a line of the element row stands for: its value is the line's position among the
// element lines (0 = the first). A table has per row one row line and one line per column.
struct Place
{
    bool rowLine = false; // a table's "Row (i)" line
    ArrayCell cell;
};

Place placeOf(const ArrayShape& shape, int32_t value)
{
    const ArraySpan rows = shape.spans[0];
    const ArraySpan columns = shape.spans[1];
    if (shape.dimensions == 1)
        return {false, {rows.lower + value, 0, 0}};
    const int32_t perRow = columns.extent() + 1;
    const int32_t column = value % perRow;
    const int32_t row = rows.lower + value / perRow;
    if (column == 0)
        return {true, {row, columns.lower, 0}};
    return {false, {row, columns.lower + column - 1, 0}};
}

bool inside(const ArrayShape& shape, const ArrayCell& at)
{
    const ArraySpan rows = shape.spans[0];
    const ArraySpan columns = shape.spans[1];
    return at.row >= rows.lower && at.row <= rows.upper
        && (shape.dimensions < 2 || (at.column >= columns.lower && at.column <= columns.upper));
}

QString rowCaption(int32_t row) { return QStringLiteral("Row (%1)").arg(row); }

QString withUnits(QString text, const QString& units)
{
    if (!units.isEmpty())
        text += u' ' + units;
    return text;
}

// A typed text without the units it was shown with.
QString withoutUnits(const QString& text, const QString& units)
{
    const QString trimmed = text.trimmed();
    const QString suffix = u' ' + units;
    return !units.isEmpty() && trimmed.endsWith(suffix) ? trimmed.chopped(suffix.size()).trimmed()
                                                        : trimmed;
}

template <typename Traits>
struct Lines
{
    using V = typename Traits::Value;
    using Elements = ArrayElements<Traits>;
    using Rules = NumericArrayRules<Traits>;

    static typename Traits::Rendering rendering(int32_t item)
    {
        return Traits::rendering(Traits::readOption(item));
    }

    static FieldText readRoot(const FieldCall& call)
    {
        const int64_t count = call.item ? elementCount(call.item) : 0;
        if (count == 0 || count > T::MaximumFieldElements)
            return {T::clickToEditText()};
        const ArrayShape shape = ArrayItem::shape(call.item);
        if (QuenArrayGetNumDimensions(call.item) > MaxArrayDimensions)
            return {T::mainText({QuenArrayGetNumDimensions(call.item), {}}, count, {}, {})};
        return {T::mainText(shape, count, Traits::countWord(Traits::readOption(call.item)),
                            P::stringProperty(call.item, P::Units))};
    }

    static FieldLine line(const FieldCall& call, int32_t value)
    {
        const ArrayShape shape = ArrayItem::shape(call.item);
        const Place place = placeOf(shape, value);
        if (shape.dimensions == 1)
            return {rowCaption(place.cell.row), 1, QStringLiteral("Number")};
        if (place.rowLine)
            return {rowCaption(place.cell.row), 1, QStringLiteral("NumberList")};
        return {QStringLiteral("Column (%1)").arg(place.cell.column), 2, QStringLiteral("Number")};
    }

    static FieldRange range(const FieldCall& call)
    {
        const ArrayShape shape = ArrayItem::shape(call.item);
        const int32_t rows = shape.spans[0].extent();
        const int32_t lines = shape.dimensions == 1 ? rows : rows * (shape.spans[1].extent() + 1);
        return {0, lines - 1};
    }

    static FieldText readElement(const FieldCall& call)
    {
        const ArrayShape shape = ArrayItem::shape(call.item);
        const Place place = placeOf(shape, call.value);
        if (!inside(shape, place.cell))
            return {QString(), T::unknownFieldMessage()};
        const auto r = rendering(call.item);
        const QString units = P::stringProperty(call.item, P::Units);
        if (!place.rowLine)
            return {withUnits(Traits::format(Elements::get(call.item, shape.dimensions, place.cell), r), units)};
        QStringList values;
        for (int column = shape.spans[1].lower; column <= shape.spans[1].upper; ++column)
            values << Traits::format(Elements::get(call.item, 2, {place.cell.row, column, 0}), r);
        return {withUnits(values.join(u' '), units)};
    }

    static FieldChange applyElement(const FieldCall& call, const QString& typed)
    {
        const int dimensions = QuenArrayGetNumDimensions(call.item);
        if (dimensions > 2)
            return FieldChange::failed(T::cannotHandleMessage(dimensions));
        const ArrayShape shape = ArrayItem::shape(call.item);
        const Place place = placeOf(shape, call.value);
        if (!inside(shape, place.cell))
            return FieldChange::failed(T::unknownFieldMessage());
        const auto r = rendering(call.item);
        const QString text = withoutUnits(typed, P::stringProperty(call.item, P::Units));
        if (place.rowLine)
            return applyRow(call.item, shape, place.cell.row, text, r);
        if (dimensions == 1) {
            const typename Rules::Entry entry =
                Rules::enter(text, r, restriction(call.item));
            if (!entry.error.isEmpty())
                return FieldChange::failed(entry.error);
            Elements::set(call.item, 1, place.cell, *entry.value);
            return FieldChange::done(true);
        }
        const Parsed<V> parsed = Rules::parse(T::ElementCaption, text, r);
        if (!parsed.ok())
            return FieldChange::failed(parsed.error);
        Elements::set(call.item, 2, place.cell, parsed.value);
        return FieldChange::done(true);
    }

    // A row line: every value is read before any is written. Values beyond the row's columns
    // are ignored; columns without a value keep theirs.
    static FieldChange applyRow(int32_t item, const ArrayShape& shape, int32_t row,
                                const QString& text, const typename Traits::Rendering& r)
    {
        const QStringList texts = text.split(u' ', Qt::SkipEmptyParts);
        QList<V> values;
        for (qsizetype i = 0; i < texts.size() && i < shape.spans[1].extent(); ++i) {
            const Parsed<V> parsed = Rules::parse(T::positionCaption(texts[i], int(i + 1)), texts[i], r);
            if (!parsed.ok())
                return FieldChange::failed(parsed.error);
            values << parsed.value;
        }
        for (qsizetype i = 0; i < values.size(); ++i)
            Elements::set(item, 2, {row, shape.spans[1].lower + int(i), 0}, values[i]);
        return FieldChange::done(true);
    }

    static Bounds<V> restriction(int32_t item)
    {
        return P::restriction<V>(item).value_or(
            Bounds<V>{Traits::Scalar::UnboundedLow, Traits::Scalar::UnboundedHigh});
    }

    static std::vector<Row> rows()
    {
        return {{
            .shown = listsElements,
            .repeat = range,
            .repeatLine = line,
            .locked = FieldTable::never,
            .read = readElement,
            .apply = applyElement,
        }};
    }
};

// The summary line: open to typing, so that a text typed there is answered with why it is not
// taken (the values are edited on their own lines or in the dialog).
Row rootRow(std::function<FieldText(const FieldCall&)> read)
{
    return {
        .locked = FieldTable::never,
        .read = std::move(read),
        .apply = [](const FieldCall&, const QString&) {
            return FieldChange::failed(T::notEditableMessage());
        },
    };
}

// The integer view chosen in place: "Decimal" removes the property.
Row viewRow()
{
    return {
        .caption = QStringLiteral("View As"),
        .picture = QStringLiteral("Enumeration"),
        .shown = listsElements,
        .locked = FieldTable::never,
        .choices = [](const FieldCall&) { return FieldChoices{Int32Rules::structuredViewNames()}; },
        .read = [](const FieldCall& call) { return FieldText{Int32ArrayTraits::readOption(call.item)}; },
        .apply =
            [](const FieldCall& call, const QString& text) {
                Int32ArrayTraits::storeOption(call.item, text.trimmed());
                return FieldChange::done(true);
            },
    };
}

} // namespace

FieldTable NumericArrayFields::int32Table()
{
    using L = Lines<Int32ArrayTraits>;
    std::vector<Row> rows = L::rows();
    rows.push_back(viewRow());
    return FieldTable(rootRow(L::readRoot), std::move(rows));
}

FieldTable NumericArrayFields::real64Table()
{
    using L = Lines<Real64ArrayTraits>;
    return FieldTable(rootRow(L::readRoot), L::rows());
}

} // namespace Velt
