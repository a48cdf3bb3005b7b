// Real64Rules: the real editor's rules, shared by its dialog face (Real64Editor's controls)
// and its structured face: reading a value, rendering it with a display precision, validating
// a precision, the status line, and the traits through which the shared restriction rules
// handle reals. Widget-free and core-free: numbers go through NumericConversion.
#pragma once

#include "numericconversion.h"
#include "restrictionrules.h"
#include "velt_export.h"

#include <QString>
#include <QStringList>

#include <cstdint>

namespace Velt::Real64Rules {

// Choices of the structured "Style" field.
inline const QString StylePlain = QStringLiteral("Value is 64-bit real");
VELT_EXPORT QStringList styleNames();

inline constexpr double Unbounded = NumericConversion::RealUnbounded;

// Locale-aware: a sign, group separators, the locale's decimal separator and an exponent.
VELT_EXPORT Parsed<double> parseRealText(const QString& caption, const QString& text);

// Precision 0: the general rendering with the decimal separator forced in (12 -> "12.0");
// 1 to 15 (more is taken as 15): "0." + that many zeros + "E+00".
VELT_EXPORT QString formatRealText(double value, int precision);

// How the shared restriction rules read, render and bound reals: bounds are rendered in the
// item's precision, the unbounded values are just inside the largest double.
struct Traits
{
    using Value = double;
    using Rendering = int; // the precision
    static constexpr double UnboundedLow = -Unbounded;
    static constexpr double UnboundedHigh = Unbounded;
    static QString format(double value, int precision) { return formatRealText(value, precision); }
    static QString boundNote(double, int) { return QString(); }
    static Parsed<double> parse(const QString& caption, const QString& text, int)
    {
        return parseRealText(caption, text);
    }
    // The root line ("12.0 V"), and its text without the units it was shown with.
    VELT_EXPORT static QString valueText(double value, int precision, const QString& units);
    VELT_EXPORT static QString stripDecorations(const QString& text, int precision,
                                                const QString& units);
};
using Restriction = RestrictionRules<Traits>;

// Blank is 0; otherwise a 16-bit integer (halves to even) from 0 to 15.
VELT_EXPORT Parsed<int> validatePrecision(const QString& text);
VELT_EXPORT QString precisionText(int precision); // "" for 0

// The dialog's status line: the restriction error of the value, else the entry with units.
VELT_EXPORT StatusLine realStatus(double value, int precision, Bounds<double> bounds,
                                const QString& entryText, const QString& units);

} // namespace Velt::Real64Rules
