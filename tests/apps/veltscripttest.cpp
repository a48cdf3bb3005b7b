// velt-script as a user runs it, a child process per case: exit statuses, the Quen.* bindings
// (in/out arguments, conversions, errors) and the Velt.* globals.
#include "columns.h"
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

const char* const kSmallWorkspace = R"({ "format": "VeltEditors.Workspace", "parameterBlocks": [], "tables": [
  { "name": "Alpha", "public": true, "symbols": [ { "name": "Count", "data": { "class": "CQuenInt32", "value": 7 } } ] },
  { "name": "Beta", "public": true, "symbols": [] }, { "name": "Gamma", "public": true, "symbols": [] } ] })";

} // namespace

class VeltScriptTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        write(QStringLiteral("small.json"), kSmallWorkspace);
        write(QStringLiteral("bad.json"), "{ \"tables\": [ 42 ] }");
    }

    void exitStatus_data()
    {
        VeltTest::columns<QStringList, QString, int, QStringList>({"args", "script", "status", "stderrParts"});

        const QStringList script{QStringLiteral("%SCRIPT%")};
        QTest::newRow("script ends") << script << "var x = 1 + 1;\n" << 0 << QStringList();
        QTest::newRow("Error thrown on line 3") << script << "var a = 1;\nvar b = 2;\nthrow new Error('boom');\n" << 1 << QStringList{"script.js:3:", "Error: boom"};
        QTest::newRow("binding's TypeError at the script's line") << script << "var a = 1;\nQuen.QuenInt32Create();\n" << 1 << QStringList{"script.js:2:", "TypeError", "QuenInt32Create(value)"};
        QTest::newRow("a thrown non-error") << script << "\nthrow 42;\n" << 1 << QStringList{"script.js:2:", "42"};
        QTest::newRow("syntax error") << script << "var ok = 1;\nvar = ;\n" << 1 << QStringList{"script.js:2:", "SyntaxError"};
        QTest::newRow("no script") << QStringList() << QString() << 2 << QStringList{"usage:"};
        QTest::newRow("missing script") << QStringList{"%MISSING%"} << QString() << 2 << QStringList{"cannot read", "missing.js"};
        QTest::newRow("unknown option") << QStringList{"--frobnicate", "%SCRIPT%"} << "" << 2 << QStringList{"unknown option --frobnicate", "usage:"};
        QTest::newRow("two scripts") << QStringList{"%SCRIPT%", "%SCRIPT%"} << "" << 2 << QStringList{"unexpected argument"};
        QTest::newRow("workspace without file") << QStringList{"%SCRIPT%", "--workspace"} << "" << 2 << QStringList{"--workspace needs a file"};
        QTest::newRow("malformed workspace") << QStringList{"--workspace", "%BADWS%", "%SCRIPT%"} << "print('not reached');" << 2 << QStringList{"cannot load workspace", "bad.json", "tables"};
        QTest::newRow("an error in a modal callback cancels the dialog and fails the script") << QStringList{"--workspace=%WS%", "%SCRIPT%"}
            << "var p = Quen.QuenPbDefFindParm(Quen.QuenTableRegGetTable(1), 'Count');\nVelt.onModal(function (dialog) {\n  throw new Error('pressed nothing');\n});\n"
               "Velt.editParameter(p, false, true);\nprint('not reached');\n" << 1 << QStringList{"script.js:3:", "Error: pressed nothing"};
        QTest::newRow("a failing member is an Error at the script's line") << script << "var f = Velt.fields();\nf.DeclareField(0, null);\n" << 1 << QStringList{"script.js:2:", "Error: The argument is not a field."};
        QTest::newRow("onModal needs a function") << script << "\nVelt.onModal(42);\n" << 1 << QStringList{"script.js:2:", "TypeError", "Velt.onModal"};
        QTest::newRow("no dialog for a parameter without editor") << script << "var p = Quen.QuenParmCreate('W', 'CQuenWaveform');\nVelt.editParameter(p);\n" << 1 << QStringList{"script.js:2:", "no editor for the data type"};
    }

    void exitStatus()
    {
        QFETCH(QStringList, args);
        QFETCH(QString, script);
        QFETCH(int, status);
        QFETCH(QStringList, stderrParts);

        const Run r = run(args, script);
        QVERIFY2(r.status == status, qPrintable(QStringLiteral("status %1, stderr: %2").arg(r.status).arg(r.err)));
        for (const QString& part : stderrParts)
            QVERIFY2(r.err.contains(part), qPrintable(QStringLiteral("'%1' not in: %2").arg(part, r.err)));
        QVERIFY2(status != 0 || !r.err.contains(QLatin1String("script")), qPrintable(r.err));
        QVERIFY(!r.out.contains(QLatin1String("not reached")));
    }

    void scriptOutput_data()
    {
        VeltTest::columns<QString, QString>({"script", "expected"});

        QTest::newRow("out-arguments by name, with result") << "var r = Quen.QuenRangeGetValues(Quen.QuenRangeCreate(1.5, 5, 5));\nprint(r.result, r.start, r.stop, r.points, Object.keys(r).sort().join());" << "-1 1.5 5 5 points,result,start,stop";
        QTest::newRow("out-arguments of a failing call") << "var r = Quen.QuenComplexGetValues(424242);\nvar e = Quen.QuenExcRegReceiveError();\nprint(r.result, e.result, e.errorCode, typeof e.message, e.message.length > 0);" << "0 -1 1 string true";
        QTest::newRow("text buffer sized by the next argument") << "var c = Quen.QuenConvertToString('h\u00e9llo', 4); print(c.result, c.buffer);" << "6 h\u00e9";
        QTest::newRow("texts in and out as UTF-8") << "var h = Quen.QuenStringCreate('gr\u00fc\u00dfe \u2713');\nprint(Quen.QuenStringGetValue(h), Quen.QuenDataGetType(h));" << "gr\u00fc\u00dfe \u2713 CQuenString";
        QTest::newRow("null text is the empty text") << "print(JSON.stringify(Quen.QuenStringGetValue(Quen.QuenStringCreate(null))));" << "\"\"";
        QTest::newRow("void gives undefined") << "print(Quen.QuenExcRegClearError(0) === undefined);" << "true";
        QTest::newRow("booleans become the core's -1/0") << "var p = Quen.QuenParmCreate('A', 'CQuenInt32');\nQuen.QuenParmSetHidden(p, true); var a = Quen.QuenParmIsHidden(p);\nQuen.QuenParmSetHidden(p, false); print(a, Quen.QuenParmIsHidden(p));" << "-1 0";
        QTest::newRow("int32 limits pass") << "print(Quen.QuenInt32GetValue(Quen.QuenInt32Create(-2147483648)), Quen.QuenInt32GetValue(Quen.QuenInt32Create(2147483647)));" << "-2147483648 2147483647";
        QTest::newRow("integer out of range") << "try { Quen.QuenInt32Create(2147483648); } catch (e) { print(e.name + ': ' + e.message); }" << "RangeError: QuenInt32Create(value): argument 'value' is not an integer from -2147483648 to 2147483647";
        QTest::newRow("16-bit argument range") << "try { Quen.QuenParmSetHidden(1, 40000); } catch (e) { print(e.message); }" << "QuenParmSetHidden(parm, hidden): argument 'hidden' is not an integer from -32768 to 32767";
        QTest::newRow("number for a text") << "try { Quen.QuenStringCreate(5); } catch (e) { print(e.name + ': ' + e.message); }" << "TypeError: QuenStringCreate(value): argument 'value' must be a string";
        QTest::newRow("text for a number") << "try { Quen.QuenReal64Create('1'); } catch (e) { print(e.message); }" << "QuenReal64Create(value): argument 'value' must be a number";
        QTest::newRow("wrong argument count names the parameters") << "try { Quen.QuenRangeSetValues(1); } catch (e) { print(e.name + ': ' + e.message); }" << "TypeError: QuenRangeSetValues(data, start, stop, points): expected 4 arguments, got 1";
        QTest::newRow("out-arguments are not passed") << "try { Quen.QuenPointGetValues(1, 2, 3); } catch (e) { print(e.message); }" << "QuenPointGetValues(data): expected 1 argument, got 3";
        QTest::newRow("negative buffer size") << "try { Quen.QuenConvertToString('x', -1); } catch (e) { print(e.name); }" << "RangeError";
        QTest::newRow("print renders values") << "print('a', 1, {x: 1}, [1, 2], null, undefined, true);" << "a 1 {\"x\":1} [1,2] null undefined true";
        QTest::newRow("unknown class identifier gives null") << "print(Velt.create('VeltEditors.NoSuchClass'));" << "null";
        QTest::newRow("core errors reach Velt.shownErrors through the display hook") << "Quen.QuenDataRelease(424242); var before = Velt.shownErrors.length;\n"
               "Quen.QuenExcRegDisplayErrors(); print(before, Velt.shownErrors.length, Quen.QuenExcRegIsError(0), /QuenDataRelease/.test(Velt.shownErrors[0]));" << "0 1 0 true";
        QTest::newRow("the workspace is loaded before the script") << "var names = [];\nfor (var i = 1; i <= Quen.QuenTableRegGetSize(); ++i) names.push(Quen.QuenTableGetName(Quen.QuenTableRegGetTable(i)));\n"
               "print(names.join(','), Quen.QuenWorkspaceGetPath().slice(-10));" << "Alpha,Beta,Gamma small.json";

        // Over Alpha.Count (7): the globals reach the core, the library's controls and dialogs.
        const QString count = QStringLiteral("var p = Quen.QuenPbDefFindParm(Quen.QuenTableRegGetTable(1), 'Count');\n"
                                             "function value() { return Quen.QuenInt32GetValue(Quen.QuenParmGetData(p)); }\n");
        QTest::newRow("fields bound to the symbol read and write the core") << count + "var f = Velt.fields(); print(f.Count);\nf.AttachParameter(p);\n"
               "print(f.Count > 1, f.DataClass, f.Item(0).Caption, f.Item(0).Text);\nfor (var i = 0; i < f.Count; ++i) if (f.Item(i).Caption === 'Value') f.Item(i).Text = '-123';\n"
               "print(value());" << "0\ntrue CQuenInt32 Count 7\n-123";
        const QString selector = QStringLiteral("var s = Velt.create('VeltEditors.SymbolSelector');\ns.show(); Velt.processEvents();\n"
                                                "var combo = Velt.find(s, 'SymbolTableCombo');\n");
        QTest::newRow("a registered control by name; control characters and surrogate pairs typed safely") << selector + "s.Separator = '::';\n"
               "Velt.keyClicks(combo, 'a\\n\\t\\u00e9\\ud83d\\ude00'); print(s.objectName, s.Compact, s.Separator, combo.objectName,"
               " Velt.find(null, 'SymbolTableCombo') === combo, Velt.find(null, 'NoSuchChild'));" << "SymbolSelector true :: SymbolTableCombo true null";
        QTest::newRow("key events hand a script handler changeable arguments") << selector + "var seen = [];\n"
               "s.KeyDown.connect(function (a) { seen.push(a.KeyCode + '/' + a.Shift); if (a.KeyCode === 0x01000015) a.KeyCode = 0; });\n"
               "s.KeyPress.connect(function (a) { seen.push(a.KeyAscii); a.KeyAscii = 0; });\ns.KeyUp.connect(function (a) { seen.push('up ' + a.KeyCode); });\n"
               "var before = combo.currentIndex; Velt.keyClick(combo, 'Down'); Velt.keyClick(combo, 'b');\n"
               "print(seen.join(' '), combo.currentIndex === before);" << "16777237/0 up 16777237 66/0 98 up 66 true";
        QTest::newRow("the parameter block editor and a new symbol dialog from a script") << "var t = Quen.QuenTableRegGetTable(1), ev = [];\n"
               "var b = Velt.create('VeltEditors.ParmBlockEditor'); b.show(); b.EditSymbolTable(t, true);\n"
               "b.ParameterCreated.connect(function (n) { ev.push('+' + n); }); b.ParameterRemoved.connect(function (n) { ev.push('-' + n); });\n"
               "b.InsertNew(-1, 'CQuenInt32'); b.EndInplaceEditing(true); var at = b.Count(-1); b.Delete(at); var moved = b.MoveTo(-1, 1);\n"
               "Velt.onModal(function (dialog) { Velt.keyClicks(Velt.find(dialog, 'NameText'), 'Fresh'); Velt.keyClick(Velt.find(dialog, 'NameText'), 'Return'); dialog.accept(); });\n"
               "var made = Velt.create('VeltEditors.SymbolDialogs').InsertNewSymbolDialog(b.TableName, 'CQuenReal64');\n"
               "print(ev.join(' '), moved.ToIndex, moved.result, made, Quen.QuenPbDefFindParm(t, 'Fresh') !== 0);"
            << "+New -New 2 true Fresh true";
        const QString typeAndPress = QStringLiteral("function (dialog) {\n  var e = Velt.find(dialog, 'EntryText'); seen = e.text; e.selectAll(); Velt.keyClicks(e, '%1');\n"
                                                    "  Velt.find(dialog, '%2').click(); ++calls;\n}");
        QTest::newRow("onModal types into the dialog and presses OK; it is one-shot; Cancel gives false") << count + "var seen = '', calls = 0;\n"
               "Velt.onModal(" + typeAndPress.arg("99", "OKCommand") + ");\nvar ok = Velt.editParameter(p, false, true), first = seen;\n"
               "Velt.onModal(" + typeAndPress.arg("55", "CancelCommand") + ");\nprint(ok, first, Velt.editParameter(p, false, true), calls, value());" << "true 7 false 2 99";
    }

    void scriptOutput()
    {
        QFETCH(QString, script);
        const Run r = run({QStringLiteral("--workspace"), QStringLiteral("%WS%"), QStringLiteral("%SCRIPT%")}, script);
        QVERIFY2(r.status == 0, qPrintable(QStringLiteral("status %1, stderr: %2").arg(r.status).arg(r.err)));
        QTEST(r.out.trimmed(), "expected");
    }

    // Quen holds one function per entry of the core's function list, in its order, and nothing else.
    void everyCoreFunctionIsBound()
    {
        QStringList names;
    #define QUEN_IN(type, name)
    #define QUEN_OUT(type, name)
    #define QUEN_FN(ret, fname, params) names << QStringLiteral(#fname);
    #include "quen/quenapi.def"
    #undef QUEN_FN
    #undef QUEN_OUT
    #undef QUEN_IN
        const Run r = run({QStringLiteral("%SCRIPT%")}, QStringLiteral("print(Object.keys(Quen).join('\\n'));\n"
                                                                       "print(Object.keys(Quen).every(function (k) { return typeof Quen[k] === 'function'; }));"));
        QCOMPARE(r.status, 0);
        QCOMPARE(r.out.trimmed().split(QLatin1Char('\n')), names << QStringLiteral("true"));
    }

