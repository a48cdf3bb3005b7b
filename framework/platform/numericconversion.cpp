#include "numericconversion.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstring>

namespace Velt {

namespace {

// Digits kept for the real conversion. Deciding the correctly rounded double of a decimal needs
// at most 768 significant digits; any further ones only matter as "something non-zero follows",
// which one extra "1" digit conveys.
constexpr int MaxStoredDigits = 800;
// Exponents beyond this already overflow or underflow every target; saturating here keeps the
// arithmetic on exponents far from the int64 limits whatever the text.
constexpr std::int64_t ExponentCap = 1'000'000'000;
constexpr std::uint64_t Pattern32 = 0xFFFFFFFFu;
constexpr std::uint64_t Pattern16 = 0xFFFFu;

bool isAsciiDigit(char16_t c)
{
    return c >= u'0' && c <= u'9';
}

// The value of c as a digit of base 8 or 16 (either letter case), or -1.
int patternDigit(char16_t c, int base)
{
    int value = -1;
    if (c >= u'0' && c <= u'9')
        value = c - u'0';
    else if (c >= u'a' && c <= u'f')
        value = c - u'a' + 10;
    else if (c >= u'A' && c <= u'F')
        value = c - u'A' + 10;
    return value < base ? value : -1;
}

// A decimal number as its significant digits: magnitude = 0.d1 d2 ... dn × 10^pointPosition,
// with d1 != 0 (no digits at all means zero).
struct DecimalDigits
{
    std::array<char, MaxStoredDigits> digits;
    int count = 0;
    bool droppedNonZero = false; // a non-zero digit beyond the stored ones
    std::int64_t pointPosition = 0;
    bool negative = false;

    bool isZero() const { return count == 0; }

    void addIntegerDigit(char16_t c)
    {
        if (count == 0 && c == u'0')
            return;
        addSignificant(c);
        ++pointPosition;
    }
    void addFractionDigit(char16_t c)
    {
        if (count == 0 && c == u'0') {
            --pointPosition;
            return;
        }
        addSignificant(c);
    }
    void addExponent(std::int64_t exponent) { pointPosition += exponent; }

private:
    void addSignificant(char16_t c)
    {
        if (count < MaxStoredDigits)
            digits[static_cast<std::size_t>(count++)] = static_cast<char>(c);
        else if (c != u'0')
            droppedNonZero = true;
    }
};

// "&h"/"&o" digits, with the value saturated once it is wider than 32 bits.
struct Pattern
{
    std::uint64_t value = 0;
    bool wide = false;

