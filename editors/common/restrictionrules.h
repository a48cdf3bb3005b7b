// RestrictionRules: the low/high restriction of a number editor, written once over the value
// type. A traits class tells the rules what differs between number types:
//
//   struct Traits {
//       using Value = int32_t;           // the value type
//       using Rendering = QString;       // how values are shown (a view name, a precision)
//       static constexpr Value UnboundedLow, UnboundedHigh;   // "no bound on that side"
//       static QString format(Value, const Rendering&);
//       static QString boundNote(Value bound, const Rendering&); // after a bound in a message
//       static Parsed<Value> parse(const QString& caption, const QString& text, const Rendering&);
//   };
//
// Also the messages every number editor shows in the same words. Widget-free and core-free.
#pragma once

#include "velt_export.h"

#include <QString>

#include <optional>

namespace Velt {

template <typename T>
struct Bounds
{
    T low{};
    T high{};
};

// A number read from text, or why it could not be.
template <typename T>
struct Parsed
{
    T value{};
    QString error{}; // "" when the text was read
    bool ok() const { return error.isEmpty(); }
};

// What a dialog shows below its controls: an error, or else a status.
struct StatusLine
{
    QString error{};
    QString status{};
};

namespace NumberTexts {

// Captions that name a number in messages.
inline const QString ValueCaption = QStringLiteral("Value");
inline const QString LowCaption = QStringLiteral("Low value");
inline const QString HighCaption = QStringLiteral("High value");
// The "Style" choice of a restricted value.
inline const QString StyleRestricted = QStringLiteral("Value is Restricted");

VELT_EXPORT QString blankMessage(const QString& caption);
// "The Value is not a legal integer: Overflow": what the text should have been (kind), and the
// conversion's own description.
VELT_EXPORT QString notLegalMessage(const QString& caption, const QString& kind,
                                    const QString& description);
// The kinds of number that message names.
inline const QString IntegerKind = QStringLiteral("integer");            // 32-bit integers
inline const QString NumericValueKind = QStringLiteral("numeric value"); // reals

// Reads a number typed as text with `convert` (a NumericConversion returning a result with
// ok(), value and description()). `text` is the entry as the editor prepared it (trimmed or
// normalized): empty text is blank, text that does not convert is not a legal `kind`.
template <typename Convert>
auto readNumber(const QString& caption, const QString& text, const QString& kind, Convert convert)
    -> Parsed<decltype(convert(text).value)>
{
    if (text.isEmpty())
        return {{}, blankMessage(caption)};
    const auto result = convert(text);
    if (!result.ok())
        return {{}, notLegalMessage(caption, kind, result.description())};
    return {result.value, QString()};
}
VELT_EXPORT QString lowAboveHighMessage();  // on the low side
VELT_EXPORT QString highBelowLowMessage();  // on the high side
VELT_EXPORT QString belowLowMessage(const QString& low);
VELT_EXPORT QString aboveHighMessage(const QString& high);

} // namespace NumberTexts

enum class BoundSide { Low, High };

template <typename Traits>
struct RestrictionRules
{
    using T = typename Traits::Value;
    using Rendering = typename Traits::Rendering;

    static constexpr Bounds<T> unbounded() { return {Traits::UnboundedLow, Traits::UnboundedHigh}; }
    static bool lowBounded(T low) { return low != Traits::UnboundedLow; }
    static bool highBounded(T high) { return high != Traits::UnboundedHigh; }
    static bool bounded(T bound, BoundSide side)
    {
        return side == BoundSide::Low ? lowBounded(bound) : highBounded(bound);
    }
    // A restriction that bounds at least one side: what is stored, and what ticks the box.
    static bool restricts(const std::optional<Bounds<T>>& restriction)
    {
        return restriction && (lowBounded(restriction->low) || highBounded(restriction->high));
    }
    static Bounds<T> orUnbounded(const std::optional<Bounds<T>>& restriction)
    {
        return restriction.value_or(unbounded());
    }

    // "" when value lies within the bounds; otherwise why not. Crossed bounds are reported even
    // when the value is inside them.
    static QString check(T value, const Rendering& rendering, Bounds<T> bounds)
    {
        if (value < bounds.low) {
            return NumberTexts::belowLowMessage(Traits::format(bounds.low, rendering))
                + Traits::boundNote(bounds.low, rendering);
        }
        if (value > bounds.high) {
            return NumberTexts::aboveHighMessage(Traits::format(bounds.high, rendering))
                + Traits::boundNote(bounds.high, rendering);
        }
        return bounds.low > bounds.high ? NumberTexts::highBelowLowMessage() : QString();
    }

    // A bound as its line shows it: "" on an unbounded side.
    static QString boundText(T bound, BoundSide side, const Rendering& rendering)
    {
        return bounded(bound, side) ? Traits::format(bound, rendering) : QString();
    }

    // "10 <= Value <= 20": the bounded sides only.
    static QString summary(Bounds<T> bounds, const Rendering& rendering)
    {
        QString text;
        if (lowBounded(bounds.low))
            text = Traits::format(bounds.low, rendering) + QStringLiteral(" <= ");
        text += NumberTexts::ValueCaption;
        if (highBounded(bounds.high))
            text += QStringLiteral(" <= ") + Traits::format(bounds.high, rendering);
        return text;
    }

    static QString caption(BoundSide side)
    {
        return side == BoundSide::Low ? NumberTexts::LowCaption : NumberTexts::HighCaption;
    }

    // The pair with one side typed anew (read with that side's caption), the other kept.
    static Parsed<Bounds<T>> withBound(Bounds<T> bounds, BoundSide side, const QString& text,
                                       const Rendering& rendering)
    {
        const Parsed<T> parsed = Traits::parse(caption(side), text, rendering);
        if (parsed.ok())
            (side == BoundSide::Low ? bounds.low : bounds.high) = parsed.value;
        return {bounds, parsed.error};
    }
};

} // namespace Velt
