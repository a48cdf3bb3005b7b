#include "symbolcatalog_p.h"

#include "qtstrings.h"

#include <algorithm>

namespace Velt::SymbolCatalog {

namespace {

bool isTrue(QuenBool value) { return value != QUEN_FALSE; }

void appendSymbols(QuenHandle table, const QString& filter, std::vector<QString>& out)
{
    const int32_t size = QuenPbGetSize(table);
    if (size <= 0)
        return;
    out.reserve(out.size() + std::size_t(size));
    for (int32_t position = 1; position <= size; ++position) {
        const QString type = quen::toQString(QuenPbGetParmType(table, position));
        if (!filter.isEmpty() && filter != type)
            continue;
        if (isTrue(QuenParmIsHidden(QuenPbDefGetParm(table, position))))
            continue;
        out.push_back(quen::toQString(QuenPbGetParmName(table, position)));
    }
}

} // namespace

std::vector<Table> readTables(const QString& localName, QuenHandle localHandle)
{
    std::vector<Table> tables;
    const int32_t size = QuenTableRegGetSize();
    bool anyPublicSymbol = false;
    for (int32_t i = 1; i <= size && !anyPublicSymbol; ++i) {
        const QuenHandle table = QuenTableRegGetTable(i);
        anyPublicSymbol = isTrue(QuenTableRegIsPublic(i)) && table != 0 && QuenPbGetSize(table) > 0;
    }
    if (anyPublicSymbol)
        tables.push_back({QString::fromLatin1(AllPublic), 0, TableKind::AllPublic});
    if (!localName.isEmpty() && localHandle != 0)
        tables.push_back({localName, localHandle, TableKind::Local});
    for (int32_t i = 1; i <= size; ++i) {
        const QuenHandle table = QuenTableRegGetTable(i);
        if (!isTrue(QuenTableRegIsPublic(i)) || table == 0 || isTrue(QuenPbIsBoundPb(table)))
            continue;
        tables.push_back({quen::toQString(QuenTableGetName(table)), table, TableKind::Public});
    }
    return tables;
}

std::vector<QString> readSymbols(QuenHandle table, const QString& filter)
{
    std::vector<QString> names;
    appendSymbols(table, filter, names);
    return names;
}

std::vector<QString> readAllPublicSymbols(const QString& filter)
{
    std::vector<QString> names;
    const int32_t size = QuenTableRegGetSize();
    for (int32_t i = 1; i <= size; ++i) {
        const QuenHandle table = QuenTableRegGetTable(i);
        if (isTrue(QuenTableRegIsPublic(i)) && table != 0)
            appendSymbols(table, filter, names);
    }
    sortSymbols(names);
    return names;
}

std::vector<QString> symbolsOf(const Table& table, const QString& filter)
{
    return table.kind == TableKind::AllPublic ? readAllPublicSymbols(filter)
                                              : readSymbols(table.handle, filter);
}

void sortSymbols(std::vector<QString>& names)
{
    std::stable_sort(names.begin(), names.end(), [](const QString& a, const QString& b) {
        const int folded = a.compare(b, Qt::CaseInsensitive);
        return folded != 0 ? folded < 0 : a < b;
    });
}

QString placeholderFor(const QString& dataTypeName)
{
    if (dataTypeName.isEmpty())
        return QString::fromLatin1(Empty);
    return QStringLiteral("<No ") + dataTypeName + QStringLiteral(" found>");
}

} // namespace Velt::SymbolCatalog
