// Tests of NumericConversion: parsing in the three targets, the Val()-like reading, the integer
// views, the renderings of reals, the unbounded values, a comma-decimal locale, and properties
// over random texts and random doubles.
#include "numericconversion.h"

#include <QRandomGenerator>
#include <QTest>

#include <bit>
#include <cfloat>
#include <cmath>
#include <limits>
#include <memory>

using namespace Velt;

Q_DECLARE_METATYPE(Velt::ConversionError)
Q_DECLARE_METATYPE(Velt::IntegerView)

namespace {

const double Inf = std::numeric_limits<double>::infinity();
const double NaN = std::numeric_limits<double>::quiet_NaN();

QString repeated(QChar c, int count)
{
    return QString(count, c);
}

// Exact equality of doubles, the sign of zero included.
bool sameDouble(double a, double b)
{
    return std::bit_cast<quint64>(a) == std::bit_cast<quint64>(b);
}

QByteArray describe(double value)
{
    return QByteArray::number(value, 'g', 17) + " (0x"
        + QByteArray::number(std::bit_cast<quint64>(value), 16) + ")";
}

const ConversionError None = ConversionError::None;
const ConversionError Mismatch = ConversionError::TypeMismatch;
const ConversionError Overflow = ConversionError::Overflow;

} // namespace

class NumericConversionTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void toInt16_data();
    void toInt16();
    void toInt32_data();
    void toInt32();
    void toReal_data();
    void toReal();
    void failureDescription_data();
    void failureDescription();
    void roundToInteger_data();
    void roundToInteger();
    void leadingValue_data();
    void leadingValue();
    void leadingInt32_data();
    void leadingInt32();
    void parseInt32InView_data();
    void parseInt32InView();
    void formatInt32_data();
    void formatInt32();
    void integerViewRoundTrip();
    void formatInt32Digits_data();
    void formatInt32Digits();
    void formatGeneral_data();
    void formatGeneral();
    void formatForcedDecimal_data();
    void formatForcedDecimal();
    void formatScientific_data();
    void formatScientific();
    void formatReal_data();
    void formatReal();
    void unboundedValues();
    void commaLocaleParsing_data();
    void commaLocaleParsing();
    void commaLocaleRendering();
    void randomTexts();
    void randomDoubles();

private:
    std::unique_ptr<LocaleSeparators::Override> m_locale;
};

void NumericConversionTest::init()
{
    // Every test but the comma-locale ones runs with "." and ",", whatever the machine's locale.
    m_locale = std::make_unique<LocaleSeparators::Override>(u'.', u',');
}

void NumericConversionTest::cleanup()
{
    m_locale.reset();
}

void NumericConversionTest::toInt16_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("value");
    QTest::addColumn<ConversionError>("error");

    QTest::newRow("zero") << "0" << 0 << None;
    QTest::newRow("blanks around") << " \t 12 \t" << 12 << None;
    QTest::newRow("plus") << "+7" << 7 << None;
    QTest::newRow("minus") << "-7" << -7 << None;
    QTest::newRow("minus zero") << "-0" << 0 << None;
    QTest::newRow("group") << "1,234" << 1234 << None;
    QTest::newRow("groups anywhere") << "1,2,3" << 123 << None;
    QTest::newRow("trailing group") << "12," << 12 << None;
    QTest::newRow("leading zeros") << "0000000000000000000000000001" << 1 << None;
    QTest::newRow("max") << "32767" << 32767 << None;
    QTest::newRow("max+1") << "32768" << 0 << Overflow;
    QTest::newRow("min") << "-32768" << -32768 << None;
    QTest::newRow("min-1") << "-32769" << 0 << Overflow;
    QTest::newRow("max rounds down") << "32767.4" << 32767 << None;
    QTest::newRow("max rounds over") << "32767.5" << 0 << Overflow;
    QTest::newRow("min tie stays") << "-32768.5" << -32768 << None;
    QTest::newRow("min beyond tie") << "-32768.50001" << 0 << Overflow;
    QTest::newRow("2.5 to even") << "2.5" << 2 << None;
    QTest::newRow("3.5 to even") << "3.5" << 4 << None;
    QTest::newRow("-2.5 to even") << "-2.5" << -2 << None;
    QTest::newRow("-3.5 to even") << "-3.5" << -4 << None;
    QTest::newRow("0.5 to even") << "0.5" << 0 << None;
    QTest::newRow("1.5 to even") << "1.5" << 2 << None;
    QTest::newRow("above tie") << "2.5000001" << 3 << None;
    QTest::newRow("below tie") << "2.4999999" << 2 << None;
    QTest::newRow("far above tie") << "2.5" + repeated(u'0', 2000) + "1" << 3 << None;
    QTest::newRow("no integer digits") << ".5" << 0 << None;
    QTest::newRow(".51") << ".51" << 1 << None;
    QTest::newRow("no fraction digits") << "5." << 5 << None;
    QTest::newRow("exponent") << "1e3" << 1000 << None;
    QTest::newRow("exponent upper") << "1E3" << 1000 << None;
    QTest::newRow("exponent plus") << "1e+3" << 1000 << None;
    QTest::newRow("exponent rounds") << "15e-1" << 2 << None;
    QTest::newRow("exponent tie even") << "25e-1" << 2 << None;
    QTest::newRow("exponent tie odd") << "35e-1" << 4 << None;
    QTest::newRow("exponent small") << "1e-1" << 0 << None;
    QTest::newRow("exponent with fraction") << "3.2767e4" << 32767 << None;
    QTest::newRow("exponent overflow") << "1e5" << 0 << Overflow;
    QTest::newRow("zero huge exponent") << "0e999999999999999999999" << 0 << None;
    QTest::newRow("one huge exponent") << "1e999999999999999999999" << 0 << Overflow;
    QTest::newRow("one tiny exponent") << "1e-999999999999999999999" << 0 << None;
    QTest::newRow("many digits") << repeated(u'9', 5000) << 0 << Overflow;
    QTest::newRow("many digits scaled") << "1" + repeated(u'0', 5000) + "e-5000" << 1 << None;
    QTest::newRow("many fraction zeros") << "0." + repeated(u'0', 5000) + "9" << 0 << None;
    QTest::newRow("hex max") << "&h7FFF" << 32767 << None;
    QTest::newRow("hex 8000 pattern") << "&h8000" << -32768 << None;
    QTest::newRow("hex FFFF pattern") << "&hFFFF" << -1 << None;
    QTest::newRow("hex lower digits") << "&hffff" << -1 << None;
    QTest::newRow("hex upper prefix") << "&HfFfF" << -1 << None;
    QTest::newRow("hex leading zeros") << "&h0000FFFF" << -1 << None;
    QTest::newRow("hex blanks") << "  &h10  " << 16 << None;
    QTest::newRow("hex 5 digits") << "&h10000" << 0 << Overflow;
    QTest::newRow("octal max") << "&o77777" << 32767 << None;
    QTest::newRow("octal pattern") << "&O100000" << -32768 << None;
    QTest::newRow("octal all ones") << "&o177777" << -1 << None;
    QTest::newRow("octal too wide") << "&o200000" << 0 << Overflow;
    QTest::newRow("empty") << "" << 0 << Mismatch;
    QTest::newRow("blank") << "   " << 0 << Mismatch;
    QTest::newRow("letters") << "abc" << 0 << Mismatch;
    QTest::newRow("trailing letter") << "12a" << 0 << Mismatch;
    QTest::newRow("inner blank") << "1 2" << 0 << Mismatch;
    QTest::newRow("blank after sign") << "- 5" << 0 << Mismatch;
    QTest::newRow("two signs") << "--1" << 0 << Mismatch;
    QTest::newRow("mixed signs") << "+-1" << 0 << Mismatch;
    QTest::newRow("sign only") << "-" << 0 << Mismatch;
    QTest::newRow("separator only") << "." << 0 << Mismatch;
    QTest::newRow("group first") << ",5" << 0 << Mismatch;
    QTest::newRow("two decimals") << "1.2.3" << 0 << Mismatch;
    QTest::newRow("group in fraction") << "1.5,0" << 0 << Mismatch;
    QTest::newRow("bare exponent") << "1e" << 0 << Mismatch;
    QTest::newRow("exponent sign only") << "1e+" << 0 << Mismatch;
    QTest::newRow("exponent first") << "e5" << 0 << Mismatch;
    QTest::newRow("exponent fraction") << "1e1.5" << 0 << Mismatch;
    QTest::newRow("C hex") << "0x10" << 0 << Mismatch;
    QTest::newRow("prefix only") << "&h" << 0 << Mismatch;
    QTest::newRow("ampersand only") << "&" << 0 << Mismatch;
    QTest::newRow("bad hex digit") << "&hG" << 0 << Mismatch;
    QTest::newRow("bad octal digit") << "&o8" << 0 << Mismatch;
    QTest::newRow("unknown prefix") << "&x10" << 0 << Mismatch;
    QTest::newRow("signed pattern") << "-&h10" << 0 << Mismatch;
    QTest::newRow("pattern fraction") << "&h1.5" << 0 << Mismatch;
    QTest::newRow("fullwidth digit") << QString(QChar(0xFF15)) << 0 << Mismatch;
    QTest::newRow("infinity word") << "inf" << 0 << Mismatch;
}

