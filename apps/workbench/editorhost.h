// EditorHost: the workbench's central area: the library's parameter block editor over the
// selected symbol table or parameter block definition (or, in action-call mode, an action call
// of that definition), under a heading, or a start page when nothing is selected. Owns its pages
// and the actual parameter blocks of the action calls it made.
#pragma once

#include "quen/quencore.h"

#include <QHash>
#include <QWidget>

class ParmBlockEditor;
class QLabel;
class QStackedWidget;

namespace Workbench {

class EditorHost : public QWidget
{
    Q_OBJECT
public:
    enum class Kind { Table, Definition, ActionCall };

    explicit EditorHost(QWidget* parent = nullptr);
    ~EditorHost() override;

    // Edits a table or block under a heading; 0 shows the start page. Showing the block that is
    // already shown, in the same kind, keeps the editor as it is (its current row, its undo log).
    void showBlock(QuenHandle block, Kind kind, const QString& heading);
    // Makes the row of a parameter of the shown block current (nothing when absent).
    void selectParameter(QuenHandle parm);
    // Reads the shown block again from the core.
    void refresh();

    QuenHandle block() const { return m_block; }
    Kind kind() const { return m_kind; }
    ParmBlockEditor* blockEditor() const { return m_editor; }

private:
    // The actual parameter block of an action call of the definition, made on first use.
    QuenHandle actualBlock(QuenHandle definition);

    QStackedWidget* m_stack;
    QWidget* m_startPage;
    QWidget* m_editorPage;
    QLabel* m_heading;
    ParmBlockEditor* m_editor;
    QuenHandle m_block = 0;
    Kind m_kind = Kind::Table;
    QHash<QuenHandle, QuenHandle> m_actualBlocks;
};

} // namespace Workbench