    void add(int digit, int shift)
    {
        if (wide)
            return;
        value = (value << shift) | static_cast<std::uint64_t>(digit);
        wide = value > Pattern32;
    }
};

struct ParsedNumber
{
    bool isPattern = false;
    Pattern pattern;
    DecimalDigits decimal;
};

// Reads exponent digits from text[i..], saturating; returns the index after them.
qsizetype readExponentDigits(QStringView text, qsizetype i, std::int64_t& exponent)
{
    exponent = 0;
    for (; i < text.size() && isAsciiDigit(text[i].unicode()); ++i) {
        if (exponent < ExponentCap)
            exponent = exponent * 10 + (text[i].unicode() - u'0');
    }
    return i;
}

// The locale-aware grammar: blanks, then "&h"/"&o" with digits, or an optional sign, digits
// with group separators (after the first digit), an optional decimal separator with digits,
// and an optional exponent; then blanks. False for anything else.
bool scanLocaleNumber(QStringView text, const LocaleSeparators& separators, ParsedNumber& out)
{
    text = text.trimmed();
    const qsizetype n = text.size();
    if (n == 0)
        return false;
    qsizetype i = 0;
    if (text[0] == u'&') {
        if (n < 3)
            return false;
        const char16_t kind = text[1].unicode();
        const int base = (kind == u'h' || kind == u'H') ? 16 : (kind == u'o' || kind == u'O') ? 8 : 0;
        if (base == 0)
            return false;
        const int shift = base == 16 ? 4 : 3;
        for (i = 2; i < n; ++i) {
            const int digit = patternDigit(text[i].unicode(), base);
            if (digit < 0)
                return false;
            out.pattern.add(digit, shift);
        }
        out.isPattern = true;
        return true;
    }

    DecimalDigits& number = out.decimal;
    if (text[0] == u'+' || text[0] == u'-') {
        number.negative = text[0] == u'-';
        ++i;
    }
    bool anyDigit = false;
    for (; i < n; ++i) {
        const QChar c = text[i];
        if (isAsciiDigit(c.unicode())) {
            number.addIntegerDigit(c.unicode());
            anyDigit = true;
        } else if (c == separators.decimal || !(c == separators.group && anyDigit)) {
            break;
        }
    }
    if (i < n && text[i] == separators.decimal) {
        for (++i; i < n && isAsciiDigit(text[i].unicode()); ++i) {
            number.addFractionDigit(text[i].unicode());
            anyDigit = true;
        }
    }
    if (!anyDigit)
        return false;
    if (i < n && (text[i] == u'e' || text[i] == u'E')) {
        ++i;
        bool negativeExponent = false;
        if (i < n && (text[i] == u'+' || text[i] == u'-')) {
            negativeExponent = text[i] == u'-';
            ++i;
        }
        if (i == n || !isAsciiDigit(text[i].unicode()))
            return false;
        std::int64_t exponent = 0;
        i = readExponentDigits(text, i, exponent);
        number.addExponent(negativeExponent ? -exponent : exponent);
    }
    return i == n;
}

// The magnitude rounded half to even, or false when it exceeds limit (limit < 10^10).
bool roundedMagnitude(const DecimalDigits& number, std::uint64_t limit, std::uint64_t& out)
{
    out = 0;
    if (number.isZero())
        return true;
    const std::int64_t point = number.pointPosition;
    if (point > 10) // at least 10^10
        return false;
    std::uint64_t integer = 0;
    for (std::int64_t k = 0; k < point; ++k)
        integer = integer * 10 + (k < number.count ? static_cast<unsigned>(number.digits[k] - '0') : 0u);
    int roundDigit = 0;
    bool sticky = number.droppedNonZero;
    if (point < 0) {
        sticky = true; // below 0.1: rounds to 0 whatever follows
    } else if (point < number.count) {
        roundDigit = number.digits[static_cast<std::size_t>(point)] - '0';
        for (std::int64_t k = point + 1; k < number.count && !sticky; ++k)
            sticky = number.digits[static_cast<std::size_t>(k)] != '0';
    }
    if (roundDigit > 5 || (roundDigit == 5 && (sticky || (integer & 1u) != 0)))
        ++integer;
    if (integer > limit)
        return false;
    out = integer;
    return true;
}

// The correctly rounded double, or false on overflow. Zero is always +0.
bool decimalToDouble(const DecimalDigits& number, double& out)
{
    out = 0.0;
    if (number.isZero())
        return true;
    if (number.pointPosition > 310) // at least 10^309
        return false;
    if (number.pointPosition < -330) // below 10^-330: rounds to zero
        return true;
    std::array<char, MaxStoredDigits + 32> buffer;
    char* p = buffer.data();
    *p++ = '0';
    *p++ = '.';
    std::memcpy(p, number.digits.data(), static_cast<std::size_t>(number.count));
    p += number.count;
    if (number.droppedNonZero)
        *p++ = '1';
    *p++ = 'e';
    const auto written = std::to_chars(p, buffer.data() + buffer.size(), number.pointPosition);
    p = written.ptr;
    double magnitude = 0.0;
    const auto parsed = std::from_chars(buffer.data(), p, magnitude);
    if (parsed.ec == std::errc::result_out_of_range) {
        if (number.pointPosition > 0)
            return false;
        magnitude = 0.0;
    } else if (parsed.ec != std::errc()) {
        return false;
    }
    if (!std::isfinite(magnitude))
        return false;
    out = magnitude == 0.0 ? 0.0 : (number.negative ? -magnitude : magnitude);
    return true;
}

template <typename T>
ConversionResult<T> failure(ConversionError error)
{
    return ConversionResult<T>{T{}, error};
}

// Decimal text to a signed integer target of `bits` bits; patterns as that many bits.
template <typename T>
ConversionResult<T> toInteger(QStringView text, const LocaleSeparators& separators)
{
    constexpr std::uint64_t positiveLimit = static_cast<std::uint64_t>(std::numeric_limits<T>::max());
    constexpr std::uint64_t patternMask = sizeof(T) == 2 ? Pattern16 : Pattern32;
    ParsedNumber parsed;
    if (!scanLocaleNumber(text, separators, parsed))
        return failure<T>(ConversionError::TypeMismatch);
    if (parsed.isPattern) {
        if (parsed.pattern.wide || parsed.pattern.value > patternMask)
            return failure<T>(ConversionError::Overflow);
        using Unsigned = std::make_unsigned_t<T>;
        return ConversionResult<T>{static_cast<T>(static_cast<Unsigned>(parsed.pattern.value)),
                                   ConversionError::None};
    }
    const bool negative = parsed.decimal.negative;
    std::uint64_t magnitude = 0;
    if (!roundedMagnitude(parsed.decimal, positiveLimit + (negative ? 1 : 0), magnitude))
        return failure<T>(ConversionError::Overflow);
    const std::int64_t value = negative ? -static_cast<std::int64_t>(magnitude)
                                        : static_cast<std::int64_t>(magnitude);
    return ConversionResult<T>{static_cast<T>(value), ConversionError::None};
}

template <typename T>
ConversionResult<T> roundToInteger(double value)
{
    const double rounded = std::nearbyint(value); // the default mode: halves to even
    if (!(rounded >= static_cast<double>(std::numeric_limits<T>::min())
          && rounded <= static_cast<double>(std::numeric_limits<T>::max())))
        return failure<T>(ConversionError::Overflow);
    return ConversionResult<T>{static_cast<T>(rounded), ConversionError::None};
}

// A 32-bit pattern read by Val(): 16-bit when it fits, else 32-bit.
double valPattern(std::uint64_t pattern)
{
    if (pattern <= Pattern16)
        return static_cast<std::int16_t>(static_cast<std::uint16_t>(pattern));
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(pattern));
}

// The text as Val() sees it: blanks, tabs and line breaks are invisible.
class ValCursor
{
public:
    explicit ValCursor(QStringView text) : m_text(text) { skip(); }
    bool atEnd() const { return m_index >= m_text.size(); }
    char16_t peek() const { return atEnd() ? u'\0' : m_text[m_index].unicode(); }
    void advance()
    {
        ++m_index;
        skip();
    }

private:
    void skip()
    {
        while (!atEnd()) {
            const char16_t c = m_text[m_index].unicode();
            if (c != u' ' && c != u'\t' && c != u'\n' && c != u'\r')
                break;
            ++m_index;
        }
    }
    QStringView m_text;
    qsizetype m_index = 0;
};

// Up to 15 significant digits of a finite, non-zero magnitude and its decimal exponent:
// magnitude ≈ d0.d1d2... × 10^exponent, rounded to 15 digits.
struct SignificantDigits
{
    std::array<char, 15> digits;
    int exponent = 0;
};

SignificantDigits significantDigits(double magnitude)
{
    SignificantDigits result;
    std::array<char, 40> buffer;
    const auto written = std::to_chars(buffer.data(), buffer.data() + buffer.size(), magnitude,
                                       std::chars_format::scientific, 14);
    // "d.dddddddddddddde+xx"
    result.digits[0] = buffer[0];
    std::memcpy(result.digits.data() + 1, buffer.data() + 2, 14);
    const char* e = buffer.data() + 16;
    std::from_chars(e[1] == '+' ? e + 2 : e + 1, written.ptr, result.exponent);
    return result;
}

// Accumulates a rendering in a fixed buffer; no rendering here is longer than 64 units.
class TextBuilder
{
public:
    void append(char16_t c)
    {
        if (m_size < m_buffer.size())
            m_buffer[m_size++] = c;
    }
    void append(QChar c) { append(c.unicode()); }
    void appendAscii(const char* first, const char* last)
    {
        for (; first != last; ++first)
            append(static_cast<char16_t>(*first));
    }
    void appendRepeated(char16_t c, std::int64_t count)
    {
        for (std::int64_t k = 0; k < count; ++k)
            append(c);
    }
    void appendExponent(int exponent)
    {
        append(u'E');
        append(exponent < 0 ? u'-' : u'+');
        const int magnitude = exponent < 0 ? -exponent : exponent;
        if (magnitude < 10)
            append(u'0');
        std::array<char, 8> digits;
        const auto written = std::to_chars(digits.data(), digits.data() + digits.size(), magnitude);
        appendAscii(digits.data(), written.ptr);
    }
    QString toString() const { return QString(reinterpret_cast<const QChar*>(m_buffer.data()), static_cast<qsizetype>(m_size)); }

private:
    std::array<char16_t, 64> m_buffer;
    std::size_t m_size = 0;
};

QString nonFinite(double value)
{
    if (std::isnan(value))
        return QStringLiteral("NaN");
    return value < 0 ? QStringLiteral("-Infinity") : QStringLiteral("Infinity");
}

} // namespace

