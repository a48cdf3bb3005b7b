// velt-script's engine in-process: the `Velt` global's platform and keys, and every published member
// of every registered class called from a script with good and bad arguments. Nothing may crash, and
// every failure the library reports reaches the script as an Error carrying its message.
#include "callfailure.h"
#include "columns.h"
#include "componentregistry.h"
#include "corehooks.h"
#include "platformservices.h"
#include "scripthost.h"

#include "quen/quencore.h"

#include <QJSEngine>
#include <QLineEdit>
#include <QLoggingCategory>
#include <QMetaMethod>
#include <QPointer>
#include <QDialog>
#include <QTemporaryDir>
#include <QTemporaryFile>
#include <QTimer>
#include <QtTest>

namespace {

const char* const kWorkspace = R"({ "format": "VeltEditors.Workspace", "parameterBlocks": [], "tables": [ { "name": "Bench", "public": true, "symbols": [
  { "name": "Count", "data": { "class": "CQuenInt32", "value": 7 } }, { "name": "Volts", "data": { "class": "CQuenReal64", "value": 1.5 } },
  { "name": "Sweep", "data": { "class": "CQuenRange", "start": 0, "stop": 10, "points": 11 } },
  { "name": "Command", "data": { "class": "CQuenString", "value": "V=1.5", "properties": [
    { "name": "Format Operation", "class": "CQuenString", "value": "Update parameters from string" },
    { "name": "Format", "class": "CQuenString", "value": "V=%{Volts}" } ] } },
  { "name": "Alias", "type": "CQuenInt32", "reference": { "table": "Bench", "symbol": "Count" } },
  { "name": "Pins", "data": { "class": "CQuenStringArray", "bounds": [[1, 2]], "elements": ["J1-1", "J1-2"] } },
  { "name": "Codes", "data": { "class": "CQuenInt32Array", "bounds": [[1, 3]], "elements": [1, 2, 3] } },
  { "name": "Samples", "data": { "class": "CQuenReal64Array", "bounds": [[1, 2], [1, 3]], "elements": [1, 2, 3, 4, 5, 6] } } ] } ] })";

// Handles and helpers every generated script starts with.
const char* const kPrelude = R"(
var table = Quen.QuenTableRegGetTable(1);
function symbol(name) { return Quen.QuenPbDefFindParm(table, name); }
var P = { count: symbol('Count'), volts: symbol('Volts'), alias: symbol('Alias'), command: symbol('Command'), pins: symbol('Pins'),
          codes: symbol('Codes'), samples: symbol('Samples'), sweep: symbol('Sweep') };
P.data = Quen.QuenParmGetData(P.count);
function bound(parm) { var f = Velt.fields(); f.AttachParameter(parm); return f; }
function withChoices(f) { for (var i = 0; i < f.Count; ++i) if (f.Item(i).HasEnumeration) return f.Item(i); return null; }
function make(name) { return Velt.create('VeltEditors.' + name); }
function editing(name, parm) {
  var e = make(name); e.GetEditor().XCDialogDataEditing.EditParameter(Velt.site(), parm, 0, 0, true, false, false); return e;
}
// Calls `call`; to `problems` go anything but a return or a caught Error, and a reported failure
// not thrown as an Error with its message. 'must fail' notes what it threw and what was reported.
var walk = [], reported = [], problems = [];
function attempt(call, label) {
  var before = reported.length, kind = 'returned', message = '';
  try { call(); } catch (e) { kind = e instanceof Error ? 'Error' : 'threw ' + typeof e; message = String(e && e.message); }
  label = label || String(call);
  if (kind !== 'returned' && kind !== 'Error') problems.push(label + ': ' + kind);
  if (reported.length > before && kind + message !== 'Error' + reported[before]) problems.push(label + ': lost ' + reported[before]);
  if (label === 'must fail') problems.push(label + ': ' + kind + ' ' + message + ' | ' + reported[before]);
}
)";

