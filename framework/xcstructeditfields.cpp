#include "xcstructeditfields.h"

#include "callfailure.h"
#include "callfailurescope.h"
#include "componentmacros.h"
#include "dataeditorregistry.h"
#include "latebinding.h"
#include "qtstrings.h"
#include "referenceview_p.h"
#include "xcstructeditfield.h"
#include "xcstructeditfields_p.h"

#include <QScopeGuard>

#include <cstdint>
#include <limits>

VELT_REGISTER_CLASS(XCStructEditing, NonCreatable, "", "")
VELT_REGISTER_CLASS(XCStructEditFields, NonCreatable, "XCStructEditing", "")

namespace {

quint64 s_fieldObjectsCreated = 0;

constexpr int MaxFieldIndex = std::numeric_limits<int16_t>::max(); // indices are 16-bit

void clearCoreError()
{
    if (QuenExcRegIsError(0))
        QuenExcRegClearError(0);
}

QString descriptionOf(QuenHandle parm)
{
    const QuenHandle desc = QuenParmGetDesc(parm);
    return desc ? quen::toQString(QuenDescGetText(desc)) : QString();
}

// Failures of the type editor while a binding declares its fields are ignored.
template <typename Step>
void ignoringFailures(Step step)
{
    const Velt::CallFailureScope ignored;
    step();
}

} // namespace

void XCStructEditFields::Private::bumpAge(XCStructEditFields* q)
{
    if (age == std::numeric_limits<int>::max()) {
        Velt::reportCallFailed(q, QStringLiteral("Overflow"));
        return;
    }
    q->setAge(age + 1);
}

XCStructEditFields::XCStructEditFields(QObject* parent)
    : QObject(parent), d(std::make_unique<Private>())
{
}

XCStructEditFields::~XCStructEditFields() { Detach(); }

XCStructEditFields* XCStructEditFields::create(QObject* parent) { return new XCStructEditFields(parent); }

XCStructEditField* XCStructEditFields::Add(const QString& Caption, int Indentation,
                                           const QString& BitmapName, const QVariant& Bitmap)
{
    if (d->lastIndex >= MaxFieldIndex) {
        Velt::reportCallFailed(this, QStringLiteral("Overflow"));
        return nullptr;
    }
    ++d->lastIndex;
    if (d->lastIndex >= d->capacity) {
        // The pool doubles from 4: 8 slots at the first growth, then 16, 32, ... (at most 32768).
        d->capacity = (d->capacity < 1 ? 4 : d->capacity) * 2;
        d->pool.reserve(std::size_t(d->capacity));
        while (d->pool.size() < std::size_t(d->capacity)) {
            d->pool.push_back(new XCStructEditField(this));
            ++s_fieldObjectsCreated;
        }
    }
    XCStructEditField* field = d->pool[std::size_t(d->lastIndex)];
    field->InitField(this, d->lastIndex, Caption, Indentation, BitmapName, Bitmap);
    return field;
}

XCStructEditField* XCStructEditFields::Item(int Index) const
{
    if (d->state == State::Unbound || Index < 0 || Index >= Count())
        return nullptr;
    return d->slot(Index);
}

int XCStructEditFields::Count() const { return d->lastIndex + 1; }
QString XCStructEditFields::Description() const { return d->description; }
QString XCStructEditFields::Comment() const { return d->comment; }
int XCStructEditFields::ParameterHandle() const { return d->parameterHandle(); }
int XCStructEditFields::Handle() const { return d->dataHandle(); }
int XCStructEditFields::Age() const { return d->age; }
void XCStructEditFields::setAge(int Age)
{
    if (d->age == Age)
        return;
    d->age = Age;
    Q_EMIT AgeChanged(Age);
}

QString XCStructEditFields::DataType() const { return d->dataType; }
QString XCStructEditFields::DataClass() const { return d->dataClass; }
QString XCStructEditFields::Caption() const { return d->caption; }

QVariant XCStructEditFields::Bitmap() const
{
    return Count() > 0 ? d->slot(0)->Bitmap() : QVariant();
}

int XCStructEditFields::BitmapIndex() const { return Count() > 0 ? d->slot(0)->BitmapIndex() : 0; }

bool XCStructEditFields::DesignTime() const { return d->designTime; }
bool XCStructEditFields::ReadOnly() const { return d->readOnly; }
bool XCStructEditFields::BrowseOnly() const { return d->browseOnly; }
QObject* XCStructEditFields::DialogEditor() const { return d->typeEditor.data(); }

