#include "mainwindow.h"

#include "editorhost.h"
#include "fieldeditordelegate.h"
#include "fieldsdockmodel.h"
#include "formatrun.h"
#include "problemsdock.h"
#include "realarraychart.h"
#include "workspacechanges.h"
#include "workspacetreemodel.h"

#include "arraychartpanel.h"
#include "busycursor.h"
#include "corehooks.h"
#include "dataeditorform.h"
#include "dataeditorregistry.h"
#include "limitseditor.h"
#include "parmblockeditor.h"
#include "qtplatformservices.h"
#include "qtstrings.h"
#include "symboldialogs.h"
#include "typelibrary.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDockWidget>
#include <QFileDialog>
#include <QFileInfo>
#include <QHash>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QMessageBox>
#include <QScreen>
#include <QSettings>
#include <QStatusBar>
#include <QToolBar>
#include <QTreeView>

#include <functional>

namespace Workbench {

namespace {

constexpr int kStatusTimeout = 5000;
const char* const kGeometryKey = "mainWindow/geometry";
const char* const kStateKey = "mainWindow/state";

// Errors the core shows reach the problems dock, and the services that were in place before
// the window (the Qt ones, or a test's) while interactive. Prompts, beeps and help go to those
// services too, so a test that installed its own answers the window's questions.
class WorkbenchPlatform : public Velt::PlatformServices
{
public:
    std::function<void(const QString&)> record;
    bool interactive = true;
    Velt::PlatformServices* outer = nullptr; // null: the Qt services

    int messageBox(const QString& prompt, int flags, const QString& title,
                   QWidget* parent) override
    {
        return target().messageBox(prompt, flags, title, parent);
    }
    int askToSaveChanges(const QString& prompt, const QString& title, QWidget* parent) override
    {
        return target().askToSaveChanges(prompt, title, parent);
    }
    void beep() override { target().beep(); }
    void showHelp(const QString& topic, QWidget* parent) override
    {
        target().showHelp(topic, parent);
    }
    void showError(const QString& messages) override
    {
        if (record)
            record(messages);
        if (interactive)
            target().showError(messages);
    }

private:
    Velt::PlatformServices& target() { return outer ? *outer : qt; }
    Velt::QtPlatformServices qt;
};

// The core's pending errors, through its display hook (and so to the problems dock).
void displayCoreErrors()
{
    if (QuenExcRegIsError(0) != QUEN_FALSE)
        QuenExcRegDisplayErrors();
}

} // namespace

struct MainWindow::Private
{
    Options options;
    WorkbenchPlatform platform;
    Velt::PlatformServices* previousPlatform = nullptr;
    WorkspaceTreeModel* model = nullptr;
    QTreeView* tree = nullptr;
    QDockWidget* treeDock = nullptr;
    EditorHost* host = nullptr;
    ProblemsDock* problems = nullptr;
    FieldsDockModel* fieldModel = nullptr;
    QTreeView* fieldView = nullptr;
    QDockWidget* fieldDock = nullptr;
    QDockWidget* eventsDock = nullptr;
    QListWidget* events = nullptr;
    QAction* actionCall = nullptr;
    QAction* saveChartAction = nullptr;
    // One problem list per table, block or test validated (Run > Validate), kept until the
    // workspace is read again.
    QHash<QuenHandle, QuenHandle> pills;
    void releasePills()
    {
        for (const QuenHandle list : std::as_const(pills))
            QuenPillsRelease(list);
        pills.clear();
    }
    DataEditorForm* form = nullptr;
    QLabel* pathLabel = nullptr;
    QLabel* countLabel = nullptr;
    QString path;
    WorkspaceChanges changes;
};

MainWindow::MainWindow(const Options& options, QWidget* parent)
    : QMainWindow(parent), d(new Private)
{
    d->options = options;
    setObjectName(QStringLiteral("VeltWorkbench"));
    setWindowTitle(tr("Velt Workbench"));
    setDockOptions(AnimatedDocks | AllowTabbedDocks);

    d->host = new EditorHost(this);
    setCentralWidget(d->host);

    d->model = new WorkspaceTreeModel(this);
    d->tree = new QTreeView;
    d->tree->setObjectName(QStringLiteral("WorkspaceTree"));
    d->tree->setModel(d->model);
    d->tree->setUniformRowHeights(true);
    d->tree->setAlternatingRowColors(false);
    d->tree->setEditTriggers(QAbstractItemView::NoEditTriggers);
    d->tree->header()->setStretchLastSection(true);
    d->tree->header()->resizeSection(WorkspaceTreeModel::NameColumn, 185);
    d->treeDock = new QDockWidget(tr("Workspace"), this);
    d->treeDock->setObjectName(QStringLiteral("WorkspaceDock"));
    d->treeDock->setFeatures(QDockWidget::DockWidgetMovable | QDockWidget::DockWidgetClosable);
    d->treeDock->setWidget(d->tree);
    addDockWidget(Qt::LeftDockWidgetArea, d->treeDock);

    d->fieldModel = new FieldsDockModel(this);
    d->fieldView = new QTreeView;
    d->fieldView->setObjectName(QStringLiteral("FieldsView"));
    d->fieldView->setModel(d->fieldModel);
    d->fieldView->setRootIsDecorated(false);
    d->fieldView->setUniformRowHeights(true);
    d->fieldView->setItemDelegate(new FieldEditorDelegate(d->fieldView));
    d->fieldView->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed
                                  | QAbstractItemView::SelectedClicked);
    d->fieldView->header()->resizeSection(FieldsDockModel::CaptionColumn, 130);
    d->fieldView->header()->resizeSection(FieldsDockModel::TextColumn, 130);
    d->fieldDock = new QDockWidget(tr("Fields"), this);
    d->fieldDock->setObjectName(QStringLiteral("FieldsDock"));
    d->fieldDock->setFeatures(QDockWidget::DockWidgetMovable | QDockWidget::DockWidgetClosable);
    d->fieldDock->setWidget(d->fieldView);
    addDockWidget(Qt::RightDockWidgetArea, d->fieldDock);
    connect(d->fieldModel, &FieldsDockModel::problem, this, &MainWindow::reportProblem);
    connect(d->fieldModel, &FieldsDockModel::valueChanged, this, [this] {
        d->host->refresh();
        d->host->selectParameter(d->fieldModel->parameter());
        updateStatus();
    });

