// Validation into a problem list, ShowProblem, the limits editor (fixed set, columns, menu, keys,
// single event) and the parameter dialog's guards.
#include "coretesting.h"
#include "dataeditorform.h"
#include "dataeditorregistry.h"
#include "fixture.h"
#include "limitseditor.h"
#include "parameterdialogs.h"
#include "parmblockeditor.h"
#include "parmblockvalidation.h"
#include "parmfieldeditor.h"

#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QTest>
#include <QTimer>
#include <QTreeView>

using namespace Velt;
using VeltTest::CoreBuilder;
using VeltTest::parameterNames;

namespace {

// The standing problems of a list as "tag text".
QStringList standing(QuenHandle pills)
{
    QStringList list;
    for (int32_t i = 1; i <= QuenPillsGetSize(pills); ++i) {
        const QuenHandle pill = QuenPillsGetPill(pills, i);
        if (QuenPillIsValid(pill))
            list << QString::fromUtf8(QuenPillGetTag(pill)) + ' ' + QString::fromUtf8(QuenPillGetProblemText(pill));
        QuenPillRelease(pill);
    }
    return list;
}

} // namespace

class LimitsEditorTest : public QObject
{
    Q_OBJECT
    VeltTest::Fixture fixture;

private Q_SLOTS:
    void cleanupTestCase() { DataEditorRegistry::unload(); }
    void init() { fixture.begin(); }
    void cleanup() { fixture.end(); }

    void validationAddsConfirmsAndWithdraws()
    {
        CoreBuilder core;
        const QuenHandle bench = core.table("Bench");
        CoreBuilder::intParm(bench, "Vcc", 5);
        const QuenHandle block = core.block();
        CoreBuilder::intParm(block, "Fine", 1);
        CoreBuilder::reference(block, "Ref", "CQuenInt32", "Vdd", "Bench");
        CoreBuilder::reference(block, "Other", "CQuenInt32", "Vee", "Bench");
        const QuenHandle pills = QuenPillsCreate();
        bool added = false;
        const auto validate = [&] { return validateParameterBlock(block, 0, pills, &added); };

        QVERIFY(!validate() && added);
        QCOMPARE(standing(pills), QStringList({ "2 Ref: Cannot find the symbol 'Vdd' in the table 'Bench'", "3 Other: Cannot find the symbol 'Vee' in the table 'Bench'" }));
        QVERIFY(!validate() && !added); // the same problems again: confirmed, nothing added
        QCOMPARE(QuenPillsGetSize(pills), 2);

        CoreBuilder::intParm(bench, "Vdd", 3); // Ref is fine now
        QVERIFY(!validate() && added);
        QCOMPARE(standing(pills), QStringList({ "3 Other: Cannot find the symbol 'Vee' in the table 'Bench'" }));

        QuenPbDefReleaseParm(block, "Other"); // nothing confirms its problem any more
        QVERIFY(validate() && added);
        QCOMPARE(standing(pills), QStringList());

        // A symbol table's problems name the table; without a list nothing is kept.
        CoreBuilder::reference(bench, "Loop", "CQuenInt32", "Nowhere", "Bench");
        QVERIFY(!validateParameterBlock(bench, 0, pills, &added));
        QCOMPARE(standing(pills), QStringList({ "3 Bench.Loop: Cannot find the symbol 'Nowhere' in the table 'Bench'" }));
        QVERIFY(!validateParameterBlock(bench, 0, 0, &added) && added);
        QVERIFY(validateParameterBlock(0, 0, pills, &added) && !added);
        QuenPillsRelease(pills);
    }

    void showProblemOpensTheValue()
    {
        CoreBuilder core;
        const QuenHandle block = core.block();
        CoreBuilder::intParm(block, "A", 1);
        CoreBuilder::reference(block, "Ref", "CQuenInt32", "Vdd", "Nowhere");
        const QuenHandle pills = QuenPillsCreate();
        ParmBlockEditor editor;
        editor.EditParameterBlockDefinition(int(block));
        QVERIFY(!editor.ValidateParameterBlockDefinition(int(block), int(pills)).value("result").toBool());
        editor.ShowProblem(0);
        QCOMPARE(editor.openEditor(), -1);
        editor.ShowProblem(int(QuenPillsGetPill(pills, 1))); // takes over the reference it is given
        QCOMPARE(editor.openEditor(), 1);
        QCOMPARE(editor.ParameterName(0), QStringLiteral("Ref"));
        editor.EndInplaceEditing(false);
        QuenPillsRelease(pills);
    }

