// SymbolSelector against real symbol tables of the core: both presentations showing the choice
// and handing the user's choices to it, the Change and DblClick events, the keyboard,
// persistence and a list of tens of thousands of symbols. What is listed and reported is pinned
// in symbolchoicetest.cpp.
#include "symbolselector.h"

#include "componentregistry.h"
#include "datatypenames.h"
#include "fixture.h"
#include "symboltables.h"

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QComboBox>
#include <QIcon>
#include <QListView>
#include <QMouseEvent>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QTest>

#include <functional>
#include <memory>

using namespace symboltest;

namespace {

constexpr int KindRole = Qt::UserRole + 1;
constexpr int IndentationRole = Qt::UserRole + 3;
constexpr int ExpandedRole = Qt::UserRole + 4;
constexpr int PlaceholderKind = 2;

QString testDataTypeName(const QString& dataClass)
{
    return dataClass == u"CQuenInt32" ? QStringLiteral("Integer (32 bit)") : QString();
}

QComboBox* comboOf(SymbolSelector& s) { return s.findChild<QComboBox*>("SymbolTableCombo"); }
QListView* listOf(SymbolSelector& s, const char* name) { return s.findChild<QListView*>(name); }

QStringList texts(const QAbstractItemModel* model)
{
    QStringList result;
    for (int row = 0; row < model->rowCount(); ++row)
        result << model->index(row, 0).data().toString();
    return result;
}

int comboRow(SymbolSelector& s, const QString& text)
{
    return comboOf(s)->findText(text, Qt::MatchExactly);
}

void activate(SymbolSelector& s, const QString& text)
{
    const int row = comboRow(s, text);
    QVERIFY2(row >= 0, qPrintable(text));
    Q_EMIT comboOf(s)->activated(row);
}

void chooseInList(QListView* list, const QString& text)
{
    const QModelIndexList found =
        list->model()->match(list->model()->index(0, 0), Qt::DisplayRole, text, 1, Qt::MatchExactly);
    QVERIFY2(!found.isEmpty(), qPrintable(text));
    list->setCurrentIndex(found.first());
}

// What the platform delivers for a double click: press, release, press, double click, release.
void doubleClick(QWidget* widget, QPoint pos)
{
    QTest::mouseClick(widget, Qt::LeftButton, {}, pos);
    QTest::mousePress(widget, Qt::LeftButton, {}, pos);
    QMouseEvent event(QEvent::MouseButtonDblClick, pos, widget->mapToGlobal(pos), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
    QTest::mouseRelease(widget, Qt::LeftButton, {}, pos);
}

QImage iconImage(const QVariant& icon)
{
    return qvariant_cast<QIcon>(icon).pixmap(QSize(16, 16)).toImage();
}

QList<QVariant> change(const QString& table, const QString& symbol, const QString& message)
{
    return {table, symbol, message};
}

// One message per choice rule, to prove the wiring; the rules are pinned with SymbolChoice.
const QString SelectSymbol = QStringLiteral("Please select a symbol from available symbols");
const QString TableEmpty = QStringLiteral("Table Empty - Please select another symbol table");
const QString SelectTable = QStringLiteral("Please select a table from avaliable tables");

} // namespace

class SymbolSelectorTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init() { fixture.begin(); }
    void cleanup();
    void cleanupTestCase();

    void bothPresentationsWire_data();
    void bothPresentationsWire();
    void noTableChosenMessage();
    void expandAndCollapseInPlace();
    void placeholder();
    void settingTheTableAgainAppliesTheFilter_data() { bothPresentationsWire_data(); }
    void settingTheTableAgainAppliesTheFilter();
    void doubleClickOnSymbolOnly();
    void keyboardWalksEntries();
    void keyEventsMayBeChangedOrSwallowed();
    void tensOfThousandsOfSymbols();
    void modelsStayConsistent();
    void convertsCoreStrings_data();
    void convertsCoreStrings();
    void persistence();
    void registeredAsVisibleControl();
    void changeSignals_data();
    void changeSignals();

private:
    VeltTest::Fixture fixture;
    Velt::DataTypeNameLookup m_libraryNames = nullptr;
};

void SymbolSelectorTest::initTestCase()
{
    QuenTableRegClear();
    // The display names the selector is handed, without the editor registry above it.
    m_libraryNames = Velt::setDataTypeNameLookup(&testDataTypeName);
}

