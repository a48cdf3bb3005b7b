#include "parmfieldeditor.h"

#include "callfailure.h"
#include "componentmacros.h"
#include "dataeditorform.h"
#include "fieldinput.h"
#include "hovererrordisplay_p.h"
#include "hovererrorform_p.h"
#include "keyevents.h"
#include "palettecolors.h"
#include "platformservices.h"
#include "qtstrings.h"
#include "symbolselector.h"
#include "xcstructeditfield.h"
#include "xcstructeditfieldenums.h"
#include "xcstructeditfields.h"

#include <QComboBox>
#include <QFrame>
#include <QKeyEvent>
#include <QLineEdit>
#include <QToolButton>

#include <array>

VELT_REGISTER_CLASS(ParmFieldEditor, VisibleControl, "",
                    "KeyDown(KeyCode, Shift), DialogEdit(DataHandle), DialogAcceptEdit(DataHandle), "
                    "DialogCancelEdit(), FormatChanged(Fields), Change(Field), "
                    "ErrorStatusChange(Field), DisplayError(ErrorMessage)")

using namespace Velt;

struct ParmFieldEditor::Private
{
    ParmFieldEditor* q;
    XCStructEditFields* fields = nullptr;
    QPointer<XCStructEditField> field;
    QuenHandle handle = 0;
    QuenHandle defaultHandle = 0;
    QuenHandle locals = 0;
    bool designTime = true;
    bool outputDefinition = false;
    bool readOnly = false;
    bool browseOnly = false;
    bool editingSymbol = false;
    int fieldIndex = 0;
    FieldInput choice;
    QString lastError;
    // The field's text as the editor last loaded or wrote it. (Reading the field's Text asks the
    // type editor again and forgets a pending error, so the editor compares with this.)
    QString shownText;
    int loading = 0; // > 0 while the control fills its input elements itself

    QLineEdit* text = nullptr;
    QComboBox* combo = nullptr;
    QComboBox* readOnlyCombo = nullptr;
    SymbolSelector* selector = nullptr;
    QFrame* buttonOutline = nullptr;
    QToolButton* button = nullptr;
    HoverErrorDisplay* hover = nullptr;
    KeyRedelivery keys;

    explicit Private(ParmFieldEditor* owner) : q(owner) { }

    void createChildren();
    QWidget* input() const;
    void bind();
    void showInput();
    void layoutChildren();
    void inputChanged(const QString& value);
    void symbolChosen(const QString& table, const QString& symbol);
    void updateLook();
    // The four input elements, one of which is on show.
    std::array<QWidget*, 4> inputs() const { return {text, combo, readOnlyCombo, selector}; }
    // The line edit holding the text of the input on show (the text box before any binding).
    QLineEdit* line() const;
};

void ParmFieldEditor::Private::createChildren()
{
    text = new QLineEdit(q);
    text->setObjectName(QStringLiteral("ParmText"));
    text->setFrame(false);
    combo = new QComboBox(q);
    combo->setObjectName(QStringLiteral("ParmEnumerationCombo"));
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    readOnlyCombo = new QComboBox(q);
    readOnlyCombo->setObjectName(QStringLiteral("ParmEnumerationReadOnlyCombo"));
    selector = new SymbolSelector(q);
    selector->setCompact(true);
    buttonOutline = new QFrame(q);
    buttonOutline->setObjectName(QStringLiteral("ParmButtonOutline"));
    buttonOutline->setFrameShape(QFrame::Box);
    button = new QToolButton(buttonOutline);
    button->setObjectName(QStringLiteral("ParmEditorCommand"));
    button->setText(QStringLiteral("..."));
    button->setToolTip(ParmFieldEditor::tr("Edit the value in its dialog"));
    button->setAccessibleName(ParmFieldEditor::tr("Edit in dialog"));
    button->setAutoRaise(true);
    QObject::connect(button, &QToolButton::clicked, q, [this] { q->DialogEdit(); });

    QObject::connect(text, &QLineEdit::textChanged, q, [this](const QString& v) { inputChanged(v); });
    QObject::connect(combo, &QComboBox::currentTextChanged, q,
                     [this](const QString& v) { inputChanged(v); });
    QObject::connect(readOnlyCombo, &QComboBox::currentTextChanged, q,
                     [this](const QString& v) { inputChanged(v); });
    QObject::connect(selector, &SymbolSelector::Change, q,
                     [this](const QString& table, const QString& symbol, const QString&) {
                         symbolChosen(table, symbol);
                     });
    QObject::connect(selector, qOverload<int*, int*>(&SymbolSelector::KeyDown), q,
                     [this](int* keyCode, int* shift) {
                         Q_EMIT q->KeyDown(keyCode, shift);
                         KeyArguments::exchange(*keyCode, *shift,
                                                [this](KeyArguments* a) { Q_EMIT q->KeyDown(a); });
                     });
    for (QWidget* widget : {static_cast<QWidget*>(text), static_cast<QWidget*>(combo),
                            static_cast<QWidget*>(readOnlyCombo), static_cast<QWidget*>(button)})
        widget->installEventFilter(q); // the selector raises its own KeyDown
    for (QWidget* widget : inputs()) {
        widget->setAccessibleName(ParmFieldEditor::tr("Field value"));
        widget->hide();
    }
    buttonOutline->hide();
    setTabOrder(text, button);
}

