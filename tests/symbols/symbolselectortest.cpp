// SymbolSelector against real symbol tables of the core: its wiring, keyboard, persistence and notifications.
#include "symbolselector.h"

#include "columns.h"
#include "datatypenames.h"
#include "fixture.h"
#include "symboltables.h"

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QComboBox>
#include <QIcon>
#include <QListView>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>

#include <functional>
#include <memory>

using namespace symboltest;
using Tester = QAbstractItemModelTester;

namespace {

QComboBox* comboOf(SymbolSelector& s) { return s.findChild<QComboBox*>("SymbolTableCombo"); }
QListView* listOf(SymbolSelector& s, const char* name) { return s.findChild<QListView*>(name); }

QStringList texts(const QAbstractItemModel* model)
{
    QStringList result;
    for (int row = 0; row < model->rowCount(); ++row)
        result << model->index(row, 0).data().toString();
    return result;
}

// "table.symbol:message" of every Change the spy saw.
QStringList changes(const QSignalSpy& spy)
{
    QStringList result;
    for (const QList<QVariant>& change : spy)
        result << change.at(0).toString() + u'.' + change.at(1).toString() + u':' + change.at(2).toString();
    return result;
}

void activate(SymbolSelector& s, const QString& text)
{
    const int row = comboOf(s)->findText(text, Qt::MatchExactly);
    QVERIFY2(row >= 0, qPrintable(text));
    Q_EMIT comboOf(s)->activated(row);
}

void chooseInList(QListView* list, const QString& text)
{
    const QModelIndexList found = list->model()->match(list->model()->index(0, 0), Qt::DisplayRole, text, 1, Qt::MatchExactly);
    QVERIFY2(!found.isEmpty(), qPrintable(text));
    list->setCurrentIndex(found.first());
}

// What the platform delivers for a double click on a row: press, release, press, double click, release.
void doubleClick(QListView* list, int row)
{
    QApplication::processEvents(); // lays the entries out
    QWidget* widget = list->viewport();
    const QPoint pos = list->visualRect(list->model()->index(row, 0)).center();
    QTest::mouseClick(widget, Qt::LeftButton, {}, pos);
    QTest::mousePress(widget, Qt::LeftButton, {}, pos);
    QMouseEvent event(QEvent::MouseButtonDblClick, pos, widget->mapToGlobal(pos), Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
    QTest::mouseRelease(widget, Qt::LeftButton, {}, pos);
}

QImage iconOf(const QAbstractItemModel* model, int row)
{
    return qvariant_cast<QIcon>(model->index(row, 0).data(Qt::DecorationRole)).pixmap(QSize(16, 16)).toImage();
}

QString numbered(int i) { return u'S' + QString::number(i).rightJustified(5, u'0'); }

} // namespace

// A change made to a selector with table "T" and symbol "S" chosen, given a block for LocalHandle.
using SelectorStep = std::function<void(SymbolSelector&, QuenHandle locals)>;
Q_DECLARE_METATYPE(SelectorStep)

class SymbolSelectorTest : public QObject
{
    Q_OBJECT

    VeltTest::Fixture fixture;
    Velt::DataTypeNameLookup m_libraryNames = nullptr;

private Q_SLOTS:
    // The display names the selector is handed, without the editor registry above it.
    void initTestCase() { m_libraryNames = Velt::setDataTypeNameLookup(&dataTypeName); }
    void cleanupTestCase() { Velt::setDataTypeNameLookup(m_libraryNames); }
    void init()
    {
        QuenTableRegClear();
        fixture.begin();
    }
    void cleanup()
    {
        QuenTableRegClear(); // tables a test left to the registry
        fixture.end();
    }

    // "All Public" lists the sorted symbols in the drop-down or its own list; choices reach Change.
    void bothPresentationsWire()
    {
        CoreBuilder core;
        registry(core, "B: delta Alpha; A: charlie ~Able bravo; -Private: Aardvark");
        for (const bool compact : {true, false}) {
            SymbolSelector selector;
            selector.setCompact(compact);
            selector.Refresh();
            QSignalSpy spy(&selector, &SymbolSelector::Change);
            if (compact) {
                activate(selector, "All Public");
                QCOMPARE(texts(comboOf(selector)->model()).mid(1, 4), (QStringList{"Alpha", "bravo", "charlie", "delta"}));
                activate(selector, "charlie");
            } else {
                chooseInList(listOf(selector, "TableList"), "All Public");
                QVERIFY(listOf(selector, "SymbolList")->isHidden());
                QCOMPARE(texts(listOf(selector, "SortedSymbolList")->model()), (QStringList{"Alpha", "bravo", "charlie", "delta"}));
                chooseInList(listOf(selector, "SortedSymbolList"), "charlie");
            }
            QCOMPARE(changes(spy), (QStringList{".:" + SelectSymbol, ".charlie:"}));
            QCOMPARE(selector.FullName() + ' ' + comboOf(selector)->toolTip(), "charlie All Public.charlie");
        }
        SymbolSelector selector;
        selector.setTableName("Nowhere");
        QCOMPARE(comboOf(selector)->toolTip() + ' ' + comboOf(selector)->placeholderText(), "<No Table>.<No Symbol> <No Table>");
    }

