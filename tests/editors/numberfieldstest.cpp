// The structured faces of the integer and real editors over real core items, bound through a
// real XCStructEditFields collection: which lines a value declares, what each shows and locks,
// and what a change of each writes. The lines both editors share run in one table with a column
// naming the number type; the integer's choice list, view and the real's precision follow.
#include "scalartestdata.h"

#include "corehooks.h"
#include "recordingplatformservices.h"
#include "xcstructeditfield.h"
#include "xcstructeditfieldenums.h"
#include "xcstructeditfields.h"

#include <QTest>

namespace {

// "Caption/indentation" of every line below the root.
QStringList layout(XCStructEditFields& fields)
{
    QStringList lines;
    for (int i = 1; i < fields.Count(); ++i)
        lines << fields.Item(i)->Caption() + u'/' + QString::number(fields.Item(i)->Indentation());
    return lines;
}

// The line with that caption; the root line for "".
XCStructEditField* line(XCStructEditFields& fields, const QString& caption)
{
    for (int i = 0; i < fields.Count(); ++i) {
        if (caption.isEmpty() ? i == 0 : fields.Item(i)->Caption() == caption)
            return fields.Item(i);
    }
    return nullptr;
}

QStringList choicesOf(XCStructEditField* field)
{
    QStringList choices;
    for (int i = 1; i <= field->Enumeration()->Count(); ++i)
        choices << field->Enumeration()->Text(i);
    return choices;
}

} // namespace

class NumberFieldsTest : public QObject
{
    Q_OBJECT

private:
    Velt::RecordingPlatformServices m_services;
    int32_t m_liveAtStart = 0;
    std::unique_ptr<ScalarCore> m_core;
    std::unique_ptr<XCStructEditFields> m_fields;

    // A parameter of the number type, bound at design time or not; returns its item.
    int32_t bind(const QString& number, double value, bool designTime,
                 const std::function<void(int32_t item)>& setUp)
    {
        const int32_t parm = m_core->parameter(number, value);
        setUp(ScalarCore::data(parm));
        m_fields->AttachParameter(parm, 0, 0, designTime, false, false);
        return ScalarCore::data(parm);
    }

private Q_SLOTS:
    void initTestCase()
    {
        Velt::installCoreHooks();
        Velt::PlatformServices::setInstance(&m_services);
    }
    void cleanupTestCase() { Velt::PlatformServices::setInstance(nullptr); }
    void init()
    {
        m_services.clear();
        m_liveAtStart = QuenCoreGetLiveObjectCount();
        m_core = std::make_unique<ScalarCore>();
        m_fields = std::make_unique<XCStructEditFields>();
    }
    void cleanup()
    {
        m_fields.reset();
        m_core.reset();
        QVERIFY(m_services.shownErrors().isEmpty());
        QCOMPARE(QuenCoreGetLiveObjectCount(), m_liveAtStart);
    }

    void declaredLines_data()
    {
        QTest::addColumn<QString>("number");
        QTest::addColumn<bool>("designTime");
        QTest::addColumn<QString>("setup");
        QTest::addColumn<QStringList>("lines");
        const auto both = [](const char* name, bool design, const char* setup, QStringList lines) {
            QTest::addRow("integer, %s", name)
                << "integer" << design << setup << lines + QStringList{"View As/1"};
            QTest::addRow("real, %s", name)
                << "real" << design << setup << lines + QStringList{"Precision/1"};
        };
        both("plain, design", true, "", {"Style/1", "Value/1", "Units/1"});
        both("plain, run", false, "", {});
        both("units, run", false, "units", {"Value/1", "Units/1"});
        both("restricted, design", true, "restriction",
             {"Style/1", "Low/1", "High/1", "Value/1", "Units/1"});
        both("restricted, run", false, "restriction", {"Restrictions/1", "Low/2", "High/2"});
        both("low only, run", false, "low only", {"Restrictions/1", "Low/2"});
        both("high only, run", false, "high only", {"Restrictions/1", "High/2"});
        both("full range, run", false, "full range", {});
        QTest::newRow("integer, choices, design")
            << "integer" << true << "choices"
            << QStringList{"Style/1", "Begin at/1", "End at/1", "Labels/1", "Label (4)/2",
                           "Label (5)/2", "Label (6)/2"};
        QTest::newRow("integer, choices, run") << "integer" << false << "choices" << QStringList{};
    }
    void declaredLines()
    {
        QFETCH(QString, number);
        QFETCH(bool, designTime);
        QFETCH(QString, setup);
        QFETCH(QStringList, lines);
        const double max = number == u"integer" ? Velt::NumericConversion::Int32UnboundedHigh
                                              : Velt::Real64Rules::Unbounded;
        const double min = number == u"integer" ? Velt::NumericConversion::Int32UnboundedLow : -max;
        bind(number, 5, designTime, [&](int32_t data) {
            if (setup == "units")
                ScalarCore::setString(data, "Units", "V");
            if (setup == "restriction")
                ScalarCore::setRestriction(data, 1, 9);
            if (setup == "low only")
                ScalarCore::setRestriction(data, 1, max);
            if (setup == "high only")
                ScalarCore::setRestriction(data, min, 9);
            if (setup == "full range")
                ScalarCore::setRestriction(data, min, max);
            if (setup == "choices")
                ScalarCore::setChoices(data, 4, {"Four", "", "Six"});
        });
        QCOMPARE(layout(*m_fields), lines);
        QCOMPARE(m_fields->DataType(), number == u"integer" ? "Integer (32 bit)" : "Real (64 bit)");
    }

