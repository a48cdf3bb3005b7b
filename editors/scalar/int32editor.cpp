#include "int32editor.h"

#include "choicelistmodel_p.h"
#include "choicelistview_p.h"
#include "componentmacros.h"
#include "dataeditor.h"
#include "int32fields_p.h"
#include "int32rules.h"
#include "itemproperties_p.h"
#include "numberediting_p.h"
#include "updown_p.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include <algorithm>
#include <limits>

VELT_REGISTER_CLASS(Int32Editor, VisibleControl, "XCStructEditing", "")

namespace R = Velt::Int32Rules;
namespace P = Velt::ItemProperties;
using Velt::DialogPanel::label;
using Velt::DialogPanel::lineEdit;

class Int32EditorPrivate : public Velt::NumberEditingPrivate<R::Traits>
{
    Q_DECLARE_PUBLIC(Int32Editor)

public:
    QString view = R::Decimal;

    QComboBox* combo = nullptr;
    QGroupBox* normalFrame = nullptr;
    QButtonGroup* viewGroup = nullptr; // ids in the order of R::dialogViewNames()
    QCheckBox* choicesCheck = nullptr;
    QWidget* choicesFrame = nullptr;
    QLineEdit* beginText = nullptr;
    QLineEdit* endText = nullptr;
    Velt::UpDown* beginUpDown = nullptr;
    Velt::UpDown* endUpDown = nullptr;
    Velt::ChoiceListModel* model = nullptr;
    Velt::ChoiceListView* grid = nullptr;

    QWidget* buildPanel();
    QGroupBox* buildViews(QWidget* parent);
    QWidget* buildChoiceList(QWidget* parent);
    void wire();

    QString rendering() const override { return view; }
    void updateStatus() override;
    bool choices() const { return choicesCheck->isChecked(); }
    void showChoiceList();
    void fillCombo();
    void choiceBoundsEdited();
    void stepChoiceBound(QLineEdit* box, int step);
    // Units, restriction and choice list change only at design time.
    void allowMetadataChanges(bool allowed);
};

Int32Editor::Int32Editor(QWidget* parent)
    : TypeEditorBase(*new Int32EditorPrivate, QStringLiteral("CQuenInt32"),
                     QStringLiteral("Integer (32 bit)"), QStringLiteral("Number"), parent)
{
    Q_D(Int32Editor);
    setPanel(d->buildPanel());
    d->choicesFrame->hide();
    d->wire();
    setFieldTable(Velt::Int32Fields::table([d] { return d->restriction.bounds(); }));
}

Int32Editor::~Int32Editor() = default;

int32_t Int32Editor::value() const { return d_func()->value; }
QString Int32Editor::view() const { return d_func()->view; }

void Int32Editor::beginEdit(int32_t item)
{
    Q_D(Int32Editor);
    // A view the dialog does not offer shows as decimal.
    const QString stored = Velt::Int32Fields::viewOf(item);
    d->view = R::viewFromName(stored) ? stored : R::Decimal;
    d->viewGroup->button(int(R::dialogViewNames().indexOf(d->view)))->setChecked(true);
    d->restriction.load(P::restriction<int32_t>(item), d->view, d->designTime());
    d->value = P::value<int32_t>(item);
    d->entry->setText(R::formatIntegerText(d->value, d->view));
    d->units->setText(P::stringProperty(item, P::Units));
    const std::optional<P::ChoiceList> choices = P::choiceList(item);
    const P::ChoiceList list = choices.value_or(P::defaultChoiceList());
    d->model->setList(list);
    d->beginText->setText(QString::number(list.begin));
    d->endText->setText(QString::number(list.end));
    d->allowMetadataChanges(d->designTime());
    {
        const QSignalBlocker quiet(d->choicesCheck);
        d->choicesCheck->setChecked(choices.has_value());
    }
    d->showChoiceList();
}

void Int32Editor::acceptEdit(int32_t item)
{
    Q_D(Int32Editor);
    if (d->choices())
        P::setChoiceList(item, d->model->list());
    else
        P::removeProperty(item, P::Enumeration);
    if (d->choices() || d->view == R::Decimal)
        P::removeProperty(item, P::ViewAs);
    else
        P::setStringProperty(item, P::ViewAs, d->view);
    d->value = P::storeNumber<R::Traits>(
        item, d->choices() ? std::nullopt : d->restriction.accepted(), d->units->text(), d->value);
}

