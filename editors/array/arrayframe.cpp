// The behaviour of the array frame: bounds, indices, value entry, the clipboard commands and
// the status line (the controls are built in arrayeditorbase.cpp).
#include "arrayeditorbase_p.h"

#include "arraybuffer_p.h"
#include "arrayframefilter_p.h"
#include "arraygridmodel_p.h"
#include "arraygridview_p.h"
#include "busycursor.h"
#include "dialogpanel_p.h"
#include "platformservices.h"
#include "updown_p.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QScrollBar>
#include <QTabWidget>
#include <QTimer>

#include <algorithm>

namespace Velt {

namespace R = ArrayRules;

ArrayFrameFilter::ArrayFrameFilter(ArrayEditorBasePrivate* frame, QObject* parent)
    : QObject(parent), m_frame(frame)
{
}

bool ArrayFrameFilter::eventFilter(QObject* watched, QEvent* event)
{
    ArrayEditorBasePrivate* d = m_frame;
    if (watched == d->valueText && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            d->storeValue();
            return true;
        }
        if (key == Qt::Key_Escape) {
            d->dropValue();
            return true;
        }
        return false;
    }
    if (watched == d->indexText[0] && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Up || key == Qt::Key_Down) {
            d->stepIndex(key == Qt::Key_Up ? 1 : -1);
            return true;
        }
        return false;
    }
    return boundEvent(watched, event);
}

bool ArrayFrameFilter::boundEvent(QObject* watched, QEvent* event)
{
    ArrayEditorBasePrivate* d = m_frame;
    auto* box = qobject_cast<QLineEdit*>(watched);
    if (!box)
        return false;
    for (int dim = 0; dim < d->options.maxDimensions; ++dim) {
        const ArrayEditorBasePrivate::BoundRow& row = d->bounds[size_t(dim)];
        if (box != row.lower && box != row.upper)
            continue;
        const R::Side side = box == row.lower ? R::Side::Lower : R::Side::Upper;
        switch (event->type()) {
        case QEvent::FocusIn:
            QTimer::singleShot(0, box, &QLineEdit::selectAll);
            return false;
        case QEvent::FocusOut:
            d->applyBounds(dim);
            return false;
        case QEvent::KeyPress: {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if ((key != Qt::Key_Up && key != Qt::Key_Down) || box->isReadOnly())
                return false;
            d->stepBound(dim, side, key == Qt::Key_Up ? 1 : -1);
            return true;
        }
        default:
            return false;
        }
    }
    return false;
}

void ArrayEditorBasePrivate::wire()
{
    Q_Q(ArrayEditorBase);
    auto* filter = new ArrayFrameFilter(this, q);
    valueText->installEventFilter(filter);
    indexText[0]->installEventFilter(filter);

    for (int d = 0; d < options.maxDimensions; ++d) {
        BoundRow& row = bounds[size_t(d)];
        for (QLineEdit* box : {row.lower, row.upper}) {
            box->installEventFilter(filter);
            QObject::connect(box, &QLineEdit::textEdited, q, [this, d] { boundTyped(d); });
        }
        QObject::connect(row.lowerUpDown, &UpDown::up, q, [this, d] { stepBound(d, R::Side::Lower, 1); });
        QObject::connect(row.lowerUpDown, &UpDown::down, q, [this, d] { stepBound(d, R::Side::Lower, -1); });
        QObject::connect(row.upperUpDown, &UpDown::up, q, [this, d] { stepBound(d, R::Side::Upper, 1); });
        QObject::connect(row.upperUpDown, &UpDown::down, q, [this, d] { stepBound(d, R::Side::Upper, -1); });
        for (QCheckBox* check : {row.lowerLocked, row.upperLocked})
            QObject::connect(check, &QCheckBox::toggled, q, [this, d] { lockToggled(d); });
    }
    if (dimensionsCombo) {
        QObject::connect(dimensionsCombo, &QComboBox::currentTextChanged, q,
                         [this](const QString& text) { dimensionsChosen(text); });
    }

    for (int d = 0; d < 3; ++d) {
        if (indexText[size_t(d)]) {
            QObject::connect(indexText[size_t(d)], &QLineEdit::textEdited, q,
                             [this, d] { indexTyped(d); });
        }
    }
    QObject::connect(indexUpDown, &UpDown::up, q, [this] { stepIndex(1); });
    QObject::connect(indexUpDown, &UpDown::down, q, [this] { stepIndex(-1); });
    if (columnScroll) {
        QObject::connect(columnScroll, &QScrollBar::valueChanged, q, [this](int column) {
            if (m_settingTexts)
                return;
            const QModelIndex current = grid->currentIndex();
            grid->setCurrentIndex(model->index(std::max(current.row(), 0), column - buffer->lower(1)));
        });
        QObject::connect(planeScroll, &QScrollBar::valueChanged, q, [this](int plane) {
            if (m_settingTexts)
                return;
            endCellEdit(true);
            model->setPlane(plane);
            clipboard->setPlane(plane);
            currentMoved();
        });
    }

    QObject::connect(grid->selectionModel(), &QItemSelectionModel::currentChanged, q,
                     [this] { currentMoved(); });
    QObject::connect(model, &ArrayGridModel::cellRejected, q, [this](const QString& error) {
        showError(error);
        PlatformServices::instance().beep();
    });
    QObject::connect(model, &ArrayGridModel::cellEdited, q, [this](const QModelIndex& index) {
        if (index == grid->currentIndex())
            currentMoved();
        updateStatus();
    });
    QObject::connect(grid, &ArrayGridView::cellEditorOpened, q, [this](QWidget* editor) {
        auto* box = qobject_cast<QLineEdit*>(editor);
        if (!box)
            return;
        QObject::connect(box, &QLineEdit::textChanged, valueText, [this](const QString& text) {
            if (valueText->text() != text)
                valueText->setText(text);
            valueTyped(text);
        });
    });
    QObject::connect(valueText, &QLineEdit::textEdited, q, [this](const QString& text) {
        if (auto* box = qobject_cast<QLineEdit*>(grid->cellEditor()))
            box->setText(text);
        else
            valueTyped(text);
    });
    QObject::connect(cancelValue, &QAction::triggered, q, [this] { dropValue(); });
    QObject::connect(enterValue, &QAction::triggered, q, [this] { storeValue(); });
    QObject::connect(grid, &ArrayGridView::copyRequested, q, [this] { copy(); });
    QObject::connect(grid, &ArrayGridView::cutRequested, q, [this] { cut(); });
    QObject::connect(grid, &ArrayGridView::clearRequested, q, [this] { clear(); });
    QObject::connect(grid, &ArrayGridView::pasteRequested, q, [this] { paste(); });
    QObject::connect(tabs, &QTabWidget::currentChanged, q, [this] { updateStatus(); });
    clipboard->setPasteErrorText([this](const QString& error) { return pasteErrorText(error); });
}

