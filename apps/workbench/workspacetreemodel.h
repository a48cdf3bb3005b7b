// WorkspaceTreeModel: the workbench's navigation tree over the core's workspace. Three groups,
// "Symbol Tables" (each registered table, public or not, with its symbols), "Parameter Blocks"
// (the workspace's block definitions with their parameters) and "Tests" (the workspace's tests,
// whose limits the central area shows). Rows are read from the
// core when the view asks for them; nothing is copied or cached, so reload() after the
// workspace changes is all it takes. Columns: Name, Details (visibility, count or class).
#pragma once

#include "quen/quencore.h"

#include <QAbstractItemModel>

namespace Workbench {

class WorkspaceTreeModel : public QAbstractItemModel
{
    Q_OBJECT
public:
    enum class Kind { None, TableGroup, BlockGroup, TestGroup, Table, Block, Test, Symbol, Parameter };
    Q_ENUM(Kind)
    enum Role {
        KindRole = Qt::UserRole + 1, // Kind as int
        HandleRole,                  // the table's, block's, test's or parameter's handle
        ClassNameRole,               // a symbol's or parameter's data class
        IsPublicRole,                // tables: bool
    };
    enum Column { NameColumn, DetailsColumn, ColumnCount };

    explicit WorkspaceTreeModel(QObject* parent = nullptr);
    ~WorkspaceTreeModel() override;

    // Re-reads everything from the core (after a load, a clear or an edit).
    void reload();

    Kind kind(const QModelIndex& index) const;
    // The table or block handle of a container row, or of a symbol's/parameter's container.
    QuenHandle containerHandle(const QModelIndex& index) const;
    QuenHandle handle(const QModelIndex& index) const;

    QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    bool hasChildren(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
};

} // namespace Workbench
