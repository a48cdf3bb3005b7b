#include "parmblockmodel.h"

#include "xcstructeditfield.h"
#include "xcstructeditfields.h"

#include <algorithm>

namespace Velt {

struct ParmBlockModel::RowCache
{
    int row = 0;
    int childCount = -1; // unknown until first bound
    int slot = -1;       // the pooled collection bound to it, or -1
};

struct ParmBlockModel::Slot
{
    XCStructEditFields* fields = nullptr;
    RowCache* owner = nullptr;
    quint64 lastUse = 0;
};

ParmBlockModel::ParmBlockModel(ParmBlockSession& session, QObject* parent)
    : QAbstractItemModel(parent), m_session(session)
{
    m_session.setListener(this);
    rowsReset();
}

ParmBlockModel::~ParmBlockModel() { m_session.setListener(nullptr); }

int ParmBlockModel::pooledCollections() const { return int(m_pool.size()); }

QModelIndex ParmBlockModel::index(int row, int column, const QModelIndex& parent) const
{
    if (column < 0 || column >= ParmBlockSession::ColumnCount || row < 0)
        return {};
    if (!parent.isValid())
        return row < int(m_rows.size()) ? createIndex(row, column, nullptr) : QModelIndex();
    if (parent.internalPointer() || row >= childCount(parent.row()))
        return {};
    return createIndex(row, column, &cache(parent.row()));
}

QModelIndex ParmBlockModel::parent(const QModelIndex& child) const
{
    const auto* cache = child.isValid() ? static_cast<RowCache*>(child.internalPointer()) : nullptr;
    return cache ? createIndex(cache->row, 0, nullptr) : QModelIndex();
}

int ParmBlockModel::rowCount(const QModelIndex& parent) const
{
    if (!parent.isValid())
        return int(m_rows.size());
    if (parent.internalPointer() || parent.column() != 0)
        return 0;
    return childCount(parent.row());
}

int ParmBlockModel::columnCount(const QModelIndex&) const { return ParmBlockSession::ColumnCount; }

bool ParmBlockModel::hasChildren(const QModelIndex& parent) const
{
    if (!parent.isValid())
        return !m_rows.empty();
    if (parent.internalPointer() || parent.column() != 0)
        return false;
    return mayHaveChildren(parent.row());
}

bool ParmBlockModel::mayHaveChildren(int row) const
{
    if (row < 0 || row >= int(m_rows.size()))
        return false;
    if (const RowCache* known = m_rows[std::size_t(row)].get(); known && known->childCount >= 0)
        return known->childCount > 0;
    const int kind = m_session.row(row).kind;
    if (kind < 0)
        return childCount(row) > 0;
    if (std::size_t(kind) >= m_kindHasFields.size())
        m_kindHasFields.resize(std::size_t(m_session.kindCount()), -1);
    signed char& known = m_kindHasFields[std::size_t(kind)];
    if (known < 0)
        known = childCount(row) > 0 ? 1 : 0;
    return known > 0;
}

int ParmBlockModel::parameterRow(const QModelIndex& index)
{
    if (!index.isValid())
        return -1;
    const auto* cache = static_cast<RowCache*>(index.internalPointer());
    return cache ? cache->row : index.row();
}

int ParmBlockModel::fieldIndex(const QModelIndex& index)
{
    return index.isValid() && index.internalPointer() ? index.row() + 1 : 0;
}

QModelIndex ParmBlockModel::fieldRow(int row, int field, int column) const
{
    const QModelIndex top = index(row, column);
    return field <= 0 ? top : index(field - 1, column, index(row, 0));
}

void ParmBlockModel::unbind(RowCache& cache) const
{
    if (cache.slot < 0)
        return;
    Slot& slot = m_pool[std::size_t(cache.slot)];
    slot.fields->Detach();
    slot.owner = nullptr;
    cache.slot = -1;
}

ParmBlockModel::RowCache& ParmBlockModel::cache(int row) const
{
    std::unique_ptr<RowCache>& entry = m_rows[std::size_t(row)];
    if (!entry) {
        entry = std::make_unique<RowCache>();
        entry->row = row;
    }
    return *entry;
}

XCStructEditFields* ParmBlockModel::fields(int row) const
{
    if (row < 0 || row >= int(m_rows.size()))
        return nullptr;
    RowCache& cache = this->cache(row);
    if (cache.slot < 0) {
        // A free collection first, then a new one while the pool may grow, else the one used
        // least recently.
        std::size_t chosen = 0;
        while (chosen < m_pool.size() && m_pool[chosen].owner)
            ++chosen;
        if (chosen == m_pool.size() && m_pool.size() < PoolSize) {
            m_pool.push_back({ new XCStructEditFields(const_cast<ParmBlockModel*>(this)), nullptr, 0 });
        } else if (chosen == m_pool.size()) {
            chosen = 0;
            for (std::size_t i = 1; i < m_pool.size(); ++i) {
                if (m_pool[i].lastUse < m_pool[chosen].lastUse)
                    chosen = i;
            }
            unbind(*m_pool[chosen].owner);
        }
        Slot& slot = m_pool[chosen];
        const ParmBlockSession::Row& entry = m_session.row(row);
        // Shown values need no local symbols of their own: a reference resolves in the block that
        // holds it. (The value editor gets the value block.)
        slot.fields->AttachParameter(int(entry.parm), int(entry.deflt), 0,
                                     m_session.designTime(), m_session.mode().readOnly,
                                     m_session.mode().browseOnly);
        slot.owner = &cache;
        cache.slot = int(chosen);
        if (cache.childCount < 0)
            cache.childCount = std::max(slot.fields->Count() - 1, 0);
    }
    Slot& slot = m_pool[std::size_t(cache.slot)];
    slot.lastUse = ++m_clock;
    return slot.fields;
}

int ParmBlockModel::childCount(int row) const
{
    if (row < 0 || row >= int(m_rows.size()))
        return 0;
    const RowCache* cache = m_rows[std::size_t(row)].get();
    if (!cache || cache->childCount < 0)
        fields(row);
    return m_rows[std::size_t(row)]->childCount;
}

QVariant ParmBlockModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid())
        return {};
    const int row = parameterRow(index);
    const int field = fieldIndex(index);
    switch (role) {
    case FieldIndexRole:
        return field;
    case LevelRole:
        if (XCStructEditFields* list = fields(row); list && list->Item(field))
            return list->Item(field)->Indentation();
        return 1;
    case Qt::DisplayRole:
    case Qt::ToolTipRole:
        break;
    default:
        return {};
    }
    if (field > 0 || index.column() == ParmBlockSession::ValueColumn) {
        XCStructEditField* item = fields(row) ? fields(row)->Item(field) : nullptr;
        if (!item)
            return {};
        if (index.column() == ParmBlockSession::NameColumn)
            return item->Caption();
        if (index.column() == ParmBlockSession::ValueColumn) {
            if (role == Qt::ToolTipRole && !item->ErrorMessage().isEmpty())
                return item->ErrorMessage();
            return item->Text();
        }
        return {};
    }
    switch (index.column()) {
    case ParmBlockSession::NameColumn:
        return m_session.name(row);
    case ParmBlockSession::DataTypeColumn:
        return m_session.dataType(row);
    case ParmBlockSession::DescriptionColumn:
        return m_session.description(row);
    default:
        return {};
    }
}