    void limitsOfATest()
    {
        CoreBuilder core;
        const QuenHandle test = QuenTestCreate("Supply Current");
        const QuenHandle limits = QuenTestGetLimits(test, 0);
        CoreBuilder::realParm(limits, "Low", 0.5, "lowest current");
        CoreBuilder::realParm(limits, "High", 1.5);
        LimitsEditor editor;
        editor.resize(500, 300);
        QStringList events;
        connect(&editor, &LimitsEditor::EditingModeChanged, this,
                [&](bool n, bool v, bool t, bool d) { events << QStringLiteral("%1%2%3%4").arg(n).arg(v).arg(t).arg(d); });
        QVERIFY(editor.EditTestLimits(int(test)));
        editor.show();
        QVERIFY(QTest::qWaitForWindowExposed(&editor));
        QCOMPARE(editor.testName() + ' ' + QString::number(editor.Columns()) + ' ' + editor.ParameterName(1), QStringLiteral("Supply Current 3 Low"));
        QCOMPARE(editor.Handle(), int(limits));
        QVERIFY(!editor.EditCellEnabled(0, 1, 0) && editor.EditCellEnabled(1, 1, 0) && editor.EditCellEnabled(2, 1, 0));
        QVERIFY(!editor.list()->InsertNewEnabled(-1) && !editor.list()->DeleteEnabled(1) && !editor.list()->MoveDownEnabled(1));

        QVERIFY(editor.EditCell(2, 2, 0)); // column 2 is the description
        auto* text = editor.findChild<QLineEdit*>("ParmDescriptionEditor");
        text->setText("highest current");
        QVERIFY(editor.EndInplaceEditing(true));
        QCOMPARE(editor.Comment(2), QStringLiteral("highest current"));
        QVERIFY(editor.Undo());
        QCOMPARE(editor.Comment(2), QString());
        QCOMPARE(events, QStringList({ "0001", "0000", "0000" }));

        // Insert, Delete, Ctrl+X and Ctrl+V run nothing; the set stays.
        QTreeView* list = editor.list()->list();
        list->setFocus();
        for (const QKeyCombination key : { QKeyCombination(Qt::Key_Insert), QKeyCombination(Qt::Key_Delete), Qt::CTRL | Qt::Key_X, Qt::CTRL | Qt::Key_V })
            QTest::keyClick(list, key.key(), key.keyboardModifiers());
        QCOMPARE(parameterNames(limits), QStringList({ "Low", "High" }));
        QCOMPARE(fixture.services.beeps(), 0);

        list->setCurrentIndex(list->model()->index(0, 1));
        QTest::keyClick(list, Qt::Key_F10, Qt::ShiftModifier);
        QStringList captions;
        for (QAction* action : editor.findChild<QMenu*>("ParmList_EditMenu")->actions())
            captions << action->text();
        QCOMPARE(captions.join('|'), QStringLiteral("Undo|Copy|Modify Value|Reference a Symbol|Reference a New Symbol|Provide a Value|Properties"));
        editor.findChild<QMenu*>("ParmList_EditMenu")->close();
        editor.EditTestLimits(0);
        QCOMPARE(editor.testName(), QString());
        QuenTestRelease(test);
    }

    void parameterDialogGuards()
    {
        CoreBuilder core;
        const QuenHandle parm = CoreBuilder::intParm(core.block(), "Gain", 12);
        ParameterDialogs dialogs;
        QVERIFY(!dialogs.EditActionDefinitionParameterDialog(0));
        bool nested = true;
        QTimer closer; // while the first dialog shows, a second call shows nothing; then accept
        connect(&closer, &QTimer::timeout, this, [&] {
            DataEditorForm* form = DataEditorForm::instance();
            if (!form->isVisible())
                return;
            closer.stop();
            nested = dialogs.EditActionDefinitionParameterDialog(int(parm));
            form->AcceptEdit();
        });
        closer.start(10);
        QVERIFY(dialogs.EditActionDefinitionParameterDialog(int(parm)));
        QVERIFY(!nested);
        QCOMPARE(ParameterDialogs::openDialogs(), 0);
    }
};

QTEST_MAIN(LimitsEditorTest)
#include "limitseditortest.moc"