    // Outside design time, with units, a display form and a restriction.
    void lineTexts_data()
    {
        QTest::addColumn<QString>("number");
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("error");
        QTest::addColumn<bool>("locked");
        QTest::newRow("integer root") << "integer" << 255.0 << "" << "0xFF mV (Hexadecimal)" << ""
                                      << false;
        QTest::newRow("integer root outside")
            << "integer" << 512.0 << "" << "0x200 mV (Hexadecimal)"
            << "Value must be less or equal to  0x100 (256)" << false;
        QTest::newRow("integer restrictions") << "integer" << 255.0 << "Restrictions"
                                              << "0x10 <= Value <= 0x100" << "" << true;
        QTest::newRow("integer low") << "integer" << 255.0 << "Low" << "0x10" << "" << true;
        QTest::newRow("integer value") << "integer" << 255.0 << "Value" << "0xFF mV (Hexadecimal)"
                                       << "" << false;
        QTest::newRow("integer units") << "integer" << 255.0 << "Units" << "mV" << "" << true;
        QTest::newRow("integer view") << "integer" << 255.0 << "View As" << "Hexadecimal" << ""
                                      << true;
        QTest::newRow("real root") << "real" << 1234.5 << "" << "1.235E+03 mV" << "" << false;
        QTest::newRow("real root outside") << "real" << 2500.0 << "" << "2.500E+03 mV"
                                           << "Value must be less or equal to  2.000E+03" << false;
        QTest::newRow("real restrictions") << "real" << 1234.5 << "Restrictions"
                                           << "Value <= 2.000E+03" << "" << true;
        QTest::newRow("real high") << "real" << 1234.5 << "High" << "2.000E+03" << "" << true;
        QTest::newRow("real precision") << "real" << 1234.5 << "Precision" << "3" << "" << false;
    }
    void lineTexts()
    {
        QFETCH(QString, number);
        QFETCH(double, value);
        QFETCH(QString, caption);
        QFETCH(QString, text);
        QFETCH(QString, error);
        QFETCH(bool, locked);
        bind(number, value, false, [&](int32_t data) {
            ScalarCore::setString(data, "Units", "mV");
            if (number == u"integer") {
                ScalarCore::setString(data, "View As", "Hexadecimal");
                ScalarCore::setRestriction(data, 16, 0x100);
            } else {
                ScalarCore::setPrecision(data, 3);
                ScalarCore::setRestriction(data, -Velt::Real64Rules::Unbounded, 2000.0);
            }
        });
        XCStructEditField* field = line(*m_fields, caption);
        QVERIFY(field);
        QCOMPARE(field->Text(), text);
        QCOMPARE(field->ErrorMessage(), error);
        QCOMPARE(field->BitmapName() == u"Error", !error.isEmpty());
        QCOMPARE(field->Locked(), locked);
    }