// ---- the panel ---------------------------------------------------------------------------------

QWidget* Int32EditorPrivate::buildPanel()
{
    QWidget* panel = Velt::DialogPanel::panel("Int32Panel");
    QVBoxLayout* layout = Velt::DialogPanel::columnOf(panel);

    // Value (or choice) and units.
    auto* valueRow = new QGridLayout;
    entry = lineEdit(panel, "EntryText");
    combo = new QComboBox(panel);
    combo->setObjectName(QStringLiteral("EnumerationCombo"));
    combo->hide();
    units = lineEdit(panel, "UnitsText");
    valueRow->addWidget(label(Int32Editor::tr("&Value:"), entry, panel), 0, 0);
    valueRow->addWidget(entry, 0, 1);
    valueRow->addWidget(combo, 0, 1);
    valueRow->addWidget(label(Int32Editor::tr("&Units:"), units, panel), 0, 2);
    valueRow->addWidget(units, 0, 3);
    valueRow->setColumnStretch(1, 3);
    valueRow->setColumnStretch(3, 1);
    layout->addLayout(valueRow);
    choicesCheck = new QCheckBox(Int32Editor::tr("Provides a &list of choices"), panel);
    choicesCheck->setObjectName(QStringLiteral("EnumerationCheck"));
    layout->addWidget(choicesCheck);

    // Views and restriction, or the choice list: one of them is shown, in the same place.
    normalFrame = new QGroupBox(Int32Editor::tr("Display"), panel);
    normalFrame->setObjectName(QStringLiteral("NormalFrame"));
    auto* normal = new QHBoxLayout(normalFrame);
    normal->addWidget(buildViews(normalFrame));
    normal->addWidget(restriction.create(normalFrame), 1);
    auto* modes = new QGridLayout;
    modes->addWidget(normalFrame, 0, 0);
    modes->addWidget(buildChoiceList(panel), 0, 0);
    layout->addLayout(modes, 1);
    return panel;
}

QGroupBox* Int32EditorPrivate::buildViews(QWidget* parent)
{
    auto* box = new QGroupBox(Int32Editor::tr("View as"), parent);
    box->setObjectName(QStringLiteral("ViewAsFrame"));
    auto* views = new QGridLayout(box);
    viewGroup = new QButtonGroup(q_func());
    const QList<std::pair<const char*, QString>> options = {
        {"ViewAsDecimalOption", Int32Editor::tr("&Decimal")},
        {"ViewAsOctalOption", Int32Editor::tr("&Octal")},
        {"ViewAsHexOption", Int32Editor::tr("&Hexadecimal")},
        {"ViewAsOctalVBOption", Int32Editor::tr("VB O&ctal (&&o)")},
        {"ViewAsHexVBOption", Int32Editor::tr("VB He&xadecimal (&&h)")}};
    for (qsizetype i = 0; i < options.size(); ++i) {
        auto* option = new QRadioButton(options.at(i).second, box);
        option->setObjectName(QString::fromLatin1(options.at(i).first));
        viewGroup->addButton(option, int(i));
        views->addWidget(option, int(i % 3), int(i / 3));
    }
    views->setRowStretch(3, 1);
    viewGroup->button(0)->setChecked(true);
    return box;
}

QWidget* Int32EditorPrivate::buildChoiceList(QWidget* parent)
{
    Q_Q(Int32Editor);
    choicesFrame = new QWidget(parent);
    choicesFrame->setObjectName(QStringLiteral("EnumerationFrame"));
    auto* layout = new QGridLayout(choicesFrame);
    layout->setContentsMargins(0, 0, 0, 0);
    beginText = lineEdit(choicesFrame, "EnumerationBeginText");
    endText = lineEdit(choicesFrame, "EnumerationEndText");
    beginUpDown = new Velt::UpDown(choicesFrame);
    beginUpDown->setObjectName(QStringLiteral("EnumerationBeginUpDown"));
    endUpDown = new Velt::UpDown(choicesFrame);
    endUpDown->setObjectName(QStringLiteral("EnumerationEndUpDown"));
    layout->addWidget(label(Int32Editor::tr("&Begin at:"), beginText, choicesFrame), 0, 0);
    layout->addWidget(beginText, 0, 1);
    layout->addWidget(beginUpDown, 0, 2);
    layout->addWidget(label(Int32Editor::tr("&End at:"), endText, choicesFrame), 0, 3);
    layout->addWidget(endText, 0, 4);
    layout->addWidget(endUpDown, 0, 5);
    layout->setColumnStretch(6, 1);
    model = new Velt::ChoiceListModel(q);
    grid = new Velt::ChoiceListView(model, choicesFrame);
    grid->setMinimumHeight(grid->verticalHeader()->defaultSectionSize() * 4);
    layout->addWidget(grid, 1, 0, 1, 7);
    return choicesFrame;
}

