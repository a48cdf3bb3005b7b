// The number editors' rules, widget-free and core-free: the restriction rules both share, then
// each editor's views, messages, status lines, precision and choice list bounds and texts.
#include "columns.h"
#include "numbertesting.h"

#include <QTest>

#include <cfloat>

namespace I = Velt::Int32Rules;
namespace R = Velt::Real64Rules;
using Velt::BoundSide;
using Velt::Bounds;
using NumberTest::byType;

namespace {
const double IntMin = Velt::NumericConversion::Int32UnboundedLow;
const double IntMax = Velt::NumericConversion::Int32UnboundedHigh;
const double RealMax = R::Unbounded;
} // namespace

struct Check { QString number; double value, low, high; QString rendering, expected; };
struct Typed { QString number; bool lowSide; QString text; double low, high; QString error; };
struct ValueText { QString number, text, view; double value; QString error, rendered; };
struct ChoiceBounds { QString begin, end; bool endSide; QString error; };
struct Status { QString number; double value; QString view, entry, units; bool restricted; QString error, status; };
Q_DECLARE_METATYPE(Check)
Q_DECLARE_METATYPE(Typed)
Q_DECLARE_METATYPE(ValueText)
Q_DECLARE_METATYPE(Status)
Q_DECLARE_METATYPE(ChoiceBounds)

class NumberRulesTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // The check of a value, the summary and the two bound texts: "message|summary|low|high".
    void restriction_data()
    {
        QTest::addColumn<Check>("c");
        QTest::newRow("integer on the bounds") << Check{"integer", 20, 20, 20, "Hexadecimal", "|0x14 <= Value <= 0x14|0x14|0x14"};
        QTest::newRow("integer above, hex") << Check{"integer", 25, 10, 20, "Hexadecimal", "Value must be less or equal to  0x14 (20)|0xA <= Value <= 0x14|0xA|0x14"};
        QTest::newRow("integer below, decimal") << Check{"integer", 5, 10, 20, "Decimal", "Value must be greater or equal to 10|10 <= Value <= 20|10|20"};
        QTest::newRow("integer unbounded") << Check{"integer", IntMax, IntMin, IntMax, "Decimal", "|Value||"};
        QTest::newRow("integer high only") << Check{"integer", 0, IntMin, 32, "Hexadecimal", "|Value <= 0x20||0x20"};
        QTest::newRow("integer low only") << Check{"integer", 8, 8, IntMax, "Octal", "|010 <= Value|010|"};
        QTest::newRow("integer next to unbounded") << Check{"integer", 0, IntMin + 1, IntMax, "Decimal", "|-2147483647 <= Value|-2147483647|"};
        QTest::newRow("real below") << Check{"real", 0.5, 1, 2, "0", "Value must be greater or equal to 1.0|1.0 <= Value <= 2.0|1.0|2.0"};
        QTest::newRow("real above, precision 2") << Check{"real", 2.5, 1, 2, "2", "Value must be less or equal to  2.00E+00|1.00E+00 <= Value <= 2.00E+00|1.00E+00|2.00E+00"};
        QTest::newRow("real high only") << Check{"real", 0, -RealMax, 2, "0", "|Value <= 2.0||2.0"};
        QTest::newRow("real unbounded") << Check{"real", 1e300, -RealMax, RealMax, "0", "|Value||"};
        // The largest double lies beyond the unbounded value: it is a real bound.
        QTest::newRow("real true extreme") << Check{"real", 0, -DBL_MAX, RealMax, "0", "|-1.79769313486232E+308 <= Value|-1.79769313486232E+308|"};
    }
    void restriction()
    {
        QFETCH(Check, c);
        const QStringList texts = byType(c.number, [&](auto traits) {
            using Traits = decltype(traits);
            using T = typename Traits::Value;
            using Rules = Velt::RestrictionRules<Traits>;
            const auto how = NumberTest::rendering<Traits>(c.rendering);
            const Bounds<T> bounds{T(c.low), T(c.high)};
            return QStringList{Rules::check(T(c.value), how, bounds), Rules::summary(bounds, how), Rules::boundText(bounds.low, BoundSide::Low, how),
                               Rules::boundText(bounds.high, BoundSide::High, how)};
        });
        QCOMPARE(texts.join(u'|'), c.expected);
    }

    // One side typed: the other side is kept, the typed side is read with its own caption.
    void typedBound_data()
    {
        QTest::addColumn<Typed>("t");
        QTest::newRow("integer low alone") << Typed{"integer", true, "10", 10, IntMax, ""};
        QTest::newRow("integer high blank") << Typed{"integer", false, " ", IntMin, IntMax, "The High value cannot be blank"};
        QTest::newRow("integer low not a number") << Typed{"integer", true, "zz", IntMin, IntMax, "The Low value is not a legal integer: Type mismatch"};
        QTest::newRow("real high alone") << Typed{"real", false, "2.5", -RealMax, 2.5, ""};
        QTest::newRow("real low not a number") << Typed{"real", true, "x", -RealMax, RealMax, "The Low value is not a legal numeric value: Type mismatch"};
    }
    void typedBound()
    {
        QFETCH(Typed, t);
        const auto [low, high, error] = byType(t.number, [&](auto traits) {
            using Traits = decltype(traits);
            using Rules = Velt::RestrictionRules<Traits>;
            const auto typed = Rules::withBound(Rules::unbounded(), t.lowSide ? BoundSide::Low : BoundSide::High, t.text, typename Traits::Rendering());
            return std::tuple(double(typed.value.low), double(typed.value.high), typed.error);
        });
        QCOMPARE(std::tuple(low, high, error), std::tuple(t.low, t.high, t.error));
    }

    // What each editor's rules add to the conversions: view names, trimming, captions and
    // messages. Only the integer renders through its view here.
    void valueText_data()
    {
        QTest::addColumn<ValueText>("v");
        const QString mismatch = QStringLiteral("The Value is not a legal %1: Type mismatch");
        const QString blank = QStringLiteral("The Value cannot be blank");
        QTest::newRow("decimal") << ValueText{"integer", "17", "Decimal", 17, "", "17"};
        QTest::newRow("VB octal") << ValueText{"integer", "17", "VB Octal", 15, "", "&o17"};
        QTest::newRow("unknown view: decimal, no rendering") << ValueText{"integer", "17", "Binary", 17, "", ""};
        QTest::newRow("integer blank") << ValueText{"integer", "  ", "Decimal", 0, blank, "0"};
        // The view's prefix comes first, so a blank is a malformed number there.
        QTest::newRow("integer blank hexadecimal") << ValueText{"integer", "", "Hexadecimal", 0, mismatch.arg("integer"), "0x0"};
        QTest::newRow("real trimmed") << ValueText{"real", " 12 ", "", 12, "", ""};
        QTest::newRow("real blank") << ValueText{"real", "   ", "", 0, blank, ""};
        QTest::newRow("real not a number") << ValueText{"real", "abc", "", 0, mismatch.arg("numeric value"), ""};
    }
    void valueText()
    {
        QFETCH(ValueText, v);
        const QString caption = Velt::NumberTexts::ValueCaption;
        if (v.number == u"integer") {
            const auto parsed = I::parseIntegerText(caption, v.text, v.view);
            QCOMPARE(std::tuple(parsed.error, parsed.value, I::formatIntegerText(int32_t(v.value), v.view)), std::tuple(v.error, int32_t(v.value), v.rendered));
        } else {
            const auto parsed = R::parseRealText(caption, v.text);
            QCOMPARE(std::tuple(parsed.error, parsed.value), std::tuple(v.error, v.value));
        }
    }

    // Integers restricted to 10..20, reals to 1..2 (shown with the precision 0).
    void status_data()
    {
        QTest::addColumn<Status>("s");
        QTest::newRow("hex with units") << Status{"integer", 255, "Hexadecimal", "0xFF", " mV ", false, "", "0xFF mV or 255 mV decimal"};
        QTest::newRow("single digit: no repetition") << Status{"integer", 5, "Hexadecimal", "0x5", "V", false, "", "0x5 V"};
        QTest::newRow("hex") << Status{"integer", 255, "Hexadecimal", "0xFF", "", false, "", "Hexadecimal view of 255"};
        QTest::newRow("octal") << Status{"integer", 8, "Octal", "010", "", false, "", "Octal view of 8"};
        QTest::newRow("VB hex") << Status{"integer", 255, "VB Hexadecimal", "&hFF", "", false, "", "Visual Basic hexadecimal view of 255"};
        QTest::newRow("rounds up, no units") << Status{"integer", 4, "Decimal", " 3.5 ", "", false, "", "Note: Value will round to 4 "};
        QTest::newRow("decimal with units") << Status{"integer", 7, "Decimal", "7", "V", false, "", "7 V"};
        QTest::newRow("decimal plain") << Status{"integer", 7, "Decimal", "7", "", false, "", ""};
        QTest::newRow("integer restricted") << Status{"integer", 25, "Hexadecimal", "0x19", "", true, "Value must be less or equal to  0x14 (20)", "Hexadecimal view of 25"};
        QTest::newRow("real entry with units") << Status{"real", 1.5, "", "1,50", " V ", true, "", "1,50 V"};
        QTest::newRow("real without units") << Status{"real", 1.5, "", "1.5", "", true, "", ""};
        QTest::newRow("real outside") << Status{"real", 3, "", "3", "V", true, "Value must be less or equal to  2.0", "3 V"};
    }
    void status()
    {
        QFETCH(Status, s);
        const Velt::StatusLine line = s.number == u"integer"
            ? I::integerStatus(int32_t(s.value), s.view, s.restricted ? Bounds<int32_t>{10, 20} : I::Restriction::unbounded(), s.entry, s.units)
            : R::realStatus(s.value, 0, {1.0, 2.0}, s.entry, s.units);
        QCOMPARE(line.error + u'|' + line.status, s.error + u'|' + s.status);
    }

    void precision_data()
    {
        // result: "value|error"
        VeltTest::columns<QString, QString>({"text", "result"});
        QTest::newRow("blank") << "  " << "0|";
        QTest::newRow("fifteen") << "15" << "15|";
        QTest::newRow("negative") << "-1" << "0|'Precision' value must zero or greater";
        QTest::newRow("sixteen") << "16" << "0|'Precision' value must 15 or less";
        QTest::newRow("not a number") << "two" << "0|'Precision' value must be an integer";
    }
    void precision()
    {
        QFETCH(QString, text);
        const Velt::Parsed<int> parsed = R::validatePrecision(text);
        QTEST(QString::number(parsed.value) + u'|' + parsed.error, "result");
    }

    void choiceBounds_data()
    {
        QTest::addColumn<ChoiceBounds>("c");
        QTest::newRow("1001 labels") << ChoiceBounds{"0", "1000", false, ""};
        QTest::newRow("1002 labels") << ChoiceBounds{"0", "1001", false, "Total number of labels is limited to 1000"};
        QTest::newRow("1001 at the bottom") << ChoiceBounds{"-32768", " -31768 ", false, ""};
        QTest::newRow("one label") << ChoiceBounds{"3", "3", true, ""};
        QTest::newRow("begin blank") << ChoiceBounds{" ", "3", false, "'Begin at' value must be specified"};
        QTest::newRow("end blank") << ChoiceBounds{"1", "", false, "'End at' value must be specified"};
        QTest::newRow("begin not a number") << ChoiceBounds{"x", "3", false, "'Begin at' value of choice list must be an integer"};
        QTest::newRow("end beyond 16 bits") << ChoiceBounds{"1", "40000", false, "'End at' value of choice list must be an integer"};
        QTest::newRow("crossed, begin side") << ChoiceBounds{"5", "3", false, "'Begin at' must be less than 'End at'"};
        QTest::newRow("crossed, end side") << ChoiceBounds{"5", "3", true, "'End at' must be greater than 'Begin at'"};
    }
    void choiceBounds()
    {
        QFETCH(ChoiceBounds, c);
        const auto bounds = I::validateChoiceBounds(c.begin, c.end, c.endSide ? I::ChoiceSide::End : I::ChoiceSide::Begin);
        const auto expected = c.error.isEmpty() ? std::pair(c.begin.trimmed().toInt(), c.end.trimmed().toInt()) : std::pair(bounds.value.low, bounds.value.high);
        QCOMPARE(std::tuple(bounds.error, bounds.value.low, bounds.value.high), std::tuple(c.error, expected.first, expected.second));
    }

    void lineTexts()
    {
        const QStringList texts{I::choiceText(1, "True"), I::comboChoiceText(-3, "Off"), QString::number(I::choiceValue("12 - Twelve").value),
                                I::labelCaption(-7), I::labelsText(2), I::Traits::valueText(255, I::Hexadecimal, "mV"),
                                I::Traits::stripDecorations(" 0xFF mV (Hexadecimal) ", I::Hexadecimal, "mV"),
                                I::Traits::stripDecorations("12 V", I::Decimal, "V"), R::Traits::valueText(12.0, 0, "V"),
                                R::Traits::stripDecorations(" 1.5 V ", 0, "V")};
        QCOMPARE(texts, (QStringList{"1 - True", "-3  - Off", "12", "Label (-7)", "2 Labels to define", "0xFF mV (Hexadecimal)", "0xFF",
                                     "12", "12.0 V", "1.5"}));
    }
};

QTEST_MAIN(NumberRulesTest)
#include "numberrulestest.moc"
