#include "parmblockeditor_p.h"

#include "qtstrings.h"
#include "symboldialogs.h"

#include <QKeyEvent>
#include <QMenu>
#include <QTreeView>

using namespace Velt;
using Session = ParmBlockSession;

QModelIndex ParmBlockEditor::Private::neighbour(int column, bool down) const
{
    QModelIndex index = editIndex.isValid() ? QModelIndex(editIndex) : view->currentIndex();
    for (index = down ? view->indexBelow(index) : view->indexAbove(index); index.isValid();
         index = down ? view->indexBelow(index) : view->indexAbove(index)) {
        const int field = ParmBlockModel::fieldIndex(index);
        if ((column == Session::ValueColumn || field == 0)
            && editCellEnabled(column, ParmBlockModel::parameterRow(index), field))
            return index;
    }
    return {};
}

void ParmBlockEditor::Private::editorKey(int column, int* keyCode, int shift)
{
    const Quiet guard(this);
    const int key = *keyCode;
    const bool shifted = shift & 1;
    if (key == Qt::Key_Escape || (key == Qt::Key_Pause && (shift & 2)) || key == Qt::Key_Cancel
        || (key == Qt::Key_F2 && shifted)) {
        *keyCode = 0;
        closeEditors(false);
        return;
    }
    if (!isEnter(key))
        return;
    *keyCode = 0;
    if (column == Session::NameColumn) {
        closeEditors(true);
        return;
    }
    // Accepting may rebuild the rows: find the next cell by its path of row numbers first.
    const QModelIndex next = neighbour(column, !shifted);
    const int nextRow = ParmBlockModel::parameterRow(next);
    const int nextField = ParmBlockModel::fieldIndex(next);
    closeEditors(true);
    if (next.isValid() && editCellEnabled(column, nextRow, nextField)) {
        openEditor(column, nextRow, nextField);
        testSelected();
    } else {
        beep();
    }
}

void ParmBlockEditor::Private::moveColumn(int delta)
{
    int column = currentColumn();
    do
        column += delta;
    while (column >= 0 && column < Session::ColumnCount && view->isColumnHidden(column));
    if (currentRow() >= 0 && column >= 0 && column < Session::ColumnCount)
        setCurrent(currentRow(), currentField(), column);
}

bool ParmBlockEditor::Private::listKey(QKeyEvent* event)
{
    const int key = event->key();
    const Qt::KeyboardModifiers mods = event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
    const bool ctrl = mods == Qt::ControlModifier;
    const bool shift = mods == Qt::ShiftModifier;
    // The limits' set is fixed: these keys run no command there.
    if (limits && (key == Qt::Key_Insert || key == Qt::Key_Delete || (ctrl && (key == Qt::Key_X || key == Qt::Key_V))))
        return true;
    if (mods == Qt::NoModifier && (key == Qt::Key_F2 || isEnter(key))) {
        if (editCellEnabled(currentColumn(), currentRow(), currentField()))
            openEditor(currentColumn(), currentRow(), currentField());
        else
            beep();
        return true;
    }
    if ((key == Qt::Key_F10 && shift) || key == Qt::Key_Menu) {
        q->ShowEditMenu();
        return true;
    }
    if (mods == Qt::NoModifier || shift) {
        switch (key) {
        case Qt::Key_Left:
        case Qt::Key_Right:
            if (mods != Qt::NoModifier)
                return false;
            moveColumn(key == Qt::Key_Left ? -1 : 1);
            return true;
        case Qt::Key_Plus:
        case Qt::Key_Minus:
            view->setExpanded(view->currentIndex().siblingAtColumn(0), key == Qt::Key_Plus);
            return true;
        case Qt::Key_Insert:
            if (shift)
                q->Paste(0);
            else if (q->InsertNewEnabled(0))
                q->InsertNew(0);
            return true;
        case Qt::Key_Delete:
            if (shift)
                q->Cut(0);
            else if (q->DeleteEnabled(0))
                q->Delete(0);
            return true;
        case Qt::Key_Tab:
        case Qt::Key_Backtab: {
            const bool forward = key == Qt::Key_Tab;
            const int before = currentColumn();
            moveColumn(forward ? 1 : -1);
            if (currentColumn() == before || currentRow() < 0)
                (forward ? forwardOut : backwardOut)->pass(forward);
            return true;
        }
        default:
            return false;
        }
    }
    if (ctrl) {
        switch (key) {
        case Qt::Key_C:
            q->Copy(0);
            return true;
        case Qt::Key_X:
            q->Cut(0);
            return true;
        case Qt::Key_V:
            q->Paste(0);
            return true;
        case Qt::Key_Z:
            if (q->UndoEnabled())
                q->Undo();
            return true;
        case Qt::Key_A:
            if (view->selectionMode() == QAbstractItemView::ExtendedSelection)
                view->selectAll();
            return true;
        default:
            return false;
        }
    }
    return false;
}

