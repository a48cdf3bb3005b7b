// Workspaces: the sample's round trip, malformed files (named place, nothing loaded), unknown keys, settings.
#include "columns.h"
#include "coretesting.h"

#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

using namespace VeltTest;

namespace {

const QString kSample = QStringLiteral(VELT_SOURCE_DIR "/examples/sample-workspace.json");

QJsonObject objectOf(const QByteArray& json) { return QJsonDocument::fromJson(json).object(); }

// A workspace of one public table "T" holding the given symbols.
QByteArray withSymbols(const QByteArray& symbols, const char* settings = "{}")
{
    return QByteArray(R"({"formatVersion": 1, "settings": )") + settings
            + R"(, "tables": [{"name": "T", "public": true, "symbols": [)" + symbols + "]}]}";
}

// What a failed load must leave alone: the registry, the definitions, the tests and the settings.
QList<qint64> snapshot()
{
    QList<qint64> s { QuenCoreGetLiveObjectCount(), QuenArrayGetDefaultMaxSize() };
    for (int32_t i = 1; i <= QuenTableRegGetSize(); ++i)
        s << QuenTableRegGetTable(i);
    for (int32_t i = 1; i <= QuenWorkspaceGetPbDefCount(); ++i)
        s << -QuenWorkspaceGetPbDef(i);
    for (int32_t i = 1; i <= QuenWorkspaceGetTestCount(); ++i)
        s << QuenWorkspaceGetTest(i) + (qint64(1) << 40);
    return s;
}

} // namespace

class WorkspaceTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { QuenWorkspaceClear(); QuenExcRegClearError(0); m_live = QuenCoreGetLiveObjectCount(); }
    void cleanup() { QuenWorkspaceClear(); QuenArraySetDefaultMaxSize(65535); QVERIFY(QuenCoreGetLiveObjectCount() == m_live && !QuenExcRegIsError(0)); }

    // What the round trip below cannot see: the objects are made, in order, with their flags.
    void sampleLoads()
    {
        QVERIFY(QuenWorkspaceLoad(kSample.toUtf8().constData()));
        EXPECT_NO_ERROR();
        QStringList tables;
        for (int32_t i = 1; i <= QuenTableRegGetSize(); ++i)
            tables << text(QuenTableGetName(QuenTableRegGetTable(i))) + QString::number(QuenTableRegIsPublic(i));
        QCOMPARE(tables, (QStringList { "Station-1", "Limits-1", "Scratch0" }));
        QCOMPARE(QFileInfo(text(QuenWorkspaceGetPath())).canonicalFilePath(), QFileInfo(kSample).canonicalFilePath());
        const auto find = [](const char* table, const char* symbol) { return QuenTableRegFindParm(table, -1, symbol, -1); };
        const QuenHandle measure = QuenWorkspaceGetPbDef(1);
        // Row-major arrays: the last index runs fastest.
        QCOMPARE(QStringLiteral("%1 %2 %3 %4 %5 %6 %7 %8 %9").arg(QuenI32ArrGetAt1(QuenDataExGetProperty(QuenParmGetData(find("Station", "OffsetLimit")), "Restriction"), 2))
                         .arg(QuenR64ArrGetAt2(QuenParmGetData(find("Limits", "GainCorrection")), 1, 3)).arg(QuenParmIsReference(find("Limits", "NominalSupply")))
                         .arg(QuenParmIsHidden(find("", "CalibrationKey"))).arg(QuenDataExIsRuntimeEvaluation(QuenParmGetData(find("", "ReportTitle"))))
                         .arg(QuenWorkspaceGetPbDefCount()).arg(text(QuenPbDefGetName(measure))).arg(QuenParmIsOutput(QuenPbDefFindParm(measure, "Result")))
                         .arg(QuenParmIsReferenceEditable(QuenPbDefFindParm(measure, "Instrument"))),
                 QStringLiteral("500 1.001 -1 -1 -1 2 Measure DC Voltage -1 0"));
        // Tests: their names, and limits read as a block's parameters are.
        const QuenHandle current = QuenTestGetLimits(QuenWorkspaceGetTest(1), 0);
        const QuenHandle ripple = QuenTestGetLimits(QuenWorkspaceGetTest(2), 0);
        QCOMPARE(QStringLiteral("%1 %2 %3 %4 %5 %6 %7").arg(QuenWorkspaceGetTestCount()).arg(text(QuenTestGetName(QuenWorkspaceGetTest(1))), parameterNames(current).join(','))
                         .arg(QuenReal64GetValue(QuenParmGetData(QuenPbDefFindParm(current, "High")))).arg(CoreBuilder::string(QuenParmGetData(QuenPbDefFindParm(current, "Low")), "Units"))
                         .arg(text(QuenParmGetRefTableName(QuenPbDefGetParm(ripple, 1))), text(QuenDescGetText(QuenPbDefGetDesc(ripple)))),
                 QStringLiteral("2 Supply Current Low,High 0.045 A Limits Ripple on the supply rail."));
    }

    // Load, save: the very same document; save again after reloading: the same bytes.
    void sampleRoundTripsUnchanged()
    {
        QTemporaryDir dir;
        const QByteArray first = (dir.path() + "/first.json").toUtf8();
        const QByteArray second = (dir.path() + "/second.json").toUtf8();
        QVERIFY(QuenWorkspaceLoad(kSample.toUtf8().constData()) && QuenWorkspaceSave(first.constData()));
        QCOMPARE(text(QuenWorkspaceGetPath()), QString::fromUtf8(first));
        QCOMPARE(objectOf(readAll(QString::fromUtf8(first))), objectOf(readAll(kSample)));
        QVERIFY(QuenWorkspaceLoad(first.constData()) && QuenWorkspaceSave(second.constData()));
        QCOMPARE(readAll(QString::fromUtf8(second)), readAll(QString::fromUtf8(first)));
    }

    void malformed_data()
    {
        VeltTest::columns<QByteArray, QString>({"json", "place"});
        const QByteArray sample = readAll(kSample);
        // A symbol "A" of table "T" with the given data; place is where the error is, below it.
        const auto data = [](const char* name, const char* body, const char* place, const char* settings = "{}") {
            QTest::newRow(name) << withSymbols(QByteArray(R"({"name": "A", "data": {)") + body + "}}", settings) << QStringLiteral("tables[0].symbols[0].data") + QLatin1String(place);
        };
        QTest::newRow("truncated") << sample.left(sample.size() / 2) << "workspace text: line ";
        QTest::newRow("not an object") << QByteArray("[1, 2]") << "not a JSON object";
        QTest::newRow("format version") << QByteArray(R"({"formatVersion": 2})") << "formatVersion: ";
        QTest::newRow("setting") << withSymbols("", R"({"arrayMaxSize": 0})") << "settings.arrayMaxSize: expected an integer from 1 to 65535";
        data("element count", R"("class": "CQuenInt32Array", "bounds": [[0, 2]], "elements": [1, 2])", ".elements: expected 3 elements, found 2");
        data("element type", R"("class": "CQuenStringArray", "bounds": [[1, 2]], "elements": ["a", 2])", ".elements[1]: expected a text");
        data("four dimensions", R"("class": "CQuenInt32Array", "bounds": [[0,0],[0,0],[0,0],[0,0]], "elements": [1])", ".bounds: expected 1 to 3 dimensions");
        data("over the maximum size", R"("class": "CQuenReal64Array", "bounds": [[1, 3]], "elements": [1, 2, 3])", ".bounds: the bounds hold 3 elements, more than the maximum size 2", R"({"arrayMaxSize": 2})");
        data("unknown class", R"("class": "CQuenInt64", "value": 1)", ".class: unknown data class 'CQuenInt64'");
        data("integer overflow", R"("class": "CQuenInt32", "value": 2147483648)", ".value: expected an integer from -2147483648 to 2147483647, found 2147483648");
        data("missing value", R"("class": "CQuenComplex", "re": 1)", ".im: missing");
        data("unexpected key", R"("class": "CQuenString", "value": "x", "colour": 1)", ".colour: unexpected key");
        QTest::newRow("duplicate symbol") << withSymbols(R"({"name": "Gain", "data": {"class": "CQuenInt32", "value": 1}}, {"name": "GAIN", "data": {"class": "CQuenInt32", "value": 2}})") << "tables[0].symbols[1].name: 'GAIN' is already the name of symbols[0]";
        QTest::newRow("reference with data") << withSymbols(R"({"name": "A", "type": "CQuenInt32", "reference": {"symbol": "B"}, "data": {"class": "CQuenInt32", "value": 1}})") << "tables[0].symbols[0].data: a reference has no value";
        // A test: {"name", "description", "limits"}, the limits as a block's parameters.
        const auto tests = [](const char* name, const char* list, const char* place) {
            QTest::newRow(name) << QByteArray(R"({"tests": [{"name": "Ripple", "limits": []}, )") + list + "]}" << QString::fromUtf8(place);
        };
        QTest::newRow("tests not a list") << QByteArray(R"({"tests": {"name": "Ripple"}})") << "tests: expected an array";
        tests("test not an object", R"(1)", "tests[1]: expected an object, found a number");
        tests("test with an empty name", R"({"name": "", "limits": []})", "tests[1].name: a test needs a name");
        tests("test without limits", R"({"name": "Noise"})", "tests[1].limits: missing");
        tests("test named twice", R"({"name": "ripple", "limits": []})", "tests[1].name: 'ripple' is already the name of tests[0]");
        tests("bound limits", R"({"name": "Noise", "bound": true, "limits": []})", "tests[1].bound: unexpected key");
        QTest::newRow("bad second definition") << QByteArray(R"({"tables": [{"name": "T", "symbols": [{"name": "A", "data": {"class": "CQuenInt32", "value": 1}}]}], "parameterBlocks": [{"name": "D", "parameters": []}, {"name": "E", "parameters": [{"name": "X"}]}]})") << "parameterBlocks[1].parameters[0].data: missing";
    }
    // Each error names its place, and the workspace that was loaded stays as it was.
    void malformed()
    {
        QFETCH(QByteArray, json);
        QFETCH(QString, place);
        QVERIFY(QuenWorkspaceLoad(kSample.toUtf8().constData()));
        const QString path = text(QuenWorkspaceGetPath());
        const QList<qint64> before = snapshot();
        QCOMPARE(QuenWorkspaceLoadText(json.constData()), QUEN_FALSE);
        const QList<Raised> raised = takeErrors();
        const QString message = raised.value(0).message;
        QVERIFY2(raised.size() == 1 && raised[0].code == QUEN_ERR_PARSE && message.startsWith("QuenWorkspaceLoadText: workspace text: ") && message.contains(place), qPrintable(message));
        QVERIFY(snapshot() == before && text(QuenWorkspaceGetPath()) == path);
    }

    void fileErrorsNameTheFile()
    {
        QTemporaryDir dir;
        const QByteArray missing = (dir.path() + "/missing.json").toUtf8();
        QVERIFY(!QuenWorkspaceLoad(missing.constData()));
        const QList<Raised> fileErrors = takeErrors();
        QVERIFY(fileErrors.size() == 1 && fileErrors.first().code == QUEN_ERR_FILE && fileErrors.first().message.contains(QString::fromUtf8(missing)));
        const QString bad = dir.path() + "/workspace.json";
        QVERIFY(writeAll(bad, withSymbols(R"({"name": "A", "data": {"class": "CQuenInt32", "value": 1.5}})")));
        QVERIFY(!QuenWorkspaceLoad(bad.toUtf8().constData()));
        QCOMPARE(takeErrors().first().message, QStringLiteral("QuenWorkspaceLoad: workspace.json: tables[0].symbols[0].data.value: expected an integer from -2147483648 to 2147483647, found 1.5"));
        QVERIFY(QuenTableRegGetSize() == 0 && !*QuenWorkspaceGetPath());
    }

    // Unknown keys are written back as they were read, and the workspace keeps its definitions, until a clear.
    void unknownKeysAndDefinitions()
    {
        const QByteArray json = R"({"formatVersion": 1, "topology": {"switches": [{"name": "MUX1"}]}, "instruments": [{"modules": [1, 2]}], "tables": []})";
        QVERIFY(QuenWorkspaceLoadText(json.constData()));
        QTemporaryDir dir;
        const QString path = dir.path() + "/kept.json";
        QVERIFY(QuenWorkspaceSave(path.toUtf8().constData()));
        QVERIFY(objectOf(readAll(path)).value("topology") == objectOf(json).value("topology") && objectOf(readAll(path)).value("instruments") == objectOf(json).value("instruments"));
        const QuenHandle definition = QuenPbDefCreate();
        QVERIFY(QuenWorkspaceAddPbDef(definition) && !QuenWorkspaceAddPbDef(definition));
        EXPECT_ONE_ERROR(QUEN_ERR_INVALID_ARGUMENT, "QuenWorkspaceAddPbDef");
        QVERIFY(QuenPbDefRelease(definition) && QuenWorkspaceGetPbDef(1) == definition && !QuenWorkspaceGetPbDef(2)); // the workspace keeps it
        EXPECT_ONE_ERROR(QUEN_ERR_OUT_OF_RANGE, "QuenWorkspaceGetPbDef");
        QuenWorkspaceClear();
        QVERIFY(QuenWorkspaceSave(path.toUtf8().constData()) && !objectOf(readAll(path)).contains("topology") && QuenWorkspaceGetPbDefCount() == 0);
    }

    // Texts reach the core as UTF-8, the first character beyond ASCII (U+0080) included, also
    // when no later character is beyond ASCII.
    void textsAreUtf8()
    {
        QVERIFY(QuenWorkspaceLoadText(withSymbols(R"({"name": "S", "data": {"class": "CQuenString", "value": "\u0080\u007f"}})").constData()));
        QCOMPARE(QByteArray(QuenStringGetValue(QuenParmGetData(QuenTableRegFindParm("T", -1, "S", -1)))), QByteArray("\xc2\x80\x7f"));
    }

    void arrayMaxSizeSetting()
    {
        QVERIFY(QuenWorkspaceLoadText(withSymbols(
                R"({"name": "A", "data": {"class": "CQuenInt32Array", "bounds": [[1, 3]], "elements": [1, 2, 3]}},
                   {"name": "B", "data": {"class": "CQuenInt32Array", "bounds": [[1, 3]], "maxSize": 500, "elements": [1, 2, 3]}})",
                R"({"arrayMaxSize": 100})").constData()));
        QCOMPARE(QStringLiteral("%1 %2 %3").arg(QuenArrayGetDefaultMaxSize()).arg(QuenArrayGetMaxSize(QuenParmGetData(QuenTableRegFindParm("T", -1, "A", -1))))
                         .arg(QuenArrayGetMaxSize(QuenParmGetData(QuenTableRegFindParm("T", -1, "B", -1)))), QStringLiteral("100 100 500"));
    }


private:
    int32_t m_live = 0;
};

QTEST_GUILESS_MAIN(WorkspaceTest)
#include "workspacetest.moc"
