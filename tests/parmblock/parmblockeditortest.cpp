// The parameter block editor as its host sees it: the row model and its lazy binding, event orders,
// keys on the list and in the editors, rebuilds, the context menu and the symbol dialogs.
#include "columns.h"
#include "coretesting.h"
#include "dataeditorform.h"
#include "dataeditorregistry.h"
#include "datatypeselector.h"
#include "fixture.h"
#include "parmblockeditor.h"
#include "parmblockmodel.h"
#include "parmblocksession.h"
#include "parmfieldeditor.h"
#include "parmnameeditor.h"
#include "platformservices.h"
#include "symboldialogs.h"
#include "xcstructeditfields.h"

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QTest>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeView>

using namespace Velt;
using VeltTest::CoreBuilder;
using VeltTest::parameterNames;

namespace {

// Records the events as "Event arg arg".
struct EventLog
{
    QStringList events;
    explicit EventLog(ParmBlockEditor& editor)
    {
        const auto two = [this](const char* name) {
            return [this, name](const QString& a, const QString&) { events << QString::fromLatin1(name) + ' ' + a; };
        };
        QObject::connect(&editor, &ParmBlockEditor::ParameterSelected, two("Selected"));
        QObject::connect(&editor, &ParmBlockEditor::ParameterChanged, two("Changed"));
        QObject::connect(&editor, &ParmBlockEditor::ParameterRemoved, two("Removed"));
        QObject::connect(&editor, &ParmBlockEditor::ParameterCreated, two("Created"));
        QObject::connect(&editor, &ParmBlockEditor::ParameterRenamed,
                         [this](const QString& a, const QString& b, const QString&) { events << "Renamed " + a + ' ' + b; });
        QObject::connect(&editor, &ParmBlockEditor::EditingModeChanged, [this](bool n, bool v, bool t, bool d) {
            events << QStringLiteral("Mode %1%2%3%4").arg(n).arg(v).arg(t).arg(d);
        });
    }
    QString take() { return std::exchange(events, {}).join(", "); }
};

QuenHandle blockOf(CoreBuilder& core, const QStringList& parms)
{
    const QuenHandle block = core.block();
    for (int i = 0; i < parms.size(); ++i)
        CoreBuilder::intParm(block, parms.at(i).toUtf8().constData(), i + 1, ("about " + parms.at(i)).toUtf8().constData());
    return block;
}

// Table "Bench" holding Vcc = 5.
QuenHandle bench(CoreBuilder& core)
{
    const QuenHandle table = core.table("Bench");
    CoreBuilder::intParm(table, "Vcc", 5);
    return table;
}

} // namespace

class ParmBlockEditorTest : public QObject
{
    Q_OBJECT
    VeltTest::Fixture fixture;
    std::unique_ptr<ParmBlockEditor> editor;

    // The editor on show over a block, or over an action call's actual block and its defaults.
    ParmBlockEditor& shown(QuenHandle block, QuenHandle defaults = 0)
    {
        editor = std::make_unique<ParmBlockEditor>();
        editor->resize(640, 360);
        defaults ? editor->EditActionCall(int(block), int(defaults)) : editor->EditParameterBlockDefinition(int(block));
        editor->show();
        editor->activateWindow();
        [[maybe_unused]] const bool exposed = QTest::qWaitForWindowExposed(editor.get());
        return *editor;
    }

private Q_SLOTS:
    void cleanupTestCase() { DataEditorRegistry::unload(); }
    void init() { fixture.begin(); }
    void cleanup()
    {
        editor.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        fixture.end();
    }