    // At design time, with units "V" and a restriction of 16..256 (integers, in hexadecimal)
    // or 1..2 (reals).
    void changes_data()
    {
        QTest::addColumn<QString>("number");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("posted");
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("restriction");
        QTest::addColumn<QString>("error");
        QTest::addColumn<int>("age");
        const QString mismatch = QStringLiteral("The Value is not a legal integer: Type mismatch");
        QTest::newRow("integer root, decorated") << "integer" << "" << "0x20 V (Hexadecimal)"
                                                 << true << 32.0 << "16..256" << "" << 1;
        QTest::newRow("integer root, bare digits") << "integer" << "" << "30" << true << 48.0
                                                   << "16..256" << "" << 1;
        QTest::newRow("integer root, unposted") << "integer" << "" << "30" << false << 48.0
                                                << "16..256" << "" << 0;
        QTest::newRow("integer root, above high")
            << "integer" << "" << "0x200" << true << 255.0 << "16..256"
            << "Value must be less or equal to  0x100 (256)" << 0;
        QTest::newRow("integer root, not a number") << "integer" << "" << "zz" << true << 255.0
                                                    << "16..256" << mismatch << 0;
        QTest::newRow("integer value line") << "integer" << "Value" << "0x11 V" << true << 17.0
                                            << "16..256" << "" << 1;
        QTest::newRow("integer low raises the value") << "integer" << "Low" << "0x100" << true
                                                      << 256.0 << "256..256" << "" << 1;
        QTest::newRow("integer low keeps the high") << "integer" << "Low" << "&hFFFFFFFD" << true
                                                    << 255.0 << "-3..256" << "" << 1;
        QTest::newRow("integer low above high")
            << "integer" << "Low" << "0x101" << true << 255.0 << "16..256"
            << "'Low' value must be less than 'High' value" << 0;
        QTest::newRow("integer high lowers the value") << "integer" << "High" << "0x80" << true
                                                       << 128.0 << "16..128" << "" << 1;
        QTest::newRow("integer high below low")
            << "integer" << "High" << "0xF" << true << 255.0 << "16..256"
            << "'High' value must be greater than 'Low' value" << 0;
        QTest::newRow("real root with units") << "real" << "" << "1.75 V" << true << 1.75
                                              << "1..2" << "" << 0;
        QTest::newRow("real root, unposted") << "real" << "" << "1.25" << false << 1.25 << "1..2"
                                             << "" << 0;
        QTest::newRow("real root outside") << "real" << "" << "5" << true << 1.5 << "1..2"
                                           << "Value must be less or equal to  2.0" << 0;
        QTest::newRow("real low raises") << "real" << "Low" << "1.6" << true << 1.6 << "1.6..2"
                                         << "" << 1;
        QTest::newRow("real high lowers") << "real" << "High" << "1.25" << true << 1.25
                                          << "1..1.25" << "" << 1;
        QTest::newRow("real low above high") << "real" << "Low" << "3" << true << 1.5 << "1..2"
                                             << "'Low' value must be less than 'High' value" << 0;
        QTest::newRow("real high below low")
            << "real" << "High" << "0" << true << 1.5 << "1..2"
            << "'High' value must be greater than 'Low' value" << 0;
    }
    void changes()
    {
        QFETCH(QString, number);
        QFETCH(QString, caption);
        QFETCH(QString, text);
        QFETCH(bool, posted);
        QFETCH(double, value);
        QFETCH(QString, restriction);
        QFETCH(QString, error);
        QFETCH(int, age);
        const bool integer = number == u"integer";
        const int32_t item = bind(number, integer ? 255 : 1.5, true, [&](int32_t data) {
            ScalarCore::setString(data, "Units", "V");
            if (integer)
                ScalarCore::setString(data, "View As", "Hexadecimal");
            ScalarCore::setRestriction(data, integer ? 16 : 1, integer ? 256 : 2);
        });
        XCStructEditField* field = line(*m_fields, caption);
        QVERIFY(field);
        if (posted)
            field->setText(text);
        else
            field->SetTextUnposted(text);
        QCOMPARE(field->ErrorMessage(), error);
        QCOMPARE(ScalarCore::value(item), value);
        QCOMPARE(ScalarCore::restriction(item), restriction);
        QCOMPARE(m_fields->Age(), age);
    }

