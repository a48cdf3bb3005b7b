// The DataEditor control: the events of data, parameter and symbol edits, OK and Cancel,
// constant and reference, the status line, the edit area, LocalsHandle and persistence.
#include "coretesting.h"
#include "faketypeeditor.h"
#include "fixture.h"

#include "callfailurescope.h"
#include "countingdataeditorsite.h"
#include "dataeditor.h"
#include "dataeditsession.h"
#include "latebinding.h"
#include "palettecolors.h"
#include "symbolselector.h"
#include "twips.h"
#include "xcdataeditorextender.h"
#include "xcdialogdataediting.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTest>

#include <limits>

class DataEditorTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void eventOrder_data();
    void eventOrder();
    void buttonsActOncePerEdit_data();
    void buttonsActOncePerEdit();
    void pendingMessagesRunBeforeFinalEvent_data();
    void pendingMessagesRunBeforeFinalEvent();
    void referenceAccept_data();
    void referenceAccept();
    void switchToReferenceClosesValue_data();
    void switchToReferenceClosesValue();
    void switchToConstant_data();
    void switchToConstant();
    void newEditCancelsOpenOne_data();
    void newEditCancelsOpenOne();
    void statusLine_data();
    void statusLine();
    void statusLinePalette_data();
    void statusLinePalette();
    void acceptWritesDescriptionAndOutput_data();
    void acceptWritesDescriptionAndOutput();
    void localsHandle_data();
    void localsHandle();
    void recommendedSizeOfPlainEdit();
    void editArea();
    void lateBoundFacet();
    void persistence();

private:
    XCDialogDataEditing* editing() const { return m_type->editor()->dialogEditing(); }
    QAbstractButton* button(const char* name) const
    {
        return m_type->editor()->findChild<QAbstractButton*>(QLatin1StringView(name));
    }
    QString statusText() const
    {
        return m_type->editor()->findChild<QLabel*>(QStringLiteral("StatusLabel"))->text();
    }
    static QString ev(const char* name, int h) { return QStringLiteral("%1(%2)").arg(QLatin1StringView(name)).arg(h); }

    // An integer parameter of the block, and one referring to the symbol Bench.Volts (12).
    int32_t parameter(const char* name, int32_t value, const char* description = "")
    {
        return VeltTest::CoreBuilder::intParm(m_block, name, value, description);
    }
    int32_t reference(const char* name)
    {
        return VeltTest::CoreBuilder::reference(m_block, name, "CQuenInt32", "Volts", "Bench");
    }
    // Runs action once, inside the HideEdit the type editor receives next.
    void onHide(std::function<void()> action)
    {
        m_type->onCall = [this, action](const QString& entry) {
            if (entry.startsWith(QLatin1String("HideEdit"))) {
                const std::function<void()> run = action; // clearing the hook destroys this lambda
                m_type->onCall = nullptr;
                run();
            }
        };
    }

    VeltTest::Fixture m_fixture;
    std::unique_ptr<VeltTest::CoreBuilder> m_core;
    int32_t m_block = 0;
    int32_t m_symbol = 0;
    std::unique_ptr<VeltTest::FakeTypeEditor> m_type;
    std::unique_ptr<CountingDataEditorSite> m_site;
};

void DataEditorTest::init()
{
    m_fixture.begin();
    m_core = std::make_unique<VeltTest::CoreBuilder>();
    m_block = m_core->block();
    m_symbol = VeltTest::CoreBuilder::intParm(m_core->table("Bench"), "Volts", 12);
    m_type = std::make_unique<VeltTest::FakeTypeEditor>(VeltTest::FakeTypeEditor::Options(QStringLiteral("CQuenInt32"), VeltTest::HostFace, QStringLiteral("Test Integer")));
    m_type->resize(480, 420);
    m_site = std::make_unique<CountingDataEditorSite>();
}

void DataEditorTest::cleanup()
{
    m_type.reset();
    m_site.reset();
    m_core.reset();
    m_fixture.end();
}

void DataEditorTest::eventOrder_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<bool>("accept");
    for (const char* kind : {"data", "parameter", "symbol"}) {
        QTest::addRow("%s, OK", kind) << QString::fromLatin1(kind) << true;
        QTest::addRow("%s, Cancel", kind) << QString::fromLatin1(kind) << false;
    }
}

