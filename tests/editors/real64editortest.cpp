// The real editor's wiring: its controls in the DataEditor host, the precision box and its
// up-down, what accept and cancel write, its runtime side, a comma-decimal locale, and how the
// registry and the modal form find it.
#include "editortesthelpers.h"
#include "scalartestdata.h"

#include "corehooks.h"
#include "dataeditorregistry.h"
#include "latebinding.h"
#include "real64editor.h"
#include "real64rules.h"
#include "recordingplatformservices.h"
#include "localeseparators.h"
#include "updown_p.h"
#include "xcruntimedataevaluation.h"
#include "xcstructeditfield.h"
#include "xcstructeditfields.h"

#include <QCheckBox>
#include <QToolButton>

#include <cfloat>

namespace R = Velt::Real64Rules;

class Real64EditorTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        Velt::installCoreHooks();
        Velt::PlatformServices::setInstance(&m_services);
    }
    void cleanupTestCase()
    {
        DataEditorRegistry::unload();
        Velt::PlatformServices::setInstance(nullptr);
    }
    void init()
    {
        m_services.clear();
        m_liveAtStart = QuenCoreGetLiveObjectCount();
        m_editor = createEditor<Real64Editor>("VeltEditors.Real64Editor");
        QVERIFY(m_editor);
    }
    void cleanup()
    {
        m_editor.reset();
        m_core.reset();
        QCOMPARE(QuenCoreGetLiveObjectCount(), m_liveAtStart);
    }

    void publishesTheTripleAndARuntimeThatSucceeds()
    {
        QObject* host = Velt::objectByName(m_editor.get(), "GetEditor");
        QCOMPARE(host->property("DataClass").toString(), "CQuenReal64");
        QCOMPARE(Velt::objectByName(m_editor.get(), "GetDirect"), m_editor.get());
        QObject* runtimeObject = Velt::objectByName(m_editor.get(), "GetRuntime");
        auto* runtime = qobject_cast<XCRuntimeDataEvaluation*>(runtimeObject);
        QVERIFY(runtime);
        const int32_t item = realItem(2.0);
        QVERIFY(runtime->Bind(item, 0));
        QVERIFY(runtime->Evaluate(item, 0));
        QVERIFY(runtime->Scan(item, 0));
        QVERIFY(runtime->Unbind(item, 0));
        QCOMPARE(QuenReal64GetValue(item), 2.0);
        QCOMPARE(QuenExcRegIsError(0), QUEN_FALSE);
    }

    void typingAndAccepting_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("error");
        QTest::addColumn<QString>("status");
        QTest::addColumn<double>("stored");
        QTest::newRow("number") << "2.25" << "" << "2.25 V" << 2.25;
        QTest::newRow("exponent") << "1e-3" << "" << "1e-3 V" << 0.001;
        QTest::newRow("outside keeps the error, clamps on accept")
            << "50" << "Value must be less or equal to  10.0" << "" << 10.0;
        QTest::newRow("not a number keeps the value")
            << "x1" << "The Value is not a legal numeric value: Type mismatch" << "" << 4.5;
        // Every keystroke is read: the last text that reads stays.
        QTest::newRow("a later keystroke that does not read")
            << "1.2.3" << "The Value is not a legal numeric value: Type mismatch" << "" << 1.2;
        QTest::newRow("blank keeps the value") << "" << "The Value cannot be blank" << "" << 4.5;
    }
    void typingAndAccepting()
    {
        QFETCH(QString, typed);
        QFETCH(QString, error);
        QFETCH(QString, status);
        QFETCH(double, stored);
        const int32_t item = realItem(4.5);
        ScalarCore::setString(item, "Units", "V");
        ScalarCore::setRealRestriction(item, -R::Unbounded, 10.0);
        CountingDataEditorSite site;
        editData(m_editor.get(), site, item, false);
        QCOMPARE(child(m_editor.get(), "EntryText")->text(), "4.5");
        QCOMPARE(hostOf(m_editor.get())->StatusMessage(), "4.5 V");
        type(child(m_editor.get(), "EntryText"), typed);
        QCOMPARE(hostOf(m_editor.get())->ErrorMessage(), error);
        if (error.isEmpty())
            QCOMPARE(hostOf(m_editor.get())->StatusMessage(), status);
        QCOMPARE(QuenReal64GetValue(item), 4.5);
        press(m_editor.get(), "OKCommand");
        QCOMPARE(site.AcceptCount(), 1);
        QCOMPARE(QuenReal64GetValue(item), stored);
    }

    void cancelWritesNothing()
    {
        const int32_t item = realItem(4.5);
        CountingDataEditorSite site;
        editData(m_editor.get(), site, item, true);
        type(child(m_editor.get(), "EntryText"), "9");
        type(child(m_editor.get(), "PrecisionText"), "3");
        type(child(m_editor.get(), "UnitsText"), "A");
        press(m_editor.get(), "CancelCommand");
        QCOMPARE(site.CancelCount(), 1);
        QCOMPARE(QuenReal64GetValue(item), 4.5);
        QVERIFY(!ScalarCore::has(item, "Precision"));
        QVERIFY(!ScalarCore::has(item, "Units"));
    }

    void precisionBox_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QString>("error");
        QTest::addColumn<int>("stored"); // -1: no property
        QTest::newRow("three") << "3" << "1.235E+03" << "" << 3;
        QTest::newRow("blank") << "" << "1234.5" << "" << -1;
        // "1" is taken on its way to "16".
        QTest::newRow("sixteen") << "16" << "1.2E+03" << "'Precision' value must 15 or less" << 1;
        QTest::newRow("negative") << "-1" << "1.23450E+03" << "'Precision' value must zero or greater" << 5;
    }
    void precisionBox()
    {
        QFETCH(QString, typed);
        QFETCH(QString, entry);
        QFETCH(QString, error);
        QFETCH(int, stored);
        const int32_t item = realItem(1234.5);
        ScalarCore::setPrecision(item, 5);
        ScalarCore::setRealRestriction(item, 0.0, R::Unbounded);
        CountingDataEditorSite site;
        editData(m_editor.get(), site, item, true);
        QCOMPARE(child(m_editor.get(), "PrecisionText")->text(), "5");
        type(child(m_editor.get(), "PrecisionText"), typed);
        QCOMPARE(hostOf(m_editor.get())->ErrorMessage(), error);
        QCOMPARE(child(m_editor.get(), "EntryText")->text(), entry);
        if (error.isEmpty()) // the bounded box follows the precision, the other keeps its text
            QCOMPARE(child(m_editor.get(), "RestrictionLowText")->text(),
                     R::formatRealText(0.0, m_editor->precision()));
        press(m_editor.get(), "OKCommand");
        const int32_t property = QuenDataExGetProperty(item, "Precision");
        QCOMPARE(property ? QuenInt32GetValue(property) : -1, stored);
        QCOMPARE(QuenReal64GetValue(item), 1234.5); // rendering never changes the value
    }

    void precisionUpDownStopsWithABeep()
    {
        const int32_t item = realItem(0.5);
        ScalarCore::setPrecision(item, 14);
        CountingDataEditorSite site;
        editData(m_editor.get(), site, item, true);
        auto* upDown = child<Velt::UpDown>(m_editor.get(), "PrecisionUpDown");
        auto* precision = child(m_editor.get(), "PrecisionText");
        upDown->upButton()->click();
        QCOMPARE(precision->text(), "15");
        QCOMPARE(m_services.beeps(), 0);
        upDown->upButton()->click();
        QCOMPARE(precision->text(), "15");
        QCOMPARE(m_services.beeps(), 1);

        type(precision, "x"); // unreadable: counts as 0
        upDown->downButton()->click();
        QCOMPARE(precision->text(), "x");
        QCOMPARE(m_services.beeps(), 2);
        upDown->upButton()->click();
        QCOMPARE(precision->text(), "1");
        upDown->downButton()->click();
        QCOMPARE(precision->text(), ""); // precision 0 shows an empty box
        QCOMPARE(child(m_editor.get(), "EntryText")->text(), "0.5");
    }

    void restrictionOnAccept_data()
    {
        QTest::addColumn<QString>("low");
        QTest::addColumn<QString>("high");
        QTest::addColumn<bool>("stored");
        QTest::newRow("unbounded pair is dropped") << "-1.79769313486231E+308"
                                                   << "1.79769313486231E+308" << false;
        QTest::newRow("true extreme is a bound") << "-1.7976931348623157E+308"
                                                 << "1.79769313486231E+308" << true;
        QTest::newRow("ordinary") << "1" << "2" << true;
    }
    void restrictionOnAccept()
    {
        QFETCH(QString, low);
        QFETCH(QString, high);
        QFETCH(bool, stored);
        const int32_t item = realItem(1.5);
        CountingDataEditorSite site;
        editData(m_editor.get(), site, item, true);
        child<QCheckBox>(m_editor.get(), "RestrictionCheck")->click();
        type(child(m_editor.get(), "RestrictionLowText"), low);
        type(child(m_editor.get(), "RestrictionHighText"), high);
        QCOMPARE(hostOf(m_editor.get())->ErrorMessage(), "");
        press(m_editor.get(), "OKCommand");
        QCOMPARE(ScalarCore::has(item, "Restriction"), stored);
        if (QByteArray(QTest::currentDataTag()) == "true extreme is a bound")
            QCOMPARE(QuenR64ArrGetAt1(QuenDataExGetProperty(item, "Restriction"), 1), -DBL_MAX);
    }

    void commaLocale()
    {
        const Velt::LocaleSeparators::Override comma(u',', u';');
        const int32_t item = realItem(12.0);
        ScalarCore::setString(item, "Units", "V");
        CountingDataEditorSite site;
        editData(m_editor.get(), site, item, false);
        QCOMPARE(child(m_editor.get(), "EntryText")->text(), "12,0");
        type(child(m_editor.get(), "EntryText"), "2,5");
        QCOMPARE(hostOf(m_editor.get())->StatusMessage(), "2,5 V");
        press(m_editor.get(), "OKCommand");
        QCOMPARE(QuenReal64GetValue(item), 2.5);

        XCStructEditFields fields;
        fields.AttachData(item, 0, false, false, false, QStringLiteral("Volts"));
        QCOMPARE(fields.Item(0)->Text(), "2,5 V");
    }

    void registryAndForm()
    {
        DataEditorRegistry* registry = DataEditorRegistry::instance();
        QObject* host = registry->DataEditor(QStringLiteral("CQuenReal64"));
        QVERIFY(host);
        QVERIFY(qobject_cast<Real64Editor*>(host->parent()));
        QCOMPARE(registry->StructuredDataEditor(QStringLiteral("CQuenReal64")), host->parent());

        m_core = std::make_unique<ScalarCore>();
        const int32_t parm = m_core->realParameter("Volts", 1.5);
        ScalarCore::setString(ScalarCore::data(parm), "Units", "V");
        ScalarCore::setRealRestriction(ScalarCore::data(parm), 0.0, 5.0);
        DataEditorForm form;
        form.SetUpEditor(parm, 0, 0, true, false, false, false);
        auto* editor = qobject_cast<Real64Editor*>(form.typeEditor());
        QVERIFY(editor);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QVERIFY(panelFits(editor->panel()));
        saveScreenshot(&form, QStringLiteral("real64editor"));
        type(child(editor, "EntryText"), "3.5");
        press(editor, "OKCommand");
        int32_t p = 0;
        int32_t defaultParm = 0;
        QVERIFY(form.CleanupEditor(p, defaultParm));
        QCOMPARE(QuenReal64GetValue(ScalarCore::data(parm)), 3.5);
    }

private:
    int32_t realItem(double value)
    {
        m_core = std::make_unique<ScalarCore>();
        return ScalarCore::data(m_core->realParameter("Volts", value));
    }

    Velt::RecordingPlatformServices m_services;
    std::unique_ptr<Real64Editor> m_editor;
    std::unique_ptr<ScalarCore> m_core;
    int32_t m_liveAtStart = 0;
};

QTEST_MAIN(Real64EditorTest)
#include "real64editortest.moc"
