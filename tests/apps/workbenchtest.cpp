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
#include "coretesting.h"
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
        VeltTest::columns<QStringList, int>({"args", "status"});
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
        // A picture even of a workspace that did not load, whole, at the default size; none after a bad command line.
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
        // Scripts find the window's parts by name: no two share one (a library control names its own within it).
        QSet<QString> names;
        for (const QWidget* child : m_window->findChildren<QWidget*>()) {
            const QString name = child->objectName();
            const QWidget* up = child->parentWidget();
            while (up && !qobject_cast<const ParmBlockEditor*>(up))
                up = up->parentWidget();
            QVERIFY2(up || name.isEmpty() || name.startsWith(QLatin1String("qt_")) || !names.contains(name), qPrintable(name));
            names.insert(name);
        }
        // A group shows the start page: no block listed.
        m_window->treeView()->setCurrentIndex(m_window->treeModel()->index(0, 0));
        QCOMPARE(m_window->editorHost()->block(), 0);

        const QString copy = m_dir.filePath(QStringLiteral("copy.json"));
        QVERIFY(m_window->saveWorkspace(copy) && QFileInfo::exists(copy));
        QVERIFY(!m_window->openWorkspace(m_dir.filePath(QStringLiteral("none.json"))));
        QCOMPARE(m_window->workspacePath(), copy);
        QVERIFY(m_window->problems()->messages().join(u'\n').contains(QLatin1String("none.json")));
        QCOMPARE(QuenExcRegGetErrorCount(), 0);
    }

    // Save Chart as PNG: real arrays only; 800 x 600, or a message box and a problem saying why not.
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
    }

    // Enter in the list edits in place, Edit Value in the dialog, F2 in the Fields dock; the views follow.
    void activationEditsInteger()
    {
        const QModelIndex leaf = findLeaf(QStringLiteral("OffsetLimit"));
        const QuenHandle parm = m_window->treeModel()->handle(leaf);
        m_window->treeView()->setCurrentIndex(leaf);
        ParmBlockEditor* central = m_window->editorHost()->blockEditor();
        QTreeView* view = central->list();
        const int row = view->currentIndex().row();
        const auto shown = [&] { return view->model()->index(row, 1).data().toString(); };
        QApplication::setActiveWindow(m_window.get());
        view->setFocus();
        view->setCurrentIndex(view->model()->index(row, 1));
        QTest::keyClick(view, Qt::Key_Return);
        auto* inPlace = view->viewport()->findChild<QLineEdit*>(QStringLiteral("ParmText"));
        QVERIFY(inPlace);
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
        QVERIFY2(shown().contains(QLatin1String("43")), qPrintable(shown()));
        QVERIFY(m_window->fieldModel()->index(0, 1).data().toString().startsWith(QLatin1String("43")));

        QTreeView* fields = m_window->fieldView();
        QApplication::setActiveWindow(m_window.get());
        fields->setFocus();
        // F2 edits in place every time; the field editor writes as it is typed into; Enter keeps it,
        // Escape puts the text back.
        const auto editField = [&](const QString& text, Qt::Key key) {
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); // a closed editor goes
            const QModelIndex caption = m_window->fieldModel()->match(m_window->fieldModel()->index(1, 0), Qt::DisplayRole,
                                                                      QRegularExpression(QStringLiteral("^ *Value$")), 1, Qt::MatchRegularExpression).value(0);
            fields->setCurrentIndex(caption); // found again each time: the model is re-read after an edit
            QTimer::singleShot(0, [] { if (QWidget* dialog = QApplication::activeModalWidget()) dialog->close(); }); // not the dialog
            QTest::keyClick(fields, Qt::Key_F2);
            auto* editor = fields->viewport()->findChild<QLineEdit*>(QStringLiteral("ParmText"));
            QVERIFY(editor);
            editor->selectAll();
            QTest::keyClicks(editor, text);
            QCOMPARE(QuenInt32GetValue(QuenParmGetData(parm)), text.toInt());
            QTest::keyClick(editor, key);
            QCoreApplication::processEvents(); // the delegate commits through a queued call
        };
        editField(QStringLiteral("17"), Qt::Key_Return);
        QVERIFY(shown().contains(QLatin1String("17")));
        editField(QStringLiteral("99"), Qt::Key_Escape);
        QCOMPARE(QuenInt32GetValue(QuenParmGetData(parm)), 17);
    }

    // Rename in place never writes an illegal name; New Symbol adds the one named in its dialog.
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
        QCOMPARE(m_window->treeView()->currentIndex().data().toString(), QStringLiteral("Gain"));
    }

    // A test shows its limits; Validate lists the problems of what is shown, one opens its value in place.
    void testLimitsAndValidation()
    {
        const QModelIndex tests = m_window->treeModel()->index(2, 0);
        m_window->treeView()->setCurrentIndex(m_window->treeModel()->index(0, 0, tests));
        LimitsEditor* limits = m_window->editorHost()->limitsEditor();
        QVERIFY(limits->isVisible());
        QCOMPARE(limits->testName(), m_window->treeModel()->index(0, 0, tests).data().toString());
        QCOMPARE(m_window->fieldModel()->parameter(), QuenPbDefGetParm(QuenHandle(limits->Handle()), 1)); // its fields in the dock

        const QModelIndex table = m_window->treeModel()->index(0, 0, m_window->treeModel()->index(0, 0));
        m_window->treeView()->setCurrentIndex(table);
        const QuenHandle block = m_window->editorHost()->block();
        VeltTest::CoreBuilder::reference(block, "Broken", "CQuenInt32", "Nope", "Station");
        m_window->editorHost()->refresh();
        m_window->findChild<QAction*>(QStringLiteral("ValidateAction"))->trigger();
        QListWidget* problems = m_window->problems()->list();
        const QList<QListWidgetItem*> found = problems->findItems(QStringLiteral("Station.Broken: Cannot find the symbol 'Nope' in the table 'Station'"), Qt::MatchExactly);
        QCOMPARE(found.size(), 1);
        Q_EMIT problems->itemActivated(found.first());
        QCOMPARE(m_window->editorHost()->blockEditor()->openEditor(), 1);
        m_window->editorHost()->blockEditor()->EndInplaceEditing(false);
        QVERIFY(QuenPbDefReleaseParm(block, "Broken"));
        m_window->editorHost()->refresh();
        m_window->findChild<QAction*>(QStringLiteral("ValidateAction"))->trigger(); // the problem is withdrawn
        QVERIFY(problems->findItems(QStringLiteral("Station.Broken"), Qt::MatchStartsWith).isEmpty());
        QCOMPARE(QuenExcRegGetErrorCount(), 0);
    }

    void unsavedChanges_data()
    {
        VeltTest::columns<QString, int, bool, bool>({"action", "answer", "saveFails", "proceeds"}); // 6 Save, 7 Discard, 2 Cancel; 0: nothing changed, no question
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
            for (QAction* a : m_window->findChildren<QAction*>())
                if (a->shortcut() == QKeySequence(Qt::CTRL | Qt::Key_Q))
                    a->trigger();
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
