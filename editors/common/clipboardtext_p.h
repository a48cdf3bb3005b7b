// ClipboardText: the plain-text form in which the editors' grids exchange cells with the
// clipboard and with other programs: a tab ends a cell, a line feed ends a row, a carriage
// return before a line feed belongs to it, and a line break at the very end starts no further
// row (spreadsheets end their text with one). Widget-free.
#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace Velt::ClipboardText {

// The rows of a text, each whole; no rows for the empty text.
QStringList lines(const QString& text);
// The rows of a text, each split into its cells.
QList<QStringList> cells(const QString& text);
// Cells back into text: cells of a row joined by a tab, rows by a line feed, nothing after
// the last.
QString join(const QList<QStringList>& rows);

} // namespace Velt::ClipboardText
