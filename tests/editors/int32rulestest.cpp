// The integer editor's rules: reading and rendering in every view, restriction messages, the
// status line, choice list bounds, and the structured face over real core items, bound through
// a real XCStructEditFields collection.
#include "int32rules.h"
#include "localeseparators.h"
#include "scalartestdata.h"

#include "corehooks.h"
#include "recordingplatformservices.h"
#include "xcstructeditfield.h"
#include "xcstructeditfieldenums.h"
#include "xcstructeditfields.h"

#include <QTest>

namespace R = Velt::Int32Rules;

namespace {

const QString TypeMismatch = QStringLiteral("The Value is not a legal integer: Type mismatch");
const QString Overflow = QStringLiteral("The Value is not a legal integer: Overflow");

// "Caption/indentation" of every field of a bound collection.
QStringList layout(XCStructEditFields& fields)
{
    QStringList lines;
    for (int i = 1; i < fields.Count(); ++i)
        lines << fields.Item(i)->Caption() + u'/' + QString::number(fields.Item(i)->Indentation());
    return lines;
}

XCStructEditField* field(XCStructEditFields& fields, const QString& caption)
{
    for (int i = 1; i < fields.Count(); ++i) {
        if (fields.Item(i)->Caption() == caption)
            return fields.Item(i);
    }
    return nullptr;
}

} // namespace