Int16Result NumericConversion::toInt16(QStringView text)
{
    return toInt16(text, LocaleSeparators::current());
}

Int16Result NumericConversion::toInt16(QStringView text, const LocaleSeparators& separators)
{
    return toInteger<std::int16_t>(text, separators);
}

Int32Result NumericConversion::toInt32(QStringView text)
{
    return toInt32(text, LocaleSeparators::current());
}

Int32Result NumericConversion::toInt32(QStringView text, const LocaleSeparators& separators)
{
    return toInteger<std::int32_t>(text, separators);
}

RealResult NumericConversion::toReal(QStringView text)
{
    return toReal(text, LocaleSeparators::current());
}

RealResult NumericConversion::toReal(QStringView text, const LocaleSeparators& separators)
{
    ParsedNumber parsed;
    if (!scanLocaleNumber(text, separators, parsed))
        return failure<double>(ConversionError::TypeMismatch);
    if (parsed.isPattern) {
        if (parsed.pattern.wide)
            return failure<double>(ConversionError::Overflow);
        return RealResult{static_cast<double>(static_cast<std::int32_t>(static_cast<std::uint32_t>(parsed.pattern.value))),
                          ConversionError::None};
    }
    double value = 0.0;
    if (!decimalToDouble(parsed.decimal, value))
        return failure<double>(ConversionError::Overflow);
    return RealResult{value, ConversionError::None};
}

