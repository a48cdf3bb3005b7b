// The value field editor over real type editors: input per field, typing with its events, the hover
// window, symbol references and the dialog button.
#include "callfailurescope.h"
#include "columns.h"
#include "coretesting.h"
#include "dataeditorform.h"
#include "dataeditorregistry.h"
#include "faketypeeditor.h"
#include "fixture.h"
#include "hovererrorlayout.h"
#include "parmfieldeditor.h"
#include "symbolselector.h"
#include "twips.h"
#include "xcstructeditfield.h"
#include "xcstructeditfields.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QToolButton>

using namespace Velt;
using VeltTest::CoreBuilder;

namespace {

QWidget* hoverForm()
{
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (widget->objectName() == QLatin1String("FieldHoverErrorForm"))
            return widget;
    return nullptr;
}

int fieldIndex(ParmFieldEditor& editor, const QString& caption)
{
    editor.setFieldIndex(0);
    XCStructEditFields* fields = editor.fields();
    for (int i = 0; i < fields->Count(); ++i)
        if (fields->Item(i)->Caption() == caption)
            return i;
    return -1;
}

// The editor on the parameter's first field, shown in its window at the geometry.
bool showOnFirstField(QWidget& window, ParmFieldEditor& editor, QuenHandle parm, const QRect& geometry)
{
    editor.setGeometry(geometry);
    editor.setHandle(parm);
    editor.setFieldIndex(0);
    window.show();
    return QTest::qWaitForWindowExposed(&window);
}

} // namespace

class ParmFieldEditorTest : public QObject
{
    Q_OBJECT
    VeltTest::Fixture fixture;

private Q_SLOTS:
    void init() { fixture.begin(); }
    void cleanup() { fixture.end(); }
    void cleanupTestCase() { DataEditorRegistry::unload(); }

    void inputKindPerField_data()
    {
        VeltTest::columns<QString, bool, QString, bool, bool>({"caption", "readOnly", "input", "inputReadOnly", "button"});
        QTest::newRow("value line") << "" << false << "ParmText" << false << true;
        QTest::newRow("units: free text") << "Units" << false << "ParmText" << false << false;
        QTest::newRow("style: its choices only") << "Style" << false << "ParmEnumerationReadOnlyCombo" << false << false;
        QTest::newRow("read-only editor") << "Units" << true << "ParmText" << true << false;
    }

    void inputKindPerField()
    {
        QFETCH(QString, caption);
        QFETCH(bool, readOnly);
        QFETCH(QString, input);
        QFETCH(bool, inputReadOnly);
        QFETCH(bool, button);
        CoreBuilder core;
        const QuenHandle parm = CoreBuilder::intParm(core.block(), "Gain", 12);
        ParmFieldEditor editor;
        editor.setHandle(parm);
        editor.setReadOnly(readOnly);
        const int index = caption.isEmpty() ? 0 : fieldIndex(editor, caption);
        QVERIFY(index >= 0);
        editor.setFieldIndex(index);
        QCOMPARE(editor.input()->objectName(), input);
        int visibleInputs = 0;
        for (const char* name : {"ParmText", "ParmEnumerationCombo", "ParmEnumerationReadOnlyCombo", "SymbolSelector"})
            visibleInputs += editor.findChild<QWidget*>(QLatin1String(name))->isVisibleTo(&editor);
        QCOMPARE(visibleInputs, 1);
        if (auto* line = qobject_cast<QLineEdit*>(editor.input()))
            QCOMPARE(line->isReadOnly(), inputReadOnly);
        if (auto* box = qobject_cast<QComboBox*>(editor.input())) {
            QVERIFY(box->count() > 1);
            QCOMPARE(box->currentText(), editor.Text());
        }
        QCOMPARE(editor.findChild<QWidget*>(QStringLiteral("ParmButtonOutline"))->isVisibleTo(&editor), button);
    }