    // The central editor's events, newest last, as a host program would receive them.
    d->events = new QListWidget;
    d->events->setObjectName(QStringLiteral("EventLog"));
    d->events->setAccessibleName(tr("Events of the parameter block editor"));
    d->eventsDock = new QDockWidget(tr("Events"), this);
    d->eventsDock->setObjectName(QStringLiteral("EventsDock"));
    d->eventsDock->setFeatures(QDockWidget::DockWidgetMovable | QDockWidget::DockWidgetClosable);
    d->eventsDock->setWidget(d->events);
    addDockWidget(Qt::RightDockWidgetArea, d->eventsDock);
    connectEditorEvents();

    d->problems = new ProblemsDock(this);
    d->problems->setFeatures(QDockWidget::DockWidgetMovable | QDockWidget::DockWidgetClosable);
    addDockWidget(Qt::BottomDockWidgetArea, d->problems);
    setCorner(Qt::BottomLeftCorner, Qt::LeftDockWidgetArea);

    d->pathLabel = new QLabel(this);
    d->pathLabel->setObjectName(QStringLiteral("WorkspacePathLabel"));
    d->countLabel = new QLabel(this);
    d->countLabel->setObjectName(QStringLiteral("WorkspaceCountLabel"));
    statusBar()->addPermanentWidget(d->countLabel);
    statusBar()->addPermanentWidget(d->pathLabel);

    d->platform.interactive = options.interactive;
    d->platform.record = [this](const QString& messages) { d->problems->addMessages(messages); };
    d->previousPlatform = Velt::PlatformServices::setInstance(&d->platform);
    d->platform.outer = d->previousPlatform;
    Velt::installCoreHooks(); // once per process; the core's errors then reach the platform

    createActions();

    connect(d->problems, &ProblemsDock::problemActivated, this, [this](QuenHandle pill) {
        d->host->showProblem(pill);
    });

    connect(d->tree->selectionModel(), &QItemSelectionModel::currentChanged, this,
            &MainWindow::currentItemChanged);
    connect(d->tree, &QTreeView::activated, this, [this](const QModelIndex& index) {
        const auto kind = d->model->kind(index);
        if (kind == WorkspaceTreeModel::Kind::Symbol || kind == WorkspaceTreeModel::Kind::Parameter)
            editParameter(d->model->handle(index));
    });
    setTabOrder(d->tree, d->host->blockEditor()->list());
    setTabOrder(d->host->blockEditor()->list(), d->problems->list());