    void modelUnderTesterAndLazyBinding()
    {
        CoreBuilder core;
        const QuenHandle block = core.block();
        for (int i = 0; i < 2000; ++i)
            CoreBuilder::intParm(block, QByteArray("P" + QByteArray::number(i)).constData(), i);
        ParmBlockSession session;
        ParmBlockModel model(session);
        ParmBlockSession::Mode mode;
        mode.design = mode.block = true;
        session.load(block, 0, mode);
        QCOMPARE(model.rowCount(), 2000);
        QCOMPARE(model.pooledCollections(), 0); // nothing bound before a row is looked at
        QCOMPARE(model.index(7, 1).data().toString(), QStringLiteral("7"));
        // An integer has fields below its value: one row for each but the value's own line.
        QCOMPARE(model.rowCount(model.index(7, 0)), model.fields(7)->Count() - 1);
        QCOMPARE(model.fieldRow(7, 1).data(ParmBlockModel::FieldIndexRole).toInt(), 1);
        for (int row = 0; row < 300; ++row)
            model.index(row, 1).data();
        QCOMPARE(model.pooledCollections(), ParmBlockModel::PoolSize);
        const quint64 created = XCStructEditFields::fieldObjectsCreated();
        for (int row = 300; row < 600; ++row)
            model.index(row, 1).data();
        QCOMPARE(XCStructEditFields::fieldObjectsCreated(), created);
        QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
        session.insertNew(0, "CQuenString");
        session.remove(1);
        session.move(0, 5);
        // A removed row's collection is free again and is taken before any other is evicted.
        for (int row = 0; row < ParmBlockModel::PoolSize; ++row)
            model.index(row, 1).data();
        session.remove(0);
        QCOMPARE("P" + model.index(500, 1).data().toString(), model.index(500, 0).data().toString());
        QCOMPARE(model.pooledCollections(), ParmBlockModel::PoolSize);
        session.load(0, 0, {});
    }

    void nothingLoaded()
    {
        ParmBlockEditor empty;
        QVERIFY(!empty.InsertNewEnabled(-1) && !empty.DeleteEnabled(0) && !empty.DialogEditEnabled(0));
        QVERIFY(!empty.EditCellEnabled(0, 0, 0) && !empty.MoveUpEnabled(0) && !empty.PasteEnabled(0) && !empty.CopyEnabled(0));
        QVERIFY(!empty.InsertNew(-1) && !empty.Delete(1) && !empty.Undo());
        int to = -1;
        QVERIFY(!empty.MoveTo(&to, 1));
        QCOMPARE(empty.TableName(), QString());
        QVERIFY(empty.ReadOnly() && empty.BrowseOnly());
    }

    void insertRenameDeleteEvents()
    {
        CoreBuilder core;
        const QuenHandle block = blockOf(core, { "A", "B" });
        ParmBlockEditor& e = shown(block);
        EventLog log(e);
        QVERIFY(e.InsertNew(-1, "CQuenInt32"));
        QCOMPARE(log.take(), QStringLiteral("Created New, Changed New, Selected New, Mode 1000"));
        auto* name = e.findChild<ParmNameEditor*>("ParmNameEditor");
        QVERIFY(name->isVisible() && name->textBox()->hasSelectedText());
        QTest::keyClicks(name->textBox(), "Gain");
        QTest::keyClick(name->textBox(), Qt::Key_Return);
        QCOMPARE(log.take(), QStringLiteral("Renamed New Gain, Changed Gain, Mode 0000"));
        QCOMPARE(parameterNames(block), QStringList({ "A", "B", "Gain" }));

        // Escape throws a rename away.
        QVERIFY(e.EditCell(0, 1, 0));
        QTest::keyClicks(name->textBox(), "Other");
        QTest::keyClick(name->textBox(), Qt::Key_Escape);
        QCOMPARE(parameterNames(block).first(), QStringLiteral("A"));
        log.take();

        QVERIFY(e.Delete(1));
        QCOMPARE(log.take(), QStringLiteral("Changed A, Removed A, Selected B, Mode 0000"));
        QVERIFY(e.Undo());
        QCOMPARE(parameterNames(block), QStringList({ "A", "B", "Gain" }));
        QCOMPARE(log.take(), QStringLiteral("Created A, Changed A, Selected A, Mode 0000"));

        int to = -1;
        QVERIFY(e.MoveTo(&to, 1));
        QCOMPARE(to, 4);
        QCOMPARE(parameterNames(block), QStringList({ "B", "Gain", "A" }));
    }