void DataEditorTest::eventOrder()
{
    QFETCH(QString, kind);
    QFETCH(bool, accept);
    int32_t h = 0;
    int32_t item = 0;
    if (kind == QLatin1String("data")) {
        item = QuenInt32Create(5);
        h = item;
        editing()->EditData(m_site.get(), h, 0, false, false);
    } else if (kind == QLatin1String("parameter")) {
        const int32_t parm = parameter("Gain", 5);
        h = QuenParmGetData(parm);
        editing()->EditParameter(m_site.get(), parm, 0, 0, true, true, false);
        QCOMPARE(m_type->editor()->ParameterName(), QStringLiteral("Gain"));
    } else {
        h = QuenParmGetData(m_symbol);
        editing()->EditSymbol(m_site.get(), m_symbol, false, false);
        QCOMPARE(statusText(), QStringLiteral("Editing symbol \"Volts\""));
    }
    const int32_t before = QuenInt32GetValue(h);
    QCOMPARE(m_type->log, QStringList({ev("BeginEdit", h), ev("ShowEdit", h)}));
    QCOMPARE(m_type->editor()->DataHandle(), h);
    QCOMPARE(m_type->valueBox()->value(), before);

    m_type->valueBox()->setValue(77);
    button(accept ? "OKCommand" : "CancelCommand")->click();
    const QStringList expected = accept
        ? QStringList({ev("BeginEdit", h), ev("ShowEdit", h), ev("HideEdit", h), ev("AcceptEdit", h)})
        : QStringList({ev("BeginEdit", h), ev("ShowEdit", h), ev("HideEdit", h), QStringLiteral("CancelEdit()")});
    QCOMPARE(m_type->log, expected);
    QCOMPARE(QuenInt32GetValue(h), accept ? 77 : before);
    QCOMPARE(m_site->AcceptCount(), accept ? 1 : 0);
    QCOMPARE(m_site->CancelCount(), accept ? 0 : 1);
    QVERIFY(!m_type->editor()->session().isEditing());
    if (item)
        QuenDataRelease(item);
}

void DataEditorTest::buttonsActOncePerEdit_data()
{
    QTest::addColumn<bool>("readOnly");
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("second");
    QTest::addColumn<int>("accepts");
    QTest::addColumn<int>("cancels");
    QTest::newRow("OK twice accepts once") << false << "OKCommand" << "OKCommand" << 1 << 0;
    QTest::newRow("Cancel twice cancels once") << false << "CancelCommand" << "CancelCommand" << 0 << 1;
    QTest::newRow("Cancel during OK is ignored") << false << "OKCommand" << "CancelCommand" << 1 << 0;
    QTest::newRow("OK on read-only cancels") << true << "OKCommand" << "" << 0 << 1;
    QTest::newRow("read-only OK twice cancels once") << true << "OKCommand" << "OKCommand" << 0 << 1;
}

void DataEditorTest::buttonsActOncePerEdit()
{
    QFETCH(bool, readOnly);
    QFETCH(QString, first);
    QFETCH(QString, second);
    const int32_t parm = parameter("Gain", 5);
    const int32_t h = QuenParmGetData(parm);
    editing()->EditParameter(m_site.get(), parm, 0, 0, false, false, readOnly);
    // The second press arrives while the first one lets pending messages run.
    if (!second.isEmpty()) {
        onHide([this, second] {
            QMetaObject::invokeMethod(button(second.toLatin1().constData()), &QAbstractButton::click,
                                      Qt::QueuedConnection);
        });
    }
    m_type->valueBox()->setValue(9);
    button(first.toLatin1().constData())->click();
    QCoreApplication::processEvents();
    QTEST(m_site->AcceptCount(), "accepts");
    QTEST(m_site->CancelCount(), "cancels");
    QCOMPARE(m_type->log.count(ev("HideEdit", h)), 1);
    QCOMPARE(m_type->log.count(ev("AcceptEdit", h)) + m_type->log.count(QStringLiteral("CancelEdit()")), 1);
    QCOMPARE(QuenInt32GetValue(h), m_site->AcceptCount() ? 9 : 5);
}

