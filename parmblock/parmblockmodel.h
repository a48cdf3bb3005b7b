// ParmBlockModel: the row list of a ParmBlockSession as a tree: one top-level row per shown
// parameter (Name, Value, Data Type, Description) and, below it, one child row per further
// field of its structured fields (caption and text). Fields are bound lazily, only for rows the
// view asks about, with a small pool of XCStructEditFields collections reused least recently
// used first, so a block of any size costs one light entry per row and a bounded number of
// field objects.
#pragma once

#include "parmblocksession.h"
#include "velt_export.h"

#include <QAbstractItemModel>

#include <memory>
#include <vector>

class XCStructEditFields;

namespace Velt {

class VELT_EXPORT ParmBlockModel : public QAbstractItemModel, public ParmBlockSession::Listener
{
    Q_OBJECT
public:
    enum Role {
        LevelRole = Qt::UserRole + 1, // a field row's indentation level (1 = the parameter's)
        FieldIndexRole,               // the field's index in the parameter's fields (0 = the row)
    };
    static constexpr int PoolSize = 64;

    explicit ParmBlockModel(ParmBlockSession& session, QObject* parent = nullptr);
    ~ParmBlockModel() override;

    QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    bool hasChildren(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    // The parameter row an index belongs to (-1 for an invalid index) and its field index.
    static int parameterRow(const QModelIndex& index);
    static int fieldIndex(const QModelIndex& index);
    // The index of a parameter row's field (0 = the parameter row itself).
    QModelIndex fieldRow(int row, int field, int column = 0) const;
    // The row's fields, bound now when they are not.
    XCStructEditFields* fields(int row) const;
    // Collections created so far (at most PoolSize).
    int pooledCollections() const;

    // ParmBlockSession::Listener
    void rowsAboutToReset() override;
    void rowsReset() override;
    void rowAboutToBeInserted(int row) override;
    void rowInserted(int row) override;
    void rowAboutToBeRemoved(int row) override;
    void rowRemoved(int row) override;
    void rowChanged(int row) override;

private:
    struct RowCache;
    struct Slot;
    int childCount(int row) const;
    // Whether a row has field rows, answered without binding it when its kind is known: the
    // view asks this of every row when it lays the list out.
    bool mayHaveChildren(int row) const;
    void unbind(RowCache& cache) const;
    // The row's cache entry, made on first need (most rows of a long list never get one).
    RowCache& cache(int row) const;
    void renumberFrom(int row);

    ParmBlockSession& m_session;
    mutable std::vector<std::unique_ptr<RowCache>> m_rows;
    mutable std::vector<Slot> m_pool;
    // Per kind of value (ParmBlockSession::Row::kind): do its rows have field rows? -1 unknown.
    mutable std::vector<signed char> m_kindHasFields;
    mutable quint64 m_clock = 0;
};

} // namespace Velt
