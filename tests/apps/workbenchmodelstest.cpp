// The workbench's models over the core under the model tester: value summaries, the tree, the Fields
// inspector over the sample's "OffsetLimit" (-500..500), unsaved changes, the chart plane, the Run action.
#include "columns.h"
#include "coretesting.h"
#include "fieldsdockmodel.h"
#include "formatrun.h"
#include "realarraychart.h"
#include "valuesummary.h"
#include "workspacechanges.h"
#include "workspacetreemodel.h"

#include "dataeditorregistry.h"
#include "xcstructeditfield.h"
#include "xcstructeditfields.h"

#include "quen/quencore.h"

#include <QAbstractItemModelTester>
#include <QMetaEnum>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTest>

#include <functional>

using Workbench::FieldsDockModel;
using Workbench::WorkspaceTreeModel;
using Kind = Workbench::WorkspaceTreeModel::Kind;
using Make = std::function<QuenHandle()>;
Q_DECLARE_METATYPE(Make)

namespace {

constexpr auto kTester = QAbstractItemModelTester::FailureReportingMode::QtTest;

using VeltTest::CoreBuilder;

// Tables "Bench" (public, Gain) and "Spare"; block "Measure" (a real, two references); an unnamed block.
void buildWorkspace()
{
    QuenTableRegClear();
    const QuenHandle bench = QuenTableCreate("Bench");
    CoreBuilder::parm(bench, "Gain", "CQuenReal64");
    QuenTableRegAddTable(bench, QUEN_TRUE);
    QuenTableRegAddTable(QuenTableCreate("Spare"), QUEN_FALSE);
    const QuenHandle measure = QuenPbDefCreate();
    QuenPbDefSetName(measure, "Measure");
    const QuenHandle supply = CoreBuilder::parm(measure, "Supply", "CQuenReal64");
    QuenReal64SetValue(QuenParmGetData(supply), 5);
    QuenDescSetText(QuenParmGetDesc(supply), "Main supply");
    QuenParmSetReference(CoreBuilder::parm(measure, "Ref", "CQuenInt32"), "Nominal", -1, "Station", -1);
    QuenParmSetReference(CoreBuilder::parm(measure, "Local", "CQuenInt32"), "Nominal", -1, "", -1);
    QuenWorkspaceAddPbDef(measure);
    const QuenHandle unnamed = QuenPbDefCreate();
    CoreBuilder::parm(unnamed, "Trace", "CQuenWaveform");
    QuenWorkspaceAddPbDef(unnamed);
}

using More = std::function<QStringList(const QModelIndex&)>;

// The headers, then the rows under `parent` depth first, two blanks a level: cells and `more` joined by '|'.
QStringList dump(const QAbstractItemModel& m, const More& more = {}, const QModelIndex& parent = {}, const QString& indent = {})
{
    QStringList headers;
    for (int column = 0; !parent.isValid() && column < m.columnCount(); ++column)
        headers << m.headerData(column, Qt::Horizontal).toString();
    QStringList out = parent.isValid() ? QStringList() : QStringList{headers.join(u'|')};
    for (int row = 0; row < m.rowCount(parent); ++row) {
        QStringList cells;
        for (int column = 0; column < m.columnCount(parent); ++column)
            cells << m.index(row, column, parent).data().toString();
        out << indent + (more ? cells + more(m.index(row, 0, parent)) : cells).join(u'|');
        out += dump(m, more, m.index(row, 0, parent), indent + QLatin1String("  "));
    }
    return out;
}

bool loadSample() { return QuenWorkspaceLoad(VELT_SOURCE_DIR "/examples/sample-workspace.json") != QUEN_FALSE; }
QuenHandle offsetLimit() { return QuenPbDefFindParm(QuenTableRegGetTable(1), "OffsetLimit"); }
int32_t coreValue() { return QuenInt32GetValue(QuenParmGetData(offsetLimit())); }

// The Fields row whose caption (after its indentation) is `caption`; -1 when none.
int rowOf(const FieldsDockModel& model, const QString& caption)
{
    return model.match(model.index(0, 0), Qt::DisplayRole, QRegularExpression(QLatin1String("^ *") + caption + u'$'), 1, Qt::MatchRegularExpression).value(0).row();
}

} // namespace

class WorkbenchModelsTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { QuenExcRegClearError(0); }
    void cleanup() { QuenWorkspaceClear(); }
    void cleanupTestCase() { DataEditorRegistry::unload(); }

    void valueSummary_data()
    {
        VeltTest::columns<Make, QString>({"make", "expected"});
        const auto row = [](const char* name, Make make, const char* expected) {
            QTest::newRow(name) << make << QString::fromUtf8(expected);
        };
        row("integer", [] { return QuenInt32Create(-7); }, "-7");
        row("whole real gets .0", [] { return QuenReal64Create(10); }, "10.0");
        row("large real", [] { return QuenReal64Create(1e20); }, "1e+20");
        row("text", [] { return QuenStringCreate("a b"); }, "a b");
        row("complex, negative imaginary", [] { return QuenComplexCreate(1.5, -2); }, "1.5 - 2.0 i");
        row("complex, positive imaginary", [] { return QuenComplexCreate(0, 3); }, "0.0 + 3.0 i");
        row("point", [] { return QuenPointCreate(1, -2.5); }, "(1.0, -2.5)");
        row("range", [] { return QuenRangeCreate(0, 10, 11); }, "0.0..10.0 (11 pts)");
        row("integer array", [] { return QuenI32ArrCreate(0, 9); }, "Integer Array [0..9]");
        row("real array, two dimensions", [] { const QuenHandle h = QuenR64ArrCreate(0, 0); QuenArrayRedim2(h, -5, 2, 1, 4); return h; }, "Real Array [-5..2, 1..4]");
        row("waveform", [] { return QuenWaveformCreate(100, 0, 1); }, "Waveform (100 pts, 0.0..1.0)");
        row("switch path", [] { return QuenDataCreate("CQuenSwitchPath"); }, "Switch Path");
        row("released item", [] { const QuenHandle h = QuenInt32Create(1); QuenDataRelease(h); return h; }, "(no value)");
    }

    void valueSummary()
    {
        QFETCH(Make, make);
        const QuenHandle h = make();
        QTEST(Workbench::valueSummary(h), "expected");
        // Reading never leaves an error behind, even for a released handle, and leaves a pending one alone.
        QCOMPARE(QuenExcRegGetErrorCount(), 0);
        if (QuenDataIsValid(h))
            QuenDataRelease(h);
        QuenExcRaiseUserError("pending");
        Workbench::valueSummary(0);
        QCOMPARE(QuenExcRegGetErrorCount(), 1);
    }

    // The tree: name, details, kind, the core's name for the handle, tooltip, childless flag.
    void treeAndParameterList()
    {
        buildWorkspace();
        WorkspaceTreeModel tree;
        QAbstractItemModelTester treeTester(&tree, kTester);
        const More more = [&tree](const QModelIndex& i) {
            const QuenHandle h = tree.handle(i);
            const Kind k = tree.kind(i);
            const char* core = k == Kind::Table ? QuenTableGetName(h) : k == Kind::Block ? QuenPbDefGetName(h) : h ? QuenParmGetName(h) : "";
            return QStringList{QLatin1String(QMetaEnum::fromType<Kind>().valueToKey(int(k))), QString::fromUtf8(core),
                               i.data(Qt::ToolTipRole).toString(), tree.flags(i) & Qt::ItemNeverHasChildren ? "leaf" : ""};
        };
        QCOMPARE(dump(tree, more), (QStringList{
            "Name|Details",
            "Symbol Tables|2 tables|TableGroup|||",
            "  Bench|Public|Table|Bench||",
            "    Gain|Real (64 bit)|Symbol|Gain|0.0|leaf",
            "  Spare|Non-public|Table|Spare||",
            "Parameter Blocks|2 blocks|BlockGroup|||",
            "  Measure|3 parameters|Block|Measure||",
            "    Supply|Real (64 bit)|Parameter|Supply|5.0|leaf",
            "    Ref|Integer (32 bit)|Parameter|Ref|-> Station.Nominal|leaf",
            "    Local|Integer (32 bit)|Parameter|Local|-> Nominal|leaf",
            "  (unnamed block 2)|1 parameter|Block|||",
            "    Trace|CQuenWaveform|Parameter|Trace|Waveform (0 pts, 0.0..0.0)|leaf",
            "Tests|0 tests|TestGroup|||",
        }));
        QSignalSpy reset(&tree, &QAbstractItemModel::modelReset); // views re-read after a reload
        tree.reload();
        QCOMPARE(reset.count(), 1);

        QCOMPARE(QuenExcRegGetErrorCount(), 0);
    }

    // A block's change counts as a table's does (the workbench test's unsaved-changes rows).
    void blockChangesCount()
    {
        buildWorkspace();
        Workbench::WorkspaceChanges changes;
        changes.markSaved();
        QVERIFY(!changes.isModified());
        QVERIFY(QuenDescSetText(QuenParmGetDesc(QuenPbDefGetParm(QuenWorkspaceGetPbDef(2), 1)), "x") != QUEN_FALSE);
        QVERIFY(changes.isModified());
    }

    // A row per field: caption indented 3 a level, text, "Locked"; text editable unless locked without choices.
    void fieldRows()
    {
        QVERIFY(loadSample());
        FieldsDockModel model;
        QAbstractItemModelTester tester(&model, kTester);
        model.setParameter(offsetLimit());
        const QStringList shown = dump(model, [&model](const QModelIndex& i) {
            const QModelIndex text = i.siblingAtColumn(FieldsDockModel::TextColumn);
            return QStringList{QString::number(bool(model.flags(text) & Qt::ItemIsEditable)), QString::number(bool(model.flags(i) & Qt::ItemIsEditable))};
        });
        QStringList expected{QStringLiteral("Field|Value|Locked")};
        for (int row = 0; row < model.fields()->Count(); ++row) {
            XCStructEditField* f = model.fields()->Item(row);
            expected << QString(f->Indentation() * 3, u' ') + QStringList{f->Caption(), f->Text(), f->Locked() ? "Locked" : "",
                                                                         QString::number(!f->Locked() || f->HasEnumeration()), "0"}.join(u'|');
        }
        QCOMPARE(shown, expected);
        QVERIFY(expected.size() > 2 && expected.at(1).startsWith(QLatin1String("OffsetLimit|")));
        model.setParameter(0);
        QCOMPARE(model.rowCount(), 0);
    }

    void fieldEdit_data()
    {
        VeltTest::columns<QString, bool>({"text", "takes"});
        QTest::newRow("value inside the restriction") << "42" << true;
        QTest::newRow("value above the high limit") << "9999" << false;
    }

    void fieldEdit()
    {
        QFETCH(QString, text);
        QFETCH(bool, takes);
        QVERIFY(loadSample());
        FieldsDockModel model;
        QAbstractItemModelTester tester(&model, kTester);
        model.setParameter(offsetLimit());
        const int before = coreValue();
        const int row = rowOf(model, QStringLiteral("Value"));
        QVERIFY(row > 0);
        QSignalSpy changed(&model, &FieldsDockModel::dataChanged);
        QSignalSpy reset(&model, &FieldsDockModel::modelReset);

        QVERIFY(model.setData(model.index(row, FieldsDockModel::TextColumn), text));
        // The row, or every row when the type editor re-declared its fields, is read again.
        QVERIFY(changed.count() + reset.count() > 0);
        const int now = rowOf(model, QStringLiteral("Value"));
        QCOMPARE(coreValue(), takes ? text.toInt() : before);
        QVERIFY(!takes || model.index(now, 1).data().toString().startsWith(text));
        // A refusal is shown on the row: the error picture with the message as tooltip.
        const QString message = model.fields()->Item(now)->ErrorMessage();
        QCOMPARE(model.index(now, 0).data(Qt::ToolTipRole).toString(), message);
        QCOMPARE(message.isEmpty(), takes);
        QVERIFY(takes || model.fields()->Item(now)->BitmapName() == QLatin1String("Error"));
    }
    // The chart's plane over a real array item: bounds, lowest plane, units, stored orientation.
    void realArrayChartPlane_data()
    {
        VeltTest::columns<int, QString, bool, double>({"dimensions", "units", "byRow", "corner"});
        QTest::newRow("one dimension: one column") << 1 << "" << false << 300.0;
        QTest::newRow("two dimensions, units, by row") << 2 << " dB " << true << 340.0;
        QTest::newRow("three dimensions: the lowest plane") << 3 << "" << false << 342.0;
    }
    void realArrayChartPlane()
    {
        QFETCH(int, dimensions);
        QFETCH(QString, units);
        QFETCH(bool, byRow);
        const QuenHandle data = QuenR64ArrCreate(1, 3);
        if (dimensions == 2)
            QuenArrayRedim2(data, 1, 3, 2, 4);
        if (dimensions == 3)
            QuenArrayRedim3(data, 1, 3, 2, 4, 2, 5);
        // The corner, the last row and column; only the setter of the array's dimensions succeeds.
        QuenR64ArrSetAt1(data, 3, 300);
        QuenR64ArrSetAt2(data, 3, 4, 340);
        QuenR64ArrSetAt3(data, 3, 4, 2, 342);
        QuenExcRegClearError(0);
        if (!units.isEmpty())
            CoreBuilder::setString(data, "Units", qPrintable(units));
        if (byRow)
            CoreBuilder::setString(data, "Graphical View As", "By row");
        const Velt::ChartPlane plane = Workbench::RealArrayChart::plane(data);
        QCOMPARE(QList<int>({plane.rowLower, plane.rowUpper, plane.columnLower, plane.columnUpper}),
                 QList<int>({1, 3, dimensions > 1 ? 2 : 0, dimensions > 1 ? 4 : 0}));
        QCOMPARE(plane.units, units.trimmed());
        QTEST(plane.value(plane.rowUpper, plane.columnUpper), "corner");
        QCOMPARE(Workbench::RealArrayChart::byRow(data), byRow);
        QuenDataRelease(data);
        QCOMPARE(QuenExcRegGetErrorCount(), 0);
    }

    // The Run action builds the DMM's command and reads its reply; an unknown symbol stops it at binding.
    void formatRun()
    {
        QVERIFY(loadSample());
        const QuenHandle block = QuenWorkspaceGetPbDef(1);
        QuenReal64SetValue(QuenParmGetData(QuenPbDefFindParm(block, "Range")), 100);
        const Workbench::FormatRunReport report = Workbench::runFormats(block);
        QCOMPARE(report.errors, QStringList());
        QCOMPARE(QuenReal64GetValue(QuenParmGetData(QuenPbDefFindParm(block, "Result"))), 4.9985);
        QCOMPARE(report.strings, (QStringList{QStringLiteral("DmmCommand = CONF:VOLT:DC 100\nSAMP:COUN 16"), QStringLiteral("DmmReply = READ 4.9985 V")}));
        QCOMPARE(report.summary(), QStringLiteral("Run: 2 bound, 1 evaluated, 1 scanned, 0 errors"));

        const QuenHandle table = QuenTableRegFindTable("Limits", -1);
        const QuenHandle pattern = QuenStringCreate("%{Nope}");
        QuenDataExSetProperty(QuenParmGetData(QuenPbDefFindParm(table, "ReportTitle")), "Format", pattern);
        QuenDataRelease(pattern);
        const Workbench::FormatRunReport failed = Workbench::runFormats(table);
        QCOMPARE(failed.evaluated, 0);
        QVERIFY2(failed.errors.join(u'\n').contains(QLatin1String("the symbol 'Nope' is not defined")), qPrintable(failed.errors.join(u'\n')));
        QVERIFY(!QuenExcRegIsError(0));
    }
};

QTEST_MAIN(WorkbenchModelsTest)
#include "workbenchmodelstest.moc"
