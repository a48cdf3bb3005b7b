// The parameter block editor's rules without a widget: modes, new names, enablement, moves,
// action-call rows and reset to default, and the undo log.
#include "columns.h"
#include "coretesting.h"
#include "fixture.h"
#include "parmblocksession.h"
#include "parmundolog.h"

#include <QTest>

using namespace Velt;
using VeltTest::CoreBuilder;
using VeltTest::parameterNames;
using Mode = ParmBlockSession::Mode;

namespace {

Mode designMode()
{
    Mode mode;
    mode.design = mode.block = true;
    mode.readOnly = mode.browseOnly = false;
    return mode;
}

QuenHandle blockOf(CoreBuilder& core, const QStringList& parms)
{
    const QuenHandle block = core.block();
    for (const QString& name : parms)
        CoreBuilder::intParm(block, name.toUtf8().constData(), 1, ("about " + name).toUtf8().constData());
    return block;
}

} // namespace

class ParmBlockSessionTest : public QObject
{
    Q_OBJECT
    VeltTest::Fixture fixture;

private Q_SLOTS:
    void init() { fixture.begin(); }
    void cleanup() { fixture.end(); }

    void modes_data()
    {
        // flags: d design, b block, t symbol table, a action call; expected: DesignTime OutputDefinition noun
        VeltTest::columns<QString, QString>({"flags", "expected"});
        QTest::newRow("symbol table, design") << "dt" << "1 0 Symbol";
        QTest::newRow("symbol table, run") << "t" << "0 0 Symbol";
        QTest::newRow("parameter block") << "b" << "1 1 Parameter";
        QTest::newRow("action call") << "ba" << "0 0 Parameter";
        QTest::newRow("action call, table flag") << "bta" << "0 0 Parameter";
    }

    void modes()
    {
        QFETCH(QString, flags);
        CoreBuilder core;
        Mode mode;
        mode.design = flags.contains('d');
        mode.block = flags.contains('b');
        mode.symbolTable = flags.contains('t');
        ParmBlockSession session;
        session.load(core.block(), flags.contains('a') ? core.block() : 0, mode);
        QTEST(QString(QStringLiteral("%1 %2 ").arg(session.designTime()).arg(session.outputDefinition()) + session.noun()), "expected");
        session.load(0, 0, mode);
    }

    void newNamesAndLastDataClass()
    {
        CoreBuilder core;
        const QuenHandle block = core.block();
        ParmBlockSession session;
        session.load(block, 0, designMode());
        QCOMPARE(session.insertNew(0, QString()).name, QStringLiteral("New"));
        QCOMPARE(QString::fromUtf8(QuenParmGetType(QuenPbDefGetParm(block, 1))), QStringLiteral("CQuenReal64"));
        for (int i = 0; i < 3; ++i)
            session.insertNew(session.rowCount(), QStringLiteral("CQuenInt32"));
        session.insertNew(session.rowCount(), QString());
        QCOMPARE(parameterNames(block), QStringList({ "New", "New2", "New3", "New4", "New5" }));
        QCOMPARE(QString::fromUtf8(QuenParmGetType(QuenPbDefGetParm(block, 5))), QStringLiteral("CQuenInt32"));
        // A class the core cannot make changes nothing, not even the remembered class.
        QCOMPARE(session.insertNew(0, QStringLiteral("CNoSuchClass")).row, -1);
        QCOMPARE(session.rowCount(), 5);
        QCOMPARE(session.lastDataClass(), QStringLiteral("CQuenInt32"));
        QVERIFY(!QuenExcRegIsError(0));
        session.load(0, 0, {});
    }

    void enablement_data()
    {
        VeltTest::columns<QString, int, bool, QString>({"mode", "index", "editing", "expected"}); // insert delete dialog up down reset reference
        QTest::newRow("nothing loaded") << "none" << 1 << false << "0000000";
        QTest::newRow("definition, first") << "design" << 1 << false << "1110101";
        QTest::newRow("definition, last") << "design" << 3 << false << "1111001";
        QTest::newRow("definition, append position") << "design" << 4 << false << "1000000";
        QTest::newRow("definition, past append") << "design" << 5 << false << "0000000";
        QTest::newRow("definition, -1") << "design" << -1 << false << "1000000";
        QTest::newRow("definition, lowest int") << "design" << int(INT32_MIN) << false << "0000000";
        QTest::newRow("current row") << "design" << 0 << false << "1111101";
        QTest::newRow("current row while editing") << "design" << 0 << true << "0000000";
        QTest::newRow("explicit row while editing") << "design" << 2 << true << "1111101";
        QTest::newRow("read-only") << "readonly" << 2 << false << "0000000";
        QTest::newRow("limited design: no delete") << "limited" << 2 << false << "1011101";
        QTest::newRow("max parameters reached") << "max3" << 2 << false << "0111101";
        QTest::newRow("parameter block: not development-editable") << "block-locked" << 2 << false << "0010001";
        QTest::newRow("parameter block: editable neighbours") << "block" << 2 << false << "0111101";
        QTest::newRow("reference not editable") << "noreference" << 2 << false << "1111100";
    }

