// ArrayGridModel: one plane of an ArrayBuffer as a table. Model rows are the indices of the
// first dimension and model columns those of the second (one value column for a
// one-dimensional array); the grid's fixed header row and index column are the view's header
// sections, fed by headerData: the vertical header shows the row indices, the horizontal one
// the column indices or the value column's title, and cornerText() is the corner's "Index".
// So every model cell is a value cell, and nothing outside the values can be edited, selected
// into a paste or cleared.
//
// Lazy: a cell's text is asked of the buffer only when a view asks for it. The model does not
// own the buffer.
#pragma once

#include "arraybuffer_p.h"
#include "velt_export.h"

#include <QAbstractTableModel>

namespace Velt {

class VELT_EXPORT ArrayGridModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    explicit ArrayGridModel(ArrayBuffer* buffer, QObject* parent = nullptr);

    ArrayBuffer* buffer() const { return m_buffer; }

    // The plane shown (an index of the third dimension; ignored below three dimensions).
    void setPlane(int plane);
    int plane() const { return m_plane; }

    // Read-only: no cell is editable.
    void setReadOnly(bool readOnly);
    bool isReadOnly() const { return m_readOnly; }

    // The buffer's shape changed: rows and columns are rebuilt.
    void reload();
    // The buffer's texts changed (a new view, a paste): every cell and header is read again.
    void refresh();

    ArrayCell cellAt(const QModelIndex& index) const;
    QModelIndex indexOf(const ArrayCell& cell) const;
    static QString cornerText();

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

Q_SIGNALS:
    // An edit the buffer refused, with its reason; the cell keeps its value.
    void cellRejected(const QString& error);
    // A cell took a new value.
    void cellEdited(const QModelIndex& index);

private:
    ArrayBuffer* m_buffer;
    int m_plane = 0;
    bool m_readOnly = false;
    // The shape as the model last published it, so counts never go out of step with the
    // views between a change of the buffer and reload().
    ArrayShape m_shape;
};

} // namespace Velt
