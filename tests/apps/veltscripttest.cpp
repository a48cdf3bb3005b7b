// velt-script as a user runs it: a child process per case, checked by exit status, stdout and
// stderr. Covers the exit statuses, the Quen.* bindings derived from the core's function list
// (in/out arguments, conversions, errors) and the Velt.* globals.
#include "quen/quencore.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

struct Run
{
    int status = -1;
    QString out;
    QString err;
};

// The names of the core's functions, from the same list the bindings come from.
QStringList coreFunctionNames()
{
    QStringList names;
#define QUEN_IN(type, name)
#define QUEN_OUT(type, name)
#define QUEN_FN(ret, fname, params) names << QStringLiteral(#fname);
#include "quen/quenapi.def"
#undef QUEN_FN
#undef QUEN_OUT
#undef QUEN_IN
    return names;
}

const char* const kSmallWorkspace = R"({
  "format": "VeltEditors.Workspace",
  "tables": [
    { "name": "Alpha", "public": true, "symbols": [
        { "name": "Count", "data": { "class": "CQuenInt32", "value": 7 } } ] },
    { "name": "Beta", "public": true, "symbols": [] },
    { "name": "Gamma", "public": true, "symbols": [] }
  ],
  "parameterBlocks": []
})";

} // namespace

class VeltScriptTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void exitStatus_data();
    void exitStatus();
    void scriptOutput_data();
    void scriptOutput();
    void everyCoreFunctionIsBound();
    void registeredControl_data();
    void registeredControl();
    void workspaceOption();
    void componentGlobals_data();
    void componentGlobals();

private:
    QString write(const QString& name, const QByteArray& content);
    Run run(QStringList args, const QString& script = QString());

    QTemporaryDir m_dir;
    QString m_workspace;
};

void VeltScriptTest::initTestCase()
{
    QVERIFY(m_dir.isValid());
    QVERIFY(QFileInfo::exists(QStringLiteral(VELT_SCRIPT_PATH)));
    m_workspace = write(QStringLiteral("small.json"), kSmallWorkspace);
}

QString VeltScriptTest::write(const QString& name, const QByteArray& content)
{
    const QString path = m_dir.filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(content) != content.size())
        qFatal("cannot write %s", qPrintable(path));
    return path;
}

// "%SCRIPT%" stands for the script (written to a file), "%MISSING%" for a file that does not
// exist, "%BADWS%" for a malformed workspace and "%WS%" for the small workspace.
Run VeltScriptTest::run(QStringList args, const QString& script)
{
    const QString scriptPath = write(QStringLiteral("script.js"), script.toUtf8());
    const QString badWorkspace = write(QStringLiteral("bad.json"), "{ \"tables\": [ 42 ] }");
    for (QString& arg : args) {
        arg.replace(QLatin1String("%SCRIPT%"), scriptPath);
        arg.replace(QLatin1String("%MISSING%"), m_dir.filePath(QStringLiteral("missing.js")));
        arg.replace(QLatin1String("%BADWS%"), badWorkspace);
        arg.replace(QLatin1String("%WS%"), m_workspace);
    }
    QProcess process;
    process.start(QStringLiteral(VELT_SCRIPT_PATH), args);
    Run result;
    if (!process.waitForFinished(120000) || process.exitStatus() != QProcess::NormalExit) {
        result.err = QStringLiteral("velt-script did not finish: ") + process.errorString();
        return result;
    }
    result.status = process.exitCode();
    result.out = QString::fromUtf8(process.readAllStandardOutput());
    result.err = QString::fromUtf8(process.readAllStandardError());
    return result;
}

