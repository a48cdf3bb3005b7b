// FieldsDockModel: the structured fields of one symbol or parameter as a table for the
// workbench's "Fields" inspector: Caption (indented by the field's Indentation, with its
// picture, or the error picture and message while the field has an error), Text (editable
// unless the field is Locked without choices) and Locked. Reads the fields on demand; owns the
// XCStructEditFields it is bound to.
#pragma once

#include "quen/quencore.h"

#include <QAbstractTableModel>
#include <QStringList>

class XCStructEditFields;

namespace Workbench {

class FieldsDockModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    enum Column { CaptionColumn, TextColumn, LockedColumn, ColumnCount };

    explicit FieldsDockModel(QObject* parent = nullptr);
    ~FieldsDockModel() override;

    // Binds the fields to a parameter (0 unbinds); a failure leaves the model empty and is
    // reported through problem().
    void setParameter(QuenHandle parm);
    QuenHandle parameter() const;
    // Re-reads every row (after the value changed elsewhere); resets only when the rows change.
    void refresh();
    XCStructEditFields* fields() const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

Q_SIGNALS:
    // A field refused a text or the binding failed: the library's message.
    void problem(const QString& message);
    // A text was accepted and went to the core.
    void valueChanged(QuenHandle parm);

private:
    // Binds the fields and counts the rows; the failure's message, if any.
    QString attach(QuenHandle parm);

    XCStructEditFields* m_fields;
    QuenHandle m_parm = 0;
    int m_rows = 0;
};

} // namespace Workbench
