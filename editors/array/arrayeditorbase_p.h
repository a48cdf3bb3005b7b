// The private part of ArrayEditorBase, from which each array member's private part derives.
//
// A member: fills `options` and `buffer`, calls buildFrame() in its constructor, adds its own
// tabs to `tabs`, and hands `frame` to setPanel(). In BeginEdit it fills its buffer, then calls
// loadFrame() and showTab(); in AcceptEdit it reads the buffer, locks() and its own controls.
// What differs by member comes through the virtual hooks below; the frame does the rest.
#pragma once

#include "arrayclipboard_p.h"
#include "arrayeditorbase.h"
#include "arrayrules_p.h"
#include "typeeditorbase_p.h"

#include <QList>
#include <QString>

#include <array>
#include <memory>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QScrollBar;
class QTabWidget;
class QToolBar;
class QAction;

namespace Velt {

class ArrayBuffer;
class ArrayGridModel;
class ArrayGridView;
class UpDown;

struct ArrayFrameOptions
{
    ArrayTexts texts = ArrayTexts::stringFamily();
    // 1: one index box (IndexText); 3: DimensionsCombo and the row, column and plane index
    // boxes (RowIndexText, ColumnIndexText, PlaneIndexText).
    int maxDimensions = 1;
    QString gridName;        // e.g. "StringArrayList"
    QString cellEditorName;  // the overlay box, e.g. "StringArrayEditText"
};

class VELT_EXPORT ArrayEditorBasePrivate : public TypeEditorBasePrivate
{
    Q_DECLARE_PUBLIC(ArrayEditorBase)

public:
    ArrayEditorBasePrivate();
    ~ArrayEditorBasePrivate() override;

    enum Tab { ValuesTab, DimensionsTab };

    // ---- set by the member before buildFrame()
    ArrayFrameOptions options;
    std::unique_ptr<ArrayBuffer> buffer;

    // ---- what the member calls
    void buildFrame();
    // After the buffer was filled: the bounds, the grid from its first cell, the locks (their
    // boxes take input only at design time) and the element limit.
    void loadFrame(int64_t maxCount, const QList<BoundLock>& locks);
    void showTab(Tab tab);
    QList<BoundLock> locks() const;
    // The status line: the first of the number of dimensions' error, the bounds error, the
    // total error, contentError() and the index error; statusText() when there is none.
    void updateStatus();
    // The buffer's texts changed (a view, a restriction): the grid and ValueText read again.
    void refreshCells();
    void endCellEdit(bool store);
    ArrayCell currentCell() const;

    // ---- the member's hooks
    // The status line when nothing is in error.
    virtual QString statusText() const { return {}; }
    // An error of the values themselves, checked after the bounds and before the index.
    virtual QString contentError() const { return {}; }
    // What the host shows while a cell's text is typed (default: the buffer's refusal).
    virtual QString entryError(const ArrayCell& cell, const QString& text) const;
    // How Paste words a cell that does not read.
    virtual QString pasteErrorText(const QString& cellError) const { return cellError; }
    // After the buffer took new bounds or a new number of dimensions.
    virtual void shapeChanged() { }
    // After a cell edit, a paste or a clear, and when another plane is shown (a chart follows).
    virtual void valuesChanged() { }

    // ---- the frame's controls
    QWidget* frame = nullptr;
    QTabWidget* tabs = nullptr;
    QWidget* valuesPage = nullptr;
    QWidget* dimensionsPage = nullptr;
    ArrayGridModel* model = nullptr;
    ArrayGridView* grid = nullptr;
    std::array<QLineEdit*, 3> indexText{};   // IndexText, or RowIndexText, ColumnIndexText, PlaneIndexText
    UpDown* indexUpDown = nullptr;           // IndexUpDown / RowIndexUpDown
    QScrollBar* columnScroll = nullptr;      // ColumnIndexScroll
    QScrollBar* planeScroll = nullptr;       // PlaneIndexScroll
    QLineEdit* valueText = nullptr;
    QToolBar* valueToolbar = nullptr;
    QAction* cancelValue = nullptr;          // button 1
    QAction* enterValue = nullptr;           // button 2
    QComboBox* dimensionsCombo = nullptr;    // numeric members only
    QLineEdit* totalText = nullptr;

    struct BoundRow
    {
        QGroupBox* lowerFrame = nullptr;
        QGroupBox* upperFrame = nullptr;
        QLineEdit* lower = nullptr;
        QLineEdit* upper = nullptr;
        QCheckBox* lowerLocked = nullptr;
        QCheckBox* upperLocked = nullptr;
        UpDown* lowerUpDown = nullptr;
        UpDown* upperUpDown = nullptr;
    };
    std::array<BoundRow, 3> bounds{};

    int64_t maxCount = 0;
    std::unique_ptr<ArrayClipboard> clipboard;

private:
    friend class ArrayFrameFilter;

    QWidget* buildValuesPage();
    QWidget* buildDimensionsPage();
    void wire();

    // Bounds.
    void boundTyped(int dimension);
    void applyBounds(int dimension);
    void stepBound(int dimension, ArrayRules::Side side, int step);
    void lockToggled(int dimension);
    void showBounds();
    void dimensionsChosen(const QString& text);
    // Indices.
    void indexTyped(int dimension);
    void stepIndex(int step);
    void currentMoved();
    QString indexError() const;
    QString boundsError() const;
    // Value entry.
    void valueTyped(const QString& text);
    void storeValue();
    void dropValue();
    // Clipboard commands.
    CellRect selection() const;
    void copy();
    void cut();
    void clear();
    void paste();

    bool m_settingTexts = false; // texts set by the frame, not typed
};

} // namespace Velt
