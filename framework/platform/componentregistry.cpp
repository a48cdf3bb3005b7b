#include "componentregistry.h"

#include "callfailurescope.h"
#include "componentmacros.h"

#include "typelibrary.h"

#include <QHash>
#include <QList>
#include <QLoggingCategory>

#include <exception>

namespace Velt {

namespace {
Q_LOGGING_CATEGORY(lcComponents, "velt.components")

// Identifiers match case-insensitively, as the host platform's did.
QString keyOf(const QString& classId) { return classId.trimmed().toCaseFolded(); }
} // namespace

struct ComponentRegistry::Private
{
    QList<ClassInfo> classes; // registration order
    QHash<QString, qsizetype> index; // folded identifier -> position in classes

    void reindex()
    {
        index.clear();
        for (qsizetype i = 0; i < classes.size(); ++i)
            index.insert(keyOf(classes.at(i).classId), i);
    }
};

ComponentRegistry::ComponentRegistry() : d(std::make_unique<Private>()) { }
ComponentRegistry::~ComponentRegistry() = default;

ComponentRegistry& ComponentRegistry::instance()
{
    static ComponentRegistry registry;
    return registry;
}

bool ComponentRegistry::registerClass(ClassInfo info)
{
    info.className = info.className.trimmed();
    if (info.className.isEmpty())
        return false;
    if (info.classId.trimmed().isEmpty())
        info.classId = TypeLibrary::classId(info.className);
    if (info.kind == Kind::NonCreatable)
        info.factory = nullptr;

    const QString key = keyOf(info.classId);
    const auto it = d->index.constFind(key);
    if (it != d->index.constEnd()) {
        d->classes[it.value()] = std::move(info); // a replacement keeps its place
    } else {
        d->index.insert(key, d->classes.size());
        d->classes.append(std::move(info));
    }
    return true;
}

void ComponentRegistry::unregisterClass(const QString& classId)
{
    const auto it = d->index.constFind(keyOf(classId));
    if (it == d->index.constEnd())
        return;
    d->classes.removeAt(it.value());
    d->reindex();
}

QObject* ComponentRegistry::create(const QString& classId, QWidget* parent) const
{
    const ClassInfo* info = find(classId);
    if (!info || info->kind == Kind::NonCreatable || !info->factory)
        return nullptr;
    try {
        // A control whose construction reported a failure is not handed out.
        const CallFailureScope scope;
        QObject* object = info->factory(parent);
        if (!scope.failed())
            return object;
        qCWarning(lcComponents) << "creating" << classId << "failed:" << scope.message();
        delete object;
    } catch (const std::exception& e) {
        qCWarning(lcComponents) << "creating" << classId << "failed:" << e.what();
    } catch (...) {
        qCWarning(lcComponents) << "creating" << classId << "failed";
    }
    return nullptr;
}

const ComponentRegistry::ClassInfo* ComponentRegistry::find(const QString& classId) const
{
    const auto it = d->index.constFind(keyOf(classId));
    return it == d->index.constEnd() ? nullptr : &d->classes.at(it.value());
}

QStringList ComponentRegistry::classIds() const
{
    QStringList ids;
    ids.reserve(d->classes.size());
    for (const ClassInfo& info : d->classes)
        ids.append(info.classId);
    return ids;
}

QStringList splitMemberList(const char* list)
{
    // Splits at commas and semicolons outside parentheses, so that events may be written with
    // their argument lists: "Change(Name, Value), KeyDown(KeyCode, Shift)".
    QStringList items;
    const QString text = QString::fromUtf8(list ? list : "");
    QString current;
    int depth = 0;
    for (const QChar c : text) {
        if (c == u'(')
            ++depth;
        else if (c == u')' && depth > 0)
            --depth;
        if ((c == u',' || c == u';') && depth == 0) {
            if (!current.trimmed().isEmpty())
                items.append(current.trimmed());
            current.clear();
        } else {
            current.append(c);
        }
    }
    if (!current.trimmed().isEmpty())
        items.append(current.trimmed());
    return items;
}

} // namespace Velt