void VeltScriptTest::exitStatus_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("script");
    QTest::addColumn<int>("status");
    QTest::addColumn<QStringList>("stderrParts");

    const QStringList script{QStringLiteral("%SCRIPT%")};
    QTest::newRow("script ends") << script << "var x = 1 + 1;\n" << 0 << QStringList();
    QTest::newRow("Error thrown on line 3")
        << script << "var a = 1;\nvar b = 2;\nthrow new Error('boom');\n" << 1
        << QStringList{"script.js:3:", "Error: boom"};
    QTest::newRow("binding's TypeError reported at the script's line")
        << script << "var a = 1;\nQuen.QuenInt32Create();\n" << 1
        << QStringList{"script.js:2:", "TypeError", "QuenInt32Create(value)"};
    QTest::newRow("error inside a function")
        << script << "function f() {\n  return null.x;\n}\nf();\n" << 1
        << QStringList{"script.js:2:", "TypeError"};
    QTest::newRow("a thrown non-error") << script << "\nthrow 42;\n" << 1
                                        << QStringList{"script.js:2:", "42"};
    QTest::newRow("syntax error") << script << "var ok = 1;\nvar = ;\n" << 1
                                  << QStringList{"script.js:2:", "SyntaxError"};
    QTest::newRow("no script") << QStringList() << QString() << 2 << QStringList{"usage:"};
    QTest::newRow("missing script")
        << QStringList{"%MISSING%"} << QString() << 2 << QStringList{"cannot read", "missing.js"};
    QTest::newRow("unknown option") << QStringList{"--frobnicate", "%SCRIPT%"} << "" << 2
                                    << QStringList{"unknown option --frobnicate", "usage:"};
    QTest::newRow("two scripts") << QStringList{"%SCRIPT%", "%SCRIPT%"} << "" << 2
                                 << QStringList{"unexpected argument"};
    QTest::newRow("workspace without file") << QStringList{"%SCRIPT%", "--workspace"} << "" << 2
                                            << QStringList{"--workspace needs a file"};
    QTest::newRow("malformed workspace")
        << QStringList{"--workspace", "%BADWS%", "%SCRIPT%"} << "print('not reached');" << 2
        << QStringList{"cannot load workspace", "bad.json", "tables"};
    QTest::newRow("missing workspace")
        << QStringList{"--workspace", "%MISSING%", "%SCRIPT%"} << "print('not reached');" << 2
        << QStringList{"cannot load workspace", "missing.js"};
    QTest::newRow("an error in a modal callback cancels the dialog and fails the script")
        << QStringList{"--workspace=%WS%", "%SCRIPT%"}
        << "var p = Quen.QuenPbDefFindParm(Quen.QuenTableRegGetTable(1), 'Count');\n"
           "Velt.onModal(function (dialog) {\n  throw new Error('pressed nothing');\n});\n"
           "Velt.editParameter(p, false, true);\nprint('not reached');\n"
        << 1 << QStringList{"script.js:3:", "Error: pressed nothing"};
    QTest::newRow("a failing member is an Error at the script's line")
        << QStringList{"%SCRIPT%"} << "var f = Velt.fields();\nf.DeclareField(0, null);\n" << 1
        << QStringList{"script.js:2:", "Error: The argument is not a field."};
    QTest::newRow("onModal needs a function")
        << QStringList{"%SCRIPT%"} << "\nVelt.onModal(42);\n" << 1
        << QStringList{"script.js:2:", "TypeError", "Velt.onModal"};
    QTest::newRow("no dialog for a parameter without editor")
        << QStringList{"%SCRIPT%"}
        << "var p = Quen.QuenParmCreate('W', 'CQuenWaveform');\nVelt.editParameter(p);\n" << 1
        << QStringList{"script.js:2:", "no editor for the data type"};
    QTest::newRow("good workspace")
        << QStringList{"--workspace=%WS%", "%SCRIPT%"} << "" << 0 << QStringList();
}

void VeltScriptTest::exitStatus()
{
    QFETCH(QStringList, args);
    QFETCH(QString, script);
    QFETCH(int, status);
    QFETCH(QStringList, stderrParts);

    const Run r = run(args, script);
    QVERIFY2(r.status == status, qPrintable(QStringLiteral("status %1, stderr: %2").arg(r.status).arg(r.err)));
    for (const QString& part : stderrParts)
        QVERIFY2(r.err.contains(part), qPrintable(QStringLiteral("'%1' not in: %2").arg(part, r.err)));
    if (status == 0) {
        QVERIFY2(!r.err.contains(QLatin1String("velt-script:")), qPrintable(r.err));
        QVERIFY2(!r.err.contains(QLatin1String("script.js:")), qPrintable(r.err));
    }
    QVERIFY(!r.out.contains(QLatin1String("not reached")));
}