void NumericConversionTest::toInt16()
{
    QFETCH(QString, text);
    QFETCH(int, value);
    QFETCH(ConversionError, error);
    const Int16Result result = NumericConversion::toInt16(text);
    QCOMPARE(result.error, error);
    QCOMPARE(int(result.value), value);
    QCOMPARE(result.ok(), error == None);
}

void NumericConversionTest::toInt32_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<qint32>("value");
    QTest::addColumn<ConversionError>("error");

    QTest::newRow("max") << "2147483647" << 2147483647 << None;
    QTest::newRow("max+1") << "2147483648" << 0 << Overflow;
    QTest::newRow("min") << "-2147483648" << std::numeric_limits<qint32>::min() << None;
    QTest::newRow("min-1") << "-2147483649" << 0 << Overflow;
    QTest::newRow("max grouped") << "2,147,483,647" << 2147483647 << None;
    QTest::newRow("max tie over") << "2147483647.5" << 0 << Overflow;
    QTest::newRow("below max tie") << "2147483646.5" << 2147483646 << None;
    QTest::newRow("min tie stays") << "-2147483648.5" << std::numeric_limits<qint32>::min() << None;
    QTest::newRow("min tie over") << "-2147483649.5" << 0 << Overflow;
    QTest::newRow("exponent at max") << "2.147483647e9" << 2147483647 << None;
    QTest::newRow("exponent beyond max") << "2.1474836475e9" << 0 << Overflow;
    QTest::newRow("ten digits") << "9999999999" << 0 << Overflow;
    QTest::newRow("eleven digits") << "10000000000" << 0 << Overflow;
    QTest::newRow("1e10") << "1e10" << 0 << Overflow;
    QTest::newRow("tie to even") << "2.5" << 2 << None;
    QTest::newRow("negative tie") << "-2.5" << -2 << None;
    QTest::newRow("negative fraction to zero") << "-0.4" << 0 << None;
    QTest::newRow("hex 8000 stays positive") << "&h8000" << 32768 << None;
    QTest::newRow("hex FFFF stays positive") << "&hFFFF" << 65535 << None;
    QTest::newRow("hex all ones") << "&hFFFFFFFF" << -1 << None;
    QTest::newRow("hex lower") << "&hffffffff" << -1 << None;
    QTest::newRow("hex min pattern") << "&h80000000" << std::numeric_limits<qint32>::min() << None;
    QTest::newRow("hex max") << "&H7FFFFFFF" << 2147483647 << None;
    QTest::newRow("hex leading zeros") << "&h00000000FFFFFFFF" << -1 << None;
    QTest::newRow("hex 9 digits") << "&h100000000" << 0 << Overflow;
    QTest::newRow("hex many digits") << "&h" + repeated(u'F', 3000) << 0 << Overflow;
    QTest::newRow("octal all ones") << "&o37777777777" << -1 << None;
    QTest::newRow("octal max") << "&o17777777777" << 2147483647 << None;
    QTest::newRow("octal too wide") << "&o40000000000" << 0 << Overflow;
    QTest::newRow("empty") << "" << 0 << Mismatch;
    QTest::newRow("garbage") << "12 apples" << 0 << Mismatch;
}

