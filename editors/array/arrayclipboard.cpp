#include "arrayclipboard_p.h"

#include "clipboardtext_p.h"

#include <QCoreApplication>

#include <algorithm>

namespace Velt {

CellRect CellRect::spanning(int row1, int column1, int row2, int column2)
{
    return {std::min(row1, row2), std::min(column1, column2), std::max(row1, row2),
            std::max(column1, column2)};
}

ArrayClipboard::ArrayClipboard(ArrayBuffer& buffer)
    : m_buffer(buffer), m_pasteErrorText([](const QString& error) { return error; })
{
}

ArrayCell ArrayClipboard::cellAt(int row, int column) const
{
    const ArrayShape shape = m_buffer.shape();
    return {shape.spans[0].lower + row, shape.dimensions >= 2 ? shape.spans[1].lower + column : 0,
            m_plane};
}

int ArrayClipboard::rows() const { return m_buffer.shape().spans[0].extent(); }

int ArrayClipboard::columns() const
{
    const ArrayShape shape = m_buffer.shape();
    return shape.dimensions >= 2 ? shape.spans[1].extent() : 1;
}

QString ArrayClipboard::copyText(const CellRect& rect) const
{
    QList<QStringList> texts;
    for (int row = rect.top; row <= rect.bottom; ++row) {
        QStringList cells;
        for (int column = rect.left; column <= rect.right; ++column)
            cells << m_buffer.cellText(cellAt(row, column));
        texts << cells;
    }
    return ClipboardText::join(texts);
}

void ArrayClipboard::clear(const CellRect& rect)
{
    for (int row = rect.top; row <= rect.bottom; ++row) {
        for (int column = rect.left; column <= rect.right; ++column)
            m_buffer.clearCell(cellAt(row, column));
    }
}

ArrayClipboard::PasteResult ArrayClipboard::paste(const CellRect& selection, const QString& text,
                                                  bool dryRun)
{
    CellRect target = selection;
    if (target.isSingleCell()) {
        target.bottom = rows() - 1;
        target.right = columns() - 1;
    }
    PasteResult result{{}, {target.top, target.left, target.top - 1, target.left - 1}, false};
    const QList<QStringList> clipboard = ClipboardText::cells(text);
    const int height = target.bottom - target.top + 1;
    const int width = target.right - target.left + 1;
    for (int r = 0; r < clipboard.size(); ++r) {
        if (r >= height) {
            result.moreOnClipboard = true;
            break;
        }
        const QStringList& cells = clipboard.at(r);
        const int used = int(std::min<qsizetype>(cells.size(), width));
        for (int c = 0; c < used; ++c) {
            const ArrayCell cell = cellAt(target.top + r, target.left + c);
            const QString error = dryRun ? m_buffer.checkCellText(cell, cells.at(c))
                                         : m_buffer.setCellText(cell, cells.at(c));
            if (!error.isEmpty()) {
                result.error = m_pasteErrorText(error);
                return result;
            }
        }
        result.pasted.bottom = target.top + r;
        result.pasted.right = std::max(result.pasted.right, target.left + used - 1);
    }
    return result;
}

QString ArrayClipboard::moreDataMessage()
{
    return QCoreApplication::translate("ArrayEditor",
                                       "More data on clipboard.  Select larger area to paste?");
}

} // namespace Velt
