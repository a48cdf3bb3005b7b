#include "parameterlistmodel.h"

#include "qtstrings.h"
#include "valuesummary.h"

namespace Workbench {

ParameterListModel::ParameterListModel(QObject* parent) : QAbstractTableModel(parent) {}

ParameterListModel::~ParameterListModel() = default;

QuenHandle ParameterListModel::block() const
{
    return m_block;
}

void ParameterListModel::setBlock(QuenHandle block)
{
    beginResetModel();
    m_block = block;
    endResetModel();
}

void ParameterListModel::reload()
{
    beginResetModel();
    endResetModel();
}

QuenHandle ParameterListModel::parameter(int row) const
{
    if (m_block == 0 || row < 0 || row >= rowCount())
        return 0;
    CoreReadGuard guard;
    return QuenPbDefGetParm(m_block, row + 1);
}

int ParameterListModel::rowCount(const QModelIndex& parent) const
{
    if (parent.isValid() || m_block == 0)
        return 0;
    CoreReadGuard guard;
    const int32_t size = QuenPbDefGetSize(m_block);
    return size > 0 ? int(size) : 0;
}

int ParameterListModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant ParameterListModel::data(const QModelIndex& index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    const QuenHandle parm = parameter(index.row());
    if (role == HandleRole)
        return parm;
    if (role != Qt::DisplayRole && role != Qt::ToolTipRole && role != Qt::EditRole)
        return {};
    CoreReadGuard guard;
    switch (index.column()) {
    case NameColumn:
        return quen::toQString(QuenParmGetName(parm));
    case TypeColumn:
        return typeDisplayName(quen::toQString(QuenParmGetType(parm)));
    case ValueColumn:
        return parameterValueSummary(parm);
    case DescriptionColumn:
        return parameterDescription(parm);
    default:
        return {};
    }
}

QVariant ParameterListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Vertical)
        return section + 1;
    switch (section) {
    case NameColumn:
        return tr("Name");
    case TypeColumn:
        return tr("Type");
    case ValueColumn:
        return tr("Value");
    case DescriptionColumn:
        return tr("Description");
    default:
        return {};
    }
}

Qt::ItemFlags ParameterListModel::flags(const QModelIndex& index) const
{
    Qt::ItemFlags flags = QAbstractTableModel::flags(index);
    if (index.isValid() && index.column() == NameColumn)
        flags |= Qt::ItemIsEditable;
    return flags;
}

bool ParameterListModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (role != Qt::EditRole || !index.isValid() || index.column() != NameColumn)
        return false;
    const QuenHandle parm = parameter(index.row());
    if (!parm || !QuenParmSetName(parm, quen::toUtf8(value.toString()).constData()))
        return false;
    Q_EMIT dataChanged(index, index);
    Q_EMIT renamed(parm);
    return true;
}

} // namespace Workbench
