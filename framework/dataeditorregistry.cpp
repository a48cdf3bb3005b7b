#include "dataeditorregistry.h"

#include "builtineditors.h"
#include "builtinimages.h"
#include "callfailurescope.h"
#include "componentregistry.h"
#include "datatypenames.h"
#include "keyedcollection.h"
#include "latebinding.h"
#include "qtstrings.h"
#include "runtimeevaluation.h"

#include "quen/quencore.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QIcon>
#include <QImage>
#include <QLoggingCategory>
#include <QPixmap>
#include <QPointer>

#include <exception>

namespace {

Q_LOGGING_CATEGORY(lcRegistry, "velt.registry")

QPointer<DataEditorRegistry> s_instance;

bool isBlank(const QString& text) { return text.trimmed().isEmpty(); }

QString textMember(QObject* object, const char* name)
{
    const std::optional<QVariant> value = Velt::callByName(object, name);
    return value ? value->toString() : QString();
}

QIcon toIcon(const QVariant& picture)
{
    if (picture.metaType() == QMetaType::fromType<QIcon>())
        return picture.value<QIcon>();
    if (picture.metaType() == QMetaType::fromType<QPixmap>())
        return QIcon(picture.value<QPixmap>());
    if (picture.metaType() == QMetaType::fromType<QImage>())
        return QIcon(QPixmap::fromImage(picture.value<QImage>()));
    return QIcon();
}

// Registration swallows every error: an editor under construction must not stop the others.
template <typename Step>
void quietly(const char* what, Step step)
{
    try {
        const Velt::CallFailureScope scope;
        step();
        if (scope.failed())
            qCDebug(lcRegistry) << what << "failed:" << scope.message();
    } catch (const std::exception& e) {
        qCDebug(lcRegistry) << what << "skipped:" << e.what();
    } catch (...) {
        qCDebug(lcRegistry) << what << "skipped";
    }
}

// The display name of a data class is the DataType of its dialog editor. Modules below the
// registry (the symbol selector) reach it through the lookup installed when the library loads.
QString registeredDataType(const QString& dataClass)
{
    if (!QCoreApplication::instance())
        return QString();
    QObject* editor = DataEditorRegistry::instance()->DataEditor(dataClass);
    const std::optional<QVariant> type = editor ? Velt::propertyByName(editor, "DataType")
                                                : std::nullopt;
    return type ? type->toString() : QString();
}

[[maybe_unused]] const bool dataTypeNamesInstalled =
    (Velt::setDataTypeNameLookup(&registeredDataType), true);

} // namespace

struct DataEditorRegistry::Private
{
    struct Collections
    {
        Velt::KeyedCollection<QPointer<QObject>> dialogEditors;
        Velt::KeyedCollection<QPointer<QObject>> structuredEditors;
        Velt::KeyedCollection<QString> editorNames;
        Velt::KeyedCollection<QIcon> images;
    };

    explicit Private(DataEditorRegistry* owner) : q(owner) { }

    void ensureLoaded()
    {
        if (!collections && !loading)
            load();
    }

    void load()
    {
        loading = true;
        collections = std::make_unique<Collections>();
        for (const QString& key : Velt::builtinImageKeys())
            collections->images.add(key, Velt::builtinImage(key));
        if (!instances) {
            instances = new QWidget(q); // holds the editors created by class identifier
            instances->hide();
        }
        const std::span<const Velt::BuiltinEditor> editors = Velt::builtinEditors();
        for (const Velt::BuiltinEditor& editor : editors) {
            if (editor.sited)
                quietly("siting", [&] { q->SiteEditor(editor.dataClass, editor.classId); });
        }
        // The start-up table: the sited editors that serve their class, first.
        for (const Velt::BuiltinEditor& editor : editors) {
            if (editor.servedBySited)
                q->AddSitedEditor(editor.classId, editor.dataClass);
        }
        q->RegisterDataEditors(QString(), QStringLiteral("DataEditors"), false);
        loading = false;
    }

    void release()
    {
        collections.reset();
        const QList<QObject*> owned = q->findChildren<QObject*>(Qt::FindDirectChildrenOnly);
        qDeleteAll(owned);
    }

    bool editorNameListed(const QString& classId) const
    {
        return collections->editorNames.containsItem([&](const QString& name) {
            return name.compare(classId, Qt::CaseInsensitive) == 0;
        });
    }

    bool addEditorIfAbsent(Velt::KeyedCollection<QPointer<QObject>>& editors,
                           const QString& dataClass, QObject* editor)
    {
        if (isBlank(dataClass) || !editor)
            return true;
        if (editors.containsItem([&](const QPointer<QObject>& p) { return p == editor; }))
            return true;
        return editors.add(dataClass, editor);
    }

