// ChoiceListView: the EnumerationList grid of the integer editor over a ChoiceListModel. A
// label is edited in an overlay box laid over its cell (the line edit "EnumerationCellText").
// Its context menu and keys offer edit cell, cut, copy, paste, clear and select all; the
// clipboard carries labels as text lines. A paste with more lines than the selected rows fills
// the selection and reports it through moreOnClipboard(). A read-only grid (its model is made
// read-only with it) only shows, selects and copies.
#pragma once

#include "cellgridview_p.h"

namespace Velt {

class ChoiceListModel;

class VELT_EXPORT ChoiceListView : public CellGridView
{
    Q_OBJECT

public:
    explicit ChoiceListView(ChoiceListModel* model, QWidget* parent = nullptr);

    // Outside design time: no cell is edited, and cut, paste and clear are off.
    void setReadOnly(bool readOnly);

    // The rows touched by the selection (the current row when nothing is selected), ascending.
    QList<int> selectedRows() const;

    void editCell();
    void cut();
    void copy();
    void paste();
    void clear();

    // The context menu's actions are named "EditCellAction", "CutAction", "CopyAction",
    // "PasteAction", "ClearAction" and "SelectAllAction".

Q_SIGNALS:
    void moreOnClipboard();

private:
    ChoiceListModel* m_model;
};

} // namespace Velt
