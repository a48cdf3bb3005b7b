// The keyboard of the symbol selector's closed drop-down: which entry each key walks to, which
// keys act on the current entry, and which go to the combo box.
#include "symbolcombokeys_p.h"
#include "symbolentrymodel_p.h"

#include <QTest>

using Velt::SymbolEntry;
using Velt::SymbolEntryModel;
using Action = Velt::SymbolComboKeys::Action;

Q_DECLARE_METATYPE(Action::Kind)

namespace {

constexpr int PageStep = 3;

// All Public, T (expanded: S1, S2), U (expanded: its placeholder).
std::vector<SymbolEntry> entries()
{
    return {{SymbolEntry::Table, "All Public", 0, 0, false},
            {SymbolEntry::Table, "T", 1, 0, true},
            {SymbolEntry::Symbol, "S1", 1, 1, false},
            {SymbolEntry::Symbol, "S2", 1, 1, false},
            {SymbolEntry::Table, "U", 2, 0, true},
            {SymbolEntry::Placeholder, "<Empty>", 2, 1, false}};
}

} // namespace

class SymbolComboKeysTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void keys_data();
    void keys();
};

void SymbolComboKeysTest::keys_data()
{
    QTest::addColumn<bool>("empty");
    QTest::addColumn<int>("current");
    QTest::addColumn<int>("key");
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::addColumn<QString>("text");
    QTest::addColumn<Action::Kind>("kind");
    QTest::addColumn<int>("row");
    const Qt::KeyboardModifiers none;
    auto row = [&](const char* name, int current, int key, Action::Kind kind, int to,
                   Qt::KeyboardModifiers modifiers = {}, const QString& text = {}) {
        QTest::newRow(name) << false << current << key << modifiers << text << kind << to;
    };
    row("down from nothing: first", -1, Qt::Key_Down, Action::Walk, 0);
    row("up from nothing: last", -1, Qt::Key_Up, Action::Walk, 5);
    row("down", 1, Qt::Key_Down, Action::Walk, 2);
    row("down at the end stays", 5, Qt::Key_Down, Action::Walk, 5);
    row("up at the top stays", 0, Qt::Key_Up, Action::Walk, 0);
    row("page down", 0, Qt::Key_PageDown, Action::Walk, 3);
    row("page down stops at the end", 4, Qt::Key_PageDown, Action::Walk, 5);
    row("page up stops at the top", 2, Qt::Key_PageUp, Action::Walk, 0);
    row("home", 3, Qt::Key_Home, Action::Walk, 0);
    row("home from nothing", -1, Qt::Key_Home, Action::Walk, 0);
    row("end", 1, Qt::Key_End, Action::Walk, 5);
    row("end from nothing", -1, Qt::Key_End, Action::Walk, 5);
    row("keypad arrow", 1, Qt::Key_Down, Action::Walk, 2, Qt::KeypadModifier);
    row("enter on a symbol", 2, Qt::Key_Return, Action::Activate, 2);
    row("keypad enter on a table", 1, Qt::Key_Enter, Action::Activate, 1, Qt::KeypadModifier);
    row("enter on nothing", -1, Qt::Key_Return, Action::Pass, -1);
    row("right expands a collapsed table", 0, Qt::Key_Right, Action::Activate, 0);
    row("right on an expanded table", 1, Qt::Key_Right, Action::Pass, -1);
    row("left collapses an expanded table", 1, Qt::Key_Left, Action::Activate, 1);
    row("left on a collapsed table", 0, Qt::Key_Left, Action::Pass, -1);
    row("left on a symbol", 2, Qt::Key_Left, Action::Pass, -1);
    row("left on nothing", -1, Qt::Key_Left, Action::Pass, -1);
    row("letter: next entry starting with it", 2, Qt::Key_S, Action::Walk, 3, none, "s");
    row("letter wraps around", 3, Qt::Key_S, Action::Walk, 2, none, "S");
    row("letter from nothing", -1, Qt::Key_U, Action::Walk, 4, none, "u");
    row("placeholders are never found", 0, Qt::Key_Less, Action::Walk, -1, none, "<");
    row("letter without an entry stays", 0, Qt::Key_Z, Action::Walk, -1, none, "z");
    row("modifiers go to the combo box", 1, Qt::Key_Down, Action::Pass, -1, Qt::ControlModifier);
    row("shifted letter goes to the combo box", 1, Qt::Key_S, Action::Pass, -1,
        Qt::ShiftModifier, "S");
    row("unprintable key goes to the combo box", 1, Qt::Key_Tab, Action::Pass, -1, none, "\t");
    QTest::newRow("empty: down") << true << -1 << int(Qt::Key_Down) << none << QString()
                                 << Action::Walk << -1;
    QTest::newRow("empty: end") << true << -1 << int(Qt::Key_End) << none << QString()
                                << Action::Walk << -1;
    QTest::newRow("empty: letter") << true << -1 << int(Qt::Key_A) << none << QString("a")
                                   << Action::Walk << -1;
}

void SymbolComboKeysTest::keys()
{
    QFETCH(bool, empty);
    QFETCH(int, current);
    QFETCH(int, key);
    QFETCH(Qt::KeyboardModifiers, modifiers);
    QFETCH(QString, text);
    QFETCH(Action::Kind, kind);
    QFETCH(int, row);
    SymbolEntryModel model;
    if (!empty)
        model.setEntries(entries());
    const Action action =
        Velt::SymbolComboKeys::action(model, current, key, modifiers, text, PageStep);
    QCOMPARE(action.kind, kind);
    if (kind != Action::Pass)
        QCOMPARE(action.row, row);
}

QTEST_GUILESS_MAIN(SymbolComboKeysTest)
#include "symbolcombokeystest.moc"
