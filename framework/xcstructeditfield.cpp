#include "xcstructeditfield.h"

#include "callfailure.h"
#include "componentmacros.h"
#include "dataeditorregistry.h"
#include "qtstrings.h"
#include "xcstructeditfieldenums.h"
#include "xcstructeditfields.h"
#include "xcstructeditfields_p.h"

#include <QScopeGuard>

#include <cstdint>
#include <limits>

VELT_REGISTER_CLASS(XCStructEditField, NonCreatable, "", "")

namespace {

constexpr int Int16Min = std::numeric_limits<int16_t>::min();
constexpr int Int16Max = std::numeric_limits<int16_t>::max();

void overflow(const XCStructEditField* field)
{
    Velt::reportCallFailed(field, QStringLiteral("Overflow"));
}

} // namespace

struct XCStructEditField::Private
{
    XCStructEditFields* parent = nullptr;
    int16_t index = 0;
    int16_t indentation = 1;
    bool locked = true;
    QString caption;
    QString text;
    QString bitmapName;
    QString errorMessage;
    XCStructEditFieldEnums* enums = nullptr; // child; created on first use
    int declaringRow = -1;
    int32_t declaringValue = 0;
    State state = State::Detached;
    State readingFrom = State::Added; // Added or Declared while Reading
    // Changes with every InitField, so that a call that outlives the binding it started in
    // (the viewer rebinds from inside a type editor call) does not restore a stale state.
    quint64 binding = 0;

    QString pictureKey() const { return !errorMessage.isEmpty() ? QStringLiteral("Error") : bitmapName; }
};

XCStructEditField::XCStructEditField(QObject* parent)
    : QObject(parent), d(std::make_unique<Private>())
{
}

XCStructEditField::~XCStructEditField() = default;

bool XCStructEditField::Locked()
{
    EnsureDeclared();
    if (!d->parent || d->parent->ReadOnly())
        return true;
    return d->locked;
}

void XCStructEditField::setLocked(bool Locked)
{
    EnsureDeclared();
    d->locked = Locked;
}

int XCStructEditField::Indentation() const { return d->indentation; }

void XCStructEditField::setIndentation(int Indentation)
{
    if (Indentation < Int16Min || Indentation > Int16Max) {
        overflow(this);
        return;
    }
    if (d->index == 0) {
        d->indentation = 0;
        return;
    }
    int16_t result = 1;
    if (d->parent) {
        const XCStructEditField* before = d->parent->d->slot(d->index - 1);
        const int previous = before ? before->d->indentation : 0;
        if (previous >= Int16Max) {
            overflow(this);
            return;
        }
        const int deepest = previous + 1;
        if (Indentation > deepest)
            result = int16_t(deepest);
        else if (Indentation >= 1)
            result = int16_t(Indentation);
    }
    d->indentation = result;
}

QString XCStructEditField::BitmapName() const { return d->pictureKey(); }

QVariant XCStructEditField::Bitmap() const
{
    const QString key = d->pictureKey();
    if (key.isEmpty())
        return QVariant();
    return DataEditorRegistry::instance()->ImageBitmap(key);
}

int XCStructEditField::BitmapIndex() const
{
    const QString key = d->pictureKey();
    if (key.isEmpty())
        return 0;
    const int position = DataEditorRegistry::instance()->ImagePosition(key);
    if (position > Int16Max) {
        overflow(this);
        return 0;
    }
    return position;
}

QString XCStructEditField::Caption() const { return d->caption; }

void XCStructEditField::setCaption(const QString& Caption) { d->caption = Caption.trimmed(); }

QString XCStructEditField::Text()
{
    if (!d->parent || d->state == State::Detached)
        return QString();
    if (d->state != State::Added && d->state != State::Declared)
        return d->text; // the type editor is serving this field: the cache only
    const quint64 binding = d->binding;
    d->readingFrom = d->state;
    d->state = State::Reading;
    const auto restore = qScopeGuard([&] {
        if (d->binding == binding)
            d->state = d->readingFrom;
    });
    if (XCStructEditing* editor = d->parent->DirectEditor()) {
        d->errorMessage.clear();
        d->text.clear();
        if (const QuenHandle handle = d->parent->d->callHandle())
            editor->GetField(handle, *this);
    }
    return d->text;
}

void XCStructEditField::setText(const QString& Text) { changeText(Text, true); }

QString XCStructEditField::ErrorMessage() const { return d->errorMessage; }

void XCStructEditField::setErrorMessage(const QString& ErrorMessage)
{
    d->errorMessage = ErrorMessage;
}

int XCStructEditField::Index() const { return d->index; }

int XCStructEditField::Handle() const { return d->parent ? d->parent->Handle() : 0; }

int XCStructEditField::ParameterHandle() const
{
    return d->parent ? d->parent->ParameterHandle() : 0;
}