    void valueEditEnterMovesDownEscapeRestores()
    {
        CoreBuilder core;
        const QuenHandle block = blockOf(core, { "A", "B" });
        ParmBlockEditor& e = shown(block);
        EventLog log(e);
        QVERIFY(e.EditCell(1, 1, 0));
        auto* field = e.findChild<ParmFieldEditor*>("ParmFieldEditor");
        auto* text = qobject_cast<QLineEdit*>(field->input());
        QVERIFY(text);
        QCOMPARE(log.take(), QStringLiteral("Mode 0100, Selected A"));
        text->selectAll();
        QTest::keyClicks(text, "42");
        QTest::keyClick(text, Qt::Key_Return);
        QCOMPARE(QuenInt32GetValue(QuenParmGetData(QuenPbDefGetParm(block, 1))), 42);
        QCOMPARE(e.model()->index(0, 1).data().toString(), QStringLiteral("42"));
        QVERIFY(e.session().undoLog().slot(1).startsWith("Replace | "));
        // Enter moved on to the next value cell shown below (A is collapsed, so B's).
        QCOMPARE(e.openEditor(), 1);
        QCOMPARE(log.take(), QStringLiteral("Changed A, Mode 0000, Mode 0100, Selected B"));

        // Escape puts the value back with its editing properties.
        CoreBuilder::setString(QuenParmGetData(QuenPbDefGetParm(block, 2)), "Units", "mV");
        QVERIFY(e.EditCell(1, 2, 0));
        text = qobject_cast<QLineEdit*>(field->input());
        text->selectAll();
        QTest::keyClicks(text, "77");
        QCOMPARE(QuenInt32GetValue(QuenParmGetData(QuenPbDefGetParm(block, 2))), 77);
        QTest::keyClick(text, Qt::Key_Escape);
        QCOMPARE(QuenInt32GetValue(QuenParmGetData(QuenPbDefGetParm(block, 2))), 2);
        QCOMPARE(CoreBuilder::string(QuenParmGetData(QuenPbDefGetParm(block, 2)), "Units"), QStringLiteral("mV"));
        QCOMPARE(e.openEditor(), -1);
    }

    void typeChangeAppliesAtOnceEscapeRestores()
    {
        CoreBuilder core;
        const QuenHandle block = blockOf(core, { "A" });
        ParmBlockEditor& e = shown(block);
        EventLog log(e);
        const auto type = [&] { return QString::fromUtf8(QuenParmGetType(QuenPbDefGetParm(block, 1))); };
        for (const bool accept : { false, true }) {
            QVERIFY(e.EditCell(2, 1, 0));
            auto* box = e.findChild<DataTypeSelector*>("ParmDataTypeSelector")->findChild<QComboBox*>("SortedTypeList");
            box->setCurrentIndex(box->findData("CQuenString") >= 0 ? box->findData("CQuenString") : box->findText("String"));
            QCOMPARE(type(), QStringLiteral("CQuenString"));
            QTest::keyClick(box, accept ? Qt::Key_Return : Qt::Key_Escape);
            QCOMPARE(type(), accept ? QStringLiteral("CQuenString") : QStringLiteral("CQuenInt32"));
        }
        QCOMPARE(log.take(), QStringLiteral("Mode 0010, Selected A, Mode 0000, Mode 0010, Changed A, Mode 0000"));
    }

    void hostChangeRebuildsKeepingTheRow()
    {
        CoreBuilder core;
        const QuenHandle block = blockOf(core, { "A", "B", "C" });
        ParmBlockEditor& e = shown(block);
        connect(&e, &ParmBlockEditor::ParameterChanged, this, [block](const QString& name) {
            if (name == QLatin1String("B"))
                CoreBuilder::intParm(block, "Added", 9);
        }, Qt::SingleShotConnection);
        QVERIFY(e.EditCell(3, 2, 0));
        auto* text = e.findChild<QLineEdit*>("ParmDescriptionEditor");
        text->setText("new words");
        e.EndInplaceEditing(true);
        QCOMPARE(e.model()->rowCount(), 4);
        QCOMPARE(e.Comment(2), QStringLiteral("new words"));
        // The rebuild selected B again, by its name.
        QCOMPARE(e.ParameterName(0), QStringLiteral("B"));
    }

    void dialogEditAndSelectFromOutside()
    {
        CoreBuilder core;
        const QuenHandle block = blockOf(core, { "A", "B", "C" });
        ParmBlockEditor& e = shown(block);
        EventLog log(e);
        QVERIFY(e.SetParameterSelect(3, false, 1, 0)); // not an array: the parameter row
        QCOMPARE(e.ParameterName(0), QStringLiteral("C"));
        QCOMPARE(log.take(), QStringLiteral("Selected C"));
        QTimer closer; // types into the value editor's dialog once it is on show, then accepts
        connect(&closer, &QTimer::timeout, this, [&] {
            DataEditorForm* form = DataEditorForm::instance();
            if (!form->isVisible())
                return;
            closer.stop();
            QuenInt32SetValue(QuenParmGetData(QuenPbDefGetParm(block, 2)), 64);
            form->AcceptEdit();
        });
        closer.start(10);
        QVERIFY(e.DialogEdit(2));
        QCOMPARE(log.take(), QStringLiteral("Mode 0100, Selected B, Changed B, Mode 0000"));
        QCOMPARE(e.model()->index(1, 1).data().toString(), QStringLiteral("64"));
        QVERIFY(e.session().undoLog().slot(1).endsWith(" | B"));
    }