    restoreLayout();
    d->changes.markSaved();
    workspaceReloaded();
}

MainWindow::~MainWindow()
{
    d->releasePills();
    Velt::PlatformServices::setInstance(d->previousPlatform);
}

void MainWindow::createActions()
{
    QMenu* file = menuBar()->addMenu(tr("&File"));
    QAction* openAction = file->addAction(tr("&Open Workspace..."), this, &MainWindow::open);
    openAction->setShortcut(QKeySequence::Open);
    openAction->setIcon(style()->standardIcon(QStyle::SP_DialogOpenButton));
    QAction* saveAction = file->addAction(tr("&Save"), this, &MainWindow::save);
    saveAction->setShortcut(QKeySequence::Save);
    saveAction->setIcon(style()->standardIcon(QStyle::SP_DialogSaveButton));
    QAction* saveAsAction = file->addAction(tr("Save &As..."), this, &MainWindow::saveAs);
    saveAsAction->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    d->saveChartAction = file->addAction(tr("Save C&hart as PNG..."), this, &MainWindow::saveChart);
    d->saveChartAction->setObjectName(QStringLiteral("SaveChartAction"));
    d->saveChartAction->setStatusTip(tr("Saves the chart of the current real array as a picture"));
    d->saveChartAction->setEnabled(false);
    QToolBar* toolBar = addToolBar(tr("Main"));
    toolBar->setObjectName(QStringLiteral("MainToolBar"));
    toolBar->setMovable(false);
    toolBar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    openAction->setIconText(tr("Open"));
    toolBar->addAction(openAction);
    toolBar->addAction(saveAction);

    file->addSeparator();
    QAction* quitAction = file->addAction(tr("&Quit"), this, &QWidget::close); // asks first
    quitAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    quitAction->setMenuRole(QAction::QuitRole);

    QMenu* edit = menuBar()->addMenu(tr("&Edit"));
    QAction* editAction = edit->addAction(tr("&Edit Value..."), this, [this] {
        QuenHandle parm = 0;
        if (d->fieldView->hasFocus()) {
            // F2 in the Fields dock edits the current field in place.
            const QModelIndex current = d->fieldView->currentIndex();
            if (current.isValid())
                d->fieldView->edit(current.siblingAtColumn(FieldsDockModel::TextColumn));
            return;
        }
        if (d->host->isAncestorOf(QApplication::focusWidget())) {
            parm = QuenHandle(d->host->blockEditor()->currentParameter());
        } else {
            const QModelIndex current = d->tree->currentIndex();
            const auto kind = d->model->kind(current);
            if (kind == WorkspaceTreeModel::Kind::Symbol
                || kind == WorkspaceTreeModel::Kind::Parameter)
                parm = d->model->handle(current);
        }
        if (parm)
            editParameter(parm);
    });
    editAction->setObjectName(QStringLiteral("EditValueAction"));
    editAction->setShortcut(QKeySequence(Qt::Key_F2));
    QAction* undoAction = edit->addAction(tr("&Undo"), this, [this] { d->host->blockEditor()->Undo(); });
    undoAction->setObjectName(QStringLiteral("UndoAction"));
    undoAction->setShortcut(QKeySequence::Undo);
    connect(edit, &QMenu::aboutToShow, this,
            [this, undoAction] { undoAction->setEnabled(d->host->blockEditor()->UndoEnabled()); });
    edit->addSeparator();
    QAction* renameAction = edit->addAction(tr("Re&name"), this, [this] {
        ParmBlockEditor* editor = d->host->blockEditor();
        editor->list()->setFocus();
        if (!editor->EditCell(0, 0, 0))
            reportProblem(tr("This name cannot be changed here"));
    });
    renameAction->setObjectName(QStringLiteral("RenameAction"));
    renameAction->setShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F2));
    QAction* newSymbolAction = edit->addAction(tr("&New Symbol..."), this, &MainWindow::newSymbol);
    newSymbolAction->setObjectName(QStringLiteral("NewSymbolAction"));
    newSymbolAction->setShortcut(QKeySequence::New);
    edit->addSeparator();
    edit->addAction(tr("C&lear Problems"), d->problems, &ProblemsDock::clear);

    QMenu* run = menuBar()->addMenu(tr("&Run"));
    QAction* runAction = run->addAction(tr("&Run Formatted Strings"), this, &MainWindow::runFormats);
    runAction->setObjectName(QStringLiteral("RunFormatsAction"));
    runAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_R));
    runAction->setStatusTip(tr("Evaluate and scan the formatted strings of the listed table or block, "
                               "as a test run would"));
    QAction* validateAction = run->addAction(tr("&Validate"), this, &MainWindow::validate);
    validateAction->setObjectName(QStringLiteral("ValidateAction"));
    validateAction->setShortcut(QKeySequence(Qt::Key_F7));
    validateAction->setStatusTip(tr("Check every value of the table, block or limits shown and list the "
                                    "problems; Enter on a problem opens its value"));

    QMenu* view = menuBar()->addMenu(tr("&View"));
    QAction* treeToggle = d->treeDock->toggleViewAction();
    treeToggle->setText(tr("&Workspace"));
    view->addAction(treeToggle);
    QAction* problemsToggle = d->problems->toggleViewAction();
    problemsToggle->setText(tr("&Problems"));
    view->addAction(problemsToggle);
    QAction* fieldsToggle = d->fieldDock->toggleViewAction();
    fieldsToggle->setText(tr("&Fields"));
    view->addAction(fieldsToggle);
    QAction* eventsToggle = d->eventsDock->toggleViewAction();
    eventsToggle->setText(tr("&Events"));
    view->addAction(eventsToggle);
    QAction* toolBarToggle = toolBar->toggleViewAction();
    toolBarToggle->setText(tr("&Toolbar"));
    view->addAction(toolBarToggle);
    view->addSeparator();
    // A parameter block definition shown as an action call: its parameters are the defaults,
    // and values given in the editor go to an actual block of this window's own.
    d->actionCall = view->addAction(tr("Blocks as &Action Calls"), this, &MainWindow::currentItemChanged);
    d->actionCall->setObjectName(QStringLiteral("ActionCallAction"));
    d->actionCall->setCheckable(true);
    view->addSeparator();
    view->addAction(tr("E&xpand All"), d->tree, &QTreeView::expandAll);
    view->addAction(tr("&Collapse All"), d->tree, &QTreeView::collapseAll);
    QAction* reloadAction = view->addAction(tr("&Refresh"), this, [this] {
        const QModelIndex current = d->tree->currentIndex();
        d->model->reload();
        d->host->refresh();
        d->tree->expandToDepth(0);
        if (current.isValid())
            d->tree->setCurrentIndex(d->model->index(current.row(), 0, current.parent()));
        updateStatus();
    });
    reloadAction->setShortcut(QKeySequence::Refresh);

    QMenu* help = menuBar()->addMenu(tr("&Help"));
    QAction* helpAction = help->addAction(tr("VeltEditors &Help"), this,
                                          &MainWindow::showLibraryHelp);
    helpAction->setShortcut(QKeySequence::HelpContents);
    help->addSeparator();
    QAction* about = help->addAction(tr("&About Velt Workbench"), this, &MainWindow::showAbout);
    about->setMenuRole(QAction::AboutRole);
    help->addAction(tr("About &Qt"), qApp, &QApplication::aboutQt);
}

