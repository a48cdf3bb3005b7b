// The symbol selector's widget-free parts: SymbolChoice against real symbol tables, then the drop-down's keys.
#include "columns.h"
#include "symbolchoice_p.h"
#include "symbolcombokeys_p.h"
#include "symbolentrymodel_p.h"

#include "fixture.h"
#include "symboltables.h"

#include <QTest>

#include <memory>

using namespace symboltest;
using Velt::SymbolChoice;
using Velt::SymbolEntry;
using Action = Velt::SymbolComboKeys::Action;

struct Key { int current, key; Action::Kind kind; int row; QString text = {}; Qt::KeyboardModifiers modifiers = {}; };
Q_DECLARE_METATYPE(Key)

namespace {

QStringList tableNames(const SymbolChoice& choice)
{
    QStringList names;
    for (const auto& table : choice.tables())
        names << table.name;
    return names;
}

QStringList listed(const SymbolChoice& choice) { return {choice.symbols().begin(), choice.symbols().end()}; }

// What Change reports, and the two texts made from the choice.
QStringList reported(const SymbolChoice& choice)
{
    return {choice.tableName(), choice.symbol(), choice.message(), choice.fullName("."), choice.summary("/")};
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
        // localName: "-": no local block
        VeltTest::columns<QString, QString, QStringList>({"tables", "localName", "expected"});
        QTest::newRow("locals without a name") << "" << "" << QStringList();
        QTest::newRow("locals only") << "" << "ActionLocals" << QStringList{"ActionLocals"};
        QTest::newRow("public table with symbols") << "Limits: Vmax=CQuenReal64" << "-" << QStringList{"All Public", "Limits"};
        QTest::newRow("empty public table gives no All Public") << "Empty:" << "-" << QStringList{"Empty"};
        QTest::newRow("private table neither listed nor counted") << "-Hidden: A; Empty:" << "-" << QStringList{"Empty"};
        QTest::newRow("bound block counted but not listed") << "*Bound: B1" << "-" << QStringList{"All Public"};
        QTest::newRow("All Public, locals, then registry order") << "Zeta: Z; Alpha:" << "Locals" << QStringList{"All Public", "Locals", "Zeta", "Alpha"};
    }
    void tableEntries()
    {
        QFETCH(QString, tables);
        QFETCH(QString, localName);
        CoreBuilder core;
        registry(core, tables);
        SymbolChoice choice(dataTypeName);
        if (localName != u"-") {
            choice.setLocalName(localName);
            choice.setLocalHandle(addSymbols(core.block(), "L1"));
        }
        QVERIFY(!choice.refresh()); // nothing was chosen, nothing is
        QTEST(tableNames(choice), "expected");
    }

    void listedSymbols_data()
    {
        // placeholder: shown under a table listing nothing
        VeltTest::columns<QString, QStringList, QString>({"filter", "expected", "placeholder"});
        QTest::newRow("every class") << "" << QStringList{"Count", "Gain", "Name", "Limit"} << "<Empty>";
        QTest::newRow("integers") << "CQuenInt32" << QStringList{"Count", "Limit"} << "<No Integer (32 bit) found>";
        QTest::newRow("case matters") << "cquenint32" << QStringList() << "<Empty>";
    }
    void listedSymbols()
    {
        QFETCH(QString, filter);
        QFETCH(QStringList, expected);
        CoreBuilder core;
        table(core, "T", "Count ~Secret Gain=CQuenReal64 Name=CQuenString Limit");
        SymbolChoice choice(dataTypeName);
        choice.setFilter(filter);
        QVERIFY(choice.setTableName("T"));
        QCOMPARE(listed(choice), expected);
        QTEST(choice.placeholder(), "placeholder");
        // "All Public" lists the same under the same filter, sorted.
        const std::vector<QString> all = choice.symbolsOf(0);
        expected.sort(Qt::CaseInsensitive);
        QCOMPARE(QStringList(all.begin(), all.end()), expected);
    }