void SymbolSelectorTest::cleanup()
{
    QuenTableRegClear(); // tables a test left to the registry
    fixture.end();
}

void SymbolSelectorTest::cleanupTestCase() { Velt::setDataTypeNameLookup(m_libraryNames); }

void SymbolSelectorTest::bothPresentationsWire_data()
{
    QTest::addColumn<bool>("compact");
    QTest::newRow("compact") << true;
    QTest::newRow("full") << false;
}

// "All Public" lists the sorted symbols in the drop-down or its own list; choices reach Change.
void SymbolSelectorTest::bothPresentationsWire()
{
    QFETCH(bool, compact);
    CoreBuilder core;
    registry(core, "B: delta Alpha; A: charlie ~Able bravo; -Private: Aardvark");
    SymbolSelector selector;
    selector.setCompact(compact);
    selector.Refresh();
    QSignalSpy changes(&selector, &SymbolSelector::Change);
    const QStringList sorted{"Alpha", "bravo", "charlie", "delta"};
    if (compact) {
        activate(selector, "All Public");
        QCOMPARE(texts(comboOf(selector)->model()).mid(1, 4), sorted);
        activate(selector, "charlie");
    } else {
        chooseInList(listOf(selector, "TableList"), "All Public");
        QListView* sortedList = listOf(selector, "SortedSymbolList");
        QVERIFY(!sortedList->isHidden());
        QVERIFY(listOf(selector, "SymbolList")->isHidden());
        QCOMPARE(texts(sortedList->model()), sorted);
        chooseInList(sortedList, "charlie");
    }
    QCOMPARE(changes.size(), 2);
    QCOMPARE(changes.at(0), change("", "", SelectSymbol));
    QCOMPARE(changes.at(1), change("", "charlie", ""));
    QCOMPARE(selector.FullName(), QString("charlie"));
}

void SymbolSelectorTest::noTableChosenMessage()
{
    CoreBuilder core;
    table(core, "T", "S");
    SymbolSelector selector;
    QCOMPARE(comboOf(selector)->placeholderText(), QString("<No Table>"));
    QCOMPARE(comboOf(selector)->toolTip(), QString("<No Table>.<No Symbol>"));
    selector.setTableName("T");
    selector.setSymbolName("S");
    QSignalSpy changes(&selector, &SymbolSelector::Change);
    selector.setTableName("Nowhere");
    QCOMPARE(changes.size(), 1);
    QCOMPARE(changes.first(), change("", "", SelectTable));
    QCOMPARE(comboOf(selector)->currentIndex(), -1);
}