void DataEditorTest::pendingMessagesRunBeforeFinalEvent_data()
{
    QTest::addColumn<QString>("press");
    QTest::addColumn<QString>("finalEvent");
    QTest::newRow("accept") << "OKCommand" << "AcceptEdit";
    QTest::newRow("cancel") << "CancelCommand" << "CancelEdit";
}

void DataEditorTest::pendingMessagesRunBeforeFinalEvent()
{
    QFETCH(QString, press);
    QFETCH(QString, finalEvent);
    const int32_t item = QuenInt32Create(3);
    editing()->EditData(m_site.get(), item, 0, false, false);
    onHide([this] {
        QMetaObject::invokeMethod(this, [this] { m_type->log << QStringLiteral("Posted"); },
                                  Qt::QueuedConnection);
    });
    button(press.toLatin1().constData())->click();
    const qsizetype posted = m_type->log.indexOf(QStringLiteral("Posted"));
    QVERIFY(posted > 0);
    QCOMPARE(m_type->log.at(posted - 1), ev("HideEdit", item));
    QVERIFY(m_type->log.at(posted + 1).startsWith(finalEvent));
    QuenDataRelease(item);
}

void DataEditorTest::referenceAccept_data()
{
    QTest::addColumn<bool>("startsAsReference");
    QTest::addColumn<bool>("output");
    QTest::newRow("constant made a reference") << false << true;
    QTest::newRow("reference kept a reference") << true << false;
}

void DataEditorTest::referenceAccept()
{
    QFETCH(bool, startsAsReference);
    QFETCH(bool, output);
    const int32_t parm = startsAsReference ? reference("Gain") : parameter("Gain", 5);
    const int32_t value = startsAsReference ? 0 : QuenParmGetData(parm);
    editing()->EditParameter(m_site.get(), parm, 0, 0, true, true, false);
    auto* selector = m_type->editor()->findChild<SymbolSelector*>(QStringLiteral("SymSelect"));
    QVERIFY(selector);
    if (!startsAsReference) {
        button("ReferenceOption")->click();
        QCOMPARE(m_type->log.last(), ev("HideEdit", value));
        QVERIFY(m_type->editor()->session().referenceMode());
        selector->setTableName(QStringLiteral("Bench"));
        selector->setSymbolName(QStringLiteral("Volts"));
    } else {
        QVERIFY(m_type->log.isEmpty()); // nothing to show for a reference
        QCOMPARE(statusText(), QStringLiteral("Highlight a table and a symbol. Press 'OK'."));
        QCOMPARE(selector->SymbolName(), QStringLiteral("Volts"));
    }
    if (output)
        button("OutputCheck")->click();
    const QStringList eventsBefore = m_type->log;
    button("OKCommand")->click();

    if (startsAsReference)
        QCOMPARE(m_type->log, eventsBefore); // no value was begun, so no event
    QCOMPARE(m_site->AcceptCount(), 1);
    QVERIFY(QuenParmIsReference(parm));
    QCOMPARE(QString::fromUtf8(QuenParmGetRefName(parm)), QStringLiteral("Volts"));
    QCOMPARE(QString::fromUtf8(QuenParmGetRefTableName(parm)), QStringLiteral("Bench"));
    QCOMPARE(bool(QuenParmIsOutput(parm)), output);
    if (value) {
        QVERIFY(!QuenDataIsValid(value)); // the value that was being edited is released
        QuenExcRegClearError(0);
    }
}

void DataEditorTest::switchToReferenceClosesValue_data()
{
    QTest::addColumn<bool>("startsAsReference");
    QTest::addColumn<QString>("press");
    QTest::newRow("constant, OK") << false << "OKCommand";
    QTest::newRow("constant, Cancel") << false << "CancelCommand";
    QTest::newRow("reference via constant, OK") << true << "OKCommand";
    QTest::newRow("reference via constant, Cancel") << true << "CancelCommand";
}

