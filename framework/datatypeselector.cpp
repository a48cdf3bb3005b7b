#include "datatypeselector.h"

#include "componentmacros.h"
#include "dataeditorregistry.h"
#include "datatypelist.h"
#include "keyevents.h"
#include "qtstrings.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QStackedLayout>

VELT_REGISTER_CLASS(DataTypeSelector, VisibleControl, "",
                    "KeyDown(KeyCode, Shift), KeyPress(KeyAscii), Change(NewClass)")

using namespace Velt;

namespace {

QObject* registryEditor(int position)
{
    DataEditorRegistry* registry = DataEditorRegistry::instance();
    if (position < 1 || position > registry->DataEditorCount())
        return nullptr;
    return registry->DataEditor(QVariant(position));
}

QString textProperty(const QObject* object, const char* name)
{
    return object ? object->property(name).toString() : QString();
}

} // namespace

struct DataTypeSelector::Private
{
    DataTypeSelector* q;
    DataTypeList list;
    QStackedLayout* pages = nullptr;
    QComboBox* plain = nullptr;
    QComboBox* sortedBox = nullptr;
    bool sorted = false;
    bool built = false;
    int moving = 0;         // > 0 while the control itself moves the selection
    KeyRedelivery keys;

    explicit Private(DataTypeSelector* owner) : q(owner) { }

    QComboBox* inUse() const { return sorted ? sortedBox : plain; }

    QComboBox* makeBox(const QString& name)
    {
        auto* box = new QComboBox(q);
        box->setObjectName(name);
        box->setAccessibleName(DataTypeSelector::tr("Data type"));
        box->installEventFilter(q);
        QObject::connect(box, &QComboBox::currentIndexChanged, q, [this, box] {
            if (moving == 0 && box == inUse()) {
                const QString chosen = q->DataClass();
                select(chosen); // the other list follows
                Q_EMIT q->Change(chosen);
            }
        });
        pages->addWidget(box);
        return box;
    }

    void ensureBuilt()
    {
        if (!built)
            rebuild({});
    }

    // Fills both lists anew from the registry and selects `keep` again when it is listed.
    void rebuild(const QString& keep)
    {
        ++moving;
        list.clear();
        DataEditorRegistry* registry = DataEditorRegistry::instance();
        const int count = registry->DataEditorCount();
        for (int position = 1; position <= count; ++position) {
            const QObject* editor = registry->DataEditor(QVariant(position));
            list.add(textProperty(editor, "DataClass"), textProperty(editor, "DataType"), position);
        }
        fill(plain, false);
        fill(sortedBox, true);
        built = true;
        if (!keep.isEmpty())
            select(keep);
        --moving;
    }

    void fill(QComboBox* box, bool sortedEntries)
    {
        box->clear();
        for (const DataTypeEntry& entry : list.entries(sortedEntries))
            box->addItem(entry.dataType, entry.position);
        box->setCurrentIndex(-1);
    }

    // Selects the entry of a class in both lists; false when no editor serves the class.
    bool select(const QString& dataClass)
    {
        const QObject* editor = DataEditorRegistry::instance()->DataEditor(QVariant(dataClass));
        if (!editor)
            return false;
        const QString type = textProperty(editor, "DataType");
        ++moving;
        plain->setCurrentIndex(list.rowOfType(type, false));
        sortedBox->setCurrentIndex(list.rowOfType(type, true));
        --moving;
        return true;
    }

    QObject* selectedEditor() const
    {
        const QVariant position = inUse()->currentData();
        return position.isValid() ? registryEditor(position.toInt()) : nullptr;
    }

    // A character typed into the sorted list: the next entry beginning with it.
    void cycle(QChar typed)
    {
        QStringList texts;
        texts.reserve(sortedBox->count());
        for (int row = 0; row < sortedBox->count(); ++row)
            texts.append(sortedBox->itemText(row));
        const int row = DataTypeList::cycleTarget(texts, sortedBox->currentIndex(), typed);
        if (row >= 0) {
            ++moving;
            sortedBox->setCurrentIndex(row);
            --moving;
            select(q->DataClass());
        }
        Q_EMIT q->Change(q->DataClass());
    }
};

