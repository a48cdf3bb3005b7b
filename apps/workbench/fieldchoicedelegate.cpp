#include "fieldchoicedelegate.h"

#include "fieldsdockmodel.h"

#include <QComboBox>

namespace Workbench {

FieldChoiceDelegate::FieldChoiceDelegate(QObject* parent) : QStyledItemDelegate(parent) {}

QWidget* FieldChoiceDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                                           const QModelIndex& index) const
{
    const QStringList choices = index.data(FieldsDockModel::ChoicesRole).toStringList();
    if (choices.isEmpty())
        return QStyledItemDelegate::createEditor(parent, option, index);
    auto* combo = new QComboBox(parent);
    combo->setObjectName(QStringLiteral("FieldChoices"));
    combo->addItems(choices);
    return combo;
}

void FieldChoiceDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const
{
    if (auto* combo = qobject_cast<QComboBox*>(editor))
        combo->setCurrentIndex(combo->findText(index.data(Qt::EditRole).toString()));
    else
        QStyledItemDelegate::setEditorData(editor, index);
}

void FieldChoiceDelegate::setModelData(QWidget* editor, QAbstractItemModel* model,
                                       const QModelIndex& index) const
{
    if (auto* combo = qobject_cast<QComboBox*>(editor))
        model->setData(index, combo->currentText(), Qt::EditRole);
    else
        QStyledItemDelegate::setModelData(editor, model, index);
}

} // namespace Workbench