void DataEditorTest::switchToReferenceClosesValue()
{
    // The value edit the type editor began is closed by OK or Cancel even after the switch to
    // "reference" hid it: hidden (again), then cancelled.
    QFETCH(bool, startsAsReference);
    QFETCH(QString, press);
    const int32_t parm = startsAsReference ? reference("Gain") : parameter("Gain", 5);
    editing()->EditParameter(m_site.get(), parm, 0, 0, false, false, false);
    if (startsAsReference)
        button("ConstantOption")->click();
    const int32_t h = m_type->editor()->DataHandle();
    button("ReferenceOption")->click();
    button(press.toLatin1().constData())->click();
    QCOMPARE(m_type->log, QStringList({ev("BeginEdit", h), ev("ShowEdit", h), ev("HideEdit", h),
                                          ev("HideEdit", h), QStringLiteral("CancelEdit()")}));
    QCOMPARE(m_site->AcceptCount() + m_site->CancelCount(), 1);
}

void DataEditorTest::switchToConstant_data()
{
    QTest::addColumn<bool>("withDefault");
    QTest::addColumn<bool>("toggleTwice");
    QTest::addColumn<bool>("accept");
    QTest::addColumn<int>("expectedValue");
    QTest::newRow("new item of the class") << false << false << true << 0;
    QTest::newRow("deep copy of the default") << true << false << true << 31;
    QTest::newRow("created value is reused") << false << true << true << 0;
    QTest::newRow("cancel releases the created value") << false << false << false << 0;
}

void DataEditorTest::switchToConstant()
{
    QFETCH(bool, withDefault);
    QFETCH(bool, toggleTwice);
    QFETCH(bool, accept);
    const int32_t parm = reference("Gain");
    const int32_t def = withDefault ? parameter("GainDefault", 31) : 0;
    editing()->EditParameter(m_site.get(), parm, def, 0, false, false, false);
    button("ConstantOption")->click();
    const int32_t h = m_type->editor()->DataHandle();
    QVERIFY(h != 0);
    QVERIFY(!withDefault || h != QuenParmGetData(def));
    QCOMPARE(m_type->editor()->ErrorMessage(), QString());
    QCOMPARE(m_type->editor()->StatusMessage(), QString());
    QTEST(QuenInt32GetValue(h), "expectedValue");
    QStringList expected{ev("BeginEdit", h), ev("ShowEdit", h)};
    if (toggleTwice) {
        button("ReferenceOption")->click();
        button("ConstantOption")->click();
        QCOMPARE(m_type->editor()->DataHandle(), h);
        expected << ev("HideEdit", h) << ev("BeginEdit", h) << ev("ShowEdit", h);
    }
    QCOMPARE(m_type->log, expected);
    m_type->valueBox()->setValue(64);
    button(accept ? "OKCommand" : "CancelCommand")->click();
    QCOMPARE(bool(QuenParmIsReference(parm)), !accept);
    QCOMPARE(m_site->AcceptCount(), accept ? 1 : 0);
    QCOMPARE(m_site->CancelCount(), accept ? 0 : 1);
    if (accept) {
        QCOMPARE(QuenParmGetData(parm), h);
        QCOMPARE(QuenInt32GetValue(h), 64);
    } else {
        QVERIFY(!QuenDataIsValid(h));
        QuenExcRegClearError(0);
    }
}

void DataEditorTest::newEditCancelsOpenOne_data()
{
    QTest::addColumn<bool>("withData"); // else a parameter handle of 0, which starts nothing
    QTest::newRow("another item") << true;
    QTest::newRow("parameter without data") << false;
}

void DataEditorTest::newEditCancelsOpenOne()
{
    QFETCH(bool, withData);
    VeltTest::CoreBuilder items;
    const int32_t first = items << QuenInt32Create(1);
    const int32_t second = items << QuenInt32Create(2);
    CountingDataEditorSite other;
    editing()->EditData(m_site.get(), first, 0, false, false);
    if (withData)
        editing()->EditData(&other, second, 0, false, false);
    else
        editing()->EditParameter(&other, 0, 0, 0, false, false, false);
    QCOMPARE(m_site->CancelCount(), 1);
    QCOMPARE(m_type->log.mid(2, 2), QStringList({ev("HideEdit", first), QStringLiteral("CancelEdit()")}));
    QCOMPARE(m_type->log.size(), withData ? 6 : 4);
    QCOMPARE(m_type->editor()->session().isEditing(), withData);
    if (withData)
        QCOMPARE(m_type->editor()->DataHandle(), second);
    editing()->CancelEdit();
    QCOMPARE(other.CancelCount(), withData ? 1 : 0);
}

