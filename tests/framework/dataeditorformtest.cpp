// The modal DataEditorForm: set-up through the registry, caption, sizing, OK, Escape and a refused close.
#include "columns.h"
#include "componentshelter.h"
#include "coretesting.h"
#include "faketypeeditor.h"
#include "fixture.h"

#include "builtineditors.h"
#include "dataeditorform.h"
#include "dataeditorregistry.h"
#include "dataeditorrules.h"
#include "twips.h"
#include "xcdialogdataediting.h"

#include <QAbstractButton>
#include <QTest>
#include <QSpinBox>
#include <QTimer>

using VeltTest::FakeTypeEditor;

namespace {
const QString TestEditorId = QStringLiteral("VeltEditors.DataEditorTestEditor");
}

class DataEditorFormTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        // The test editor serves CQuenInt32 in place of any built-in editor.
        QStringList builtin;
        for (const Velt::BuiltinEditor& e : Velt::builtinEditors())
            builtin << e.classId;
        DataEditorRegistry::unload();
        m_shelter = std::make_unique<VeltTest::ComponentShelter>(builtin);
        FakeTypeEditor::registerClass(TestEditorId, {QStringLiteral("CQuenInt32"), VeltTest::HostFace, QStringLiteral("Test Integer")});
        QVERIFY(DataEditorRegistry::instance()->AddEditorName(QStringLiteral("CQuenInt32"), TestEditorId));
    }

    void cleanupTestCase()
    {
        DataEditorRegistry::unload();
        Velt::ComponentRegistry::instance().unregisterClass(TestEditorId);
        m_shelter.reset();
    }

    void init()
    {
        m_fixture.begin();
        m_core = std::make_unique<VeltTest::CoreBuilder>();
        m_block = m_core->block();
        m_form = std::make_unique<DataEditorForm>();
    }

    void cleanup()
    {
        m_form.reset();
        m_core.reset();
        m_fixture.end();
    }

    void modal_data()
    {
        // how: 0 OK, 1 Escape, 2 a close the form refuses, hiding itself and cancelling the edit
        VeltTest::columns<int, int, int>({"how", "result", "value"});
        QTest::newRow("OK") << 0 << int(QDialog::Accepted) << 21;
        QTest::newRow("Escape") << 1 << int(QDialog::Rejected) << 3;
        QTest::newRow("close") << 2 << int(QDialog::Rejected) << 3;
    }
    void modal()
    {
        QFETCH(int, how);
        const int32_t parm = parameter("Gain", 3);
        m_form->SetUpEditor(parm, 0, 0, true, true, false, false);
        FakeTypeEditor* type = this->type();
        bool closed = false;
        QTimer::singleShot(0, this, [&] {
            type->valueBox()->setValue(21);
            if (how == 0)
                type->editor()->findChild<QAbstractButton*>(QStringLiteral("OKCommand"))->click();
            else if (how == 1)
                QTest::keyClick(m_form.get(), Qt::Key_Escape);
            else
                closed = m_form->close();
        });
        QTEST(m_form->exec(), "result");
        QTEST(QuenInt32GetValue(QuenParmGetData(parm)), "value");
        QVERIFY(!closed && !m_form->isVisible());
        QVERIFY(how == 0 || type->log.last() == QStringLiteral("CancelEdit()"));
        int32_t p = 0;
        int32_t def = -1;
        QCOMPARE(m_form->CleanupEditor(p, def), how == 0);
        QVERIFY(how != 0 || QList<int32_t>({p, def}) == QList<int32_t>({parm, 0}));
    }

    void sizing()
    {
        m_form->SetUpEditor(parameter("Gain", 3), 0, 0, true, false, true, false);
        QCOMPARE(m_form->windowTitle(), QStringLiteral("Gain - Test Integer - View Only"));
        int32_t height = 0;
        int32_t width = 0;
        dialogDataEditing(m_form->dataEditor())->GetRecommendedSize(height, width);
        const QSize control = Velt::twipsToPixels(QSize(width, height), m_form.get()).value();
        const QSize form = Velt::twipsToPixels(QSize(width, height + Velt::DataEditorRules::FormBorderHeight), m_form.get()).value();
        QCOMPARE(m_form->size(), form);
        QCOMPARE(m_form->typeEditor()->geometry(), QRect(QPoint(0, 0), control));
        // Outside set-up the control follows the form's inner area.
        m_form->show();
        m_form->resize(form + QSize(40, 30));
        QCoreApplication::processEvents();
        QCOMPARE(m_form->typeEditor()->geometry(), m_form->contentsRect());
        m_form->CancelEditor();
    }

    void setUpThatStopsEarly()
    {
        // An accepted edit first: nothing of it may come back after a set-up that stops early.
        const int32_t gain = parameter("Gain", 3);
        m_form->SetUpEditor(gain, parameter("GainDefault", 4), 0, false, false, false, false);
        dialogDataEditing(m_form->dataEditor())->AcceptEdit();

        const int32_t parm = QuenParmCreate("Text", "CQuenString"); // a class without type editor
        QuenParmSetData(parm, QuenStringCreate("x"));
        QuenPbDefAddParm(m_block, parm);
        m_form->SetUpEditor(parm, 0, 0, false, false, false, false);
        QVERIFY(!m_form->typeEditor());
        int32_t p = -1;
        int32_t def = -1;
        QVERIFY(!m_form->CleanupEditor(p, def));
        QCOMPARE(QList<int32_t>({p, def}), QList<int32_t>({0, 0}));
    }

private:
    int32_t parameter(const char* name, int32_t value)
    {
        return VeltTest::CoreBuilder::intParm(m_block, name, value);
    }
    FakeTypeEditor* type() const { return qobject_cast<FakeTypeEditor*>(m_form->typeEditor()); }

    VeltTest::Fixture m_fixture;
    std::unique_ptr<VeltTest::ComponentShelter> m_shelter;
    std::unique_ptr<VeltTest::CoreBuilder> m_core;
    int32_t m_block = 0;
    std::unique_ptr<DataEditorForm> m_form;
};

QTEST_MAIN(DataEditorFormTest)
#include "dataeditorformtest.moc"