void NumericConversionTest::toInt32()
{
    QFETCH(QString, text);
    QFETCH(qint32, value);
    QFETCH(ConversionError, error);
    const Int32Result result = NumericConversion::toInt32(text);
    QCOMPARE(result.error, error);
    QCOMPARE(result.value, value);
}

void NumericConversionTest::toReal_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("value");
    QTest::addColumn<ConversionError>("error");

    QTest::newRow("zero") << "0" << 0.0 << None;
    QTest::newRow("minus zero is zero") << "-0" << 0.0 << None;
    QTest::newRow("minus tiny is zero") << "-1e-400" << 0.0 << None;
    QTest::newRow("fraction") << "1.5" << 1.5 << None;
    QTest::newRow("negative") << "-1.5" << -1.5 << None;
    QTest::newRow("plus") << "+0.25" << 0.25 << None;
    QTest::newRow("blanks") << "  12  " << 12.0 << None;
    QTest::newRow("group") << "1,234.5" << 1234.5 << None;
    QTest::newRow("comma is a group here") << "1,5" << 15.0 << None;
    QTest::newRow("tenth") << "0.1" << 0.1 << None;
    QTest::newRow("no integer digits") << ".5" << 0.5 << None;
    QTest::newRow("no fraction digits") << "5." << 5.0 << None;
    QTest::newRow("exponent") << "1e3" << 1000.0 << None;
    QTest::newRow("negative exponent") << "1.5E-3" << 0.0015 << None;
    QTest::newRow("long mantissa") << "123456789012345678901234567890" << 1.2345678901234568e29 << None;
    QTest::newRow("unbounded") << "1.79769313486231E+308" << NumericConversion::RealUnbounded << None;
    QTest::newRow("-unbounded") << "-1.79769313486231E+308" << -NumericConversion::RealUnbounded << None;
    QTest::newRow("largest") << "1.7976931348623157E+308" << DBL_MAX << None;
    QTest::newRow("largest, 15 digits") << "1.79769313486232E+308" << 0.0 << Overflow;
    QTest::newRow("beyond largest") << "1.7976931348623159E+308" << 0.0 << Overflow;
    QTest::newRow("1e309") << "1e309" << 0.0 << Overflow;
    QTest::newRow("-1e309") << "-1e309" << 0.0 << Overflow;
    QTest::newRow("huge exponent") << "1e99999999999999999999" << 0.0 << Overflow;
    QTest::newRow("zero huge exponent") << "0e99999999999999999999" << 0.0 << None;
    QTest::newRow("underflow") << "1e-400" << 0.0 << None;
    QTest::newRow("smallest normal") << "2.2250738585072014e-308" << DBL_MIN << None;
    QTest::newRow("smallest subnormal") << "4.9406564584124654e-324" << std::numeric_limits<double>::denorm_min() << None;
    QTest::newRow("below half subnormal") << "2e-324" << 0.0 << None;
    // Halfway between 1 and the next double, then a hair above it far beyond the stored digits.
    QTest::newRow("halfway to even") << "1.00000000000000011102230246251565404236316680908203125" << 1.0 << None;
    QTest::newRow("above halfway") << "1.00000000000000011102230246251565404236316680908203125" + repeated(u'0', 1500) + "1" << std::nextafter(1.0, 2.0) << None;
    QTest::newRow("many digits") << repeated(u'9', 400) << 0.0 << Overflow;
    QTest::newRow("many digits scaled") << "1" + repeated(u'0', 5000) + "e-5000" << 1.0 << None;
    QTest::newRow("hex") << "&hFF" << 255.0 << None;
    QTest::newRow("hex 32-bit pattern") << "&hFFFFFFFF" << -1.0 << None;
    QTest::newRow("hex 8000") << "&h8000" << 32768.0 << None;
    QTest::newRow("hex too wide") << "&h100000000" << 0.0 << Overflow;
    QTest::newRow("octal") << "&o17" << 15.0 << None;
    QTest::newRow("empty") << "" << 0.0 << Mismatch;
    QTest::newRow("two decimals") << "1.5.5" << 0.0 << Mismatch;
    QTest::newRow("inf") << "inf" << 0.0 << Mismatch;
    QTest::newRow("nan") << "nan" << 0.0 << Mismatch;
    QTest::newRow("bare exponent") << "1e" << 0.0 << Mismatch;
    QTest::newRow("blank in exponent") << "1 e5" << 0.0 << Mismatch;
    QTest::newRow("D exponent") << "1d5" << 0.0 << Mismatch;
}

void NumericConversionTest::toReal()
{
    QFETCH(QString, text);
    QFETCH(double, value);
    QFETCH(ConversionError, error);
    const RealResult result = NumericConversion::toReal(text);
    QCOMPARE(result.error, error);
    QVERIFY2(sameDouble(result.value, value), describe(result.value));
}

void NumericConversionTest::failureDescription_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("description");

    QTest::newRow("success") << "5" << QString();
    QTest::newRow("mismatch") << "five" << "Type mismatch";
    QTest::newRow("overflow") << "1e400" << "Overflow";
}

void NumericConversionTest::failureDescription()
{
    QFETCH(QString, text);
    QFETCH(QString, description);
    QCOMPARE(NumericConversion::toReal(text).description(), description);
    QCOMPARE(NumericConversion::toInt32(text).description(), description);
    QCOMPARE(NumericConversion::toInt16(text).description(), description);
}

