#include "int32editor.h"

#include "choicelistmodel_p.h"
#include "choicelistview_p.h"
#include "componentmacros.h"
#include "dataeditor.h"
#include "int32fields_p.h"
#include "int32rules.h"
#include "scalarpanel_p.h"
#include "updown_p.h"

#include "quen/quencore.h"

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
using Velt::ScalarItem::Bounds;
using Velt::ScalarItem::ChoiceList;

namespace {

const ChoiceList DefaultChoices{0, 1, {QStringLiteral("False"), QStringLiteral("True")}};

} // namespace

struct Int32Editor::Private
{
    Int32Editor* const q;
    // Editor state.
    int32_t value = 0;
    QString view = R::Decimal;
    int32_t low = Velt::NumericConversion::Int32UnboundedLow;
    int32_t high = Velt::NumericConversion::Int32UnboundedHigh;

    QLineEdit* entry = nullptr;
    QComboBox* combo = nullptr;
    QLineEdit* units = nullptr;
    QGroupBox* normalFrame = nullptr;
    QList<QRadioButton*> viewOptions; // in the order of R::dialogViewNames()
    Velt::RestrictionControls restriction;
    QCheckBox* choicesCheck = nullptr;
    QWidget* choicesFrame = nullptr;
    QLineEdit* beginText = nullptr;
    QLineEdit* endText = nullptr;
    Velt::ChoiceListModel* model = nullptr;
    Velt::ChoiceListView* grid = nullptr;

    explicit Private(Int32Editor* owner) : q(owner) { }

    bool choices() const { return choicesCheck->isChecked(); }
    void renderBounds();
    void updateStatus();
    void showChoiceList();
    void fillCombo();
    void choiceBoundsEdited();
    void stepChoiceBound(QLineEdit* box, int step);
    Bounds<int32_t> effectiveBounds() const
    {
        if (restriction.check->isChecked())
            return {low, high};
        return {Velt::NumericConversion::Int32UnboundedLow,
                Velt::NumericConversion::Int32UnboundedHigh};
    }
};

