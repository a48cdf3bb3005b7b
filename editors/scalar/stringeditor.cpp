#include "stringeditor.h"

#include "componentmacros.h"
#include "dataeditor.h"
#include "dialogpanel_p.h"
#include "itemproperties_p.h"
#include "platformservices.h"
#include "stringfields_p.h"
#include "stringitem_p.h"
#include "stringrules.h"
#include "symbolselector.h"
#include "typeeditorbase_p.h"

#include "quen/quencore.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QVBoxLayout>

VELT_REGISTER_CLASS(StringEditor, VisibleControl, "XCStructEditing, XCRuntimeDataEvaluation", "")

namespace R = Velt::StringRules;
namespace S = Velt::StringItem;
namespace P = Velt::ItemProperties;
using Velt::DialogPanel::label;

class StringEditorPrivate : public Velt::TypeEditorBasePrivate
{
    Q_DECLARE_PUBLIC(StringEditor)

public:
    // The edit, in characters.
    QString value;
    QString pattern;
    QString view = R::Characters;
    QString operation = R::OperationNone;
    R::EditState state = R::ValueEditState;
    QString pending; // the insertion prepared
    bool pendingIsSymbol = false;
    bool loading = false; // texts set by the editor itself, not typed

    QTabWidget* tabs = nullptr;
    QGroupBox* valueGroup = nullptr;
    QPlainTextEdit* valueText = nullptr;
    QComboBox* viewCombo = nullptr;
    QLabel* operationLabel = nullptr;
    QComboBox* operationCombo = nullptr;
    QLabel* formatLabel = nullptr;
    QPlainTextEdit* formatText = nullptr;
    QCheckBox* lockCheck = nullptr;
    QGroupBox* aidFrame = nullptr;
    QRadioButton* characterOption = nullptr;
    QComboBox* characterCombo = nullptr;
    QRadioButton* symbolOption = nullptr;
    SymbolSelector* symbols = nullptr;
    QPushButton* insertButton = nullptr;

    QWidget* buildPanel();
    void wire();

    void setShown(QPlainTextEdit* box, const QString& characters)
    {
        loading = true;
        box->setPlainText(R::render(characters, view));
        loading = false;
    }
    void showTexts()
    {
        setShown(valueText, value);
        setShown(formatText, pattern);
    }
    void updateStatus() { showStatus(R::viewStatus(value, view)); }

    void applyState();
    void operationChosen(const QString& chosen);
    void formatTyped();
    void valueTyped();
    void viewChosen(const QString& chosen);
    void insert();
};

StringEditor::StringEditor(QWidget* parent)
    : TypeEditorBase(*new StringEditorPrivate, QStringLiteral("CQuenString"),
                     QStringLiteral("String"), QStringLiteral("Text"), parent)
{
    Q_D(StringEditor);
    setPanel(d->buildPanel());
    d->wire();
    setFieldTable(Velt::StringFields::table());
}

StringEditor::~StringEditor() = default;

QString StringEditor::value() const { return d_func()->value; }
QString StringEditor::pattern() const { return d_func()->pattern; }
QString StringEditor::view() const { return d_func()->view; }
QString StringEditor::operation() const { return d_func()->operation; }
StringEditor::CtlStateEnum StringEditor::state() const { return CtlStateEnum(d_func()->state); }

bool StringEditor::Bind(int32_t DataHandle, int32_t ParmBlockHandle)
{
    const QString operation = S::operation(DataHandle);
    if (operation == R::OperationNone)
        return true;
    const std::optional<QString> pattern = S::pattern(DataHandle);
    const QString message = pattern ? S::validate(*pattern, operation, ParmBlockHandle)
                                    : R::missingPatternMessage();
    if (message.isEmpty())
        return true;
    QuenExcRaiseUserError(message.toUtf8().constData());
    return false;
}

bool StringEditor::Evaluate(int32_t DataHandle, int32_t ParmBlockHandle)
{
    return QuenStrFmtRuntimeEvaluate(DataHandle, ParmBlockHandle) != QUEN_FALSE;
}