void VeltScriptTest::scriptOutput_data()
{
    QTest::addColumn<QString>("script");
    QTest::addColumn<QString>("expected");

    QTest::newRow("out-arguments by name, with result")
        << "var h = Quen.QuenRangeCreate(1, 5, 5);\n"
           "var r = Quen.QuenRangeGetValues(h);\n"
           "print(r.result, r.start, r.stop, r.points, Object.keys(r).sort().join());"
        << "-1 1 5 5 points,result,start,stop";
    QTest::newRow("out-arguments of a failing call")
        << "var r = Quen.QuenComplexGetValues(424242);\n"
           "var e = Quen.QuenExcRegReceiveError();\n"
           "print(r.result, e.result, e.errorCode, typeof e.message, e.message.length > 0);"
        << "0 -1 1 string true";
    QTest::newRow("doubles in and out")
        << "var h = Quen.QuenComplexCreate(1.5, -0.25);\n"
           "var c = Quen.QuenComplexGetValues(h); print(c.re, c.im);"
        << "1.5 -0.25";
    QTest::newRow("text buffer sized by the next argument")
        << "var c = Quen.QuenConvertToString('h\u00e9llo', 4); print(c.result, c.buffer);"
        << "6 h\u00e9";
    QTest::newRow("texts in and out as UTF-8")
        << "var h = Quen.QuenStringCreate('gr\u00fc\u00dfe \u2713');\n"
           "print(Quen.QuenStringGetValue(h), Quen.QuenDataGetType(h));"
        << "gr\u00fc\u00dfe \u2713 CQuenString";
    QTest::newRow("null text is the empty text")
        << "print(JSON.stringify(Quen.QuenStringGetValue(Quen.QuenStringCreate(null))));"
        << "\"\"";
    QTest::newRow("void gives undefined")
        << "print(Quen.QuenExcRegClearError(0) === undefined);" << "true";
    QTest::newRow("booleans become the core's -1/0")
        << "var p = Quen.QuenParmCreate('A', 'CQuenInt32');\n"
           "Quen.QuenParmSetHidden(p, true); var a = Quen.QuenParmIsHidden(p);\n"
           "Quen.QuenParmSetHidden(p, false); print(a, Quen.QuenParmIsHidden(p));"
        << "-1 0";
    QTest::newRow("int32 limits pass")
        << "print(Quen.QuenInt32GetValue(Quen.QuenInt32Create(-2147483648)),"
           " Quen.QuenInt32GetValue(Quen.QuenInt32Create(2147483647)));"
        << "-2147483648 2147483647";
    QTest::newRow("integer out of range")
        << "try { Quen.QuenInt32Create(2147483648); } catch (e) { print(e.name + ': ' + e.message); }"
        << "RangeError: QuenInt32Create(value): argument 'value' is not an integer from "
           "-2147483648 to 2147483647";
    QTest::newRow("fraction for an integer")
        << "try { Quen.QuenInt32Create(1.5); } catch (e) { print(e.name); }" << "RangeError";
    QTest::newRow("16-bit argument range")
        << "try { Quen.QuenParmSetHidden(1, 40000); } catch (e) { print(e.message); }"
        << "QuenParmSetHidden(parm, hidden): argument 'hidden' is not an integer from -32768 to 32767";
    QTest::newRow("number for a text")
        << "try { Quen.QuenStringCreate(5); } catch (e) { print(e.name + ': ' + e.message); }"
        << "TypeError: QuenStringCreate(value): argument 'value' must be a string";
    QTest::newRow("text for a number")
        << "try { Quen.QuenReal64Create('1'); } catch (e) { print(e.name); }" << "TypeError";
    QTest::newRow("wrong argument count names the parameters")
        << "try { Quen.QuenRangeSetValues(1); } catch (e) { print(e.name + ': ' + e.message); }"
        << "TypeError: QuenRangeSetValues(data, start, stop, points): expected 4 arguments, got 1";
    QTest::newRow("out-arguments are not passed")
        << "try { Quen.QuenPointGetValues(1, 2, 3); } catch (e) { print(e.message); }"
        << "QuenPointGetValues(data): expected 1 argument, got 3";
    QTest::newRow("negative buffer size")
        << "try { Quen.QuenConvertToString('x', -1); } catch (e) { print(e.name); }"
        << "RangeError";
    QTest::newRow("print renders values")
        << "print('a', 1, {x: 1}, [1, 2], null, undefined, true);"
        << "a 1 {\"x\":1} [1,2] null undefined true";
    QTest::newRow("unknown class identifier gives null")
        << "print(Velt.create('VeltEditors.NoSuchClass'));" << "null";
    QTest::newRow("core errors reach Velt.shownErrors through the display hook")
        << "Quen.QuenDataRelease(424242);\n"
           "var before = Velt.shownErrors.length;\n"
           "Quen.QuenExcRegDisplayErrors();\n"
           "print(before, Velt.shownErrors.length, Quen.QuenExcRegIsError(0),"
           " Velt.shownErrors[0].indexOf('QuenDataRelease') >= 0);"
        << "0 1 0 true";
    QTest::newRow("runtime members of the real editor are invokable, none on the integer one")
        << "var r = Velt.create('VeltEditors.Real64Editor').GetRuntime();\n"
           "print(r.Bind(0, 0), r.Evaluate(1, 2), r.Scan(0, 0), r.Unbind(0, 0),"
           " typeof Velt.create('VeltEditors.Int32Editor').Bind);"
        << "true true true true undefined";
    QTest::newRow("beeps start at zero") << "print(Velt.beeps);" << "0";
    QTest::newRow("prompts start empty")
        << "print(Velt.prompts.answers.length, Velt.prompts.asked.length);" << "0 0";
    QTest::newRow("registry is the shared editor registry")
        << "print(Velt.registry === Velt.registry, Velt.registry.objectName !== undefined,"
           " typeof Velt.registry.DataEditorCount);"
        << "true true number";
    QTest::newRow("keyClick on something that is not a widget")
        << "try { Velt.keyClick(null, 'A'); } catch (e) { print(e.name); }" << "TypeError";
    QTest::newRow("find from the top-level widgets without a match")
        << "print(Velt.find(null, 'NoSuchChild'));" << "null";
}

