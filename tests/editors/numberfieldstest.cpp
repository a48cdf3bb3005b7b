// The structured faces of the integer and real editors over real core items, bound through
// XCStructEditFields: which lines a value declares, what each shows and locks, what a change writes.
#include "columns.h"
#include "fieldlines.h"
#include "fixture.h"
#include "numbertesting.h"

#include "xcstructeditfield.h"
#include "xcstructeditfieldenums.h"
#include "xcstructeditfields.h"

#include <QTest>

#include <functional>
#include <memory>

using namespace NumberTest;

namespace {

QStringList choicesOf(XCStructEditField* field)
{
    QStringList choices;
    for (int i = 1; i <= field->Enumeration()->Count(); ++i)
        choices << field->Enumeration()->Text(i);
    return choices;
}

} // namespace

struct Change { QString number; bool designTime; double from; QString caption, input, text, error; bool locked; double value; QString restriction; int age; };
struct BoundChange { QString caption, text, error, choices; int value; };
struct PropertyChange { QString number, caption, text, stored, error, root; };
Q_DECLARE_METATYPE(Change)
Q_DECLARE_METATYPE(PropertyChange)
Q_DECLARE_METATYPE(BoundChange)

class NumberFieldsTest : public QObject
{
    Q_OBJECT

private:
    VeltTest::Fixture fixture;
    std::unique_ptr<CoreBuilder> m_core;
    std::unique_ptr<XCStructEditFields> m_fields;

    QuenHandle bind(const QString& number, double value, bool designTime, const std::function<void(QuenHandle item)>& setUp)
    {
        const QuenHandle parm = parameter(*m_core, number, value);
        setUp(QuenParmGetData(parm));
        m_fields->AttachParameter(parm, 0, 0, designTime, false, false);
        return QuenParmGetData(parm);
    }
    // The line with that caption; the root line for "".
    XCStructEditField* line(const QString& caption) { return caption.isEmpty() ? m_fields->Item(0) : VeltTest::line(*m_fields, caption); }

private Q_SLOTS:
    void init()
    {
        fixture.begin();
        m_core = std::make_unique<CoreBuilder>();
        m_fields = std::make_unique<XCStructEditFields>();
    }
    void cleanup()
    {
        m_fields.reset();
        m_core.reset();
        QVERIFY(fixture.services.shownErrors().isEmpty());
        fixture.end();
    }

    // Setups: "units", "restriction" (1..9), "low only", "high only", "full range", "choices".
    void declaredLines_data()
    {
        // lines: "Caption/indentation" below the root
        VeltTest::columns<QString, bool, QString, QStringList>({"number", "designTime", "setup", "lines"});
        const auto both = [](const char* name, bool design, const char* setup, QStringList lines) {
            QTest::addRow("integer, %s", name) << "integer" << design << setup << lines + QStringList{"View As/1", "Integer (32 bit)"};
            QTest::addRow("real, %s", name) << "real" << design << setup << lines + QStringList{"Precision/1", "Real (64 bit)"};
        };
        both("plain, design", true, "", {"Style/1", "Value/1", "Units/1"});
        both("units, run", false, "units", {"Value/1", "Units/1"});
        both("restricted, design", true, "restriction", {"Style/1", "Low/1", "High/1", "Value/1", "Units/1"});
        both("restricted, run", false, "restriction", {"Restrictions/1", "Low/2", "High/2"});
        both("low only, run", false, "low only", {"Restrictions/1", "Low/2"});
        both("high only, run", false, "high only", {"Restrictions/1", "High/2"});
        both("full range, run", false, "full range", {});
        QTest::newRow("integer, choices, design")
            << "integer" << true << "choices" << QStringList{"Style/1", "Begin at/1", "End at/1", "Labels/1", "Label (4)/2", "Label (5)/2", "Label (6)/2", "Integer (32 bit)"};
        QTest::newRow("integer, choices, run") << "integer" << false << "choices" << QStringList{"Integer (32 bit)"};
    }
    void declaredLines()
    {
        QFETCH(QString, number);
        QFETCH(bool, designTime);
        QFETCH(QString, setup);
        const double max = number == u"integer" ? Velt::NumericConversion::Int32UnboundedHigh : Velt::Real64Rules::Unbounded;
        const double min = number == u"integer" ? Velt::NumericConversion::Int32UnboundedLow : -max;
        bind(number, 5, designTime, [&](QuenHandle data) {
            if (setup == "units")
                CoreBuilder::setString(data, "Units", "V");
            else if (setup == "choices")
                CoreBuilder::setChoices(data, 4, {"Four", "", "Six"});
            else if (!setup.isEmpty())
                setRestriction(data, setup.startsWith("high") || setup.startsWith("full") ? min : 1, setup.startsWith("low") || setup.startsWith("full") ? max : 9);
        });
        QStringList declared;
        for (int i = 1; i < m_fields->Count(); ++i)
            declared << m_fields->Item(i)->Caption() + u'/' + QString::number(m_fields->Item(i)->Indentation());
        QTEST(declared << m_fields->DataType(), "lines");
    }