void NumericConversionTest::roundToInteger_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("int16");
    QTest::addColumn<ConversionError>("int16Error");
    QTest::addColumn<qint32>("int32");
    QTest::addColumn<ConversionError>("int32Error");

    QTest::newRow("2.5") << 2.5 << 2 << None << 2 << None;
    QTest::newRow("3.5") << 3.5 << 4 << None << 4 << None;
    QTest::newRow("-2.5") << -2.5 << -2 << None << -2 << None;
    QTest::newRow("-0.5") << -0.5 << 0 << None << 0 << None;
    QTest::newRow("2.6") << 2.6 << 3 << None << 3 << None;
    QTest::newRow("16-bit tie over") << 32767.5 << 0 << Overflow << 32768 << None;
    QTest::newRow("16-bit min tie") << -32768.5 << -32768 << None << -32768 << None;
    QTest::newRow("32-bit max") << 2147483647.49 << 0 << Overflow << 2147483647 << None;
    QTest::newRow("32-bit tie over") << 2147483647.5 << 0 << Overflow << 0 << Overflow;
    QTest::newRow("32-bit min tie") << -2147483648.5 << 0 << Overflow
                                    << std::numeric_limits<qint32>::min() << None;
    QTest::newRow("32-bit below min") << -2147483649.0 << 0 << Overflow << 0 << Overflow;
    QTest::newRow("NaN") << NaN << 0 << Overflow << 0 << Overflow;
    QTest::newRow("inf") << Inf << 0 << Overflow << 0 << Overflow;
    QTest::newRow("-inf") << -Inf << 0 << Overflow << 0 << Overflow;
}

void NumericConversionTest::roundToInteger()
{
    QFETCH(double, value);
    QFETCH(int, int16);
    QFETCH(ConversionError, int16Error);
    QFETCH(qint32, int32);
    QFETCH(ConversionError, int32Error);
    const Int16Result small = NumericConversion::roundToInt16(value);
    QCOMPARE(small.error, int16Error);
    QCOMPARE(int(small.value), int16);
    const Int32Result large = NumericConversion::roundToInt32(value);
    QCOMPARE(large.error, int32Error);
    QCOMPARE(large.value, int32);
}

void NumericConversionTest::leadingValue_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("value");
    QTest::addColumn<ConversionError>("error");

    QTest::newRow("choice") << "3 - Three" << 3.0 << None;
    QTest::newRow("negative choice") << "-5 - Minus five" << -5.0 << None;
    QTest::newRow("blanks inside") << "1 615 198th Street" << 1615198.0 << None;
    QTest::newRow("blank after sign") << "- 4" << -4.0 << None;
    QTest::newRow("plus") << "+4" << 4.0 << None;
    QTest::newRow("fraction then text") << "  12.5abc" << 12.5 << None;
    QTest::newRow("second point stops") << "1.5.5" << 1.5 << None;
    QTest::newRow("comma stops") << "1,5" << 1.0 << None;
    QTest::newRow("half") << ".5 - Half" << 0.5 << None;
    QTest::newRow("tabs and line breaks") << "\t7\r\n" << 7.0 << None;
    QTest::newRow("no number") << "abc" << 0.0 << None;
    QTest::newRow("empty") << "" << 0.0 << None;
    QTest::newRow("choose marker") << "<Empty - Add Labels>" << 0.0 << None;
    QTest::newRow("exponent") << "1e3x" << 1000.0 << None;
    QTest::newRow("D exponent") << "1d2" << 100.0 << None;
    QTest::newRow("exponent with blanks") << "1 e - 2" << 0.01 << None;
    QTest::newRow("letter without digits") << "2 days" << 2.0 << None;
    QTest::newRow("exponent sign only") << "1e-" << 1.0 << None;
    QTest::newRow("bare exponent") << "1e" << 1.0 << None;
    QTest::newRow("overflow") << "1e400" << 0.0 << Overflow;
    QTest::newRow("hex 16-bit pattern") << "&HFFFF" << -1.0 << None;
    QTest::newRow("hex 8000") << "&h8000" << -32768.0 << None;
    QTest::newRow("hex above 16 bits") << "&H10000" << 65536.0 << None;
    QTest::newRow("hex 32-bit pattern") << "&HFFFFFFFF" << -1.0 << None;
    QTest::newRow("hex too wide") << "&H100000000" << 0.0 << Overflow;
    QTest::newRow("hex stops") << "&h1G" << 1.0 << None;
    QTest::newRow("octal") << "&o17 - x" << 15.0 << None;
    QTest::newRow("prefix without digits") << "&hZ" << 0.0 << None;
    QTest::newRow("ampersand alone") << "&" << 0.0 << None;
}

void NumericConversionTest::leadingValue()
{
    QFETCH(QString, text);
    QFETCH(double, value);
    QFETCH(ConversionError, error);
    const RealResult result = NumericConversion::leadingValue(text);
    QCOMPARE(result.error, error);
    QVERIFY2(sameDouble(result.value, value), describe(result.value));

    // The decimal separator of Val() is "." whatever the locale.
    const LocaleSeparators::Override comma(u',', u';');
    const RealResult again = NumericConversion::leadingValue(text);
    QCOMPARE(again.error, error);
    QVERIFY2(sameDouble(again.value, value), describe(again.value));
}

void NumericConversionTest::leadingInt32_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<qint32>("value");
    QTest::addColumn<ConversionError>("error");

    QTest::newRow("choice") << "1 - True" << 1 << None;
    QTest::newRow("negative bound") << "-32768 - Lowest" << -32768 << None;
    QTest::newRow("tie to even") << "2.5 - x" << 2 << None;
    QTest::newRow("empty marker") << "<Empty - Add Labels>" << 0 << None;
    QTest::newRow("beyond 32 bits") << "3000000000 - x" << 0 << Overflow;
    QTest::newRow("Val overflow") << "1e999" << 0 << Overflow;
}

void NumericConversionTest::leadingInt32()
{
    QFETCH(QString, text);
    QFETCH(qint32, value);
    QFETCH(ConversionError, error);
    const Int32Result result = NumericConversion::leadingInt32(text);
    QCOMPARE(result.error, error);
    QCOMPARE(result.value, value);
}