    // From a value of 7 with units "V" and a restriction of 2..9, at design time.
    void styleChanges_data()
    {
        QTest::addColumn<QString>("number");
        QTest::addColumn<QString>("style");
        QTest::addColumn<int>("value");
        QTest::addColumn<QString>("restriction");
        QTest::addColumn<QString>("choices");
        QTest::addColumn<QString>("units");
        QTest::newRow("integer choices") << "integer" << "Provides list of Choices" << 0
                                         << "<absent>" << "0..1: False|True" << "<absent>";
        QTest::newRow("integer restricted keeps its restriction")
            << "integer" << "Value is Restricted" << 7 << "2..9" << "<absent>" << "V";
        QTest::newRow("integer plain") << "integer" << "Value is 32-bit integer" << 7 << "<absent>"
                                       << "<absent>" << "V";
        QTest::newRow("real restricted keeps its restriction")
            << "real" << "Value is Restricted" << 7 << "2..9" << "<absent>" << "V";
        QTest::newRow("real plain") << "real" << "Value is 64-bit real" << 7 << "<absent>"
                                    << "<absent>" << "V";
    }
    void styleChanges()
    {
        QFETCH(QString, number);
        QFETCH(QString, style);
        QFETCH(int, value);
        QFETCH(QString, restriction);
        QFETCH(QString, choices);
        QFETCH(QString, units);
        const int32_t item = bind(number, 7, true, [&](int32_t data) {
            ScalarCore::setString(data, "Units", "V");
            ScalarCore::setRestriction(data, 2, 9);
        });
        XCStructEditField* styleLine = line(*m_fields, "Style");
        QCOMPARE(styleLine->Text(), "Value is Restricted");
        QCOMPARE(choicesOf(styleLine).size(), number == u"integer" ? 3 : 2);
        styleLine->setText(style);
        QCOMPARE(ScalarCore::value(item), value);
        QCOMPARE(ScalarCore::restriction(item), restriction);
        QCOMPARE(ScalarCore::choices(item), choices);
        QCOMPARE(ScalarCore::string(item, "Units"), units);
        QCOMPARE(styleLine->Text(), style);
    }

    // A fresh editor's own bounds are the unbounded pair; a choice list makes way.
    void styleRestrictsWithTheEditorBounds_data()
    {
        QTest::addColumn<QString>("number");
        QTest::addColumn<QString>("restriction");
        QTest::newRow("integer") << "integer" << "-2147483648..2147483647";
        QTest::newRow("real") << "real" << "-1.79769313486231E+308..1.79769313486231E+308";
    }
    void styleRestrictsWithTheEditorBounds()
    {
        QFETCH(QString, number);
        QFETCH(QString, restriction);
        const int32_t item = bind(number, 7, true, [&](int32_t data) {
            if (number == u"integer")
                ScalarCore::setChoices(data, 0, {"Off", "On"});
        });
        line(*m_fields, "Style")->setText("Value is Restricted");
        QCOMPARE(ScalarCore::choices(item), "<absent>");
        QCOMPARE(ScalarCore::restriction(item), restriction);
    }

    // Properties set through their lines, read back by the core and by the root line.
    void propertyChanges_data()
    {
        QTest::addColumn<QString>("number");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("property");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("error");
        QTest::addColumn<QString>("root");
        QTest::newRow("integer view") << "integer" << "View As" << " Octal " << "View As"
                                      << "Octal" << "" << "011 (Octal)";
        QTest::newRow("integer decimal view") << "integer" << "View As" << "Decimal" << "View As"
                                              << "<absent>" << "" << "9";
        QTest::newRow("integer units") << "integer" << "Units" << " Hz " << "Units" << "Hz" << ""
                                       << "9 Hz";
        QTest::newRow("real units blank") << "real" << "Units" << "" << "Units" << "<absent>"
                                          << "" << "9.00E+00";
        QTest::newRow("real precision") << "real" << "Precision" << "4" << "Precision" << "4" << ""
                                        << "9.0000E+00 V";
        QTest::newRow("real precision blank") << "real" << "Precision" << "" << "Precision"
                                              << "<absent>" << "" << "9.0 V";
        QTest::newRow("real precision zero") << "real" << "Precision" << "0" << "Precision"
                                             << "<absent>" << "" << "9.0 V";
        QTest::newRow("real precision too large")
            << "real" << "Precision" << "16" << "Precision" << "2"
            << "'Precision' value must 15 or less" << "9.00E+00 V";
    }
    void propertyChanges()
    {
        QFETCH(QString, number);
        QFETCH(QString, caption);
        QFETCH(QString, text);
        QFETCH(QString, property);
        QFETCH(QString, stored);
        QFETCH(QString, error);
        QFETCH(QString, root);
        const int32_t item = bind(number, 9, true, [&](int32_t data) {
            if (number == u"real") {
                ScalarCore::setPrecision(data, 2);
                ScalarCore::setString(data, "Units", "V");
            }
        });
        XCStructEditField* field = line(*m_fields, caption);
        field->setText(text);
        QCOMPARE(field->ErrorMessage(), error);
        const int32_t value = QuenDataExGetProperty(item, property.toUtf8().constData());
        const bool text32 = property == u"Precision";
        QCOMPARE(!value ? QStringLiteral("<absent>")
                 : text32 ? QString::number(QuenInt32GetValue(value))
                          : QString::fromUtf8(QuenStringGetValue(value)),
                 stored);
        QCOMPARE(m_fields->Item(0)->Text(), root);
    }

    // ---- the integer's choice list ------------------------------------------------------