bool StringEditor::Scan(int32_t DataHandle, int32_t ParmBlockHandle)
{
    return QuenStrFmtRuntimeScan(DataHandle, ParmBlockHandle) != QUEN_FALSE;
}

bool StringEditor::Unbind(int32_t, int32_t) { return true; }

void StringEditor::beginEdit(int32_t item)
{
    Q_D(StringEditor);
    d->view = S::view(item);
    d->value = S::value(item);
    d->operation = S::operation(item);
    S::setRuntimeHooks(item, d->operation);
    d->pattern = S::pattern(item).value_or(QString());
    d->state = R::stateFor(d->operation, S::locked(item));
    d->pending.clear();
    d->loading = true;
    d->viewCombo->setCurrentText(d->view);
    d->operationCombo->setCurrentText(d->operation);
    d->lockCheck->setChecked(d->state == R::FormatLockState);
    d->loading = false;
    d->showTexts();
    d->valueGroup->setTitle(R::beginCaption(d->operation));
    d->symbols->setLocalHandle(d->host->LocalsHandle());
    d->symbols->Refresh();
    d->symbols->setTableName(d->symbols->LocalName()); // the symbols start in the current table
    d->applyState();
    d->updateStatus();
    QuenExcRegClearError(0);
}

void StringEditor::acceptEdit(int32_t item)
{
    Q_D(StringEditor);
    if (d->view == R::Characters)
        P::removeProperty(item, P::ViewAs);
    else
        P::setStringProperty(item, P::ViewAs, d->view);
    if (d->operation == R::OperationNone) {
        P::removeProperty(item, P::FormatOperation);
        P::removeProperty(item, P::Format);
        P::removeProperty(item, P::FormatLock);
    } else {
        P::setStringProperty(item, P::FormatOperation, d->operation);
        P::setTextProperty(item, P::Format, d->pattern);
        P::setInt32Property(item, P::FormatLock, d->state == R::FormatLockState ? 1 : 0);
    }
    if (d->host->ErrorMessage().isEmpty() && d->operation != R::OperationScan)
        S::setValue(item, d->value);
    S::setRuntimeHooks(item, d->operation);
}

void StringEditorPrivate::applyState()
{
    const R::ControlStates c = R::controlsFor(state, designTime());
    valueText->setReadOnly(!c.valueEditable);
    Velt::DialogPanel::setInputColour(valueText, c.valueEditable);
    operationCombo->setEnabled(c.operationEnabled);
    operationLabel->setEnabled(c.operationEnabled);
    formatText->setEnabled(c.formatEnabled);
    formatLabel->setEnabled(c.formatEnabled);
    formatText->setReadOnly(!c.formatEditable);
    Velt::DialogPanel::setInputColour(formatText, c.formatEditable);
    lockCheck->setEnabled(c.lockEnabled);
    if (c.lockCleared) {
        loading = true;
        lockCheck->setChecked(false);
        loading = false;
    }
    aidFrame->setEnabled(c.insertionEnabled);
    characterCombo->setEnabled(c.insertionEnabled && characterOption->isChecked());
    symbols->setEnabled(c.insertionEnabled && symbolOption->isChecked());
    insertButton->setEnabled(c.insertionEnabled);
}

void StringEditorPrivate::operationChosen(const QString& chosen)
{
    if (!R::isOperation(chosen)) {
        showError(R::unknownOperationMessage());
        Velt::PlatformServices::instance().beep();
        return;
    }
    operation = chosen;
    if (operation == R::OperationNone) {
        state = R::ValueEditState;
    } else {
        state = lockCheck->isChecked() ? R::FormatLockState : R::PatternEditState;
        if (pattern.isEmpty()) {
            pattern = S::tokenizeText(value);
            setShown(formatText, pattern);
        }
    }
    valueGroup->setTitle(R::changeCaption(operation));
    applyState();
    updateStatus();
}

