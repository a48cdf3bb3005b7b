#include "clipboardtext_p.h"

namespace Velt::ClipboardText {

QStringList lines(const QString& text)
{
    if (text.isEmpty())
        return {};
    QStringList rows = text.split(u'\n');
    if (rows.size() > 1 && rows.constLast().isEmpty())
        rows.removeLast();
    for (QString& row : rows) {
        if (row.endsWith(u'\r'))
            row.chop(1);
    }
    return rows;
}

QList<QStringList> cells(const QString& text)
{
    QList<QStringList> rows;
    const QStringList all = lines(text);
    rows.reserve(all.size());
    for (const QString& line : all)
        rows << line.split(u'\t');
    return rows;
}

QString join(const QList<QStringList>& rows)
{
    QStringList lines;
    lines.reserve(rows.size());
    for (const QStringList& row : rows)
        lines << row.join(u'\t');
    return lines.join(u'\n');
}

} // namespace Velt::ClipboardText