QWidget* ParmFieldEditor::Private::input() const
{
    if (!field)
        return nullptr;
    switch (choice.kind) {
    case FieldInputKind::Text: return text;
    case FieldInputKind::Enumeration: return combo;
    case FieldInputKind::ReadOnlyEnumeration: return readOnlyCombo;
    case FieldInputKind::Symbol: return selector;
    }
    return nullptr;
}

void ParmFieldEditor::Private::bind()
{
    ++loading;
    field = nullptr;
    lastError.clear();
    if (handle != 0) {
        fields->AttachParameter(handle, defaultHandle, locals, designTime, readOnly, browseOnly);
        field = fields->Item(fieldIndex);
        if (!field && fields->state() == XCStructEditFields::State::Ready)
            reportCallFailed(q, ParmFieldEditor::tr("Field index %1 is outside 0 to %2.")
                                    .arg(fieldIndex)
                                    .arg(fields->Count() - 1));
    }
    if (field) {
        lastError = field->ErrorMessage();
        choice = chooseFieldInput({bool(QuenParmIsReference(handle)), editingSymbol,
                                   field->HasEnumeration(), field->Locked(), readOnly});
        QuenExcRegClearError(0);
    }
    showInput();
    --loading;
    updateLook();
    hover->update();
}

// Fills the chosen input element from the field and shows it alone.
void ParmFieldEditor::Private::showInput()
{
    QWidget* shown = input();
    for (QWidget* widget : inputs())
        widget->setVisible(widget == shown);
    buttonOutline->setVisible(field && field->HasEditor());
    if (!field)
        return;
    const QString value = field->Text();
    shownText = value;
    switch (choice.kind) {
    case FieldInputKind::Text:
        text->setText(value);
        text->setReadOnly(choice.readOnly);
        break;
    case FieldInputKind::Enumeration:
    case FieldInputKind::ReadOnlyEnumeration: {
        QComboBox* box = choice.kind == FieldInputKind::Enumeration ? combo : readOnlyCombo;
        box->clear();
        XCStructEditFieldEnums* entries = field->Enumeration();
        for (int position = 1; position <= entries->Count(); ++position)
            box->addItem(entries->Text(position));
        box->setCurrentIndex(box->findText(value));
        if (box->isEditable())
            box->setEditText(value);
        box->setEnabled(!choice.readOnly);
        break;
    }
    case FieldInputKind::Symbol:
        selector->setFilter(quen::toQString(QuenParmGetType(handle)));
        selector->setLocalHandle(locals);
        selector->setTableName(quen::toQString(QuenParmGetRefTableName(handle)));
        selector->setSymbolName(quen::toQString(QuenParmGetRefName(handle)));
        selector->setEnabled(!choice.readOnly);
        break;
    }
    shown->setAccessibleName(field->Caption().isEmpty() ? ParmFieldEditor::tr("Field value")
                                                        : field->Caption());
    q->setFocusProxy(shown);
    layoutChildren();
}

void ParmFieldEditor::Private::layoutChildren()
{
    const QRect area = q->rect();
    int inputWidth = area.width();
    if (buttonOutline->isVisibleTo(q)) {
        const int side = std::min(area.height(), std::max(16, q->fontMetrics().height() + 4));
        inputWidth = std::max(0, area.width() - side);
        buttonOutline->setGeometry(inputWidth, 0, side, area.height());
        button->setGeometry(buttonOutline->contentsRect());
    }
    if (QWidget* shown = input())
        shown->setGeometry(0, 0, inputWidth, area.height());
}

void ParmFieldEditor::Private::inputChanged(const QString& value)
{
    if (loading > 0 || !field || value == shownText)
        return;
    shownText = value;
    field->setText(value);
    const QString error = field->ErrorMessage();
    if (error != lastError) {
        lastError = error;
        updateLook();
        hover->update();
        Q_EMIT q->ErrorStatusChange(field);
    }
    Q_EMIT q->Change(field);
}