void StringEditorPrivate::formatTyped()
{
    if (loading || operation == R::OperationNone)
        return;
    const Velt::Parsed<QString> typed = R::readBack(formatText->toPlainText(), view);
    if (!typed.ok()) {
        showError(typed.error);
        return;
    }
    const Velt::Parsed<QString> built = S::stringValue(typed.value, host->LocalsHandle());
    if (!built.ok()) {
        showError(built.error);
        return;
    }
    pattern = typed.value;
    value = built.value;
    setShown(valueText, value);
    if (operation == R::OperationScan)
        valueGroup->setTitle(R::changeCaption(operation));
    showError(QString());
    updateStatus();
}

void StringEditorPrivate::valueTyped()
{
    if (loading)
        return;
    const Velt::Parsed<QString> typed = R::readBack(valueText->toPlainText(), view);
    showError(typed.error);
    if (typed.ok())
        value = typed.value;
    updateStatus();
}

void StringEditorPrivate::viewChosen(const QString& chosen)
{
    if (loading || chosen == view)
        return;
    // What the boxes hold now is read in the old view before they are shown in the new one.
    const Velt::Parsed<QString> shownValue = R::readBack(valueText->toPlainText(), view);
    const Velt::Parsed<QString> shownPattern = R::readBack(formatText->toPlainText(), view);
    if (!shownValue.ok() || !shownPattern.ok()) {
        showError(shownValue.ok() ? shownPattern.error : shownValue.error);
        loading = true;
        viewCombo->setCurrentText(view);
        loading = false;
        return;
    }
    value = shownValue.value;
    if (operation != R::OperationNone)
        pattern = shownPattern.value;
    view = chosen;
    showTexts();
    showError(QString());
    updateStatus();
}

void StringEditorPrivate::insert()
{
    if (pending.isEmpty())
        return;
    QString text = pendingIsSymbol ? pending : R::render(pending, view);
    if (view != R::Characters)
        text = u' ' + text + u' ';
    formatText->textCursor().insertText(text);
    formatText->setFocus();
}