void VeltScriptTest::scriptOutput()
{
    QFETCH(QString, script);
    QFETCH(QString, expected);

    const Run r = run({QStringLiteral("%SCRIPT%")}, script);
    QVERIFY2(r.status == 0, qPrintable(QStringLiteral("status %1, stderr: %2").arg(r.status).arg(r.err)));
    QCOMPARE(r.out.trimmed(), expected);
}

// Scripts over the small workspace's integer symbol Alpha.Count (7).
void VeltScriptTest::componentGlobals_data()
{
    QTest::addColumn<QString>("script");
    QTest::addColumn<QString>("expected");

    const QString count = QStringLiteral(
        "var p = Quen.QuenPbDefFindParm(Quen.QuenTableRegGetTable(1), 'Count');\n"
        "function value() { return Quen.QuenInt32GetValue(Quen.QuenParmGetData(p)); }\n"
        "function row(f, caption) {\n"
        "  for (var i = 0; i < f.Count; ++i) if (f.Item(i).Caption === caption) return i;\n"
        "  return -1;\n}\n");
    QTest::newRow("fields bound to the symbol read the core")
        << count + "var f = Velt.fields(); print(f.Count);\nf.AttachParameter(p);\n"
                   "print(f.Count > 1, f.DataClass, f.Item(0).Caption, f.Item(0).Text, "
                   "f.Item(f.Count) === null);"
        << "0\ntrue CQuenInt32 Count 7 true";
    QTest::newRow("a field's text assigned goes to the core")
        << count + "var f = Velt.fields(); f.AttachParameter(p);\n"
                   "var v = f.Item(row(f, 'Value')); v.Text = '-123';\n"
                   "print(value(), v.Text, JSON.stringify(v.ErrorMessage));"
        << "-123 -123 \"\"";
    QTest::newRow("a refused text leaves the core alone")
        << count + "var f = Velt.fields(); f.AttachParameter(p);\n"
                   "var v = f.Item(row(f, 'Value')); v.Text = 'abc';\n"
                   "print(value(), v.ErrorMessage.length > 0);"
        << "7 true";
    QTest::newRow("choices of a field are its own list")
        << count + "var f = Velt.fields(); f.AttachParameter(p);\n"
                   "var c = f.Item(row(f, 'View As')), e = c.Enumeration, all = [];\n"
                   "for (var i = 1; i <= e.Count; ++i) all.push(e.Text(i));\n"
                   "e.Add('First', 1); print(c.HasEnumeration, all.indexOf(c.Text) >= 0,"
                   " e.Text(1), e.Count === all.length + 1, e.Text(0) === '');"
        << "true true First true true";
    QTest::newRow("the collection and its fields publish every member")
        << count + "var f = Velt.fields(); f.AttachParameter(p);\n"
                   "f.Age = 5; f.Tag = 'note'; var r = f.Item(0), v = f.Item(row(f, 'Value'));\n"
                   "print(f.Age, f.Tag, f.Handle === Quen.QuenParmGetData(p), f.ParameterHandle,"
                   " f.DataType, f.IsDefaulted, f.IsReference, f.ReadOnly, f.Description === '');\n"
                   "print(r.HasEditor, v.HasEditor, r.Editor === f.DialogEditor,"
                   " v.Handle === f.Handle, v.BitmapName,"
                   " r.LocalsHandle === Quen.QuenTableRegGetTable(1),"
                   " f.DirectEditor === f.DialogEditor);"
        << "5 note true 0 Integer (32 bit) false false false true\n"
           "true false true true Number true true";
    QTest::newRow("failures of methods and property writes are catchable Errors")
        << count + "var f = Velt.fields(); f.AttachParameter(p);\n"
                   "try { f.Item(row(f, 'View As')).Enumeration.Add('x', 0); }"
                   " catch (e) { print(e instanceof Error, e.message); }\n"
                   "try { f.Item(1).Indentation = 40000; } catch (e) { print(e.message); }\n"
                   "print(f.Item(1).Indentation);"
        << "true Choice position 0 is outside 1 to 4.\nOverflow\n1";
    QTest::newRow("key events hand a script handler changeable arguments")
        << "var s = Velt.create('VeltEditors.SymbolSelector'); s.show();\n"
           "var c = Velt.find(s, 'SymbolTableCombo'), seen = [];\n"
           "s.KeyDown.connect(function (a) { seen.push(a.KeyCode + '/' + a.Shift);"
           " if (a.KeyCode === 0x01000015) a.KeyCode = 0; });\n"
           "s.KeyPress.connect(function (a) { seen.push(a.KeyAscii); a.KeyAscii = 0; });\n"
           "s.KeyUp.connect(function (a) { seen.push('up ' + a.KeyCode); });\n"
           "var before = c.currentIndex; Velt.keyClick(c, 'Down'); Velt.keyClick(c, 'b');\n"
           "print(seen.join(' '), c.currentIndex === before);"
        << "16777237/0 up 16777237 66/0 98 up 66 true";
    QTest::newRow("a site counts what it is told")
        << "var s = Velt.site(); var t = Velt.site();\n"
           "s.AcceptEdit(); s.CancelEdit(); s.CancelEdit();\n"
           "print(s.AcceptCount, s.CancelCount, t.AcceptCount); s.Reset(); print(s.CancelCount);"
        << "1 2 0\n0";
    QTest::newRow("onModal types a value and presses OK")
        << count + "var seen = '';\nVelt.onModal(function (dialog) {\n"
                   "  seen = Velt.find(dialog, 'EntryText').text;\n"
                   "  var e = Velt.find(dialog, 'EntryText'); e.selectAll(); Velt.keyClicks(e, '99');\n"
                   "  Velt.find(dialog, 'OKCommand').click();\n});\n"
                   "print(Velt.editParameter(p, false, true), seen, value());"
        << "true 7 99";
    QTest::newRow("onModal presses Cancel")
        << count + "Velt.onModal(function (dialog) {\n"
                   "  var e = Velt.find(dialog, 'EntryText'); e.selectAll(); Velt.keyClicks(e, '99');\n"
                   "  Velt.find(dialog, 'CancelCommand').click();\n});\n"
                   "print(Velt.editParameter(p, false, true), value());"
        << "false 7";
    QTest::newRow("onModal is one-shot")
        << count + "var calls = 0;\nVelt.onModal(function (dialog) { ++calls;\n"
                   "  Velt.find(dialog, 'OKCommand').click(); });\n"
                   "Velt.editParameter(p, false, true);\n"
                   "Velt.onModal(function (dialog) { Velt.find(dialog, 'CancelCommand').click(); });\n"
                   "print(Velt.editParameter(p, false, true), calls);"
        << "false 1";
}