void NumericConversionTest::parseInt32InView_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<IntegerView>("view");
    QTest::addColumn<QString>("normalized");
    QTest::addColumn<qint32>("value");
    QTest::addColumn<ConversionError>("error");

    const IntegerView views[] = {IntegerView::Decimal, IntegerView::Octal, IntegerView::VbOctal,
                                 IntegerView::Hexadecimal, IntegerView::VbHexadecimal};
    for (IntegerView view : views) {
        const QByteArray tag = QByteArray::number(int(view));
        QTest::newRow(("0x1f, view " + tag).constData()) << "0x1f" << view << "&h1f" << 31 << None;
        QTest::newRow(("010, view " + tag).constData()) << " 010 " << view << "&o10" << 8 << None;
        QTest::newRow(("0.5, view " + tag).constData()) << "0.5" << view << "&o.5" << 0 << Mismatch;
        QTest::newRow(("&h10, view " + tag).constData()) << "&h10" << view << "&h10" << 16 << None;
        QTest::newRow(("0x alone, view " + tag).constData()) << "0x" << view << "&h" << 0 << Mismatch;
    }
    QTest::newRow("upper X, decimal") << "0X1F" << IntegerView::Decimal << "&oX1F" << 0 << Mismatch;
    QTest::newRow("17, decimal") << "17" << IntegerView::Decimal << "17" << 17 << None;
    QTest::newRow("17, octal") << "17" << IntegerView::Octal << "&o17" << 15 << None;
    QTest::newRow("17, VB octal") << "17" << IntegerView::VbOctal << "&o17" << 15 << None;
    QTest::newRow("17, hexadecimal") << "17" << IntegerView::Hexadecimal << "&h17" << 23 << None;
    QTest::newRow("17, VB hexadecimal") << "17" << IntegerView::VbHexadecimal << "&h17" << 23 << None;
    QTest::newRow("blank, decimal") << "  " << IntegerView::Decimal << "" << 0 << Mismatch;
    QTest::newRow("blank, hexadecimal") << "" << IntegerView::Hexadecimal << "&h" << 0 << Mismatch;
    QTest::newRow("blank, octal") << " " << IntegerView::Octal << "&o" << 0 << Mismatch;
    QTest::newRow("single zero, decimal") << "0" << IntegerView::Decimal << "0" << 0 << None;
    QTest::newRow("single zero, hexadecimal") << "0" << IntegerView::Hexadecimal << "&h0" << 0 << None;
    QTest::newRow("double zero") << "00" << IntegerView::Decimal << "&o0" << 0 << None;
    QTest::newRow("2.5, decimal") << "2.5" << IntegerView::Decimal << "2.5" << 2 << None;
    QTest::newRow("3.5, decimal") << "3.5" << IntegerView::Decimal << "3.5" << 4 << None;
    QTest::newRow("negative, hexadecimal") << "-1" << IntegerView::Hexadecimal << "&h-1" << 0 << Mismatch;
    QTest::newRow("all ones, hexadecimal") << "FFFFFFFF" << IntegerView::Hexadecimal << "&hFFFFFFFF" << -1 << None;
    QTest::newRow("all ones, VB hexadecimal") << "ffffffff" << IntegerView::VbHexadecimal << "&hffffffff" << -1 << None;
    QTest::newRow("all ones, octal") << "37777777777" << IntegerView::Octal << "&o37777777777" << -1 << None;
    QTest::newRow("too wide, hexadecimal") << "100000000" << IntegerView::Hexadecimal << "&h100000000" << 0 << Overflow;
    QTest::newRow("8 in octal") << "18" << IntegerView::Octal << "&o18" << 0 << Mismatch;
    QTest::newRow("grouped decimal") << "12,345" << IntegerView::Decimal << "12,345" << 12345 << None;
}

void NumericConversionTest::parseInt32InView()
{
    QFETCH(QString, text);
    QFETCH(IntegerView, view);
    QFETCH(QString, normalized);
    QFETCH(qint32, value);
    QFETCH(ConversionError, error);
    QCOMPARE(NumericConversion::normalizeIntegerText(text, view), normalized);
    const Int32Result result = NumericConversion::parseInt32InView(text, view);
    QCOMPARE(result.error, error);
    QCOMPARE(result.value, value);
}

void NumericConversionTest::formatInt32_data()
{
    QTest::addColumn<qint32>("value");
    QTest::addColumn<IntegerView>("view");
    QTest::addColumn<QString>("text");

    const qint32 min = std::numeric_limits<qint32>::min();
    QTest::newRow("255 decimal") << 255 << IntegerView::Decimal << "255";
    QTest::newRow("255 octal") << 255 << IntegerView::Octal << "0377";
    QTest::newRow("255 VB octal") << 255 << IntegerView::VbOctal << "&o377";
    QTest::newRow("255 hexadecimal") << 255 << IntegerView::Hexadecimal << "0xFF";
    QTest::newRow("255 VB hexadecimal") << 255 << IntegerView::VbHexadecimal << "&hFF";
    QTest::newRow("20 hexadecimal") << 20 << IntegerView::Hexadecimal << "0x14";
    QTest::newRow("-1 decimal") << -1 << IntegerView::Decimal << "-1";
    QTest::newRow("-1 hexadecimal") << -1 << IntegerView::Hexadecimal << "0xFFFFFFFF";
    QTest::newRow("-1 octal") << -1 << IntegerView::Octal << "037777777777";
    QTest::newRow("-1 VB octal") << -1 << IntegerView::VbOctal << "&o37777777777";
    QTest::newRow("0 octal") << 0 << IntegerView::Octal << "00";
    QTest::newRow("0 hexadecimal") << 0 << IntegerView::Hexadecimal << "0x0";
    QTest::newRow("min decimal") << min << IntegerView::Decimal << "-2147483648";
    QTest::newRow("min octal") << min << IntegerView::Octal << "020000000000";
    QTest::newRow("min VB hexadecimal") << min << IntegerView::VbHexadecimal << "&h80000000";
}

void NumericConversionTest::formatInt32()
{
    QFETCH(qint32, value);
    QFETCH(IntegerView, view);
    QFETCH(QString, text);
    QCOMPARE(NumericConversion::formatInt32(value, view), text);
}