QWidget* StringEditorPrivate::buildPanel()
{
    QWidget* panel = Velt::DialogPanel::panel("StringPanel");
    QVBoxLayout* layout = Velt::DialogPanel::columnOf(panel);
    tabs = new QTabWidget(panel);
    tabs->setObjectName(QStringLiteral("tabString"));
    layout->addWidget(tabs);

    auto* valuePage = new QWidget(tabs);
    auto* valueLayout = new QVBoxLayout(valuePage);
    valueGroup = new QGroupBox(R::beginCaption(R::OperationNone), valuePage);
    valueGroup->setObjectName(QStringLiteral("fraValue"));
    auto* groupLayout = new QVBoxLayout(valueGroup);
    valueText = new QPlainTextEdit(valueGroup);
    valueText->setObjectName(QStringLiteral("txtValue"));
    valueText->setAccessibleName(StringEditor::tr("String value"));
    valueText->setTabChangesFocus(true);
    groupLayout->addWidget(valueText);
    valueLayout->addWidget(valueGroup);
    auto* viewRow = new QHBoxLayout;
    viewCombo = new QComboBox(valuePage);
    viewCombo->setObjectName(QStringLiteral("cmbViewAs"));
    viewCombo->addItems(R::viewNames());
    viewRow->addWidget(label(StringEditor::tr("View &as:"), viewCombo, valuePage));
    viewRow->addWidget(viewCombo);
    viewRow->addStretch();
    valueLayout->addLayout(viewRow);
    tabs->addTab(valuePage, StringEditor::tr("&String"));

    auto* formatPage = new QWidget(tabs);
    auto* grid = new QGridLayout(formatPage);
    operationCombo = new QComboBox(formatPage);
    operationCombo->setObjectName(QStringLiteral("cmbFormatOp"));
    operationCombo->addItems(R::operationNames());
    operationLabel = label(StringEditor::tr("&Operation:"), operationCombo, formatPage);
    operationLabel->setObjectName(QStringLiteral("lblFormatOp"));
    grid->addWidget(operationLabel, 0, 0);
    grid->addWidget(operationCombo, 0, 1);
    formatText = new QPlainTextEdit(formatPage);
    formatText->setObjectName(QStringLiteral("txtFormat"));
    formatText->setTabChangesFocus(true);
    formatLabel = label(StringEditor::tr("&Format:"), formatText, formatPage);
    formatLabel->setObjectName(QStringLiteral("lblFormat"));
    grid->addWidget(formatLabel, 1, 0, Qt::AlignTop);
    grid->addWidget(formatText, 1, 1);
    lockCheck = new QCheckBox(StringEditor::tr("&Lock format"), formatPage);
    lockCheck->setObjectName(QStringLiteral("chkLock"));
    grid->addWidget(lockCheck, 2, 1);

    aidFrame = new QGroupBox(StringEditor::tr("Insert into the format"), formatPage);
    aidFrame->setObjectName(QStringLiteral("frmTypeAid"));
    auto* aid = new QGridLayout(aidFrame);
    characterOption = new QRadioButton(StringEditor::tr("Special &character"), aidFrame);
    characterOption->setObjectName(QStringLiteral("optSpChar"));
    characterOption->setChecked(true);
    characterCombo = new QComboBox(aidFrame);
    characterCombo->setObjectName(QStringLiteral("cmbInsertType"));
    characterCombo->addItems(R::specialCharacterNames());
    characterCombo->setCurrentIndex(-1);
    characterCombo->setAccessibleName(StringEditor::tr("Special character"));
    symbolOption = new QRadioButton(StringEditor::tr("S&ymbol"), aidFrame);
    symbolOption->setObjectName(QStringLiteral("OptSymbol"));
    symbols = new SymbolSelector(aidFrame);
    symbols->setObjectName(QStringLiteral("SymSelect"));
    symbols->setLocalName(StringEditor::tr("Current table"));
    symbols->setAccessibleName(StringEditor::tr("Symbol"));
    insertButton = new QPushButton(StringEditor::tr("&Insert"), aidFrame);
    insertButton->setObjectName(QStringLiteral("btnInsert"));
    aid->addWidget(characterOption, 0, 0);
    aid->addWidget(characterCombo, 0, 1);
    aid->addWidget(symbolOption, 1, 0);
    aid->addWidget(symbols, 1, 1);
    aid->addWidget(insertButton, 2, 1, Qt::AlignRight);
    grid->addWidget(aidFrame, 3, 0, 1, 2);
    grid->setColumnStretch(1, 1);
    tabs->addTab(formatPage, StringEditor::tr("F&ormat"));
    return panel;
}

void StringEditorPrivate::wire()
{
    Q_Q(StringEditor);
    QObject::connect(valueText, &QPlainTextEdit::textChanged, q, [this] { valueTyped(); });
    QObject::connect(formatText, &QPlainTextEdit::textChanged, q, [this] { formatTyped(); });
    QObject::connect(viewCombo, &QComboBox::currentTextChanged, q,
                     [this](const QString& chosen) { viewChosen(chosen); });
    QObject::connect(operationCombo, &QComboBox::currentTextChanged, q, [this](const QString& chosen) {
        if (!loading)
            operationChosen(chosen);
    });
    QObject::connect(lockCheck, &QCheckBox::clicked, q, [this](bool ticked) {
        state = ticked ? R::FormatLockState : R::PatternEditState;
        applyState();
    });
    QObject::connect(tabs, &QTabWidget::currentChanged, q, [this] { updateStatus(); });
    for (QRadioButton* option : {characterOption, symbolOption})
        QObject::connect(option, &QRadioButton::toggled, q, [this] { applyState(); });
    QObject::connect(characterCombo, &QComboBox::activated, q, [this](int entry) {
        pending = R::specialCharacter(entry);
        pendingIsSymbol = false;
        showStatus(R::characterInsertStatus());
    });
    QObject::connect(symbols, &SymbolSelector::Change, q,
                     [this](const QString& table, const QString& symbol, const QString&) {
                         if (symbol.isEmpty())
                             return;
                         pending = S::tokenizeSymbol(symbol, table == symbols->LocalName() ? QString() : table);
                         pendingIsSymbol = true;
                         showStatus(R::symbolInsertStatus());
                     });
    QObject::connect(insertButton, &QPushButton::clicked, q, [this] { insert(); });
}