    // Units ("V" at design time, "mV" outside), integers in hexadecimal restricted to 16..256, reals
    // restricted to 1..2 at design time, else to at most 2000 with precision 3. No input: the line
    // is only read; value, restriction and age are read after any change.
    void lines_data()
    {
        QTest::addColumn<Change>("c");
        const QString atMost = Velt::NumericConversion::formatGeneral(-Velt::Real64Rules::Unbounded) + "..2000";
        QTest::newRow("integer root") << Change{"integer", false, 255, "", {}, "0xFF mV (Hexadecimal)", "", false, 255, "16..256", 0};
        QTest::newRow("integer restrictions") << Change{"integer", false, 255, "Restrictions", {}, "0x10 <= Value <= 0x100", "", true, 255, "16..256", 0};
        QTest::newRow("real root") << Change{"real", false, 1234.5, "", {}, "1.235E+03 mV", "", false, 1234.5, atMost, 0};
        QTest::newRow("integer root, decorated") << Change{"integer", true, 255, "", "0x20 V (Hexadecimal)", "", "", false, 32, "16..256", 1};
        QTest::newRow("integer root, unposted") << Change{"integer", true, 255, "", "30", "unposted", "", false, 48, "16..256", 0};
        QTest::newRow("integer value line") << Change{"integer", true, 255, "Value", "0x11 V", "", "", false, 17, "16..256", 1};
        QTest::newRow("integer low raises the value") << Change{"integer", true, 255, "Low", "0x100", "", "", false, 256, "256..256", 1};
        QTest::newRow("integer high below low") << Change{"integer", true, 255, "High", "0xF", "", "'High' value must be greater than 'Low' value", false, 255, "16..256", 0};
        QTest::newRow("real root with units") << Change{"real", true, 1.5, "", "1.75 V", "", "", false, 1.75, "1..2", 0};
    }
    void lines()
    {
        QFETCH(Change, c);
        const QuenHandle item = bind(c.number, c.from, c.designTime, [&](QuenHandle data) {
            CoreBuilder::setString(data, "Units", c.designTime ? "V" : "mV");
            if (c.number == u"integer") {
                CoreBuilder::setString(data, "View As", "Hexadecimal");
                setRestriction(data, 16, 0x100);
            } else if (c.designTime) {
                setRestriction(data, 1, 2);
            } else {
                setPrecision(data, 3);
                setRestriction(data, -Velt::Real64Rules::Unbounded, 2000.0);
            }
        });
        XCStructEditField* field = line(c.caption);
        QVERIFY(field);
        if (c.input.isNull())
            QCOMPARE(field->Text(), c.text); // reading the text reads the error too
        else if (c.text == u"unposted")
            field->SetTextUnposted(c.input);
        else
            field->setText(c.input);
        QCOMPARE(std::tuple(field->ErrorMessage(), field->BitmapName() == u"Error", value(item), restriction(item), m_fields->Age(), c.input.isNull() ? field->Locked() : c.locked),
                 std::tuple(c.error, !c.error.isEmpty(), c.value, c.restriction, c.age, c.locked));
    }