    void expandAndCollapseInPlace()
    {
        CoreBuilder core;
        registry(core, "First: A1 A2 A3; Second: B1");
        SymbolSelector selector;
        selector.Refresh();
        QAbstractItemModel* model = comboOf(selector)->model();
        Tester tester(model, Tester::FailureReportingMode::QtTest);
        QSignalSpy inserted(model, &QAbstractItemModel::rowsInserted);
        const QImage collapsed = iconOf(model, 1);
        activate(selector, "First");
        QCOMPARE(inserted.value(0).mid(1), (QList<QVariant>{2, 4}));
        QVERIFY(!collapsed.isNull() && iconOf(model, 1) != collapsed);
        // A second table expands independently; choosing a symbol keeps both open.
        activate(selector, "Second");
        activate(selector, "A2");
        QCOMPARE(texts(model), (QStringList{"All Public", "First", "A1", "A2", "A3", "Second", "B1"}));
        QCOMPARE(comboOf(selector)->currentText() + ' ' + selector.FullName(), "A2 First.A2");
        // Choosing the expanded table collapses it and chooses it without a symbol.
        activate(selector, "First");
        QCOMPARE(texts(model), (QStringList{"All Public", "First", "Second", "B1"}));
        QCOMPARE(iconOf(model, 1), collapsed);
        // Setting a symbol of a collapsed table opens the table to show it.
        selector.setSymbolName("A3");
        QCOMPARE(comboOf(selector)->currentText(), "A3");
    }

    // A new filter takes effect when the table is set again; a table it empties shows a placeholder.
    void filterAndPlaceholder()
    {
        CoreBuilder core;
        registry(core, "T: Count Gain=CQuenReal64; Strings: Text=CQuenString");
        SymbolSelector selector;
        selector.setTableName("T");
        selector.setSymbolName("Gain");
        QSignalSpy spy(&selector, &SymbolSelector::Change);
        selector.setFilter("CQuenInt32");
        selector.setTableName("T");
        activate(selector, "T");
        activate(selector, "Strings");
        QCOMPARE(texts(comboOf(selector)->model()), (QStringList{"All Public", "T", "Count", "Strings", "<No Integer (32 bit) found>"}));
        activate(selector, "<No Integer (32 bit) found>"); // chooses its table, which offers nothing
        QCOMPARE(changes(spy) << comboOf(selector)->currentText(), (QStringList{"T.:" + SelectSymbol, "T.:" + SelectSymbol, "Strings.:" + TableEmpty, "Strings.:" + TableEmpty, "Strings"}));
        selector.setCompact(false);
        QCOMPARE(texts(listOf(selector, "SymbolList")->model()), QStringList{"<None>"});
        QVERIFY(!(listOf(selector, "SymbolList")->model()->index(0, 0).flags() & Qt::ItemIsSelectable));
    }

    void doubleClickOnSymbolOnly()
    {
        CoreBuilder core;
        registry(core, "T: S1 S2; Bare:");
        SymbolSelector selector;
        selector.setCompact(false);
        selector.resize(400, 200);
        selector.show();
        QVERIFY(QTest::qWaitForWindowExposed(&selector));
        QSignalSpy spy(&selector, &SymbolSelector::Change);
        QSignalSpy doubleClicks(&selector, &SymbolSelector::DblClick);
        chooseInList(listOf(selector, "TableList"), "T");
        doubleClick(listOf(selector, "SymbolList"), 1);
        QCOMPARE(doubleClicks.size(), 1);
        chooseInList(listOf(selector, "TableList"), "Bare");
        doubleClick(listOf(selector, "SymbolList"), 0); // "<None>"
        QCOMPARE(doubleClicks.size(), 1);
        QCOMPARE(changes(spy), (QStringList{"T.:" + SelectSymbol, "T.S2:", "Bare.:" + TableEmpty}));
    }

