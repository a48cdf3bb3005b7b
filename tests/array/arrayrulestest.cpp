// The array family's rules: bounds, totals and indices in the words of each family, the
// number of dimensions, bound stepping, the lock format, and the string member's summary.
#include "columns.h"

#include "arrayrules_p.h"
#include "stringarrayrules.h"

#include <QTest>

using namespace Velt;
namespace R = ArrayRules;

namespace {

ArrayTexts familyOf(const QString& name)
{
    if (name == u"real")
        return ArrayTexts::numericFamily(QStringLiteral("real array"), QStringLiteral("reals"));
    if (name == u"integer")
        return ArrayTexts::numericFamily(QStringLiteral("integer array"), QStringLiteral("integers"));
    return ArrayTexts::stringFamily();
}

ArrayShape shape(int dimensions, std::initializer_list<ArraySpan> spans)
{
    ArrayShape made;
    made.dimensions = dimensions;
    int d = 0;
    for (const ArraySpan& span : spans)
        made.spans[size_t(d++)] = span;
    return made;
}

// "lower..upper" when it reads, else the message.
QString outcome(const Parsed<ArraySpan>& span)
{
    return span.ok() ? QStringLiteral("%1..%2").arg(span.value.lower).arg(span.value.upper) : span.error;
}

} // namespace

class ArrayRulesTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Rows of a two-dimensional shape with 10 columns, or the only dimension of a string array.
    void bounds_data()
    {
        VeltTest::columns<QString, QString, QString, int, QString>({"family", "lower", "upper", "maxCount", "expected"});
        const QString stringInteger = QStringLiteral(" value of string array must be an integer (-32768 to 32767)");
        const QString realInteger = QStringLiteral(" value of real array must be an integer (-32768 to 32767)");
        QTest::newRow("one element") << "string" << "4" << " 4 " << 100 << "4..4";
        QTest::newRow("extremes, no limit") << "string" << "-32768" << "32767" << 65536 << "-32768..32767";
        QTest::newRow("lower blank") << "string" << "  " << "abc" << 100 << "'Lower Array Bounds' value must be specified";
        QTest::newRow("lower 32768") << "string" << "32768" << "1" << 100 << "'Lower Array Bounds'" + stringInteger;
        QTest::newRow("upper blank") << "string" << "1" << "" << 100 << "'Upper Array Bounds' value must be specified";
        QTest::newRow("crossed") << "string" << "2" << "1" << 100 << "'Lower' must be less than 'Upper Array Bounds'";
        QTest::newRow("M elements") << "string" << "-50" << "49" << 100 << "-50..49";
        QTest::newRow("M+1 elements") << "string" << "-50" << "50" << 100 << "Total number of strings is limited to 100";
        QTest::newRow("real lower -32769") << "real" << "-32769" << "1" << 100 << "Dimension 'Lower Bounds'" + realInteger;
        QTest::newRow("real crossed") << "real" << "3" << "-3" << 100 << "Dimension 'Lower bounds' must be less than 'Upper Bounds'";
        QTest::newRow("real 10 x 10") << "real" << "1" << "10" << 100 << "1..10";
        QTest::newRow("real 11 x 10") << "real" << "1" << "11" << 100 << "Total number of reals is limited to 100";
        QTest::newRow("integer upper 1.5") << "integer" << "0" << "1.5e9" << 100 << "Dimension 'Upper Bounds' value of integer array must be an integer (-32768 to 32767)";
    }
    void bounds()
    {
        QFETCH(QString, family);
        QFETCH(QString, lower);
        QFETCH(QString, upper);
        QFETCH(int, maxCount);
        const ArrayShape current = family == u"string" ? shape(1, {{0, 0}}) : shape(2, {{0, 0}, {1, 10}});
        QTEST(outcome(R::validateBounds(lower, upper, current, 0, maxCount, familyOf(family))), "expected");
    }

    void count_data()
    {
        VeltTest::columns<int, int, int, qlonglong>({"dimensions", "extent", "unusedExtent", "expected"});
        QTest::newRow("one dimension ignores the rest") << 1 << 7 << 5 << 7LL;
        QTest::newRow("three full ranges pass 32 bits") << 3 << 65536 << 1 << 281474976710656LL;
    }
    void count()
    {
        QFETCH(int, dimensions);
        QFETCH(int, extent);
        QFETCH(int, unusedExtent);
        ArrayShape made;
        made.dimensions = dimensions;
        for (int d = 0; d < 3; ++d) {
            const int span = d < dimensions ? extent : unusedExtent;
            made.spans[size_t(d)] = {int16_t(-32768), int16_t(-32768 + span - 1)};
        }
        QFETCH(qlonglong, expected);
        QCOMPARE(made.count().value_or(-1), expected);
    }

    void boundEntry_data()
    {
        VeltTest::columns<QString, QString, QString>({"lower", "upper", "entry"}); // entry: "total|error"
        QTest::newRow("both read") << "-2" << "3" << "24|";
        QTest::newRow("crossed shows nothing") << "3" << "2" << "|";
        QTest::newRow("first error is the lower's") << "x" << "" << "|Dimension 'Lower Bounds' value of real array must be an integer (-32768 to 32767)";
        QTest::newRow("then the upper's") << "1" << "" << "|Dimension 'Upper Bounds' value must be specified";
    }
    void boundEntry()
    {
        QFETCH(QString, lower);
        QFETCH(QString, upper);
        // Columns 1..4: the total counts them.
        const R::BoundEntry entry = R::boundEntry(lower, upper, shape(2, {{0, 0}, {1, 4}}), 0, familyOf(QStringLiteral("real")));
        QTEST(entry.total + u'|' + entry.error, "entry");
    }

    void steppedBound_data()
    {
        VeltTest::columns<QString, int, int, int>({"text", "fallback", "step", "expected"});
        QTest::newRow("down below zero") << "0" << 9 << -1 << -1;
        QTest::newRow("unreadable steps from the buffer") << "abc" << 9 << -1 << 8;
        QTest::newRow("not past the top") << "32767" << 0 << 1 << INT_MIN;
        QTest::newRow("not past the bottom") << "" << -32768 << -1 << INT_MIN;
    }
    void steppedBound()
    {
        QFETCH(QString, text);
        QFETCH(int, fallback);
        QFETCH(int, step);
        const std::optional<int16_t> next = R::steppedBound(text, int16_t(fallback), step);
        QTEST(next ? int(*next) : INT_MIN, "expected");
    }

    void index_data()
    {
        VeltTest::columns<QString, QString, QString, QString, QString>({"family", "index", "lower", "upper", "expected"});
        QTest::newRow("on the upper bound") << "string" << "5" << "1" << "5" << "5";
        QTest::newRow("blank") << "string" << " " << "1" << "5" << "Index value must be specified";
        QTest::newRow("not 16-bit") << "string" << "70000" << "1" << "5" << "Index value of string array must be an integer";
        QTest::newRow("bound text wrong first") << "string" << "3" << "q" << "5" << "'Lower Array Bounds' value of string array must be an integer (-32768 to 32767)";
        QTest::newRow("above") << "string" << "6" << "1" << "5" << "Index must be less than 'Upper Array Bounds' of 5";
        QTest::newRow("below") << "integer" << "-1" << "0" << "5" << "Index must be greater than 'Lower Array Bounds' of 0";
        QTest::newRow("crossed bounds") << "integer" << "1" << "5" << "0" << "Dimension 'Lower bounds' must be less than 'Upper Bounds'";
    }
    void index()
    {
        QFETCH(QString, family);
        QFETCH(QString, index);
        QFETCH(QString, lower);
        QFETCH(QString, upper);
        const Parsed<int16_t> read = R::validateIndex(index, lower, upper, familyOf(family));
        QTEST(read.ok() ? QString::number(read.value) : read.error, "expected");
    }

    void dimensions_data()
    {
        VeltTest::columns<QString, QString, QString>({"family", "text", "expected"});
        QTest::newRow("three") << "real" << " 3" << "3";
        QTest::newRow("empty") << "real" << "" << "'Number of dimensions' value must be specified";
        QTest::newRow("letters") << "integer" << "two" << "'Number of dimensions' value of integer array must be an integer";
        QTest::newRow("four") << "real" << "4" << "'Number of dimensions' value of real array must be in between 1 and 3 inclusive.";
        QTest::newRow("zero") << "integer" << "0" << "'Number of dimensions' value of integer array must be in between 1 and 3 inclusive.";
    }
    void dimensions()
    {
        QFETCH(QString, family);
        QFETCH(QString, text);
        const Parsed<int> read = R::readDimensions(text, familyOf(family));
        QTEST(read.ok() ? QString::number(read.value) : read.error, "expected");
    }

    void locks_data()
    {
        VeltTest::columns<QStringList, QStringList>({"entries", "stored"});
        QTest::newRow("defaults are not stored") << QStringList{"Lower", "Lower", "Lower"} << QStringList{};
        QTest::newRow("unknown texts are the default") << QStringList{"lower", "", "Sideways"} << QStringList{};
        QTest::newRow("one differs: all stored") << QStringList{"Lower", "Both"} << QStringList{"Lower", "Both"};
        QTest::newRow("none and upper") << QStringList{"None", "Upper", "Lower"} << QStringList{"None", "Upper", "Lower"};
    }
    void locks()
    {
        QFETCH(QStringList, entries);
        QList<BoundLock> read;
        for (const QString& entry : entries) {
            const BoundLock lock = ArrayLocks::fromName(entry);
            // The check boxes give the lock back.
            QCOMPARE(ArrayLocks::fromChecks(ArrayLocks::locksLower(lock), ArrayLocks::locksUpper(lock)), lock);
            read << lock;
        }
        QTEST(ArrayLocks::stored(read), "stored");
    }

    void summary_data()
    {
        VeltTest::columns<int, int, int, QString, QString>({"count", "lower", "upper", "view", "expected"});
        QTest::newRow("none") << 0 << 0 << -1 << "Characters" << "Click here and then press '...' to edit";
        QTest::newRow("one") << 1 << 7 << 7 << "Characters" << "1 character string indexed from 7 to 7";
        QTest::newRow("hex") << 3 << -1 << 1 << "Hexadecimal" << "3 hex strings indexed from -1 to 1";
        QTest::newRow("octal, fifty") << 50 << 1 << 50 << "Octal" << "50 octal strings indexed from 1 to 50";
        QTest::newRow("unknown view") << 2 << 1 << 2 << "Binary" << "2 character strings indexed from 1 to 2";
        QTest::newRow("fifty-one") << 51 << 0 << 50 << "Octal" << "51 strings - Click here and then press '...' to edit";
    }
    void summary()
    {
        QFETCH(int, count);
        QFETCH(int, lower);
        QFETCH(int, upper);
        QFETCH(QString, view);
        QTEST(StringArrayRules::summary(count, lower, upper, view), "expected");
    }
};

QTEST_GUILESS_MAIN(ArrayRulesTest)
#include "arrayrulestest.moc"