void MainWindow::restoreLayout()
{
    // The docks leave the parameter list room for its Name, Type and Value columns.
    resize(1100, 700);
    resizeDocks({d->treeDock}, {290}, Qt::Horizontal);
    resizeDocks({d->fieldDock}, {310}, Qt::Horizontal);
    resizeDocks({d->problems}, {120}, Qt::Vertical);
    // A picture keeps the default size whatever the screen; a window fits its screen.
    if (!d->options.interactive)
        return;
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect available = screen->availableGeometry();
        resize(size().boundedTo(available.size() * 0.95));
        move(available.center() - rect().center());
    }
    QSettings settings;
    restoreGeometry(settings.value(QLatin1String(kGeometryKey)).toByteArray());
    restoreState(settings.value(QLatin1String(kStateKey)).toByteArray());
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    if (!maybeSave()) {
        event->ignore();
        return;
    }
    if (d->options.interactive) {
        QSettings settings;
        settings.setValue(QLatin1String(kGeometryKey), saveGeometry());
        settings.setValue(QLatin1String(kStateKey), saveState());
    }
    event->accept();
}

bool MainWindow::openWorkspace(const QString& path)
{
    QuenExcRegClearError(0);
    const QByteArray bytes = quen::toUtf8(path);
    if (QuenWorkspaceLoad(bytes.constData()) == QUEN_FALSE) {
        displayCoreErrors();
        statusBar()->showMessage(tr("Could not open %1").arg(QDir::toNativeSeparators(path)),
                                 kStatusTimeout);
        return false;
    }
    d->path = path;
    d->changes.markSaved();
    workspaceReloaded();
    statusBar()->showMessage(tr("Workspace opened"), kStatusTimeout);
    return true;
}

