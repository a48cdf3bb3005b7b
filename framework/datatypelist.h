// DataTypeList: the entries of the data type selector, apart from any widget. One entry per
// dialog editor of the registry, in registry order, carrying its 1-based registry position;
// the object-lifetime class is never listed. The sorted presentation orders the same entries
// by display name. Typing a character in the sorted list cycles through the entries that begin
// with it (cycleTarget).
#pragma once

#include "velt_export.h"

#include <QList>
#include <QString>

namespace Velt {

struct DataTypeEntry
{
    QString dataClass;
    QString dataType; // the display name shown in the list
    int position = 0; // 1-based position of the dialog editor in the registry
};

class VELT_EXPORT DataTypeList
{
public:
    // The class the selector never offers, though an editor is registered for it.
    static const QString& hiddenClass();

    // Appends an entry for the registry's editor at `position`; skipped when the class is empty
    // or the hidden class.
    void add(const QString& dataClass, const QString& dataType, int position);
    void clear();

    // The entries in registry order, or sorted by display name (stable, case-insensitive).
    const QList<DataTypeEntry>& entries(bool sorted) const;

    // Row of the entry whose display name is `dataType` (exact), -1 when none.
    int rowOfType(const QString& dataType, bool sorted) const;

    // The row a typed character selects in a list of display names: searching after `current`
    // when the character is the first one of the current entry (case-insensitively), else from
    // the top, for the next entry beginning with the character, wrapping around. -1 when no
    // entry begins with it.
    static int cycleTarget(const QStringList& texts, int current, QChar typed);

private:
    QList<DataTypeEntry> m_entries;
    mutable QList<DataTypeEntry> m_sorted;
    mutable bool m_sortedValid = false;
};

} // namespace Velt