void VeltScriptTest::componentGlobals()
{
    QFETCH(QString, script);
    QFETCH(QString, expected);

    const Run r = run({QStringLiteral("--workspace=%WS%"), QStringLiteral("%SCRIPT%")}, script);
    QVERIFY2(r.status == 0, qPrintable(QStringLiteral("status %1, stderr: %2").arg(r.status).arg(r.err)));
    QCOMPARE(r.out.trimmed(), expected);
}

void VeltScriptTest::everyCoreFunctionIsBound()
{
    const Run r = run({QStringLiteral("%SCRIPT%")},
                      QStringLiteral("print(Object.keys(Quen).join('\\n'));\n"
                                     "print(Object.keys(Quen).every(function (k) {"
                                     " return typeof Quen[k] === 'function'; }));"));
    QCOMPARE(r.status, 0);
    QStringList lines = r.out.trimmed().split(QLatin1Char('\n'));
    QCOMPARE(lines.takeLast(), QStringLiteral("true"));
    QCOMPARE(lines, coreFunctionNames());
    QVERIFY(!lines.contains(QStringLiteral("QuenExcRegSetDisplayHook")));
}

// A control registered by the library (SymbolSelector, over the small workspace's public
// tables Alpha, Beta, Gamma): created by identifier, its members reached by name, its child
// found by objectName and driven with keys.
void VeltScriptTest::registeredControl_data()
{
    QTest::addColumn<QString>("script");
    QTest::addColumn<QString>("expected");

    const QString setup = QStringLiteral(
        "var s = Velt.create('VeltEditors.SymbolSelector');\n"
        "s.show(); Velt.processEvents();\n"
        "var combo = Velt.find(s, 'SymbolTableCombo');\n");
    QTest::newRow("properties by name")
        << setup + "s.Separator = '::'; print(s.objectName, s.Compact, s.Separator, combo.objectName);"
        << "SymbolSelector true :: SymbolTableCombo";
    // The three spellings of a key reach the control alike, and do reach it.
    QTest::newRow("key by name, Qt name and code")
        << QStringLiteral(
               "function after(keys) {\n"
               "  var s = Velt.create('VeltEditors.SymbolSelector');\n"
               "  s.show(); Velt.processEvents();\n"
               "  var combo = Velt.find(s, 'SymbolTableCombo');\n"
               "  keys.forEach(function (k) { Velt.keyClick(combo, k); });\n"
               "  return combo.currentIndex + ':' + s.TableName;\n"
               "}\n"
               "var byName = after(['Home', 'Down']);\n"
               "print(byName === after(['Key_Home', 'Key_Down']),"
               " byName === after([0x01000010, 0x01000015]), byName !== after([]));")
        << "true true true";
    QTest::newRow("unknown key name")
        << setup + "try { Velt.keyClick(combo, 'NoSuchKey'); } catch (e) { print(e.name); }"
        << "TypeError";
    QTest::newRow("unknown modifier")
        << setup + "try { Velt.keyClick(combo, 'Down', 'Hyper'); } catch (e) { print(e.name); }"
        << "TypeError";
    QTest::newRow("control characters and surrogate pairs are typed safely")
        << setup + "Velt.keyClicks(combo, 'a\\n\\t\\u00e9\\ud83d\\ude00'); print('typed');"
        << "typed";
    QTest::newRow("find among top-level widgets")
        << setup + "print(Velt.find(null, 'SymbolTableCombo') === combo);" << "true";
}