bool XCStructEditField::DesignTime() const { return d->parent ? d->parent->DesignTime() : true; }

bool XCStructEditField::HasEnumeration()
{
    EnsureDeclared();
    return d->parent && !d->parent->ReadOnly() && d->enums && d->enums->Count() >= 1;
}

XCStructEditFieldEnums* XCStructEditField::Enumeration()
{
    EnsureDeclared();
    if (!d->enums)
        d->enums = new XCStructEditFieldEnums(this);
    return d->enums;
}

QObject* XCStructEditField::Editor() const { return d->parent ? d->parent->DialogEditor() : nullptr; }

bool XCStructEditField::HasEditor()
{
    EnsureDeclared();
    const XCStructEditFields* fields = d->parent;
    return d->state == State::Declared && fields
        && !(fields->ReadOnly() && fields->IsReference()) && d->index == 0
        && fields->d->typeEditor && !fields->BrowseOnly();
}

int XCStructEditField::LocalsHandle() const { return d->parent ? d->parent->LocalsHandle() : 0; }

QString XCStructEditField::ConvertLpcstrToString(const char* lpszString) const
{
    return quen::toQString(lpszString);
}

QString XCStructEditField::ConvertLpcstrToString(const QByteArray& lpszString) const
{
    return quen::toQString(lpszString.constData());
}

void XCStructEditField::InitField(XCStructEditFields* Parent, int Index, const QString& Caption,
                                  int Indentation, const QString& BitmapName,
                                  const QVariant& Bitmap)
{
    ++d->binding;
    d->state = State::Detached;
    d->parent = nullptr;
    d->index = 0;
    d->indentation = 1;
    d->locked = true;
    d->caption.clear();
    d->text.clear();
    d->bitmapName.clear();
    d->errorMessage.clear();
    d->declaringRow = -1;
    d->declaringValue = 0;
    if (d->enums)
        d->enums->Clear();
    if (!Parent)
        return;

    if (Index < 0 || Index > Int16Max) {
        overflow(this);
        return;
    }
    d->parent = Parent;
    d->index = int16_t(Index);
    setCaption(Caption);
    setIndentation(Indentation);
    d->bitmapName = BitmapName;
    if (!BitmapName.isEmpty() && Bitmap.isValid())
        DataEditorRegistry::instance()->AddImageIfAbsent(BitmapName, Bitmap);
    d->state = State::Added;
}

void XCStructEditField::EnsureDeclared()
{
    // Only the first need declares: a field already Declared (or being served) is left alone.
    const bool reading = d->state == State::Reading && d->readingFrom == State::Added;
    if (d->state != State::Added && !reading)
        return;
    const quint64 binding = d->binding;
    d->state = State::Declaring;
    const auto finish = qScopeGuard([&] {
        if (d->binding != binding)
            return;
        if (reading) {
            // Still inside the read: stay Reading, and end the read Declared.
            d->state = State::Reading;
            d->readingFrom = State::Declared;
        } else {
            d->state = State::Declared;
        }
    });
    if (XCStructEditing* editor = d->parent ? d->parent->DirectEditor() : nullptr) {
        if (const QuenHandle handle = d->parent->d->callHandle())
            editor->DeclareField(handle, *this);
    }
}

void XCStructEditField::SetTextUnposted(const QString& Text) { changeText(Text, false); }

void XCStructEditField::changeText(const QString& text, bool postEdits)
{
    if (d->state != State::Added && d->state != State::Declared) {
        d->text = text; // the type editor assigning the field it is serving
        return;
    }
    EnsureDeclared();
    if (d->state != State::Declared || !d->parent || d->parent->ReadOnly())
        return;
    if (!HasEnumeration() && Locked())
        return; // a locked field takes only a choice from its list
    const quint64 binding = d->binding;
    d->state = State::Writing;
    const auto finish = qScopeGuard([&] {
        if (d->binding == binding)
            d->state = State::Declared;
    });
    if (XCStructEditing* editor = d->parent->DirectEditor()) {
        d->errorMessage.clear();
        d->text = text;
        bool refresh = false;
        if (const QuenHandle handle = d->parent->d->callHandle())
            editor->FieldChanged(handle, *this, postEdits, refresh);
        if (refresh && d->binding == binding)
            d->parent->d->bumpAge(d->parent);
    }
}

XCStructEditField::State XCStructEditField::state() const { return d->state; }

XCStructEditFields* XCStructEditField::fields() const { return d->parent; }

void XCStructEditField::setDeclaringRow(int row, int32_t value)
{
    d->declaringRow = row;
    d->declaringValue = value;
}

int XCStructEditField::declaringRow() const { return d->declaringRow; }

int32_t XCStructEditField::declaringValue() const { return d->declaringValue; }