Int32Editor::Int32Editor(QWidget* parent)
    : TypeEditorBase(QStringLiteral("CQuenInt32"), QStringLiteral("Integer (32 bit)"),
                     QStringLiteral("Number"), parent),
      d(std::make_unique<Private>(this))
{
    auto* panel = new QWidget;
    panel->setObjectName(QStringLiteral("Int32Panel"));
    auto* layout = new QVBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);

    // Value (or choice) and units.
    auto* valueRow = new QGridLayout;
    d->entry = Velt::ScalarPanel::lineEdit(panel, "EntryText");
    d->combo = new QComboBox(panel);
    d->combo->setObjectName(QStringLiteral("EnumerationCombo"));
    d->combo->hide();
    d->units = Velt::ScalarPanel::lineEdit(panel, "UnitsText");
    valueRow->addWidget(Velt::ScalarPanel::label(tr("&Value:"), d->entry, panel), 0, 0);
    valueRow->addWidget(d->entry, 0, 1);
    valueRow->addWidget(d->combo, 0, 1);
    valueRow->addWidget(Velt::ScalarPanel::label(tr("&Units:"), d->units, panel), 0, 2);
    valueRow->addWidget(d->units, 0, 3);
    valueRow->setColumnStretch(1, 3);
    valueRow->setColumnStretch(3, 1);
    layout->addLayout(valueRow);
    d->choicesCheck = new QCheckBox(tr("Provides a &list of choices"), panel);
    d->choicesCheck->setObjectName(QStringLiteral("EnumerationCheck"));
    layout->addWidget(d->choicesCheck);

    // Views and restriction.
    d->normalFrame = new QGroupBox(tr("Display"), panel);
    d->normalFrame->setObjectName(QStringLiteral("NormalFrame"));
    auto* normal = new QHBoxLayout(d->normalFrame);
    auto* viewBox = new QGroupBox(tr("View as"), d->normalFrame);
    viewBox->setObjectName(QStringLiteral("ViewAsFrame"));
    auto* views = new QGridLayout(viewBox);
    auto* viewGroup = new QButtonGroup(this);
    const QList<std::pair<const char*, QString>> options = {
        {"ViewAsDecimalOption", tr("&Decimal")},
        {"ViewAsOctalOption", tr("&Octal")},
        {"ViewAsHexOption", tr("&Hexadecimal")},
        {"ViewAsOctalVBOption", tr("VB O&ctal (&&o)")},
        {"ViewAsHexVBOption", tr("VB He&xadecimal (&&h)")}};
    for (qsizetype i = 0; i < options.size(); ++i) {
        auto* option = new QRadioButton(options.at(i).second, viewBox);
        option->setObjectName(QString::fromLatin1(options.at(i).first));
        viewGroup->addButton(option, int(i));
        views->addWidget(option, int(i % 3), int(i / 3));
        d->viewOptions << option;
    }
    views->setRowStretch(3, 1);
    d->viewOptions.first()->setChecked(true);
    normal->addWidget(viewBox);
    d->restriction = Velt::RestrictionControls::create(d->normalFrame);
    normal->addWidget(d->restriction.frame, 1);

    // The choice list.
    d->choicesFrame = new QWidget(panel);
    d->choicesFrame->setObjectName(QStringLiteral("EnumerationFrame"));
    auto* choices = new QGridLayout(d->choicesFrame);
    choices->setContentsMargins(0, 0, 0, 0);
    d->beginText = Velt::ScalarPanel::lineEdit(d->choicesFrame, "EnumerationBeginText");
    d->endText = Velt::ScalarPanel::lineEdit(d->choicesFrame, "EnumerationEndText");
    auto* beginUpDown = new Velt::UpDown(d->choicesFrame);
    beginUpDown->setObjectName(QStringLiteral("EnumerationBeginUpDown"));
    auto* endUpDown = new Velt::UpDown(d->choicesFrame);
    endUpDown->setObjectName(QStringLiteral("EnumerationEndUpDown"));
    choices->addWidget(Velt::ScalarPanel::label(tr("&Begin at:"), d->beginText, d->choicesFrame), 0, 0);
    choices->addWidget(d->beginText, 0, 1);
    choices->addWidget(beginUpDown, 0, 2);
    choices->addWidget(Velt::ScalarPanel::label(tr("&End at:"), d->endText, d->choicesFrame), 0, 3);
    choices->addWidget(d->endText, 0, 4);
    choices->addWidget(endUpDown, 0, 5);
    choices->setColumnStretch(6, 1);
    d->model = new Velt::ChoiceListModel(this);
    d->grid = new Velt::ChoiceListView(d->model, d->choicesFrame);
    d->grid->setMinimumHeight(d->grid->verticalHeader()->defaultSectionSize() * 4);
    choices->addWidget(d->grid, 1, 0, 1, 7);
    // The view and restriction group and the choice list share one place: one is shown.
    auto* modes = new QGridLayout;
    modes->addWidget(d->normalFrame, 0, 0);
    modes->addWidget(d->choicesFrame, 0, 0);
    layout->addLayout(modes, 1);

    setPanel(panel);
    d->choicesFrame->hide();

    // Wiring.
    connect(d->entry, &QLineEdit::textEdited, this, [this](const QString& text) {
        const R::Parsed parsed = R::parseIntegerText(R::ValueCaption, text, d->view);
        if (!parsed.ok()) {
            showError(parsed.error);
            return;
        }
        d->value = parsed.value;
        d->updateStatus();
    });
    connect(viewGroup, &QButtonGroup::idClicked, this, [this](int id) {
        d->view = R::dialogViewNames().value(id, R::Decimal);
        d->entry->setText(R::formatIntegerText(d->value, d->view));
        d->renderBounds();
        d->updateStatus();
    });
    connect(d->restriction.check, &QCheckBox::toggled, this, [this] {
        d->restriction.enable(designTime());
        d->updateStatus();
    });
    const auto boundEdited = [this] {
        const R::Parsed low = R::parseIntegerText(R::LowCaption, d->restriction.low->text(), d->view);
        const R::Parsed high =
            R::parseIntegerText(R::HighCaption, d->restriction.high->text(), d->view);
        if (!low.ok() || !high.ok()) {
            showError(!low.ok() ? low.error : high.error);
            return;
        }
        if (low.value > high.value) {
            showError(R::lowAboveHighMessage());
            return;
        }
        d->low = low.value;
        d->high = high.value;
        d->updateStatus();
    };
    connect(d->restriction.low, &QLineEdit::textEdited, this, boundEdited);
    connect(d->restriction.high, &QLineEdit::textEdited, this, boundEdited);
    connect(d->choicesCheck, &QCheckBox::toggled, this, [this] { d->showChoiceList(); });
    connect(d->beginText, &QLineEdit::textEdited, this, [this] { d->choiceBoundsEdited(); });
    connect(d->endText, &QLineEdit::textEdited, this, [this] { d->choiceBoundsEdited(); });
    connect(beginUpDown, &Velt::UpDown::up, this, [this] { d->stepChoiceBound(d->beginText, 1); });
    connect(beginUpDown, &Velt::UpDown::down, this, [this] { d->stepChoiceBound(d->beginText, -1); });
    connect(endUpDown, &Velt::UpDown::up, this, [this] { d->stepChoiceBound(d->endText, 1); });
    connect(endUpDown, &Velt::UpDown::down, this, [this] { d->stepChoiceBound(d->endText, -1); });
    connect(d->model, &Velt::ChoiceListModel::listChanged, this, [this] { d->fillCombo(); });
    connect(d->grid, &Velt::ChoiceListView::moreOnClipboard, this,
            [this] { host()->setStatusMessage(R::moreOnClipboardMessage()); });
    connect(d->combo, &QComboBox::activated, this, [this](int row) {
        d->value = d->model->valueAt(row);
        d->entry->setText(R::formatIntegerText(d->value, d->view));
    });
}

Int32Editor::~Int32Editor() = default;

int32_t Int32Editor::value() const { return d->value; }
QString Int32Editor::view() const { return d->view; }

