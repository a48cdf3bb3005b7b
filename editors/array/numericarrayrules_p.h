// NumericArrayRules: the rules of the integer and real array editors, written once over a value
// traits class (Int32ArrayTraits, Real64ArrayTraits in numericarraytraits_p.h): the shape of an
// array of 1 to 3 dimensions, the checks of the number-of-dimensions, bound and index texts,
// values read with the restriction messages, the status update and its status line, and the
// main line of the structured face. Widget-free and core-free: numbers go through the scalar
// editors' rules and NumericConversion.
//
// The traits give, besides the value type and its rendering (the integer view, or nothing for
// reals):
//   static ArrayWords words();                          // "real array" / "reals"
//   static Parsed<Value> parse(caption, text, rendering);
//   static QString format(Value, rendering);
//   static QString statusSuffix(Value, rendering, units); // after the status line
//   static QString countWord(rendering);                // after the count of the main line
#pragma once

#include "restrictionrules.h"
#include "velt_export.h"

#include <QString>

#include <array>
#include <cstdint>
#include <functional>
#include <optional>

namespace Velt {

// How an array family names itself in messages.
struct ArrayWords
{
    QString array;  // "real array", "integer array"
    QString plural; // "reals", "integers"
};

// Dimensions in use (1 to 3) and the bounds of each; unused dimensions hold 0 and 0.
struct VELT_EXPORT ArrayShape
{
    int dimensions = 1;
    std::array<int32_t, 3> lower{0, 0, 0};
    std::array<int32_t, 3> upper{0, 0, 0};

    int32_t extent(int d) const; // upper - lower + 1 of a dimension in use, else 1
    int64_t count() const;
    // The shape with another number of dimensions: dimensions dropped get 0 and 0, dimensions
    // added 0 to 0.
    ArrayShape withDimensions(int dimensions) const;
    friend bool operator==(const ArrayShape&, const ArrayShape&) = default;
};

// The cell of an array: row, column and plane (indices beyond the dimensions are ignored).
struct ArrayIndex
{
    int32_t row = 0;
    int32_t column = 0;
    int32_t plane = 0;
};

namespace NumericArrayTexts {

inline constexpr int MaximumDimensions = 3;
inline constexpr int MaximumFieldElements = 50;

// "Number of dimensions:": a 16-bit integer from 1 to 3.
VELT_EXPORT Parsed<int> parseDimensions(const QString& text, const ArrayWords& words);
// One dimension's bound texts: both 16-bit integers, lower <= upper.
VELT_EXPORT Parsed<Bounds<int32_t>> parseBounds(const QString& lowerText,
                                                const QString& upperText,
                                                const ArrayWords& words);
// "" when the shape holds at most maximumCount elements.
VELT_EXPORT QString totalError(const ArrayShape& shape, int32_t maximumCount,
                               const ArrayWords& words);
// An index text of a dimension whose bound texts are given.
VELT_EXPORT Parsed<int32_t> parseIndex(const QString& indexText, const QString& lowerText,
                                       const QString& upperText, const ArrayWords& words);

// The restriction boxes' messages on the low and the high side.
VELT_EXPORT QString lowAboveHighMessage();
VELT_EXPORT QString highBelowLowMessage();
// "Value 11 must be less or equal to  10" and its variant naming the cell of the array.
VELT_EXPORT QString outsideMessage(const QString& value, const QString& where, bool below,
                                   const QString& bound);
VELT_EXPORT QString cellWhere(const ArrayIndex& index, int dimensions);
// "(2, 3)" with the locale's list separator; the row alone for one dimension.
VELT_EXPORT QString indexText(const ArrayIndex& index, int dimensions);
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

// The texts of the "Dimensions" and "Values" tabs that the status update checks.
struct FormTexts
{
    QString dimensions;
    std::array<QString, 3> lower;
    std::array<QString, 3> upper;
    std::array<QString, 3> index; // row, column, plane
};
// The first error of the number of dimensions, the bounds of the dimensions in use (in
// order) and the total; "" when there is none. dimensionsInUse is what the editor applied.
VELT_EXPORT QString shapeError(const FormTexts& texts, int dimensionsInUse,
                               int32_t maximumCount, const ArrayWords& words);
// The first error of the index boxes of the dimensions in use.
VELT_EXPORT QString indexError(const FormTexts& texts, int dimensionsInUse,
                               const ArrayWords& words);

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
    static QString statusLine(T value, const ArrayIndex& at, int dimensions, const Rendering& r,
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
    // rows (the order OK copies in); "" when every element is inside or bounds are crossed.
    static QString firstOutside(const ArrayShape& shape, const std::function<T(ArrayIndex)>& at,
                                const Rendering& r, Bounds<T> bounds)
    {
        if (bounds.low > bounds.high)
            return QString();
        const int dims = shape.dimensions;
        for (int32_t p = dims > 2 ? shape.lower[2] : 0; p <= (dims > 2 ? shape.upper[2] : 0); ++p) {
            for (int32_t c = dims > 1 ? shape.lower[1] : 0; c <= (dims > 1 ? shape.upper[1] : 0);
                 ++c) {
                for (int32_t row = shape.lower[0]; row <= shape.upper[0]; ++row) {
                    const ArrayIndex index{row, c, p};
                    const T value = at(index);
                    if (value < bounds.low || value > bounds.high)
                        return check(value, r, bounds, NumericArrayTexts::cellWhere(index, dims));
                }
            }
        }
        return QString();
    }

    // The status update: the first error of the form, else the status line of the current cell.
    static StatusLine status(const NumericArrayTexts::FormTexts& texts, const ArrayShape& shape,
                             int32_t maximumCount, const std::function<T(ArrayIndex)>& at,
                             const ArrayIndex& current, const Rendering& r, Bounds<T> bounds,
                             const QString& units)
    {
        const ArrayWords words = Traits::words();
        QString error =
            NumericArrayTexts::shapeError(texts, shape.dimensions, maximumCount, words);
        if (error.isEmpty())
            error = firstOutside(shape, at, r, bounds);
        if (error.isEmpty())
            error = NumericArrayTexts::indexError(texts, shape.dimensions, words);
        if (!error.isEmpty())
            return {error, QString()};
        return {QString(), statusLine(at(current), current, shape.dimensions, r, units)};
    }
};

} // namespace Velt
