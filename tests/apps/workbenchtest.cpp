// velt-workbench: the program's --screenshot run, and the main window in-process over the sample
// (open, save, selection, activation, default layout, the question before changes are lost).
#include "editorhost.h"
#include "fieldsdockmodel.h"
#include "limitseditor.h"
#include "mainwindow.h"
#include "parmblockeditor.h"
#include "problemsdock.h"
#include "workspacetreemodel.h"

#include "columns.h"
#include "recordingplatformservices.h"

#include "quen/quencore.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QHeaderView>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QStatusBar>
#include <QTableView>
#include <QListWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeView>

#include <functional>
#include <memory>

using Workbench::MainWindow;

namespace {

const QString kSample = QStringLiteral(VELT_SOURCE_DIR "/examples/sample-workspace.json");

// Hands the next modal dialog to `act` as soon as it shows.
void onNextDialog(const std::function<void(QWidget*)>& act)
{
    QTimer::singleShot(0, [act] {
        if (QWidget* dialog = QApplication::activeModalWidget())
            act(dialog);
        else
            onNextDialog(act);
    });
}

} // namespace

class WorkbenchTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // A non-interactive window over the sample, shown; its questions go to m_platform.
    void init()
    {
        m_platform.clear();
        m_window = std::make_unique<MainWindow>(MainWindow::Options{false});
        QVERIFY(m_window->openWorkspace(kSample));
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    }
    void cleanup()
    {
        m_window.reset();
        QuenWorkspaceClear();
    }

    void screenshot_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("status");
        QTest::newRow("bundled sample") << QStringList() << 0;
        QTest::newRow("sample given") << QStringList{kSample} << 0;
        QTest::newRow("workspace that does not load") << QStringList{QStringLiteral("/nonexistent/none.json")} << 1;
        QTest::newRow("unknown option") << QStringList{QStringLiteral("--bogus")} << 2;
    }

    void screenshot()
    {
        QFETCH(QStringList, args);
        QFETCH(int, status);
        const QString png = m_dir.filePath(QStringLiteral("%1.png").arg(QTest::currentDataTag()));
        QProcess process; // under the test's own platform (offscreen)
        process.start(QStringLiteral(VELT_WORKBENCH_PATH), args << QStringLiteral("--screenshot") << png);
        QVERIFY(process.waitForFinished(120000) && process.exitStatus() == QProcess::NormalExit);
        QVERIFY2(process.exitCode() == status, process.readAllStandardError().constData());
        // A picture even of a workspace that did not load, at the default size, whole; none after
        // a bad command line.
        QCOMPARE(QFileInfo::exists(png), status != 2);
        const QImage image(png);
        QVERIFY2(status == 2 || (image.width() >= 900 && image.width() <= 1400 && image.height() >= 550 && image.height() <= 900), qPrintable(QString::number(image.width())));
        // Something was drawn: a blank grab has a single colour.
        QSet<QRgb> colours;
        for (int y = 0; y < image.height(); y += 7)
            for (int x = 0; x < image.width(); x += 7)
                colours.insert(image.pixel(x, y));
        QVERIFY(status == 2 || colours.size() > 8);
    }

    // The window opens on the first table at its default size, the Value column in sight;
    // saving sets the path; a file that does not load leaves it and says why in the problems.
    void openSaveAndFailedOpen()
    {
        QVERIFY(m_window->windowTitle().contains(QLatin1String("sample-workspace.json")));
        QCOMPARE(m_window->editorHost()->block(), QuenTableRegGetTable(1));
        const QString counts = m_window->findChild<QLabel*>(QStringLiteral("WorkspaceCountLabel"))->text();
        QVERIFY2(counts.startsWith(QStringLiteral("%1 tables").arg(QuenTableRegGetSize())), qPrintable(counts));
        QCOMPARE(m_window->size(), QSize(1100, 700)); // whatever the screen
        QTreeView* view = m_window->editorHost()->blockEditor()->list();
        const int left = view->header()->sectionViewportPosition(1);
        const int width = qMin(view->header()->sectionSize(1), view->viewport()->width() - left);
        // A summary of a dozen characters fits without scrolling.
        QVERIFY2(left >= 0 && width >= view->fontMetrics().horizontalAdvance(QStringLiteral("5.000E+00 V (x)")),
                 qPrintable(QStringLiteral("Value at %1, %2 wide").arg(left).arg(width)));
        // Scripts and accessibility tools find the window's parts by name: no two share one (the
        // parts of each library control are named within it).
        QSet<QString> names;
        const auto insideControl = [](const QWidget* widget) {
            for (const QWidget* up = widget->parentWidget(); up; up = up->parentWidget())
                if (qobject_cast<const ParmBlockEditor*>(up))
                    return true;
            return false;
        };
        for (const QWidget* child : m_window->findChildren<QWidget*>()) {
            if (insideControl(child))
                continue;
            const QString name = child->objectName();
            QVERIFY2(name.isEmpty() || name.startsWith(QLatin1String("qt_")) || !names.contains(name), qPrintable(name));
            names.insert(name);
        }
        // A group shows the start page: no block listed.
        m_window->treeView()->setCurrentIndex(m_window->treeModel()->index(0, 0));
        QCOMPARE(m_window->editorHost()->block(), 0);

        const QString copy = m_dir.filePath(QStringLiteral("copy.json"));
        QVERIFY(m_window->saveWorkspace(copy) && QFileInfo::exists(copy));
        QVERIFY(!m_window->openWorkspace(m_dir.filePath(QStringLiteral("none.json"))));
        QCOMPARE(m_window->workspacePath(), copy);
        const QString problems = m_window->problems()->messages().join(u'\n');
        QVERIFY2(problems.contains(QLatin1String("none.json")), qPrintable(problems));
        QCOMPARE(QuenExcRegGetErrorCount(), 0);
    }

    // File > Save Chart as PNG: enabled on real arrays only; saves the chart at 800 x 600, or
    // says in a message box and the problems why nothing was saved (error: how it starts).
    void saveChart_data()
    {
        VeltTest::columns<QString, QString, bool, QString>({"symbol", "file", "enabled", "error"});
        QTest::newRow("a real array") << "GainLimits" << "gain.png" << true << "";
        QTest::newRow("an integer array has none") << "TestChannels" << "channels.png" << false << "Choose a real array";
        QTest::newRow("a folder that is not there") << "GainLimits" << "none/gain.png" << true << "Cannot save the chart to ";
    }
    void saveChart()
    {
        QFETCH(QString, symbol);
        QFETCH(QString, error);
        m_window->treeView()->setCurrentIndex(findLeaf(symbol));
        QTEST(m_window->findChild<QAction*>(QStringLiteral("SaveChartAction"))->isEnabled(), "enabled");
        QFETCH(QString, file);
        const QString path = m_dir.filePath(file);
        QCOMPARE(m_window->saveChartAsPng(path), error.isEmpty());
        QCOMPARE(QImage(path).size(), error.isEmpty() ? QSize(800, 600) : QSize(0, 0)); // none unless saved
        QCOMPARE(m_platform.prompts().size(), error.isEmpty() ? 0 : 1);
        if (!error.isEmpty()) {
            const auto prompt = m_platform.prompts().first();
            QVERIFY2(prompt.text.startsWith(error), qPrintable(prompt.text));
            QCOMPARE(prompt.flags & Velt::PlatformServices::Critical, int(Velt::PlatformServices::Critical));
            QVERIFY(m_window->problems()->messages().contains(prompt.text));
        }
    }

    void activationReportsMissingEditor_data()
    {
        QTest::addColumn<bool>("inTree");
        QTest::newRow("Edit Value in the list") << false;
        QTest::newRow("double-click in the tree") << true;
    }

    // No type editor serves waveforms (yet).
    void activationReportsMissingEditor()
    {
        QFETCH(bool, inTree);
        const QModelIndex leaf = findLeaf(QStringLiteral("Stimulus"));
        QCOMPARE(leaf.data(Workbench::WorkspaceTreeModel::ClassNameRole).toString(), QStringLiteral("CQuenWaveform"));
        m_window->treeView()->setCurrentIndex(leaf);
        m_window->statusBar()->clearMessage();
        QTreeView* tree = m_window->treeView();
        tree->scrollTo(leaf);
        const QPoint centre = tree->visualRect(leaf).center();
        // A double-click follows a press on the same row, as with a real mouse.
        if (inTree)
            QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, centre), QTest::mouseDClick(tree->viewport(), Qt::LeftButton, {}, centre);
        else
            m_window->editorHost()->blockEditor()->list()->setFocus(), m_window->findChild<QAction*>(QStringLiteral("EditValueAction"))->trigger();
        QCOMPARE(m_window->statusBar()->currentMessage(), QStringLiteral("No editor for this data type yet"));
        QCOMPARE(m_window->problems()->messages(), QStringList{QStringLiteral("No editor for this data type yet")});
        QVERIFY(!QApplication::activeModalWidget());
    }

    // Enter on a value in the list edits it in place, Edit Value in the dialog, F2 in the Fields
    // dock in place; the views follow.
    void activationEditsInteger()
    {
        const QModelIndex leaf = findLeaf(QStringLiteral("OffsetLimit"));
        const QuenHandle parm = m_window->treeModel()->handle(leaf);
        m_window->treeView()->setCurrentIndex(leaf);
        QCOMPARE(m_window->fieldModel()->parameter(), parm);
        ParmBlockEditor* central = m_window->editorHost()->blockEditor();
        QTreeView* view = central->list();
        QCOMPARE(central->currentParameter(), int(parm));
        const int row = view->currentIndex().row();
        const auto shown = [&] { return view->model()->index(row, 1).data().toString(); };
        QApplication::setActiveWindow(m_window.get());
        view->setFocus();
        view->setCurrentIndex(view->model()->index(row, 1));
        QTest::keyClick(view, Qt::Key_Return);
        auto* inPlace = view->viewport()->findChild<QLineEdit*>(QStringLiteral("ParmText"));
        QVERIFY(inPlace && inPlace->isVisible());
        inPlace->selectAll();
        QTest::keyClicks(inPlace, QStringLiteral("41"));
        central->EndInplaceEditing(true);
        QCOMPARE(QuenInt32GetValue(QuenParmGetData(parm)), 41);
        QCOMPARE(shown(), QStringLiteral("41 mV"));
        auto* events = m_window->findChild<QListWidget*>(QStringLiteral("EventLog"));
        QVERIFY(!events->findItems(QStringLiteral("ParameterChanged(\"OffsetLimit\""), Qt::MatchStartsWith).isEmpty());

        bool answered = false;
        onNextDialog([&answered](QWidget* dialog) {
            auto* entry = dialog->findChild<QLineEdit*>(QStringLiteral("EntryText"));
            auto* ok = dialog->findChild<QAbstractButton*>(QStringLiteral("OKCommand"));
            if (!(answered = entry && ok))
                return dialog->close(), void();
            entry->selectAll();
            QTest::keyClicks(entry, QStringLiteral("43"));
            ok->click();
        });
        m_window->findChild<QAction*>(QStringLiteral("EditValueAction"))->trigger();
        QVERIFY(answered);
        QCOMPARE(QuenInt32GetValue(QuenParmGetData(parm)), 43);
        QVERIFY2(shown().contains(QLatin1String("43")), qPrintable(shown()));
        QVERIFY(m_window->fieldModel()->index(0, 1).data().toString().startsWith(QLatin1String("43")));

        QTreeView* fields = m_window->fieldView();
        QApplication::setActiveWindow(m_window.get());
        fields->setFocus();
        const auto valueText = [this] {
            const QModelIndex caption = m_window->fieldModel()->match(m_window->fieldModel()->index(1, 0), Qt::DisplayRole,
                                                                      QRegularExpression(QStringLiteral("^ *Value$")), 1, Qt::MatchRegularExpression).value(0);
            return caption.siblingAtColumn(Workbench::FieldsDockModel::TextColumn);
        };
        fields->setCurrentIndex(valueText().siblingAtColumn(0));
        QTest::keyClick(fields, Qt::Key_F2);
        QVERIFY(!QApplication::activeModalWidget());
        auto* editor = fields->viewport()->findChild<QLineEdit*>(QStringLiteral("ParmText"));
        QVERIFY(editor);
        editor->selectAll();
        QTest::keyClicks(editor, QStringLiteral("17"));
        QTest::keyClick(editor, Qt::Key_Return);
        QCoreApplication::processEvents(); // the delegate commits through a queued call
        QCOMPARE(QuenInt32GetValue(QuenParmGetData(parm)), 17);
        QVERIFY(shown().contains(QLatin1String("17")));
        // The field editor writes as it is typed into; Escape puts the field's text back.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); // the closed editor goes
        fields->edit(valueText()); // the model was re-read: find the row again
        editor = fields->viewport()->findChild<QLineEdit*>(QStringLiteral("ParmText"));
        QVERIFY(editor);
        editor->selectAll();
        QTest::keyClicks(editor, QStringLiteral("99"));
        QCOMPARE(QuenInt32GetValue(QuenParmGetData(parm)), 99);
        QTest::keyClick(editor, Qt::Key_Escape);
        QCOMPARE(QuenInt32GetValue(QuenParmGetData(parm)), 17);
    }

    // An array opens in its own dialog from Edit Value, and its elements are lines of the Fields
    // dock; a value entered in the dialog's first cell is in the item after OK.
    void activationEditsArray_data()
    {
        QTest::addColumn<QString>("symbol");
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QString>("grid");
        QTest::addColumn<int>("rows");
        QTest::addColumn<QString>("typed");
        QTest::newRow("strings") << "PinNames" << QStringList{"String (4)", "View As"} << "StringArrayList" << 4 << "J2-1";
        QTest::newRow("integers") << "TestChannels" << QStringList{"Row (4)", "View As"} << "Int32ArrayList" << 4 << "9";
        QTest::newRow("reals, a table") << "GainCorrection" << QStringList{"Row (2)", "Column (3)"} << "Real64ArrayList" << 2 << "1.5";
    }
    void activationEditsArray()
    {
        QFETCH(QString, symbol);
        QFETCH(QString, grid);
        QFETCH(int, rows);
        QFETCH(QString, typed);
        const QModelIndex leaf = findLeaf(symbol);
        const QuenHandle data = QuenParmGetData(m_window->treeModel()->handle(leaf));
        m_window->treeView()->setCurrentIndex(leaf);
        QAbstractItemModel* fields = m_window->fieldModel();
        QFETCH(QStringList, lines);
        for (const QString& caption : lines)
            QVERIFY2(!fields->match(fields->index(0, 0), Qt::DisplayRole, caption, 1, Qt::MatchContains | Qt::MatchRecursive).isEmpty(), qPrintable(caption));
        bool answered = false;
        onNextDialog([&](QWidget* dialog) {
            auto* list = dialog->findChild<QTableView*>(grid);
            auto* value = dialog->findChild<QLineEdit*>(QStringLiteral("ValueText"));
            auto* ok = dialog->findChild<QAbstractButton*>(QStringLiteral("OKCommand"));
            if (!(answered = list && value && ok && list->model()->rowCount() == rows))
                return dialog->close(), void();
            value->setText(typed);
            QTest::keyClick(value, Qt::Key_Return);
            ok->click();
        });
        m_window->editorHost()->blockEditor()->list()->setFocus();
        m_window->findChild<QAction*>(QStringLiteral("EditValueAction"))->trigger();
        QVERIFY(answered);
        const QByteArray type = QuenDataGetType(data);
        const QString first = type == "CQuenStringArray" ? QString::fromUtf8(QuenStrArrGetAt1(data, 1))
            : type == "CQuenInt32Array"                  ? QString::number(QuenI32ArrGetAt1(data, 1))
                                                         : QString::number(QuenR64ArrGetAt2(data, 1, 1));
        QCOMPARE(first, typed);
    }

    // The name editor renames in place and never writes an illegal name; Edit > New Symbol adds
    // a symbol named in the new symbol dialog.
    void renameAndNewSymbol()
    {
        QTreeView* list = m_window->editorHost()->blockEditor()->list();
        const QuenHandle first = QuenPbDefGetParm(m_window->editorHost()->block(), 1);
        list->setCurrentIndex(list->model()->index(0, 2));
        const auto rename = [&](const QString& name) {
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); // a closed editor goes
            m_window->findChild<QAction*>(QStringLiteral("RenameAction"))->trigger();
            auto* box = list->viewport()->findChild<QLineEdit*>(QStringLiteral("NameText"));
            QVERIFY(box);
            box->selectAll();
            QTest::keyClicks(box, name);
            QTest::keyClick(box, Qt::Key_Return);
        };
        rename(QStringLiteral("offsetlimit")); // another symbol's name: the last valid one is taken
        QCOMPARE(QuenParmGetName(first), QByteArray("offsetlimi"));
        rename(QStringLiteral("MainSupply"));
        QCOMPARE(QuenParmGetName(first), QByteArray("MainSupply"));
        QCOMPARE(m_window->treeView()->currentIndex().data().toString(), QStringLiteral("MainSupply"));
        QVERIFY(m_window->isWindowModified());

        onNextDialog([](QWidget* dialog) {
            auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("NameText"));
            QTest::keyClicks(name, QStringLiteral("Gain"));
            QTest::keyClick(name, Qt::Key_Return);
            QMetaObject::invokeMethod(dialog, "accept");
        });
        m_window->findChild<QAction*>(QStringLiteral("NewSymbolAction"))->trigger();
        const QModelIndex made = m_window->treeView()->currentIndex();
        QCOMPARE(made.data().toString(), QStringLiteral("Gain"));
        QCOMPARE(QuenParmGetType(m_window->treeModel()->handle(made)), QByteArray("CQuenReal64"));
    }

    // The sample's tests list under Tests and show their limits; Validate lists the problems of
    // what is shown, and Enter on one opens its value in place.
    void testLimitsAndValidation()
    {
        const QModelIndex tests = m_window->treeModel()->index(2, 0);
        QCOMPARE(tests.data().toString(), QStringLiteral("Tests"));
        QVERIFY(m_window->treeModel()->rowCount(tests) > 0);
        m_window->treeView()->setCurrentIndex(m_window->treeModel()->index(0, 0, tests));
        LimitsEditor* limits = m_window->editorHost()->limitsEditor();
        QVERIFY(limits->isVisible());
        QCOMPARE(limits->testName(), m_window->treeModel()->index(0, 0, tests).data().toString());
        QVERIFY(limits->Count(-1) > 0);
        QCOMPARE(m_window->fieldModel()->parameter(), QuenPbDefGetParm(QuenHandle(limits->Handle()), 1)); // its fields in the dock

        const QModelIndex table = m_window->treeModel()->index(0, 0, m_window->treeModel()->index(0, 0));
        m_window->treeView()->setCurrentIndex(table);
        const QuenHandle block = m_window->editorHost()->block();
        const QuenHandle broken = QuenParmCreate("Broken", "CQuenInt32");
        const QuenHandle value = QuenParmGetData(broken);
        QuenParmSetReference(broken, "Nope", -1, "Station", -1); // hands its value back
        QuenDataRelease(value);
        QVERIFY(QuenPbDefAddParm(block, broken));
        m_window->editorHost()->refresh();
        m_window->findChild<QAction*>(QStringLiteral("ValidateAction"))->trigger();
        QListWidget* problems = m_window->problems()->list();
        const QList<QListWidgetItem*> found = problems->findItems(QStringLiteral("Station.Broken: Cannot find the symbol 'Nope' in the table 'Station'"), Qt::MatchExactly);
        QCOMPARE(found.size(), 1);
        Q_EMIT problems->itemActivated(found.first());
        ParmBlockEditor* central = m_window->editorHost()->blockEditor();
        QCOMPARE(central->openEditor(), 1);
        QCOMPARE(central->ParameterName(0), QStringLiteral("Broken"));
        central->EndInplaceEditing(false);
        QVERIFY(QuenPbDefReleaseParm(block, "Broken"));
        m_window->editorHost()->refresh();
        m_window->findChild<QAction*>(QStringLiteral("ValidateAction"))->trigger(); // the problem is withdrawn
        QVERIFY(problems->findItems(QStringLiteral("Station.Broken"), Qt::MatchStartsWith).isEmpty());
        QCOMPARE(QuenExcRegGetErrorCount(), 0);
    }

    void unsavedChanges_data()
    {
        QTest::addColumn<QString>("action");
        QTest::addColumn<int>("answer"); // 6 Save, 7 Discard, 2 Cancel; 0: nothing changed, no question
        QTest::addColumn<bool>("saveFails");
        QTest::addColumn<bool>("proceeds");
        QTest::newRow("close, unchanged") << "close" << 0 << false << true;
        QTest::newRow("close, save") << "close" << 6 << false << true;
        QTest::newRow("close, save fails") << "close" << 6 << true << false;
        QTest::newRow("close, discard") << "close" << 7 << false << true;
        QTest::newRow("close, cancel") << "close" << 2 << false << false;
        QTest::newRow("quit, cancel") << "quit" << 2 << false << false;
        QTest::newRow("open, cancel") << "open" << 2 << false << false;
    }

    void unsavedChanges()
    {
        QFETCH(QString, action);
        QFETCH(int, answer);
        QFETCH(bool, saveFails);
        const bool change = answer != 0;
        const QString dir = m_dir.filePath(QTest::currentDataTag());
        const QString path = dir + QStringLiteral("/workspace.json");
        QVERIFY(QDir().mkpath(dir) && QFile::copy(kSample, path) && m_window->openWorkspace(path));
        // Looking at every symbol of the first table changes nothing.
        const QModelIndex table = m_window->treeView()->currentIndex();
        for (int row = 0; row < m_window->treeModel()->rowCount(table); ++row)
            m_window->treeView()->setCurrentIndex(m_window->treeModel()->index(row, 0, table));
        QVERIFY(!m_window->isModified());

        const QuenHandle data = QuenParmGetData(m_window->treeModel()->handle(findLeaf(QStringLiteral("OffsetLimit"))));
        QVERIFY(!change || QuenInt32SetValue(data, 917253));
        QVERIFY(!saveFails || QDir(dir).removeRecursively());
        m_platform.queueAnswer(answer);
        const int problems = m_window->problems()->count();
        bool went = false;
        if (action == QLatin1String("open")) {
            onNextDialog([&went](QWidget* dialog) { went = true, dialog->close(); }); // the file dialog
            m_window->open();
        } else if (action == QLatin1String("quit")) {
            for (QAction* a : m_window->findChildren<QAction*>()) {
                if (a->shortcut() == QKeySequence(Qt::CTRL | Qt::Key_Q))
                    a->trigger();
            }
            went = !m_window->isVisible();
        } else {
            went = m_window->close();
        }
        QTEST(went, "proceeds");
        QCOMPARE(m_platform.prompts().size(), change ? 1 : 0);
        QCOMPARE(m_window->workspacePath(), path);
        QCOMPARE(QuenInt32GetValue(data) == 917253, change); // nothing was thrown away
        const bool saved = answer == 6 && !saveFails;
        QCOMPARE(m_window->isModified(), change && !saved);
        QFile file(path);
        QCOMPARE(file.open(QIODevice::ReadOnly) && file.readAll().contains("917253"), saved);
        // Why a save failed is said where problems go.
        const QString said = m_window->problems()->messages().mid(problems).join(u'\n');
        QVERIFY2(said.contains(QLatin1String("workspace.json")) == saveFails, qPrintable(said));
    }

private:
    // The tree row of the symbol or parameter called `name` (the first one found).
    QModelIndex findLeaf(const QString& name)
    {
        Workbench::WorkspaceTreeModel* model = m_window->treeModel();
        return model->match(model->index(0, 0), Qt::DisplayRole, name, 1, Qt::MatchExactly | Qt::MatchRecursive).value(0);
    }

    QTemporaryDir m_dir;
    Velt::RecordingPlatformServices m_platform;
    Velt::ScopedPlatformServices m_scope{&m_platform};
    std::unique_ptr<MainWindow> m_window;
};

QTEST_MAIN(WorkbenchTest)
#include "workbenchtest.moc"
