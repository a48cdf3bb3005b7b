// Real64Rules: the real editor's rules, shared by its dialog face (Real64Editor's controls)
// and its structured face: reading a value, rendering it with a display precision, checking it
// against a restriction, validating a precision, the status line and every message the editor
// shows. Widget-free and core-free: numbers go through NumericConversion, texts are built here
// and nowhere else.
#pragma once

#include "numericconversion.h"
#include "velt_export.h"

#include <QString>
#include <QStringList>

#include <cstdint>

namespace Velt::Real64Rules {

inline const QString ValueCaption = QStringLiteral("Value");
inline const QString LowCaption = QStringLiteral("Low value");
inline const QString HighCaption = QStringLiteral("High value");

// Choices of the structured "Style" field.
inline const QString StylePlain = QStringLiteral("Value is 64-bit real");
inline const QString StyleRestricted = QStringLiteral("Value is Restricted");
VELT_EXPORT QStringList styleNames();

inline constexpr double Unbounded = NumericConversion::RealUnbounded;

// Messages.
VELT_EXPORT QString blankMessage(const QString& caption);
VELT_EXPORT QString notLegalNumberMessage(const QString& caption, const QString& description);
VELT_EXPORT QString lowAboveHighMessage();
VELT_EXPORT QString highBelowLowMessage();

struct Parsed
{
    double value = 0;
    QString error; // "" when the text was read
    bool ok() const { return error.isEmpty(); }
};
// Locale-aware: a sign, group separators, the locale's decimal separator and an exponent.
VELT_EXPORT Parsed parseRealText(const QString& caption, const QString& text);

// Precision 0: the general rendering with the decimal separator forced in (12 -> "12.0");
// 1 to 15 (more is taken as 15): "0." + that many zeros + "E+00".
VELT_EXPORT QString formatRealText(double value, int precision);

// "" when value lies within low..high; otherwise why not, with the bound rendered in the
// precision. low > high is reported even when value is inside.
VELT_EXPORT QString checkRealRestriction(double value, int precision, double low, double high);
// "1.0 <= Value <= 2.0": the bounded sides only.
VELT_EXPORT QString restrictionSummary(double low, double high, int precision);
// A bound in the precision, or "" when it is the unbounded value of its side.
VELT_EXPORT QString lowBoundText(double low, int precision);
VELT_EXPORT QString highBoundText(double high, int precision);
VELT_EXPORT bool isFullRange(double low, double high);

struct Precision
{
    int precision = 0;
    QString error;
    bool ok() const { return error.isEmpty(); }
};
// Blank is 0; otherwise a 16-bit integer (halves to even) from 0 to 15.
VELT_EXPORT Precision validatePrecision(const QString& text);
VELT_EXPORT QString precisionText(int precision); // "" for 0

struct Messages
{
    QString error;
    QString status;
};
// The dialog's status line: the restriction error of the value, else the entry with units.
VELT_EXPORT Messages realStatus(double value, int precision, double low, double high,
                                const QString& entryText, const QString& units);

// The root line: "12.0 V".
VELT_EXPORT QString valueFieldText(double value, int precision, const QString& units);
// A root line's text without the units it was shown with.
VELT_EXPORT QString stripUnits(const QString& text, const QString& units);

} // namespace Velt::Real64Rules
