#include "cellgridview_p.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QStyledItemDelegate>

namespace Velt {

namespace {

// The overlay box over the cell being edited.
class CellEditorDelegate : public QStyledItemDelegate
{
public:
    CellEditorDelegate(const QString& editorName, QObject* parent)
        : QStyledItemDelegate(parent), m_editorName(editorName)
    {
    }

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem&,
                          const QModelIndex&) const override
    {
        auto* editor = new QLineEdit(parent);
        editor->setObjectName(m_editorName);
        editor->setFrame(false);
        return editor;
    }

private:
    const QString m_editorName;
};

} // namespace

CellGridView::CellGridView(const QString& cellEditorName, QWidget* parent) : QTableView(parent)
{
    setItemDelegate(new CellEditorDelegate(cellEditorName, this));
    setSelectionMode(QAbstractItemView::ContiguousSelection);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    horizontalHeader()->setHighlightSections(false);
    setWordWrap(false);

    auto* menuKey = new QAction(this);
    menuKey->setShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F10));
    menuKey->setShortcutContext(Qt::WidgetShortcut);
    connect(menuKey, &QAction::triggered, this, &CellGridView::openMenuAtCurrentCell);
    addAction(menuKey);
}

QAction* CellGridView::action(const QString& objectName) const
{
    for (QAction* action : m_actions) {
        if (action->objectName() == objectName)
            return action;
    }
    return nullptr;
}

void CellGridView::openMenuAtCurrentCell()
{
    const QRect cell = visualRect(currentIndex());
    const QPoint at = cell.isValid() ? cell.bottomLeft() : QPoint(0, 0);
    QContextMenuEvent event(QContextMenuEvent::Keyboard, at, viewport()->mapToGlobal(at));
    contextMenuEvent(&event);
}

QAction* CellGridView::addCommand(const QString& text, const char* objectName,
                                  const QList<QKeySequence>& keys, std::function<void()> run)
{
    auto* action = new QAction(text, this);
    action->setObjectName(QString::fromLatin1(objectName));
    action->setShortcuts(keys);
    action->setShortcutContext(Qt::WidgetShortcut);
    connect(action, &QAction::triggered, this, [run = std::move(run)] { run(); });
    addAction(action);
    m_actions << action;
    return action;
}

void CellGridView::contextMenuEvent(QContextMenuEvent* event)
{
    QMenu menu(this);
    menu.addActions(m_actions);
    menu.exec(event->globalPos());
}

} // namespace Velt
