// Fuzz target: any text given to the numeric conversions parses or fails with a type mismatch or
// an overflow, never crashes, and whatever parses renders to text that reads back consistently.
// The first byte picks the locale's separators, the rest is the text (UTF-8).
#include "localeseparators.h"
#include "numericconversion.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <iterator>

using namespace Velt;

namespace {

void check(bool condition)
{
    if (!condition)
        std::abort();
}

const LocaleSeparators separatorChoices[] = {
    {u'.', u',', u','},
    {u',', u'.', u';'},
    {u',', QChar(0x202F), u';'},
    {u',', QChar(0x00A0), u';'},
    {u'.', QChar(0x2019), u','},
    {u'.', u'\'', u','},
};

void checkRendering(double value, const LocaleSeparators& separators)
{
    for (int precision = -1; precision <= 16; ++precision) {
        const QString shown = NumericConversion::formatReal(value, precision, separators);
        check(!shown.isEmpty());
        const RealResult back = NumericConversion::toReal(shown, separators);
        if (!back.ok()) {
            // Only rounding the mantissa up (1.75E+308 shown as 1.8E+308) can leave the doubles.
            check(back.error == ConversionError::Overflow);
            check(std::fabs(value) >= 1.7e308);
            continue;
        }
        if (precision <= 0 || precision >= 15)
            check(NumericConversion::formatReal(back.value, precision, separators) == shown);
    }
    NumericConversion::formatGeneral(value, separators);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    const LocaleSeparators& separators = separatorChoices[data[0] % std::size(separatorChoices)];
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data + 1),
                                           static_cast<qsizetype>(size - 1));
    const LocaleSeparators::Override locale(separators);

    const Int16Result i16 = NumericConversion::toInt16(text);
    const Int32Result i32 = NumericConversion::toInt32(text);
    const RealResult real = NumericConversion::toReal(text);
    check(i16.ok() || i16.value == 0);
    check(i32.ok() || i32.value == 0);
    check(real.ok() || real.value == 0.0);
    const bool pattern = text.trimmed().startsWith(u'&');
    if (i16.ok() && !pattern)
        check(i32.ok() && i32.value == i16.value);
    if (i32.ok())
        check(real.ok() && (pattern ? real.value == i32.value : std::fabs(real.value - i32.value) <= 0.5 + 1e-6));
    if (real.ok())
        checkRendering(real.value, separators);

    const RealResult leading = NumericConversion::leadingValue(text);
    check(leading.error != ConversionError::TypeMismatch);
    NumericConversion::leadingInt32(text);

    for (IntegerView view : {IntegerView::Decimal, IntegerView::Octal, IntegerView::VbOctal,
                             IntegerView::Hexadecimal, IntegerView::VbHexadecimal}) {
        const Int32Result parsed = NumericConversion::parseInt32InView(text, view);
        if (!parsed.ok())
            continue;
        const QString shown = NumericConversion::formatInt32(parsed.value, view);
        const Int32Result back = NumericConversion::parseInt32InView(shown, view);
        check(back.ok() && back.value == parsed.value);
    }
    return 0;
}