Int16Result NumericConversion::roundToInt16(double value)
{
    return roundToInteger<std::int16_t>(value);
}

Int32Result NumericConversion::roundToInt32(double value)
{
    return roundToInteger<std::int32_t>(value);
}

RealResult NumericConversion::leadingValue(QStringView text)
{
    ValCursor cursor(text);
    if (cursor.peek() == u'&') {
        cursor.advance();
        const char16_t kind = cursor.peek();
        const int base = (kind == u'h' || kind == u'H') ? 16 : (kind == u'o' || kind == u'O') ? 8 : 0;
        if (base == 0)
            return RealResult{};
        cursor.advance();
        Pattern pattern;
        for (int digit = patternDigit(cursor.peek(), base); digit >= 0;
             digit = patternDigit(cursor.peek(), base)) {
            pattern.add(digit, base == 16 ? 4 : 3);
            cursor.advance();
        }
        if (pattern.wide)
            return failure<double>(ConversionError::Overflow);
        return RealResult{valPattern(pattern.value), ConversionError::None};
    }

    DecimalDigits number;
    if (cursor.peek() == u'+' || cursor.peek() == u'-') {
        number.negative = cursor.peek() == u'-';
        cursor.advance();
    }
    for (; isAsciiDigit(cursor.peek()); cursor.advance())
        number.addIntegerDigit(cursor.peek());
    if (cursor.peek() == u'.') {
        for (cursor.advance(); isAsciiDigit(cursor.peek()); cursor.advance())
            number.addFractionDigit(cursor.peek());
    }
    // An exponent letter counts only when digits follow it (after an optional sign).
    const char16_t letter = cursor.peek();
    if (letter == u'e' || letter == u'E' || letter == u'd' || letter == u'D') {
        ValCursor look = cursor;
        look.advance();
        bool negativeExponent = false;
        if (look.peek() == u'+' || look.peek() == u'-') {
            negativeExponent = look.peek() == u'-';
            look.advance();
        }
        if (isAsciiDigit(look.peek())) {
            std::int64_t exponent = 0;
            for (; isAsciiDigit(look.peek()); look.advance()) {
                if (exponent < ExponentCap)
                    exponent = exponent * 10 + (look.peek() - u'0');
            }
            number.addExponent(negativeExponent ? -exponent : exponent);
        }
    }
    double value = 0.0;
    if (!decimalToDouble(number, value))
        return failure<double>(ConversionError::Overflow);
    return RealResult{value, ConversionError::None};
}

