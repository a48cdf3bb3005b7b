// ParameterListModel: the parameters of one symbol table or parameter block definition as a
// table: Name (editable), Type (data class), Value (a one-line summary) and Description. Reads
// the core on demand; holds only the block's handle. setBlock(0) empties it.
#pragma once

#include "quen/quencore.h"

#include <QAbstractTableModel>

namespace Workbench {

class ParameterListModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    enum Column { NameColumn, TypeColumn, ValueColumn, DescriptionColumn, ColumnCount };
    enum Role { HandleRole = Qt::UserRole + 1 }; // the parameter's handle

    explicit ParameterListModel(QObject* parent = nullptr);
    ~ParameterListModel() override;

    QuenHandle block() const;
    void setBlock(QuenHandle block);
    // Re-reads the rows (after the block changed in the core).
    void reload();
    QuenHandle parameter(int row) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    // The Name column is editable: a new name renames the parameter in the core (which refuses
    // a name its block already has).
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

Q_SIGNALS:
    void renamed(QuenHandle parm);

private:
    QuenHandle m_block = 0;
};

} // namespace Workbench