    static QObject* lookupEditor(const Velt::KeyedCollection<QPointer<QObject>>& editors,
                                 const QVariant& key)
    {
        const std::optional<QPointer<QObject>> found = editors.lookup(key);
        return found ? found->data() : nullptr;
    }

    DataEditorRegistry* const q;
    std::unique_ptr<Collections> collections;
    QPointer<QWidget> instances;
    bool loading = false;
};

DataEditorRegistry::DataEditorRegistry(QWidget* parent)
    : QWidget(parent), d(std::make_unique<Private>(this))
{
    setObjectName(QStringLiteral("DataEditorRegistry"));
    setWindowTitle(QStringLiteral("DataEditorRegistry"));
}

DataEditorRegistry::~DataEditorRegistry()
{
    d->collections.reset(); // before the editors it points to go
}

DataEditorRegistry* DataEditorRegistry::instance()
{
    if (!s_instance) {
        static bool teardownHooked = false;
        if (!teardownHooked) {
            qAddPostRoutine(&DataEditorRegistry::unload);
            teardownHooked = true;
        }
        // Published before loading, so editors that ask for the registry while it loads get it.
        s_instance = new DataEditorRegistry;
    }
    s_instance->d->ensureLoaded();
    return s_instance;
}

void DataEditorRegistry::unload()
{
    delete s_instance.data();
}

bool DataEditorRegistry::isLoaded() { return !s_instance.isNull(); }

bool DataEditorRegistry::hasCollections() const { return d->collections != nullptr; }

void DataEditorRegistry::closeEvent(QCloseEvent* event)
{
    event->accept();
    d->release();
}

void DataEditorRegistry::LoadDataEditors(const QString& IniFilename, const QString& SectionName)
{
    RegisterDataEditors(IniFilename, SectionName, true);
}

void DataEditorRegistry::RegisterDataEditors(const QString&, const QString&, bool Site)
{
    d->ensureLoaded();
    for (const Velt::BuiltinEditor& editor : Velt::builtinEditors())
        RegisterEditor(editor.classId, Site);
}

int DataEditorRegistry::AddImageIfAbsent(const QString& Key, const QVariant& Picture)
{
    d->ensureLoaded();
    if (isBlank(Key))
        return 0;
    Velt::KeyedCollection<QIcon>& images = d->collections->images;
    if (const int position = images.positionOf(Key))
        return position;
    // Without a picture the key is still listed; its image reads as nothing.
    if (!images.add(Key, toIcon(Picture)))
        return 0;
    return images.count();
}

int DataEditorRegistry::ImagePosition(const QString& Key)
{
    d->ensureLoaded();
    const int position = d->collections->images.positionOf(Key);
    const std::optional<QIcon> icon = d->collections->images.at(position);
    return icon && !icon->isNull() ? position : 0;
}

int DataEditorRegistry::ImageCount()
{
    d->ensureLoaded();
    return d->collections->images.count();
}

QVariant DataEditorRegistry::ImageBitmap(const QVariant& Key)
{
    d->ensureLoaded();
    const std::optional<QIcon> icon = d->collections->images.lookup(Key);
    return icon && !icon->isNull() ? QVariant::fromValue(*icon) : QVariant();
}

QString DataEditorRegistry::ImageBitmapName(int Index)
{
    d->ensureLoaded();
    return d->collections->images.keyAt(Index);
}

int DataEditorRegistry::DataEditorCount()
{
    d->ensureLoaded();
    return d->collections->dialogEditors.count();
}

bool DataEditorRegistry::AddDataEditorIfAbsent(const QString& DataClass, QObject* Editor)
{
    d->ensureLoaded();
    return d->addEditorIfAbsent(d->collections->dialogEditors, DataClass, Editor);
}

QObject* DataEditorRegistry::DataEditor(const QVariant& Key)
{
    d->ensureLoaded();
    return Private::lookupEditor(d->collections->dialogEditors, Key);
}

int DataEditorRegistry::StructuredDataEditorCount()
{
    d->ensureLoaded();
    return d->collections->structuredEditors.count();
}

bool DataEditorRegistry::AddStructuredDataEditorIfAbsent(const QString& DataClass, QObject* Editor)
{
    d->ensureLoaded();
    return d->addEditorIfAbsent(d->collections->structuredEditors, DataClass, Editor);
}

