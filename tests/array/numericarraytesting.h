// Shared by the numeric array tests: shapes written as bound lists, integer or real array items
// of a shape made and read with the core's own calls, and an item as one comparable text.
#pragma once

#include "coretesting.h"
#include "numericarraycopy_p.h"

#include <QStringList>

#include <initializer_list>

namespace NumericArrayTest {

using namespace Velt;

// {lower0, upper0, lower1, upper1, ...}: one pair per dimension.
inline ArrayShape shape(std::initializer_list<int> bounds)
{
    ArrayShape s;
    s.dimensions = int(bounds.size() / 2);
    for (std::size_t d = 0; d < std::size_t(s.dimensions); ++d)
        s.spans[d] = {int16_t(bounds.begin()[2 * d]), int16_t(bounds.begin()[2 * d + 1])};
    return s;
}

inline ArrayShape shapeOf(QuenHandle item)
{
    ArrayShape s;
    s.dimensions = QuenArrayGetNumDimensions(item);
    for (int d = 0; d < s.dimensions; ++d)
        s.spans[std::size_t(d)] = {int16_t(QuenArrayGetLowerBound(item, d)), int16_t(QuenArrayGetUpperBound(item, d))};
    return s;
}

// Calls f(cell, integer) for each cell of the item in copy order (planes, then columns, then rows).
template <typename F>
void forEachCell(QuenHandle item, F f)
{
    const bool integer = QByteArray(QuenDataGetType(item)) == "CQuenInt32Array";
    NumericArrayCopy<Real64ArrayTraits>::forEachCell(shapeOf(item), [&](ArrayCell cell) { f(cell, integer); });
}

// A new array of the family ("integer" or "real"), owned by core, of the shape; its k-th
// element in copy order holds k.
inline QuenHandle numbered(VeltTest::CoreBuilder& core, const QString& family, const ArrayShape& s)
{
    const QuenHandle item = (core << (family == u"integer" ? QuenI32ArrCreate(0, 0) : QuenR64ArrCreate(0, 0)));
    const auto& b = s.spans;
    if (s.dimensions == 1)
        QuenArrayRedim(item, b[0].lower, b[0].upper);
    else if (s.dimensions == 2)
        QuenArrayRedim2(item, b[0].lower, b[0].upper, b[1].lower, b[1].upper);
    else
        QuenArrayRedim3(item, b[0].lower, b[0].upper, b[1].lower, b[1].upper, b[2].lower, b[2].upper);
    int k = 0;
    forEachCell(item, [&](ArrayCell cell, bool integer) {
        ++k;
        integer ? ArrayElements<Int32ArrayTraits>::set(item, s.dimensions, cell, k)
                : ArrayElements<Real64ArrayTraits>::set(item, s.dimensions, cell, k);
    });
    return item;
}

// The values in copy order, separated by blanks.
inline QString values(QuenHandle item)
{
    QStringList texts;
    const int dimensions = QuenArrayGetNumDimensions(item);
    forEachCell(item, [&](ArrayCell cell, bool integer) {
        texts << QString::number(integer ? ArrayElements<Int32ArrayTraits>::get(item, dimensions, cell)
                                         : ArrayElements<Real64ArrayTraits>::get(item, dimensions, cell));
    });
    return texts.join(u' ');
}

// "2 1..2 1..3: 1 2 3 4 5 6|Locks,Units": the shape, the values and the names of the
// properties, sorted.
inline QString snapshot(QuenHandle item)
{
    const ArrayShape s = shapeOf(item);
    QString text = QString::number(s.dimensions);
    for (int d = 0; d < s.dimensions; ++d)
        text += QStringLiteral(" %1..%2").arg(s.spans[std::size_t(d)].lower).arg(s.spans[std::size_t(d)].upper);
    QStringList names;
    for (int32_t p = 1; p <= QuenDataExGetPropertyCount(item); ++p)
        names << VeltTest::text(QuenDataExGetPropertyName(item, p));
    names.sort();
    return text + QStringLiteral(": ") + values(item) + u'|' + names.join(u',');
}

} // namespace NumericArrayTest