    void typingWritesTheFieldAndReportsErrors()
    {
        CoreBuilder core;
        const QuenHandle parm = CoreBuilder::intParm(core.block(), "Gain", 12);
        QWidget window;
        ParmFieldEditor editor(&window);
        QVERIFY(showOnFirstField(window, editor, parm, QRect(20, 20, 160, 24)));
        QStringList events;
        connect(&editor, &ParmFieldEditor::Change, this, [&] { events << "Change " + editor.Text(); });
        connect(&editor, &ParmFieldEditor::ErrorStatusChange, this,
                [&](XCStructEditField* f) { events << "ErrorStatusChange " + f->ErrorMessage(); });
        connect(&editor, &ParmFieldEditor::DisplayError, this, [&](const QString& m) { events << "DisplayError " + m; });

        auto* text = editor.findChild<QLineEdit*>(QStringLiteral("ParmText"));
        text->selectAll();
        QTest::keyClicks(text, QStringLiteral("42"));
        QCOMPARE(QuenInt32GetValue(QuenParmGetData(parm)), 42);
        QCOMPARE(events.last(), QStringLiteral("Change 42"));

        events.clear();
        QTest::keyClicks(text, QStringLiteral("x"));
        const QString error = editor.ErrorMessage();
        QVERIFY(!error.isEmpty());
        QCOMPARE(text->text(), QStringLiteral("42x")); // an error never blocks typing
        // The hover window shows the new message, then the error change and the text are reported.
        QCOMPARE(events, (QStringList{"DisplayError " + error, "ErrorStatusChange " + error, "Change 42x"}));
        QVERIFY(hoverForm() && hoverForm()->isVisible());
        QCOMPARE(hoverForm()->findChild<QLabel*>()->text(), error);

        text->clearFocus();
        QTest::mouseClick(hoverForm(), Qt::LeftButton);
        QVERIFY(!hoverForm()->isVisible());
        QVERIFY(text->hasFocus());

        events.clear();
        QTest::keyClick(text, Qt::Key_Backspace);
        QCOMPARE(editor.ErrorMessage(), QString());
        QCOMPARE(events, (QStringList{"ErrorStatusChange ", "Change 42"}));
        QVERIFY(!hoverForm()->isVisible());
    }

    void longErrorCapsTheHoverWindow()
    {
        // A type editor for "CQuenComplex" (none of its own yet) refusing every text with a long message.
        VeltTest::FakeTypeEditor fake(VeltTest::FakeTypeEditorOptions(QStringLiteral("CQuenComplex")));
        DataEditorRegistry* registry = DataEditorRegistry::instance();
        registry->AddDataEditorIfAbsent(QStringLiteral("CQuenComplex"), fake.editor());
        registry->AddStructuredDataEditorIfAbsent(QStringLiteral("CQuenComplex"), &fake);
        const QString message = QStringLiteral("This value cannot be used here. ").repeated(200);
        fake.unlocked[0] = true;
        fake.onField = [&](const QString& call, XCStructEditField& field) {
            if (call.startsWith(QLatin1String("FieldChanged")))
                field.setErrorMessage(message);
        };
        CoreBuilder core;
        const QuenHandle parm = CoreBuilder::parm(core.block(), "Z", "CQuenComplex");
        QWidget window;
        ParmFieldEditor editor(&window);
        QVERIFY(showOnFirstField(window, editor, parm, QRect(0, 0, 120, 24)));
        editor.setText(QStringLiteral("anything"));
        QCOMPARE(editor.ErrorMessage(), message);
        QVERIFY(hoverForm()->isVisible());
        const int cap = *twipsToPixels(HoverErrorLayout::MaxHeightTwips, &editor, Qt::Vertical);
        QCOMPARE(hoverForm()->height(), std::min(cap, hoverForm()->screen()->availableGeometry().height()));
        QVERIFY(hoverForm()->screen()->availableGeometry().contains(hoverForm()->geometry()));
        editor.setHoverError(false);
        QVERIFY(!hoverForm()->isVisible());
        editor.Clear();
        DataEditorRegistry::unload(); // forgets the fake
    }

