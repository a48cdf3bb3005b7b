// SymbolChoice against real symbol tables of the core: which tables are listed, which symbols a
// table lists under a filter, what Change reports for each choice, when a new filter takes
// effect, what Refresh keeps, and the reference on the local table.
#include "symbolchoice_p.h"

#include "fixture.h"
#include "symboltables.h"

#include <QTest>

#include <memory>

using namespace symboltest;
using Velt::SymbolChoice;

namespace {

const QString SelectSymbol = QStringLiteral("Please select a symbol from available symbols");
const QString TableEmpty = QStringLiteral("Table Empty - Please select another symbol table");
const QString SelectTable = QStringLiteral("Please select a table from avaliable tables");

QString fakeDataTypeName(const QString& dataClass)
{
    // CQuenComplex: an editor without a display name; others: no editor.
    return dataClass == u"CQuenInt32" ? QStringLiteral("Integer (32 bit)") : QString();
}

QStringList tableNames(const SymbolChoice& choice)
{
    QStringList names;
    for (const auto& table : choice.tables())
        names << table.name;
    return names;
}

QStringList listed(const SymbolChoice& choice)
{
    return QStringList(choice.symbols().begin(), choice.symbols().end());
}

// What Change reports, and the two texts made from the choice.
QStringList reported(const SymbolChoice& choice)
{
    return {choice.tableName(), choice.symbol(), choice.message(), choice.fullName("."),
            choice.summary("/")};
}

} // namespace

class SymbolChoiceTest : public QObject
{
    Q_OBJECT

    VeltTest::Fixture fixture;

private Q_SLOTS:
    void init() { fixture.begin(); }
    void cleanup()
    {
        QuenTableRegClear(); // bound blocks belong to the registry
        fixture.end();
    }

    void tableEntries_data()
    {
        QTest::addColumn<QString>("tables");
        QTest::addColumn<QString>("localName"); // "-": no local block
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("no table, no locals") << "" << "-" << QStringList();
        QTest::newRow("locals without a name") << "" << "" << QStringList();
        QTest::newRow("locals only") << "" << "ActionLocals" << QStringList{"ActionLocals"};
        QTest::newRow("public table with symbols")
            << "Limits: Vmax=CQuenReal64" << "-" << QStringList{"All Public", "Limits"};
        QTest::newRow("empty public table is listed but gives no All Public")
            << "Empty:" << "-" << QStringList{"Empty"};
        QTest::newRow("private table neither listed nor counted")
            << "-Hidden: A; Empty:" << "-" << QStringList{"Empty"};
        QTest::newRow("bound block counted but not listed")
            << "*Bound: B1" << "-" << QStringList{"All Public"};
        QTest::newRow("All Public, locals, then registry order")
            << "Zeta: Z; Alpha:" << "Locals" << QStringList{"All Public", "Locals", "Zeta", "Alpha"};
    }
    void tableEntries()
    {
        QFETCH(QString, tables);
        QFETCH(QString, localName);
        QFETCH(QStringList, expected);
        CoreBuilder core;
        registry(core, tables);
        SymbolChoice choice(fakeDataTypeName);
        if (localName != u"-") {
            choice.setLocalName(localName);
            choice.setLocalHandle(locals(core, "L1"));
        }
        QVERIFY(!choice.refresh()); // nothing was chosen, nothing is
        QCOMPARE(tableNames(choice), expected);
    }

    void listedSymbols_data()
    {
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("every class") << "" << QStringList{"Count", "Gain", "Name", "Limit"};
        QTest::newRow("integers") << "CQuenInt32" << QStringList{"Count", "Limit"};
        QTest::newRow("strings") << "CQuenString" << QStringList{"Name"};
        QTest::newRow("case matters") << "cquenint32" << QStringList();
    }
    void listedSymbols()
    {
        QFETCH(QString, filter);
        QFETCH(QStringList, expected);
        CoreBuilder core;
        table(core, "T", "Count ~Secret Gain=CQuenReal64 Name=CQuenString Limit");
        SymbolChoice choice(fakeDataTypeName);
        choice.setFilter(filter);
        QVERIFY(choice.setTableName("T"));
        QCOMPARE(listed(choice), expected);
        // "All Public" lists the same under the same filter, sorted.
        const std::vector<QString> all = choice.symbolsOf(0);
        expected.sort(Qt::CaseInsensitive);
        QCOMPARE(QStringList(all.begin(), all.end()), expected);
    }

