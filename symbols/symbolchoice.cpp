#include "symbolchoice_p.h"

#include <algorithm>

namespace Velt {

namespace Catalog = SymbolCatalog;

SymbolChoice::SymbolChoice(DataTypeNames dataTypeNames) : m_dataTypeNames(std::move(dataTypeNames))
{
}

SymbolChoice::~SymbolChoice()
{
    if (m_localHandle != 0)
        QuenPbRelease(m_localHandle);
}

void SymbolChoice::setLocalHandle(QuenHandle handle)
{
    // The new reference first, so the same block set again survives.
    if (handle != 0 && QuenPbAddRef(handle) == QUEN_FALSE)
        handle = 0;
    const QuenHandle previous = m_localHandle;
    m_localHandle = handle;
    if (previous != 0)
        QuenPbRelease(previous);
}

bool SymbolChoice::refresh()
{
    const Report before = report();
    const int previous = m_table;
    const Catalog::Table chosen = previous >= 0 ? m_tables[std::size_t(previous)] : Catalog::Table{};
    const QString previousSymbol = m_symbol;

    m_tables = Catalog::readTables(m_localName, m_localHandle);
    m_built = true;
    m_listedFilter = m_filter;
    chooseTable(-1);
    if (previous >= 0) {
        const auto same = std::find_if(m_tables.begin(), m_tables.end(), [&](const Catalog::Table& t) {
            return t.kind == chosen.kind && t.name.compare(chosen.name, Qt::CaseInsensitive) == 0;
        });
        if (same != m_tables.end()) {
            chooseTable(int(same - m_tables.begin()));
            m_symbol = findSymbol(previousSymbol);
        }
    }
    return report() != before;
}

bool SymbolChoice::isAllPublic() const
{
    return m_table >= 0 && m_tables[std::size_t(m_table)].kind == Catalog::TableKind::AllPublic;
}

QString SymbolChoice::tableName() const
{
    return m_table < 0 || isAllPublic() ? QString() : m_tables[std::size_t(m_table)].name;
}

QString SymbolChoice::message() const
{
    if (m_table < 0)
        return QString::fromLatin1(Catalog::SelectTableMessage);
    if (!m_symbol.isEmpty())
        return QString();
    return QString::fromLatin1(m_symbols.empty() ? Catalog::TableEmptyMessage
                                                 : Catalog::SelectSymbolMessage);
}

QString SymbolChoice::fullName(const QString& separator) const
{
    const QString table = tableName();
    return table.isEmpty() ? m_symbol : table + separator + m_symbol;
}

QString SymbolChoice::summary(const QString& separator) const
{
    const QString table = m_table < 0 ? QString::fromLatin1(Catalog::NoTable)
                                      : m_tables[std::size_t(m_table)].name;
    return table + separator
        + (m_symbol.isEmpty() ? QString::fromLatin1(Catalog::NoSymbol) : m_symbol);
}

void SymbolChoice::chooseTable(int index)
{
    m_symbol.clear();
    m_symbols = index >= 0 ? Catalog::symbolsOf(m_tables[std::size_t(index)], m_listedFilter)
                           : std::vector<QString>();
    m_table = index;
}

void SymbolChoice::chooseSymbol(int table, const QString& listedName)
{
    if (table != m_table)
        chooseTable(table);
    m_symbol = listedName;
}

bool SymbolChoice::setTableName(const QString& name)
{
    if (!m_built)
        refresh();
    const int index = findTable(name);
    const bool relist = m_filter != m_listedFilter;
    if (index == m_table && !relist)
        return false;
    const Report before = report();
    const int previous = m_table;
    const QString previousSymbol = m_symbol;
    m_listedFilter = m_filter;
    chooseTable(index);
    if (index == previous && index >= 0)
        m_symbol = findSymbol(previousSymbol);
    return index != previous || report() != before;
}

bool SymbolChoice::setSymbolName(const QString& name)
{
    if (!m_built)
        refresh();
    const QString listed = m_table >= 0 ? findSymbol(name) : QString();
    if (listed == m_symbol)
        return false;
    m_symbol = listed;
    return true;
}

std::vector<QString> SymbolChoice::symbolsOf(int index) const
{
    if (index == m_table)
        return m_symbols;
    return Catalog::symbolsOf(m_tables[std::size_t(index)], m_listedFilter);
}

QString SymbolChoice::placeholder() const
{
    const QString name = m_listedFilter.isEmpty() || !m_dataTypeNames
        ? QString()
        : m_dataTypeNames(m_listedFilter);
    return Catalog::placeholderFor(name);
}

int SymbolChoice::findTable(const QString& name) const
{
    if (name.isEmpty() || name == QLatin1String(Catalog::AllPublic)) {
        const auto all = std::find_if(m_tables.begin(), m_tables.end(), [](const Catalog::Table& t) {
            return t.kind == Catalog::TableKind::AllPublic;
        });
        if (all != m_tables.end())
            return int(all - m_tables.begin());
        if (name.isEmpty())
            return -1;
    }
    // Exactly first, then without regard to case, as the core compares names.
    for (Qt::CaseSensitivity cs : {Qt::CaseSensitive, Qt::CaseInsensitive}) {
        for (std::size_t i = 0; i < m_tables.size(); ++i) {
            if (m_tables[i].kind != Catalog::TableKind::AllPublic
                && m_tables[i].name.compare(name, cs) == 0)
                return int(i);
        }
    }
    return -1;
}

QString SymbolChoice::findSymbol(const QString& name) const
{
    if (name.isEmpty())
        return QString();
    for (Qt::CaseSensitivity cs : {Qt::CaseSensitive, Qt::CaseInsensitive}) {
        const auto it = std::find_if(m_symbols.begin(), m_symbols.end(),
                                     [&](const QString& s) { return s.compare(name, cs) == 0; });
        if (it != m_symbols.end())
            return *it;
    }
    return QString();
}

} // namespace Velt
