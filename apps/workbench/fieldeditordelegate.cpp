#include "fieldeditordelegate.h"

#include "fieldsdockmodel.h"
#include "parmfieldeditor.h"

#include <QKeyEvent>

namespace Workbench {

namespace {
// The text the field had when the edit began, kept on the editor for Escape.
constexpr char OriginalText[] = "velt_originalText";
} // namespace

FieldEditorDelegate::FieldEditorDelegate(QObject* parent) : QStyledItemDelegate(parent) {}

QWidget* FieldEditorDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&,
                                           const QModelIndex& index) const
{
    const auto* model = qobject_cast<const FieldsDockModel*>(index.model());
    if (!model || !model->parameter())
        return nullptr;
    auto* editor = new ParmFieldEditor(parent);
    editor->setAutoFillBackground(true);
    editor->setHandle(model->parameter());
    editor->setFieldIndex(index.row());
    editor->setProperty(OriginalText, editor->Text());
    return editor;
}

void FieldEditorDelegate::setEditorData(QWidget*, const QModelIndex&) const
{
    // The editor reads its field itself; a re-read of the model must not overwrite typing.
}

void FieldEditorDelegate::setModelData(QWidget* editor, QAbstractItemModel* model,
                                       const QModelIndex& index) const
{
    if (auto* field = qobject_cast<ParmFieldEditor*>(editor))
        model->setData(index, field->Text(), Qt::EditRole);
}

void FieldEditorDelegate::updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                                               const QModelIndex&) const
{
    editor->setGeometry(option.rect);
}

bool FieldEditorDelegate::eventFilter(QObject* object, QEvent* event)
{
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape)
        if (auto* field = qobject_cast<ParmFieldEditor*>(object))
            field->setText(field->property(OriginalText).toString());
    return QStyledItemDelegate::eventFilter(object, event);
}

} // namespace Workbench
