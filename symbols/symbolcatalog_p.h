// The widget-free rules of the symbol selector: which tables it lists, which symbols a table
// offers under a filter, the placeholder of a table without symbols, and the message texts of
// its Change event. Everything is read from the core at the moment of the call; nothing here
// holds a reference on a core object.
#pragma once

#include <quen/quencore.h>

#include <QString>

#include <vector>

namespace Velt::SymbolCatalog {

// Texts shown or reported by the selector, exactly as users know them.
inline constexpr char AllPublic[] = "All Public";
inline constexpr char DefaultLocalName[] = "ActionLocals";
inline constexpr char NoTable[] = "<No Table>";
inline constexpr char NoSymbol[] = "<No Symbol>";
inline constexpr char Empty[] = "<Empty>";
inline constexpr char None[] = "<None>";
inline constexpr char SelectSymbolMessage[] = "Please select a symbol from available symbols";
inline constexpr char TableEmptyMessage[] = "Table Empty - Please select another symbol table";
inline constexpr char SelectTableMessage[] = "Please select a table from avaliable tables";

enum class TableKind { AllPublic, Local, Public };

struct Table
{
    QString name;           // as listed ("All Public", the local name, or the table's name)
    QuenHandle handle = 0;  // 0 for "All Public"
    TableKind kind = TableKind::Public;
};

// The table entries in listing order: "All Public" when at least one public table holds a
// symbol, then the local table (when localName is not "" and localHandle is not 0), then each
// public table of the registry that is not a bound parameter block.
std::vector<Table> readTables(const QString& localName, QuenHandle localHandle);

// The visible symbols of one table whose type name is `filter` ("" = every type), in table
// order.
std::vector<QString> readSymbols(QuenHandle table, const QString& filter);

// The visible symbols matching `filter` of every public table, sorted (case-insensitive, then
// by code point, so equal names stay next to each other).
std::vector<QString> readAllPublicSymbols(const QString& filter);

// The symbols a table entry lists.
std::vector<QString> symbolsOf(const Table& table, const QString& filter);

// The sort order of sorted symbol lists.
void sortSymbols(std::vector<QString>& names);

// "<No " + dataTypeName + " found>": the entry under a table that lists no symbol, the data
// type name being the display name of the filter's class; "<Empty>" when that name is "".
QString placeholderFor(const QString& dataTypeName);

} // namespace Velt::SymbolCatalog