Int32Result NumericConversion::leadingInt32(QStringView text)
{
    const RealResult value = leadingValue(text);
    if (!value.ok())
        return failure<std::int32_t>(value.error);
    return roundToInt32(value.value);
}

QString NumericConversion::normalizeIntegerText(QStringView text, IntegerView view)
{
    QString result = text.trimmed().toString();
    if (result.startsWith(u"0x"))
        result.replace(0, 2, QStringLiteral("&h"));
    else if (result.size() >= 2 && result.front() == u'0')
        result.replace(0, 1, QStringLiteral("&o"));
    if (!result.startsWith(u'&')) {
        if (view == IntegerView::Octal || view == IntegerView::VbOctal)
            result.prepend(QStringLiteral("&o"));
        else if (view == IntegerView::Hexadecimal || view == IntegerView::VbHexadecimal)
            result.prepend(QStringLiteral("&h"));
    }
    return result;
}

Int32Result NumericConversion::parseInt32InView(QStringView text, IntegerView view)
{
    return parseInt32InView(text, view, LocaleSeparators::current());
}

Int32Result NumericConversion::parseInt32InView(QStringView text, IntegerView view,
                                                const LocaleSeparators& separators)
{
    return toInt32(normalizeIntegerText(text, view), separators);
}

QString NumericConversion::formatInt32(std::int32_t value, IntegerView view)
{
    switch (view) {
    case IntegerView::Decimal:
        return formatInt32Digits(value, 10);
    case IntegerView::Octal:
        return QStringLiteral("0") + formatInt32Digits(value, 8);
    case IntegerView::VbOctal:
        return QStringLiteral("&o") + formatInt32Digits(value, 8);
    case IntegerView::Hexadecimal:
        return QStringLiteral("0x") + formatInt32Digits(value, 16);
    case IntegerView::VbHexadecimal:
        return QStringLiteral("&h") + formatInt32Digits(value, 16);
    }
    return QString();
}

QString NumericConversion::formatInt32Digits(std::int32_t value, int base)
{
    if (base == 10)
        return QString::number(value);
    if (base != 2 && base != 8 && base != 16)
        return QString();
    std::array<char, 33> digits;
    const auto written = std::to_chars(digits.data(), digits.data() + digits.size(),
                                       static_cast<std::uint32_t>(value), base);
    QString result = QString::fromLatin1(digits.data(), written.ptr - digits.data());
    return base == 16 ? result.toUpper() : result;
}

QString NumericConversion::formatGeneral(double value)
{
    return formatGeneral(value, LocaleSeparators::current());
}