    // A handler may swallow or change a key, and sees Shift, Ctrl and Alt as 1, 2 and 4; then
    // the drop-down's keys walk without expanding, Enter and Left open and close tables.
    void keyboard()
    {
        CoreBuilder core;
        table(core, "T", "S1 S2");
        SymbolSelector selector;
        selector.show();
        QVERIFY(QTest::qWaitForWindowExposed(&selector));
        QComboBox* combo = comboOf(selector);
        QSignalSpy spy(&selector, &SymbolSelector::Change);
        QStringList events;
        bool meddle = true; // swallow Down, turn Up into Down
        // The by-reference forms; the late-bound ones (an object per event) are for scripts.
        connect(&selector, qOverload<int*, int*>(&SymbolSelector::KeyDown), this, [&](int* keyCode, int* shift) {
            events << QStringLiteral("down %1/%2").arg(*keyCode).arg(*shift);
            if (meddle)
                *keyCode = *keyCode == Qt::Key_Down ? 0 : *keyCode == Qt::Key_Up ? int(Qt::Key_Down) : *keyCode;
        });
        connect(&selector, qOverload<int*>(&SymbolSelector::KeyPress), this, [&](int* ascii) { events << QStringLiteral("press %1").arg(*ascii); });
        connect(&selector, qOverload<int*, int*>(&SymbolSelector::KeyUp), this, [&](int* keyCode, int*) { events << QStringLiteral("up %1").arg(*keyCode); });
        QTest::keyClick(combo, 'Q', Qt::ShiftModifier); // no entry starts with it; Shift comes first and goes last
        QCOMPARE(events, (QStringList{QStringLiteral("down %1/1").arg(Qt::Key_Shift), QStringLiteral("down %1/1").arg(Qt::Key_Q), "press 81",
                                      QStringLiteral("up %1").arg(Qt::Key_Q), QStringLiteral("up %1").arg(Qt::Key_Shift)}));
        QTest::keyClick(combo, Qt::Key_Down);
        QTest::keyClick(combo, Qt::Key_Down, Qt::ControlModifier | Qt::AltModifier);
        QVERIFY(events.contains(QStringLiteral("down %1/6").arg(Qt::Key_Down)));
        QCOMPARE(spy.size(), 0);
        QTest::keyClick(combo, Qt::Key_Up);
        QCOMPARE(changes(spy), QStringList{".:" + SelectSymbol});
        meddle = false;
        QStringList seen;
        for (const int key : {Qt::Key_Down, Qt::Key_Return, Qt::Key_S, Qt::Key_Up, Qt::Key_Left}) { // the walk is pinned with the keys' rules
            QTest::keyClick(combo, Qt::Key(key));
            seen << QString::number(combo->count()) + changes(spy).last();
        }
        QCOMPARE(seen, (QStringList{"2T.:" + SelectSymbol, "4T.:" + SelectSymbol, "4T.S1:", "4T.:" + SelectSymbol, "2T.:" + SelectSymbol}));
        QCOMPARE(spy.size(), 6);
    }

    // More rows than 16 bits count, in "All Public" and in its sorted list.
    void tensOfThousandsOfSymbols()
    {
        CoreBuilder core;
        const QuenHandle bulk = core.table("Bulk");
        for (int i = 39999; i >= 0; --i)
            CoreBuilder::parm(bulk, numbered(i).toUtf8().constData(), "CQuenInt32");
        SymbolSelector selector;
        selector.Refresh();
        activate(selector, "All Public");
        QCOMPARE(comboOf(selector)->count(), 40002);
        activate(selector, numbered(39999));
        QCOMPARE(comboOf(selector)->currentIndex(), 40000);
        selector.setCompact(false);
        QCOMPARE(listOf(selector, "SortedSymbolList")->currentIndex().row(), 39999);
    }