    void enablement()
    {
        QFETCH(QString, mode);
        QFETCH(int, index);
        QFETCH(bool, editing);
        CoreBuilder core;
        const QuenHandle block = blockOf(core, { "A", "B", "C" });
        Mode m = designMode();
        m.readOnly = mode == "readonly";
        m.limitedDesign = mode == "limited";
        m.maxParameters = mode == "max3" ? 3 : 0;
        m.design = !mode.startsWith("block");
        for (int32_t i = 1; i <= 3 && mode == "block-locked"; ++i)
            QuenParmSetDevelopmentEditable(QuenPbDefGetParm(block, i), QUEN_FALSE);
        if (mode == "noreference")
            QuenParmSetReferenceEditable(QuenPbDefGetParm(block, 2), QUEN_FALSE);
        ParmBlockSession session;
        session.load(mode == "none" ? 0 : block, 0, m);
        QString got;
        for (bool on : { session.insertNewEnabled(index, 1, editing), session.deleteEnabled(index, 1, editing),
                         session.dialogEditEnabled(index, 1, editing), session.moveUpEnabled(index, 1, editing),
                         session.moveDownEnabled(index, 1, editing), session.resetToDefaultEnabled(index, 1, editing),
                         session.referenceSymbolEnabled(index, 1, editing) })
            got += on ? '1' : '0';
        QTEST(got, "expected");
        session.load(0, 0, {});
    }

    void moves_data()
    {
        VeltTest::columns<int, int, QString>({"from", "to", "expected"});
        QTest::newRow("first after the last (append)") << 0 << 3 << "B C A";
        QTest::newRow("last to the top") << 2 << 0 << "C A B";
        QTest::newRow("first before the last") << 0 << 2 << "B A C";
        QTest::newRow("onto itself") << 1 << 1 << "A B C";
        QTest::newRow("before its successor") << 1 << 2 << "A B C";
    }

    void moves()
    {
        QFETCH(int, from);
        QFETCH(int, to);
        QFETCH(QString, expected);
        CoreBuilder core;
        const QuenHandle block = blockOf(core, { "A", "B", "C" });
        ParmBlockSession session;
        session.load(block, 0, designMode());
        QVERIFY(session.move(from, to).row >= 0);
        QCOMPARE(parameterNames(block).join(' '), expected);
        QStringList rows;
        for (int i = 0; i < session.rowCount(); ++i)
            rows << session.name(i);
        QCOMPARE(rows.join(' '), expected);
        QVERIFY(session.undoLog().isEmpty());
        session.load(0, 0, {});
    }

    void actionCallRowsAndReset()
    {
        CoreBuilder core;
        const QuenHandle defaults = blockOf(core, { "In", "Out", "Hidden" });
        QuenParmSetOutput(QuenPbDefGetParm(defaults, 2));
        QuenParmSetHidden(QuenPbDefGetParm(defaults, 3), QUEN_TRUE);
        const QuenHandle actual = core.block();
        CoreBuilder::intParm(actual, "Out", 7);
        CoreBuilder::intParm(actual, "In", 5);
        Mode mode = designMode();
        mode.design = false;
        ParmBlockSession session;
        session.load(actual, defaults, mode);
        QCOMPARE(session.rowCount(), 2); // the hidden one has no row; rows follow the defaults
        QCOMPARE(session.name(0), QStringLiteral("In"));
        QCOMPARE(session.row(0).actual, QuenPbDefFindParm(actual, "In"));
        QCOMPARE(session.description(0), QStringLiteral("about In"));
        QVERIFY(session.resetToDefaultEnabled(1, 0, false));
        QVERIFY(!session.moveDownEnabled(1, 0, false));

        // An input parameter leaves the actual block; an output one (always there) becomes a copy of its default.
        QCOMPARE(session.resetToDefault(0).name, QStringLiteral("In"));
        QCOMPARE(parameterNames(actual), QStringList({ "Out" }));
        QCOMPARE(session.row(0).parm, session.row(0).deflt);
        QVERIFY(!session.resetToDefaultEnabled(1, 0, false));
        session.resetToDefault(1);
        QCOMPARE(parameterNames(actual), QStringList({ "Out" }));
        QCOMPARE(QuenInt32GetValue(QuenParmGetData(QuenPbDefGetParm(actual, 1))), 1);
        QVERIFY(session.undoLog().slot(2).startsWith("Replace | "));
        QVERIFY(session.undoLog().slot(2).endsWith(" | Out"));

        // Giving a defaulted row a value of its own copies the default with its description.
        QVERIFY(session.ensureActual(0));
        QCOMPARE(parameterNames(actual), QStringList({ "Out", "In" }));
        QCOMPARE(session.comment(0), QStringLiteral("about In"));
        session.load(0, 0, {});
    }

