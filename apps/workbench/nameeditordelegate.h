// NameEditorDelegate: the parameter list renames in place with the library's ParmNameEditor,
// which checks the name on every keystroke and shows a broken rule beside the cell. Enter
// commits a legal name (the model renames the parameter in the core), Escape leaves it as it was.
#pragma once

#include <QStyledItemDelegate>

namespace Workbench {

class NameEditorDelegate : public QStyledItemDelegate
{
    Q_OBJECT
public:
    explicit NameEditorDelegate(QObject* parent = nullptr);

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model,
                      const QModelIndex& index) const override;
    void updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const override;
};

} // namespace Workbench
