// FieldChoiceDelegate: the Fields inspector's editor for a field with choices: a combo box of
// the model's ChoicesRole entries (a plain line edit for other fields). The view owns it.
#pragma once

#include <QStyledItemDelegate>

namespace Workbench {

class FieldChoiceDelegate : public QStyledItemDelegate
{
    Q_OBJECT
public:
    explicit FieldChoiceDelegate(QObject* parent = nullptr);

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model,
                      const QModelIndex& index) const override;
};

} // namespace Workbench
