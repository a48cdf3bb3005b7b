// The name editor: its naming rules against a real block, then the control with its events, keys and hover window.
#include "columns.h"
#include "coretesting.h"
#include "fixture.h"
#include "keyarguments.h"
#include "parmnameeditor.h"
#include "parmnamerules.h"

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>

using namespace Velt;
using VeltTest::CoreBuilder;

class ParmNameEditorTest : public QObject
{
    Q_OBJECT
    VeltTest::Fixture fixture;

private Q_SLOTS:
    void init() { fixture.begin(); }
    void cleanup() { fixture.end(); }

    void rules_data()
    {
        VeltTest::columns<QString, bool, QString>({"text", "inBlock", "message"});
        const QString illegal = QStringLiteral("Illegal Name - Parameter Name has illegal character");
        const QString blank = QStringLiteral("Illegal Name - Parameter name is blank");
        const QString exists = QStringLiteral("Illegal Name - Parameter already exists");
        QTest::newRow("plain") << "Voltage" << true << "";
        QTest::newRow("inner blanks and punctuation") << "  Max. V (dc)  " << true << "";
        QTest::newRow("its own name") << "Self" << true << "";
        QTest::newRow("its own name in other case") << "SELF" << true << "";
        QTest::newRow("character 31") << QStringLiteral("A") + QChar(31) << true << illegal;
        QTest::newRow("character 32 is a blank") << "A B" << true << "";
        QTest::newRow("only blanks") << "    " << true << blank;
        QTest::newRow("another's name in other case, blanks around") << "  oTHER " << true << exists;
        QTest::newRow("another's name without a block") << "Other" << false << "";
        QTest::newRow("duplicate wins over a control character") << "Ctl\x01" << true << exists;
    }

    void rules()
    {
        QFETCH(QString, text);
        QFETCH(bool, inBlock);
        CoreBuilder core;
        const QuenHandle block = core.block();
        const QuenHandle self = CoreBuilder::intParm(block, "Self", 1);
        CoreBuilder::intParm(block, "Other", 2);
        CoreBuilder::intParm(block, "Ctl\x01", 3);
        QTEST(ParmNameRules::check(ParmNameRules::trimmed(text), inBlock ? block : 0, self), "message");
    }

    void typedNamesAreReportedTrimmed()
    {
        CoreBuilder core;
        const QuenHandle block = core.block();
        const QuenHandle parm = CoreBuilder::intParm(block, "Gain", 1);
        CoreBuilder::intParm(block, "Offset", 2);
        ParmNameEditor editor;
        editor.setHandle(parm);
        editor.setBlockHandle(block);
        QSignalSpy changes(&editor, &ParmNameEditor::Change);
        editor.textBox()->clear();
        QTest::keyClicks(editor.textBox(), QStringLiteral("  Ga  "));
        QCOMPARE(changes.last().at(0).toString(), QStringLiteral("Ga"));
        QCOMPARE(editor.ParameterName(), QStringLiteral("Ga"));
        QCOMPARE(editor.editState(), ParmNameEditor::EditState::Changed);
        const qsizetype reported = changes.size();
        editor.textBox()->setText(QStringLiteral("offset"));
        QCOMPARE(editor.ErrorMessage(), QStringLiteral("Illegal Name - Parameter already exists"));
        QCOMPARE(changes.size(), reported); // an illegal name is not reported
        QCOMPARE(editor.ParameterName(), QStringLiteral("Ga"));
        editor.setText(QStringLiteral("  New name  "));
        QCOMPARE(editor.Text(), QStringLiteral("New name"));
        QCOMPARE(editor.ErrorMessage(), QString());
        editor.NameText_KeyPress('!');
        QCOMPARE(editor.Text(), QStringLiteral("New name!"));
        QCOMPARE(QuenParmGetName(parm), QByteArray("Gain")); // the core is left to the host
    }

