// NumericArrayRules: the rules of the integer and real array editors, written once over a value
// traits class (Int32ArrayTraits, Real64ArrayTraits in numericarraytraits_p.h): values read with
// the restriction messages, the status line of a cell, the first value outside the restriction,
// and the main line of the structured face. Widget-free and core-free: numbers go through the scalar
// editors' rules and NumericConversion.
//
// The checks of bound, index and number-of-dimensions texts are the family's (ArrayRules) with
// the words the traits give. The traits give, besides the value type and its rendering (the
// integer view, or nothing for reals):
//   static ArrayTexts texts();                          // "real array" / "reals"
//   static Parsed<Value> parse(caption, text, rendering);
//   static QString format(Value, rendering);
//   static QString statusSuffix(Value, rendering, units); // after the status line
//   static QString countWord(rendering);                // after the count of the main line
#pragma once

#include "arraybuffer_p.h"
#include "arrayrules_p.h"
#include "restrictionrules.h"
#include "velt_export.h"

#include <QString>

#include <array>
#include <cstdint>
#include <functional>
#include <optional>

namespace Velt {

namespace NumericArrayTexts {

inline constexpr int MaximumFieldElements = 50;

// The restriction boxes' messages on the low and the high side.
VELT_EXPORT QString lowAboveHighMessage();
VELT_EXPORT QString highBelowLowMessage();
// "Value 11 must be less or equal to  10" and its variant naming the cell of the array.
VELT_EXPORT QString outsideMessage(const QString& value, const QString& where, bool below,
                                   const QString& bound);
VELT_EXPORT QString cellWhere(const ArrayCell& cell, int dimensions);
// "(2, 3)" with the locale's list separator; the row alone for one dimension.
VELT_EXPORT QString indexText(const ArrayCell& cell, int dimensions);
VELT_EXPORT QString pasteError(const QString& error);

// The main line of the structured face: count, dimensions and units; countWord goes after
// the count (the integer view).
VELT_EXPORT QString mainText(const ArrayShape& shape, int64_t count, const QString& countWord,
                             const QString& units);
VELT_EXPORT QString clickToEditText();
VELT_EXPORT QString notEditableMessage();
VELT_EXPORT QString cannotHandleMessage(int dimensions);
VELT_EXPORT QString unknownFieldMessage();
// The caption of a value at a position of a row line ("value \"x\" at position 2").
VELT_EXPORT QString positionCaption(const QString& text, int position);
inline const QString ElementCaption = QStringLiteral("Element");

// Whether the structured face lists the elements of an array of this shape and count.
VELT_EXPORT bool declaresElements(int dimensions, int64_t count);

} // namespace NumericArrayTexts

template <typename Traits>
struct NumericArrayRules
{
    using T = typename Traits::Value;
    using Rendering = typename Traits::Rendering;

    // The value of a cell, typed: read and checked against the restriction. A text that reads
    // has its value in `value` even when it lies outside the restriction (error then set).
    struct Entry
    {
        std::optional<T> value;
        QString error;
    };

    static Parsed<T> parse(const QString& caption, const QString& text, const Rendering& r)
    {
        return Traits::parse(caption, text, r);
    }

    // The restriction message of a value: crossed bounds, then below low, then above high.
    static QString check(T value, const Rendering& r, Bounds<T> bounds, const QString& where = {})
    {
        if (bounds.low > bounds.high)
            return NumericArrayTexts::highBelowLowMessage();
        if (value < bounds.low)
            return NumericArrayTexts::outsideMessage(Traits::format(value, r), where, true,
                                                     Traits::format(bounds.low, r));
        if (value > bounds.high)
            return NumericArrayTexts::outsideMessage(Traits::format(value, r), where, false,
                                                     Traits::format(bounds.high, r));
        return QString();
    }

    // A cell being typed into: the parse error, else the restriction message.
    static Entry enter(const QString& text, const Rendering& r, Bounds<T> bounds)
    {
        const Parsed<T> parsed = parse(NumberTexts::ValueCaption, text, r);
        if (!parsed.ok())
            return {std::nullopt, parsed.error};
        return {parsed.value, check(parsed.value, r, bounds)};
    }

    // A pasted cell: read only, the restriction comes at OK.
    static Parsed<T> pasted(const QString& text, const Rendering& r)
    {
        Parsed<T> parsed = parse(NumberTexts::ValueCaption, text, r);
        if (!parsed.ok())
            parsed.error = NumericArrayTexts::pasteError(parsed.error);
        return parsed;
    }

    // What a cleared cell holds: 0 brought into the restriction.
    static T cleared(Bounds<T> bounds)
    {
        if (T{} < bounds.low)
            return bounds.low;
        if (T{} > bounds.high)
            return bounds.high;
        return T{};
    }

    // A restriction box typed into: the pair with that side read anew, or why not.
    static Parsed<Bounds<T>> restrictionBox(Bounds<T> bounds, BoundSide side, const QString& text,
                                            const Rendering& r)
    {
        const Parsed<T> parsed = parse(side == BoundSide::Low ? NumberTexts::LowCaption
                                                              : NumberTexts::HighCaption,
                                       text, r);
        if (!parsed.ok())
            return {bounds, parsed.error};
        (side == BoundSide::Low ? bounds.low : bounds.high) = parsed.value;
        if (bounds.low > bounds.high) {
            return {bounds, side == BoundSide::Low ? NumericArrayTexts::lowAboveHighMessage()
                                                   : NumericArrayTexts::highBelowLowMessage()};
        }
        return {bounds, QString()};
    }

    // "Value at index (2, 3) is 4.0 V"; the integer view adds the value in decimal.
    static QString statusLine(T value, const ArrayCell& at, int dimensions, const Rendering& r,
                              const QString& units)
    {
        QString line = QStringLiteral("Value at index ")
            + NumericArrayTexts::indexText(at, dimensions) + QStringLiteral(" is ")
            + Traits::format(value, r);
        if (!units.isEmpty())
            line += u' ' + units;
        return line + Traits::statusSuffix(value, r, units);
    }

    // The first element outside the restriction, visiting planes outermost, then columns, then
    // rows (the order OK copies in); "" when every element is inside, the bounds are crossed or
    // there are none.
    static QString firstOutside(const ArrayShape& shape, const std::function<T(ArrayCell)>& at,
                                const Rendering& r, Bounds<T> bounds)
    {
        using Scalar = typename Traits::Scalar;
        if (bounds.low > bounds.high
            || (bounds.low == Scalar::UnboundedLow && bounds.high == Scalar::UnboundedHigh))
            return QString(); // nothing can be outside
        const auto span = [&shape](int d) {
            return d < shape.dimensions ? shape.spans[std::size_t(d)] : ArraySpan{};
        };
        for (int p = span(2).lower; p <= span(2).upper; ++p) {
            for (int c = span(1).lower; c <= span(1).upper; ++c) {
                for (int row = span(0).lower; row <= span(0).upper; ++row) {
                    const ArrayCell cell{row, c, p};
                    const T value = at(cell);
                    if (value < bounds.low || value > bounds.high)
                        return check(value, r, bounds,
                                     NumericArrayTexts::cellWhere(cell, shape.dimensions));
                }
            }
        }
        return QString();
    }
};

} // namespace Velt