    void pasteAsksBeforeReplacing_data()
    {
        VeltTest::columns<int, QString>({"answer", "expected"}); // names, B's value
        QTest::newRow("No keeps the block") << int(PlatformServices::No) << "A B C, 2";
        QTest::newRow("Yes: one B, at the paste position") << int(PlatformServices::Yes) << "B A C, 99";
    }

    void pasteAsksBeforeReplacing()
    {
        QFETCH(int, answer);
        CoreBuilder core;
        const QuenHandle source = blockOf(core, { "B" });
        QuenInt32SetValue(QuenParmGetData(QuenPbDefGetParm(source, 1)), 99);
        const QuenHandle block = blockOf(core, { "A", "B", "C" });
        ParmBlockEditor from;
        from.EditParameterBlockDefinition(int(source));
        QVERIFY(from.Copy(1));
        ParmBlockEditor& e = shown(block);
        fixture.services.queueAnswer(answer);
        QVERIFY(e.Paste(1));
        const QuenHandle b = QuenPbDefFindParm(block, "B");
        QTEST(QString(parameterNames(block).join(' ') + ", " + QString::number(QuenInt32GetValue(QuenParmGetData(b)))), "expected");
        const auto prompt = fixture.services.prompts().value(0);
        QCOMPARE(prompt.title + '|' + prompt.text + '|' + QString::number(prompt.flags), QStringLiteral("Paste Parameter|Parameter 'B' already exist. Replace it?|276"));
    }

    void actionCallValueEdits()
    {
        CoreBuilder core;
        const QuenHandle defaults = blockOf(core, { "In", "Gain" });
        const QuenHandle actual = core.block();
        shown(actual, defaults);
        QVERIFY(!editor->DesignTime() && !editor->InsertNewEnabled(-1) && !editor->EditCellEnabled(0, 1, 0));
        // Escape takes back the actual parameter the edit had to make; Enter keeps it.
        for (const Qt::Key key : { Qt::Key_Escape, Qt::Key_Return }) {
            QVERIFY(editor->EditCell(1, 2, 0));
            auto* text = qobject_cast<QLineEdit*>(editor->findChild<ParmFieldEditor*>()->input());
            text->selectAll();
            QTest::keyClicks(text, "5");
            QTest::keyClick(text, key);
            QCOMPARE(parameterNames(actual).join(' '), key == Qt::Key_Escape ? QString() : QStringLiteral("Gain"));
        }
        QCOMPARE(QuenInt32GetValue(QuenParmGetData(QuenPbDefGetParm(actual, 1))), 5);
        QCOMPARE(QuenInt32GetValue(QuenParmGetData(QuenPbDefGetParm(defaults, 2))), 2);
        QVERIFY(editor->ResetToDefault(2));
        QCOMPARE(QuenPbDefGetSize(actual), 0);
    }

    void referenceAndProvideValue()
    {
        CoreBuilder core;
        bench(core);
        const QuenHandle block = blockOf(core, { "A" });
        ParmBlockEditor& e = shown(block);
        EventLog log(e);
        QVERIFY(!e.ProvideValueEnabled(1));
        QVERIFY(e.ReferenceSymbol(1, "Vcc", "Bench"));
        const QuenHandle a = QuenPbDefGetParm(block, 1);
        QVERIFY(QuenParmIsReference(a));
        QCOMPARE(e.model()->index(0, 1).data().toString(), QStringLiteral("Bench.Vcc"));
        QVERIFY(e.ProvideValue(1));
        QVERIFY(!QuenParmIsReference(a));
        QCOMPARE(log.take(), QStringLiteral("Changed A, Changed A"));
        QVERIFY(e.Undo()); // the reference comes back
        QVERIFY(QuenParmIsReference(QuenPbDefGetParm(block, 1)));
        QuenParmSetReferenceEditable(QuenPbDefGetParm(block, 1), QUEN_FALSE);
        QVERIFY(!e.ReferenceSymbolEnabled(1) && !e.ReferenceSymbol(1, "Vcc", "Bench"));
    }

