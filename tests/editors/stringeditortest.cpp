// The string editor over real core items: its structured fields, its dialog (states, operation
// changes, the insertion aid, what OK and Cancel store) and its runtime side.
#include "columns.h"
#include "coretesting.h"
#include "fieldlines.h"
#include "fixture.h"

#include "countingdataeditorsite.h"
#include "dataeditor.h"
#include "stringeditor.h"
#include "symbolselector.h"
#include "xcdialogdataediting.h"
#include "xcstructeditfield.h"
#include "xcstructeditfieldenums.h"
#include "xcstructeditfields.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QPlainTextEdit>
#include <QPushButton>

#include <memory>

using VeltTest::CoreBuilder;
using VeltTest::line;

constexpr auto s = &VeltTest::text; // a UTF-8 literal as a QString

class StringEditorTest : public QObject
{
    Q_OBJECT

private:
    VeltTest::Fixture fixture;
    std::unique_ptr<CoreBuilder> core;
    QuenHandle locals = 0, command = 0, item = 0, count = 0;

    template <typename T>
    T* child(QWidget* editor, const char* name)
    {
        // The host has controls of the same names (its own "SymSelect"): look in the panel.
        return qobject_cast<StringEditor*>(editor)->panel()->findChild<T*>(QString::fromLatin1(name));
    }

private Q_SLOTS:
    void init()
    {
        fixture.begin();
        core = std::make_unique<CoreBuilder>();
        locals = core->block();
        count = QuenParmGetData(CoreBuilder::intParm(locals, "Count", 7));
        command = CoreBuilder::stringParm(locals, "Command", "abc");
        item = QuenParmGetData(command);
    }
    void cleanup()
    {
        core.reset();
        fixture.end();
    }

    void fields_data()
    {
        VeltTest::columns<QString, QString, QStringList>({"operation", "pattern", "expected"});
        const QString common = QStringLiteral("View As=Characters");
        const QString noScan = QStringLiteral("the symbols 'Count' and 'Count' follow each other: a scan cannot tell where one ends; put text between them");
        QTest::newRow("plain") << "" << "" << QStringList{"Command=abc", common, "Format Operation=None"};
        QTest::newRow("evaluated") << "Update string from parameters" << "N=%{Count}"
                                   << QStringList{"Command=N=7", common, "Format Operation=Update string from parameters", "Format=N=%{Count}", "Locked=Changeable Format"};
        QTest::newRow("scan with an error") << "Update parameters from string" << "%{Count}%{Count}"
                                            << QStringList{"Command=abc!" + noScan, common, "Format Operation=Update parameters from string",
                                                           "Format=%{Count}%{Count}!" + noScan, "Locked=Changeable Format"};
    }
    void fields()
    {
        QFETCH(QString, operation);
        QFETCH(QString, pattern);
        if (!operation.isEmpty()) {
            CoreBuilder::setString(item, "Format Operation", operation.toUtf8().constData());
            CoreBuilder::setString(item, "Format", pattern.toUtf8().constData());
        } else {
            CoreBuilder::setString(item, "Format", "stale"); // goes when the lines are declared
        }
        XCStructEditFields fields;
        fields.AttachParameter(command, 0, locals, true, false, false);
        QTEST(VeltTest::fieldLines(fields), "expected");
        QCOMPARE(CoreBuilder::string(item, "Format") + ' ' + fields.DataType(), (operation.isEmpty() ? s("<absent>") : pattern) + " String");
    }

    void fieldChanges()
    {
        XCStructEditFields fields;
        fields.AttachParameter(command, 0, locals, true, false, false);
        line(fields, "View As")->setText(s("Hexadecimal"));
        QCOMPARE(fields.Item(0)->Text(), s("61 62 63"));
        fields.Item(0)->setText(s("41 42"));
        QCOMPARE(s(QuenStringGetValue(item)), s("AB"));
        // Choosing an operation keeps the value itself as the first pattern.
        line(fields, "Format Operation")->setText(s("Update string from parameters"));
        QCOMPARE(CoreBuilder::string(item, "Format"), s("AB"));
        fields.AttachParameter(command, 0, locals, true, false, false); // the lines change
        QVERIFY(QuenDataExIsRuntimeEvaluation(item) && !QuenDataExIsRuntimeScan(item));
        XCStructEditField* format = line(fields, "Format");
        format->setText(s("25 7B")); // "%{" read back from hexadecimal: not a valid pattern
        QCOMPARE(format->ErrorMessage() + '|' + CoreBuilder::string(item, "Format"), s("the symbol reference has no closing } at position 1|AB"));
        line(fields, "Locked")->setText(s("Locked Format"));
        QCOMPARE(QuenInt32GetValue(QuenDataExGetProperty(item, "Format Lock")), 1);
        line(fields, "Format Operation")->setText(s("Sideways"));
        QCOMPARE(line(fields, "Format Operation")->ErrorMessage(), s("Unknown Format Operation"));
    }

