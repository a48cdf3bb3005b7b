// The one place where text becomes a number and a number becomes text. Every editor parses and
// renders through here, so that all of them accept and show numbers the same way: the classic
// desktop runtime's locale-aware conversions (blanks around the number, a sign, the locale's
// group separators in the integer part and its decimal separator, an exponent, "&h"/"&o"
// bit patterns, halves rounded to even for integer targets, "Type mismatch" and "Overflow" as
// the failure descriptions), its Val()-like leading-number reading, its general number format
// and its scientific pattern. Widget-free and QtCore-only; the functions are pure apart from
// reading LocaleSeparators::current() when no separators are passed, and never allocate on
// the parsing path. Documented in docs/numeric-conversions.md.
#pragma once

#include "localeseparators.h"
#include "velt_export.h"

#include <QString>
#include <QStringView>

#include <cstdint>
#include <limits>

namespace Velt {

enum class ConversionError : std::uint8_t { None, TypeMismatch, Overflow };

// A converted value, or the reason the conversion failed (value 0 then).
template <typename T>
struct ConversionResult
{
    T value{};
    ConversionError error = ConversionError::None;

    constexpr bool ok() const noexcept { return error == ConversionError::None; }
    // "" on success, else "Type mismatch" or "Overflow": the text editors append to their
    // "is not a legal ..." messages.
    QString description() const;
};

using Int16Result = ConversionResult<std::int16_t>;
using Int32Result = ConversionResult<std::int32_t>;
using RealResult = ConversionResult<double>;

// How an integer is shown and which prefix its text gets when read back.
enum class IntegerView : std::uint8_t {
    Decimal,       // signed decimal digits
    Octal,         // "0" + octal digits of the 32-bit pattern
    VbOctal,       // "&o" + octal digits
    Hexadecimal,   // "0x" + upper-case hexadecimal digits of the 32-bit pattern
    VbHexadecimal  // "&h" + hexadecimal digits
};

class VELT_EXPORT NumericConversion
{
public:
    // Restriction bounds that mean "unbounded on that side". The real one is the double
    // nearest to 1.79769313486231E+308 (bit pattern 7FEFFFFFFFFFFFE2), just inside DBL_MAX,
    // so that it survives a round trip through the 15-digit rendering.
    static constexpr double RealUnbounded = 1.79769313486231E+308;
    static constexpr std::int32_t Int32UnboundedLow = std::numeric_limits<std::int32_t>::min();
    static constexpr std::int32_t Int32UnboundedHigh = std::numeric_limits<std::int32_t>::max();
    static constexpr int MaximumPrecision = 15;

    static bool isUnboundedLow(double bound) { return bound == -RealUnbounded; }
    static bool isUnboundedHigh(double bound) { return bound == RealUnbounded; }
    static bool isUnboundedLow(std::int32_t bound) { return bound == Int32UnboundedLow; }
    static bool isUnboundedHigh(std::int32_t bound) { return bound == Int32UnboundedHigh; }

    // Locale-aware text to number. Empty or malformed text is a type mismatch; a value out of
    // the target's range, or a "&h"/"&o" pattern wider than the target, is an overflow.
    // "&h"/"&o" give the target's bit pattern ("&hFFFF" is -1 as 16 bits, 65535 as 32);
    // the real target reads them as 32-bit patterns.
    static Int16Result toInt16(QStringView text);
    static Int16Result toInt16(QStringView text, const LocaleSeparators& separators);
    static Int32Result toInt32(QStringView text);
    static Int32Result toInt32(QStringView text, const LocaleSeparators& separators);
    static RealResult toReal(QStringView text);
    static RealResult toReal(QStringView text, const LocaleSeparators& separators);

    // A double to an integer target: halves to even; NaN, infinities and values out of range
    // are an overflow.
    static Int16Result roundToInt16(double value);
    static Int32Result roundToInt32(double value);

    // The number at the start of a text, as the classic Val() reads it: blanks, tabs and line
    // breaks are skipped anywhere, "." is always the decimal separator, reading stops at the
    // first character that cannot continue the number, and text without a number is 0.
    // "&h"/"&o" give a 16-bit pattern when the value fits 16 bits, else a 32-bit pattern.
    // Fails only with an overflow.
    static RealResult leadingValue(QStringView text);
    // leadingValue() then roundToInt32(): the value of a choice text such as "3 - Three".
    static Int32Result leadingInt32(QStringView text);

    // Integer views. normalizeIntegerText() trims the text and rewrites a leading "0x" to
    // "&h", another leading "0" (of a text of two or more characters) to "&o", and adds the
    // view's prefix to a text that does not start with "&" in the octal and hexadecimal views;
    // it is empty only for a blank text in the decimal view (the caller's "cannot be blank").
    static QString normalizeIntegerText(QStringView text, IntegerView view);
    static Int32Result parseInt32InView(QStringView text, IntegerView view);
    static Int32Result parseInt32InView(QStringView text, IntegerView view,
                                        const LocaleSeparators& separators);
    static QString formatInt32(std::int32_t value, IntegerView view);
    // Digits only: base 10 gives signed decimal, bases 2, 8 and 16 the digits of the 32-bit
    // two's-complement pattern without leading zeros (upper-case letters); other bases "".
    static QString formatInt32Digits(std::int32_t value, int base);

    // The general number format: up to 15 significant digits, plain for decimal exponents
    // -5 < e < 15, else d.dddE+xx with at least two exponent digits (1E+15, 1E-05). Zero of
    // either sign is "0"; NaN is "NaN" and the infinities "Infinity" and "-Infinity".
    static QString formatGeneral(double value);
    static QString formatGeneral(double value, const LocaleSeparators& separators);
    // formatGeneral() with the decimal separator forced in: when the mantissa has none,
    // separator + "0" is appended to it (10 -> "10.0", 1E+20 -> "1.0E+20"). Non-finite values
    // are rendered as by formatGeneral().
    static QString formatForcedDecimal(double value);
    static QString formatForcedDecimal(double value, const LocaleSeparators& separators);
    // The pattern "0." + precision zeros + "E+00": one mantissa digit, exactly `precision`
    // digits after the separator (0 omits the separator), "E", a sign and two or more exponent
    // digits. The 15 significant digits of the general format are rounded half away from
    // zero. Precision is clamped to 0..15.
    static QString formatScientific(double value, int precision);
    static QString formatScientific(double value, int precision,
                                    const LocaleSeparators& separators);
    // The real editors' rendering: precision 0 (or below) is formatForcedDecimal(),
    // 1..15 is formatScientific(), above 15 is taken as 15.
    static QString formatReal(double value, int precision);
    static QString formatReal(double value, int precision, const LocaleSeparators& separators);

    static QString errorDescription(ConversionError error);
};

template <typename T>
QString ConversionResult<T>::description() const
{
    return NumericConversion::errorDescription(error);
}

} // namespace Velt