template <typename Add>
void ParmBlockEditor::Private::addReferenceItems(const Add& add)
{
    const bool referable = q->ReferenceSymbolEnabled(0);
    add("ParmList_ReferenceSymbolMenuItem", QStringLiteral("Reference a Symbol"), referable,
        [this] { q->ReferenceSymbol(0); });
    QMenu* tables = tablesMenu;
    tables->clear();
    menu->addMenu(tables);
    tables->menuAction()->setEnabled(referable);
    const int32_t registered = QuenTableRegGetSize();
    for (int32_t i = 1; i <= registered; ++i) {
        if (!QuenTableRegIsPublic(i))
            continue;
        const QuenHandle table = QuenTableRegGetTable(i);
        QAction* item = tables->addAction(QStringLiteral("In ") + quen::toQString(QuenTableGetName(table))
                                          + QStringLiteral(" ..."));
        item->setObjectName(QStringLiteral("ParmList_InTableNMenuItem"));
        item->setData(int(table));
        QObject::connect(item, &QAction::triggered, q, [this, table] { referenceNewSymbol(table); });
    }
    if (tables->isEmpty()) {
        QAction* none = tables->addAction(QStringLiteral("<no tables>"));
        none->setObjectName(QStringLiteral("ParmList_InTableNMenuItem"));
        none->setEnabled(false);
    }
    add("ParmList_ProvideValueMenuItem", QStringLiteral("Provide a Value"), q->ProvideValueEnabled(0),
        [this] { q->ProvideValue(0); });
}

void ParmBlockEditor::Private::showMenu(const QPoint& globalPos)
{
    closeEditors(true);
    menu->clear();
    const QString noun = session.noun();
    const auto add = [this](const char* name, const QString& caption, bool enabled, auto&& slot) {
        QAction* action = menu->addAction(caption);
        action->setObjectName(QString::fromLatin1(name));
        action->setEnabled(enabled);
        QObject::connect(action, &QAction::triggered, q, slot);
        return action;
    };
    static const char* const cellCaptions[] = { "Rename ", "Modify Value", "Change Data Type", "Edit Description" };
    const int column = currentColumn();
    const QString cellCaption = QString::fromLatin1(cellCaptions[column]) + (column == 0 ? noun : QString());
    const auto addEditCell = [&] {
        add("ParmList_EditCellMenuItem", cellCaption, q->EditCellEnabled(column, 0, -1),
            [this, column] { q->EditCell(column, 0, -1); });
    };
    add("ParmList_UndoMenuItem", QStringLiteral("Undo"), q->UndoEnabled(), [this] { q->Undo(); });
    if (limits) {
        add("ParmList_CopyMenuItem", QStringLiteral("Copy"), q->CopyEnabled(0), [this] { q->Copy(0); });
        addEditCell();
        addReferenceItems(add);
        add("ParmList_PropertiesMenuItem", QStringLiteral("Properties"), currentRow() >= 0, [this] { showProperties(); });
        menu->popup(globalPos);
        return;
    }
    menu->addSeparator();
    add("ParmList_NewMenuItem", QStringLiteral("Insert New ") + noun, q->InsertNewEnabled(0),
        [this] { q->InsertNew(0); });
    menu->addSeparator();
    add("ParmList_CutMenuItem", QStringLiteral("Cut"), q->CutEnabled(0), [this] { q->Cut(0); });
    add("ParmList_CopyMenuItem", QStringLiteral("Copy"), q->CopyEnabled(0), [this] { q->Copy(0); });
    add("ParmList_PasteMenuItem", QStringLiteral("Paste"), q->PasteEnabled(0), [this] { q->Paste(0); });
    add("ParmList_DeleteMenuItem", QStringLiteral("Delete"), q->DeleteEnabled(0), [this] { q->Delete(0); });
    menu->addSeparator();
    addEditCell();
    menu->addSeparator();
    add("ParmList_MoveUpMenuItem", QStringLiteral("Move Up"), q->MoveUpEnabled(0), [this] { q->MoveUp(0); });
    add("ParmList_MoveDownMenuItem", QStringLiteral("Move Down"), q->MoveDownEnabled(0), [this] { q->MoveDown(0); });
    menu->addSeparator();
    addReferenceItems(add);
    add("ParmList_ResetToDefaultMenuItem", QStringLiteral("Reset To Default"), q->ResetToDefaultEnabled(0),
        [this] { q->ResetToDefault(0); });
    menu->addSeparator();
    add("ParmList_PropertiesMenuItem", QStringLiteral("Properties"), currentRow() >= 0,
        [this] { showProperties(); });
    menu->popup(globalPos);
}

void ParmBlockEditor::Private::referenceNewSymbol(QuenHandle table)
{
    const int row = currentRow();
    if (row < 0 || !q->ReferenceSymbolEnabled(0))
        return;
    const QString tableName = quen::toQString(QuenTableGetName(table));
    SymbolDialogs dialogs;
    const QString symbol = dialogs.InsertNewSymbolDialog(tableName, session.dataClass(row));
    if (!symbol.isEmpty())
        q->ReferenceSymbol(row + 1, symbol, tableName);
}

void ParmBlockEditor::Private::showProperties()
{
    const QModelIndexList rows = view->selectionModel()->selectedRows();
    QStringList lines;
    for (const QModelIndex& index : rows) {
        if (index.parent().isValid())
            continue;
        const int row = index.row();
        const QuenHandle parm = session.row(row).parm;
        lines << session.name(row) + QStringLiteral(": ") + session.dataType(row)
                        + (QuenParmIsOutput(parm) ? QStringLiteral(", output") : QString())
                        + (QuenParmIsReference(parm) ? QStringLiteral(", reference") : QString())
                        + (session.description(row).isEmpty() ? QString() : QStringLiteral(" - ") + session.description(row));
    }
    if (!lines.isEmpty())
        PlatformServices::instance().messageBox(lines.join(QLatin1Char('\n')), PlatformServices::Information,
                                                QStringLiteral("Properties"), q);
}