    // Every key loads and saves; missing keys load their defaults and give the local reference back.
    void persistence()
    {
        const auto saved = [](const SymbolSelector& s) {
            QStringList pairs;
            const QVariantMap map = s.saveProperties();
            for (auto it = map.begin(); it != map.end(); ++it)
                pairs << it.key() + '=' + it.value().toString();
            return pairs.join(' ');
        };
        const QString defaults = "Compact=true Enabled=true Filter= LocalHandle=0 LocalName=ActionLocals Separator=. Spacing=100";
        const QuenHandle locals = QuenPbDefCreate();
        SymbolSelector selector;
        QCOMPARE(saved(selector), defaults);
        selector.loadProperties({{"Filter", "CQuenReal64"}, {"Compact", false}, {"Enabled", false}, {"Separator", "/"}, {"Spacing", 240},
                                 {"LocalName", "Mine"}, {"LocalHandle", locals}});
        QCOMPARE(saved(selector), QStringLiteral("Compact=false Enabled=false Filter=CQuenReal64 LocalHandle=%1 LocalName=Mine Separator=/ Spacing=240").arg(locals));
        QuenPbDefRelease(locals);
        selector.loadProperties({});
        QCOMPARE(saved(selector), defaults);
        QVERIFY(!blockIsAlive(locals));
    }

    void changeSignals_data()
    {
        // notified: the properties whose signal fires, once each
        VeltTest::columns<SelectorStep, QStringList>({"step", "notified"});
        const QStringList choice{"TableName", "SymbolName", "FullName"};
        const QStringList symbol{"SymbolName", "FullName"};
        const auto row = [](const char* name, SelectorStep step, const QStringList& notified) { QTest::newRow(name) << step << notified; };
        row("Filter", [](SymbolSelector& s, QuenHandle) { s.setFilter("CQuenReal64"); }, {"Filter"});
        row("Enabled", [](SymbolSelector& s, QuenHandle) { s.setEnabled(false); }, {"Enabled"});
        row("Separator", [](SymbolSelector& s, QuenHandle) { s.setSeparator("/"); }, {"Separator", "FullName"});
        row("LocalHandle", [](SymbolSelector& s, QuenHandle locals) { s.setLocalHandle(locals); }, {"LocalHandle"});
        row("LocalHandle not a block", [](SymbolSelector& s, QuenHandle) { s.setLocalHandle(-5); }, {});
        row("TableName", [](SymbolSelector& s, QuenHandle) { s.setTableName("U"); }, choice);
        row("SymbolName", [](SymbolSelector& s, QuenHandle) { s.setSymbolName("R"); }, symbol);
        row("table chosen in the drop-down", [](SymbolSelector& s, QuenHandle) { activate(s, "U"); }, choice);
        row("table chosen in the list", [](SymbolSelector& s, QuenHandle) { s.setCompact(false); chooseInList(listOf(s, "TableList"), "U"); },
            QStringList{"Compact"} + choice);
        row("Refresh keeping the choice", [](SymbolSelector& s, QuenHandle) { s.Refresh(); }, {});
        row("Refresh after the table went", [](SymbolSelector& s, QuenHandle) { QuenTableRegRemoveTable(QuenTableRegFindTable("T", 1)); s.Refresh(); }, choice);
    }
    // Every watched property announces a change of its value, with the new value, and only then:
    // the same step again raises nothing. The lists' models stay consistent throughout.
    void changeSignals()
    {
        QFETCH(SelectorStep, step);
        QFETCH(QStringList, notified);
        CoreBuilder core;
        registry(core, "T: S R; U: X");
        const QuenHandle locals = core.block();
        SymbolSelector selector;
        Tester tables(listOf(selector, "TableList")->model(), Tester::FailureReportingMode::QtTest);
        Tester symbols(listOf(selector, "SymbolList")->model(), Tester::FailureReportingMode::QtTest);
        selector.setTableName("T");
        selector.setSymbolName("S");
        const QMetaObject* meta = selector.metaObject();
        QMap<QString, std::shared_ptr<QSignalSpy>> spies;
        for (int i = meta->propertyOffset(); i < meta->propertyCount(); ++i) {
            QVERIFY2(meta->property(i).hasNotifySignal(), meta->property(i).name());
            spies.insert(meta->property(i).name(), std::make_shared<QSignalSpy>(&selector, meta->property(i).notifySignal()));
        }
        for (int round = 1; round <= 2; ++round) {
            step(selector, locals);
            for (auto it = spies.cbegin(); it != spies.cend(); ++it) {
                const int expected = notified.contains(it.key()) ? 1 : 0;
                QVERIFY2(it.value()->size() == expected, qPrintable(QStringLiteral("%1: %2 signals in round %3").arg(it.key()).arg(it.value()->size()).arg(round)));
                if (expected)
                    QCOMPARE(it.value()->first().first(), selector.property(qPrintable(it.key())));
            }
        }
    }
};

QTEST_MAIN(SymbolSelectorTest)
#include "symbolselectortest.moc"