void VeltScriptTest::registeredControl()
{
    QFETCH(QString, script);
    QFETCH(QString, expected);

    const Run r = run({QStringLiteral("--workspace"), QStringLiteral("%WS%"), QStringLiteral("%SCRIPT%")},
                      script);
    QVERIFY2(r.status == 0, qPrintable(QStringLiteral("status %1, stderr: %2").arg(r.status).arg(r.err)));
    QCOMPARE(r.out.trimmed(), expected);
}

// The workspace is loaded before the script; its tables are what the script sees, and a
// registered control built on them is reachable by identifier, by child name and by keys.
void VeltScriptTest::workspaceOption()
{
    const Run r = run(
        {QStringLiteral("--workspace"), QStringLiteral("%WS%"), QStringLiteral("%SCRIPT%")},
        QStringLiteral(
            "var names = [];\n"
            "for (var i = 1; i <= Quen.QuenTableRegGetSize(); ++i)\n"
            "  names.push(Quen.QuenTableGetName(Quen.QuenTableRegGetTable(i)));\n"
            "print(names.join(','));\n"
            "var count = Quen.QuenTableRegFindParm('Alpha', -1, 'Count', -1);\n"
            "print(Quen.QuenInt32GetValue(Quen.QuenParmGetData(count)));\n"
            "var path = Quen.QuenWorkspaceGetPath();\n"
            "print(path.substring(path.length - 10));\n"));
    QVERIFY2(r.status == 0, qPrintable(r.err));
    QCOMPARE(r.out, QStringLiteral("Alpha,Beta,Gamma\n7\nsmall.json\n"));
}

QTEST_GUILESS_MAIN(VeltScriptTest)
#include "veltscripttest.moc"
