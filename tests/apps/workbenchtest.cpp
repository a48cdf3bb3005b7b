// velt-workbench: the program's --screenshot run, and the main window driven in-process over
// the sample workspace (opening, failing to open, saving, selection, activation).
#include "editorhost.h"
#include "mainwindow.h"
#include "parameterlistmodel.h"
#include "problemsdock.h"
#include "workspacetreemodel.h"

#include "quen/quencore.h"

#include <QImage>
#include <QLabel>
#include <QProcess>
#include <QStatusBar>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeView>

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

} // namespace

class WorkbenchTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void screenshot_data();
    void screenshot();
    void opensOnFirstTable();
    void failedOpenKeepsWorkspace();
    void saveWritesLoadableFile();
    void selectingSymbolSelectsRow();
    void activationReportsMissingEditor();

private:
    QTemporaryDir m_dir;
};

void WorkbenchTest::init()
{
    QuenWorkspaceClear();
    QuenExcRegClearError(0);
}

void WorkbenchTest::cleanup()
{
    QuenWorkspaceClear();
    QuenExcRegClearError(0);
}

void WorkbenchTest::screenshot_data()
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

void WorkbenchTest::screenshot()
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

void WorkbenchTest::opensOnFirstTable()
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
}

void WorkbenchTest::failedOpenKeepsWorkspace()
{
    MainWindow window(MainWindow::Options{false});
    QVERIFY(window.openWorkspace(sample()));
    const int tables = QuenTableRegGetSize();

    const QString bad = m_dir.filePath(QStringLiteral("bad.json"));
    QFile file(bad);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("{ \"tables\": 3 }");
    file.close();

    QVERIFY(!window.openWorkspace(bad));
    QCOMPARE(window.workspacePath(), sample());
    QCOMPARE(int(QuenTableRegGetSize()), tables);
    QVERIFY(window.problems()->count() >= 1);
    QVERIFY2(window.problems()->messages().join(QLatin1Char('\n')).contains(QLatin1String("bad.json")),
             qPrintable(window.problems()->messages().join(QLatin1Char('\n'))));
    QCOMPARE(QuenExcRegGetErrorCount(), 0);
    QCOMPARE(window.treeModel()->rowCount(window.treeModel()->index(0, 0)), tables);

    QVERIFY(!window.openWorkspace(m_dir.filePath(QStringLiteral("none.json"))));
    QVERIFY(window.problems()->count() >= 2);
    window.problems()->clear();
    QCOMPARE(window.problems()->count(), 0);
}

void WorkbenchTest::saveWritesLoadableFile()
{
    MainWindow window(MainWindow::Options{false});
    QVERIFY(window.openWorkspace(sample()));
    const int tables = QuenTableRegGetSize();
    const int blocks = QuenWorkspaceGetPbDefCount();

    const QString copy = m_dir.filePath(QStringLiteral("copy.json"));
    QVERIFY(window.saveWorkspace(copy));
    QCOMPARE(window.workspacePath(), copy);
    QVERIFY(QFileInfo(copy).size() > 0);

    QuenWorkspaceClear();
    QVERIFY(window.openWorkspace(copy));
    QCOMPARE(int(QuenTableRegGetSize()), tables);
    QCOMPARE(int(QuenWorkspaceGetPbDefCount()), blocks);

    QVERIFY(!window.saveWorkspace(m_dir.filePath(QStringLiteral("no/such/dir/x.json"))));
    QCOMPARE(window.workspacePath(), copy);
    QVERIFY(window.problems()->count() >= 1);
}

void WorkbenchTest::selectingSymbolSelectsRow()
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

void WorkbenchTest::activationReportsMissingEditor()
{
    MainWindow window(MainWindow::Options{false});
    QVERIFY(window.openWorkspace(sample()));
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    QTableView* view = window.editorHost()->parameterView();
    view->setFocus();
    view->setCurrentIndex(view->model()->index(0, 0));
    window.statusBar()->clearMessage();
    QTest::keyClick(view, Qt::Key_Return);
    QCOMPARE(window.statusBar()->currentMessage(), QStringLiteral("No editor for this data type yet"));

    window.statusBar()->clearMessage();
    QTest::keyClick(view, Qt::Key_F2);
    QCOMPARE(window.statusBar()->currentMessage(), QStringLiteral("No editor for this data type yet"));
}

QTEST_MAIN(WorkbenchTest)
#include "workbenchtest.moc"
