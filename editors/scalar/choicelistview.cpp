#include "choicelistview_p.h"

#include "choicelistmodel_p.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QStyledItemDelegate>

#include <algorithm>

namespace Velt {

namespace {

// The overlay box over the cell being edited.
class CellEditorDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem&,
                          const QModelIndex&) const override
    {
        auto* editor = new QLineEdit(parent);
        editor->setObjectName(QStringLiteral("EnumerationCellText"));
        editor->setFrame(false);
        return editor;
    }
};

constexpr QAbstractItemView::EditTriggers LabelEditTriggers = QAbstractItemView::DoubleClicked
    | QAbstractItemView::EditKeyPressed | QAbstractItemView::AnyKeyPressed;

} // namespace

ChoiceListView::ChoiceListView(ChoiceListModel* model, QWidget* parent)
    : QTableView(parent), m_model(model)
{
    setObjectName(QStringLiteral("EnumerationList"));
    setModel(model);
    setItemDelegate(new CellEditorDelegate(this));
    setSelectionMode(QAbstractItemView::ContiguousSelection);
    setEditTriggers(LabelEditTriggers);
    verticalHeader()->hide();
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    horizontalHeader()->setStretchLastSection(true);
    horizontalHeader()->setHighlightSections(false);
    setWordWrap(false);

    const auto add = [this](const QString& text, const char* name, QKeySequence keys,
                            void (ChoiceListView::*slot)()) {
        auto* action = new QAction(text, this);
        action->setObjectName(QString::fromLatin1(name));
        action->setShortcut(keys);
        action->setShortcutContext(Qt::WidgetShortcut);
        connect(action, &QAction::triggered, this, slot);
        addAction(action);
        m_actions << action;
    };
    add(tr("&Edit Cell"), "EditCellAction", QKeySequence(Qt::Key_F2), &ChoiceListView::editCell);
    add(tr("Cu&t"), "CutAction", QKeySequence::Cut, &ChoiceListView::cut);
    add(tr("&Copy"), "CopyAction", QKeySequence::Copy, &ChoiceListView::copy);
    add(tr("&Paste"), "PasteAction", QKeySequence::Paste, &ChoiceListView::paste);
    add(tr("C&lear"), "ClearAction", QKeySequence::Delete, &ChoiceListView::clear);
    add(tr("Select &All"), "SelectAllAction", QKeySequence::SelectAll, &QTableView::selectAll);
}

void ChoiceListView::setReadOnly(bool readOnly)
{
    m_model->setReadOnly(readOnly);
    setEditTriggers(readOnly ? QAbstractItemView::NoEditTriggers : LabelEditTriggers);
    for (QAction* action : std::as_const(m_actions)) {
        const QString name = action->objectName();
        if (name != u"CopyAction" && name != u"SelectAllAction")
            action->setEnabled(!readOnly);
    }
}

QList<int> ChoiceListView::selectedRows() const
{
    QList<int> rows;
    for (const QModelIndex& index : selectionModel()->selectedIndexes())
        rows << index.row();
    if (rows.isEmpty() && currentIndex().isValid())
        rows << currentIndex().row();
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    return rows;
}

void ChoiceListView::editCell()
{
    const QModelIndex current = currentIndex();
    if (current.isValid() && !m_model->isReadOnly())
        edit(m_model->index(current.row(), ChoiceListModel::LabelColumn));
}

void ChoiceListView::cut()
{
    copy();
    clear();
}

void ChoiceListView::copy()
{
    const QList<int> rows = selectedRows();
    if (!rows.isEmpty())
        QGuiApplication::clipboard()->setText(m_model->copyText(rows));
}

void ChoiceListView::paste()
{
    const QList<int> rows = selectedRows();
    if (rows.isEmpty())
        return;
    // One row chosen: the lines fill the list downwards; more: they fill the selection.
    const int room = rows.size() > 1 ? int(rows.size()) : m_model->rowCount() - rows.first();
    if (m_model->pasteText(rows.first(), room, QGuiApplication::clipboard()->text()) > 0)
        Q_EMIT moreOnClipboard();
}

void ChoiceListView::clear() { m_model->clearLabels(selectedRows()); }

void ChoiceListView::contextMenuEvent(QContextMenuEvent* event)
{
    QMenu menu(this);
    menu.addActions(m_actions);
    menu.exec(event->globalPos());
}

} // namespace Velt