void Int32EditorPrivate::wire()
{
    Q_Q(Int32Editor);
    wireNumber(q);
    QObject::connect(viewGroup, &QButtonGroup::idClicked, q, [this](int id) {
        view = R::dialogViewNames().value(id, R::Decimal);
        entry->setText(R::formatIntegerText(value, view));
        restriction.render(view, false);
        updateStatus();
    });
    QObject::connect(choicesCheck, &QCheckBox::toggled, q, [this] { showChoiceList(); });
    QObject::connect(beginText, &QLineEdit::textEdited, q, [this] { choiceBoundsEdited(); });
    QObject::connect(endText, &QLineEdit::textEdited, q, [this] { choiceBoundsEdited(); });
    for (const auto& bound : {std::pair(beginUpDown, beginText), std::pair(endUpDown, endText)}) {
        QLineEdit* box = bound.second;
        QObject::connect(bound.first, &Velt::UpDown::up, q,
                         [this, box] { stepChoiceBound(box, 1); });
        QObject::connect(bound.first, &Velt::UpDown::down, q,
                         [this, box] { stepChoiceBound(box, -1); });
    }
    QObject::connect(model, &Velt::ChoiceListModel::listChanged, q, [this] { fillCombo(); });
    QObject::connect(grid, &Velt::ChoiceListView::moreOnClipboard, q,
                     [this] { showStatus(R::moreOnClipboardMessage()); });
    QObject::connect(combo, &QComboBox::activated, q, [this](int row) {
        value = model->valueAt(row);
        entry->setText(R::formatIntegerText(value, view));
    });
}

// ---- the dialog's helpers ----------------------------------------------------------------------

void Int32EditorPrivate::updateStatus()
{
    if (choices()) {
        showMessages(R::validateChoiceBounds(beginText->text(), endText->text()).error, QString());
        return;
    }
    const Velt::StatusLine line =
        R::integerStatus(value, view, restriction.effective(), entry->text(), units->text());
    showMessages(line.error, line.status);
}

void Int32EditorPrivate::showChoiceList()
{
    const bool on = choices();
    normalFrame->setVisible(!on);
    choicesFrame->setVisible(on);
    entry->setEnabled(!on);
    entry->setVisible(!on); // the combo takes its place
    combo->setVisible(on);
    if (on)
        fillCombo();
    updateStatus();
}

void Int32EditorPrivate::fillCombo()
{
    const QSignalBlocker quiet(combo);
    combo->clear();
    const P::ChoiceList list = model->list();
    for (int row = 0; row < model->rowCount(); ++row)
        combo->addItem(R::comboChoiceText(model->valueAt(row), list.labels.at(row)));
    combo->setCurrentIndex(model->rowOf(value));
}

void Int32EditorPrivate::choiceBoundsEdited()
{
    const Velt::Parsed<Velt::Bounds<int32_t>> bounds =
        R::validateChoiceBounds(beginText->text(), endText->text());
    const P::ChoiceList list = model->list();
    if (bounds.ok() && (bounds.value.low != list.begin || bounds.value.high != list.end))
        model->setBounds(bounds.value.low, bounds.value.high);
    updateStatus();
}

void Int32EditorPrivate::stepChoiceBound(QLineEdit* box, int step)
{
    const Velt::Int16Result current = Velt::NumericConversion::toInt16(box->text().trimmed());
    const int32_t from = current.ok() ? current.value : model->begin();
    const int32_t next = std::clamp<int32_t>(from + step, std::numeric_limits<int16_t>::min(),
                                             std::numeric_limits<int16_t>::max());
    box->setText(QString::number(next));
    choiceBoundsEdited();
}

void Int32EditorPrivate::allowMetadataChanges(bool allowed)
{
    units->setReadOnly(!allowed);
    choicesCheck->setEnabled(allowed);
    beginText->setReadOnly(!allowed);
    endText->setReadOnly(!allowed);
    beginUpDown->setEnabled(allowed);
    endUpDown->setEnabled(allowed);
    grid->setReadOnly(!allowed);
}