    // Tables Rich (One, Two), Reals (a real only) and the locals, listing integers.
    void choiceReports_data()
    {
        // expected: table, symbol, message, full name, summary
        VeltTest::columns<QString, QString, QStringList>({"table", "symbol", "expected"});
        QTest::newRow("nothing chosen") << "Nowhere" << "" << QStringList{"", "", SelectTable, "", "<No Table>/<No Symbol>"};
        QTest::newRow("table with symbols") << "Rich" << "" << QStringList{"Rich", "", SelectSymbol, "Rich.", "Rich/<No Symbol>"};
        QTest::newRow("table listing nothing") << "Reals" << "" << QStringList{"Reals", "", TableEmpty, "Reals.", "Reals/<No Symbol>"};
        QTest::newRow("symbol") << "Rich" << "Two" << QStringList{"Rich", "Two", "", "Rich.Two", "Rich/Two"};
        QTest::newRow("names without regard to case") << "rich" << "two" << QStringList{"Rich", "Two", "", "Rich.Two", "Rich/Two"};
        QTest::newRow("unknown symbol") << "Rich" << "Three" << QStringList{"Rich", "", SelectSymbol, "Rich.", "Rich/<No Symbol>"};
        QTest::newRow("local symbol") << "ActionLocals" << "Local" << QStringList{"ActionLocals", "Local", "", "ActionLocals.Local", "ActionLocals/Local"};
        QTest::newRow("All Public by name") << "All Public" << "One" << QStringList{"", "One", "", "One", "All Public/One"};
        QTest::newRow("All Public by the empty name") << "" << "" << QStringList{"", "", SelectSymbol, "", "All Public/<No Symbol>"};
    }
    void choiceReports()
    {
        QFETCH(QString, table);
        QFETCH(QString, symbol);
        QFETCH(QStringList, expected);
        CoreBuilder core;
        registry(core, "Rich: One Two; Reals: R=CQuenReal64");
        SymbolChoice choice(dataTypeName);
        choice.setFilter("CQuenInt32");
        choice.setLocalHandle(addSymbols(core.block(), "Local"));
        QCOMPARE(choice.setTableName(table), !expected.at(4).startsWith("<No Table>"));
        QCOMPARE(choice.setSymbolName(symbol), !expected.at(1).isEmpty());
        QCOMPARE(reported(choice), expected);
    }

    void newFilterTakesEffectWhenTableIsSet_data()
    {
        // expected: listed symbols, then the message
        VeltTest::columns<QString, QString, QString, QStringList, bool>({"tableName", "symbol", "newFilter", "expected", "changed"});
        QTest::newRow("chosen symbol still listed") << "T" << "Count" << "CQuenInt32" << QStringList{"Count", "Limit", ""} << false;
        QTest::newRow("still listed in the first entry, All Public") << "All Public" << "Count" << "CQuenInt32" << QStringList{"Count", "Limit", ""} << false;
        QTest::newRow("chosen symbol filtered out") << "T" << "Gain" << "CQuenInt32" << QStringList{"Count", "Limit", SelectSymbol} << true;
        QTest::newRow("same filter") << "T" << "Gain" << "" << QStringList{"Count", "Gain", "Limit", ""} << false;
    }
    void newFilterTakesEffectWhenTableIsSet()
    {
        QFETCH(QString, tableName);
        QFETCH(QString, symbol);
        QFETCH(QString, newFilter);
        CoreBuilder core;
        table(core, "T", "Count Gain=CQuenReal64 Limit");
        SymbolChoice choice(dataTypeName);
        choice.setTableName(tableName);
        choice.setSymbolName(symbol);
        choice.setFilter(newFilter); // alone it changes nothing listed
        QCOMPARE(listed(choice), (QStringList{"Count", "Gain", "Limit"}));
        QTEST(choice.setTableName(tableName), "changed");
        QTEST(listed(choice) << choice.message(), "expected");
        QCOMPARE(choice.listedFilter(), newFilter);
    }

    void refreshKeepsChoiceWhileItExists()
    {
        CoreBuilder core;
        const QuenHandle t = table(core, "T", "Keep Drop");
        SymbolChoice choice(dataTypeName);
        choice.setTableName("T");
        choice.setSymbolName("Drop");
        table(core, "Later", "X");
        QVERIFY(!choice.refresh());
        QCOMPARE(tableNames(choice), (QStringList{"All Public", "T", "Later"}));
        QCOMPARE(choice.fullName("."), "T.Drop");
        QVERIFY(QuenPbDefReleaseParm(t, "Drop"));
        QVERIFY(choice.refresh());
        QCOMPARE(reported(choice).mid(0, 3) + listed(choice), (QStringList{"T", "", SelectSymbol, "Keep"}));
        QVERIFY(QuenTableRegRemoveTable(t));
        QVERIFY(choice.refresh());
        QCOMPARE(reported(choice).mid(0, 3), (QStringList{"", "", SelectTable}));
    }

