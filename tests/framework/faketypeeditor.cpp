#include "faketypeeditor.h"

#include <QPixmap>

FakeHost::FakeHost(const QString& dataClass, QObject* parent)
    : QObject(parent), m_dataClass(dataClass), m_dataType(dataClass + QStringLiteral(" type"))
{
    setObjectName(QStringLiteral("DataEditor"));
    QPixmap picture(16, 16);
    picture.fill(Qt::darkCyan);
    m_dataBitmap = QVariant::fromValue(picture);
}

FakeTypeEditor::FakeTypeEditor(const Options& options, QWidget* parent)
    : QWidget(parent), m_options(options)
{
    if (options.hasHost)
        m_host = new FakeHost(options.hostClass, this);
}

FakeTypeEditor::~FakeTypeEditor() = default;

QList<FakeCall>& FakeTypeEditor::calls()
{
    static QList<FakeCall> list;
    return list;
}

QHash<QString, int>& FakeTypeEditor::created()
{
    static QHash<QString, int> counts;
    return counts;
}

bool& FakeTypeEditor::failing()
{
    static bool fail = false;
    return fail;
}

bool FakeTypeEditor::record(const char* member, int32_t data, int32_t block)
{
    calls().append({QString::fromLatin1(member), data, block});
    return !failing();
}

bool FakeTypeEditor::Bind(int32_t d, int32_t b) { return record("Bind", d, b); }
bool FakeTypeEditor::Evaluate(int32_t d, int32_t b) { return record("Evaluate", d, b); }
bool FakeTypeEditor::Scan(int32_t d, int32_t b) { return record("Scan", d, b); }
bool FakeTypeEditor::Unbind(int32_t d, int32_t b) { return record("Unbind", d, b); }

void registerFake(const QString& classId, const QString& hostClass, bool hasRuntime, bool hasHost)
{
    Velt::ComponentRegistry::ClassInfo info;
    info.classId = classId;
    info.className = classId.section(u'.', 1);
    info.kind = Velt::ComponentRegistry::Kind::VisibleControl;
    info.interfaces = {QStringLiteral("XCStructEditing")};
    info.metaObject = &FakeTypeEditor::staticMetaObject;
    const FakeTypeEditor::Options options{hostClass, hasRuntime, hasHost};
    info.factory = [classId, options](QWidget* parent) -> QObject* {
        ++FakeTypeEditor::created()[classId];
        return new FakeTypeEditor(options, parent);
    };
    Velt::ComponentRegistry::instance().registerClass(info);
}

ComponentShelter::ComponentShelter(const QStringList& classIds) : m_ids(classIds)
{
    for (const QString& id : classIds) {
        if (const auto* info = Velt::ComponentRegistry::instance().find(id))
            m_saved.append(*info);
    }
    clear();
}

ComponentShelter::~ComponentShelter()
{
    clear();
    for (const auto& info : std::as_const(m_saved))
        Velt::ComponentRegistry::instance().registerClass(info);
}

void ComponentShelter::clear()
{
    for (const QString& id : std::as_const(m_ids))
        Velt::ComponentRegistry::instance().unregisterClass(id);
}
