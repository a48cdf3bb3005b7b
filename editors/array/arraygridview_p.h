// ArrayGridView: the grid of an array editor over an ArrayGridModel. The header row and the
// index column are the view's headers, the corner shows "Index". Its commands ("Cu&t",
// "&Copy", "&Paste", "Clear Co&ntents", "&Edit Cell", "Select &All", in that order in its
// context menu) are reported as signals: the editor frame carries them out. Enter in the
// overlay box stores the cell and moves one row down; Escape drops the edit.
#pragma once

#include "cellgridview_p.h"

namespace Velt {

class ArrayGridModel;

class VELT_EXPORT ArrayGridView : public CellGridView
{
    Q_OBJECT

public:
    ArrayGridView(ArrayGridModel* model, const QString& gridName, const QString& cellEditorName,
                  QWidget* parent = nullptr);

    ArrayGridModel* arrayModel() const { return m_model; }
    using CellGridView::edit;

    // The overlay box of the edit in progress, or null.
    QWidget* cellEditor() const;
    // Ends an edit in progress, storing it or dropping it.
    void endCellEdit(bool store);
    void editCell();
    // The selection rectangle in places: the current cell when nothing is selected.
    void selectionCorners(int& top, int& left, int& bottom, int& right) const;
    // Selects a rectangle of places and makes its top left current.
    void selectCells(int top, int left, int bottom, int right);

Q_SIGNALS:
    void cutRequested();
    void copyRequested();
    void pasteRequested();
    void clearRequested();
    // An overlay box opened over a cell.
    void cellEditorOpened(QWidget* editor);

protected:
    void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;
    bool edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    ArrayGridModel* m_model;
};

} // namespace Velt
