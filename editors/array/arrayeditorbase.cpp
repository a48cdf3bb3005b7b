#include "arrayeditorbase_p.h"

#include "arraybuffer_p.h"
#include "arrayframefilter_p.h"
#include "arraygridmodel_p.h"
#include "arraygridview_p.h"
#include "dialogpanel_p.h"
#include "updown_p.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QTabWidget>
#include <QToolBar>
#include <QVBoxLayout>

namespace Velt {

namespace {

QString tr(const char* text) { return QCoreApplication::translate("ArrayEditor", text); }

// The words that name dimension d in captions and accessible names.
QString dimensionWord(int d)
{
    static const char* const words[] = {"Rows", "Columns", "Planes"};
    return tr(words[d]);
}

template <typename T>
T* indexed(T* control, int d)
{
    control->setProperty("Index", d);
    return control;
}

} // namespace

ArrayEditorBasePrivate::ArrayEditorBasePrivate() = default;
ArrayEditorBasePrivate::~ArrayEditorBasePrivate() = default;

void ArrayEditorBasePrivate::buildFrame()
{
    Q_Q(ArrayEditorBase);
    model = new ArrayGridModel(buffer.get(), q);
    clipboard = std::make_unique<ArrayClipboard>(*buffer);
    frame = DialogPanel::panel("ArrayFrame");
    tabs = new QTabWidget(frame);
    tabs->setObjectName(QStringLiteral("ArrayTabs"));
    DialogPanel::columnOf(frame)->addWidget(tabs);
    valuesPage = buildValuesPage();
    dimensionsPage = buildDimensionsPage();
    tabs->addTab(valuesPage, tr("Values"));
    tabs->addTab(dimensionsPage, tr("Dimensions"));
    wire();
}

QWidget* ArrayEditorBasePrivate::buildValuesPage()
{
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("ValuesPage"));
    auto* column = new QVBoxLayout(page);
    grid = new ArrayGridView(model, options.gridName, options.cellEditorName, page);
    column->addWidget(grid, 1);

    auto* indices = new QHBoxLayout;
    column->addLayout(indices);
    const bool many = options.maxDimensions > 1;
    static const char* const names[] = {"RowIndexText", "ColumnIndexText", "PlaneIndexText"};
    static const char* const captions[] = {"&Row:", "Col&umn:", "P&lane:"};
    for (int d = 0; d < (many ? 3 : 1); ++d) {
        indexText[size_t(d)] = DialogPanel::lineEdit(page, many ? names[d] : "IndexText");
        indexText[size_t(d)]->setAccessibleName(many ? dimensionWord(d) + tr(" index") : tr("Index"));
        indices->addWidget(DialogPanel::label(many ? tr(captions[d]) : tr("&Index:"),
                                              indexText[size_t(d)], page));
        indices->addWidget(indexText[size_t(d)]);
        if (d == 0) {
            indexUpDown = new UpDown(page);
            indexUpDown->setObjectName(QString::fromLatin1(many ? "RowIndexUpDown" : "IndexUpDown"));
            indices->addWidget(indexUpDown);
        }
    }
    if (many) {
        columnScroll = new QScrollBar(Qt::Horizontal, page);
        columnScroll->setObjectName(QStringLiteral("ColumnIndexScroll"));
        planeScroll = new QScrollBar(Qt::Horizontal, page);
        planeScroll->setObjectName(QStringLiteral("PlaneIndexScroll"));
        for (QScrollBar* scroll : {columnScroll, planeScroll}) {
            scroll->setFocusPolicy(Qt::NoFocus);
            scroll->setMinimumWidth(60);
        }
        indices->insertWidget(indices->indexOf(indexText[1]) + 1, columnScroll);
        indices->addWidget(planeScroll);
    }
    indices->addStretch(1);

    auto* entry = new QHBoxLayout;
    column->addLayout(entry);
    valueText = DialogPanel::lineEdit(page, "ValueText");
    valueText->setAccessibleName(tr("Value"));
    entry->addWidget(DialogPanel::label(tr("&Value:"), valueText, page));
    entry->addWidget(valueText, 1);
    valueToolbar = new QToolBar(page);
    valueToolbar->setObjectName(QStringLiteral("ValueToolbar"));
    valueToolbar->setIconSize(QSize(16, 16));
    cancelValue = valueToolbar->addAction(q_func()->style()->standardIcon(QStyle::SP_DialogCancelButton), tr("Cancel"));
    cancelValue->setObjectName(QStringLiteral("CancelValueButton"));
    cancelValue->setToolTip(tr("Press to cancel changes"));
    enterValue = valueToolbar->addAction(q_func()->style()->standardIcon(QStyle::SP_DialogApplyButton), tr("Enter"));
    enterValue->setObjectName(QStringLiteral("EnterValueButton"));
    enterValue->setToolTip(tr("Press to enter changes made"));
    entry->addWidget(valueToolbar);
    return page;
}

