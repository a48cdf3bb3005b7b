// The range editor's rules: view labels and their mapping back with "," and ";" list separators,
// the rendering of reals, the parse messages, the range row both ways and the dialog's summary.
#include "columns.h"

#include "rangerules.h"

#include <QTest>

namespace R = Velt::RangeRules;
Q_DECLARE_METATYPE(Velt::RangeRules::Quantity)
using R::Quantity;
using Velt::LocaleSeparators;

namespace {

// A view named by what "View As" stores for it.
R::View view(const QString& storedName) { return R::storedView(storedName, {}); }

// "." with a "," list, or "," with a ";" list: the two locales the tables use.
LocaleSeparators locale(const QString& decimal)
{
    return decimal == u"," ? LocaleSeparators::withDecimalAndList(u',', u';') : LocaleSeparators::withDecimalAndList(u'.', u',');
}

const QString kStartStopPoints = R::StartStopPoints;
const QString kStartStopStep = R::StartStopStep;
const QString kCenterSpanPoints = R::CenterSpanPoints;
const QString kCenterSpanStep = R::CenterSpanStep;

} // namespace

class RangeRulesTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // A text mapped back to a view; where it is that view's label, the view gives it back.
    void labels_data()
    {
        VeltTest::columns<QChar, QString, QString, bool>({"list", "text", "stored", "isLabel"});
        QTest::newRow(", start/stop points") << QChar(u',') << "Start, Stop #Points" << kStartStopPoints << true;
        QTest::newRow(", start/stop step") << QChar(u',') << "Start, Stop :Step" << kStartStopStep << true;
        QTest::newRow(", center/span points") << QChar(u',') << "Center; Span #Points" << kCenterSpanPoints << true;
        QTest::newRow(", center/span step") << QChar(u',') << "Center; Span :Step" << kCenterSpanStep << true;
        QTest::newRow("; start/stop points") << QChar(u';') << "Start; Stop #Points" << kStartStopPoints << true;
        QTest::newRow("; center/span step") << QChar(u';') << "Center< Span :Step" << kCenterSpanStep << true;
        QTest::newRow("; center/span points") << QChar(u';') << "Center< Span #Points" << kCenterSpanPoints << true;
        QTest::newRow("| start/stop step") << QChar(u'|') << "Start| Stop :Step" << kStartStopStep << true;
        QTest::newRow("stored name under ;") << QChar(u';') << "Center; Span :Step" << kCenterSpanStep << false;
        QTest::newRow("blanks around") << QChar(u',') << "  Start, Stop :Step " << kStartStopStep << false;
        QTest::newRow("a ; label under ,") << QChar(u',') << "Start; Stop :Step" << kCenterSpanPoints << false;
        QTest::newRow("case counts") << QChar(u',') << "start, stop :step" << kCenterSpanPoints << false;
        QTest::newRow("unknown") << QChar(u',') << "Sideways" << kCenterSpanPoints << false;
    }
    void labels()
    {
        QFETCH(QChar, list);
        QFETCH(QString, text);
        QFETCH(bool, isLabel);
        const LocaleSeparators separators = LocaleSeparators::withDecimalAndList(u'.', list);
        const R::View mapped = R::viewOf(text, separators);
        QTEST(R::storedName(mapped), "stored");
        QCOMPARE(R::label(mapped, separators) == text, isLabel);
        QCOMPARE(R::labels(separators).contains(text), isLabel);
    }

    void absentViewIsDefault()
    {
        QVERIFY(R::isDefault(R::storedView(QStringLiteral(" "), {})));
        QVERIFY(!R::isDefault(R::storedView(QStringLiteral("Sideways"), {})));
    }

    void render_data()
    {
        VeltTest::columns<double, QString, QString>({"value", "decimal", "text"});
        QTest::newRow("integral") << 10.0 << "." << "10.0";
        QTest::newRow("fraction") << -2.25 << "." << "-2.25";
        QTest::newRow("large exponent") << 1e20 << "." << "1.0E+20";
        QTest::newRow("small exponent") << 1e-7 << "." << "1.0E-07";
        QTest::newRow("15 digits") << 1.0 / 3 << "." << "0.333333333333333";
        QTest::newRow("comma integral") << 10.0 << "," << "10,0";
        QTest::newRow("comma exponent") << 3e21 << "," << "3,0E+21";
    }
    void render()
    {
        QFETCH(double, value);
        QFETCH(QString, decimal);
        QTEST(R::renderReal(value, locale(decimal)), "text");
    }

    void parse_data()
    {
        VeltTest::columns<Quantity, QString, QString, double, QString>({"quantity", "text", "decimal", "value", "error"});
        const QString mismatch = QStringLiteral("Type mismatch");
        QTest::newRow("start") << Quantity::Start << " -1.5 " << "." << -1.5 << "";
        QTest::newRow("blank start") << Quantity::Start << "  " << "." << 0.0 << "The Start value cannot be blank";
        QTest::newRow("stop letters") << Quantity::Stop << "ten" << "." << 0.0 << "The Stop value is not a legal numeric value: " + mismatch;
        QTest::newRow("center comma") << Quantity::Center << "1,5" << "," << 1.5 << "";
        QTest::newRow("negative span reads") << Quantity::Span << "-2" << "." << -2.0 << "";
        QTest::newRow("blank step") << Quantity::Step << "" << "." << 0.0 << "The Step size cannot be blank";
        QTest::newRow("step overflow") << Quantity::Step << "1e400" << "." << 0.0 << "The Step size is not a legal numeric value: Overflow";
        QTest::newRow("points half to even") << Quantity::Points << " 12.5 " << "." << 12.0 << "";
        QTest::newRow("empty points") << Quantity::Points << "" << "." << 0.0 << "The Number of points is not a legal integer value: " + mismatch;
        QTest::newRow("40000 points") << Quantity::Points << "40000" << "." << 0.0 << "The Number of points is not a legal integer value: Overflow";
    }
    void parse()
    {
        QFETCH(Quantity, quantity);
        QFETCH(QString, text);
        QFETCH(QString, decimal);
        const Velt::Parsed<double> read = R::parse(quantity, text, locale(decimal));
        QTEST(read.error, "error");
        QTEST(read.value, "value");
    }

    // Cutting a row as typed: the view its separators give, and the three texts.
    void splitRow_data()
    {
        VeltTest::columns<QString, QString, QString, QString, QString, QString>({"row", "stored", "units", "decimal", "view", "texts"});
        QTest::newRow("as shown") << "0.0, 10.0 :0.5 mV" << kStartStopStep << "mV" << "." << kStartStopStep << "0.0|10.0|0.5";
        QTest::newRow("no blanks") << "1,2#3" << kStartStopPoints << "" << "." << kStartStopPoints << "1|2|3";
        QTest::newRow("units of another kind stay") << "0, 10 :0.5 V" << kStartStopStep << "mV" << "." << kStartStopStep << "0|10|0.5 V";
        QTest::newRow("pair switches to center/span") << "5; 10 :0.5" << kStartStopStep << "" << "." << kCenterSpanStep << "5|10|0.5";
        QTest::newRow("both switch to start/stop points") << "0, 10 #11" << kCenterSpanStep << "" << "." << kStartStopPoints << "0|10|11";
        QTest::newRow("no marker keeps the third") << "0, 10" << kCenterSpanStep << "" << "." << kStartStopStep << "0|10|";
        QTest::newRow("no pair separator") << "7 #3" << kCenterSpanPoints << "" << "." << kCenterSpanPoints << "7||3";
        QTest::newRow("group separators") << "1,000, 2,000 #3" << kStartStopPoints << "" << "." << kStartStopPoints << "1,000|2,000|3";
        QTest::newRow("; list center/span") << "5,0< 10,0 :0,5 V" << kStartStopPoints << "V" << "," << kCenterSpanStep << "5,0|10,0|0,5";
        QTest::newRow("; list start/stop") << "0,5; 1,5 #3" << kCenterSpanPoints << "" << "," << kStartStopPoints << "0,5|1,5|3";
    }
    void splitRow()
    {
        QFETCH(QString, row);
        QFETCH(QString, stored);
        QFETCH(QString, units);
        QFETCH(QString, decimal);
        const R::RowParts parts = R::splitRow(row, view(stored), units, locale(decimal));
        QTEST(R::storedName(parts.view), "view");
        QTEST(QStringList(parts.texts.begin(), parts.texts.end()).join(u'|'), "texts");
    }

    // Every row shown reads back as its view and values, even against the other view.
    void rowRoundTrip_data()
    {
        VeltTest::columns<QString, QString>({"stored", "decimal"});
        for (const QString& decimal : {QStringLiteral("."), QStringLiteral(",")}) {
            for (const QString& stored : {kStartStopPoints, kStartStopStep, kCenterSpanPoints, kCenterSpanStep})
                QTest::addRow("%s %s", qPrintable(stored), qPrintable(decimal)) << stored << decimal;
        }
    }
    void rowRoundTrip()
    {
        QFETCH(QString, stored);
        QFETCH(QString, decimal);
        const LocaleSeparators separators = locale(decimal);
        const R::Values values{.start = -1.25, .stop = 3e21, .center = 1.5e21, .span = 3e21, .step = 1e-9, .points = 7};
        const R::View shown = view(stored);
        const QString units = QStringLiteral("kHz");
        const R::RowParts parts = R::splitRow(R::rowText(shown, values, units, separators), {!shown.centerSpan, !shown.byStep}, units, separators);
        QVERIFY(parts.view == shown);
        const std::array<Quantity, 3> quantities = R::quantitiesOf(shown);
        for (std::size_t i = 0; i < quantities.size(); ++i)
            QCOMPARE(R::parse(quantities[i], parts.texts[i], separators).value, values.of(quantities[i]));
    }

    void summary_data()
    {
        VeltTest::columns<QString, QString, QString, QString, QString>({"stored", "texts", "decimal", "error", "status"});
        QTest::newRow("start/stop points") << kStartStopPoints << "0.0|10.0|11" << "." << "" << "0.0, 10.0 #11";
        QTest::newRow("as typed, trimmed") << kStartStopStep << " 1 | 2e3 |0.5 " << "." << "" << "1, 2e3 :0.5";
        QTest::newRow("center/span keeps ;") << kCenterSpanStep << "5,0|10,0|0,5" << "," << "" << "5,0; 10,0 :0,5";
        QTest::newRow("; list start/stop") << kStartStopPoints << "0,0|10,0|11" << "," << "" << "0,0; 10,0 #11";
        QTest::newRow("first error wins") << kCenterSpanPoints << "x||" << "." << "The Center value is not a legal numeric value: Type mismatch" << "";
        QTest::newRow("third box") << kStartStopPoints << "1|2|40000" << "." << "The Number of points is not a legal integer value: Overflow" << "";
    }
    void summary()
    {
        QFETCH(QString, stored);
        QFETCH(QString, texts);
        QFETCH(QString, decimal);
        const QStringList boxes = texts.split(u'|');
        const Velt::StatusLine line = R::summary(view(stored), {boxes[0], boxes[1], boxes[2]}, locale(decimal));
        QTEST(line.error, "error");
        QTEST(line.status, "status");
    }
};

QTEST_GUILESS_MAIN(RangeRulesTest)
#include "rangerulestest.moc"