private:
    QString write(const QString& name, const QByteArray& content)
    {
        const QString path = m_dir.filePath(name);
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(content) != content.size())
            qFatal("cannot write %s", qPrintable(path));
        return path;
    }

    // "%SCRIPT%" stands for the script (written to a file), "%MISSING%" for a file that does not
    // exist, "%BADWS%" for a malformed workspace and "%WS%" for the small workspace.
    Run run(QStringList args, const QString& script)
    {
        const QString scriptPath = write(QStringLiteral("script.js"), script.toUtf8());
        for (QString& arg : args) {
            arg.replace(QLatin1String("%SCRIPT%"), scriptPath);
            arg.replace(QLatin1String("%MISSING%"), m_dir.filePath(QStringLiteral("missing.js")));
            arg.replace(QLatin1String("%BADWS%"), m_dir.filePath(QStringLiteral("bad.json")));
            arg.replace(QLatin1String("%WS%"), m_dir.filePath(QStringLiteral("small.json")));
        }
        QProcess process;
        process.start(QStringLiteral(VELT_SCRIPT_PATH), args);
        if (!process.waitForFinished(120000) || process.exitStatus() != QProcess::NormalExit)
            return {-1, {}, QStringLiteral("velt-script did not finish: ") + process.errorString()};
        return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()), QString::fromUtf8(process.readAllStandardError())};
    }

    QTemporaryDir m_dir;
};

QTEST_GUILESS_MAIN(VeltScriptTest)
#include "veltscripttest.moc"
