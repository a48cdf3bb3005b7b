#include "nameeditordelegate.h"

#include "parameterlistmodel.h"
#include "parmnameeditor.h"

namespace Workbench {

NameEditorDelegate::NameEditorDelegate(QObject* parent) : QStyledItemDelegate(parent) {}

QWidget* NameEditorDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                                          const QModelIndex& index) const
{
    const auto* model = qobject_cast<const ParameterListModel*>(index.model());
    if (!model || index.column() != ParameterListModel::NameColumn)
        return QStyledItemDelegate::createEditor(parent, option, index);
    auto* editor = new ParmNameEditor(parent);
    editor->setAutoFillBackground(true);
    editor->setHandle(model->parameter(index.row()));
    editor->setBlockHandle(model->block());
    // The name editor keeps Enter and Escape for its host: here they end the edit. (The
    // delegate's signals are not const; createEditor is.)
    auto* self = const_cast<NameEditorDelegate*>(this);
    connect(editor, qOverload<int*, int*>(&ParmNameEditor::KeyDown), self,
            [self, editor](int* keyCode, int*) {
                if (*keyCode == Qt::Key_Return || *keyCode == Qt::Key_Enter) {
                    Q_EMIT self->commitData(editor);
                    Q_EMIT self->closeEditor(editor, EditNextItem);
                } else if (*keyCode == Qt::Key_Escape) {
                    Q_EMIT self->closeEditor(editor, RevertModelCache);
                }
            });
    return editor;
}

void NameEditorDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const
{
    if (!qobject_cast<ParmNameEditor*>(editor))
        QStyledItemDelegate::setEditorData(editor, index);
}

void NameEditorDelegate::setModelData(QWidget* editor, QAbstractItemModel* model,
                                      const QModelIndex& index) const
{
    auto* names = qobject_cast<ParmNameEditor*>(editor);
    if (!names) {
        QStyledItemDelegate::setModelData(editor, model, index);
        return;
    }
    // An illegal name is never written: the hover window has told why.
    if (names->ErrorMessage().isEmpty() && names->ParameterName() != index.data().toString())
        model->setData(index, names->ParameterName(), Qt::EditRole);
}

void NameEditorDelegate::updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                                              const QModelIndex&) const
{
    editor->setGeometry(option.rect);
}

} // namespace Workbench