QVariant ParmBlockModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    static const char* const captions[] = { "Name", "Value", "Data Type", "Description" };
    return section >= 0 && section < ParmBlockSession::ColumnCount
            ? QVariant(QString::fromLatin1(captions[section]))
            : QVariant();
}

Qt::ItemFlags ParmBlockModel::flags(const QModelIndex& index) const
{
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}

void ParmBlockModel::renumberFrom(int row)
{
    for (std::size_t i = std::size_t(std::max(row, 0)); i < m_rows.size(); ++i) {
        if (m_rows[i])
            m_rows[i]->row = int(i);
    }
}

void ParmBlockModel::rowsAboutToReset()
{
    beginResetModel();
    m_kindHasFields.clear(); // the type editors may have changed
    for (const auto& entry : m_rows) {
        if (entry)
            unbind(*entry);
    }
}

void ParmBlockModel::rowsReset()
{
    m_rows.clear();
    m_rows.resize(std::size_t(m_session.rowCount()));
    endResetModel();
}

void ParmBlockModel::rowAboutToBeInserted(int row) { beginInsertRows({}, row, row); }

void ParmBlockModel::rowInserted(int row)
{
    m_rows.insert(m_rows.begin() + row, nullptr);
    renumberFrom(row);
    endInsertRows();
}

void ParmBlockModel::rowAboutToBeRemoved(int row)
{
    beginRemoveRows({}, row, row);
    if (m_rows[std::size_t(row)])
        unbind(*m_rows[std::size_t(row)]);
}

void ParmBlockModel::rowRemoved(int row)
{
    m_rows.erase(m_rows.begin() + row);
    renumberFrom(row);
    endRemoveRows();
}

void ParmBlockModel::rowChanged(int row)
{
    RowCache& cache = this->cache(row);
    const int before = cache.childCount;
    unbind(cache);
    cache.childCount = -1;
    fields(row);
    const int after = cache.childCount;
    const QModelIndex parent = index(row, 0);
    if (before > after) {
        cache.childCount = before;
        beginRemoveRows(parent, after, before - 1);
        cache.childCount = after;
        endRemoveRows();
    } else if (before >= 0 && after > before) {
        cache.childCount = before;
        beginInsertRows(parent, before, after - 1);
        cache.childCount = after;
        endInsertRows();
    }
    Q_EMIT dataChanged(index(row, 0), index(row, ParmBlockSession::ColumnCount - 1));
    if (after > 0)
        Q_EMIT dataChanged(index(0, 0, parent), index(after - 1, ParmBlockSession::ColumnCount - 1, parent));
}

} // namespace Velt