// ---- loading

void ArrayEditorBasePrivate::loadFrame(int64_t limit, const QList<BoundLock>& locks)
{
    maxCount = limit;
    endCellEdit(false);
    model->reload();
    clipboard->setPlane(model->plane());
    const bool design = designTime();
    for (int d = 0; d < options.maxDimensions; ++d) {
        const BoundLock lock = d < locks.size() ? locks.at(d) : BoundLock::Lower;
        BoundRow& row = bounds[size_t(d)];
        row.lowerLocked->setChecked(ArrayLocks::locksLower(lock));
        row.upperLocked->setChecked(ArrayLocks::locksUpper(lock));
        row.lowerLocked->setEnabled(design);
        row.upperLocked->setEnabled(design);
        lockToggled(d);
    }
    showBounds();
    grid->selectCells(0, 0, 0, 0);
    currentMoved();
}

void ArrayEditorBasePrivate::showTab(Tab tab)
{
    tabs->setCurrentWidget(tab == ValuesTab ? valuesPage : dimensionsPage);
}

QList<BoundLock> ArrayEditorBasePrivate::locks() const
{
    QList<BoundLock> all;
    for (int d = 0; d < buffer->dimensions(); ++d) {
        const BoundRow& row = bounds[size_t(d)];
        all << ArrayLocks::fromChecks(row.lowerLocked->isChecked(), row.upperLocked->isChecked());
    }
    return all;
}

void ArrayEditorBasePrivate::showBounds()
{
    const ArrayShape shape = buffer->shape();
    m_settingTexts = true;
    for (int d = 0; d < options.maxDimensions; ++d) {
        const BoundRow& row = bounds[size_t(d)];
        row.lower->setText(QString::number(shape.spans[size_t(d)].lower));
        row.upper->setText(QString::number(shape.spans[size_t(d)].upper));
        row.lowerFrame->setVisible(d < shape.dimensions);
        row.upperFrame->setVisible(d < shape.dimensions);
    }
    if (dimensionsCombo)
        dimensionsCombo->setCurrentText(QString::number(shape.dimensions));
    const std::optional<int64_t> count = shape.count();
    totalText->setText(count ? QString::number(*count) : QString());
    if (columnScroll) {
        columnScroll->setRange(shape.spans[1].lower, shape.spans[1].upper);
        planeScroll->setRange(shape.spans[2].lower, shape.spans[2].upper);
        planeScroll->setValue(model->plane());
        for (int d = 1; d < 3; ++d)
            indexText[size_t(d)]->setEnabled(d < shape.dimensions);
        columnScroll->setEnabled(shape.dimensions > 1);
        planeScroll->setEnabled(shape.dimensions > 2);
    }
    m_settingTexts = false;
}

