// ArrayClipboard: the grid commands Copy, Cut, Clear and Paste on a rectangle of value cells of
// one plane of an ArrayBuffer, with the text exchanged in the clipboard's tab- and
// line-separated form. Widget-free: the editor frame hands it the selection and the clipboard
// text, and shows what comes back.
//
// Paste checks everything first (a dry run), so a text that does not read changes no cell:
// how a cell's refusal is worded differs by member, so the member gives the wording.
#pragma once

#include "arraybuffer_p.h"
#include "velt_export.h"

#include <QString>

#include <functional>

namespace Velt {

// A rectangle of grid places (model rows and columns, not indices), corners included.
struct VELT_EXPORT CellRect
{
    int top = 0;
    int left = 0;
    int bottom = -1;
    int right = -1;

    // Corners given in either order.
    static CellRect spanning(int row1, int column1, int row2, int column2);
    bool isEmpty() const { return bottom < top || right < left; }
    bool isSingleCell() const { return top == bottom && left == right; }
    bool operator==(const CellRect&) const = default;
};

class VELT_EXPORT ArrayClipboard
{
public:
    // Turns a cell's refusal into the message Paste shows.
    using PasteErrorText = std::function<QString(const QString& cellError)>;

    explicit ArrayClipboard(ArrayBuffer& buffer);

    void setPlane(int plane) { m_plane = plane; }
    void setPasteErrorText(PasteErrorText wording) { m_pasteErrorText = std::move(wording); }

    // The texts of the rectangle's cells.
    QString copyText(const CellRect& rect) const;
    // Every cell of the rectangle gets the buffer's cleared value.
    void clear(const CellRect& rect);

    struct PasteResult
    {
        QString error;         // "" when the text could be pasted
        CellRect pasted;       // the cells written (or that would be)
        bool moreOnClipboard;  // text was left when the target was full
    };
    // A single selected cell is widened to the last row and column; a clipboard row wider
    // than the target skips its surplus cells, a shorter one leaves the rest of its grid row.
    // A dry run only checks.
    PasteResult paste(const CellRect& selection, const QString& text, bool dryRun);

    static QString moreDataMessage();

private:
    ArrayCell cellAt(int row, int column) const;
    int rows() const;
    int columns() const;

    ArrayBuffer& m_buffer;
    int m_plane = 0;
    PasteErrorText m_pasteErrorText;
};

} // namespace Velt
