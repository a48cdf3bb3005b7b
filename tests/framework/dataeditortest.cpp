// The DataEditor control: edit events, OK and Cancel, constant and reference, status line, size, persistence.
#include "columns.h"
#include "coretesting.h"
#include "faketypeeditor.h"
#include "fixture.h"

#include "callfailurescope.h"
#include "countingdataeditorsite.h"
#include "dataeditor.h"
#include "dataeditsession.h"
#include "palettecolors.h"
#include "symbolselector.h"
#include "twips.h"
#include "xcdataeditorextender.h"
#include "xcdialogdataediting.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpression>
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

    // Steps, one word each: the edit that starts it (data: an item of 5; parameter: Gain = 5 at
    // design time with an output definition; readonly: the same, read-only; symbol: Bench.Volts;
    // reference: Gain referring to it, at run time; defaulted: the same with a default of 31),
    // then posted (a message posted while the value hides), again:<button> (that button pressed
    // meanwhile), set (77 typed), ok, cancel, ref, const (the options), pick (Bench.Volts, as an
    // output), other and otherEmpty (a new edit through another site, of an item or of nothing).
    // Events name the handles a, b, ... as they appear; the outcome is read before a last cancel
    // closes what is open, except other's cancels.
    void scenarios_data()
    {
        VeltTest::columns<QString, QString, QString>({"steps", "events", "outcome"});
        const QString hidden = QStringLiteral("BeginEdit(a) ShowEdit(a) HideEdit(a)");
        QTest::newRow("data, OK") << "data posted set ok" << hidden + " Posted AcceptEdit(a)" << "open=0 accepts=1 cancels=0 other=0 value=77";
        QTest::newRow("parameter, OK") << "parameter posted set ok" << hidden + " Posted AcceptEdit(a)" << "open=0 accepts=1 cancels=0 other=0 value=77 output=0";
        QTest::newRow("symbol, Cancel") << "symbol posted set cancel" << hidden + " Posted CancelEdit()" << "open=0 accepts=0 cancels=1 other=0 value=12";
        QTest::newRow("OK twice accepts once") << "parameter again:OKCommand set ok" << hidden + " AcceptEdit(a)" << "open=0 accepts=1 cancels=0 other=0 value=77 output=0";
        QTest::newRow("Cancel twice cancels once") << "parameter again:CancelCommand set cancel" << hidden + " CancelEdit()" << "open=0 accepts=0 cancels=1 other=0 value=5 output=0";
        QTest::newRow("Cancel during OK is ignored") << "parameter again:CancelCommand set ok" << hidden + " AcceptEdit(a)" << "open=0 accepts=1 cancels=0 other=0 value=77 output=0";
        QTest::newRow("read-only OK twice cancels once") << "readonly again:OKCommand set ok" << hidden + " CancelEdit()" << "open=0 accepts=0 cancels=1 other=0 value=5 output=0";
        // The value begun before the switch is hidden again and cancelled; a reference begins none.
        QTest::newRow("constant made a reference") << "parameter ref pick ok" << hidden + " HideEdit(a) CancelEdit()" << "open=0 accepts=1 cancels=0 other=0 ref=Bench.Volts output=1";
        QTest::newRow("reference kept") << "reference ok" << "" << "open=0 accepts=1 cancels=0 other=0 ref=Bench.Volts output=0";
        QTest::newRow("constant from a deep copy of the default") << "defaulted const ok" << hidden + " AcceptEdit(a)" << "open=0 accepts=1 cancels=0 other=0 value=31 output=0";
        QTest::newRow("created value is reused") << "reference const ref const set ok" << hidden + " BeginEdit(a) ShowEdit(a) HideEdit(a) AcceptEdit(a)" << "open=0 accepts=1 cancels=0 other=0 value=77 output=0";
        QTest::newRow("cancel drops the created value") << "reference const set cancel" << hidden + " CancelEdit()" << "open=0 accepts=0 cancels=1 other=0 ref=Bench.Volts output=0";
        QTest::newRow("a new edit cancels the open one") << "data other" << hidden + " CancelEdit() BeginEdit(b) ShowEdit(b)" << "open=1 accepts=0 cancels=1 other=1 value=5";
        QTest::newRow("a parameter without data starts nothing") << "data otherEmpty" << hidden + " CancelEdit()" << "open=0 accepts=0 cancels=1 other=0 value=5";
    }

    void scenarios()
    {
        QFETCH(QString, steps);
        const QStringList words = steps.split(u' ');
        VeltTest::CoreBuilder items;
        CountingDataEditorSite other;
        int32_t parm = 0;
        int32_t item = 0;
        if (words.first() == u"data") {
            item = items << QuenInt32Create(5);
            editing()->EditData(m_site.get(), item, 0, false, false);
        } else if (words.first() == u"symbol") {
            item = QuenParmGetData(m_symbol);
            editing()->EditSymbol(m_site.get(), m_symbol, false, false);
        } else {
            const bool referring = words.first() == u"reference" || words.first() == u"defaulted";
            parm = referring ? reference("Gain") : parameter("Gain", 5);
            const int32_t def = words.first() == u"defaulted" ? parameter("GainDefault", 31) : 0;
            editing()->EditParameter(m_site.get(), parm, def, 0, !referring, !referring, words.first() == u"readonly");
        }
        const QHash<QString, QString> buttons{{"ok", "OKCommand"}, {"cancel", "CancelCommand"}, {"ref", "ReferenceOption"}, {"const", "ConstantOption"}};
        for (const QString& word : words.mid(1)) {
            if (word == u"posted") {
                onHide([this] { QMetaObject::invokeMethod(this, [this] { m_type->log << QStringLiteral("Posted"); }, Qt::QueuedConnection); });
            } else if (word.startsWith(u"again:")) {
                onHide([this, word] { QMetaObject::invokeMethod(button(word.mid(6)), &QAbstractButton::click, Qt::QueuedConnection); });
            } else if (word == u"set") {
                m_type->valueBox()->setValue(77);
            } else if (word == u"pick") {
                selector()->setTableName(QStringLiteral("Bench"));
                selector()->setSymbolName(QStringLiteral("Volts"));
                button(QStringLiteral("OutputCheck"))->click();
            } else if (word.startsWith(u"other")) {
                if (word == u"other")
                    editing()->EditData(&other, items << QuenInt32Create(2), 0, false, false);
                else
                    editing()->EditParameter(&other, 0, 0, 0, false, false, false);
            } else {
                QAbstractButton* pressed = button(buttons.value(word));
                QVERIFY2(pressed, qPrintable(word));
                pressed->click();
            }
        }
        QCoreApplication::processEvents();

        QStringList events;
        QHash<QString, QString> names;
        static const QRegularExpression handle(QStringLiteral("\\((\\d+)\\)"));
        for (QString entry : std::as_const(m_type->log)) {
            const QRegularExpressionMatch found = handle.match(entry);
            if (found.hasMatch()) {
                const QString name = names.value(found.captured(1), QString(QChar(char16_t(u'a' + names.size()))));
                names.insert(found.captured(1), name);
                entry.replace(found.capturedStart(1), found.capturedLength(1), name);
            }
            events << entry;
        }
        QTEST(events.join(u' '), "events");
        QString outcome = QStringLiteral("open=%1 accepts=%2 cancels=%3 ").arg(int(editor()->session().isEditing())).arg(m_site->AcceptCount()).arg(m_site->CancelCount());
        editing()->CancelEdit();
        outcome += QStringLiteral("other=%1 ").arg(other.CancelCount());
        if (!parm)
            outcome += QStringLiteral("value=%1").arg(QuenInt32GetValue(item));
        else if (QuenParmIsReference(parm))
            outcome += QStringLiteral("ref=%1.%2 output=%3").arg(VeltTest::text(QuenParmGetRefTableName(parm)), VeltTest::text(QuenParmGetRefName(parm))).arg(int(bool(QuenParmIsOutput(parm))));
        else
            outcome += QStringLiteral("value=%1 output=%2").arg(QuenInt32GetValue(QuenParmGetData(parm))).arg(int(bool(QuenParmIsOutput(parm))));
        QTEST(outcome, "outcome");
    }

    void statusLine_data()
    {
        VeltTest::columns<QString, bool, QString, QString>({"mode", "readOnly", "text", "frameCaption"});
        QTest::newRow("symbol, read-only") << "symbol" << true << "Viewing symbol \"Volts\" - Changes not saved" << "This symbol...";
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
        editing()->EditData(m_site.get(), item, 0, true, false);
        m_type->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_type.get()));
        int32_t height = 0;
        int32_t width = 0;
        // Plain data offers no constant/reference options, at design time neither; at 96 DPI the
        // edit area starts 120 twips in and 0 twips down in its region.
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

    // A name the host sets replaces the designed caption at once and is announced once.
    void parameterNameFromTheHost()
    {
        QSignalSpy names(editor(), &DataEditor::ParameterNameChanged);
        const auto* title = editor()->findChild<QGroupBox*>(QStringLiteral("TitleFrame"));
        const QString designed = title->title();
        editor()->setParameterName(QStringLiteral("Gain"));
        QCOMPARE(designed + u'|' + title->title() + u'|' + names.value(0).value(0).toString(), QStringLiteral("<Parameter Name>||Gain"));
        editor()->setParameterName(QStringLiteral("Gain"));
        QCOMPARE(names.count(), 1);
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