    void loadingReportsAPendingChangeFirst()
    {
        CoreBuilder core;
        const QuenHandle block = core.block();
        const QuenHandle first = CoreBuilder::intParm(block, "First", 1);
        const QuenHandle second = CoreBuilder::intParm(block, "Second", 2);
        ParmNameEditor editor;
        QSignalSpy changes(&editor, &ParmNameEditor::Change);
        QCOMPARE(editor.Text(), QString());
        editor.setHandle(0);
        QCOMPARE(editor.Text(), QStringLiteral("<empty>"));
        editor.setHandle(first);
        QCOMPARE(editor.Text() + ' ' + editor.ParameterName() + ' ' + changes.last().at(0).toString(), QStringLiteral("First First First"));
        QCOMPARE(editor.editState(), ParmNameEditor::EditState::Ready);
        editor.textBox()->setText(QStringLiteral("Renamed"));
        changes.clear();
        editor.setHandle(second);
        QCOMPARE(changes.first().at(0).toString(), QStringLiteral("Renamed")); // the pending one
        QCOMPARE(changes.last().at(0).toString(), QStringLiteral("Second"));   // then the load
        changes.clear();
        editor.setBlockHandle(block); // unchanged: nothing pending, the name is checked again
        QCOMPARE(changes.size(), 1);
        QCOMPARE(editor.Text(), QStringLiteral("Second"));
        QCOMPARE(editor.ErrorMessage(), QString());
    }

    void enterAndEscapeStopAtKeyDown()
    {
        CoreBuilder core;
        const QuenHandle parm = CoreBuilder::intParm(core.block(), "Gain", 1);
        QDialog dialog; // a dialog closes on an Escape that reaches it
        ParmNameEditor editor(&dialog);
        editor.setHandle(parm);
        dialog.show();
        QList<int> keys;
        connect(&editor, qOverload<int*, int*>(&ParmNameEditor::KeyDown), this,
                [&](int* keyCode, int*) { keys.append(*keyCode); });
        connect(&editor, qOverload<KeyArguments*>(&ParmNameEditor::KeyDown), this,
                [](KeyArguments* args) { if (args->KeyCode() == Qt::Key_X) args->setKeyCode(0); });
        QTest::keyClick(editor.textBox(), Qt::Key_Escape);
        QTest::keyClick(editor.textBox(), Qt::Key_Return);
        QTest::keyClick(editor.textBox(), Qt::Key_X, Qt::NoModifier);
        QTest::keyClick(editor.textBox(), Qt::Key_Y);
        QCOMPARE(keys, (QList<int>{Qt::Key_Escape, Qt::Key_Return, Qt::Key_X, Qt::Key_Y}));
        QVERIFY(dialog.isVisible());
        QCOMPARE(editor.Text(), QStringLiteral("Gainy")); // x swallowed by the late-bound handler
    }

    void hoverWindowShowsTheErrorAndGivesTheFocusBack()
    {
        CoreBuilder core;
        const QuenHandle block = core.block();
        const QuenHandle parm = CoreBuilder::intParm(block, "Gain", 1);
        QWidget window;
        ParmNameEditor editor(&window);
        editor.setGeometry(10, 10, 150, 24);
        editor.setHandle(parm);
        editor.setBlockHandle(block);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QSignalSpy shown(&editor, &ParmNameEditor::DisplayError);
        editor.textBox()->setText(QStringLiteral("  "));
        editor.textBox()->setText(QStringLiteral("   "));
        QCOMPARE(shown.size(), 1); // the same message again is not announced again
        QCOMPARE(shown.first().at(0).toString(), QStringLiteral("Illegal Name - Parameter name is blank"));
        auto* form = qobject_cast<QWidget*>(
            [] { for (QWidget* w : QApplication::topLevelWidgets()) if (w->objectName() == QLatin1String("NameHoverErrorForm")) return w; return static_cast<QWidget*>(nullptr); }());
        QVERIFY(form && form->isVisible());
        QCOMPARE(form->findChild<QLabel*>(QStringLiteral("HoverErrorLabel"))->text(), shown.first().at(0).toString());
        const QRect cell(editor.mapToGlobal(QPoint(0, 0)), editor.size());
        QCOMPARE(editor.textBox()->size(), editor.size()); // the text box fills the cell
        QCOMPARE(form->geometry().topLeft(), cell.bottomLeft() + QPoint(0, 1));
        window.move(window.pos() + QPoint(30, 40)); // the window moves: the hover window follows
        QTRY_COMPARE(form->geometry().topLeft(), QRect(editor.mapToGlobal(QPoint(0, 0)), editor.size()).bottomLeft() + QPoint(0, 1));
        editor.textBox()->clearFocus();
        QTest::mouseClick(form->findChild<QLabel*>(QStringLiteral("HoverErrorLabel")), Qt::LeftButton);
        QVERIFY(!form->isVisible());
        QVERIFY(editor.textBox()->hasFocus());
        editor.textBox()->setText(QStringLiteral("Fine"));
        editor.setHoverError(false);
        editor.textBox()->setText(QString());
        QVERIFY(!form->isVisible());
        QCOMPARE(shown.size(), 1);
    }
};

QTEST_MAIN(ParmNameEditorTest)
#include "parmnameeditortest.moc"