void SymbolSelectorTest::expandAndCollapseInPlace()
{
    CoreBuilder core;
    registry(core, "First: A1 A2 A3; Second: B1");
    SymbolSelector selector;
    selector.Refresh();
    QAbstractItemModel* model = comboOf(selector)->model();
    QAbstractItemModelTester tester(model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    QSignalSpy inserted(model, &QAbstractItemModel::rowsInserted);
    QSignalSpy removed(model, &QAbstractItemModel::rowsRemoved);
    const int first = comboRow(selector, "First");
    const QImage collapsed = iconImage(model->index(first, 0).data(Qt::DecorationRole));
    QVERIFY(!collapsed.isNull());

    activate(selector, "First");
    QCOMPARE(inserted.size(), 1);
    QCOMPARE(inserted.first().at(1).toInt(), first + 1);
    QCOMPARE(inserted.first().at(2).toInt(), first + 3);
    QCOMPARE(texts(model), (QStringList{"All Public", "First", "A1", "A2", "A3", "Second"}));
    QCOMPARE(model->index(first, 0).data(IndentationRole).toInt(), 0);
    QCOMPARE(model->index(first + 1, 0).data(IndentationRole).toInt(), 1);
    QVERIFY(model->index(first, 0).data(ExpandedRole).toBool());
    const QImage expanded = iconImage(model->index(first, 0).data(Qt::DecorationRole));
    QVERIFY(expanded != collapsed);
    QCOMPARE(iconImage(model->index(comboRow(selector, "Second"), 0).data(Qt::DecorationRole)),
             collapsed);

    // A second table expands independently; choosing a symbol keeps both open.
    activate(selector, "Second");
    activate(selector, "A2");
    QCOMPARE(texts(model), (QStringList{"All Public", "First", "A1", "A2", "A3", "Second", "B1"}));
    QCOMPARE(comboOf(selector)->currentText(), QString("A2"));
    QCOMPARE(selector.FullName(), QString("First.A2"));

    // Choosing the expanded table collapses it and chooses it without a symbol.
    activate(selector, "First");
    QCOMPARE(removed.size(), 1);
    QCOMPARE(texts(model), (QStringList{"All Public", "First", "Second", "B1"}));
    QVERIFY(!model->index(first, 0).data(ExpandedRole).toBool());
    QCOMPARE(iconImage(model->index(first, 0).data(Qt::DecorationRole)), collapsed);
    QCOMPARE(selector.TableName(), QString("First"));
    QCOMPARE(selector.SymbolName(), QString());

    // Setting a symbol of a collapsed table opens the table to show it.
    selector.setSymbolName("A3");
    QCOMPARE(comboOf(selector)->currentText(), QString("A3"));

}

void SymbolSelectorTest::placeholder()
{
    CoreBuilder core;
    table(core, "Strings", "Text=CQuenString");
    SymbolSelector selector;
    selector.setFilter("CQuenInt32");
    selector.Refresh();
    QSignalSpy changes(&selector, &SymbolSelector::Change);
    activate(selector, "Strings");
    const QAbstractItemModel* model = comboOf(selector)->model();
    const int row = comboRow(selector, "Strings") + 1;
    QCOMPARE(model->rowCount(), row + 1);
    QCOMPARE(model->index(row, 0).data().toString(), QString("<No Integer (32 bit) found>"));
    QCOMPARE(model->index(row, 0).data(KindRole).toInt(), PlaceholderKind);

    // Choosing the placeholder chooses its table, which offers nothing.
    activate(selector, "<No Integer (32 bit) found>");
    QCOMPARE(changes.last(), change("Strings", "", TableEmpty));
    QCOMPARE(comboOf(selector)->currentText(), QString("Strings"));

    selector.setCompact(false);
    QCOMPARE(texts(listOf(selector, "SymbolList")->model()), QStringList{"<None>"});
    QVERIFY(!(listOf(selector, "SymbolList")->model()->index(0, 0).flags() & Qt::ItemIsSelectable));
}

void SymbolSelectorTest::settingTheTableAgainAppliesTheFilter()
{
    QFETCH(bool, compact);
    CoreBuilder core;
    table(core, "T", "Count Gain=CQuenReal64");
    SymbolSelector selector;
    selector.setCompact(compact);
    selector.setTableName("T");
    selector.setSymbolName("Gain");
    QSignalSpy changes(&selector, &SymbolSelector::Change);

    selector.setFilter("CQuenInt32");
    selector.setTableName("T");
    QCOMPARE(changes.size(), 1);
    QCOMPARE(changes.first(), change("T", "", SelectSymbol));
    if (compact) {
        // The drop-down starts collapsed again; T expands into what the filter lets through.
        QCOMPARE(texts(comboOf(selector)->model()), (QStringList{"All Public", "T"}));
        activate(selector, "T");
        QCOMPARE(texts(comboOf(selector)->model()), (QStringList{"All Public", "T", "Count"}));
    } else {
        QCOMPARE(texts(listOf(selector, "SymbolList")->model()), QStringList{"Count"});
    }
}

void SymbolSelectorTest::doubleClickOnSymbolOnly()
{
    CoreBuilder core;
    registry(core, "T: S1 S2; Bare:");
    SymbolSelector selector;
    selector.setCompact(false);
    selector.resize(400, 200);
    selector.show();
    QVERIFY(QTest::qWaitForWindowExposed(&selector));
    QSignalSpy changes(&selector, &SymbolSelector::Change);
    QSignalSpy doubleClicks(&selector, &SymbolSelector::DblClick);

    chooseInList(listOf(selector, "TableList"), "T");
    QListView* list = listOf(selector, "SymbolList");
    QApplication::processEvents(); // lays the entries out
    const QRect second = list->visualRect(list->model()->index(1, 0));
    doubleClick(list->viewport(), second.center());
    QCOMPARE(doubleClicks.size(), 1);
    QCOMPARE(changes.last(), change("T", "S2", ""));

    chooseInList(listOf(selector, "TableList"), "Bare");
    QApplication::processEvents();
    const QRect none = list->visualRect(list->model()->index(0, 0));
    doubleClick(list->viewport(), none.center());
    QCOMPARE(doubleClicks.size(), 1);
    QCOMPARE(changes.last(), change("Bare", "", TableEmpty));
}

void SymbolSelectorTest::keyboardWalksEntries()
{
    CoreBuilder core;
    table(core, "T", "S1 S2");
    SymbolSelector selector;
    selector.show();
    QVERIFY(QTest::qWaitForWindowExposed(&selector));
    QComboBox* combo = comboOf(selector);
    QSignalSpy changes(&selector, &SymbolSelector::Change);

    QTest::keyClick(combo, Qt::Key_Down); // All Public
    QTest::keyClick(combo, Qt::Key_Down); // T, not expanded by walking onto it
    QCOMPARE(changes.size(), 2);
    QCOMPARE(changes.last(), change("T", "", SelectSymbol));
    QCOMPARE(combo->count(), 2);

    QTest::keyClick(combo, Qt::Key_Return); // expands
    QCOMPARE(texts(combo->model()), (QStringList{"All Public", "T", "S1", "S2"}));
    QTest::keyClick(combo, Qt::Key_End);
    QCOMPARE(changes.last(), change("T", "S2", ""));
    QTest::keyClick(combo, Qt::Key_Up);
    QTest::keyClick(combo, Qt::Key_Up); // back on the table: stays expanded
    QCOMPARE(combo->count(), 4);
    QTest::keyClick(combo, Qt::Key_Left); // collapses
    QCOMPARE(combo->count(), 2);
    QTest::keyClick(combo, Qt::Key_Right); // expands
    QCOMPARE(combo->count(), 4);
    QTest::keyClick(combo, Qt::Key_Home);
    // Typing jumps to the next entry starting with the text, without expanding.
    QTest::keyClicks(combo, "s");
    QCOMPARE(changes.last(), change("T", "S1", ""));
    QCOMPARE(combo->count(), 4);
    QTest::keyClick(combo, Qt::Key_Home);

    // The full presentation's lists follow the arrow keys.
    selector.setCompact(false);
    QListView* tables = listOf(selector, "TableList");
    QCOMPARE(tables->currentIndex().row(), 0);
    QTest::keyClick(tables, Qt::Key_Down);
    QCOMPARE(changes.last(), change("T", "", SelectSymbol));
    QListView* symbols = listOf(selector, "SymbolList");
    QTest::keyClick(symbols, Qt::Key_Down);
    QCOMPARE(changes.last(), change("T", "S1", ""));
}

void SymbolSelectorTest::keyEventsMayBeChangedOrSwallowed()
{
    CoreBuilder core;
    table(core, "T", "S1");
    SymbolSelector selector;
    selector.show();
    QVERIFY(QTest::qWaitForWindowExposed(&selector));
    QComboBox* combo = comboOf(selector);
    QSignalSpy changes(&selector, &SymbolSelector::Change);
    QList<int> downs, presses, ups, shifts;
    bool swallowDown = false;
    bool turnUpIntoDown = false;
    // The by-reference forms; the late-bound ones (an object per event) are for scripts.
    const auto keyDown = qOverload<int*, int*>(&SymbolSelector::KeyDown);
    connect(&selector, keyDown, this, [&](int* keyCode, int* shift) {
        downs << *keyCode;
        shifts << *shift;
        if (swallowDown && *keyCode == Qt::Key_Down)
            *keyCode = 0;
        if (turnUpIntoDown && *keyCode == Qt::Key_Up)
            *keyCode = Qt::Key_Down;
    });
    connect(&selector, qOverload<int*>(&SymbolSelector::KeyPress), this,
            [&](int* keyAscii) { presses << *keyAscii; });
    connect(&selector, qOverload<int*, int*>(&SymbolSelector::KeyUp), this,
            [&](int* keyCode, int*) { ups << *keyCode; });

    QTest::keyClick(combo, 'Q', Qt::ShiftModifier); // no entry starts with it
    // The Shift key itself comes first and goes last.
    QCOMPARE(downs, (QList<int>{Qt::Key_Shift, Qt::Key_Q}));
    QCOMPARE(shifts.last(), 1);
    QCOMPARE(presses, QList<int>{'Q'});
    QCOMPARE(ups, (QList<int>{Qt::Key_Q, Qt::Key_Shift}));

    swallowDown = true;
    QTest::keyClick(combo, Qt::Key_Down);
    QCOMPARE(changes.size(), 0);
    swallowDown = false;

    turnUpIntoDown = true;
    QTest::keyClick(combo, Qt::Key_Up);
    QCOMPARE(changes.size(), 1);
    QCOMPARE(changes.last(), change("", "", SelectSymbol));
    QTest::keyClick(combo, Qt::Key_Down, Qt::ControlModifier | Qt::AltModifier);
    QCOMPARE(shifts.last(), 6);
}

void SymbolSelectorTest::tensOfThousandsOfSymbols()
{
    constexpr int Tables = 4;
    constexpr int PerTable = 5000;
    CoreBuilder core;
    for (int t = 0; t < Tables; ++t) {
        const QuenHandle bulk = core.table(("Bulk" + QByteArray::number(t)).constData());
        // Interleaved names, so that "All Public" has to sort across tables.
        for (int i = 0; i < PerTable; ++i)
            CoreBuilder::parm(bulk, numberedName("S", i * Tables + t).constData(), "CQuenInt32");
    }
    SymbolSelector selector;
    selector.Refresh();
    QAbstractItemModel* model = comboOf(selector)->model();
    QAbstractItemModelTester tester(model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    QSignalSpy inserted(model, &QAbstractItemModel::rowsInserted);
    activate(selector, "All Public");
    QCOMPARE(inserted.size(), 1);
    QCOMPARE(model->rowCount(), 1 + Tables * PerTable + Tables);
    for (const int i : {0, 1, 4711, Tables * PerTable - 1})
        QCOMPARE(model->index(1 + i, 0).data().toString(), QString(numberedName("S", i)));

    QSignalSpy changes(&selector, &SymbolSelector::Change);
    activate(selector, numberedName("S", 12345));
    QCOMPARE(changes.last(), change("", QString(numberedName("S", 12345)), ""));
    QCOMPARE(selector.FullName(), QString(numberedName("S", 12345)));

    selector.setCompact(false);
    QListView* sorted = listOf(selector, "SortedSymbolList");
    QCOMPARE(sorted->model()->rowCount(), Tables * PerTable);
    QCOMPARE(sorted->currentIndex().row(), 12345);
    sorted->setCurrentIndex(sorted->model()->index(19999, 0));
    QCOMPARE(selector.SymbolName(), QString(numberedName("S", 19999)));

    selector.setTableName("Bulk3");
    QCOMPARE(listOf(selector, "SymbolList")->model()->rowCount(), PerTable);
    selector.setSymbolName(numberedName("S", 4 * 4999 + 3));
    QCOMPARE(selector.FullName(), "Bulk3." + QString(numberedName("S", 19999)));
}

void SymbolSelectorTest::modelsStayConsistent()
{
    CoreBuilder core;
    const QuenHandle t = table(core, "T", "b a c=CQuenString");
    table(core, "U");
    SymbolSelector selector;
    selector.setLocalHandle(locals(core, "L"));
    std::vector<std::unique_ptr<QAbstractItemModelTester>> testers;
    for (QAbstractItemModel* model :
         {comboOf(selector)->model(), listOf(selector, "TableList")->model(),
          listOf(selector, "SymbolList")->model(), listOf(selector, "SortedSymbolList")->model()}) {
        testers.push_back(std::make_unique<QAbstractItemModelTester>(
            model, QAbstractItemModelTester::FailureReportingMode::QtTest));
    }
    selector.Refresh();
    for (const char* entry : {"All Public", "T", "a", "U", "ActionLocals", "T"})
        activate(selector, entry);
    selector.setCompact(false);
    for (const char* entry : {"All Public", "T", "U", "ActionLocals"})
        chooseInList(listOf(selector, "TableList"), entry);
    selector.setTableName("T");
    selector.setSymbolName("c");
    QVERIFY(QuenPbDefReleaseParm(t, "c"));
    selector.setFilter("CQuenInt32");
    selector.Refresh();
    QCOMPARE(texts(listOf(selector, "SymbolList")->model()), (QStringList{"b", "a"}));
    selector.setCompact(true);
    selector.setLocalHandle(0);
    selector.Refresh();
    QCOMPARE(texts(comboOf(selector)->model()), (QStringList{"All Public", "T", "U"}));
}

void SymbolSelectorTest::convertsCoreStrings_data()
{
    QTest::addColumn<QByteArray>("utf8");
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("ascii") << QByteArray("Station.Voltage");
    QTest::newRow("utf-8") << QByteArray("\xce\xa9 r\xc3\xa9sistance");
}

void SymbolSelectorTest::convertsCoreStrings()
{
    QFETCH(QByteArray, utf8);
    SymbolSelector selector;
    QCOMPARE(selector.ConvertLpcstrToString(utf8), QString::fromUtf8(utf8));
    QCOMPARE(SymbolSelector::ConvertLpcstrToString(static_cast<const char*>(nullptr)), QString());
    // The late-bound member is the one scripts reach.
    QString viaMetaObject;
    QVERIFY(QMetaObject::invokeMethod(&selector, "ConvertLpcstrToString",
                                      Q_RETURN_ARG(QString, viaMetaObject), Q_ARG(QByteArray, utf8)));
    QCOMPARE(viaMetaObject, QString::fromUtf8(utf8));
}

void SymbolSelectorTest::persistence()
{
    const QVariantMap defaults{{"Filter", ""},     {"Compact", true},
                               {"Enabled", true},  {"Separator", "."},
                               {"Spacing", 100},   {"LocalName", "ActionLocals"},
                               {"LocalHandle", 0}};
    auto normalised = [](QVariantMap map) {
        for (auto it = map.begin(); it != map.end(); ++it)
            it.value() = it.value().toString();
        return map;
    };
    SymbolSelector fresh;
    QCOMPARE(normalised(fresh.saveProperties()), normalised(defaults));

    const QuenHandle locals = QuenPbDefCreate();
    {
        SymbolSelector changed;
        changed.setFilter("CQuenReal64");
        changed.setCompact(false);
        changed.setEnabled(false);
        changed.setSeparator("/");
        changed.setSpacing(240);
        changed.setLocalName("Mine");
        changed.setLocalHandle(locals);
        const QVariantMap saved = changed.saveProperties();

        SymbolSelector loaded;
        loaded.loadProperties(saved);
        QCOMPARE(normalised(loaded.saveProperties()), normalised(saved));
        QVERIFY(!loaded.Compact());
        QVERIFY(!loaded.isEnabled());
        QCOMPARE(loaded.Spacing(), qint16(240));

        // Missing keys load their defaults, and the local reference is given back.
        loaded.loadProperties({});
        QCOMPARE(normalised(loaded.saveProperties()), normalised(defaults));
        QVERIFY(blockIsAlive(locals));
    }
    QuenPbDefRelease(locals);
    QVERIFY(!blockIsAlive(locals));
}

void SymbolSelectorTest::registeredAsVisibleControl()
{
    const auto* info = Velt::ComponentRegistry::instance().find("VeltEditors.SymbolSelector");
    QVERIFY(info);
    QCOMPARE(info->kind, Velt::ComponentRegistry::Kind::VisibleControl);
    QCOMPARE(info->events, (QStringList{"KeyDown(KeyCode, Shift)", "KeyPress(KeyAscii)",
                                        "KeyUp(KeyCode, Shift)",
                                        "Change(TableName, SymbolName, ErrorMessage)",
                                        "DblClick()"}));
    std::unique_ptr<QObject> created(Velt::ComponentRegistry::instance().create(info->classId));
    QVERIFY(qobject_cast<SymbolSelector*>(created.get()));
}

// A change made to a selector that has table "T" and its symbol "S" chosen; `locals` is a block
// the step may hand to LocalHandle.
using SelectorStep = std::function<void(SymbolSelector&, QuenHandle locals)>;
Q_DECLARE_METATYPE(SelectorStep)

void SymbolSelectorTest::changeSignals_data()
{
    QTest::addColumn<SelectorStep>("step");
    QTest::addColumn<QStringList>("notified"); // the properties whose signal fires, once each

    const QStringList choice{"TableName", "SymbolName", "FullName"};
    const QStringList symbol{"SymbolName", "FullName"};
    auto row = [](const char* name, SelectorStep step, const QStringList& notified) {
        QTest::newRow(name) << step << notified;
    };
    row("Filter", [](SymbolSelector& s, QuenHandle) { s.setFilter("CQuenReal64"); }, {"Filter"});
    row("Compact", [](SymbolSelector& s, QuenHandle) { s.setCompact(false); }, {"Compact"});
    row("Enabled", [](SymbolSelector& s, QuenHandle) { s.setEnabled(false); }, {"Enabled"});
    row("Separator", [](SymbolSelector& s, QuenHandle) { s.setSeparator("/"); },
        {"Separator", "FullName"});
    row("Spacing", [](SymbolSelector& s, QuenHandle) { s.setSpacing(240); }, {"Spacing"});
    row("LocalName", [](SymbolSelector& s, QuenHandle) { s.setLocalName("Mine"); }, {"LocalName"});
    row("LocalHandle", [](SymbolSelector& s, QuenHandle locals) { s.setLocalHandle(locals); },
        {"LocalHandle"});
    row("LocalHandle not a block", [](SymbolSelector& s, QuenHandle) { s.setLocalHandle(-5); }, {});
    row("TableName", [](SymbolSelector& s, QuenHandle) { s.setTableName("U"); }, choice);
    row("TableName All Public", [](SymbolSelector& s, QuenHandle) { s.setTableName(""); }, choice);
    row("SymbolName", [](SymbolSelector& s, QuenHandle) { s.setSymbolName("R"); }, symbol);
    row("table chosen in the drop-down", [](SymbolSelector& s, QuenHandle) { activate(s, "U"); },
        choice);
    row("symbol chosen in the drop-down", [](SymbolSelector& s, QuenHandle) { activate(s, "R"); },
        symbol);
    row("table chosen in the list",
        [](SymbolSelector& s, QuenHandle) {
            s.setCompact(false);
            chooseInList(listOf(s, "TableList"), "U");
        },
        QStringList{"Compact"} + choice);
    row("symbol chosen in the list",
        [](SymbolSelector& s, QuenHandle) {
            s.setCompact(false);
            chooseInList(listOf(s, "SymbolList"), "R");
        },
        QStringList{"Compact"} + symbol);
    row("Refresh keeping the choice", [](SymbolSelector& s, QuenHandle) { s.Refresh(); }, {});
    row("Refresh after the table went",
        [](SymbolSelector& s, QuenHandle) {
            QuenTableRegRemoveTable(QuenTableRegFindTable("T", 1));
            QuenExcRegClearError(0);
            s.Refresh();
        },
        choice);
}

// Every watched property announces a change of its value, with the new value, and only then:
// doing the same step again (setting the same value, choosing the same entry) raises nothing.
void SymbolSelectorTest::changeSignals()
{
    QFETCH(SelectorStep, step);
    QFETCH(QStringList, notified);
    CoreBuilder core;
    QVERIFY(table(core, "T", "S R"));
    QVERIFY(table(core, "U", "X"));
    const QuenHandle locals = symboltest::locals(core, QString());
    {
        SymbolSelector selector;
        selector.setTableName("T");
        selector.setSymbolName("S");

        const QMetaObject* meta = selector.metaObject();
        QMap<QString, std::shared_ptr<QSignalSpy>> spies;
        for (int i = meta->propertyOffset(); i < meta->propertyCount(); ++i) {
            const QMetaProperty property = meta->property(i);
            QVERIFY2(property.hasNotifySignal(), property.name());
            spies.insert(property.name(),
                         std::make_shared<QSignalSpy>(&selector, property.notifySignal()));
        }
        QVERIFY(spies.contains("Enabled"));
        for (const QString& name : notified)
            QVERIFY2(spies.contains(name), qPrintable(name));

        for (int round = 0; round < 2; ++round) {
            step(selector, locals);
            for (auto it = spies.cbegin(); it != spies.cend(); ++it) {
                const QSignalSpy& spy = *it.value();
                const int expected = notified.contains(it.key()) ? 1 : 0;
                QVERIFY2(spy.size() == expected,
                         qPrintable(QStringLiteral("%1: %2 signals in round %3")
                                        .arg(it.key()).arg(spy.size()).arg(round + 1)));
                if (expected)
                    QCOMPARE(spy.first().first(), selector.property(qPrintable(it.key())));
            }
        }
    }
}

QTEST_MAIN(SymbolSelectorTest)
#include "symbolselectortest.moc"