class Int32RulesTest : public QObject
{
    Q_OBJECT

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
    }
    void cleanup() { QCOMPARE(QuenCoreGetLiveObjectCount(), m_liveAtStart); }

    void parse_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("view");
        QTest::addColumn<int>("value");
        QTest::addColumn<QString>("error");
        for (const QString& view : R::dialogViewNames()) {
            const QByteArray v = view.toUtf8();
            QTest::newRow(("0x1f, " + v).constData()) << "0x1f" << view << 31 << "";
            QTest::newRow(("010, " + v).constData()) << "010" << view << 8 << "";
            QTest::newRow(("0.5, " + v).constData()) << "0.5" << view << 0 << TypeMismatch;
            QTest::newRow(("&hFFFFFFFF, " + v).constData()) << " &hFFFFFFFF " << view << -1 << "";
        }
        QTest::newRow("0X1F decimal") << "0X1F" << R::Decimal << 0 << TypeMismatch;
        QTest::newRow("17 hex") << "17" << R::Hexadecimal << 23 << "";
        QTest::newRow("17 VB hex") << "17" << R::VbHexadecimal << 23 << "";
        QTest::newRow("17 octal") << "17" << R::Octal << 15 << "";
        QTest::newRow("17 VB octal") << "17" << R::VbOctal << 15 << "";
        QTest::newRow("19 octal") << "19" << R::Octal << 0 << TypeMismatch;
        QTest::newRow("FFFFFFFF hex") << "FFFFFFFF" << R::Hexadecimal << -1 << "";
        QTest::newRow("pattern too wide") << "100000000" << R::Hexadecimal << 0 << Overflow;
        QTest::newRow("2.5 rounds to even") << "2.5" << R::Decimal << 2 << "";
        QTest::newRow("3.5 rounds to even") << "3.5" << R::Decimal << 4 << "";
        QTest::newRow("sign and groups") << " -1,234 " << R::Decimal << -1234 << "";
        QTest::newRow("largest") << "2147483647" << R::Decimal << 2147483647 << "";
        QTest::newRow("beyond") << "2147483648" << R::Decimal << 0 << Overflow;
        QTest::newRow("blank decimal") << "  " << R::Decimal << 0 << "The Value cannot be blank";
        QTest::newRow("blank hex") << "" << R::Hexadecimal << 0 << TypeMismatch;
        QTest::newRow("blank octal") << "" << R::Octal << 0 << TypeMismatch;
        QTest::newRow("unknown view reads decimal") << "17" << "Binary" << 17 << "";
    }
    void parse()
    {
        QFETCH(QString, text);
        QFETCH(QString, view);
        QFETCH(int, value);
        QFETCH(QString, error);
        const R::Parsed parsed = R::parseIntegerText(R::ValueCaption, text, view);
        QCOMPARE(parsed.error, error);
        QCOMPARE(parsed.value, value);
    }

    void parseNamesTheCaption()
    {
        QCOMPARE(R::parseIntegerText(R::LowCaption, "", R::Decimal).error,
                 "The Low value cannot be blank");
        QCOMPARE(R::parseIntegerText(R::HighCaption, "x", R::Decimal).error,
                 "The High value is not a legal integer: Type mismatch");
    }

    void format_data()
    {
        QTest::addColumn<int>("value");
        QTest::addColumn<QString>("view");
        QTest::addColumn<QString>("text");
        QTest::newRow("decimal") << -42 << R::Decimal << "-42";
        QTest::newRow("hex -1") << -1 << R::Hexadecimal << "0xFFFFFFFF";
        QTest::newRow("octal -1") << -1 << R::Octal << "037777777777";
        QTest::newRow("hex 255") << 255 << R::Hexadecimal << "0xFF";
        QTest::newRow("VB hex 255") << 255 << R::VbHexadecimal << "&hFF";
        QTest::newRow("octal 8") << 8 << R::Octal << "010";
        QTest::newRow("VB octal 8") << 8 << R::VbOctal << "&o10";
        QTest::newRow("smallest hex") << int(0x80000000u) << R::Hexadecimal << "0x80000000";
        QTest::newRow("unknown view") << 5 << "Binary" << "";
    }
    void format()
    {
        QFETCH(int, value);
        QFETCH(QString, view);
        QFETCH(QString, text);
        QCOMPARE(R::formatIntegerText(value, view), text);
        if (!text.isEmpty()) // every rendering reads back in its own view
            QCOMPARE(R::parseIntegerText(R::ValueCaption, text, view).value, value);
    }

    void restriction_data()
    {
        QTest::addColumn<int>("value");
        QTest::addColumn<QString>("view");
        QTest::addColumn<int>("low");
        QTest::addColumn<int>("high");
        QTest::addColumn<QString>("message");
        QTest::newRow("inside") << 15 << R::Decimal << 10 << 20 << "";
        QTest::newRow("on the bounds") << 20 << R::Hexadecimal << 20 << 20 << "";
        QTest::newRow("above, hex")
            << 25 << R::Hexadecimal << 10 << 20 << "Value must be less or equal to  0x14 (20)";
        QTest::newRow("below, decimal")
            << 5 << R::Decimal << 10 << 20 << "Value must be greater or equal to 10";
        QTest::newRow("below, octal")
            << 5 << R::Octal << 10 << 20 << "Value must be greater or equal to 012 (10)";
        QTest::newRow("below, VB hex")
            << -5 << R::VbHexadecimal << -1 << 20 << "Value must be greater or equal to &hFFFFFFFF (-1)";
        QTest::newRow("crossed bounds")
            << 15 << R::Decimal << 20 << 10 << "Value must be greater or equal to 20";
        QTest::newRow("unbounded") << 2147483647 << R::Decimal << int(0x80000000u) << 2147483647 << "";
    }
    void restriction()
    {
        QFETCH(int, value);
        QFETCH(QString, view);
        QFETCH(int, low);
        QFETCH(int, high);
        QFETCH(QString, message);
        QCOMPARE(R::checkIntegerRestriction(value, view, low, high), message);
    }

    void restrictionTexts()
    {
        const int32_t min = Velt::NumericConversion::Int32UnboundedLow;
        const int32_t max = Velt::NumericConversion::Int32UnboundedHigh;
        QCOMPARE(R::restrictionSummary(10, 20, R::Decimal), "10 <= Value <= 20");
        QCOMPARE(R::restrictionSummary(min, 0x20, R::Hexadecimal), "Value <= 0x20");
        QCOMPARE(R::restrictionSummary(8, max, R::Octal), "010 <= Value");
        QCOMPARE(R::lowBoundText(min, R::Decimal), "");
        QCOMPARE(R::highBoundText(max, R::Decimal), "");
        QCOMPARE(R::lowBoundText(min + 1, R::Decimal), "-2147483647");
    }

    void status_data()
    {
        QTest::addColumn<int>("value");
        QTest::addColumn<QString>("view");
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QString>("units");
        QTest::addColumn<QString>("error");
        QTest::addColumn<QString>("status");
        QTest::newRow("hex with units") << 255 << R::Hexadecimal << "0xFF" << " mV " << ""
                                        << "0xFF mV or 255 mV decimal";
        QTest::newRow("-1 hex with units") << -1 << R::Hexadecimal << "0xFFFFFFFF" << "V" << ""
                                           << "0xFFFFFFFF V or -1 V decimal";
        QTest::newRow("single digit: no repetition")
            << 5 << R::Hexadecimal << "0x5" << "V" << "" << "0x5 V";
        QTest::newRow("hex") << 255 << R::Hexadecimal << "0xFF" << "" << "" << "Hexadecimal view of 255";
        QTest::newRow("octal") << 8 << R::Octal << "010" << "" << "" << "Octal view of 8";
        QTest::newRow("VB hex") << 255 << R::VbHexadecimal << "&hFF" << "" << ""
                                << "Visual Basic hexadecimal view of 255";
        QTest::newRow("VB octal") << 8 << R::VbOctal << "&o10" << "" << ""
                                  << "Visual Basic octal view of 8";
        QTest::newRow("rounds down") << 2 << R::Decimal << "2.5" << "V" << ""
                                     << "Note: Value will round to 2 V";
        QTest::newRow("rounds up, no units") << 4 << R::Decimal << " 3.5 " << "" << ""
                                             << "Note: Value will round to 4 ";
        QTest::newRow("octal text in decimal") << 10 << R::Decimal << "012" << "A" << ""
                                               << "Note: Value will round to 10 A";
        QTest::newRow("decimal with units") << 7 << R::Decimal << "7" << "V" << "" << "7 V";
        QTest::newRow("decimal plain") << 7 << R::Decimal << "7" << "" << "" << "";
        QTest::newRow("restricted") << 25 << R::Hexadecimal << "0x19" << "" 
                                    << "Value must be less or equal to  0x14 (20)"
                                    << "Hexadecimal view of 25";
    }
    void status()
    {
        QFETCH(int, value);
        QFETCH(QString, view);
        QFETCH(QString, entry);
        QFETCH(QString, units);
        QFETCH(QString, error);
        QFETCH(QString, status);
        const bool restricted = QByteArray(QTest::currentDataTag()) == "restricted";
        const R::Messages messages =
            R::integerStatus(value, view, restricted ? 10 : int(0x80000000u),
                             restricted ? 20 : 2147483647, entry, units);
        QCOMPARE(messages.error, error);
        QCOMPARE(messages.status, status);
    }

    void choiceBounds_data()
    {
        QTest::addColumn<QString>("begin");
        QTest::addColumn<QString>("end");
        QTest::addColumn<bool>("endSide");
        QTest::addColumn<QString>("error");
        QTest::newRow("1001 labels") << "0" << "1000" << false << "";
        QTest::newRow("1002 labels") << "0" << "1001" << false
                                     << "Total number of labels is limited to 1000";
        QTest::newRow("1001 at the bottom") << "-32768" << " -31768 " << false << "";
        QTest::newRow("one label") << "3" << "3" << true << "";
        QTest::newRow("begin blank") << " " << "3" << false << "'Begin at' value must be specified";
        QTest::newRow("end blank") << "1" << "" << false << "'End at' value must be specified";
        QTest::newRow("begin not a number")
            << "x" << "3" << false << "'Begin at' value of choice list must be an integer";
        QTest::newRow("end beyond 16 bits")
            << "1" << "40000" << false << "'End at' value of choice list must be an integer";
        QTest::newRow("crossed, begin side") << "5" << "3" << false
                                             << "'Begin at' must be less than 'End at'";
        QTest::newRow("crossed, end side") << "5" << "3" << true
                                           << "'End at' must be greater than 'Begin at'";
    }
    void choiceBounds()
    {
        QFETCH(QString, begin);
        QFETCH(QString, end);
        QFETCH(bool, endSide);
        QFETCH(QString, error);
        const R::ChoiceBounds bounds = R::validateChoiceBounds(
            begin, end, endSide ? R::ChoiceSide::End : R::ChoiceSide::Begin);
        QCOMPARE(bounds.error, error);
        if (error.isEmpty()) {
            QCOMPARE(bounds.begin, begin.trimmed().toInt());
            QCOMPARE(bounds.end, end.trimmed().toInt());
        }
    }

    void choiceTexts()
    {
        QCOMPARE(R::choiceText(1, "True"), "1 - True");
        QCOMPARE(R::comboChoiceText(-3, "Off"), "-3  - Off");
        QCOMPARE(R::choiceValue("12 - Twelve").value, 12);
        QCOMPARE(R::labelValue(R::labelCaption(-7)), std::optional<int32_t>(-7));
        QCOMPARE(R::labelValue("Labels"), std::nullopt);
        QCOMPARE(R::stripValueDecorations(" 0xFF mV (Hexadecimal) ", R::Hexadecimal, "mV"), "0xFF");
        QCOMPARE(R::stripValueDecorations("12 V", R::Decimal, "V"), "12");
        QCOMPARE(R::valueFieldText(255, R::Hexadecimal, "mV"), "0xFF mV (Hexadecimal)");
    }

    // ---- the structured face, through a real collection bound to a core parameter ---------

    void declaredFields_data()
    {
        QTest::addColumn<bool>("designTime");
        QTest::addColumn<QString>("setup");
        QTest::addColumn<QStringList>("fields");
        QTest::newRow("plain, design") << true << ""
            << QStringList{"Style/1", "Value/1", "Units/1", "View As/1"};
        QTest::newRow("plain, run") << false << "" << QStringList{"View As/1"};
        QTest::newRow("units, run") << false << "units"
            << QStringList{"Value/1", "Units/1", "View As/1"};
        QTest::newRow("restricted, design") << true << "restriction"
            << QStringList{"Style/1", "Low/1", "High/1", "Value/1", "Units/1", "View As/1"};
        QTest::newRow("restricted, run") << false << "restriction"
            << QStringList{"Restrictions/1", "Low/2", "High/2", "View As/1"};
        QTest::newRow("low side only, run") << false << "low only"
            << QStringList{"Restrictions/1", "Low/2", "View As/1"};
        QTest::newRow("full range, run") << false << "full range" << QStringList{"View As/1"};
        QTest::newRow("choices, design") << true << "choices"
            << QStringList{"Style/1", "Begin at/1", "End at/1", "Labels/1", "Label (4)/2",
                           "Label (5)/2", "Label (6)/2"};
        QTest::newRow("choices, run") << false << "choices" << QStringList{};
    }
    void declaredFields()
    {
        QFETCH(bool, designTime);
        QFETCH(QString, setup);
        QFETCH(QStringList, fields);
        ScalarCore core;
        const int32_t parm = core.int32Parameter("Count", 5);
        const int32_t item = ScalarCore::data(parm);
        if (setup == "units")
            ScalarCore::setString(item, "Units", "V");
        if (setup == "restriction")
            ScalarCore::setInt32Restriction(item, 1, 9);
        if (setup == "low only")
            ScalarCore::setInt32Restriction(item, 1, 2147483647);
        if (setup == "full range")
            ScalarCore::setInt32Restriction(item, int(0x80000000u), 2147483647);
        if (setup == "choices")
            ScalarCore::setChoices(item, 4, {"Four", "", "Six"});
        XCStructEditFields collection;
        collection.AttachParameter(parm, 0, 0, designTime, false, false);
        QCOMPARE(layout(collection), fields);
        QCOMPARE(collection.Item(0)->Indentation(), 0);
    }

    void fieldTexts()
    {
        ScalarCore core;
        const int32_t parm = core.int32Parameter("Count", 255);
        const int32_t item = ScalarCore::data(parm);
        ScalarCore::setString(item, "Units", "mV");
        ScalarCore::setString(item, "View As", "Hexadecimal");
        ScalarCore::setInt32Restriction(item, 16, 0x100);
        XCStructEditFields collection;
        collection.AttachParameter(parm, 0, 0, false, false, false);
        QCOMPARE(collection.Item(0)->Text(), "0xFF mV (Hexadecimal)");
        QCOMPARE(collection.Item(0)->ErrorMessage(), "");
        QCOMPARE(field(collection, "Restrictions")->Text(), "0x10 <= Value <= 0x100");
        QCOMPARE(field(collection, "Low")->Text(), "0x10");
        QCOMPARE(field(collection, "Low")->Locked(), true);
        QCOMPARE(field(collection, "Value")->Text(), "0xFF mV (Hexadecimal)");
        QCOMPARE(field(collection, "Units")->Text(), "mV");
        QCOMPARE(field(collection, "View As")->Text(), "Hexadecimal");
        XCStructEditFieldEnums* views = field(collection, "View As")->Enumeration();
        QCOMPARE(views->Count(), 3);
        QCOMPARE(views->Text(3), "Hexadecimal");

        QuenInt32SetValue(item, 0x200);
        QCOMPARE(collection.Item(0)->Text(), "0x200 mV (Hexadecimal)");
        QCOMPARE(collection.Item(0)->BitmapName(), "Error");
        QCOMPARE(collection.Item(0)->ErrorMessage(), "Value must be less or equal to  0x100 (256)");
    }

    void choiceRootLine_data()
    {
        QTest::addColumn<int>("value");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("error");
        QTest::newRow("labelled") << 5 << "5 - Five" << "";
        QTest::newRow("blank label") << 6 << "6 - <choose>" << "This value is not a choice from the list";
        QTest::newRow("out of range") << 9 << "9 - <choose>"
                                      << "The value is out of range - select a new choice";
    }
    void choiceRootLine()
    {
        QFETCH(int, value);
        QFETCH(QString, text);
        QFETCH(QString, error);
        ScalarCore core;
        const int32_t parm = core.int32Parameter("Mode", value);
        ScalarCore::setChoices(ScalarCore::data(parm), 4, {"Four", "Five", " "});
        XCStructEditFields collection;
        collection.AttachParameter(parm, 0, 0, false, false, false);
        XCStructEditField* root = collection.Item(0);
        QCOMPARE(root->Text(), text);
        QCOMPARE(root->ErrorMessage(), error);
        QCOMPARE(root->Locked(), true);
        QCOMPARE(root->Enumeration()->Count(), 2); // the blank label offers no choice
        QCOMPARE(root->Enumeration()->Text(2), "5 - Five");

        root->setText("4 - Four");
        QCOMPARE(QuenInt32GetValue(ScalarCore::data(parm)), 4);
        QCOMPARE(root->ErrorMessage(), "");
    }

    void choiceListWithoutLabels()
    {
        ScalarCore core;
        const int32_t parm = core.int32Parameter("Mode", 0);
        ScalarCore::setChoices(ScalarCore::data(parm), 0, {"", ""});
        XCStructEditFields collection;
        collection.AttachParameter(parm, 0, 0, false, false, false);
        XCStructEditField* root = collection.Item(0);
        QCOMPARE(root->Enumeration()->Count(), 1);
        QCOMPARE(root->Enumeration()->Text(1), R::EmptyChoice);
        root->setText(R::EmptyChoice);
        QCOMPARE(root->ErrorMessage(), "No Labels are defined");
    }

    void valueChanges_data()
    {
        QTest::addColumn<QString>("fieldCaption"); // "" for the root line
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("designTime");
        QTest::addColumn<int>("value");
        QTest::addColumn<QString>("error");
        QTest::addColumn<int>("ageStep");
        QTest::newRow("root, decorated") << "" << "0x20 mV (Hexadecimal)" << false << 32 << "" << 1;
        QTest::newRow("root, bare digits") << "" << "30" << false << 48 << "" << 1;
        QTest::newRow("root, above high")
            << "" << "0x200" << false << 255
            << "Value must be less or equal to  0x100 (256)" << 0;
        QTest::newRow("root, not a number") << "" << "zz" << false << 255 << TypeMismatch << 0;
        QTest::newRow("value line, design") << "Value" << "0x11 mV" << true << 17 << "" << 1;
        QTest::newRow("low raises the value") << "Low" << "0x100" << true << 256 << "" << 1;
        QTest::newRow("low above high") << "Low" << "0x101" << true << 255
                                        << "'Low' value must be less than 'High' value" << 0;
        QTest::newRow("high lowers the value") << "High" << "0x80" << true << 128 << "" << 1;
        QTest::newRow("high below low") << "High" << "0xF" << true << 255
                                        << "'High' value must be greater than 'Low' value" << 0;
        QTest::newRow("high blank") << "High" << " " << true << 255
                                    << "The High value is not a legal integer: Type mismatch" << 0;
    }
    void valueChanges()
    {
        QFETCH(QString, fieldCaption);
        QFETCH(QString, text);
        QFETCH(bool, designTime);
        QFETCH(int, value);
        QFETCH(QString, error);
        QFETCH(int, ageStep);
        ScalarCore core;
        const int32_t parm = core.int32Parameter("Count", 255);
        const int32_t item = ScalarCore::data(parm);
        ScalarCore::setString(item, "Units", "mV");
        ScalarCore::setString(item, "View As", "Hexadecimal");
        ScalarCore::setInt32Restriction(item, 16, 0x100);
        XCStructEditFields collection;
        collection.AttachParameter(parm, 0, 0, designTime, false, false);
        XCStructEditField* target =
            fieldCaption.isEmpty() ? collection.Item(0) : field(collection, fieldCaption);
        QVERIFY(target);
        target->setText(text);
        QCOMPARE(target->ErrorMessage(), error);
        QCOMPARE(QuenInt32GetValue(item), value);
        QCOMPARE(collection.Age(), ageStep);
        QVERIFY(m_services.shownErrors().isEmpty());
    }

    void boundsKeepTheOtherSide()
    {
        ScalarCore core;
        const int32_t parm = core.int32Parameter("Count", 5);
        const int32_t item = ScalarCore::data(parm);
        ScalarCore::setInt32Restriction(item, 0, 10);
        XCStructEditFields collection;
        collection.AttachParameter(parm, 0, 0, true, false, false);
        field(collection, "Low")->setText("-3");
        QCOMPARE(ScalarCore::int32Restriction(item), "-3..10");
        field(collection, "High")->setText("3");
        QCOMPARE(ScalarCore::int32Restriction(item), "-3..3");
        QCOMPARE(QuenInt32GetValue(item), 3);
    }

    void unpostedValueIsStoredWithoutRefresh()
    {
        ScalarCore core;
        const int32_t parm = core.int32Parameter("Count", 1);
        XCStructEditFields collection;
        collection.AttachParameter(parm, 0, 0, true, false, false);
        collection.Item(0)->SetTextUnposted("7");
        QCOMPARE(QuenInt32GetValue(ScalarCore::data(parm)), 7);
        QCOMPARE(collection.Age(), 0);
    }

    void styleChanges_data()
    {
        QTest::addColumn<QString>("style");
        QTest::addColumn<int>("value");
        QTest::addColumn<QString>("restriction");
        QTest::addColumn<QString>("choices");
        QTest::addColumn<QString>("units");
        QTest::newRow("choices") << "Provides list of Choices" << 0 << "<absent>"
                                 << "0..1: False|True" << "<absent>";
        QTest::newRow("restricted keeps its restriction")
            << "Value is Restricted" << 7 << "2..9" << "<absent>" << "V";
        QTest::newRow("plain") << "Value is 32-bit integer" << 7 << "<absent>" << "<absent>" << "V";
    }
    void styleChanges()
    {
        QFETCH(QString, style);
        QFETCH(int, value);
        QFETCH(QString, restriction);
        QFETCH(QString, choices);
        QFETCH(QString, units);
        ScalarCore core;
        const int32_t parm = core.int32Parameter("Count", 7);
        const int32_t item = ScalarCore::data(parm);
        ScalarCore::setString(item, "Units", "V");
        ScalarCore::setInt32Restriction(item, 2, 9);
        XCStructEditFields collection;
        collection.AttachParameter(parm, 0, 0, true, false, false);
        XCStructEditField* styleField = field(collection, "Style");
        QCOMPARE(styleField->Text(), "Value is Restricted");
        QCOMPARE(styleField->Enumeration()->Count(), 3);
        styleField->setText(style);
        QCOMPARE(QuenInt32GetValue(item), value);
        QCOMPARE(ScalarCore::int32Restriction(item), restriction);
        QCOMPARE(ScalarCore::choices(item), choices);
        QCOMPARE(ScalarCore::string(item, "Units"), units);
        QCOMPARE(styleField->Text(), style);
    }

    void styleRestrictsAPlainValueWithTheEditorBounds()
    {
        ScalarCore core;
        const int32_t parm = core.int32Parameter("Count", 7);
        const int32_t item = ScalarCore::data(parm);
        ScalarCore::setChoices(item, 0, {"Off", "On"});
        XCStructEditFields collection;
        collection.AttachParameter(parm, 0, 0, true, false, false);
        field(collection, "Style")->setText("Value is Restricted");
        QCOMPARE(ScalarCore::choices(item), "<absent>");
        // A fresh editor's bounds are the unbounded pair.
        QCOMPARE(ScalarCore::int32Restriction(item), "-2147483648..2147483647");
    }

    void choiceBoundChanges_data()
    {
        QTest::addColumn<QString>("fieldCaption");
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
        QFETCH(QString, fieldCaption);
        QFETCH(QString, text);
        QFETCH(QString, error);
        QFETCH(QString, choices);
        QFETCH(int, value);
        ScalarCore core;
        const int32_t parm = core.int32Parameter("Mode", 3);
        const int32_t item = ScalarCore::data(parm);
        ScalarCore::setChoices(item, 1, {"One", "Two", "Three"});
        const QString before = ScalarCore::choices(item);
        XCStructEditFields collection;
        collection.AttachParameter(parm, 0, 0, true, false, false);
        XCStructEditField* target = field(collection, fieldCaption);
        target->setText(text);
        QCOMPARE(target->ErrorMessage(), error);
        QCOMPARE(QuenInt32GetValue(item), value);
        if (!error.isEmpty())
            QCOMPARE(ScalarCore::choices(item), before);
        else if (!choices.isEmpty())
            QCOMPARE(ScalarCore::choices(item), choices);
        QCOMPARE(collection.Age(), error.isEmpty() ? 1 : 0);
    }

    void labelAndViewChanges()
    {
        ScalarCore core;
        const int32_t parm = core.int32Parameter("Mode", 1);
        const int32_t item = ScalarCore::data(parm);
        ScalarCore::setChoices(item, 0, {"Off", "On"});
        XCStructEditFields collection;
        collection.AttachParameter(parm, 0, 0, true, false, false);
        QCOMPARE(field(collection, "Labels")->Text(), "2 Labels to define");
        field(collection, "Label (1)")->setText("Running");
        QCOMPARE(ScalarCore::choices(item), "0..1: Off|Running");
        QCOMPARE(collection.Item(0)->Text(), "1 - Running");

        ScalarCore other;
        const int32_t count = other.int32Parameter("Count", 9);
        const int32_t countItem = ScalarCore::data(count);
        collection.AttachParameter(count, 0, 0, true, false, false);
        field(collection, "View As")->setText(" Octal ");
        QCOMPARE(ScalarCore::string(countItem, "View As"), "Octal");
        QCOMPARE(collection.Item(0)->Text(), "011 (Octal)");
        field(collection, "View As")->setText("Decimal");
        QCOMPARE(ScalarCore::string(countItem, "View As"), "<absent>");
        field(collection, "Units")->setText(" Hz ");
        QCOMPARE(ScalarCore::string(countItem, "Units"), "Hz");
        field(collection, "Units")->setText("");
        QCOMPARE(ScalarCore::string(countItem, "Units"), "<absent>");
        collection.Detach();
    }

    void commaLocaleParsesGroupsAndFractions()
    {
        const Velt::LocaleSeparators::Override comma(u',', u';');
        QCOMPARE(R::parseIntegerText(R::ValueCaption, "1.234", R::Decimal).value, 1234);
        QCOMPARE(R::parseIntegerText(R::ValueCaption, "2,5", R::Decimal).value, 2);
        QCOMPARE(R::integerStatus(2, R::Decimal, int(0x80000000u), 2147483647, "2,5", "V").status,
                 "Note: Value will round to 2 V");
    }

private:
    Velt::RecordingPlatformServices m_services;
    int32_t m_liveAtStart = 0;
};

QTEST_MAIN(Int32RulesTest)
#include "int32rulestest.moc"