    void choiceRootLine_data()
    {
        QTest::addColumn<int>("value");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("error");
        QTest::newRow("labelled") << 5 << "5 - Five" << "";
        QTest::newRow("blank label") << 6 << "6 - <choose>"
                                     << "This value is not a choice from the list";
        QTest::newRow("out of range") << 9 << "9 - <choose>"
                                      << "The value is out of range - select a new choice";
    }
    void choiceRootLine()
    {
        QFETCH(int, value);
        QFETCH(QString, text);
        QFETCH(QString, error);
        const int32_t item = bind("integer", value, false, [](int32_t data) {
            ScalarCore::setChoices(data, 4, {"Four", "Five", " "});
        });
        XCStructEditField* root = m_fields->Item(0);
        QCOMPARE(root->Text(), text);
        QCOMPARE(root->ErrorMessage(), error);
        QCOMPARE(root->Locked(), true);
        QCOMPARE(choicesOf(root), QStringList({"4 - Four", "5 - Five"})); // blank labels offer none
        root->setText("4 - Four");
        QCOMPARE(QuenInt32GetValue(item), 4);
        QCOMPARE(root->ErrorMessage(), "");
    }

    void choiceListWithoutLabels()
    {
        bind("integer", 0, false, [](int32_t data) { ScalarCore::setChoices(data, 0, {"", ""}); });
        XCStructEditField* root = m_fields->Item(0);
        QCOMPARE(choicesOf(root), QStringList{"<Empty - Add Labels>"});
        root->setText("<Empty - Add Labels>");
        QCOMPARE(root->ErrorMessage(), "No Labels are defined");
    }

    void choiceBoundChanges_data()
    {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("error");
        QTest::addColumn<QString>("choices");
        QTest::addColumn<int>("value");
        QTest::newRow("grow at the end") << "End at" << "4" << "" << "1..4: One|Two|Three|" << 3;
        QTest::newRow("shrink from the start") << "Begin at" << "3" << "" << "3..3: Three" << 3;
        QTest::newRow("shrink below the value") << "End at" << "2" << "" << "1..2: One|Two" << 2;
        QTest::newRow("move down") << "Begin at" << "-1" << "" << "-1..3: ||One|Two|Three" << 3;
        QTest::newRow("1001 labels") << "End at" << "1001" << "" << "" << 3;
        QTest::newRow("1002 labels") << "End at" << "1002"
                                     << "Total number of labels is limited to 1000" << "" << 3;
        QTest::newRow("end below begin") << "End at" << "0"
                                         << "'End at' must be greater than 'Begin at'" << "" << 3;
        QTest::newRow("begin above end") << "Begin at" << "4"
                                         << "'Begin at' must be less than 'End at'" << "" << 3;
    }
    void choiceBoundChanges()
    {
        QFETCH(QString, caption);
        QFETCH(QString, text);
        QFETCH(QString, error);
        QFETCH(QString, choices);
        QFETCH(int, value);
        const int32_t item = bind("integer", 3, true, [](int32_t data) {
            ScalarCore::setChoices(data, 1, {"One", "Two", "Three"});
        });
        const QString before = ScalarCore::choices(item);
        XCStructEditField* field = line(*m_fields, caption);
        field->setText(text);
        QCOMPARE(field->ErrorMessage(), error);
        QCOMPARE(QuenInt32GetValue(item), value);
        if (!error.isEmpty())
            QCOMPARE(ScalarCore::choices(item), before);
        else if (!choices.isEmpty())
            QCOMPARE(ScalarCore::choices(item), choices);
        QCOMPARE(m_fields->Age(), error.isEmpty() ? 1 : 0);
    }

    void labelLines()
    {
        const int32_t item = bind("integer", 1, true, [](int32_t data) {
            ScalarCore::setChoices(data, 0, {"Off", "On"});
        });
        QCOMPARE(line(*m_fields, "Labels")->Text(), "2 Labels to define");
        QCOMPARE(line(*m_fields, "Begin at")->Text(), "0");
        XCStructEditField* label = line(*m_fields, "Label (1)");
        QCOMPARE(label->Text(), "On");
        label->setText("Running");
        QCOMPARE(ScalarCore::choices(item), "0..1: Off|Running");
        QCOMPARE(m_fields->Item(0)->Text(), "1 - Running");
        // Each line reads its label from the core when it is read.
        ScalarCore::setChoices(item, 0, {"Stopped", "Going"});
        QCOMPARE(label->Text(), "Going");
    }
};

QTEST_MAIN(NumberFieldsTest)
#include "numberfieldstest.moc"
