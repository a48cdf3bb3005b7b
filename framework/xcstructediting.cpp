#include "xcstructediting.h"

#include "callfailure.h"
#include "xcstructeditfield.h"
#include "xcstructeditfields.h"

namespace Velt::StructEditingTwins {

namespace {

// The object a late-bound caller passed, or null after reporting that it is not one.
template <typename T>
T* objectArgument(const QObject* self, QObject* object, QLatin1StringView what)
{
    auto* typed = qobject_cast<T*>(object);
    if (!typed)
        reportCallFailed(self, QStringLiteral("The argument is not %1.").arg(what));
    return typed;
}

XCStructEditField* fieldArgument(const QObject* self, QObject* object)
{
    return objectArgument<XCStructEditField>(self, object, QLatin1StringView("a field"));
}

} // namespace

void declareFields(const QObject* self, XCStructEditing& editor, int DataHandle, QObject* Fields)
{
    if (auto* fields = objectArgument<XCStructEditFields>(self, Fields,
                                                          QLatin1StringView("a field collection")))
        editor.DeclareFields(int32_t(DataHandle), *fields);
}

void getField(const QObject* self, XCStructEditing& editor, int DataHandle, QObject* Field)
{
    if (auto* field = fieldArgument(self, Field))
        editor.GetField(int32_t(DataHandle), *field);
}

void declareField(const QObject* self, XCStructEditing& editor, int DataHandle, QObject* Field)
{
    if (auto* field = fieldArgument(self, Field))
        editor.DeclareField(int32_t(DataHandle), *field);
}

QVariantMap fieldChanged(const QObject* self, XCStructEditing& editor, int DataHandle,
                         QObject* Field, bool PostEdits, bool Refresh)
{
    if (auto* field = fieldArgument(self, Field))
        editor.FieldChanged(int32_t(DataHandle), *field, PostEdits, Refresh);
    return {{QStringLiteral("Refresh"), Refresh}, {QStringLiteral("result"), QVariant()}};
}

} // namespace Velt::StructEditingTwins
