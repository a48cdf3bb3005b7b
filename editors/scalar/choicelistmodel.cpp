#include "choicelistmodel_p.h"

#include "clipboardtext_p.h"

#include <algorithm>

namespace Velt {

ChoiceListModel::ChoiceListModel(QObject* parent) : QAbstractTableModel(parent) { }

void ChoiceListModel::setList(const ItemProperties::ChoiceList& list)
{
    beginResetModel();
    m_list = list;
    // One label per value, whatever the list came with.
    const qsizetype count = qsizetype(int64_t(list.end) - list.begin + 1);
    m_list.labels.resize(std::max<qsizetype>(count, 0));
    endResetModel();
    Q_EMIT listChanged();
}

void ChoiceListModel::setReadOnly(bool readOnly)
{
    if (m_readOnly == readOnly)
        return;
    m_readOnly = readOnly;
    if (!m_list.labels.isEmpty()) // the label column's flags change
        Q_EMIT dataChanged(index(0, LabelColumn), index(rowCount() - 1, LabelColumn));
}

void ChoiceListModel::setBounds(int32_t begin, int32_t end)
{
    if (m_readOnly)
        return;
    ItemProperties::ChoiceList list{begin, end, {}};
    for (int64_t value = begin; value <= end; ++value)
        list.labels << m_list.label(int32_t(value));
    setList(list);
}

int32_t ChoiceListModel::valueAt(int row) const { return int32_t(int64_t(m_list.begin) + row); }

int ChoiceListModel::rowOf(int32_t value) const
{
    const int64_t row = int64_t(value) - m_list.begin;
    return row >= 0 && row < m_list.labels.size() ? int(row) : -1;
}

QString ChoiceListModel::copyText(const QList<int>& rows) const
{
    QStringList lines;
    for (int row : rows) {
        if (row >= 0 && row < m_list.labels.size())
            lines << m_list.labels.at(row);
    }
    return lines.join(u'\n');
}

void ChoiceListModel::clearLabels(const QList<int>& rows)
{
    for (int row : rows)
        setLabel(row, QString());
}

qsizetype ChoiceListModel::pasteText(int firstRow, int room, const QString& text)
{
    if (m_readOnly)
        return 0;
    const QStringList lines = ClipboardText::lines(text);
    const int rows = int(std::min<qsizetype>(m_list.labels.size() - firstRow, room));
    int row = 0;
    for (; row < rows && row < lines.size(); ++row)
        setLabel(firstRow + row, lines.at(row));
    return lines.size() - row;
}

int ChoiceListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_list.labels.size());
}

int ChoiceListModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant ChoiceListModel::data(const QModelIndex& index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid)
        || (role != Qt::DisplayRole && role != Qt::EditRole))
        return QVariant();
    if (index.column() == ValueColumn)
        return QString::number(valueAt(index.row()));
    return m_list.labels.at(index.row());
}

bool ChoiceListModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid) || role != Qt::EditRole
        || index.column() != LabelColumn)
        return false;
    setLabel(index.row(), value.toString());
    return true;
}

QVariant ChoiceListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal)
        return QAbstractTableModel::headerData(section, orientation, role);
    if (section == ValueColumn)
        return QStringLiteral("Value");
    if (section == LabelColumn)
        return QStringLiteral("Label associated with the Value");
    return QVariant();
}

Qt::ItemFlags ChoiceListModel::flags(const QModelIndex& index) const
{
    Qt::ItemFlags flags = QAbstractTableModel::flags(index);
    if (index.isValid() && index.column() == LabelColumn && !m_readOnly)
        flags |= Qt::ItemIsEditable;
    return flags;
}

void ChoiceListModel::setLabel(int row, const QString& label)
{
    if (m_readOnly || row < 0 || row >= m_list.labels.size() || m_list.labels.at(row) == label)
        return;
    m_list.labels[row] = label;
    const QModelIndex changed = index(row, LabelColumn);
    Q_EMIT dataChanged(changed, changed, {Qt::DisplayRole, Qt::EditRole});
    Q_EMIT listChanged();
}

} // namespace Velt