XCStructEditing* XCStructEditFields::DirectEditor() const
{
    if (d->state != State::Ready)
        return nullptr;
    if (d->isReference())
        return const_cast<XCStructEditFields*>(this);
    return qobject_cast<XCStructEditing*>(d->typeEditor.data());
}

QObject* XCStructEditFields::DirectEditorObject() const
{
    if (d->state != State::Ready)
        return nullptr;
    return d->isReference() ? const_cast<XCStructEditFields*>(this) : d->typeEditor.data();
}

bool XCStructEditFields::HasEditor() const
{
    return d->typeEditor && !d->browseOnly && !(d->isReference() && d->readOnly);
}

bool XCStructEditFields::IsDefaulted() const
{
    if (d->isReference())
        return d->defaultParm && !d->parm;
    return d->defaultData && !d->data;
}

bool XCStructEditFields::IsOutput() const
{
    const QuenHandle parm = d->defaultParm ? d->defaultParm : d->parm;
    return parm && QuenParmIsOutput(parm);
}

bool XCStructEditFields::IsReference() const { return d->isReference(); }

QVariant XCStructEditFields::Tag() const
{
    if (d->tagIsObject)
        return QVariant::fromValue<QObject*>(d->tagObject.data());
    return d->tag;
}

void XCStructEditFields::setTag(const QVariant& Tag)
{
    if (QObject* object = Velt::toQObject(Tag)) {
        setTagObject(object);
        return;
    }
    d->tagIsObject = false;
    d->tagObject.clear();
    d->tag = Tag;
}

void XCStructEditFields::setTagObject(QObject* Tag)
{
    d->tag.clear();
    d->tagObject = Tag;
    d->tagIsObject = true;
}

int XCStructEditFields::LocalsHandle() const
{
    if (d->locals)
        return d->locals;
    if (d->isReference()) {
        const QuenHandle parm = d->defaultParm ? d->defaultParm : d->parm;
        return parm ? QuenParmGetOwner(parm) : 0;
    }
    const QuenHandle data = d->defaultData ? d->defaultData : d->data;
    return data ? QuenDataExGetLocalsParmBlock(data) : 0;
}

QString XCStructEditFields::ConvertLpcstrToString(const char* lpszString) const
{
    return quen::toQString(lpszString);
}

QString XCStructEditFields::ConvertLpcstrToString(const QByteArray& lpszString) const
{
    return quen::toQString(lpszString.constData());
}

void XCStructEditFields::DeclareFields(int32_t, XCStructEditFields& Fields)
{
    Velt::ReferenceView::declareFields(Fields);
}

void XCStructEditFields::GetField(int32_t, XCStructEditField& Field)
{
    // The value lines bind a scratch collection; a nested read (a value that is itself shown
    // through a reference view) gets one of its own.
    if (d->valueViewBusy) {
        XCStructEditFields scratch;
        Velt::ReferenceView::getField(Field, scratch);
        return;
    }
    if (!d->valueView)
        d->valueView = std::make_unique<XCStructEditFields>();
    d->valueViewBusy = true;
    const auto release = qScopeGuard([&] { d->valueViewBusy = false; });
    Velt::ReferenceView::getField(Field, *d->valueView);
}

void XCStructEditFields::DeclareField(int32_t, XCStructEditField& Field)
{
    Velt::ReferenceView::declareField(Field);
}

void XCStructEditFields::FieldChanged(int32_t, XCStructEditField& Field, bool, bool& Refresh)
{
    if (Velt::ReferenceView::fieldChanged(Field))
        Refresh = true;
}