void ParmFieldEditor::Private::symbolChosen(const QString& table, const QString& symbol)
{
    if (loading > 0 || handle == 0 || !QuenParmIsReference(handle))
        return;
    if (table == quen::toQString(QuenParmGetRefTableName(handle))
        && symbol == quen::toQString(QuenParmGetRefName(handle)))
        return;
    const QByteArray symbolText = quen::toUtf8(symbol);
    const QByteArray tableText = quen::toUtf8(table);
    if (!QuenParmSetReference(handle, symbolText.constData(), int32_t(symbolText.size()),
                              tableText.constData(), int32_t(tableText.size())))
        return;
    bind();
    Q_EMIT q->FormatChanged(fields);
}

// An input whose field is in error shows its text in the error colour.
void ParmFieldEditor::Private::updateLook()
{
    PaletteColors::setErrorLook(text, !lastError.isEmpty());
    PaletteColors::setErrorLook(combo, !lastError.isEmpty());
    text->setToolTip(lastError);
    combo->setToolTip(lastError);
}

ParmFieldEditor::ParmFieldEditor(QWidget* parent) : QWidget(parent), d(std::make_unique<Private>(this))
{
    setObjectName(QStringLiteral("ParmFieldEditor"));
    d->fields = new XCStructEditFields(this);
    d->createChildren();
    d->hover = new HoverErrorDisplay(
        this, &HoverErrorForm::fieldForm, [this] { return d->lastError; },
        [this] { return d->input(); }, [this] { CancelHoverError(true); });
    connect(d->hover, &HoverErrorDisplay::displayed, this, &ParmFieldEditor::DisplayError);
    connect(d->fields, &XCStructEditFields::AgeChanged, this, [this] {
        if (d->loading == 0)
            Q_EMIT FormatChanged(d->fields);
    });
}

ParmFieldEditor::~ParmFieldEditor()
{
    Clear();
    if (d->locals)
        QuenPbRelease(d->locals);
}

int ParmFieldEditor::Handle() const { return d->handle; }
void ParmFieldEditor::setHandle(int handle) { d->handle = handle; }
int ParmFieldEditor::DefaultHandle() const { return d->defaultHandle; }
void ParmFieldEditor::setDefaultHandle(int handle) { d->defaultHandle = handle; }
int ParmFieldEditor::LocalsHandle() const { return d->locals; }

void ParmFieldEditor::setLocalsHandle(int handle)
{
    if (handle == d->locals)
        return;
    if (handle != 0 && !QuenPbAddRef(handle)) {
        reportCallFailed(this, tr("LocalsHandle %1 is not a parameter block.").arg(handle));
        QuenExcRegClearError(0);
        return;
    }
    if (d->locals)
        QuenPbRelease(d->locals);
    d->locals = handle;
}

bool ParmFieldEditor::DesignTime() const { return d->designTime; }
void ParmFieldEditor::setDesignTime(bool on) { d->designTime = on; }
bool ParmFieldEditor::OutputDefinition() const { return d->outputDefinition; }
void ParmFieldEditor::setOutputDefinition(bool on) { d->outputDefinition = on; }
bool ParmFieldEditor::ReadOnly() const { return d->readOnly; }

void ParmFieldEditor::setReadOnly(bool on)
{
    d->readOnly = on;
    if (d->field)
        d->bind(); // the field list is bound read-only or not
}

bool ParmFieldEditor::BrowseOnly() const { return d->browseOnly; }
void ParmFieldEditor::setBrowseOnly(bool on) { d->browseOnly = on; }
bool ParmFieldEditor::EditingSymbol() const { return d->editingSymbol; }
void ParmFieldEditor::setEditingSymbol(bool on) { d->editingSymbol = on; }
int ParmFieldEditor::FieldIndex() const { return d->fieldIndex; }

void ParmFieldEditor::setFieldIndex(int index)
{
    d->fieldIndex = index;
    d->bind();
}

QString ParmFieldEditor::Text() const { return d->field ? d->shownText : QString(); }

void ParmFieldEditor::setText(const QString& text)
{
    switch (d->choice.kind) {
    case FieldInputKind::Text: d->text->setText(text); break;
    case FieldInputKind::Enumeration: d->combo->setEditText(text); break;
    case FieldInputKind::ReadOnlyEnumeration:
        d->readOnlyCombo->setCurrentIndex(d->readOnlyCombo->findText(text));
        break;
    case FieldInputKind::Symbol: d->selector->setSymbolName(text); break;
    }
}

QLineEdit* ParmFieldEditor::Private::line() const
{
    QWidget* shown = input() ? input() : text;
    if (auto* box = qobject_cast<QComboBox*>(shown))
        return box->lineEdit();
    return qobject_cast<QLineEdit*>(shown);
}

