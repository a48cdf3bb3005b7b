// ChoiceListModel: the rows of an integer choice list for the EnumerationList grid, one per
// value from Begin at to End at, with the columns "Value" (read-only) and "Label associated
// with the Value" (editable unless the model is read-only, as it is outside design time).
// Widget-free: the grid and the editor's combo read it, and the clipboard texts (labels as
// lines) are made and taken here.
#pragma once

#include "itemproperties_p.h"
#include "velt_export.h"

#include <QAbstractTableModel>
#include <QList>

namespace Velt {

class VELT_EXPORT ChoiceListModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    enum Column { ValueColumn, LabelColumn, ColumnCount };

    explicit ChoiceListModel(QObject* parent = nullptr);

    // Read-only: labels and bounds keep what setList gave them.
    void setReadOnly(bool readOnly);
    bool isReadOnly() const { return m_readOnly; }

    // The whole list; rows are rebuilt.
    void setList(const ItemProperties::ChoiceList& list);
    ItemProperties::ChoiceList list() const { return m_list; }
    // New bounds: labels of the values both ranges share are kept, new values are blank.
    void setBounds(int32_t begin, int32_t end);
    int32_t begin() const { return m_list.begin; }
    int32_t valueAt(int row) const;
    // The row of a value, -1 when outside the list.
    int rowOf(int32_t value) const;

    // Labels of the given rows, one line each.
    QString copyText(const QList<int>& rows) const;
    void clearLabels(const QList<int>& rows);
    // Puts the lines of a text into the labels of at most `room` rows from `firstRow` on;
    // returns how many lines did not fit (none when read-only: nothing is taken).
    qsizetype pasteText(int firstRow, int room, const QString& text);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

Q_SIGNALS:
    // Any label or the bounds changed.
    void listChanged();

private:
    void setLabel(int row, const QString& label);

    ItemProperties::ChoiceList m_list;
    bool m_readOnly = false;
};

} // namespace Velt