QString NumericConversion::formatGeneral(double value, const LocaleSeparators& separators)
{
    if (!std::isfinite(value))
        return nonFinite(value);
    if (value == 0.0)
        return QStringLiteral("0");
    const SignificantDigits significant = significantDigits(std::fabs(value));
    int count = 15;
    while (count > 1 && significant.digits[static_cast<std::size_t>(count - 1)] == '0')
        --count;
    const char* digits = significant.digits.data();
    const int exponent = significant.exponent;

    TextBuilder text;
    if (value < 0)
        text.append(u'-');
    if (exponent >= 15 || exponent <= -5) {
        text.append(static_cast<char16_t>(digits[0]));
        if (count > 1) {
            text.append(separators.decimal);
            text.appendAscii(digits + 1, digits + count);
        }
        text.appendExponent(exponent);
    } else if (exponent >= 0) {
        const int integerDigits = exponent + 1;
        text.appendAscii(digits, digits + std::min(count, integerDigits));
        text.appendRepeated(u'0', integerDigits - count);
        if (count > integerDigits) {
            text.append(separators.decimal);
            text.appendAscii(digits + integerDigits, digits + count);
        }
    } else {
        text.append(u'0');
        text.append(separators.decimal);
        text.appendRepeated(u'0', -exponent - 1);
        text.appendAscii(digits, digits + count);
    }
    return text.toString();
}

QString NumericConversion::formatForcedDecimal(double value)
{
    return formatForcedDecimal(value, LocaleSeparators::current());
}

QString NumericConversion::formatForcedDecimal(double value, const LocaleSeparators& separators)
{
    QString text = formatGeneral(value, separators);
    if (!std::isfinite(value))
        return text;
    qsizetype mantissaEnd = text.indexOf(u'E');
    if (mantissaEnd < 0)
        mantissaEnd = text.size();
    if (!QStringView(text).first(mantissaEnd).contains(separators.decimal))
        text.insert(mantissaEnd, QString(separators.decimal) + u'0');
    return text;
}

QString NumericConversion::formatScientific(double value, int precision)
{
    return formatScientific(value, precision, LocaleSeparators::current());
}

QString NumericConversion::formatScientific(double value, int precision,
                                            const LocaleSeparators& separators)
{
    if (!std::isfinite(value))
        return nonFinite(value);
    precision = std::clamp(precision, 0, MaximumPrecision);
    // One mantissa digit and `precision` more: up to 16, the last of them beyond the 15
    // significant digits and so always 0.
    std::array<char, 16> mantissa;
    mantissa.fill('0');
    int exponent = 0;
    if (value != 0.0) {
        const SignificantDigits significant = significantDigits(std::fabs(value));
        std::memcpy(mantissa.data(), significant.digits.data(), 15);
        exponent = significant.exponent;
        const int kept = precision + 1;
        if (kept < 15 && mantissa[static_cast<std::size_t>(kept)] >= '5') {
            int k = kept - 1;
            for (; k >= 0 && mantissa[static_cast<std::size_t>(k)] == '9'; --k)
                mantissa[static_cast<std::size_t>(k)] = '0';
            if (k >= 0) {
                ++mantissa[static_cast<std::size_t>(k)];
            } else {
                mantissa[0] = '1';
                ++exponent;
            }
        }
    }
    TextBuilder text;
    if (value < 0)
        text.append(u'-');
    text.append(static_cast<char16_t>(mantissa[0]));
    if (precision > 0) {
        text.append(separators.decimal);
        text.appendAscii(mantissa.data() + 1, mantissa.data() + 1 + precision);
    }
    text.appendExponent(exponent);
    return text.toString();
}

QString NumericConversion::formatReal(double value, int precision)
{
    return formatReal(value, precision, LocaleSeparators::current());
}

QString NumericConversion::formatReal(double value, int precision,
                                      const LocaleSeparators& separators)
{
    if (precision <= 0)
        return formatForcedDecimal(value, separators);
    return formatScientific(value, precision, separators);
}

QString NumericConversion::errorDescription(ConversionError error)
{
    switch (error) {
    case ConversionError::None:
        return QString();
    case ConversionError::TypeMismatch:
        return QStringLiteral("Type mismatch");
    case ConversionError::Overflow:
        return QStringLiteral("Overflow");
    }
    return QString();
}

} // namespace Velt