QWidget* ArrayEditorBasePrivate::buildDimensionsPage()
{
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("DimensionsPage"));
    auto* layout = new QGridLayout(page);
    int row = 0;
    if (options.maxDimensions > 1) {
        dimensionsCombo = new QComboBox(page);
        dimensionsCombo->setObjectName(QStringLiteral("DimensionsCombo"));
        dimensionsCombo->setEditable(true);
        dimensionsCombo->addItems({QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3")});
        dimensionsCombo->setAccessibleName(tr("Number of dimensions"));
        auto* label = new QLabel(tr("Number of dimensions:"), page);
        label->setBuddy(dimensionsCombo);
        layout->addWidget(label, row, 0);
        layout->addWidget(dimensionsCombo, row, 1);
        ++row;
    }
    const bool many = options.maxDimensions > 1;
    for (int d = 0; d < options.maxDimensions; ++d) {
        BoundRow& bound = bounds[size_t(d)];
        const QString word = many ? dimensionWord(d) + u' ' : QString();
        const auto side = [&](const QString& caption, const char* text, const char* check,
                              const char* upDown, QLineEdit*& box, QCheckBox*& locked,
                              UpDown*& steps) {
            auto* group = new QGroupBox(word + caption, page);
            auto* line = new QHBoxLayout(group);
            box = indexed(DialogPanel::lineEdit(group, text), d);
            box->setAccessibleName(word + caption);
            steps = indexed(new UpDown(group), d);
            steps->setObjectName(QString::fromLatin1(upDown));
            locked = indexed(new QCheckBox(tr("Locked"), group), d);
            locked->setObjectName(QString::fromLatin1(check));
            locked->setAccessibleName(word + caption + tr(" locked"));
            line->addWidget(box, 1);
            line->addWidget(steps);
            line->addWidget(locked);
            return group;
        };
        bound.lowerFrame = side(tr("Lower Bounds"), "LowerText", "LowerLockedCheck", "LowerUpDown",
                                bound.lower, bound.lowerLocked, bound.lowerUpDown);
        bound.upperFrame = side(tr("Upper Bounds"), "UpperText", "UpperLockedCheck", "UpperUpDown",
                                bound.upper, bound.upperLocked, bound.upperUpDown);
        layout->addWidget(bound.lowerFrame, row, 0);
        layout->addWidget(bound.upperFrame, row, 1);
        ++row;
    }
    totalText = DialogPanel::lineEdit(page, "TotalText");
    totalText->setReadOnly(true);
    totalText->setFocusPolicy(Qt::NoFocus);
    totalText->setAccessibleName(tr("Number of elements"));
    DialogPanel::setInputColour(totalText, false);
    layout->addWidget(DialogPanel::label(tr("Number of elements:"), totalText, page), row, 0);
    layout->addWidget(totalText, row, 1);
    layout->setRowStretch(row + 1, 1);
    return page;
}

ArrayEditorBase::ArrayEditorBase(ArrayEditorBasePrivate& dd, const QString& dataClass,
                                 const QString& dataType, const QString& pictureKey,
                                 QWidget* parent)
    : TypeEditorBase(dd, dataClass, dataType, pictureKey, parent)
{
}

ArrayEditorBase::~ArrayEditorBase() = default;

namespace {

using BoundRow = ArrayEditorBasePrivate::BoundRow;

template <typename T>
QObject* boundControl(const ArrayEditorBasePrivate* d, int index, T* BoundRow::*member)
{
    return index >= 0 && index < d->options.maxDimensions ? d->bounds[size_t(index)].*member
                                                          : nullptr;
}

} // namespace

QObject* ArrayEditorBase::LowerText(int Index) const
{
    return boundControl(d_func(), Index, &BoundRow::lower);
}
QObject* ArrayEditorBase::UpperText(int Index) const
{
    return boundControl(d_func(), Index, &BoundRow::upper);
}
QObject* ArrayEditorBase::LowerLockedCheck(int Index) const
{
    return boundControl(d_func(), Index, &BoundRow::lowerLocked);
}
QObject* ArrayEditorBase::UpperLockedCheck(int Index) const
{
    return boundControl(d_func(), Index, &BoundRow::upperLocked);
}
QObject* ArrayEditorBase::LowerUpDown(int Index) const
{
    return boundControl(d_func(), Index, &BoundRow::lowerUpDown);
}
QObject* ArrayEditorBase::UpperUpDown(int Index) const
{
    return boundControl(d_func(), Index, &BoundRow::upperUpDown);
}

} // namespace Velt