// ---- bounds

void ArrayEditorBasePrivate::boundTyped(int dimension)
{
    const BoundRow& row = bounds[size_t(dimension)];
    const R::BoundEntry entry = R::boundEntry(row.lower->text(), row.upper->text(),
                                              buffer->shape(), dimension, options.texts);
    if (!entry.total.isEmpty())
        totalText->setText(entry.total);
    if (!entry.error.isEmpty())
        showError(entry.error);
}

void ArrayEditorBasePrivate::applyBounds(int dimension)
{
    if (m_settingTexts || !buffer)
        return;
    const BoundRow& row = bounds[size_t(dimension)];
    const ArrayShape shape = buffer->shape();
    const Parsed<ArraySpan> span = R::validateBounds(row.lower->text(), row.upper->text(), shape,
                                                     dimension, maxCount, options.texts);
    if (!span.ok()) {
        showError(span.error);
        return;
    }
    if (span.value != shape.spans[size_t(dimension)]) {
        BusyCursor busy;
        endCellEdit(true);
        const QString refused = buffer->redimension(shape.with(dimension, span.value));
        if (!refused.isEmpty()) {
            showError(refused);
            return;
        }
        model->reload();
        clipboard->setPlane(model->plane());
        showBounds();
        shapeChanged();
        grid->selectCells(0, 0, 0, 0);
        currentMoved();
    }
    updateStatus();
}

void ArrayEditorBasePrivate::stepBound(int dimension, R::Side side, int step)
{
    const BoundRow& row = bounds[size_t(dimension)];
    QLineEdit* box = side == R::Side::Lower ? row.lower : row.upper;
    if (box->isReadOnly())
        return;
    const ArraySpan current = buffer->shape().spans[size_t(dimension)];
    const std::optional<int16_t> next = R::steppedBound(
        box->text(), side == R::Side::Lower ? current.lower : current.upper, step);
    if (!next)
        return;
    box->setText(QString::number(*next));
    applyBounds(dimension);
    box->selectAll();
}

void ArrayEditorBasePrivate::lockToggled(int dimension)
{
    const BoundRow& row = bounds[size_t(dimension)];
    const auto lock = [](QLineEdit* box, UpDown* steps, bool locked) {
        box->setReadOnly(locked);
        box->setFocusPolicy(locked ? Qt::NoFocus : Qt::StrongFocus);
        DialogPanel::setInputColour(box, !locked);
        steps->setEnabled(!locked);
    };
    lock(row.lower, row.lowerUpDown, row.lowerLocked->isChecked());
    lock(row.upper, row.upperUpDown, row.upperLocked->isChecked());
}

void ArrayEditorBasePrivate::dimensionsChosen(const QString& text)
{
    if (m_settingTexts)
        return;
    const Parsed<int> number = R::readDimensions(text, options.texts);
    if (!number.ok()) {
        showError(number.error);
        return;
    }
    ArrayShape shape = buffer->shape();
    if (number.value == shape.dimensions)
        return updateStatus();
    for (int d = 0; d < MaxArrayDimensions; ++d) {
        if (d >= number.value || d >= shape.dimensions)
            shape.spans[size_t(d)] = {};
    }
    shape.dimensions = number.value;
    const QString total = R::totalError(shape, maxCount, options.texts);
    if (!total.isEmpty())
        return showError(total);
    BusyCursor busy;
    endCellEdit(true);
    const QString refused = buffer->redimension(shape);
    if (!refused.isEmpty())
        return showError(refused);
    model->reload();
    clipboard->setPlane(model->plane());
    // Every dimension in use starts from the default locks.
    for (int d = 0; d < number.value; ++d) {
        bounds[size_t(d)].lowerLocked->setChecked(true);
        bounds[size_t(d)].upperLocked->setChecked(false);
    }
    showBounds();
    shapeChanged();
    grid->selectCells(0, 0, 0, 0);
    currentMoved();
    updateStatus();
}

QString ArrayEditorBasePrivate::boundsError() const
{
    ArrayShape shape = buffer->shape();
    for (int d = 0; d < shape.dimensions; ++d) {
        const BoundRow& row = bounds[size_t(d)];
        const Parsed<ArraySpan> span = R::readSpan(row.lower->text(), row.upper->text(), options.texts);
        if (!span.ok())
            return span.error;
        shape.spans[size_t(d)] = span.value;
    }
    return R::totalError(shape, maxCount, options.texts);
}

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
    if (result.moreOnClipboard)
        showStatus(ArrayClipboard::moreDataMessage());
    else if (!result.pasted.isEmpty())
        grid->selectCells(result.pasted.top, result.pasted.left, result.pasted.bottom,
                          result.pasted.right);
}

} // namespace Velt
