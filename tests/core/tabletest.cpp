// Symbol tables: the registry (order, public flags, references held), finds, and table files.
#include "corefiles.h"
#include "coretesting.h"

#include <QObject>
#include <QTemporaryDir>

using namespace VeltTest;

namespace {

QuenHandle tableOf(const char* name, std::initializer_list<const char*> symbols)
{
    const QuenHandle table = QuenTableCreate(name);
    for (const char* symbol : symbols)
        QuenPbDefAddParm(table, QuenParmCreate(symbol, "CQuenInt32"));
    return table;
}

} // namespace

class TableTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        QuenWorkspaceClear();
        QuenExcRegClearError(0);
        m_live = QuenCoreGetLiveObjectCount();
    }
    void cleanup()
    {
        QuenTableRegClear();
        QVERIFY(QuenCoreGetLiveObjectCount() == m_live && !QuenExcRegIsError(0));
    }

    // The registry keeps its tables in order with their public flags, holds a reference of
    // each, and refuses a table twice or a second table of the same name in any case.
    void registry()
    {
        const QuenHandle a = tableOf("Station", { "Vdd" }), b = tableOf("B", {}), c = tableOf("C", {});
        const QuenHandle twin = tableOf("STATION", {});
        QCOMPARE(text(QuenTableGetName(a)), QStringLiteral("Station"));
        QVERIFY(QuenTableRegAddTable(a, QUEN_TRUE));
        QVERIFY(QuenTableRegAddTable(b, QUEN_FALSE));
        QVERIFY(QuenTableRegAddTable(c, 1)); // any non-zero value is true
        for (const QuenHandle refused : { a, twin }) {
            QVERIFY(!QuenTableRegAddTable(refused, QUEN_TRUE));
            EXPECT_ONE_ERROR(QUEN_ERR_INVALID_ARGUMENT, "QuenTableRegAddTable");
        }
        for (const QuenHandle t : { a, b, c, twin })
            QVERIFY(QuenPbDefRelease(t)); // the registry's references keep them
        QCOMPARE(QuenTableRegGetSize(), 3);
        QCOMPARE(QuenPbGetSize(a), 1);
        QCOMPARE(QStringLiteral("%1 %2 %3").arg(QuenTableRegIsPublic(1)).arg(QuenTableRegIsPublic(2)).arg(QuenTableRegIsPublic(3)), QStringLiteral("-1 0 -1"));
        QVERIFY(QuenTableRegRemoveTable(b));
        QVERIFY(QuenTableRegGetTable(1) == a && QuenTableRegGetTable(2) == c);
        QCOMPARE(QuenTableRegGetTable(3), 0);
        EXPECT_ONE_ERROR(QUEN_ERR_OUT_OF_RANGE, "QuenTableRegGetTable");
        QCOMPARE(QuenTableRegIsPublic(0), QUEN_FALSE);
        EXPECT_ONE_ERROR(QUEN_ERR_OUT_OF_RANGE, "QuenTableRegIsPublic");
        QVERIFY(QuenTableRegRemoveTable(a) && QuenTableRegRemoveTable(c));
        QCOMPARE(QuenTableRegGetSize(), 0);
        QCOMPARE(QuenCoreGetLiveObjectCount(), m_live);
    }

    void findParm_data()
    {
        QTest::addColumn<QByteArray>("table");
        QTest::addColumn<int>("tableLength");
        QTest::addColumn<QByteArray>("symbol");
        QTest::addColumn<QString>("foundIn"); // "" when nothing is found
        QTest::newRow("all public, first public table wins") << QByteArray() << -1 << QByteArray("gain") << "Station";
        QTest::newRow("named table") << QByteArray("LIMITS") << -1 << QByteArray("Gain") << "Limits";
        QTest::newRow("named, with a length") << QByteArray("LimitsXYZ") << 6 << QByteArray("Max") << "Limits";
        QTest::newRow("not in the public tables") << QByteArray() << -1 << QByteArray("Secret") << "";
        QTest::newRow("a private table by name") << QByteArray("Local") << -1 << QByteArray("secret") << "Local";
        QTest::newRow("no such table") << QByteArray("Nope") << -1 << QByteArray("Vdd") << "";
        QTest::newRow("no such symbol") << QByteArray("Station") << -1 << QByteArray("Max") << "";
    }
    void findParm()
    {
        QFETCH(QByteArray, table);
        QFETCH(int, tableLength);
        QFETCH(QByteArray, symbol);
        QFETCH(QString, foundIn);
        const QuenHandle local = tableOf("Local", { "Vdd", "Secret" }), station = tableOf("Station", { "Vdd", "Gain" }), limits = tableOf("Limits", { "Gain", "Max" });
        QuenTableRegAddTable(local, QUEN_FALSE);
        QuenTableRegAddTable(station, QUEN_TRUE);
        QuenTableRegAddTable(limits, QUEN_TRUE);
        const QuenHandle found = QuenTableRegFindParm(table.isNull() ? nullptr : table.constData(),
                                                      tableLength, symbol.constData(), -1);
        EXPECT_NO_ERROR(); // finding nothing is not an error
        QCOMPARE(found ? text(QuenTableGetName(QuenParmGetOwner(found))) : QString(), foundIn);
        QVERIFY(!found || text(QuenParmGetName(found)).compare(QString::fromUtf8(symbol), Qt::CaseInsensitive) == 0);
        for (const QuenHandle t : { local, station, limits })
            QuenPbDefRelease(t);
    }

    // The registry's finds follow renames, removals and clearing; an empty name finds nothing,
    // not even a table without a name.
    void findTable()
    {
        const QuenHandle unnamed = tableOf("", {}), station = tableOf("Station", {}), limits = tableOf("Limits", {});
        for (const QuenHandle t : { unnamed, station, limits })
            QVERIFY(QuenTableRegAddTable(t, QUEN_FALSE));
        auto find = [](const char* name, int32_t length = -1) { return QuenTableRegFindTable(name, length); };
        QCOMPARE(find("station"), station);
        QCOMPARE(find("StationXYZ", 7), station);
        QCOMPARE(find("Stat"), 0);
        QCOMPARE(find(nullptr), 0);
        QCOMPARE(find(""), 0);
        QCOMPARE(find("Limits", 0), 0);
        EXPECT_NO_ERROR();

        QVERIFY(QuenTableSetName(station, "Bench"));
        QCOMPARE(find("BENCH"), station);
        QCOMPARE(find("Station"), 0);
        QVERIFY(!QuenTableSetName(limits, "bench")); // another registered table's name
        EXPECT_ONE_ERROR(QUEN_ERR_INVALID_ARGUMENT, "QuenTableSetName");
        QCOMPARE(text(QuenTableGetName(limits)), QStringLiteral("Limits"));
        QVERIFY(QuenTableSetName(unnamed, "Scratch"));
        QCOMPARE(find("SCRATCH"), unnamed);
        QVERIFY(QuenTableSetName(unnamed, ""));
        QCOMPARE(find("Scratch"), 0);

        QVERIFY(QuenTableRegRemoveTable(limits));
        QCOMPARE(find("Limits"), 0);
        QVERIFY(QuenTableSetName(limits, "Bench")); // outside the registry, names are free
        QVERIFY(!QuenTableRegAddTable(limits, QUEN_FALSE));
        EXPECT_ONE_ERROR(QUEN_ERR_INVALID_ARGUMENT, "QuenTableRegAddTable");
        QuenTableRegClear();
        QCOMPARE(find("Bench"), 0);
        QVERIFY(QuenTableRegAddTable(limits, QUEN_TRUE)); // its name is free again
        QCOMPARE(find("bench"), limits);
        for (const QuenHandle t : { unnamed, station, limits })
            QuenPbDefRelease(t);
    }

    // The file format itself is pinned by the workspace tests; a table keeps its name and
    // description, comes back unregistered and saves to the same bytes.
    void saveAndRestoreRoundTrip()
    {
        const QuenHandle table = tableOf("Station", { "Channel" });
        QuenDescSetText(QuenPbDefGetDesc(table), "Bench settings");
        const QuenHandle mask = QuenParmCreate("Mask", "CQuenPointArray");
        QuenArrayRedim(QuenParmGetData(mask), 1, 2);
        QuenPtArrSetAt1(QuenParmGetData(mask), 2, 0.1, -3.5);
        QuenPbDefAddParm(table, mask);
        CoreBuilder::reference(table, "Supply", "CQuenReal64", "Vdd", "Limits");
        QTemporaryDir dir;
        const QString first = dir.path() + "/station.json", second = dir.path() + "/again.json";
        QVERIFY(QuenTableSave(table, first.toUtf8().constData()));
        const QuenHandle restored = QuenTableRestore(first.toUtf8().constData());
        EXPECT_NO_ERROR();
        QVERIFY(restored && restored != table);
        QCOMPARE(QuenTableRegGetSize(), 0); // not registered: the caller's
        QCOMPARE(text(QuenTableGetName(restored)) + u'/' + text(QuenDescGetText(QuenPbDefGetDesc(restored))), QStringLiteral("Station/Bench settings"));
        double x = 0, y = 0;
        QVERIFY(QuenPtArrGetAt1(QuenParmGetData(QuenPbDefFindParm(restored, "Mask")), 2, &x, &y) && x == 0.1 && y == -3.5);
        QVERIFY(QuenTableSave(restored, second.toUtf8().constData()));
        QCOMPARE(readAll(second), readAll(first));
        QuenPbDefRelease(restored);
        QuenPbDefRelease(table);
    }

    void restoreRejectsBadFiles_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("message");
        const QByteArray good = R"({"format": "VeltEditors.SymbolTable", "formatVersion": 1, "table": {"name": "T", "symbols": [{"name": "A", "data": {"class": "CQuenInt32", "value": 1}}, {"name": "B", "data": {"class": "CQuenInt32", "value": 2}}]}})";
        QTest::newRow("truncated") << good.left(good.size() - 20) << "table.json: line 1, column";
        QTest::newRow("a workspace") << QByteArray(R"({"format": "VeltEditors.Workspace"})") << "table.json: format: expected";
        QTest::newRow("no table") << QByteArray(R"({"format": "VeltEditors.SymbolTable"})") << "table.json: table: missing";
        QTest::newRow("second symbol bad") << QByteArray(good).replace(R"("value": 2)", R"("value": "2")") << "table.json: table.symbols[1].data.value: expected an integer";
    }
    void restoreRejectsBadFiles()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, message);
        QTemporaryDir dir;
        const QString path = dir.path() + "/table.json";
        QVERIFY(writeAll(path, content));
        QCOMPARE(QuenTableRestore(path.toUtf8().constData()), 0);
        const QList<Raised> errors = takeErrors();
        QVERIFY2(errors.size() == 1 && errors.first().code == QUEN_ERR_PARSE && errors.first().message.startsWith("QuenTableRestore: " + message),
                 qPrintable(errors.value(0).message));
    }

    void fileErrors()
    {
        QTemporaryDir dir;
        const QByteArray missing = (dir.path() + "/none.json").toUtf8();
        QCOMPARE(QuenTableRestore(missing.constData()), 0);
        EXPECT_ONE_ERROR(QUEN_ERR_FILE, "QuenTableRestore");
        const QuenHandle table = tableOf("T", {});
        const QByteArray unwritable = (dir.path() + "/no/such/dir/t.json").toUtf8();
        QVERIFY(!QuenTableSave(table, unwritable.constData()));
        EXPECT_ONE_ERROR(QUEN_ERR_FILE, "QuenTableSave");
        QuenPbDefRelease(table);
    }

private:
    int32_t m_live = 0;
};

QTEST_GUILESS_MAIN(TableTest)
#include "tabletest.moc"
