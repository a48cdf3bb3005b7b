// Int32Rules: the integer editor's rules, shared by its dialog face (Int32Editor's controls) and
// its structured face: reading and rendering a value in one of the five views, the status line,
// the bounds and texts of a choice list, and the traits through which the shared restriction
// rules handle integers. Widget-free and core-free: numbers go through NumericConversion.
//
// Views are handled by name, as the core stores them in the "View As" property: a name that is
// none of the five renders as "" and parses as decimal text.
#pragma once

#include "numericconversion.h"
#include "restrictionrules.h"
#include "velt_export.h"

#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>

namespace Velt::Int32Rules {

// View names, in the order of the dialog's option buttons.
inline const QString Decimal = QStringLiteral("Decimal");
inline const QString Octal = QStringLiteral("Octal");
inline const QString VbOctal = QStringLiteral("VB Octal");
inline const QString Hexadecimal = QStringLiteral("Hexadecimal");
inline const QString VbHexadecimal = QStringLiteral("VB Hexadecimal");
VELT_EXPORT QStringList dialogViewNames();     // all five
VELT_EXPORT QStringList structuredViewNames(); // "Decimal", "Octal", "Hexadecimal"
VELT_EXPORT std::optional<IntegerView> viewFromName(const QString& name);

// Choices of the structured "Style" field.
inline const QString StylePlain = QStringLiteral("Value is 32-bit integer");
inline const QString StyleChoices = QStringLiteral("Provides list of Choices");
VELT_EXPORT QStringList styleNames();

// The one choice offered when a choice list has no labels, and the texts around choices.
inline const QString EmptyChoice = QStringLiteral("<Empty - Add Labels>");
inline constexpr int32_t MaximumLabelSpan = 1000; // End at - Begin at; 1001 labels at most

// Messages of the choice list.
VELT_EXPORT QString noLabelsMessage();
VELT_EXPORT QString outOfRangeChoiceMessage();
VELT_EXPORT QString notAChoiceMessage();
VELT_EXPORT QString moreOnClipboardMessage();

// Text typed for a value or a bound, in a view: "0x" and a leading "0" are read as
// hexadecimal and octal in every view; the octal and hexadecimal views read bare digits in
// their base; decimal text may carry a sign, group separators and a fraction (rounded half to
// even).
VELT_EXPORT Parsed<int32_t> parseIntegerText(const QString& caption, const QString& text,
                                             const QString& view);
VELT_EXPORT QString formatIntegerText(int32_t value, const QString& view);

// How the shared restriction rules read, render and bound integers: bounds are rendered in
// the view, and outside the decimal view a message repeats the bound in decimal.
struct Traits
{
    using Value = int32_t;
    using Rendering = QString; // the view
    static constexpr int32_t UnboundedLow = NumericConversion::Int32UnboundedLow;
    static constexpr int32_t UnboundedHigh = NumericConversion::Int32UnboundedHigh;
    static QString format(int32_t value, const QString& view)
    {
        return formatIntegerText(value, view);
    }
    static QString boundNote(int32_t bound, const QString& view)
    {
        return view == Decimal ? QString() : QStringLiteral(" (%1)").arg(bound);
    }
    static Parsed<int32_t> parse(const QString& caption, const QString& text, const QString& view)
    {
        return parseIntegerText(caption, text, view);
    }
    // The root line of a value without choices: "0xFF mV (Hexadecimal)"; and what is left of
    // such a text once the view and units it was shown with are removed.
    VELT_EXPORT static QString valueText(int32_t value, const QString& view, const QString& units);
    VELT_EXPORT static QString stripDecorations(const QString& text, const QString& view,
                                                const QString& units);
};
using Restriction = RestrictionRules<Traits>;

// The dialog's status line for a value (no choice list): the restriction error, else a note
// that the entry rounds, else the value in its view with the units.
VELT_EXPORT StatusLine integerStatus(int32_t value, const QString& view, Bounds<int32_t> bounds,
                                   const QString& entryText, const QString& units);

// Which bound's text changed, for the ordering message of a choice list.
enum class ChoiceSide { Begin, End };

// Bounds of a choice list typed as text: both 16-bit integers, begin <= end, at most 1001
// labels. The dialog reports begin > end on the begin side, the structured face on the side
// that changed.
VELT_EXPORT Parsed<Bounds<int32_t>> validateChoiceBounds(const QString& beginText,
                                                         const QString& endText,
                                                         ChoiceSide side = ChoiceSide::Begin);

// A choice as the structured face offers it ("1 - True") and as the dialog's combo lists it
// ("1  - True").
VELT_EXPORT QString choiceText(int32_t value, const QString& label);
VELT_EXPORT QString comboChoiceText(int32_t value, const QString& label);
// The value at the start of a chosen text.
VELT_EXPORT Int32Result choiceValue(const QString& text);
// Value text of a choice list's root line when the value has no label.
VELT_EXPORT QString unchosenText(int32_t value);

VELT_EXPORT QString labelsText(qsizetype count); // "2 Labels to define"
VELT_EXPORT QString labelCaption(int32_t value); // "Label (3)"

} // namespace Velt::Int32Rules
