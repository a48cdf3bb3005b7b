#include "testtypeeditor.h"

#include "componentregistry.h"

#include "quen/quencore.h"

#include <QAbstractButton>
#include <QFormLayout>
#include <QSpinBox>
#include <QVBoxLayout>

#include <limits>

TestTypeEditor::TestTypeEditor(QWidget* parent) : QWidget(parent)
{
    m_editor = new DataEditor(this);
    m_editor->setDataClass(dataClass());
    m_editor->setDataType(dataType());
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

    const auto record = [this](const QString& event, int h) {
        events << event + u'(' + (h ? QString::number(h) : QString()) + u')';
    };
    connect(m_editor, &DataEditor::BeginEdit, this, [this, record](int h) {
        record(QStringLiteral("BeginEdit"), h);
        m_value->setValue(QuenInt32GetValue(h));
    });
    connect(m_editor, &DataEditor::ShowEdit, this, [panel, record](int h) {
        record(QStringLiteral("ShowEdit"), h);
        panel->show();
    });
    connect(m_editor, &DataEditor::HideEdit, this, [this, panel, record](int h) {
        record(QStringLiteral("HideEdit"), h);
        panel->hide();
        if (postOnHide)
            QMetaObject::invokeMethod(this, [this] { events << QStringLiteral("Posted"); },
                                      Qt::QueuedConnection);
        if (!pressOnHide.isEmpty()) {
            auto* button = m_editor->findChild<QAbstractButton*>(pressOnHide);
            QMetaObject::invokeMethod(button, &QAbstractButton::click, Qt::QueuedConnection);
        }
    });
    connect(m_editor, &DataEditor::AcceptEdit, this, [this, record](int h) {
        record(QStringLiteral("AcceptEdit"), h);
        QuenInt32SetValue(h, m_value->value());
    });
    connect(m_editor, &DataEditor::CancelEdit, this,
            [this] { events << QStringLiteral("CancelEdit()"); });
}

QString TestTypeEditor::classId() { return QStringLiteral("VeltEditors.DataEditorTestEditor"); }
QString TestTypeEditor::dataClass() { return QStringLiteral("CQuenInt32"); }
QString TestTypeEditor::dataType() { return QStringLiteral("Test Integer"); }

QPointer<TestTypeEditor>& TestTypeEditor::last()
{
    static QPointer<TestTypeEditor> instance;
    return instance;
}

void TestTypeEditor::registerClass()
{
    Velt::ComponentRegistry::ClassInfo info;
    info.classId = classId();
    info.className = classId().section(u'.', 1);
    info.kind = Velt::ComponentRegistry::Kind::VisibleControl;
    info.metaObject = &TestTypeEditor::staticMetaObject;
    info.factory = [](QWidget* parent) -> QObject* {
        auto* editor = new TestTypeEditor(parent);
        last() = editor;
        return editor;
    };
    Velt::ComponentRegistry::instance().registerClass(info);
}
