// The behaviour of the array frame: the wiring of its controls, loading, bounds, the number of
// dimensions and the status line (the controls are built in arrayeditorbase.cpp; indices, value
// entry and the clipboard commands are in arraycommands.cpp).
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
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QScrollBar>
#include <QTabWidget>

#include <algorithm>

namespace Velt {

namespace R = ArrayRules;

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
            valuesChanged();
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
        valuesChanged();
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

} // namespace Velt
