// SymbolEntryDelegate: paints the entries of the selector's drop-down with their indentation
// (symbols one step to the right of their table) and their picture.
#pragma once

#include <QStyledItemDelegate>

namespace Velt {

class SymbolEntryDelegate final : public QStyledItemDelegate
{
    Q_OBJECT

public:
    explicit SymbolEntryDelegate(QObject* parent = nullptr);

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

    // The width of one indentation step for a font.
    static int indentationStep(const QStyleOptionViewItem& option);
};

} // namespace Velt
