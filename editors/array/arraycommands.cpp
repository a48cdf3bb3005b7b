// The array frame's indices, value entry and clipboard commands.
#include "arrayeditorbase_p.h"

#include "arraybuffer_p.h"
#include "arraygridmodel_p.h"
#include "arraygridview_p.h"
#include "platformservices.h"

#include <QAction>
#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QLineEdit>
#include <QScrollBar>

#include <algorithm>

namespace Velt {

namespace R = ArrayRules;

// ---- indices

void ArrayEditorBasePrivate::indexTyped(int dimension)
{
    endCellEdit(true);
    const BoundRow& row = bounds[size_t(dimension)];
    const Parsed<int16_t> index = R::validateIndex(indexText[size_t(dimension)]->text(),
                                                   row.lower->text(), row.upper->text(),
                                                   options.texts);
    if (!index.ok())
        return showError(index.error);
    ArrayCell cell = currentCell();
    if (dimension == 2) {
        model->setPlane(index.value);
        clipboard->setPlane(index.value);
        m_settingTexts = true;
        planeScroll->setValue(index.value);
        m_settingTexts = false;
        valuesChanged();
    } else {
        (dimension == 0 ? cell.row : cell.column) = index.value;
    }
    m_settingTexts = true; // the box keeps what was typed
    grid->setCurrentIndex(model->indexOf({cell.row, cell.column, model->plane()}));
    currentMoved();
    m_settingTexts = false;
}

void ArrayEditorBasePrivate::stepIndex(int step)
{
    endCellEdit(true);
    const QModelIndex current = grid->currentIndex();
    const int row = std::clamp(current.row() + step, 0, model->rowCount() - 1);
    grid->setCurrentIndex(model->index(row, std::max(current.column(), 0)));
    grid->scrollTo(grid->currentIndex());
    indexText[0]->selectAll();
}

ArrayCell ArrayEditorBasePrivate::currentCell() const
{
    const QModelIndex current = grid->currentIndex();
    return model->cellAt(current.isValid() ? current : model->index(0, 0));
}

void ArrayEditorBasePrivate::currentMoved()
{
    const ArrayCell cell = currentCell();
    const std::array<int, 3> indices{cell.row, cell.column, cell.plane};
    if (!m_settingTexts) {
        m_settingTexts = true;
        for (int d = 0; d < 3; ++d) {
            if (indexText[size_t(d)])
                indexText[size_t(d)]->setText(QString::number(indices[size_t(d)]));
        }
        if (columnScroll)
            columnScroll->setValue(cell.column);
        m_settingTexts = false;
    }
    if (!grid->cellEditor())
        valueText->setText(buffer->cellText(cell));
    updateStatus();
}

QString ArrayEditorBasePrivate::indexError() const
{
    for (int d = 0; d < buffer->dimensions() && d < 3; ++d) {
        if (!indexText[size_t(d)])
            break;
        const BoundRow& row = bounds[size_t(d)];
        const Parsed<int16_t> index = R::validateIndex(indexText[size_t(d)]->text(),
                                                       row.lower->text(), row.upper->text(),
                                                       options.texts);
        if (!index.ok())
            return index.error;
    }
    return {};
}

void ArrayEditorBasePrivate::updateStatus()
{
    if (!buffer || !item)
        return;
    QString error = dimensionsCombo
        ? R::readDimensions(dimensionsCombo->currentText(), options.texts).error
        : QString();
    if (error.isEmpty())
        error = boundsError();
    if (error.isEmpty())
        error = contentError();
    if (error.isEmpty())
        error = indexError();
    showMessages(error, error.isEmpty() ? statusText() : QString());
}

void ArrayEditorBasePrivate::refreshCells()
{
    model->refresh();
    if (!grid->cellEditor())
        valueText->setText(buffer->cellText(currentCell()));
}

// ---- value entry

QString ArrayEditorBasePrivate::entryError(const ArrayCell& cell, const QString& text) const
{
    return buffer->checkCellText(cell, text);
}

void ArrayEditorBasePrivate::valueTyped(const QString& text)
{
    const QString error = entryError(currentCell(), text);
    if (!error.isEmpty())
        showError(error);
    else
        updateStatus();
}

void ArrayEditorBasePrivate::endCellEdit(bool store) { grid->endCellEdit(store); }

void ArrayEditorBasePrivate::storeValue()
{
    if (grid->cellEditor()) {
        grid->endCellEdit(true);
    } else if (grid->currentIndex().isValid() && !model->isReadOnly()) {
        model->setData(grid->currentIndex(), valueText->text());
    }
    valueText->setText(buffer->cellText(currentCell()));
}

void ArrayEditorBasePrivate::dropValue()
{
    grid->endCellEdit(false);
    valueText->setText(buffer->cellText(currentCell()));
    updateStatus();
}

// ---- clipboard commands

CellRect ArrayEditorBasePrivate::selection() const
{
    CellRect rect;
    grid->selectionCorners(rect.top, rect.left, rect.bottom, rect.right);
    return rect;
}

void ArrayEditorBasePrivate::copy()
{
    const CellRect rect = selection();
    if (rect.isEmpty() || rect.top < 0)
        return;
    QClipboard* system = QGuiApplication::clipboard();
    system->clear();
    system->setText(clipboard->copyText(rect));
}

void ArrayEditorBasePrivate::cut()
{
    copy();
    clear();
}

void ArrayEditorBasePrivate::clear()
{
    const CellRect rect = selection();
    if (rect.isEmpty() || rect.top < 0 || model->isReadOnly())
        return;
    clipboard->clear(rect);
    refreshCells();
    updateStatus();
    valuesChanged();
}

void ArrayEditorBasePrivate::paste()
{
    const CellRect rect = selection();
    if (rect.isEmpty() || rect.top < 0 || model->isReadOnly())
        return;
    grid->setFocus();
    showError(QString());
    const QString text = QGuiApplication::clipboard()->text();
    ArrayClipboard::PasteResult result = clipboard->paste(rect, text, true);
    if (result.error.isEmpty())
        result = clipboard->paste(rect, text, false);
    if (!result.error.isEmpty()) {
        showError(result.error);
        PlatformServices::instance().beep();
        return;
    }
    refreshCells();
    updateStatus();
    valuesChanged();
    if (result.moreOnClipboard)
        showStatus(ArrayClipboard::moreDataMessage());
    else if (!result.pasted.isEmpty())
        grid->selectCells(result.pasted.top, result.pasted.left, result.pasted.bottom,
                          result.pasted.right);
}

} // namespace Velt
