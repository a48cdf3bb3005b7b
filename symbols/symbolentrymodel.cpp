#include "symbolentrymodel_p.h"

namespace Velt {

SymbolEntryModel::SymbolEntryModel(QObject* parent) : QAbstractListModel(parent) { }

void SymbolEntryModel::setTreeImages(const QIcon& collapsed, const QIcon& expanded)
{
    m_collapsed = collapsed;
    m_expanded = expanded;
    if (!m_entries.empty())
        Q_EMIT dataChanged(index(0), index(size() - 1), {Qt::DecorationRole});
}

int SymbolEntryModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : size();
}

QVariant SymbolEntryModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.model() != this || index.row() >= size())
        return {};
    const SymbolEntry& e = entry(index.row());
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
    case Qt::ToolTipRole:
        return e.text;
    case Qt::DecorationRole:
        if (e.kind == SymbolEntry::Table) {
            const QIcon& icon = e.expanded ? m_expanded : m_collapsed;
            if (!icon.isNull())
                return icon;
        }
        return {};
    case KindRole:
        return int(e.kind);
    case TableRole:
        return e.table;
    case IndentationRole:
        return e.indentation;
    case ExpandedRole:
        return e.expanded;
    default:
        return {};
    }
}

Qt::ItemFlags SymbolEntryModel::flags(const QModelIndex& index) const
{
    if (!index.isValid() || index.model() != this || index.row() >= size())
        return Qt::NoItemFlags;
    // A placeholder can be chosen in the drop-down (it stands for its table) but is never a
    // selectable symbol of a list.
    return Qt::ItemIsEnabled | Qt::ItemNeverHasChildren
        | (entry(index.row()).kind == SymbolEntry::Placeholder ? Qt::NoItemFlags
                                                                : Qt::ItemIsSelectable);
}

void SymbolEntryModel::setEntries(std::vector<SymbolEntry> entries)
{
    beginResetModel();
    m_entries = std::move(entries);
    endResetModel();
}

void SymbolEntryModel::insertAfter(int row, std::vector<SymbolEntry> entries)
{
    if (entries.empty() || row < -1 || row >= size())
        return;
    const std::size_t count = entries.size();
    if (count > std::size_t(INT_MAX) - m_entries.size())
        return; // more rows than a model can address
    const int first = row + 1;
    beginInsertRows(QModelIndex(), first, first + int(count) - 1);
    m_entries.insert(m_entries.begin() + first, std::make_move_iterator(entries.begin()),
                     std::make_move_iterator(entries.end()));
    endInsertRows();
}

int SymbolEntryModel::removeChildren(int row)
{
    if (row < 0 || row >= size())
        return 0;
    int last = row;
    while (last + 1 < size() && entry(last + 1).kind != SymbolEntry::Table)
        ++last;
    if (last == row)
        return 0;
    beginRemoveRows(QModelIndex(), row + 1, last);
    m_entries.erase(m_entries.begin() + row + 1, m_entries.begin() + last + 1);
    endRemoveRows();
    return last - row;
}

void SymbolEntryModel::setExpanded(int row, bool expanded)
{
    if (row < 0 || row >= size() || m_entries[std::size_t(row)].expanded == expanded)
        return;
    m_entries[std::size_t(row)].expanded = expanded;
    const QModelIndex changed = index(row);
    Q_EMIT dataChanged(changed, changed, {Qt::DecorationRole, ExpandedRole});
}

int SymbolEntryModel::tableRow(int table) const
{
    for (int row = 0; row < size(); ++row) {
        const SymbolEntry& e = entry(row);
        if (e.kind == SymbolEntry::Table && e.table == table)
            return row;
    }
    return -1;
}

int SymbolEntryModel::symbolRow(int table, const QString& name, int from) const
{
    for (int row = std::max(from, 0); row < size(); ++row) {
        const SymbolEntry& e = entry(row);
        if (e.kind == SymbolEntry::Symbol && e.table == table && e.text == name)
            return row;
    }
    return -1;
}

} // namespace Velt