bool MainWindow::saveWorkspace(const QString& path)
{
    QuenExcRegClearError(0);
    const QByteArray bytes = quen::toUtf8(path);
    if (QuenWorkspaceSave(bytes.constData()) == QUEN_FALSE) {
        displayCoreErrors();
        statusBar()->showMessage(tr("Could not save %1").arg(QDir::toNativeSeparators(path)),
                                 kStatusTimeout);
        return false;
    }
    d->path = path;
    d->changes.markSaved();
    updateStatus();
    statusBar()->showMessage(tr("Workspace saved"), kStatusTimeout);
    return true;
}

QString MainWindow::workspacePath() const
{
    return d->path;
}

bool MainWindow::isModified() const
{
    return d->changes.isModified();
}

bool MainWindow::maybeSave()
{
    if (!isModified())
        return true;
    const QString name = d->path.isEmpty() ? tr("the workspace") : QFileInfo(d->path).fileName();
    const QString prompt = tr("Do you want to save the changes to %1?\n"
                              "Your changes are lost if you do not save them.")
                               .arg(name);
    switch (Velt::PlatformServices::instance().askToSaveChanges(prompt, tr("Velt Workbench"), this)) {
    case Velt::PlatformServices::Yes:
        return save(); // a failed save has said why, and keeps everything
    case Velt::PlatformServices::No:
        return true;
    default:
        return false;
    }
}

QString MainWindow::sampleWorkspacePath()
{
    const QStringList candidates = {
        QCoreApplication::applicationDirPath()
            + QLatin1String("/../share/VeltEditors/examples/sample-workspace.json"),
        QStringLiteral(VELT_SAMPLE_WORKSPACE),
    };
    for (const QString& candidate : candidates) {
        if (QFileInfo::exists(candidate))
            return QFileInfo(candidate).canonicalFilePath();
    }
    return {};
}

WorkspaceTreeModel* MainWindow::treeModel() const { return d->model; }
QTreeView* MainWindow::treeView() const { return d->tree; }
EditorHost* MainWindow::editorHost() const { return d->host; }
ProblemsDock* MainWindow::problems() const { return d->problems; }
FieldsDockModel* MainWindow::fieldModel() const { return d->fieldModel; }
QTreeView* MainWindow::fieldView() const { return d->fieldView; }

void MainWindow::open()
{
    if (!maybeSave())
        return;
    const QString start = d->path.isEmpty() ? QString() : QFileInfo(d->path).absolutePath();
    const QString path = QFileDialog::getOpenFileName(
        this, tr("Open Workspace"), start, tr("Workspaces (*.json);;All files (*)"));
    if (!path.isEmpty())
        openWorkspace(path);
}

bool MainWindow::save()
{
    return d->path.isEmpty() ? saveAs() : saveWorkspace(d->path);
}

bool MainWindow::saveAs()
{
    const QString path = QFileDialog::getSaveFileName(
        this, tr("Save Workspace As"), d->path, tr("Workspaces (*.json);;All files (*)"));
    return !path.isEmpty() && saveWorkspace(path);
}

void MainWindow::saveChart()
{
    const QString start = d->path.isEmpty() ? QString() : QFileInfo(d->path).absolutePath();
    const QString path = QFileDialog::getSaveFileName(this, tr("Save Chart as PNG"), start,
                                                      tr("PNG pictures (*.png);;All files (*)"));
    if (!path.isEmpty())
        saveChartAsPng(path);
}

