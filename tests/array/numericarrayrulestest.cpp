// The integer and real array rules, widget-free and core-free: the texts of the "Dimensions"
// tab, the index boxes, cell values against a restriction, the status update and its order,
// and the structured face's main line. Each table runs the family its "family" column names.
#include "columns.h"

#include "localeseparators.h"
#include "numericarrayrules_p.h"
#include "numericarraytraits_p.h"

#include <QTest>

#include <map>

using namespace Velt;
namespace T = NumericArrayTexts;

namespace {

ArrayWords wordsOf(const QString& family)
{
    return family == u"integer" ? Int32ArrayTraits::words() : Real64ArrayTraits::words();
}

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

ArrayShape shape(std::initializer_list<int32_t> bounds)
{
    ArrayShape s;
    s.dimensions = int(bounds.size() / 2);
    auto it = bounds.begin();
    for (std::size_t d = 0; d < std::size_t(s.dimensions); ++d) {
        s.lower[d] = *it++;
        s.upper[d] = *it++;
    }
    return s;
}

} // namespace

struct Cell { QString family, view, text; double low, high; QString error; double value; };
struct Form { QString dims, lower0, upper0, lower1, upper1, row, column; int inUse; double badValue; QString error; };
Q_DECLARE_METATYPE(Cell)
Q_DECLARE_METATYPE(Form)
Q_DECLARE_METATYPE(Velt::ArrayShape)

class NumericArrayRulesTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void dimensions_data()
    {
        VeltTest::columns<QString, QString, int, QString>({"family", "text", "number", "error"});
        QTest::newRow("empty") << "real" << "  " << 0 << "'Number of dimensions' value must be specified";
        QTest::newRow("four") << "real" << "4" << 0 << "'Number of dimensions' value of real array must be in between 1 and 3 inclusive.";
        QTest::newRow("zero, integer") << "integer" << "0" << 0 << "'Number of dimensions' value of integer array must be in between 1 and 3 inclusive.";
        QTest::newRow("letters, integer") << "integer" << "two" << 0 << "'Number of dimensions' value of integer array must be an integer";
        QTest::newRow("beyond 16 bits") << "real" << "70000" << 0 << "'Number of dimensions' value of real array must be an integer";
        QTest::newRow("two, blanks") << "real" << " 2 " << 2 << "";
        QTest::newRow("2.5 rounds to even") << "real" << "2.5" << 2 << "";
    }
    void dimensions()
    {
        QFETCH(QString, family);
        QFETCH(QString, text);
        const Parsed<int> parsed = T::parseDimensions(text, wordsOf(family));
        QTEST(parsed.error, "error");
        QTEST(parsed.value, "number");
    }

    void bounds_data()
    {
        VeltTest::columns<QString, QString, QString, QString>({"family", "lower", "upper", "error"});
        const QString range = " must be an integer (-32768 to 32767)";
        QTest::newRow("lower blank") << "real" << "" << "abc" << "Dimension 'Lower Bounds' value must be specified";
        QTest::newRow("lower 32768") << "real" << "32768" << "1" << "Dimension 'Lower Bounds' value of real array" + range;
        QTest::newRow("lower letters, integer") << "integer" << "abc" << "1" << "Dimension 'Lower Bounds' value of integer array" + range;
        QTest::newRow("upper blank") << "real" << "1" << " " << "Dimension 'Upper Bounds' value must be specified";
        QTest::newRow("upper -32769") << "integer" << "1" << "-32769" << "Dimension 'Upper Bounds' value of integer array" + range;
        QTest::newRow("crossed") << "real" << "2" << "1" << "Dimension 'Lower bounds' must be less than 'Upper Bounds'";
        QTest::newRow("equal") << "real" << "-32768" << "-32768" << "";
    }
    void bounds()
    {
        QFETCH(QString, family);
        QFETCH(QString, lower);
        QFETCH(QString, upper);
        QTEST(T::parseBounds(lower, upper, wordsOf(family)).error, "error");
    }

    void total_data()
    {
        VeltTest::columns<QString, ArrayShape, int, QString>({"family", "shape", "maximum", "error"});
        QTest::newRow("10 x 10 of 100") << "real" << shape({1, 10, 1, 10}) << 100 << "";
        QTest::newRow("10 x 11 of 100") << "real" << shape({1, 10, 1, 11}) << 100 << "Total number of reals is limited to 100";
        QTest::newRow("integers, planes") << "integer" << shape({1, 2, 1, 2, 0, 25}) << 100 << "Total number of integers is limited to 100";
        QTest::newRow("full 16-bit spans") << "real" << shape({-32768, 32767, -32768, 32767, -32768, 32767}) << 65535 << "Total number of reals is limited to 65535";
        QTest::newRow("65535 in one row") << "real" << shape({1, 65535 / 5, 1, 5}) << 65535 << "";
    }
    void total()
    {
        QFETCH(QString, family);
        QFETCH(ArrayShape, shape);
        QFETCH(int, maximum);
        QTEST(T::totalError(shape, maximum, wordsOf(family)), "error");
    }

    void index_data()
    {
        VeltTest::columns<QString, QString, QString, QString, QString>({"family", "index", "lower", "upper", "error"});
        QTest::newRow("blank") << "real" << "" << "1" << "5" << "Index value must be specified";
        QTest::newRow("letters, integer") << "integer" << "x" << "1" << "5" << "Index value of integer array must be an integer";
        QTest::newRow("above") << "real" << "6" << "1" << "5" << "Index must be less than 'Upper Array Bounds' of 5";
        QTest::newRow("below") << "real" << "0" << "1" << "5" << "Index must be greater than 'Lower Array Bounds' of 1";
        QTest::newRow("bad bound text") << "real" << "3" << "" << "5" << "Dimension 'Lower Bounds' value must be specified";
        QTest::newRow("crossed bounds") << "real" << "3" << "5" << "1" << "Dimension 'Lower bounds' must be less than 'Upper Bounds'";
        QTest::newRow("on a bound") << "real" << "5" << "1" << "5" << "";
    }
    void index()
    {
        QFETCH(QString, family);
        QFETCH(QString, index);
        QFETCH(QString, lower);
        QFETCH(QString, upper);
        QTEST(T::parseIndex(index, lower, upper, wordsOf(family)).error, "error");
    }

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

    // The status update reports the first error in the order of the form; without one, the
    // current cell's status line.
    void status_data()
    {
        QTest::addColumn<Form>("f");
        QTest::newRow("dimensions first") << Form{"4", "", "1", "1", "1", "", "", 2, 99, "'Number of dimensions' value of real array must be in between 1 and 3 inclusive."};
        QTest::newRow("row bounds before columns") << Form{"2", "", "1", "x", "1", "", "", 2, 99, "Dimension 'Lower Bounds' value must be specified"};
        QTest::newRow("column bounds") << Form{"2", "1", "2", "3", "1", "", "", 2, 99, "Dimension 'Lower bounds' must be less than 'Upper Bounds'"};
        QTest::newRow("unused dimension ignored") << Form{"1", "1", "2", "x", "", "1", "", 1, 0, "Value at index 2 is 0.0"};
        QTest::newRow("total before values") << Form{"2", "1", "10", "1", "11", "1", "1", 2, 99, "Total number of reals is limited to 100"};
        QTest::newRow("value outside before index") << Form{"2", "1", "2", "1", "3", "", "", 2, 11, "Value 11.0 at row 2, column 3 must be less or equal to  10.0"};
        QTest::newRow("index") << Form{"2", "1", "2", "1", "3", "1", "4", 2, 0, "Index must be less than 'Upper Array Bounds' of 3"};
        QTest::newRow("all good") << Form{"2", "1", "2", "1", "3", "2", "3", 2, 7, "Value at index (2, 3) is 7.0"};
    }
    void status()
    {
        QFETCH(Form, f);
        const LocaleSeparators::Override separators(QChar('.'), QChar(','));
        T::FormTexts texts{f.dims, {f.lower0, f.lower1, "0"}, {f.upper0, f.upper1, "0"}, {f.row, f.column, "0"}};
        ArrayShape s = shape({1, 2, 1, 3});
        s = s.withDimensions(f.inUse);
        // Every cell holds 0 but (2, 3), which holds badValue.
        const auto at = [&](ArrayIndex i) { return i.row == 2 && (f.inUse == 1 || i.column == 3) ? f.badValue : 0.0; };
        const StatusLine line = NumericArrayRules<Real64ArrayTraits>::status(texts, s, 100, at, {2, 3, 0}, 0, {0.0, 10.0}, {});
        QCOMPARE(line.error.isEmpty() ? line.status : line.error, f.error);
        QVERIFY(line.error.isEmpty() || line.status.isEmpty());
    }

    // Cells are visited planes outermost, then columns, then rows: of two values outside, the
    // one in the earlier column is reported although its row comes later.
    void firstOutsideOrder()
    {
        const ArrayShape s = shape({1, 3, 1, 3, 0, 1});
        const std::map<std::tuple<int, int, int>, double> outside{{{1, 3, 0}, 20}, {{3, 2, 0}, -4}, {{1, 1, 1}, 30}};
        const auto at = [&](ArrayIndex i) {
            const auto found = outside.find({i.row, i.column, i.plane});
            return found == outside.end() ? 1.0 : found->second;
        };
        QCOMPARE(NumericArrayRules<Real64ArrayTraits>::firstOutside(s, at, 0, {0.0, 10.0}),
                 "Value -4.0 at row 3, column 2, plane 0 must be greater or equal to 0.0");
    }

    void mainText_data()
    {
        VeltTest::columns<ArrayShape, QString, QString, QString>({"shape", "countWord", "units", "text"});
        QTest::newRow("one element") << shape({0, 0}) << "" << "" << "1 value indexed from 0 to 0";
        QTest::newRow("vector with units") << shape({-1, 1}) << "" << "V" << "3 values indexed from -1 to 1 in V";
        QTest::newRow("table") << shape({1, 2, 1, 3}) << "" << "" << "6 values in  (1 to 2) rows,  (1 to 3) columns";
        QTest::newRow("planes, hex") << shape({1, 2, 1, 3, 0, 1}) << " Hex" << "A" << "12 Hex values in  (1 to 2) rows,  (1 to 3) columns,  (0 to 1) planes in A";
        ArrayShape four;
        four.dimensions = 4;
        QTest::newRow("four dimensions") << four << "" << "V" << "Cannot display 4number of dimensions";
    }
    void mainText()
    {
        QFETCH(ArrayShape, shape);
        QFETCH(QString, countWord);
        QFETCH(QString, units);
        QTEST(T::mainText(shape, shape.dimensions <= 3 ? shape.count() : 0, countWord, units), "text");
    }

    void countWords_data()
    {
        VeltTest::columns<QString, QString>({"view", "word"});
        QTest::newRow("decimal") << "Decimal" << " Decimal";
        QTest::newRow("octal") << "Octal" << " Octal";
        QTest::newRow("hexadecimal") << "Hexadecimal" << " Hex";
        QTest::newRow("vb octal") << "VB Octal" << " OctalVB";
        QTest::newRow("vb hexadecimal") << "VB Hexadecimal" << " HexVB";
        QTest::newRow("unknown") << "Binary" << "Unknown Format Type";
    }
    void countWords()
    {
        QFETCH(QString, view);
        QTEST(Int32ArrayTraits::countWord(view), "word");
    }

    void declaresElements_data()
    {
        VeltTest::columns<int, int, bool>({"dimensions", "count", "declares"});
        QTest::newRow("vector of 50") << 1 << 50 << true;
        QTest::newRow("vector of 51") << 1 << 51 << false;
        QTest::newRow("table of 50") << 2 << 50 << true;
        QTest::newRow("planes") << 3 << 8 << false;
        QTest::newRow("empty") << 1 << 0 << false;
    }
    void declaresElements()
    {
        QFETCH(int, dimensions);
        QFETCH(int, count);
        QTEST(T::declaresElements(dimensions, count), "declares");
    }

    void withDimensions_data()
    {
        VeltTest::columns<ArrayShape, int, ArrayShape>({"from", "dimensions", "to"});
        QTest::newRow("1 -> 2 adds 0 to 0") << shape({1, 5}) << 2 << shape({1, 5, 0, 0});
        QTest::newRow("3 -> 1 zeroes the rest") << shape({1, 5, 2, 3, 4, 6}) << 1 << shape({1, 5});
        QTest::newRow("2 -> 3 keeps columns") << shape({1, 5, 2, 3}) << 3 << shape({1, 5, 2, 3, 0, 0});
    }
    void withDimensions()
    {
        QFETCH(ArrayShape, from);
        QFETCH(int, dimensions);
        QFETCH(ArrayShape, to);
        const ArrayShape result = from.withDimensions(dimensions);
        QCOMPARE(result.dimensions, to.dimensions);
        QCOMPARE(result.lower, to.lower);
        QCOMPARE(result.upper, to.upper);
    }
};

QTEST_GUILESS_MAIN(NumericArrayRulesTest)
#include "numericarrayrulestest.moc"
