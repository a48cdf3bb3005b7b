// velt-workbench: the program's --screenshot run, and the main window driven in-process over
// the sample workspace (opening, failing to open, saving, selection, activation, the layout of
// the default window, and the question before unsaved changes are lost).
#include "editorhost.h"
#include "fieldsdockmodel.h"
#include "mainwindow.h"
#include "parameterlistmodel.h"
#include "problemsdock.h"
#include "workspacetreemodel.h"

#include "recordingplatformservices.h"

#include "quen/quencore.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QImage>
#include <QLineEdit>
#include <QTimer>
#include <QLabel>
#include <QProcess>
#include <QStatusBar>
#include <QTableView>
#include <QTemporaryDir>
#include <QSet>
#include <QTest>
#include <QTreeView>

#include <algorithm>

using Workbench::MainWindow;
using Kind = Workbench::WorkspaceTreeModel::Kind;

namespace {

QString sample()
{
    return QStringLiteral(VELT_SOURCE_DIR "/examples/sample-workspace.json");
}

struct Run
{
    int status = -1;
    QString err;
};

Run runWorkbench(const QStringList& args)
{
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    process.setProcessEnvironment(env);
    process.start(QStringLiteral(VELT_WORKBENCH_PATH), args);
    Run r;
    if (!process.waitForFinished(120000) || process.exitStatus() != QProcess::NormalExit) {
        r.err = process.errorString();
        return r;
    }
    r.status = process.exitCode();
    r.err = QString::fromUtf8(process.readAllStandardError());
    return r;
}


// The tree row of the symbol or parameter called `name` (the first one found).
QModelIndex findLeaf(Workbench::WorkspaceTreeModel* model, const QString& name)
{
    for (int group = 0; group < model->rowCount(); ++group) {
        const QModelIndex groupIndex = model->index(group, 0);
        for (int c = 0; c < model->rowCount(groupIndex); ++c) {
            const QModelIndex container = model->index(c, 0, groupIndex);
            for (int row = 0; row < model->rowCount(container); ++row) {
                const QModelIndex leaf = model->index(row, 0, container);
                if (leaf.data().toString() == name)
                    return leaf;
            }
        }
    }
    return {};
}

// Once a modal dialog shows, types `text` into its EntryText and presses OKCommand.
void answerNextDialog(const QString& text, bool* answered)
{
    QTimer::singleShot(0, [text, answered] {
        QWidget* dialog = QApplication::activeModalWidget();
        if (!dialog) {
            answerNextDialog(text, answered);
            return;
        }
        auto* entry = dialog->findChild<QLineEdit*>(QStringLiteral("EntryText"));
        auto* ok = dialog->findChild<QAbstractButton*>(QStringLiteral("OKCommand"));
        if (!entry || !ok) {
            dialog->close();
            return;
        }
        entry->selectAll();
        QTest::keyClicks(entry, text);
        ok->click();
        *answered = true;
    });
}


// Dismisses the next modal dialog as soon as it shows, and notes that it did.
void dismissNextDialog(bool* shown)
{
    QTimer::singleShot(0, [shown] {
        if (QWidget* dialog = QApplication::activeModalWidget()) {
            *shown = true;
            dialog->close();
        } else {
            dismissNextDialog(shown);
        }
    });
}

} // namespace

class WorkbenchTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:

    void init()
    {
        QuenWorkspaceClear();
        QuenExcRegClearError(0);
    }

    void cleanup()
    {
        QuenWorkspaceClear();
        QuenExcRegClearError(0);
    }

    void screenshot_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("status");
        QTest::addColumn<bool>("picture");

        QTest::newRow("bundled sample") << QStringList() << 0 << true;
        QTest::newRow("sample given") << QStringList{sample()} << 0 << true;
        QTest::newRow("workspace that does not load")
            << QStringList{QStringLiteral("/nonexistent/none.json")} << 1 << true;
        QTest::newRow("unknown option") << QStringList{QStringLiteral("--bogus")} << 2 << false;
    }

    void screenshot()
    {
        QFETCH(QStringList, args);
        QFETCH(int, status);
        QFETCH(bool, picture);

        const QString png = m_dir.filePath(QStringLiteral("%1.png").arg(QTest::currentDataTag()));
        const Run r = runWorkbench(args << QStringLiteral("--screenshot") << png);
        QVERIFY2(r.status == status, qPrintable(QStringLiteral("status %1: %2").arg(r.status).arg(r.err)));
        QCOMPARE(QFileInfo::exists(png), picture);
        if (!picture)
            return;
        const QImage image(png);
        QVERIFY(!image.isNull());
        // The default window size, whole: neither a collapsed window nor a huge one.
        QVERIFY2(image.width() >= 900 && image.width() <= 1400, qPrintable(QString::number(image.width())));
        QVERIFY2(image.height() >= 550 && image.height() <= 900, qPrintable(QString::number(image.height())));
        // Something was drawn: a blank grab has a single colour.
        QSet<QRgb> colours;
        for (int y = 0; y < image.height(); y += 7)
            for (int x = 0; x < image.width(); x += 7)
                colours.insert(image.pixel(x, y));
        QVERIFY(colours.size() > 8);
    }

    void opensOnFirstTable()
    {
        MainWindow window(MainWindow::Options{false});
        QVERIFY(window.openWorkspace(sample()));
        QCOMPARE(window.workspacePath(), sample());
        QVERIFY(window.windowTitle().contains(QLatin1String("sample-workspace.json")));

        const QModelIndex current = window.treeView()->currentIndex();
        QCOMPARE(window.treeModel()->kind(current), Kind::Table);
        QCOMPARE(window.editorHost()->block(), QuenTableRegGetTable(1));
        QCOMPARE(window.editorHost()->parameterModel()->rowCount(),
                 int(QuenPbDefGetSize(QuenTableRegGetTable(1))));

        auto* counts = window.findChild<QLabel*>(QStringLiteral("WorkspaceCountLabel"));
        QVERIFY(counts);
        QVERIFY2(counts->text().startsWith(QStringLiteral("%1 tables").arg(QuenTableRegGetSize())),
                 qPrintable(counts->text()));
        QCOMPARE(window.problems()->count(), 0);

        // Scripts and accessibility tools find the window's parts by name: no two share one.
        QSet<QString> names;
        for (const QWidget* child : window.findChildren<QWidget*>()) {
            const QString name = child->objectName();
            if (name.isEmpty() || name.startsWith(QLatin1String("qt_")))
                continue;
            QVERIFY2(!names.contains(name), qPrintable(name));
            names.insert(name);
        }
    }

    // Saving writes a workspace that loads again; a file that does not load leaves the open
    // workspace as it was and says why where problems go.
    void saveAndFailedOpen()
    {
        MainWindow window(MainWindow::Options{false});
        QVERIFY(window.openWorkspace(sample()));
        const int tables = QuenTableRegGetSize();
        const int blocks = QuenWorkspaceGetPbDefCount();
        const QString copy = m_dir.filePath(QStringLiteral("copy.json"));
        QVERIFY(window.saveWorkspace(copy));
        QCOMPARE(window.workspacePath(), copy);
        QuenWorkspaceClear();
        QVERIFY(window.openWorkspace(copy));
        QCOMPARE(int(QuenTableRegGetSize()), tables);
        QCOMPARE(int(QuenWorkspaceGetPbDefCount()), blocks);

        const QString bad = m_dir.filePath(QStringLiteral("bad.json"));
        QFile file(bad);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write("{ \"tables\": 3 }") > 0);
        file.close();
        QVERIFY(!window.openWorkspace(bad));
        QCOMPARE(window.workspacePath(), copy);
        QCOMPARE(int(QuenTableRegGetSize()), tables);
        QCOMPARE(window.treeModel()->rowCount(window.treeModel()->index(0, 0)), tables);
        const QString problems = window.problems()->messages().join(QLatin1Char('\n'));
        const int shown = window.problems()->count();
        QVERIFY2(shown >= 1 && problems.contains(QLatin1String("bad.json")), qPrintable(problems));
        QCOMPARE(QuenExcRegGetErrorCount(), 0);
        QVERIFY(!window.openWorkspace(m_dir.filePath(QStringLiteral("none.json"))));
        QVERIFY(window.problems()->count() > shown);
        window.problems()->clear();
        QCOMPARE(window.problems()->count(), 0);
    }

    void selectingSymbolSelectsRow()
    {
        MainWindow window(MainWindow::Options{false});
        QVERIFY(window.openWorkspace(sample()));
        Workbench::WorkspaceTreeModel* model = window.treeModel();

        // The last parameter of the first block.
        const QModelIndex block = model->index(0, 0, model->index(1, 0));
        const int last = model->rowCount(block) - 1;
        QVERIFY(last >= 0);
        const QModelIndex parm = model->index(last, 0, block);
        window.treeView()->setCurrentIndex(parm);

        QCOMPARE(window.editorHost()->block(), QuenWorkspaceGetPbDef(1));
        const QModelIndex row = window.editorHost()->parameterView()->currentIndex();
        QCOMPARE(row.row(), last);
        QCOMPARE(window.editorHost()->parameterModel()->parameter(row.row()), model->handle(parm));

        // A group shows the start page: no block listed.
        window.treeView()->setCurrentIndex(model->index(0, 0));
        QCOMPARE(window.editorHost()->block(), 0);
    }

    void activationReportsMissingEditor_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("Enter in the list") << "enter";
        QTest::newRow("F2 in the list") << "f2";
        QTest::newRow("double-click in the tree") << "tree";
    }

    void activationReportsMissingEditor()
    {
        QFETCH(QString, how);

        MainWindow window(MainWindow::Options{false});
        QVERIFY(window.openWorkspace(sample()));
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));

        // No type editor serves waveforms (yet).
        const QModelIndex leaf = findLeaf(window.treeModel(), QStringLiteral("Stimulus"));
        QVERIFY(leaf.isValid());
        QCOMPARE(leaf.data(Workbench::WorkspaceTreeModel::ClassNameRole).toString(),
                 QStringLiteral("CQuenWaveform"));
        window.treeView()->setCurrentIndex(leaf);
        window.statusBar()->clearMessage();
        const int problems = window.problems()->count();

        QTableView* view = window.editorHost()->parameterView();
        if (how == QLatin1String("tree")) {
            QTreeView* tree = window.treeView();
            tree->expand(leaf.parent());
            tree->scrollTo(leaf);
            const QPoint centre = tree->visualRect(leaf).center();
            // A double-click follows a press on the same row, as with a real mouse.
            QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, centre);
            QTest::mouseDClick(tree->viewport(), Qt::LeftButton, {}, centre);
        } else {
            view->setFocus();
            QTest::keyClick(view, how == QLatin1String("f2") ? Qt::Key_F2 : Qt::Key_Return);
        }
        QCOMPARE(window.statusBar()->currentMessage(), QStringLiteral("No editor for this data type yet"));
        QCOMPARE(window.problems()->count(), problems + 1);
        QVERIFY(!QApplication::activeModalWidget());
    }

    void activationEditsInteger()
    {
        MainWindow window(MainWindow::Options{false});
        QVERIFY(window.openWorkspace(sample()));
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));

        const QModelIndex leaf = findLeaf(window.treeModel(), QStringLiteral("OffsetLimit"));
        QVERIFY(leaf.isValid());
        const QuenHandle parm = window.treeModel()->handle(leaf);
        window.treeView()->setCurrentIndex(leaf);
        // The Fields inspector follows the selection.
        QCOMPARE(window.fieldModel()->parameter(), parm);
        QVERIFY(window.fieldModel()->rowCount() > 0);

        QTableView* view = window.editorHost()->parameterView();
        const int row = view->currentIndex().row();
        QCOMPARE(window.editorHost()->parameterModel()->parameter(row), parm);
        const int newValue = QuenInt32GetValue(QuenParmGetData(parm)) == 42 ? 43 : 42;

        bool answered = false;
        answerNextDialog(QString::number(newValue), &answered);
        view->setFocus();
        QTest::keyClick(view, Qt::Key_Return);
        QVERIFY(answered);
        QCOMPARE(QuenInt32GetValue(QuenParmGetData(parm)), newValue);
        // The list and the inspector read the new value.
        const QString shown = window.editorHost()
                                  ->parameterModel()
                                  ->index(row, Workbench::ParameterListModel::ValueColumn)
                                  .data()
                                  .toString();
        QVERIFY2(shown.contains(QString::number(newValue)), qPrintable(shown));
        QVERIFY(window.fieldModel()->index(0, 1).data().toString().startsWith(QString::number(newValue)));

        // F2 in the Fields dock edits the field in place instead of opening the dialog.
        QTreeView* fields = window.fieldView();
        QApplication::setActiveWindow(&window);
        fields->setFocus();
        int valueRow = -1;
        for (int r = 0; r < window.fieldModel()->rowCount() && valueRow < 0; ++r) {
            if (window.fieldModel()->index(r, 0).data().toString().trimmed() == QLatin1String("Value"))
                valueRow = r;
        }
        QVERIFY(valueRow > 0);
        fields->setCurrentIndex(window.fieldModel()->index(valueRow, 0));
        QTest::keyClick(fields, Qt::Key_F2);
        QVERIFY(!QApplication::activeModalWidget());
        auto* editor = fields->viewport()->findChild<QLineEdit*>();
        QVERIFY(editor);
        editor->selectAll();
        QTest::keyClicks(editor, QStringLiteral("17"));
        QTest::keyClick(editor, Qt::Key_Return);
        QCoreApplication::processEvents(); // the delegate commits through a queued call
        QCOMPARE(QuenInt32GetValue(QuenParmGetData(parm)), 17);
        QVERIFY(window.editorHost()
                    ->parameterModel()
                    ->index(row, Workbench::ParameterListModel::ValueColumn)
                    .data()
                    .toString()
                    .contains(QStringLiteral("17")));
    }

    void valueColumnShowsInDefaultWindow()
    {
        MainWindow window(MainWindow::Options{false}); // the default size, whatever the screen
        QVERIFY(window.openWorkspace(sample()));
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QCOMPARE(window.size(), QSize(1100, 700));
        QTableView* view = window.editorHost()->parameterView();
        const QHeaderView* header = view->horizontalHeader();
        const int value = Workbench::ParameterListModel::ValueColumn;
        const int left = header->sectionViewportPosition(value);
        QVERIFY(left >= 0);
        // A summary of a dozen characters fits without scrolling.
        const int wanted = view->fontMetrics().horizontalAdvance(QStringLiteral("5.000E+00 V (x)"));
        QVERIFY2(qMin(header->sectionSize(value), view->viewport()->width() - left) >= wanted,
                 qPrintable(QStringLiteral("Value at %1, %2 wide, viewport %3")
                                .arg(left).arg(header->sectionSize(value)).arg(view->viewport()->width())));
    }

    void unsavedChanges_data()
    {
        QTest::addColumn<QString>("action");
        QTest::addColumn<bool>("change");
        QTest::addColumn<int>("answer"); // 6 Save, 7 Discard, 2 Cancel
        QTest::addColumn<bool>("saveFails");
        QTest::addColumn<bool>("proceeds");
        QTest::newRow("close, unchanged") << "close" << false << 0 << false << true;
        QTest::newRow("close, save") << "close" << true << 6 << false << true;
        QTest::newRow("close, save fails") << "close" << true << 6 << true << false;
        QTest::newRow("close, discard") << "close" << true << 7 << false << true;
        QTest::newRow("close, cancel") << "close" << true << 2 << false << false;
        QTest::newRow("quit, cancel") << "quit" << true << 2 << false << false;
        QTest::newRow("quit, discard") << "quit" << true << 7 << false << true;
        QTest::newRow("open, cancel") << "open" << true << 2 << false << false;
        QTest::newRow("open, discard") << "open" << true << 7 << false << true;
    }

    void unsavedChanges()
    {
        QFETCH(QString, action);
        QFETCH(bool, change);
        QFETCH(int, answer);
        QFETCH(bool, saveFails);
        QFETCH(bool, proceeds);
        const QString dir = m_dir.filePath(QTest::currentDataTag());
        QVERIFY(QDir().mkpath(dir));
        const QString path = dir + QStringLiteral("/workspace.json");
        QVERIFY(QFile::copy(sample(), path));

        Velt::RecordingPlatformServices platform;
        Velt::ScopedPlatformServices scope(&platform);
        MainWindow window(MainWindow::Options{false});
        QVERIFY(window.openWorkspace(path));
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        // Looking at every symbol of the first table changes nothing.
        const QModelIndex table = window.treeView()->currentIndex();
        for (int row = 0; row < window.treeModel()->rowCount(table); ++row)
            window.treeView()->setCurrentIndex(window.treeModel()->index(row, 0, table));
        QVERIFY(!window.isModified());

        const QuenHandle parm = window.treeModel()->handle(findLeaf(window.treeModel(), QStringLiteral("OffsetLimit")));
        if (change)
            QVERIFY(QuenInt32SetValue(QuenParmGetData(parm), 917253));
        QCOMPARE(window.isModified(), change);
        if (saveFails)
            QVERIFY(QDir(dir).removeRecursively());
        platform.queueAnswer(answer);
        const int problems = window.problems()->count();

        bool went = false;
        if (action == QLatin1String("open")) {
            dismissNextDialog(&went); // the file dialog
            window.open();
        } else if (action == QLatin1String("quit")) {
            const QList<QAction*> actions = window.findChildren<QAction*>();
            const auto quit = std::find_if(actions.begin(), actions.end(), [](QAction* a) {
                return a->shortcut() == QKeySequence(Qt::CTRL | Qt::Key_Q);
            });
            QVERIFY(quit != actions.end());
            (*quit)->trigger();
            went = !window.isVisible();
        } else {
            went = window.close();
        }
        QCOMPARE(went, proceeds);
        QCOMPARE(platform.prompts().size(), change ? 1 : 0);
        QCOMPARE(window.workspacePath(), path);
        if (change)
            QCOMPARE(QuenInt32GetValue(QuenParmGetData(parm)), 917253); // nothing was thrown away
        const bool saved = answer == 6 && !saveFails;
        QCOMPARE(window.isModified(), change && !saved);
        QFile file(path);
        QCOMPARE(file.open(QIODevice::ReadOnly) && file.readAll().contains("917253"), saved);
        if (saveFails) {
            // Why it failed is said where problems go.
            QVERIFY(window.problems()->count() > problems);
            QVERIFY2(window.problems()->messages().join(u'\n').contains(QLatin1String("workspace.json")),
                     qPrintable(window.problems()->messages().join(u'\n')));
        }
    }

private:
    QTemporaryDir m_dir;
};

QTEST_MAIN(WorkbenchTest)
#include "workbenchtest.moc"
