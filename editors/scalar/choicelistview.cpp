#include "choicelistview_p.h"

#include "choicelistmodel_p.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QHeaderView>

#include <algorithm>

namespace Velt {

namespace {

constexpr QAbstractItemView::EditTriggers LabelEditTriggers = QAbstractItemView::DoubleClicked
    | QAbstractItemView::EditKeyPressed | QAbstractItemView::AnyKeyPressed;

} // namespace

ChoiceListView::ChoiceListView(ChoiceListModel* model, QWidget* parent)
    : CellGridView(QStringLiteral("EnumerationCellText"), parent), m_model(model)
{
    setObjectName(QStringLiteral("EnumerationList"));
    setModel(model);
    setEditTriggers(LabelEditTriggers);
    verticalHeader()->hide();
    horizontalHeader()->setStretchLastSection(true);

    addCommand(tr("&Edit Cell"), "EditCellAction", {QKeySequence(Qt::Key_F2)}, [this] { editCell(); });
    addCommand(tr("Cu&t"), "CutAction", QKeySequence::keyBindings(QKeySequence::Cut), [this] { cut(); });
    addCommand(tr("&Copy"), "CopyAction", QKeySequence::keyBindings(QKeySequence::Copy), [this] { copy(); });
    addCommand(tr("&Paste"), "PasteAction", QKeySequence::keyBindings(QKeySequence::Paste), [this] { paste(); });
    addCommand(tr("C&lear"), "ClearAction", {QKeySequence(QKeySequence::Delete)}, [this] { clear(); });
    addCommand(tr("Select &All"), "SelectAllAction", {QKeySequence(QKeySequence::SelectAll)}, [this] { selectAll(); });
}

void ChoiceListView::setReadOnly(bool readOnly)
{
    m_model->setReadOnly(readOnly);
    setEditTriggers(readOnly ? QAbstractItemView::NoEditTriggers : LabelEditTriggers);
    const QList<QAction*> actions = menuActions();
    for (QAction* action : actions) {
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

} // namespace Velt