bool MainWindow::saveChartAsPng(const QString& path)
{
    const QuenHandle parm = currentTreeParameter();
    QString error;
    if (!RealArrayChart::hasChart(parm)) {
        error = tr("Choose a real array in the workspace tree to save its chart.");
    } else {
        // The panel the real array editor shows, drawn off screen at the picture's size.
        const QuenHandle data = QuenParmGetData(parm);
        Velt::ArrayChartPanel panel;
        connect(&panel, &Velt::ArrayChartPanel::statusMessage, this,
                [this](const QString& text) { statusBar()->showMessage(text, kStatusTimeout); });
        panel.setByRow(RealArrayChart::byRow(data));
        panel.setPlane(RealArrayChart::plane(data));
        if (panel.savePng(path, &error, QSize(800, 600))) {
            statusBar()->showMessage(tr("Chart saved to %1").arg(QDir::toNativeSeparators(path)),
                                     kStatusTimeout);
            return true;
        }
    }
    d->problems->addMessages(error);
    Velt::PlatformServices::instance().messageBox(error, Velt::PlatformServices::Critical,
                                                  tr("Save Chart as PNG"), this);
    return false;
}

void MainWindow::showAbout()
{
    QMessageBox::about(
        this, tr("About Velt Workbench"),
        tr("<h3>Velt Workbench</h3>"
           "<p>The editing environment of the %1 library, version %2.%3.</p>"
           "<p>Browse the symbol tables and parameter blocks of a workspace and edit their "
           "values with the library's editors.</p>")
            .arg(Velt::TypeLibrary::name())
            .arg(Velt::TypeLibrary::majorVersion())
            .arg(Velt::TypeLibrary::minorVersion()));
}

void MainWindow::showLibraryHelp()
{
    Velt::PlatformServices::instance().showHelp(QStringLiteral("index"), this);
}

void MainWindow::editParameter(QuenHandle parm)
{
    const QString dataClass = quen::toQString(QuenParmGetType(parm));
    QuenExcRegClearError(0);
    if (!d->form)
        d->form = new DataEditorForm(this);
    // The rows of a symbol table are symbols; those of a block definition are parameters.
    const QModelIndex current = d->tree->currentIndex();
    const auto kind = d->model->kind(current);
    const QModelIndex container =
        kind == WorkspaceTreeModel::Kind::Symbol || kind == WorkspaceTreeModel::Kind::Parameter
        ? current.parent()
        : current;
    const bool symbolMode = d->model->kind(container) == WorkspaceTreeModel::Kind::Table;
    bool setUp = false;
    if (!DataEditorRegistry::instance()->DataEditorName(dataClass).isEmpty()) {
        d->form->SetUpEditor(parm, 0, 0, true, false, false, symbolMode);
        setUp = d->form->dataEditor() != nullptr;
    }
    if (!setUp) {
        int32_t handle = parm;
        int32_t defaultHandle = 0;
        d->form->CleanupEditor(handle, defaultHandle);
        reportProblem(tr("No editor for this data type yet"));
        return;
    }
    d->form->exec();
    int32_t handle = parm;
    int32_t defaultHandle = 0;
    if (d->form->CleanupEditor(handle, defaultHandle))
        valueChanged();
    updateStatus();
    displayCoreErrors();
}

void MainWindow::reportProblem(const QString& message)
{
    statusBar()->showMessage(message, kStatusTimeout);
    d->problems->addMessages(message);
}

void MainWindow::valueChanged()
{
    d->host->refresh();
    d->fieldModel->refresh();
    statusBar()->showMessage(tr("Value changed"), kStatusTimeout);
}

void MainWindow::runFormats()
{
    const QuenHandle block = d->host->block();
    if (!block) {
        statusBar()->showMessage(tr("Choose a table or block to run"), 5000);
        return;
    }
    const Velt::BusyCursor busy;
    const FormatRunReport report = Workbench::runFormats(block);
    if (!report.errors.isEmpty())
        d->problems->addMessages(report.errors.join(u'\n'));
    if (!report.strings.isEmpty())
        d->problems->addMessages(report.strings.join(u'\n'), ProblemsDock::Severity::Information);
    d->problems->addMessages(report.summary(), ProblemsDock::Severity::Information);
    d->problems->show();
    valueChanged();
}

QuenHandle MainWindow::currentTreeParameter() const
{
    const QModelIndex current = d->tree->currentIndex();
    const auto kind = d->model->kind(current);
    const bool leaf = kind == WorkspaceTreeModel::Kind::Symbol || kind == WorkspaceTreeModel::Kind::Parameter;
    return leaf ? d->model->handle(current) : 0;
}