    void enterAtTheEndsBeeps()
    {
        CoreBuilder core;
        const QuenHandle block = blockOf(core, { "A", "B" });
        ParmBlockEditor& e = shown(block);
        QVERIFY(e.EditCell(3, 1, 0));
        auto* text = e.findChild<QLineEdit*>("ParmDescriptionEditor");
        QTest::keyClick(text, Qt::Key_Return, Qt::ShiftModifier); // nothing above
        QCOMPARE(fixture.services.beeps(), 1);
        QVERIFY(e.EditCell(3, 1, 0));
        QTest::keyClick(text, Qt::Key_Return);
        QCOMPARE(e.openEditor(), 3);
        QCOMPARE(e.ParameterName(0), QStringLiteral("B"));
        QTest::keyClick(text, Qt::Key_Return); // nothing below
        QCOMPARE(fixture.services.beeps(), 2);
        QCOMPARE(e.openEditor(), -1);
    }

    void tableFileRoundTrip()
    {
        CoreBuilder core;
        const QuenHandle table = bench(core);
        ParmBlockEditor& e = shown(table);
        QVERIFY(e.EditSymbolTable(int(table), true));
        QTemporaryDir dir;
        const QString path = dir.filePath("bench.json");
        QVERIFY(e.SaveTable(path));
        QVERIFY(!e.RestoreTable(dir.filePath("none.json")));
        QVERIFY(fixture.services.shownErrors().value(0).contains("none.json"));
        QCOMPARE(e.Handle(), int(table)); // a file that does not load keeps the rows
        QuenTableRegRemoveTable(table);
        QVERIFY(e.RestoreTable(path));
        const QuenHandle restored = QuenHandle(e.Handle());
        QVERIFY(restored && restored != table);
        QCOMPARE(e.TableName() + ' ' + e.ParameterName(1), QStringLiteral("Bench Vcc"));
        e.EditSymbolTable(0);
        QuenTableRegRemoveTable(restored);
        QuenPbDefRelease(restored);
        QuenTableRegAddTable(table, QUEN_TRUE);
    }

    void menuCaptions()
    {
        CoreBuilder core;
        const QuenHandle table = bench(core);
        editor = std::make_unique<ParmBlockEditor>();
        editor->EditSymbolTable(int(table), true);
        QCOMPARE(editor->TableName(), QStringLiteral("Bench"));
        editor->list()->setCurrentIndex(editor->model()->index(0, 2));
        QTest::keyClick(editor->list(), Qt::Key_F10, Qt::ShiftModifier);
        auto* menu = editor->findChild<QMenu*>("ParmList_EditMenu");
        QStringList captions;
        for (QAction* action : menu->actions())
            captions << (action->isSeparator() ? "-" : action->text() + (action->isEnabled() ? "" : "(off)"));
        const QString paste = QuenPbDefIsAvailableOnClipboard() ? "Paste" : "Paste(off)"; // as earlier tests left it
        QCOMPARE(captions.join('|'), QStringLiteral("Undo(off)|-|Insert New Symbol|-|Cut|Copy|%1|Delete|-|Change Data Type|-|"
                                                    "Move Up(off)|Move Down(off)|-|Reference a Symbol|Reference a New Symbol|"
                                                    "Provide a Value(off)|Reset To Default(off)|-|Properties").arg(paste));
        auto* tables = menu->findChild<QAction*>("ParmList_ReferenceNewSymbolMenuItem")->menu();
        QCOMPARE(tables->actions().first()->text(), QStringLiteral("In Bench ..."));
        QCOMPARE(tables->actions().first()->data().toInt(), int(table));
        menu->close();
        QuenTableRegRemoveTable(table);
        editor->ShowEditMenu();
        tables = menu->findChild<QAction*>("ParmList_ReferenceNewSymbolMenuItem")->menu();
        QCOMPARE(tables->actions().first()->text() + QString::number(tables->actions().first()->isEnabled()), QStringLiteral("<no tables>0"));
        menu->close();
        QuenTableRegAddTable(table, QUEN_TRUE);
    }

