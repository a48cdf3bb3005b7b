#include "faketypeeditor.h"

#include "componentregistry.h"
#include "dataeditorregistry.h"
#include "fieldtable.h"
#include "xcstructeditfield.h"
#include "xcstructeditfieldenums.h"
#include "xcstructeditfields.h"

#include "quen/quencore.h"

#include <QFormLayout>
#include <QPixmap>
#include <QSpinBox>
#include <QVBoxLayout>

#include <limits>

namespace VeltTest {

FakeTypeEditor::FakeTypeEditor(const Options& options, QWidget* parent)
    : QWidget(parent), m_options(options)
{
    if (!(options.faces & HostFace))
        return;
    m_editor = new DataEditor(this);
    m_editor->setDataClass(options.dataClass);
    m_editor->setDataType(dataType());
    QPixmap picture(16, 16);
    picture.fill(Qt::darkCyan);
    m_editor->setDataBitmap(QVariant::fromValue(picture));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_editor);

    auto* panel = new QWidget;
    panel->setObjectName(QStringLiteral("ValuePanel"));
    auto* form = new QFormLayout(panel);
    form->setContentsMargins(0, 0, 0, 0);
    m_value = new QSpinBox(panel);
    m_value->setObjectName(QStringLiteral("EntryText"));
    m_value->setRange(std::numeric_limits<int>::min(), std::numeric_limits<int>::max());
    form->addRow(tr("&Value:"), m_value);
    panel->hide();
    m_editor->setEditWidget(panel);

    // Each host event does its work, then is logged as "Name(handle)".
    const auto on = [this](auto signal, const char* name, std::function<void(int)> work) {
        connect(m_editor, signal, this, [this, name, work](int h) {
            work(h);
            note(QStringLiteral("%1(%2)").arg(QLatin1StringView(name), h ? QString::number(h) : QString()));
        });
    };
    on(&DataEditor::BeginEdit, "BeginEdit", [this](int h) { m_value->setValue(QuenInt32GetValue(h)); });
    on(&DataEditor::ShowEdit, "ShowEdit", [panel](int) { panel->show(); });
    on(&DataEditor::HideEdit, "HideEdit", [panel](int) { panel->hide(); });
    on(&DataEditor::AcceptEdit, "AcceptEdit", [this](int h) { QuenInt32SetValue(h, m_value->value()); });
    connect(m_editor, &DataEditor::CancelEdit, this, [this] { note(QStringLiteral("CancelEdit()")); });
}

FakeTypeEditor::~FakeTypeEditor() = default;

QString FakeTypeEditor::dataType() const
{
    return m_options.dataType.isEmpty() ? m_options.dataClass + QStringLiteral(" type") : m_options.dataType;
}

void FakeTypeEditor::reset()
{
    log.clear();
    onCall = nullptr;
    onDeclareFields = nullptr;
    onField = nullptr;
    fields.clear();
    unlocked.clear();
    choices.clear();
    refreshOnChange = false;
    table = nullptr;
    failing = false;
}

void FakeTypeEditor::note(const QString& entry)
{
    log << entry;
    if (onCall)
        onCall(entry);
}

void FakeTypeEditor::DeclareFields(int32_t DataHandle, XCStructEditFields& Fields)
{
    if (table)
        table->declareFields(DataHandle, Fields);
    for (const Line& line : std::as_const(fields))
        Fields.Add(line.caption, line.indentation, line.bitmapName);
    note(QStringLiteral("DeclareFields %1").arg(DataHandle));
    if (onDeclareFields)
        onDeclareFields(Fields);
}

void FakeTypeEditor::GetField(int32_t DataHandle, XCStructEditField& Field)
{
    if (table)
        table->getField(DataHandle, Field);
    else
        Field.setText(Field.Index() == 0 ? QString::number(QuenInt32GetValue(DataHandle))
                                         : QStringLiteral("line %1").arg(Field.Index()));
    note(QStringLiteral("GetField %1").arg(Field.Index()));
    if (onField)
        onField(QStringLiteral("GetField"), Field);
}

void FakeTypeEditor::DeclareField(int32_t DataHandle, XCStructEditField& Field)
{
    if (table) {
        table->declareField(DataHandle, Field);
    } else {
        Field.setLocked(!unlocked.value(Field.Index(), false));
        for (const QString& choice : choices.value(Field.Index()))
            Field.Enumeration()->Add(choice, -1);
    }
    note(QStringLiteral("DeclareField %1").arg(Field.Index()));
    if (onField)
        onField(QStringLiteral("DeclareField"), Field);
}

void FakeTypeEditor::FieldChanged(int32_t DataHandle, XCStructEditField& Field, bool PostEdits, bool& Refresh)
{
    const QString text = Field.Text();
    if (table) {
        table->fieldChanged(DataHandle, Field, PostEdits, Refresh);
    } else {
        bool ok = false;
        const int value = text.toInt(&ok);
        if (!ok)
            Field.setErrorMessage(QStringLiteral("The value is not a legal integer: ") + text);
        else if (PostEdits && Field.Index() == 0)
            QuenInt32SetValue(DataHandle, value);
        Refresh = ok && refreshOnChange;
    }
    note(QStringLiteral("FieldChanged %1 %2 %3").arg(Field.Index()).arg(text, PostEdits ? QStringLiteral("posted") : QStringLiteral("unposted")));
    if (onField)
        onField(QStringLiteral("FieldChanged"), Field);
}

bool FakeTypeEditor::runtimeCall(const char* member, int32_t data, int32_t block)
{
    note(QStringLiteral("%1 %2 %3").arg(QLatin1StringView(member)).arg(data).arg(block));
    return !failing;
}

QHash<QString, int>& FakeTypeEditor::created() { static QHash<QString, int> counts; return counts; }

void FakeTypeEditor::registerClass(const QString& classId, const Options& options)
{
    Velt::ComponentRegistry::ClassInfo info;
    info.classId = classId;
    info.className = classId.section(u'.', 1);
    info.kind = Velt::ComponentRegistry::Kind::VisibleControl;
    info.interfaces = {QStringLiteral("XCStructEditing")};
    info.metaObject = &FakeTypeEditor::staticMetaObject;
    info.factory = [classId, options](QWidget* parent) -> QObject* {
        ++created()[classId];
        return new FakeTypeEditor(options, parent);
    };
    Velt::ComponentRegistry::instance().registerClass(info);
}

FakeTypeEditor& FakeTypeEditor::served()
{
    static FakeTypeEditor* fake = [] {
        Velt::ComponentRegistry::instance().unregisterClass(QStringLiteral("VeltEditors.Int32Editor"));
        Velt::ComponentRegistry::instance().unregisterClass(QStringLiteral("VeltEditors.Real64Editor"));
        DataEditorRegistry::unload();
        auto* made = new FakeTypeEditor({QStringLiteral("CQuenInt32"), HostFace | StructuredFace, QStringLiteral("Test integer")});
        DataEditorRegistry* registry = DataEditorRegistry::instance();
        registry->AddDataEditorIfAbsent(made->m_options.dataClass, made->editor());
        registry->AddStructuredDataEditorIfAbsent(made->m_options.dataClass, made);
        return made;
    }();
    return *fake;
}

} // namespace VeltTest