    void choiceReports_data()
    {
        QTest::addColumn<QString>("table");
        QTest::addColumn<QString>("symbol");
        QTest::addColumn<QStringList>("expected"); // table, symbol, message, full name, summary
        QTest::newRow("nothing chosen")
            << "Nowhere" << "" << QStringList{"", "", SelectTable, "", "<No Table>/<No Symbol>"};
        QTest::newRow("table with symbols")
            << "Rich" << "" << QStringList{"Rich", "", SelectSymbol, "Rich.", "Rich/<No Symbol>"};
        QTest::newRow("table whose symbols are filtered out")
            << "Reals" << "" << QStringList{"Reals", "", TableEmpty, "Reals.", "Reals/<No Symbol>"};
        QTest::newRow("table without symbols")
            << "Bare" << "" << QStringList{"Bare", "", TableEmpty, "Bare.", "Bare/<No Symbol>"};
        QTest::newRow("symbol")
            << "Rich" << "Two" << QStringList{"Rich", "Two", "", "Rich.Two", "Rich/Two"};
        QTest::newRow("names without regard to case")
            << "rich" << "two" << QStringList{"Rich", "Two", "", "Rich.Two", "Rich/Two"};
        QTest::newRow("unknown symbol")
            << "Rich" << "Three" << QStringList{"Rich", "", SelectSymbol, "Rich.", "Rich/<No Symbol>"};
        QTest::newRow("local symbol") << "ActionLocals" << "Local"
            << QStringList{"ActionLocals", "Local", "", "ActionLocals.Local", "ActionLocals/Local"};
        QTest::newRow("All Public by name")
            << "All Public" << "One" << QStringList{"", "One", "", "One", "All Public/One"};
        QTest::newRow("All Public by the empty name")
            << "" << "" << QStringList{"", "", SelectSymbol, "", "All Public/<No Symbol>"};
    }
    void choiceReports()
    {
        QFETCH(QString, table);
        QFETCH(QString, symbol);
        QFETCH(QStringList, expected);
        CoreBuilder core;
        registry(core, "Rich: One Two; Reals: R=CQuenReal64; Bare:");
        SymbolChoice choice(fakeDataTypeName);
        choice.setFilter("CQuenInt32");
        choice.setLocalHandle(locals(core, "Local"));
        QCOMPARE(choice.setTableName(table), !expected.at(4).startsWith("<No Table>"));
        QCOMPARE(choice.setSymbolName(symbol), !expected.at(1).isEmpty());
        QCOMPARE(reported(choice), expected);
    }

    void placeholders_data()
    {
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QString>("placeholder");
        QTest::newRow("registered display name") << "CQuenInt32" << "<No Integer (32 bit) found>";
        QTest::newRow("editor without display name") << "CQuenComplex" << "<Empty>";
        QTest::newRow("class without editor") << "CNoSuchClass" << "<Empty>";
        QTest::newRow("every class") << "" << "<Empty>";
    }
    void placeholders()
    {
        QFETCH(QString, filter);
        QFETCH(QString, placeholder);
        QStringList asked;
        SymbolChoice choice([&](const QString& dataClass) {
            asked << dataClass;
            return fakeDataTypeName(dataClass);
        });
        choice.setFilter(filter);
        choice.refresh();
        QCOMPARE(choice.placeholder(), placeholder);
        QCOMPARE(asked, filter.isEmpty() ? QStringList() : QStringList{filter});
    }