    void dialogOperationsAndOk()
    {
        StringEditor editor;
        CountingDataEditorSite site;
        editor.host()->dialogEditing()->EditParameter(&site, command, 0, locals, true, false, false);
        QCOMPARE(child<SymbolSelector>(&editor, "SymSelect")->TableName(), s("Current table"));
        auto* value = child<QPlainTextEdit>(&editor, "txtValue");
        auto* format = child<QPlainTextEdit>(&editor, "txtFormat");
        auto* operation = child<QComboBox>(&editor, "cmbFormatOp");
        operation->setCurrentText(s("Update string from parameters"));
        QCOMPARE(QString::number(editor.state()) + editor.pattern(), QString::number(StringEditor::PatternEditState) + s(QuenStrFmtTokenizeText("abc", 1)));
        QVERIFY(value->isReadOnly() && format->isEnabled() && !format->isReadOnly());
        // The insertion aid: a symbol, then a special character, at the caret.
        format->selectAll();
        Q_EMIT child<SymbolSelector>(&editor, "SymSelect")->Change(s("Current table"), s("Count"), QString());
        QCOMPARE(editor.host()->StatusMessage(), s("Click 'Insert' to add symbol to format string."));
        child<QPushButton>(&editor, "btnInsert")->click();
        auto* characters = child<QComboBox>(&editor, "cmbInsertType");
        child<QWidget>(&editor, "optSpChar")->setProperty("checked", true);
        characters->setCurrentIndex(3);
        Q_EMIT characters->activated(3);
        QCOMPARE(editor.host()->StatusMessage(), s("Click 'Insert' to add character to format."));
        child<QPushButton>(&editor, "btnInsert")->click();
        QCOMPARE(editor.pattern() + ' ' + editor.value() + ' ' + value->toPlainText(), s("%{Count}\\% 7% 7%"));

        child<QComboBox>(&editor, "cmbViewAs")->setCurrentText(s("Octal"));
        QCOMPARE(value->toPlainText() + '|' + editor.host()->StatusMessage(), s("067 045|Octal view of \"7%\""));

        child<QCheckBox>(&editor, "chkLock")->click();
        QVERIFY(editor.state() == StringEditor::FormatLockState && !operation->isEnabled());
        editor.host()->findChild<QPushButton*>(s("OKCommand"))->click();
        QCOMPARE(QStringList({QString::number(site.AcceptCount()), s(QuenStringGetValue(item)), CoreBuilder::string(item, "Format"), CoreBuilder::string(item, "View As"),
                              CoreBuilder::string(item, "Format Operation"), QString::number(QuenInt32GetValue(QuenDataExGetProperty(item, "Format Lock"))),
                              QString::number(QuenDataExIsRuntimeEvaluation(item) != QUEN_FALSE)}),
                 QStringList({"1", "7%", "%{Count}\\%", "Octal", "Update string from parameters", "1", "1"}));
    }

    void dialogNoneRemovesTheFormat_data()
    {
        QTest::addColumn<bool>("accept");
        QTest::newRow("ok") << true;
        QTest::newRow("cancel") << false;
    }
    void dialogNoneRemovesTheFormat()
    {
        QFETCH(bool, accept);
        CoreBuilder::setString(item, "Format Operation", "Update parameters from string");
        CoreBuilder::setString(item, "Format", "%{Count}");
        QuenDataExSetRuntimeScan(item);
        StringEditor editor;
        CountingDataEditorSite site;
        editor.host()->dialogEditing()->EditParameter(&site, command, 0, locals, true, false, false);
        QCOMPARE(child<QWidget>(&editor, "fraValue")->property("title").toString(), s("Current Scanned String Value"));
        child<QComboBox>(&editor, "cmbFormatOp")->setCurrentText(s("None"));
        child<QPlainTextEdit>(&editor, "txtValue")->setPlainText(s("plain"));
        editor.host()->findChild<QPushButton*>(accept ? s("OKCommand") : s("CancelCommand"))->click();
        QCOMPARE(QStringList({CoreBuilder::string(item, "Format"), CoreBuilder::string(item, "Format Operation"), s(QuenStringGetValue(item)), QString::number(QuenDataExIsRuntimeScan(item) != QUEN_FALSE)}),
                 accept ? QStringList({"<absent>", "<absent>", "plain", "0"}) : QStringList({"%{Count}", "Update parameters from string", "abc", "1"}));
    }

    void runtime()
    {
        StringEditor editor;
        XCRuntimeDataEvaluation* runtime = qobject_cast<XCRuntimeDataEvaluation*>(editor.GetRuntime());
        QVERIFY(runtime);
        QVERIFY(runtime->Bind(item, locals)); // a plain string has nothing to bind
        CoreBuilder::setString(item, "Format Operation", "Update parameters from string");
        QCOMPARE(runtime->Bind(item, locals) ? QString() : VeltTest::takeErrors().value(0).message, s("Format Pattern Missing"));
        CoreBuilder::setString(item, "Format", "C=%{Count}");
        QVERIFY(runtime->Bind(item, locals));
        QuenStringSetValue(item, "C=42");
        QVERIFY(runtime->Scan(item, locals) && QuenInt32GetValue(count) == 42);
        CoreBuilder::setString(item, "Format", "C=%{Count}!");
        QCOMPARE(runtime->Evaluate(item, locals) ? s(QuenStringGetValue(item)) : QString(), s("C=42!"));
        CoreBuilder::setString(item, "Format", "%{Nope}");
        QCOMPARE(runtime->Bind(item, locals) ? QString() : VeltTest::takeErrors().value(0).message, s("the symbol 'Nope' is not defined"));
    }
};

QTEST_MAIN(StringEditorTest)
#include "stringeditortest.moc"