    void referenceChoosesItsSymbol()
    {
        CoreBuilder core;
        const QuenHandle table = core.table("Limits");
        CoreBuilder::intParm(table, "Low", 1);
        CoreBuilder::intParm(table, "High", 9);
        const QuenHandle parm = CoreBuilder::reference(core.block(), "Bound", "CQuenInt32", "Low", "Limits");
        ParmFieldEditor editor;
        editor.setHandle(parm);
        editor.setFieldIndex(0);
        auto* selector = qobject_cast<SymbolSelector*>(editor.input());
        QVERIFY(selector);
        QCOMPARE(selector->Filter(), QStringLiteral("CQuenInt32"));
        QCOMPARE(selector->FullName(), QStringLiteral("Limits.Low"));
        QSignalSpy formats(&editor, &ParmFieldEditor::FormatChanged);
        selector->setSymbolName(QStringLiteral("Low")); // unchanged: nothing happens
        QCOMPARE(formats.size(), 0);
        auto* combo = selector->findChild<QComboBox*>(QStringLiteral("SymbolTableCombo"));
        const int high = combo->findText(QStringLiteral("High"), Qt::MatchEndsWith);
        QVERIFY(high >= 0);
        combo->activated(high);
        QCOMPARE(QuenParmGetRefName(parm), QByteArray("High"));
        QCOMPARE(formats.size(), 1);
    }

    void dialogButtonEvents_data()
    {
        VeltTest::columns<bool, QStringList>({"accept", "events"});
        QTest::newRow("accepted") << true << QStringList{"DialogEdit", "FormatChanged", "DialogAcceptEdit"};
        QTest::newRow("cancelled") << false << QStringList{"DialogEdit", "DialogCancelEdit"};
    }

    void dialogButtonEvents()
    {
        QFETCH(bool, accept);
        CoreBuilder core;
        const QuenHandle parm = CoreBuilder::intParm(core.block(), "Gain", 12);
        const QuenHandle data = QuenParmGetData(parm);
        ParmFieldEditor editor;
        editor.setHandle(parm);
        editor.setFieldIndex(0);
        QStringList seen;
        QList<int> handles;
        connect(&editor, qOverload<int>(&ParmFieldEditor::DialogEdit), this, [&](int h) { seen << "DialogEdit"; handles << h; });
        connect(&editor, &ParmFieldEditor::FormatChanged, this, [&] { seen << "FormatChanged"; });
        connect(&editor, &ParmFieldEditor::DialogAcceptEdit, this, [&](int h) { seen << "DialogAcceptEdit"; handles << h; });
        connect(&editor, &ParmFieldEditor::DialogCancelEdit, this, [&] { seen << "DialogCancelEdit"; });
        QTimer closer; // ends the modal edit once it is on show
        connect(&closer, &QTimer::timeout, this, [&] {
            DataEditorForm* form = DataEditorForm::instance();
            if (!form->isVisible())
                return;
            closer.stop();
            accept ? form->AcceptEdit() : form->CancelEdit();
        });
        closer.start(10);
        QTest::mouseClick(editor.findChild<QToolButton*>(QStringLiteral("ParmEditorCommand")), Qt::LeftButton);
        QTEST(seen, "events");
        for (int handle : handles)
            QCOMPARE(handle, data);
    }

    void fieldWithoutDialogOnlyBeepsBadIndexIsReported()
    {
        CoreBuilder core;
        const QuenHandle parm = CoreBuilder::intParm(core.block(), "Gain", 12);
        ParmFieldEditor editor;
        editor.setHandle(parm);
        editor.setFieldIndex(fieldIndex(editor, QStringLiteral("Units"))); // only the value line has a dialog
        QSignalSpy opened(&editor, qOverload<int>(&ParmFieldEditor::DialogEdit));
        editor.DialogEdit();
        QCOMPARE(fixture.services.beeps(), 1);
        QCOMPARE(opened.size(), 0);
        CallFailureScope scope;
        editor.setFieldIndex(500);
        QVERIFY(scope.message().startsWith(QStringLiteral("Field index 500 is outside 0 to ")));
        QCOMPARE(editor.input(), nullptr);
        QCOMPARE(editor.Text(), QString());
    }
};

QTEST_MAIN(ParmFieldEditorTest)
#include "parmfieldeditortest.moc"
