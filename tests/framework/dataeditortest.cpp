// The DataEditor control: edit events, OK and Cancel, constant and reference, the status line,
// the edit area, LocalsHandle and persistence.
#include "columns.h"
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
#include <QSignalSpy>
#include <QSpinBox>
#include <QTest>

#include <limits>

class DataEditorTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        m_fixture.begin();
        m_core = std::make_unique<VeltTest::CoreBuilder>();
        m_block = m_core->block();
        m_symbol = VeltTest::CoreBuilder::intParm(m_core->table("Bench"), "Volts", 12);
        m_type = std::make_unique<VeltTest::FakeTypeEditor>(VeltTest::FakeTypeEditor::Options(QStringLiteral("CQuenInt32"), VeltTest::HostFace, QStringLiteral("Test Integer")));
        m_type->resize(480, 420);
        m_site = std::make_unique<CountingDataEditorSite>();
    }

    void cleanup()
    {
        m_type.reset();
        m_site.reset();
        m_core.reset();
        m_fixture.end();
    }

    void eventOrder_data()
    {
        VeltTest::columns<QString, bool>({"kind", "accept"});
        for (const char* kind : {"data", "parameter", "symbol"}) {
            QTest::addRow("%s, OK", kind) << QString::fromLatin1(kind) << true;
            QTest::addRow("%s, Cancel", kind) << QString::fromLatin1(kind) << false;
        }
    }

    void eventOrder()
    {
        QFETCH(QString, kind);
        QFETCH(bool, accept);
        VeltTest::CoreBuilder items;
        int32_t h = 0;
        if (kind == QLatin1String("data")) {
            h = items << QuenInt32Create(5);
            editing()->EditData(m_site.get(), h, 0, false, false);
        } else if (kind == QLatin1String("parameter")) {
            const int32_t parm = parameter("Gain", 5);
            h = QuenParmGetData(parm);
            editing()->EditParameter(m_site.get(), parm, 0, 0, true, true, false);
        } else {
            h = QuenParmGetData(m_symbol);
            editing()->EditSymbol(m_site.get(), m_symbol, false, false);
            QCOMPARE(statusText(), QStringLiteral("Editing symbol \"Volts\""));
        }
        const int32_t before = QuenInt32GetValue(h);
        QCOMPARE(m_type->valueBox()->value(), before);
        // Messages posted while the value is hidden run before the final event.
        onHide([this] {
            QMetaObject::invokeMethod(this, [this] { m_type->log << QStringLiteral("Posted"); }, Qt::QueuedConnection);
        });
        m_type->valueBox()->setValue(77);
        button(accept ? QStringLiteral("OKCommand") : QStringLiteral("CancelCommand"))->click();
        QCOMPARE(m_type->log, QStringList({ev("BeginEdit", h), ev("ShowEdit", h), ev("HideEdit", h), QStringLiteral("Posted"),
                                           accept ? ev("AcceptEdit", h) : QStringLiteral("CancelEdit()")}));
        QCOMPARE(QuenInt32GetValue(h), accept ? 77 : before);
        QCOMPARE(counts(), counts(accept));
        QVERIFY(!editor()->session().isEditing());
    }

    void buttonsActOncePerEdit_data()
    {
        VeltTest::columns<bool, QString, QString, bool>({"readOnly", "first", "second", "accepted"});
        QTest::newRow("OK twice accepts once") << false << "OKCommand" << "OKCommand" << true;
        QTest::newRow("Cancel twice cancels once") << false << "CancelCommand" << "CancelCommand" << false;
        QTest::newRow("Cancel during OK is ignored") << false << "OKCommand" << "CancelCommand" << true;
        QTest::newRow("read-only OK twice cancels once") << true << "OKCommand" << "OKCommand" << false;
    }

    void buttonsActOncePerEdit()
    {
        QFETCH(bool, readOnly);
        QFETCH(QString, first);
        QFETCH(QString, second);
        QFETCH(bool, accepted);
        const int32_t parm = parameter("Gain", 5);
        const int32_t h = QuenParmGetData(parm);
        editing()->EditParameter(m_site.get(), parm, 0, 0, false, false, readOnly);
        // The second press arrives while the first one lets pending messages run.
        onHide([this, second] { QMetaObject::invokeMethod(button(second), &QAbstractButton::click, Qt::QueuedConnection); });
        m_type->valueBox()->setValue(9);
        button(first)->click();
        QCoreApplication::processEvents();
        QCOMPARE(counts(), counts(accepted));
        QCOMPARE(m_type->log.mid(2), QStringList({ev("HideEdit", h), accepted ? ev("AcceptEdit", h) : QStringLiteral("CancelEdit()")}));
        QCOMPARE(QuenInt32GetValue(h), accepted ? 9 : 5);
    }

    void referenceAccept_data()
    {
        QTest::addColumn<bool>("startsAsReference");
        QTest::newRow("constant made a reference, output") << false;
        QTest::newRow("reference kept a reference") << true;
    }

    void referenceAccept()
    {
        QFETCH(bool, startsAsReference);
        const bool output = !startsAsReference;
        const int32_t parm = startsAsReference ? reference("Gain") : parameter("Gain", 5);
        const int32_t value = startsAsReference ? 0 : QuenParmGetData(parm);
        editing()->EditParameter(m_site.get(), parm, 0, 0, true, true, false);
        if (!startsAsReference) {
            button(QStringLiteral("ReferenceOption"))->click();
            QCOMPARE(m_type->log.last(), ev("HideEdit", value));
            selector()->setTableName(QStringLiteral("Bench"));
            selector()->setSymbolName(QStringLiteral("Volts"));
            button(QStringLiteral("OutputCheck"))->click();
        } else {
            QCOMPARE(selector()->SymbolName(), QStringLiteral("Volts"));
        }
        button(QStringLiteral("OKCommand"))->click();
        // The value begun before the switch is hidden again and cancelled; a reference begins none.
        const QStringList closed{ev("HideEdit", value), ev("HideEdit", value), QStringLiteral("CancelEdit()")};
        QCOMPARE(m_type->log.mid(2), startsAsReference ? QStringList() : closed);
        QCOMPARE(counts(), counts(true));
        QCOMPARE(QStringList({QString::number(bool(QuenParmIsReference(parm))), VeltTest::text(QuenParmGetRefTableName(parm)),
                              VeltTest::text(QuenParmGetRefName(parm)), QString::number(bool(QuenParmIsOutput(parm)))}),
                 QStringList({QStringLiteral("1"), QStringLiteral("Bench"), QStringLiteral("Volts"), QString::number(int(output))}));
        if (value) {
            QVERIFY(!QuenDataIsValid(value)); // the value that was being edited is released
            QuenExcRegClearError(0);
        }
    }

    void switchToConstant_data()
    {
        VeltTest::columns<bool, bool, bool, int>({"withDefault", "toggleTwice", "accept", "expectedValue"});
        QTest::newRow("new item of the class") << false << false << true << 0;
        QTest::newRow("deep copy of the default") << true << false << true << 31;
        QTest::newRow("created value is reused") << false << true << true << 0;
        QTest::newRow("cancel releases the created value") << false << false << false << 0;
    }

    void switchToConstant()
    {
        QFETCH(bool, withDefault);
        QFETCH(bool, toggleTwice);
        QFETCH(bool, accept);
        const int32_t parm = reference("Gain");
        const int32_t def = withDefault ? parameter("GainDefault", 31) : 0;
        editing()->EditParameter(m_site.get(), parm, def, 0, false, false, false);
        button(QStringLiteral("ConstantOption"))->click();
        const int32_t h = editor()->DataHandle();
        QVERIFY(h != 0 && (!withDefault || h != QuenParmGetData(def)));
        QTEST(QuenInt32GetValue(h), "expectedValue");
        QStringList expected{ev("BeginEdit", h), ev("ShowEdit", h)};
        if (toggleTwice) {
            button(QStringLiteral("ReferenceOption"))->click();
            button(QStringLiteral("ConstantOption"))->click();
            QCOMPARE(editor()->DataHandle(), h);
            expected << ev("HideEdit", h) << ev("BeginEdit", h) << ev("ShowEdit", h);
        }
        QCOMPARE(m_type->log, expected);
        m_type->valueBox()->setValue(64);
        button(accept ? QStringLiteral("OKCommand") : QStringLiteral("CancelCommand"))->click();
        QCOMPARE(bool(QuenParmIsReference(parm)), !accept);
        QCOMPARE(counts(), counts(accept));
        if (accept) {
            QCOMPARE(QuenInt32GetValue(QuenParmGetData(parm)), 64);
        } else {
            QVERIFY(!QuenDataIsValid(h));
            QuenExcRegClearError(0);
        }
    }

    void newEditCancelsOpenOne_data()
    {
        QTest::addColumn<bool>("withData"); // else a parameter handle of 0, which starts nothing
        QTest::newRow("another item") << true;
        QTest::newRow("parameter without data") << false;
    }

    void newEditCancelsOpenOne()
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
        QCOMPARE(m_type->log.mid(2), QStringList({ev("HideEdit", first), QStringLiteral("CancelEdit()")}) + (withData ? QStringList({ev("BeginEdit", second), ev("ShowEdit", second)}) : QStringList()));
        editing()->CancelEdit();
        QCOMPARE(other.CancelCount(), withData ? 1 : 0);
    }

    void statusLine_data()
    {
        VeltTest::columns<QString, bool, QString, QString>({"mode", "readOnly", "text", "frameCaption"});
        QTest::newRow("symbol, read-only") << "symbol" << true << "Viewing symbol \"Volts\" - Changes not saved" << "This symbol...";
        QTest::newRow("reference") << "reference" << false << "Highlight a table and a symbol. Press 'OK'." << "This parameter...";
        QTest::newRow("selector choice") << "choice" << false << "Press 'OK' to reference 'Volts' in 'Bench'" << "This parameter...";
    }

    void statusLine()
    {
        QFETCH(QString, mode);
        QFETCH(bool, readOnly);
        if (mode == QLatin1String("symbol"))
            editing()->EditSymbol(m_site.get(), m_symbol, false, readOnly);
        else
            editing()->EditParameter(m_site.get(), reference("Gain"), 0, 0, false, false, readOnly);
        if (mode == QLatin1String("choice"))
            Q_EMIT selector()->Change(QStringLiteral("Bench"), QStringLiteral("Volts"), QString());
        QTEST(statusText(), "text");
        QTEST(editor()->findChild<QGroupBox*>(QStringLiteral("ParameterFrame"))->title(), "frameCaption");
        QCOMPARE(editor()->findChild<QGroupBox*>(QStringLiteral("TitleFrame"))->title(), QString());

        // An error hides the status text in tooltip colours, and goes away again; each change is announced once.
        const auto background = [this] { return editor()->findChild<QLabel*>(QStringLiteral("StatusLabel"))->palette().color(QPalette::Window); };
        QSignalSpy errorChanges(editor(), &DataEditor::ErrorMessageChanged);
        for (int i = 0; i < 2; ++i)
            editor()->setErrorMessage(QStringLiteral("Not a number"));
        QCOMPARE(errorChanges.count(), 1);
        QCOMPARE(statusText(), QStringLiteral("Not a number"));
        QCOMPARE(background(), Velt::PaletteColors::tooltipBackground(editor()));
        QVERIFY(editor()->extender()->findChild<QLabel*>(QStringLiteral("ErrorImage"))->isVisibleTo(editor()->extender()));
        editor()->setErrorMessage(QString());
        QCOMPARE(errorChanges.count(), 2);
        QTEST(statusText(), "text");
        QCOMPARE(background(), Velt::PaletteColors::menuBackground(editor()));
    }

    void acceptWritesDescriptionAndOutput_data()
    {
        VeltTest::columns<bool, bool, QString, bool>({"designTime", "outputDefinition", "description", "output"});
        QTest::newRow("design time writes both") << true << true << "New text" << true;
        QTest::newRow("no output definition") << true << false << "New text" << false;
        QTest::newRow("run time writes neither") << false << true << "Old text" << false;
    }

    void acceptWritesDescriptionAndOutput()
    {
        QFETCH(bool, designTime);
        QFETCH(bool, outputDefinition);
        const int32_t parm = parameter("Gain", 1, "Old text");
        editing()->EditParameter(m_site.get(), parm, 0, 0, designTime, outputDefinition, false);
        auto* description = editor()->findChild<QLineEdit*>(QStringLiteral("DescriptionText"));
        if (!description->isReadOnly()) {
            description->selectAll();
            QTest::keyClicks(description, QStringLiteral("New text"));
        }
        editor()->findChild<QCheckBox*>(QStringLiteral("OutputCheck"))->setChecked(true);
        button(QStringLiteral("OKCommand"))->click();
        QTEST(QString::fromUtf8(QuenDescGetText(QuenParmGetDesc(parm))), "description");
        QTEST(bool(QuenParmIsOutput(parm)), "output");
    }

    void localsHandle_data()
    {
        VeltTest::columns<bool, bool>({"withLocals", "withDefault"});
        QTest::newRow("locals given") << true << true;
        QTest::newRow("owner of the default") << false << true;
        QTest::newRow("owner of the parameter") << false << false;
    }

    void localsHandle()
    {
        QFETCH(bool, withLocals);
        QFETCH(bool, withDefault);
        const int32_t otherBlock = m_core->block();
        const int32_t def = VeltTest::CoreBuilder::intParm(otherBlock, "GainDefault", 2);
        const int32_t locals = m_core->block();
        editing()->EditParameter(m_site.get(), parameter("Gain", 1), withDefault ? def : 0, withLocals ? locals : 0, false, false, false);
        QCOMPARE(editor()->LocalsHandle(), withLocals ? locals : withDefault ? otherBlock : m_block);
        // The reference selector offers no locals table: the core resolves no reference to one.
        QCOMPARE(selector()->LocalHandle(), 0);
        selector()->setTableName(selector()->LocalName());
        QCOMPARE(selector()->TableName(), QString());
        editing()->CancelEdit();
    }

    void sizeAndEditArea()
    {
        VeltTest::CoreBuilder items;
        const int32_t item = items << QuenInt32Create(4);
        editing()->EditData(m_site.get(), item, 0, false, false);
        m_type->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_type.get()));
        int32_t height = 0;
        int32_t width = 0;
        // Plain data has no constant/reference options, at design time neither: the same size.
        editing()->GetRecommendedSize(height, width);
        const QList<int> runTime{height, width};
        editing()->CancelEdit();
        editing()->EditData(m_site.get(), item, 0, true, false);
        editing()->GetRecommendedSize(height, width);
        QCOMPARE(QList<int>({height, width}), runTime);
        // At 96 DPI the edit area starts 120 twips in and 0 twips down in its region.
        if (Velt::logicalDpi(editor()) == 96) {
            editing()->GetRecommendedSize(height, width);
            QCOMPARE(QList<int>({editor()->Left(), editor()->Top(), height, width}), QList<int>({120, 0, 4775, 4785}));
        }
        XCEditArea* area = editor()->EditArea();
        const QRect rect = editor()->editAreaRect();
        QCOMPARE(area->Width(), Velt::pixelsToTwips(rect.width(), editor()).value());
        QCOMPARE(area->Height(), Velt::pixelsToTwips(rect.height(), editor(), Qt::Vertical).value());
        editor()->setReserveHeight(std::numeric_limits<int>::max() - 100);
        QVERIFY_THROWS_EXCEPTION(Velt::CallFailed, Velt::checkedCall([&] { editing()->GetRecommendedSize(height, width); }));
        editing()->CancelEdit();
    }

    void persistence()
    {
        QSignalSpy changes(editor()->extender(), &XCDataEditorExtender::propertyChanged);
        editor()->setReserveHeight(3000);
        editor()->setDataBitmap(QPixmap(16, 16));
        QCOMPARE(changes.takeFirst().at(0).toString(), QStringLiteral("DataBitMap"));
        DataEditor restored;
        const auto shape = [&restored] { return QStringLiteral("%1 %2").arg(restored.ReserveHeight()).arg(restored.DataType()); };
        restored.loadProperties(editor()->saveProperties());
        QCOMPARE(shape(), QStringLiteral("3000 %1").arg(m_type->dataType()));
        restored.loadProperties({});
        QCOMPARE(shape(), QStringLiteral("2395 Integer (32 bit)"));
    }

private:
    DataEditor* editor() const { return m_type->editor(); }
    XCDialogDataEditing* editing() const { return editor()->dialogEditing(); }
    QAbstractButton* button(const QString& name) const { return editor()->findChild<QAbstractButton*>(name); }
    SymbolSelector* selector() const { return editor()->findChild<SymbolSelector*>(QStringLiteral("SymSelect")); }
    QString statusText() const { return editor()->findChild<QLabel*>(QStringLiteral("StatusLabel"))->text(); }
    static QString ev(const char* name, int h) { return QStringLiteral("%1(%2)").arg(QLatin1StringView(name)).arg(h); }
    QString counts() const { return QStringLiteral("accepts=%1 cancels=%2").arg(m_site->AcceptCount()).arg(m_site->CancelCount()); }
    static QString counts(bool accept) { return QStringLiteral("accepts=%1 cancels=%2").arg(int(accept)).arg(int(!accept)); }

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

QTEST_MAIN(DataEditorTest)
#include "dataeditortest.moc"