void XCStructEditFields::AttachParameter(int ParameterHandle, int DefaultParameterHandle,
                                         int LocalsParmBlockHandle, bool DesignTime,
                                         bool ReadOnly, bool BrowseOnly)
{
    const QuenHandle p = ParameterHandle;
    const QuenHandle def = DefaultParameterHandle;
    Detach();
    // At design time a default parameter is never used.
    if ((!p && !def) || (DesignTime && def))
        return;

    d->designTime = DesignTime;
    d->readOnly = ReadOnly;
    d->browseOnly = BrowseOnly;
    d->parm = p;
    d->defaultParm = def;
    if (LocalsParmBlockHandle && QuenPbAddRef(LocalsParmBlockHandle))
        d->locals = LocalsParmBlockHandle;

    if (!p) {
        d->readOnly = true; // only the default is shown
    } else {
        d->parmIsReference = QuenParmIsReference(p);
        d->caption = quen::toQString(QuenParmGetName(p)).trimmed();
        (def ? d->comment : d->description) = descriptionOf(p);
        if (!d->parmIsReference) {
            d->data = QuenParmGetData(p);
            if (!d->data) {
                clearCoreError();
                Detach();
                return;
            }
            d->dataClass = quen::toQString(QuenDataGetType(d->data));
        } else {
            d->dataClass = quen::toQString(QuenParmGetType(p));
        }
    }
    if (def) {
        d->defaultIsReference = QuenParmIsReference(def);
        d->caption = quen::toQString(QuenParmGetName(def)).trimmed();
        d->description = descriptionOf(def);
        if (!d->defaultIsReference) {
            d->defaultData = QuenParmGetData(def);
            if (!d->defaultData) {
                clearCoreError();
                Detach();
                return;
            }
            d->dataClass = quen::toQString(QuenDataGetType(d->defaultData));
        } else {
            d->dataClass = quen::toQString(QuenParmGetType(def));
        }
    }
    declare();
}

void XCStructEditFields::AttachData(int DataHandle, int DefaultDataHandle, bool DesignTime,
                                    bool, bool BrowseOnly, const QString& Caption)
{
    Detach();
    if (!DataHandle && !DefaultDataHandle)
        return;
    d->readOnly = true; // data items are only shown
    d->data = DataHandle;
    d->defaultData = DefaultDataHandle;
    d->caption = Caption;
    d->designTime = DesignTime;
    d->browseOnly = BrowseOnly;
    d->dataClass = quen::toQString(QuenDataGetType(DataHandle ? DataHandle : DefaultDataHandle));
    declare();
}

void XCStructEditFields::declare()
{
    DataEditorRegistry* registry = DataEditorRegistry::instance();
    QObject* dialogEditor = registry->DataEditor(d->dataClass);
    if (!dialogEditor) {
        Detach();
        return;
    }
    d->dataType = Velt::callByName(dialogEditor, "DataType").value_or(QVariant()).toString();
    d->typeEditor = registry->StructuredDataEditor(d->dataClass);
    if (!d->typeEditor) {
        Detach();
        return;
    }
    if (d->isReference()) {
        Add(d->caption, 0, QStringLiteral("Reference"), QVariant());
        d->state = State::Declaring;
        ignoringFailures([&] { DeclareFields(d->parameterHandle(), *this); });
    } else {
        const QVariant picture = Velt::callByName(dialogEditor, "DataBitmap").value_or(QVariant());
        Add(d->caption, 0, d->dataClass, picture);
        d->state = State::Declaring;
        XCStructEditing* editor = qobject_cast<XCStructEditing*>(d->typeEditor.data());
        const QuenHandle handle = d->dataHandle();
        if (editor && handle)
            ignoringFailures([&] { editor->DeclareFields(handle, *this); });
    }
    d->state = State::Ready;
}

void XCStructEditFields::Detach()
{
    d->lastIndex = -1;
    d->state = State::Unbound;
    d->age = 0;
    d->parm = d->data = d->defaultParm = d->defaultData = 0;
    d->parmIsReference = d->defaultIsReference = false;
    if (d->locals) {
        QuenPbRelease(d->locals);
        d->locals = 0;
    }
    d->caption.clear();
    d->description.clear();
    d->comment.clear();
    d->dataClass.clear();
    d->dataType.clear();
    d->typeEditor.clear();
    for (XCStructEditField* field : d->pool)
        field->InitField(nullptr, 0, QString(), 1, QString(), QVariant());
}

int XCStructEditFields::ResolveReference(const QString& TableName, const QString& SymbolName,
                                         QString& Message) const
{
    return Velt::ReferenceView::resolveReference(TableName, SymbolName, Message);
}

QVariantMap XCStructEditFields::ResolveReference(const QString& TableName,
                                                 const QString& SymbolName) const
{
    QString message;
    const int result = ResolveReference(TableName, SymbolName, message);
    return {{QStringLiteral("Message"), message}, {QStringLiteral("result"), result}};
}

int XCStructEditFields::FindTable(const QString& TableName) const
{
    return Velt::ReferenceView::findTable(TableName);
}

XCStructEditFields::State XCStructEditFields::state() const { return d->state; }

int XCStructEditFields::fieldCapacity() const { return d->capacity; }

quint64 XCStructEditFields::fieldObjectsCreated() { return s_fieldObjectsCreated; }