// Arguments tried for a parameter of this type: good ones first, then wrong ones.
QStringList candidates(QMetaType type)
{
    switch (type.id()) {
    case QMetaType::Int: case QMetaType::Short: case QMetaType::Long: case QMetaType::LongLong:
        return {"P.data", "P.count", "0", "1", "-1", "P.alias", "2147483647", "-2147483648", "40000", "1.5", "'abc'", "null"};
    case QMetaType::Bool: return {"true", "false", "0", "'x'"};
    case QMetaType::Double: return {"0", "-1.5", "1e308", "NaN", "'x'"};
    case QMetaType::QString: return {"''", "'CQuenInt32'", "'Count'", "'Bench'", "'All Public'", "' x '", "'x'.repeat(300)", "null", "42", "{}"};
    case QMetaType::QByteArray: return {"''", "'abc'", "null", "7"};
    case QMetaType::QVariant: return {"undefined", "null", "1", "'x'", "o", "{a: 1}"};
    case QMetaType::QVariantMap: return {"{}", "{ReserveHeight: 'x', Filter: 5, Compact: 'no'}", "null", "3"};
    default: break;
    }
    if (type.flags() & QMetaType::PointerToQObject)
        return {"o", "null", "Velt.site()", "Velt.fields()", "bound(P.count)", "bound(P.count).Item(0)", "5", "'x'"};
    return {"undefined", "null"};
}

// A script that reads every published property of `o` (above Qt's own classes), writes each
// writable one with every candidate, and calls every published method with each set of candidates
// (the k-th set takes each parameter's k-th candidate, wrapping), then with too few and too many.
QString walkOf(const QMetaObject* meta)
{
    const QMetaObject* base = meta;
    while (base && !QByteArray(base->className()).startsWith('Q'))
        base = base->superClass();
    QStringList lines;
    const auto attempt = [&](const QString& code) { lines << QStringLiteral("attempt(function () { return %1; });").arg(code); };
    for (int i = base->propertyCount(); i < meta->propertyCount(); ++i) {
        const QString member = QLatin1String("o.") + QLatin1String(meta->property(i).name());
        attempt(member);
        for (const QString& value : meta->property(i).isWritable() ? candidates(meta->property(i).metaType()) : QStringList())
            attempt(member + QLatin1String(" = ") + value);
    }
    for (int i = base->methodCount(); i < meta->methodCount(); ++i) {
        const QMetaMethod method = meta->method(i);
        if (method.methodType() == QMetaMethod::Signal || method.access() != QMetaMethod::Public)
            continue;
        QList<QStringList> lists;
        qsizetype sets = 1;
        for (int p = 0; p < method.parameterCount(); ++p) {
            lists << candidates(method.parameterMetaType(p));
            sets = std::max(sets, lists.last().size());
        }
        const QString call = QStringLiteral("o.%1(%2)").arg(QLatin1String(method.name()), "%1");
        QStringList first;
        for (qsizetype k = 0; k < sets; ++k) {
            QStringList args;
            for (const QStringList& list : lists)
                args << list.at(k % list.size());
            attempt(call.arg(args.join(QLatin1String(", "))));
            first = k == 0 ? args : first;
        }
        if (!lists.isEmpty())
            attempt(call.arg(QString()));
        attempt(call.arg((first << QStringLiteral("'extra'")).join(QLatin1String(", "))));
    }
    return lines.join(QLatin1Char('\n'));
}

using Velt::PlatformServices;

} // namespace

// Every member fails, a property read too (no library class fails on a read a script can cause).
class Failing : public QObject
{
    Q_OBJECT
    Q_PROPERTY(int Value READ Value WRITE setValue)
public:
    int Value() const { return fail(QStringLiteral("read failed")); }
    void setValue(int) { fail(QStringLiteral("write failed")); }
    Q_INVOKABLE int Call(int) { return fail(QStringLiteral("call failed")); }

private:
    int fail(const QString& why) const { return Velt::reportCallFailed(this, why), 0; }
};

class PublishedMembersTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        QTemporaryFile workspace;
        QVERIFY(workspace.open() && workspace.write(kWorkspace) > 0);
        workspace.close();
        QVERIFY(QuenWorkspaceLoad(workspace.fileName().toUtf8().constData()));
        Velt::ComponentRegistry::instance().registerClass({"Failing", "Test.Failing", Velt::ComponentRegistry::Kind::NonCreatable, {}, {}, &Failing::staticMetaObject, {}});
        // The core's errors go to the host's recording display; complaints come by the thousand.
        Velt::installCoreHooks();
        QLoggingCategory::setFilterRules(QStringLiteral("velt.calls.debug=false\ndefault.warning=false"));
        // Members that open a modal dialog (the symbol dialogs, a value's dialog editor) get it
        // cancelled; files the walk names are written in a directory of its own.
        connect(&m_modalCloser, &QTimer::timeout, this, [] {
            if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget()))
                dialog->reject();
        });
        m_modalCloser.start(10);
        QVERIFY(m_files.isValid() && QDir::setCurrent(m_files.path()));
    }

    void cleanupTestCase()
    {
        resetHost();
        Velt::removeCoreHooks();
        Velt::ComponentRegistry::instance().unregisterClass(QStringLiteral("Test.Failing"));
        QuenWorkspaceClear();
    }

    // Message boxes take Velt.prompts.answers (an array the script may replace), then their default,
    // and are recorded; beeps and shown errors are counted; the old service returns with the API.
    void platform()
    {
        resetHost();
        PlatformServices* before = &PlatformServices::instance();
        run(QStringLiteral("Velt.prompts.answers.push(7, 2);"));
        PlatformServices& services = PlatformServices::instance();
        const QList<int> flags{PlatformServices::YesNo | PlatformServices::Question, PlatformServices::OkCancel,
                               PlatformServices::YesNoCancel | PlatformServices::DefaultButton3, PlatformServices::OkCancel};
        QStringList answers, asked;
        for (int i = 0; i < flags.size(); ++i) {
            if (i == 3)
                eval(QStringLiteral("Velt.prompts.answers = [1, 6, 7];"));
            answers << QString::number(services.messageBox(QStringLiteral("Q%1").arg(i), flags[i]));
            asked << QStringLiteral("Q%1/%2/%3/%4").arg(i).arg(PlatformServices::defaultTitle()).arg(flags[i]).arg(answers.last());
        }
        QCOMPARE(answers.join(u','), QStringLiteral("7,2,2,1"));
        QCOMPARE(eval(QStringLiteral("Velt.prompts.answers.join()")), QStringLiteral("6,7"));
        QCOMPARE(eval(QStringLiteral("Velt.prompts.asked.map(function (a) { return [a.text, a.title, a.flags, a.answer].join('/'); }).join()")), asked.join(u','));
        services.beep();
        services.beep();
        services.showError(QStringLiteral("first\nsecond"));
        services.showError(QStringLiteral("third"));
        QCOMPARE(eval(QStringLiteral("[Velt.beeps, Velt.shownErrors.length, Velt.shownErrors[1], Velt.shownErrors[0].split('\\n').length].join()")),
                 QStringLiteral("2,2,third,2"));
        resetHost();
        QCOMPARE(&PlatformServices::instance(), before);
    }

    // Velt.keyClick(s) on a line edit: every spelling of a key and modifiers, characters beyond ASCII.
    void keys_data()
    {
        VeltTest::columns<QString, QString>({"script", "text"}); // the line edit's text, or the error thrown

        QTest::newRow("non-ASCII and a surrogate pair") << "Velt.keyClicks(edit, 'h\\u00e9\\ud83d\\ude00');" << QStringLiteral("h\u00e9\U0001F600");
        QTest::newRow("one character") << "Velt.keyClick(edit, 'Q');" << "Q";
        QTest::newRow("key code without Shift is lower case") << "Velt.keyClick(edit, 0x41);" << "a";
        QTest::newRow("key code with Shift") << "Velt.keyClick(edit, 0x41, 'Shift');" << "A";
        QTest::newRow("Home by Qt name") << "Velt.keyClicks(edit, 'ab'); Velt.keyClick(edit, 'Key_Home'); Velt.keyClick(edit, 'x');" << "xab";
        QTest::newRow("QKeySequence's short name") << "Velt.keyClicks(edit, 'ab'); Velt.keyClick(edit, 'Home'); Velt.keyClick(edit, 'Del');" << "b";
        QTest::newRow("Ctrl+A by text, then Delete") << "Velt.keyClicks(edit, 'abc'); Velt.keyClick(edit, 'a', 'Ctrl'); Velt.keyClick(edit, 'Delete');" << "";
        QTest::newRow("modifiers as a number") << "Velt.keyClicks(edit, 'abc'); Velt.keyClick(edit, 'Home', 0x02000000); Velt.keyClick(edit, 'Backspace');" << "";
        QTest::newRow("unknown key name") << "Velt.keyClick(edit, 'NoSuchKey');" << "TypeError";
        QTest::newRow("unknown modifier") << "Velt.keyClick(edit, 'Down', 'Hyper');" << "TypeError";
        QTest::newRow("not a widget") << "Velt.keyClick(null, 'A');" << "TypeError";
    }

    void keys()
    {
        QFETCH(QString, script);
        run(QString());
        QLineEdit edit;
        QJSEngine::setObjectOwnership(&edit, QJSEngine::CppOwnership);
        edit.show();
        QVERIFY(QTest::qWaitForWindowExposed(&edit));
        m_host->engine().globalObject().setProperty(QStringLiteral("edit"), m_host->engine().newQObject(&edit));
        const QJSValue result = m_host->engine().evaluate(script);
        QTEST(result.isError() ? result.property(QStringLiteral("name")).toString() : edit.text(), "text");
    }

    // Per class of the registry: expressions giving objects to walk, a statement that must fail.
    void everyMember_data()
    {
        VeltTest::columns<QStringList, QString, QString>({"instances", "mustFail", "message"});
        using Row = std::tuple<QStringList, QString, QString>;
        const QString overflow = QStringLiteral("Overflow");
        const QString sized = QStringLiteral("var d = make('DataEditor'); d.ReserveHeight = 2147483547; d.XCDialogDataEditing.GetRecommendedSize()");
        const QHash<QString, Row> rows{
            {"Int32Editor", {{"make('Int32Editor')", "editing('Int32Editor', P.count)"}, {}, {}}},
            {"Real64Editor", {{"make('Real64Editor')", "editing('Real64Editor', P.volts)"}, {}, {}}},
            {"StringEditor", {{"make('StringEditor')", "editing('StringEditor', P.command)"}, {}, {}}},
            {"StringArrayEditor", {{"make('StringArrayEditor')", "editing('StringArrayEditor', P.pins)"}, {}, {}}},
            {"RangeEditor", {{"make('RangeEditor')", "editing('RangeEditor', P.sweep)"}, {}, {}}},
            {"Int32ArrayEditor", {{"make('Int32ArrayEditor')", "editing('Int32ArrayEditor', P.codes)"}, {}, {}}},
            {"Real64ArrayEditor", {{"make('Real64ArrayEditor')", "editing('Real64ArrayEditor', P.samples)"}, {}, {}}},
            {"SymbolSelector", {{"make('SymbolSelector')"}, {}, {}}},
            {"DataTypeSelector", {{"make('DataTypeSelector')"}, {}, {}}},
            {"ParmNameEditor", {{"make('ParmNameEditor')", "(function () { var e = make('ParmNameEditor'); e.Handle = P.count; return e; })()"}, {}, {}}},
            {"ParmFieldEditor", {{"make('ParmFieldEditor')", "(function () { var e = make('ParmFieldEditor'); e.Handle = P.count; e.FieldIndex = 0; return e; })()"}, "make('ParmFieldEditor').LocalsHandle = 12345", "LocalsHandle 12345 is not a parameter block."}},
            {"ParmBlockEditor", {{"make('ParmBlockEditor')", "(function () { var e = make('ParmBlockEditor'); e.EditSymbolTable(table, true); return e; })()"}, "make('ParmBlockEditor').EditParameterBlock(12345)", "Handle 12345 is not a parameter block."}},
            {"SymbolDialogs", {{"make('SymbolDialogs')"}, {}, {}}},
            {"ParameterDialogs", {{"make('ParameterDialogs')"}, {}, {}}},
            {"LimitsEditor", {{"make('LimitsEditor')", "(function () { var e = make('LimitsEditor'); e.EditTestLimits(Quen.QuenTestCreate('T')); return e; })()"}, "make('LimitsEditor').EditTestLimits(12345)", "TestHandle 12345 with SelectorHandle 0 gives no limits."}},
            {"DataEditor", {{"make('DataEditor')", "editing('Int32Editor', P.count).GetEditor()"}, sized, overflow}},
            {"XCDialogDataEditing", {{"make('DataEditor').XCDialogDataEditing", "editing('Int32Editor', P.alias).GetEditor().XCDialogDataEditing"}, sized, overflow}},
            {"XCDialogDataEditorSite", {{"Velt.site()"}, {}, {}}},
            {"XCEditArea", {{"make('DataEditor')"}, {}, {}}},
            {"XCDataEditorExtender", {{"make('XCDataEditorExtender')"}, {}, {}}},
            {"XCRuntimeDataEvaluation", {{"make('Real64Editor').GetRuntime()"}, {}, {}}},
            {"XCStructEditing", {{"make('Int32Editor').GetDirect()", "bound(P.alias)"}, "Velt.fields().GetField(0, Velt.site())", "The argument is not a field."}},
            {"XCStructEditFields", {{"Velt.fields()", "bound(P.count)", "bound(P.alias)", "bound(P.volts)"}, "bound(P.count).DeclareFields(P.data, Velt.site())", "The argument is not a field collection."}},
            {"XCStructEditField", {{"bound(P.count).Item(0)", "bound(P.count).Item(1)", "bound(P.alias).Item(2)", "Velt.fields().Add('Detached')"}, "bound(P.count).Item(1).Indentation = 40000", overflow}},
            {"XCStructEditFieldEnums", {{"withChoices(bound(P.count)).Enumeration", "bound(P.alias).Item(0).Enumeration"}, "withChoices(bound(P.count)).Enumeration.Add('x', 0)", "Choice position 0 is outside 1 to 4."}},
            {"Failing", {{"failing"}, "failing.Value", "read failed"}},
        };
        const Velt::ComponentRegistry& registry = Velt::ComponentRegistry::instance();
        for (const QString& classId : registry.classIds()) {
            const QString name = registry.find(classId)->className;
            const Row row = rows.value(name);
            QTest::newRow(qPrintable(name)) << std::get<0>(row) << std::get<1>(row) << std::get<2>(row);
        }
    }

    void everyMember()
    {
        QFETCH(QStringList, instances);
        QFETCH(QString, mustFail);
        QFETCH(QString, message);
        QVERIFY2(!instances.isEmpty(), "a class of the registry has no row here: add one");
        QString script;
        for (const QString& instance : instances) {
            // The walk is written from the meta-object of what the expression gives.
            QObject* object = run(QStringLiteral("walk.push(%1);").arg(instance)).property(QStringLiteral("walk")).property(0).toQObject();
            QVERIFY2(object, qPrintable(instance + QLatin1String(" gives no object")));
            script += QStringLiteral("(function () {\nvar o = %1;\n%2\n})();\n").arg(instance, walkOf(object->metaObject()));
        }
        if (!mustFail.isEmpty())
            script += QStringLiteral("attempt(function () { %1; }, 'must fail');\n").arg(mustFail);

        const QJSValue problems = run(script).property(QStringLiteral("problems"));
        QVERIFY2(problems.isArray(), "the walk did not finish");
        QCOMPARE(problems.toVariant().toStringList().join(u'\n'), mustFail.isEmpty() ? QString() : QStringLiteral("must fail: Error %1 | %1").arg(message));
    }

    // Collections belong to the script: the engine deletes one (with its fields) once the script
    // no longer refers to it, and a field kept beyond then reads as undefined.
    void fieldsBelongToTheScript()
    {
        const QJSValue given = run(QStringLiteral("var kept = bound(P.count).Item(1); walk.push(Velt.fields(), kept);")).property(QStringLiteral("walk"));
        const QPointer<QObject> fields = given.property(0).toQObject();
        const QPointer<QObject> field = given.property(1).toQObject();
        QVERIFY(fields && field && field->parent() != fields);
        m_host->engine().collectGarbage();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!field && fields);
        QCOMPARE(m_host->evaluate(QStringLiteral("walk.push(kept.Caption, kept.Text);"), QStringLiteral("kept.js")), VeltScript::ScriptHost::Finished);
        const QJSValue walk = m_host->engine().globalObject().property(QStringLiteral("walk"));
        QVERIFY(walk.property(2).isUndefined() && walk.property(3).isUndefined());
        resetHost(); // the engine goes, and what the script owned with it
        QVERIFY(!fields);
    }

