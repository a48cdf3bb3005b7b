#include "parmnameeditor.h"

#include "componentmacros.h"
#include "hovererrordisplay_p.h"
#include "hovererrorform_p.h"
#include "keyevents.h"
#include "palettecolors.h"
#include "parmnamerules.h"
#include "qtstrings.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>

VELT_REGISTER_CLASS(ParmNameEditor, VisibleControl, "",
                    "KeyDown(KeyCode, Shift), Change(Name), DisplayError(ErrorMessage)")

using namespace Velt;

struct ParmNameEditor::Private
{
    ParmNameEditor* q;
    QLineEdit* text = nullptr;
    HoverErrorDisplay* hover = nullptr;
    EditState state = EditState::Loading;
    QuenHandle handle = 0;
    QuenHandle block = 0;
    int age = 0;
    KeyRedelivery keys;
    QString error;
    QString validName;

    explicit Private(ParmNameEditor* owner) : q(owner) { }

    void validate()
    {
        const QString before = error;
        const QString name = ParmNameRules::trimmed(text->text());
        error = ParmNameRules::check(name, block, handle);
        if (error.isEmpty()) {
            validName = name;
            state = EditState::Changed;
            Q_EMIT q->Change(name);
        }
        if (error != before) {
            state = EditState::Changed;
            PaletteColors::setErrorLook(text, !error.isEmpty());
            text->setToolTip(error);
            hover->update();
        }
    }

    // Reports a change the host has not heard of before the editor is loaded anew.
    void reportPending()
    {
        if (state == EditState::Changed) {
            state = EditState::Ready;
            Q_EMIT q->Change(validName);
        } else {
            state = EditState::Loading;
        }
    }

    // Puts a text into the box without validating each step, then validates it once.
    void load(const QString& value)
    {
        state = EditState::Loading;
        text->setText(value);
        validate();
        state = EditState::Ready;
    }

    QString parameterName() const
    {
        return handle ? quen::toQString(QuenParmGetName(handle)) : QStringLiteral("<empty>");
    }
};

ParmNameEditor::ParmNameEditor(QWidget* parent) : QWidget(parent), d(std::make_unique<Private>(this))
{
    setObjectName(QStringLiteral("ParmNameEditor"));
    d->text = new QLineEdit(this);
    d->text->setObjectName(QStringLiteral("NameText"));
    d->text->setAccessibleName(tr("Parameter name"));
    d->text->setFrame(false);
    d->text->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding); // fills its cell
    d->text->installEventFilter(this);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(d->text);
    setFocusProxy(d->text);
    d->hover = new HoverErrorDisplay(
        this, &HoverErrorForm::nameForm, [this] { return d->error; }, [this] { return d->text; },
        [this] { CancelHoverError(true); });
    connect(d->hover, &HoverErrorDisplay::displayed, this, &ParmNameEditor::DisplayError);
    connect(d->text, &QLineEdit::textChanged, this, [this] {
        if (d->state != EditState::Loading)
            d->validate();
    });
}

ParmNameEditor::~ParmNameEditor() { d->hover->reset(); }

int ParmNameEditor::Handle() const { return d->handle; }

void ParmNameEditor::setHandle(int handle)
{
    d->reportPending();
    d->handle = handle;
    d->load(d->parameterName());
}

int ParmNameEditor::BlockHandle() const { return d->block; }

void ParmNameEditor::setBlockHandle(int handle)
{
    d->reportPending();
    d->block = handle;
    d->load(d->validName);
}

bool ParmNameEditor::ReadOnly() const { return d->text->isReadOnly(); }

void ParmNameEditor::setReadOnly(bool readOnly)
{
    d->text->setReadOnly(readOnly);
    if (d->handle)
        d->load(d->parameterName());
}

QString ParmNameEditor::Text() const { return d->text->text(); }

void ParmNameEditor::setText(const QString& text) { d->text->setText(ParmNameRules::trimmed(text)); }

int ParmNameEditor::Age() const { return d->age; }

void ParmNameEditor::setAge(int age) { d->age = age; }

bool ParmNameEditor::HoverError() const { return d->hover->enabled(); }

void ParmNameEditor::setHoverError(bool hoverError) { d->hover->setEnabled(hoverError); }

QString ParmNameEditor::ParameterName() const { return d->validName; }

QString ParmNameEditor::ErrorMessage() const { return d->error; }

void ParmNameEditor::SelectAll()
{
    if (d->state != EditState::Loading)
        d->text->selectAll();
}

void ParmNameEditor::CancelHoverError(bool FocusToEditor) { d->hover->cancel(FocusToEditor); }

void ParmNameEditor::NameText_KeyPress(int KeyAscii) { typeCharacter(d->text, KeyAscii); }

ParmNameEditor::EditState ParmNameEditor::editState() const { return d->state; }

QLineEdit* ParmNameEditor::textBox() const { return d->text; }

bool ParmNameEditor::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != d->text || event->type() != QEvent::KeyPress || d->keys.active())
        return QWidget::eventFilter(watched, event);
    auto* keyEvent = static_cast<QKeyEvent*>(event);
    const RaisedKey key = raiseKeyDown(this, *keyEvent);
    // Enter and Escape belong to the host: they go no further than KeyDown.
    const bool hostKey = keyEvent->key() == Qt::Key_Return || keyEvent->key() == Qt::Key_Enter
        || keyEvent->key() == Qt::Key_Escape;
    if (hostKey)
        return true;
    return d->keys.deliver(d->text, *keyEvent, key);
}

void ParmNameEditor::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    d->hover->update();
}

void ParmNameEditor::hideEvent(QHideEvent* event)
{
    d->hover->update();
    QWidget::hideEvent(event);
}