void NumericConversionTest::integerViewRoundTrip()
{
    QList<qint32> values = {0, 1, 7, 8, 9, 10, 15, 16, 255, 32767, 32768, 65535, 65536, -1, -8,
                            -32768, std::numeric_limits<qint32>::min(),
                            std::numeric_limits<qint32>::max()};
    QRandomGenerator random(20261205);
    for (int k = 0; k < 2000; ++k)
        values.append(qint32(random.generate()));
    const IntegerView views[] = {IntegerView::Decimal, IntegerView::Octal, IntegerView::VbOctal,
                                 IntegerView::Hexadecimal, IntegerView::VbHexadecimal};
    for (qint32 value : std::as_const(values)) {
        for (IntegerView view : views) {
            const QString text = NumericConversion::formatInt32(value, view);
            const Int32Result back = NumericConversion::parseInt32InView(text, view);
            QVERIFY2(back.ok() && back.value == value, qPrintable(text));
        }
    }
}

void NumericConversionTest::formatInt32Digits_data()
{
    QTest::addColumn<qint32>("value");
    QTest::addColumn<int>("base");
    QTest::addColumn<QString>("text");

    QTest::newRow("binary 5") << 5 << 2 << "101";
    QTest::newRow("binary -1") << -1 << 2 << repeated(u'1', 32);
    QTest::newRow("octal -1") << -1 << 8 << "37777777777";
    QTest::newRow("hex -1") << -1 << 16 << "FFFFFFFF";
    QTest::newRow("hex 0") << 0 << 16 << "0";
    QTest::newRow("hex letters upper") << 0xabcdef << 16 << "ABCDEF";
    QTest::newRow("decimal negative") << -5 << 10 << "-5";
    QTest::newRow("unsupported base") << 5 << 3 << "";
}

void NumericConversionTest::formatInt32Digits()
{
    QFETCH(qint32, value);
    QFETCH(int, base);
    QFETCH(QString, text);
    QCOMPARE(NumericConversion::formatInt32Digits(value, base), text);
}

void NumericConversionTest::formatGeneral_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("text");

    QTest::newRow("zero") << 0.0 << "0";
    QTest::newRow("negative zero") << -0.0 << "0";
    QTest::newRow("one") << 1.0 << "1";
    QTest::newRow("minus one") << -1.0 << "-1";
    QTest::newRow("ten") << 10.0 << "10";
    QTest::newRow("hundred") << 100.0 << "100";
    QTest::newRow("half") << 0.5 << "0.5";
    QTest::newRow("12.25") << 12.25 << "12.25";
    QTest::newRow("tenth") << 0.1 << "0.1";
    QTest::newRow("0.1+0.2") << 0.1 + 0.2 << "0.3";
    QTest::newRow("third") << 1.0 / 3.0 << "0.333333333333333";
    QTest::newRow("two thirds") << 2.0 / 3.0 << "0.666666666666667";
    QTest::newRow("15 digits") << 123456789012345.0 << "123456789012345";
    QTest::newRow("1e14") << 1e14 << "100000000000000";
    QTest::newRow("largest plain") << 999999999999999.0 << "999999999999999";
    QTest::newRow("rounds to 1e15") << 999999999999999.9 << "1E+15";
    QTest::newRow("1e15") << 1e15 << "1E+15";
    QTest::newRow("16 digits") << 1234567890123456.0 << "1.23456789012346E+15";
    QTest::newRow("1e20") << 1e20 << "1E+20";
    QTest::newRow("1e100") << 1e100 << "1E+100";
    QTest::newRow("0.0001") << 0.0001 << "0.0001";
    QTest::newRow("0.00012345") << 0.00012345 << "0.00012345";
    QTest::newRow("1e-5") << 0.00001 << "1E-05";
    QTest::newRow("1.23e-5") << 0.0000123 << "1.23E-05";
    QTest::newRow("negative small") << -1.5e-7 << "-1.5E-07";
    QTest::newRow("1e-100") << 1e-100 << "1E-100";
    QTest::newRow("largest") << DBL_MAX << "1.79769313486232E+308";
    QTest::newRow("unbounded") << NumericConversion::RealUnbounded << "1.79769313486231E+308";
    QTest::newRow("-unbounded") << -NumericConversion::RealUnbounded << "-1.79769313486231E+308";
    QTest::newRow("subnormal") << std::numeric_limits<double>::denorm_min() << "4.94065645841247E-324";
    QTest::newRow("NaN") << NaN << "NaN";
    QTest::newRow("inf") << Inf << "Infinity";
    QTest::newRow("-inf") << -Inf << "-Infinity";
}

void NumericConversionTest::formatGeneral()
{
    QFETCH(double, value);
    QFETCH(QString, text);
    QCOMPARE(NumericConversion::formatGeneral(value), text);
}

void NumericConversionTest::formatForcedDecimal_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("text");

    QTest::newRow("10") << 10.0 << "10.0";
    QTest::newRow("12") << 12.0 << "12.0";
    QTest::newRow("-5") << -5.0 << "-5.0";
    QTest::newRow("zero") << 0.0 << "0.0";
    QTest::newRow("negative zero") << -0.0 << "0.0";
    QTest::newRow("half keeps") << 0.5 << "0.5";
    QTest::newRow("1e20") << 1e20 << "1.0E+20";
    QTest::newRow("1.5e20 keeps") << 1.5e20 << "1.5E+20";
    QTest::newRow("1e-5") << 1e-5 << "1.0E-05";
    QTest::newRow("1e15") << 1e15 << "1.0E+15";
    QTest::newRow("NaN") << NaN << "NaN";
    QTest::newRow("-inf") << -Inf << "-Infinity";
}

void NumericConversionTest::formatForcedDecimal()
{
    QFETCH(double, value);
    QFETCH(QString, text);
    QCOMPARE(NumericConversion::formatForcedDecimal(value), text);
}

