// NumericConversion: parsing, integer views and renderings of reals (the fuzz replay covers the round trips).
#include "columns.h"
#include "numericconversion.h"

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
const qint32 Min32 = std::numeric_limits<qint32>::min();

// Exact equality of doubles, the sign of zero included.
bool sameDouble(double a, double b)
{
    return std::bit_cast<quint64>(a) == std::bit_cast<quint64>(b);
}

QByteArray describe(double value)
{
    return QByteArray::number(value, 'g', 17) + " (0x" + QByteArray::number(std::bit_cast<quint64>(value), 16) + ")";
}

const ConversionError None = ConversionError::None;
const ConversionError Mismatch = ConversionError::TypeMismatch;
const ConversionError Overflow = ConversionError::Overflow;

// What a text is parsed into: the three strict targets, the two Val()-like readings, the strict
// targets with a decimal comma, and the rounding of the number the text spells.
enum class Target { Int16, Int32, Real, Leading, LeadingInt32, CommaReal, CommaInt32, RoundInt16, RoundInt32 };
const char* const TargetNames[] = {"int16", "int32", "real", "leading", "leading int32", "comma real", "comma int32", "round16", "round32"};

RealResult parse(Target target, const QString& text)
{
    const auto real = [](const auto& r) { return RealResult{double(r.value), r.error}; };
    const LocaleSeparators comma = LocaleSeparators::withDecimalAndList(u',', u';');
    switch (target) {
    case Target::Int16:
        return real(NumericConversion::toInt16(text));
    case Target::Int32:
        return real(NumericConversion::toInt32(text));
    case Target::Real:
        return NumericConversion::toReal(text);
    case Target::Leading:
        return NumericConversion::leadingValue(text);
    case Target::LeadingInt32:
        return real(NumericConversion::leadingInt32(text));
    case Target::CommaReal:
        return NumericConversion::toReal(text, comma);
    case Target::CommaInt32:
        return real(NumericConversion::toInt32(text, comma));
    case Target::RoundInt16:
        return real(NumericConversion::roundToInt16(text.toDouble()));
    case Target::RoundInt32:
        return real(NumericConversion::roundToInt32(text.toDouble()));
    }
    return {};
}

// The rendering of a real: general, forced decimal, scientific and formatReal at a precision.
enum class Style { General, Forced, Scientific, Real };

} // namespace

Q_DECLARE_METATYPE(Target)
Q_DECLARE_METATYPE(Style)

class NumericConversionTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        // Every test but the comma-locale ones runs with "." and ",", whatever the machine's locale.
        m_locale = std::make_unique<LocaleSeparators::Override>(u'.', u',');
    }

    void cleanup() { m_locale.reset(); }

    void parse_data()
    {
        VeltTest::columns<Target, QString, double, ConversionError>({"target", "text", "value", "error"});
        struct Case
        {
            QString text;
            double value;
            ConversionError error = None;
        };
        const auto rows = [](Target target, std::initializer_list<Case> cases) {
            for (const Case& c : cases)
                QTest::addRow("%s: %s", TargetNames[int(target)], qPrintable(c.text.left(40))) << target << c.text << c.value << c.error;
        };
        const Target I16 = Target::Int16, I32 = Target::Int32, R = Target::Real;
        const Target Val = Target::Leading, ValI = Target::LeadingInt32;

        // The decimal grammar, through the 16-bit target.
        for (const char* text : {"", "abc", "1 2", "- 5", "+-1", "-", ".", ",5", "1.2.3", "1.5,0", "1e", "1e+", "e5",
                                 "1e1.5", "0x10", "&h", "&hG", "&o8", "&x10", "-&h10", "\uFF15" /* a fullwidth digit */})
            rows(I16, {{QString::fromUtf8(text), 0, Mismatch}});
        rows(I16, {{" \t 12 \t", 12}, {"+7", 7}, {"-7", -7}, {"1,2,3", 123}, {"12,", 12}, {".51", 1}, {"5.", 5},
            {"1E+3", 1000}, {"25e-1", 2}, {"3.2767e4", 32767}, {"0e999999999999999999999", 0}, {"1e-999999999999999999999", 0},
            {"1" + QString(5000, u'0') + "e-5000", 1}, {"0." + QString(5000, u'0') + "9", 0}});
        // Ties go to even, decided on the exact decimal text.
        rows(I16, {{"2.5", 2}, {"3.5", 4}, {"-2.5", -2}, {"2.4999999", 2}, {"2.5" + QString(2000, u'0') + "1", 3}});
        // 16-bit bounds, and the patterns that fill 16 bits.
        rows(I16, {{"32767", 32767}, {"32768", 0, Overflow}, {"-32768", -32768}, {"-32769", 0, Overflow},
            {"32767.5", 0, Overflow}, {"-32768.5", -32768}, {"-32768.50001", 0, Overflow}, {"1e999999999999999999999", 0, Overflow},
            {QString(5000, u'9'), 0, Overflow}, {"&h7FFF", 32767}, {"&h8000", -32768}, {"&HfFfF", -1}, {"&h0000FFFF", -1},
            {"  &h10  ", 16}, {"&h10000", 0, Overflow}, {"&O100000", -32768}, {"&o200000", 0, Overflow}});

        // 32-bit bounds; patterns of fewer than 32 bits stay positive.
        rows(I32, {{"2147483647", 2147483647}, {"2147483648", 0, Overflow}, {"-2147483648", Min32}, {"-2147483649", 0, Overflow},
            {"2147483647.5", 0, Overflow}, {"2147483646.5", 2147483646}, {"-2147483648.5", Min32}, {"-2147483649.5", 0, Overflow},
            {"2.1474836475e9", 0, Overflow}, {"&hFFFF", 65535}, {"&hffffffff", -1}, {"&h80000000", Min32},
            {"&h00000000FFFFFFFF", -1}, {"&h100000000", 0, Overflow}, {"&h" + QString(3000, u'F'), 0, Overflow},
            {"&o37777777777", -1}, {"&o40000000000", 0, Overflow}, {"12 apples", 0, Mismatch}});

        // Reals: minus zero is zero, correctly rounded, the largest double and beyond.
        rows(R, {{"-0", 0.0}, {"-1e-400", 0.0}, {"-1.5", -1.5}, {"1,234.5", 1234.5}, {"1,5", 15.0} /* the comma groups here */,
            {"0.1", 0.1}, {"1.5E-3", 0.0015}, {"123456789012345678901234567890", 1.2345678901234568e29}, {"0e99999999999999999999", 0.0},
            {"1.79769313486231E+308", NumericConversion::RealUnbounded}, {"-1.79769313486231E+308", -NumericConversion::RealUnbounded},
            {"1.7976931348623157E+308", DBL_MAX}, {"1.79769313486232E+308", 0.0, Overflow}, {"-1e309", 0.0, Overflow},
            {"2.2250738585072014e-308", DBL_MIN}, {"4.9406564584124654e-324", std::numeric_limits<double>::denorm_min()}, {"2e-324", 0.0}});
        // Halfway between 1 and the next double, then a hair above it far beyond the stored digits.
        const QString halfway = QStringLiteral("1.00000000000000011102230246251565404236316680908203125");
        rows(R, {{halfway, 1.0}, {halfway + QString(1500, u'0') + "1", std::nextafter(1.0, 2.0)}, {QString(400, u'9'), 0.0, Overflow},
            {"&hFFFFFFFF", -1.0}, {"&h8000", 32768.0}, {"&h100000000", 0.0, Overflow}, {"&o17", 15.0}, {"", 0.0, Mismatch},
            {"nan", 0.0, Mismatch}, {"1 e5", 0.0, Mismatch}, {"1d5", 0.0, Mismatch}});

        // Val(): the leading number, blanks skipped, never a mismatch; "." whatever the locale.
        rows(Val, {{"-5 - Minus five", -5.0}, {"1 615 198th Street", 1615198.0}, {"- 4", -4.0}, {"1.5.5", 1.5}, {"1,5", 1.0},
            {".5 - Half", 0.5}, {"\t7\r\n", 7.0}, {"<Empty - Add Labels>", 0.0}, {"1d2", 100.0}, {"1 e - 2", 0.01},
            {"1e-", 1.0}, {"1e400", 0.0, Overflow}, {"&HFFFF", -1.0}, {"&H10000", 65536.0}, {"&HFFFFFFFF", -1.0},
            {"&H100000000", 0.0, Overflow}, {"&h1G", 1.0}, {"&o17 - x", 15.0}, {"&hZ", 0.0}});
        rows(ValI, {{"-32768 - Lowest", -32768}, {"2.5 - x", 2}, {"<Empty - Add Labels>", 0},
            {"3000000000 - x", 0, Overflow}, {"1e999", 0, Overflow}});

        // A decimal comma makes the point a group separator; hexadecimal is unaffected.
        rows(Target::CommaReal, {{"1,5", 1.5}, {"1.5", 15.0}, {"1.234,5", 1234.5}, {" -0,25e1 ", -2.5}, {"1,2,3", 0.0, Mismatch},
            {"1,2.3", 0.0, Mismatch}, {"&hFF", 255.0}});
        rows(Target::CommaInt32, {{"1,5", 2}, {"1.234,5", 1234}, {" -0,25e1 ", -2}, {"1,2,3", 0, Mismatch}, {"&hFF", 255}});

        // Rounding a double: ties to even, the bounds of each width, NaN overflows.
        rows(Target::RoundInt16, {{"2.5", 2}, {"3.5", 4}, {"32767.5", 0, Overflow}, {"-32768.5", -32768}, {"nan", 0, Overflow}});
        rows(Target::RoundInt32, {{"32767.5", 32768}, {"2147483647.49", 2147483647}, {"2147483647.5", 0, Overflow},
            {"-2147483648.5", Min32}, {"-2147483649", 0, Overflow}, {"nan", 0, Overflow}});
    }

    void parse()
    {
        QFETCH(Target, target);
        QFETCH(QString, text);
        QFETCH(double, value);
        QFETCH(ConversionError, error);
        const RealResult result = ::parse(target, text);
        QCOMPARE(result.error, error);
        QVERIFY2(sameDouble(result.value, value), describe(result.value));
        QCOMPARE(result.ok(), error == None);
        QCOMPARE(result.description(), QStringList({"", "Type mismatch", "Overflow"}).at(int(error)));
        if (target == Target::Leading) {
            const LocaleSeparators::Override comma(u',', u';');
            const RealResult again = NumericConversion::leadingValue(text);
            QCOMPARE(again.error, error);
            QVERIFY2(sameDouble(again.value, value), describe(again.value));
        }
    }

    void parseInt32InView_data()
    {
        VeltTest::columns<QString, IntegerView, QString, qint32, ConversionError>({"text", "view", "normalized", "value", "error"});
        for (IntegerView view : {IntegerView::Decimal, IntegerView::Octal, IntegerView::VbOctal, IntegerView::Hexadecimal, IntegerView::VbHexadecimal}) {
            const QByteArray tag = QByteArray::number(int(view));
            QTest::newRow(("0x1f, view " + tag).constData()) << "0x1f" << view << "&h1f" << 31 << None;
            QTest::newRow(("010, view " + tag).constData()) << " 010 " << view << "&o10" << 8 << None;
            QTest::newRow(("0.5, view " + tag).constData()) << "0.5" << view << "&o.5" << 0 << Mismatch;
            QTest::newRow(("0x alone, view " + tag).constData()) << "0x" << view << "&h" << 0 << Mismatch;
        }
        QTest::newRow("upper X, decimal") << "0X1F" << IntegerView::Decimal << "&oX1F" << 0 << Mismatch;
        QTest::newRow("17, octal") << "17" << IntegerView::Octal << "&o17" << 15 << None;
        QTest::newRow("blank, decimal") << "  " << IntegerView::Decimal << "" << 0 << Mismatch;
        QTest::newRow("2.5, decimal") << "2.5" << IntegerView::Decimal << "2.5" << 2 << None;
        QTest::newRow("negative, hexadecimal") << "-1" << IntegerView::Hexadecimal << "&h-1" << 0 << Mismatch;
        QTest::newRow("all ones, VB hexadecimal") << "FFFFFFFF" << IntegerView::VbHexadecimal << "&hFFFFFFFF" << -1 << None;
        QTest::newRow("8 in VB octal") << "18" << IntegerView::VbOctal << "&o18" << 0 << Mismatch;
    }

    void parseInt32InView()
    {
        QFETCH(QString, text);
        QFETCH(IntegerView, view);
        QTEST(NumericConversion::normalizeIntegerText(text, view), "normalized");
        const Int32Result result = NumericConversion::parseInt32InView(text, view);
        QTEST(result.error, "error");
        QTEST(result.value, "value");
    }

    void formatInt32_data()
    {
        // base: 0: the view's rendering, else the bare digits in the base
        VeltTest::columns<qint32, int, IntegerView, QString>({"value", "base", "view", "text"});
        const auto rows = [](qint32 value, std::initializer_list<std::pair<IntegerView, QString>> texts) {
            for (const auto& [view, text] : texts)
                QTest::addRow("%d, view %d", value, int(view)) << value << 0 << view << text;
        };
        rows(255, {{IntegerView::Decimal, "255"}, {IntegerView::Octal, "0377"}, {IntegerView::VbOctal, "&o377"},
                   {IntegerView::Hexadecimal, "0xFF"}, {IntegerView::VbHexadecimal, "&hFF"}});
        rows(-1, {{IntegerView::Hexadecimal, "0xFFFFFFFF"}, {IntegerView::Octal, "037777777777"}, {IntegerView::VbOctal, "&o37777777777"}});
        rows(0, {{IntegerView::Octal, "00"}, {IntegerView::Hexadecimal, "0x0"}});
        rows(Min32, {{IntegerView::Decimal, "-2147483648"}, {IntegerView::Octal, "020000000000"}, {IntegerView::VbHexadecimal, "&h80000000"}});
        const auto digits = [](qint32 value, int base, const QString& text) {
            QTest::addRow("%d in base %d", value, base) << value << base << IntegerView::Decimal << text;
        };
        digits(-1, 2, QString(32, u'1'));
        digits(0xabcdef, 16, "ABCDEF");
        digits(5, 3, "");
    }

    void formatInt32()
    {
        QFETCH(qint32, value);
        QFETCH(int, base);
        QFETCH(IntegerView, view);
        QTEST(base ? NumericConversion::formatInt32Digits(value, base) : NumericConversion::formatInt32(value, view), "text");
    }

    void formatReal_data()
    {
        VeltTest::columns<Style, double, int, QString>({"style", "value", "precision", "text"});
        const auto row = [](Style style, double value, int precision, const QString& text) {
            static const char* const names[] = {"general", "forced", "scientific", "real"};
            QTest::addRow("%s %.17g, %d", names[int(style)], value, precision) << style << value << precision << text;
        };
        const auto rows = [&](Style style, std::initializer_list<std::tuple<double, int, QString>> texts) {
            for (const auto& [value, precision, text] : texts)
                row(style, value, precision, text);
        };

        // 15 significant digits, plain from 1E-04 up to below 1E+15.
        rows(Style::General, {{-0.0, 0, "0"}, {-1.0, 0, "-1"}, {0.1 + 0.2, 0, "0.3"}, {2.0 / 3.0, 0, "0.666666666666667"},
            {999999999999999.0, 0, "999999999999999"}, {999999999999999.9, 0, "1E+15"}, {1234567890123456.0, 0, "1.23456789012346E+15"},
            {1e100, 0, "1E+100"}, {0.0001, 0, "0.0001"}, {0.00001, 0, "1E-05"}, {-1.5e-7, 0, "-1.5E-07"}, {DBL_MAX, 0, "1.79769313486232E+308"},
            {NumericConversion::RealUnbounded, 0, "1.79769313486231E+308"}, {-NumericConversion::RealUnbounded, 0, "-1.79769313486231E+308"},
            {std::numeric_limits<double>::denorm_min(), 0, "4.94065645841247E-324"}, {NaN, 0, "NaN"}, {Inf, 0, "Infinity"}, {-Inf, 0, "-Infinity"}});
        // A decimal separator always.
        rows(Style::Forced, {{-5.0, 0, "-5.0"}, {-0.0, 0, "0.0"}, {0.5, 0, "0.5"}, {1.5e20, 0, "1.5E+20"}, {1e-5, 0, "1.0E-05"}, {1e15, 0, "1.0E+15"}, {NaN, 0, "NaN"}});
        // Scientific: half away from zero on the shown digits, at most 15.
        rows(Style::Scientific, {{-1234.5, 3, "-1.235E+03"}, {0.000123, 2, "1.23E-04"}, {-1.25, 1, "-1.3E+00"},
            {-0.0, 2, "0.00E+00"}, {9.9996, 3, "1.000E+01"}, {1e100, 2, "1.00E+100"}, {1e-100, 2, "1.00E-100"},
            {1234.5, 15, "1.234500000000000E+03"}, {1234.5, 20, "1.234500000000000E+03"},
            {NumericConversion::RealUnbounded, 14, "1.79769313486231E+308"}, {DBL_MAX, 2, "1.80E+308"},
            {2.675, 2, "2.68E+00"}, {150.0, 0, "2E+02"}, {5.0, -3, "5E+00"}, {Inf, 3, "Infinity"}});
        // formatReal: precision 0 or less is the forced decimal, else scientific.
        rows(Style::Real, {{12.0, 0, "12.0"}, {12.0, -1, "12.0"}, {1234.5, 3, "1.235E+03"}, {1.0 / 3.0, 20, "3.333333333333330E-01"}});
    }

    void formatReal()
    {
        QFETCH(Style, style);
        QFETCH(double, value);
        QFETCH(int, precision);
        using N = NumericConversion;
        QTEST(style == Style::General  ? N::formatGeneral(value)
              : style == Style::Forced ? N::formatForcedDecimal(value)
              : style == Style::Real   ? N::formatReal(value, precision)
                                       : N::formatScientific(value, precision),
              "text");
    }

    void unboundedValues()
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
        using N = NumericConversion;
        QCOMPARE(QList<bool>({N::isUnboundedHigh(N::RealUnbounded), N::isUnboundedLow(-N::RealUnbounded), N::isUnboundedHigh(DBL_MAX),
                              N::isUnboundedLow(-DBL_MAX), N::isUnboundedLow(N::RealUnbounded), N::isUnboundedLow(Min32),
                              N::isUnboundedHigh(qint32(2147483647)), N::isUnboundedHigh(qint32(2147483646))}),
                 QList<bool>({true, true, false, false, false, true, true, false}));
    }

    void commaLocaleRendering()
    {
        m_locale.reset();
        const LocaleSeparators::Override comma(u',', u';');
        QCOMPARE(LocaleSeparators::current().list, QChar(u';'));
        QCOMPARE(QStringList({NumericConversion::formatReal(12.0, 0), NumericConversion::formatGeneral(1.0 / 3.0),
                              NumericConversion::formatForcedDecimal(1.5e-7), NumericConversion::formatScientific(1234.5, 3)}),
                 QStringList({"12,0", "0,333333333333333", "1,5E-07", "1,235E+03"}));
        QCOMPARE(NumericConversion::toReal(NumericConversion::formatReal(-1234.5678, 15)).value, -1234.5678);
    }

private:
    std::unique_ptr<LocaleSeparators::Override> m_locale;
};

QTEST_GUILESS_MAIN(NumericConversionTest)
#include "numericconversiontest.moc"
