// The integer and real array rules, widget-free and core-free: paste and clear, the restriction
// boxes, the status line, the order in which cells are checked, and the structured face's main
// line. A "family" column picks the traits.
#include "columns.h"

#include "localeseparators.h"
#include "numericarrayrules_p.h"
#include "numericarraytesting.h"
#include "numericarraytraits_p.h"

#include <QTest>

#include <map>

using namespace Velt;
using NumericArrayTest::shape;

namespace {

template <typename F>
auto byFamily(const QString& family, F f)
{
    return family == u"integer" ? f(Int32ArrayTraits{}) : f(Real64ArrayTraits{});
}

// The rendering a row's view names: an integer view ("" is decimal), nothing for reals.
template <typename Traits>
typename Traits::Rendering renderingOf(const QString& view)
{
    if constexpr (std::is_same_v<Traits, Int32ArrayTraits>)
        return view.isEmpty() ? QStringLiteral("Decimal") : view;
    else
        return 0;
}

} // namespace

Q_DECLARE_METATYPE(Velt::ArrayShape)

class NumericArrayRulesTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void pasteClearAndRestriction_data()
    {
        // side: the restriction box typed into (0..10 before), "" for a paste.
        VeltTest::columns<QString, QString, QString, QString>({"family", "side", "text", "error"});
        QTest::newRow("paste blank") << "integer" << "" << "" << "Cannot paste - The Value cannot be blank";
        QTest::newRow("paste beyond the restriction") << "real" << "" << "12" << "";
        QTest::newRow("low above high") << "real" << "low" << "20" << "Attribute restriction 'Low' value must be less than 'High' value";
        QTest::newRow("high below low") << "integer" << "high" << "-1" << "Attribute restruction 'High' value must be greater than 'Low' value";
        QTest::newRow("high equal to low") << "real" << "high" << "0" << "";
    }
    void pasteClearAndRestriction()
    {
        QFETCH(QString, family);
        QFETCH(QString, side);
        QFETCH(QString, text);
        byFamily(family, [&](auto traits) {
            using Traits = decltype(traits);
            using V = typename Traits::Value;
            using Rules = NumericArrayRules<Traits>;
            if (side.isEmpty()) {
                QTEST(Rules::pasted(text, renderingOf<Traits>({})).error, "error");
                // A cleared cell holds 0, or the nearer bound when 0 is outside.
                QCOMPARE(QList<double>({double(Rules::cleared({V(5), V(10)})), double(Rules::cleared({V(-10), V(-5)})), double(Rules::cleared({V(-1), V(1)}))}), QList<double>({5, -5, 0}));
            } else {
                QTEST(Rules::restrictionBox({V(0), V(10)}, side == u"low" ? BoundSide::Low : BoundSide::High, text, renderingOf<Traits>({})).error, "error");
            }
        });
    }

    void statusLine_data()
    {
        VeltTest::columns<QString, QString, double, int, QChar, QString, QString>({"family", "view", "value", "dimensions", "list", "units", "line"});
        QTest::newRow("real vector") << "real" << "" << 4.0 << 1 << QChar(',') << "V" << "Value at index 2 is 4.0 V";
        QTest::newRow("real table, semicolon") << "real" << "" << 1e20 << 2 << QChar(';') << "" << "Value at index (2; 3) is 1,0E+20";
        QTest::newRow("integer hex view") << "integer" << "Hexadecimal" << 255.0 << 3 << QChar(',') << "mV" << "Value at index (2, 3, 4) is 0xFF mV or 255 mV decimal";
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
        QTEST(byFamily(family, [&](auto traits) {
            using Traits = decltype(traits);
            return NumericArrayRules<Traits>::statusLine(typename Traits::Value(value), {2, 3, 4}, dimensions, renderingOf<Traits>(view), units);
        }), "line");
    }

    // Cells are visited planes outermost, then columns, then rows: of two values outside, the
    // one in the earlier column is reported although its row comes later.
    void firstOutsideOrder()
    {
        const std::map<std::tuple<int, int, int>, double> outside{{{1, 3, 0}, 20}, {{3, 2, 0}, -4}, {{1, 1, 1}, 30}};
        const auto at = [&](ArrayCell i) {
            const auto found = outside.find({i.row, i.column, i.plane});
            return found == outside.end() ? 1.0 : found->second;
        };
        QCOMPARE(NumericArrayRules<Real64ArrayTraits>::firstOutside(shape({1, 3, 1, 3, 0, 1}), at, 0, {0.0, 10.0}),
                 "Value -4.0 at row 3, column 2, plane 0 must be greater or equal to 0.0");
    }

    void mainText_data()
    {
        // view: an integer view, or "" for reals.
        VeltTest::columns<ArrayShape, QString, QString, QString>({"shape", "view", "units", "text"});
        QTest::newRow("one element") << shape({0, 0}) << "" << "" << "1 value indexed from 0 to 0";
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
        QTEST(NumericArrayTexts::mainText(shape, shape.dimensions > 3 ? 0 : shape.count().value_or(0), countWord, units), "text");
    }
};

QTEST_GUILESS_MAIN(NumericArrayRulesTest)
#include "numericarrayrulestest.moc"