DataTypeSelector::DataTypeSelector(QWidget* parent) : QWidget(parent), d(std::make_unique<Private>(this))
{
    setObjectName(QStringLiteral("DataTypeSelector"));
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed); // as high as a drop-down
    d->pages = new QStackedLayout(this);
    d->pages->setContentsMargins(0, 0, 0, 0);
    d->plain = d->makeBox(QStringLiteral("TypeList"));
    d->sortedBox = d->makeBox(QStringLiteral("SortedTypeList"));
    d->pages->setCurrentWidget(d->plain);
    setFocusProxy(d->plain);
}

DataTypeSelector::~DataTypeSelector() = default;

QString DataTypeSelector::DataClass() const
{
    d->ensureBuilt();
    return textProperty(d->selectedEditor(), "DataClass");
}

void DataTypeSelector::setDataClass(const QString& dataClass)
{
    d->ensureBuilt();
    d->select(dataClass);
}

QString DataTypeSelector::DataType() const
{
    d->ensureBuilt();
    return textProperty(d->selectedEditor(), "DataType");
}

QVariant DataTypeSelector::Bitmap() const
{
    d->ensureBuilt();
    const QObject* editor = d->selectedEditor();
    return editor ? editor->property("DataBitmap") : QVariant();
}

bool DataTypeSelector::Sorted() const { return d->sorted; }

void DataTypeSelector::setSorted(bool sorted)
{
    if (sorted == d->sorted)
        return;
    const QString keep = d->built ? DataClass() : QString();
    d->sorted = sorted;
    d->pages->setCurrentWidget(d->inUse());
    setFocusProxy(d->inUse());
    d->rebuild(keep);
    Q_EMIT sortedChanged(sorted);
}

void DataTypeSelector::SetToDataHandle(int DataHandle)
{
    if (DataHandle != 0)
        setDataClass(quen::toQString(QuenDataGetType(DataHandle)));
}

void DataTypeSelector::SetToParameterHandle(int ParameterHandle)
{
    if (ParameterHandle == 0)
        return;
    const QuenHandle data = QuenParmGetData(ParameterHandle);
    if (data != 0) {
        setDataClass(quen::toQString(QuenDataGetType(data)));
        return;
    }
    QuenExcRegClearError(0);
    if (QuenParmIsReference(ParameterHandle))
        setDataClass(quen::toQString(QuenParmGetType(ParameterHandle)));
}

int DataTypeSelector::CreateDataHandle(const QString& Name)
{
    d->ensureBuilt();
    const QString wanted = Name.isEmpty() ? DataClass() : Name;
    if (wanted.isEmpty())
        return 0;
    DataEditorRegistry* registry = DataEditorRegistry::instance();
    const int count = registry->DataEditorCount();
    for (int position = 1; position <= count; ++position) {
        const QObject* editor = registry->DataEditor(QVariant(position));
        const QString dataClass = textProperty(editor, "DataClass");
        if (dataClass == wanted || textProperty(editor, "DataType") == wanted)
            return QuenDataCreate(quen::toUtf8(dataClass).constData());
    }
    return 0;
}

void DataTypeSelector::ReleaseDataHandle(int DataHandle)
{
    if (DataHandle != 0)
        QuenDataRelease(DataHandle);
}

void DataTypeSelector::Refresh() { d->rebuild(d->built ? DataClass() : QString()); }

QString DataTypeSelector::ConvertLpcstrToString(const QByteArray& lpszString) const
{
    return quen::toQString(lpszString.constData());
}

QVariantMap DataTypeSelector::saveProperties() const
{
    return {{QStringLiteral("Sorted"), d->sorted}};
}

void DataTypeSelector::loadProperties(const QVariantMap& properties)
{
    setSorted(properties.value(QStringLiteral("Sorted"), false).toBool());
}

QSize DataTypeSelector::sizeHint() const { return d->inUse()->sizeHint(); }

void DataTypeSelector::showEvent(QShowEvent* event)
{
    d->ensureBuilt();
    QWidget::showEvent(event);
}

bool DataTypeSelector::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != d->inUse() || event->type() != QEvent::KeyPress || d->keys.active())
        return QWidget::eventFilter(watched, event);
    auto* keyEvent = static_cast<QKeyEvent*>(event);
    const RaisedKey key = raiseKeyDown(this, *keyEvent);
    const bool printable = key.text.size() == 1 && key.text.at(0).unicode() >= 32
        && key.text.at(0).unicode() <= 127 && !(key.shift & 2);
    if (d->sorted && printable && !key.swallowed()) {
        d->cycle(key.text.at(0));
        return true;
    }
    return d->keys.deliver(watched, *keyEvent, key);
}