    void newFilterTakesEffectWhenTableIsSet_data()
    {
        QTest::addColumn<QString>("symbol");
        QTest::addColumn<QString>("newFilter");
        QTest::addColumn<QStringList>("expected"); // listed symbols, then the message
        QTest::addColumn<bool>("changed");
        QTest::newRow("chosen symbol still listed")
            << "Count" << "CQuenInt32" << QStringList{"Count", "Limit", ""} << false;
        QTest::newRow("chosen symbol filtered out")
            << "Gain" << "CQuenInt32" << QStringList{"Count", "Limit", SelectSymbol} << true;
        QTest::newRow("nothing listed any more")
            << "" << "CQuenComplex" << QStringList{TableEmpty} << true;
        QTest::newRow("same filter")
            << "Gain" << "" << QStringList{"Count", "Gain", "Limit", ""} << false;
    }
    void newFilterTakesEffectWhenTableIsSet()
    {
        QFETCH(QString, symbol);
        QFETCH(QString, newFilter);
        QFETCH(QStringList, expected);
        QFETCH(bool, changed);
        CoreBuilder core;
        table(core, "T", "Count Gain=CQuenReal64 Limit");
        SymbolChoice choice(fakeDataTypeName);
        choice.setTableName("T");
        choice.setSymbolName(symbol);
        // Setting the filter alone changes nothing listed.
        choice.setFilter(newFilter);
        QCOMPARE(listed(choice), (QStringList{"Count", "Gain", "Limit"}));
        QCOMPARE(choice.listedFilter(), QString());
        QCOMPARE(choice.setTableName("T"), changed);
        QCOMPARE(listed(choice) << choice.message(), expected);
        QCOMPARE(choice.listedFilter(), newFilter);
    }

    void refreshKeepsChoiceWhileItExists()
    {
        CoreBuilder core;
        const QuenHandle t = table(core, "T", "Keep Drop");
        SymbolChoice choice(fakeDataTypeName);
        choice.setTableName("T");
        choice.setSymbolName("Drop");
        table(core, "Later", "X");
        QVERIFY(!choice.refresh());
        QCOMPARE(tableNames(choice), (QStringList{"All Public", "T", "Later"}));
        QCOMPARE(choice.fullName("."), QString("T.Drop"));

        QVERIFY(QuenPbDefReleaseParm(t, "Drop"));
        QVERIFY(choice.refresh());
        QCOMPARE(reported(choice).mid(0, 3), (QStringList{"T", "", SelectSymbol}));
        QCOMPARE(listed(choice), QStringList{"Keep"});
        // The table's last symbol goes: what Change would say differs, though nothing was lost.
        QVERIFY(QuenPbDefReleaseParm(t, "Keep"));
        QVERIFY(choice.refresh());
        QCOMPARE(choice.message(), TableEmpty);

        QVERIFY(QuenTableRegRemoveTable(t));
        QVERIFY(choice.refresh());
        QCOMPARE(reported(choice).mid(0, 3), (QStringList{"", "", SelectTable}));
    }

    void localHandleReference()
    {
        const QuenHandle block = QuenPbDefCreate();
        addSymbols(block, "Counter");
        auto choice = std::make_unique<SymbolChoice>(fakeDataTypeName);
        choice->setLocalHandle(block);
        QCOMPARE(choice->localHandle(), block);
        // The test drops its own reference: the choice's keeps the block alive.
        QuenPbDefRelease(block);
        QVERIFY(blockIsAlive(block));
        choice->setTableName("ActionLocals");
        choice->setSymbolName("Counter");
        QCOMPARE(choice->fullName("."), QString("ActionLocals.Counter"));
        // Setting the same block again keeps exactly one reference.
        choice->setLocalHandle(block);
        QVERIFY(blockIsAlive(block));
        // 0 releases the block; the entry goes at the next refresh, and with it the choice.
        choice->setLocalHandle(0);
        QVERIFY(!blockIsAlive(block));
        QCOMPARE(tableNames(*choice), QStringList{"ActionLocals"});
        QVERIFY(choice->refresh());
        QCOMPARE(tableNames(*choice), QStringList());
        QCOMPARE(choice->message(), SelectTable);

        // A reference still held at destruction is released then.
        const QuenHandle other = QuenPbDefCreate();
        choice->setLocalHandle(other);
        QuenPbDefRelease(other);
        QVERIFY(blockIsAlive(other));
        choice.reset();
        QVERIFY(!blockIsAlive(other));

        // A handle that is no block is not kept.
        SymbolChoice plain(fakeDataTypeName);
        plain.setLocalHandle(0x7fff0001);
        QCOMPARE(plain.localHandle(), 0);
        EXPECT_ONE_ERROR(QUEN_ERR_INVALID_HANDLE, "QuenPbAddRef");
    }
};

QTEST_GUILESS_MAIN(SymbolChoiceTest)
#include "symbolchoicetest.moc"
