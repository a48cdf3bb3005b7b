// The real editor's rules: reading and rendering with a precision, restriction messages,
// precision validation, the unbounded values, and the structured face over real core items
// bound through a real XCStructEditFields collection.
#include "real64rules.h"
#include "localeseparators.h"
#include "scalartestdata.h"

#include "corehooks.h"
#include "recordingplatformservices.h"
#include "xcstructeditfield.h"
#include "xcstructeditfieldenums.h"
#include "xcstructeditfields.h"

#include <QTest>

#include <bit>
#include <cfloat>

namespace R = Velt::Real64Rules;

namespace {

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

class Real64RulesTest : public QObject
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
        QTest::addColumn<bool>("comma");
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("error");
        QTest::newRow("plain") << " 12 " << false << 12.0 << "";
        QTest::newRow("exponent") << "-1.5e3" << false << -1500.0 << "";
        QTest::newRow("groups") << "1,234.5" << false << 1234.5 << "";
        QTest::newRow("comma decimal") << "2,5" << true << 2.5 << "";
        QTest::newRow("comma groups") << "1.234,5" << true << 1234.5 << "";
        QTest::newRow("blank") << "   " << false << 0.0 << "The Value cannot be blank";
        QTest::newRow("not a number") << "abc" << false << 0.0
                                      << "The Value is not a legal numeric value: Type mismatch";
        QTest::newRow("too large") << "1e400" << false << 0.0
                                   << "The Value is not a legal numeric value: Overflow";
        QTest::newRow("unbounded reads back") << "1.79769313486231E+308" << false
                                              << R::Unbounded << "";
    }
    void parse()
    {
        QFETCH(QString, text);
        QFETCH(bool, comma);
        QFETCH(double, value);
        QFETCH(QString, error);
        std::optional<Velt::LocaleSeparators::Override> locale;
        if (comma)
            locale.emplace(u',', u';');
        const R::Parsed parsed = R::parseRealText(R::ValueCaption, text);
        QCOMPARE(parsed.error, error);
        QCOMPARE(parsed.value, value);
    }

    void format_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<int>("precision");
        QTest::addColumn<bool>("comma");
        QTest::addColumn<QString>("text");
        QTest::newRow("12") << 12.0 << 0 << false << "12.0";
        QTest::newRow("half") << 0.5 << 0 << false << "0.5";
        QTest::newRow("comma 12") << 12.0 << 0 << true << "12,0";
        QTest::newRow("exponent form") << 1e20 << 0 << false << "1.0E+20";
        QTest::newRow("precision 3") << 1234.5 << 3 << false << "1.235E+03";
        QTest::newRow("precision 2, small") << 0.000123 << 2 << false << "1.23E-04";
        QTest::newRow("precision 2, comma") << 0.000123 << 2 << true << "1,23E-04";
        // 15 significant digits are kept: the 16th digit shown is a padding zero.
        QTest::newRow("precision 20 is 15") << 1.0 / 3.0 << 20 << false << "3.333333333333330E-01";
        QTest::newRow("precision 15") << 2.0 / 3.0 << 15 << false << "6.666666666666670E-01";
        QTest::newRow("unbounded") << R::Unbounded << 0 << false << "1.79769313486231E+308";
    }
    void format()
    {
        QFETCH(double, value);
        QFETCH(int, precision);
        QFETCH(bool, comma);
        QFETCH(QString, text);
        std::optional<Velt::LocaleSeparators::Override> locale;
        if (comma)
            locale.emplace(u',', u';');
        QCOMPARE(R::formatRealText(value, precision), text);
    }

    void restriction_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<int>("precision");
        QTest::addColumn<double>("low");
        QTest::addColumn<double>("high");
        QTest::addColumn<QString>("message");
        QTest::newRow("inside") << 1.5 << 0 << 1.0 << 2.0 << "";
        QTest::newRow("below") << 0.5 << 0 << 1.0 << 2.0 << "Value must be greater or equal to 1.0";
        QTest::newRow("above, precision 2")
            << 2.5 << 2 << 1.0 << 2.0 << "Value must be less or equal to  2.00E+00";
        QTest::newRow("unbounded") << 1e300 << 0 << -R::Unbounded << R::Unbounded << "";
    }
    void restriction()
    {
        QFETCH(double, value);
        QFETCH(int, precision);
        QFETCH(double, low);
        QFETCH(double, high);
        QFETCH(QString, message);
        QCOMPARE(R::checkRealRestriction(value, precision, low, high), message);
    }

    void boundTexts()
    {
        QCOMPARE(R::lowBoundText(-R::Unbounded, 0), "");
        QCOMPARE(R::highBoundText(R::Unbounded, 3), "");
        QCOMPARE(R::lowBoundText(-DBL_MAX, 0), "-1.79769313486232E+308");
        QVERIFY(R::isFullRange(-R::Unbounded, R::Unbounded));
        QVERIFY(!R::isFullRange(-DBL_MAX, R::Unbounded)); // the true extreme is a real bound
        QCOMPARE(R::restrictionSummary(-R::Unbounded, 2.0, 0), "Value <= 2.0");
        QCOMPARE(R::restrictionSummary(1.0, 2.0, 1), "1.0E+00 <= Value <= 2.0E+00");
        QCOMPARE(std::bit_cast<quint64>(R::Unbounded), Q_UINT64_C(0x7FEFFFFFFFFFFFE2));
    }

    void precision_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("precision");
        QTest::addColumn<QString>("error");
        QTest::newRow("blank") << "  " << 0 << "";
        QTest::newRow("fifteen") << "15" << 15 << "";
        QTest::newRow("half to even") << "2.5" << 2 << "";
        QTest::newRow("negative") << "-1" << 0 << "'Precision' value must zero or greater";
        QTest::newRow("sixteen") << "16" << 0 << "'Precision' value must 15 or less";
        QTest::newRow("not a number") << "two" << 0 << "'Precision' value must be an integer";
        QTest::newRow("beyond 16 bits") << "70000" << 0 << "'Precision' value must be an integer";
    }
    void precision()
    {
        QFETCH(QString, text);
        QFETCH(int, precision);
        QFETCH(QString, error);
        const R::Precision result = R::validatePrecision(text);
        QCOMPARE(result.error, error);
        QCOMPARE(result.precision, precision);
    }

    void status()
    {
        QCOMPARE(R::realStatus(2.5, 0, -R::Unbounded, R::Unbounded, "2,50", " V ").status, "2,50 V");
        QCOMPARE(R::realStatus(2.5, 0, -R::Unbounded, R::Unbounded, "2.5", "").status, "");
        const R::Messages outside = R::realStatus(3.0, 0, 1.0, 2.0, "3", "V");
        QCOMPARE(outside.error, "Value must be less or equal to  2.0");
    }

    // ---- the structured face -------------------------------------------------------------

    void declaredFields_data()
    {
        QTest::addColumn<bool>("designTime");
        QTest::addColumn<QString>("setup");
        QTest::addColumn<QStringList>("fields");
        QTest::newRow("plain, design") << true << ""
            << QStringList{"Style/1", "Value/1", "Units/1", "Precision/1"};
        QTest::newRow("plain, run") << false << "" << QStringList{"Precision/1"};
        QTest::newRow("units, run") << false << "units"
            << QStringList{"Value/1", "Units/1", "Precision/1"};
        QTest::newRow("restricted, design") << true << "restriction"
            << QStringList{"Style/1", "Low/1", "High/1", "Value/1", "Units/1", "Precision/1"};
        QTest::newRow("restricted, run") << false << "restriction"
            << QStringList{"Restrictions/1", "Low/2", "High/2", "Precision/1"};
        QTest::newRow("high only, run") << false << "high only"
            << QStringList{"Restrictions/1", "High/2", "Precision/1"};
        QTest::newRow("full range, run") << false << "full range" << QStringList{"Precision/1"};
    }
    void declaredFields()
    {
        QFETCH(bool, designTime);
        QFETCH(QString, setup);
        QFETCH(QStringList, fields);
        ScalarCore core;
        const int32_t parm = core.realParameter("Volts", 1.5);
        const int32_t item = ScalarCore::data(parm);
        if (setup == "units")
            ScalarCore::setString(item, "Units", "V");
        if (setup == "restriction")
            ScalarCore::setRealRestriction(item, 1.0, 2.0);
        if (setup == "high only")
            ScalarCore::setRealRestriction(item, -R::Unbounded, 2.0);
        if (setup == "full range")
            ScalarCore::setRealRestriction(item, -R::Unbounded, R::Unbounded);
        XCStructEditFields collection;
        collection.AttachParameter(parm, 0, 0, designTime, false, false);
        QCOMPARE(layout(collection), fields);
    }

    void fieldTexts()
    {
        ScalarCore core;
        const int32_t parm = core.realParameter("Volts", 1234.5);
        const int32_t item = ScalarCore::data(parm);
        ScalarCore::setString(item, "Units", "V");
        ScalarCore::setPrecision(item, 3);
        ScalarCore::setRealRestriction(item, -R::Unbounded, 2000.0);
        XCStructEditFields collection;
        collection.AttachParameter(parm, 0, 0, false, false, false);
        QCOMPARE(collection.DataType(), "Real (64 bit)");
        QCOMPARE(collection.Item(0)->Text(), "1.235E+03 V");
        QCOMPARE(field(collection, "Restrictions")->Text(), "Value <= 2.000E+03");
        QCOMPARE(field(collection, "High")->Text(), "2.000E+03");
        QCOMPARE(field(collection, "High")->Locked(), true);
        QCOMPARE(field(collection, "Precision")->Text(), "3");
        QuenReal64SetValue(item, 2500.0);
        QCOMPARE(collection.Item(0)->Text(), "2.500E+03 V");
        QCOMPARE(collection.Item(0)->ErrorMessage(), "Value must be less or equal to  2.000E+03");
    }

    void changes_data()
    {
        QTest::addColumn<QString>("fieldCaption");
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("restriction");
        QTest::addColumn<QString>("error");
        QTest::addColumn<int>("ageStep");
        QTest::newRow("root with units") << "" << "1.75 V" << 1.75 << "1..2" << "" << 0;
        QTest::newRow("root outside") << "" << "5" << 1.5 << "1..2"
                                      << "Value must be less or equal to  2.0" << 0;
        QTest::newRow("root blank") << "" << " V" << 1.5 << "1..2" << "The Value is not a legal numeric value: Type mismatch" << 0;
        QTest::newRow("low raises") << "Low" << "1.6" << 1.6 << "1.6..2" << "" << 1;
        QTest::newRow("high lowers") << "High" << "1.25" << 1.25 << "1..1.25" << "" << 1;
        QTest::newRow("low above high") << "Low" << "3" << 1.5 << "1..2"
                                        << "'Low' value must be less than 'High' value" << 0;
        QTest::newRow("high below low") << "High" << "0" << 1.5 << "1..2"
                                        << "'High' value must be greater than 'Low' value" << 0;
        QTest::newRow("plain style") << "Style" << "Value is 64-bit real" << 1.5 << "<absent>" << "" << 0;
    }
    void changes()
    {
        QFETCH(QString, fieldCaption);
        QFETCH(QString, text);
        QFETCH(double, value);
        QFETCH(QString, restriction);
        QFETCH(QString, error);
        QFETCH(int, ageStep);
        ScalarCore core;
        const int32_t parm = core.realParameter("Volts", 1.5);
        const int32_t item = ScalarCore::data(parm);
        ScalarCore::setString(item, "Units", "V");
        ScalarCore::setRealRestriction(item, 1.0, 2.0);
        XCStructEditFields collection;
        collection.AttachParameter(parm, 0, 0, true, false, false);
        XCStructEditField* target =
            fieldCaption.isEmpty() ? collection.Item(0) : field(collection, fieldCaption);
        QVERIFY(target);
        target->setText(text);
        QCOMPARE(target->ErrorMessage(), error);
        QCOMPARE(QuenReal64GetValue(item), value);
        QCOMPARE(realRestriction(item), restriction);
        QCOMPARE(collection.Age(), ageStep);
    }

    void precisionAndUnitsFields_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("error");
        QTest::newRow("set") << "4" << "4" << "";
        QTest::newRow("blank removes") << "" << "<absent>" << "";
        QTest::newRow("zero removes") << "0" << "<absent>" << "";
        QTest::newRow("too many") << "16" << "2" << "'Precision' value must 15 or less";
    }
    void precisionAndUnitsFields()
    {
        QFETCH(QString, text);
        QFETCH(QString, stored);
        QFETCH(QString, error);
        ScalarCore core;
        const int32_t parm = core.realParameter("Volts", 12.0);
        const int32_t item = ScalarCore::data(parm);
        ScalarCore::setPrecision(item, 2);
        XCStructEditFields collection;
        collection.AttachParameter(parm, 0, 0, true, false, false);
        XCStructEditField* precision = field(collection, "Precision");
        precision->setText(text);
        QCOMPARE(precision->ErrorMessage(), error);
        const int32_t property = QuenDataExGetProperty(item, "Precision");
        QCOMPARE(property ? QString::number(QuenInt32GetValue(property)) : QStringLiteral("<absent>"),
                 stored);
        field(collection, "Units")->setText(" mV ");
        QCOMPARE(ScalarCore::string(item, "Units"), "mV");
    }

    void styleRestrictsWithTheEditorBounds()
    {
        ScalarCore core;
        const int32_t parm = core.realParameter("Volts", 12.0);
        const int32_t item = ScalarCore::data(parm);
        XCStructEditFields collection;
        collection.AttachParameter(parm, 0, 0, true, false, false);
        XCStructEditField* style = field(collection, "Style");
        QCOMPARE(style->Text(), "Value is 64-bit real");
        QCOMPARE(style->Enumeration()->Count(), 2);
        style->setText("Value is Restricted");
        const int32_t array = QuenDataExGetProperty(item, "Restriction");
        QVERIFY(array);
        QCOMPARE(QuenR64ArrGetAt1(array, 1), -R::Unbounded);
        QCOMPARE(QuenR64ArrGetAt1(array, 2), R::Unbounded);
        QCOMPARE(style->Text(), "Value is Restricted");
    }

private:
    static QString realRestriction(int32_t item)
    {
        const int32_t array = QuenDataExGetProperty(item, "Restriction");
        if (!array)
            return QStringLiteral("<absent>");
        return QStringLiteral("%1..%2").arg(QuenR64ArrGetAt1(array, 1)).arg(QuenR64ArrGetAt1(array, 2));
    }

    Velt::RecordingPlatformServices m_services;
    int32_t m_liveAtStart = 0;
};

QTEST_MAIN(Real64RulesTest)
#include "real64rulestest.moc"
