// SymbolEntryModel: the flat list model behind every view of the symbol selector: the entries of
// the compact drop-down (tables, their symbols indented below them, placeholders) and the table
// and symbol lists of the full presentation. Entries are plain values held in one vector;
// expanding a table inserts its symbols with one beginInsertRows, so tens of thousands of
// symbols cost one model operation and no widget work.
#pragma once

#include "velt_export.h"

#include <QAbstractListModel>
#include <QIcon>
#include <QString>

#include <vector>

namespace Velt {

struct SymbolEntry
{
    enum Kind : quint8 { Table, Symbol, Placeholder };
    Kind kind = Symbol;
    QString text;
    int table = -1;        // the table this entry is, or belongs to (an index of the selector's tables)
    int indentation = 0;   // in steps
    bool expanded = false; // tables only
};

class VELT_EXPORT SymbolEntryModel final : public QAbstractListModel
{
    Q_OBJECT

public:
    enum Role { KindRole = Qt::UserRole + 1, TableRole, IndentationRole, ExpandedRole };

    explicit SymbolEntryModel(QObject* parent = nullptr);

    // Pictures of table entries (none by default: the full presentation shows none).
    void setTreeImages(const QIcon& collapsed, const QIcon& expanded);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    const SymbolEntry& entry(int row) const { return m_entries[std::size_t(row)]; }
    int size() const { return int(m_entries.size()); }

    void setEntries(std::vector<SymbolEntry> entries);
    void clear() { setEntries({}); }
    // Inserts `entries` right after `row` (row -1 inserts at the top) in one operation.
    void insertAfter(int row, std::vector<SymbolEntry> entries);
    // Removes the entries after `row` up to the next table entry; returns how many.
    int removeChildren(int row);
    void setExpanded(int row, bool expanded);

    // The row of the table entry for table index `table`, or -1.
    int tableRow(int table) const;
    // The row of the symbol `name` among the entries after `from` that belong to `table`, or -1.
    int symbolRow(int table, const QString& name, int from = 0) const;

private:
    std::vector<SymbolEntry> m_entries;
    QIcon m_collapsed;
    QIcon m_expanded;
};

} // namespace Velt
