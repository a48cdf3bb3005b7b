// The integer and real array rules, widget-free and core-free: the texts of the "Dimensions"
// tab, the index boxes, cell values against a restriction, the status update and its order,
// and the structured face's main line. Each table runs the family its "family" column names.
#include "columns.h"

#include "localeseparators.h"
#include "numericarrayrules_p.h"
#include "numericarraytesting.h"
#include "numericarraytraits_p.h"

#include <QTest>

#include <map>

using namespace Velt;
using NumericArrayTest::shape;
namespace T = NumericArrayTexts;

namespace {

// Runs f with the traits the family names.
template <typename F>
auto byFamily(const QString& family, F f)
{
    return family == u"integer" ? f(Int32ArrayTraits{}) : f(Real64ArrayTraits{});
}

template <typename Traits>
typename Traits::Rendering renderingOf(const QString& view)
{
    if constexpr (std::is_same_v<Traits, Int32ArrayTraits>)
        return view.isEmpty() ? QStringLiteral("Decimal") : view;
    else
        return 0;
}

} // namespace

struct Cell { QString family, view, text; double low, high; QString error; double value; };
Q_DECLARE_METATYPE(Cell)
Q_DECLARE_METATYPE(Velt::ArrayShape)

class NumericArrayRulesTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void enter_data()
    {
        QTest::addColumn<Cell>("c");
        const double big = 1e300;
        QTest::newRow("real above") << Cell{"real", "", "11", 0, 10, "Value 11.0 must be less or equal to  10.0", 11};
        QTest::newRow("real below") << Cell{"real", "", "-0.5", 0, 10, "Value -0.5 must be greater or equal to 0.0", -0.5};
        QTest::newRow("real crossed") << Cell{"real", "", "5", 10, 0, "Attribute restruction 'High' value must be greater than 'Low' value", 5};
        QTest::newRow("real blank") << Cell{"real", "", " ", -big, big, "The Value cannot be blank", 0};
        QTest::newRow("real letters") << Cell{"real", "", "abc", -big, big, "The Value is not a legal numeric value: Type mismatch", 0};
        QTest::newRow("real exponent") << Cell{"real", "", "1E+20", -big, big, "", 1e20};
        QTest::newRow("integer letters") << Cell{"integer", "", "abc", -big, big, "The Value is not a legal integer value: Type mismatch", 0};
        QTest::newRow("integer overflow") << Cell{"integer", "", "2147483648", -big, big, "The Value is not a legal integer value: Overflow", 0};
        QTest::newRow("integer 0x in decimal view") << Cell{"integer", "Decimal", "0x1f", -big, big, "", 31};
        QTest::newRow("integer bare digits, hex view") << Cell{"integer", "Hexadecimal", "17", -big, big, "", 23};
        QTest::newRow("integer above, hex view") << Cell{"integer", "Hexadecimal", "B", 0, 10, "Value 0xB must be less or equal to  0xA", 11};
        QTest::newRow("integer half rounds to even") << Cell{"integer", "Decimal", "2.5", 0, 10, "", 2};
    }
    void enter()
    {
        QFETCH(Cell, c);
        byFamily(c.family, [&](auto traits) {
            using Traits = decltype(traits);
            using V = typename Traits::Value;
            const Bounds<V> bounds{c.low < -3e9 ? Traits::Scalar::UnboundedLow : V(c.low),
                                   c.high > 3e9 ? Traits::Scalar::UnboundedHigh : V(c.high)};
            const auto entry = NumericArrayRules<Traits>::enter(c.text, renderingOf<Traits>(c.view), bounds);
            QCOMPARE(entry.error, c.error);
            // A value that reads is kept even outside the restriction: it is written, and OK clamps.
            QCOMPARE(entry.value.has_value(), !c.error.startsWith("The "));
            if (entry.value)
                QCOMPARE(double(*entry.value), c.value);
        });
    }

    void pasteAndClear_data()
    {
        VeltTest::columns<QString, QString, double, double, QString, double>({"family", "text", "low", "high", "pasteError", "cleared"});
        QTest::newRow("real, zero inside") << "real" << "x" << -1.0 << 1.0 << "Cannot paste - The Value is not a legal numeric value: Type mismatch" << 0.0;
        QTest::newRow("real, zero below") << "real" << "12" << 5.0 << 10.0 << "" << 5.0;
        QTest::newRow("integer, zero above") << "integer" << "" << -10.0 << -5.0 << "Cannot paste - The Value cannot be blank" << -5.0;
    }
    void pasteAndClear()
    {
        QFETCH(QString, family);
        QFETCH(QString, text);
        QFETCH(double, low);
        QFETCH(double, high);
        byFamily(family, [&](auto traits) {
            using Traits = decltype(traits);
            using V = typename Traits::Value;
            using Rules = NumericArrayRules<Traits>;
            QTEST(Rules::pasted(text, renderingOf<Traits>({})).error, "pasteError");
            QTEST(double(Rules::cleared({V(low), V(high)})), "cleared");
        });
    }

    void restrictionBoxes_data()
    {
        VeltTest::columns<QString, bool, QString, QString>({"family", "lowSide", "text", "error"});
        QTest::newRow("low above high") << "real" << true << "20" << "Attribute restriction 'Low' value must be less than 'High' value";
        QTest::newRow("high below low") << "integer" << false << "-1" << "Attribute restruction 'High' value must be greater than 'Low' value";
        QTest::newRow("low letters") << "integer" << true << "x" << "The Low value is not a legal integer value: Type mismatch";
        QTest::newRow("high blank") << "real" << false << "" << "The High value cannot be blank";
        QTest::newRow("equal is fine") << "real" << false << "0" << "";
    }
    void restrictionBoxes()
    {
        QFETCH(QString, family);
        QFETCH(bool, lowSide);
        QFETCH(QString, text);
        byFamily(family, [&](auto traits) {
            using Traits = decltype(traits);
            using V = typename Traits::Value;
            const auto typed = NumericArrayRules<Traits>::restrictionBox(
                {V(0), V(10)}, lowSide ? BoundSide::Low : BoundSide::High, text, renderingOf<Traits>({}));
            QTEST(typed.error, "error");
        });
    }

    void statusLine_data()
    {
        VeltTest::columns<QString, QString, double, int, QChar, QString, QString>({"family", "view", "value", "dimensions", "list", "units", "line"});
        QTest::newRow("real vector") << "real" << "" << 4.0 << 1 << QChar(',') << "V" << "Value at index 2 is 4.0 V";
        QTest::newRow("real table, semicolon") << "real" << "" << 1e20 << 2 << QChar(';') << "" << "Value at index (2; 3) is 1,0E+20";
        QTest::newRow("real planes") << "real" << "" << -0.5 << 3 << QChar(',') << "" << "Value at index (2, 3, 4) is -0.5";
        QTest::newRow("integer decimal view") << "integer" << "Decimal" << 255.0 << 1 << QChar(',') << "mV" << "Value at index 2 is 255 mV";
        QTest::newRow("integer hex view") << "integer" << "Hexadecimal" << 255.0 << 2 << QChar(',') << "mV" << "Value at index (2, 3) is 0xFF mV or 255 mV decimal";
        QTest::newRow("integer octal, no units") << "integer" << "Octal" << -1.0 << 1 << QChar(',') << "" << "Value at index 2 is 037777777777 or -1 decimal";
    }
    void statusLine()
    {
        QFETCH(QString, family);
        QFETCH(QString, view);
        QFETCH(double, value);
        QFETCH(int, dimensions);
        QFETCH(QChar, list);
        QFETCH(QString, units);
        const LocaleSeparators::Override separators(list == u';' ? QChar(',') : QChar('.'), list);
        const QString line = byFamily(family, [&](auto traits) {
            using Traits = decltype(traits);
            return NumericArrayRules<Traits>::statusLine(typename Traits::Value(value), {2, 3, 4}, dimensions, renderingOf<Traits>(view), units);
        });
        QTEST(line, "line");
    }

    // Cells are visited planes outermost, then columns, then rows: of two values outside, the
    // one in the earlier column is reported although its row comes later.
    void firstOutsideOrder()
    {
        const ArrayShape s = shape({1, 3, 1, 3, 0, 1});
        const std::map<std::tuple<int, int, int>, double> outside{{{1, 3, 0}, 20}, {{3, 2, 0}, -4}, {{1, 1, 1}, 30}};
        const auto at = [&](ArrayCell i) {
            const auto found = outside.find({i.row, i.column, i.plane});
            return found == outside.end() ? 1.0 : found->second;
        };
        QCOMPARE(NumericArrayRules<Real64ArrayTraits>::firstOutside(s, at, 0, {0.0, 10.0}),
                 "Value -4.0 at row 3, column 2, plane 0 must be greater or equal to 0.0");
    }

    void mainText_data()
    {
        // view: an integer view, or "" for reals.
        VeltTest::columns<ArrayShape, QString, QString, QString>({"shape", "view", "units", "text"});
        QTest::newRow("one element") << shape({0, 0}) << "" << "" << "1 value indexed from 0 to 0";
        QTest::newRow("vector with units") << shape({-1, 1}) << "" << "V" << "3 values indexed from -1 to 1 in V";
        QTest::newRow("table") << shape({1, 2, 1, 3}) << "" << "" << "6 values in  (1 to 2) rows,  (1 to 3) columns";
        QTest::newRow("planes, hex") << shape({1, 2, 1, 3, 0, 1}) << "Hexadecimal" << "A" << "12 Hex values in  (1 to 2) rows,  (1 to 3) columns,  (0 to 1) planes in A";
        QTest::newRow("vb octal") << shape({1, 2}) << "VB Octal" << "" << "2 OctalVB values indexed from 1 to 2";
        QTest::newRow("unknown view") << shape({1, 2}) << "Binary" << "" << "2Unknown Format Type values indexed from 1 to 2";
        ArrayShape four;
        four.dimensions = 4;
        QTest::newRow("four dimensions") << four << "" << "V" << "Cannot display 4number of dimensions";
    }
    void mainText()
    {
        QFETCH(ArrayShape, shape);
        QFETCH(QString, view);
        QFETCH(QString, units);
        const QString countWord = view.isEmpty() ? QString() : Int32ArrayTraits::countWord(view);
        QTEST(T::mainText(shape, shape.dimensions > 3 ? 0 : shape.count().value_or(0), countWord, units), "text");
    }
};

QTEST_GUILESS_MAIN(NumericArrayRulesTest)
#include "numericarrayrulestest.moc"