void DataEditorTest::statusLine_data()
{
    QTest::addColumn<QString>("mode");
    QTest::addColumn<bool>("readOnly");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("frameCaption");
    QTest::newRow("parameter") << "parameter" << false << "Editing parameter \"Gain\"" << "This parameter...";
    QTest::newRow("parameter, read-only") << "parameter" << true
                                          << "Viewing parameter \"Gain\" - Changes not saved" << "This parameter...";
    QTest::newRow("symbol, read-only") << "symbol" << true
                                       << "Viewing symbol \"Volts\" - Changes not saved" << "This symbol...";
    QTest::newRow("reference") << "reference" << false
                               << "Highlight a table and a symbol. Press 'OK'." << "This parameter...";
    QTest::newRow("reference, read-only") << "reference" << true
                                          << "Viewing parameter \"Gain\" - Changes not saved" << "This parameter...";
    QTest::newRow("selector choice") << "choice" << false << "Press 'OK' to reference 'Volts' in 'Bench'"
                                     << "This parameter...";
}

void DataEditorTest::statusLine()
{
    QFETCH(QString, mode);
    QFETCH(bool, readOnly);
    if (mode == QLatin1String("parameter"))
        editing()->EditParameter(m_site.get(), parameter("Gain", 1), 0, 0, false, false, readOnly);
    else if (mode == QLatin1String("symbol"))
        editing()->EditSymbol(m_site.get(), m_symbol, false, readOnly);
    else
        editing()->EditParameter(m_site.get(), reference("Gain"), 0, 0, false, false, readOnly);
    if (mode == QLatin1String("choice")) {
        auto* selector = m_type->editor()->findChild<SymbolSelector*>(QStringLiteral("SymSelect"));
        Q_EMIT selector->Change(QStringLiteral("Bench"), QStringLiteral("Volts"), QString());
    }
    QTEST(statusText(), "text");
    QTEST(m_type->editor()->findChild<QGroupBox*>(QStringLiteral("ParameterFrame"))->title(), "frameCaption");
    QCOMPARE(m_type->editor()->findChild<QGroupBox*>(QStringLiteral("TitleFrame"))->title(), QString());

    // An error hides the status text, and goes away again; each change is announced once.
    QSignalSpy errorChanges(m_type->editor(), &DataEditor::ErrorMessageChanged);
    m_type->editor()->setErrorMessage(QStringLiteral("Not a number"));
    m_type->editor()->setErrorMessage(QStringLiteral("Not a number"));
    QCOMPARE(errorChanges.count(), 1);
    QCOMPARE(errorChanges.at(0).at(0).toString(), QStringLiteral("Not a number"));
    QCOMPARE(statusText(), QStringLiteral("Not a number"));
    QVERIFY(m_type->editor()->extender()->findChild<QLabel*>(QStringLiteral("ErrorImage"))->isVisibleTo(m_type->editor()->extender()));
    m_type->editor()->setErrorMessage(QString());
    QCOMPARE(errorChanges.count(), 2);
    QTEST(statusText(), "text");
}

void DataEditorTest::statusLinePalette_data()
{
    QTest::addColumn<QString>("error");
    QTest::addColumn<QString>("status");
    QTest::addColumn<bool>("tooltipColours");
    QTest::newRow("error") << "Bad" << "" << true;
    QTest::newRow("error and status") << "Bad" << "Hint" << true;
    QTest::newRow("status") << "" << "Hint" << false;
    QTest::newRow("neither") << "" << "" << false;
}

