// CellGridView: what the editors' grids of text cells share (the integer choice list, the array
// grids). A cell is edited in an overlay box laid over it, a frameless line edit with the name
// the grid gives; the grid's commands are actions with their keys, offered again in its context
// menu (the context-menu key and Shift+F10 open it at the current cell). The subclass says which
// commands there are and what they do.
#pragma once

#include "velt_export.h"

#include <QKeySequence>
#include <QList>
#include <QTableView>

#include <functional>

class QAction;

namespace Velt {

class VELT_EXPORT CellGridView : public QTableView
{
    Q_OBJECT

public:
    // cellEditorName names the overlay box.
    explicit CellGridView(const QString& cellEditorName, QWidget* parent = nullptr);

    // The actions of the context menu, in the order they were added.
    QList<QAction*> menuActions() const { return m_actions; }
    QAction* action(const QString& objectName) const;

    // Opens the context menu below the current cell (the keyboard's way in).
    void openMenuAtCurrentCell();

protected:
    // An action of the grid and its menu, working while the grid has the focus.
    QAction* addCommand(const QString& text, const char* objectName,
                        const QList<QKeySequence>& keys, std::function<void()> run);

    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    QList<QAction*> m_actions;
};

} // namespace Velt