    void localHandleReference()
    {
        const QuenHandle block = QuenPbDefCreate();
        addSymbols(block, "Counter");
        auto choice = std::make_unique<SymbolChoice>(dataTypeName);
        choice->setLocalHandle(block);
        QCOMPARE(choice->localHandle(), block);
        QuenPbDefRelease(block); // the choice's reference keeps the block alive
        QVERIFY(blockIsAlive(block));
        choice->setTableName("ActionLocals");
        QVERIFY(choice->setSymbolName("Counter"));
        choice->setLocalHandle(block); // the same block again: still exactly one reference
        // 0 releases the block; the entry goes at the next refresh, and with it the choice.
        choice->setLocalHandle(0);
        QVERIFY(!blockIsAlive(block));
        QCOMPARE(tableNames(*choice), QStringList{"ActionLocals"});
        QVERIFY(choice->refresh());
        QCOMPARE(tableNames(*choice) << choice->message(), QStringList{SelectTable});
        // A handle that is no block is not kept.
        SymbolChoice plain(dataTypeName);
        plain.setLocalHandle(0x7fff0001);
        QCOMPARE(plain.localHandle(), 0);
        EXPECT_ONE_ERROR(QUEN_ERR_INVALID_HANDLE, "QuenPbAddRef");
    }

    // Rows 0..5: All Public, T (expanded: S1, S2), U (expanded: its placeholder); -1 is no
    // entry, -2 an empty drop-down. A page is 3 rows. The row is checked unless the key passes.
    void keys_data()
    {
        QTest::addColumn<Key>("k");
        const auto row = [](const char* name, Key key) { QTest::newRow(name) << key; };
        row("down from nothing: first", {-1, Qt::Key_Down, Action::Walk, 0});
        row("up from nothing: last", {-1, Qt::Key_Up, Action::Walk, 5});
        row("down at the end stays", {5, Qt::Key_Down, Action::Walk, 5});
        row("up at the top stays", {0, Qt::Key_Up, Action::Walk, 0});
        row("page down", {0, Qt::Key_PageDown, Action::Walk, 3});
        row("home", {3, Qt::Key_Home, Action::Walk, 0});
        row("end", {1, Qt::Key_End, Action::Walk, 5});
        row("keypad arrow", {1, Qt::Key_Down, Action::Walk, 2, {}, Qt::KeypadModifier});
        row("enter on a symbol", {2, Qt::Key_Return, Action::Activate, 2});
        row("keypad enter on a table", {1, Qt::Key_Enter, Action::Activate, 1, {}, Qt::KeypadModifier});
        row("enter on nothing", {-1, Qt::Key_Return, Action::Pass, -1});
        row("right expands a collapsed table", {0, Qt::Key_Right, Action::Activate, 0});
        row("right on an expanded table", {1, Qt::Key_Right, Action::Pass, -1});
        row("left collapses an expanded table", {1, Qt::Key_Left, Action::Activate, 1});
        row("left on a symbol", {2, Qt::Key_Left, Action::Pass, -1});
        row("letter: next entry starting with it", {2, Qt::Key_S, Action::Walk, 3, "s"});
        row("letter wraps around", {3, Qt::Key_S, Action::Walk, 2, "S"});
        row("placeholders are never found", {0, Qt::Key_Less, Action::Walk, -1, "<"});
        row("letter without an entry", {0, Qt::Key_Z, Action::Walk, -1, "z"});
        row("modifiers go to the combo box", {1, Qt::Key_Down, Action::Pass, -1, {}, Qt::ControlModifier});
        row("unprintable key goes to the combo box", {1, Qt::Key_Tab, Action::Pass, -1, "\t"});
        row("empty: down", {-2, Qt::Key_Down, Action::Walk, -1});
    }
    void keys()
    {
        QFETCH(Key, k);
        Velt::SymbolEntryModel model;
        if (k.current != -2)
            model.setEntries({{SymbolEntry::Table, "All Public", 0, 0, false}, {SymbolEntry::Table, "T", 1, 0, true},
                              {SymbolEntry::Symbol, "S1", 1, 1, false}, {SymbolEntry::Symbol, "S2", 1, 1, false},
                              {SymbolEntry::Table, "U", 2, 0, true}, {SymbolEntry::Placeholder, "<Empty>", 2, 1, false}});
        const Action action = Velt::SymbolComboKeys::action(model, std::max(k.current, -1), k.key, k.modifiers, k.text, 3);
        QCOMPARE(std::pair(action.kind, k.kind == Action::Pass ? -1 : action.row), std::pair(k.kind, k.row));
    }
};

QTEST_GUILESS_MAIN(SymbolChoiceTest)
#include "symbolchoicetest.moc"