void DataEditorTest::statusLinePalette()
{
    QFETCH(QString, error);
    QFETCH(QString, status);
    QFETCH(bool, tooltipColours);
    DataEditor* editor = m_type->editor();
    QPalette palette = editor->palette();
    palette.setColor(QPalette::ToolTipBase, QColor(250, 240, 200));
    palette.setColor(QPalette::ToolTipText, QColor(10, 20, 30));
    palette.setColor(QPalette::Window, QColor(200, 210, 220));
    palette.setColor(QPalette::WindowText, QColor(40, 50, 60));
    editor->setPalette(palette);
    editor->setErrorMessage(error);
    editor->setStatusMessage(status);
    const QPalette shown = editor->findChild<QLabel*>(QStringLiteral("StatusLabel"))->palette();
    QCOMPARE(shown.color(QPalette::Window), tooltipColours ? QColor(250, 240, 200)
                                                          : Velt::PaletteColors::menuBackground(editor));
    QCOMPARE(shown.color(QPalette::WindowText), tooltipColours ? QColor(10, 20, 30) : QColor(40, 50, 60));
}

void DataEditorTest::acceptWritesDescriptionAndOutput_data()
{
    QTest::addColumn<bool>("designTime");
    QTest::addColumn<bool>("outputDefinition");
    QTest::addColumn<QString>("description");
    QTest::addColumn<bool>("output");
    QTest::newRow("design time writes both") << true << true << "New text" << true;
    QTest::newRow("no output definition") << true << false << "New text" << false;
    QTest::newRow("run time writes neither") << false << true << "Old text" << false;
}

void DataEditorTest::acceptWritesDescriptionAndOutput()
{
    QFETCH(bool, designTime);
    QFETCH(bool, outputDefinition);
    const int32_t parm = parameter("Gain", 1, "Old text");
    editing()->EditParameter(m_site.get(), parm, 0, 0, designTime, outputDefinition, false);
    QCOMPARE(m_type->editor()->Description(), QStringLiteral("Old text"));
    QCOMPARE(m_type->editor()->OutputDefinition(), designTime && outputDefinition);
    auto* description = m_type->editor()->findChild<QLineEdit*>(QStringLiteral("DescriptionText"));
    if (!description->isReadOnly()) {
        description->selectAll();
        QTest::keyClicks(description, QStringLiteral("New text"));
    }
    auto* output = m_type->editor()->findChild<QCheckBox*>(QStringLiteral("OutputCheck"));
    output->setChecked(true);
    button("OKCommand")->click();
    QTEST(QString::fromUtf8(QuenDescGetText(QuenParmGetDesc(parm))), "description");
    QTEST(bool(QuenParmIsOutput(parm)), "output");
}

void DataEditorTest::localsHandle_data()
{
    QTest::addColumn<bool>("withLocals");
    QTest::addColumn<bool>("withDefault");
    QTest::newRow("locals given") << true << true;
    QTest::newRow("owner of the default") << false << true;
    QTest::newRow("owner of the parameter") << false << false;
}

void DataEditorTest::localsHandle()
{
    QFETCH(bool, withLocals);
    QFETCH(bool, withDefault);
    QCOMPARE(m_type->editor()->LocalsHandle(), 0);
    const int32_t parm = parameter("Gain", 1);
    const int32_t otherBlock = QuenPbDefCreate();
    const int32_t def = VeltTest::CoreBuilder::intParm(otherBlock, "GainDefault", 2);
    const int32_t locals = QuenPbDefCreate();
    editing()->EditParameter(m_site.get(), parm, withDefault ? def : 0, withLocals ? locals : 0,
                             false, false, false);
    const int32_t expected = withLocals ? locals : withDefault ? otherBlock : m_block;
    QCOMPARE(m_type->editor()->LocalsHandle(), expected);
    // The reference selector offers no locals table: the core resolves no reference to one.
    auto* selector = m_type->editor()->findChild<SymbolSelector*>(QStringLiteral("SymSelect"));
    QCOMPARE(selector->LocalHandle(), 0);
    selector->setTableName(selector->LocalName());
    QCOMPARE(selector->TableName(), QString());
    editing()->CancelEdit();
    QuenPbDefRelease(locals);
    QuenPbDefRelease(otherBlock);
}