void MainWindow::currentItemChanged()
{
    const QModelIndex current = d->tree->currentIndex();
    const auto kind = d->model->kind(current);
    using Kind = WorkspaceTreeModel::Kind;
    const bool leaf = kind == Kind::Symbol || kind == Kind::Parameter;
    d->saveChartAction->setEnabled(RealArrayChart::hasChart(currentTreeParameter()));
    d->fieldModel->setParameter(leaf ? d->model->handle(current) : 0);
    if (kind == Kind::Test) {
        d->host->showLimits(d->model->handle(current), tr("Limits of test %1").arg(d->model->data(current).toString()));
        d->fieldModel->setParameter(QuenHandle(d->host->limitsEditor()->list()->currentParameter()));
        return;
    }
    if (kind == Kind::None || kind == Kind::TableGroup || kind == Kind::BlockGroup || kind == Kind::TestGroup) {
        d->host->showBlock(0, EditorHost::Kind::Table, QString());
        return;
    }
    const QModelIndex container = leaf ? current.parent() : current;
    const QString name = d->model->data(container).toString();
    QString heading;
    EditorHost::Kind shown = EditorHost::Kind::Table;
    if (d->model->kind(container) == Kind::Table) {
        const bool isPublic = d->model->data(container, WorkspaceTreeModel::IsPublicRole).toBool();
        heading = (isPublic ? tr("Symbol table %1 (public)") : tr("Symbol table %1 (non-public)"))
                      .arg(name);
    } else if (d->actionCall->isChecked()) {
        heading = tr("Action call of %1").arg(name);
        shown = EditorHost::Kind::ActionCall;
    } else {
        heading = tr("Parameter block %1").arg(name);
        shown = EditorHost::Kind::Definition;
    }
    d->host->showBlock(d->model->containerHandle(current), shown, heading);
    if (leaf)
        d->host->selectParameter(d->model->handle(current));
    if (!leaf || !d->fieldModel->parameter()) // a table or block shows the fields of its current row
        d->fieldModel->setParameter(QuenHandle(d->host->blockEditor()->currentParameter()));
}

void MainWindow::connectEditorEvents()
{
    // The Fields dock follows the current limit as it follows the current parameter.
    ParmBlockEditor* limits = d->host->limitsEditor()->list();
    connect(limits, &ParmBlockEditor::ParameterSelected, this,
            [this, limits] { d->fieldModel->setParameter(QuenHandle(limits->currentParameter())); });
    connect(limits, &ParmBlockEditor::ParameterChanged, d->fieldModel, &FieldsDockModel::refresh);
    ParmBlockEditor* editor = d->host->blockEditor();
    const auto log = [this](const QString& line) {
        if (d->events->count() >= 500)
            delete d->events->takeItem(0);
        d->events->addItem(line);
        d->events->scrollToBottom();
    };
    const auto quoted = [](const QStringList& args) {
        QStringList parts;
        for (const QString& arg : args)
            parts << QLatin1Char('"') + arg + QLatin1Char('"');
        return parts.join(QLatin1String(", "));
    };
    connect(editor, &ParmBlockEditor::ParameterSelected, this, [=, this](const QString& name, const QString& description) {
        log(QStringLiteral("ParameterSelected(") + quoted({name, description}) + QLatin1Char(')'));
        d->fieldModel->setParameter(QuenHandle(editor->currentParameter()));
    });
    connect(editor, &ParmBlockEditor::ParameterChanged, this, [=, this](const QString& name, const QString& description) {
        log(QStringLiteral("ParameterChanged(") + quoted({name, description}) + QLatin1Char(')'));
        d->fieldModel->refresh();
        updateStatus();
    });
    // Parameters that come, go or change their names change the workspace tree as well.
    const auto structural = [=, this](const char* event) {
        return [=, this](const QString& name, const QString& description) {
            log(QLatin1String(event) + QLatin1Char('(') + quoted({name, description}) + QLatin1Char(')'));
            structureChanged(d->host->kind() == EditorHost::Kind::ActionCall ? d->host->block() : QuenHandle(editor->Handle()));
        };
    };
    connect(editor, &ParmBlockEditor::ParameterCreated, this, structural("ParameterCreated"));
    connect(editor, &ParmBlockEditor::ParameterRemoved, this, structural("ParameterRemoved"));
    connect(editor, &ParmBlockEditor::ParameterRenamed, this,
            [=, this](const QString& oldName, const QString& newName, const QString& description) {
                log(QStringLiteral("ParameterRenamed(") + quoted({oldName, newName, description}) + QLatin1Char(')'));
                structureChanged(QuenHandle(editor->currentParameter()));
            });
    connect(editor, &ParmBlockEditor::EditingModeChanged, this, [=, this](bool name, bool value, bool type, bool text) {
        log(QStringLiteral("EditingModeChanged(%1, %2, %3, %4)").arg(name).arg(value).arg(type).arg(text));
    });
}

