// EditorHost: the workbench's central area: the library's parameter block editor over the
// selected symbol table or parameter block definition (or, in action-call mode, an action call
// of that definition), or the limits editor over a test's limits, under a heading, or a start
// page when nothing is selected. Owns its pages
// and the actual parameter blocks of the action calls it made.
#pragma once

#include "quen/quencore.h"

#include <QHash>
#include <QWidget>

class LimitsEditor;
class ParmBlockEditor;
class QLabel;
class QStackedWidget;

namespace Workbench {

class EditorHost : public QWidget
{
    Q_OBJECT
public:
    enum class Kind { Table, Definition, ActionCall, TestLimits };

    explicit EditorHost(QWidget* parent = nullptr);
    ~EditorHost() override;

    // Edits a table or block under a heading; 0 shows the start page. Showing the block that is
    // already shown, in the same kind, keeps the editor as it is (its current row, its undo log).
    void showBlock(QuenHandle block, Kind kind, const QString& heading);
    // Shows a test's limits in the limits editor.
    void showLimits(QuenHandle test, const QString& heading);
    // Validates what is shown into the problem list; true when nothing is wrong.
    bool validate(QuenHandle pills);
    // Opens the value a problem of the shown block points to (the problem stays the caller's).
    void showProblem(QuenHandle pill);
    // Makes the row of a parameter of the shown block current (nothing when absent).
    void selectParameter(QuenHandle parm);
    // Reads the shown block again from the core.
    void refresh();

    QuenHandle block() const { return m_block; }
    Kind kind() const { return m_kind; }
    ParmBlockEditor* blockEditor() const { return m_editor; }
    LimitsEditor* limitsEditor() const { return m_limits; }

private:
    // The actual parameter block of an action call of the definition, made on first use.
    QuenHandle actualBlock(QuenHandle definition);

    QStackedWidget* m_stack;
    QWidget* m_startPage;
    QWidget* m_editorPage;
    QLabel* m_heading;
    ParmBlockEditor* m_editor;
    QWidget* m_limitsPage;
    QLabel* m_limitsHeading;
    LimitsEditor* m_limits;
    QuenHandle m_block = 0;
    Kind m_kind = Kind::Table;
    QHash<QuenHandle, QuenHandle> m_actualBlocks;
};

} // namespace Workbench
