// RangeRules: the range editor's rules, shared by its dialog face (RangeEditor's controls) and
// its structured face: the four views (the names stored in "View As", the labels shown for
// them in the user's locale, and a label mapped back), the rendering of the six quantities, the
// parse messages, the text of the range row and its splitting, the dialog's summary line, and
// the order in which a view's quantities are stored. Widget-free and core-free: numbers go
// through NumericConversion, and every function that depends on the locale takes its
// separators (LocaleSeparators::current() by default), so callers and tests can fix them.
#pragma once

#include "localeseparators.h"
#include "restrictionrules.h"
#include "velt_export.h"

#include <QString>
#include <QStringList>

#include <array>
#include <cstdint>

namespace Velt::RangeRules {

// The six quantities of a range. The first two of a view are a pair (start and stop, or center
// and span), the third is its step size or its number of points.
enum class Quantity : std::uint8_t { Start, Stop, Center, Span, Step, Points };

struct View
{
    bool centerSpan = false; // center and span instead of start and stop
    bool byStep = false;     // step size instead of number of points

    friend bool operator==(const View&, const View&) = default;
};

// The names "View As" holds. The default view is stored as no property at all.
inline const QString StartStopPoints = QStringLiteral("Start, Stop #Points");
inline const QString StartStopStep = QStringLiteral("Start, Stop :Step");
inline const QString CenterSpanPoints = QStringLiteral("Center; Span #Points");
inline const QString CenterSpanStep = QStringLiteral("Center; Span :Step");

VELT_EXPORT QString storedName(View view);
VELT_EXPORT bool isDefault(View view);

// Between the two values of a pair: the list separator for start and stop; for center and span
// ";", or "<" when the list separator is ";" itself.
VELT_EXPORT QChar pairSeparator(View view, const LocaleSeparators& separators = LocaleSeparators::current());
// "Start, Stop #Points", "Center; Span :Step", ... with the locale's separators.
VELT_EXPORT QString label(View view, const LocaleSeparators& separators = LocaleSeparators::current());
// The four labels, in the order the "View As" choices offer them.
VELT_EXPORT QStringList labels(const LocaleSeparators& separators = LocaleSeparators::current());
// A label (or a stored name) back to its view, tried in the order center/span by step,
// start/stop by step, start/stop by points; anything else is center/span by points. Blanks
// around the text do not count.
VELT_EXPORT View viewOf(const QString& text, const LocaleSeparators& separators = LocaleSeparators::current());
// The view a stored "View As" gives: the default one when absent (empty), else as viewOf().
VELT_EXPORT View storedView(const QString& name, const LocaleSeparators& separators = LocaleSeparators::current());

// The three quantities a view stores, in the order they are stored: the pair, then the third.
VELT_EXPORT std::array<Quantity, 3> quantitiesOf(View view);
// "Start value", ..., "Step size", "Number of points": the captions messages name.
VELT_EXPORT QString caption(Quantity quantity);

// All six quantities as the core gives them.
struct Values
{
    double start = 0;
    double stop = 0;
    double center = 0;
    double span = 0;
    double step = 0;
    int32_t points = 1;

    VELT_EXPORT double of(Quantity quantity) const;
};

// A real in the general format with the decimal separator forced in (10 -> "10.0",
// 1E+20 -> "1.0E+20"); the number of points as a plain integer.
VELT_EXPORT QString renderReal(double value, const LocaleSeparators& separators = LocaleSeparators::current());
VELT_EXPORT QString render(Quantity quantity, const Values& values,
                           const LocaleSeparators& separators = LocaleSeparators::current());

// A typed quantity: reals are trimmed, blank is "cannot be blank", else they must convert; the
// number of points must convert to a 16-bit integer (blank too is "not a legal integer value").
VELT_EXPORT Parsed<double> parse(Quantity quantity, const QString& text,
                                 const LocaleSeparators& separators = LocaleSeparators::current());
// The structured face also refuses a negative span.
VELT_EXPORT QString spanMessage(); // "'Span value' must be greater than or equal to zero"

// The range row: "0.0, 10.0 :0.5 mV" (first + pair separator + " " + second + " " + marker +
// third, then " " + units when there are units).
VELT_EXPORT QString rowText(View view, const Values& values, const QString& units,
                            const LocaleSeparators& separators = LocaleSeparators::current());

// A row as typed, cut into its three texts. The separators typed choose the view: a pair
// separator of the other view, or the other marker (":" step, "#" points), switches that
// half; a half whose separator is missing keeps the given view. The pair is split at the
// first separator followed by a blank, else at the first separator. A trailing " " + units
// is removed first. Missing parts are empty (and read as blank).
struct RowParts
{
    View view{};
    std::array<QString, 3> texts{}; // in the order of quantitiesOf(view)
};
VELT_EXPORT RowParts splitRow(const QString& text, View view, const QString& units,
                              const LocaleSeparators& separators = LocaleSeparators::current());

// The dialog's summary from the texts of the view's three boxes (in the order of
// quantitiesOf()): the first message of the three, else "start, stop #points" /
// "center; span :step" (the start/stop pair with the list separator).
VELT_EXPORT StatusLine summary(View view, const std::array<QString, 3>& texts,
                               const LocaleSeparators& separators = LocaleSeparators::current());

} // namespace Velt::RangeRules