void MainWindow::validate()
{
    const Velt::BusyCursor busy;
    QuenHandle& list = d->pills[d->host->block()];
    if (!list)
        list = QuenPillsCreate();
    const bool fine = d->host->validate(list);
    d->problems->showPills(list);
    if (!fine)
        d->problems->show();
    statusBar()->showMessage(fine ? tr("Validation: no problems") : tr("Validation found problems"), kStatusTimeout);
}

void MainWindow::newSymbol()
{
    const QModelIndex current = d->tree->currentIndex();
    const auto kind = d->model->kind(current);
    const QModelIndex table = kind == WorkspaceTreeModel::Kind::Symbol ? current.parent() : current;
    if (d->model->kind(table) != WorkspaceTreeModel::Kind::Table) {
        reportProblem(tr("Choose a symbol table for the new symbol"));
        return;
    }
    const QuenHandle tableHandle = d->model->handle(table);
    SymbolDialogs dialogs(this);
    const QString name = dialogs.InsertNewSymbolDialog(quen::toQString(QuenTableGetName(tableHandle)),
                                                       QStringLiteral("CQuenReal64"));
    if (!name.isEmpty()) {
        d->host->refresh();
        structureChanged(QuenPbDefFindParm(tableHandle, quen::toUtf8(name).constData()));
    }
    displayCoreErrors();
}

void MainWindow::structureChanged(QuenHandle select)
{
    d->model->reload();
    const QModelIndexList found = d->model->match(d->model->index(0, 0), WorkspaceTreeModel::HandleRole,
                                                  select, 1, Qt::MatchExactly | Qt::MatchRecursive);
    if (!found.isEmpty()) {
        d->tree->setCurrentIndex(found.first());
        d->tree->scrollTo(found.first());
    }
    updateStatus();
}

void MainWindow::workspaceReloaded()
{
    // Problems of the workspace before point at what is gone.
    d->releasePills();
    d->problems->showPills(0);
    d->host->showBlock(0, EditorHost::Kind::Table, QString());
    d->model->reload();
    d->tree->expandToDepth(0);
    // Start on the first table (or block) so the window opens on content.
    for (int group = 0; group < d->model->rowCount(); ++group) {
        const QModelIndex groupIndex = d->model->index(group, 0);
        if (d->model->rowCount(groupIndex) > 0) {
            const QModelIndex first = d->model->index(0, 0, groupIndex);
            d->tree->setCurrentIndex(first);
            d->tree->expand(first);
            break;
        }
    }
    updateStatus();
}

void MainWindow::updateStatus()
{
    d->saveChartAction->setEnabled(RealArrayChart::hasChart(currentTreeParameter()));
    const QString shown = d->path.isEmpty() ? tr("(no file)") : QDir::toNativeSeparators(d->path);
    d->pathLabel->setText(shown);
    d->pathLabel->setToolTip(shown);
    setWindowTitle(d->path.isEmpty() ? tr("Velt Workbench[*]")
                                     : tr("%1[*] - Velt Workbench").arg(QFileInfo(d->path).fileName()));
    setWindowModified(d->changes.isModified());

    qint64 symbols = 0; // sums of int counts: 64 bits cannot overflow here
    qint64 parameters = 0;
    const QModelIndex tables = d->model->index(0, 0);
    const QModelIndex blocks = d->model->index(1, 0);
    const int tableCount = d->model->rowCount(tables);
    const int blockCount = d->model->rowCount(blocks);
    for (int i = 0; i < tableCount; ++i)
        symbols += d->model->rowCount(d->model->index(i, 0, tables));
    for (int i = 0; i < blockCount; ++i)
        parameters += d->model->rowCount(d->model->index(i, 0, blocks));
    d->countLabel->setText(tr("%1 tables, %2 symbols  |  %3 blocks, %4 parameters  |  %5 tests")
                               .arg(tableCount)
                               .arg(symbols)
                               .arg(blockCount)
                               .arg(parameters)
                               .arg(d->model->rowCount(d->model->index(2, 0))));
}

} // namespace Workbench
