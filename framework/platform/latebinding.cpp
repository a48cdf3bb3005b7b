#include "latebinding.h"

#include <QByteArray>
#include <QMetaMethod>
#include <QMetaObject>
#include <QObject>

#include <vector>

namespace Velt {

namespace {

bool sameName(const QByteArray& candidate, const char* name, Qt::CaseSensitivity cs)
{
    return QString::fromLatin1(candidate).compare(QLatin1StringView(name), cs) == 0;
}

// Converts the arguments to the method's parameter types; false when one does not convert.
bool convertArguments(const QMetaMethod& method, const QVariantList& args,
                      std::vector<QVariant>& converted)
{
    converted.clear();
    converted.reserve(size_t(args.size()));
    for (int i = 0; i < method.parameterCount(); ++i) {
        const QMetaType type = method.parameterMetaType(i);
        if (!type.isValid())
            return false;
        if (type == QMetaType::fromType<QVariant>()) {
            converted.push_back(args.at(i));
            continue;
        }
        QVariant value = args.at(i);
        if (value.metaType() != type) {
            if (!value.isValid()) {
                value = QVariant(type); // nothing passes as the type's default (null, 0, "")
            } else if (!value.convert(type)) {
                return false;
            }
        }
        converted.push_back(std::move(value));
    }
    return true;
}

std::optional<QVariant> invokeMatching(QObject* object, const char* member,
                                       const QVariantList& args, Qt::CaseSensitivity cs)
{
    const QMetaObject* meta = object->metaObject();
    for (int index = meta->methodCount() - 1; index >= 0; --index) {
        const QMetaMethod method = meta->method(index);
        if (method.methodType() == QMetaMethod::Constructor
            || method.parameterCount() != args.size() || !sameName(method.name(), member, cs))
            continue;
        std::vector<QVariant> converted;
        if (!convertArguments(method, args, converted))
            continue;

        // A QVariant parameter or result is passed as the QVariant itself, anything else as the
        // value the QVariant holds.
        const QMetaType variantType = QMetaType::fromType<QVariant>();
        const QMetaType returnType = method.returnMetaType();
        const bool returnsValue = returnType.isValid() && returnType.id() != QMetaType::Void;
        const bool returnsVariant = returnType == variantType;
        QVariant result = returnsValue && !returnsVariant ? QVariant(returnType) : QVariant();
        std::vector<void*> argv;
        argv.reserve(converted.size() + 1);
        argv.push_back(!returnsValue ? nullptr : returnsVariant ? &result : result.data());
        for (size_t i = 0; i < converted.size(); ++i) {
            const bool byVariant = method.parameterMetaType(int(i)) == variantType;
            argv.push_back(byVariant ? static_cast<void*>(&converted[i]) : converted[i].data());
        }
        QMetaObject::metacall(object, QMetaObject::InvokeMetaMethod, method.methodIndex(),
                              argv.data());
        return result;
    }
    return std::nullopt;
}

int findProperty(const QMetaObject* meta, const char* name)
{
    int index = meta->indexOfProperty(name);
    if (index >= 0)
        return index;
    for (int i = meta->propertyCount() - 1; i >= 0; --i) {
        if (QString::fromLatin1(meta->property(i).name())
                .compare(QLatin1StringView(name), Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

} // namespace

std::optional<QVariant> invokeByName(QObject* object, const char* member, const QVariantList& args)
{
    if (!object || !member || !*member)
        return std::nullopt;
    if (auto result = invokeMatching(object, member, args, Qt::CaseSensitive))
        return result;
    return invokeMatching(object, member, args, Qt::CaseInsensitive);
}

std::optional<QVariant> propertyByName(const QObject* object, const char* name)
{
    if (!object || !name || !*name)
        return std::nullopt;
    const QMetaObject* meta = object->metaObject();
    const int index = findProperty(meta, name);
    if (index >= 0)
        return meta->property(index).read(object);
    if (object->dynamicPropertyNames().contains(QByteArray(name)))
        return object->property(name);
    return std::nullopt;
}

bool setPropertyByName(QObject* object, const char* name, const QVariant& value)
{
    if (!object || !name || !*name)
        return false;
    const QMetaObject* meta = object->metaObject();
    const int index = findProperty(meta, name);
    if (index >= 0) {
        const QMetaProperty property = meta->property(index);
        return property.isWritable() && property.write(object, value);
    }
    if (object->dynamicPropertyNames().contains(QByteArray(name))) {
        object->setProperty(name, value);
        return true;
    }
    return false;
}

std::optional<QVariant> callByName(QObject* object, const char* member, const QVariantList& args)
{
    if (auto result = invokeByName(object, member, args))
        return result;
    if (args.isEmpty())
        return propertyByName(object, member);
    if (args.size() == 1 && setPropertyByName(object, member, args.first()))
        return QVariant();
    return std::nullopt;
}

QObject* toQObject(const QVariant& value)
{
    if (!value.isValid() || !(value.metaType().flags() & QMetaType::PointerToQObject))
        return nullptr;
    return *static_cast<QObject* const*>(value.constData());
}

QObject* objectByName(QObject* object, const char* member, const QVariantList& args)
{
    const std::optional<QVariant> result = invokeByName(object, member, args);
    return result ? toQObject(*result) : nullptr;
}

bool hasMember(const QObject* object, const char* name)
{
    if (!object || !name || !*name)
        return false;
    const QMetaObject* meta = object->metaObject();
    for (int i = 0; i < meta->methodCount(); ++i) {
        if (sameName(meta->method(i).name(), name, Qt::CaseInsensitive))
            return true;
    }
    return findProperty(meta, name) >= 0
        || object->dynamicPropertyNames().contains(QByteArray(name));
}

} // namespace Velt
