// The workbench's Run action over the sample workspace: the core's runtime walks call the
// string editor, which builds the DMM's command and reads the result out of its reply; a
// pattern that names no symbol stops the run at binding and is reported.
#include "formatrun.h"

#include "dataeditorregistry.h"

#include <QApplication>
#include <QTest>

using Workbench::FormatRunReport;

namespace {

QuenHandle blockNamed(const char* name)
{
    for (int32_t i = 1; i <= QuenWorkspaceGetPbDefCount(); ++i) {
        const QuenHandle block = QuenWorkspaceGetPbDef(i);
        if (QString::fromUtf8(QuenPbDefGetName(block)) == QLatin1String(name))
            return block;
    }
    return 0;
}

QString value(QuenHandle block, const char* parm)
{
    const QuenHandle data = QuenParmGetData(QuenPbDefFindParm(block, parm));
    return QString::fromUtf8(QuenDataGetType(data)) == QLatin1String("CQuenString")
               ? QString::fromUtf8(QuenStringGetValue(data))
               : QString::number(QuenReal64GetValue(data));
}

} // namespace

class FormatRunTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { QVERIFY(QuenWorkspaceLoad(VELT_SOURCE_DIR "/examples/sample-workspace.json")); }
    void cleanupTestCase()
    {
        DataEditorRegistry::unload();
        QuenWorkspaceClear();
    }

    void evaluatesAndScans()
    {
        const QuenHandle block = blockNamed("Measure DC Voltage");
        QVERIFY(block);
        QuenReal64SetValue(QuenParmGetData(QuenPbDefFindParm(block, "Range")), 100);
        const FormatRunReport report = Workbench::runFormats(block);
        QCOMPARE(report.errors, QStringList());
        QCOMPARE(value(block, "DmmCommand"), QStringLiteral("CONF:VOLT:DC 100\nSAMP:COUN 16"));
        QCOMPARE(value(block, "Result"), QStringLiteral("4.9985"));
        QCOMPARE(report.strings, (QStringList{QStringLiteral("DmmCommand = CONF:VOLT:DC 100\nSAMP:COUN 16"),
                                              QStringLiteral("DmmReply = READ 4.9985 V")}));
        QCOMPARE(report.summary(), QStringLiteral("Run: 2 bound, 1 evaluated, 1 scanned, 0 errors"));
    }

    void bindingFailureStopsTheRun()
    {
        const QuenHandle table = QuenTableRegFindTable("Limits", -1);
        const QuenHandle title = QuenParmGetData(QuenPbDefFindParm(table, "ReportTitle"));
        const QuenHandle pattern = QuenStringCreate("%{Nope}");
        QuenDataExSetProperty(title, "Format", pattern);
        QuenDataRelease(pattern);
        const FormatRunReport report = Workbench::runFormats(table);
        QCOMPARE(report.evaluated, 0);
        QVERIFY2(report.errors.join(u'\n').contains(QLatin1String("the symbol 'Nope' is not defined")),
                 qPrintable(report.errors.join(u'\n')));
        QVERIFY(!QuenExcRegIsError(0));
    }
};

QTEST_MAIN(FormatRunTest)
#include "formatruntest.moc"
