#include "arraygridview_p.h"

#include "arraygridmodel_p.h"

#include <QAbstractButton>
#include <QEvent>
#include <QHeaderView>
#include <QPainter>
#include <QStyleOptionHeader>

namespace Velt {

ArrayGridView::ArrayGridView(ArrayGridModel* model, const QString& gridName,
                             const QString& cellEditorName, QWidget* parent)
    : CellGridView(cellEditorName, parent), m_model(model)
{
    setObjectName(gridName);
    setAccessibleName(tr("Array values"));
    setModel(model);
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed
                    | QAbstractItemView::AnyKeyPressed);
    horizontalHeader()->setStretchLastSection(true);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setMinimumWidth(fontMetrics().horizontalAdvance(ArrayGridModel::cornerText()) + 12);
    // The corner is the header row's first cell: it reads "Index".
    if (auto* corner = findChild<QAbstractButton*>(QString(), Qt::FindDirectChildrenOnly))
        corner->installEventFilter(this);

    addCommand(tr("Cu&t"), "CutAction", QKeySequence::keyBindings(QKeySequence::Cut),
               [this] { Q_EMIT cutRequested(); });
    addCommand(tr("&Copy"), "CopyAction", QKeySequence::keyBindings(QKeySequence::Copy),
               [this] { Q_EMIT copyRequested(); });
    addCommand(tr("&Paste"), "PasteAction", QKeySequence::keyBindings(QKeySequence::Paste),
               [this] { Q_EMIT pasteRequested(); });
    addCommand(tr("Clear Co&ntents"), "ClearAction", {QKeySequence(QKeySequence::Delete)},
               [this] { Q_EMIT clearRequested(); });
    addCommand(tr("&Edit Cell"), "EditCellAction", {QKeySequence(Qt::Key_F2)},
               [this] { editCell(); });
    addCommand(tr("Select &All"), "SelectAllAction", {QKeySequence(QKeySequence::SelectAll)},
               [this] { selectAll(); });
}

QWidget* ArrayGridView::cellEditor() const
{
    return state() == EditingState ? indexWidget(currentIndex()) : nullptr;
}

void ArrayGridView::endCellEdit(bool store)
{
    QWidget* editor = cellEditor();
    if (!editor)
        return;
    if (store)
        commitData(editor);
    CellGridView::closeEditor(editor, QAbstractItemDelegate::NoHint);
}

void ArrayGridView::editCell()
{
    if (currentIndex().isValid() && !m_model->isReadOnly())
        edit(currentIndex());
}

void ArrayGridView::selectionCorners(int& top, int& left, int& bottom, int& right) const
{
    const QItemSelection selection = selectionModel()->selection();
    if (selection.isEmpty()) {
        top = bottom = currentIndex().row();
        left = right = currentIndex().column();
        return;
    }
    const QItemSelectionRange range = selection.first();
    top = range.top();
    left = range.left();
    bottom = range.bottom();
    right = range.right();
}

void ArrayGridView::selectCells(int top, int left, int bottom, int right)
{
    const QModelIndex first = m_model->index(top, left);
    selectionModel()->setCurrentIndex(first, QItemSelectionModel::NoUpdate);
    selectionModel()->select(QItemSelection(first, m_model->index(bottom, right)),
                             QItemSelectionModel::ClearAndSelect);
    scrollTo(first);
}

void ArrayGridView::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint)
{
    CellGridView::closeEditor(editor, hint);
    // Enter stores the cell (the delegate has committed it) and goes one row down.
    if (hint == QAbstractItemDelegate::SubmitModelCache) {
        const QModelIndex below = currentIndex().siblingAtRow(currentIndex().row() + 1);
        if (below.isValid()) {
            setCurrentIndex(below);
            scrollTo(below);
        }
    }
}

bool ArrayGridView::edit(const QModelIndex& index, EditTrigger trigger, QEvent* event)
{
    const bool opened = CellGridView::edit(index, trigger, event);
    if (opened && state() == EditingState) {
        if (QWidget* editor = indexWidget(index))
            Q_EMIT cellEditorOpened(editor);
    }
    return opened;
}

bool ArrayGridView::eventFilter(QObject* watched, QEvent* event)
{
    auto* corner = qobject_cast<QAbstractButton*>(watched);
    if (!corner || event->type() != QEvent::Paint)
        return CellGridView::eventFilter(watched, event);
    QStyleOptionHeader option;
    option.initFrom(corner);
    option.rect = corner->rect();
    option.text = ArrayGridModel::cornerText();
    option.textAlignment = Qt::AlignCenter;
    option.position = QStyleOptionHeader::OnlyOneSection;
    QPainter painter(corner);
    corner->style()->drawControl(QStyle::CE_Header, &option, &painter, corner);
    return true;
}

} // namespace Velt