// ---- structured face ---------------------------------------------------------------------------

void Int32Editor::DeclareFields(int32_t DataHandle, XCStructEditFields& Fields)
{
    Velt::Int32Fields::declareFields(DataHandle, Fields);
}

void Int32Editor::GetField(int32_t DataHandle, XCStructEditField& Field)
{
    Velt::Int32Fields::getField(DataHandle, Field);
}

void Int32Editor::DeclareField(int32_t DataHandle, XCStructEditField& Field)
{
    Velt::Int32Fields::declareField(DataHandle, Field);
}

void Int32Editor::FieldChanged(int32_t DataHandle, XCStructEditField& Field, bool PostEdits,
                               bool& Refresh)
{
    Velt::Int32Fields::fieldChanged(DataHandle, Field, PostEdits, Refresh, {d->low, d->high});
}

// ---- dialog face -------------------------------------------------------------------------------

void Int32Editor::beginEdit(int32_t item)
{
    const Velt::Int32Item snapshot = Velt::Int32Item::read(item);
    // Restriction.
    d->low = snapshot.low();
    d->high = snapshot.high();
    {
        const QSignalBlocker quiet(d->restriction.check);
        d->restriction.check->setChecked(snapshot.restricted());
    }
    d->restriction.enable(designTime());
    // View and value: a view the dialog does not offer shows as decimal.
    d->view = R::viewFromName(snapshot.view) ? snapshot.view : R::Decimal;
    d->viewOptions.at(R::dialogViewNames().indexOf(d->view))->setChecked(true);
    d->value = snapshot.value;
    d->entry->setText(R::formatIntegerText(d->value, d->view));
    if (snapshot.restriction)
        d->renderBounds();
    else
        d->restriction.clearTexts();
    d->units->setText(snapshot.units);
    d->units->setReadOnly(!designTime());
    // Choice list.
    const ChoiceList list = snapshot.choices.value_or(DefaultChoices);
    d->model->setList(list);
    d->beginText->setText(QString::number(list.begin));
    d->endText->setText(QString::number(list.end));
    d->choicesCheck->setEnabled(designTime());
    d->beginText->setReadOnly(!designTime());
    d->endText->setReadOnly(!designTime());
    d->grid->setEditTriggers(designTime() ? d->grid->editTriggers()
                                          : QAbstractItemView::NoEditTriggers);
    {
        const QSignalBlocker quiet(d->choicesCheck);
        d->choicesCheck->setChecked(snapshot.choices.has_value());
    }
    d->showChoiceList();
}

void Int32Editor::acceptEdit(int32_t item)
{
    std::optional<Bounds<int32_t>> restriction;
    if (!d->choices() && d->restriction.check->isChecked()) {
        d->high = std::max(d->high, d->low);
        restriction = Bounds<int32_t>{d->low, d->high};
    }
    std::optional<ChoiceList> choices;
    if (d->choices())
        choices = d->model->list();
    Velt::Int32Item::store(item, d->value, d->view, d->units->text(), restriction, choices);
    d->value = QuenInt32GetValue(item);
}

void Int32Editor::cancelEdit() { }

// ---- the dialog's helpers ------------------------------------------------------------------

void Int32Editor::Private::renderBounds()
{
    restriction.low->setText(R::formatIntegerText(low, view));
    restriction.high->setText(R::formatIntegerText(high, view));
}

void Int32Editor::Private::updateStatus()
{
    if (choices()) {
        q->showMessages(R::validateChoiceBounds(beginText->text(), endText->text()).error,
                     QString());
        return;
    }
    const Bounds<int32_t> bounds = effectiveBounds();
    const R::Messages messages = R::integerStatus(value, view, bounds.low, bounds.high,
                                                  entry->text(), units->text());
    q->showMessages(messages.error, messages.status);
}

void Int32Editor::Private::showChoiceList()
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

void Int32Editor::Private::fillCombo()
{
    const QSignalBlocker quiet(combo);
    combo->clear();
    const ChoiceList list = model->list();
    for (int row = 0; row < model->rowCount(); ++row)
        combo->addItem(R::comboChoiceText(model->valueAt(row), list.labels.at(row)));
    combo->setCurrentIndex(model->rowOf(value));
}

void Int32Editor::Private::choiceBoundsEdited()
{
    const R::ChoiceBounds bounds =
        R::validateChoiceBounds(beginText->text(), endText->text());
    if (bounds.ok() && (bounds.begin != model->list().begin || bounds.end != model->list().end))
        model->setBounds(bounds.begin, bounds.end);
    updateStatus();
}

void Int32Editor::Private::stepChoiceBound(QLineEdit* box, int step)
{
    const Velt::Int16Result current = Velt::NumericConversion::toInt16(box->text().trimmed());
    const int32_t from = current.ok() ? current.value : model->begin();
    const int32_t next = std::clamp<int32_t>(from + step, std::numeric_limits<int16_t>::min(),
                                             std::numeric_limits<int16_t>::max());
    box->setText(QString::number(next));
    choiceBoundsEdited();
}
