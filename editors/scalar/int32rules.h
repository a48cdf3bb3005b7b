// Int32Rules: the integer editor's rules, shared by its dialog face (Int32Editor's controls) and
// its structured face (the fields of XCStructEditing): reading and rendering a value in one of
// the five views, checking it against a restriction, the status line, the bounds of a choice
// list and every message the editor shows. Widget-free and core-free: numbers go through
// NumericConversion, texts are built here and nowhere else.
//
// Views are handled by name, as the core stores them in the "View As" property: a name that is
// none of the five renders as "" and parses as decimal text.
#pragma once

#include "numericconversion.h"
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

// Captions that name a number in messages.
inline const QString ValueCaption = QStringLiteral("Value");
inline const QString LowCaption = QStringLiteral("Low value");
inline const QString HighCaption = QStringLiteral("High value");

// Choices of the structured "Style" field.
inline const QString StylePlain = QStringLiteral("Value is 32-bit integer");
inline const QString StyleRestricted = QStringLiteral("Value is Restricted");
inline const QString StyleChoices = QStringLiteral("Provides list of Choices");
VELT_EXPORT QStringList styleNames();

// The one choice offered when a choice list has no labels, and the texts around choices.
inline const QString EmptyChoice = QStringLiteral("<Empty - Add Labels>");
inline constexpr int32_t MaximumLabelSpan = 1000; // End at - Begin at; 1001 labels at most

// Messages.
VELT_EXPORT QString blankMessage(const QString& caption);
VELT_EXPORT QString notLegalIntegerMessage(const QString& caption, const QString& description);
VELT_EXPORT QString lowAboveHighMessage();  // on the low side
VELT_EXPORT QString highBelowLowMessage();  // on the high side
VELT_EXPORT QString noLabelsMessage();
VELT_EXPORT QString outOfRangeChoiceMessage();
VELT_EXPORT QString notAChoiceMessage();
VELT_EXPORT QString moreOnClipboardMessage();

struct Parsed
{
    int32_t value = 0;
    QString error; // "" when the text was read
    bool ok() const { return error.isEmpty(); }
};

// Text typed for a value or a bound, in a view: "0x" and a leading "0" are read as
// hexadecimal and octal in every view; the octal and hexadecimal views read bare digits in
// their base; decimal text may carry a sign, group separators and a fraction (rounded half to
// even).
VELT_EXPORT Parsed parseIntegerText(const QString& caption, const QString& text,
                                    const QString& view);
VELT_EXPORT QString formatIntegerText(int32_t value, const QString& view);

// "" when value lies within low..high; otherwise why not, the bound shown in the view (and in
// decimal after it in the other views). low > high is reported even when value is inside.
VELT_EXPORT QString checkIntegerRestriction(int32_t value, const QString& view, int32_t low,
                                            int32_t high);
// "10 <= Value <= 20": the bounded sides only.
VELT_EXPORT QString restrictionSummary(int32_t low, int32_t high, const QString& view);
// A bound in the view, or "" when it is the unbounded value of its side.
VELT_EXPORT QString lowBoundText(int32_t low, const QString& view);
VELT_EXPORT QString highBoundText(int32_t high, const QString& view);

struct Messages
{
    QString error;
    QString status;
};

// The dialog's status line for a value (no choice list): the restriction error, else a note
// that the entry rounds, else the value in its view with the units.
VELT_EXPORT Messages integerStatus(int32_t value, const QString& view, int32_t low,
                                   int32_t high, const QString& entryText, const QString& units);

// Which bound's text changed, for the ordering message of a choice list.
enum class ChoiceSide { Begin, End };

struct ChoiceBounds
{
    int32_t begin = 0;
    int32_t end = 0;
    QString error;
    bool ok() const { return error.isEmpty(); }
};
// Bounds of a choice list typed as text: both 16-bit integers, begin <= end, at most 1001
// labels. The dialog reports begin > end on the begin side, the structured face on the side
// that changed.
VELT_EXPORT ChoiceBounds validateChoiceBounds(const QString& beginText, const QString& endText,
                                              ChoiceSide side = ChoiceSide::Begin);

// A choice as the structured face offers it ("1 - True") and as the dialog's combo lists it
// ("1  - True").
VELT_EXPORT QString choiceText(int32_t value, const QString& label);
VELT_EXPORT QString comboChoiceText(int32_t value, const QString& label);
// The value at the start of a chosen text.
VELT_EXPORT Int32Result choiceValue(const QString& text);
// Value text of a choice list's root line when the value has no label.
VELT_EXPORT QString unchosenText(int32_t value);

// The root line of a value without choices: "0xFF mV (Hexadecimal)".
VELT_EXPORT QString valueFieldText(int32_t value, const QString& view, const QString& units);
// What is left of a root line's text once the view and units it was shown with are removed.
VELT_EXPORT QString stripValueDecorations(const QString& text, const QString& view,
                                          const QString& units);
VELT_EXPORT QString labelsText(qsizetype count); // "2 Labels to define"
VELT_EXPORT QString labelCaption(int32_t value); // "Label (3)"
VELT_EXPORT std::optional<int32_t> labelValue(const QString& caption);

} // namespace Velt::Int32Rules
