// The range editor's rules: view labels and their mapping back with "," and ";" list separators,
// the range row both ways, and the dialog's summary with the parse messages.
#include "columns.h"

#include "rangerules.h"

#include <QTest>

namespace R = Velt::RangeRules;
using Velt::LocaleSeparators;

namespace {

R::View view(const QString& storedName) { return R::storedView(storedName, {}); }

// "." with a "," list, or "," with a ";" list: the two locales the tables use.
LocaleSeparators locale(const QString& decimal)
{
    return decimal == u"," ? LocaleSeparators::withDecimalAndList(u',', u';') : LocaleSeparators::withDecimalAndList(u'.', u',');
}

// What the rows show: reals plain and with exponents, and the points.
const R::Values kValues{.start = -1.25, .stop = 3e21, .center = 1.5e21, .span = 3e21, .step = 1e-9, .points = 7};

} // namespace

class RangeRulesTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // A text mapped back to a view; where it is that view's label, the view gives it back and
    // "View As" offers it.
    void labels_data()
    {
        VeltTest::columns<QString, QString, QString, bool>({"decimal", "text", "stored", "isLabel"});
        QTest::newRow("center/span step") << "." << "Center; Span :Step" << R::CenterSpanStep << true;
        QTest::newRow("; list start/stop") << "," << "Start; Stop #Points" << R::StartStopPoints << true;
        QTest::newRow("; list center/span") << "," << "Center< Span :Step" << R::CenterSpanStep << true;
        QTest::newRow("stored name under ;") << "," << "Center; Span :Step" << R::CenterSpanStep << false;
        QTest::newRow("blanks around") << "." << "  Start, Stop :Step " << R::StartStopStep << false;
        QTest::newRow("unknown") << "." << "Sideways" << R::CenterSpanPoints << false;
    }
    void labels()
    {
        QFETCH(QString, decimal);
        QFETCH(QString, text);
        QFETCH(bool, isLabel);
        const R::View mapped = R::viewOf(text, locale(decimal));
        QTEST(R::storedName(mapped), "stored");
        QCOMPARE(QString::number(R::label(mapped, locale(decimal)) == text) + QString::number(R::labels(locale(decimal)).contains(text)), isLabel ? "11" : "00");
    }

    // The row shown, and that it reads back as its view and values even against the other view.
    void rowText_data()
    {
        VeltTest::columns<QString, QString, QString, QString>({"stored", "units", "decimal", "row"});
        QTest::newRow("start/stop points") << R::StartStopPoints << "" << "." << "-1.25, 3.0E+21 #7";
        QTest::newRow("; list start/stop step") << R::StartStopStep << "kHz" << "," << "-1,25; 3,0E+21 :1,0E-09 kHz";
        QTest::newRow("center/span points") << R::CenterSpanPoints << "kHz" << "." << "1.5E+21; 3.0E+21 #7 kHz";
        QTest::newRow("; list center/span step") << R::CenterSpanStep << "kHz" << "," << "1,5E+21< 3,0E+21 :1,0E-09 kHz";
    }
    void rowText()
    {
        QFETCH(QString, stored);
        QFETCH(QString, units);
        QFETCH(QString, decimal);
        const LocaleSeparators separators = locale(decimal);
        const R::View shown = view(stored);
        const QString row = R::rowText(shown, kValues, units, separators);
        QTEST(row, "row");
        const R::RowParts parts = R::splitRow(row, {!shown.centerSpan, !shown.byStep}, units, separators);
        QVERIFY(parts.view == shown);
        const auto quantities = R::quantitiesOf(shown);
        for (std::size_t i = 0; i < quantities.size(); ++i)
            QCOMPARE(R::parse(quantities[i], parts.texts[i], separators).value, kValues.of(quantities[i]));
    }

    // Cutting a row as typed (units "mV"): the view its separators give, and the three texts.
    void splitRow_data()
    {
        VeltTest::columns<QString, QString, QString, QString>({"row", "stored", "view", "texts"});
        QTest::newRow("no blanks") << "1,2#3" << R::StartStopPoints << R::StartStopPoints << "1|2|3";
        QTest::newRow("units of another kind stay") << "0, 10 :0.5 V" << R::StartStopStep << R::StartStopStep << "0|10|0.5 V";
        QTest::newRow("no marker keeps the third") << "0, 10" << R::CenterSpanStep << R::StartStopStep << "0|10|";
        QTest::newRow("no start") << ", 10 #3" << R::StartStopPoints << R::StartStopPoints << "|10|3";
        QTest::newRow("no pair separator") << "7 #3" << R::CenterSpanPoints << R::CenterSpanPoints << "7||3";
        QTest::newRow("group separators") << "1,000, 2,000 #3" << R::StartStopPoints << R::StartStopPoints << "1,000|2,000|3";
    }
    void splitRow()
    {
        QFETCH(QString, row);
        QFETCH(QString, stored);
        const R::RowParts parts = R::splitRow(row, view(stored), QStringLiteral("mV"), locale(QStringLiteral(".")));
        QTEST(R::storedName(parts.view), "view");
        QTEST(QStringList(parts.texts.begin(), parts.texts.end()).join(u'|'), "texts");
    }

    // The dialog's summary of its three boxes, or the first message of the three.
    void summary_data()
    {
        VeltTest::columns<QString, QString, QString, QString>({"stored", "texts", "decimal", "result"}); // result: "error|status"
        QTest::newRow("as typed, trimmed") << R::StartStopStep << " 1 | 2e3 |0.5 " << "." << "|1, 2e3 :0.5";
        QTest::newRow("center/span keeps ;") << R::CenterSpanStep << "5,0|10,0|0,5" << "," << "|5,0; 10,0 :0,5";
        QTest::newRow("blank start") << R::StartStopPoints << " |1|2" << "." << "The Start value cannot be blank|";
        QTest::newRow("first error wins") << R::StartStopStep << "1|ten|" << "." << "The Stop value is not a legal numeric value: Type mismatch|";
        QTest::newRow("empty points") << R::StartStopPoints << "1|2|" << "." << "The Number of points is not a legal integer value: Type mismatch|";
        QTest::newRow("40000 points") << R::StartStopPoints << "1|2|40000" << "." << "The Number of points is not a legal integer value: Overflow|";
    }
    void summary()
    {
        QFETCH(QString, stored);
        QFETCH(QString, texts);
        QFETCH(QString, decimal);
        const QStringList boxes = texts.split(u'|');
        const Velt::StatusLine line = R::summary(view(stored), {boxes[0], boxes[1], boxes[2]}, locale(decimal));
        QTEST(line.error + u'|' + line.status, "result");
    }
};

QTEST_GUILESS_MAIN(RangeRulesTest)
#include "rangerulestest.moc"