QObject* DataEditorRegistry::StructuredDataEditor(const QVariant& Key)
{
    d->ensureLoaded();
    return Private::lookupEditor(d->collections->structuredEditors, Key);
}

int DataEditorRegistry::DataEditorNameCount()
{
    d->ensureLoaded();
    return d->collections->editorNames.count();
}

QString DataEditorRegistry::DataEditorName(const QVariant& Index)
{
    d->ensureLoaded();
    return d->collections->editorNames.lookup(Index).value_or(QString());
}

bool DataEditorRegistry::Bind(int DataHandle, int ParmBlockHandle)
{
    d->ensureLoaded();
    const QString dataClass = quen::toQString(QuenDataGetType(DataHandle));
    QWidget* sited = FindSitedEditor(dataClass);
    if (!sited)
        return true;
    QObject* runtime = Velt::objectByName(sited, "GetRuntime");
    return Velt::RuntimeEvaluation::callOn(runtime, Velt::RuntimeEvaluation::Member::Bind,
                                           DataHandle, ParmBlockHandle);
}

void DataEditorRegistry::RegisterEditor(const QString& ClassId, bool Site)
{
    d->ensureLoaded();
    quietly("registering an editor", [&] {
        if (d->editorNameListed(ClassId))
            return; // each type editor class is registered once
        QObject* editor = Velt::ComponentRegistry::instance().create(ClassId, d->instances);
        if (!editor)
            return;
        if (auto* widget = qobject_cast<QWidget*>(editor)) {
            if (widget->parentWidget() != d->instances)
                widget->setParent(d->instances);
            widget->hide();
        } else if (editor->parent() != d->instances) {
            editor->setParent(d->instances);
        }

        QObject* host = Velt::objectByName(editor, "GetEditor");
        QObject* direct = Velt::objectByName(editor, "GetDirect");
        const QString dataClass = host ? textMember(host, "DataClass") : QString();
        const bool served = !dataClass.isEmpty();
        if (served) {
            AddImageIfAbsent(dataClass, Velt::callByName(host, "DataBitmap").value_or(QVariant()));
            AddDataEditorIfAbsent(dataClass, host);
            AddEditorName(dataClass, ClassId);
            AddStructuredDataEditorIfAbsent(dataClass, direct);
            if (Site)
                SiteEditor(dataClass, ClassId);
        }
        QObject* runtime = Velt::objectByName(editor, "GetRuntime");
        const bool evaluates = runtime && served
            && Velt::RuntimeEvaluation::RegisterRuntime(dataClass, runtime) != 0;
        if (!served && !evaluates)
            delete editor; // nothing refers to it
    });
}

void DataEditorRegistry::AddSitedEditor(const QString& ClassId, const QString& DataClass)
{
    d->ensureLoaded();
    quietly("adding a sited editor", [&] {
        QWidget* sited = FindSitedEditor(DataClass);
        if (!sited)
            return;
        QObject* host = Velt::objectByName(sited, "GetEditor");
        if (!host || textMember(host, "DataClass") != DataClass)
            return;
        sited->hide();
        QObject* direct = Velt::objectByName(sited, "GetDirect");
        if (d->editorNameListed(ClassId))
            return;
        AddImageIfAbsent(DataClass, Velt::callByName(host, "DataBitmap").value_or(QVariant()));
        AddDataEditorIfAbsent(DataClass, host);
        AddEditorName(DataClass, ClassId);
        AddStructuredDataEditorIfAbsent(DataClass, direct);
    });
}

bool DataEditorRegistry::AddEditorName(const QString& DataClass, const QString& ClassId)
{
    d->ensureLoaded();
    if (isBlank(DataClass) || isBlank(ClassId) || d->editorNameListed(ClassId))
        return false;
    return d->collections->editorNames.add(DataClass, ClassId);
}

QWidget* DataEditorRegistry::FindSitedEditor(const QString& Name) const
{
    if (Name.isEmpty())
        return nullptr;
    return findChild<QWidget*>(Name, Qt::FindDirectChildrenOnly);
}

QWidget* DataEditorRegistry::SiteEditor(const QString& DataClass, const QString& ClassId)
{
    if (isBlank(DataClass))
        return nullptr;
    if (QWidget* existing = FindSitedEditor(DataClass))
        return existing;
    QObject* created = Velt::ComponentRegistry::instance().create(ClassId, this);
    auto* editor = qobject_cast<QWidget*>(created);
    if (!editor) {
        delete created; // only controls can be sited
        return nullptr;
    }
    if (editor->parentWidget() != this)
        editor->setParent(this);
    editor->setObjectName(DataClass);
    return editor;
}
