// MainWindow: velt-workbench's window over the core's workspace: the workspace tree (left),
// the editor host (centre), the problems dock (bottom), menus and a status bar. The workspace
// itself lives in the core; the window holds only the path it was loaded from, and notes when
// it was last loaded or saved so that it asks before unsaved changes are lost. Errors the core
// shows go to the problems dock, and to a message box while the window is interactive.
#pragma once

#include "quen/quencore.h"

#include <QMainWindow>

#include <memory>

class QTreeView;

namespace Workbench {

class EditorHost;
class FieldsDockModel;
class ProblemsDock;
class WorkspaceTreeModel;

class MainWindow : public QMainWindow
{
    Q_OBJECT
public:
    struct Options
    {
        bool interactive = true;      // message boxes for errors, remembered geometry
    };

    explicit MainWindow(const Options& options, QWidget* parent = nullptr);
    explicit MainWindow(QWidget* parent = nullptr) : MainWindow(Options{}, parent) {}
    ~MainWindow() override;

    // Loads a workspace into the core; on failure the core's errors go to the problems dock
    // (the previous workspace stays) and false is returned.
    bool openWorkspace(const QString& path);
    bool saveWorkspace(const QString& path);
    // Saves the chart of the real array current in the tree as an 800 x 600 PNG picture, drawn
    // as the real array editor draws it; a failure is said in a message box. False when
    // nothing was saved.
    bool saveChartAsPng(const QString& path);
    QString workspacePath() const;
    // True when the workspace changed since it was opened or saved.
    bool isModified() const;
    // Before unsaved changes would be lost (quitting, closing, opening another workspace):
    // asks through the platform services whether to save them (Yes), discard them (No) or keep
    // them (Cancel). True when the caller may go ahead: nothing to save, saved, or discarded;
    // false on Cancel or when saving failed (the failure is reported).
    bool maybeSave();

    // The bundled sample workspace: installed beside the program, else in the source tree;
    // empty when neither exists.
    static QString sampleWorkspacePath();

    WorkspaceTreeModel* treeModel() const;
    QTreeView* treeView() const;
    EditorHost* editorHost() const;
    ProblemsDock* problems() const;
    FieldsDockModel* fieldModel() const;
    QTreeView* fieldView() const;

public Q_SLOTS:
    void open();
    bool save();
    bool saveAs();
    // File > Save Chart as PNG...: asks for the file, then saveChartAsPng.
    void saveChart();
    void showAbout();
    void showLibraryHelp();
    // Runs the formatted strings of the listed table or block and reports in the problems dock.
    void runFormats();
    // Validates what the central area shows into its problem list and lists the problems.
    void validate();
    // Adds a symbol to the symbol table the tree is on, named and given a value in the new symbol
    // dialog; selects it.
    void newSymbol();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    // Opens the data editor dialog on a symbol or parameter; says so when no editor serves it.
    void editParameter(QuenHandle parm);
    // Tells of a problem in the status bar and the problems dock.
    void reportProblem(const QString& message);
    // Re-reads the rows that show values after a value changed.
    void valueChanged();
    void createActions();
    void currentItemChanged();
    // The symbol or parameter current in the tree, or 0.
    QuenHandle currentTreeParameter() const;
    // Logs the central editor's events and keeps the tree and the Fields dock in step.
    void connectEditorEvents();
    void workspaceReloaded();
    // The tables, blocks or names changed: re-reads the tree and selects the given item.
    void structureChanged(QuenHandle select);
    void updateStatus();
    void restoreLayout();

    struct Private;
    std::unique_ptr<Private> const d;
};

} // namespace Workbench