    void listKeys_data()
    {
        VeltTest::columns<QKeySequence, QString>({"key", "expected"}); // block names, open editor
        QTest::newRow("Insert") << QKeySequence(Qt::Key_Insert) << "New A B, 0";
        QTest::newRow("Delete") << QKeySequence(Qt::Key_Delete) << "B, -1";
        QTest::newRow("F2 on the name") << QKeySequence(Qt::Key_F2) << "A B, 0";
        QTest::newRow("Enter on the value") << QKeySequence(Qt::Key_Right, Qt::Key_Return) << "A B, 1";
        QTest::newRow("Right twice, F2: type") << QKeySequence(Qt::Key_Right, Qt::Key_Right, Qt::Key_F2) << "A B, 2";
        QTest::newRow("Tab into the description") << QKeySequence(Qt::Key_Tab, Qt::Key_Tab, Qt::Key_Tab, Qt::Key_F2) << "A B, 3";
        QTest::newRow("Left stops at the name") << QKeySequence(Qt::Key_Left, Qt::Key_F2) << "A B, 0";
        QTest::newRow("Delete then Ctrl+Z") << QKeySequence(QKeyCombination(Qt::Key_Delete), Qt::CTRL | Qt::Key_Z) << "A B, -1";
        QTest::newRow("Ctrl+C, Delete, Ctrl+V") << QKeySequence(Qt::CTRL | Qt::Key_C, QKeyCombination(Qt::Key_Delete), Qt::CTRL | Qt::Key_V) << "A B, -1";
    }

    void listKeys()
    {
        QFETCH(QKeySequence, key);
        CoreBuilder core;
        const QuenHandle block = blockOf(core, { "A", "B" });
        ParmBlockEditor& e = shown(block);
        e.list()->setFocus();
        for (int i = 0; i < key.count(); ++i)
            QTest::keyClick(e.list(), key[i].key(), key[i].keyboardModifiers());
        QTEST(QString(parameterNames(block).join(' ') + ", " + QString::number(e.openEditor())), "expected");
    }

    void newSymbolDialogCancelLeavesTable()
    {
        CoreBuilder core;
        const QuenHandle table = bench(core);
        SymbolDialogs dialogs;
        QCOMPARE(dialogs.InsertNewSymbolDialog("Nowhere", "CQuenInt32"), QString());
        QString prompts;
        for (const bool accept : { false, true }) {
            QTimer::singleShot(0, this, [&] {
                QWidget* form = QApplication::activeModalWidget();
                QVERIFY(form && form->objectName() == "NewSymbolDialog");
                auto* prompt = form->findChild<QLabel*>("Prompt");
                prompts += prompt->text() + '\n';
                auto* name = form->findChild<ParmNameEditor*>("ParmNameEditor");
                QTest::keyClicks(name->textBox(), "Vdd");
                QTest::keyClick(name->textBox(), Qt::Key_Return);
                prompts += prompt->text() + '\n';
                QTest::keyClick(form, accept ? Qt::Key_Return : Qt::Key_Escape);
                if (accept && form->isVisible())
                    QMetaObject::invokeMethod(form, "accept");
            });
            QCOMPARE(dialogs.InsertNewSymbolDialog("Bench", "CQuenInt32"), accept ? QStringLiteral("Vdd") : QString());
            QCOMPARE(parameterNames(table), accept ? QStringList({ "Vdd", "Vcc" }) : QStringList({ "Vcc" }));
        }
        QCOMPARE(prompts.section('\n', 0, 1), QStringLiteral("Table 'Bench' -- Rename 'New' and Tab to value field\n"
                                                             "Table 'Bench' -- Modify value for 'Vdd' and press OK"));
    }

    void selectSymbolDialog()
    {
        CoreBuilder core;
        bench(core);
        SymbolDialogs dialogs;
        QStringList prompts, chosen;
        for (const bool accept : { false, true }) {
            QTimer::singleShot(0, this, [&] {
                prompts << QApplication::activeModalWidget()->findChild<QLabel*>("Prompt")->text();
                QMetaObject::invokeMethod(QApplication::activeModalWidget(), accept ? "accept" : "reject");
            });
            chosen << (accept ? dialogs.ReferenceSymbolDialog("CQuenInt32", "Bench", "Vcc", "!") : dialogs.ReferenceSymbolDialog("CQuenInt32", "", "", "."));
        }
        QCOMPARE(chosen.join('|') + '|' + prompts.join('|'), QStringLiteral("|Bench!Vcc|Select table from list|Select symbol from list and press OK"));
    }
};

QTEST_MAIN(ParmBlockEditorTest)
#include "parmblockeditortest.moc"