void DataEditorTest::recommendedSizeOfPlainEdit()
{
    // At 96 DPI the edit area starts 120 twips in and 0 twips down in its region.
    if (Velt::logicalDpi(m_type->editor()) != 96)
        QSKIP("the sums below assume 96 DPI");
    const int32_t item = QuenInt32Create(1);
    editing()->EditData(m_site.get(), item, 0, false, false);
    QCOMPARE(m_type->editor()->Left(), 120);
    QCOMPARE(m_type->editor()->Top(), 0);
    int32_t height = 0;
    int32_t width = 0;
    editing()->GetRecommendedSize(height, width);
    QCOMPARE(height, 4775);
    QCOMPARE(width, 4785);
    m_type->editor()->setReserveHeight(std::numeric_limits<int>::max() - 100);
    QVERIFY_THROWS_EXCEPTION(Velt::CallFailed, Velt::checkedCall([&] {
        editing()->GetRecommendedSize(height, width);
    }));
    editing()->CancelEdit();
    QuenDataRelease(item);
}

void DataEditorTest::editArea()
{
    DataEditor* editor = m_type->editor();
    const int32_t item = QuenInt32Create(4);
    editing()->EditData(m_site.get(), item, 0, false, false);
    m_type->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_type.get()));
    XCEditArea* area = editor->EditArea();
    const QRect rect = editor->editAreaRect();
    QCOMPARE(area->Width(), Velt::pixelsToTwips(rect.width(), editor).value());
    QCOMPARE(area->Height(), Velt::pixelsToTwips(rect.height(), editor, Qt::Vertical).value());
    // The panel the type editor put into the area stays inside it.
    QWidget* panel = editor->findChild<QWidget*>(QStringLiteral("ValuePanel"));
    const QRect panelRect(panel->mapTo(editor, QPoint(0, 0)), panel->size());
    QVERIFY(rect.contains(panelRect));
    QCOMPARE(Velt::propertyByName(editor, "EditArea")->value<QObject*>(), editor);
    editing()->CancelEdit();
    QuenDataRelease(item);
}

void DataEditorTest::lateBoundFacet()
{
    const int32_t item = QuenInt32Create(4);
    QObject* facet = Velt::propertyByName(m_type->editor(), "XCDialogDataEditing")->value<QObject*>();
    QCOMPARE(dialogDataEditing(m_type->editor()), editing());
    QVERIFY(Velt::invokeByName(facet, "EditData", {QVariant::fromValue<QObject*>(m_site.get()), item, 0, false, false}));
    const QVariantMap size = Velt::invokeByName(facet, "GetRecommendedSize")->toMap();
    QVERIFY(size.contains(QStringLiteral("result")));
    QVERIFY(size.value(QStringLiteral("Height")).toInt() >= 4775);
    QVERIFY(Velt::invokeByName(facet, "AcceptEdit"));
    QCOMPARE(m_site->AcceptCount(), 1);
    QCOMPARE(m_type->log.last(), ev("AcceptEdit", item));
    QuenDataRelease(item);
}

void DataEditorTest::persistence()
{
    DataEditor* editor = m_type->editor();
    QSignalSpy changes(editor->extender(), &XCDataEditorExtender::propertyChanged);
    editor->setReserveHeight(3000);
    editor->setReserveWidth(5000);
    QPixmap picture(16, 16);
    picture.fill(Qt::red);
    editor->setDataBitmap(picture);
    QCOMPARE(changes.takeFirst().at(0).toString(), QStringLiteral("DataBitMap"));
    const QVariantMap saved = editor->saveProperties();

    DataEditor restored;
    QCOMPARE(restored.ReserveHeight(), 2395);
    QCOMPARE(restored.ReserveWidth(), 4495);
    QCOMPARE(restored.DataClass(), QStringLiteral("CQuenInt32"));
    QCOMPARE(restored.DataType(), QStringLiteral("Integer (32 bit)"));
    QCOMPARE(restored.ParameterName(), QStringLiteral("<Parameter Name>"));
    restored.loadProperties(saved);
    QCOMPARE(restored.ReserveHeight(), 3000);
    QCOMPARE(restored.ReserveWidth(), 5000);
    QCOMPARE(restored.DataType(), m_type->dataType());
    QVERIFY(!restored.DataBitmap().value<QPixmap>().isNull());
    restored.loadProperties({});
    QCOMPARE(restored.ReserveHeight(), 2395);
    QCOMPARE(restored.DataType(), QStringLiteral("Integer (32 bit)"));
}

QTEST_MAIN(DataEditorTest)
#include "dataeditortest.moc"
