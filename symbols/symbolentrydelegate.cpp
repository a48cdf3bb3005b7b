#include "symbolentrydelegate_p.h"

#include "symbolentrymodel_p.h"

#include <QApplication>
#include <QPainter>

namespace Velt {

namespace {

int indentationOf(const QStyleOptionViewItem& option, const QModelIndex& index)
{
    const int steps = qBound(0, index.data(SymbolEntryModel::IndentationRole).toInt(), 8);
    return steps * SymbolEntryDelegate::indentationStep(option);
}

} // namespace

SymbolEntryDelegate::SymbolEntryDelegate(QObject* parent) : QStyledItemDelegate(parent) { }

int SymbolEntryDelegate::indentationStep(const QStyleOptionViewItem& option)
{
    // Past the table's picture, so a symbol's text starts to the right of its table's text.
    return option.decorationSize.width() + option.fontMetrics.height();
}

void SymbolEntryDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                                const QModelIndex& index) const
{
    QStyleOptionViewItem opt = option;
    initStyleOption(&opt, index);
    const QWidget* widget = option.widget;
    QStyle* style = widget ? widget->style() : QApplication::style();
    // The row's background spans the whole width; the content starts at its indentation.
    style->drawPrimitive(QStyle::PE_PanelItemViewItem, &opt, painter, widget);
    const int indentation = indentationOf(option, index);
    opt.rect.adjust(indentation, 0, 0, 0);
    opt.state &= ~QStyle::State_HasFocus;
    opt.backgroundBrush = Qt::NoBrush;
    if (index.data(SymbolEntryModel::KindRole).toInt() == SymbolEntry::Placeholder) {
        opt.font.setItalic(true);
        opt.palette.setBrush(QPalette::Text, opt.palette.brush(QPalette::Disabled, QPalette::Text));
    }
    style->drawControl(QStyle::CE_ItemViewItem, &opt, painter, widget);
}

QSize SymbolEntryDelegate::sizeHint(const QStyleOptionViewItem& option,
                                    const QModelIndex& index) const
{
    QSize size = QStyledItemDelegate::sizeHint(option, index);
    size.rwidth() += indentationOf(option, index);
    return size;
}

} // namespace Velt