void NumericConversionTest::formatScientific_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("precision");
    QTest::addColumn<QString>("text");

    QTest::newRow("1234.5, 3: half away from zero") << 1234.5 << 3 << "1.235E+03";
    QTest::newRow("-1234.5, 3") << -1234.5 << 3 << "-1.235E+03";
    QTest::newRow("0.000123, 2") << 0.000123 << 2 << "1.23E-04";
    QTest::newRow("1, 1") << 1.0 << 1 << "1.0E+00";
    QTest::newRow("0.5, 1") << 0.5 << 1 << "5.0E-01";
    QTest::newRow("1.25, 1") << 1.25 << 1 << "1.3E+00";
    QTest::newRow("-1.25, 1") << -1.25 << 1 << "-1.3E+00";
    QTest::newRow("zero, 3") << 0.0 << 3 << "0.000E+00";
    QTest::newRow("negative zero, 2") << -0.0 << 2 << "0.00E+00";
    QTest::newRow("carry into exponent") << 9.9996 << 3 << "1.000E+01";
    QTest::newRow("carry 99.96") << 99.96 << 2 << "1.00E+02";
    QTest::newRow("three exponent digits") << 1e100 << 2 << "1.00E+100";
    QTest::newRow("negative exponent") << 1e-100 << 2 << "1.00E-100";
    QTest::newRow("15 digits") << 1234.5 << 15 << "1.234500000000000E+03";
    QTest::newRow("above 15 is 15") << 1234.5 << 20 << "1.234500000000000E+03";
    QTest::newRow("unbounded, 14") << NumericConversion::RealUnbounded << 14 << "1.79769313486231E+308";
    QTest::newRow("largest, 2") << DBL_MAX << 2 << "1.80E+308";
    QTest::newRow("shown digits round") << 2.675 << 2 << "2.68E+00";
    QTest::newRow("precision 0") << 150.0 << 0 << "2E+02";
    QTest::newRow("negative precision") << 5.0 << -3 << "5E+00";
    QTest::newRow("NaN") << NaN << 3 << "NaN";
    QTest::newRow("inf") << Inf << 3 << "Infinity";
}

void NumericConversionTest::formatScientific()
{
    QFETCH(double, value);
    QFETCH(int, precision);
    QFETCH(QString, text);
    QCOMPARE(NumericConversion::formatScientific(value, precision), text);
}

void NumericConversionTest::formatReal_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("precision");
    QTest::addColumn<QString>("text");

    QTest::newRow("0: forced separator") << 12.0 << 0 << "12.0";
    QTest::newRow("0: keeps fraction") << 0.5 << 0 << "0.5";
    QTest::newRow("negative: as 0") << 12.0 << -1 << "12.0";
    QTest::newRow("3: scientific") << 1234.5 << 3 << "1.235E+03";
    QTest::newRow("2: small") << 0.000123 << 2 << "1.23E-04";
    QTest::newRow("20: capped") << 1.0 / 3.0 << 20 << "3.333333333333330E-01";
}

void NumericConversionTest::formatReal()
{
    QFETCH(double, value);
    QFETCH(int, precision);
    QFETCH(QString, text);
    QCOMPARE(NumericConversion::formatReal(value, precision), text);
}

void NumericConversionTest::unboundedValues()
{
    QCOMPARE(std::bit_cast<quint64>(NumericConversion::RealUnbounded), Q_UINT64_C(0x7FEFFFFFFFFFFFE2));
    QVERIFY(NumericConversion::RealUnbounded < DBL_MAX);

    // The rendering of the unbounded values reads back as the very same doubles.
    for (double bound : {NumericConversion::RealUnbounded, -NumericConversion::RealUnbounded}) {
        for (int precision : {0, 14, 15}) {
            const QString text = NumericConversion::formatReal(bound, precision);
            const RealResult back = NumericConversion::toReal(text);
            QVERIFY2(back.ok() && sameDouble(back.value, bound), qPrintable(text));
        }
    }
    QVERIFY(NumericConversion::isUnboundedHigh(NumericConversion::RealUnbounded));
    QVERIFY(NumericConversion::isUnboundedLow(-NumericConversion::RealUnbounded));
    QVERIFY(!NumericConversion::isUnboundedHigh(DBL_MAX));
    QVERIFY(!NumericConversion::isUnboundedLow(NumericConversion::toReal(u"-1.7976931348623157E+308").value));
    QVERIFY(!NumericConversion::isUnboundedLow(NumericConversion::RealUnbounded));

    QVERIFY(NumericConversion::isUnboundedLow(NumericConversion::toInt32(u"-2147483648").value));
    QVERIFY(NumericConversion::isUnboundedHigh(NumericConversion::toInt32(u"2147483647").value));
    QVERIFY(!NumericConversion::isUnboundedHigh(qint32(2147483646)));
}

void NumericConversionTest::commaLocaleParsing_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("real");
    QTest::addColumn<ConversionError>("realError");
    QTest::addColumn<qint32>("int32");
    QTest::addColumn<ConversionError>("int32Error");

    QTest::newRow("decimal comma") << "1,5" << 1.5 << None << 2 << None;
    QTest::newRow("tie to even") << "2,5" << 2.5 << None << 2 << None;
    QTest::newRow("point is a group") << "1.5" << 15.0 << None << 15 << None;
    QTest::newRow("grouped with fraction") << "1.234,5" << 1234.5 << None << 1234 << None;
    QTest::newRow("exponent") << "1,5e2" << 150.0 << None << 150 << None;
    QTest::newRow("negative") << " -0,25 " << -0.25 << None << 0 << None;
    QTest::newRow("two decimal commas") << "1,2,3" << 0.0 << Mismatch << 0 << Mismatch;
    QTest::newRow("group after comma") << "1,2.3" << 0.0 << Mismatch << 0 << Mismatch;
    QTest::newRow("hex unaffected") << "&hFF" << 255.0 << None << 255 << None;
}

void NumericConversionTest::commaLocaleParsing()
{
    QFETCH(QString, text);
    QFETCH(double, real);
    QFETCH(ConversionError, realError);
    QFETCH(qint32, int32);
    QFETCH(ConversionError, int32Error);

    m_locale.reset();
    const LocaleSeparators::Override comma(u',', u';');
    const RealResult r = NumericConversion::toReal(text);
    QCOMPARE(r.error, realError);
    QVERIFY2(sameDouble(r.value, real), describe(r.value));
    const Int32Result i = NumericConversion::toInt32(text);
    QCOMPARE(i.error, int32Error);
    QCOMPARE(i.value, int32);

    // Explicit separators give the same answers as the override.
    const LocaleSeparators separators = LocaleSeparators::withDecimalAndList(u',', u';');
    QCOMPARE(NumericConversion::toReal(text, separators).error, realError);
    QCOMPARE(NumericConversion::toInt32(text, separators).value, int32);
}

