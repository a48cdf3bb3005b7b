// The workbench's models over the core: the value summaries, the workspace tree and the
// parameter list, each checked against the core and under QAbstractItemModelTester; and the
// tracking of unsaved changes.
#include "parameterlistmodel.h"
#include "valuesummary.h"
#include "workspacechanges.h"
#include "workspacetreemodel.h"

#include "quen/quencore.h"

#include <QAbstractItemModelTester>
#include <QTest>

#include <functional>

using Workbench::ParameterListModel;
using Workbench::WorkspaceTreeModel;
using Kind = Workbench::WorkspaceTreeModel::Kind;

namespace {

QString sample()
{
    return QStringLiteral(VELT_SOURCE_DIR "/examples/sample-workspace.json");
}

using Make = std::function<QuenHandle()>;

QString coreText(const char* text)
{
    return QString::fromUtf8(text);
}

} // namespace

Q_DECLARE_METATYPE(Make)

class WorkbenchModelsTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:

    void init()
    {
        QuenWorkspaceClear();
        QuenExcRegClearError(0);
    }

    void cleanup()
    {
        QuenWorkspaceClear();
        QuenExcRegClearError(0);
    }

    void valueSummary_data()
    {
        QTest::addColumn<Make>("make");
        QTest::addColumn<QString>("expected");
        const auto row = [](const char* name, Make make, const char* expected) {
            QTest::newRow(name) << make << QString::fromUtf8(expected);
        };
        row("integer", [] { return QuenInt32Create(-7); }, "-7");
        row("whole real gets .0", [] { return QuenReal64Create(10); }, "10.0");
        row("small negative real", [] { return QuenReal64Create(-0.001); }, "-0.001");
        row("large real", [] { return QuenReal64Create(1e20); }, "1e+20");
        row("text", [] { return QuenStringCreate("a b"); }, "a b");
        row("complex, negative imaginary", [] { return QuenComplexCreate(1.5, -2); }, "1.5 - 2.0 i");
        row("complex, positive imaginary", [] { return QuenComplexCreate(0, 3); }, "0.0 + 3.0 i");
        row("point", [] { return QuenPointCreate(1, -2.5); }, "(1.0, -2.5)");
        row("range", [] { return QuenRangeCreate(0, 10, 11); }, "0.0..10.0 (11 pts)");
        row("integer array", [] { return QuenI32ArrCreate(0, 9); }, "Integer Array [0..9]");
        row("real array, negative bounds", [] { return QuenR64ArrCreate(-5, 5); }, "Real Array [-5..5]");
        row("two dimensions", [] {
            const QuenHandle h = QuenR64ArrCreate(0, 0);
            QuenArrayRedim2(h, 0, 2, 1, 4);
            return h;
        }, "Real Array [0..2, 1..4]");
        row("string array", [] { return QuenStrArrCreate(1, 3); }, "String Array [1..3]");
        row("point array", [] { return QuenPtArrCreate(0, 0); }, "Point Array [0..0]");
        row("range array", [] { return QuenRngArrCreate(0, 4); }, "Range Array [0..4]");
        row("waveform", [] { return QuenWaveformCreate(100, 0, 1); }, "Waveform (100 pts, 0.0..1.0)");
        row("switch path", [] { return QuenDataCreate("CQuenSwitchPath"); }, "Switch Path");
        row("object lifetime", [] { return QuenDataCreate("CQuenObjectLifetime"); }, "Object Lifetime");
        row("no item", [] { return QuenHandle(0); }, "(no value)");
        row("released item", [] {
            const QuenHandle h = QuenInt32Create(1);
            QuenDataRelease(h);
            return h;
        }, "(no value)");
    }

    void valueSummary()
    {
        QFETCH(Make, make);
        QFETCH(QString, expected);
        const QuenHandle h = make();
        QCOMPARE(Workbench::valueSummary(h), expected);
        // Reading never leaves an error behind, even for a released handle.
        QCOMPARE(QuenExcRegGetErrorCount(), 0);
        if (QuenDataIsValid(h))
            QuenDataRelease(h);
    }

    void parameterSummaries()
    {
        const QuenHandle parm = QuenParmCreate("Supply", "CQuenReal64");
        QVERIFY(parm);
        QVERIFY(QuenParmSetData(parm, QuenReal64Create(5)) != QUEN_FALSE);
        QCOMPARE(Workbench::parameterValueSummary(parm), QStringLiteral("5.0"));
        QCOMPARE(Workbench::parameterDescription(parm), QString());
        QVERIFY(QuenDescSetText(QuenParmGetDesc(parm), "Main supply") != QUEN_FALSE);
        QCOMPARE(Workbench::parameterDescription(parm), QStringLiteral("Main supply"));

        QVERIFY(QuenParmSetReference(parm, "Nominal", -1, "Station", -1) != QUEN_FALSE);
        QCOMPARE(Workbench::parameterValueSummary(parm), QStringLiteral("-> Station.Nominal"));
        QVERIFY(QuenParmSetReference(parm, "Nominal", -1, "", -1) != QUEN_FALSE);
        QCOMPARE(Workbench::parameterValueSummary(parm), QStringLiteral("-> Nominal"));
        QCOMPARE(QuenExcRegGetErrorCount(), 0);

        // An error already pending is the caller's: reads leave it alone.
        QuenExcRaiseUserError("pending");
        QCOMPARE(Workbench::valueSummary(0), QStringLiteral("(no value)"));
        QCOMPARE(QuenExcRegGetErrorCount(), 1);
        QuenParmRelease(parm);
    }

    void treeFollowsTheCore()
    {
        WorkspaceTreeModel model;
        QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);

        QVERIFY2(QuenWorkspaceLoad(sample().toUtf8().constData()) != QUEN_FALSE,
                 qPrintable(sample()));
        model.reload();

        QCOMPARE(model.rowCount(), 2);
        const QModelIndex tables = model.index(0, 0);
        const QModelIndex blocks = model.index(1, 0);
        QCOMPARE(model.kind(tables), Kind::TableGroup);
        QCOMPARE(model.kind(blocks), Kind::BlockGroup);
        QCOMPARE(model.rowCount(tables), int(QuenTableRegGetSize()));
        QCOMPARE(model.rowCount(blocks), int(QuenWorkspaceGetPbDefCount()));
        QVERIFY(model.rowCount(tables) > 0);
        QVERIFY(model.rowCount(blocks) > 0);
        QCOMPARE(model.index(0, WorkspaceTreeModel::DetailsColumn, {}).data().toString(),
                 QStringLiteral("%1 tables").arg(model.rowCount(tables)));

        for (int t = 0; t < model.rowCount(tables); ++t) {
            const QModelIndex table = model.index(t, 0, tables);
            const QuenHandle h = QuenTableRegGetTable(t + 1);
            QCOMPARE(table.data().toString(), coreText(QuenTableGetName(h)));
            const bool isPublic = QuenTableRegIsPublic(t + 1) != QUEN_FALSE;
            QCOMPARE(table.data(WorkspaceTreeModel::IsPublicRole).toBool(), isPublic);
            QCOMPARE(model.index(t, WorkspaceTreeModel::DetailsColumn, tables).data().toString(),
                     isPublic ? QStringLiteral("Public") : QStringLiteral("Non-public"));
            QCOMPARE(model.rowCount(table), int(QuenPbDefGetSize(h)));
            for (int s = 0; s < model.rowCount(table); ++s) {
                const QModelIndex symbol = model.index(s, 0, table);
                const QuenHandle parm = QuenPbDefGetParm(h, s + 1);
                QCOMPARE(symbol.parent(), table);
                QCOMPARE(symbol.data().toString(), coreText(QuenParmGetName(parm)));
                QCOMPARE(symbol.data(WorkspaceTreeModel::ClassNameRole).toString(),
                         coreText(QuenParmGetType(parm)));
                QCOMPARE(model.index(s, WorkspaceTreeModel::DetailsColumn, table).data().toString(),
                         Workbench::typeDisplayName(coreText(QuenParmGetType(parm))));
            }
        }
        for (int b = 0; b < model.rowCount(blocks); ++b) {
            const QModelIndex block = model.index(b, 0, blocks);
            const QuenHandle h = QuenWorkspaceGetPbDef(b + 1);
            QCOMPARE(block.data().toString(), coreText(QuenPbDefGetName(h)));
            QCOMPARE(model.rowCount(block), int(QuenPbDefGetSize(h)));
        }
        QCOMPARE(QuenExcRegGetErrorCount(), 0);

        QuenWorkspaceClear();
        model.reload();
        QCOMPARE(model.rowCount(model.index(0, 0)), int(QuenTableRegGetSize()));
        QCOMPARE(model.rowCount(model.index(1, 0)), 0);
    }

    void treeOfEmptyWorkspace()
    {
        QuenTableRegClear();
        WorkspaceTreeModel model;
        QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
        QCOMPARE(model.rowCount(), 2);
        QVERIFY(!model.hasChildren(model.index(0, 0)));
        QVERIFY(!model.hasChildren(model.index(1, 0)));
        QVERIFY(!model.index(0, 0, model.index(0, 0)).isValid());
        QVERIFY(!model.index(2, 0).isValid());
        QVERIFY(!model.index(0, WorkspaceTreeModel::ColumnCount).isValid());
        QCOMPARE(model.data(model.index(0, 0)).toString(), QStringLiteral("Symbol Tables"));
        QCOMPARE(model.data(model.index(1, 0)).toString(), QStringLiteral("Parameter Blocks"));
    }

    // Tables and blocks built through the API: kinds, handles and containers of every row, and
    // rows added after a reload.
    void treeKindsAndHandles()
    {
        QuenTableRegClear();
        const QuenHandle table = QuenTableCreate("Bench");
        const QuenHandle symbol = QuenParmCreate("Gain", "CQuenReal64");
        QVERIFY(QuenPbDefAddParm(table, symbol) != QUEN_FALSE);
        QVERIFY(QuenTableRegAddTable(table, QUEN_FALSE) != QUEN_FALSE);
        const QuenHandle block = QuenPbDefCreate();
        QVERIFY(QuenPbDefSetName(block, "Measure") != QUEN_FALSE);
        const QuenHandle first = QuenParmCreate("Channel", "CQuenInt32");
        const QuenHandle second = QuenParmCreate("Label", "CQuenString");
        QVERIFY(QuenPbDefAddParm(block, first) != QUEN_FALSE);
        QVERIFY(QuenPbDefAddParm(block, second) != QUEN_FALSE);
        QVERIFY(QuenWorkspaceAddPbDef(block) != QUEN_FALSE);

        WorkspaceTreeModel model;
        QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
        const QModelIndex tableRow = model.index(0, 0, model.index(0, 0));
        const QModelIndex blockRow = model.index(0, 0, model.index(1, 0));
        QCOMPARE(model.kind(tableRow), Kind::Table);
        QCOMPARE(model.kind(blockRow), Kind::Block);
        QCOMPARE(model.handle(tableRow), table);
        QCOMPARE(model.handle(blockRow), block);
        QCOMPARE(model.index(0, WorkspaceTreeModel::DetailsColumn, model.index(0, 0)).data().toString(),
                 QStringLiteral("Non-public"));
        QCOMPARE(model.index(0, WorkspaceTreeModel::DetailsColumn, model.index(1, 0)).data().toString(),
                 QStringLiteral("2 parameters"));

        const QModelIndex symbolRow = model.index(0, 0, tableRow);
        QCOMPARE(model.kind(symbolRow), Kind::Symbol);
        QCOMPARE(model.handle(symbolRow), symbol);
        QCOMPARE(model.containerHandle(symbolRow), table);
        QCOMPARE(model.flags(symbolRow) & Qt::ItemNeverHasChildren, Qt::ItemNeverHasChildren);

        const QModelIndex secondRow = model.index(1, 0, blockRow);
        QCOMPARE(model.kind(secondRow), Kind::Parameter);
        QCOMPARE(model.handle(secondRow), second);
        QCOMPARE(model.containerHandle(secondRow), block);
        QCOMPARE(secondRow.data(WorkspaceTreeModel::HandleRole).toInt(), second);
        QCOMPARE(model.parent(secondRow), blockRow);

        QVERIFY(QuenPbDefAddParm(block, QuenParmCreate("Extra", "CQuenPoint")) != QUEN_FALSE);
        model.reload();
        QCOMPARE(model.rowCount(model.index(0, 0, model.index(1, 0))), 3);
        QCOMPARE(model.index(2, 0, model.index(0, 0, model.index(1, 0))).data().toString(),
                 QStringLiteral("Extra"));
        QuenTableRegClear();
    }

    void parameterList()
    {
        QVERIFY(QuenWorkspaceLoad(sample().toUtf8().constData()) != QUEN_FALSE);
        ParameterListModel model;
        QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
        QCOMPARE(model.rowCount(), 0);

        for (int32_t t = 1; t <= QuenTableRegGetSize(); ++t) {
            const QuenHandle table = QuenTableRegGetTable(t);
            model.setBlock(table);
            QCOMPARE(model.block(), table);
            QCOMPARE(model.rowCount(), int(QuenPbDefGetSize(table)));
            for (int row = 0; row < model.rowCount(); ++row) {
                const QuenHandle parm = QuenPbDefGetParm(table, row + 1);
                QCOMPARE(model.parameter(row), parm);
                QCOMPARE(model.index(row, ParameterListModel::NameColumn).data().toString(),
                         coreText(QuenParmGetName(parm)));
                QCOMPARE(model.index(row, ParameterListModel::TypeColumn).data().toString(),
                         Workbench::typeDisplayName(coreText(QuenParmGetType(parm))));
                const QString value = model.index(row, ParameterListModel::ValueColumn).data().toString();
                QCOMPARE(value, Workbench::parameterValueSummary(parm));
                QCOMPARE(value.startsWith(QLatin1String("-> ")), QuenParmIsReference(parm) != QUEN_FALSE);
                QCOMPARE(model.index(row, ParameterListModel::DescriptionColumn).data().toString(),
                         Workbench::parameterDescription(parm));
            }
        }
        QCOMPARE(model.headerData(ParameterListModel::ValueColumn, Qt::Horizontal).toString(),
                 QStringLiteral("Value"));
        QCOMPARE(model.parameter(-1), 0);
        QCOMPARE(model.parameter(model.rowCount()), 0);
        model.setBlock(0);
        QCOMPARE(model.rowCount(), 0);
        QCOMPARE(QuenExcRegGetErrorCount(), 0);
    }

    void workspaceChanges_data()
    {
        QTest::addColumn<QString>("change");
        QTest::addColumn<bool>("modified");
        QTest::newRow("nothing") << "" << false;
        QTest::newRow("every value read") << "read" << false;
        QTest::newRow("symbol value") << "value" << true;
        QTest::newRow("block parameter description") << "description" << true;
        QTest::newRow("changed, then saved") << "saved" << false;
    }

    void workspaceChanges()
    {
        QFETCH(QString, change);
        QVERIFY(QuenWorkspaceLoad(sample().toUtf8().constData()) != QUEN_FALSE);
        Workbench::WorkspaceChanges changes;
        changes.markSaved();
        const QuenHandle table = QuenTableRegGetTable(1);
        const QuenHandle block = QuenWorkspaceGetPbDef(1);
        if (change == QLatin1String("read")) {
            for (const QuenHandle container : {table, block}) {
                for (int32_t i = 1; i <= QuenPbDefGetSize(container); ++i)
                    QVERIFY(!Workbench::parameterValueSummary(QuenPbDefGetParm(container, i)).isEmpty());
            }
        } else if (change == QLatin1String("value") || change == QLatin1String("saved")) {
            const QuenHandle data = QuenParmGetData(QuenPbDefFindParm(table, "OffsetLimit"));
            QVERIFY(QuenInt32SetValue(data, QuenInt32GetValue(data) + 1) != QUEN_FALSE);
            if (change == QLatin1String("saved"))
                changes.markSaved();
        } else if (change == QLatin1String("description")) {
            QVERIFY(QuenDescSetText(QuenParmGetDesc(QuenPbDefGetParm(block, 1)), "changed") != QUEN_FALSE);
        }
        QTEST(changes.isModified(), "modified");
    }
};

QTEST_MAIN(WorkbenchModelsTest)
#include "workbenchmodelstest.moc"
