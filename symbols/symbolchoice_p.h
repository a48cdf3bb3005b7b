// SymbolChoice: what the symbol selector offers and what is chosen, without any widget. It holds
// the table entries as last read from the core, the chosen table and symbol, the symbols the
// chosen table lists, and gives the message that Change reports. The views of the selector
// show what it holds and hand the user's choices back to it; they never read the core.
//
// Filter takes effect when the entries are read again (refresh()) and when a table is set by
// name; until then listings keep the filter they were made with, so what the views show stays
// consistent. The display name of a data class (for the placeholder of an empty table) comes
// from the function given at construction: the selector sits below the editor registry that
// knows those names.
//
// Ownership: one reference on the local table (taken when set, released when replaced and on
// destruction); nothing else of the core.
#pragma once

#include "symbolcatalog_p.h"
#include "velt_export.h"

#include <functional>
#include <utility>
#include <vector>

namespace Velt {

class VELT_EXPORT SymbolChoice
{
public:
    // The display name of a data class ("Integer (32 bit)" for "CQuenInt32"); "" for none.
    using DataTypeNames = std::function<QString(const QString& dataClass)>;

    explicit SymbolChoice(DataTypeNames dataTypeNames);
    ~SymbolChoice();
    SymbolChoice(const SymbolChoice&) = delete;
    SymbolChoice& operator=(const SymbolChoice&) = delete;

    QString filter() const { return m_filter; }
    // Both setters return true when the value changed.
    bool setFilter(const QString& filter) { return std::exchange(m_filter, filter) != filter; }
    // The filter the current listings were made with.
    QString listedFilter() const { return m_listedFilter; }

    QString localName() const { return m_localName; }
    bool setLocalName(const QString& name) { return std::exchange(m_localName, name) != name; }
    QuenHandle localHandle() const { return m_localHandle; }
    // Takes a reference on the new block before releasing the previous one; a handle that is
    // not a block is not kept (0, and the core's error register says why).
    void setLocalHandle(QuenHandle handle);

    // Reads the table entries from the core and chooses again the table and symbol chosen
    // before while they are still listed. True when what Change reports has changed.
    bool refresh();
    bool isBuilt() const { return m_built; }
    const std::vector<SymbolCatalog::Table>& tables() const { return m_tables; }

    // The chosen table entry (-1 none), its symbols and the chosen symbol ("" none).
    int table() const { return m_table; }
    bool isAllPublic() const;
    const std::vector<QString>& symbols() const { return m_symbols; }
    QString symbol() const { return m_symbol; }
    // "" for "All Public" and when no table is chosen.
    QString tableName() const;
    QString message() const;
    QString fullName(const QString& separator) const;
    // Table and symbol for a tooltip, "<No Table>" and "<No Symbol>" for what is not chosen.
    QString summary(const QString& separator) const;

    // The user's choices: a table entry (-1 none) with no symbol, or a symbol a table entry
    // lists (that table becomes the chosen one).
    void chooseTable(int index);
    void chooseSymbol(int table, const QString& listedName);

    // Choosing by name, as the TableName and SymbolName properties do. Both return true when
    // what Change reports has changed. Setting the chosen table again lists its symbols again
    // (under the current filter), keeping the symbol while it is still listed.
    bool setTableName(const QString& name);
    bool setSymbolName(const QString& name);

    // The symbols table entry `index` lists under the listed filter.
    std::vector<QString> symbolsOf(int index) const;
    // The entry the drop-down shows under a table that lists nothing.
    QString placeholder() const;

private:
    struct Report
    {
        QString table, symbol, message;
        bool operator==(const Report&) const = default;
    };
    Report report() const { return {tableName(), m_symbol, message()}; }
    int findTable(const QString& name) const;
    QString findSymbol(const QString& name) const;

    DataTypeNames m_dataTypeNames;
    QString m_filter;
    QString m_listedFilter;
    QString m_localName = QString::fromLatin1(SymbolCatalog::DefaultLocalName);
    QuenHandle m_localHandle = 0;

    std::vector<SymbolCatalog::Table> m_tables;
    bool m_built = false;
    int m_table = -1;
    QString m_symbol;
    std::vector<QString> m_symbols;
};

} // namespace Velt
