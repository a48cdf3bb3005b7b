// The range editor's rules: view labels and their mapping back in locales with "," and ";" list
// separators, the rendering of reals, the parse messages, the range row both ways, the dialog's
// summary and the order in which a view's quantities are stored.
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
    return decimal == u"," ? LocaleSeparators::withDecimalAndList(u',', u';')
                           : LocaleSeparators::withDecimalAndList(u'.', u',');
}

R::Values sweep()
{
    return {.start = 0, .stop = 10, .center = 5, .span = 10, .step = 0.5, .points = 21};
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
    void labels_data()
    {
        VeltTest::columns<QChar, QString, QString>({"list", "stored", "label"});
        QTest::newRow(", start/stop points") << QChar(u',') << kStartStopPoints << "Start, Stop #Points";
        QTest::newRow(", start/stop step") << QChar(u',') << kStartStopStep << "Start, Stop :Step";
        QTest::newRow(", center/span points") << QChar(u',') << kCenterSpanPoints << "Center; Span #Points";
        QTest::newRow(", center/span step") << QChar(u',') << kCenterSpanStep << "Center; Span :Step";
        QTest::newRow("; start/stop points") << QChar(u';') << kStartStopPoints << "Start; Stop #Points";
        QTest::newRow("; center/span step") << QChar(u';') << kCenterSpanStep << "Center< Span :Step";
        QTest::newRow("; center/span points") << QChar(u';') << kCenterSpanPoints << "Center< Span #Points";
        QTest::newRow("| start/stop step") << QChar(u'|') << kStartStopStep << "Start| Stop :Step";
    }
    void labels()
    {
        QFETCH(QChar, list);
        QFETCH(QString, stored);
        QFETCH(QString, label);
        const LocaleSeparators separators = LocaleSeparators::withDecimalAndList(u'.', list);
        QCOMPARE(R::label(view(stored), separators), label);
        // The label maps back to its view, and the view is stored under its constant name.
        QCOMPARE(R::storedName(R::viewOf(label, separators)), stored);
        QVERIFY(R::labels(separators).contains(label));
    }

    void viewOf_data()
    {
        VeltTest::columns<QChar, QString, QString>({"list", "text", "stored"});
        QTest::newRow("blanks around") << QChar(u',') << "  Start, Stop :Step " << kStartStopStep;
        QTest::newRow("stored name under ;") << QChar(u';') << "Center; Span :Step" << kCenterSpanStep;
        QTest::newRow("stored start/stop under ;") << QChar(u';') << "Start, Stop #Points" << kStartStopPoints;
        QTest::newRow("unknown text") << QChar(u',') << "Sideways" << kCenterSpanPoints;
        QTest::newRow("empty text") << QChar(u',') << "" << kCenterSpanPoints;
        QTest::newRow("a ; label under ,") << QChar(u',') << "Start; Stop :Step" << kCenterSpanPoints;
        QTest::newRow("case counts") << QChar(u',') << "start, stop :step" << kCenterSpanPoints;
    }
    void viewOf()
    {
        QFETCH(QChar, list);
        QFETCH(QString, text);
        QTEST(R::storedName(R::viewOf(text, LocaleSeparators::withDecimalAndList(u'.', list))), "stored");
    }

    void absentViewIsDefault()
    {
        QVERIFY(R::isDefault(R::storedView(QStringLiteral(" "), {})));
        QVERIFY(!R::isDefault(R::storedView(QStringLiteral("Sideways"), {})));
    }

    void storeOrder_data()
    {
        VeltTest::columns<QString, QString>({"stored", "order"});
        QTest::newRow("start/stop points") << kStartStopPoints << "Start value|Stop value|Number of points";
        QTest::newRow("start/stop step") << kStartStopStep << "Start value|Stop value|Step size";
        QTest::newRow("center/span points") << kCenterSpanPoints << "Center value|Span value|Number of points";
        QTest::newRow("center/span step") << kCenterSpanStep << "Center value|Span value|Step size";
    }
    void storeOrder()
    {
        QFETCH(QString, stored);
        QStringList order;
        for (const Quantity quantity : R::quantitiesOf(view(stored)))
            order << R::caption(quantity);
        QTEST(order.join(u'|'), "order");
    }

    void render_data()
    {
        VeltTest::columns<double, QString, QString>({"value", "decimal", "text"});
        QTest::newRow("integral") << 10.0 << "." << "10.0";
        QTest::newRow("zero") << 0.0 << "." << "0.0";
        QTest::newRow("fraction") << -2.25 << "." << "-2.25";
        QTest::newRow("large exponent") << 1e20 << "." << "1.0E+20";
        QTest::newRow("small exponent") << 1e-7 << "." << "1.0E-07";
        QTest::newRow("15 digits") << 1.0 / 3 << "." << "0.333333333333333";
        QTest::newRow("comma integral") << 10.0 << "," << "10,0";
        QTest::newRow("comma fraction") << 2.5 << "," << "2,5";
        QTest::newRow("comma exponent") << 3e21 << "," << "3,0E+21";
    }
    void render()
    {
        QFETCH(double, value);
        QFETCH(QString, decimal);
        QTEST(R::renderReal(value, locale(decimal)), "text");
    }

    void renderPoints()
    {
        R::Values values = sweep();
        values.points = 40000; // beyond what can be typed, shown as the core holds it
        QCOMPARE(R::render(Quantity::Points, values, {}), QStringLiteral("40000"));
        QCOMPARE(R::render(Quantity::Span, values, {}), QStringLiteral("10.0"));
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
        QTest::newRow("points") << Quantity::Points << " 21 " << "." << 21.0 << "";
        QTest::newRow("points half to even") << Quantity::Points << "12.5" << "." << 12.0 << "";
        QTest::newRow("empty points") << Quantity::Points << "" << "." << 0.0 << "The Number of points is not a legal integer value: " + mismatch;
        QTest::newRow("40000 points") << Quantity::Points << "40000" << "." << 0.0 << "The Number of points is not a legal integer value: Overflow";
        QTest::newRow("points letters") << Quantity::Points << "many" << "." << 0.0 << "The Number of points is not a legal integer value: " + mismatch;
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

    void rowText_data()
    {
        VeltTest::columns<QString, QString, QString, QString>({"stored", "units", "decimal", "row"});
        QTest::newRow("start/stop step with units") << kStartStopStep << "mV" << "." << "0.0, 10.0 :0.5 mV";
        QTest::newRow("start/stop points") << kStartStopPoints << "" << "." << "0.0, 10.0 #21";
        QTest::newRow("center/span points") << kCenterSpanPoints << "Hz" << "." << "5.0; 10.0 #21 Hz";
        QTest::newRow("; list start/stop") << kStartStopPoints << "" << "," << "0,0; 10,0 #21";
        QTest::newRow("; list center/span step") << kCenterSpanStep << "V" << "," << "5,0< 10,0 :0,5 V";
    }
    void rowText()
    {
        QFETCH(QString, stored);
        QFETCH(QString, units);
        QFETCH(QString, decimal);
        QTEST(R::rowText(view(stored), sweep(), units, locale(decimal)), "row");
    }

    // Cutting a row: the view the separators give, and the three texts.
    void splitRow_data()
    {
        VeltTest::columns<QString, QString, QString, QString, QString, QString>({"row", "stored", "units", "decimal", "view", "texts"});
        QTest::newRow("as shown") << "0.0, 10.0 :0.5 mV" << kStartStopStep << "mV" << "." << kStartStopStep << "0.0|10.0|0.5";
        QTest::newRow("no blanks") << "1,2#3" << kStartStopPoints << "" << "." << kStartStopPoints << "1|2|3";
        QTest::newRow("units of another kind stay") << "0, 10 :0.5 V" << kStartStopStep << "mV" << "." << kStartStopStep << "0|10|0.5 V";
        QTest::newRow("pair switches to center/span") << "5; 10 :0.5" << kStartStopStep << "" << "." << kCenterSpanStep << "5|10|0.5";
        QTest::newRow("pair switches to start/stop") << "0, 10 #11" << kCenterSpanPoints << "" << "." << kStartStopPoints << "0|10|11";
        QTest::newRow("marker switches to points") << "0, 10 #11" << kStartStopStep << "" << "." << kStartStopPoints << "0|10|11";
        QTest::newRow("no marker keeps the third") << "0, 10" << kCenterSpanStep << "" << "." << kStartStopStep << "0|10|";
        QTest::newRow("no pair separator") << "7 #3" << kCenterSpanPoints << "" << "." << kCenterSpanPoints << "7||3";
        QTest::newRow("group separators") << "1,000, 2,000 #3" << kStartStopPoints << "" << "." << kStartStopPoints << "1,000|2,000|3";
        QTest::newRow("; list center/span") << "5,0< 10,0 :0,5 V" << kStartStopPoints << "V" << "," << kCenterSpanStep << "5,0|10,0|0,5";
        QTest::newRow("; list start/stop") << "0,5; 1,5 #3" << kCenterSpanPoints << "" << "," << kStartStopPoints << "0,5|1,5|3";
        QTest::newRow("empty") << "" << kStartStopStep << "mV" << "." << kStartStopStep << "||";
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

    // Every row the rules show is read back as the same view and values.
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
        // Read back against the other pair, so the separators alone must give the view.
        const R::View shown = view(stored);
        const R::RowParts parts = R::splitRow(R::rowText(shown, values, QStringLiteral("kHz"), separators),
                                              {!shown.centerSpan, !shown.byStep}, QStringLiteral("kHz"), separators);
        QVERIFY(parts.view == shown);
        const std::array<Quantity, 3> quantities = R::quantitiesOf(shown);
        for (std::size_t i = 0; i < quantities.size(); ++i) {
            const Velt::Parsed<double> read = R::parse(quantities[i], parts.texts[i], separators);
            QVERIFY2(read.ok(), qPrintable(read.error));
            QCOMPARE(read.value, values.of(quantities[i]));
        }
    }

    void summary_data()
    {
        VeltTest::columns<QString, QString, QString, QString, QString>({"stored", "texts", "decimal", "error", "status"});
        QTest::newRow("start/stop points") << kStartStopPoints << "0.0|10.0|11" << "." << "" << "0.0, 10.0 #11";
        QTest::newRow("as typed, trimmed") << kStartStopStep << " 1 | 2e3 |0.5 " << "." << "" << "1, 2e3 :0.5";
        QTest::newRow("center/span keeps ;") << kCenterSpanStep << "5,0|10,0|0,5" << "," << "" << "5,0; 10,0 :0,5";
        QTest::newRow("; list start/stop") << kStartStopPoints << "0,0|10,0|11" << "," << "" << "0,0; 10,0 #11";
        QTest::newRow("first error wins") << kCenterSpanPoints << "x||" << "." << "The Center value is not a legal numeric value: Type mismatch" << "";
        QTest::newRow("second box") << kStartStopStep << "1||" << "." << "The Stop value cannot be blank" << "";
        QTest::newRow("points") << kStartStopPoints << "1|2|40000" << "." << "The Number of points is not a legal integer value: Overflow" << "";
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
