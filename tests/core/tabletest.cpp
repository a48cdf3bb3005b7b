// Symbol tables: the registry (order, public flags, references held), finds, and table files.
#include "columns.h"
#include "coretesting.h"

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
    void init() { QuenWorkspaceClear(); QuenExcRegClearError(0); m_live = QuenCoreGetLiveObjectCount(); }
    void cleanup() { QuenTableRegClear(); QVERIFY(QuenCoreGetLiveObjectCount() == m_live && !QuenExcRegIsError(0)); }

    // The registry keeps its tables in order with their public flags, holds a reference of
    // each, and refuses a table twice or a second table of the same name in any case.
    void registry()
    {
        const QuenHandle a = tableOf("Station", { "Vdd" }), b = tableOf("B", {}), c = tableOf("C", {}), twin = tableOf("STATION", {});
        QVERIFY(QuenTableRegAddTable(a, QUEN_TRUE) && QuenTableRegAddTable(b, QUEN_FALSE) && QuenTableRegAddTable(c, 1)); // any non-zero value is true
        for (const QuenHandle refused : { a, twin }) {
            QVERIFY(!QuenTableRegAddTable(refused, QUEN_TRUE));
            EXPECT_ONE_ERROR(QUEN_ERR_INVALID_ARGUMENT, "QuenTableRegAddTable");
        }
        for (const QuenHandle t : { a, b, c, twin })
            QVERIFY(QuenPbDefRelease(t)); // the registry's references keep them
        QCOMPARE(QStringLiteral("%1 %2 %3 %4 %5").arg(QuenTableRegGetSize()).arg(QuenPbGetSize(a)).arg(QuenTableRegIsPublic(1)).arg(QuenTableRegIsPublic(2)).arg(QuenTableRegIsPublic(3)), QStringLiteral("3 1 -1 0 -1"));
        QVERIFY(QuenTableRegRemoveTable(b) && QuenTableRegGetTable(1) == a && QuenTableRegGetTable(2) == c && !QuenTableRegGetTable(3));
        EXPECT_ONE_ERROR(QUEN_ERR_OUT_OF_RANGE, "QuenTableRegGetTable");
        QCOMPARE(QuenTableRegIsPublic(0), QUEN_FALSE);
        EXPECT_ONE_ERROR(QUEN_ERR_OUT_OF_RANGE, "QuenTableRegIsPublic");
        QVERIFY(QuenTableRegRemoveTable(a) && QuenTableRegRemoveTable(c) && QuenTableRegGetSize() == 0);
        QCOMPARE(QuenCoreGetLiveObjectCount(), m_live);
    }

    void findParm_data()
    {
        // foundIn: "" when nothing is found
        VeltTest::columns<QByteArray, int, QByteArray, QString>({"table", "tableLength", "symbol", "foundIn"});
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
        const QuenHandle local = tableOf("Local", { "Vdd", "Secret" }), station = tableOf("Station", { "Vdd", "Gain" }), limits = tableOf("Limits", { "Gain", "Max" });
        QVERIFY(QuenTableRegAddTable(local, QUEN_FALSE) && QuenTableRegAddTable(station, QUEN_TRUE) && QuenTableRegAddTable(limits, QUEN_TRUE));
        const QuenHandle found = QuenTableRegFindParm(table.isNull() ? nullptr : table.constData(), tableLength, symbol.constData(), -1);
        EXPECT_NO_ERROR(); // finding nothing is not an error
        QTEST(found ? text(QuenTableGetName(QuenParmGetOwner(found))) : QString(), "foundIn");
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
        QCOMPARE(QList<QuenHandle>({ find("station"), find("StationXYZ", 7), find("Stat"), find(nullptr), find(""), find("Limits", 0) }), QList<QuenHandle>({ station, station, 0, 0, 0, 0 }));
        EXPECT_NO_ERROR();
        QVERIFY(QuenTableSetName(station, "Bench") && find("BENCH") == station && !find("Station"));
        QVERIFY(!QuenTableSetName(limits, "bench") && text(QuenTableGetName(limits)) == QStringLiteral("Limits")); // another registered table's name
        EXPECT_ONE_ERROR(QUEN_ERR_INVALID_ARGUMENT, "QuenTableSetName");
        QVERIFY(QuenTableSetName(unnamed, "Scratch") && find("SCRATCH") == unnamed && QuenTableSetName(unnamed, "") && !find("Scratch"));
        QVERIFY(QuenTableRegRemoveTable(limits) && !find("Limits"));
        QVERIFY(QuenTableSetName(limits, "Bench") && !QuenTableRegAddTable(limits, QUEN_FALSE)); // outside the registry, names are free
        EXPECT_ONE_ERROR(QUEN_ERR_INVALID_ARGUMENT, "QuenTableRegAddTable");
        QuenTableRegClear();
        QVERIFY(!find("Bench") && QuenTableRegAddTable(limits, QUEN_TRUE) && find("bench") == limits); // its name is free again
        for (const QuenHandle t : { unnamed, station, limits })
            QuenPbDefRelease(t);
    }

    // The file format itself is pinned by the workspace tests; a table keeps its name and
    // description, comes back unregistered and saves to the same bytes. Bad files are refused.
    void tableFiles()
    {
        const QuenHandle table = tableOf("Station", { "Channel" });
        QuenDescSetText(QuenPbDefGetDesc(table), "Bench settings");
        CoreBuilder::reference(table, "Supply", "CQuenReal64", "Vdd", "Limits");
        QTemporaryDir dir;
        const QString path = dir.path() + "/table.json", first = dir.path() + "/station.json", second = dir.path() + "/again.json";
        QVERIFY(QuenTableSave(table, first.toUtf8().constData()));
        const QuenHandle restored = QuenTableRestore(first.toUtf8().constData());
        EXPECT_NO_ERROR();
        QVERIFY(restored && restored != table && QuenTableRegGetSize() == 0); // not registered: the caller's
        QCOMPARE(text(QuenTableGetName(restored)) + u'/' + text(QuenDescGetText(QuenPbDefGetDesc(restored))), QStringLiteral("Station/Bench settings"));
        QVERIFY(QuenTableSave(restored, second.toUtf8().constData()) && QuenPbDefRelease(restored));
        QCOMPARE(readAll(second), readAll(first));
        QCOMPARE(QuenTableRestore(path.toUtf8().constData()), 0); // not there yet
        EXPECT_ONE_ERROR(QUEN_ERR_FILE, "QuenTableRestore");
        for (const auto& [content, message] : { std::pair(R"({"format": "VeltEditors.Workspace"})", "table.json: format: expected"),
                                                std::pair(R"({"format": "VeltEditors.SymbolTable"})", "table.json: table: missing") }) {
            QVERIFY(writeAll(path, content));
            QCOMPARE(QuenTableRestore(path.toUtf8().constData()), 0);
            const QList<Raised> errors = takeErrors();
            QVERIFY2(errors.size() == 1 && errors.first().code == QUEN_ERR_PARSE && errors.first().message.startsWith(QLatin1String("QuenTableRestore: ") + message),
                     qPrintable(errors.value(0).message));
        }
        QVERIFY(!QuenTableSave(table, (dir.path() + "/no/such/dir/t.json").toUtf8().constData()) && QuenPbDefRelease(table));
        EXPECT_ONE_ERROR(QUEN_ERR_FILE, "QuenTableSave");
    }

private:
    int32_t m_live = 0;
};

QTEST_GUILESS_MAIN(TableTest)
#include "tabletest.moc"
