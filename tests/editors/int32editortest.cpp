// The integer editor's wiring: its controls in the DataEditor host, what accept and cancel
// write to the core, the choice list grid, and how the registry, the field model and the
// modal form find it.
#include "editortesthelpers.h"
#include "scalartestdata.h"

#include "choicelistmodel_p.h"
#include "choicelistview_p.h"
#include "corehooks.h"
#include "dataeditorregistry.h"
#include "int32editor.h"
#include "int32rules.h"
#include "latebinding.h"
#include "recordingplatformservices.h"
#include "updown_p.h"
#include "xcstructeditfield.h"
#include "xcstructeditfields.h"

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QGroupBox>
#include <QRadioButton>
#include <QToolButton>

class Int32EditorTest : public QObject
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
        m_editor = createEditor<Int32Editor>("VeltEditors.Int32Editor");
        QVERIFY(m_editor);
    }
    void cleanup()
    {
        m_editor.reset();
        m_core.reset();
        QCOMPARE(QuenCoreGetLiveObjectCount(), m_liveAtStart);
    }

    void publishesTheTriple()
    {
        QObject* host = Velt::objectByName(m_editor.get(), "GetEditor");
        QCOMPARE(host, hostOf(m_editor.get()));
        QCOMPARE(host->property("DataClass").toString(), "CQuenInt32");
        QCOMPARE(host->property("DataType").toString(), "Integer (32 bit)");
        QCOMPARE(Velt::objectByName(m_editor.get(), "GetDirect"), m_editor.get());
        QCOMPARE(Velt::objectByName(m_editor.get(), "GetRuntime"), nullptr);
        const QMetaObject* meta = m_editor->metaObject();
        QVERIFY(meta->indexOfMethod("GetDirect()") < meta->indexOfMethod("GetRuntime()"));
        QVERIFY(meta->indexOfMethod("GetRuntime()") < meta->indexOfMethod("GetEditor()"));
    }

    void typingAndAccepting_data()
    {
        QTest::addColumn<QString>("view");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("error");
        QTest::addColumn<QString>("status");
        QTest::addColumn<int>("stored");
        QTest::newRow("decimal") << "Decimal" << "42" << "" << "42 V" << 42;
        QTest::newRow("rounds") << "Decimal" << "2.5" << "" << "Note: Value will round to 2 V" << 2;
        QTest::newRow("hex") << "Hexadecimal" << "ff" << "" << "0xFF V or 255 V decimal" << 255;
        QTest::newRow("octal") << "Octal" << "17" << "" << "017 V or 15 V decimal" << 15;
        QTest::newRow("not a number keeps the value")
            << "Decimal" << "4x" << "The Value is not a legal integer: Type mismatch" << "" << 4;
        QTest::newRow("blank keeps the value")
            << "Decimal" << "" << "The Value cannot be blank" << "" << 7;
    }
    void typingAndAccepting()
    {
        QFETCH(QString, view);
        QFETCH(QString, typed);
        QFETCH(QString, error);
        QFETCH(QString, status);
        QFETCH(int, stored);
        const int32_t item = intItem(7);
        ScalarCore::setString(item, "Units", "V");
        if (view != "Decimal")
            ScalarCore::setString(item, "View As", view.toUtf8().constData());
        CountingDataEditorSite site;
        editData(m_editor.get(), site, item, false);
        DataEditor* host = hostOf(m_editor.get());
        type(child(m_editor.get(), "EntryText"), typed);
        QCOMPARE(host->ErrorMessage(), error);
        if (error.isEmpty())
            QCOMPARE(host->StatusMessage(), status);
        QCOMPARE(QuenInt32GetValue(item), 7); // nothing is written before OK
        press(m_editor.get(), "OKCommand");
        QCOMPARE(site.AcceptCount(), 1);
        QCOMPARE(QuenInt32GetValue(item), stored);
    }

    void cancelWritesNothing()
    {
        const int32_t item = intItem(7);
        CountingDataEditorSite site;
        editData(m_editor.get(), site, item, true);
        type(child(m_editor.get(), "EntryText"), "99");
        type(child(m_editor.get(), "UnitsText"), "mA");
        child<QRadioButton>(m_editor.get(), "ViewAsHexOption")->click();
        press(m_editor.get(), "CancelCommand");
        QCOMPARE(site.CancelCount(), 1);
        QCOMPARE(QuenInt32GetValue(item), 7);
        QCOMPARE(ScalarCore::string(item, "Units"), "<absent>");
        QCOMPARE(ScalarCore::string(item, "View As"), "<absent>");
    }

    void viewSwitching_data()
    {
        QTest::addColumn<QString>("option");
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QString>("status");
        QTest::addColumn<QString>("stored");
        QTest::newRow("hex") << "ViewAsHexOption" << "0xFF" << "Hexadecimal view of 255" << "Hexadecimal";
        QTest::newRow("octal") << "ViewAsOctalOption" << "0377" << "Octal view of 255" << "Octal";
        QTest::newRow("VB hex") << "ViewAsHexVBOption" << "&hFF"
                                << "Visual Basic hexadecimal view of 255" << "VB Hexadecimal";
        QTest::newRow("VB octal") << "ViewAsOctalVBOption" << "&o377"
                                  << "Visual Basic octal view of 255" << "VB Octal";
        QTest::newRow("decimal") << "ViewAsDecimalOption" << "255" << "" << "<absent>";
    }
    void viewSwitching()
    {
        QFETCH(QString, option);
        QFETCH(QString, entry);
        QFETCH(QString, status);
        QFETCH(QString, stored);
        const int32_t item = intItem(255);
        ScalarCore::setString(item, "View As", "VB Octal");
        ScalarCore::setInt32Restriction(item, 8, 0x1000);
        CountingDataEditorSite site;
        editData(m_editor.get(), site, item, true);
        QVERIFY(child<QRadioButton>(m_editor.get(), "ViewAsOctalVBOption")->isChecked());
        child<QRadioButton>(m_editor.get(), option.toUtf8().constData())->click();
        QCOMPARE(child(m_editor.get(), "EntryText")->text(), entry);
        QCOMPARE(hostOf(m_editor.get())->StatusMessage(), status);
        // The restriction boxes follow the view.
        QCOMPARE(child(m_editor.get(), "RestrictionLowText")->text(),
                 Velt::Int32Rules::formatIntegerText(8, m_editor->view()));
        press(m_editor.get(), "OKCommand");
        QCOMPARE(ScalarCore::string(item, "View As"), stored);
        QCOMPARE(QuenInt32GetValue(item), 255);
    }

    void restrictionNeedsDesignTime_data()
    {
        QTest::addColumn<bool>("designTime");
        QTest::newRow("design time") << true;
        QTest::newRow("run time") << false;
    }
    void restrictionNeedsDesignTime()
    {
        QFETCH(bool, designTime);
        const int32_t item = intItem(5);
        ScalarCore::setInt32Restriction(item, 1, 9);
        CountingDataEditorSite site;
        editData(m_editor.get(), site, item, designTime);
        auto* check = child<QCheckBox>(m_editor.get(), "RestrictionCheck");
        QVERIFY(check->isChecked());
        QCOMPARE(check->isEnabled(), designTime);
        QCOMPARE(child(m_editor.get(), "RestrictionLowText")->isEnabled(), designTime);
        QCOMPARE(child(m_editor.get(), "UnitsText")->isReadOnly(), !designTime);
        QCOMPARE(child<QCheckBox>(m_editor.get(), "EnumerationCheck")->isEnabled(), designTime);
    }

    void restrictionIsCheckedAndStored()
    {
        const int32_t item = intItem(25);
        CountingDataEditorSite site;
        editData(m_editor.get(), site, item, true);
        DataEditor* host = hostOf(m_editor.get());
        auto* check = child<QCheckBox>(m_editor.get(), "RestrictionCheck");
        QVERIFY(!check->isChecked());
        QVERIFY(!child(m_editor.get(), "RestrictionLowText")->isEnabled());
        check->click();
        QVERIFY(child(m_editor.get(), "RestrictionLowText")->isEnabled());
        type(child(m_editor.get(), "RestrictionLowText"), "10");
        type(child(m_editor.get(), "RestrictionHighText"), "5");
        QCOMPARE(host->ErrorMessage(), "'Low' value must be less than 'High' value");
        type(child(m_editor.get(), "RestrictionHighText"), "20");
        QCOMPARE(host->ErrorMessage(), "Value must be less or equal to  20");
        press(m_editor.get(), "OKCommand");
        QCOMPARE(ScalarCore::int32Restriction(item), "10..20");
        QCOMPARE(QuenInt32GetValue(item), 20); // clamped on accept
    }

    void fullRangeRestrictionIsDropped()
    {
        const int32_t item = intItem(3);
        ScalarCore::setInt32Restriction(item, int(0x80000000u), 2147483647);
        CountingDataEditorSite site;
        editData(m_editor.get(), site, item, true);
        QVERIFY(!child<QCheckBox>(m_editor.get(), "RestrictionCheck")->isChecked());
        press(m_editor.get(), "OKCommand");
        QCOMPARE(ScalarCore::int32Restriction(item), "<absent>");
    }

    void choiceList()
    {
        const int32_t item = intItem(1);
        ScalarCore::setString(item, "Units", "V");
        ScalarCore::setInt32Restriction(item, 0, 5);
        CountingDataEditorSite site;
        editData(m_editor.get(), site, item, true);
        auto* normalFrame = child<QGroupBox>(m_editor.get(), "NormalFrame");
        auto* combo = child<QComboBox>(m_editor.get(), "EnumerationCombo");
        auto* grid = child<Velt::ChoiceListView>(m_editor.get(), "EnumerationList");
        QAbstractItemModelTester tester(grid->model());
        QVERIFY(!normalFrame->isHidden());
        QVERIFY(combo->isHidden());

        child<QCheckBox>(m_editor.get(), "EnumerationCheck")->click();
        QVERIFY(normalFrame->isHidden());
        QVERIFY(!child(m_editor.get(), "EntryText")->isEnabled());
        QVERIFY(!combo->isHidden());
        QCOMPARE(grid->model()->headerData(1, Qt::Horizontal).toString(),
                 "Label associated with the Value");
        QCOMPARE(comboTexts(combo), QStringList({"0  - False", "1  - True"}));
        QCOMPARE(combo->currentIndex(), 1);

        // The end bound steps up by one and the grid follows.
        child<Velt::UpDown>(m_editor.get(), "EnumerationEndUpDown")->upButton()->click();
        QCOMPARE(child(m_editor.get(), "EnumerationEndText")->text(), "2");
        QCOMPARE(grid->model()->rowCount(), 3);

        // A label typed into the overlay box over its cell.
        grid->setCurrentIndex(grid->model()->index(2, 1));
        grid->editCell();
        auto* cell = child(grid, "EnumerationCellText");
        QVERIFY(cell);
        QTest::keyClicks(cell, "Maybe");
        QTest::keyClick(cell, Qt::Key_Return); // the delegate commits on the next event loop pass
        QTRY_COMPARE(comboTexts(combo).value(2), "2  - Maybe");
        Q_EMIT combo->activated(2);

        // Bounds that are not valid are reported and leave the grid alone.
        type(child(m_editor.get(), "EnumerationBeginText"), "3");
        QCOMPARE(hostOf(m_editor.get())->ErrorMessage(), "'Begin at' must be less than 'End at'");
        QCOMPARE(grid->model()->rowCount(), 3);
        type(child(m_editor.get(), "EnumerationBeginText"), "0");
        QCOMPARE(hostOf(m_editor.get())->ErrorMessage(), "");

        press(m_editor.get(), "OKCommand");
        QCOMPARE(ScalarCore::choices(item), "0..2: False|True|Maybe");
        QCOMPARE(QuenInt32GetValue(item), 2);
        QCOMPARE(ScalarCore::int32Restriction(item), "<absent>"); // a choice list has none
        QCOMPARE(ScalarCore::string(item, "Units"), "V");
    }

    void choiceListLoadsAndUnticks()
    {
        const int32_t item = intItem(4);
        ScalarCore::setChoices(item, 3, {"Three", "Four"});
        CountingDataEditorSite site;
        editData(m_editor.get(), site, item, true);
        auto* check = child<QCheckBox>(m_editor.get(), "EnumerationCheck");
        QVERIFY(check->isChecked());
        QCOMPARE(child(m_editor.get(), "EnumerationBeginText")->text(), "3");
        QCOMPARE(comboTexts(child<QComboBox>(m_editor.get(), "EnumerationCombo")),
                 QStringList({"3  - Three", "4  - Four"}));
        check->click();
        QVERIFY(child(m_editor.get(), "EntryText")->isEnabled());
        press(m_editor.get(), "OKCommand");
        QCOMPARE(ScalarCore::choices(item), "<absent>");
    }

    void gridClipboard()
    {
        const int32_t item = intItem(0);
        ScalarCore::setChoices(item, 0, {"a", "b", "c"});
        CountingDataEditorSite site;
        editData(m_editor.get(), site, item, true);
        auto* grid = child<Velt::ChoiceListView>(m_editor.get(), "EnumerationList");
        DataEditor* host = hostOf(m_editor.get());
        QStringList actions;
        for (QAction* action : grid->menuActions())
            actions << action->objectName();
        QCOMPARE(actions, QStringList({"EditCellAction", "CutAction", "CopyAction", "PasteAction",
                                       "ClearAction", "SelectAllAction"}));

        grid->selectionModel()->select(
            QItemSelection(grid->model()->index(0, 0), grid->model()->index(1, 1)),
            QItemSelectionModel::ClearAndSelect);
        grid->copy();
        QCOMPARE(QGuiApplication::clipboard()->text(), "a\nb");

        // Two rows chosen, three lines on the clipboard: the selection is filled, and told.
        QGuiApplication::clipboard()->setText("x\ny\nz\n");
        grid->selectionModel()->select(
            QItemSelection(grid->model()->index(1, 1), grid->model()->index(2, 1)),
            QItemSelectionModel::ClearAndSelect);
        grid->paste();
        QCOMPARE(host->StatusMessage(), "More data on clipboard.  Select larger area to paste?");
        grid->selectAll();
        grid->cut();
        QCOMPARE(QGuiApplication::clipboard()->text(), "a\nx\ny");
        QCOMPARE(static_cast<Velt::ChoiceListModel*>(grid->model())->copyText({0, 1, 2}), "\n\n");

        // One row chosen: the lines fill the list downwards.
        QGuiApplication::clipboard()->setText("p\r\nq\r\n");
        grid->clearSelection();
        grid->setCurrentIndex(grid->model()->index(1, 1));
        grid->selectionModel()->select(grid->model()->index(1, 1), QItemSelectionModel::ClearAndSelect);
        grid->paste();
        press(m_editor.get(), "OKCommand");
        QCOMPARE(ScalarCore::choices(item), "0..2: |p|q");
    }

    void registryServesTheEditor()
    {
        DataEditorRegistry* registry = DataEditorRegistry::instance();
        QObject* host = registry->DataEditor(QStringLiteral("CQuenInt32"));
        QVERIFY(host);
        QVERIFY(qobject_cast<Int32Editor*>(host->parent()));
        QCOMPARE(host->parent()->objectName(), "CQuenInt32"); // sited on the registry
        QCOMPARE(registry->StructuredDataEditor(QStringLiteral("CQuenInt32")), host->parent());
        QCOMPARE(registry->DataEditorName(QStringLiteral("CQuenInt32")), "VeltEditors.Int32Editor");

        // A collection bound to a parameter reaches the same editor.
        m_core = std::make_unique<ScalarCore>();
        const int32_t parm = m_core->int32Parameter("Count", 12);
        XCStructEditFields fields;
        fields.AttachParameter(parm, 0, 0, false, false, false);
        QCOMPARE(fields.DataType(), "Integer (32 bit)");
        QCOMPARE(fields.DirectEditorObject(), host->parent());
        fields.Item(0)->setText("0x0d");
        QCOMPARE(QuenInt32GetValue(ScalarCore::data(parm)), 13);
        QCOMPARE(fields.Item(0)->Text(), "13");
    }

    void formEditsAParameter()
    {
        m_core = std::make_unique<ScalarCore>();
        const int32_t parm = m_core->int32Parameter("Count", 12);
        ScalarCore::setString(ScalarCore::data(parm), "Units", "V");
        DataEditorForm form;
        form.SetUpEditor(parm, 0, 0, true, false, false, false);
        auto* editor = qobject_cast<Int32Editor*>(form.typeEditor());
        QVERIFY(editor);
        QCOMPARE(form.windowTitle(), "Count - Integer (32 bit)");
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QVERIFY(panelFits(editor->panel()));
        saveScreenshot(&form, QStringLiteral("int32editor"));
        auto* choices = child<QCheckBox>(editor, "EnumerationCheck");
        choices->click();
        QVERIFY(panelFits(editor->panel()));
        saveScreenshot(&form, QStringLiteral("int32editor-choices"));
        choices->click();
        type(child(editor, "EntryText"), "0x1F");
        QCOMPARE(hostOf(editor)->StatusMessage(), "Note: Value will round to 31 V");
        press(editor, "OKCommand");
        int32_t p = 0;
        int32_t defaultParm = 0;
        QVERIFY(form.CleanupEditor(p, defaultParm));
        QCOMPARE(QuenInt32GetValue(ScalarCore::data(parm)), 31);
    }

private:
    int32_t intItem(int32_t value)
    {
        m_core = std::make_unique<ScalarCore>();
        return ScalarCore::data(m_core->int32Parameter("Count", value));
    }
    static QStringList comboTexts(QComboBox* combo)
    {
        QStringList texts;
        for (int i = 0; i < combo->count(); ++i)
            texts << combo->itemText(i);
        return texts;
    }

    Velt::RecordingPlatformServices m_services;
    std::unique_ptr<Int32Editor> m_editor;
    std::unique_ptr<ScalarCore> m_core;
    int32_t m_liveAtStart = 0;
};

QTEST_MAIN(Int32EditorTest)
#include "int32editortest.moc"