QString ParmFieldEditor::SelText() const
{
    const QLineEdit* line = d->line();
    return line ? line->selectedText() : QString();
}

void ParmFieldEditor::setSelText(const QString& text)
{
    if (QLineEdit* line = d->line(); line && !line->isReadOnly())
        line->insert(text);
}

int ParmFieldEditor::SelStart() const
{
    const QLineEdit* line = d->line();
    if (!line)
        return 0;
    return line->hasSelectedText() ? line->selectionStart() : line->cursorPosition();
}

void ParmFieldEditor::setSelStart(int start)
{
    if (QLineEdit* line = d->line())
        line->setCursorPosition(std::clamp(start, 0, int(line->text().size())));
}

int ParmFieldEditor::SelLength() const
{
    const QLineEdit* line = d->line();
    return line ? int(line->selectedText().size()) : 0;
}

void ParmFieldEditor::setSelLength(int length)
{
    if (QLineEdit* line = d->line()) {
        const int start = line->hasSelectedText() ? line->selectionStart() : line->cursorPosition();
        line->setSelection(start, std::clamp(length, 0, int(line->text().size()) - start));
    }
}

bool ParmFieldEditor::HoverError() const { return d->hover->enabled(); }
void ParmFieldEditor::setHoverError(bool on) { d->hover->setEnabled(on); }
QString ParmFieldEditor::ErrorMessage() const { return d->lastError; }
QVariant ParmFieldEditor::Bitmap() const { return d->field ? d->field->Bitmap() : QVariant(); }
QString ParmFieldEditor::BitmapName() const { return d->field ? d->field->BitmapName() : QString(); }
QString ParmFieldEditor::Caption() const { return d->field ? d->field->Caption() : QString(); }

QString ParmFieldEditor::ParameterName() const
{
    return d->handle ? quen::toQString(QuenParmGetName(d->handle)) : QString();
}

QString ParmFieldEditor::Comment() const { return d->field ? d->fields->Comment() : QString(); }

QString ParmFieldEditor::Description() const
{
    if (d->handle == 0)
        return {};
    const QuenHandle description = QuenParmGetDesc(d->handle);
    return description ? quen::toQString(QuenDescGetText(description)) : QString();
}

void ParmFieldEditor::Clear()
{
    d->hover->reset();
    ++d->loading;
    d->field = nullptr;
    d->fields->Detach();
    d->lastError.clear();
    d->shownText.clear();
    d->showInput();
    --d->loading;
}

void ParmFieldEditor::DialogEdit()
{
    if (!d->field || !d->field->HasEditor()) {
        PlatformServices::instance().beep();
        return;
    }
    const QuenHandle data = QuenParmGetData(d->handle);
    QuenExcRegClearError(0);
    Q_EMIT DialogEdit(int(data));
    DataEditorForm* form = DataEditorForm::instance();
    form->SetUpEditor(d->handle, d->defaultHandle, d->locals, d->designTime, d->outputDefinition,
                      d->readOnly, d->editingSymbol);
    if (form->dataEditor())
        form->exec();
    int32_t handle = d->handle;
    int32_t defaultHandle = d->defaultHandle;
    if (form->CleanupEditor(handle, defaultHandle)) {
        d->bind();
        Q_EMIT FormatChanged(d->fields);
        Q_EMIT DialogAcceptEdit(int(data));
    } else {
        Q_EMIT DialogCancelEdit();
    }
    if (QWidget* shown = d->input())
        shown->setFocus(Qt::OtherFocusReason);
}

void ParmFieldEditor::CancelHoverError(bool FocusToEditor) { d->hover->cancel(FocusToEditor); }

void ParmFieldEditor::ParmText_KeyPress(int KeyAscii) { typeCharacter(d->text, KeyAscii); }

XCStructEditFields* ParmFieldEditor::fields() const { return d->fields; }
XCStructEditField* ParmFieldEditor::field() const { return d->field; }
QWidget* ParmFieldEditor::input() const { return d->input(); }

void ParmFieldEditor::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    d->layoutChildren();
}

void ParmFieldEditor::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    d->hover->update();
}

void ParmFieldEditor::hideEvent(QHideEvent* event)
{
    d->hover->update();
    QWidget::hideEvent(event);
}

bool ParmFieldEditor::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress || d->keys.active() || !watched->isWidgetType())
        return QWidget::eventFilter(watched, event);
    auto* keyEvent = static_cast<QKeyEvent*>(event);
    const RaisedKey key = raiseKeyDown(this, *keyEvent);
    return d->keys.deliver(watched, *keyEvent, key);
}