private:
    // Runs a script in a fresh host; its global object afterwards.
    QJSValue run(const QString& script)
    {
        resetHost();
        m_host = std::make_unique<VeltScript::ScriptHost>();
        QJSEngine& engine = m_host->engine();
        // What the library reports goes to the script's `reported` array, then on to the host.
        m_next = Velt::setCallFailureHandler([this](const QObject* object, const QString& why) {
            QJSValue reported = m_host->engine().globalObject().property(QStringLiteral("reported"));
            reported.setProperty(reported.property(QStringLiteral("length")).toUInt(), why);
            if (m_next)
                m_next(object, why);
        });
        QJSEngine::setObjectOwnership(&m_failing, QJSEngine::CppOwnership);
        engine.globalObject().setProperty(QStringLiteral("failing"), engine.newQObject(&m_failing));
        const auto status = m_host->evaluate(QLatin1String(kPrelude) + script, QStringLiteral("walk.js"));
        return status == VeltScript::ScriptHost::Finished ? engine.globalObject() : QJSValue();
    }

    QString eval(const QString& script) { return m_host->engine().evaluate(script).toString(); }

    // Handlers are put back in the reverse order of their installing.
    void resetHost()
    {
        if (m_host)
            Velt::setCallFailureHandler(std::move(m_next));
        m_host.reset();
    }

    Failing m_failing;
    QTimer m_modalCloser;
    QTemporaryDir m_files;
    std::unique_ptr<VeltScript::ScriptHost> m_host;
    Velt::CallFailureHandler m_next;
};

QTEST_MAIN(PublishedMembersTest)
#include "publishedmemberstest.moc"
