// What the keyboard does on the closed compact drop-down of the symbol selector, decided from
// the entries and the current row alone. Walking keys (Up, Down, PageUp, PageDown, Home, End,
// and a typed character: the next entry starting with it) move to another entry without
// expanding or collapsing tables; Enter acts on the current entry like a click; Right expands
// and Left collapses the current table. Any other key, or a key with modifiers, goes to the
// combo box.
#pragma once

#include "velt_export.h"

#include <QString>
#include <Qt>

namespace Velt {

class SymbolEntryModel;

namespace SymbolComboKeys {

struct Action
{
    enum Kind { Pass, Walk, Activate };
    Kind kind = Pass;
    int row = -1; // Walk: the entry to choose (-1 or the current row: stay); Activate: the entry
};

// pageStep: the rows one PageUp or PageDown walks.
VELT_EXPORT Action action(const SymbolEntryModel& entries, int current, int key,
                          Qt::KeyboardModifiers modifiers, const QString& text, int pageStep);

// The entry `delta` rows from `current`, kept inside the list; from no entry, the first entry
// walking down and the last walking up. -1 in an empty list.
VELT_EXPORT int step(int current, int delta, int count);

// The next entry after `current`, wrapping, whose text starts with `text` (case aside);
// placeholders are skipped. -1 when there is none.
VELT_EXPORT int search(const SymbolEntryModel& entries, int current, const QString& text);

} // namespace SymbolComboKeys
} // namespace Velt
