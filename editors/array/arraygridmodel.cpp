#include "arraygridmodel_p.h"

#include <QCoreApplication>

namespace Velt {

ArrayGridModel::ArrayGridModel(ArrayBuffer* buffer, QObject* parent)
    : QAbstractTableModel(parent), m_buffer(buffer), m_shape(buffer->shape())
{
    m_plane = m_shape.spans[2].lower;
}

void ArrayGridModel::setPlane(int plane)
{
    if (plane == m_plane)
        return;
    m_plane = plane;
    refresh();
}

void ArrayGridModel::setReadOnly(bool readOnly)
{
    if (readOnly == m_readOnly)
        return;
    m_readOnly = readOnly;
    refresh();
}

void ArrayGridModel::reload()
{
    beginResetModel();
    m_shape = m_buffer->shape();
    if (m_shape.dimensions < 3 || m_plane < m_shape.spans[2].lower
        || m_plane > m_shape.spans[2].upper)
        m_plane = m_shape.spans[2].lower;
    endResetModel();
}

void ArrayGridModel::refresh()
{
    if (rowCount() > 0 && columnCount() > 0)
        Q_EMIT dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
    Q_EMIT headerDataChanged(Qt::Horizontal, 0, columnCount() - 1);
}

ArrayCell ArrayGridModel::cellAt(const QModelIndex& index) const
{
    return {m_shape.spans[0].lower + index.row(),
            m_shape.dimensions >= 2 ? m_shape.spans[1].lower + index.column() : 0, m_plane};
}

QModelIndex ArrayGridModel::indexOf(const ArrayCell& cell) const
{
    const int column = m_shape.dimensions >= 2 ? cell.column - m_shape.spans[1].lower : 0;
    return index(cell.row - m_shape.spans[0].lower, column);
}

QString ArrayGridModel::cornerText()
{
    return QCoreApplication::translate("ArrayEditor", "Index");
}

int ArrayGridModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_shape.spans[0].extent();
}

int ArrayGridModel::columnCount(const QModelIndex& parent) const
{
    if (parent.isValid())
        return 0;
    return m_shape.dimensions >= 2 ? m_shape.spans[1].extent() : 1;
}

QVariant ArrayGridModel::data(const QModelIndex& index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid)
        || (role != Qt::DisplayRole && role != Qt::EditRole))
        return QVariant();
    return m_buffer->cellText(cellAt(index));
}

bool ArrayGridModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid) || role != Qt::EditRole || m_readOnly)
        return false;
    const QString error = m_buffer->setCellText(cellAt(index), value.toString());
    if (!error.isEmpty()) {
        Q_EMIT cellRejected(error);
        return false;
    }
    Q_EMIT dataChanged(index, index, {Qt::DisplayRole, Qt::EditRole});
    Q_EMIT cellEdited(index);
    return true;
}

QVariant ArrayGridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole || section < 0)
        return QAbstractTableModel::headerData(section, orientation, role);
    if (orientation == Qt::Vertical)
        return section < rowCount() ? QString::number(m_shape.spans[0].lower + section) : QVariant();
    if (section >= columnCount())
        return QVariant();
    if (m_shape.dimensions < 2)
        return m_buffer->valueHeader();
    return QString::number(m_shape.spans[1].lower + section);
}

Qt::ItemFlags ArrayGridModel::flags(const QModelIndex& index) const
{
    Qt::ItemFlags flags = QAbstractTableModel::flags(index);
    if (index.isValid() && !m_readOnly)
        flags |= Qt::ItemIsEditable;
    return flags;
}

} // namespace Velt