    void undoRecordsAndActions()
    {
        CoreBuilder core;
        const QuenHandle block = blockOf(core, { "A", "B" });
        const QuenHandle b = QuenPbDefGetParm(block, 2);
        QuenInt32SetValue(QuenParmGetData(b), 42);
        ParmBlockSession session;
        session.load(block, 0, designMode());
        ParmUndoLog& log = session.undoLog();

        // Insert, rename, then undo twice: the name comes back, then the parameter goes.
        session.insertNew(0, "CQuenInt32");
        QString old;
        session.rename(0, "Fresh", &old);
        QCOMPARE(old, QStringLiteral("New"));
        QCOMPARE(log.slot(1) + " / " + log.slot(2), QStringLiteral("Remove  | New / Rename  | 1 | New"));
        ParmBlockSession::UndoResult undone = session.undo();
        QCOMPARE(int(undone.kind), int(ParmBlockSession::UndoKind::Renamed));
        QCOMPARE(undone.oldName + " -> " + undone.change.name, QStringLiteral("Fresh -> New"));
        QCOMPARE(int(session.undo().kind), int(ParmBlockSession::UndoKind::Removed));
        QCOMPARE(parameterNames(block), QStringList({ "A", "B" }));

        // Delete, then undo: the same core object comes back at its place with its value.
        session.remove(1);
        QCOMPARE(log.slot(1), QStringLiteral("Insert  | %1 | 2").arg(b));
        QCOMPARE(int(session.undo().kind), int(ParmBlockSession::UndoKind::Inserted));
        QCOMPARE(QuenPbDefGetParm(block, 2), b);
        QCOMPARE(QuenInt32GetValue(QuenParmGetData(b)), 42);
        QCOMPARE(session.name(1), QStringLiteral("B"));

        // Description and moves undo through their records.
        session.describe(0, "changed");
        session.moveDown(0);
        QCOMPARE(log.slot(1) + " / " + log.slot(2), QStringLiteral("Desc    | 1 | about A / Move Up | A"));
        session.undo();
        session.undo();
        QCOMPARE(parameterNames(block), QStringList({ "A", "B" }));
        QCOMPARE(session.comment(0), QStringLiteral("about A"));

        // Replacing back a parameter whose name has left the block appends it.
        session.referenceSymbol(0, "Vcc", "Bench");
        QuenPbDefReleaseParm(block, "A");
        QCOMPARE(int(session.undo().kind), int(ParmBlockSession::UndoKind::Changed));
        QCOMPARE(parameterNames(block), QStringList({ "B", "A" }));
        QVERIFY(!QuenParmIsReference(QuenPbDefFindParm(block, "A")));
        session.move(1, 0);

        // A record whose parameter is gone fails and is dropped; older records stay.
        session.moveUp(1);
        session.insertNew(2, QString());
        QuenPbDefReleaseParm(block, "New");
        QCOMPARE(int(session.undo().kind), int(ParmBlockSession::UndoKind::Failed));
        QCOMPARE(log.size(), 1);
        session.load(0, 0, {});
    }

    void undoLogDropsOldestAndReleases()
    {
        CoreBuilder core;
        const QuenHandle block = blockOf(core, { "P" });
        ParmBlockSession session;
        session.load(block, 0, designMode());
        for (int i = 1; i <= 51; ++i)
            session.rename(0, QStringLiteral("P%1").arg(i), nullptr);
        QCOMPARE(session.undoLog().size(), ParmUndoLog::Slots);
        QCOMPARE(session.undoLog().slot(1), QStringLiteral("Rename  | 1 | P1"));
        while (!session.undoLog().isEmpty())
            session.undo();
        QCOMPARE(session.name(0), QStringLiteral("P1"));
        // Held parameters are released when records are cleared (the fixture counts the objects).
        session.remove(0);
        session.insertNew(0, QString());
        session.remove(0);
        QCOMPARE(session.undoLog().size(), 3);
        session.load(block, 0, designMode());
        QVERIFY(session.undoLog().isEmpty());
        session.load(0, 0, {});
    }

    void ageCheck()
    {
        CoreBuilder core;
        const QuenHandle block = blockOf(core, { "A" });
        ParmBlockSession session;
        session.load(block, 0, designMode());
        QVERIFY(!session.ageChanged());
        CoreBuilder::intParm(block, "Added", 3);
        QVERIFY(session.ageChanged());
        session.reload();
        session.storeAge();
        QVERIFY(!session.ageChanged());
        QCOMPARE(session.rowCount(), 2);
        session.load(0, 0, {});
    }
};

QTEST_MAIN(ParmBlockSessionTest)
#include "parmblocksessiontest.moc"
