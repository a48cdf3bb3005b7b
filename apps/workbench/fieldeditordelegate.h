// FieldEditorDelegate: the Fields inspector edits a field's text in place with the library's
// ParmFieldEditor (its text box, choice list or symbol selector, the dialog button and the hover
// error window). The editor writes every keystroke to the field; Enter commits (the model then
// re-reads the row and reports a refused text), Escape puts the text the field had back.
#pragma once

#include <QStyledItemDelegate>

namespace Workbench {

class FieldEditorDelegate : public QStyledItemDelegate
{
    Q_OBJECT
public:
    explicit FieldEditorDelegate(QObject* parent = nullptr);

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model,
                      const QModelIndex& index) const override;
    void updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const override;

protected:
    bool eventFilter(QObject* object, QEvent* event) override;
};

} // namespace Workbench