    // From a value of 7 with units "V" and a restriction of 2..9, or with a choice list, at design
    // time. A fresh editor's own bounds are the unbounded pair.
    void styleChanges_data()
    {
        // stored: value, restriction, choices, units
        VeltTest::columns<QString, bool, QString, QStringList>({"number", "fromChoices", "style", "stored"});
        QTest::newRow("integer choices") << "integer" << false << "Provides list of Choices" << QStringList{"0", "<absent>", "0..1: False|True", "<absent>"};
        QTest::newRow("integer restricted keeps its restriction") << "integer" << false << "Value is Restricted" << QStringList{"7", "2..9", "<absent>", "V"};
        QTest::newRow("integer plain") << "integer" << false << "Value is 32-bit integer" << QStringList{"7", "<absent>", "<absent>", "V"};
        QTest::newRow("real plain") << "real" << false << "Value is 64-bit real" << QStringList{"7", "<absent>", "<absent>", "V"};
        QTest::newRow("choices make way") << "integer" << true << "Value is Restricted" << QStringList{"7", "-2147483648..2147483647", "<absent>", "<absent>"};
    }
    void styleChanges()
    {
        QFETCH(QString, number);
        QFETCH(bool, fromChoices);
        QFETCH(QString, style);
        QFETCH(QStringList, stored);
        const QuenHandle item = bind(number, 7, true, [&](QuenHandle data) {
            if (fromChoices)
                return CoreBuilder::setChoices(data, 0, {"Off", "On"});
            CoreBuilder::setString(data, "Units", "V");
            setRestriction(data, 2, 9);
        });
        XCStructEditField* styleLine = line("Style");
        if (!fromChoices)
            QCOMPARE(styleLine->Text() + QString::number(choicesOf(styleLine).size()), "Value is Restricted" + QString::number(number == u"integer" ? 3 : 2));
        styleLine->setText(style);
        QCOMPARE(QStringList({QString::number(value(item)), restriction(item), choices(item), CoreBuilder::string(item, "Units"), styleLine->Text()}), stored << style);
    }

    // Properties set through their lines, read back by the core and by the root line. The real
    // starts with precision 2 and units "V".
    void propertyChanges_data()
    {
        QTest::addColumn<PropertyChange>("p");
        QTest::newRow("integer view") << PropertyChange{"integer", "View As", " Octal ", "Octal", "", "011 (Octal)"};
        QTest::newRow("integer decimal view") << PropertyChange{"integer", "View As", "Decimal", "<absent>", "", "9"};
        QTest::newRow("integer units") << PropertyChange{"integer", "Units", " Hz ", "Hz", "", "9 Hz"};
        QTest::newRow("real units blank") << PropertyChange{"real", "Units", "", "<absent>", "", "9.00E+00"};
        QTest::newRow("real precision") << PropertyChange{"real", "Precision", "4", "4", "", "9.0000E+00 V"};
        QTest::newRow("real precision blank") << PropertyChange{"real", "Precision", "", "<absent>", "", "9.0 V"};
    }
    void propertyChanges()
    {
        QFETCH(PropertyChange, p);
        const QuenHandle item = bind(p.number, 9, true, [&](QuenHandle data) {
            if (p.number == u"real") {
                setPrecision(data, 2);
                CoreBuilder::setString(data, "Units", "V");
            }
        });
        XCStructEditField* field = line(p.caption);
        field->setText(p.text);
        const QuenHandle precision = QuenDataExGetProperty(item, "Precision");
        const QString storedText = p.caption == u"Precision" && precision ? QString::number(QuenInt32GetValue(precision)) : CoreBuilder::string(item, qPrintable(p.caption));
        QCOMPARE(QStringList({field->ErrorMessage(), storedText, m_fields->Item(0)->Text()}), QStringList({p.error, p.stored, p.root}));
    }