void NumericConversionTest::commaLocaleRendering()
{
    m_locale.reset();
    const LocaleSeparators::Override comma(u',', u';');
    QCOMPARE(LocaleSeparators::current().list, QChar(u';'));
    QCOMPARE(NumericConversion::formatReal(12.0, 0), QStringLiteral("12,0"));
    QCOMPARE(NumericConversion::formatGeneral(0.5), QStringLiteral("0,5"));
    QCOMPARE(NumericConversion::formatGeneral(1.0 / 3.0), QStringLiteral("0,333333333333333"));
    QCOMPARE(NumericConversion::formatForcedDecimal(1e20), QStringLiteral("1,0E+20"));
    QCOMPARE(NumericConversion::formatForcedDecimal(1.5e-7), QStringLiteral("1,5E-07"));
    QCOMPARE(NumericConversion::formatScientific(1234.5, 3), QStringLiteral("1,235E+03"));
    // What is rendered in this locale reads back in it.
    // (Rounded to fewer digits the unbounded value would pass the largest double.)
    for (double value : {12.0, 0.5, -1234.5678, 1e20, 1.5e-7, NumericConversion::RealUnbounded}) {
        for (int precision : {0, value == NumericConversion::RealUnbounded ? 14 : 3, 15}) {
            const QString text = NumericConversion::formatReal(value, precision);
            const RealResult back = NumericConversion::toReal(text);
            QVERIFY2(back.ok(), qPrintable(text));
            if (precision == 0 || precision == 15)
                QCOMPARE(NumericConversion::formatReal(back.value, precision), text);
        }
    }
}

void NumericConversionTest::randomTexts()
{
    // Texts built from the characters numbers are made of, so that many of them parse.
    static const char16_t alphabet[] = u"0123456789012345678901234567890123456789+-.,.,eEeE&hHoOdD  x";
    const int alphabetSize = int(std::size(alphabet)) - 1;
    QRandomGenerator random(4242);
    int parsedCount = 0;
    for (int k = 0; k < 20000; ++k) {
        QString text;
        const int length = random.bounded(0, 25);
        for (int c = 0; c < length; ++c)
            text.append(QChar(alphabet[random.bounded(alphabetSize)]));
        const QByteArray where = text.toUtf8();

        const Int16Result i16 = NumericConversion::toInt16(text);
        const Int32Result i32 = NumericConversion::toInt32(text);
        const RealResult real = NumericConversion::toReal(text);
        QVERIFY2(i16.ok() || i16.value == 0, where.constData());
        QVERIFY2(i32.ok() || i32.value == 0, where.constData());
        QVERIFY2(real.ok() || real.value == 0.0, where.constData());
        QVERIFY2(real.ok() || !real.description().isEmpty(), where.constData());
        QVERIFY2(NumericConversion::leadingValue(text).error != ConversionError::TypeMismatch, where.constData());

        const bool pattern = text.trimmed().startsWith(u'&');
        if (i16.ok() && !pattern)
            QVERIFY2(i32.ok() && i32.value == i16.value, where.constData());
        if (i32.ok() && !pattern)
            QVERIFY2(real.ok() && std::fabs(real.value - i32.value) <= 0.5 + 1e-6, where.constData());
        if (i32.ok() && pattern)
            QVERIFY2(real.ok() && real.value == i32.value, where.constData());
        if (!real.ok())
            continue;
        ++parsedCount;

        // What parses renders, and the rendering reads back to the same rendering; only a
        // value near the largest double can be shown rounded up past it (1.8E+308).
        for (int precision : {0, 1, 7, 15}) {
            const QString shown = NumericConversion::formatReal(real.value, precision);
            const RealResult back = NumericConversion::toReal(shown);
            if (!back.ok()) {
                QVERIFY2(back.error == ConversionError::Overflow
                             && std::fabs(real.value) >= (precision == 0 ? NumericConversion::RealUnbounded : 1.7e308),
                         (where + " -> " + shown.toUtf8()).constData());
                continue;
            }
            if (precision == 0 || precision == 15)
                QVERIFY2(NumericConversion::formatReal(back.value, precision) == shown, (where + " -> " + shown.toUtf8()).constData());
        }
    }
    QVERIFY(parsedCount > 1000); // the alphabet really produced numbers
}

void NumericConversionTest::randomDoubles()
{
    QRandomGenerator random(1729);
    for (int k = 0; k < 20000; ++k) {
        const double value = std::bit_cast<double>(random.generate64());
        if (!std::isfinite(value))
            continue;
        const QString general = NumericConversion::formatGeneral(value);
        const RealResult back = NumericConversion::toReal(general);
        if (!back.ok()) {
            QVERIFY2(std::fabs(value) > NumericConversion::RealUnbounded, qPrintable(general));
            continue;
        }
        // 15 significant digits: within half a unit of the 15th digit, and stable from here on.
        const double tolerance = std::fabs(value) * 5.1e-15;
        QVERIFY2(std::fabs(back.value - value) <= tolerance || value == 0.0, qPrintable(general));
        QCOMPARE(NumericConversion::formatGeneral(back.value), general);

        const int precision = random.bounded(1, 16);
        const QString scientific = NumericConversion::formatScientific(value, precision);
        const RealResult sciBack = NumericConversion::toReal(scientific);
        if (sciBack.ok()) {
            QVERIFY2(std::fabs(sciBack.value - value) <= std::fabs(value) * std::pow(10.0, -precision) * 0.51 + tolerance,
                     qPrintable(scientific));
        } else {
            QCOMPARE(sciBack.error, ConversionError::Overflow);
        }
    }
}

QTEST_GUILESS_MAIN(NumericConversionTest)
#include "numericconversiontest.moc"
