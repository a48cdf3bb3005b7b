// The table registry: the symbol tables a workspace offers, in order, each with its public
// flag, and an index of their names. The registry holds one reference on each table.
#pragma once

#include "model_p.h"

#include <vector>

namespace quen {

struct RegisteredTable
{
    QuenHandle table = 0;
    bool isPublic = false;
};

// The registry's entries, in order.
const std::vector<RegisteredTable>& registeredTables();

// Appends a table (taking no reference: the caller hands one over); false, changing nothing,
// when another registered table has its name. Tables without a name are not indexed.
bool registerTable(Block& table, bool isPublic);

// The registered table named name (case-insensitive), or null; an empty name finds nothing.
const Block* findRegisteredTable(std::string_view name);

// Follows a registered table's rename in the index; false (with an error naming function)
// when another registered table has the new name.
bool renameRegisteredTable(const Block& table, const std::string& name, const char* function);

// Takes the table out of the registry without releasing it; false when it was not there.
bool unregisterTable(Block& table);

// Releases the registry's reference on each table and empties it.
void clearTableRegistry();

} // namespace quen