    // A list from 4 on: the root line's text and error, the choices it offers (blank labels offer
    // none) and what choosing the first writes ("error" then the value).
    void choiceRootLine_data()
    {
        VeltTest::columns<int, QStringList, QString, QString, QStringList, QString>({"value", "labels", "text", "error", "offered", "chosen"});
        const QStringList labels{"Four", "Five", " "};
        const QStringList offered{"4 - Four", "5 - Five"};
        QTest::newRow("labelled") << 5 << labels << "5 - Five" << "" << offered << "4";
        QTest::newRow("blank label") << 6 << labels << "6 - <choose>" << "This value is not a choice from the list" << offered << "4";
        QTest::newRow("out of range") << 9 << labels << "9 - <choose>" << "The value is out of range - select a new choice" << offered << "4";
        QTest::newRow("no labels") << 4 << QStringList{"", ""} << "4 - <choose>" << "No Labels are defined" << QStringList{"<Empty - Add Labels>"} << "No Labels are defined4";
    }
    void choiceRootLine()
    {
        QFETCH(int, value);
        QFETCH(QStringList, labels);
        QFETCH(QString, text);
        QFETCH(QString, error);
        QFETCH(QStringList, offered);
        const QuenHandle item = bind("integer", value, false, [&](QuenHandle data) { CoreBuilder::setChoices(data, 4, labels); });
        XCStructEditField* root = m_fields->Item(0);
        QCOMPARE(root->Text(), text); // reading the text reads the error too
        QCOMPARE(std::tuple(root->ErrorMessage(), root->Locked(), choicesOf(root)), std::tuple(error, true, offered));
        root->setText(offered.first());
        QTEST(root->ErrorMessage() + QString::number(QuenInt32GetValue(item)), "chosen");
    }

    // From 3 in a list 1..3; the bounds' own rules are pinned with the rules.
    void choiceBoundChanges_data()
    {
        QTest::addColumn<BoundChange>("b");
        QTest::newRow("grow at the end") << BoundChange{"End at", "4", "", "1..4: One|Two|Three|", 3};
        QTest::newRow("shrink from the start") << BoundChange{"Begin at", "3", "", "3..3: Three", 3};
        QTest::newRow("shrink below the value") << BoundChange{"End at", "2", "", "1..2: One|Two", 2};
        QTest::newRow("move down") << BoundChange{"Begin at", "-1", "", "-1..3: ||One|Two|Three", 3};
        QTest::newRow("end below begin") << BoundChange{"End at", "0", "'End at' must be greater than 'Begin at'", "1..3: One|Two|Three", 3};
    }
    void choiceBoundChanges()
    {
        QFETCH(BoundChange, b);
        const QuenHandle item = bind("integer", 3, true, [](QuenHandle data) { CoreBuilder::setChoices(data, 1, {"One", "Two", "Three"}); });
        line(b.caption)->setText(b.text);
        QCOMPARE(std::tuple(line(b.caption)->ErrorMessage(), QuenInt32GetValue(item), choices(item), m_fields->Age()),
                 std::tuple(b.error, b.value, b.choices, b.error.isEmpty() ? 1 : 0));
    }

    void labelLines()
    {
        const QuenHandle item = bind("integer", 1, true, [](QuenHandle data) { CoreBuilder::setChoices(data, 0, {"Off", "On"}); });
        XCStructEditField* label = line("Label (1)");
        QCOMPARE(label->Text(), "On");
        label->setText("Running");
        QCOMPARE(choices(item) + '|' + m_fields->Item(0)->Text(), "0..1: Off|Running|1 - Running");
    }
};

QTEST_MAIN(NumberFieldsTest)
#include "numberfieldstest.moc"
